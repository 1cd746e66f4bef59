#include "scene/ByteBlock.h"

#include <cstring>
#include <new>
#include <utility>

namespace {

class CopiedBlock final : public ByteBlock {
 public:
  explicit CopiedBlock(size_t size) : bytes_(new uint8_t[size]), size_(size) {}
  uint8_t* Bytes() { return bytes_.get(); }
  void Shorten(size_t size) { size_ = size; }
  const uint8_t* Data() const override { return bytes_.get(); }
  size_t Size() const override { return size_; }

 private:
  std::unique_ptr<uint8_t[]> bytes_;
  size_t size_;
};

template <typename Bytes>
class OwnedBlock final : public ByteBlock {
 public:
  explicit OwnedBlock(Bytes bytes) : bytes_(std::move(bytes)) {}
  const uint8_t* Data() const override { return bytes_.data(); }
  size_t Size() const override { return bytes_.size(); }

 private:
  Bytes bytes_;
};

}  // namespace

std::unique_ptr<ByteBlock> BlockOfFile(os::FileImage image) { return std::make_unique<FileBlock>(std::move(image)); }

std::unique_ptr<ByteBlock> BlockCopiedFrom(TStream& stream) {
  const int64_t left = stream.Size() - stream.Position();
  if (left > 0 && static_cast<uint64_t>(left) > SIZE_MAX) throw std::bad_alloc();
  const size_t size = left > 0 ? static_cast<size_t>(left) : 0;
  auto block = std::make_unique<CopiedBlock>(size);
  block->Shorten(stream.Read(block->Bytes(), size));
  return block;
}

std::unique_ptr<ByteBlock> BlockCopiedFrom(ByteView bytes) {
  auto block = std::make_unique<CopiedBlock>(bytes.Length());
  if (bytes.Length() > 0) std::memcpy(block->Bytes(), bytes.Data(), bytes.Length());
  return block;
}

std::unique_ptr<ByteBlock> BlockOf(std::vector<uint8_t> bytes) {
  return std::make_unique<OwnedBlock<std::vector<uint8_t>>>(std::move(bytes));
}

std::unique_ptr<ByteBlock> BlockOf(LargeBytes bytes) {
  return std::make_unique<OwnedBlock<LargeBytes>>(std::move(bytes));
}

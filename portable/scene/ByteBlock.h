#pragma once
// The bytes of a loaded scene in one piece. The document's chunks are views
// of it, so it stays until the document has let go of them all, and then
// goes at once.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "os/FileImage.h"
#include "os/LargeMemory.h"
#include "scene/ByteView.h"
#include "scene/Stream.h"

class ByteBlock {
 public:
  ByteBlock() = default;
  ByteBlock(const ByteBlock&) = delete;
  ByteBlock& operator=(const ByteBlock&) = delete;
  virtual ~ByteBlock() = default;

  virtual const uint8_t* Data() const = 0;
  virtual size_t Size() const = 0;
};

// A file's bytes taken in by an os::FileImage. A load may go on reading
// them in through Image() while it walks those already there.
class FileBlock final : public ByteBlock {
 public:
  explicit FileBlock(os::FileImage image) : image_(std::move(image)) {}
  const uint8_t* Data() const override { return image_.Data(); }
  size_t Size() const override { return image_.Size(); }
  os::FileImage& Image() { return image_; }

 private:
  os::FileImage image_;
};

// A file's bytes taken in by os::LoadFile.
std::unique_ptr<ByteBlock> BlockOfFile(os::FileImage image);
// A copy of what the stream holds from its position to its end.
std::unique_ptr<ByteBlock> BlockCopiedFrom(TStream& stream);
// A copy of the bytes.
std::unique_ptr<ByteBlock> BlockCopiedFrom(ByteView bytes);
// The bytes themselves, taken over without a copy.
std::unique_ptr<ByteBlock> BlockOf(std::vector<uint8_t> bytes);

// Bytes of many chunks written one after the other, hundreds of megabytes
// at times, in memory that fills at the cost of a few page faults.
using LargeBytes = std::vector<uint8_t, os::LargeAllocator<uint8_t>>;
std::unique_ptr<ByteBlock> BlockOf(LargeBytes bytes);

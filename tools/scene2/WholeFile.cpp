#include "tools/scene2/WholeFile.h"

#include <new>

#include "scene/FileStream.h"

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
  auto opened = TFileStream::OpenRead(path);
  if (!opened.ok()) {
    error = opened.reason();
    return false;
  }
  const std::unique_ptr<TFileStream>& file = opened.value();
  const auto size = static_cast<uint64_t>(file->Size());
  try {
    if (size > bytes.max_size()) throw std::bad_alloc();
    bytes.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    error = "the file's " + std::to_string(size) + " bytes do not fit into memory";
    return false;
  }
  bytes.resize(file->Read(bytes.data(), bytes.size()));
  return true;
}

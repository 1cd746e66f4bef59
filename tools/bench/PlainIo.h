#pragma once
// What the scene model's load and save are measured against: the same bytes
// moved by plain stdio, with nothing parsed or kept per chunk. Both raise
// std::runtime_error naming the file and the reason.

#include <cstdint>
#include <memory>
#include <string>

// Memory that one read leaves to the next, as a freed document leaves its heap
// to the next load.
struct ReadBuffer {
  std::unique_ptr<uint8_t[]> bytes;
  size_t capacity = 0;
};

// Reads the whole file into `buffer` in large blocks; gives the bytes read.
uint64_t PlainRead(const std::string& path, ReadBuffer& buffer);

// Copies the file block by block through a buffer of the size the scene
// model's file stream uses.
void PlainCopy(const std::string& from, const std::string& to);

// A sound plug-in that hands back what no sound object is, so that the
// editor's host can be seen to refuse it: the test picks the answer through
// SetAnswer, then the editor calls EditSound as it calls the real one.

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

int answer = 0;

void Put16(std::vector<uint8_t>& bytes, uint16_t value) {
  bytes.push_back(static_cast<uint8_t>(value));
  bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& bytes, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(value >> shift));
}

// An object of the type: its type sub-chunk and a name sub-chunk "x".
std::vector<uint8_t> Object(uint16_t chunkType, uint32_t objectType) {
  std::vector<uint8_t> bytes;
  Put16(bytes, chunkType);
  Put32(bytes, 6 + 10 + 8);
  Put16(bytes, 0x4011);
  Put32(bytes, 10);
  Put32(bytes, objectType);
  Put16(bytes, 0x0010);
  Put32(bytes, 8);
  bytes.push_back('x');
  bytes.push_back(0);
  return bytes;
}

std::vector<uint8_t> Answer() {
  switch (answer) {
    case 0:  // shorter than a chunk's header
      return {0x10, 0x40, 3};
    case 1: {  // a size field that says more than the block holds
      std::vector<uint8_t> bytes = Object(0x4010, 4);
      bytes[2] += 1;
      return bytes;
    }
    case 2:  // a definition
      return Object(0xAE21, 4);
    default:  // an object of another type than sound
      return Object(0x4010, 9);
  }
}

}  // namespace

extern "C" __declspec(dllexport) void __stdcall SetAnswer(int which) { answer = which; }

extern "C" __declspec(dllexport) uint8_t __stdcall Init(HWND*) { return 1; }

extern "C" __declspec(dllexport) uint8_t __stdcall EditSound(uint8_t** chunk, int32_t* size) {
  const std::vector<uint8_t> bytes = Answer();
  auto* block = static_cast<uint8_t*>(LocalAlloc(LMEM_FIXED, bytes.size()));
  std::memcpy(block, bytes.data(), bytes.size());
  *chunk = block;
  *size = static_cast<int32_t>(bytes.size());
  return 1;
}

#include "tests/package/PeImports.h"

#include <windows.h>

#include <cstddef>
#include <stdexcept>

namespace {

uint32_t ReadLE(const Bytes& image, size_t offset, size_t width) {
  if (offset > image.size() || image.size() - offset < width) throw std::runtime_error("a table past the file's end");
  uint32_t value = 0;
  for (size_t i = width; i-- > 0;) value = value << 8 | image[offset + i];
  return value;
}

uint32_t U32At(const Bytes& image, size_t offset) { return ReadLE(image, offset, 4); }

// The section table, which says where each part of the loaded image lies in the file.
struct Sections {
  size_t table;
  uint32_t count;
};

size_t FileOffset(const Bytes& image, const Sections& sections, uint32_t address) {
  for (uint32_t index = 0; index < sections.count; ++index) {
    const size_t header = sections.table + index * sizeof(IMAGE_SECTION_HEADER);
    const uint32_t start = U32At(image, header + offsetof(IMAGE_SECTION_HEADER, VirtualAddress));
    const uint32_t size = U32At(image, header + offsetof(IMAGE_SECTION_HEADER, Misc.VirtualSize));
    if (address >= start && address - start < size)
      return U32At(image, header + offsetof(IMAGE_SECTION_HEADER, PointerToRawData)) + (address - start);
  }
  throw std::runtime_error("an address outside every section");
}

std::string TextAt(const Bytes& image, size_t offset) {
  std::string text;
  while (ReadLE(image, offset, 1) != 0) text += static_cast<char>(image[offset++]);
  return text;
}

}  // namespace

std::vector<std::string> ImportedDllNames(const Bytes& image) {
  const size_t headers = U32At(image, offsetof(IMAGE_DOS_HEADER, e_lfanew));
  const auto field = [&image, headers](size_t offset, size_t width) { return ReadLE(image, headers + offset, width); };
  if (field(offsetof(IMAGE_NT_HEADERS32, Signature), 4) != IMAGE_NT_SIGNATURE ||
      field(offsetof(IMAGE_NT_HEADERS32, OptionalHeader.Magic), 2) != IMAGE_NT_OPTIONAL_HDR32_MAGIC)
    throw std::runtime_error("not a 32-bit PE image");
  // The section table follows the optional header, whatever its size.
  const Sections sections{headers + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                              field(offsetof(IMAGE_NT_HEADERS32, FileHeader.SizeOfOptionalHeader), 2),
                          field(offsetof(IMAGE_NT_HEADERS32, FileHeader.NumberOfSections), 2)};
  const uint32_t directory =
      field(offsetof(IMAGE_NT_HEADERS32, OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT]), 4);

  std::vector<std::string> names;
  if (directory == 0) return names;
  // One descriptor per DLL; one whose name is 0 ends the list.
  for (size_t entry = FileOffset(image, sections, directory);; entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    const uint32_t name = U32At(image, entry + offsetof(IMAGE_IMPORT_DESCRIPTOR, Name));
    if (name == 0) break;
    names.push_back(TextAt(image, FileOffset(image, sections, name)));
  }
  return names;
}

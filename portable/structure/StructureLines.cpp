#include "structure/StructureLines.h"

#include <algorithm>

#include "scene/ChunkTypes.h"
#include "scene/Counted.h"
#include "scene/Hex.h"
#include "scene/Utf8.h"
#include "scene/Windows1251.h"

namespace {

constexpr size_t kHexLineBytes = 16;

std::string TypeText(const StructureNode& node) {
  return node.kind == StructureNode::Kind::Chunk ? HexUpper(node.type, 4) : std::string("-");
}

// Right-aligned in `width` columns.
std::string Padded(const std::string& text, size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

void AppendCharacter(std::string& line, unsigned char byte) {
  const std::optional<char32_t> character = Windows1251Character(byte);
  if (Unshowable(byte) || !character)
    line += '.';
  else
    AppendUtf8(line, *character);
}

}  // namespace

std::string StructureLine(const StructureNode& node, ValueText valueText) {
  std::string line = std::to_string(node.offset) + ' ' + TypeText(node) + ' ' + std::to_string(node.size);
  if (!node.what.empty()) line += ' ' + node.what;
  if (!node.value.empty()) line += ": " + valueText(node.value);
  if (!node.fault.empty()) line += " fault: " + node.fault;
  return line;
}

size_t LeafStart(const StructureNode& node) {
  return node.kind == StructureNode::Kind::Chunk ? node.offset + kChunkHeaderSize : node.offset;
}

ByteView SpannedBytes(ByteView chunk, const StructureNode& node) { return chunk.Part(node.offset, node.length); }

std::string HexDump(ByteView bytes, size_t offset, size_t limit) {
  const size_t shown = std::min(bytes.Length(), limit);
  const size_t width = std::max<size_t>(6, std::to_string(offset + shown).size());
  std::string dump;
  for (size_t at = 0; at < shown; at += kHexLineBytes) {
    const std::string line = bytes.Part(at, std::min(kHexLineBytes, shown - at)).Bytes();
    dump += Padded(std::to_string(offset + at), width) + ' ';
    for (size_t index = 0; index < kHexLineBytes; ++index) {
      dump += index == kHexLineBytes / 2 ? "  " : " ";
      dump += index < line.size() ? HexUpper(static_cast<unsigned char>(line[index]), 2) : std::string("  ");
    }
    dump += "  ";
    for (const char byte : line) AppendCharacter(dump, static_cast<unsigned char>(byte));
    dump += '\n';
  }
  if (bytes.Length() > shown) dump += "... " + Counted(bytes.Length() - shown, "more byte") + " not shown\n";
  return dump;
}

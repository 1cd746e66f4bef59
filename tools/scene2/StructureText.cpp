#include "tools/scene2/StructureText.h"

#include <string>

#include "scene/Hex.h"
#include "structure/StructureLines.h"
#include "tools/scene2/NameText.h"

namespace {

constexpr size_t kHexLineBytes = 16;

using Kind = StructureNode::Kind;

bool IsLeaf(const StructureNode& node) { return node.children.empty(); }

const char* KindWord(Kind kind) {
  switch (kind) {
    case Kind::Chunk:
      return "chunk";
    case Kind::Field:
      return "field";
    case Kind::Raw:
      break;
  }
  return "bytes";
}

void WriteHexLines(std::ostream& out, const std::string& indent, ByteView bytes, size_t offset) {
  for (size_t at = 0; at < bytes.Length(); at += kHexLineBytes) {
    const std::string line = bytes.Part(at, kHexLineBytes).Bytes();
    out << indent << offset + at << ':';
    for (const char byte : line) out << ' ' << HexUpper(static_cast<unsigned char>(byte), 2);
    out << '\n';
  }
}

void WriteLines(std::ostream& out, ByteView chunk, const StructureNode& node, bool hex, size_t depth) {
  const std::string indent(2 * depth, ' ');
  out << indent << StructureLine(node) << '\n';
  if (hex && IsLeaf(node)) WriteHexLines(out, indent + "  ", LeafBytes(chunk, node), LeafStart(node));
  for (const StructureNode& child : node.children) WriteLines(out, chunk, child, hex, depth + 1);
}

}  // namespace

void WriteStructureLines(std::ostream& out, ByteView chunk, const StructureNode& node, bool hex) {
  WriteLines(out, chunk, node, hex, 0);
}

void WriteStructureJson(JsonWriter& json, ByteView chunk, const StructureNode& node, bool hex) {
  json.BeginObject();
  json.Key("offset");
  json.Number(static_cast<int64_t>(node.offset));
  json.Key("kind");
  json.String(KindWord(node.kind));
  if (node.kind == Kind::Chunk) {
    json.Key("type");
    json.String(HexUpper(node.type, 4));
  }
  json.Key("size");
  json.Number(static_cast<int64_t>(node.size));
  if (!node.what.empty()) {
    json.Key("what");
    json.String(node.what);
  }
  if (!node.value.empty()) WriteWindows1251(json, "value", node.value);
  if (!node.fault.empty()) {
    json.Key("fault");
    json.String(node.fault);
  }
  if (hex && IsLeaf(node)) {
    json.Key("bytes");
    json.String(HexUpperBytes(LeafBytes(chunk, node).Bytes()));
  }
  if (!IsLeaf(node)) {
    json.Key("children");
    json.BeginArray();
    for (const StructureNode& child : node.children) WriteStructureJson(json, chunk, child, hex);
    json.EndArray();
  }
  json.EndObject();
}

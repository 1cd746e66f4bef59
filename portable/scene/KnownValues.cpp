#include "scene/KnownValues.h"

size_t ValueLength(const KnownSubChunk& known) {
  switch (known.kind) {
    case PayloadKind::ObjectType:
    case PayloadKind::DefinitionType:
    case PayloadKind::SoundType:
      return 4;
    default:
      return 4 * size_t{known.count};
  }
}

std::string ReadName(ByteView payload) {
  std::string name = payload.Bytes();
  if (!name.empty() && name.back() == '\0') name.pop_back();
  return name;
}

std::string ReadText(ByteView payload) { return payload.TextUpToNul(); }

bool ReadCode(ByteView payload, uint32_t& code) { return payload.ReadU32(0, code); }

std::vector<float> ReadFloats(const KnownSubChunk& known, ByteView payload) {
  std::vector<float> values(known.count);
  for (size_t i = 0; i < values.size(); ++i)
    if (!payload.ReadFloat(4 * i, values[i])) return {};
  return values;
}

void WriteText(ChunkWriter& out, const KnownSubChunk& known, std::string_view text) {
  out.Open(known.type);
  out.Text(text);
  out.Close();
}

void WriteCode(ChunkWriter& out, const KnownSubChunk& known, uint32_t code) {
  out.Open(known.type);
  out.U32(code);
  out.Close();
}

void WriteFloats(ChunkWriter& out, const KnownSubChunk& known, std::span<const float> values) {
  out.Open(known.type);
  for (const float value : values) out.Float(value);
  out.Close();
}

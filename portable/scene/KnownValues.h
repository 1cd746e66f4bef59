#pragma once
// The value of a known sub-chunk, read from its payload and written into a
// new one by its kind (SubChunkTable.h): one reader and one writer a kind,
// which the structure view, the catalogue, the plug-in and the generator share.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scene/ByteView.h"
#include "scene/ChunkWriter.h"
#include "scene/SubChunkTable.h"

// The bytes at a payload's start that the value needs whole: a code's 4, 4 a
// float; a name or a text takes whatever there is.
size_t ValueLength(const KnownSubChunk& known);

// Name: its bytes, less one closing zero.
std::string ReadName(ByteView payload);
// Text: its bytes up to the first zero.
std::string ReadText(ByteView payload);
// ObjectType, DefinitionType, SoundType: the code at its start. False, with
// `code` untouched, when it is cut short.
bool ReadCode(ByteView payload, uint32_t& code);
// Floats, Level, Radii: the entry's count of them from its start; none unless
// they are all there, as a value cut short is no value.
std::vector<float> ReadFloats(const KnownSubChunk& known, ByteView payload);
// Whether ReadFloats finds them all, without reading them.
inline bool HasFloats(const KnownSubChunk& known, ByteView payload) { return payload.Length() / 4 >= known.count; }

// Each writes a whole sub-chunk of the entry's type holding the value.
// Name, Text: the bytes and one closing zero.
void WriteText(ChunkWriter& out, const KnownSubChunk& known, std::string_view text);
void WriteCode(ChunkWriter& out, const KnownSubChunk& known, uint32_t code);
// `values` are as many as the entry counts: arrays are sized by FloatCount.
void WriteFloats(ChunkWriter& out, const KnownSubChunk& known, std::span<const float> values);

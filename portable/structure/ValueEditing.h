#pragma once
// Typing over what a chunk's structure shows: the text checked by the kind
// of the line's value and written as the catalogue and the sound plug-in
// write it, into a chunk rebuilt with that one value changed, every other
// byte as it was and the sizes of the sub-chunks around it in step.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scene/Chunk.h"
#include "scene/SceneError.h"
#include "scene/SubChunkTable.h"
#include "structure/StructureNode.h"

// The chunk with the value of `line`, a node of `root` = DescribeChunk(chunk),
// set from `typed`: the Windows-1251 bytes of what the user typed, numbers
// with "." whatever the locale, several separated by ", ". Refused
// (SceneFault::BadValue) with a message that says what is wrong and which
// values the line takes. A name is written as a rename writes it; the
// document refuses one that another chunk holds.
Outcome<Chunk> WithValue(ByteView chunk, const StructureNode& root, const StructureNode& line, std::string_view typed);

// The chunk with the numbers of `typed`, as WithValue takes them, added to
// the value of `line`: one to each float of a line of floats, one to a
// radius (the decrease radius moves its end). Refused (SceneFault::BadValue)
// for a line of other values and a sum out of a float's range.
Outcome<Chunk> WithValueAdded(ByteView chunk, const StructureNode& root, const StructureNode& line,
                              std::string_view typed);

// The bytes that WithValue (WithValueAdded when `adds`) writes for a line
// of fixed length (floats, a code, a level, a radius) at ValueOffset(line),
// the length unchanged; refused as they refuse `typed`. A run over many
// chunks writes them into copies of its own.
Outcome<std::string> FixedValueBytes(ByteView chunk, const StructureNode& line, std::string_view typed, bool adds);
size_t ValueOffset(const StructureNode& line);

// One typed value written over the lines of many chunks, as a run of set
// writes it: FixedValueBytes for each, the text's numbers read once.
class TypedValue {
 public:
  TypedValue(std::string typed, bool adds) : typed_(std::move(typed)), adds_(adds) {}
  Outcome<std::string> BytesFor(ByteView chunk, const StructureNode& line);

 private:
  // The text as `count` floats, read when another count is asked for.
  const std::optional<std::vector<float>>& Numbers(size_t count);

  std::string typed_;
  bool adds_;
  size_t numbersCount_ = 0;  // none read
  std::optional<std::vector<float>> numbers_;
};

// The chunk with the bytes of `leaf`, a leaf of `root` that no value
// describes, typed over as hexadecimal digits, two a byte, spaces between
// them allowed: as many bytes as it spans.
Outcome<Chunk> WithBytes(ByteView chunk, const StructureNode& root, const StructureNode& leaf, std::string_view hex);

// Whether a leaf's bytes may be typed over: no value describes them.
bool BytesEditable(const StructureNode& leaf);

// The first line, in file order, whose value `field` names as show prints
// it ("position", "object type", "volume level"), in any case, "_" or "-"
// standing for a space; "type" names the item's type. Null when none.
const StructureNode* FindValueLine(const StructureNode& root, std::string_view field);

// The entries of an item's own sub-chunks that `field` names, as
// FindValueLine takes it, when its line is one of fixed length there that
// no line of another run can come before (position, rotation, scale, the
// types): found by DescribeItemSubChunk without describing the chunk, as
// FindValueLine(DescribeChunk(chunk), field) finds it. Empty for any other.
std::vector<const KnownSubChunk*> ItemFieldEntries(std::string_view field);

// What the line's value is, as an undo names it: "position", "name".
std::string ValueName(const StructureNode& line);

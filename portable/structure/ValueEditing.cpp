#include "structure/ValueEditing.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Hex.h"
#include "scene/LittleEndian.h"
#include "scene/SceneDocument.h"
#include "scene/Windows1251.h"
#include "sound/DecreaseRadius.h"
#include "sound/Levels.h"
#include "sound/SoundFields.h"

namespace {

using Kind = StructureNode::Kind;

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A whole number, all of the text.
template <typename Number>
std::optional<Number> WholeNumber(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A finite float, all of the text, "." before its decimals.
std::optional<float> FloatNumber(std::string_view text) {
  float value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// `count` floats separated by commas, spaces around them allowed.
std::optional<std::vector<float>> Floats(std::string_view text, size_t count) {
  std::vector<float> values;
  for (size_t start = 0;;) {
    const size_t comma = text.find(',', start);
    const std::optional<float> value = FloatNumber(Trimmed(text.substr(start, comma - start)));
    if (!value) return std::nullopt;
    values.push_back(*value);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (values.size() != count) return std::nullopt;
  return values;
}

// A code typed as its number, its name, or both as shown: "14 (city music)".
std::optional<uint32_t> Code(std::string_view text, std::span<const NamedCode> named) {
  const size_t digits = std::min(text.find(' '), text.size());
  if (const std::optional<uint32_t> code = WholeNumber<uint32_t>(text.substr(0, digits))) {
    const std::string_view rest = text.substr(digits);
    if (rest.empty() || (rest.starts_with(" (") && rest.ends_with(")"))) return code;
    return std::nullopt;
  }
  for (const NamedCode& known : named)
    if (text == known.name) return known.code;
  return std::nullopt;
}

std::optional<uint32_t> ObjectTypeCode(std::string_view text) {
  const std::optional<uint32_t> code = Code(text, ObjectTypeTable());
  if (!code || KnownObjectTypeIndex(*code) < 0) return std::nullopt;
  return code;
}

std::optional<uint32_t> DefinitionTypeCode(std::string_view text) {
  const std::optional<uint32_t> code = Code(text, NamedDefinitionTypeTable());
  if (!code || *code >= kDefinitionTypeCount) return std::nullopt;
  return code;
}

// A level as shown, "30 of 50", or its number alone.
std::optional<int> Level(std::string_view text) {
  const std::string of = " of " + std::to_string(LevelSteps);
  if (text.ends_with(of)) text.remove_suffix(of.size());
  const std::optional<int> level = WholeNumber<int>(text);
  if (!level || *level < 0 || *level > LevelSteps) return std::nullopt;
  return level;
}

// The sound type's code: the dialog's list index + 1, typed as the list
// shows it ("1 - lokal") or as its number.
std::optional<uint32_t> SoundTypeCode(std::string_view text) {
  for (size_t index = 0; index < kSoundTypeTexts.size(); ++index)
    if (text == kSoundTypeTexts[index] || text == std::to_string(index + 1)) return static_cast<uint32_t>(index + 1);
  return std::nullopt;
}

std::string NumberExample(size_t count) {
  static constexpr const char* kExamples[] = {"0", "1.5", "-2", "10"};
  std::string text;
  for (size_t index = 0; index < count; ++index)
    text += (index > 0 ? ", " : "") + std::string(kExamples[index % std::size(kExamples)]);
  return text;
}

std::string CodeList(std::span<const NamedCode> named) {
  std::string text;
  for (const NamedCode& known : named)
    text += (text.empty() ? "" : ", ") + std::to_string(known.code) + " (" + known.name + ")";
  return text;
}

// Which values a line takes, for the message that refuses one.
std::string Takes(const StructureNode& line) {
  switch (line.valueKind) {
    case ValueKind::Name:
      return "a name of one character at least, with no zero byte";
    case ValueKind::Text:
      return "a text with no zero byte";
    case ValueKind::Floats:
      if (line.count == 1) return "a number with \".\" before its decimals, such as 1.5";
      return std::to_string(line.count) +
             " numbers separated by \", \", each with \".\" before its decimals, such as " + NumberExample(line.count);
    case ValueKind::ObjectType:
      return "one of the object types " + CodeList(ObjectTypeTable());
    case ValueKind::DefinitionType:
      return "a definition type from 0 to " + std::to_string(kDefinitionTypeCount - 1) + ", as its number";
    case ValueKind::SoundType: {
      std::string list;
      for (const char* text : kSoundTypeTexts) list += (list.empty() ? "" : ", ") + std::string(text);
      return "one of " + list + " (or its number alone)";
    }
    case ValueKind::Level:
      return "a whole number of steps from 0 to " + std::to_string(LevelSteps);
    case ValueKind::ConstRadius:
    case ValueKind::DecreaseRadius:
      return "a number with \".\" before its decimals, such as 10.5";
    case ValueKind::None:
      break;
  }
  return "no typed value";
}

SceneError Refused(const StructureNode& line, std::string_view typed) {
  return SceneError{SceneFault::BadValue, "\"" + Utf8FromWindows1251(typed) + "\" is no value for " + ValueName(line) +
                                              ": it takes " + Takes(line) + "."};
}

// The nodes that hold `target`, from `from` down; false when it is none of them.
bool PathTo(const StructureNode& from, const StructureNode& target, std::vector<const StructureNode*>& path) {
  if (&from == &target) return true;
  path.push_back(&from);
  for (const StructureNode& child : from.children)
    if (PathTo(child, target, path)) return true;
  path.pop_back();
  return false;
}

// The chunk with `length` bytes at `at` replaced by `bytes`, and the size of
// each chunk in `around` (those that hold them) grown or shrunk by as many.
Chunk Spliced(ByteView chunk, const std::vector<const StructureNode*>& around, size_t at, size_t length,
              std::string_view bytes) {
  std::string rebuilt = chunk.Bytes();
  rebuilt.replace(at, length, bytes);
  const auto grown = static_cast<uint32_t>(bytes.size() - length);  // wraps for a shrink, as sizes add up
  auto* data = reinterpret_cast<uint8_t*>(rebuilt.data());
  for (const StructureNode* node : around)
    if (node->kind == Kind::Chunk) WriteU32LE(data + node->offset + 2, ReadU32LE(data + node->offset + 2) + grown);
  return Chunk::CopyOf(ByteView(data, rebuilt.size()));
}

std::string FloatBytes(std::span<const float> values) {
  std::string bytes(4 * values.size(), '\0');
  for (size_t index = 0; index < values.size(); ++index) {
    uint32_t bits = 0;
    std::memcpy(&bits, &values[index], 4);
    WriteU32LE(reinterpret_cast<uint8_t*>(bytes.data()) + 4 * index, bits);
  }
  return bytes;
}

std::string CodeBytes(uint32_t code) {
  std::string bytes(4, '\0');
  WriteU32LE(reinterpret_cast<uint8_t*>(bytes.data()), code);
  return bytes;
}

// The bytes that the value of a line of fixed length other than floats is
// written as; nullopt for a text refused.
std::optional<std::string> FixedBytes(ByteView chunk, const StructureNode& line, std::string_view text) {
  switch (line.valueKind) {
    case ValueKind::ObjectType:
      if (const auto code = ObjectTypeCode(text)) return CodeBytes(*code);
      return std::nullopt;
    case ValueKind::DefinitionType:
      if (const auto code = DefinitionTypeCode(text)) return CodeBytes(*code);
      return std::nullopt;
    case ValueKind::SoundType:
      if (const auto code = SoundTypeCode(text)) return CodeBytes(*code);
      return std::nullopt;
    case ValueKind::Level:
      if (const auto level = Level(text)) return FloatBytes(std::array{StoredLevel(*level)});
      return std::nullopt;
    case ValueKind::ConstRadius:
      if (const auto radius = FloatNumber(text)) return FloatBytes(std::array{*radius});
      return std::nullopt;
    case ValueKind::DecreaseRadius: {
      // Stored as the width beyond the const radius, the float before it.
      uint32_t constBits = 0;
      if (!FloatNumber(text) || !chunk.ReadU32(line.offset - 4, constBits)) return std::nullopt;
      float constRadius = 0;
      std::memcpy(&constRadius, &constBits, 4);
      return FloatBytes(std::array{DecreaseWidth(std::string(text), constRadius)});
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

Outcome<Chunk> WithValue(ByteView chunk, const StructureNode& root, const StructureNode& line, std::string_view typed) {
  std::vector<const StructureNode*> around;
  if (line.valueKind == ValueKind::None || !PathTo(root, line, around)) return Refused(line, typed);
  const bool hasZero = typed.find('\0') != std::string_view::npos;
  switch (line.valueKind) {
    case ValueKind::Name: {
      const std::optional<NameSubChunk> name = FindNameSubChunk(chunk);
      if (typed.empty() || hasZero || !name) return Refused(line, typed);
      // A rename writes no closing zero: the name as it stands keeps its own.
      if (typed == line.value) return Chunk::CopyOf(chunk);
      return RebuildWithName(chunk, name->offset, name->size, std::string(typed));
    }
    case ValueKind::Text: {
      if (hasZero || line.kind != Kind::Chunk || line.length < kChunkHeaderSize) return Refused(line, typed);
      around.push_back(&line);
      const std::string payload = std::string(typed) + '\0';
      return Spliced(chunk, around, line.offset + kChunkHeaderSize, line.length - kChunkHeaderSize, payload);
    }
    default:
      break;
  }
  Outcome<std::string> bytes = FixedValueBytes(chunk, line, typed, false);
  if (!bytes.ok()) return bytes.failure();
  return Spliced(chunk, around, ValueOffset(line), bytes.value().size(), bytes.value());
}

Outcome<Chunk> WithValueAdded(ByteView chunk, const StructureNode& root, const StructureNode& line,
                              std::string_view typed) {
  std::vector<const StructureNode*> around;
  Outcome<std::string> bytes = FixedValueBytes(chunk, line, typed, true);
  if (!bytes.ok()) return bytes.failure();
  if (!PathTo(root, line, around)) return Refused(line, typed);
  return Spliced(chunk, around, ValueOffset(line), bytes.value().size(), bytes.value());
}

size_t ValueOffset(const StructureNode& line) {
  return line.kind == Kind::Chunk ? line.offset + kChunkHeaderSize : line.offset;
}

Outcome<std::string> FixedValueBytes(ByteView chunk, const StructureNode& line, std::string_view typed, bool adds) {
  return TypedValue(std::string(typed), adds).BytesFor(chunk, line);
}

const std::optional<std::vector<float>>& TypedValue::Numbers(size_t count) {
  if (numbersCount_ != count) {
    numbers_ = Floats(Trimmed(typed_), count);
    numbersCount_ = count;
  }
  return numbers_;
}

Outcome<std::string> TypedValue::BytesFor(ByteView chunk, const StructureNode& line) {
  const size_t at = ValueOffset(line);
  if (!adds_) {
    std::optional<std::string> bytes;
    if (line.valueKind != ValueKind::Floats)
      bytes = FixedBytes(chunk, line, Trimmed(typed_));
    else if (const std::optional<std::vector<float>>& values = Numbers(line.count))
      bytes = FloatBytes(*values);
    if (!bytes || at > chunk.Length() || bytes->size() > chunk.Length() - at)
      return Refused(line, typed_);  // a value cut short shows none
    return std::move(*bytes);
  }
  const bool numbers = line.valueKind == ValueKind::Floats || line.valueKind == ValueKind::ConstRadius ||
                       line.valueKind == ValueKind::DecreaseRadius;
  if (!numbers)
    return SceneError{SceneFault::BadValue, "\"" + Utf8FromWindows1251(typed_) + "\" can't be added to " +
                                                ValueName(line) + ": only numbers add up, and it takes " + Takes(line) +
                                                "."};
  // A radius is one float; the decrease radius is stored as the width that
  // its end lies beyond the const radius, so its end moves with the width.
  const size_t count = line.valueKind == ValueKind::Floats ? line.count : 1;
  const std::optional<std::vector<float>>& added = Numbers(count);
  if (!added) return Refused(line, typed_);
  std::string sums(4 * count, '\0');
  auto* const bytes = reinterpret_cast<uint8_t*>(sums.data());
  for (size_t index = 0; index < count; ++index) {
    float value = 0;
    if (!chunk.ReadFloat(at + 4 * index, value)) return Refused(line, typed_);
    const float sum = value + (*added)[index];
    if (!std::isfinite(sum)) return Refused(line, typed_);
    WriteU32LE(bytes + 4 * index, std::bit_cast<uint32_t>(sum));
  }
  return sums;
}

bool BytesEditable(const StructureNode& leaf) {
  return leaf.children.empty() && leaf.valueKind == ValueKind::None && leaf.what != "name" &&
         leaf.what != "name length";
}

Outcome<Chunk> WithBytes(ByteView chunk, const StructureNode& root, const StructureNode& leaf, std::string_view hex) {
  std::vector<const StructureNode*> around;
  const ByteView old = LeafBytes(chunk, leaf);
  std::string bytes;
  std::string digits;
  for (const char character : hex)
    if (character != ' ') digits += character;
  const auto refused = [&]() -> Outcome<Chunk> {
    return SceneError{SceneFault::BadValue, "\"" + std::string(hex) + "\" is not " + std::to_string(old.Length()) +
                                                " bytes: these bytes take two hexadecimal digits (0-9, A-F) each"};
  };
  if (!BytesEditable(leaf) || old.Length() == 0 || !PathTo(root, leaf, around) || digits.size() != 2 * old.Length())
    return refused();
  for (size_t at = 0; at < digits.size(); at += 2) {
    uint8_t byte = 0;
    const auto [end, error] = std::from_chars(digits.data() + at, digits.data() + at + 2, byte, 16);
    if (error != std::errc() || end != digits.data() + at + 2) return refused();
    bytes += static_cast<char>(byte);
  }
  const size_t at = static_cast<size_t>(old.Data() - chunk.Data());
  return Spliced(chunk, around, at, bytes.size(), bytes);
}

namespace {

bool SameField(std::string_view what, std::string_view field) {
  if (what.size() != field.size()) return false;
  for (size_t at = 0; at < what.size(); ++at) {
    const char typed = field[at] == '_' || field[at] == '-' ? ' ' : field[at];
    if (std::tolower(static_cast<unsigned char>(typed)) != std::tolower(static_cast<unsigned char>(what[at])))
      return false;
  }
  return true;
}

bool NamesType(std::string_view field) { return SameField("type", field); }

const StructureNode* Find(const StructureNode& node, std::string_view field) {
  if (node.valueKind != ValueKind::None &&
      (SameField(node.what, field) ||
       (NamesType(field) && (node.valueKind == ValueKind::ObjectType || node.valueKind == ValueKind::DefinitionType))))
    return &node;
  for (const StructureNode& child : node.children)
    if (const StructureNode* found = Find(child, field)) return found;
  return nullptr;
}

}  // namespace

std::vector<const KnownSubChunk*> ItemFieldEntries(std::string_view field) {
  std::vector<const KnownSubChunk*> entries;
  for (const KnownSubChunk& known : kKnownSubChunks) {
    const bool type = known.kind == PayloadKind::ObjectType || known.kind == PayloadKind::DefinitionType;
    if (!SameField(known.what, field) && !(type && NamesType(field))) continue;
    const bool own = known.in == SubChunkRun::Object || known.in == SubChunkRun::Definition;
    // A line of another run may come first in a described chunk.
    if (!own || !(type || known.kind == PayloadKind::Floats)) return {};
    entries.push_back(&known);
  }
  return entries;
}

const StructureNode* FindValueLine(const StructureNode& root, std::string_view field) {
  for (const StructureNode& child : root.children)
    if (const StructureNode* found = Find(child, field)) return found;
  return nullptr;
}

std::string ValueName(const StructureNode& line) {
  if (line.valueKind == ValueKind::Name) return "name";
  return line.what;
}

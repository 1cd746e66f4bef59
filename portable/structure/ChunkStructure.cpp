#include "structure/ChunkStructure.h"

#include <algorithm>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkFaults.h"
#include "scene/Counted.h"
#include "scene/KnownValues.h"
#include "scene/SubChunkWalk.h"
#include "sound/NumberText.h"
#include "structure/SoundStructure.h"

namespace {

// Payloads nested deeper are shown as leaves: a chunk of nothing but nested
// headers must not take the stack with it.
constexpr int kDeepest = 32;

using Kind = StructureNode::Kind;

// The floats as the sound dialog writes numbers; empty unless all are there.
std::string FloatsOf(const KnownSubChunk& known, ByteView payload) {
  std::string text;
  for (const float value : ReadFloats(known, payload)) text += (text.empty() ? "" : ", ") + FormatNumber(value);
  return text;
}

// The code at the payload's start and its display name.
std::string CodeOf(ByteView payload, std::string (*name)(uint32_t)) {
  uint32_t code = 0;
  if (!ReadCode(payload, code)) return "";
  return std::to_string(code) + " (" + name(code) + ")";
}

// The value as the catalogue reads it; a sound setting's comes from the
// plug-in's reading of the whole object (DescribeSoundFields).
std::string ValueOf(const KnownSubChunk& known, ByteView payload) {
  if (known.soundSetting) return "";
  switch (known.kind) {
    case PayloadKind::Name:
      return ReadName(payload);
    case PayloadKind::ObjectType:
      return CodeOf(payload, ObjectTypeName);
    case PayloadKind::DefinitionType:
      return CodeOf(payload, DefinitionTypeName);
    case PayloadKind::Floats:
      return FloatsOf(known, payload);
    default:
      return "";
  }
}

// Whether ValueOf gives a value, found without writing it.
bool HasValue(const KnownSubChunk& known, ByteView payload) {
  uint32_t code = 0;
  switch (known.soundSetting ? PayloadKind::Bytes : known.kind) {
    case PayloadKind::Name:
      return !ReadName(payload).empty();
    case PayloadKind::ObjectType:
    case PayloadKind::DefinitionType:
      return ReadCode(payload, code);
    case PayloadKind::Floats:
      return HasFloats(known, payload);
    default:
      return false;
  }
}

// How a value the catalogue reads is typed over: the name of the item, not
// of its parent, is a rename.
void SetValueKind(const KnownSubChunk& known, StructureNode& node) {
  switch (known.kind) {
    case PayloadKind::Name:
      if (known.in != SubChunkRun::Parent) node.valueKind = ValueKind::Name;
      break;
    case PayloadKind::ObjectType:
      node.valueKind = ValueKind::ObjectType;
      break;
    case PayloadKind::DefinitionType:
      node.valueKind = ValueKind::DefinitionType;
      break;
    case PayloadKind::Floats:
      node.valueKind = ValueKind::Floats;
      node.count = known.count;
      break;
    default:
      break;
  }
}

// Exactly a run of well-formed sub-chunks, one at least.
bool IsWholeRun(ByteView payload) {
  size_t end = 0;
  SubChunkWalk walk(payload);
  for (SubChunk sub; walk.Next(sub);) end = sub.Offset + sub.Size;
  return end > 0 && end == payload.Length();
}

StructureNode BytesNode(Kind kind, size_t offset, size_t length, const char* what = "") {
  StructureNode node;
  node.kind = kind;
  node.offset = offset;
  node.size = length;
  node.length = length;
  node.what = what;
  return node;
}

// How many more nodes a description makes, and how many it left out.
struct Budget {
  size_t left;
  size_t omitted = 0;

  // A new child of `parent`, or null (counted as left out) when there is no
  // parent, the description of a node left out, or no room.
  StructureNode* Take(StructureNode* parent) {
    if (parent == nullptr || left == 0) {
      ++omitted;
      return nullptr;
    }
    --left;
    return &parent->children.emplace_back();
  }
};

// A sub-chunk of `body`, which starts at `base` in the described chunk, as
// the node of its own, without what lies inside it; without the text of its
// value unless `shown`.
void DescribeSubChunk(ByteView body, size_t base, const SubChunk& sub, const KnownSubChunk* known, StructureNode& node,
                      bool shown = true) {
  node.offset = base + sub.Offset;
  node.type = sub.Type;
  node.size = sub.Size;
  node.length = kChunkHeaderSize + sub.Payload.Length();
  if (sub.Size > body.Length() - sub.Offset) node.fault = SubChunkRunFault(body, sub.Offset);
  if (known == nullptr) return;
  node.what = known->what;
  if (shown) node.value = ValueOf(*known, sub.Payload);
  const bool valued = shown ? !node.value.empty() : HasValue(*known, sub.Payload);
  if (valued && node.fault.empty()) SetValueKind(*known, node);
}

// The sub-chunks of `body`, which starts at `base` in the described chunk,
// as children of `parent`; where the run goes wrong, a last child says how.
// Without a parent they are only counted in the budget's left-out nodes.
void DescribeRun(ByteView body, size_t base, SubChunkRun run, int depth, StructureNode* parent, Budget& budget) {
  SubChunkWalk walk(body, Overrun::GivenOut);
  size_t end = 0;
  bool overran = false;
  for (SubChunk sub; walk.Next(sub);) {
    overran = sub.Size > body.Length() - sub.Offset;
    end = sub.Offset + kChunkHeaderSize + sub.Payload.Length();
    const KnownSubChunk* known = FindKnownSubChunk(run, sub.Type);
    StructureNode* node = budget.Take(parent);
    if (node != nullptr) DescribeSubChunk(body, base, sub, known, *node);
    const SubChunkRun holds = known != nullptr ? known->holds : SubChunkRun::Unknown;
    if (depth < kDeepest && (holds != SubChunkRun::Unknown || (!overran && IsWholeRun(sub.Payload))))
      DescribeRun(sub.Payload, base + sub.Offset + kChunkHeaderSize, holds, depth + 1, node, budget);
  }
  if (overran || end == body.Length()) return;

  StructureNode* node = budget.Take(parent);
  if (node == nullptr) return;
  uint16_t type = 0;
  uint32_t size = 0;
  const bool header = body.ReadU16(end, type) && body.ReadU32(end + 2, size);
  *node = BytesNode(header ? Kind::Chunk : Kind::Raw, base + end, body.Length() - end);
  if (header) {
    node->type = type;
    node->size = size;
  }
  node->fault = SubChunkRunFault(body, end);
}

// An init script's or a visual effect's fields: the bytes before the length
// of its name, that length, the name, and what follows.
void DescribeNamedItem(ByteView chunk, uint32_t lengthAt, StructureNode& item) {
  const size_t total = chunk.Length();
  if (total > kChunkHeaderSize)
    item.children.push_back(
        BytesNode(Kind::Raw, kChunkHeaderSize, std::min<size_t>(lengthAt, total) - kChunkHeaderSize));
  const std::string fault = NameLengthFault(chunk, lengthAt);
  uint32_t length = 0;
  if (!chunk.ReadU32(lengthAt, length)) {
    if (total > lengthAt) item.children.push_back(BytesNode(Kind::Field, lengthAt, total - lengthAt, "name length"));
    (item.children.empty() ? item : item.children.back()).fault = fault;
    return;
  }
  StructureNode& lengthField = item.children.emplace_back(BytesNode(Kind::Field, lengthAt, 4, "name length"));
  lengthField.value = std::to_string(length);
  lengthField.fault = fault;
  const ByteView name = chunk.Part(lengthAt + 4, length);
  StructureNode& nameField = item.children.emplace_back(BytesNode(Kind::Field, lengthAt + 4, name.Length(), "name"));
  nameField.value = ReadName(name);
  const size_t rest = lengthAt + 4 + name.Length();
  if (rest < total) item.children.push_back(BytesNode(Kind::Raw, rest, total - rest));
}

}  // namespace

StructureNode DescribeChunk(ByteView chunk) { return DescribeChunk(chunk, SIZE_MAX, nullptr); }

StructureNode DescribeChunk(ByteView chunk, size_t maxNodes, size_t* omitted) {
  Budget budget{maxNodes > 0 ? maxNodes - 1 : 0};
  StructureNode item = BytesNode(Kind::Chunk, 0, chunk.Length());
  uint32_t size = 0;
  if (!chunk.ReadU16(0, item.type) || !chunk.ReadU32(2, size)) {
    item.kind = Kind::Raw;
    item.fault = Counted(chunk.Length(), "byte") + " make no chunk header";
    return item;
  }
  item.size = size;
  const ByteView body = ChunkBody(chunk);
  switch (item.type) {
    case kObjectChunk:
      item.what = "object";
      DescribeRun(body, kChunkHeaderSize, SubChunkRun::Object, 0, &item, budget);
      DescribeSoundFields(chunk, item);
      break;
    case kDefinitionChunk:
      item.what = "definition";
      DescribeRun(body, kChunkHeaderSize, SubChunkRun::Definition, 0, &item, budget);
      break;
    case kInitScriptChunk:
      item.what = "init script";
      DescribeNamedItem(chunk, SectionOfItemType(item.type)->nameLengthAt, item);
      break;
    case kVisualEffectChunk:
      item.what = "visual effect";
      DescribeNamedItem(chunk, SectionOfItemType(item.type)->nameLengthAt, item);
      break;
    default:
      if (IsWholeRun(body)) DescribeRun(body, kChunkHeaderSize, SubChunkRun::Unknown, 0, &item, budget);
      if (omitted != nullptr) *omitted = budget.omitted;
      return item;
  }
  if (Outcome<std::string> name = ReadChunkName(chunk); name.ok()) item.value = std::move(name.value());
  if (FindNameSubChunk(chunk)) item.valueKind = ValueKind::Name;
  if (omitted != nullptr) *omitted = budget.omitted;
  return item;
}

std::optional<StructureNode> DescribeItemSubChunk(ByteView chunk, std::span<const KnownSubChunk* const> entries,
                                                  bool shown) {
  uint16_t type = 0;
  uint32_t size = 0;
  if (!chunk.ReadU16(0, type) || !chunk.ReadU32(2, size)) return std::nullopt;
  const SubChunkRun run = type == kObjectChunk       ? SubChunkRun::Object
                          : type == kDefinitionChunk ? SubChunkRun::Definition
                                                     : SubChunkRun::Unknown;
  if (run == SubChunkRun::Unknown) return std::nullopt;
  const ByteView body = ChunkBody(chunk);
  SubChunkWalk walk(body, Overrun::GivenOut);
  for (SubChunk sub; walk.Next(sub);) {
    const KnownSubChunk* known = FindKnownSubChunk(run, sub.Type);
    if (known == nullptr || std::find(entries.begin(), entries.end(), known) == entries.end()) continue;
    StructureNode node;
    DescribeSubChunk(body, kChunkHeaderSize, sub, known, node, shown);
    if (node.valueKind != ValueKind::None) return node;
  }
  return std::nullopt;
}

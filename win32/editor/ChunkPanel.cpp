#include "editor/ChunkPanel.h"

#include "scene/Hex.h"
#include "scene/PrintedName.h"
#include "structure/StructureLines.h"
#include "structure/ValueEditing.h"

namespace {

// In the panel's client area as designed: the structure above, the bytes
// below taking what the panel grows by in height.
constexpr toolkit::Bounds kStructureBounds{4, 4, 559, 262};
constexpr toolkit::Bounds kBytesBounds{4, 270, 559, 320};
const toolkit::FontSpec kStructureFont{.height = 14};
const toolkit::FontSpec kBytesFont{"Courier New", 13, true};

// The line's text before its value: where the value box starts.
std::string BeforeValue(const StructureNode& line) {
  StructureNode head;
  head.kind = line.kind;
  head.offset = line.offset;
  head.type = line.type;
  head.size = line.size;
  head.what = line.what;
  return StructureLine(head) + ": ";
}

// The bytes as the bytes box shows them to be typed over: "0A 1B".
std::string SpacedHex(ByteView bytes) {
  std::string text;
  for (size_t at = 0; at < bytes.Length(); ++at) text += (at > 0 ? " " : "") + HexUpper(bytes.Data()[at], 2);
  return text;
}

// The height of a box that shows one line of its font.
int BoxHeight(HFONT font) { return toolkit::TextExtent(font, "0").cy + 6; }

}  // namespace

ChunkPanel::ChunkPanel(toolkit::Window& parent, const toolkit::Bounds& bounds,
                       std::function<bool(const TypedOver&)> onTyped)
    : panel_(parent, {.bounds = bounds, .anchors = toolkit::kAnchorsAll}),
      view_(panel_, structure_.Model(),
            {.bounds = kStructureBounds,
             .anchors = toolkit::kAnchorLeft | toolkit::kAnchorTop | toolkit::kAnchorRight,
             .font = kStructureFont,
             .checkBoxes = false,
             .onSelect = [this] { ShowSelectedBytes(); },
             .onEditKey = [this](toolkit::TreeModelNode& node) { EditLine(node); }}),
      bytes_(panel_, {.bounds = kBytesBounds,
                      .anchors = toolkit::kAnchorsAll,
                      .font = kBytesFont,
                      .onEditKey =
                          [this] {
                            if (auto* selected = view_.Selected()) EditLine(*selected);
                          }}),
      valueBox_(view_, {.font = kStructureFont, .onEnter = [this](const std::string& text) { Typed(text, false); }}),
      bytesBox_(bytes_, {.font = kBytesFont, .onEnter = [this](const std::string& text) { Typed(text, true); }}),
      onTyped_(std::move(onTyped)) {}

void ChunkPanel::ShowChunk(const Chunk& chunk, bool sameItem) {
  if (chunk == shown_ && chunk.Length() == shown_.Length() && !showingMessage_) return;
  valueBox_.Close();
  bytesBox_.Close();
  const toolkit::TreeModelNode* selected = sameItem ? view_.Selected() : nullptr;
  const std::vector<size_t> path = selected != nullptr ? StructureTree::PathOf(*selected) : std::vector<size_t>();
  shown_ = chunk;
  showingMessage_ = false;
  {
    toolkit::RedrawPause pause(view_);
    if (shown_) {
      structure_.Show(shown_.Bytes());
      ExpandBelow(nullptr);
      if (!path.empty()) view_.Select(structure_.NodeAt(path));
    } else {
      structure_.Clear();
    }
  }
  ShowSelectedBytes();
}

void ChunkPanel::ShowMessage(const std::string& text) {
  ShowChunk({});
  bytes_.Show(text);
  showingMessage_ = true;
  dumpedFrom_ = nullptr;
}

void ChunkPanel::ShowSelectedBytes() {
  if (showingMessage_) return;
  const ByteView chunk = shown_.Bytes();
  const auto* node = StructureTreeNode::Of(view_.Selected());
  const size_t offset = node != nullptr ? node->offset : 0;
  const ByteView bytes = node != nullptr ? chunk.Part(node->offset, node->length) : chunk;
  // A selection that moved back, or a chunk shown again, leaves the view be.
  if (bytes.Data() == dumpedFrom_ && bytes.Length() == dumpedLength_ && dumpedFrom_ != nullptr) return;
  dumpedFrom_ = bytes.Data();
  dumpedLength_ = bytes.Length();
  bytes_.Show(HexDump(bytes, offset, kShownBytes));
}

void ChunkPanel::ExpandBelow(toolkit::TreeModelNode* node) {
  for (toolkit::TreeModelNode* child = node != nullptr ? node->FirstChild() : structure_.Model().FirstTopLevel();
       child != nullptr; child = child->NextSibling()) {
    if (child->FirstChild() == nullptr) continue;
    view_.Expand(*child);
    ExpandBelow(child);
  }
}

void ChunkPanel::EditLine(toolkit::TreeModelNode& node) {
  const StructureNode* line = StructureTreeNode::Of(&node)->line;
  if (line == nullptr || showingMessage_) return;
  if (line->valueKind != ValueKind::None)
    OpenValueBox(node, *line);
  else if (BytesEditable(*line) && line->length > 0)
    OpenBytesBox(*line);
}

void ChunkPanel::OpenValueBox(const toolkit::TreeModelNode& node, const StructureNode& line) {
  RECT text{};
  HTREEITEM item = view_.ControlItem(node);
  if (item == nullptr || !TreeView_GetItemRect(view_.Handle(), item, &text, TRUE)) return;
  RECT client{};
  GetClientRect(view_.Handle(), &client);
  // The label's own margin, as the tree draws it, before the text.
  const int left = text.left + 2 + toolkit::TextExtent(view_.FontHandle(), BeforeValue(line)).cx;
  const int height = BoxHeight(view_.FontHandle());
  const int top = (text.top + text.bottom - height) / 2;
  offeredValue_ = ShownText(line.value);
  valueBox_.Open({left - 3, top, client.right, top + height}, offeredValue_);
}

void ChunkPanel::OpenBytesBox(const StructureNode& line) {
  RECT client{};
  GetClientRect(bytes_.Handle(), &client);
  valueBox_.Close();
  bytesBox_.Open({0, 0, client.right, BoxHeight(bytes_.FontHandle())}, SpacedHex(LeafBytes(shown_.Bytes(), line)));
}

void ChunkPanel::Typed(const std::string& text, bool bytes) {
  const auto* node = StructureTreeNode::Of(view_.Selected());
  if (node == nullptr || node->line == nullptr) return;
  // A value left as offered is no edit, even where \xHH stands for a byte
  // that the box can't show.
  if (!bytes && text == offeredValue_) {
    valueBox_.Close();
    return;
  }
  // The box closes once it was taken; the panel then shows the chunk anew.
  if (onTyped_({structure_.Described(), *node->line, text, bytes})) {
    valueBox_.Close();
    bytesBox_.Close();
  }
}

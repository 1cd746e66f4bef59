#include "editor/ChunkPanel.h"

#include <algorithm>

#include "scene/Hex.h"
#include "scene/PrintedName.h"
#include "structure/StructureLines.h"
#include "structure/ValueEditing.h"

namespace {

// In the panel's client area as designed: the headings, the structure below
// them and the bytes below it. The structure then takes the height its lines
// need, up to what leaves the bytes some lines, and the bytes the rest.
constexpr POINT kHeadingsPlace{6, 4};
constexpr toolkit::Bounds kStructureBounds{4, 22, 559, 244};
constexpr toolkit::Bounds kBytesBounds{4, 270, 559, 320};
constexpr int kPaneGap = kBytesBounds.top - kStructureBounds.top - kStructureBounds.height;
constexpr int kLeastStructureLines = 4;
constexpr int kLeastBytesLines = 6;
// What each structure line gives, in its order.
constexpr char kHeadings[] = "offset  type  size  what: value";
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
    : panel_(parent, {.bounds = bounds, .anchors = toolkit::kAnchorsAll, .onResize = [this] { PlacePanes(); }}),
      headings_(panel_, {.text = kHeadings, .position = kHeadingsPlace, .font = kStructureFont}),
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
      onTyped_(std::move(onTyped)) {
  PlacePanes();
}

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
  PlacePanes();
  ShowSelectedBytes();
}

void ChunkPanel::PlacePanes() {
  // The layout has put both panes where the panel's edges say: the
  // structure's top and sides, the bytes' bottom stay as it put them.
  const RECT structure = view_.BoundsInParent();
  const auto top = static_cast<int>(structure.top);
  const auto bottom = static_cast<int>(bytes_.BoundsInParent().bottom);
  const auto left = static_cast<int>(structure.left);
  const auto width = static_cast<int>(structure.right - structure.left);
  const int gap = toolkit::ScaleToDpi(kPaneGap, panel_.Dpi());
  // The height of a pane that shows `count` lines, its frame included.
  const auto lines = [](const toolkit::Control& pane, int count, int lineHeight) {
    RECT outer{};
    RECT client{};
    GetWindowRect(pane.Handle(), &outer);
    GetClientRect(pane.Handle(), &client);
    return count * lineHeight + static_cast<int>(outer.bottom - outer.top - client.bottom);
  };
  const auto itemHeight = static_cast<int>(SendMessageW(view_.Handle(), TVM_GETITEMHEIGHT, 0, 0));
  const auto items = static_cast<int>(SendMessageW(view_.Handle(), TVM_GETCOUNT, 0, 0));
  const int most = bottom - top - gap -
                   lines(bytes_, kLeastBytesLines, static_cast<int>(toolkit::TextExtent(bytes_.FontHandle(), "0").cy));
  const auto place = [&](int height) {
    // A few lines at least, but never past the panel's bottom.
    height = std::max(std::min(height, most), lines(view_, kLeastStructureLines, itemHeight));
    height = std::max(std::min(height, bottom - top - gap), 0);
    SetWindowPos(view_.Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(bytes_.Handle(), nullptr, left, top + height + gap, width, std::max(bottom - top - height - gap, 0),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  };
  const int needed = lines(view_, items, itemHeight);
  place(needed);
  // Lines wider than the pane bring a scroll bar, which takes a line's room.
  if ((GetWindowLongW(view_.Handle(), GWL_STYLE) & WS_HSCROLL) != 0) place(needed + GetSystemMetrics(SM_CYHSCROLL));
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

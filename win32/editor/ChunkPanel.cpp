#include "editor/ChunkPanel.h"

#include "structure/StructureLines.h"

namespace {

// In the panel's client area as designed: the structure above, the bytes
// below taking what the panel grows by in height.
constexpr toolkit::Bounds kStructureBounds{4, 4, 559, 262};
constexpr toolkit::Bounds kBytesBounds{4, 270, 559, 320};

}  // namespace

ChunkPanel::ChunkPanel(toolkit::Window& parent, const toolkit::Bounds& bounds)
    : panel_(parent, {.bounds = bounds, .anchors = toolkit::kAnchorsAll}),
      view_(panel_, structure_.Model(),
            {.bounds = kStructureBounds,
             .anchors = toolkit::kAnchorLeft | toolkit::kAnchorTop | toolkit::kAnchorRight,
             .font = {.height = 14},
             .checkBoxes = false,
             .onSelect = [this] { ShowSelectedBytes(); }}),
      bytes_(panel_, {.bounds = kBytesBounds, .anchors = toolkit::kAnchorsAll, .font = {"Courier New", 13, true}}) {}

void ChunkPanel::ShowChunk(const Chunk& chunk) {
  if (chunk == shown_ && chunk.Length() == shown_.Length() && !showingMessage_) return;
  shown_ = chunk;
  showingMessage_ = false;
  {
    toolkit::RedrawPause pause(view_);
    if (shown_) {
      structure_.Show(shown_.Bytes());
      ExpandBelow(nullptr);
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

#pragma once
// The side panel: what the chunk of the scene tree's selected node holds, as
// the tree of its sub-chunks and fields (each the line scene2 show gives it,
// all opened), and below it the bytes of the node selected there (of the
// whole chunk while none is); or a message, such as why a load failed.

#include <string>

#include "editing/StructureTree.h"
#include "scene/Chunk.h"
#include "toolkit/Panel.h"
#include "toolkit/TextView.h"
#include "toolkit/TreeView.h"

class ChunkPanel {
 public:
  // A hex view of more than this would keep the editor waiting for the
  // control to take the text; one line tells how many bytes are left out.
  static constexpr size_t kShownBytes = 64 << 10;

  ChunkPanel(toolkit::Window& parent, const toolkit::Bounds& bounds);

  // Shows `chunk`, or nothing for no chunk. The same bytes again leave the
  // panel as it is, with what is selected in it.
  void ShowChunk(const Chunk& chunk);
  // Shows `text` in UTF-8 where the bytes go, and no chunk.
  void ShowMessage(const std::string& text);

  const toolkit::TreeView& StructureView() const { return view_; }
  const toolkit::TextView& BytesView() const { return bytes_; }

 private:
  void ShowSelectedBytes();
  // Opens every node of the structure tree below `node`.
  void ExpandBelow(toolkit::TreeModelNode* node);

  toolkit::Panel panel_;
  StructureTree structure_;  // before the view that shows it
  toolkit::TreeView view_;
  toolkit::TextView bytes_;
  Chunk shown_;
  bool showingMessage_ = false;
  // The bytes that the hex view shows, by where they start and end.
  const uint8_t* dumpedFrom_ = nullptr;
  size_t dumpedLength_ = 0;
};

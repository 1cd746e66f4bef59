#pragma once
// The side panel: what the chunk of the scene tree's selected node holds, as
// the tree of its sub-chunks and fields (each the line scene2 show gives it,
// all opened, under headings that say what the line gives, as tall as its
// lines need while the bytes keep some lines), and below it the bytes of the node selected there (of the
// whole chunk while none is); or a message, such as why a load failed. A
// line's value, or the bytes of a leaf that no value describes, is typed
// over in a box opened on it by F2, Enter or a double-click, on the line or
// on the hex view.

#include <functional>
#include <string>

#include "editing/StructureTree.h"
#include "scene/Chunk.h"
#include "toolkit/InPlaceEdit.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/TextView.h"
#include "toolkit/TreeView.h"

// What was typed over in the panel, for the chunk shown.
struct TypedOver {
  const StructureNode& root;  // the shown chunk's description
  const StructureNode& line;  // the line of `root` typed over
  std::string text;           // UTF-8, as typed
  bool bytes = false;         // the line's bytes in hexadecimal, not its value
};

class ChunkPanel {
 public:
  // A hex view of more than this would keep the editor waiting for the
  // control to take the text; one line tells how many bytes are left out.
  static constexpr size_t kShownBytes = 64 << 10;

  // `onTyped`: true when the text was taken; the box then closes, else it
  // stays open with the text to mend.
  ChunkPanel(toolkit::Window& parent, const toolkit::Bounds& bounds, std::function<bool(const TypedOver&)> onTyped);

  // Shows `chunk`, or nothing for no chunk. The same bytes again leave the
  // panel as it is, with what is selected in it. `sameItem`: the chunk is
  // the one shown before, changed, and the line selected stays selected.
  void ShowChunk(const Chunk& chunk, bool sameItem = false);
  // Shows `text` in UTF-8 where the bytes go, and no chunk.
  void ShowMessage(const std::string& text);

  const toolkit::TreeView& StructureView() const { return view_; }
  const toolkit::TextView& BytesView() const { return bytes_; }
  // The box that a line's value is typed over in, and a leaf's bytes.
  const toolkit::InPlaceEdit& ValueBox() const { return valueBox_; }
  const toolkit::InPlaceEdit& BytesBox() const { return bytesBox_; }

 private:
  void ShowSelectedBytes();
  // The structure as tall as its lines need, the bytes below it taking the rest.
  void PlacePanes();
  // Opens every node of the structure tree below `node`.
  void ExpandBelow(toolkit::TreeModelNode* node);
  // Opens the box for what the node's line lets be typed over, if anything.
  void EditLine(toolkit::TreeModelNode& node);
  void OpenValueBox(const toolkit::TreeModelNode& node, const StructureNode& line);
  void OpenBytesBox(const StructureNode& line);
  // Hands what the box holds to onTyped, for the line selected.
  void Typed(const std::string& text, bool bytes);

  toolkit::Panel panel_;
  toolkit::Label headings_;
  StructureTree structure_;  // before the view that shows it
  toolkit::TreeView view_;
  toolkit::TextView bytes_;
  toolkit::InPlaceEdit valueBox_;
  toolkit::InPlaceEdit bytesBox_;
  std::function<bool(const TypedOver&)> onTyped_;
  Chunk shown_;
  std::string offeredValue_;  // what the value box opened with
  bool showingMessage_ = false;
  // The bytes that the hex view shows, by where they start and end.
  const uint8_t* dumpedFrom_ = nullptr;
  size_t dumpedLength_ = 0;
};

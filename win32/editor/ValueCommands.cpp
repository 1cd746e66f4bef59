// Typing over a value, or a leaf's bytes, in the side panel: one edit of the
// document, undone as any other.
#include <algorithm>

#include "editing/StatusText.h"
#include "editor/Form1.h"
#include "scene/TypedText.h"
#include "scene/Windows1251.h"
#include "structure/StructureLines.h"
#include "structure/ValueEditing.h"

namespace {

// The edit's name for an undo, before " of " and the chunk's name.
std::string FieldName(const TypedOver& typed) {
  if (typed.bytes) return "bytes at " + std::to_string(LeafStart(typed.line));
  return ValueName(typed.line);
}

}  // namespace

bool TForm1::TypeOver(const TypedOver& typed) {
  const SceneNode* selected = SceneNode::Of(tree_.Selected());
  PStream chunk = selected != nullptr ? document_->Core().Get(selected->chunk) : nullptr;
  if (chunk == nullptr) return true;  // the chunk went meanwhile: nothing to apply it to
  // Scene text is Windows-1251, whatever the system's code page.
  const TypedBytes value = typed.bytes ? TypedBytes{} : BytesOfTyped(typed.text);
  if (!value.refusal.empty()) {
    ShowError(value.refusal);
    return false;
  }
  const Outcome<Chunk> rebuilt = typed.bytes ? WithBytes(chunk.Bytes(), typed.root, typed.line, typed.text)
                                             : WithValue(chunk.Bytes(), typed.root, typed.line, value.bytes);
  if (!rebuilt.ok()) {
    ShowError(rebuilt.failure().message);
    return false;
  }
  // Enter on a value left as it was closes the box; the scene is as saved.
  const ByteView before = chunk.Bytes();
  const ByteView after = rebuilt.value().Bytes();
  if (std::equal(before.Data(), before.Data() + before.Length(), after.Data(), after.Data() + after.Length()))
    return true;
  // A name that another chunk holds is refused with a rename's box.
  bool taken = false;
  EditScene([&] { taken = document_->SetChunkValue(chunk, rebuilt.value(), FieldName(typed)); });
  if (taken) ReportOutcome(ChangedStatus(Utf8FromWindows1251(document_->Core().NextUndo())));
  return taken;
}

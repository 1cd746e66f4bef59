// The "Edit" menu, the tree menu and the search menu.
#include <array>
#include <stdexcept>

#include "editor/ChunkCommands.h"
#include "editor/Form1.h"
#include "editor/SoundChunk.h"
#include "scene/DncImport.h"
#include "scene/Exception.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ProgressWindow.h"
#include "toolkit/WaitCursor.h"

namespace {

ProgressReport Reporter(toolkit::ProgressWindow& window) {
  return [&window](size_t done, size_t total) { return window.Report(done, total); };
}

}  // namespace

void TForm1::ExportSelected() {
  ExportTally tally;
  {
    toolkit::WaitCursor waiting;
    toolkit::ProgressWindow progress(hwnd_, "Exporting", "files");
    TDncExport dncExport(dncFolder_);  // a folder that can't be made shows as files not written
    ExportChecked(*Nodes().scene2, *document_, dncExport, tally, Reporter(progress));
  }
  toolkit::ShowMessageBox(hwnd_, ExportSummary(tally, dncFolder_), caption_, MB_ICONINFORMATION);
}

void TForm1::ImportFiles() {
  if (!importDialog_.Execute(hwnd_, toolkit::FileDialogMode::Open)) return;
  ImportTally tally;
  {
    toolkit::WaitCursor waiting;
    toolkit::RedrawPause pause(tree_);
    toolkit::ProgressWindow progress(hwnd_, "Importing", "files");
    EditScene([&](TreeEdit& edit) {
      // A refused file ends the command before the scene changes; its box says why.
      Outcome<ImportTally> imported = ImportDncFiles(*document_, importDialog_.FileNames(), Reporter(progress));
      if (!imported.ok()) throw std::runtime_error(imported.failure().message);
      tally = std::move(imported.value());
      ShowImported(tally.chunks, *document_, sceneTree_, edit);
    });
  }
  toolkit::ShowMessageBox(hwnd_, ImportSummary(tally), caption_, MB_ICONINFORMATION);
}

void TForm1::DeleteSelected() {
  toolkit::WaitCursor waiting;
  toolkit::RedrawPause pause(tree_);
  std::array<SceneNode*, kSceneSectionCount> sections{};
  for (const SceneSection& section : kSceneSections) sections[SectionIndex(section)] = Nodes().OfSection(section);
  toolkit::ProgressWindow progress(hwnd_, "Deleting", "items");
  EditScene([&](TreeEdit& edit) { DeleteChecked(sections, *document_, sceneTree_, edit, Reporter(progress)); });
}

void TForm1::RenameSelected() {
  if (SceneNode* node = SceneNode::Of(tree_.Selected()); node != nullptr)
    EditScene([&](TreeEdit& edit) { RenameNode(sceneTree_, *node, *document_, edit); });
}

void TForm1::UndoEdit() { StepHistory(&TreeHistory::Undo); }

void TForm1::RedoEdit() { StepHistory(&TreeHistory::Redo); }

void TForm1::StepHistory(bool (TreeHistory::*step)(SceneDocument&, SceneTree&, std::optional<NodeKey>&)) {
  std::optional<NodeKey> select;
  {
    toolkit::WaitCursor waiting;
    toolkit::RedrawPause pause(tree_);
    (treeHistory_.*step)(*document_, sceneTree_, select);
  }
  SelectNode(select);
}

void TForm1::EditScene(const std::function<void(TreeEdit&)>& command) {
  const uint64_t before = document_->CurrentEdit();
  TreeEdit edit;
  if (const SceneNode* selected = SceneNode::Of(tree_.Selected())) edit.selected = KeyOf(sceneTree_, *selected);
  try {
    command(edit);
  } catch (...) {
    // What it did before it failed is one edit too.
    treeHistory_.Record(before, *document_, std::move(edit));
    throw;
  }
  treeHistory_.Record(before, *document_, std::move(edit));
}

void TForm1::SelectNode(const std::optional<NodeKey>& key) {
  if (!key) return;
  if (SceneNode* node = FindNode(sceneTree_, *key)) {
    tree_.MakeVisible(*node);
    tree_.Select(node);
  }
}

void TForm1::EditSelectedSound() {
  const SceneNode* selected = SceneNode::Of(tree_.Selected());
  if (!IsSoundNode(selected, *document_)) return;
  const ChunkId sound = selected->chunk;
  Chunk edited = soundPlugin_.Edit(document_->Get(sound).Bytes());
  if (!edited) return;
  // The dialog's loop ran the program's messages: the chunk, and its node,
  // may have gone meanwhile, so both are looked for again.
  PStream chunk = document_->Get(sound);
  SceneNode* node = chunk == nullptr
                        ? nullptr
                        : FindInFolders(*Nodes().objects, [sound](const SceneNode& n) { return n.chunk == sound; });
  if (node == nullptr)
    throw Exception(Exception::Code::Invalid,
                    "The sound object is no longer in the scene; its new settings were not applied.");
  EditScene([&](TreeEdit& edit) {
    edit.selected = KeyOf(sceneTree_, *node);
    std::string newName;
    // A refusal (a name that another object has) shows its own box.
    if (document_->ReplaceChunkData(chunk, PStream(std::move(edited)), newName))
      edit.SetText(sceneTree_, *node, newName);
  });
}

void TForm1::NewSound() {
  Chunk created = soundPlugin_.Edit(ByteView());
  if (!created) return;
  SceneNode* node = nullptr;
  EditScene([&](TreeEdit& edit) {
    std::string name;
    const PStream added = document_->AddChunk(std::move(created), name);
    if (added == nullptr) return;  // the name is taken: the box said so
    node = &edit.AddChunkNode(sceneTree_, added);
    edit.selected = KeyOf(sceneTree_, *node);
  });
  if (node == nullptr) return;
  tree_.MakeVisible(*node);
  tree_.Select(node);
}

// The "Edit" menu, the tree menu and the search menu.
#include <array>
#include <stdexcept>

#include "editing/ChunkCommands.h"
#include "editing/SoundChunk.h"
#include "editing/StatusText.h"
#include "editor/Form1.h"
#include "scene/DncImport.h"
#include "scene/Exception.h"
#include "scene/Windows1251.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ProgressWindow.h"
#include "toolkit/WaitCursor.h"

namespace {

// Where the user stopped a command's progress, if they did.
struct Stop {
  bool stopped = false;
  size_t done = 0;
  size_t total = 0;
};

ProgressReport Reporter(toolkit::ProgressWindow& window, Stop* stop = nullptr) {
  return [&window, stop](size_t done, size_t total) {
    const bool goOn = window.Report(done, total);
    if (!goOn && stop != nullptr) *stop = {true, done, total};
    return goOn;
  };
}

std::string Shown(const std::string& name) { return Utf8FromWindows1251(name); }

}  // namespace

void TForm1::ExportSelected() {
  ExportTally tally;
  {
    toolkit::WaitCursor waiting;
    toolkit::ProgressWindow progress(hwnd_, "Exporting", "files");
    TDncExport dncExport(dncFolder_);  // a folder that can't be made shows as files not written
    ExportChecked(*Nodes().scene2, document_->Core(), dncExport, tally, Reporter(progress));
  }
  ReportOutcome(ExportedStatus(tally));
  toolkit::ShowMessageBox(hwnd_, ExportSummary(tally, dncFolder_), caption_, MB_ICONINFORMATION);
}

void TForm1::ImportFiles() {
  if (!importDialog_.Execute(hwnd_, toolkit::FileDialogMode::Open)) return;
  ImportTally tally;
  Stop stop;
  {
    toolkit::WaitCursor waiting;
    toolkit::RedrawPause pause(tree_);
    toolkit::ProgressWindow progress(hwnd_, "Importing", "files");
    EditScene(
        [&] {
          // A refused file ends the command before the scene changes; its box says why.
          Outcome<ImportTally> imported =
              ImportDncFiles(document_->Core(), importDialog_.FileNames(), Reporter(progress, &stop));
          if (!imported.ok()) throw std::runtime_error(imported.failure().message);
          tally = std::move(imported.value());
        },
        &tally.chunks);
  }
  ReportOutcome(stop.stopped ? ImportCancelledStatus(stop.done, stop.total, tally) : ImportedStatus(tally));
  toolkit::ShowMessageBox(hwnd_, stop.stopped ? outcome_ : ImportSummary(tally), caption_, MB_ICONINFORMATION);
}

void TForm1::DeleteSelected() {
  toolkit::WaitCursor waiting;
  toolkit::RedrawPause pause(tree_);
  std::array<SceneNode*, kSceneSectionCount> sections{};
  for (const SceneSection& section : kSceneSections) sections[SectionIndex(section)] = Nodes().OfSection(section);
  const uint64_t before = SectionChunkCount(document_->Core());
  Stop stop;
  {
    toolkit::ProgressWindow progress(hwnd_, "Deleting", "items");
    EditScene([&] { DeleteChecked(sections, *document_, sceneTree_, treeFollower_, Reporter(progress, &stop)); });
  }
  const uint64_t deleted = before - SectionChunkCount(document_->Core());
  if (stop.stopped)
    ReportOutcome(DeleteCancelledStatus(deleted));
  else
    ReportOutcome(deleted > 0 ? DeletedStatus(deleted) : NothingCheckedStatus());
}

void TForm1::DeleteWithKey() {
  if (CheckedChunkCount(*Nodes().scene2) > 0) {
    DeleteSelected();
    return;
  }
  SceneNode* selected = SceneNode::Of(tree_.Selected());
  size_t deleted = 0;
  if (selected != nullptr)
    EditScene([&] { deleted = DeleteNode(*selected, document_->Core(), sceneTree_, treeFollower_); });
  ReportOutcome(deleted > 0 ? DeletedStatus(deleted) : NothingToDeleteStatus());
}

void TForm1::RenameSelected() {
  const SceneNode* node = SceneNode::Of(tree_.Selected());
  if (node == nullptr) return;
  const std::string oldName = node->Text();
  const uint64_t before = document_->Core().CurrentEdit();
  EditScene([&] { RenameNode(*node, *document_); });
  const SceneNode* renamed = SceneNode::Of(tree_.Selected());
  if (document_->Core().CurrentEdit() != before && renamed != nullptr)
    ReportOutcome(RenamedStatus(Shown(oldName), Shown(renamed->Text())));
}

void TForm1::UndoEdit() { StepHistory(&SceneDocument::Undo); }

void TForm1::RedoEdit() { StepHistory(&SceneDocument::Redo); }

void TForm1::StepHistory(bool (SceneDocument::*step)()) {
  // The edit an undo takes back is the newest before it; a redo's, after it.
  uint64_t edit = document_->Core().CurrentEdit();
  const bool undo = step == &SceneDocument::Undo;
  const std::string name = Shown(undo ? document_->Core().NextUndo() : document_->Core().NextRedo());
  {
    toolkit::WaitCursor waiting;
    toolkit::RedrawPause pause(tree_);
    if (!(document_->Core().*step)()) return;
    treeFollower_.Follow(sceneTree_, document_->Core());
  }
  ReportOutcome(undo ? UndoneStatus(name) : RedoneStatus(name));
  if (!undo) edit = document_->Core().CurrentEdit();
  const auto workedOn = workedOn_.find(edit);
  if (workedOn == workedOn_.end()) return;
  if (SceneNode* node = FindNode(sceneTree_, workedOn->second)) {
    tree_.MakeVisible(*node);
    tree_.Select(node);
  }
}

void TForm1::EditScene(const std::function<void()>& command, const std::vector<ChunkId>* order) {
  const uint64_t before = document_->Core().CurrentEdit();
  std::optional<NodeKey> selected;
  if (const SceneNode* node = SceneNode::Of(tree_.Selected())) selected = KeyOf(sceneTree_, *node);
  const auto follow = [&] {
    if (document_->Core().CurrentEdit() == before) {
      treeFollower_.Unchanged();  // refused, or nothing to do
      return;
    }
    treeFollower_.Follow(sceneTree_, document_->Core(),
                         order != nullptr ? std::span(*order) : std::span<const ChunkId>());
    if (!selected) return;
    workedOn_[document_->Core().CurrentEdit()] = *selected;
    // A chunk that went to another folder (its object type changed) has a
    // new node there; the selection goes with it, and stays in sight.
    SceneNode* node = selected->kind == SceneNodeKind::Chunk ? FindNode(sceneTree_, *selected) : nullptr;
    if (node == nullptr) return;
    tree_.MakeVisible(*node);
    if (SceneNode::Of(tree_.Selected()) != node) tree_.Select(node);
  };
  try {
    command();
  } catch (...) {
    // What it did before it failed is one edit too.
    follow();
    throw;
  }
  follow();
}

void TForm1::EditSelectedSound() {
  const SceneNode* selected = SceneNode::Of(tree_.Selected());
  if (!IsSoundNode(selected, document_->Core())) return;
  const ChunkId sound = selected->chunk;
  Chunk edited = soundPlugin_.Edit(document_->Core().Get(sound).Bytes());
  if (!edited) return;
  // The dialog's loop ran the program's messages: the chunk, and its node,
  // may have gone meanwhile, so both are looked for again.
  ChunkRef chunk = document_->Core().Get(sound);
  SceneNode* node = chunk == nullptr
                        ? nullptr
                        : FindInFolders(*Nodes().objects, [sound](const SceneNode& n) { return n.chunk == sound; });
  if (node == nullptr)
    throw Exception(Exception::Code::Invalid,
                    "The sound object is no longer in the scene; its new settings were not applied.");
  // A refusal (a name that another object has) shows its own box.
  bool replaced = false;
  EditScene([&] {
    std::string newName;
    replaced = document_->ReplaceChunkData(chunk, ChunkRef(std::move(edited)), newName);
  });
  // The node of the edit is the one selected now, with the name the dialog may have changed.
  if (const SceneNode* shown = SceneNode::Of(tree_.Selected()); replaced && shown != nullptr)
    ReportOutcome(ChangedStatus("sound settings of " + Shown(shown->Text())));
}

void TForm1::NewSound() {
  Chunk created = soundPlugin_.Edit(ByteView());
  if (!created) return;
  ChunkRef added;
  EditScene([&] {
    std::string name;
    added = document_->AddChunk(std::move(created), name);  // null when the name is taken: the box said so
  });
  SceneNode* node = added == nullptr ? nullptr : sceneTree_.NodeOfChunk(added.id);
  if (node == nullptr) return;
  ReportOutcome(AddedStatus("sound " + Shown(node->Text())));
  workedOn_[document_->Core().CurrentEdit()] = KeyOf(sceneTree_, *node);
  tree_.MakeVisible(*node);
  tree_.Select(node);
}

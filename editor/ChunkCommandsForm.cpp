// The "Edit" menu, the tree menu and the search menu.
#include <array>

#include "editor/ChunkCommands.h"
#include "editor/Form1.h"
#include "editor/SoundChunk.h"
#include "scene/DncImport.h"
#include "scene/Exception.h"
#include "toolkit/MessageBox.h"
#include "toolkit/WaitCursor.h"

void TForm1::ExportSelected() {
  ExportTally tally;
  {
    toolkit::WaitCursor waiting;
    TDncExport dncExport(dncFolder_);  // a folder that can't be made shows as files not written
    ExportChecked(*Nodes().scene2, *document_, dncExport, tally);
  }
  toolkit::ShowMessageBox(hwnd_, ExportSummary(tally, dncFolder_), caption_, MB_ICONINFORMATION);
}

void TForm1::ImportFiles() {
  if (!importDialog_.Execute(hwnd_, toolkit::FileDialogMode::Open)) return;
  ImportTally tally;
  {
    toolkit::WaitCursor waiting;
    // A refused file raises before the scene changes; the menu shows it.
    tally = ImportDncFiles(*document_, importDialog_.FileNames());
    FillTree();
  }
  toolkit::ShowMessageBox(hwnd_, ImportSummary(tally), caption_, MB_ICONINFORMATION);
}

void TForm1::DeleteSelected() {
  toolkit::WaitCursor waiting;
  toolkit::RedrawPause pause(tree_);
  std::array<SceneNode*, kSceneSectionCount> sections{};
  for (const SceneSection& section : kSceneSections) sections[SectionIndex(section)] = Nodes().OfSection(section);
  DeleteChecked(sections, *document_, sceneTree_.Model());
}

void TForm1::RenameSelected() {
  if (SceneNode* node = SceneNode::Of(tree_.Selected()); node != nullptr)
    RenameNode(sceneTree_.Model(), *node, *document_);
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
  std::string newName;
  // A refusal (a name that another object has) shows its own box.
  if (!document_->ReplaceChunkData(chunk, PStream(std::move(edited)), newName)) return;
  sceneTree_.Model().SetText(*node, newName);
}

void TForm1::NewSound() {
  Chunk created = soundPlugin_.Edit(ByteView());
  std::string name;
  if (!created) return;
  const PStream added = document_->AddChunk(std::move(created), name);
  if (added == nullptr) return;  // the name is taken: the box said so
  SceneNode& node = sceneTree_.AddChunkNode(added);
  tree_.MakeVisible(node);
  tree_.Select(&node);
}

void TForm1::FindInSection(SceneNode& section) { ShowFound(FindByPrefix(section, searchField_.Text())); }

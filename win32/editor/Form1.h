#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "editing/EditorRecovery.h"
#include "editing/NodeKey.h"
#include "editing/SceneTree.h"
#include "editing/TreeFollower.h"
#include "editor/ChunkPanel.h"
#include "editor/DncFolder.h"
#include "editor/EditorUi.h"
#include "editor/OverwriteDialog.h"
#include "editor/RecoveryPlace.h"
#include "editor/SoundPlugin.h"
#include "scene/qScene2bin.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/FileDialog.h"
#include "toolkit/Form.h"
#include "toolkit/Menu.h"
#include "toolkit/StatusBar.h"
#include "toolkit/TreeView.h"

// The editor's main window: the scene tree with its check boxes, the jump
// buttons, the search field, the menus, and the one scene document.
class TForm1 final : public toolkit::Form {
 public:
  // `soundPluginPath`: where Ambrel.dll is; `dncFolder`: where exports go,
  // with its trailing backslash. Both beside the program unless a test
  // gives others. `recoveryFolder`: where the user's editors keep their
  // recovery files.
  explicit TForm1(const toolkit::Application& application, std::string soundPluginPath = DefaultSoundPluginPath(),
                  std::string dncFolder = ProgramDncFolder(), const std::string& recoveryFolder = UserRecoveryFolder())
      : TForm1(application, std::move(soundPluginPath), std::move(dncFolder), recoveryFolder, BarItems{}) {}
  static std::string DefaultSoundPluginPath();

  // The commands behind the menus and buttons. Errors reach the caller; the
  // menus and buttons show them in a box.
  void OpenScene();
  // Loads `path` as "open.." loads the file chosen; the file dialog then
  // offers that name.
  void OpenSceneFile(const std::string& path);
  // A path from the command line or dropped on the window: opened as
  // "open.." opens, after the question about unsaved changes, a failure
  // shown in a box as the menu shows it.
  void OpenGivenFile(const std::string& path);
  // At start: offers, one by one, the scenes whose changes editors that
  // ended kept in recovery files, until one is opened or the user cancels.
  void RecoverLeftScenes();
  void SaveScene();
  void SaveSceneAs();
  void ExportSelected();
  void ImportFiles();
  void DeleteSelected();
  // The Delete key in the tree: the checked chunks, or else the selected one.
  void DeleteWithKey();
  void RenameSelected();
  // "copy": the checked chunks, or else the selected one, onto the clipboard
  // in a format of our own and as the lines `scene2 list` prints for them.
  // "paste": the clipboard's chunks added to the scene, each under a name
  // of its own (see SceneDocument::AddCopies), as one edit. "Duplicate": a
  // copy of the selected object or definition added so.
  void CopyChunks();
  void PasteChunks();
  void DuplicateSelected();
  // What was typed over in the side panel, applied to the selected chunk as
  // one edit; false, once a box has said why, when it was refused.
  bool TypeOver(const TypedOver& typed);
  // "undo" and "redo" of the "Edit" menu: the scene and the tree as they were.
  void UndoEdit();
  void RedoEdit();
  // "Sound settings.." on the selected sound object; "New sound..".
  void EditSelectedSound();
  void NewSound();
  void FindInSection(SceneNode& section);
  // The next match after the selected node, in the objects and then the
  // definitions, up to the last definition.
  void FindNext();
  // The search field's text as a name's Windows-1251 bytes; none when it
  // holds a character that they can't.
  std::optional<std::string> SearchedName() const;
  void FocusSearch();
  void ShowSearchMenu();
  void JumpTo(SceneNode& section);
  // Rebuilds the tree from the document, "scene2" opened.
  void FillTree();

  toolkit::TreeView& Tree() { return tree_; }
  SceneTree& Scene() { return sceneTree_; }
  const FixedNodes& Nodes() const { return sceneTree_.Nodes(); }
  TqScene2bin& Document() { return *document_; }
  const std::string& DncFolder() const { return dncFolder_; }
  const toolkit::Menu& SearchMenu() const { return searchMenu_; }
  const toolkit::Menu& TreeMenu() const { return treeMenu_; }
  const ChunkPanel& SidePanel() const { return sidePanel_; }
  EditorRecovery& Recovery() { return recovery_; }

 private:
  // The items of the bar that are greyed at times: "save" and "save as.."
  // while no scene is loaded, "undo" and "redo" while there is nothing to
  // undo or redo.
  struct BarItems {
    UINT save = 0;
    UINT saveAs = 0;
    UINT undo = 0;
    UINT redo = 0;
  };
  // `items` is filled as the bar is made, before the members are.
  TForm1(const toolkit::Application& application, std::string soundPluginPath, std::string dncFolder,
         const std::string& recoveryFolder, BarItems items);
  // Static, and touching nothing of the form: the bar is made before the
  // form's base, which takes it.
  static toolkit::Menu MakeMenuBar(TForm1* form, BarItems& items);
  // A menu action: runs the command and shows in a box what it raises.
  static std::function<void()> Command(TForm1* form, std::function<void()> command);
  toolkit::Menu MakeSearchMenu();
  toolkit::Menu MakeTreeMenu();
  // Greys what the tree menu can't do for the selected node.
  void UpdateTreeMenu() const;
  // Greys "save" and "save as.." while the document holds no scene (what
  // they would write is no scene2.bin), "undo" and "redo" while there is
  // nothing to take back or do again.
  void UpdateBarMenus() const;
  // Shows in the side panel the chunk of the selected node, or why the last
  // load failed while no chunk is selected, or nothing.
  void ShowSelectedChunk();
  // "undo" and "redo" naming what they take back or do again.
  void NameHistoryItems() const;
  // Runs a command that may edit the scene; when it did, also when it then
  // failed, the tree follows the document's change, and the node selected
  // when it ran is the one the edit worked on. `order`: as
  // TreeFollower::Follow takes it, read once the command has run.
  void EditScene(const std::function<void()>& command, const std::vector<ChunkId>* order = nullptr);
  // An undo or a redo of the document, the tree following it unpainted,
  // then the node the edit worked on selected where it is.
  void StepHistory(bool (SceneDocument::*step)());
  // Adds the copies as one edit named with `verb`, the first of them then
  // selected and shown; its node, or null when none was added.
  const SceneNode* AddCopies(std::vector<Chunk> chunks, const std::string& verb);
  // Before unsaved changes would be dropped: asks whether to save them, and
  // saves them when asked to. False when the user cancelled, or the save
  // did not happen: nothing may be dropped then.
  bool SaveChangesFirst();
  // After each command: the recovery file follows the document.
  void FollowRecovery();
  // Opens a recovery file left by another editor (`scene`: the rest of it,
  // its header read to `owner`) as unsaved changes to that file; false,
  // once a box said why, when it could not.
  bool OpenRecovered(const std::string& left, std::unique_ptr<TStream> scene, const std::string& owner);
  // What follows a load, of `path` or as changes to it: the history, the
  // tree, what "save" writes to.
  void ShowLoaded(const Outcome<Done>& loaded, const std::string& path);
  void OnClose() override;
  toolkit::Button JumpButton(const char* text, int left, SceneNode* FixedNodes::*section);
  void ShowError(const std::string& message) const;
  // "save as.."'s dialog: false when cancelled, else the name chosen is
  // the current file.
  bool ChooseSaveName();
  // Writes the scene to the current file: true when it was written whole,
  // else a box has said why.
  bool WriteScene();
  // Selects what a search found; a beep and the search text selected, to be
  // typed over, when it found nothing.
  void ShowFound(SceneNode* found);
  void OnFilesDropped(const std::vector<std::string>& paths) override;
  // The caption and the status line for the document as it stands.
  void ShowStatus();
  // What the last command did, in words, on the status line from now on.
  void ReportOutcome(std::string words);
  // The file's name as the caption and the status line show it.
  std::string FileName() const;
  void OnDestroy() override;

  std::string caption_;
  BarItems barItems_;
  UINT renameItem_ = 0;
  UINT soundSettingsItem_ = 0;
  UINT newSoundItem_ = 0;
  UINT duplicateItem_ = 0;
  toolkit::Menu searchMenu_;
  toolkit::Menu treeMenu_;
  toolkit::Button objectsButton_;
  toolkit::Button definitionsButton_;
  toolkit::Button initScriptsButton_;
  toolkit::Button visualEffectsButton_;
  SceneTree sceneTree_;  // before the view that shows it
  toolkit::TreeView tree_;
  toolkit::Edit searchField_;
  toolkit::Button findButton_;
  ChunkPanel sidePanel_;
  toolkit::StatusBar statusLine_;
  std::string outcome_;  // what the last command did, shown on the status line
  // The chunk the side panel shows, so that its line stays selected while
  // the same chunk is shown changed.
  ChunkId panelChunk_ = 0;
  std::string dncFolder_;
  toolkit::FileDialog fileDialog_;
  toolkit::FileDialog importDialog_;
  TOverwriteDialog overwriteDialog_{hwnd_};
  EditorUi ui_;
  std::unique_ptr<TqScene2bin> document_;
  TreeFollower treeFollower_;
  // The node each edit worked on, by the document's serial for the edit.
  std::unordered_map<uint64_t, NodeKey> workedOn_;
  SoundPlugin soundPlugin_;
  // What "save" writes to without a dialog: the file last chosen by "open.."
  // or "save as..", emptied by an open that failed.
  std::string currentFile_;
  // What the side panel says of the last load when it failed, until the next.
  std::string loadFailure_;
  EditorRecovery recovery_;
};

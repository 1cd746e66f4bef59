#include "editor/Form1.h"

#include "editing/CheckRule.h"
#include "editing/ChunkCommands.h"
#include "editing/SoundChunk.h"
#include "os/WideText.h"
#include "scene/Exception.h"
#include "scene/Windows1251.h"
#include "toolkit/MessageBox.h"
#include "toolkit/Module.h"

namespace {

toolkit::FormArgs MainWindowArgs(toolkit::Menu menuBar) {
  return {.caption = "Form1",
          .position = {199, 228},
          .client = {862, 635},
          .minimum = {640, 480},
          .font = {"Verdana", 16},
          .menuBar = std::move(menuBar),
          .acceptFiles = true};
}

constexpr toolkit::Anchors kLeftBottom = toolkit::kAnchorLeft | toolkit::kAnchorBottom;
constexpr toolkit::Anchors kAlongBottom = kLeftBottom | toolkit::kAnchorRight;

std::wstring ShownName(const std::string& name) { return os::Widen(Utf8FromWindows1251(name)); }

}  // namespace

std::string TForm1::DefaultSoundPluginPath() { return toolkit::ProgramFolder() + "Ambrel.dll"; }

TForm1::TForm1(const toolkit::Application& application, std::string soundPluginPath, std::string dncFolder,
               const std::string& recoveryFolder, BarItems items)
    : Form(MainWindowArgs(MakeMenuBar(this, items))),
      caption_(application.Caption()),
      barItems_(items),
      searchMenu_(MakeSearchMenu()),
      treeMenu_(MakeTreeMenu()),
      objectsButton_(JumpButton("objects", 8, &FixedNodes::objects)),
      definitionsButton_(JumpButton("difinitions", 76, &FixedNodes::definitions)),
      initScriptsButton_(JumpButton("InitScripts", 146, &FixedNodes::initScripts)),
      visualEffectsButton_(JumpButton("VisEffects", 216, &FixedNodes::visualEffects)),
      tree_(*this, sceneTree_.Model(),
            {.bounds = {8, 32, 273, 545},
             .anchors = toolkit::kAnchorLeft | toolkit::kAnchorTop | toolkit::kAnchorBottom,
             .font = {.height = 14},
             .contextMenu = &treeMenu_,
             .beforeContextMenu = [this] { UpdateTreeMenu(); },
             .onCheckBoxFlip =
                 [this](toolkit::TreeModelNode& node) {
                   ApplyCheckRule(sceneTree_.Model(), Nodes(), *SceneNode::Of(&node));
                   ShowStatus();
                 },
             .shownText = ShownName,
             .onSelect =
                 [this] {
                   // A command that selects shows its chunk when it ends.
                   if (!CommandRunning()) ShowSelectedChunk();
                 },
             .onDeleteKey = Command(this, [this] { DeleteWithKey(); })}),
      searchField_(*this, {.bounds = {8, 584, 201, 20},
                           .anchors = kLeftBottom,
                           .onEnter = Command(this, [this] { FindInSection(*Nodes().objects); })}),
      findButton_(*this, {.text = "find",
                          .bounds = {216, 584, 65, 20},
                          .anchors = kLeftBottom,
                          .onClick = Command(this, [this] { ShowSearchMenu(); })}),
      sidePanel_(*this, {288, 8, 569, 596},
                 [this](const TypedOver& typed) {
                   bool taken = false;
                   Command(this, [&] { taken = TypeOver(typed); })();
                   return taken;
                 }),
      statusLine_(*this, {.bounds = {0, 612, 862, 23}, .anchors = kAlongBottom, .partWidths = {190, 210}}),
      dncFolder_(std::move(dncFolder)),
      fileDialog_({.filter = "scene2 file (*.bin)|*.bin|all files|*",
                   .defaultExtension = "bin",
                   .fileMustExist = true,
                   .pathMustExist = true,
                   .overwritePrompt = true,
                   .hideReadOnly = true}),
      importDialog_({.filter = "dnc file (*.dnc)|*.dnc|all files|*",
                     .fileMustExist = true,
                     .pathMustExist = true,
                     .hideReadOnly = true,
                     .allowMultiple = true,
                     .initialFolder = dncFolder_}),
      ui_(caption_, hwnd_),
      document_(NewScene2bin(ui_)),
      soundPlugin_(std::move(soundPluginPath), hwnd_, tree_.Handle()),
      recovery_(recoveryFolder, ThisProcess(), IsRunning) {
  tree_.Expand(*Nodes().scene2);
  UpdateBarMenus();
  AddKeys(treeMenu_, [this] { UpdateTreeMenu(); });
  AddKey(toolkit::Ctrl('F'), [this] { FocusSearch(); });
  AddKey({VK_F3}, Command(this, [this] { FindNext(); }));
  ShowStatus();
}

toolkit::Menu TForm1::MakeMenuBar(TForm1* form, BarItems& items) {
  toolkit::Menu file = toolkit::Menu::Popup();
  file.AddItem("open..", Command(form, [form] { form->OpenScene(); }), {toolkit::Ctrl('O')});
  items.save = file.AddItem("save", Command(form, [form] { form->SaveScene(); }), {toolkit::Ctrl('S')});
  items.saveAs = file.AddItem("save as..", Command(form, [form] { form->SaveSceneAs(); }), {toolkit::CtrlShift('S')});
  file.AddSeparator();
  file.AddItem("export scene to *.chg ..", nullptr);  // no such format: greyed for good
  toolkit::Menu edit = toolkit::Menu::Popup();
  items.undo = edit.AddItem("undo", Command(form, [form] { form->UndoEdit(); }), {toolkit::Ctrl('Z')});
  items.redo =
      edit.AddItem("redo", Command(form, [form] { form->RedoEdit(); }), {toolkit::Ctrl('Y'), toolkit::CtrlShift('Z')});
  edit.AddSeparator();
  edit.AddItem("copy", Command(form, [form] { form->CopyChunks(); }), {toolkit::Ctrl('C')});
  edit.AddItem("paste", Command(form, [form] { form->PasteChunks(); }), {toolkit::Ctrl('V')});
  edit.AddSeparator();
  edit.AddItem("export selected", Command(form, [form] { form->ExportSelected(); }), {toolkit::Ctrl('E')});
  edit.AddItem("import..", Command(form, [form] { form->ImportFiles(); }), {toolkit::Ctrl('I')});
  edit.AddSeparator();
  edit.AddItem("delete selected", Command(form, [form] { form->DeleteSelected(); }));
  toolkit::Menu bar = toolkit::Menu::Bar();
  bar.AddSubmenu("File", std::move(file));
  bar.AddSubmenu("Edit", std::move(edit));
  return bar;
}

toolkit::Menu TForm1::MakeSearchMenu() {
  toolkit::Menu menu = toolkit::Menu::Popup();
  menu.AddItem("in Objects List", Command(this, [this] { FindInSection(*Nodes().objects); }));
  menu.AddItem("in Difinitions List", Command(this, [this] { FindInSection(*Nodes().definitions); }));
  return menu;
}

toolkit::Menu TForm1::MakeTreeMenu() {
  toolkit::Menu menu = toolkit::Menu::Popup();
  renameItem_ = menu.AddItem("Rename", Command(this, [this] { RenameSelected(); }), {{VK_F2}});
  soundSettingsItem_ = menu.AddItem("Sound settings..", Command(this, [this] { EditSelectedSound(); }));
  newSoundItem_ = menu.AddItem("New sound..", Command(this, [this] { NewSound(); }));
  duplicateItem_ = menu.AddItem("Duplicate", Command(this, [this] { DuplicateSelected(); }), {toolkit::Ctrl('D')});
  return menu;
}

void TForm1::UpdateTreeMenu() const {
  const SceneNode* selected = SceneNode::Of(tree_.Selected());
  treeMenu_.SetEnabled(renameItem_, IsRenamable(selected, document_->Core()));
  treeMenu_.SetEnabled(soundSettingsItem_, IsSoundNode(selected, document_->Core()));
  treeMenu_.SetEnabled(newSoundItem_, TakesNewSound(selected, Nodes()));
  treeMenu_.SetEnabled(duplicateItem_, IsRenamable(selected, document_->Core()));
}

void TForm1::UpdateBarMenus() const {
  const bool holdsScene = document_->Core().Heads().Count() > 0;
  MenuBar()->SetEnabled(barItems_.save, holdsScene);
  MenuBar()->SetEnabled(barItems_.saveAs, holdsScene);
  MenuBar()->SetEnabled(barItems_.undo, document_->Core().CanUndo());
  MenuBar()->SetEnabled(barItems_.redo, document_->Core().CanRedo());
  NameHistoryItems();
}

void TForm1::NameHistoryItems() const {
  // The edits are named with the chunks' names, Windows-1251 like them.
  const auto name = [](const char* step, const std::string& edit) {
    return edit.empty() ? std::string(step) : std::string(step) + " " + Utf8FromWindows1251(edit);
  };
  MenuBar()->SetText(barItems_.undo, name("undo", document_->Core().NextUndo()));
  MenuBar()->SetText(barItems_.redo, name("redo", document_->Core().NextRedo()));
}

toolkit::Button TForm1::JumpButton(const char* text, int left, SceneNode* FixedNodes::*section) {
  return toolkit::Button(
      *this,
      {.text = text, .bounds = {left, 8, 64, 22}, .font = {.height = 13}, .flat = true, .onClick = [this, section] {
         JumpTo(*(Nodes().*section));
       }});
}

std::function<void()> TForm1::Command(TForm1* form, std::function<void()> command) {
  return [form, command = std::move(command)] {
    CommandScope running(*form);
    try {
      command();
    } catch (const std::exception& failure) {
      // The tree keeps what the command left; the editor goes on from there.
      form->UpdateBarMenus();
      form->ShowSelectedChunk();
      form->ShowError(FailureMessage(failure));
    }
    form->UpdateBarMenus();
    form->ShowSelectedChunk();
    form->FollowRecovery();
    form->ShowStatus();
  };
}

void TForm1::ShowSelectedChunk() {
  if (!document_) return;  // the window is going
  const SceneNode* selected = SceneNode::Of(tree_.Selected());
  const ChunkRef chunk =
      selected != nullptr && selected->kind == SceneNodeKind::Chunk ? document_->Core().Get(selected->chunk) : nullptr;
  const bool sameChunk = chunk != nullptr && chunk.id == panelChunk_;
  panelChunk_ = chunk != nullptr ? chunk.id : 0;
  if (!chunk && !loadFailure_.empty())
    sidePanel_.ShowMessage(loadFailure_);
  else
    sidePanel_.ShowChunk(chunk.chunk, sameChunk);
}

void TForm1::ShowError(const std::string& message) const {
  toolkit::ShowMessageBox(hwnd_, message, caption_, MB_ICONERROR);
}

void TForm1::JumpTo(SceneNode& section) {
  tree_.MakeVisible(section);
  tree_.Expand(section);
  tree_.Select(&section);
}

void TForm1::FillTree() {
  // Opened also when the fill stops at a type it has no folder for.
  const auto open = [this] {
    tree_.Expand(*Nodes().scene2);
    UpdateBarMenus();
  };
  try {
    sceneTree_.FillTree(document_->Core());
  } catch (...) {
    open();
    throw;
  }
  open();
}

void TForm1::ShowSearchMenu() {
  const RECT window = ScreenRect();
  const RECT button = findButton_.BoundsInParent();
  searchMenu_.TrackAt(hwnd_, {window.left + button.left + 10, window.top + button.top + 60});
}

void TForm1::OnDestroy() {
  // The window goes once the question let the changes go, saved or
  // dropped: so does their recovery file, before the process may end.
  recovery_.Forget();
  recovery_.Finish();
  document_.reset();
  toolkit::Application::Quit();
}

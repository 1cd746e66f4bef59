// tool.exe as a user runs it: opened through the menu and the file dialog or
// from its command line, saved under another name, closed, killed with an
// edit unsaved and started again; its trace captured from standard output.
#include <gtest/gtest.h>

#include "editing/RecoveryFile.h"
#include "os/FileSystem.h"
#include "os/WideText.h"
#include "scene/FileStream.h"
#include "tests/SceneTestSupport.h"
#include "toolkit/TreeView.h"
#include "tools/gui/ToolProcess.h"

namespace {

// CTest passes the program's path as the build system knows it.
std::string ToolPath() { return HostPath(testing::internal::GetArgvs().at(1)); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  if (start != text.size()) lines.push_back("unended: " + text.substr(start));
  return lines;
}

std::string FileText(const std::string& path) {
  const Bytes bytes = ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

// The editors started while it lives keep their recovery files in `folder`.
class RecoveryFolderGiven {
 public:
  explicit RecoveryFolderGiven(const std::string& folder) {
    SetEnvironmentVariableW(L"SCENE2_TOOLS_DATA", os::Widen(folder).c_str());
  }
  ~RecoveryFolderGiven() { SetEnvironmentVariableW(L"SCENE2_TOOLS_DATA", nullptr); }
  RecoveryFolderGiven(const RecoveryFolderGiven&) = delete;
  RecoveryFolderGiven& operator=(const RecoveryFolderGiven&) = delete;
};

// The recovery files in the editors' folders under `root`.
std::vector<std::string> RecoveryFiles(const std::string& root) {
  std::vector<std::string> files;
  os::Result<std::vector<std::string>> editors = os::ListFolder(root);
  if (!editors.ok()) return files;
  for (const std::string& editor : editors.value())
    if (const std::string file = root + editor + "\\scene.recovery"; FileExists(file)) files.push_back(file);
  return files;
}

// The scene that a recovery file keeps.
Bytes RecoveredScene(const std::string& file) {
  os::Result<std::unique_ptr<TFileStream>> opened = TFileStream::OpenRead(file);
  if (!opened.ok() || !ReadRecoveryOwner(*opened.value()).ok()) return {};
  Bytes scene(static_cast<size_t>(opened.value()->Size() - opened.value()->Position()));
  opened.value()->Read(scene.data(), scene.size());
  return scene;
}

}  // namespace

TEST(ToolProcess, OpensThroughTheMenuSavesUnderAnotherNameAndTracesItAll) {
  ScratchFolder scratch;
  const Bytes scene =
      SceneFile({ChunkOf(0x0001, {}), ChunkOf(0x4000, Concat({ObjectChunk("crate", 9), ObjectChunk("horn", 4)})),
                 ChunkOf(0xAE20, DefinitionChunk("door1", 6))});
  const std::string original = WindowsPath(scratch.Path("scene2.bin"));
  const std::string copy = WindowsPath(scratch.Path("copy.bin"));
  const std::string trace = WindowsPath(scratch.Path("trace.txt"));
  WriteFileBytes(original, scene);
  WriteFileBytes(copy, Text("to be replaced"));

  ToolProcess tool(ToolPath(), trace);
  ASSERT_NE(tool.MainWindow(), nullptr);
  HWND tree = FindWindowExA(tool.MainWindow(), nullptr, WC_TREEVIEWA, nullptr);
  EXPECT_EQ(ExpandAll(tree), 5);

  tool.ChooseMenu(0, 0);  // File > open..
  tool.ChooseFile("Open", original);
  // Five fixed nodes, two object folders with one object each, a definition folder with one.
  EXPECT_TRUE(WaitUntil([tree] { return ExpandAll(tree) == 5 + 2 + 2 + 1 + 1; }));

  tool.ChooseMenu(0, 2);  // File > save as..
  tool.ChooseFile("Save As", copy);
  EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(copy) == scene; }));

  EXPECT_EQ(tool.Close(), 0u);
  EXPECT_EQ(Lines(FileText(trace)), (std::vector<std::string>{
                                        "{$DEFINE scene2_DEBUG_MODE}",
                                        "* qScene2bin.clear done *",
                                        "qScene2bin.ReadFromFile: file open",
                                        "TqScene2bin.ReadHeadFromStream: 0001 - done",
                                        "qScene2bin.ReadFromFile: reading head - done",
                                        "qScene2bin.ReadSectionsFromStream BeginOffs: 14",
                                        "qScene2bin.ReadSectionsFromStream sectionSize: 97",
                                        "qScene2bin.ReadSectionsFromStream - done",
                                        "qScene2bin.ReadSectionsFromStream BeginOffs: 111",
                                        "qScene2bin.ReadSectionsFromStream sectionSize: 34",
                                        "qScene2bin.ReadSectionsFromStream - done",
                                        "qScene2bin.ReadFromFile: reading sections - done",
                                        "objects: 2",
                                        "difinition: 1",
                                        "init scripts: 0",
                                        "TqScene2bin.WriteToFile - done",
                                        "* qScene2bin.clear done *",
                                    }));
  EXPECT_EQ(ReadFileBytes(original), scene);
}

TEST(ToolProcess, OpensTheSceneNamedOnItsCommandLineAndOffersItsNameInTheDialog) {
  ScratchFolder scratch;
  const std::string scene = WindowsPath(scratch.Path("my scene.bin"));
  const std::string trace = WindowsPath(scratch.Path("trace.txt"));
  WriteFileBytes(scene, SceneFile({ChunkOf(0x0001, {}), ChunkOf(0x4000, ObjectChunk("crate", 9))}));

  ToolProcess tool(ToolPath(), trace, {scene});
  ASSERT_NE(tool.MainWindow(), nullptr);
  HWND tree = FindWindowExA(tool.MainWindow(), nullptr, WC_TREEVIEWA, nullptr);
  // Five fixed nodes, an object folder and its object.
  EXPECT_TRUE(WaitUntil([tree] { return ExpandAll(tree) == 5 + 1 + 1; }));

  tool.ChooseMenu(0, 0);  // File > open..
  HWND dialog = tool.WaitForWindow(Captioned("Open"));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(FileNameField(dialog)), "my scene.bin");
  CancelDialog(dialog);

  EXPECT_EQ(tool.Close(), 0u);
  const std::vector<std::string> lines = Lines(FileText(trace));
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[2], "qScene2bin.ReadFromFile: file open");
}

TEST(ToolProcess, ItsConsoleHasNoCloseItem) {
  ScratchFolder scratch;
  ToolProcess tool(ToolPath(), WindowsPath(scratch.Path("trace.txt")));
  HWND console = tool.ConsoleWindow();
  ASSERT_NE(console, nullptr);
  const HMENU menu = GetSystemMenu(console, FALSE);
  if (menu == nullptr)
    GTEST_SKIP() << "Wine gives no other process's system menu: what tool.exe did to its console's can't be seen";
  EXPECT_EQ(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST(ToolProcess, ItsConsoleOpensBesideTheMainWindowClearOfItsMenu) {
  ScratchFolder scratch;
  ToolProcess tool(ToolPath(), WindowsPath(scratch.Path("trace.txt")));
  HWND console = tool.ConsoleWindow();
  ASSERT_NE(console, nullptr);
  RECT main{};
  GetWindowRect(tool.MainWindow(), &main);
  // The caption and the menu bar: the window above its client area.
  POINT client{0, 0};
  ClientToScreen(tool.MainWindow(), &client);
  const RECT top{main.left, main.top, main.right, client.y};
  RECT shown{};
  // It is moved once the main window shows.
  EXPECT_TRUE(WaitUntil([&] {
    GetWindowRect(console, &shown);
    RECT overlap{};
    return !IntersectRect(&overlap, &shown, &top);
  })) << "the console lies over the menu bar";
}

TEST(ToolProcess, KeepsAnEditThroughAKillAndOffersItAtTheNextStart) {
  ScratchFolder scratch;
  const std::string data = WindowsPath(scratch.Path("data"));
  const std::string recovery = data + "\\Recovery\\";
  const RecoveryFolderGiven given(data);
  const std::string scene = WindowsPath(scratch.Path("level.bin"));
  const Bytes original = SceneFile({ChunkOf(0x0001, {}), ChunkOf(0x4000, ObjectChunk("crate", 9))});
  WriteFileBytes(scene, original);

  Bytes edited;
  {
    ToolProcess tool(ToolPath(), WindowsPath(scratch.Path("trace.txt")), {scene});
    ASSERT_NE(tool.MainWindow(), nullptr);
    HWND tree = FindWindowExA(tool.MainWindow(), nullptr, WC_TREEVIEWA, nullptr);
    // Five fixed nodes, an object folder and its object.
    ASSERT_TRUE(WaitUntil([tree] { return ExpandAll(tree) == 5 + 1 + 1; }));
    const HTREEITEM objects = TreeItemAt(tree, TreeItemAt(tree, nullptr, TVGN_ROOT), TVGN_CHILD);
    CheckNode(tree, TreeItemAt(tree, objects, TVGN_CHILD));
    tool.ChooseMenu(1, 6);  // Edit > delete selected
    ASSERT_TRUE(WaitUntil([&] { return ExpandAll(tree) == 5; }));
    ASSERT_TRUE(WaitUntil([&] { return RecoveryFiles(recovery).size() == 1; }));
    edited = RecoveredScene(RecoveryFiles(recovery).front());
    tool.Kill();
  }
  ASSERT_FALSE(edited.empty());
  EXPECT_EQ(ReadFileBytes(scene), original);

  ToolProcess tool(ToolPath(), WindowsPath(scratch.Path("trace again.txt")));
  ASSERT_NE(tool.MainWindow(), nullptr);
  HWND question = tool.WaitForWindow(Captioned("tool"));
  ASSERT_NE(question, nullptr);
  EXPECT_NE(MessageBoxText(question).find(scene), std::string::npos) << MessageBoxText(question);
  PostMessageA(question, WM_COMMAND, IDYES, 0);
  HWND tree = FindWindowExA(tool.MainWindow(), nullptr, WC_TREEVIEWA, nullptr);
  EXPECT_TRUE(WaitUntil([tree] { return ExpandAll(tree) == 5; })) << "the object stays deleted";
  EXPECT_EQ(ReadFileBytes(scene), original);

  // Unsaved: the close asks, and "Yes" saves them where they belong.
  PostMessageA(tool.MainWindow(), WM_CLOSE, 0, 0);
  HWND save = tool.WaitForWindow(Captioned("tool"));
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(MessageBoxText(save), "Save changes to level.bin?");
  PostMessageA(save, WM_COMMAND, IDYES, 0);
  EXPECT_EQ(tool.Close(), 0u);
  EXPECT_EQ(ReadFileBytes(scene), edited);
  EXPECT_TRUE(RecoveryFiles(recovery).empty());
}

TEST(ToolProcess, ChunksCopiedInOneEditorArePastedIntoAnotherUnderNamesOfTheirOwn) {
  ScratchFolder scratch;
  const Bytes crate = ObjectChunk("crate", 9);
  const Bytes horn = ObjectChunk("horn", 4);
  const std::string from = WindowsPath(scratch.Path("from.bin"));
  const std::string into = WindowsPath(scratch.Path("into.bin"));
  WriteFileBytes(from, SceneFile({ChunkOf(0x0001, {}), ChunkOf(0x4000, crate)}));
  WriteFileBytes(into, SceneFile({ChunkOf(0x0001, {}), ChunkOf(0x4000, Concat({crate, horn}))}));

  ToolProcess source(ToolPath(), WindowsPath(scratch.Path("from.txt")), {from});
  ToolProcess target(ToolPath(), WindowsPath(scratch.Path("into.txt")), {into});
  ASSERT_NE(source.MainWindow(), nullptr);
  ASSERT_NE(target.MainWindow(), nullptr);
  HWND sourceTree = FindWindowExA(source.MainWindow(), nullptr, WC_TREEVIEWA, nullptr);
  HWND targetTree = FindWindowExA(target.MainWindow(), nullptr, WC_TREEVIEWA, nullptr);
  // Five fixed nodes, then a folder and an object each; two of each.
  ASSERT_TRUE(WaitUntil([sourceTree] { return ExpandAll(sourceTree) == 5 + 1 + 1; }));
  ASSERT_TRUE(WaitUntil([targetTree] { return ExpandAll(targetTree) == 5 + 2 + 2; }));

  // scene2 > Objects > model > crate, checked.
  HTREEITEM item = TreeItemAt(sourceTree, nullptr, TVGN_ROOT);
  for (int level = 0; level < 3; ++level) item = TreeItemAt(sourceTree, item, TVGN_CHILD);
  CheckNode(sourceTree, item);
  source.ChooseMenu(1, 2);  // Edit > copy: the keys pass over the separator
  target.ChooseMenu(1, 3);  // Edit > paste
  EXPECT_TRUE(WaitUntil([targetTree] { return ExpandAll(targetTree) == 5 + 2 + 2 + 1; }));
  target.ChooseMenu(1, 0);  // Edit > undo
  EXPECT_TRUE(WaitUntil([targetTree] { return ExpandAll(targetTree) == 5 + 2 + 2; }));
  target.ChooseMenu(1, 1);  // Edit > redo
  EXPECT_TRUE(WaitUntil([targetTree] { return ExpandAll(targetTree) == 5 + 2 + 2 + 1; }));
  target.ChooseMenu(0, 1);  // File > save

  const Bytes pasted =
      SceneFile({ChunkOf(0x0001, {}), ChunkOf(0x4000, Concat({crate, horn, ObjectChunk("crate (2)", 9)}))});
  EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(into) == pasted; }));
  EXPECT_EQ(source.Close(), 0u);
  EXPECT_EQ(target.Close(), 0u);
  EXPECT_TRUE(FileText(WindowsPath(scratch.Path("into.txt"))).find("qScene2bin.AddChunk: added objects crate (2)") !=
              std::string::npos);
}

// tool.exe started from the unpacked release, as a modder starts it: the
// sample opened through the menu and the file dialog, one object checked and
// exported into DNCes\ beside the program.
#include <gtest/gtest.h>

#include <algorithm>

#include "scene/ChunkTypes.h"
#include "tests/SceneTestSupport.h"
#include "tests/package/PackageFolder.h"
#include "tools/gui/ToolProcess.h"

namespace {

HTREEITEM FirstChild(HWND tree, HTREEITEM item) { return TreeItemAt(tree, item, TVGN_CHILD); }

}  // namespace

TEST(PackagedEditor, ExportsACheckedObjectIntoDncesBesideItself) {
  const std::string sample = PackagePath("samples\\scene2.bin");
  const Bytes scene = ReadFileBytes(sample);
  ASSERT_FALSE(scene.empty());

  // Its trace goes to a file of the test's own, never to a device of the system.
  ScratchFolder scratch;
  ToolProcess tool(PackagePath("tool.exe"), scratch.Path("trace.txt"));
  ASSERT_NE(tool.MainWindow(), nullptr);
  HWND tree = FindWindowExA(tool.MainWindow(), nullptr, WC_TREEVIEWA, nullptr);
  tool.ChooseMenu(0, 0);  // File > open..
  tool.ChooseFile("Open", sample);
  ASSERT_TRUE(WaitUntil([tree] { return ExpandAll(tree) > 5; })) << "the scene did not fill the tree";
  // scene2 > Objects > the first type's folder > its first object.
  HTREEITEM object = FirstChild(tree, FirstChild(tree, FirstChild(tree, TreeItemAt(tree, nullptr, TVGN_ROOT))));
  ASSERT_NE(object, nullptr);
  CheckNode(tree, object);
  tool.ChooseMenu(1, 4);  // Edit > export selected, after undo, redo, copy and paste
  HWND summary = tool.WaitForWindow(Captioned("tool"));
  ASSERT_NE(summary, nullptr) << "no summary after the export";
  EXPECT_NE(MessageBoxText(summary).find(PackagePath("DNCes\\")), std::string::npos) << MessageBoxText(summary);
  PostOk(summary);
  EXPECT_EQ(tool.Close(), 0u);

  const std::vector<std::string> files = ScratchFolder::FileNamesOf(PackagePath("DNCes"));
  ASSERT_EQ(files.size(), 1u);
  EXPECT_TRUE(files[0].ends_with(".dnc")) << files[0];
  // The file is the object chunk as the scene holds it, byte for byte.
  const Bytes chunk = ReadFileBytes(PackagePath("DNCes\\" + files[0]));
  ASSERT_GE(chunk.size(), 6u);
  EXPECT_EQ(chunk[0] | chunk[1] << 8, kObjectChunk);
  EXPECT_NE(std::search(scene.begin(), scene.end(), chunk.begin(), chunk.end()), scene.end());
}

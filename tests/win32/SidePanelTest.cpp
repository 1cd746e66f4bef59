// The side panel of the main window: the selected chunk's structure and its
// bytes as the controls show them, through selection, a held arrow key,
// rename, undo, a failed open and a resize.
#include "editor/ChunkPanel.h"
#include "scene/Windows1251.h"
#include "structure/ChunkStructure.h"
#include "structure/StructureLines.h"
#include "tests/win32/EditorFixture.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

namespace {

using Texts = std::vector<std::string>;

class SidePanel : public EditorTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9), ObjectChunk(Windows1251FromUtf8("Фонарь"), 9)}),
                          Definitions({DefinitionChunk("door", 6)})})),
              "");
    tree().MakeVisible(*Crate());
  }

  SceneNode* Crate() { return Child(Child(nodes().objects, "model"), "crate"); }
  // The panel follows once the program waits for input again.
  void Select(SceneNode* node) {
    tree().Select(node);
    PumpMessages();
  }
  HWND StructureView() { return form.SidePanel().StructureView().Handle(); }
  std::string BytesText() { return TextOf(form.SidePanel().BytesView().Handle()); }

  // The items of the panel's tree, in order, each indented by two spaces a level.
  Texts Items() {
    Texts texts;
    AddItems(TreeView_GetRoot(StructureView()), 0, texts);
    return texts;
  }
  void AddItems(HTREEITEM item, size_t depth, Texts& texts) {
    for (; item != nullptr; item = TreeView_GetNextSibling(StructureView(), item)) {
      texts.push_back(std::string(2 * depth, ' ') + TreeItemText(StructureView(), item));
      AddItems(TreeView_GetChild(StructureView(), item), depth + 1, texts);
    }
  }

  // The lines that scene2 show gives the chunk of the node.
  Texts ShowLines(const SceneNode* node) {
    const ByteView chunk = form.Document().Core().Get(node->chunk).Bytes();
    Texts lines;
    AddLines(DescribeChunk(chunk), 0, lines);
    return lines;
  }
  void AddLines(const StructureNode& node, size_t depth, Texts& lines) {
    lines.push_back(std::string(2 * depth, ' ') + StructureLine(node));
    for (const StructureNode& child : node.children) AddLines(child, depth + 1, lines);
  }

  std::string HexOf(const SceneNode* node, size_t offset, size_t length) {
    const ByteView chunk = form.Document().Core().Get(node->chunk).Bytes();
    std::string text;
    for (const char c : HexDump(chunk.Part(offset, length), offset, ChunkPanel::kShownBytes)) {
      if (c == '\n') text += '\r';
      text += c;
    }
    return text;
  }
};

TEST_F(SidePanel, ShowsTheSelectedChunkAndTheBytesOfWhatIsSelectedInIt) {
  Select(Crate());
  const Texts lines = ShowLines(Crate());
  EXPECT_EQ(Items(), lines);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[1], "  6 0010 12 name: crate");
  const size_t length = form.Document().Core().Get(Crate()->chunk).Bytes().Length();
  EXPECT_EQ(BytesText(), HexOf(Crate(), 0, length)) << "the whole chunk while nothing in it is selected";

  // The name sub-chunk, header and all.
  TreeView_SelectItem(StructureView(), TreeView_GetChild(StructureView(), TreeView_GetRoot(StructureView())));
  PumpMessages();
  EXPECT_EQ(BytesText(), HexOf(Crate(), 6, 12));
  EXPECT_EQ(BytesText().substr(0, 8), "     6  ");

  SceneNode* lantern = Child(Child(nodes().objects, "model"), Windows1251FromUtf8("Фонарь"));
  Select(lantern);
  EXPECT_EQ(Items().at(1), "  6 0010 13 name: Фонарь") << "a name as its characters";
  EXPECT_NE(BytesText().find("Фон"), std::string::npos) << "the bytes as their characters too";
}

TEST_F(SidePanel, WaitsWhileAnArrowKeyIsHeldAndShowsTheNodeWhereItStopped) {
  ASSERT_EQ(
      Load(Scene({Objects({ObjectChunk("a", 9), ObjectChunk("b", 9), ObjectChunk("c", 9), ObjectChunk("d", 9)})})), "");
  SceneNode* model = Child(nodes().objects, "model");
  Select(Child(model, "a"));
  const std::string first = BytesText();
  SetForegroundWindow(form.Handle());
  SetFocus(tree().Handle());
  for (int repeat = 0; repeat < 3; ++repeat) {
    PushKey(VK_DOWN);
    PumpMessages();
    EXPECT_EQ(BytesText(), first) << "repeat " << repeat << ": the nodes passed are not shown";
  }
  ReleaseKey(VK_DOWN);
  PumpMessages();
  SceneNode* last = Child(model, "d");
  ASSERT_EQ(tree().Selected(), last);
  EXPECT_EQ(Items(), ShowLines(last));
  EXPECT_EQ(BytesText(), HexOf(last, 0, form.Document().Core().Get(last->chunk).Bytes().Length()));
}

TEST_F(SidePanel, IsEmptyForAFolderASectionAndNoSelection) {
  for (SceneNode* node : {Crate()->Parent(), nodes().objects, nodes().scene2, static_cast<SceneNode*>(nullptr)}) {
    Select(Crate());
    ASSERT_FALSE(Items().empty());
    Select(node);
    EXPECT_EQ(Items(), Texts{});
    EXPECT_EQ(BytesText(), "");
  }
}

TEST_F(SidePanel, FollowsARenameItsUndoAndItsRedo) {
  Rename(Crate(), "barrel");
  SceneNode* barrel = Child(Child(nodes().objects, "model"), "barrel");
  EXPECT_EQ(tree().Selected(), barrel);
  const auto expectShown = [this](SceneNode* node, const std::string& nameLine) {
    EXPECT_EQ(Items(), ShowLines(node));
    EXPECT_EQ(Items().at(1), nameLine);
    EXPECT_EQ(BytesText(), HexOf(node, 0, form.Document().Core().Get(node->chunk).Bytes().Length()));
  };
  expectShown(barrel, "  6 0010 12 name: barrel");
  ChooseMenu("Edit", "undo");
  expectShown(Crate(), "  6 0010 12 name: crate");
  ChooseMenu("Edit", "redo");
  expectShown(barrel, "  6 0010 12 name: barrel");
}

TEST_F(SidePanel, SaysWhyAnOpenFailedUntilTheNextLoad) {
  const std::string cut = scratch.Path("cut.bin");
  Bytes scene = Scene({Objects({ObjectChunk("crate", 9)})});
  scene.resize(scene.size() - 4);
  WriteFileBytes(cut, scene);
  OpenFile(cut);
  const std::string said = BytesText();
  EXPECT_EQ(said.rfind("Cannot load " + WindowsPath(cut) + ":\r\n", 0), 0u) << said;
  EXPECT_NE(said.find("exceeds the file's length"), std::string::npos) << said;
  EXPECT_EQ(Items(), Texts{});

  const std::string broken = scratch.Path("broken.bin");
  WriteFileBytes(broken, Text("not a scene"));
  OpenFile(broken);
  EXPECT_EQ(BytesText(), "Cannot load " + WindowsPath(broken) +
                             ":\r\nthe file does not begin with 53 4C (\"SL\"), the signature of a scene")
      << "the file that failed, and no other";

  const std::string good = scratch.Path("good.bin");
  WriteFileBytes(good, Scene({Objects({ObjectChunk("crate", 9)})}));
  OpenFile(good);
  EXPECT_EQ(BytesText(), "");
}

TEST_F(SidePanel, ALargeChunkShowsItsFirstBytesAndItsFirstLines) {
  Bytes run;
  const Bytes empty = ChunkOf(0x0001, {});
  while (run.size() < (size_t{3} << 20)) run.insert(run.end(), empty.begin(), empty.end());
  const Bytes large = Concat({ObjectChunk("large", 9), ChunkOf(0x3000, run)});
  Bytes object = ChunkOf(kObjectChunk, Bytes(large.begin() + kChunkHeaderSize, large.end()));
  const Outcome<EditDone> added = form.Document().Core().Add(Chunk::CopyOf(ViewOf(object)));
  ASSERT_TRUE(added.ok());
  SceneNode& node = form.Scene().AddChunkNode(added.value().chunk.id, added.value().chunk.Bytes());
  Select(&node);
  const Texts items = Items();
  ASSERT_EQ(items.size(), StructureTree::kMaxNodes + 1);
  EXPECT_EQ(items.back(), "... " + std::to_string(run.size() / kChunkHeaderSize + 1 + 4 - StructureTree::kMaxNodes) +
                              " more lines not shown (scene2 show gives all)");
  RECT client{};
  GetClientRect(form.SidePanel().BytesView().Handle(), &client);
  EXPECT_GE(client.bottom, 6 * toolkit::TextExtent(form.SidePanel().BytesView().FontHandle(), "0").cy)
      << "more lines than the panel has room for leave the bytes some";
  const std::string bytes = BytesText();
  EXPECT_EQ(bytes.substr(bytes.rfind("...")),
            "... " + std::to_string(object.size() - ChunkPanel::kShownBytes) + " more bytes not shown\r\n");
}

TEST_F(SidePanel, TheStructureIsAsTallAsItsLinesNeedAndTheBytesTakeTheRest) {
  // An object of some twenty lines: more than the structure had room for
  // before, far fewer than the panel holds.
  Bytes many = ObjectChunk("many", 9);
  for (uint8_t at = 0; at < 16; ++at) {
    const Bytes unknown = ChunkOf(0x3000, {at});
    many.insert(many.end(), unknown.begin(), unknown.end());
  }
  many = ChunkOf(kObjectChunk, Bytes(many.begin() + kChunkHeaderSize, many.end()));
  ASSERT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9), many})})), "");
  const auto lines = [this] { return SendMessageW(StructureView(), TVM_GETCOUNT, 0, 0); };
  const auto linesShown = [this] { return SendMessageW(StructureView(), TVM_GETVISIBLECOUNT, 0, 0); };
  HWND bytesView = form.SidePanel().BytesView().Handle();
  const auto bytesHeight = [bytesView] {
    RECT client{};
    GetClientRect(bytesView, &client);
    return client.bottom;
  };
  const int bytesLine = toolkit::TextExtent(form.SidePanel().BytesView().FontHandle(), "0").cy;

  Select(Child(Child(nodes().objects, "model"), "many"));
  ASSERT_GE(lines(), 20);
  EXPECT_GE(linesShown(), lines()) << "every line without scrolling";
  RECT structure = PlaceInParent(StructureView());
  RECT bytes = PlaceInParent(bytesView);
  EXPECT_EQ(bytes.top, structure.bottom + 4);
  EXPECT_GE(bytesHeight(), 6 * bytesLine) << "the bytes keep some lines";

  Select(Crate());
  EXPECT_GE(linesShown(), lines());
  const RECT small = PlaceInParent(StructureView());
  EXPECT_LT(small.bottom, structure.bottom) << "fewer lines, less room";
  EXPECT_EQ(PlaceInParent(bytesView).top, small.bottom + 4);

  // The window grows: the structure as its lines need, the bytes the rest.
  structure = small;
  bytes = PlaceInParent(bytesView);
  const RECT outer = form.ScreenRect();
  form.Place({outer.left, outer.top, outer.right + 120, outer.bottom + 80});
  EXPECT_EQ(PlaceInParent(StructureView()),
            (RECT{structure.left, structure.top, structure.right + 120, structure.bottom}));
  EXPECT_EQ(PlaceInParent(bytesView), (RECT{bytes.left, bytes.top, bytes.right + 120, bytes.bottom + 80}));
}

}  // namespace

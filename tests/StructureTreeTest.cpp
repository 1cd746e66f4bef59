// The chunk view's text: the structure tree that the side panel shows and
// the hex view of the bytes below it. Chunks lie in buffers of exactly their
// length, so that a read past the end stops the test under ASan.

#include <gtest/gtest.h>

#include <sstream>

#include "editing/StructureTree.h"
#include "scene/ChunkTypes.h"
#include "scene/Hex.h"
#include "scene/LittleEndian.h"
#include "scene/Windows1251.h"
#include "structure/ChunkStructure.h"
#include "structure/StructureLines.h"
#include "tests/SceneTestSupport.h"
#include "tools/scene2/StructureText.h"

namespace {

// The tree's nodes in order, each a line, a level deeper indented by two
// spaces: as scene2 show writes them.
void WriteNodes(std::ostream& out, const toolkit::TreeModelNode* node, size_t depth) {
  for (; node != nullptr; node = node->NextSibling()) {
    const auto* shown = StructureTreeNode::Of(node);
    out << std::string(2 * depth, ' ') << shown->Text() << '\n';
    WriteNodes(out, node->FirstChild(), depth + 1);
  }
}

std::string NodesOf(const StructureTree& tree) {
  std::ostringstream out;
  WriteNodes(out, tree.Model().FirstTopLevel(), 0);
  return out.str();
}

TEST(StructureTree, ShowsTheLinesOfScene2ShowWithTheBytesEachSpans) {
  const Bytes object = ObjectChunk(Windows1251FromUtf8("Фонарь"), 3);
  StructureTree tree;
  tree.Show(ViewOf(object));
  std::ostringstream show;
  WriteStructureLines(show, ViewOf(object), DescribeChunk(ViewOf(object)), false);
  EXPECT_EQ(NodesOf(tree), show.str());
  EXPECT_NE(show.str().find("name: Фонарь"), std::string::npos);

  const auto* top = StructureTreeNode::Of(tree.Model().FirstTopLevel());
  EXPECT_EQ(top->offset, 0u);
  EXPECT_EQ(top->length, object.size());
  const auto* name = StructureTreeNode::Of(top->FirstChild());
  EXPECT_EQ(name->offset, kChunkHeaderSize);
  EXPECT_EQ(name->length, ReadU32LE(object.data() + kChunkHeaderSize + 2));

  tree.Show(ViewOf(VisualEffectChunk("smoke")));
  EXPECT_EQ(tree.Model().FirstTopLevel()->Text().substr(0, 7), "0 " + HexUpper(kVisualEffectChunk, 4) + " ")
      << "a new chunk replaces the old";
  tree.Clear();
  EXPECT_EQ(tree.Model().Count(), 0u);
}

TEST(StructureTree, ShowsTextsAsTheSceneTreeShowsNamesWhereScene2ShowEscapes) {
  const Bytes object = ObjectChunk(Windows1251FromUtf8("sounds\\Ёлка\t\x98"), 3);
  StructureTree tree;
  tree.Show(ViewOf(object));
  const std::string nameLine = tree.Model().FirstTopLevel()->FirstChild()->Text();
  EXPECT_EQ(nameLine.substr(nameLine.find(": ")), ": sounds\\Ёлка\\x09\\x98")
      << "a backslash as itself; a tab and the byte without a character as \\xHH";
  std::ostringstream show;
  WriteStructureLines(show, ViewOf(object), DescribeChunk(ViewOf(object)), false);
  EXPECT_NE(show.str().find(": sounds\\x5CЁлка\\x09\\x98\n"), std::string::npos)
      << "scene2 show's lines are taken back as arguments: its backslash stays escaped";
}

TEST(StructureTree, ACrowdOfSubChunksIsCutWithACountOfTheRest) {
  Bytes payload;
  const size_t runs = StructureTree::kMaxNodes + 500;
  const Bytes run = ChunkOf(0x0001, {});
  for (size_t index = 0; index < runs; ++index) payload.insert(payload.end(), run.begin(), run.end());
  const Bytes holder = ChunkOf(0x3000, payload);
  StructureTree tree;
  tree.Show(ViewOf(holder));
  EXPECT_EQ(tree.Model().Count(), StructureTree::kMaxNodes + 1);
  const toolkit::TreeModelNode* last = tree.Model().FirstTopLevel()->NextSibling();
  ASSERT_NE(last, nullptr);
  // The holder and its runs: one node each.
  EXPECT_EQ(last->Text(), "... " + std::to_string(runs + 1 - StructureTree::kMaxNodes) +
                              " more lines not shown (scene2 show gives all)");
  EXPECT_EQ(StructureTreeNode::Of(last)->length, holder.size());

  // Runs within runs: what is left out is counted at every depth.
  const Bytes pair = ChunkOf(0x3001, Concat({run, run}));
  Bytes pairs;
  for (size_t index = 0; index < 1500; ++index) pairs.insert(pairs.end(), pair.begin(), pair.end());
  size_t omitted = 0;
  const Bytes nested = ChunkOf(0x3000, pairs);
  DescribeChunk(ViewOf(nested), StructureTree::kMaxNodes, &omitted);
  EXPECT_EQ(omitted, 1 + 1500 * 3 - StructureTree::kMaxNodes);
}

TEST(StructureTree, EachNodeLeadsToItsLineAndIsFoundAgainByItsPlaceInAChangedChunk) {
  StructureTree tree;
  tree.Show(ViewOf(ObjectChunk("crate", 9)));
  const toolkit::TreeModelNode* position = tree.Model().FirstTopLevel()->FirstChild()->NextSibling()->NextSibling();
  ASSERT_NE(position, nullptr);
  const StructureNode* line = StructureTreeNode::Of(position)->line;
  ASSERT_EQ(line, &tree.Described().children.at(2)) << "a line of the description the tree keeps";
  EXPECT_EQ(line->what, "position");
  const std::vector<size_t> path = StructureTree::PathOf(*position);
  EXPECT_EQ(path, (std::vector<size_t>{0, 2}));

  // A longer name moves the position's bytes; its node is where it was.
  tree.Show(ViewOf(ObjectChunk("a much longer name", 9)));
  const toolkit::TreeModelNode* again = tree.NodeAt(path);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(StructureTreeNode::Of(again)->line->what, "position");
  EXPECT_EQ(tree.NodeAt({0, 7}), nullptr) << "no node there";
  EXPECT_EQ(tree.NodeAt({1}), nullptr);

  // The line that counts what is left out describes nothing.
  Bytes payload;
  const Bytes run = ChunkOf(0x0001, {});
  for (size_t index = 0; index < StructureTree::kMaxNodes; ++index)
    payload.insert(payload.end(), run.begin(), run.end());
  tree.Show(ViewOf(ChunkOf(0x3000, payload)));
  EXPECT_EQ(StructureTreeNode::Of(tree.Model().FirstTopLevel()->NextSibling())->line, nullptr);
}

TEST(HexDump, ShowsOffsetsBytesAndTheirCharacters) {
  const Bytes bytes =
      Concat({Text(Windows1251FromUtf8("Ёлка №2")), {0x00, 0x0A, 0x5C, 0x98, 0x7F}, Text("abcdefghij")});
  EXPECT_EQ(HexDump(ViewOf(bytes), 6, 1024),
            "     6  A8 EB EA E0 20 B9 32 00  0A 5C 98 7F 61 62 63 64  Ёлка №2..\\..abcd\n"
            "    22  65 66 67 68 69 6A                                 efghij\n");
  EXPECT_EQ(HexDump(ByteView(), 0, 1024), "");
}

TEST(HexDump, StopsAtTheLimitAndCountsWhatIsLeftOut) {
  const Bytes bytes(100, 0x41);
  EXPECT_EQ(HexDump(ViewOf(bytes), 1000000, 20),
            "1000000  41 41 41 41 41 41 41 41  41 41 41 41 41 41 41 41  AAAAAAAAAAAAAAAA\n"
            "1000016  41 41 41 41                                       AAAA\n"
            "... 80 more bytes not shown\n");
  EXPECT_EQ(HexDump(ViewOf(bytes), 0, 100).find("not shown"), std::string::npos);
}

}  // namespace

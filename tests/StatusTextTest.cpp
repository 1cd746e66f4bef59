// The words of the editor's caption and status line, and what it counts.
#include "editing/StatusText.h"
#include "tests/SceneTreeFixture.h"

namespace {

ImportTally Imported(int replaced, int added) {
  ImportTally tally;
  tally.replaced = replaced;
  tally.added = added;
  return tally;
}

TEST(StatusText, GroupsDigitsInThreesWithCommas) {
  const std::pair<uint64_t, const char*> cases[] = {{0, "0"},          {999, "999"},        {1000, "1,000"},
                                                    {12564, "12,564"}, {100000, "100,000"}, {1234567, "1,234,567"}};
  for (const auto& [number, text] : cases) {
    SCOPED_TRACE(number);
    EXPECT_EQ(Grouped(number), text);
  }
  EXPECT_EQ(CountedGrouped(1, "chunk"), "1 chunk");
  EXPECT_EQ(CountedGrouped(2071, "file"), "2,071 files");
}

TEST(StatusText, CaptionNamesTheFileWithoutItsFolderAndMarksUnsavedChanges) {
  EXPECT_EQ(WindowCaption(ShownFileName("scenes/scene2.bin"), true), "scene2.bin* - Form1");
  EXPECT_EQ(WindowCaption(ShownFileName("scenes/scene2.bin"), false), "scene2.bin - Form1");
  EXPECT_EQ(WindowCaption(ShownFileName(""), false), "Form1");
  EXPECT_EQ(FileStatus("scene2.bin", true), "scene2.bin*");
  EXPECT_EQ(FileStatus("", false), "no file");
  EXPECT_EQ(CountStatus(12564, 1000), "12,564 chunks, 1,000 checked");
}

TEST(StatusText, OutcomesSayWhatWasDoneWithGroupedCounts) {
  const std::pair<std::string, const char*> cases[] = {
      {SavedStatus("scene2.bin"), "Saved scene2.bin"},
      {DeletedStatus(6), "Deleted 6 chunks \xE2\x80\x94 Ctrl+Z brings them back"},
      {DeletedStatus(1), "Deleted 1 chunk \xE2\x80\x94 Ctrl+Z brings it back"},
      {PastedStatus(2071), "Pasted 2,071 chunks"},
      {DeleteCancelledStatus(0), "Delete cancelled; nothing was deleted"},
      {ExportedStatus({.written = 12}), "Exported 12 files"},
      {ExportedStatus({.written = 1, .failed = 2}), "Exported 1 file, 2 could not be written"},
      {ExportedStatus({.written = 2070, .failed = 1, .cancelled = true, .checked = 12564}),
       "Export cancelled after 2,071 of 12,564 files"},
      {ImportedStatus(Imported(3, 0)), "Imported 3 chunks (3 replaced)"},
      {ImportedStatus(Imported(0, 1)), "Imported 1 chunk"},
      {ImportCancelledStatus(2, 10, Imported(1, 1)),
       "Import cancelled after 2 of 10 files; imported 2 chunks (1 replaced)"},
      {UndoneStatus("delete of 6 chunks"), "Undone: delete of 6 chunks"},
  };
  for (const auto& [said, expected] : cases) EXPECT_EQ(said, expected);
}

class StatusCountTest : public SceneTreeTest {
 protected:
  StatusCountTest() {
    EXPECT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("horn", 4), ObjectChunk("box", 9)}),
                          Definitions({DefinitionChunk("door1", 6)})})),
              "");
  }
};

TEST_F(StatusCountTest, CountsTheSectionsChunksAndTheCheckedChunksButNoFolder) {
  EXPECT_EQ(SectionChunkCount(document()), 4u);
  EXPECT_EQ(CheckedChunkCount(*nodes().scene2), 0u);
  ClickBox(Child(nodes().objects, "model"));  // a folder: its two chunks with it
  EXPECT_EQ(CheckedChunkCount(*nodes().scene2), 2u);
  ClickBox(Child(Child(nodes().definitions, "door"), "door1"));
  EXPECT_EQ(CheckedChunkCount(*nodes().scene2), 3u);
}

}  // namespace

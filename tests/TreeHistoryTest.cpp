// Undo and redo of the editor's commands on the scene tree without a window:
// the nodes come back where they were, with their texts and marks, and the
// scene with them.
#include <array>

#include "editor/ChunkCommands.h"
#include "editor/TreeHistory.h"
#include "scene/ChunkTypes.h"
#include "tests/SceneTreeFixture.h"

namespace {

class TreeHistoryTest : public SceneTreeTest {
 protected:
  TreeHistoryTest() {
    EXPECT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("horn", 4), ObjectChunk("barrel", 9),
                                   ObjectChunk("box", 9)}),
                          Definitions({DefinitionChunk("door1", 6), DefinitionChunk("door2", 6)})})),
              "");
  }

  // A command as the editor runs it: what it does to the tree is kept beside
  // the document's edit.
  void Run(const std::function<void(TreeEdit&)>& command) {
    const uint64_t before = document().CurrentEdit();
    TreeEdit edit;
    command(edit);
    history.Record(before, document(), std::move(edit));
  }
  void DeleteChecked(const ProgressReport& report = {}) {
    std::array<SceneNode*, kSceneSectionCount> sections{};
    for (const SceneSection& section : kSceneSections) sections[SectionIndex(section)] = nodes().OfSection(section);
    Run([&](TreeEdit& edit) { ::DeleteChecked(sections, document(), tree, edit, report); });
  }
  bool Undo() { return history.Undo(document(), tree, selected); }
  bool Redo() { return history.Redo(document(), tree, selected); }

  // The tree and the scene's bytes as they stand.
  struct State {
    std::string tree;
    Bytes scene;
    bool operator==(const State&) const = default;
    friend void PrintTo(const State& state, std::ostream* out) {
      *out << "\n" << state.tree << state.scene.size() << " bytes";
    }
  };
  State Now() { return {TreeDump(*nodes().scene2), Written(document())}; }

  TreeHistory history;
  std::optional<NodeKey> selected;
};

TEST_F(TreeHistoryTest, UndoOfADeletePutsEveryNodeBackWithItsMarksAndRedoDeletesThemAgain) {
  ClickBox(Object("model", "barrel"));
  ClickBox(Child(nodes().objects, "sound"));
  ClickBox(Child(Child(nodes().definitions, "door"), "door2"));
  const State before = Now();
  DeleteChecked();
  const State after = Now();
  EXPECT_EQ(ChildTexts(nodes().objects), (std::vector<std::string>{"model"}));
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (std::vector<std::string>{"crate", "box"}));

  ASSERT_TRUE(Undo());
  EXPECT_EQ(Now(), before);
  EXPECT_TRUE(Object("sound", "horn")->Checked());
  ASSERT_TRUE(Redo());
  EXPECT_EQ(Now(), after);
  ASSERT_TRUE(Undo());
  EXPECT_EQ(Now(), before);
  EXPECT_FALSE(Undo()) << "one entry for the whole delete";
}

TEST_F(TreeHistoryTest, NodesComeBackWhereTheyWereAfterTheTreeWasRebuilt) {
  ClickBox(Object("model", "barrel"));
  ClickBox(Child(nodes().objects, "sound"));
  DeleteChecked();
  tree.FillTree(document());  // as a cancelled "open.." does: new nodes, no marks
  ASSERT_TRUE(Undo());
  EXPECT_EQ(ChildTexts(nodes().objects), (std::vector<std::string>{"model", "sound"}));
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (std::vector<std::string>{"crate", "barrel", "box"}));
  EXPECT_TRUE(Object("model", "barrel")->Checked());
  EXPECT_TRUE(Child(nodes().objects, "sound")->Checked());
  EXPECT_FALSE(Object("model", "crate")->Checked());
}

TEST_F(TreeHistoryTest, SeveralEditsAreUndoneInTurnAndRedoneInOrder) {
  ClickBox(Object("model", "box"));  // for the delete; the undo of it brings the mark back
  std::vector<State> states{Now()};
  scene->ui.answers = {"lid"};
  Run([&](TreeEdit& edit) { RenameNode(tree, *Object("model", "crate"), document(), edit); });
  states.push_back(Now());
  Run([&](TreeEdit& edit) {
    // A type the scene has no folder for yet: the folder is made, and goes with the undo.
    Outcome<EditDone> added = document().Add(Chunk::CopyOf(ViewOf(ObjectChunk("lamp", kLightObjectType))));
    ASSERT_TRUE(added.ok());
    edit.selected = KeyOf(tree, edit.AddChunkNode(tree, added.value().chunk));
  });
  states.push_back(Now());
  DeleteChecked();
  states.push_back(Now());
  Run([&](TreeEdit& edit) {
    // An import that replaces "horn" by an object of another type moves its node.
    const ImportTally tally = document().ImportDNC({Chunk::CopyOf(ViewOf(ObjectChunk("horn", 9)))});
    ShowImported(tally.chunks, document(), tree, edit);
  });
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (std::vector<std::string>{"lid", "barrel", "horn"}));
  states.push_back(Now());

  for (size_t undone = states.size() - 1; undone > 0; --undone) {
    ASSERT_TRUE(Undo());
    EXPECT_EQ(Now(), states[undone - 1]) << "after undoing edit " << undone;
  }
  EXPECT_FALSE(Undo());
  for (size_t redone = 1; redone < states.size(); ++redone) {
    ASSERT_TRUE(Redo());
    EXPECT_EQ(Now(), states[redone]) << "after redoing edit " << redone;
    if (redone == 2) {
      EXPECT_EQ(FindNode(tree, *selected), Object("light", "lamp")) << "the node the edit worked on";
    }
  }
  EXPECT_FALSE(Redo());
}

TEST_F(TreeHistoryTest, AnEditAfterAnUndoDropsWhatCouldHaveBeenRedone) {
  ClickBox(Object("model", "barrel"));
  DeleteChecked();
  ASSERT_TRUE(Undo());
  ASSERT_TRUE(Object("model", "barrel")->Checked()) << "back with its mark";
  ClickBox(Object("model", "crate"));
  DeleteChecked();
  const State after = Now();
  EXPECT_FALSE(Redo());
  ASSERT_TRUE(Undo());
  ASSERT_TRUE(Redo());
  EXPECT_EQ(Now(), after);
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (std::vector<std::string>{"box"}));
}

TEST_F(TreeHistoryTest, ADeleteStoppedHalfWayIsOneEditThatAnUndoTakesBackWhole) {
  ClickBox(nodes().scene2);
  const State before = Now();
  std::vector<size_t> reported;
  DeleteChecked([&reported](size_t done, size_t total) {
    reported.push_back(done);
    EXPECT_EQ(total, 9u);        // two folders of objects, four objects, a folder of definitions, two definitions
    return reported.size() < 3;  // stops before the third folder
  });
  EXPECT_EQ(reported, (std::vector<size_t>{0, 4, 6}));
  EXPECT_EQ(nodes().objects->FirstChild(), nullptr);
  EXPECT_EQ(ChildTexts(Child(nodes().definitions, "door")), (std::vector<std::string>{"door1", "door2"}));
  EXPECT_EQ(document().Objects().Count(), 0);
  EXPECT_EQ(document().Definitions().Count(), 2);
  ASSERT_TRUE(Undo());
  EXPECT_EQ(Now(), before);
  EXPECT_FALSE(Undo());
}

TEST_F(TreeHistoryTest, ARefusedEditLeavesNoEntry) {
  scene->ui.answers = {"barrel"};  // a name another object has
  Run([&](TreeEdit& edit) { RenameNode(tree, *Object("model", "crate"), document(), edit); });
  EXPECT_FALSE(Undo());
  EXPECT_EQ(Object("model", "crate")->Text(), "crate");
}

}  // namespace

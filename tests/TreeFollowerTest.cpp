// The editor's scene tree follows the document through edits, undos and
// redos, without a window: the nodes come back where they were, with their
// texts and marks, and the tree stays what a fill of the document shows.
#include <algorithm>
#include <array>
#include <map>
#include <random>

#include "editing/ChunkCommands.h"
#include "editing/ChunkIdMap.h"
#include "editing/TreeFollower.h"
#include "scene/ChunkTypes.h"
#include "tests/SceneTreeFixture.h"

namespace {

using Texts = std::vector<std::string>;

class TreeFollowerTest : public SceneTreeTest {
 protected:
  TreeFollowerTest() {
    EXPECT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("horn", 4), ObjectChunk("barrel", 9),
                                   ObjectChunk("box", 9)}),
                          Definitions({DefinitionChunk("door1", 6), DefinitionChunk("door2", 6)})})),
              "");
  }

  // An edit of the document, which the tree then follows when it made one.
  void Edit(const std::function<void()>& command, const std::vector<ChunkId>* order = nullptr) {
    const uint64_t before = document().CurrentEdit();
    command();
    if (document().CurrentEdit() == before)
      follower.Unchanged();
    else
      follower.Follow(tree, document(), order != nullptr ? std::span(*order) : std::span<const ChunkId>());
  }
  void DeleteChecked(const ProgressReport& report = {}) {
    std::array<SceneNode*, kSceneSectionCount> sections{};
    for (const SceneSection& section : kSceneSections) sections[SectionIndex(section)] = nodes().OfSection(section);
    Edit([&] { ::DeleteChecked(sections, scene2bin(), tree, follower, report); });
  }
  ChunkRef Add(const Bytes& chunk) {
    ChunkRef added;
    Edit([&] {
      if (Outcome<EditDone> done = document().Add(Chunk::CopyOf(ViewOf(chunk))); done.ok()) added = done.value().chunk;
    });
    return added;
  }
  ImportTally Import(const std::vector<Bytes>& files) {
    std::vector<Chunk> chunks;
    for (const Bytes& file : files) chunks.push_back(Chunk::CopyOf(ViewOf(file)));
    ImportTally tally;
    Edit([&] { tally = scene2bin().ImportDNC(std::move(chunks)); }, &tally.chunks);
    return tally;
  }
  bool Undo() { return Step(&SceneDocument::Undo); }
  bool Redo() { return Step(&SceneDocument::Redo); }
  bool Step(bool (SceneDocument::*step)()) {
    if (!(document().*step)()) return false;
    follower.Follow(tree, document());
    return true;
  }

  // The tree with its marks, and the scene's bytes.
  struct State {
    std::string tree;
    Bytes scene;
    bool operator==(const State&) const = default;
    friend void PrintTo(const State& state, std::ostream* out) {
      *out << "\n" << state.tree << state.scene.size() << " bytes";
    }
  };
  State Now() { return {TreeDump(*nodes().scene2), Written(document())}; }
  // The tree that a fill of the document shows, with the marks of this one.
  std::string Filled() {
    SceneTree filled;
    filled.FillTree(document());
    CopyMarks(*nodes().scene2, *filled.Nodes().scene2, filled.Model());
    return TreeDump(*filled.Nodes().scene2);
  }
  // The lines of the tree, each node's children sorted (a node moved to
  // another folder goes to its end, where a fill puts it in the order of the
  // list), without empty folders, and without the chunks that `followed`
  // shows no node for: those a checked folder took along while they stayed
  // in the document.
  static std::string Shown(const SceneNode& node, const SceneTree& followed, int depth = 0) {
    if (node.kind == SceneNodeKind::Chunk && followed.NodeOfChunk(node.chunk) == nullptr) return "";
    std::vector<std::string> children;
    for (const SceneNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling())
      children.push_back(Shown(*child, followed, depth + 1));
    std::sort(children.begin(), children.end());
    std::string below;
    for (const std::string& child : children) below += child;
    if (node.kind == SceneNodeKind::Folder && below.empty()) return "";
    return std::string(static_cast<size_t>(depth) * 2, ' ') + node.Text() + (node.Checked() ? " [x]" : "") + "\n" +
           below;
  }
  // The lines of the tree as they stand, in order, without empty folders:
  // what an undo or a redo must give back of the tree at that point of the
  // history.
  static std::string Exact(const SceneNode& node, int depth = 0) {
    std::string below;
    for (const SceneNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling())
      below += Exact(*child, depth + 1);
    if (node.kind == SceneNodeKind::Folder && below.empty()) return "";
    return std::string(static_cast<size_t>(depth) * 2, ' ') + node.Text() + "\n" + below;
  }
  static void CopyMarks(const SceneNode& from, SceneNode& to, toolkit::TreeModel& model) {
    model.SetCheck(to, from.Check());
    for (SceneNode* child = to.FirstChild(); child != nullptr; child = child->NextSibling()) {
      const SceneNode* same = from.FirstChild();
      while (same != nullptr && (same->Text() != child->Text() || same->chunk != child->chunk))
        same = same->NextSibling();
      if (same != nullptr) CopyMarks(*same, *child, model);
    }
  }

  TreeFollower follower;
};

TEST_F(TreeFollowerTest, UndoOfADeletePutsEveryNodeBackWithItsMarksAndRedoDeletesThemAgain) {
  ClickBox(Object("model", "barrel"));
  ClickBox(Child(nodes().objects, "sound"));
  ClickBox(Child(Child(nodes().definitions, "door"), "door2"));
  const State before = Now();
  DeleteChecked();
  const State after = Now();
  EXPECT_EQ(ChildTexts(nodes().objects), (Texts{"model"}));
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"crate", "box"}));

  ASSERT_TRUE(Undo());
  EXPECT_EQ(Now(), before);
  EXPECT_EQ(Now().tree, Filled());
  EXPECT_TRUE(Object("sound", "horn")->Checked());
  ASSERT_TRUE(Redo());
  EXPECT_EQ(Now(), after);
  EXPECT_EQ(Now().tree, Filled());
  ASSERT_TRUE(Undo());
  EXPECT_EQ(Now(), before);
  EXPECT_FALSE(Undo()) << "one entry for the whole delete";
}

TEST_F(TreeFollowerTest, UndoOfADeleteOpensTheFoldersThatWereOpenAndNoOthers) {
  const auto folder = [this](const char* name) { return Child(nodes().objects, name); };
  model().SetExpanded(*folder("model"), true);
  ClickBox(folder("model"));
  ClickBox(folder("sound"));
  DeleteChecked();
  ASSERT_EQ(ChildTexts(nodes().objects), Texts{});
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    ASSERT_TRUE(Undo());
    EXPECT_TRUE(folder("model")->Expanded());
    EXPECT_FALSE(folder("sound")->Expanded());
    ASSERT_TRUE(Redo());  // and an undo after it as before
  }
}

TEST_F(TreeFollowerTest, NodesComeBackWhereTheyWereAfterTheTreeWasRebuilt) {
  ClickBox(Object("model", "barrel"));
  ClickBox(Child(nodes().objects, "sound"));
  DeleteChecked();
  tree.FillTree(document());  // as a cancelled "open.." does: new nodes, no marks
  ASSERT_TRUE(Undo());
  EXPECT_EQ(ChildTexts(nodes().objects), (Texts{"model", "sound"}));
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"crate", "barrel", "box"}));
  EXPECT_TRUE(Object("model", "barrel")->Checked());
  EXPECT_TRUE(Child(nodes().objects, "sound")->Checked());
  EXPECT_FALSE(Object("model", "crate")->Checked());
}

TEST_F(TreeFollowerTest, SeveralEditsAreUndoneInTurnAndRedoneInOrder) {
  ClickBox(Object("model", "box"));  // for the delete; the undo of it brings the mark back
  std::vector<State> states{Now()};
  scene->ui.answers = {"lid"};
  Edit([&] { RenameNode(*Object("model", "crate"), scene2bin()); });
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"lid", "barrel", "box"}));
  states.push_back(Now());
  // A type the scene has no folder for yet: the folder is made, and goes with the undo.
  ASSERT_NE(Add(ObjectChunk("lamp", kLightObjectType)), nullptr);
  states.push_back(Now());
  DeleteChecked();
  states.push_back(Now());
  // An import that replaces "horn" by an object of another type moves its node.
  Import({ObjectChunk("horn", 9)});
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"lid", "barrel", "horn"}));
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "sound")), Texts{}) << "an emptied folder stays";
  states.push_back(Now());

  for (size_t undone = states.size() - 1; undone > 0; --undone) {
    ASSERT_TRUE(Undo());
    EXPECT_EQ(Now(), states[undone - 1]) << "after undoing edit " << undone;
  }
  EXPECT_EQ(Now().tree, Filled());
  EXPECT_FALSE(Undo());
  for (size_t redone = 1; redone < states.size(); ++redone) {
    ASSERT_TRUE(Redo());
    EXPECT_EQ(Now(), states[redone]) << "after redoing edit " << redone;
  }
  EXPECT_FALSE(Redo());
}

TEST_F(TreeFollowerTest, AnImportsNewNodesStandInTheOrderItBroughtThem) {
  // A new sound, then a model that becomes a sound: both go to the end of
  // "sound", in that order.
  const State before = Now();
  const ImportTally tally = Import({ObjectChunk("siren", 4), ObjectChunk("crate", 4)});
  ASSERT_EQ(tally.added, 1);
  const State after = Now();
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "sound")), (Texts{"horn", "siren", "crate"}));
  ASSERT_TRUE(Undo());
  EXPECT_EQ(Now(), before) << "the crate back first in its folder";
  ASSERT_TRUE(Redo());
  EXPECT_EQ(Now(), after);
}

TEST_F(TreeFollowerTest, AFolderGoesWithTheUndoOfTheEditThatMadeItAndNoOther) {
  // "lamp" makes the folder "light"; deleting it leaves the folder, empty;
  // "bulb" goes into that folder.
  const State loaded = Now();
  ASSERT_NE(Add(ObjectChunk("lamp", kLightObjectType)), nullptr);
  const State withLamp = Now();
  ClickBox(Object("light", "lamp"));
  DeleteChecked();
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "light")), Texts{});
  const State emptied = Now();
  ASSERT_NE(Add(ObjectChunk("bulb", kLightObjectType)), nullptr);

  ASSERT_TRUE(Undo());
  EXPECT_EQ(Now(), emptied) << "the folder was there before the bulb";
  ASSERT_TRUE(Redo());
  ASSERT_TRUE(Undo());
  ASSERT_TRUE(Undo());
  ASSERT_EQ(ChildTexts(Child(nodes().objects, "light")), (Texts{"lamp"}));
  EXPECT_TRUE(Object("light", "lamp")->Checked());
  ASSERT_TRUE(Undo());
  EXPECT_EQ(Now(), loaded);
  ASSERT_TRUE(Redo());
  EXPECT_EQ(Now().tree, withLamp.tree);
}

TEST_F(TreeFollowerTest, UncheckedNodesOfADeletedFolderComeBackWithItsUndoAndGoWithItsRedo) {
  // A checked folder takes its unchecked nodes along, while their chunks
  // stay in the document.
  ClickBox(Child(nodes().objects, "model"));
  ClickBox(Object("model", "barrel"));  // unchecks the folder too
  model().SetCheck(*Child(nodes().objects, "model"), toolkit::CheckState::Checked);
  const State before = Now();
  DeleteChecked();
  EXPECT_EQ(ChildTexts(nodes().objects), (Texts{"sound"}));
  EXPECT_EQ(document().Objects().Count(), 2);
  const State after = Now();

  ASSERT_TRUE(Undo());
  ASSERT_EQ(Now(), before);
  EXPECT_FALSE(Object("model", "barrel")->Checked());
  ASSERT_TRUE(Redo());
  EXPECT_EQ(Now(), after);
  ASSERT_TRUE(Undo());
  EXPECT_EQ(Now(), before);
}

TEST_F(TreeFollowerTest, ADeleteStoppedHalfWayIsOneEditThatAnUndoTakesBackWhole) {
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
  EXPECT_EQ(ChildTexts(Child(nodes().definitions, "door")), (Texts{"door1", "door2"}));
  EXPECT_EQ(document().Objects().Count(), 0);
  EXPECT_EQ(document().Definitions().Count(), 2);
  ASSERT_TRUE(Undo());
  EXPECT_EQ(Now(), before);
  EXPECT_FALSE(Undo());
}

TEST_F(TreeFollowerTest, ARandomRunOfEditsUndosAndRedosKeepsTheTreeWhatAFillShows) {
  // The follower takes names and folders from what it kept when nodes left,
  // not from the bytes: any order of steps must still show the document,
  // and an undo or a redo give the tree back as it stood at that point.
  std::mt19937 random(2026);
  const auto below = [&random](size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };
  const uint32_t types[] = {9, 4, kLightObjectType};
  int made = 0;
  std::map<uint64_t, std::string> history;  // by edit
  for (int step = 0; step < 400; ++step) {
    bool moved = false;  // along the history
    std::vector<SceneNode*> all;
    const std::function<void(SceneNode&)> gather = [&](SceneNode& node) {
      all.push_back(&node);
      for (SceneNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling()) gather(*child);
    };
    gather(*nodes().scene2);
    SceneNode* node = all[below(all.size())];
    const std::string name = "n" + std::to_string(++made);
    switch (below(7)) {
      case 0:
        ClickBox(node);
        break;
      case 1:
        DeleteChecked();
        break;
      case 2:
        Add(ObjectChunk(name, types[below(std::size(types))]));
        break;
      case 3:
        Import({ObjectChunk(node->kind == SceneNodeKind::Chunk && below(2) == 0 ? node->Text() : name,
                            types[below(std::size(types))])});
        break;
      case 4:
        if (node->kind == SceneNodeKind::Chunk) {
          scene->ui.answers = {name};
          Edit([&] { RenameNode(*node, scene2bin()); });
        }
        break;
      case 5:
        moved = Undo();
        break;
      default:
        moved = Redo();
        break;
    }
    // Not where a checked folder took nodes along while their chunks
    // stayed: a later edit of such a chunk shows it again for good.
    bool allShown = true;
    for (const SceneSection& section : kSceneSections)
      for (const ChunkEntry& entry : document().List(section).Entries())
        allShown = allShown && tree.NodeOfChunk(entry.id) != nullptr;
    if (const auto known = history.find(document().CurrentEdit()); moved && known != history.end())
      ASSERT_EQ(Exact(*nodes().scene2), known->second) << "after step " << step;
    else if (allShown)
      history[document().CurrentEdit()] = Exact(*nodes().scene2);
    else
      history.erase(document().CurrentEdit());
    SceneTree filled;
    filled.FillTree(document());
    CopyMarks(*nodes().scene2, *filled.Nodes().scene2, filled.Model());
    ASSERT_EQ(Shown(*nodes().scene2, tree), Shown(*filled.Nodes().scene2, tree)) << "after step " << step;
  }
}

TEST(ChunkIdMap, KeepsEveryNumberWhileItGrowsAboveAndBelow) {
  // Identities met in any order: each run of lower ones grows the array
  // downwards, and what was there keeps its number.
  ChunkIdMap<uint32_t> map;
  EXPECT_EQ(map.Find(7), 0u);
  std::vector<ChunkId> ids;
  for (ChunkId id = 500; id > 3; id -= 3) ids.push_back(id);
  for (ChunkId id = 600; id < 900; id += 7) ids.push_back(id);
  for (size_t at = 0; at < ids.size(); ++at) map[ids[at]] = static_cast<uint32_t>(at + 1);
  for (size_t at = 0; at < ids.size(); ++at) EXPECT_EQ(map.Find(ids[at]), at + 1) << ids[at];
  EXPECT_EQ(map.Find(501), 0u);
  EXPECT_EQ(map.Find(5000), 0u);
  map.Clear();
  EXPECT_EQ(map.Find(500), 0u);
}

}  // namespace

TEST_F(TreeFollowerTest, DeleteOfOneNodeTakesItsChunkAloneAsOneEditThatUndoPutsBack) {
  ClickBox(Object("model", "box"));  // checked, but not what the key deletes
  const State before = Now();
  size_t deleted = 0;
  Edit([&] { deleted = DeleteNode(*Object("model", "barrel"), document(), tree, follower); });
  EXPECT_EQ(deleted, 1u);
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"crate", "box"}));
  EXPECT_EQ(Now().tree, Filled());
  ASSERT_TRUE(Undo());
  EXPECT_EQ(Now(), before);

  Edit([&] { deleted = DeleteNode(*Child(nodes().objects, "model"), document(), tree, follower); });
  EXPECT_EQ(deleted, 0u) << "a folder is no chunk";
  EXPECT_EQ(Now(), before);
}

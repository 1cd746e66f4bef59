#include "scene/ChunkTypes.h"
#include "tests/SceneTreeFixture.h"

namespace {

using Texts = std::vector<std::string>;

// An object without a type sub-chunk: type 0, "other".
Bytes UntypedObject(const std::string& name) {
  return ChunkOf(kObjectChunk, ChunkOf(kObjectNameChunk, Concat({Text(name), {0}})));
}

}  // namespace

TEST_F(SceneTreeTest, FillGroupsObjectsByTypeInOrderOfFirstUse) {
  ASSERT_EQ(Load(Scene({Objects({ObjectChunk("tree1", 9), ObjectChunk("horn", 4), ObjectChunk("tree2", 9),
                                 UntypedObject("misc"), ObjectChunk("lens", 0x534E454C)})})),
            "");
  EXPECT_EQ(ChildTexts(nodes().objects), (Texts{"model", "sound", "other", "LENSF settings"}));
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"tree1", "tree2"}));
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "sound")), (Texts{"horn"}));
  EXPECT_EQ(model().Count(), 5u + 4 + 5);
}

TEST_F(SceneTreeTest, FillGroupsDefinitionsByTypeNamedOrNot) {
  ASSERT_EQ(Load(Scene({Definitions({DefinitionChunk("door1", 6), DefinitionChunk("odd", 3),
                                     DefinitionChunk("truck1", 36), DefinitionChunk("door2", 6)})})),
            "");
  EXPECT_EQ(ChildTexts(nodes().definitions), (Texts{"door", "0x03", "truck"}));
  EXPECT_EQ(ChildTexts(Child(nodes().definitions, "door")), (Texts{"door1", "door2"}));
}

TEST_F(SceneTreeTest, FillPutsScriptsAndEffectsRightUnderTheirSection) {
  ASSERT_EQ(Load(Scene({VisualEffects({VisualEffectChunk("fog"), VisualEffectChunk("rain")}),
                        InitScripts({InitScriptChunk("start")})})),
            "");
  EXPECT_EQ(ChildTexts(nodes().visualEffects), (Texts{"fog", "rain"}));
  EXPECT_EQ(ChildTexts(nodes().initScripts), (Texts{"start"}));
}

TEST_F(SceneTreeTest, EveryChunkNodeCarriesItsChunkAndFoldersCarryNothing) {
  ASSERT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("barrel", 9)}),
                        Definitions({DefinitionChunk("door", 6)}), InitScripts({InitScriptChunk("start")})})),
            "");
  SceneDocument& document = this->document();
  SceneNode* model = Child(nodes().objects, "model");
  EXPECT_EQ(model->chunk, 0u);
  EXPECT_EQ(Child(model, "crate")->chunk, document.Objects().At(0)->id);
  EXPECT_EQ(Child(model, "barrel")->chunk, document.Objects().At(1)->id);
  EXPECT_EQ(Child(Child(nodes().definitions, "door"), "door")->chunk, document.Definitions().At(0)->id);
  EXPECT_EQ(Child(nodes().initScripts, "start")->chunk, document.InitScripts().At(0)->id);
  for (SceneNode* node : {model, Child(model, "crate")}) {
    EXPECT_FALSE(node->Bold());
    EXPECT_EQ(node->Check(), toolkit::CheckState::Unchecked);
  }
}

TEST_F(SceneTreeTest, AChunkIsFiledByItsOwnTypeNotByItsList) {
  ASSERT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9), DefinitionChunk("stray", 4)})})), "");
  EXPECT_EQ(ChildTexts(nodes().definitions), (Texts{"car"}));
  EXPECT_EQ(ChildTexts(Child(nodes().definitions, "car")), (Texts{"stray"}));
}

TEST_F(SceneTreeTest, AnUnreadableNameGivesAnEmptyNode) {
  ASSERT_EQ(Load(Scene({Objects({ChunkOf(kObjectChunk, ChunkOf(kObjectTypeChunk, U32(9)))})})), "");
  EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{""}));
  EXPECT_EQ(trace.TakeLines(), (Texts{"qScene2bin.GetChunkName: GetChunkName: NAME=NULL"}));
}

TEST_F(SceneTreeTest, AnUnknownTypeStopsTheFillWhereItStands) {
  const struct {
    const char* name;
    Bytes stranger;
    const char* message;
  } cases[] = {
      {"object type 1", ObjectChunk("ghost", 1), "Unknown object 0x00000001"},
      {"object type 5", ObjectChunk("ghost", 5), "Unknown object 0x00000005"},
      {"definition type 37", DefinitionChunk("ghost", 37), "Unknown difinition 0x25"},
      {"definition type -1", DefinitionChunk("ghost", 0xFFFFFFFF), "Unknown difinition 0xFFFFFFFF"},
      {"root chunk type", ChunkOf(kRootChunk, {}), "Unknown hunkType 4C53"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Load(Scene({Objects({ObjectChunk("before", 9), c.stranger, ObjectChunk("after", 4)}),
                          Definitions({DefinitionChunk("door", 6)}), InitScripts({InitScriptChunk("start")})})),
              c.message);
    EXPECT_EQ(ChildTexts(nodes().objects), (Texts{"model"}));
    EXPECT_EQ(ChildTexts(Child(nodes().objects, "model")), (Texts{"before"}));
    EXPECT_EQ(nodes().definitions->FirstChild(), nullptr);
    EXPECT_EQ(nodes().initScripts->FirstChild(), nullptr);
  }
}

TEST_F(SceneTreeTest, RefillingStartsFromTheFixedNodesAgain) {
  ASSERT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9)})})), "");
  model().SetCheck(*nodes().objects, toolkit::CheckState::Checked);
  ASSERT_EQ(Load(Scene({Objects({ObjectChunk("horn", 4)})})), "");
  EXPECT_EQ(ChildTexts(nodes().objects), (Texts{"sound"}));
  EXPECT_EQ(nodes().objects->Check(), toolkit::CheckState::Unchecked);
}

#include "tests/SceneTreeFixture.h"

#include "scene/Exception.h"

std::string SceneTreeTest::Load(const Bytes& file) {
  scene.emplace(file);
  try {
    tree.FillTree(*scene->document);
  } catch (const Exception& failure) {
    return failure.Message;
  }
  return "";
}

void SceneTreeTest::ClickBox(SceneNode* node) {
  model().SetCheck(*node, node->Checked() ? toolkit::CheckState::Unchecked : toolkit::CheckState::Checked);
  ApplyCheckRule(model(), nodes(), *node);
}

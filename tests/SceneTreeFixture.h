#pragma once
// The editor's scene tree filled from a document, with no window.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "editing/CheckRule.h"
#include "editing/SceneTree.h"
#include "tests/SceneTestSupport.h"
#include "tests/SceneTreeHelpers.h"

class SceneTreeTest : public testing::Test {
 protected:
  // Loads the file into a new document and fills the tree from it; the
  // message of the error that ended the fill, if any.
  std::string Load(const Bytes& file);
  // What a click on the node's box does: its state flips, then the rule runs.
  void ClickBox(SceneNode* node);

  toolkit::TreeModel& model() { return tree.Model(); }
  const FixedNodes& nodes() const { return tree.Nodes(); }
  SceneDocument& document() { return *scene->document; }
  TqScene2bin& scene2bin() { return *scene->scene2bin; }
  SceneNode* Object(const char* folder, const char* name) { return Child(Child(nodes().objects, folder), name); }

  std::optional<LoadedScene> scene;
  SceneTree tree;
  TraceCollector trace;
};

#pragma once
// An editor with a two-object scene open and one edit at hand that makes it
// differ from its file: what the tests of unsaved changes start from.
#include <string>

#include "tests/win32/EditorFixture.h"
#include "tools/gui/TreeClicks.h"

class EditedSceneTest : public EditorTest {
 protected:
  EditedSceneTest() {
    WriteFileBytes(path, kScene);
    OpenFile(path);
    tree().Expand(*nodes().objects);
  }

  // Deletes the crate.
  void Edit() {
    ClickCheckBox(tree(), Child(nodes().objects, "model"));
    ChooseMenu("Edit", "delete selected");
  }

  const Bytes kScene = Scene({Objects({ObjectChunk("crate", 9), ObjectChunk("horn", 4)})});
  const Bytes kEdited = Scene({Objects({ObjectChunk("horn", 4)})});
  const std::string path = scratch.Path("level.bin");
};

#include "tests/win32/EditorFixture.h"

#include <filesystem>

#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

Bytes Scene(std::initializer_list<Bytes> sections) {
  return SceneFile({Chunk(0x0001, {}) /* the head */, Concat(sections)});
}

Bytes Objects(std::initializer_list<Bytes> chunks) { return Chunk(kObjectsSection, Concat(chunks)); }
Bytes Definitions(std::initializer_list<Bytes> chunks) { return Chunk(kDefinitionsSection, Concat(chunks)); }
Bytes InitScripts(std::initializer_list<Bytes> chunks) { return Chunk(kInitScriptsSection, Concat(chunks)); }
Bytes VisualEffects(std::initializer_list<Bytes> chunks) { return Chunk(kVisualEffectsSection, Concat(chunks)); }

EditorTest::EditorTest() { form.Show(); }

EditorTest::~EditorTest() {
  std::error_code ignored;
  std::filesystem::remove_all(form.DncFolder(), ignored);
}

std::string EditorTest::Load(const Bytes& file) {
  const std::string path = scratch.Path("scene2.bin");
  WriteFileBytes(path, file);
  form.Document().ReadFromFile(path);
  trace.TakeLines();
  try {
    form.Scene().FillTree(form.Document());
  } catch (const Exception& failure) {
    return failure.Message;
  }
  return "";
}

void EditorTest::ChooseMenu(const std::string& menu, const std::string& item) {
  HMENU bar = GetMenu(form.Handle());
  for (int top = 0; top < GetMenuItemCount(bar); ++top) {
    char text[64] = {};
    GetMenuStringA(bar, top, text, sizeof text, MF_BYPOSITION);
    if (menu != text) continue;
    HMENU popup = GetSubMenu(bar, top);
    for (int index = 0; index < GetMenuItemCount(popup); ++index) {
      GetMenuStringA(popup, index, text, sizeof text, MF_BYPOSITION);
      if (item == text) {
        SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(popup, index), 0), 0);
        return;
      }
    }
  }
  ADD_FAILURE() << "no menu item " << menu << " > " << item;
}

std::vector<toolkit::TreeItem> EditorTest::Children(toolkit::TreeItem node) {
  std::vector<toolkit::TreeItem> children;
  for (toolkit::TreeItem child = tree().FirstChild(node); child != nullptr; child = tree().NextSibling(child))
    children.push_back(child);
  return children;
}

std::vector<std::string> EditorTest::ChildTexts(toolkit::TreeItem node) {
  std::vector<std::string> texts;
  for (toolkit::TreeItem child : Children(node)) texts.push_back(tree().Text(child));
  return texts;
}

toolkit::TreeItem EditorTest::Child(toolkit::TreeItem node, const std::string& text) {
  for (toolkit::TreeItem child : Children(node))
    if (tree().Text(child) == text) return child;
  ADD_FAILURE() << "no child " << text;
  return nullptr;
}

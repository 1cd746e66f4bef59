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

std::string MenuItemName(const std::string& text) { return text.substr(0, text.find('\t')); }

EditorTest::EditorTest(const std::string& soundPlugin) : form(application, soundPlugin) { form.Show(); }

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
    form.FillTree();
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
      if (item == MenuItemName(text)) {
        SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(popup, index), 0), 0);
        return;
      }
    }
  }
  ADD_FAILURE() << "no menu item " << menu << " > " << item;
}

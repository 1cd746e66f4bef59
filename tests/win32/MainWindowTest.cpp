#include <cmath>

#include "os/WideText.h"
#include "tests/win32/EditorFixture.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

namespace {

RECT BoundsInParent(HWND control) {
  RECT bounds{};
  GetWindowRect(control, &bounds);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

LOGFONTA FontOf(HWND window) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

struct ControlPlace {
  const char* className;
  const char* text;  // null: the only control of its class
  RECT bounds;
  int fontHeight;
};

// Every control of the main window, where it stands and the height of its font.
const ControlPlace kControls[] = {
    {"Button", "objects", {8, 8, 72, 30}, 13},        {"Button", "difinitions", {76, 8, 140, 30}, 13},
    {"Button", "InitScripts", {146, 8, 210, 30}, 13}, {"Button", "VisEffects", {216, 8, 280, 30}, 13},
    {WC_TREEVIEWA, nullptr, {8, 32, 281, 577}, 14},   {"Edit", nullptr, {8, 584, 209, 604}, 16},
    {"Button", "find", {216, 584, 281, 604}, 16},     {"Static", nullptr, {288, 8, 857, 604}, 16},
};

HWND Find(HWND form, const ControlPlace& place) { return FindWindowExA(form, nullptr, place.className, place.text); }

std::vector<std::string> MenuTexts(HMENU menu) {
  std::vector<std::string> texts;
  // A submenu's state holds its count of items in the high byte, where MF_SEPARATOR's bit lies.
  for (int index = 0; index < GetMenuItemCount(menu); ++index) {
    const bool separator = GetSubMenu(menu, index) == nullptr &&
                           (GetMenuState(menu, static_cast<UINT>(index), MF_BYPOSITION) & MF_SEPARATOR) != 0;
    texts.push_back(separator ? "-" : MenuItemText(menu, index));
  }
  return texts;
}

}  // namespace

TEST_F(EditorTest, MainWindowHasItsCaptionPlaceSizeAndFont) {
  EXPECT_EQ(TextOf(form.Handle()), "Form1");
  RECT window{};
  GetWindowRect(form.Handle(), &window);
  EXPECT_EQ(window.left, 199);
  EXPECT_EQ(window.top, 228);
  RECT client{};
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 862);
  EXPECT_EQ(client.bottom, 635);
  const LOGFONTA font = FontOf(form.Handle());
  EXPECT_STREQ(font.lfFaceName, "Verdana");
  EXPECT_EQ(font.lfHeight, 16);
}

TEST_F(EditorTest, EveryControlStandsWhereDesignedWithItsFont) {
  for (const ControlPlace& place : kControls) {
    SCOPED_TRACE(place.text != nullptr ? place.text : place.className);
    HWND control = Find(form.Handle(), place);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(BoundsInParent(control), place.bounds);
    EXPECT_EQ(FontOf(control).lfHeight, place.fontHeight);
    EXPECT_STREQ(FontOf(control).lfFaceName, "Verdana");
  }
}

TEST_F(EditorTest, ControlsHaveTheirStyles) {
  for (const char* jump : {"objects", "difinitions", "InitScripts", "VisEffects"})
    EXPECT_TRUE(GetWindowLongA(FindWindowExA(form.Handle(), nullptr, "Button", jump), GWL_STYLE) & BS_FLAT) << jump;
  const LONG treeStyle = GetWindowLongA(tree().Handle(), GWL_STYLE);
  for (LONG style : {TVS_HASLINES, TVS_LINESATROOT, TVS_HASBUTTONS, TVS_CHECKBOXES, TVS_FULLROWSELECT,
                     TVS_SHOWSELALWAYS, TVS_DISABLEDRAGDROP})
    EXPECT_EQ(treeStyle & style, style) << std::hex << style;
  EXPECT_EQ(treeStyle & TVS_EDITLABELS, 0);
  HWND panel = FindWindowExA(form.Handle(), nullptr, "Static", nullptr);
  EXPECT_TRUE(GetWindowLongA(panel, GWL_EXSTYLE) & WS_EX_STATICEDGE);
  EXPECT_EQ(TextOf(FindWindowExA(form.Handle(), nullptr, "Edit", nullptr)), "");
}

TEST_F(EditorTest, WindowRefusesToShrinkBelowItsMinimum) {
  SetWindowPos(form.Handle(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  RECT window{};
  GetWindowRect(form.Handle(), &window);
  EXPECT_EQ(window.right - window.left, 640);
  EXPECT_EQ(window.bottom - window.top, 480);
}

TEST_F(EditorTest, EnlargingStretchesTreeAndPanelAndMovesTheSearchRow) {
  RECT window{};
  GetWindowRect(form.Handle(), &window);
  SetWindowPos(form.Handle(), nullptr, 0, 0, window.right - window.left + 100, window.bottom - window.top + 50,
               SWP_NOMOVE | SWP_NOZORDER);
  // 100 pixels wider and 50 higher than designed.
  const ControlPlace moved[] = {
      {"Button", "objects", {8, 8, 72, 30}, 13},   {WC_TREEVIEWA, nullptr, {8, 32, 281, 627}, 14},
      {"Edit", nullptr, {8, 634, 209, 654}, 16},   {"Button", "find", {216, 634, 281, 654}, 16},
      {"Static", nullptr, {288, 8, 957, 654}, 16},
  };
  for (const ControlPlace& place : moved) {
    SCOPED_TRACE(place.text != nullptr ? place.text : place.className);
    EXPECT_EQ(BoundsInParent(Find(form.Handle(), place)), place.bounds);
  }
}

// What Windows sends a window moved to a monitor of `dpi`, with the outer
// rectangle it suggests.
void MoveToDpi(HWND window, int dpi, RECT suggested) {
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

TEST_F(EditorTest, MovedToAMonitorOfAnotherDpiRescalesAndMovedBackStandsAsDesigned) {
  RECT window{};
  GetWindowRect(form.Handle(), &window);
  const HIMAGELIST checkBoxes = TreeView_GetImageList(tree().Handle(), TVSIL_STATE);
  int boxWidth = 0;
  int boxHeight = 0;
  ImageList_GetIconSize(checkBoxes, &boxWidth, &boxHeight);
  // A quarter larger, as Windows suggests for 120 DPI.
  const auto larger = [](LONG length) { return std::lround(length * 1.25); };
  const RECT suggested{window.left + 10, window.top + 20, window.left + 10 + larger(window.right - window.left),
                       window.top + 20 + larger(window.bottom - window.top)};
  MoveToDpi(form.Handle(), 120, suggested);
  RECT placed{};
  GetWindowRect(form.Handle(), &placed);
  EXPECT_EQ(placed, suggested);
  for (const ControlPlace& place : kControls) {
    SCOPED_TRACE(place.text != nullptr ? place.text : place.className);
    HWND control = Find(form.Handle(), place);
    EXPECT_EQ(FontOf(control).lfHeight, larger(place.fontHeight));
    // Every control keeps to the left edge; the search row to the bottom,
    // so its top moves with the client area.
    EXPECT_EQ(BoundsInParent(control).left, larger(place.bounds.left));
  }
  const RECT jump = BoundsInParent(Find(form.Handle(), kControls[0]));
  EXPECT_EQ(jump.right - jump.left, larger(64));
  EXPECT_EQ(jump.bottom - jump.top, larger(22));
  // The tree's check boxes grow with its rows, which they don't reach beyond.
  int scaledWidth = 0;
  int scaledHeight = 0;
  ImageList_GetIconSize(TreeView_GetImageList(tree().Handle(), TVSIL_STATE), &scaledWidth, &scaledHeight);
  EXPECT_EQ(scaledWidth, larger(boxWidth));
  EXPECT_LE(scaledHeight, TreeView_GetItemHeight(tree().Handle()));

  MoveToDpi(form.Handle(), 96, window);
  GetWindowRect(form.Handle(), &placed);
  EXPECT_EQ(placed, window);
  EXPECT_EQ(TreeView_GetImageList(tree().Handle(), TVSIL_STATE), checkBoxes) << "the control's own check boxes";
  for (const ControlPlace& place : kControls) {
    SCOPED_TRACE(place.text != nullptr ? place.text : place.className);
    EXPECT_EQ(BoundsInParent(Find(form.Handle(), place)), place.bounds);
    EXPECT_EQ(FontOf(Find(form.Handle(), place)).lfHeight, place.fontHeight);
  }
}

TEST_F(EditorTest, MenusHoldTheirItemsInOrderWithTheirKeysAfterATab) {
  HMENU bar = GetMenu(form.Handle());
  EXPECT_EQ(MenuTexts(bar), (std::vector<std::string>{"File", "Edit"}));
  EXPECT_EQ(MenuTexts(GetSubMenu(bar, 0)),
            (std::vector<std::string>{"open..\tCtrl+O", "save\tCtrl+S", "save as..\tCtrl+Shift+S", "-",
                                      "export scene to *.chg .."}));
  EXPECT_EQ(MenuTexts(GetSubMenu(bar, 1)),
            (std::vector<std::string>{"undo\tCtrl+Z", "redo\tCtrl+Y", "-", "copy\tCtrl+C", "paste\tCtrl+V", "-",
                                      "export selected\tCtrl+E", "import..\tCtrl+I", "-", "delete selected"}));
  EXPECT_EQ(MenuTexts(form.SearchMenu().Handle()),
            (std::vector<std::string>{"in Objects List", "in Difinitions List"}));
  EXPECT_EQ(MenuTexts(form.TreeMenu().Handle()),
            (std::vector<std::string>{"Rename\tF2", "Sound settings..", "New sound..", "Duplicate\tCtrl+D"}));
}

TEST_F(EditorTest, ItemsThatCanDoNothingAreGreyedAndDoNothing) {
  // Nothing loaded: a save would write no scene2.bin.
  EXPECT_TRUE(Greyed("save"));
  EXPECT_TRUE(Greyed("save as.."));
  EXPECT_TRUE(Greyed("export scene to *.chg .."));
  EXPECT_TRUE(Greyed("undo"));
  EXPECT_TRUE(Greyed("redo"));
  ChooseMenu("File", "save");
  EXPECT_TRUE(trace.TakeLines().empty()) << "a greyed item sent as a command does nothing";

  ASSERT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9)})})), "");
  EXPECT_FALSE(Greyed("save"));
  EXPECT_FALSE(Greyed("save as.."));
  EXPECT_TRUE(Greyed("export scene to *.chg .."));
  ChooseMenu("File", "export scene to *.chg ..");
  EXPECT_EQ(model().Count(), 7u);
  EXPECT_TRUE(trace.TakeLines().empty());

  Load(Bytes{'n', 'o'});  // no scene2.bin: nothing is loaded
  EXPECT_TRUE(Greyed("save"));
}

TEST_F(EditorTest, StartsWithTheFiveFixedNodesInBold) {
  EXPECT_EQ(model().Count(), 5u);
  EXPECT_EQ(nodes().scene2->Text(), "scene2");
  EXPECT_EQ(ChildTexts(nodes().scene2),
            (std::vector<std::string>{"Objects", "Difinitions", "Visual effects", "Init Scripts"}));
  EXPECT_TRUE(tree().IsExpanded(*nodes().scene2));
  for (SceneNode* section : Children(nodes().scene2)) {
    EXPECT_FALSE(tree().IsExpanded(*section));
    EXPECT_EQ(section->FirstChild(), nullptr);
  }
  for (SceneNode* node :
       {nodes().scene2, nodes().objects, nodes().definitions, nodes().visualEffects, nodes().initScripts}) {
    EXPECT_TRUE(node->Bold());
    EXPECT_EQ(node->Check(), toolkit::CheckState::Unchecked);
    EXPECT_EQ(node->chunk, 0u);
  }
}

// The editor's own; the tests give theirs a scratch folder.
TEST(DncFolder, LiesNextToTheProgram) {
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::string folder = os::Narrow(program);
  folder.erase(folder.find_last_of('\\') + 1);
  EXPECT_EQ(ProgramDncFolder(), folder + "DNCes\\");
}

TEST_F(EditorTest, JumpButtonsShowSelectAndExpandTheirSection) {
  ASSERT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9)}), Definitions({DefinitionChunk("door", 6)})})), "");
  const struct {
    const char* button;
    SceneNode* section;
  } jumps[] = {{"objects", nodes().objects},
               {"difinitions", nodes().definitions},
               {"InitScripts", nodes().initScripts},
               {"VisEffects", nodes().visualEffects}};
  for (const auto& jump : jumps) {
    SCOPED_TRACE(jump.button);
    SendClick(FindWindowExA(form.Handle(), nullptr, "Button", jump.button));
    EXPECT_EQ(tree().Selected(), jump.section);
  }
  EXPECT_TRUE(tree().IsExpanded(*nodes().objects));
  EXPECT_TRUE(tree().IsExpanded(*nodes().definitions));
}

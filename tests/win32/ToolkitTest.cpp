#include <gtest/gtest.h>

#include <optional>

#include "os/WideText.h"
#include "toolkit/Button.h"
#include "toolkit/ComboList.h"
#include "toolkit/Edit.h"
#include "toolkit/FileDialog.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/TextView.h"
#include "toolkit/WorkArea.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

using namespace toolkit;

TEST(Layout, KeepsEachAnchoredEdgeAtItsDistance) {
  const RECT designed{10, 20, 110, 70};  // 100 by 50 in a client area of 400 by 300
  const struct {
    const char* name;
    Anchors anchors;
    RECT placed;  // in a client area of 450 by 330
  } cases[] = {
      {"left top", kAnchorsTopLeft, {10, 20, 110, 70}},
      {"right", kAnchorRight | kAnchorTop, {60, 20, 160, 70}},
      {"left right", kAnchorLeft | kAnchorRight | kAnchorTop, {10, 20, 160, 70}},
      {"bottom", kAnchorLeft | kAnchorBottom, {10, 50, 110, 100}},
      {"top bottom", kAnchorLeft | kAnchorTop | kAnchorBottom, {10, 20, 110, 100}},
      {"all", kAnchorsAll, {10, 20, 160, 100}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AnchoredBounds(designed, {400, 300}, {450, 330}, c.anchors), c.placed);
  }
}

TEST(WorkArea, AWindowIsMovedInsideWholeAndKeepsItsSizeAsFarAsTheAreaHoldsIt) {
  const RECT area{0, 0, 1366, 728};  // a 1366 x 768 screen less its taskbar
  const auto fit = [&area](RECT rect) {
    const RECT fitted = toolkit::FitInside(rect, area);
    return std::vector<LONG>{fitted.left, fitted.top, fitted.right, fitted.bottom};
  };
  EXPECT_EQ(fit({199, 228, 1069, 909}), (std::vector<LONG>{199, 47, 1069, 728})) << "the editor, moved up";
  EXPECT_EQ(fit({1069, 100, 1569, 560}), (std::vector<LONG>{866, 100, 1366, 560})) << "the sound dialog, moved left";
  EXPECT_EQ(fit({10, 10, 100, 100}), (std::vector<LONG>{10, 10, 100, 100})) << "where it fits, it stays";
  EXPECT_EQ(fit({-50, -20, 2000, 900}), (std::vector<LONG>{0, 0, 1366, 728})) << "no larger than the area";
}

TEST(WorkArea, TheConsoleGoesRightOfTheWindowElseLeftElseAtTheRightEdgeBelowItsMenu) {
  const RECT area{0, 0, 1920, 1040};
  const auto beside = [&area](RECT window) {
    const RECT placed = toolkit::PlaceBeside({500, 300}, window, window.top + 40, area);
    return std::vector<LONG>{placed.left, placed.top, placed.right, placed.bottom};
  };
  EXPECT_EQ(beside({199, 228, 1069, 909}), (std::vector<LONG>{1069, 228, 1569, 528}));
  EXPECT_EQ(beside({1000, 100, 1870, 781}), (std::vector<LONG>{500, 100, 1000, 400}));
  EXPECT_EQ(beside({300, 100, 1700, 800}), (std::vector<LONG>{1420, 140, 1920, 440})) << "below its menu bar";
  EXPECT_EQ(beside({300, 900, 1700, 1040}), (std::vector<LONG>{1420, 740, 1920, 1040})) << "inside the area";
}

TEST(FileDialog, FilterBecomesZeroSeparatedPairs) {
  EXPECT_EQ(Win32Filter("scene2 file (*.bin)|*.bin|all files|*"),
            std::wstring(L"scene2 file (*.bin)\0*.bin\0all files\0*\0\0", 39));
}

TEST(FileDialog, ChosenPathsAreUtf8) {
  EXPECT_EQ(ChosenPaths(L"C:\\Моды\\scene2.bin\0"), (std::vector<std::string>{"C:\\Моды\\scene2.bin"}));
  EXPECT_EQ(ChosenPaths(L"C:\\Моды\0Obj_Ящик.dnc\0café.dnc\0"),
            (std::vector<std::string>{"C:\\Моды\\Obj_Ящик.dnc", "C:\\Моды\\café.dnc"}));
}

TEST(Widen, TextIsUtf8BothWays) {
  EXPECT_EQ(os::Widen("Совпадение имён. café \xF0\x9F\x98\x80"), L"Совпадение имён. café \U0001F600");
  EXPECT_EQ(os::Narrow(L"Совпадение имён. café \U0001F600"), "Совпадение имён. café \xF0\x9F\x98\x80");
  EXPECT_EQ(os::Widen(""), L"");
  EXPECT_EQ(os::Widen("a\xFF"
                      "b"),
            L"a\uFFFDb")
      << "a byte that is no UTF-8";
}

namespace {

class FormTest : public ::testing::Test {
 protected:
  Form form{{.caption = "probe", .position = {50, 50}, .client = {300, 200}, .font = {"Verdana", 14}}};
};

}  // namespace

TEST(Form, OpensInsideTheWorkAreaWhereItWouldNotFit) {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  toolkit::Form form({.caption = "wide", .position = {area.right - 100, area.bottom - 100}, .client = {400, 300}});
  const RECT shown = form.ScreenRect();
  EXPECT_GE(shown.left, area.left);
  EXPECT_GE(shown.top, area.top);
  EXPECT_LE(shown.right, area.right);
  EXPECT_LE(shown.bottom, area.bottom);
}

TEST_F(FormTest, LabelIsAsLargeAsItsText) {
  Label label(form, {.text = "String?", .position = {10, 10}});
  const SIZE first = TextExtent(label.FontHandle(), "String?");
  RECT bounds = label.BoundsInParent();
  EXPECT_EQ(bounds, (RECT{10, 10, 10 + first.cx, 10 + first.cy}));
  label.SetText("a much longer prompt");
  bounds = label.BoundsInParent();
  EXPECT_EQ(bounds.right - bounds.left, TextExtent(label.FontHandle(), "a much longer prompt").cx);
}

TEST_F(FormTest, ControlsInheritTheFontTheyDoNotSet) {
  Button plain(form, {.text = "a", .bounds = {0, 0, 50, 20}});
  Button small(form, {.text = "b", .bounds = {0, 0, 50, 20}, .font = {.height = 11}});
  EXPECT_EQ(plain.FontDescription().name, "Verdana");
  EXPECT_EQ(plain.FontDescription().height, 14);
  EXPECT_EQ(small.FontDescription().name, "Verdana");
  EXPECT_EQ(small.FontDescription().height, 11);
}

TEST_F(FormTest, EditOfNoHeightShowsAWholeLine) {
  Edit edit(form, {.bounds = {8, 25, 73, 0}});
  RECT client{};
  GetClientRect(edit.Handle(), &client);
  EXPECT_GE(client.bottom, TextExtent(edit.FontHandle(), "").cy);
  EXPECT_GT(client.right, 0);
}

TEST_F(FormTest, GroupBoxPassesItsChildrensClicksOn) {
  GroupBox group(form, {.text = "Position", .bounds = {8, 7, 200, 100}});
  int clicks = 0;
  Button inside(group, {.text = "in", .bounds = {10, 20, 50, 20}, .onClick = [&clicks] { ++clicks; }});
  SendClick(inside.Handle());
  EXPECT_EQ(clicks, 1);
}

TEST_F(FormTest, ComboListSelectsOnlyItsItems) {
  ComboList list(form, {.items = {"1 - lokal", "2 - ???", "3 - global"}, .bounds = {8, 64, 129, 100}});
  EXPECT_EQ(list.SelectedIndex(), -1);
  list.Select(2);
  EXPECT_EQ(list.SelectedIndex(), 2);
  EXPECT_EQ(list.Text(), "3 - global");
  list.Select(3);
  EXPECT_EQ(list.SelectedIndex(), -1);
}

TEST_F(FormTest, ProgressBarKeepsItsPositionInRange) {
  ProgressBar bar(form, {.bounds = {144, 65, 209, 0}, .maximum = 50});
  bar.SetPosition(25);
  EXPECT_EQ(bar.Position(), 25);
  bar.SetPosition(80);
  EXPECT_EQ(bar.Position(), 50);
  EXPECT_TRUE(GetWindowLongA(bar.Handle(), GWL_STYLE) & PBS_SMOOTH);
}

TEST_F(FormTest, ModalShowingEndsWithTheResultAButtonSets) {
  Button ok(form, {.text = "Ok", .bounds = {10, 10, 50, 20}, .onClick = [this] { form.SetModalResult(7); }});
  Form other({.caption = "other", .client = {100, 100}});
  other.Show();
  bool otherWasEnabled = true;
  WhenShown answer("probe", [&](HWND) {
    otherWasEnabled = IsWindowEnabled(other.Handle());
    SendClick(ok.Handle());
  });
  EXPECT_EQ(form.ShowModal(ModalScope::DisableOthers), 7);
  EXPECT_TRUE(answer.Done());
  EXPECT_FALSE(otherWasEnabled);
  EXPECT_TRUE(IsWindowEnabled(other.Handle()));
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST_F(FormTest, ModalShowingCanLeaveOtherWindowsAlone) {
  Form host({.caption = "host", .client = {100, 100}});
  host.Show();
  bool hostWasEnabled = false;
  WhenShown answer("probe", [&](HWND) {
    hostWasEnabled = IsWindowEnabled(host.Handle());
    form.SetModalResult(-1);
  });
  EXPECT_EQ(form.ShowModal(ModalScope::DisableNone), -1);
  EXPECT_TRUE(hostWasEnabled);
}

TEST_F(FormTest, QuitDuringAModalLoopEndsItAndIsPostedAgain) {
  WhenShown quit("probe", [](HWND) { PostQuitMessage(3); });
  EXPECT_EQ(form.ShowModal(ModalScope::DisableOthers), 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST(Menu, RunsTheItemsOfItsSubmenusByCommand) {
  std::vector<std::string> ran;
  Menu file = Menu::Popup();
  file.AddItem("open..", [&ran] { ran.push_back("open"); });
  file.AddItem("inert", nullptr);
  Menu bar = Menu::Bar();
  bar.AddSubmenu("File", std::move(file));
  HMENU popup = GetSubMenu(bar.Handle(), 0);
  EXPECT_TRUE(bar.Invoke(GetMenuItemID(popup, 0)));
  EXPECT_TRUE(bar.Invoke(GetMenuItemID(popup, 1)));
  EXPECT_FALSE(bar.Invoke(1));
  EXPECT_EQ(ran, (std::vector<std::string>{"open"}));
}

TEST(ShowMessageBox, ShowsUtf8Text) {
  std::wstring shown;
  std::string caption;
  WhenShown read("tool", [&](HWND box) {
    caption = TextOf(box);
    shown = MessageBoxWideText(box);
    PostOk(box);
  });
  ShowMessageBox(nullptr, "Данные не введены.", "tool", 0);
  EXPECT_EQ(shown, L"Данные не введены.");
  EXPECT_EQ(caption, "tool");
}

namespace {

struct PlainNode : TreeModelNode {};

constexpr CheckState kOff = CheckState::Unchecked;
constexpr CheckState kOn = CheckState::Checked;

class TreeViewTest : public FormTest {
 protected:
  TreeViewTest() {
    form.Show();
    top = &Add(nullptr, "top");
    folder = &Add(top, "folder");
    for (const char* name : {"a", "b", "c"}) leaves.push_back(&Add(folder, name));
  }

  PlainNode& Add(TreeModelNode* parent, const char* text) { return model.Add<PlainNode>(parent, text); }

  // The state that the control's item shows, once the program has waited
  // for input and painted.
  CheckState Shown(const TreeModelNode* node) {
    PumpMessages();
    UpdateWindow(tree.Handle());
    const auto image = SendMessageA(tree.Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(tree.ControlItem(*node)),
                                    TVIS_STATEIMAGEMASK) >>
                       12;
    return image == 2 ? kOn : kOff;
  }
  bool HasButton(const TreeModelNode* node) {
    TVITEMA read{};
    read.mask = TVIF_CHILDREN;
    read.hItem = tree.ControlItem(*node);
    SendMessageA(tree.Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read));
    return read.cChildren != 0;
  }
  unsigned ControlCount() { return static_cast<unsigned>(SendMessageA(tree.Handle(), TVM_GETCOUNT, 0, 0)); }

  void CheckAll() {
    for (TreeModelNode* node : {top, folder, leaves[0], leaves[1], leaves[2]}) model.SetCheck(*node, kOn);
  }

  TreeModel model;
  TreeModelNode* top;
  TreeModelNode* folder;
  std::vector<TreeModelNode*> leaves;
  std::vector<TreeModelNode*> told;  // the node selected each time onSelect ran
  TreeView tree{form, model, {.bounds = {0, 0, 300, 200}, .onSelect = [this] { told.push_back(tree.Selected()); }}};
};

}  // namespace

TEST_F(TreeViewTest, ANodeGetsAControlItemOnceItsParentOpensWithWhatItHolds) {
  CheckAll();
  model.SetBold(*leaves[1]);
  model.SetText(*leaves[2], "renamed");
  EXPECT_EQ(ControlCount(), 1u);
  EXPECT_EQ(Shown(top), kOn);
  EXPECT_EQ(tree.ControlItem(*folder), nullptr);
  tree.Expand(*top);
  EXPECT_EQ(Shown(folder), kOn);
  EXPECT_TRUE(HasButton(folder));
  EXPECT_EQ(tree.ControlItem(*leaves[0]), nullptr);
  // The user opens the folder from the keyboard: the tree tells of it.
  tree.Select(folder);
  SendMessageA(tree.Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  ASSERT_TRUE(tree.IsExpanded(*folder));
  EXPECT_EQ(ControlCount(), 5u);
  for (const TreeModelNode* leaf : leaves) EXPECT_EQ(Shown(leaf), kOn);
  EXPECT_EQ(
      SendMessageA(tree.Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(tree.ControlItem(*leaves[1])), TVIS_BOLD),
      TVIS_BOLD);
  char text[16] = {};
  TVITEMA read{};
  read.mask = TVIF_TEXT;
  read.hItem = tree.ControlItem(*leaves[2]);
  read.pszText = text;
  read.cchTextMax = sizeof text;
  SendMessageA(tree.Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read));
  EXPECT_STREQ(text, "renamed");
  EXPECT_EQ(tree.HitTest({1, 1}).node, top);
}

TEST_F(TreeViewTest, EveryItemTakesItsNodesChangedStateUndrawnToo) {
  // Screen readers and UI automation read the items' own states, also of
  // rows out of sight.
  tree.Expand(*folder);
  SetWindowPos(tree.Handle(), nullptr, 0, 0, 300, 1, SWP_NOMOVE | SWP_NOZORDER);
  CheckAll();
  PumpMessages();
  for (const TreeModelNode* node : {top, folder, leaves[0], leaves[1], leaves[2]}) {
    const auto image = SendMessageA(tree.Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(tree.ControlItem(*node)),
                                    TVIS_STATEIMAGEMASK) >>
                       12;
    EXPECT_EQ(image, 2) << node->Text();
  }
}

TEST_F(TreeViewTest, AClickOnTheButtonOfAClosedNodeOpensItWithItsChildren) {
  model.SetCheck(*leaves[0], kOn);
  tree.Expand(*top);
  RECT row{};
  TreeView_GetItemRect(tree.Handle(), tree.ControlItem(*folder), &row, TRUE);
  TVHITTESTINFO test{};
  test.pt.y = (row.top + row.bottom) / 2;
  while (test.pt.x < row.left && (test.flags & TVHT_ONITEMBUTTON) == 0) {
    ++test.pt.x;
    SendMessageA(tree.Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&test));
  }
  ASSERT_NE(test.flags & TVHT_ONITEMBUTTON, 0u);
  const LPARAM at = MAKELPARAM(test.pt.x, test.pt.y);
  PostMessageA(tree.Handle(), WM_LBUTTONUP, 0, at);
  SendMessageA(tree.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  EXPECT_TRUE(tree.IsExpanded(*folder));
  for (const TreeModelNode* leaf : leaves) EXPECT_NE(tree.ControlItem(*leaf), nullptr);
  EXPECT_EQ(Shown(leaves[0]), kOn);
  EXPECT_EQ(Shown(leaves[1]), kOff);
}

TEST_F(TreeViewTest, ABoxFlipsFromTheNodesStateIntoTheModel) {
  tree.Expand(*top);
  tree.Expand(*folder);
  UpdateWindow(tree.Handle());
  for (CheckState state : {kOn, kOff}) {
    const CheckState flipped = state == kOn ? kOff : kOn;
    model.SetCheck(*leaves[1], state);
    ClickCheckBox(tree, leaves[1]);
    EXPECT_EQ(leaves[1]->Check(), flipped);
    model.SetCheck(*leaves[2], state);
    tree.Select(leaves[2]);
    SendMessageA(tree.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(tree.Handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(leaves[2]->Check(), flipped);
  }
}

TEST_F(TreeViewTest, AClosedNodeHasAButtonWhileItHasChildren) {
  tree.Expand(*top);
  PlainNode& empty = Add(top, "empty");
  EXPECT_FALSE(HasButton(&empty));
  PlainNode& child = Add(&empty, "child");
  EXPECT_TRUE(HasButton(&empty));
  model.Remove(child);
  EXPECT_FALSE(HasButton(&empty));
}

TEST_F(TreeViewTest, SelectingOrRevealingANodeShowsItsState) {
  CheckAll();
  tree.Select(leaves[0]);
  EXPECT_EQ(Shown(leaves[0]), kOn);
  EXPECT_EQ(Shown(folder), kOn);
  model.Clear();
  EXPECT_EQ(ControlCount(), 0u);
  top = &Add(nullptr, "top");
  folder = &Add(top, "folder");
  PlainNode& leaf = Add(folder, "leaf");
  model.SetCheck(leaf, kOn);
  tree.MakeVisible(leaf);
  EXPECT_EQ(Shown(&leaf), kOn);
}

TEST_F(TreeViewTest, OnSelectWaitsUntilTheKeysStopOrTheMouseOrTheFocusGoesElsewhere) {
  Button other(form, {.text = "other", .bounds = {200, 170, 90, 24}});
  tree.Select(leaves[0]);
  SetForegroundWindow(form.Handle());
  SetFocus(tree.Handle());
  PumpMessages();
  told.clear();
  PressKey({VK_DOWN});
  PressKey({VK_DOWN});
  PumpMessages();
  EXPECT_EQ(told, std::vector<TreeModelNode*>{leaves[2]}) << "two presses waiting together: once, where they end";

  // A key held down, each repeat handled before the next.
  told.clear();
  for (int repeat = 0; repeat < 2; ++repeat) {
    PushKey(VK_UP);
    PumpMessages();
  }
  EXPECT_TRUE(told.empty());
  RightClickNode(tree, leaves[2]);
  PumpMessages();
  EXPECT_EQ(told, std::vector<TreeModelNode*>{leaves[2]}) << "the mouse's selection, at once";
  told.clear();
  PushKey(VK_UP);
  PumpMessages();
  PressKey({VK_TAB});  // which the window's navigation takes
  PumpMessages();
  ReleaseKey(VK_UP);
  PumpMessages();
  EXPECT_EQ(GetFocus(), other.Handle());
  EXPECT_EQ(told, std::vector<TreeModelNode*>{leaves[1]}) << "once the focus left";
}

TEST_F(TreeViewTest, RemovingNodesRemovesTheirItems) {
  PlainNode& second = Add(top, "second");
  tree.Expand(*folder);
  model.Remove(std::vector<TreeModelNode*>{leaves[2], folder, leaves[0], folder});
  EXPECT_EQ(ControlCount(), 2u);
  EXPECT_NE(tree.ControlItem(second), nullptr);
}

TEST_F(TreeViewTest, AReworkWhileTheTopRowLiesInsideItKeepsTheTreeWhole) {
  std::vector<TreeModelNode*> many;
  for (int index = 0; index < 100; ++index) many.push_back(&Add(folder, "many"));
  tree.Expand(*folder);
  for (const bool undrawn : {false, true}) {
    // The tree scrolled so that a row of the folder is its first.
    tree.MakeVisible(*many[60]);
    SendMessageA(tree.Handle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE,
                 reinterpret_cast<LPARAM>(tree.ControlItem(*many[60])));
    std::optional<RedrawPause> pause;
    if (undrawn) pause.emplace(tree);
    {
      TreeModel::Rework rework(model, *folder, 70);
      model.Remove(std::vector<TreeModelNode*>(many.begin() + 30, many.end()));
    }
    many.resize(30);
    pause.reset();
    PumpMessages();
    EXPECT_EQ(ControlCount(), 2u + 3 + 30);
    for (int index = 0; index < 70; ++index) many.push_back(&Add(folder, "again"));
  }
}

TEST_F(FormTest, TextViewGivesItsTextAndScrollsOnlyWithinIt) {
  form.Show();
  TextView view(form, {.bounds = {0, 0, 200, 100}, .font = {"Courier New", 13, true}});
  std::string text;
  for (int line = 0; line < 40; ++line) text += "line " + std::to_string(line) + " Ёлка\n";
  view.Show(text);
  std::string expected;
  for (const char c : text) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(TextOf(view.Handle()), expected);
  EXPECT_EQ(GetScrollPos(view.Handle(), SB_VERT), 0);

  SendMessageW(view.Handle(), WM_KEYDOWN, VK_NEXT, 0);
  const int page = GetScrollPos(view.Handle(), SB_VERT);
  EXPECT_GT(page, 2);
  SendMessageW(view.Handle(), WM_KEYDOWN, VK_END, 0);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(view.Handle(), SB_VERT, &info);
  EXPECT_EQ(info.nPos + static_cast<int>(info.nPage), 40) << "the last line at the bottom, not past it";
  SendMessageW(view.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(GetScrollPos(view.Handle(), SB_VERT), info.nPos);

  view.Show("short\n");
  EXPECT_EQ(GetScrollPos(view.Handle(), SB_VERT), 0) << "new text shows from its first line";
  EXPECT_EQ(TextOf(view.Handle()), "short\r\n");
  SendMessageW(view.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(GetScrollPos(view.Handle(), SB_VERT), 0);
}

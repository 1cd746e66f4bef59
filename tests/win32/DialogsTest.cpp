#include <gtest/gtest.h>

#include "editor/OverwriteDialog.h"
#include "editor/StringDialog.h"
#include "os/WideText.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

namespace {

constexpr char kStringCaption[] = "TStringDialog: additional";
constexpr char kOverwriteCaption[] = "TOverwriteDialog: additional";

HWND Field(HWND dialog) { return FindWindowExA(dialog, nullptr, "Edit", nullptr); }
std::string Prompt(HWND dialog) { return TextOf(FindWindowExA(dialog, nullptr, "Static", nullptr)); }

// Sets the text field (unless `typed` is null) and presses the button.
std::function<void(HWND)> Answer(const char* typed, const char* button) {
  return [typed, button](HWND dialog) {
    if (typed != nullptr) SetWindowTextW(Field(dialog), os::Widen(typed).c_str());
    SendClick(ChildWithText(dialog, "Button", button));
  };
}

RECT BoundsInParent(HWND control) {
  RECT bounds{};
  GetWindowRect(control, &bounds);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

void ExpectFixedDialogFrame(const toolkit::Form& dialog, SIZE client) {
  RECT area{};
  GetClientRect(dialog.Handle(), &area);
  EXPECT_EQ(area.right, client.cx);
  EXPECT_EQ(area.bottom, client.cy);
  const LONG style = GetWindowLongA(dialog.Handle(), GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_TRUE(GetWindowLongA(dialog.Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  EXPECT_EQ(GetMenuState(GetSystemMenu(dialog.Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
  RECT window{};
  GetWindowRect(dialog.Handle(), &window);
  EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

}  // namespace

TEST(StringDialog, OkWithoutTypingGivesTheInitialText) {
  TStringDialog dialog;
  std::string prompt;
  std::string field;
  WhenShown answer(kStringCaption, [&](HWND window) {
    prompt = Prompt(window);
    field = TextOf(Field(window));
    Answer(nullptr, "Ok")(window);
  });
  EXPECT_EQ(dialog.Execute("Rename", "crate"), "crate");
  EXPECT_EQ(prompt, "Rename");
  EXPECT_EQ(field, "crate");
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

TEST(StringDialog, GivesWhatWasTypedOnOkAndNothingOnCancel) {
  TStringDialog dialog;
  const struct {
    const char* typed;
    const char* button;
    const char* result;
  } cases[] = {{"barrel", "Ok", "barrel"}, {"", "Ok", ""}, {"barrel", "Cancel", ""}, {nullptr, "Cancel", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " " + (c.typed != nullptr ? c.typed : "(untouched)"));
    WhenShown answer(kStringCaption, Answer(c.typed, c.button));
    EXPECT_EQ(dialog.Execute("Rename", "crate"), c.result);
  }
}

TEST(StringDialog, OpensWithTheNameSelectedForTypingEnterIsOkEscapeIsCancel) {
  TStringDialog dialog;
  bool focused = false;
  DWORD start = 1;
  DWORD end = 0;
  WhenShown enter(kStringCaption, [&](HWND window) {
    focused = GetFocus() == Field(window);
    SendMessageA(Field(window), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    PostTyping(GetFocus(), "siren");
    PostKey(GetFocus(), VK_RETURN);
  });
  EXPECT_EQ(dialog.Execute("Rename", "crate"), "siren");
  EXPECT_TRUE(focused);
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 5u);

  WhenShown escape(kStringCaption, [](HWND) {
    PostTyping(GetFocus(), "x");
    PostKey(GetFocus(), VK_ESCAPE);
  });
  EXPECT_EQ(dialog.Execute("Rename", "crate"), "");
}

TEST(StringDialog, AnEmptyPromptKeepsTheOneBefore) {
  TStringDialog dialog;
  std::vector<std::string> prompts;
  const auto readPrompt = [&prompts](HWND window) {
    prompts.push_back(Prompt(window));
    Answer(nullptr, "Cancel")(window);
  };
  {
    WhenShown answer(kStringCaption, readPrompt);
    dialog.Execute("", "x");
  }
  {
    WhenShown answer(kStringCaption, readPrompt);
    dialog.Execute("Rename", "x");
  }
  {
    WhenShown answer(kStringCaption, readPrompt);
    dialog.Execute("", "x");
  }
  EXPECT_EQ(prompts, (std::vector<std::string>{"String?", "Rename", "Rename"}));
}

TEST(StringDialog, EndsOnlyThroughItsButtons) {
  TStringDialog dialog;
  bool visibleAfterClose = false;
  WhenShown answer(kStringCaption, [&](HWND window) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    visibleAfterClose = IsWindowVisible(window);
    Answer("kept", "Ok")(window);
  });
  EXPECT_EQ(dialog.Execute("Rename", "x"), "kept");
  EXPECT_TRUE(visibleAfterClose);
}

TEST(StringDialog, HasItsFrameAndControlsWhereDesigned) {
  TStringDialog dialog;
  ExpectFixedDialogFrame(dialog, {235, 100});
  EXPECT_EQ(TextOf(dialog.Handle()), kStringCaption);
  HWND label = FindWindowExA(dialog.Handle(), nullptr, "Static", "String?");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(BoundsInParent(label).left, 10);
  EXPECT_EQ(BoundsInParent(label).top, 10);
  EXPECT_EQ(BoundsInParent(Field(dialog.Handle())), (RECT{10, 35, 225, 57}));
  EXPECT_EQ(BoundsInParent(ChildWithText(dialog.Handle(), "Button", "Ok")), (RECT{175, 70, 225, 92}));
  EXPECT_EQ(BoundsInParent(ChildWithText(dialog.Handle(), "Button", "Cancel")), (RECT{100, 70, 170, 92}));
  EXPECT_EQ(dialog.FontDescription().name, "Verdana");
  EXPECT_EQ(dialog.FontDescription().height, 14);
}

TEST(OverwriteDialog, EachButtonGivesItsAnswer) {
  TOverwriteDialog dialog;
  const struct {
    const char* button;
    int result;
  } cases[] = {{"Yes", 0x40}, {"No", 0x80}, {"Yes for all", 0x41}, {"No for all", 0x81}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    WhenShown answer(kOverwriteCaption, [&c](HWND window) { SendClick(ChildWithText(window, "Button", c.button)); });
    EXPECT_EQ(dialog.ShowModal(toolkit::ModalScope::DisableOthers), c.result);
  }
}

TEST(OverwriteDialog, HasItsFrameAndControlsWhereDesigned) {
  TOverwriteDialog dialog;
  ExpectFixedDialogFrame(dialog, {238, 125});
  EXPECT_EQ(TextOf(dialog.Handle()), kOverwriteCaption);
  HWND label = FindWindowExA(dialog.Handle(), nullptr, "Static", "Overwrite?");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(BoundsInParent(label).left, 10);
  const struct {
    const char* button;
    RECT bounds;
  } buttons[] = {{"No", {90, 75, 140, 97}},
                 {"Yes", {90, 100, 140, 122}},
                 {"No for all", {145, 75, 235, 97}},
                 {"Yes for all", {145, 100, 235, 122}}};
  for (const auto& button : buttons)
    EXPECT_EQ(BoundsInParent(ChildWithText(dialog.Handle(), "Button", button.button)), button.bounds) << button.button;
}

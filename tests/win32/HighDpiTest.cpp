// The windows at a DPI above 96 (144 in the test run), in a Wine prefix of
// that DPI: everything is scaled from its design at 96 DPI, and nothing is
// cut off or covers another.

#include <windows.h>

#include <cmath>
#include <vector>

#include "editor/OverwriteDialog.h"
#include "editor/StringDialog.h"
#include "tests/plugin/SoundTestSupport.h"
#include "tests/win32/EditorFixture.h"
#include "toolkit/ProgressWindow.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

namespace {

RECT ClientOf(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client;
}

LONG Width(const RECT& rect) { return rect.right - rect.left; }
LONG Height(const RECT& rect) { return rect.bottom - rect.top; }

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// A length designed at 96 DPI, as it shows: scaled, give or take the rounding.
void ExpectScaled(LONG shown, int designed, const char* what) {
  EXPECT_LE(std::abs(shown - std::lround(designed * ScreenDpi() / 96.0)), 1) << what << ": designed " << designed;
}

int FontHeight(HWND window) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

std::string NameOf(HWND window) { return ClassOf(window) + " \"" + TextOf(window) + "\""; }

// Every child of `parent`, and theirs in turn, lies whole inside its parent's
// client area and covers none of its siblings.
void ExpectLaidOutWithin(HWND parent) {
  const RECT client = ClientOf(parent);
  const std::vector<HWND> children = ChildrenOf(parent);
  for (size_t i = 0; i < children.size(); ++i) {
    const RECT place = PlaceInParent(children[i]);
    RECT inside{};
    IntersectRect(&inside, &place, &client);
    EXPECT_EQ(inside, place) << NameOf(children[i]) << " is cut off in " << NameOf(parent);
    for (size_t j = i + 1; j < children.size(); ++j) {
      const RECT other = PlaceInParent(children[j]);
      RECT common{};
      EXPECT_FALSE(IntersectRect(&common, &place, &other))
          << NameOf(children[i]) << " " << place << " covers " << NameOf(children[j]) << " " << other;
    }
    ExpectLaidOutWithin(children[i]);
  }
}

// The width of a window's caption text in the system's caption font, and the
// room that its caption bar leaves for it beside the buttons.
LONG CaptionTextWidth(HWND window) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont);
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  const std::string caption = TextOf(window);
  SIZE size{};
  GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return size.cx;
}
LONG CaptionRoom(HWND window) { return Width(ClientOf(window)) - GetSystemMetrics(SM_CXSIZE); }

class HighDpiTest : public EditorTest {
 protected:
  HighDpiTest() : EditorTest(HostPath(SCENE2_AMBREL)) {}
  void SetUp() override { ASSERT_GT(ScreenDpi(), 96) << "the Wine prefix of these tests shows a higher DPI"; }
};

TEST_F(HighDpiTest, MainWindowAndItsControlsAndFontsAreScaled) {
  // A screen too small for the window at 144 DPI gets it whole, fitted into its work area.
  RECT window{};
  GetWindowRect(form.Handle(), &window);
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  RECT visible{};
  IntersectRect(&visible, &window, &area);
  EXPECT_EQ(visible, window);
  HWND tree = FindWindowExA(form.Handle(), nullptr, WC_TREEVIEWA, nullptr);
  const RECT treePlace = PlaceInParent(tree);
  ExpectScaled(treePlace.left, 8, "tree left");
  ExpectScaled(Width(treePlace), 273, "tree width");
  ExpectScaled(FontHeight(tree), 14, "tree font");
  ExpectScaled(FontHeight(form.Handle()), 16, "window font");
  HWND jump = ChildWithText(form.Handle(), "Button", "objects");
  ExpectScaled(Height(PlaceInParent(jump)), 22, "jump button height");
  ExpectScaled(FontHeight(jump), 13, "jump button font");
  ExpectLaidOutWithin(form.Handle());
}

TEST_F(HighDpiTest, MainWindowKeepsItsControlsApartWhenEnlargedAndAtItsMinimum) {
  for (const SIZE outer : {SIZE{1600, 1000}, SIZE{0, 0}}) {
    SetWindowPos(form.Handle(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT window{};
    GetWindowRect(form.Handle(), &window);
    SCOPED_TRACE(window);
    if (outer.cx == 0) {
      ExpectScaled(Width(window), 640, "minimum width");
      ExpectScaled(Height(window), 480, "minimum height");
    }
    ExpectLaidOutWithin(form.Handle());
  }
}

TEST_F(HighDpiTest, MaximisedTheSearchRowAndTheStatusLineStayOnTheScreen) {
  ShowWindow(form.Handle(), SW_MAXIMIZE);
  PumpMessages();
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  for (HWND control :
       {FindWindowExA(form.Handle(), nullptr, "Edit", nullptr), ChildWithText(form.Handle(), "Button", "find"),
        FindWindowExW(form.Handle(), nullptr, STATUSCLASSNAMEW, nullptr)}) {
    RECT shown{};
    GetWindowRect(control, &shown);
    RECT visible{};
    IntersectRect(&visible, &shown, &area);
    EXPECT_EQ(visible, shown) << NameOf(control);
  }
  ExpectLaidOutWithin(form.Handle());
}

TEST_F(HighDpiTest, SmallDialogsShowTheirWholeCaptionAndControls) {
  TStringDialog rename(form.Handle());
  TOverwriteDialog overwrite(form.Handle());
  for (const toolkit::Form* dialog : std::initializer_list<const toolkit::Form*>{&rename, &overwrite}) {
    SCOPED_TRACE(TextOf(dialog->Handle()));
    ExpectScaled(FontHeight(dialog->Handle()), 14, "font");
    EXPECT_LE(CaptionTextWidth(dialog->Handle()), CaptionRoom(dialog->Handle()));
    ExpectLaidOutWithin(dialog->Handle());
  }
  ExpectScaled(Width(ClientOf(rename.Handle())), 235, "rename width");
  ExpectScaled(Height(ClientOf(overwrite.Handle())), 125, "overwrite height");
}

TEST_F(HighDpiTest, ProgressWindowShowsItsCountBarAndCancel) {
  toolkit::ProgressWindow progress(form.Handle(), "Export", "chunks");
  // It shows at the first report once the command has run for a second.
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    progress.Report(1000000, 2000000);
    return (window = FindThreadWindow(GetCurrentThreadId(), Captioned("Export"))) != nullptr;
  }));
  ExpectScaled(Width(ClientOf(window)), 320, "width");
  ExpectLaidOutWithin(window);
}

TEST_F(HighDpiTest, SoundDialogOpensScaledWithOkCancelAndAboutInside) {
  ASSERT_EQ(Load(Scene({Objects({RainSound("rain", 0.5f, {1, 2, 3})})})), "");
  bool shown = false;
  WhenShown inspect("rain", [&](HWND dialog) {
    shown = true;
    ExpectScaled(FontHeight(dialog), 12, "font");
    RECT window{};
    GetWindowRect(dialog, &window);
    ExpectScaled(Width(window), 500, "first width");
    ExpectScaled(Height(window), 465, "first height");
    HWND ok = ChildWithText(dialog, "Button", "Ok");
    ExpectScaled(Width(PlaceInParent(ok)), 88, "Ok width");
    ExpectScaled(Height(PlaceInParent(ok)), 25, "Ok height");
    ExpectLaidOutWithin(dialog);
    PostClick(ChildWithText(dialog, "Button", "Cancel"));
  });
  tree().Select(Child(Child(nodes().objects, "sound"), "rain"));
  form.EditSelectedSound();
  EXPECT_TRUE(shown);
}

}  // namespace

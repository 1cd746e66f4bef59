// Ambrel.dll as a host scene editor uses it: loaded from the program's folder,
// its two exports found by name and called with real chunks, its dialog
// answered from another thread as a user would, its block checked byte for
// byte and released as a host releases it.

#include <float.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "os/WideText.h"
#include "scene/ChunkTypes.h"
#include "sound/Levels.h"
#include "tests/plugin/DialogView.h"
#include "tests/plugin/SoundTestSupport.h"
#include "tools/gui/AmbrelLibrary.h"
#include "tools/gui/DialogDriver.h"
#include "tools/gui/HostWindow.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/WindowSearch.h"

namespace {

constexpr char kTitle[] = "Doruv Uvizi";

// The outcome of one EditSound call, as the host sees it.
struct EditOutcome {
  uint8_t returned = 0;
  uint8_t* chunk = nullptr;
  int32_t size = 0;

  // The block handed back, taken over and released as a host does.
  Bytes TakeBlock() {
    EXPECT_EQ(LocalSize(chunk), static_cast<SIZE_T>(size)) << "the block is exactly as long as the chunk";
    EXPECT_EQ(LocalHandle(chunk), chunk) << "fixed memory";
    Bytes block(chunk, chunk + size);
    EXPECT_EQ(LocalFree(chunk), nullptr);
    chunk = nullptr;
    return block;
  }
};

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT Desktop() { return WindowRect(GetDesktopWindow()); }

// A host window whose right edge is at `right`, well inside the screen.
RECT HostPlace(LONG right) { return {right - 300, 40, right, 500}; }

class AmbrelHost : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(library_.Loaded()) << "Ambrel.dll and both exports"; }

  uint8_t Init(HWND window) { return library_.Init()(&window); }

  // Calls EditSound with the host's chunk while `script` answers on the
  // driver's thread.
  EditOutcome EditSound(uint8_t* chunk, int32_t size, const std::function<void()>& script) {
    EditOutcome outcome{0, chunk, size};
    DialogDriver driver(thread_, script);
    outcome.returned = library_.EditSound()(&outcome.chunk, &outcome.size);
    driver.HostReturned();
    return outcome;
  }

  // Waits for the sound dialog and finds its controls.
  DialogView WaitForDialog(const char* title = nullptr) {
    HWND dialog = WaitForThreadWindow(thread_, OfClass(kFormClass, title));
    EXPECT_NE(dialog, nullptr) << "the sound dialog";
    return dialog != nullptr ? FindControls(dialog) : DialogView{};
  }

  // Opens the dialog for a new sound, lets `user` act on it and cancels;
  // gives the rectangle it was shown in.
  RECT ShownThenCancelled(const std::function<void(HWND)>& user = [](HWND) {}) {
    RECT shown{};
    EditSound(nullptr, 0, [&] {
      const DialogView view = WaitForDialog();
      ASSERT_NE(view.cancel, nullptr);
      shown = WindowRect(view.dialog);
      user(view.dialog);
      PostClick(view.cancel);
    });
    return shown;
  }

  AmbrelLibrary library_;
  const DWORD thread_ = GetCurrentThreadId();
};

TEST_F(AmbrelHost, ExportsBothFunctionsByNameUndecoratedAndStdcall) {
  std::vector<std::string> names = library_.ExportNames();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"EditSound", "Init"}));

#if defined(__i386__)
  HWND none = nullptr;
  const RawCall init = CallPushingOne(reinterpret_cast<void*>(library_.Init()), reinterpret_cast<uint32_t>(&none));
  EXPECT_EQ(init.argumentBytesLeft, 0) << "Init removes its argument";
  EXPECT_EQ(init.result & 0xFF, 1u);
  const RawCall edit = CallPushingTwo(reinterpret_cast<void*>(library_.EditSound()), 0, 0);
  EXPECT_EQ(edit.argumentBytesLeft, 0) << "EditSound removes its arguments";
  EXPECT_EQ(edit.result & 0xFF, 0u) << "no chunk pointer to edit";
#endif  // 64-bit Windows has one calling convention
}

TEST_F(AmbrelHost, InitReturnsTrueWhateverTheHandle) {
  const HostWindow host(HostPlace(600));
  EXPECT_EQ(Init(host.Handle()), 1);
  EXPECT_EQ(Init(nullptr), 1);
  EXPECT_EQ(Init(reinterpret_cast<HWND>(0x1234)), 1);
}

TEST_F(AmbrelHost, NewSoundShowsTheDefaultsAndOkHandsBackTheDefaultObject) {
  const HostWindow host(HostPlace(600));
  Init(host.Handle());
  EditOutcome outcome = EditSound(nullptr, 0, [&] {
    const DialogView view = WaitForDialog();
    ASSERT_NE(view.ok, nullptr);
    EXPECT_EQ(TextOf(view.dialog), kTitle);
    EXPECT_EQ(Shown(view), SoundFields{});
    EXPECT_EQ(TextOf(view.soundType), "1 - lokal");
    EXPECT_EQ(SendMessageA(view.soundType, CB_GETCOUNT, 0, 0), 3);

    const LONG style = GetWindowLongA(view.dialog, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    EXPECT_EQ(GetWindow(view.dialog, GW_OWNER), nullptr) << "a window of its own";
    EXPECT_EQ(reinterpret_cast<HMODULE>(GetClassLongPtrA(view.dialog, GCLP_HMODULE)), library_.Module())
        << "its class is the library's, not the host program's";
    EXPECT_TRUE(IsWindowEnabled(host.Handle())) << "the host's windows stay enabled";
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(view.texts[kSpeed], WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "verdana");
    EXPECT_EQ(font.lfHeight, 12);
    RECT client{};
    GetClientRect(view.volume, &client);
    EXPECT_EQ(client.right, 209) << "the volume bar's client area";
    PostClick(view.ok);
  });
  EXPECT_EQ(outcome.returned, 1);
  ASSERT_NE(outcome.chunk, nullptr);
  EXPECT_EQ(outcome.size, 245);
  EXPECT_EQ(outcome.TakeBlock(), WrittenSound(SoundFields{}));
}

TEST_F(AmbrelHost, CancelOfANewSoundLeavesThePointerNull) {
  const HostWindow host(HostPlace(600));
  Init(host.Handle());
  const EditOutcome outcome = EditSound(nullptr, 77, [&] {
    const DialogView view = WaitForDialog();
    ASSERT_NE(view.cancel, nullptr);
    PostClick(view.cancel);
  });
  EXPECT_EQ(outcome.returned, 0);
  EXPECT_EQ(outcome.chunk, nullptr);
  EXPECT_EQ(outcome.size, 77);
}

// A sound object with every value unlike a new sound's.
Bytes StoredSound() { return RainSound("rain on roof", 0.25f, {1.5f, -2, 300}); }

SoundFields StoredSoundShown() { return RainSoundShown(12); }

TEST_F(AmbrelHost, ExistingSoundShowsItsValuesAndWritesWhatTheUserChanged) {
  const HostWindow host(HostPlace(400));
  Init(host.Handle());
  Bytes stored = StoredSound();
  const Bytes original = stored;
  EditOutcome outcome = EditSound(stored.data(), static_cast<int32_t>(stored.size()), [&] {
    const DialogView view = WaitForDialog("rain on roof");
    ASSERT_NE(view.ok, nullptr);
    EXPECT_EQ(Shown(view), StoredSoundShown());

    SendTyping(view.texts[kPositionX], "12.5");
    SendTyping(view.texts[kParentSector], "yard 2");
    SendTyping(view.texts[kSoundFile], "storm.wav");
    SendTyping(view.texts[kDecreaseRadius], "40");
    SendTyping(view.texts[kSpeed], "1,5");
    SendTyping(view.texts[kSoundSector], "");
    SendMessageA(view.soundType, CB_SETCURSEL, 1, 0);
    Mouse mouse(thread_);
    mouse.Down(view.volume, BarPoint(view.volume, 104));
    mouse.Up(view.volume, BarPoint(view.volume, 104));
    mouse.Down(view.minLevel, BarPoint(view.minLevel, 0));
    mouse.Up(view.minLevel, BarPoint(view.minLevel, 0));
    PostClick(view.ok);
  });
  EXPECT_EQ(stored, original) << "the host's chunk is only read";
  EXPECT_EQ(outcome.returned, 1);
  ASSERT_NE(outcome.chunk, stored.data());

  SoundFields expected = StoredSoundShown();
  expected.Name = std::string("rain on roof\0", 13);
  expected.Position[0] = "12.5";
  expected.ParentSector = "yard 2";
  expected.SoundFile = "storm.wav";
  expected.DecreaseRadius = "40";
  expected.Speed = "15";
  expected.SoundSector = "";
  expected.SoundType = 1;
  expected.Volume = 25;
  expected.MinLevel = 0;
  const Bytes written = outcome.TakeBlock();
  EXPECT_EQ(written, WrittenSound(expected));
  // The sound part: type 2, volume 0.5, and radius 5 with a decrease zone of 35.
  const size_t sound = 111 + 13 + 6;
  EXPECT_EQ(Bytes(written.begin() + sound + 6 + 16, written.begin() + sound + 6 + 36),
            Concat({ChunkOf(kSoundTypeChunk, U32(2)), ChunkOf(kVolumeChunk, F32({0.5f}))}));
  EXPECT_EQ(Bytes(written.begin() + sound + 6 + 66, written.begin() + sound + 6 + 82), F32({5, 35, 0, 0.8f}));
}

// Shown and confirmed without edits, a chunk as the plug-in writes it comes
// back byte for byte: the decrease width is not taken for the absolute radius.
TEST_F(AmbrelHost, UneditedOkGivesTheSameObjectBack) {
  const HostWindow host(HostPlace(400));
  Init(host.Handle());
  SoundFields fields = StoredSoundShown();
  fields.Name = "rain";
  fields.ConstRadius = "0.1";
  fields.DecreaseRadius = "0.4";
  Bytes stored = WrittenSound(fields);
  EditOutcome outcome = EditSound(stored.data(), static_cast<int32_t>(stored.size()), [&] {
    const DialogView view = WaitForDialog("rain");
    ASSERT_NE(view.ok, nullptr);
    PostClick(view.ok);
  });
  EXPECT_EQ(outcome.returned, 1);
  ASSERT_NE(outcome.chunk, stored.data());
  EXPECT_EQ(outcome.TakeBlock(), stored);
}

TEST_F(AmbrelHost, TheFirstFieldHasTheFocusEnterIsOkAndEscapeIsCancel) {
  const HostWindow host(HostPlace(400));
  Init(host.Handle());
  const struct {
    WORD key;
    uint8_t returned;
  } cases[] = {{VK_RETURN, 1}, {VK_ESCAPE, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key == VK_RETURN ? "Enter" : "Escape");
    EditOutcome outcome = EditSound(nullptr, 0, [&] {
      const DialogView view = WaitForDialog();
      ASSERT_NE(view.dialog, nullptr);
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      ASSERT_TRUE(GetGUIThreadInfo(thread_, &info));
      EXPECT_EQ(info.hwndFocus, view.texts[kPositionX]);
      // To the field with the focus, through the dialog's loop as a key press comes.
      PostKey(info.hwndFocus, c.key);
    });
    EXPECT_EQ(outcome.returned, c.returned);
    if (c.returned == 1) {
      EXPECT_EQ(outcome.TakeBlock(), WrittenSound(SoundFields{}));
    }
  }
}

TEST_F(AmbrelHost, ClosingThroughTheFrameIsCancel) {
  const HostWindow host(HostPlace(400));
  Init(host.Handle());
  Bytes stored = StoredSound();
  uint8_t* const pointer = stored.data();
  const EditOutcome outcome = EditSound(pointer, static_cast<int32_t>(stored.size()), [&] {
    const DialogView view = WaitForDialog();
    ASSERT_NE(view.dialog, nullptr);
    SendTyping(view.texts[kSpeed], "99");
    SetWindowPos(view.dialog, nullptr, 0, 0, 610, 530, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(view.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(outcome.returned, 0);
  EXPECT_EQ(outcome.chunk, pointer);
  EXPECT_EQ(outcome.size, static_cast<int32_t>(stored.size()));
  EXPECT_EQ(stored, StoredSound());
  EXPECT_FALSE(FindThreadWindow(thread_, OfClass(kFormClass))) << "the dialog is gone";

  // Its size is remembered as after Cancel.
  const RECT next = ShownThenCancelled();
  EXPECT_EQ(next.right - next.left, 610);
  EXPECT_EQ(next.bottom - next.top, 530);
}

TEST_F(AmbrelHost, OtherObjectTypeShowsItsMessageAndNoDialog) {
  const HostWindow host(HostPlace(400));
  Init(host.Handle());
  Bytes stored =
      ChunkOf(kObjectChunk, Concat({ChunkOf(kObjectTypeChunk, U32(7)), ChunkOf(kObjectNameChunk, TextNul("car"))}));
  const Bytes original = stored;
  const EditOutcome outcome = EditSound(stored.data(), static_cast<int32_t>(stored.size()), [&] {
    HWND box = WaitForThreadWindow(thread_, OfClass(kMessageBoxClass, kTitle));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Incorrect object type: 7\rNeeds sound object, type: 4");
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_FALSE(IsWindowEnabled(host.Handle())) << "task-modal: the thread's windows wait for it";
    EXPECT_FALSE(FindThreadWindow(thread_, OfClass(kFormClass))) << "no dialog shows";
    PostOk(box);
  });
  EXPECT_EQ(outcome.returned, 0);
  EXPECT_EQ(outcome.chunk, stored.data());
  EXPECT_EQ(stored, original);
  EXPECT_TRUE(IsWindowEnabled(host.Handle()));
}

// The windows made of a class that the test put in the library's module
// under the dialog's class name, as an earlier load of the library whose
// window outlived it would leave one.
int windowsOfTakenClass = 0;
LRESULT CALLBACK TakenClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) ++windowsOfTakenClass;
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(AmbrelHost, ADialogClassNameTakenInTheLibraryCancelsTheEditWithoutAWindowUntilItIsFree) {
  WNDCLASSEXW taken{};
  taken.cbSize = sizeof taken;
  taken.lpfnWndProc = TakenClassProcedure;
  taken.hInstance = library_.Module();
  taken.lpszClassName = L"toolkit.Form";
  ASSERT_NE(RegisterClassExW(&taken), 0);
  windowsOfTakenClass = 0;
  uint8_t* chunk = nullptr;
  int32_t size = 77;
  EXPECT_EQ(library_.EditSound()(&chunk, &size), 0);
  EXPECT_EQ(chunk, nullptr);
  EXPECT_EQ(size, 77);
  EXPECT_EQ(windowsOfTakenClass, 0) << "no window of a class that is not the dialog's";
  while (HWND made = FindThreadWindow(thread_, OfClass(kFormClass))) DestroyWindow(made);
  ASSERT_TRUE(UnregisterClassW(L"toolkit.Form", library_.Module()));

  const RECT shown = ShownThenCancelled();
  EXPECT_GT(shown.right - shown.left, 0) << "the dialog's own class, registered on the next edit";
}

TEST_F(AmbrelHost, DialogOpensRightOfTheHostAndInsideTheWorkAreaWhereThatHasNoRoom) {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  for (const LONG hostRight : {LONG{400}, area.right - 300, area.right - 20}) {
    SCOPED_TRACE(hostRight);
    const HostWindow host(HostPlace(hostRight));
    Init(host.Handle());
    const RECT shown = ShownThenCancelled();
    // Ok and Cancel stay in reach: the dialog is whole on the screen.
    EXPECT_EQ(shown.left, std::min(hostRight, area.right - 500));
    EXPECT_EQ(shown.top, 40);
    EXPECT_EQ(shown.right - shown.left, 500);
    EXPECT_EQ(shown.bottom - shown.top, 465);
  }
}

TEST_F(AmbrelHost, RemembersTheSizeTheUserLeftUntilTheNextInit) {
  const HostWindow host(HostPlace(400));
  Init(host.Handle());
  const auto openedSize = [&](const std::function<void(HWND)>& user) {
    const RECT rect = ShownThenCancelled(user);
    return std::pair{rect.right - rect.left, rect.bottom - rect.top};
  };
  EXPECT_EQ(openedSize([](HWND dialog) {
              SetWindowPos(dialog, nullptr, 0, 0, 600, 520, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
              FindControls(dialog);  // every control still at its place
            }),
            std::pair(500L, 465L));
  EXPECT_EQ(openedSize([](HWND) {}), std::pair(600L, 520L));
  Init(host.Handle());
  EXPECT_EQ(openedSize([](HWND) {}), std::pair(500L, 465L));
}

TEST_F(AmbrelHost, RescalesOnAMonitorOfAnotherDpiAndRemembersItsSizeForThatDpi) {
  const HostWindow host(HostPlace(400));
  Init(host.Handle());
  const RECT left = ShownThenCancelled([](HWND dialog) {
    // Moved to a monitor of 192 DPI and back, as Windows tells a window.
    const auto moveTo = [dialog](int dpi, LONG width, LONG height) {
      RECT suggested{};
      GetWindowRect(dialog, &suggested);
      suggested.right = suggested.left + width;
      suggested.bottom = suggested.top + height;
      SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    };
    moveTo(192, 1000, 930);
    moveTo(96, 500, 465);
    FindControls(dialog);  // every control at its place again
    moveTo(192, 1100, 960);
  });
  EXPECT_EQ(left.right - left.left, 500);
  const RECT next = ShownThenCancelled();
  EXPECT_EQ(next.right - next.left, 550) << "the size left at 192 DPI, here at 96";
  EXPECT_EQ(next.bottom - next.top, 480);
}

TEST_F(AmbrelHost, BeforeInitOpensCentredAt352By636) {
  const RECT shown = ShownThenCancelled();
  EXPECT_EQ(shown.right - shown.left, 352);
  EXPECT_EQ(shown.bottom - shown.top, 636);
  const RECT desktop = Desktop();
  EXPECT_EQ(shown.left, (desktop.right - 352) / 2);
  EXPECT_EQ(shown.top, (desktop.bottom - 636) / 2);
}

TEST_F(AmbrelHost, LevelBarsFollowThePointerWhileTheButtonIsDown) {
  const HostWindow host(HostPlace(400));
  Init(host.Handle());
  EditSound(nullptr, 0, [&] {
    const DialogView view = WaitForDialog();
    ASSERT_NE(view.cancel, nullptr);
    Mouse mouse(thread_);
    HWND bar = view.volume;
    mouse.MoveTo(bar, BarPoint(bar, 104));
    mouse.Down(bar, BarPoint(bar, 104));
    EXPECT_EQ(BarLevel(bar), 25) << "24.88 at the middle";
    mouse.MoveTo(bar, BarPoint(bar, 208));
    EXPECT_EQ(BarLevel(bar), 50) << "the far right";
    mouse.MoveTo(bar, BarPoint(bar, 0));
    EXPECT_EQ(BarLevel(bar), 0) << "the far left";
    mouse.MoveTo(bar, BarPoint(bar, 50));
    mouse.Up(bar, BarPoint(bar, 50));
    EXPECT_EQ(BarLevel(bar), 12);
    mouse.MoveTo(bar, BarPoint(bar, 180));
    EXPECT_EQ(BarLevel(bar), 12) << "released, the bar no longer follows";
    HWND max = view.maxLevel;
    mouse.Down(max, BarPoint(max, 116));
    mouse.Up(max, BarPoint(max, 116));
    EXPECT_EQ(BarLevel(max), 25) << "116 of 233";
    PostClick(view.cancel);
  });
}

TEST_F(AmbrelHost, LeavingABarStopsTheFollowing) {
  const HostWindow host(HostPlace(400));
  Init(host.Handle());
  EditSound(nullptr, 0, [&] {
    const DialogView view = WaitForDialog();
    ASSERT_NE(view.cancel, nullptr);
    Mouse mouse(thread_);
    // Pressed on the max bar and dragged down onto the min bar: the max bar
    // stops following as the pointer leaves it, the min bar never starts.
    HWND max = view.maxLevel;
    HWND min = view.minLevel;
    mouse.Down(max, BarPoint(max, 100));
    EXPECT_EQ(BarLevel(max), 21);
    mouse.MoveTo(max, {140, 20});  // between the bars
    mouse.MoveTo(min, BarPoint(min, 200));
    mouse.MoveTo(max, BarPoint(max, 220));
    mouse.Up(max, BarPoint(max, 220));
    EXPECT_EQ(BarLevel(max), 21);
    EXPECT_EQ(BarLevel(min), 0);
    // Pressed on the volume bar, moved out over its label and back.
    HWND volume = view.volume;
    mouse.Down(volume, BarPoint(volume, 100));
    EXPECT_EQ(BarLevel(volume), 24);
    mouse.MoveTo(volume, {100, -8});
    mouse.MoveTo(volume, BarPoint(volume, 200));
    mouse.Up(volume, BarPoint(volume, 200));
    EXPECT_EQ(BarLevel(volume), 24);
    PostClick(view.cancel);
  });
}

TEST_F(AmbrelHost, AboutShowsCreditsUnderTheDialogsTitle) {
  const HostWindow host(HostPlace(400));
  Init(host.Handle());
  Bytes stored = StoredSound();
  const EditOutcome outcome = EditSound(stored.data(), static_cast<int32_t>(stored.size()), [&] {
    const DialogView view = WaitForDialog("rain on roof");
    ASSERT_NE(view.about, nullptr);
    PostClick(view.about);
    HWND box = WaitForThreadWindow(thread_, OfClass(kMessageBoxClass, "rain on roof"));
    ASSERT_NE(box, nullptr);
    EXPECT_NE(MessageBoxText(box).find("2026"), std::string::npos) << MessageBoxText(box);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    PostOk(box);
    EXPECT_TRUE(WaitUntil([&] { return !FindThreadWindow(thread_, OfClass(kMessageBoxClass)); }));
    EXPECT_TRUE(IsWindowVisible(view.dialog));
    EXPECT_EQ(Shown(view), StoredSoundShown());
    PostClick(view.cancel);
  });
  EXPECT_EQ(outcome.returned, 0);
}

// The chunk's texts are Windows-1251; the dialog shows their characters on
// any system, and takes back only what the code page can hold.
TEST_F(AmbrelHost, TextsShowAsTheirCharactersAndGoBackAsWindows1251) {
  const HostWindow host(HostPlace(400));
  Init(host.Handle());
  SoundFields fields = StoredSoundShown();
  fields.Name = "\xD4\xEE\xED\xE0\xF0\xFC";  // "Фонарь"
  fields.ParentSector = "\xC4\xE2\xEE\xF0";  // "Двор"
  Bytes stored = WrittenSound(fields);
  std::string refusal;
  EditOutcome outcome = EditSound(stored.data(), static_cast<int32_t>(stored.size()), [&] {
    const DialogView view = WaitForDialog("Фонарь");
    ASSERT_NE(view.ok, nullptr);
    EXPECT_EQ(TextOf(view.texts[kParentSector]), "Двор");
    SendTyping(view.texts[kSoundFile], "дождь é.wav");
    PostClick(view.ok);
    HWND box = WaitForThreadWindow(thread_, OfClass(kMessageBoxClass, "Фонарь"));
    ASSERT_NE(box, nullptr);
    refusal = MessageBoxText(box);
    PostOk(box);
    EXPECT_TRUE(WaitUntil([&] { return !FindThreadWindow(thread_, OfClass(kMessageBoxClass)); }));
    EXPECT_TRUE(IsWindowVisible(view.dialog)) << "the refused text stays to be mended";
    SendTyping(view.texts[kSoundFile], "дождь.wav");
    PostClick(view.ok);
  });
  EXPECT_EQ(refusal, "\"é\" (U+00E9) can't be stored: the game's code page, Windows-1251, has no such character.");
  EXPECT_EQ(outcome.returned, 1);
  fields.SoundFile = "\xE4\xEE\xE6\xE4\xFC.wav";
  EXPECT_EQ(outcome.TakeBlock(), WrittenSound(fields));
}

// Whether the edit shows its whole text between its margins.
bool ShowsWhole(HWND edit) {
  RECT client{};
  GetClientRect(edit, &client);
  const auto margins = static_cast<DWORD>(SendMessageW(edit, EM_GETMARGINS, 0, 0));
  const std::wstring text = os::Widen(TextOf(edit));
  HDC dc = GetDC(edit);
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, previous);
  ReleaseDC(edit, dc);
  return extent.cx <= client.right - LOWORD(margins) - HIWORD(margins);
}

TEST_F(AmbrelHost, FieldsShowAFloatsTextWholeAndEachBarItsLevelAsItMoves) {
  const HostWindow host(HostPlace(400));
  Init(host.Handle());
  SoundFields fields = StoredSoundShown();
  // A float's 15 digits with a sign: "-1234.56787109375", "-0.70710676908493".
  for (std::string& text : fields.Position) text = "-1234.5679";
  for (std::string& text : fields.Scale) text = "-1234.5679";
  for (std::string& text : fields.Rotation) text = "-0.70710677";
  fields.Volume = 30;
  Bytes stored = WrittenSound(fields);
  EditSound(stored.data(), static_cast<int32_t>(stored.size()), [&] {
    const DialogView view = WaitForDialog();
    ASSERT_NE(view.cancel, nullptr);
    EXPECT_EQ(TextOf(view.texts[kRotation1]), "-0.70710676908493");
    for (HWND text : view.texts) {
      EXPECT_TRUE(ShowsWhole(text)) << TextOf(text);
    }
    EXPECT_EQ(TextOf(view.volumeText), "30 of 50");
    EXPECT_EQ(TextOf(view.maxLevelText), LevelText(BarLevel(view.maxLevel)));
    EXPECT_EQ(TextOf(view.minLevelText), LevelText(BarLevel(view.minLevel)));
    Mouse mouse(thread_);
    mouse.Down(view.volume, BarPoint(view.volume, 104));
    EXPECT_EQ(TextOf(view.volumeText), "25 of 50");
    mouse.MoveTo(view.volume, BarPoint(view.volume, 208));
    EXPECT_EQ(TextOf(view.volumeText), "50 of 50") << "as the bar follows the pointer";
    mouse.Up(view.volume, BarPoint(view.volume, 208));
    PostClick(view.cancel);
  });
}

// Only an item counts: the text part typed over names an item or none.
TEST_F(AmbrelHost, TypedSoundTypeCountsOnlyAsAnItem) {
  const HostWindow host(HostPlace(400));
  Init(host.Handle());
  const std::pair<const char*, int> cases[] = {{"loud", -1}, {"3 - global", 2}, {"3", -1}};
  for (const auto& [typed, index] : cases) {
    SCOPED_TRACE(typed);
    EditOutcome outcome = EditSound(nullptr, 0, [&] {
      const DialogView view = WaitForDialog();
      ASSERT_NE(view.ok, nullptr);
      HWND text = FindWindowExA(view.soundType, nullptr, "Edit", nullptr);
      ASSERT_NE(text, nullptr);
      SendTyping(text, typed);
      PostClick(view.ok);
    });
    ASSERT_EQ(outcome.returned, 1);
    SoundFields expected;
    expected.SoundType = index;
    EXPECT_EQ(outcome.TakeBlock(), WrittenSound(expected));
  }
}

// A host may round upwards and unmask the invalid-operation exception, which
// a stored signalling not-a-number would raise: the plug-in works in the
// default state and hands the host's back.
TEST_F(AmbrelHost, WorksInItsOwnFloatingPointStateAndLeavesTheHostsAlone) {
#if !defined(__i386__)
  GTEST_SKIP() << "a 64-bit host's unmasked SSE exceptions would fault in the system's own code";
#endif
  const HostWindow host(HostPlace(400));
  Init(host.Handle());
  Bytes stored = SoundObject({
      ChunkOf(kPositionChunk, Concat({U32(0x7F800001), F32({1, 2})})),
      ChunkOf(kSoundChunk, ChunkOf(kVolumeChunk, F32({0.25f}))),
  });
  SoundFields shown;
  const unsigned int hostState = _RC_UP | (_MCW_EM & ~_EM_INVALID);
  const unsigned int before = _controlfp(0, 0);
  _controlfp(hostState, _MCW_RC | _MCW_EM);
  EditOutcome outcome = EditSound(stored.data(), static_cast<int32_t>(stored.size()), [&] {
    const DialogView view = WaitForDialog();
    ASSERT_NE(view.cancel, nullptr);
    shown = Shown(view);
    PostClick(view.cancel);
  });
  const unsigned int after = _controlfp(0, 0);
  _controlfp(before, _MCW_RC | _MCW_EM);
  EXPECT_EQ(after & (_MCW_RC | _MCW_EM), hostState);
  EXPECT_EQ(outcome.returned, 0);
  EXPECT_EQ(shown.Position[0], "nan");
  EXPECT_EQ(shown.Volume, 12) << "12.5 rounds to the even 12";
}

}  // namespace

#include "tests/plugin/DialogView.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "tools/gui/DialogDriver.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/WindowSearch.h"

namespace {

enum class Parent { Window, Position, Sound, Levels };

struct Place {
  Parent parent;
  int left, top, width, height;  // a height of 0: the control's standard height, not checked
};

struct TextPlace {
  Place place;
  std::string& (*field)(SoundFields&);
};

const TextPlace kTextPlaces[kTextFieldCount] = {
    {{Parent::Position, 8, 25, 114, 0}, [](SoundFields& f) -> std::string& { return f.Position[0]; }},
    {{Parent::Position, 124, 25, 114, 0}, [](SoundFields& f) -> std::string& { return f.Position[1]; }},
    {{Parent::Position, 240, 25, 114, 0}, [](SoundFields& f) -> std::string& { return f.Position[2]; }},
    {{Parent::Position, 356, 25, 114, 0}, [](SoundFields& f) -> std::string& { return f.ParentSector; }},
    {{Parent::Position, 8, 61, 114, 0}, [](SoundFields& f) -> std::string& { return f.Scale[0]; }},
    {{Parent::Position, 124, 61, 114, 0}, [](SoundFields& f) -> std::string& { return f.Scale[1]; }},
    {{Parent::Position, 240, 61, 114, 0}, [](SoundFields& f) -> std::string& { return f.Scale[2]; }},
    {{Parent::Position, 8, 97, 114, 0}, [](SoundFields& f) -> std::string& { return f.Rotation[0]; }},
    {{Parent::Position, 124, 97, 114, 0}, [](SoundFields& f) -> std::string& { return f.Rotation[1]; }},
    {{Parent::Position, 240, 97, 114, 0}, [](SoundFields& f) -> std::string& { return f.Rotation[2]; }},
    {{Parent::Position, 356, 97, 114, 0}, [](SoundFields& f) -> std::string& { return f.Rotation[3]; }},
    {{Parent::Sound, 8, 27, 233, 0}, [](SoundFields& f) -> std::string& { return f.SoundFile; }},
    {{Parent::Sound, 8, 109, 129, 0}, [](SoundFields& f) -> std::string& { return f.ConstRadius; }},
    {{Parent::Sound, 144, 109, 129, 0}, [](SoundFields& f) -> std::string& { return f.DecreaseRadius; }},
    {{Parent::Sound, 360, 133, 113, 0}, [](SoundFields& f) -> std::string& { return f.Extra[0]; }},
    {{Parent::Sound, 360, 158, 113, 0}, [](SoundFields& f) -> std::string& { return f.Extra[1]; }},
    {{Parent::Sound, 8, 216, 129, 0}, [](SoundFields& f) -> std::string& { return f.Speed; }},
    {{Parent::Sound, 144, 216, 209, 0}, [](SoundFields& f) -> std::string& { return f.SoundSector; }},
};

struct LabelPlace {
  Parent parent;
  const char* text;
  int left, top;
};

const LabelPlace kLabelPlaces[] = {
    {Parent::Position, "coordinates:", 8, 12},
    {Parent::Position, "scale:", 8, 48},
    {Parent::Position, "rotation:", 8, 84},
    {Parent::Position, "sector:", 358, 12},
    {Parent::Sound, "file:", 8, 14},
    {Parent::Sound, "sound type:", 8, 51},
    {Parent::Sound, "volume level:", 144, 51},
    {Parent::Sound, "const volume radius:", 8, 96},
    {Parent::Sound, "decrease volume radius:", 144, 96},
    {Parent::Sound, "Unk floats:", 360, 119},
    {Parent::Sound, "speed:", 8, 202},
    {Parent::Sound, "sector:", 144, 202},
    {Parent::Levels, "max", 8, 16},
    {Parent::Levels, "min", 8, 40},
};

// The direct child of `parent` of the class whose top left corner is at the
// place, with the text unless it is null; checked for its size too.
HWND ChildAt(HWND parent, const char* className, const char* text, const Place& place) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const RECT at = PlaceInParent(child);
    if (lstrcmpiA(ClassOf(child).c_str(), className) != 0 || at.left != place.left || at.top != place.top) continue;
    if (text != nullptr && TextOf(child) != text) continue;
    EXPECT_EQ(at.right - at.left, place.width) << className << " at " << place.left << ", " << place.top;
    if (place.height != 0) {
      EXPECT_EQ(at.bottom - at.top, place.height) << className << " at " << place.left;
    }
    return child;
  }
  ADD_FAILURE() << "no " << className << " " << (text != nullptr ? text : "") << " at " << place.left << ", "
                << place.top;
  return nullptr;
}

// Labels are exactly as large as their text in their own font.
void ExpectLabel(HWND parent, const LabelPlace& label) {
  HWND found = nullptr;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    if (ClassOf(child) == "Static" && TextOf(child) == label.text) found = child;
  ASSERT_NE(found, nullptr) << label.text;
  const RECT at = PlaceInParent(found);
  EXPECT_EQ(at.left, label.left) << label.text;
  EXPECT_EQ(at.top, label.top) << label.text;
  HDC dc = GetDC(found);
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(found, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32A(dc, label.text, lstrlenA(label.text), &extent);
  SelectObject(dc, previous);
  ReleaseDC(found, dc);
  EXPECT_EQ(at.right - at.left, extent.cx) << label.text;
}

// The label beside a bar that writes its level: 6 pixels right of it, a
// pixel below its top.
HWND LevelTextOf(HWND bar) {
  if (bar == nullptr) return nullptr;
  const RECT at = PlaceInParent(bar);
  for (HWND child = GetWindow(GetParent(bar), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const RECT label = PlaceInParent(child);
    if (ClassOf(child) == "Static" && label.left == at.right + 6 && label.top == at.top + 1) return child;
  }
  ADD_FAILURE() << "no level beside the bar at " << at.left << ", " << at.top;
  return nullptr;
}

}  // namespace

DialogView FindControls(HWND dialog) {
  DialogView view;
  view.dialog = dialog;
  view.positionGroup = ChildAt(dialog, "Button", "Position", {Parent::Window, 8, 7, 481, 137});
  view.soundGroup = ChildAt(dialog, "Button", "Sound settings", {Parent::Window, 8, 150, 481, 251});
  if (view.positionGroup == nullptr || view.soundGroup == nullptr) return view;
  view.levelsGroup =
      ChildAt(view.soundGroup, "Button", "Decrease-area volume levels", {Parent::Sound, 8, 136, 330, 65});
  if (view.levelsGroup == nullptr) return view;
  const auto parentOf = [&](Parent parent) {
    switch (parent) {
      case Parent::Position:
        return view.positionGroup;
      case Parent::Sound:
        return view.soundGroup;
      case Parent::Levels:
        return view.levelsGroup;
      case Parent::Window:
        break;
    }
    return dialog;
  };
  for (size_t i = 0; i < view.texts.size(); ++i)
    view.texts[i] = ChildAt(parentOf(kTextPlaces[i].place.parent), "Edit", nullptr, kTextPlaces[i].place);
  for (const LabelPlace& label : kLabelPlaces) ExpectLabel(parentOf(label.parent), label);
  view.soundType = ChildAt(view.soundGroup, "ComboBox", nullptr, {Parent::Sound, 8, 64, 129, 0});
  view.volume = ChildAt(view.soundGroup, PROGRESS_CLASSA, nullptr, {Parent::Sound, 144, 65, 209, 0});
  view.maxLevel = ChildAt(view.levelsGroup, PROGRESS_CLASSA, nullptr, {Parent::Levels, 32, 13, 233, 0});
  view.minLevel = ChildAt(view.levelsGroup, PROGRESS_CLASSA, nullptr, {Parent::Levels, 32, 37, 233, 0});
  view.volumeText = LevelTextOf(view.volume);
  view.maxLevelText = LevelTextOf(view.maxLevel);
  view.minLevelText = LevelTextOf(view.minLevel);
  view.about = ChildAt(dialog, "Button", "About", {Parent::Window, 8, 408, 49, 25});
  view.cancel = ChildAt(dialog, "Button", "Cancel", {Parent::Window, 307, 405, 88, 25});
  view.ok = ChildAt(dialog, "Button", "Ok", {Parent::Window, 400, 405, 88, 25});
  return view;
}

SoundFields Shown(const DialogView& view) {
  SoundFields fields;
  for (size_t i = 0; i < view.texts.size(); ++i) kTextPlaces[i].field(fields) = TextOf(view.texts[i]);
  fields.SoundType = static_cast<int>(SendMessageA(view.soundType, CB_GETCURSEL, 0, 0));
  fields.Volume = BarLevel(view.volume);
  fields.MaxLevel = BarLevel(view.maxLevel);
  fields.MinLevel = BarLevel(view.minLevel);
  return fields;
}

POINT BarPoint(HWND bar, int x) {
  RECT client{};
  GetClientRect(bar, &client);
  return {x, client.bottom / 2};
}

int BarLevel(HWND bar) { return static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0)); }

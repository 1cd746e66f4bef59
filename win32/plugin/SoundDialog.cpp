#include "plugin/SoundDialog.h"

#include <iterator>
#include <string>

#include "scene/TypedText.h"
#include "scene/Windows1251.h"
#include "toolkit/MessageBox.h"

namespace {

constexpr char kAboutText[] =
    "Ambrel: sound settings for the sound objects of scene2.bin.\r\n"
    "Made by the scene2 tools team, 2026.";

constexpr int kAccepted = 1;
constexpr int kCancelled = 2;

enum class Parent { Window, Position, Sound, Levels };

struct LabelPlace {
  Parent parent;
  const char* text;
  POINT at;
};

const LabelPlace kLabels[] = {
    {Parent::Position, "coordinates:", {8, 12}},
    {Parent::Position, "scale:", {8, 48}},
    {Parent::Position, "rotation:", {8, 84}},
    {Parent::Position, "sector:", {358, 12}},
    {Parent::Sound, "file:", {8, 14}},
    {Parent::Sound, "sound type:", {8, 51}},
    {Parent::Sound, "volume level:", {144, 51}},
    {Parent::Sound, "const volume radius:", {8, 96}},
    {Parent::Sound, "decrease volume radius:", {144, 96}},
    {Parent::Sound, "Unk floats:", {360, 119}},
    {Parent::Sound, "speed:", {8, 202}},
    {Parent::Sound, "sector:", {144, 202}},
    {Parent::Levels, "max", {8, 16}},
    {Parent::Levels, "min", {8, 40}},
};

// A height of 0 is the edit's standard height.
struct TextPlace {
  Parent parent;
  toolkit::Bounds bounds;
  std::string& (*field)(SoundFields&);
};

const TextPlace kTexts[] = {
    {Parent::Position, {8, 25, 114, 0}, [](SoundFields& f) -> std::string& { return f.Position[0]; }},
    {Parent::Position, {124, 25, 114, 0}, [](SoundFields& f) -> std::string& { return f.Position[1]; }},
    {Parent::Position, {240, 25, 114, 0}, [](SoundFields& f) -> std::string& { return f.Position[2]; }},
    {Parent::Position, {356, 25, 114, 0}, [](SoundFields& f) -> std::string& { return f.ParentSector; }},
    {Parent::Position, {8, 61, 114, 0}, [](SoundFields& f) -> std::string& { return f.Scale[0]; }},
    {Parent::Position, {124, 61, 114, 0}, [](SoundFields& f) -> std::string& { return f.Scale[1]; }},
    {Parent::Position, {240, 61, 114, 0}, [](SoundFields& f) -> std::string& { return f.Scale[2]; }},
    {Parent::Position, {8, 97, 114, 0}, [](SoundFields& f) -> std::string& { return f.Rotation[0]; }},
    {Parent::Position, {124, 97, 114, 0}, [](SoundFields& f) -> std::string& { return f.Rotation[1]; }},
    {Parent::Position, {240, 97, 114, 0}, [](SoundFields& f) -> std::string& { return f.Rotation[2]; }},
    {Parent::Position, {356, 97, 114, 0}, [](SoundFields& f) -> std::string& { return f.Rotation[3]; }},
    {Parent::Sound, {8, 27, 233, 0}, [](SoundFields& f) -> std::string& { return f.SoundFile; }},
    {Parent::Sound, {8, 109, 129, 0}, [](SoundFields& f) -> std::string& { return f.ConstRadius; }},
    {Parent::Sound, {144, 109, 129, 0}, [](SoundFields& f) -> std::string& { return f.DecreaseRadius; }},
    {Parent::Sound, {360, 133, 113, 0}, [](SoundFields& f) -> std::string& { return f.Extra[0]; }},
    {Parent::Sound, {360, 158, 113, 0}, [](SoundFields& f) -> std::string& { return f.Extra[1]; }},
    {Parent::Sound, {8, 216, 129, 0}, [](SoundFields& f) -> std::string& { return f.Speed; }},
    {Parent::Sound, {144, 216, 209, 0}, [](SoundFields& f) -> std::string& { return f.SoundSector; }},
};

// A height of 0 is the bar's standard height.
struct LevelPlace {
  Parent parent;
  toolkit::Bounds bounds;
  int SoundFields::*field;
};

const LevelPlace kLevels[] = {
    {Parent::Sound, {144, 65, 209, 0}, &SoundFields::Volume},
    {Parent::Levels, {32, 13, 233, 0}, &SoundFields::MaxLevel},
    {Parent::Levels, {32, 37, 233, 0}, &SoundFields::MinLevel},
};

// The list's height is that of its dropped-down items.
constexpr toolkit::Bounds kSoundTypeBounds{8, 64, 129, 100};

}  // namespace

SoundDialog::SoundDialog()
    // A group box paints no background of its own: the window paints it under
    // the groups, or their insides would stay unpainted.
    : Form({.caption = kSoundDialogTitle, .client = {492, 438}, .font = {"verdana", 12}, .clipChildren = false}),
      positionGroup_(*this, {.text = "Position", .bounds = {8, 7, 481, 137}}),
      soundGroup_(*this, {.text = "Sound settings", .bounds = {8, 150, 481, 251}}),
      levelsGroup_(soundGroup_, {.text = "Decrease-area volume levels", .bounds = {8, 136, 330, 65}}),
      soundType_(soundGroup_, {.items = {kSoundTypeTexts.begin(), kSoundTypeTexts.end()}, .bounds = kSoundTypeBounds}),
      about_(*this, {.text = "About", .bounds = {8, 408, 49, 25}, .onClick = [this] { ShowAbout(); }}),
      cancel_(*this, {.text = "Cancel",
                      .bounds = {307, 405, 88, 25},
                      .role = toolkit::ButtonRole::Cancel,
                      .onClick = [this] { SetModalResult(kCancelled); }}),
      ok_(*this, {.text = "Ok", .bounds = {400, 405, 88, 25}, .role = toolkit::ButtonRole::Default, .onClick = [this] {
                    Accept();
                  }}) {
  const auto parentOf = [this](Parent parent) -> toolkit::Window& {
    switch (parent) {
      case Parent::Position:
        return positionGroup_;
      case Parent::Sound:
        return soundGroup_;
      case Parent::Levels:
        return levelsGroup_;
      case Parent::Window:
        break;
    }
    return *this;
  };
  for (const LabelPlace& label : kLabels)
    labels_.push_back(std::make_unique<toolkit::Label>(parentOf(label.parent),
                                                       toolkit::LabelArgs{.text = label.text, .position = label.at}));
  for (const TextPlace& text : kTexts)
    texts_.push_back(std::make_unique<toolkit::Edit>(parentOf(text.parent), toolkit::EditArgs{.bounds = text.bounds}));
  for (const LevelPlace& level : kLevels)
    levels_.push_back(std::make_unique<LevelBar>(parentOf(level.parent), level.bounds));
  Fill(SoundFields{});
}

void SoundDialog::Fill(const SoundFields& fields) {
  filled_ = fields;
  SoundFields shown = fields;
  for (size_t i = 0; i < texts_.size(); ++i) texts_[i]->SetText(Utf8FromWindows1251(kTexts[i].field(shown)));
  soundType_.Select(fields.SoundType);
  for (size_t i = 0; i < levels_.size(); ++i) levels_[i]->SetLevel(ClampLevel(fields.*kLevels[i].field));
}

SoundFields SoundDialog::ReadBack() const {
  SoundFields fields = filled_;
  for (size_t i = 0; i < texts_.size(); ++i) kTexts[i].field(fields) = BytesOfTyped(texts_[i]->Text()).bytes;
  fields.SoundType = soundType_.ShownIndex();
  for (size_t i = 0; i < levels_.size(); ++i) fields.*kLevels[i].field = levels_[i]->Position();
  return fields;
}

bool SoundDialog::Run() { return ShowModal(toolkit::ModalScope::DisableNone, texts_.front().get()) == kAccepted; }

void SoundDialog::OnClose() { SetModalResult(kCancelled); }

void SoundDialog::Accept() {
  for (const std::unique_ptr<toolkit::Edit>& text : texts_) {
    const std::string refusal = BytesOfTyped(text->Text()).refusal;
    if (refusal.empty()) continue;
    toolkit::ShowMessageBox(nullptr, refusal, Text(), MB_ICONWARNING);
    SetFocus(text->Handle());
    text->SelectAll();
    return;
  }
  SetModalResult(kAccepted);
}

void SoundDialog::ShowAbout() const { toolkit::ShowMessageBox(nullptr, kAboutText, Text(), MB_ICONINFORMATION); }

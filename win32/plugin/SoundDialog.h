#pragma once
// "Sound settings": the one window of the plug-in. It shows the fields of one
// sound object as free text, in fields that show a float's 15 digits whole,
// the sound type in a drop-down list and the three levels on bars that act
// as sliders, each level written beside its bar, and ends as accepted or
// cancelled. It
// validates nothing; its controls keep their places when it is resized.

#include <memory>
#include <vector>

#include "plugin/LevelBar.h"
#include "sound/SoundFields.h"
#include "toolkit/Button.h"
#include "toolkit/ComboList.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"

// The dialog's title for a new sound, and of the plug-in's messages.
constexpr char kSoundDialogTitle[] = "Doruv Uvizi";

class SoundDialog final : public toolkit::Form {
 public:
  // Built hidden and filled with the values of a new sound.
  SoundDialog();

  // The fields' texts are Windows-1251 bytes, as the chunk holds them; the
  // controls show their characters.
  void Fill(const SoundFields& fields);
  // What the controls hold; the name is the one filled in.
  SoundFields ReadBack() const;

  // Shows the dialog modally, leaving the host's windows enabled, the first
  // field with the focus; true when it ended with Ok (or Enter), false for
  // Cancel (or Escape) or closing through the frame. Ok refuses, with a box,
  // a field that holds a character without a Windows-1251 byte.
  bool Run();

 private:
  void OnClose() override;
  void ShowAbout() const;
  void Accept();

  toolkit::GroupBox positionGroup_;
  toolkit::GroupBox soundGroup_;
  toolkit::GroupBox levelsGroup_;
  toolkit::ComboList soundType_;
  toolkit::Button about_;
  toolkit::Button cancel_;
  toolkit::Button ok_;
  std::vector<std::unique_ptr<toolkit::Label>> labels_;
  std::vector<std::unique_ptr<toolkit::Edit>> texts_;  // in the order of the field table
  std::vector<std::unique_ptr<LevelBar>> levels_;      // in the order of the level table
  SoundFields filled_;
};

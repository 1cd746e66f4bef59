#include "plugin/EditSound.h"

#include "plugin/PluginState.h"
#include "plugin/SoundDialog.h"
#include "sound/SoundReading.h"
#include "sound/SoundWriting.h"
#include "scene/Windows1251.h"
#include "toolkit/MessageBox.h"

namespace {

void ShowStopMessage(const std::string& text) {
  toolkit::ShowMessageBox(nullptr, text, kSoundDialogTitle, MB_ICONSTOP);
}

// Fixed memory, which the host releases with LocalFree.
void* LocalBlock(size_t length) { return LocalAlloc(LMEM_FIXED, length); }

}  // namespace

bool EditSoundObject(uint8_t*& chunk, int32_t& size) {
  SoundDialog dialog;
  SoundFields fields;
  if (!ReadSoundObject(fields, chunk, size, ShowStopMessage)) return false;
  dialog.Fill(fields);
  if (chunk != nullptr) dialog.SetText(Utf8FromWindows1251(fields.Name.substr(0, fields.Name.find('\0'))));

  PluginState& state = State();
  dialog.Place(DialogRectangle(state, dialog.Dpi()));
  const bool accepted = dialog.Run();
  const bool handedBack = accepted && HandBackSoundObject(dialog.ReadBack(), LocalBlock, chunk, size);
  // A window destroyed from outside has no size to remember.
  if (dialog.Handle() != nullptr) {
    const SIZE outer = dialog.OuterSize();
    state.DialogWidth = outer.cx;
    state.DialogHeight = outer.cy;
    state.DialogDpi = dialog.Dpi();
  }
  return handedBack;
}

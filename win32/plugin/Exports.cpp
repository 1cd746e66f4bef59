// The two functions that a host calls, exported undecorated through
// Ambrel.def. Both are stdcall and give a one-byte Boolean; no C++ exception
// leaves them.

#include <windows.h>

#include <cstdint>

#include "plugin/EditSound.h"
#include "plugin/FloatEnvironment.h"
#include "plugin/PluginState.h"

extern "C" uint8_t __stdcall Init(HWND* hostWindow) {
  InitState(hostWindow != nullptr ? *hostWindow : nullptr);
  return 1;
}

extern "C" uint8_t __stdcall EditSound(uint8_t** chunk, int32_t* size) {
  if (chunk == nullptr || size == nullptr) return 0;
  try {
    const DefaultFloatEnvironment floats;
    return EditSoundObject(*chunk, *size) ? 1 : 0;
  } catch (...) {
    // A window or a block of memory that could not be had ends the edit as
    // cancelled: the host's pointer and size are only written by the last
    // step of a confirmed edit.
    return 0;
  }
}

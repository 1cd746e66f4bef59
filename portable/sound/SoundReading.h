#pragma once
// Reading a sound object chunk, as a host hands it over, into the values that
// the dialog edits.

#include <cstdint>
#include <functional>
#include <string>

#include "sound/SoundFields.h"

// Shows a message to the user; the Win32 half shows a message box.
using ShowMessage = std::function<void(const std::string& text)>;

// What the user is told about an object of another type than sound.
std::string WrongObjectTypeMessage(int32_t type);

// Fills `fields` from the object chunk of `size` bytes at `data`, or with the
// defaults of a new sound when `data` is null. Nothing at or past `size` is
// read. An object whose type sub-chunk is missing or other than 4 gives false,
// leaves the defaults and has its message shown.
bool ReadSoundObject(SoundFields& fields, const uint8_t* data, int32_t size, const ShowMessage& showMessage);

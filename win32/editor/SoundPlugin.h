#pragma once
// Ambrel.dll, the sound-object plug-in, hosted as a scene editor hosts it:
// loaded from the program's own folder by its full path (never the search
// path) on first use, told the main window once through Init, and kept
// until the program ends.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "scene/Chunk.h"

class SoundPlugin {
 public:
  // `path`: the library's full path; `host`: the main window; `focus`: its
  // child that has the keyboard once the dialog is gone. Neither owned.
  SoundPlugin(std::string path, HWND host, HWND focus) : path_(std::move(path)), host_(host), focus_(focus) {}
  SoundPlugin(const SoundPlugin&) = delete;
  SoundPlugin& operator=(const SoundPlugin&) = delete;
  ~SoundPlugin();

  // Shows the plug-in's dialog for a copy of `chunk` (no bytes: a new
  // sound): the document's chunk is never handed out. The chunk it hands
  // back, checked, or none when the user cancelled or the object is no
  // sound. Raises Exception when the library can't be loaded or what it
  // hands back is no whole sound object.
  Chunk Edit(ByteView chunk);

  const std::string& Path() const { return path_; }

 private:
  using InitFunction = uint8_t(__stdcall*)(HWND* hostWindow);
  using EditSoundFunction = uint8_t(__stdcall*)(uint8_t** chunk, int32_t* size);

  void Load();

  std::string path_;
  HWND host_;
  HWND focus_;
  HMODULE module_ = nullptr;
  EditSoundFunction editSound_ = nullptr;
};

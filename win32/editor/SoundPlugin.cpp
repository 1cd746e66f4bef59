#include "editor/SoundPlugin.h"

#include <stdexcept>
#include <vector>

#include "editing/SoundChunk.h"
#include "os/WideText.h"
#include "os/Win32Error.h"
#include "scene/Exception.h"
#include "toolkit/InputDisabled.h"

namespace {

// A block of the plug-in's local heap, which the host frees.
struct LocalBlock {
  ~LocalBlock() { LocalFree(data); }
  void* data;
};

}  // namespace

SoundPlugin::~SoundPlugin() {
  if (module_ != nullptr) FreeLibrary(module_);
}

void SoundPlugin::Load() {
  if (module_ != nullptr) return;
  HMODULE module = LoadLibraryExW(os::Widen(path_).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr)
    throw std::runtime_error("Cannot load " + path_ + ": " + os::Win32ErrorText(GetLastError(), path_));
  // The exports are stdcall functions, taken by their undecorated names.
  const auto init = reinterpret_cast<InitFunction>(reinterpret_cast<void*>(GetProcAddress(module, "Init")));
  const auto editSound =
      reinterpret_cast<EditSoundFunction>(reinterpret_cast<void*>(GetProcAddress(module, "EditSound")));
  if (init == nullptr || editSound == nullptr) {
    FreeLibrary(module);
    throw std::runtime_error("Cannot use " + path_ + ": it has no export named " +
                             (init == nullptr ? "Init" : "EditSound"));
  }
  module_ = module;
  editSound_ = editSound;
  HWND host = host_;
  init(&host);
}

Chunk SoundPlugin::Edit(ByteView chunk) {
  Load();
  std::vector<uint8_t> copy(chunk.Data(), chunk.Data() + chunk.Length());
  uint8_t* const given = chunk.Data() != nullptr ? copy.data() : nullptr;
  uint8_t* data = given;
  auto size = static_cast<int32_t>(copy.size());
  bool accepted = false;
  {
    // Nothing in the editor may change the scene under the dialog.
    const toolkit::InputDisabled hostDisabled(host_, focus_);
    accepted = editSound_(&data, &size) != 0;
  }
  if (!accepted) return {};
  if (data == given) throw Exception(Exception::Code::Invalid, "The sound plug-in gave back no new chunk.");
  const LocalBlock block{data};
  return AcceptSoundChunk(data, size);
}

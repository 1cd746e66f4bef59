#pragma once
// Ambrel.dll loaded as a host loads it: LoadLibrary from the program's folder
// and the two exports found by name. Every load starts the library's state
// afresh; it is unloaded again with the object.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class AmbrelLibrary {
 public:
  using InitFunction = uint8_t(__stdcall*)(HWND* hostWindow);
  using EditSoundFunction = uint8_t(__stdcall*)(uint8_t** chunk, int32_t* size);

  AmbrelLibrary();
  AmbrelLibrary(const AmbrelLibrary&) = delete;
  AmbrelLibrary& operator=(const AmbrelLibrary&) = delete;
  ~AmbrelLibrary();

  bool Loaded() const { return module_ != nullptr && init_ != nullptr && editSound_ != nullptr; }
  HMODULE Module() const { return module_; }
  InitFunction Init() const { return init_; }
  EditSoundFunction EditSound() const { return editSound_; }

  // The names in the library's export table, as they stand there.
  std::vector<std::string> ExportNames() const;

 private:
  HMODULE module_;
  InitFunction init_ = nullptr;
  EditSoundFunction editSound_ = nullptr;
};

#if defined(__i386__)
// What a call through a bare function pointer did to the stack: the bytes of
// arguments that the callee left for the caller to remove (none for
// stdcall), and the result register.
struct RawCall {
  uint32_t result = 0;
  int32_t argumentBytesLeft = 0;
};
RawCall CallPushingOne(void* function, uint32_t argument);
RawCall CallPushingTwo(void* function, uint32_t first, uint32_t second);
#endif

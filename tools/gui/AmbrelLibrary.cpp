#include "tools/gui/AmbrelLibrary.h"

AmbrelLibrary::AmbrelLibrary() : module_(LoadLibraryW(L"Ambrel.dll")) {
  if (module_ == nullptr) return;
  init_ = reinterpret_cast<InitFunction>(reinterpret_cast<void*>(GetProcAddress(module_, "Init")));
  editSound_ = reinterpret_cast<EditSoundFunction>(reinterpret_cast<void*>(GetProcAddress(module_, "EditSound")));
}

AmbrelLibrary::~AmbrelLibrary() {
  if (module_ != nullptr) FreeLibrary(module_);
}

std::vector<std::string> AmbrelLibrary::ExportNames() const {
  const auto* base = reinterpret_cast<const uint8_t*>(module_);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
  const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  std::vector<std::string> result;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i)
    result.emplace_back(reinterpret_cast<const char*>(base + names[i]));
  return result;
}

#if defined(__i386__)
// The stack pointer is kept in edi, which every callee preserves, and put
// back after the call whatever the callee did.
RawCall CallPushingOne(void* function, uint32_t argument) {
  RawCall call;
  asm volatile(
      "movl %%esp, %%edi\n\t"
      "pushl %3\n\t"
      "call *%2\n\t"
      "movl %%edi, %%ecx\n\t"
      "subl %%esp, %%ecx\n\t"
      "movl %%edi, %%esp\n\t"
      : "=a"(call.result), "=c"(call.argumentBytesLeft)
      : "r"(function), "r"(argument)
      : "edx", "edi", "memory", "cc");
  return call;
}

RawCall CallPushingTwo(void* function, uint32_t first, uint32_t second) {
  RawCall call;
  asm volatile(
      "movl %%esp, %%edi\n\t"
      "pushl %4\n\t"
      "pushl %3\n\t"
      "call *%2\n\t"
      "movl %%edi, %%ecx\n\t"
      "subl %%esp, %%ecx\n\t"
      "movl %%edi, %%esp\n\t"
      : "=a"(call.result), "=c"(call.argumentBytesLeft)
      : "r"(function), "r"(first), "r"(second)
      : "edx", "edi", "memory", "cc");
  return call;
}
#endif

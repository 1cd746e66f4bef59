#include "toolkit/Clipboard.h"

#include <cstring>

namespace toolkit {

namespace {

// How long another program's hold on the clipboard is waited out.
constexpr int kOpenTries = 20;
constexpr DWORD kOpenPause = 25;

}  // namespace

Clipboard::Clipboard(HWND owner) {
  for (int tries = 0; tries < kOpenTries && !open_; ++tries) {
    if (tries > 0) Sleep(kOpenPause);
    open_ = OpenClipboard(owner) != FALSE;
  }
}

Clipboard::~Clipboard() {
  if (open_) CloseClipboard();
}

UINT Clipboard::RegisterFormat(const wchar_t* name) { return RegisterClipboardFormatW(name); }

bool Clipboard::Put(UINT format, std::span<const uint8_t> bytes) {
  if (!open_) return false;
  if (!emptied_) emptied_ = EmptyClipboard() != FALSE;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
  if (memory == nullptr) return false;
  if (!bytes.empty()) std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
  GlobalUnlock(memory);
  // Once put, the memory is the clipboard's.
  if (SetClipboardData(format, memory) != nullptr) return true;
  GlobalFree(memory);
  return false;
}

bool Clipboard::PutText(const std::wstring& text) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.c_str());
  return Put(CF_UNICODETEXT, std::span(bytes, (text.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::vector<uint8_t>> Clipboard::Get(UINT format) const {
  if (!open_) return std::nullopt;
  HANDLE memory = GetClipboardData(format);
  if (memory == nullptr) return std::nullopt;
  const auto* bytes = static_cast<const uint8_t*>(GlobalLock(memory));
  if (bytes == nullptr) return std::nullopt;
  std::vector<uint8_t> copied;
  try {
    copied.assign(bytes, bytes + GlobalSize(memory));
  } catch (...) {
    GlobalUnlock(memory);
    throw;
  }
  GlobalUnlock(memory);
  return copied;
}

}  // namespace toolkit

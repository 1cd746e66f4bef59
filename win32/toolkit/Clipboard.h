#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace toolkit {

// The system clipboard, open for as long as the object lives: another
// program that holds it open a moment is waited for a little. What is put
// replaces all that it held.
class Clipboard {
 public:
  // `owner`: the window that will own what is put.
  explicit Clipboard(HWND owner);
  Clipboard(const Clipboard&) = delete;
  Clipboard& operator=(const Clipboard&) = delete;
  ~Clipboard();

  // False when another program kept it.
  bool IsOpen() const { return open_; }

  // A format of the programs' own, by its name: the same number in every
  // process that asks for that name.
  static UINT RegisterFormat(const wchar_t* name);

  // Empties it, once, before the first Put. False when it is not open, or
  // the memory for the bytes could not be had.
  bool Put(UINT format, std::span<const uint8_t> bytes);
  // Text as CF_UNICODETEXT, its lines ending in CR LF as Windows' programs read them.
  bool PutText(const std::wstring& text);
  // The bytes it holds in `format`, copied out; none when it holds none.
  // The clipboard may give a few more bytes than were put.
  std::optional<std::vector<uint8_t>> Get(UINT format) const;

 private:
  bool open_ = false;
  bool emptied_ = false;
};

}  // namespace toolkit

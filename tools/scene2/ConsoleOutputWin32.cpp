#include <string>

#include "tools/scene2/ConsoleOutput.h"

namespace {

class ConsoleBuffer final : public std::streambuf {
 public:
  explicit ConsoleBuffer(HANDLE console) : console_(console) { setp(buffer_, buffer_ + sizeof buffer_); }
  ~ConsoleBuffer() override { Flush(); }
  ConsoleBuffer(const ConsoleBuffer&) = delete;
  ConsoleBuffer& operator=(const ConsoleBuffer&) = delete;

 protected:
  int_type overflow(int_type c) override {
    Flush();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
  }

  int sync() override { return Flush() ? 0 : -1; }

 private:
  // Writes what the buffer holds, but for the lead byte of a double-byte
  // character whose second byte has not come yet.
  bool Flush() {
    const int held = static_cast<int>(pptr() - pbase());
    int whole = 0;
    while (whole < held) {
      const int width = IsDBCSLeadByte(static_cast<BYTE>(buffer_[whole])) ? 2 : 1;
      if (whole + width > held) break;
      whole += width;
    }
    bool written = true;
    if (whole > 0) {
      std::wstring text(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, buffer_, whole, nullptr, 0)), L'\0');
      MultiByteToWideChar(CP_ACP, 0, buffer_, whole, text.data(), static_cast<int>(text.size()));
      for (size_t done = 0; done < text.size() && written;) {
        DWORD count = 0;
        written =
            WriteConsoleW(console_, text.data() + done, static_cast<DWORD>(text.size() - done), &count, nullptr) != 0 &&
            count > 0;
        done += count;
      }
    }
    const int left = held - whole;
    for (int i = 0; i < left; ++i) buffer_[i] = buffer_[whole + i];
    setp(buffer_, buffer_ + sizeof buffer_);
    pbump(left);
    return written;
  }

  HANDLE console_;  // not owned
  char buffer_[4096];
};

}  // namespace

std::unique_ptr<std::streambuf> NewConsoleBuffer(DWORD standardHandle) {
  return NewConsoleBuffer(GetStdHandle(standardHandle));
}

std::unique_ptr<std::streambuf> NewConsoleBuffer(HANDLE console) {
  DWORD mode = 0;
  if (console == nullptr || console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode)) return nullptr;
  return std::make_unique<ConsoleBuffer>(console);
}

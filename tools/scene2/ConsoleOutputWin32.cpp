#include <string>

#include "os/ConsoleText.h"
#include "tools/scene2/ConsoleOutput.h"

namespace {

// How many of the `size` bytes of `text` end on a whole UTF-8 character: a
// sequence that the end cuts short waits for the rest.
int WholeCharacters(const char* text, int size) {
  for (int back = 1; back <= 3 && back <= size; ++back) {
    const auto byte = static_cast<unsigned char>(text[size - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: its lead is further back
    const int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? size - back : size;
  }
  return size;
}

class ConsoleBuffer final : public std::streambuf {
 public:
  explicit ConsoleBuffer(HANDLE console) : console_(console) { setp(buffer_, buffer_ + sizeof buffer_); }
  ~ConsoleBuffer() override { Flush(Tail::Write); }
  ConsoleBuffer(const ConsoleBuffer&) = delete;
  ConsoleBuffer& operator=(const ConsoleBuffer&) = delete;

 protected:
  int_type overflow(int_type c) override {
    Flush(Tail::Hold);
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
  }

  int sync() override { return Flush(Tail::Hold) ? 0 : -1; }

 private:
  // What to do with a character cut short at the end: hold it for the rest,
  // or, at the very end, write what there is.
  enum class Tail { Hold, Write };

  bool Flush(Tail tail) {
    const int held = static_cast<int>(pptr() - pbase());
    const int whole = tail == Tail::Hold ? WholeCharacters(buffer_, held) : held;
    bool written = true;
    if (whole > 0) written = os::WriteConsoleText(console_, {buffer_, static_cast<size_t>(whole)});
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

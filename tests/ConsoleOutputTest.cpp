// Windows: what scene2 writes to a console, UTF-8, goes through the wide
// console API, so that the console's own code page garbles no name.

#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>

#include "tools/scene2/ConsoleOutput.h"

namespace {

// What the console shows on its first row, blanks at the end left out.
std::wstring FirstRow(HANDLE console) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  GetConsoleScreenBufferInfo(console, &info);
  std::wstring row(static_cast<size_t>(info.dwSize.X), L' ');
  DWORD read = 0;
  ReadConsoleOutputCharacterW(console, row.data(), static_cast<DWORD>(row.size()), COORD{0, 0}, &read);
  row.resize(read);
  return row.substr(0, row.find_last_not_of(L' ') + 1);
}

HANDLE NewScreenBuffer() {
  return CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   CONSOLE_TEXTMODE_BUFFER, nullptr);
}

TEST(ConsoleOutput, Utf8ShowsRightWhateverTheConsolesCodePageEvenWhenAFlushCutsACharacter) {
  // A screen buffer of the test's own, in the console it runs in or, with
  // none (Wine gives a program started from a shell one without a screen), in
  // a new one.
  HANDLE console = NewScreenBuffer();
  const bool ownConsole = console == INVALID_HANDLE_VALUE;
  if (ownConsole) {
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    console = NewScreenBuffer();
  }
  ASSERT_NE(console, INVALID_HANDLE_VALUE);
  const UINT codePage = GetConsoleOutputCP();
  SetConsoleOutputCP(437);  // the OEM code page of a western console
  {
    const std::unique_ptr<std::streambuf> buffer = NewConsoleBuffer(console);
    ASSERT_NE(buffer, nullptr);
    std::ostream out(buffer.get());
    // "Ящик é €", flushed after the first byte of the two-byte "Я" and
    // after the first two bytes of the three-byte "€".
    out << "objects\t0\t4010\tmodel\t\xD0" << std::flush << "\xAF\xD1\x89\xD0\xB8\xD0\xBA \xC3\xA9 \xE2\x82"
        << std::flush << "\xAC";
  }
  const std::wstring row = FirstRow(console);
  SetConsoleOutputCP(codePage);
  CloseHandle(console);
  if (ownConsole) FreeConsole();
  const std::wstring name = L"\u042F\u0449\u0438\u043A \u00E9 \u20AC";
  ASSERT_GE(row.size(), name.size());
  EXPECT_EQ(row.substr(row.size() - name.size()), name);
}

TEST(ConsoleOutput, AFileOrAPipeIsNoConsole) {
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  ASSERT_TRUE(CreatePipe(&read, &write, nullptr, 0));
  EXPECT_EQ(NewConsoleBuffer(write), nullptr);
  CloseHandle(read);
  CloseHandle(write);
}

}  // namespace

// scene2.exe as a Windows shell starts it: the arguments in UTF-16 on its
// command line, standard output and standard error in files. Names and paths
// beyond the ANSI code page arrive whole, and what it writes there is UTF-8.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "scene/ChunkTypes.h"
#include "tests/Polling.h"
#include "tests/SceneTestSupport.h"
#include "tools/gui/FileDialogs.h"

namespace {

// Takes a console's Ctrl+C without ending the test, and notes it. A named
// function, as a lambda is no stdcall function on 32-bit Windows.
std::atomic<bool> outlived{false};
BOOL WINAPI Outlive(DWORD) {
  outlived = true;
  return TRUE;
}

// CTest passes the program's path as the build system knows it.
std::wstring Scene2Path() {
  const std::string path = HostPath(testing::internal::GetArgvs().at(1));
  return std::wstring(path.begin(), path.end());
}

std::wstring Wide(const std::string& utf8) {
  std::wstring wide(
      static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0)),
      L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                      static_cast<int>(wide.size()));
  return wide;
}

std::string FileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

bool Holds(const Bytes& bytes, const std::string& part) {
  const Bytes wanted = Text(part);
  return std::search(bytes.begin(), bytes.end(), wanted.begin(), wanted.end()) != bytes.end();
}

struct Finished {
  DWORD status = 0;
  std::string out;
  std::string err;
};

// Where standard output goes: a file; a handle to a file that can't be
// written through; a pipe whose reader has gone.
enum class Output { File, Unwritable, ClosedPipe };

class Scene2Process : public testing::Test {
 protected:
  Scene2Process() { WriteFileBytes(scratch.Path("scene2.bin"), kScene); }

  // Runs scene2 with `arguments`, each put in quotes (none holds a quote or
  // ends with a backslash), and waits for it; `meanwhile` runs while it runs.
  Finished Run(const std::vector<std::wstring>& arguments, Output output = Output::File,
               const std::function<void()>& meanwhile = {}) {
    const std::wstring program = Scene2Path();
    std::wstring commandLine = L"\"" + program + L"\"";
    for (const std::wstring& argument : arguments) commandLine += L" \"" + argument + L"\"";
    const std::filesystem::path outPath = Wide(scratch.Path("stdout"));
    const std::filesystem::path errPath = Wide(scratch.Path("stderr"));
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE out = CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == Output::Unwritable) {
      CloseHandle(out);
      out = CreateFileW(outPath.c_str(), GENERIC_READ, FILE_SHARE_READ, &inheritable, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    } else if (output == Output::ClosedPipe) {
      CloseHandle(out);
      HANDLE reader = nullptr;
      CreatePipe(&reader, &out, &inheritable, 0);
      CloseHandle(reader);
    }
    HANDLE err = CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(out);
    CloseHandle(err);
    Finished finished;
    if (!started) {
      ADD_FAILURE() << "cannot start scene2: error " << GetLastError();
      return finished;
    }
    if (meanwhile) meanwhile();
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    GetExitCodeProcess(process.hProcess, &finished.status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    finished.out = FileText(outPath);
    finished.err = FileText(errPath);
    return finished;
  }

  // A path in the scratch folder as a Windows program is given it.
  std::wstring Path(const std::string& name) const { return Wide(WindowsPath(scratch.Path(name))); }

  // Objects named "Ящик" and "crate", a definition "Дверь", as Windows-1251 bytes.
  const Bytes kScene = SceneFile(
      {ChunkOf(1, {}), ChunkOf(kObjectsSection, Concat({ObjectChunk("\xDF\xF9\xE8\xEA", 9), ObjectChunk("crate", 9)})),
       ChunkOf(kDefinitionsSection, DefinitionChunk("\xC4\xE2\xE5\xF0\xFC", 6))});
  ScratchFolder scratch;
};

TEST_F(Scene2Process, ListWritesNamesToAFileInUtf8) {
  const Finished list = Run({L"-q", L"list", Path("scene2.bin")});
  EXPECT_EQ(list.status, 0u) << list.err;
  EXPECT_EQ(list.out,
            "objects\t0\t4010\tmodel\tЯщик\n"
            "objects\t1\t4010\tmodel\tcrate\n"
            "definitions\t0\tAE21\tdoor\tДверь\n");
  EXPECT_EQ(list.err, "");
}

TEST_F(Scene2Process, AnOutputThatCantBeWrittenSaysWhyAndAGoneReaderEndsQuietly) {
  const std::vector<std::wstring> commands[] = {
      {L"-q", L"list", Path("scene2.bin")},
      {L"-q", L"show", Path("scene2.bin"), L"objects:0"},
      {L"trace", Path("scene2.bin")},
      {L"help"},
  };
  for (const std::vector<std::wstring>& command : commands) {
    SCOPED_TRACE(testing::PrintToString(command.size()) + " arguments");
    const Finished refused = Run(command, Output::Unwritable);
    EXPECT_EQ(refused.status, 1u);
    EXPECT_EQ(refused.err.rfind("scene2: cannot write the output: ", 0), 0u) << refused.err;
    const Finished gone = Run(command, Output::ClosedPipe);
    EXPECT_EQ(gone.status, 0u);
    EXPECT_EQ(gone.err, "");
  }
}

// Ctrl+C in the console while an export writes: the program removes its
// temporary folder and the file being written in it, and ends as Ctrl+C ends
// a program. (Ctrl+Break and the console window closed take the same way.)
TEST_F(Scene2Process, CtrlCRemovesTheTemporaryFilesOfAnExport) {
  // A console of the test's own, which the export shares: the signal goes to
  // every program in it, this one taking it without ending. Standard output
  // and error stay where they were.
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  FreeConsole();
  ASSERT_TRUE(AllocConsole());
  SetStdHandle(STD_OUTPUT_HANDLE, out);
  SetStdHandle(STD_ERROR_HANDLE, err);
  SetConsoleCtrlHandler(Outlive, TRUE);

  Bytes objects;
  for (int i = 0; i < 20000; ++i) {
    const Bytes object = ObjectChunk("object " + std::to_string(i), 9);
    objects.insert(objects.end(), object.begin(), object.end());
  }
  WriteFileBytes(scratch.Path("many.bin"), SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, objects)}));
  const std::filesystem::path exported = Wide(WindowsPath(scratch.Path("dnc")));
  const auto temporaries = [&exported] {
    std::vector<std::wstring> names;
    std::error_code absent;
    for (const auto& entry : std::filesystem::directory_iterator(exported, absent))
      if (entry.path().filename().wstring().starts_with(L".~")) names.push_back(entry.path().filename().wstring());
    return names;
  };
  bool sawTemporaries = false;
  const Finished run = Run({L"-q", L"export", Path("many.bin"), exported.wstring()}, Output::File, [&] {
    sawTemporaries = PollUntil([&] { return !temporaries().empty(); });
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
  });
  // The event reaches the programs of the console in their own time: the
  // next program started must not meet it as it starts or ends.
  EXPECT_TRUE(PollUntil([] { return outlived.load(); }));
  SetConsoleCtrlHandler(Outlive, FALSE);
  ASSERT_TRUE(sawTemporaries);
  EXPECT_EQ(run.status, static_cast<DWORD>(STATUS_CONTROL_C_EXIT));
  EXPECT_EQ(temporaries(), std::vector<std::wstring>{});
  EXPECT_EQ(run.out, "");
}

TEST_F(Scene2Process, CyrillicNamesInUtf16FindTheirChunks) {
  const std::wstring in = Path("scene2.bin");
  const std::wstring out = Path("out.bin");
  Finished run = Run({L"-q", L"delete", in, out, L"objects", L"Ящик"});
  EXPECT_EQ(run.status, 0u) << run.err;
  EXPECT_EQ(run.out, "1 chunk deleted from objects, saved to " + WindowsPath(scratch.Path("out.bin")) + "\n");
  EXPECT_FALSE(Holds(ReadFileBytes(scratch.Path("out.bin")), "\xDF\xF9\xE8\xEA"));

  run = Run({L"-q", L"rename", in, out, L"definitions", L"Дверь", L"Сирена"});
  EXPECT_EQ(run.status, 0u) << run.err;
  EXPECT_EQ(run.out,
            "renamed \"Дверь\" to \"Сирена\" in definitions, saved to " + WindowsPath(scratch.Path("out.bin")) + "\n");
  EXPECT_TRUE(Holds(ReadFileBytes(scratch.Path("out.bin")), "\xD1\xE8\xF0\xE5\xED\xE0"))
      << "the new name in Windows-1251";

  run = Run({L"-q", L"rename", in, out, L"objects", L"crate", L"Ящик"});
  EXPECT_EQ(run.status, 1u);
  EXPECT_EQ(run.err, "scene2: cannot rename \"crate\" to \"Ящик\" in objects of " +
                         WindowsPath(scratch.Path("scene2.bin")) + ": Совпадение имён.\n");
}

TEST_F(Scene2Process, ACharacterWithoutAWindows1251ByteIsRefused) {
  const std::string usage = "usage: scene2 rename [--trace] IN OUT SECTION OLD NEW\n";
  const struct {
    std::string name;
    std::string character;
  } cases[] = {
      {"café", "\"é\" (U+00E9)"}, {"crate😀", "\"😀\" (U+1F600)"},  // two UTF-16 units, one character
  };
  for (const auto& [name, character] : cases) {
    SCOPED_TRACE(name);
    const Finished run = Run({L"-q", L"rename", Path("scene2.bin"), Path("out.bin"), L"objects", L"crate", Wide(name)});
    EXPECT_EQ(run.status, 2u);
    EXPECT_EQ(run.err, "scene2: the name \"" + name + "\" can't be read: " + character +
                           " has no byte in Windows-1251, the game's code page\n" + usage);
  }
  EXPECT_FALSE(FileExists(scratch.Path("out.bin")));
}

TEST_F(Scene2Process, PathsUnderAFolderWithCyrillicAndAccentedLettersWork) {
  const std::string folder = WindowsPath(scratch.Path("Сцены é"));
  ASSERT_TRUE(std::filesystem::create_directory(Wide(folder)));
  std::filesystem::copy_file(Wide(WindowsPath(scratch.Path("scene2.bin"))), Wide(folder + "\\scene2.bin"));

  const std::string saved = folder + "\\копия.bin";
  Finished run = Run({L"-q", L"save", Wide(folder + "\\scene2.bin"), Wide(saved)});
  EXPECT_EQ(run.status, 0u) << run.err;
  EXPECT_EQ(run.out, "scene saved to " + saved + "\n");
  EXPECT_EQ(FileText(Wide(saved)), std::string(kScene.begin(), kScene.end()));

  run = Run({L"-q", L"export", Wide(saved), Wide(folder + "\\dnc"), L"objects", L"Ящик"});
  EXPECT_EQ(run.status, 0u) << run.err;
  EXPECT_EQ(run.out, "1 file written to " + folder + "\\dnc\n");
  const Bytes crate = ObjectChunk("\xDF\xF9\xE8\xEA", 9);
  EXPECT_EQ(FileText(Wide(folder + "\\dnc\\Obj_Ящик.dnc")), std::string(crate.begin(), crate.end()));
}

}  // namespace

// scene2 saves as processes: many at once to one file, one killed while it
// writes, and writes stopped by a limit on the size of files. Whatever
// happens, the file is one of the inputs, byte for byte, and each process's
// exit status tells what happened to its own save.

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>

#include "os/Paths.h"
#include "scene/ChunkTypes.h"
#include "scene/FileStream.h"
#include "tests/Polling.h"
#include "tests/Scene2Process.h"
#include "tests/SceneTestSupport.h"
#include "tools/scenegen/SceneGenerator.h"

namespace {

void Generate(const std::string& path, uint64_t seed, uint32_t bytes) {
  SceneOptions options;
  options.seed = seed;
  options.targetBytes = bytes;
  auto file = TFileStream::Create(path);
  ASSERT_TRUE(file.ok()) << file.reason();
  GenerateScene(options, *file.value());
  file.value()->Commit();
}

// Stops `child` as soon as a temporary file of its stands in `folder`. True
// when it stopped while that file was still there, between its creation and
// the last step, so that what the test does next lands while the command
// writes; false when it had ended first. Its end stays for Wait either way.
bool StopWhileItWrites(pid_t child, const std::string& folder) {
  if (!PollUntil([&] { return !TemporaryFilesIn(folder).empty(); }, std::chrono::microseconds(200))) return false;
  kill(child, SIGSTOP);
  siginfo_t state{};
  if (waitid(P_PID, static_cast<id_t>(child), &state, WSTOPPED | WEXITED | WNOWAIT) != 0) return false;
  return state.si_code == CLD_STOPPED && !TemporaryFilesIn(folder).empty();
}

TEST(SaveProcesses, SavesToOneFileAtOnceLeaveOneWholeInput) {
  ScratchFolder folder;
  ScratchFolder logs;
  const std::string a = folder.Path("a.bin");
  const std::string b = folder.Path("b.bin");
  const std::string out = folder.Path("out.bin");
  Generate(a, 1, 2'000'000);
  Generate(b, 2, 2'500'000);
  const Bytes bytesA = ReadFileBytes(a);
  const Bytes bytesB = ReadFileBytes(b);
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    const pid_t first = StartScene2({.args = {"save", a, out}, .output = logs.Path("first")});
    const pid_t second = StartScene2({.args = {"save", b, out}, .output = logs.Path("second")});
    EXPECT_EQ(Wait(first), 0);
    EXPECT_EQ(Wait(second), 0);
    const Bytes saved = ReadFileBytes(out);
    EXPECT_TRUE(saved == bytesA || saved == bytesB);
  }
  EXPECT_EQ(folder.FileNames(), (std::vector<std::string>{"a.bin", "b.bin", "out.bin"}));
}

TEST(SaveProcesses, ASaveKilledWhileItWritesLeavesTheOldFileWhole) {
  ScratchFolder folder;
  ScratchFolder logs;
  const std::string scene = folder.Path("new.bin");
  const std::string out = folder.Path("out.bin");
  Generate(scene, 3, 40'000'000);
  const Bytes old = Text("the file as it was");
  int killedMidway = 0;
  for (int round = 0; round < 20 && killedMidway == 0; ++round) {
    SCOPED_TRACE(round);
    WriteFileBytes(out, old);
    const pid_t save = StartScene2({.args = {"save", scene, out}, .output = logs.Path("save")});
    const bool midway = StopWhileItWrites(save, folder.path());
    kill(save, SIGKILL);
    const int status = Wait(save);
    const Bytes left = ReadFileBytes(out);
    if (midway) {
      ++killedMidway;
      EXPECT_EQ(status, 128 + SIGKILL);
      EXPECT_TRUE(left == old) << "the old file is whole";
      EXPECT_EQ(TemporaryFilesIn(folder.path()).size(), 1u) << "the killed save's temporary file stays";
    } else {
      EXPECT_TRUE(left == old || left == ReadFileBytes(scene));
    }
    for (const std::string& name : TemporaryFilesIn(folder.path())) std::remove(folder.Path(name).c_str());
  }
  EXPECT_GT(killedMidway, 0) << "no save was killed while it wrote";
}

// Ended by INT, TERM or HUP while it writes, scene2 removes what it made (the
// temporary file of a save or an import, the temporary folder of an export
// and the file being written in it) and ends as the signal ends a program.
// The target is as it was, or whole when the signal came after the last step.
TEST(SaveProcesses, AnInterruptedCommandLeavesNoTemporaryFile) {
  ScratchFolder folder;
  ScratchFolder logs;
  const std::string scene = folder.Path("new.bin");
  const std::string many = folder.Path("many.bin");
  const std::string out = folder.Path("out.bin");
  const std::string dnc = folder.Path("Obj_small.dnc");
  const std::string exported = folder.Path("dnc");
  Generate(scene, 3, 40'000'000);
  SceneOptions options;
  options.objects = 20000;
  auto file = TFileStream::Create(many);
  ASSERT_TRUE(file.ok()) << file.reason();
  GenerateScene(options, *file.value());
  file.value()->Commit();
  WriteFileBytes(dnc, ObjectChunk("small", 9));
  const Bytes old = Text("the file as it was");
  const struct {
    std::vector<std::string> args;
    std::string temporaries;  // the folder where its temporary files stand
  } cases[] = {
      {{"save", scene, out}, folder.path()},
      {{"import", scene, out, dnc}, folder.path()},
      {{"export", many, exported}, exported},
  };
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    for (const auto& [args, temporaries] : cases) {
      SCOPED_TRACE(args[0] + ", signal " + std::to_string(signal));
      int interrupted = 0;
      for (int round = 0; round < 10 && interrupted == 0; ++round) {
        WriteFileBytes(out, old);
        std::filesystem::remove_all(exported);
        const pid_t child = StartScene2({.args = args, .output = logs.Path(args[0])});
        const bool midway = StopWhileItWrites(child, temporaries);
        kill(child, signal);
        kill(child, SIGCONT);
        const int status = Wait(child);
        if (midway)
          EXPECT_EQ(status, 128 + signal);
        else
          EXPECT_TRUE(status == 0 || status == 128 + signal) << status;
        interrupted += status == 128 + signal;
        EXPECT_EQ(TemporaryFilesIn(temporaries), std::vector<std::string>{});
        EXPECT_EQ(TemporaryFilesIn(folder.path()), std::vector<std::string>{});
        const Bytes left = ReadFileBytes(out);
        EXPECT_TRUE(left == old || left == ReadFileBytes(scene) || args[0] == "import");
      }
      EXPECT_GT(interrupted, 0) << "no command was interrupted while it wrote";
    }
  }
}

TEST(SaveProcesses, AWriteBeyondTheFileSizeLimitFailsAsOnAFullDisk) {
  ScratchFolder folder;
  ScratchFolder logs;
  const std::string in = folder.Path("in.bin");
  const std::string out = folder.Path("out.bin");
  const std::string dnc = folder.Path("Obj_small.dnc");
  const std::string exported = folder.Path("dnc/Obj_big.dnc");
  // One object of 200 KB: every file made of the scene passes the limit.
  WriteFileBytes(
      in, Scene({Objects({ChunkOf(kObjectChunk,
                                  Concat({ChunkOf(kObjectNameChunk, Text(std::string("big", 4))),
                                          ChunkOf(kObjectTypeChunk, U32(9)), ChunkOf(0x0020, Bytes(200'000, 0))}))})}));
  WriteFileBytes(dnc, ObjectChunk("small", 9));
  std::filesystem::create_directory(folder.Path("dnc"));
  const Bytes old = Text("the file as it was");
  const struct {
    std::vector<std::string> args;
    const std::string& target;
    std::string output;
  } cases[] = {
      {{"save", in, out}, out, ""},
      {{"import", in, out, dnc}, out, ""},
      {{"export", in, folder.Path("dnc")}, exported, "0 files written to " + folder.Path("dnc") + "\n"},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.args[0]);
    WriteFileBytes(each.target, old);
    std::vector<std::string> args{"-q"};
    args.insert(args.end(), each.args.begin(), each.args.end());
    const std::string log = logs.Path(each.args[0]);
    EXPECT_EQ(Wait(StartScene2({.args = args, .output = log, .fileSizeLimit = 64 << 10})), 1);
    const Bytes said = ReadFileBytes(log);
    EXPECT_EQ(std::string(said.begin(), said.end()),
              "scene2: cannot write " + each.target + ": File too large\n" + each.output);
    EXPECT_EQ(ReadFileBytes(each.target), old);
    EXPECT_EQ(TemporaryFilesIn(os::FolderOf(each.target)), std::vector<std::string>{});
  }
}

}  // namespace

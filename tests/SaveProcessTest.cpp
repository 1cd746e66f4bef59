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
#include <thread>

#include "os/Paths.h"
#include "scene/ChunkTypes.h"
#include "scene/FileStream.h"
#include "tests/SceneTestSupport.h"
#include "tools/scenegen/SceneGenerator.h"

namespace {

void Generate(const std::string& path, uint64_t seed, uint32_t bytes) {
  SceneOptions options;
  options.seed = seed;
  options.targetBytes = bytes;
  auto file = TFileStream::Create(path);
  ASSERT_NE(file, nullptr);
  GenerateScene(options, *file);
  file->Commit();
}

// Starts scene2 with `args`, its standard output and error going to the file
// `output`; with a limit on the size of the files it writes, when given.
pid_t StartScene2(const std::vector<std::string>& args, const std::string& output,
                  std::optional<rlim_t> fileSizeLimit = std::nullopt) {
  std::vector<char*> argv{const_cast<char*>("scene2")};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int log = open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (log < 0 || dup2(log, STDOUT_FILENO) < 0 || dup2(log, STDERR_FILENO) < 0) _exit(126);
    if (fileSizeLimit) {
      rlimit limit{};
      getrlimit(RLIMIT_FSIZE, &limit);
      limit.rlim_cur = *fileSizeLimit;
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
    }
    execv(SCENE2_PROGRAM, argv.data());
    _exit(127);
  }
  return child;
}

// The exit status, or -1 when a signal ended the process.
int Wait(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> TemporaryFilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const std::string& name : ScratchFolder::FileNamesOf(folder))
    if (name.starts_with(".~")) names.push_back(name);
  return names;
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
    const pid_t first = StartScene2({"save", a, out}, logs.Path("first"));
    const pid_t second = StartScene2({"save", b, out}, logs.Path("second"));
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
  for (int round = 0; round < 5; ++round) {
    SCOPED_TRACE(round);
    WriteFileBytes(out, old);
    const pid_t save = StartScene2({"save", scene, out}, logs.Path("save"));
    // Kill it as soon as its temporary file is there.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (TemporaryFilesIn(folder.path()).empty() && std::chrono::steady_clock::now() < giveUp)
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    kill(save, SIGKILL);
    const bool killed = Wait(save) == -1;
    const Bytes left = ReadFileBytes(out);
    if (killed && left == old) ++killedMidway;
    EXPECT_TRUE(left == old || left == ReadFileBytes(scene));
    for (const std::string& name : TemporaryFilesIn(folder.path())) std::remove(folder.Path(name).c_str());
  }
  EXPECT_GT(killedMidway, 0) << "no save was killed while it wrote";
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
    EXPECT_EQ(Wait(StartScene2(args, log, 64 << 10)), 1);
    const Bytes said = ReadFileBytes(log);
    EXPECT_EQ(std::string(said.begin(), said.end()),
              "scene2: cannot write " + each.target + ": File too large\n" + each.output);
    EXPECT_EQ(ReadFileBytes(each.target), old);
    EXPECT_EQ(TemporaryFilesIn(os::FolderOf(each.target)), std::vector<std::string>{});
  }
}

}  // namespace

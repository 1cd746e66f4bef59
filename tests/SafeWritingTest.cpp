// What a save or an export may replace, what it keeps of the file it
// replaces, and what it leaves behind when it fails; what a load refuses.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

#include "os/Paths.h"
#include "scene/ChunkTypes.h"
#include "scene/DncExport.h"
#include "tests/Polling.h"
#include "tests/SceneTestSupport.h"

#ifdef _WIN32
#include <windows.h>

#include "os/WideText.h"
#else
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace {

using Lines = std::vector<std::string>;

const Bytes kScene = SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk("crate", 9))});
const Bytes kOld = Text("the file as it was");
const char kFolder[] = "a folder, not a file";
const char kDevice[] = "not a regular file (a device, pipe or socket)";

struct SaveOutcome {
  bool saved;
  Lines trace;
  std::string reason;
};

SaveOutcome Save(const std::string& path, const Bytes& scene = kScene) {
  LoadedScene loaded(scene);
  TraceCollector trace;
  const Outcome<Done> saved = loaded.document->Save(path);
  return {saved.ok(), trace.TakeLines(), saved.ok() ? std::string() : saved.failure().reason};
}

void ExpectRefused(const std::string& path, const std::string& reason) {
  SCOPED_TRACE(path);
  const SaveOutcome outcome = Save(path);
  EXPECT_FALSE(outcome.saved);
  EXPECT_EQ(outcome.reason, reason);
  EXPECT_EQ(outcome.trace, Lines{"qScene2bin.WriteToFile: " + reason});
}

Lines LoadTrace(const std::string& path) {
  TestUi ui;
  const auto scene2bin = NewScene2bin(ui);
  SceneDocument& document = scene2bin->Core();
  TraceCollector trace;
  EXPECT_FALSE(document.Load(path).ok());
  return trace.TakeLines();
}

#ifndef _WIN32
// Devices of the test's own, made in its scratch folder: no test aims at the
// machine's. The memory driver's minor 6 has no device behind it, so not
// even a faulty save could write anywhere through it.
const dev_t kNoDriver = makedev(1, 6);
const dev_t kZero = makedev(1, 5);

// Only root may make a device node; errno says why not.
bool MakeDevice(const std::string& path, dev_t numbers) { return mknod(path.c_str(), S_IFCHR | 0600, numbers) == 0; }

// A save to `path` and to a link to it are refused; both stay as they were.
void ExpectRefusedAlsoThroughALink(const std::string& path) {
  const std::string link = path + "-link";
  ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
  const std::filesystem::file_type type = std::filesystem::symlink_status(path).type();
  ExpectRefused(path, kDevice);
  ExpectRefused(link, kDevice);
  EXPECT_EQ(std::filesystem::symlink_status(path).type(), type);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
}
#endif

TEST(SafeSave, RefusesWhatIsNotARegularFile) {
  ScratchFolder folder;
  const std::string inside = folder.Path("folder");
  std::filesystem::create_directory(inside);
  ExpectRefused(inside, kFolder);
  EXPECT_TRUE(std::filesystem::is_directory(inside));
#ifdef _WIN32
  ExpectRefused("NUL", kDevice);
#else
  const std::string fifo = folder.Path("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  ExpectRefusedAlsoThroughALink(fifo);
#endif
  // No temporary file is left beside any of them.
  for (const std::string& name : folder.FileNames()) EXPECT_FALSE(name.starts_with(".~")) << name;
}

#ifndef _WIN32
TEST(SafeSave, RefusesADeviceAndALinkToIt) {
  ScratchFolder folder;
  const std::string device = folder.Path("device");
  if (!MakeDevice(device, kNoDriver)) GTEST_SKIP() << "no device node can be made here: " << std::strerror(errno);
  ExpectRefusedAlsoThroughALink(device);
  for (const std::string& name : folder.FileNames()) EXPECT_FALSE(name.starts_with(".~")) << name;
}
#endif

TEST(SafeSave, ANameNearTheLengthLimitSaves) {
  ScratchFolder folder;
#ifdef _WIN32
  // The whole path within MAX_PATH, its terminating zero included.
  const size_t length = MAX_PATH - 1 - folder.Path("").size();
#else
  const size_t length = 255;  // NAME_MAX
#endif
  const std::string path = folder.Path(std::string(length, 'n'));
  WriteFileBytes(path, kOld);
  ASSERT_TRUE(Save(path).saved);
  EXPECT_EQ(ReadFileBytes(path), kScene);
}

TEST(SafeLoad, RefusesWhatIsNotARegularFile) {
  ScratchFolder folder;
  EXPECT_EQ(LoadTrace(folder.path()),
            (Lines{"* qScene2bin.clear done *", std::string("qScene2bin.ReadFromFile: ") + kFolder}));
#ifdef _WIN32
  EXPECT_EQ(LoadTrace("NUL").back(), std::string("qScene2bin.ReadFromFile: ") + kDevice);
#else
  // A pipe without a writer: opening it for reading would wait for ever.
  const std::string fifo = folder.Path("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(LoadTrace(fifo).back(), std::string("qScene2bin.ReadFromFile: ") + kDevice);
#endif
}

#ifndef _WIN32
TEST(SafeLoad, RefusesADevice) {
  // One that reads as an endless run of zeros, were it not refused.
  ScratchFolder folder;
  const std::string device = folder.Path("zero");
  if (!MakeDevice(device, kZero)) GTEST_SKIP() << "no device node can be made here: " << std::strerror(errno);
  EXPECT_EQ(LoadTrace(device).back(), std::string("qScene2bin.ReadFromFile: ") + kDevice);
}
#endif

TEST(Paths, WindowsRootsAreNeverCreated) {
  const std::pair<const char*, size_t> cases[] = {
      {"C:\\tools\\DNCes\\", 3},
      {"c:/tools", 3},
      {"C:tools", 2},
      {"\\\\server\\share\\tools\\DNCes\\", 15},
      {"//server/share", 14},
      {"\\\\?\\C:\\tools", 7},
      {"\\\\?\\UNC\\server\\share\\tools", 21},
      {"\\tools", 1},
      {"DNCes\\", 0},
      {"", 0},
  };
  for (const auto& [path, length] : cases) EXPECT_EQ(os::WindowsRootLength(path), length) << path;
}

TEST(Paths, FolderOfAPath) {
  EXPECT_EQ(os::FolderOf("a/b/scene2.bin"), "a/b/");
  EXPECT_EQ(os::FolderOf("/scene2.bin"), "/");
  EXPECT_EQ(os::FolderOf("scene2.bin"), "");
#ifdef _WIN32
  EXPECT_EQ(os::FolderOf("C:\\tools\\scene2.bin"), "C:\\tools\\");
  EXPECT_EQ(os::FolderOf("C:scene2.bin"), "C:");
#else
  EXPECT_EQ(os::FolderOf("a\\b"), "") << "a backslash is part of a name";
#endif
}

#ifdef _WIN32

TEST(SafeSave, RefusesAReadOnlyFile) {
  ScratchFolder folder;
  const std::string path = folder.Path("scene2.bin");
  WriteFileBytes(path, kOld);
  ASSERT_TRUE(SetFileAttributesW(os::Widen(path).c_str(), FILE_ATTRIBUTE_READONLY));
  ExpectRefused(path, "the file is read-only");
  EXPECT_EQ(ReadFileBytes(path), kOld);
  SetFileAttributesW(os::Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Holds a file open without letting it be replaced, as a virus scanner does.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path)
      : handle_(
            CreateFileW(os::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~HeldFile() { Release(); }
  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (Held()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

class SafeSaveOfAHeldFile : public testing::Test {
 protected:
  SafeSaveOfAHeldFile() { WriteFileBytes(path, kOld); }

  ScratchFolder folder;
  const std::string path = folder.Path("scene2.bin");
  std::optional<HeldFile> held;
};

TEST_F(SafeSaveOfAHeldFile, IsReplacedOnceTheOtherProgramLetsGo) {
  held.emplace(path);
  ASSERT_TRUE(held->Held());
  // Let go once the save has written its temporary file whole: it is then
  // putting it in the target's place, and finds the target held.
  std::thread releaser([this] {
    PollUntil([this] {
      for (const std::string& name : folder.FileNames()) {
        std::error_code gone;
        if (name.starts_with(".~") && std::filesystem::file_size(FsPath(folder.Path(name)), gone) == kScene.size())
          return true;
      }
      return false;
    });
    held->Release();
  });
  const SaveOutcome outcome = Save(path);
  releaser.join();
  EXPECT_TRUE(outcome.saved) << outcome.reason;
  EXPECT_EQ(ReadFileBytes(path), kScene);
}

TEST_F(SafeSaveOfAHeldFile, FailsAfterASecondAndKeepsItsBytes) {
  held.emplace(path);
  ASSERT_TRUE(held->Held());
  const SaveOutcome outcome = Save(path);
  held->Release();
  EXPECT_FALSE(outcome.saved);
  ASSERT_EQ(outcome.trace.size(), 1u);
  EXPECT_EQ(outcome.trace[0], "qScene2bin.WriteToFile: cannot replace the file: " + outcome.reason);
  EXPECT_EQ(ReadFileBytes(path), kOld);
  EXPECT_EQ(folder.FileNames(), Lines{"scene2.bin"});
}

#else

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

TEST(SafeSave, SavesThroughALinkToTheFileItPointsTo) {
  ScratchFolder folder;
  std::filesystem::create_directory(folder.Path("real"));
  std::filesystem::create_directory(folder.Path("links"));
  const std::string real = folder.Path("real/scene2.bin");
  const std::string link = folder.Path("links/scene2.bin");
  WriteFileBytes(real, kOld);
  ASSERT_EQ(symlink("../real/scene2.bin", link.c_str()), 0);
  ASSERT_TRUE(Save(link).saved);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(real), kScene);
  // The temporary file was made beside the file, and went into its place.
  EXPECT_EQ(ScratchFolder::FileNamesOf(folder.Path("real")), Lines{"scene2.bin"});
  EXPECT_EQ(ScratchFolder::FileNamesOf(folder.Path("links")), Lines{"scene2.bin"});

  // A link to a name that does not exist yet makes that file.
  const std::string dangling = folder.Path("links/new.bin");
  ASSERT_EQ(symlink("../real/new.bin", dangling.c_str()), 0);
  ASSERT_TRUE(Save(dangling).saved);
  EXPECT_EQ(ReadFileBytes(folder.Path("real/new.bin")), kScene);

  const std::string loop = folder.Path("links/loop");
  ASSERT_EQ(symlink("loop", loop.c_str()), 0);
  ExpectRefused(loop, std::strerror(ELOOP));
}

TEST(SafeSave, NeverWritesThroughALinkBesideTheTarget) {
  // Such a link, planted under a temporary file's name, once had its target
  // overwritten; temporary names are fresh now and never followed.
  ScratchFolder folder;
  const std::string victim = folder.Path("victim");
  WriteFileBytes(victim, kOld);
  ASSERT_EQ(symlink(victim.c_str(), folder.Path("scene2.bin.saving~").c_str()), 0);
  ASSERT_TRUE(Save(folder.Path("scene2.bin")).saved);
  EXPECT_EQ(ReadFileBytes(victim), kOld);
}

TEST(SafeSave, KeepsPermissionsAndRefusesAFileTheUserCouldNotWrite) {
  ScratchFolder folder;
  const std::string path = folder.Path("scene2.bin");
  for (const mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0755}}) {
    WriteFileBytes(path, kOld);
    ASSERT_EQ(chmod(path.c_str(), mode), 0);
    ASSERT_TRUE(Save(path).saved);
    EXPECT_EQ(ModeOf(path), mode);
  }
  WriteFileBytes(path, kOld);
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  if (geteuid() == 0) {
    // Root may write any file in place, so a save may replace it too.
    ASSERT_TRUE(Save(path).saved);
    EXPECT_EQ(ReadFileBytes(path), kScene);
  } else {
    ExpectRefused(path, std::strerror(EACCES));
    EXPECT_EQ(ReadFileBytes(path), kOld);
  }
  EXPECT_EQ(ModeOf(path), 0444);
}

TEST(SafeSave, AFailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
  ScratchFolder folder;
  const std::string path = folder.Path("scene2.bin");
  WriteFileBytes(path, kOld);
  const Bytes large = SceneFile({ChunkOf(1, {}), ChunkOf(kObjectsSection, ObjectChunk(std::string(4000, 'n'), 9))});
  SaveOutcome outcome;
  {
    FileSizeLimit limit(1024);
    outcome = Save(path, large);
  }
  EXPECT_FALSE(outcome.saved);
  EXPECT_EQ(outcome.reason, std::strerror(EFBIG));
  EXPECT_EQ(outcome.trace, Lines{std::string("qScene2bin.WriteToFile: write failed: ") + std::strerror(EFBIG)});
  EXPECT_EQ(ReadFileBytes(path), kOld);
  EXPECT_EQ(folder.FileNames(), Lines{"scene2.bin"});
}

// A tmpfs mounted on a folder while it lives: another file system, onto
// which no file from outside can be renamed.
class MountedTmpfs {
 public:
  explicit MountedTmpfs(const std::string& folder) : folder_(folder) {
    std::filesystem::create_directory(folder);
    if (mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=1m") != 0) error_ = std::strerror(errno);
  }
  ~MountedTmpfs() {
    if (error_.empty()) umount2(folder_.c_str(), MNT_DETACH);
  }
  MountedTmpfs(const MountedTmpfs&) = delete;
  MountedTmpfs& operator=(const MountedTmpfs&) = delete;
  // Why it could not be mounted; empty when it is.
  const std::string& error() const { return error_; }

 private:
  std::string folder_;
  std::string error_;
};

TEST(SafeWriting, SavesAndExportsThroughALinkToAnotherFileSystem) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a file system takes root";
  ScratchFolder folder;
  const MountedTmpfs other(folder.Path("other"));
  if (!other.error().empty()) GTEST_SKIP() << "no file system can be mounted here: " << other.error();
  std::filesystem::create_directory(folder.Path("dnc"));
  const std::string real = folder.Path("other/real");
  const Bytes crate = ObjectChunk("crate", 9);
  // Each writes through the link, and gives why it failed.
  const struct {
    const char* what;
    std::string link;
    std::function<std::string()> write;
    Bytes written;
  } cases[] = {
      {"save", folder.Path("scene2.bin"), [&] { return Save(folder.Path("scene2.bin")).reason; }, kScene},
      {"export", folder.Path("dnc/Obj_crate.dnc"),
       [&] {
         TDncExport dncExport(folder.Path("dnc/"));
         return dncExport.Write(ViewOf(crate)).error;
       },
       crate},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.what);
    WriteFileBytes(real, kOld);
    ASSERT_EQ(symlink(real.c_str(), each.link.c_str()), 0);
    EXPECT_EQ(each.write(), "");
    EXPECT_TRUE(std::filesystem::is_symlink(each.link));
    EXPECT_EQ(ReadFileBytes(real), each.written);
    EXPECT_EQ(ScratchFolder::FileNamesOf(folder.Path("other")), Lines{"real"});
    std::filesystem::remove(each.link);
  }
  EXPECT_EQ(ScratchFolder::FileNamesOf(folder.Path("dnc")), Lines{});
}

TEST(SafeExport, AFailedWriteKeepsTheOlderFileOfTheSameName) {
  ScratchFolder folder;
  const std::string path = folder.Path("Obj_big.dnc");
  WriteFileBytes(path, kOld);
  const Bytes chunk = Concat({ObjectChunk("big", 9), Bytes(4000, 0)});
  DncWrite written;
  {
    FileSizeLimit limit(1024);
    TDncExport dncExport(folder.path() + "/");
    written = dncExport.Write(ViewOf(chunk));
  }
  EXPECT_FALSE(written.written);
  EXPECT_EQ(written.error, std::strerror(EFBIG));
  EXPECT_EQ(ReadFileBytes(path), kOld);
  EXPECT_EQ(folder.FileNames(), Lines{"Obj_big.dnc"});
}

#endif

}  // namespace

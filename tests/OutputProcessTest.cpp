// scene2's standard output as a process's: a write that fails (a full disk,
// a limit on file sizes) ends the command with the reason and status 1,
// whatever the command; a pipe whose reader has gone ends it quietly.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "scene/FileStream.h"
#include "tests/Scene2Process.h"
#include "tests/SceneTestSupport.h"
#include "tools/scenegen/SceneGenerator.h"

namespace {

class Scene2Output : public testing::Test {
 protected:
  void SetUp() override {
    auto file = TFileStream::Create(scene);
    ASSERT_TRUE(file.ok()) << file.reason();
    GenerateScene(SceneOptions{}, *file.value());
    file.value()->Commit();
  }

  std::string Said() const {
    const Bytes said = ReadFileBytes(errors);
    return std::string(said.begin(), said.end());
  }

  ScratchFolder folder;
  const std::string scene = folder.Path("scene2.bin");
  const std::string errors = folder.Path("errors");
  struct Command {
    std::vector<std::string> args;
    int status;  // when all is written: check finds the names that a generated scene repeats
  };
  const std::vector<Command> commands = {{{"-q", "list", scene}, 0},
                                         {{"-q", "list", "--json", scene}, 0},
                                         {{"-q", "show", "--hex", scene, "objects:0"}, 0},
                                         {{"-q", "check", scene}, 1},
                                         {{"trace", scene}, 0},
                                         {{"help"}, 0}};
};

TEST_F(Scene2Output, AWriteThatFailsSaysWhyAndFails) {
  // Standard output is a file already as long as files may grow.
  constexpr rlim_t kLimit = 4096;
  const std::string output = folder.Path("output");
  for (const auto& [args, status] : commands) {
    SCOPED_TRACE(testing::PrintToString(args));
    WriteFileBytes(output, Bytes(kLimit, '.'));
    WriteFileBytes(errors, {});
    const int full = open(output.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(full, 0);
    const pid_t child =
        StartScene2({.args = args, .output = errors, .outputDescriptor = full, .fileSizeLimit = kLimit});
    close(full);
    EXPECT_EQ(Wait(child), 1);
    EXPECT_EQ(Said(), "scene2: cannot write the output: File too large\n");
  }
}

TEST_F(Scene2Output, APipeWhoseReaderHasGoneEndsQuietly) {
  for (const bool ignored : {false, true}) {
    for (const auto& [args, status] : commands) {
      SCOPED_TRACE(testing::PrintToString(args) + (ignored ? ", SIGPIPE ignored" : ""));
      WriteFileBytes(errors, {});
      int ends[2];
      ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
      close(ends[0]);
      const pid_t child =
          StartScene2({.args = args, .output = errors, .outputDescriptor = ends[1], .ignoresBrokenPipes = ignored});
      close(ends[1]);
      EXPECT_EQ(Wait(child), ignored ? status : 128 + SIGPIPE);
      EXPECT_EQ(Said(), "");
    }
  }
}

}  // namespace

// The README's scene2 examples, run as written by the real program in a folder
// that holds the sample as scene2.bin (and the test data that an example
// names), one after another in the README's order: each prints what the README
// shows under it, standard output and standard error together.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/ReadmeExamples.h"
#include "tests/SceneTestSupport.h"

namespace {

const std::string kSource = SCENE2_SOURCE_DIR;

// Runs scene2 with `arguments` in `folder`, both its streams into the file at
// `outputPath`, and gives the lines printed, without the CR of the trace's CR LF.
std::vector<std::string> RunScene2(const std::string& folder, const std::vector<std::string>& arguments,
                                   const std::string& outputPath) {
  std::vector<char*> argv{const_cast<char*>("scene2")};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int output = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (output < 0 || chdir(folder.c_str()) != 0 || dup2(output, 1) < 0 || dup2(output, 2) < 0) _exit(127);
    execv(SCENE2_PROGRAM, argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 127) << "scene2 did not run";

  std::ifstream printed(outputPath, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(printed, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST(ReadmeExamples, RunOnTheSampleAsShown) {
  ScratchFolder scratch;
  const std::string folder = scratch.Path("work");
  std::filesystem::create_directories(folder + "/tests/data");
  std::filesystem::copy_file(kSource + "/samples/scene2.bin", folder + "/scene2.bin");
  std::filesystem::copy_file(kSource + "/tests/data/names.bin", folder + "/tests/data/names.bin");
  std::filesystem::copy_file(kSource + "/tests/data/crate-scale.json", folder + "/tests/data/crate-scale.json");

  std::ifstream readme(kSource + "/README.md");
  const std::vector<ReadmeExample> examples = ReadmeExamples(readme);
  ASSERT_FALSE(examples.empty());
  for (const ReadmeExample& example : examples) {
    SCOPED_TRACE(example.commandLine);
    const std::vector<std::string> printed = RunScene2(folder, example.arguments, scratch.Path("output"));
    EXPECT_TRUE(MatchesShown(example.shown, printed)) << "shown:\n"
                                                      << Joined(example.shown) << "printed:\n"
                                                      << Joined(printed);
  }
}

}  // namespace

// check: every problem of a scene file, one line each with its offset.

#include "tools/scene2/SceneCheck.h"
#include "tools/scene2/Session.h"
#include "tools/scene2/WholeFile.h"

int RunCheck(Session& session) {
  const std::string& path = session.Operand(0);
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, error)) return session.Failure("cannot read " + path + ": " + error);
  const std::vector<Problem> problems = CheckScene(ByteView(bytes.data(), bytes.size()));
  for (const Problem& problem : problems)
    session.Out() << "offset " << problem.offset << ": " << problem.text
                  << (problem.failsLoad ? " (a load fails here)" : "") << '\n';
  if (problems.empty())
    session.Out() << path << ": no problems found\n";
  else
    session.Out() << path << ": " << problems.size() << (problems.size() == 1 ? " problem" : " problems") << '\n';
  return problems.empty() ? kSuccess : kFailure;
}

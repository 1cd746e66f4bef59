// check: every problem of a scene file, one line each with its offset.

#include "scene/Counted.h"
#include "tools/scene2/SceneCheck.h"
#include "tools/scene2/Session.h"
#include "tools/scene2/WholeFile.h"

int RunCheck(Session& session) {
  const std::string& path = session.Operand(0);
  os::Result<SceneFileBytes> file = ReadWholeFile(path);
  if (!file.ok()) return session.Failure("cannot read " + path + ": " + file.reason());
  const std::vector<Problem> problems = CheckScene(ViewOf(file.value()), file.value().length);
  for (const Problem& problem : problems)
    session.Out() << "offset " << problem.offset << ": " << problem.text
                  << (problem.failsLoad ? " (a load fails here)" : "") << '\n';
  if (problems.empty())
    session.Out() << path << ": no problems found\n";
  else
    session.Out() << path << ": " << Counted(problems.size(), "problem") << '\n';
  return problems.empty() ? kSuccess : kFailure;
}

#include "tools/scene2/Scene2Cli.h"

#include "tools/scene2/Arguments.h"
#include "tools/scene2/Commands.h"
#include "tools/scene2/Help.h"
#include "tools/scene2/Session.h"

namespace {

bool IsHelp(const std::string& arg) { return arg == "help" || arg == "-h" || arg == "--help"; }

// `scene2 help [COMMAND]`, also as -h and --help.
int Help(const std::vector<std::string>& rest, std::ostream& out, std::ostream& err) {
  if (rest.empty()) {
    out << Overview();
    return kSuccess;
  }
  const CommandSpec* command = FindCommand(rest[0]);
  if (command == nullptr) {
    err << UsageError("unknown command \"" + rest[0] + "\"");
    return kUsage;
  }
  if (rest.size() > 1) {
    err << UsageError("unexpected argument \"" + rest[1] + "\"");
    return kUsage;
  }
  out << CommandHelp(*command);
  return kSuccess;
}

}  // namespace

int RunScene2(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, OutputKind outKind) {
  size_t first = 0;
  while (first < args.size() && IsCommonFlag(args[first])) ++first;
  if (first == args.size()) {
    err << UsageError("no command given");
    return kUsage;
  }
  const std::string& word = args[first];
  const auto commandWord = args.begin() + static_cast<std::ptrdiff_t>(first);
  const std::vector<std::string> rest(commandWord + 1, args.end());
  if (IsHelp(word)) return Help(rest, out, err);
  if (word == "--version") {
    if (!rest.empty()) {
      err << UsageError("unexpected argument \"" + rest[0] + "\"");
      return kUsage;
    }
    out << "scene2 " SCENE2_VERSION "\n";
    return kSuccess;
  }

  const CommandSpec* command = FindCommand(word);
  if (command == nullptr) {
    err << UsageError((word.starts_with('-') ? "unknown option \"" : "unknown command \"") + word + "\"");
    return kUsage;
  }
  if (AsksForHelp(rest)) {
    out << CommandHelp(*command);
    return kSuccess;
  }
  // The flags before the command count as if they stood after it.
  std::vector<std::string> commandArgs(args.begin(), commandWord);
  commandArgs.insert(commandArgs.end(), rest.begin(), rest.end());
  Arguments arguments;
  std::string problem;
  if (ParseArguments(commandArgs, command->options, arguments, problem))
    problem = OperandCountProblem(command->operands, arguments.operands);
  if (!problem.empty()) {
    err << UsageError(problem, command);
    return kUsage;
  }
  Session session(*command, std::move(arguments), out, outKind, err);
  return command->run(session);
}

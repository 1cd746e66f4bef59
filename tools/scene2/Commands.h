#pragma once
// The commands of scene2: what each takes, its help, and what runs it.

#include <span>
#include <string_view>

class Session;

// What a command gives back: every step succeeded, one failed (a load, a
// save, an edit; OUT is then not written), or the command line was wrong.
enum ExitStatus { kSuccess = 0, kFailure = 1, kUsage = 2 };

// Whether a command writes the scene model's trace: check reads no scene
// into the model, trace exists to show it, the others show it when asked.
enum class TraceShown { Never, WhenAsked, Always };

struct CommandSpec {
  const char* name;
  const char* operands;  // as the usage shows them; they also give the counts allowed
  unsigned options;      // the CommandOption values it takes beyond --trace, -q and -h
  TraceShown trace;
  bool names;           // whether it takes or prints names: its help tells how they are written
  const char* summary;  // one line in the overview
  const char* description;
  const char* example;
  int (*run)(Session& session);
};

std::span<const CommandSpec> Commands();
// Null for a word that names no command.
const CommandSpec* FindCommand(std::string_view name);

// Each command on its checked arguments; each gives the exit status.
int RunTrace(Session& session);
int RunList(Session& session);
int RunCheck(Session& session);
int RunDiff(Session& session);
int RunShow(Session& session);
int RunSave(Session& session);
int RunDelete(Session& session);
int RunRename(Session& session);
int RunSet(Session& session);
int RunExport(Session& session);
int RunImport(Session& session);

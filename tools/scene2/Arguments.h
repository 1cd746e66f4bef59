#pragma once
// A command's arguments sorted into options and operands, and checked
// against what the command takes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Options that only some commands take; every command takes --trace, -q
// (--quiet) and -h (--help).
enum CommandOption : unsigned {
  kSectionOption = 1,  // --section S
  kLongOption = 2,     // --long
  kJsonOption = 4,     // --json
  kHexOption = 8,      // --hex
  kDryRunOption = 16,  // -n, --dry-run
  kFromOption = 32,    // --from FILE
};

struct Arguments {
  std::vector<std::string> operands;
  bool trace = false;  // the scene model's trace asked for
  bool longListing = false;
  bool json = false;
  bool hex = false;
  bool dryRun = false;
  std::vector<std::string> sections;  // of --section, each time it is given
  std::optional<std::string> from;    // of --from, the last given
};

// Whether the arguments ask for -h or --help before "--": then nothing else
// of them counts.
bool AsksForHelp(const std::vector<std::string>& args);

// Whether `arg` is a flag that every command takes (--trace, -q), which may
// also stand before the command.
bool IsCommonFlag(const std::string& arg);

// Options may stand anywhere among the operands; "--" ends them, so that an
// operand (a name) may begin with "-", and a lone "-" is an operand. False,
// with the problem, for an option that the command does not take and for
// --section or --from without its value.
bool ParseArguments(const std::vector<std::string>& args, unsigned options, Arguments& parsed, std::string& problem);

// What is wrong with the number of operands for a command whose usage shows
// `usage` ("IN OUT SECTION NAME...", "IN DIR [SECTION [NAME...]]"): the first
// one missing or the first one too many; empty when the number fits.
std::string OperandCountProblem(std::string_view usage, const std::vector<std::string>& operands);

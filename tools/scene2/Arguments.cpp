#include "tools/scene2/Arguments.h"

#include <sstream>

namespace {

struct Flag {
  const char* shortForm;  // null when there is none
  const char* longForm;
  unsigned option;         // 0 for those every command takes
  bool Arguments::*value;  // null for one that changes nothing
};

constexpr Flag kFlags[] = {
    {nullptr, "--trace", 0, &Arguments::trace},
    // Once it left the trace out, which is now left out unless asked for:
    // scripts that give it keep running.
    {"-q", "--quiet", 0, nullptr},
    {nullptr, "--long", kLongOption, &Arguments::longListing},
    {nullptr, "--json", kJsonOption, &Arguments::json},
    {nullptr, "--hex", kHexOption, &Arguments::hex},
    {"-n", "--dry-run", kDryRunOption, &Arguments::dryRun},
};

// An option with a value, "--section S" or "--section=S".
struct ValueFlag {
  std::string_view longForm;
  unsigned option;
  const char* needs;  // the value, as the problem names it
  void (*keep)(Arguments& parsed, std::string value);
};

constexpr ValueFlag kValueFlags[] = {
    {"--section", kSectionOption, "a SECTION",
     [](Arguments& parsed, std::string value) { parsed.sections.push_back(std::move(value)); }},
    {"--from", kFromOption, "a FILE", [](Arguments& parsed, std::string value) { parsed.from = std::move(value); }},
};

bool IsOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

bool Names(const Flag& flag, const std::string& arg) {
  return arg == flag.longForm || (flag.shortForm != nullptr && arg == flag.shortForm);
}

}  // namespace

bool AsksForHelp(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--") return false;
    if (arg == "-h" || arg == "--help") return true;
  }
  return false;
}

bool IsCommonFlag(const std::string& arg) {
  for (const Flag& flag : kFlags)
    if (flag.option == 0 && Names(flag, arg)) return true;
  return false;
}

bool ParseArguments(const std::vector<std::string>& args, unsigned options, Arguments& parsed, std::string& problem) {
  bool operandsOnly = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (operandsOnly || !IsOption(arg)) {
      parsed.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      operandsOnly = true;
      continue;
    }
    bool known = false;
    for (const Flag& flag : kFlags) {
      if ((flag.option & options) != flag.option || !Names(flag, arg)) continue;
      if (flag.value != nullptr) parsed.*flag.value = true;
      known = true;
    }
    if (known) continue;
    for (const ValueFlag& flag : kValueFlags) {
      if ((flag.option & options) == 0 || !arg.starts_with(flag.longForm)) continue;
      if (arg == flag.longForm) {
        if (i + 1 == args.size()) {
          problem = std::string(flag.longForm) + " needs " + flag.needs;
          return false;
        }
        flag.keep(parsed, args[++i]);
      } else if (arg[flag.longForm.size()] == '=') {
        flag.keep(parsed, arg.substr(flag.longForm.size() + 1));
      } else {
        continue;
      }
      known = true;
      break;
    }
    if (known) continue;
    problem = "unknown option \"" + arg + "\"";
    return false;
  }
  return true;
}

std::string OperandCountProblem(std::string_view usage, const std::vector<std::string>& operands) {
  std::istringstream words{std::string(usage)};
  size_t position = 0;
  int depth = 0;  // of the brackets around optional operands
  for (std::string word; words >> word; ++position) {
    for (; word.starts_with('['); word.erase(0, 1)) ++depth;
    const bool optional = depth > 0;
    for (; word.ends_with(']'); word.pop_back()) --depth;
    const bool repeats = word.ends_with("...");
    if (repeats) word.resize(word.size() - 3);
    if (position >= operands.size()) return optional ? "" : "missing " + word;
    if (repeats) return "";
  }
  return position < operands.size() ? "unexpected argument \"" + operands[position] + "\"" : "";
}

#include "tools/scene2/Help.h"

#include <string_view>

#include "tools/scene2/Arguments.h"
#include "tools/scene2/Sections.h"

namespace {

constexpr size_t kSummaryColumn = 38;

constexpr char kNameRule[] =
    "Names are written as list prints them and as every command takes them:\n"
    "bytes below 0x20, 0x7F and the backslash as \\xHH; the others in UTF-8,\n"
    "decoded from Windows-1251, the game's code page, but for 0x98, which has\n"
    "no character there, as \\x98. On Windows too, pipes and files get UTF-8;\n"
    "a console shows the characters whatever its code page.\n";

struct OptionHelp {
  unsigned option;
  const char* text;
};

constexpr OptionHelp kOptionHelp[] = {
    {kSectionOption, "  --section S   only the chunks of section S; given again, of each S given\n"},
    {kLongOption,
     "  --long        also each chunk's size, its offset in the file and the\n"
     "                CRC-32 of its bytes, before the name\n"},
    {kJsonOption,
     "  --json        one JSON document for other tools, with the same fields;\n"
     "                names as text, and as hexadecimal bytes too when a byte\n"
     "                has no character\n"},
    {kHexOption, "  --hex         also the bytes of each leaf, 16 a line, with their offsets\n"},
    {kDryRunOption, "  -n, --dry-run print the changes and write nothing\n"},
    {kFromOption,
     "  --from FILE   the fields of chunks as show --json prints them, one\n"
     "                chunk's document or an array of them, instead of\n"
     "                SECTION NAME FIELD=VALUE\n"},
};

constexpr char kTraceHelp[] =
    "  --trace       also print the scene model's trace: one line for each step\n"
    "                of a load, a save or an edit\n";

// "list [--section S] [--long] [--json] FILE", with [--trace] after the name
// when `trace`: the overview tells --trace once for all.
std::string Synopsis(const CommandSpec& command, bool trace) {
  std::string line = command.name;
  if (trace) line += " [--trace]";
  if ((command.options & kSectionOption) != 0) line += " [--section S]";
  if ((command.options & kLongOption) != 0) line += " [--long]";
  if ((command.options & kJsonOption) != 0) line += " [--json]";
  if ((command.options & kHexOption) != 0) line += " [--hex]";
  if ((command.options & kDryRunOption) != 0) line += " [-n]";
  if ((command.options & kFromOption) != 0) line += " [--from FILE]";
  return line + " " + command.operands;
}

std::string CommandLines() {
  std::string text = "commands:\n";
  for (const CommandSpec& command : Commands()) {
    std::string line = "  " + Synopsis(command, false);
    line += line.size() < kSummaryColumn ? std::string(kSummaryColumn - line.size(), ' ')
                                         : "\n" + std::string(kSummaryColumn, ' ');
    text += line + command.summary + "\n";
  }
  return text;
}

}  // namespace

std::string UsageLine(const CommandSpec& command) {
  return "scene2 " + Synopsis(command, command.trace == TraceShown::WhenAsked);
}

std::string GeneralUsage() { return "usage: scene2 [--trace] COMMAND [ARGS]\n\n" + CommandLines(); }

std::string UsageError(const std::string& problem, const CommandSpec* command) {
  return "scene2: " + problem + "\n" + (command != nullptr ? "usage: " + UsageLine(*command) + "\n" : GeneralUsage());
}

std::string Overview() {
  return "usage: scene2 [--trace] COMMAND [ARGS]\n"
         "       scene2 help [COMMAND]\n"
         "       scene2 --version\n"
         "\n"
         "Works on scene2.bin scene files in batches: lists, checks and compares\n"
         "them, shows the structure of a chunk and sets its values, deletes and\n"
         "renames chunks, and moves chunks out into .dnc files and back in.\n"
         "\n" +
         CommandLines() +
         "\n"
         "options:\n" +
         kTraceHelp +
         "  -q, --quiet   changes nothing: taken for scripts written when it left\n"
         "                the trace out\n"
         "  -h, --help    print this help, or with a command that command's\n"
         "  --version     print the version\n"
         "\n"
         "SECTION is " +
         SectionWords("or") + ".\n" + kNameRule +
         "Exit status: 0 success, 1 failure (OUT is then not written), 2 usage\n"
         "error.\n";
}

std::string CommandHelp(const CommandSpec& command) {
  std::string text = "usage: " + UsageLine(command) + "\n\n" + command.description;
  std::string options;
  for (const OptionHelp& option : kOptionHelp)
    if ((command.options & option.option) != 0) options += option.text;
  if (command.trace == TraceShown::WhenAsked) options += kTraceHelp;
  if (!options.empty()) text += "\noptions:\n" + options;
  std::string notes;
  if (std::string_view(command.operands).find("SECTION") != std::string_view::npos ||
      (command.options & kSectionOption) != 0)
    notes += "SECTION is " + SectionWords("or") + ".\n";
  if (command.names) notes += kNameRule;
  if (!notes.empty()) text += "\n" + notes;
  return text + "\nexample:\n  " + command.example + "\n";
}

#include "tools/scene2/Commands.h"

#include "tools/scene2/Arguments.h"

namespace {

constexpr CommandSpec kCommands[] = {
    {"trace", "FILE", 0, TraceShown::Always, false, "load FILE and print the scene model's trace",
     "Loads FILE and prints the scene model's trace on standard output: one line\n"
     "for each step of the load, each ended by CR LF as the editor's console\n"
     "shows it, and last the closing line of the document. Exit status 1 when\n"
     "the load fails.\n",
     "scene2 trace scene2.bin", &RunTrace},
    {"list", "FILE", kSectionOption | kLongOption | kJsonOption, TraceShown::WhenAsked, true,
     "print one line for each chunk of the sections",
     "Prints one line for each chunk of the sections: section, index, chunk\n"
     "type, type name and name: separated by tabs for a file or a pipe, in\n"
     "columns aligned with spaces on a terminal. With --trace, the trace goes\n"
     "to standard error.\n",
     "scene2 list --long --section objects scene2.bin", &RunList},
    {"check", "FILE", 0, TraceShown::Never, true, "report every problem of a scene file",
     "Reads all of FILE and reports every problem it finds, one line each with\n"
     "its offset in the file: what makes a load fail, bytes after the root\n"
     "size, names that repeat within a section (rename refuses them, export\n"
     "numbers them), chunks in a section that does not hold their type, object\n"
     "and definition types that the editor's tree refuses, names that no export\n"
     "can write. Exit status 0 when there is nothing to report, 1 otherwise.\n",
     "scene2 check scene2.bin", &RunCheck},
    {"diff", "A B", kJsonOption, TraceShown::WhenAsked, true, "compare two scenes chunk for chunk",
     "Compares scene B with scene A: the root size, the head chunks by\n"
     "position, and in each section the chunks by name (the second chunk of a\n"
     "name with the second of that name): those added, removed and changed,\n"
     "with their sizes and CRC-32s, and a changed order. Exit status 0 when the\n"
     "scenes are the same chunk for chunk, 1 when they differ, 2 on a usage\n"
     "error or when a scene can't be loaded. A chunk whose bytes differ only\n"
     "in its name is reported as renamed. With --trace, the traces go to\n"
     "standard error.\n",
     "scene2 diff scene2.bin edited.bin", &RunDiff},
    {"show", "FILE SECTION [NAME]", kJsonOption | kHexOption, TraceShown::WhenAsked, true,
     "print the structure of one chunk",
     "Prints the structure of the first chunk of SECTION named NAME, or with\n"
     "SECTION:INDEX (objects:3) of the chunk at that place, counted from 0:\n"
     "one line for the chunk and each of its sub-chunks and known fields, in\n"
     "file order, indented two spaces a level. Each line holds the offset in\n"
     "the chunk, the type in hexadecimal (- for a field or bytes), the size\n"
     "with the header, then what it is and its value when known; a sound\n"
     "object's settings as its dialog shows them. Where the chunk is malformed,\n"
     "the line says so in check's words and the structure ends there. With\n"
     "--trace, the trace goes to standard error.\n",
     "scene2 show scene2.bin objects sound_0009", &RunShow},
    {"save", "IN OUT", 0, TraceShown::WhenAsked, false, "load IN and save it as OUT",
     "Loads IN and saves it as OUT, which may be IN: every chunk as read, the\n"
     "sections in the order objects, definitions, visual effects, init scripts.\n"
     "OUT is replaced only once it has been written whole.\n",
     "scene2 save scene2.bin copy.bin", &RunSave},
    {"delete", "IN OUT SECTION NAME...", 0, TraceShown::WhenAsked, true, "delete chunks by name",
     "Loads IN, deletes from SECTION the first chunk of each NAME and saves the\n"
     "result as OUT. When a NAME is not in SECTION, nothing is written.\n",
     "scene2 delete scene2.bin edited.bin objects crate_0003 lamp_0004", &RunDelete},
    {"rename", "IN OUT SECTION OLD NEW", 0, TraceShown::WhenAsked, true, "rename an object or a definition",
     "Loads IN, renames the first chunk of SECTION named OLD to NEW and saves\n"
     "the result as OUT. Only objects and definitions can be renamed, and not\n"
     "to a name that another chunk of the section has.\n",
     "scene2 rename scene2.bin edited.bin objects crate_0003 crate_big", &RunRename},
    {"set", "IN OUT [SECTION [NAME] FIELD=VALUE...]", kJsonOption | kDryRunOption | kFromOption, TraceShown::WhenAsked,
     true, "set values of chunks' fields",
     "Loads IN, sets fields of chunks as the editor's side panel takes their\n"
     "values and saves the result as OUT, which may be IN. SECTION NAME names\n"
     "the first chunk of NAME, or with * and ? every chunk whose name matches\n"
     "(* any run of characters, ? any one); SECTION:INDEX the chunk at that\n"
     "place. FIELD is a field as show prints it (position, rotation, scale,\n"
     "type, name, file, volume level, const volume radius...), \"_\" or \"-\"\n"
     "for a space, in any case. VALUE is typed as show prints it: numbers with\n"
     "\".\" before their decimals, several separated by \",\"; texts and names\n"
     "as names are written. FIELD+=VALUE adds to each number of a field of\n"
     "numbers. With --from, the fields of the chunks that FILE gives, in the\n"
     "shape show --json prints them (\"section\", \"index\", \"chunk\"), one such\n"
     "object or an array of them: each field whose value differs is set.\n"
     "When a chunk lacks a field or a value is wrong, nothing is written. Ends\n"
     "with one line that tells what was set; --json prints each chunk's\n"
     "fields with their old and new values instead, and the trace of --trace\n"
     "then goes to standard error.\n",
     "scene2 set scene2.bin edited.bin objects crate_* position+=10,0,0", &RunSet},
    {"export", "IN DIR [SECTION [NAME...]]", 0, TraceShown::WhenAsked, true, "write chunks as .dnc files into DIR",
     "Loads IN and writes chunks as .dnc files into DIR, made when missing:\n"
     "every chunk, every chunk of SECTION, or the first chunk of each NAME in\n"
     "SECTION. A file is named by type prefix and name (Obj_crate.dnc), with a\n"
     "number when the export has used the name already (Obj_crate (2).dnc), the\n"
     "name in UTF-8. A file of that name is replaced.\n",
     "scene2 export scene2.bin dnc objects crate_0003", &RunExport},
    {"import", "IN OUT FILE...", 0, TraceShown::WhenAsked, false, "put .dnc files into IN and save it as OUT",
     "Loads IN, puts the chunk of each .dnc FILE into its section and saves the\n"
     "result as OUT. A chunk replaces, in its place, the chunk of its section\n"
     "that has its name; one with a new name or none is added at the end. Every\n"
     "file is read and checked first: a file refused writes nothing. A FILE that\n"
     "is a folder stands for every .dnc file in it; * and ? in a FILE's name\n"
     "match the files of its folder (* any run of characters, ? any one), as\n"
     "a Windows shell leaves that to the program.\n",
     "scene2 import scene2.bin edited.bin dnc/Obj_crate_0003.dnc", &RunImport},
};

}  // namespace

std::span<const CommandSpec> Commands() { return kCommands; }

const CommandSpec* FindCommand(std::string_view name) {
  for (const CommandSpec& command : kCommands)
    if (name == command.name) return &command;
  return nullptr;
}

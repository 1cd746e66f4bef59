#pragma once
// The help and usage texts, made from the command table.

#include <string>

#include "tools/scene2/Commands.h"

// "scene2 list [--trace] [--section S] [--long] [--json] FILE".
std::string UsageLine(const CommandSpec& command);

// The usage of scene2 as a whole and the list of its commands: what a usage
// error without a command shows.
std::string GeneralUsage();

// What a usage error writes: "scene2: " and the problem, then the command's
// usage, or without a command the general one.
std::string UsageError(const std::string& problem, const CommandSpec* command = nullptr);

// What `scene2 --help` prints.
std::string Overview();

// What `scene2 help COMMAND` prints.
std::string CommandHelp(const CommandSpec& command);

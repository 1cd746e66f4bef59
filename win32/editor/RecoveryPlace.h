#pragma once
// Where this user's editors keep their recovery files, and which of the
// editors that wrote them still run.

#include <string>

#include "editing/RecoveryFolders.h"

// "%LOCALAPPDATA%\scene2 tools\Recovery\", or "Recovery\" in the folder
// that the environment variable SCENE2_TOOLS_DATA names (a test's scratch
// folder); empty when the system names no such folder.
std::string UserRecoveryFolder();

// This process.
ProcessStamp ThisProcess();

// Whether that process still runs. A process we may not look at is taken to
// run: its files are left alone.
bool IsRunning(const ProcessStamp& process);

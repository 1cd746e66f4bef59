#include "editor/DncFolder.h"

#include "toolkit/Module.h"

std::string ProgramDncFolder() { return toolkit::ProgramFolder() + "DNCes\\"; }

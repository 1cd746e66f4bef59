#pragma once
// The four sections of a scene as the command line's texts list them, in the
// order of their table.

#include <string>

#include "scene/ChunkTypes.h"

// "objects, definitions, initscripts and viseffects", or with another last
// conjunction.
std::string SectionWords(const char* conjunction = "and");
// "4000, AE20, AE50 and AE02", the section codes.
std::string SectionCodes();

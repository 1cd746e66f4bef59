#pragma once

#include "scene/ChunkList.h"

// Asks the catalogue everything it can tell about every chunk of the list,
// whatever the chunk's type, and aborts where an answer breaks a promise the
// catalogue makes for any input.
void WalkCatalogue(const ChunkList& list);

#pragma once

#include "os/FileSystem.h"
#include "scene/ChunkList.h"

// Asks the catalogue everything it can tell about every chunk of the list,
// whatever the chunk's type, and aborts where an answer breaks a promise the
// catalogue makes for any input; describes each chunk's structure too. While it asks about one chunk, the rest of
// `block`, which the chunks are views of, is fenced off.
void WalkCatalogue(const ChunkList& list, os::ByteRun block);

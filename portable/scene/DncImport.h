#pragma once
// The way back in: .dnc files read and put into a scene.

#include <memory>
#include <string>
#include <vector>

#include "scene/ByteView.h"
#include "scene/Chunk.h"
#include "scene/Progress.h"
#include "scene/SceneDocument.h"

// The order in which an import takes its files: as given, except that an
// export's numbered copies of one name ("Obj_x.dnc", "Obj_x (2).dnc",
// "Obj_x (3).dnc") come together in number order, where the first of them
// stands; so that importing every file an export wrote puts each chunk back
// where it was. Names compare as Windows compares them (FoldedFileName).
std::vector<std::string> ImportOrder(const std::vector<std::string>& paths);

// Reads a .dnc file: one whole chunk of an item type, as long as the file.
// Refused (SceneFault::DncRefused, "PATH: reason" with the path as given)
// when the file is not a regular file, is shorter than a chunk's header, has
// a size field that differs from its length, or holds a chunk of another type.
Outcome<Chunk> ReadDncFile(const std::string& path);
// The same for a file's bytes in memory, refused with the reason alone.
Outcome<Chunk> ReadDncChunk(ByteView file);

// "3 chunks imported (2 replaced, 1 added)"; "1 chunk imported (...)" for one.
std::string ImportSummary(const ImportTally& tally);

// Imports the files into the document, in ImportOrder, as one edit. Every
// file is read and checked before the document changes: at a refused file,
// the document is as it was. A file is read at each step of `report`; when
// it stops the reading, the files read before are imported.
Outcome<ImportTally> ImportDncFiles(SceneDocument& document, const std::vector<std::string>& paths,
                                    const ProgressReport& report = {});

#pragma once
// The way back in: .dnc files read and put into a scene.

#include <memory>
#include <string>
#include <vector>

#include "scene/Chunk.h"
#include "scene/Exception.h"
#include "scene/Progress.h"
#include "scene/SceneDocument.h"
#include "scene/ByteView.h"

// The order in which an import takes its files: as given, except that an
// export's numbered copies of one name ("Obj_x.dnc", "Obj_x (2).dnc",
// "Obj_x (3).dnc") come together in number order, where the first of them
// stands; so that importing every file an export wrote puts each chunk back
// where it was. Names compare as Windows compares them (FoldedFileName).
std::vector<std::string> ImportOrder(const std::vector<std::string>& paths);

// A .dnc file that an import refuses: traced as "PATH: reason", and shown
// with the path as it was given, in UTF-8, whatever characters it holds.
class ImportRefusal : public Exception {
 public:
  ImportRefusal(std::string path, std::string reason);
  std::string Shown() const override { return Path + ": " + Reason; }

  std::string Path;    // UTF-8
  std::string Reason;  // UTF-8
};

// Reads a .dnc file: one whole chunk of an item type, as long as the file.
// Raises ImportRefusal with the reason when the file is refused: not a
// regular file, shorter than a chunk's header, a size field that differs from
// the file's length, a chunk of another type.
Chunk ReadDncFile(const std::string& path);
// The same for a file's bytes in memory; raises Exception.
Chunk ReadDncChunk(ByteView file);

// "3 chunks imported (2 replaced, 1 added)"; "1 chunk imported (...)" for one.
std::string ImportSummary(const ImportTally& tally);

// Imports the files into the document, in ImportOrder, as one edit. Every
// file is read and checked before the document changes: a refused file is
// traced and raised (ImportRefusal), and the document is as it was. A
// file is read at each step of `report`; when it stops the reading, the
// files read before are imported.
ImportTally ImportDncFiles(SceneDocument& document, const std::vector<std::string>& paths,
                           const ProgressReport& report = {});

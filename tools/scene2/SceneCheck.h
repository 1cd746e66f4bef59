#pragma once

#include <vector>

#include "scene/ByteView.h"
#include "tools/scene2/SceneMap.h"

// Every problem of a scene file that one look can find, in the order of their
// offsets: those of its layout (MapScene), and those of its items that the
// editor, rename, export or import would meet: a chunk in a section that does
// not hold its type, an object or definition type that the editor's tree
// refuses, sub-chunks that do not fill their chunk, a name that can't be read,
// repeats an earlier one of its section or can't name an export's file.
// `bytes` and `fileLength` as MapScene takes them.
std::vector<Problem> CheckScene(ByteView bytes, uint64_t fileLength);
inline std::vector<Problem> CheckScene(ByteView file) { return CheckScene(file, file.Length()); }

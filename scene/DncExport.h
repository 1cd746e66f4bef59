#pragma once
// A .dnc file: one top-level chunk of a scene, byte for byte, alone in a file
// named by its type's prefix and its name.

#include <string>

#include "scene/MemoryStream.h"

// Prefix, name and ".dnc": "Obj_crate.dnc" for an object named crate.
std::string DncFileName(TMemoryStream& chunk);

// Why `fileName` can't name a file inside a folder (a path separator, a drive
// or stream colon, another character Windows refuses, a device name), or an
// empty text when it can.
std::string FileNameFault(const std::string& fileName);

// Writes the chunk into `folder` (which ends with a separator) under its .dnc
// name, replacing a file of that name. False, with `error` set and no file
// left behind, when it could not be written.
bool ExportChunk(TMemoryStream& chunk, const std::string& folder, std::string& error);

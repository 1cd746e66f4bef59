#pragma once
// A scene file taken into memory of our own: its root header first, then, if
// a load could go on from there, the whole file. What the document's load
// and scene2's whole-file reads start from.

#include <cstdint>
#include <cstdio>

#include "os/FileImage.h"
#include "os/Result.h"

struct SceneFileBytes {
  os::FileImage image;  // room for every byte of the file; only its root header when that is refused
  uint64_t length = 0;  // the file's length

  bool Whole() const { return image.Size() == length; }
};

// Reads the root header of a regular file opened for reading
// (os::OpenForReading) and, when a load could go on from there, takes room
// for the whole file, whose bytes the caller then reads in with the image's
// ReadTo and Finish. Fails with the system's reason.
os::Result<SceneFileBytes> BeginSceneFile(std::FILE* file);

// Reads a regular file opened for reading as far as BeginSceneFile allows,
// and closes it. Fails with the system's reason, or when the file changed
// while it was being read.
os::Result<SceneFileBytes> ReadSceneFile(std::FILE* file);

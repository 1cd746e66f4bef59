#pragma once
// A scene file taken into memory of our own: its root header first, then, if
// a load could go on from there, the whole file, or only as much of it as the
// walk of its layout looks at when it runs on past its root's end. What the
// document's load and scene2's whole-file reads start from.

#include <cstdint>
#include <cstdio>

#include "os/FileImage.h"
#include "os/Result.h"

struct SceneFileBytes {
  // Room for the file's first bytes: every byte; only its root header when
  // that is refused; what the root covers (read already) when the file runs
  // on past it and the walk looks no further.
  os::FileImage image;
  uint64_t length = 0;  // the file's length

  bool Whole() const { return image.Size() == length; }
};

// Reads the root header of a regular file opened for reading
// (os::OpenForReading) and, when a load could go on from there, takes room
// for the file's bytes that a walk of it looks at, which the caller then reads
// in with the image's ReadTo and Finish. Fails with the system's reason.
os::Result<SceneFileBytes> BeginSceneFile(std::FILE* file);

// Reads a regular file opened for reading as far as BeginSceneFile allows,
// and closes it. Fails with the system's reason, or when the file changed
// while it was being read.
os::Result<SceneFileBytes> ReadSceneFile(std::FILE* file);

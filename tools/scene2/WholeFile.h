#pragma once

#include <string>

#include "os/FileImage.h"
#include "os/Result.h"
#include "scene/ByteView.h"
#include "scene/SceneFileBytes.h"

// Every byte of a regular file, taken in as a load takes it: only its root
// header when a load refuses that. The reason when it can't be read.
os::Result<SceneFileBytes> ReadWholeFile(const std::string& path);

inline ByteView ViewOf(const SceneFileBytes& file) { return ByteView(file.image.Data(), file.image.Size()); }

// Every byte of any file, as it is: what set --from reads. The reason when
// it can't be read.
os::Result<os::FileImage> ReadAnyFile(const std::string& path);

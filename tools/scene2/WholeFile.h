#pragma once

#include <string>

#include "os/FileImage.h"
#include "os/Result.h"
#include "scene/ByteView.h"

// Every byte of a regular file, taken in as a load takes it (mapped where
// the system can); the reason when it can't be read.
os::Result<os::FileImage> ReadWholeFile(const std::string& path);

inline ByteView ViewOf(const os::FileImage& image) { return ByteView(image.Data(), image.Size()); }

#pragma once
// The file that keeps unsaved changes through a killed editor: a short
// header naming the scene file the changes belong to (UTF-8, empty for a
// scene never saved), then the scene as a save would write it.

#include <string>

#include "os/Result.h"
#include "scene/SceneDocument.h"
#include "scene/Stream.h"

// Raises what the stream raises.
void WriteRecovery(TStream& stream, const std::string& owner, const SceneSnapshot& scene);

// Reads the header and leaves the stream at the scene's first byte; the
// scene file the changes belong to, or why the header is none.
os::Result<std::string> ReadRecoveryOwner(TStream& stream);

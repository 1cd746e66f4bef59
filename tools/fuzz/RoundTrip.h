#pragma once

#include <string>

#include "scene/SceneDocument.h"

// The bytes that a save of the scene writes.
std::string SavedBytes(const SceneDocument& scene);

// Saves the scene into memory, loads what was saved into a new document and
// saves that again. Aborts unless the load succeeds with the same lists, the
// saved root size is the saved length, and both saves are the same bytes.
void RequireStableRoundTrip(const SceneDocument& scene);

// After one edit of a scene loaded as `asLoaded`: aborts unless the file size
// kept is the length saved, an undo gives back the bytes loaded with nothing
// left to undo, a redo the bytes edited, and the scene then saves and loads
// stably. `edit` names it for a message: "paste".
void RequireOneEditUndoneAndRedone(SceneDocument& scene, const std::string& asLoaded, const std::string& edit);

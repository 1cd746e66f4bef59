#pragma once

#include <string_view>

#include "scene/qScene2bin.h"
#include "tools/fuzz/ScriptedUi.h"

// Edits the scene as the editor and scene2 can: deletes of sets of chunks by
// identity, renames (with and without the dialog), replaces, adds and
// imports, which ones and of what following from the input. Aborts where an
// edit leaves identities, sizes or the history other than it promises, where
// a refused edit changed anything, where undoing every edit does not give
// back the bytes saved after the load, or redoing them the bytes after the
// edits. `loaded`: the load read the whole file.
void EditUndoRedo(TqScene2bin& scene2bin, ScriptedUi& ui, std::string_view input, bool loaded);

#pragma once

#include <string_view>

#include "scene/ScriptedUi.h"
#include "scene/qScene2bin.h"

// Renames one chunk of each section list and deletes another, as the editor's
// commands do; which chunks and which new name follow from the input. Aborts
// where a list or the document's sizes end up other than the edit promises.
void EditEverySection(TqScene2bin& scene, ScriptedUi& ui, std::string_view input);

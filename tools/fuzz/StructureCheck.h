#pragma once

#include "scene/ByteView.h"

// Describes the chunk's structure and aborts where a node lies outside the
// chunk or outside its parent, or a leaf's bytes outside the chunk.
void CheckStructure(ByteView chunk);

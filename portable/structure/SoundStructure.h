#pragma once
// A sound object's settings as the plug-in's dialog shows them, put on the
// described sub-chunks that hold them.

#include "scene/ByteView.h"
#include "structure/StructureNode.h"

// Gives the values to the nodes of `object`, the description of `chunk`,
// when the plug-in reads the chunk as a sound object; else changes nothing.
void DescribeSoundFields(ByteView chunk, StructureNode& object);

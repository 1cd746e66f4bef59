#pragma once
// A chunk as `scene2 list` lists it, and as a copy puts it on the clipboard
// as text: its section, its place there, its type code, its type's name and
// its name.

#include <cstdint>
#include <span>
#include <string>

#include "scene/ByteView.h"
#include "scene/ChunkRef.h"
#include "scene/ChunkTypes.h"
#include "scene/TextColumns.h"

class SceneDocument;

// The display name of an object's or a definition's type; empty for the
// chunks of the sections without type codes.
std::string ItemTypeName(ByteView chunk);

// Section word, index, type code, type name ("-" for none), name as NameText
// prints it.
TextRow ListingCells(const SceneSection& section, int32_t index, uint16_t type, const std::string& typeName,
                     const std::string& name);

// The document's chunks that `chunks` names, in that order, as `scene2 list`
// writes them to a file: one line each, its cells separated by tabs.
std::string ListingText(const SceneDocument& document, std::span<const ChunkId> chunks);

#pragma once
// The values that set gives the fields of one chunk, applied one after the
// other to the chunk's bytes, with what each field read before and after.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "scene/Chunk.h"
#include "scene/SceneError.h"

// One field's new value. The field is found by name as show prints it
// ("position", "volume level"), or, for what --from gives back, at its
// place in the chunk's structure: the index of a child at each level.
struct FieldSetting {
  std::string field;
  std::optional<std::vector<size_t>> place;
  std::string value;  // Windows-1251, as typed in the editor
  bool adds = false;  // FIELD+=VALUE: the numbers added to those there
};

// A field as a run of set found it and left it; values in Windows-1251.
struct FieldChange {
  std::string field;  // as an undo names it
  std::string before;
  std::string after;
};

struct SetChunk {
  Chunk rebuilt;  // null when no value changed the chunk's bytes
  std::vector<FieldChange> changes;
};

// "position=1, 2, 3" or "position+=10,0,0" split into a setting whose value
// is still the text as typed; nullopt for an argument with no "=".
std::optional<FieldSetting> ParseSetting(const std::string& argument);

// The chunk with each setting applied, in order, and the fields set, with
// the values before and after when `values` (a run that sets half a million
// chunks and tells none of them describes each once). A value equal to the
// text that the field shows changes nothing, so that setting a field to
// what it holds keeps its bytes. Refused (SceneFault::BadValue) with a
// message that names the field, for a field that the chunk lacks or a value
// it can't take.
Outcome<SetChunk> ApplySettings(ByteView chunk, const std::vector<FieldSetting>& settings, bool values);

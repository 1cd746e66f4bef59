#pragma once
// The values that set gives the fields of one chunk, applied one after the
// other to the chunk's bytes, with what each field read before and after.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scene/ByteBlock.h"
#include "scene/Chunk.h"
#include "scene/SceneError.h"
#include "scene/SubChunkTable.h"
#include "structure/ValueEditing.h"

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
  bool rebuilt = false;              // whether a value changed the chunk's bytes
  std::vector<FieldChange> changes;  // only for a run that tells the values
};

// The fields set, each once, in the order first set: "position, scale".
class FieldNames {
 public:
  void Add(std::string_view field);
  void Add(const FieldNames& other);
  std::string Text() const;

 private:
  std::vector<std::string> names_;  // a few: a run sets the fields it names
};

// "position=1, 2, 3" or "position+=10,0,0" split into a setting whose value
// is still the text as typed; nullopt for an argument with no "=".
std::optional<FieldSetting> ParseSetting(const std::string& argument);

// The settings of a run, applied to chunk after chunk.
class SettingsApplier {
 public:
  // With the values before and after when `values` (a run that sets half a
  // million chunks and tells none of them needs none).
  SettingsApplier(const std::vector<FieldSetting>& settings, bool values);

  // The chunk with each setting applied, in order, appended to `out` when
  // a value changed its bytes; the fields set go to `fields`. A value equal to the text
  // that the field shows changes nothing, so that setting a field to what it
  // holds keeps its bytes. Refused (SceneFault::BadValue) with a message
  // that names the field, for a field that the chunk lacks or a value it
  // can't take; `out` is then as it was.
  Outcome<SetChunk> Apply(ByteView chunk, LargeBytes& out, FieldNames& fields);

  const std::vector<FieldSetting>& Settings() const { return settings_; }

 private:
  std::optional<Outcome<SetChunk>> ApplyToItemFields(ByteView chunk, LargeBytes& out, FieldNames& fields);
  Outcome<SetChunk> ApplyDescribed(ByteView chunk, LargeBytes& out, FieldNames& fields) const;

  const std::vector<FieldSetting>& settings_;
  bool values_;
  // For each setting, the entries of the fixed field that it names in an
  // item's own run; empty when the setting needs the chunk described.
  std::vector<std::vector<const KnownSubChunk*>> itemFields_;
  std::vector<TypedValue> typed_;  // each setting's value, for those fields
};

#pragma once
// What a scene document tells as it works, to one observer: the steps of a
// load, a save, each edit, undo and redo. The core writes nothing itself;
// the facade's trace (SceneTrace) words these as its lines.

#include <cstdint>
#include <string>

#include "scene/ByteView.h"
#include "scene/SceneError.h"

class SceneDocument;

class DocumentEvents {
 public:
  virtual ~DocumentEvents() = default;

  virtual void Cleared() {}
  // A load: the file's bytes came in, then the head chunks one by one, then
  // each section: where its code ends, its size (when it has one), its end.
  virtual void LoadBegun() {}
  virtual void HeadChunkRead(uint16_t /*type*/) {}
  virtual void HeadRead() {}
  virtual void SectionBegun(uint64_t /*codeEnd*/) {}
  virtual void SectionSized(int32_t /*size*/) {}
  virtual void SectionRead() {}
  virtual void Loaded(const SceneDocument& /*document*/) {}
  virtual void LoadFailed(const SceneError& /*error*/) {}

  virtual void Saved() {}
  virtual void SaveFailed(const SceneError& /*error*/) {}

  // A chunk's bytes put in another's place: the old ones before, the new
  // ones after.
  virtual void Replacing(ByteView /*old*/) {}
  virtual void Replaced(ByteView /*now*/) {}
  // `what` names the chunk: its section's word and its name.
  virtual void Added(const std::string& /*what*/) {}
  virtual void Imported(const std::string& /*what*/, bool /*replaced*/) {}
  virtual void ImportRefused(const SceneError& /*error*/) {}
  // `what` is the edit's own description: "delete of 3 chunks".
  virtual void Undone(const std::string& /*what*/) {}
  virtual void Redone(const std::string& /*what*/) {}
};

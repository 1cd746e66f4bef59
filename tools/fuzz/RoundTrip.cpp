#include "tools/fuzz/RoundTrip.h"

#include "scene/MemoryStream.h"
#include "tools/fuzz/Require.h"

namespace {

bool SameCounts(const SceneDocument& a, const SceneDocument& b) {
  return a.Heads().Count() == b.Heads().Count() && a.Objects().Count() == b.Objects().Count() &&
         a.Definitions().Count() == b.Definitions().Count() && a.InitScripts().Count() == b.InitScripts().Count() &&
         a.VisualEffects().Count() == b.VisualEffects().Count();
}

}  // namespace

std::string SavedBytes(const SceneDocument& scene) {
  TMemoryStream saved;
  Require(scene.Write(saved).ok(), "a scene does not write into memory");
  return {reinterpret_cast<const char*>(saved.Data()), saved.Length()};
}

void RequireStableRoundTrip(const SceneDocument& scene) {
  const std::string saved = SavedBytes(scene);
  TMemoryStream stream(saved.data(), saved.size());
  stream.Seek(0, TStream::Origin::Begin);

  SceneDocument reloaded;
  Require(reloaded.Load(stream).ok(), "a saved scene does not load");
  Require(static_cast<size_t>(reloaded.FileSize()) == saved.size(), "the saved root size is not the saved length");
  Require(SameCounts(scene, reloaded), "a saved scene loads with other lists");
  Require(SavedBytes(reloaded) == saved, "saving a reloaded scene gives other bytes");
}

void RequireOneEditUndoneAndRedone(SceneDocument& scene, const std::string& asLoaded, const std::string& edit) {
  const std::string asEdited = SavedBytes(scene);
  Require(static_cast<size_t>(scene.FileSize()) == asEdited.size(), "the file size kept is not the length saved");
  Require(scene.Undo() && !scene.CanUndo() && !scene.Modified() && SavedBytes(scene) == asLoaded,
          ("undoing the " + edit + " does not give back the scene loaded").c_str());
  Require(scene.Redo() && !scene.CanRedo() && scene.Modified() && SavedBytes(scene) == asEdited,
          ("redoing the " + edit + " does not give back the scene it made").c_str());
  RequireStableRoundTrip(scene);
}

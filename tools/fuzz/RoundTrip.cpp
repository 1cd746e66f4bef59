#include "tools/fuzz/RoundTrip.h"

#include <cstring>

#include "scene/MemoryStream.h"
#include "tools/fuzz/Require.h"

namespace {

bool SameCounts(const TqScene2bin& a, const TqScene2bin& b) {
  return a.Heads().Count() == b.Heads().Count() && a.Objects().Count() == b.Objects().Count() &&
         a.Definitions().Count() == b.Definitions().Count() && a.InitScripts().Count() == b.InitScripts().Count() &&
         a.VisualEffects().Count() == b.VisualEffects().Count();
}

bool SameBytes(const TMemoryStream& a, const TMemoryStream& b) {
  return a.Length() == b.Length() && (a.Length() == 0 || std::memcmp(a.Data(), b.Data(), a.Length()) == 0);
}

}  // namespace

void RequireStableRoundTrip(const TqScene2bin& scene, DocumentUi& ui) {
  TMemoryStream saved;
  scene.WriteToStream(saved);
  saved.Seek(0, TStream::Origin::Begin);

  const auto reloaded = NewScene2bin(ui);
  Require(reloaded->ReadFromStream(saved), "a saved scene does not load");
  Require(reloaded->FileSize() == saved.Size(), "the saved root size is not the saved length");
  Require(SameCounts(scene, *reloaded), "a saved scene loads with other lists");

  TMemoryStream savedAgain;
  reloaded->WriteToStream(savedAgain);
  Require(SameBytes(saved, savedAgain), "saving a reloaded scene gives other bytes");
}

// The search field and its keys: find next, and what a search that finds
// nothing shows.
#include "editing/ChunkCommands.h"
#include "editor/Form1.h"
#include "scene/TypedText.h"

std::optional<std::string> TForm1::SearchedName() const {
  // A character that no name can hold finds nothing.
  TypedBytes typed = BytesOfTyped(searchField_.Text());
  if (!typed.refusal.empty()) return std::nullopt;
  return std::move(typed.bytes);
}

void TForm1::FindInSection(SceneNode& section) {
  const std::optional<std::string> name = SearchedName();
  ShowFound(name ? FindByPrefix(section, *name) : nullptr);
}

void TForm1::FindNext() {
  const std::optional<std::string> name = SearchedName();
  ShowFound(name ? FindNextByPrefix(Nodes(), SceneNode::Of(tree_.Selected()), *name) : nullptr);
}

void TForm1::FocusSearch() {
  SetFocus(searchField_.Handle());
  searchField_.SelectAll();
}

void TForm1::ShowFound(SceneNode* found) {
  if (found == nullptr) {
    MessageBeep(MB_OK);
    FocusSearch();
    return;
  }
  tree_.MakeVisible(*found);
  tree_.Select(found);
}

// The search field and its keys: find next, and what a search that finds
// nothing shows.
#include "editor/ChunkCommands.h"
#include "editor/Form1.h"

void TForm1::FindNext() { ShowFound(FindNextByPrefix(Nodes(), SceneNode::Of(tree_.Selected()), searchField_.Text())); }

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

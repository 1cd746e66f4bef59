// Copy, paste and duplicate: chunks carried between scenes through the
// clipboard, and copied within one.
#include <stdexcept>

#include "editing/ChunkCommands.h"
#include "editing/StatusText.h"
#include "editor/Form1.h"
#include "os/WideText.h"
#include "scene/ChunkListing.h"
#include "scene/CopiedChunks.h"
#include "scene/Windows1251.h"
#include "toolkit/Clipboard.h"
#include "toolkit/WaitCursor.h"

namespace {

constexpr char kClipboardBusy[] = "Another program holds the clipboard. Try again in a moment.";

// Our own format: every editor that runs asks for it by this name, and gets the same number.
UINT CopiedChunksFormat() {
  static const UINT format = toolkit::Clipboard::RegisterFormat(L"scene2.bin chunks");
  return format;
}

// Lines ending in CR LF, as the clipboard's text has them.
std::wstring ClipboardText(const std::string& lines) {
  std::wstring text;
  for (const wchar_t c : os::Widen(lines)) {
    if (c == L'\n') text += L'\r';
    text += c;
  }
  return text;
}

}  // namespace

void TForm1::CopyChunks() {
  const std::vector<ChunkId> ids = ChunksToCopy(Nodes(), SceneNode::Of(tree_.Selected()));
  if (ids.empty())
    throw std::runtime_error("Nothing to copy: select a chunk in the tree, or check the chunks to copy.");
  std::vector<ByteView> chunks;
  for (const ChunkId id : ids)
    if (const ChunkRef chunk = document_->Core().Get(id); chunk != nullptr) chunks.push_back(chunk.Bytes());
  const std::vector<uint8_t> block = CopiedChunksBlock(chunks);
  const std::wstring text = ClipboardText(ListingText(document_->Core(), ids));
  toolkit::Clipboard clipboard(hwnd_);
  if (!clipboard.IsOpen()) throw std::runtime_error(kClipboardBusy);
  if (!clipboard.Put(CopiedChunksFormat(), block) || !clipboard.PutText(text))
    throw std::runtime_error("There was not enough memory to put the chunks on the clipboard.");
  ReportOutcome(CopiedStatus(chunks.size()));
}

void TForm1::PasteChunks() {
  if (document_->Core().Heads().Count() == 0)
    throw std::runtime_error("Open a scene first: a paste adds the chunks to it.");
  std::optional<std::vector<uint8_t>> block;
  {
    toolkit::Clipboard clipboard(hwnd_);
    if (!clipboard.IsOpen()) throw std::runtime_error(kClipboardBusy);
    block = clipboard.Get(CopiedChunksFormat());
  }
  if (!block)
    throw std::runtime_error(
        "The clipboard holds no chunks. Copy them in an editor first: select or check them "
        "in its tree and press Ctrl+C.");
  Outcome<std::vector<Chunk>> chunks = ReadCopiedChunks(ByteView(block->data(), block->size()));
  if (!chunks.ok())
    throw std::runtime_error("The clipboard's chunks can't be pasted: " + chunks.failure().message +
                             ". The scene is as it was.");
  const size_t count = chunks.value().size();
  if (AddCopies(std::move(chunks.value()), "paste") != nullptr) ReportOutcome(PastedStatus(count));
}

void TForm1::DuplicateSelected() {
  const SceneNode* selected = SceneNode::Of(tree_.Selected());
  // What a rename works on: an object or a definition, whose name a copy can change.
  if (!IsRenamable(selected, document_->Core())) return;
  const std::string name = selected->Text();
  if (const SceneNode* copy = AddCopies({document_->Core().Get(selected->chunk).chunk}, "duplicate"))
    ReportOutcome(DuplicatedStatus(Utf8FromWindows1251(name), Utf8FromWindows1251(copy->Text())));
}

const SceneNode* TForm1::AddCopies(std::vector<Chunk> chunks, const std::string& verb) {
  std::vector<ChunkId> added;
  {
    toolkit::WaitCursor waiting;
    toolkit::RedrawPause pause(tree_);
    EditScene(
        [&] {
          Outcome<std::vector<ChunkId>> copies = document_->Core().AddCopies(std::move(chunks), verb);
          if (!copies.ok()) throw std::runtime_error(copies.failure().message);
          added = std::move(copies.value());
        },
        &added);
  }
  // The first copy shown, where an undo and a redo of the edit show it again.
  SceneNode* node = added.empty() ? nullptr : sceneTree_.NodeOfChunk(added.front());
  if (node == nullptr) return nullptr;
  workedOn_[document_->Core().CurrentEdit()] = KeyOf(sceneTree_, *node);
  tree_.MakeVisible(*node);
  tree_.Select(node);
  return node;
}

// How long the editor takes on large scenes, under Wine: open the scene (load
// it and fill the tree), check "scene2" by a click on its box, open the largest
// object folder (its nodes get their items in the control then), select 1,000
// nodes one after another by holding the down arrow (the side panel showing
// where it stops; in five rounds, each with the same in a bare tree-view
// control of as many items, the floor under it), uncheck one object in it,
// check and uncheck everything again, export the checked definitions, type a
// new position over the first object of the open folder in the side panel
// and undo it, delete with everything checked; after each of the two deletes, its undo and its
// redo. Last, an object of 3 MiB is added and selected, once with its bytes in
// one sub-chunk and once in as many empty sub-chunks as fit. Each size is a
// generated scene with that many objects and definitions (four objects to one
// definition); comparing sizes shows how each step grows. "files" is how long
// Wine takes to create as many small files with nothing but CreateFile,
// WriteFile and CloseHandle, the floor under the export; above 50,000 items
// neither is run, as Wine's pace for files alone would take most of an hour.
// Opening, checking everything, unchecking one object, deleting everything,
// each undo and redo and each showing of a 3 MiB object should take under 2 s
// and grow no faster than the items; the 1,000 selections should cost the
// editor at most 1.2 times what they cost the bare control (which alone takes
// many seconds under Wine), by the median of the rounds.
//
// editor_bench [COUNT...]   (default: 10000 50000 500000)

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "editor/Form1.h"
#include "os/WideText.h"
#include "scene/ChunkTypes.h"
#include "scene/FileStream.h"
#include "scene/Trace.h"
#include "structure/ChunkStructure.h"
#include "structure/ValueEditing.h"
#include "toolkit/Application.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"
#include "tools/scenegen/SceneGenerator.h"

namespace {

double Seconds(const std::function<void()>& step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  PumpMessages();  // what the step left to paint is part of it
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Timings {
  int items;
  int exported;  // files in the export folder afterwards
  double load, fill, checkAll, openFolder, uncheckOne, uncheckAll, exportDefinitions, files, deleteInFolder, deleteAll;
  double undoInFolder, redoInFolder, undoAll, redoAll, setValue, undoValue;
  double selectThousand, selectBare, showLargeLeaf, showLargeRun;
  // The editor's time for the 1,000 selections over the bare control's, in
  // each round.
  std::vector<double> selectRatios;
  unsigned folderSize;  // the objects in the folder opened
  int left;             // chunks that the delete left: none
};

void CreateFiles(const std::string& folder, int count) {
  CreateDirectoryW(os::Widen(folder).c_str(), nullptr);
  for (int index = 0; index < count; ++index) {
    const std::string path = folder + "Dfn_file_" + std::to_string(index) + ".dnc";
    HANDLE file =
        CreateFileW(os::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, path.data(), static_cast<DWORD>(path.size()), &written, nullptr);
    CloseHandle(file);
  }
}

// Removes the folder with the files in it; how many there were. The names
// are all read before the first goes: std::filesystem::remove_all, which
// deletes while it reads, never ended under Wine on a folder of 20,000.
int RemoveFolder(const std::string& folder) {
  const std::wstring wide = os::Widen(folder);
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((wide + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  for (const std::wstring& name : names) DeleteFileW((wide + name).c_str());
  RemoveDirectoryW(wide.c_str());
  return static_cast<int>(names.size());
}

constexpr int kMostItemsExported = 50000;

constexpr int kSelections = 1000;
constexpr int kSelectionRounds = 5;
constexpr size_t kLargeChunk = size_t{3} << 20;

void AppendChunk(std::string& bytes, uint16_t type, const std::string& payload) {
  const auto size = static_cast<uint32_t>(payload.size() + kChunkHeaderSize);
  bytes += {static_cast<char>(type & 0xFF), static_cast<char>(type >> 8)};
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((size >> shift) & 0xFF);
  bytes += payload;
}

// A model object of about 3 MiB: its bytes in one sub-chunk, or, with
// `run`, in empty sub-chunks one after another.
std::string LargeObject(const std::string& name, bool run) {
  std::string payload;
  AppendChunk(payload, kObjectNameChunk, name + '\0');
  AppendChunk(payload, kObjectTypeChunk, std::string("\x09\0\0\0", 4));
  std::string bulk;
  if (run) {
    while (bulk.size() + kChunkHeaderSize <= kLargeChunk) AppendChunk(bulk, 0x0001, "");
  } else {
    bulk.assign(kLargeChunk, '\xAB');
  }
  AppendChunk(payload, 0x3000, bulk);
  std::string object;
  AppendChunk(object, kObjectChunk, payload);
  return object;
}

// What a user holding the down arrow does, the tree with the focus in the
// foreground window: each repeat handled and shown before the next, then
// the release.
void HoldDownArrow(HWND tree) {
  SetForegroundWindow(GetAncestor(tree, GA_ROOT));
  SetFocus(tree);
  for (int step = 0; step < kSelections; ++step) {
    PushKey(VK_DOWN);
    PumpMessages();
  }
  ReleaseKey(VK_DOWN);
}

// The floor under the 1,000 selections: Wine's tree-view control alone, of
// the editor's tree's style and size, with a folder of `count` items open,
// and nothing of the editor's. Made once, as the editor's tree is, and shown
// over it only while measured.
class BareTree {
 public:
  BareTree(const toolkit::TreeView& editorTree, unsigned count) {
    RECT bounds{};
    GetWindowRect(editorTree.Handle(), &bounds);
    tree_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                            WS_POPUP | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_CHECKBOXES |
                                TVS_FULLROWSELECT | TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP,
                            bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr,
                            nullptr, nullptr, nullptr);
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    std::wstring text = L"objects";
    insert.item.pszText = text.data();
    folder_ = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    insert.hParent = folder_;
    for (unsigned item = 0; item < count; ++item) {
      text = L"Obj_" + std::to_wstring(item);
      insert.item.pszText = text.data();
      SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
    }
    SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(folder_));
  }
  BareTree(const BareTree&) = delete;
  BareTree& operator=(const BareTree&) = delete;
  ~BareTree() { DestroyWindow(tree_); }

  // The 1,000 selections from the folder's first item.
  double Selections() {
    ShowWindow(tree_, SW_SHOW);
    SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET,
                 SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(folder_)));
    PumpMessages();
    const double seconds = Seconds([this] { HoldDownArrow(tree_); });
    ShowWindow(tree_, SW_HIDE);
    PumpMessages();
    return seconds;
  }

 private:
  HWND tree_;
  HTREEITEM folder_;
};

// A new position typed over in the side panel for the object's node, and the
// undo of it: the time of each.
std::pair<double, double> SetPosition(TForm1& form, SceneNode& object) {
  form.Tree().MakeVisible(object);
  form.Tree().Select(&object);
  const ChunkRef chunk = form.Document().Core().Get(object.chunk);
  const StructureNode root = DescribeChunk(chunk.Bytes());
  const StructureNode* position = FindValueLine(root, "position");
  if (position == nullptr) return {-1, -1};
  const double set = Seconds([&] { form.TypeOver({root, *position, "1.5, 2.5, 3.5"}); });
  return {set, Seconds([&] { form.UndoEdit(); })};
}

// The time from selecting the object, added to the scene and the tree, until
// the side panel shows it.
double ShowLargeObject(TForm1& form, const std::string& object) {
  const ByteView bytes(reinterpret_cast<const uint8_t*>(object.data()), object.size());
  const Outcome<EditDone> added = form.Document().Core().Add(Chunk::CopyOf(bytes));
  if (!added.ok()) return -1;
  SceneNode& node = form.Scene().AddChunkNode(added.value().chunk.id, added.value().chunk.Bytes());
  form.Tree().MakeVisible(node);
  return Seconds([&] { form.Tree().Select(&node); });
}

// A click on the node's check box, scrolled into view first.
void ClickShown(toolkit::TreeView& tree, SceneNode* node) {
  tree.MakeVisible(*node);
  ClickCheckBox(tree, node);
}

Timings Measure(int items, const std::string& folder) {
  SceneOptions options;
  options.objects = static_cast<uint32_t>(items) / 5 * 4;
  options.definitions = static_cast<uint32_t>(items) / 5;
  options.initScripts = 0;
  options.visualEffects = 0;
  const std::string path = folder + "\\bench-scene2.bin";
  {
    auto file = TFileStream::Create(path);
    if (!file.ok()) throw std::runtime_error(path + ": " + file.reason());
    GenerateScene(options, *file.value());
    file.value()->Commit();
  }
  toolkit::Application application("tool");
  TForm1 form(application);
  form.Show();
  toolkit::TreeView& tree = form.Tree();
  const FixedNodes& nodes = form.Nodes();

  Timings timings{};
  timings.items = items;
  timings.load = Seconds([&] { (void)form.Document().Core().Load(path); });
  timings.fill = Seconds([&] { form.FillTree(); });
  tree.MakeVisible(*nodes.scene2);
  timings.checkAll = Seconds([&] { ClickCheckBox(tree, nodes.scene2); });
  SceneNode* largest = nodes.objects->FirstChild();
  for (SceneNode* other = largest; other != nullptr; other = other->NextSibling())
    if (other->ChildCount() > largest->ChildCount()) largest = other;
  timings.folderSize = static_cast<unsigned>(largest->ChildCount());
  tree.MakeVisible(*largest);
  timings.openFolder = Seconds([&] { tree.Expand(*largest); });
  SceneNode* object = largest->FirstChild();
  for (int step = 0; step < 10 && object->NextSibling() != nullptr; ++step) object = object->NextSibling();
  tree.MakeVisible(*object);
  timings.uncheckOne = Seconds([&] { ClickCheckBox(tree, object); });

  // The editor's and the bare control's close together in each round, by
  // turns the one first and the other: the load of the shared machine,
  // which changes by the minute, weighs alike on both, and the median of
  // the rounds' ratios leaves out a round that it upset.
  timings.selectThousand = timings.selectBare = HUGE_VAL;
  {
    BareTree bare(tree, timings.folderSize);
    const auto editor = [&] {
      tree.Select(largest->FirstChild());
      PumpMessages();
      return Seconds([&] { HoldDownArrow(tree.Handle()); });
    };
    for (int round = 0; round < kSelectionRounds; ++round) {
      double inEditor = 0;
      double inBare = 0;
      if (round % 2 == 0) {
        inEditor = editor();
        inBare = bare.Selections();
      } else {
        inBare = bare.Selections();
        inEditor = editor();
      }
      timings.selectThousand = std::min(timings.selectThousand, inEditor);
      timings.selectBare = std::min(timings.selectBare, inBare);
      timings.selectRatios.push_back(inEditor / inBare);
    }
  }

  ClickShown(tree, nodes.scene2);  // checks everything again
  // Unchecks everything, now with the folder's nodes in the control.
  timings.uncheckAll = Seconds([&] { ClickShown(tree, nodes.scene2); });
  ClickShown(tree, nodes.scene2);
  ClickShown(tree, nodes.objects);  // objects unchecked, definitions left checked
  if (items <= kMostItemsExported) {
    {
      WhenShown summary("tool", PostOk);
      timings.exportDefinitions = Seconds([&] { form.ExportSelected(); });
    }
    timings.exported = RemoveFolder(form.DncFolder());
    timings.files = Seconds([&] { CreateFiles(form.DncFolder(), timings.exported); });
    RemoveFolder(form.DncFolder());
  }

  std::tie(timings.setValue, timings.undoValue) = SetPosition(form, *SceneNode::Of(largest->FirstChild()));

  // The open folder's objects but one, each deleted on its own, and the
  // definitions.
  ClickShown(tree, largest);
  ClickShown(tree, largest->FirstChild());
  timings.deleteInFolder = Seconds([&] { form.DeleteSelected(); });
  timings.undoInFolder = Seconds([&] { form.UndoEdit(); });
  timings.redoInFolder = Seconds([&] { form.RedoEdit(); });

  ClickShown(tree, nodes.scene2);  // everything checked again
  timings.deleteAll = Seconds([&] { form.DeleteSelected(); });
  timings.undoAll = Seconds([&] { form.UndoEdit(); });
  timings.redoAll = Seconds([&] { form.RedoEdit(); });
  timings.left = form.Document().CountByChunkID(kObjectChunk) + form.Document().CountByChunkID(kDefinitionChunk);

  timings.showLargeLeaf = ShowLargeObject(form, LargeObject("large_leaf", false));
  timings.showLargeRun = ShowLargeObject(form, LargeObject("large_run", true));
  return timings;
}

constexpr double kStepTarget = 2.0;  // seconds
constexpr double kValueTarget = 0.2;  // a value typed over, or its undo
// The 1,000 selections in the editor against the bare control.
constexpr double kSelectionsTarget = 1.2;
// Time from one size to the next against the items: more than this is not
// linear, with room for the noise of a shared machine.
constexpr double kGrowthTarget = 1.5;

struct Step {
  const char* name;
  double (*seconds)(const Timings&);
  double target = kStepTarget;
};
const Step kTargetSteps[] = {
    {"open (load and fill)", [](const Timings& t) { return t.load + t.fill; }},
    {"check all", [](const Timings& t) { return t.checkAll; }},
    {"uncheck one", [](const Timings& t) { return t.uncheckOne; }},
    {"show 3 MiB, one leaf", [](const Timings& t) { return t.showLargeLeaf; }},
    {"show 3 MiB, a run", [](const Timings& t) { return t.showLargeRun; }},
    {"delete all", [](const Timings& t) { return t.deleteAll; }},
    {"undo delete in folder", [](const Timings& t) { return t.undoInFolder; }},
    {"redo delete in folder", [](const Timings& t) { return t.redoInFolder; }},
    {"undo delete all", [](const Timings& t) { return t.undoAll; }},
    {"redo delete all", [](const Timings& t) { return t.redoAll; }},
    {"set a position", [](const Timings& t) { return t.setValue; }, kValueTarget},
    {"undo a position", [](const Timings& t) { return t.undoValue; }, kValueTarget},
};

const char* Verdict(bool met) { return met ? "ok" : "MISSED"; }

void PrintTargets(const std::vector<Timings>& all) {
  for (const Step& step : kTargetSteps) {
    for (const Timings& t : all)
      std::printf("%-22s %8d items: %7.3fs   target < %.1f s  %s\n", step.name, t.items, step.seconds(t), step.target,
                  Verdict(step.seconds(t) >= 0 && step.seconds(t) < step.target));
    for (size_t i = 1; i < all.size(); ++i) {
      const double items = static_cast<double>(all[i].items) / all[i - 1].items;
      const double growth = step.seconds(all[i]) / step.seconds(all[i - 1]) / items;
      std::printf("%-22s %8d to %d items: time x %.2f per item   target <= %.1f  %s\n", step.name, all[i - 1].items,
                  all[i].items, growth, kGrowthTarget, Verdict(growth <= kGrowthTarget));
    }
  }
  for (const Timings& t : all) {
    std::vector<double> ratios = t.selectRatios;
    std::sort(ratios.begin(), ratios.end());
    const double median = ratios[ratios.size() / 2];
    std::printf("%-22s %8d items: %7.3fs, Wine's bare tree view of %u items %.3fs (the fastest of %d)\n",
                "select 1,000 nodes", t.items, t.selectThousand, t.folderSize, t.selectBare, kSelectionRounds);
    std::printf("%-22s %8d items: the editor x %.2f the bare view (the median of the rounds'", "select 1,000 nodes",
                t.items, median);
    for (const double ratio : t.selectRatios) std::printf(" %.2f", ratio);
    std::printf(")   target <= %.1f  %s\n", kSelectionsTarget, Verdict(median <= kSelectionsTarget));
  }
}

// The trace of loading and deleting is not what is measured.
class NoTrace final : public TraceSink {
 public:
  void Write(std::string_view) override {}
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int index = 1; index < argc; ++index) sizes.push_back(std::stoi(argv[index]));
  if (sizes.empty()) sizes = {10000, 50000, 500000};
  NoTrace quiet;
  SetTraceSink(&quiet);
  const std::string folder = std::filesystem::temp_directory_path().string();
  std::printf("%8s %10s %8s %8s %10s %12s %12s %10s %10s %10s %10s %11s %5s\n", "items", "exported", "load", "fill",
              "check all", "open folder", "uncheck one", "uncheck all", "export", "files", "delete in", "delete all",
              "left");
  std::vector<Timings> all;
  for (int items : sizes) {
    const Timings t = Measure(items, folder);
    std::printf("%8d %10d %7.3fs %7.3fs %9.3fs %5u:%5.3fs %11.3fs %9.3fs %9.3fs %9.3fs %9.3fs %10.3fs %5d\n", t.items,
                t.exported, t.load, t.fill, t.checkAll, t.folderSize, t.openFolder, t.uncheckOne, t.uncheckAll,
                t.exportDefinitions, t.files, t.deleteInFolder, t.deleteAll, t.left);
    std::fflush(stdout);
    all.push_back(t);
  }
  PrintTargets(all);
  return 0;
}

// Names are the Windows-1251 bytes of the file, shown and typed as their
// characters whatever the system's code page: these run under an English and
// a Russian locale.
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "os/WideText.h"
#include "scene/ChunkCatalogue.h"
#include "tests/win32/EditorFixture.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

namespace {

constexpr char kStringCaption[] = "TStringDialog: additional";
const std::string kLantern = "\xD4\xEE\xED\xE0\xF0\xFC";  // "Фонарь"
const std::string kCrate = "\xDF\xF9\xE8\xEA";            // "Ящик"

class CyrillicNames : public EditorTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(Load(Scene({Objects({ObjectChunk(kLantern, 9), ObjectChunk("horn", 9)})})), "");
    tree().MakeVisible(*Lantern());
  }

  SceneNode* Lantern() { return Child(Child(nodes().objects, "model"), kLantern); }
  SceneNode* Horn() { return Child(Child(nodes().objects, "model"), "horn"); }
  std::string NameInFile(int index) { return GetChunkName(form.Document().Core().Objects().At(index)->chunk.Bytes()); }

  std::wstring Shown(SceneNode* node) {
    wchar_t text[64] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = tree().ControlItem(*node);
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(tree().Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return text;
  }

  // "Rename" on the node: the dialog shows what it offers (`offered`) and gets
  // each of `typed` and "Ok" in turn, the box after each refusal read into
  // `refusals` and closed, then "Cancel" if it is still up.
  void Rename(SceneNode* node, const std::vector<std::wstring>& typed, std::wstring& offered,
              std::vector<std::wstring>& refusals) {
    tree().Select(node);
    size_t next = 0;
    const std::function<void(HWND)> answer = [&](HWND dialog) {
      HWND field = FindWindowExA(dialog, nullptr, "Edit", nullptr);
      if (next == 0) {
        wchar_t text[64] = {};
        GetWindowTextW(field, text, 64);
        offered = text;
      }
      if (next == typed.size()) {
        SendClick(ChildWithText(dialog, "Button", "Cancel"));
        return;
      }
      SetWindowTextW(field, typed[next++].c_str());
      SendClick(ChildWithText(dialog, "Button", "Ok"));
    };
    // Each box brings the dialog back; watchers are made afresh for each
    // showing, and none is destroyed while it acts.
    std::vector<std::unique_ptr<WhenShown>> watchers;
    std::function<void(HWND)> readBox = [&](HWND box) {
      refusals.push_back(MessageBoxWideText(box));
      watchers.push_back(std::make_unique<WhenShown>(kStringCaption, answer));
      watchers.push_back(std::make_unique<WhenShown>("tool", readBox));
      PostOk(box);
    };
    watchers.push_back(std::make_unique<WhenShown>(kStringCaption, answer));
    watchers.push_back(std::make_unique<WhenShown>("tool", readBox));
    ChooseTreeMenu("Rename");
    PumpMessages();
  }
};

// The runs under other locales check that they really are.
TEST(CyrillicNamesLocale, IsTheCodePageTheRunAskedFor) {
  const char* asked = std::getenv("SCENE2_CODE_PAGE");
  if (asked == nullptr) GTEST_SKIP() << "the run asked for no code page";
  EXPECT_EQ(GetACP(), std::stoul(asked));
}

TEST_F(CyrillicNames, TheTreeShowsTheCharactersOfTheNamesBytes) {
  EXPECT_EQ(Shown(Lantern()), L"Фонарь");
  EXPECT_EQ(Shown(Horn()), L"horn");
}

TEST_F(CyrillicNames, RenameOffersTheNameAndStoresTheTypedCharactersAsWindows1251) {
  std::wstring offered;
  std::vector<std::wstring> refusals;
  Rename(Lantern(), {L"Ящик"}, offered, refusals);
  EXPECT_EQ(offered, L"Фонарь");
  EXPECT_TRUE(refusals.empty());
  EXPECT_EQ(NameInFile(0), kCrate);
  ASSERT_NE(Child(Child(nodes().objects, "model"), kCrate), nullptr);
  EXPECT_EQ(Shown(Child(Child(nodes().objects, "model"), kCrate)), L"Ящик");
}

TEST_F(CyrillicNames, ACharacterWithoutAByteIsRefusedByNameAndTheNameStays) {
  std::wstring offered;
  std::vector<std::wstring> refusals;
  // "é" and an emoji have no Windows-1251 byte; "Ё" and "№" have.
  Rename(Lantern(), {L"Café \U0001F600", L"Ёлка №2"}, offered, refusals);
  ASSERT_EQ(refusals.size(), 1u);
  EXPECT_EQ(refusals[0],
            L"\"é\" (U+00E9), \"\U0001F600\" (U+1F600) can't be stored: the game's code page, Windows-1251, has no "
            L"such characters.");
  EXPECT_EQ(NameInFile(0), "\xA8\xEB\xEA\xE0 \xB9\x32") << "the second try is taken";
}

TEST_F(CyrillicNames, ARefusedNameCanBeCancelledAndNothingChanges) {
  std::wstring offered;
  std::vector<std::wstring> refusals;
  Rename(Lantern(), {L"Café"}, offered, refusals);
  EXPECT_EQ(refusals.size(), 1u);
  EXPECT_EQ(NameInFile(0), kLantern);
  EXPECT_FALSE(form.Document().Core().Modified());
}

TEST_F(CyrillicNames, AFolderWithCyrillicAndAccentedLettersOpensAndSaves) {
  // "é" is in neither code page's reach of the other: 1251 lacks it, 1252 lacks "Я".
  const std::string folder = scratch.Path("Сцены é");
  ASSERT_TRUE(std::filesystem::create_directory(FsPath(folder)));
  const std::string path = folder + "/Ящик.bin";
  const Bytes scene = Scene({Objects({ObjectChunk(kCrate, 9)})});
  WriteFileBytes(path, scene);
  PostDroppedFiles(form.Handle(), {os::Widen(WindowsPath(path))});
  PumpMessages();
  ASSERT_NE(Child(Child(nodes().objects, "model"), kCrate), nullptr) << "opened";
  WriteFileBytes(path, {});
  ChooseMenu("File", "save");
  EXPECT_EQ(ReadFileBytes(path), scene) << "saved where it was opened";
}

TEST_F(CyrillicNames, ExportNamesFilesByTheCharactersAndImportTakesThemFromAnyFolder) {
  ClickCheckBox(tree(), Lantern());
  WhenShown exported("tool", PostOk);
  ChooseMenu("Edit", "export selected");
  EXPECT_TRUE(exported.Done());
  EXPECT_EQ(ScratchFolder::FileNamesOf(form.DncFolder()), (std::vector<std::string>{"Obj_Фонарь.dnc"}));

  const std::string folder = scratch.Path("Моды é");
  ASSERT_TRUE(std::filesystem::create_directory(FsPath(folder)));
  WriteFileBytes(folder + "/Obj_Ящик.dnc", ObjectChunk(kCrate, 9));
  // The dialog's caption is in the system's language.
  WhenShown choose(OfClass("#32770"), [&](HWND dialog) { ChooseFile(dialog, WindowsPath(folder + "/Obj_Ящик.dnc")); });
  std::string summary;
  WhenShown imported("tool", [&summary](HWND box) {
    summary = MessageBoxText(box);
    PostOk(box);
  });
  ChooseMenu("Edit", "import..");
  EXPECT_EQ(summary, "1 chunk imported (0 replaced, 1 added)");
  SceneNode* crate = Child(Child(nodes().objects, "model"), kCrate);
  ASSERT_NE(crate, nullptr);
  tree().MakeVisible(*crate);
  EXPECT_EQ(Shown(crate), L"Ящик");
}

TEST_F(CyrillicNames, TheSearchFindsByTheTypedCharacters) {
  HWND field = FindWindowExA(form.Handle(), nullptr, "Edit", nullptr);
  tree().Select(nullptr);
  SetWindowTextW(field, L"Фон");
  PostKey(field, VK_RETURN);
  PumpMessages();
  EXPECT_EQ(tree().Selected(), Lantern());
}

}  // namespace

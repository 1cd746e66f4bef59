// The question before unsaved changes are dropped, on close and on "open..".
#include "os/WideText.h"
#include "tests/win32/EditedSceneTest.h"
#include "tools/gui/FileDialogs.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/TreeClicks.h"
#include "tools/gui/WhenShown.h"
#include "tools/gui/WindowSearch.h"

namespace {

using Texts = std::vector<std::string>;

class UnsavedChangesTest : public EditedSceneTest {
 protected:
  // Answers the question with `button` once it shows; gives its text.
  struct Answer {
    Answer(int button)
        : box("tool", [this, button](HWND shown) {
            text = MessageBoxText(shown);
            buttons = {ChildWithText(shown, "Button", "&Yes") != nullptr,
                       ChildWithText(shown, "Button", "&No") != nullptr,
                       ChildWithText(shown, "Button", "Cancel") != nullptr};
            PostMessageA(shown, WM_COMMAND, static_cast<WPARAM>(button), 0);
          }) {}
    std::string text;
    std::vector<bool> buttons;
    WhenShown box;
  };
};

TEST_F(UnsavedChangesTest, NothingIsAskedWhenNothingChanged) {
  WhenShown unexpected("tool", PostOk);
  Edit();
  ChooseMenu("Edit", "undo");  // back to the state loaded
  WhenShown cancel("Open", CancelDialog);
  ChooseMenu("File", "open..");
  EXPECT_TRUE(cancel.Done()) << "straight to the file dialog";
  EXPECT_TRUE(CloseWindow());
  EXPECT_FALSE(unexpected.Done());
}

TEST_F(UnsavedChangesTest, NothingIsAskedAfterASave) {
  Edit();
  ChooseMenu("File", "save");
  WhenShown unexpected("tool", PostOk);
  EXPECT_TRUE(CloseWindow());
  EXPECT_FALSE(unexpected.Done());
  EXPECT_EQ(ReadFileBytes(path), kEdited);
}

TEST_F(UnsavedChangesTest, CloseAsksAndCancelKeepsTheWindowAndTheScene) {
  Edit();
  Answer cancel(IDCANCEL);
  EXPECT_FALSE(CloseWindow());
  EXPECT_EQ(cancel.text, "Save changes to level.bin?");
  EXPECT_EQ(cancel.buttons, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(Written(form.Document().Core()), kEdited);
  EXPECT_FALSE(Greyed("undo"));
  EXPECT_EQ(ReadFileBytes(path), kScene);
}

TEST_F(UnsavedChangesTest, CloseAsksAndNoClosesWithoutSaving) {
  Edit();
  Answer no(IDNO);
  EXPECT_TRUE(CloseWindow());
  EXPECT_TRUE(no.box.Done());
  EXPECT_EQ(ReadFileBytes(path), kScene);
}

TEST_F(UnsavedChangesTest, CloseAsksAndYesSavesThenCloses) {
  Edit();
  Answer yes(IDYES);
  EXPECT_TRUE(CloseWindow());
  EXPECT_TRUE(yes.box.Done());
  EXPECT_EQ(ReadFileBytes(path), kEdited);
}

TEST_F(UnsavedChangesTest, AFailedSaveFromTheQuestionIsShownAndNothingCloses) {
  Edit();
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  Answer yes(IDYES);
  std::string failure;
  bool errorIcon = false;
  // The box of the failure comes after the question's.
  WhenShown shown([&yes](HWND window) { return yes.box.Done() && Captioned("tool")(window); },
                  [&](HWND box) {
                    failure = MessageBoxText(box);
                    errorIcon = ShowsIcon(box, IDI_ERROR);
                    PostOk(box);
                  });
  EXPECT_FALSE(CloseWindow());
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(failure, "Cannot save " + WindowsPath(path) + ": the file is read-only");
  EXPECT_TRUE(errorIcon);
  EXPECT_EQ(Written(form.Document().Core()), kEdited);
  EXPECT_EQ(ReadFileBytes(path), kScene);
}

TEST_F(UnsavedChangesTest, OpenAsksFirstAndCancelOpensNothing) {
  Edit();
  Answer cancel(IDCANCEL);
  WhenShown unexpected("Open", CancelDialog);
  ChooseMenu("File", "open..");
  EXPECT_EQ(cancel.text, "Save changes to level.bin?");
  EXPECT_FALSE(unexpected.Done());
  EXPECT_EQ(Written(form.Document().Core()), kEdited);
  EXPECT_FALSE(Greyed("undo"));
}

TEST_F(UnsavedChangesTest, OpenAsksFirstAndNoGoesOnToTheDialogAndANewHistory) {
  Edit();
  Answer no(IDNO);
  OpenFile(path);
  EXPECT_TRUE(no.box.Done());
  EXPECT_EQ(Written(form.Document().Core()), kScene);
  EXPECT_TRUE(Greyed("undo"));
}

TEST_F(UnsavedChangesTest, AFileDroppedOnTheWindowAsksFirst) {
  Edit();
  const std::string other = scratch.Path("other.bin");
  WriteFileBytes(other, Scene({Objects({ObjectChunk("lamp", 9)})}));
  {
    Answer cancel(IDCANCEL);
    PostDroppedFiles(form.Handle(), {os::Widen(WindowsPath(other))});
    PumpMessages();
    EXPECT_EQ(cancel.text, "Save changes to level.bin?");
    EXPECT_EQ(Written(form.Document().Core()), kEdited) << "nothing opened";
  }
  Answer no(IDNO);
  PostDroppedFiles(form.Handle(), {os::Widen(WindowsPath(other))});
  PumpMessages();
  EXPECT_TRUE(no.box.Done());
  EXPECT_EQ(Written(form.Document().Core()), Scene({Objects({ObjectChunk("lamp", 9)})}));
  EXPECT_EQ(ReadFileBytes(path), kScene);
}

TEST_F(EditorTest, ASceneThatNeverHadAFileNameIsCalledTheScene) {
  ASSERT_EQ(Load(Scene({Objects({ObjectChunk("crate", 9)})})), "");  // not through "open..": no file name
  tree().Expand(*nodes().objects);
  ClickCheckBox(tree(), Child(nodes().objects, "model"));
  ChooseMenu("Edit", "delete selected");
  std::string question;
  WhenShown cancel("tool", [&question](HWND box) {
    question = MessageBoxText(box);
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(CloseWindow());
  EXPECT_EQ(question, "Save changes to the scene?");
}

}  // namespace

#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/Accelerators.h"
#include "toolkit/Font.h"
#include "toolkit/Layout.h"
#include "toolkit/Menu.h"
#include "toolkit/Window.h"

namespace toolkit {

enum class FormBorder {
  Sizeable,  // a frame the user can drag, minimise and maximise boxes
  Dialog,    // a fixed size, a raised edge, neither box
};

// Places and sizes at the design DPI, as everywhere in the toolkit.
struct FormArgs {
  std::string caption{};
  // The outer window's top left corner on the screen, unless centred.
  POINT position{CW_USEDEFAULT, CW_USEDEFAULT};
  bool centred = false;
  SIZE client{};
  // The outer size below which the user can't drag the frame; 0 for none.
  SIZE minimum{};
  FontSpec font{};
  FormBorder border = FormBorder::Sizeable;
  // False removes Close from the system menu, which disables the close box.
  bool closeCommand = true;
  // False lets the form paint under its children, for group boxes, which
  // paint no background of their own.
  bool clipChildren = true;
  // The window that owns this one: it stays above its owner, shares its
  // taskbar button and goes with it. Null for none.
  HWND owner = nullptr;
  // The bar's keys run its items (Menu::AddItem).
  std::optional<Menu> menuBar{};
  // Files dropped on the form reach OnFilesDropped.
  bool acceptFiles = false;
};

enum class ModalScope {
  DisableOthers,  // the thread's other top-level windows take no input meanwhile
  DisableNone,    // a plug-in's dialog leaves its host's windows alone
};

// A top-level window, created hidden. Its children are the controls that are
// created with it as their parent. It is laid out for the DPI of its monitor,
// or of its owner's until it is made, and again whenever it moves to a
// monitor of another DPI.
class Form : public Window {
 public:
  explicit Form(FormArgs args);
  ~Form() override;

  void Show();
  void Hide();
  // Gives the window its outer place and size.
  void Place(const RECT& outer) const;
  // The outer size as it is when not minimised or maximised.
  SIZE OuterSize() const;
  Layout* ChildLayout() override { return &layout_; }
  // The menu bar given at creation, or null.
  const Menu* MenuBar() const { return menuBar_ ? &*menuBar_ : nullptr; }

  // Shows the form, gives `focus` (a child, or null for none) the keyboard
  // focus, and handles messages until SetModalResult gives a result other
  // than 0, then hides it and returns that result. With DisableOthers the
  // thread's other enabled top-level windows are disabled meanwhile and
  // enabled again before the form is hidden. A WM_QUIT ends the loop with the
  // result 0 and is posted again for the loop outside.
  int ShowModal(ModalScope scope, const Window* focus = nullptr);
  void SetModalResult(int result) { modalResult_ = result; }

  // Keys that run commands wherever the focus is in the form, and never
  // while it is disabled (a modal dialog or a box is up). AddKeys takes the
  // keys of a menu that is not the bar (not owned: it outlives the form);
  // `beforeKey` runs before one of them, to grey what can't run now.
  void AddKeys(const Menu& menu, std::function<void()> beforeKey = {});
  void AddKey(const Shortcut& key, std::function<void()> action);
  // Whether a command of the form is running (see CommandScope).
  bool CommandRunning() const { return commandsRunning_ > 0; }

  // Marks a command of the form as running for as long as it lives. A
  // request to close the form meanwhile (WM_CLOSE, from the user or another
  // program) waits until the last command has ended: the command may be
  // inside a dialog's or a box's loop, and closing would destroy what it
  // works on.
  class CommandScope {
   public:
    explicit CommandScope(Form& form) : form_(form) { ++form_.commandsRunning_; }
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;
    ~CommandScope();

   private:
    Form& form_;  // not owned
  };

 protected:
  // The close box or Alt+F4; destroys the window unless overridden.
  virtual void OnClose();
  // The window is going; its children still exist.
  virtual void OnDestroy() {}
  // Paths dropped on the form while it was enabled, with acceptFiles.
  virtual void OnFilesDropped(const std::vector<std::string>& /*paths*/) {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WPARAM wParam);
  void RunKeyCommand(UINT command) const;
  bool TranslateKey(MSG& msg);
  void OnDropFiles(HDROP drop);
  void OnMinMaxInfo(MINMAXINFO& info) const;
  // Font, children and layout for a display of `dpi`, the window then at `outer`.
  void OnDpiChanged(int dpi, const RECT& outer);
  void OnNcDestroy();

  SIZE designedClient_;
  SIZE minimum_;
  std::optional<Menu> menuBar_;
  struct KeyMenu {
    const Menu* menu;  // not owned
    std::function<void()> beforeKey;
  };
  std::vector<KeyMenu> keyMenus_;
  std::map<UINT, std::function<void()>> keyActions_;  // keys without a menu item
  Accelerators accelerators_;
  Layout layout_;
  int modalResult_ = 0;
  int commandsRunning_ = 0;
  bool closeWaiting_ = false;
};

// Handles one message as every loop of the toolkit does: the keys of its
// top-level form, keyboard navigation between the controls of its top-level
// window, otherwise translation and dispatch.
void HandleQueuedMessage(MSG& msg);

}  // namespace toolkit

#pragma once
// The editor's main window created in-process, with its trace collected and a
// scratch folder for scene files.

#include <gtest/gtest.h>
#include <windows.h>  // first: the document's header then undoes its GetObject macro

#include <string>
#include <vector>

#include "editor/Form1.h"
#include "tests/SceneTestSupport.h"
#include "toolkit/Application.h"

// A scene file with one head chunk and the given sections.
Bytes Scene(std::initializer_list<Bytes> sections);
// Sections holding the given chunks.
Bytes Objects(std::initializer_list<Bytes> chunks);
Bytes Definitions(std::initializer_list<Bytes> chunks);
Bytes InitScripts(std::initializer_list<Bytes> chunks);
Bytes VisualEffects(std::initializer_list<Bytes> chunks);

class EditorTest : public ::testing::Test {
 protected:
  EditorTest();
  ~EditorTest() override;

  toolkit::TreeView& tree() { return form.Tree(); }
  const FixedNodes& nodes() const { return form.Nodes(); }

  // Writes `file` to the scratch folder and loads it as "open.." does, without
  // the dialog; gives the error that ended the fill, if any.
  std::string Load(const Bytes& file);
  // Runs a menu item of the bar, as a click on it would.
  void ChooseMenu(const std::string& menu, const std::string& item);

  // The texts of a node's children, in order.
  std::vector<std::string> ChildTexts(toolkit::TreeItem node);
  toolkit::TreeItem Child(toolkit::TreeItem node, const std::string& text);
  std::vector<toolkit::TreeItem> Children(toolkit::TreeItem node);

  TraceCollector trace;
  ScratchFolder scratch;
  toolkit::Application application{"tool"};
  TForm1 form{application};
};

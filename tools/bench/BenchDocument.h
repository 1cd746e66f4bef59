#pragma once
// The one document a measure needs; its dialogs are never shown.

#include <memory>
#include <sstream>

#include "scene/ScriptedUi.h"
#include "scene/qScene2bin.h"

class BenchDocument {
 public:
  BenchDocument() : ui_(messages_), document_(NewScene2bin(ui_)) {}
  TqScene2bin* operator->() const { return document_.get(); }
  TqScene2bin& operator*() const { return *document_; }

 private:
  std::ostringstream messages_;
  ScriptedUi ui_;
  std::unique_ptr<TqScene2bin> document_;
};

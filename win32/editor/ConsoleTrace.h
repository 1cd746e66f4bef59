#pragma once

#include "scene/Trace.h"

// The scene model's trace, written to the program's console for as long as
// this object lives. Opening it writes the console's first line.
class ConsoleTrace final : public InstalledTraceSink {
 public:
  ConsoleTrace();

  void Write(std::string_view bytes) override;
};

#include "tools/fuzz/Require.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "scene/Trace.h"

namespace {

class DroppedTrace final : public TraceSink {
 public:
  void Write(std::string_view) override {}
};

}  // namespace

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzzer: broken: %s\n", what);
  std::abort();
}

void DropTrace() {
  static DroppedTrace dropped;
  SetTraceSink(&dropped);
}

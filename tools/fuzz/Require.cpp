#include "tools/fuzz/Require.h"

#include <cstdio>
#include <cstdlib>

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "scene fuzzer: broken: %s\n", what);
  std::abort();
}

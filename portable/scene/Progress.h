#pragma once
// How a long operation tells how far it has come: `done` of `total` steps,
// before each step; the answer false asks it to stop there, keeping what
// it has done.

#include <cstddef>
#include <functional>

using ProgressReport = std::function<bool(size_t done, size_t total)>;

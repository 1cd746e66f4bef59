#pragma once

#include <cstdint>
#include <string>

// Puts the file into the page cache the way a read brings it in. How it got
// there matters: pages that a program wrote stay as small as its writes, and
// mapping or copying them costs several times what the large pieces that a
// read gathers cost, for every program alike. A scene is met read, not
// freshly written, so every measure starts from there. Raises
// std::runtime_error when the file can't be read.
void ReadIntoPageCache(const std::string& path);

// Writes back every dirty page of the system: a writer timed next then pays
// for its own pages only, not for those another writer left behind.
void SettleWrites();

// Takes `bytes` of memory page by page and gives it back, just before a
// measure. A virtual machine may hand the memory its programs free back to
// its host (free page reporting), and the next page that a program takes
// then costs the host's first touch on top of the clearing, several times
// the clearing alone. How much of a measure's memory comes so depends on how
// long ago the machine freed what: a large scene in one process took 3 to 4
// times as long per chunk as a small one. Memory just taken and given back
// is the machine's again when the measure asks for it.
// Raises std::runtime_error when the memory can't be had.
void WarmMemory(uint64_t bytes);

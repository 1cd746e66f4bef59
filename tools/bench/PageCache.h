#pragma once

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

#pragma once
// What one edit that deletes every chunk of a large scene's four sections
// costs its history: the time to undo and redo it, and the memory it holds.

#include <string>

// Loads the scene afresh for each of `runs` runs, deletes every chunk of the
// four sections as one edit, undoes it and redoes it, and prints the medians
// against their targets. Raises std::runtime_error when the scene can't be
// loaded or an undo or redo does not give back what it should.
void MeasureHistory(const std::string& path, int runs);

#pragma once

#include <string>

// Reads the whole file with read() on one thread into a fresh buffer, its
// huge pages asked for, and keeps nothing of it: a plain read, the floor that
// a load's reading is held to. False, with the system's reason, when it can't.
bool PlainReadWholeFile(const std::string& path, std::string& reason);

// Reads the whole file into memory of the program's own, as a load takes it
// in, and keeps nothing of it: the least any load of the file costs. False,
// with the system's reason, when it can't.
bool ReadWholeFile(const std::string& path, std::string& reason);

// Reads the file as ReadWholeFile does, writes the bytes to a new file beside
// `copy` and puts it in `copy`'s place, as a save does: the least that any
// save of a file held in memory of our own costs. False, with the system's
// reason, when it can't.
bool CopyThroughMemory(const std::string& path, const std::string& copy, std::string& reason);

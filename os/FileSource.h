#pragma once
// The file that a file image was read from, kept open, with what it looked
// like then (its device, inode, size and change times). A save copies long
// runs of it straight from file to file, as cp does, while it is still as it
// was, and writes them from memory again should it change meanwhile: what
// is saved is always the bytes the program holds. Only where the system can
// copy between files (Linux); elsewhere there is no source.

#include <cstdio>

namespace os {

class FileSource {
 public:
  FileSource() = default;
  FileSource(FileSource&& other) noexcept;
  FileSource& operator=(FileSource&& other) noexcept;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;
  ~FileSource();

  // The open file as it is now; none when it can't be had.
  static FileSource Of(std::FILE* file);

  bool Exists() const { return descriptor_ >= 0; }
  // Whether the file still is as it was when taken: a write, a truncation or
  // a change of its times since shows.
  bool Unchanged() const;
  int Descriptor() const { return descriptor_; }

 private:
  void Close();
  struct State {
    unsigned long long device = 0, inode = 0, size = 0;
    long long modified = 0, modifiedNanoseconds = 0, changed = 0, changedNanoseconds = 0;
    bool operator==(const State&) const = default;
  };
  static bool StateOf(int descriptor, State& state);

  int descriptor_ = -1;
  State state_;
};

}  // namespace os

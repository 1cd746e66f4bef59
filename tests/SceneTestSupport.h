#pragma once
// Helpers shared by the scene model's tests: chunk bytes built by hand, a
// trace collector, scripted dialogs and a scratch folder.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "scene/DocumentUi.h"
#include "scene/MemoryStream.h"
#include "scene/Trace.h"
#include "scene/qScene2bin.h"

using Bytes = std::vector<uint8_t>;

Bytes U16(uint16_t value);
Bytes U32(uint32_t value);
Bytes Text(const std::string& text);
Bytes Concat(std::initializer_list<Bytes> parts);
// A chunk: type, size (header included, as computed unless given), payload.
Bytes ChunkOf(uint16_t type, const Bytes& payload);
Bytes ChunkWithSize(uint16_t type, uint32_t size, const Bytes& payload);
// A whole file: root header with the size of everything, then the parts.
Bytes SceneFile(std::initializer_list<Bytes> parts);

// A scene file with one head chunk and the given sections, and sections
// holding the given chunks.
Bytes Scene(std::initializer_list<Bytes> sections);
Bytes Objects(std::initializer_list<Bytes> chunks);
Bytes Definitions(std::initializer_list<Bytes> chunks);
Bytes InitScripts(std::initializer_list<Bytes> chunks);
Bytes VisualEffects(std::initializer_list<Bytes> chunks);

// Scene items as the catalogue reads them.
Bytes ObjectChunk(const std::string& name, uint32_t objectType);
Bytes DefinitionChunk(const std::string& name, uint32_t definitionType);
Bytes InitScriptChunk(const std::string& name);
Bytes VisualEffectChunk(const std::string& name);

std::unique_ptr<TMemoryStream> StreamOf(const Bytes& bytes);
Bytes BytesOf(const TMemoryStream& stream);
// A chunk that no document holds, of a copy of the bytes.
ChunkRef LooseChunk(const Bytes& bytes);
inline ByteView ViewOf(const Bytes& bytes) { return ByteView(bytes.data(), bytes.size()); }
// The chunk at `index` of the list, or null.
ChunkRef RefAt(const ChunkList& list, int32_t index);
Bytes BytesOf(ByteView bytes);

// Collects the trace for as long as it lives.
class TraceCollector final : public InstalledTraceSink {
 public:
  void Write(std::string_view bytes) override { text_ += bytes; }
  // The lines written so far, each without its CR LF; clears them.
  std::vector<std::string> TakeLines();
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// Dialogs that answer from a script and message boxes that are recorded.
class TestUi final : public DocumentUi {
 public:
  std::unique_ptr<TStringDialogBase> NewStringDialog() override;
  void ShowMessage(const std::string& text) override { messages.push_back(text); }

  std::vector<std::string> answers;  // answered in order; then empty texts
  std::vector<std::string> prompts;  // each call as "prompt|initial"
  std::vector<std::string> messages;
  std::vector<std::string> created;  // the dialogs in the order made
};

// A document loaded from bytes, with its trace collected and dropped: the
// editor's, and the core in it.
struct LoadedScene {
  explicit LoadedScene(const Bytes& file);
  TestUi ui;
  std::unique_ptr<TqScene2bin> scene2bin;
  SceneDocument* document = nullptr;
  bool loaded = false;
};

// A document loaded by `read`, with the trace lines of the load.
struct TracedLoad {
  explicit TracedLoad(const std::function<bool(SceneDocument&)>& read);
  TraceCollector trace;
  TestUi ui;
  std::unique_ptr<TqScene2bin> scene2bin;
  SceneDocument* document = nullptr;
  bool loaded = false;
  std::vector<std::string> lines;
};

Bytes Written(const SceneDocument& document);

// A fresh, empty folder for one test, named for it inside a folder unique to
// the run; removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  // The path of `name` inside the folder.
  std::string Path(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }
  std::vector<std::string> FileNames() const { return FileNamesOf(path_); }
  // The names of the files in any folder, sorted.
  static std::vector<std::string> FileNamesOf(const std::string& folder);

 private:
  std::string run_;  // ends with a separator
  std::string path_;
};

#ifndef _WIN32
// Lets files grow to `bytes` while it lives: a write beyond fails as it
// does on a full disk, with "File too large", instead of ending the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(uint64_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  uint64_t previous_;
};
#endif

// Paths are UTF-8, as the programs hold them; std::filesystem on Windows
// would take a std::string in the ANSI code page.
std::filesystem::path FsPath(const std::string& utf8);
std::string Utf8Path(const std::filesystem::path& path);

void WriteFileBytes(const std::string& path, const Bytes& bytes);
Bytes ReadFileBytes(const std::string& path);
// Writes `head` and stretches the file to `length` bytes with zeros, sparse
// where the file system allows; false when it refuses a file that long.
bool WriteLongFile(const std::string& path, const Bytes& head, uint64_t length);
bool FileExists(const std::string& path);

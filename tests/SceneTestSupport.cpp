#include "tests/SceneTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

#include "os/FileSystem.h"
#include "os/Paths.h"
#include "scene/ChunkTypes.h"
#include "scene/ChunkWriter.h"
#include "scene/LittleEndian.h"

Bytes U16(uint16_t value) {
  Bytes bytes(2);
  WriteU16LE(bytes.data(), value);
  return bytes;
}

Bytes U32(uint32_t value) {
  Bytes bytes(4);
  WriteU32LE(bytes.data(), value);
  return bytes;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes ChunkWithSize(uint16_t type, uint32_t size, const Bytes& payload) {
  return Concat({U16(type), U32(size), payload});
}

Bytes ChunkOf(uint16_t type, const Bytes& payload) {
  ChunkWriter out;
  out.Open(type);
  out.Bytes(payload.data(), payload.size());
  out.Close();
  const ByteView written = out.Written();
  return Bytes(written.Data(), written.Data() + written.Length());
}

Bytes SceneFile(std::initializer_list<Bytes> parts) { return ChunkOf(kRootChunk, Concat(parts)); }

Bytes ObjectChunk(const std::string& name, uint32_t objectType) {
  return ChunkOf(kObjectChunk, Concat({ChunkOf(kObjectNameChunk, Concat({Text(name), {0}})),
                                       ChunkOf(kObjectTypeChunk, U32(objectType)), ChunkOf(0x0020, Bytes(12, 0))}));
}

Bytes DefinitionChunk(const std::string& name, uint32_t definitionType) {
  return ChunkOf(kDefinitionChunk, Concat({ChunkOf(kDefinitionTypeChunk, U32(definitionType)),
                                           ChunkOf(kDefinitionNameChunk, Concat({Text(name), {0}}))}));
}

Bytes InitScriptChunk(const std::string& name) {
  return ChunkOf(kInitScriptChunk, Concat({{1}, U32(static_cast<uint32_t>(name.size())), Text(name), Text("run();")}));
}

Bytes VisualEffectChunk(const std::string& name) {
  return ChunkOf(kVisualEffectChunk,
                 Concat({Bytes(10, 7), U32(static_cast<uint32_t>(name.size())), Text(name), Bytes(3, 9)}));
}

Bytes Scene(std::initializer_list<Bytes> sections) {
  return SceneFile({ChunkOf(0x0001, {}) /* the head */, Concat(sections)});
}

Bytes Objects(std::initializer_list<Bytes> chunks) { return ChunkOf(kObjectsSection, Concat(chunks)); }
Bytes Definitions(std::initializer_list<Bytes> chunks) { return ChunkOf(kDefinitionsSection, Concat(chunks)); }
Bytes InitScripts(std::initializer_list<Bytes> chunks) { return ChunkOf(kInitScriptsSection, Concat(chunks)); }
Bytes VisualEffects(std::initializer_list<Bytes> chunks) { return ChunkOf(kVisualEffectsSection, Concat(chunks)); }

std::unique_ptr<TMemoryStream> StreamOf(const Bytes& bytes) {
  return std::make_unique<TMemoryStream>(bytes.data(), bytes.size());
}

Bytes BytesOf(const TMemoryStream& stream) { return Bytes(stream.Data(), stream.Data() + stream.Length()); }

ChunkRef LooseChunk(const Bytes& bytes) { return ChunkRef(Chunk::CopyOf(ByteView(bytes.data(), bytes.size()))); }

ChunkRef RefAt(const ChunkList& list, int32_t index) { return list.Ref(index); }

Bytes BytesOf(ByteView bytes) { return Bytes(bytes.Data(), bytes.Data() + bytes.Length()); }

std::vector<std::string> TraceCollector::TakeLines() {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text_.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text_.substr(start, end - start));
  EXPECT_EQ(start, text_.size()) << "trace ends inside a line: " << text_.substr(start);
  text_.clear();
  return lines;
}

namespace {

class ScriptedStringDialog final : public TStringDialogBase {
 public:
  explicit ScriptedStringDialog(TestUi& ui) : ui_(ui) {}
  std::string Execute(const std::string& prompt, const std::string& initial) override {
    ui_.prompts.push_back(prompt + "|" + initial);
    if (ui_.answers.empty()) return "";
    std::string answer = ui_.answers.front();
    ui_.answers.erase(ui_.answers.begin());
    return answer;
  }

 private:
  TestUi& ui_;  // not owned
};

}  // namespace

std::unique_ptr<TStringDialogBase> TestUi::NewStringDialog() {
  created.push_back("string");
  return std::make_unique<ScriptedStringDialog>(*this);
}

LoadedScene::LoadedScene(const Bytes& file) {
  TraceCollector trace;
  scene2bin = NewScene2bin(ui);
  document = &scene2bin->Core();
  loaded = document->Load(*StreamOf(file)).ok();
}

Bytes Written(const SceneDocument& document) {
  TMemoryStream out;
  EXPECT_TRUE(document.Write(out).ok());
  return BytesOf(out);
}

TracedLoad::TracedLoad(const std::function<bool(SceneDocument&)>& read)
    : scene2bin(NewScene2bin(ui)), document(&scene2bin->Core()) {
  trace.TakeLines();
  loaded = read(*document);
  lines = trace.TakeLines();
}

ScratchFolder::ScratchFolder() {
  // A folder of this run's own holds the test's: two checkouts testing at
  // once on one machine never share, or remove, each other's files.
  std::string temp = testing::TempDir();
  if (temp.empty() || !os::IsSeparator(temp.back())) temp += '/';
  os::Result<os::TemporaryFolder> run = os::CreateTemporaryFolder(temp);
  if (!run.ok()) throw std::runtime_error("cannot create a scratch folder in " + temp + ": " + run.reason());
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string("scene2-") + test->test_suite_name() + "-" + test->name();
  std::replace(name.begin(), name.end(), '/', '_');
  run_ = run.value().path;
  path_ = run_ + name;
  std::replace(run_.begin(), run_.end(), '\\', '/');
  std::replace(path_.begin(), path_.end(), '\\', '/');
  std::filesystem::create_directories(FsPath(path_));
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(FsPath(run_), ignored);
}

std::vector<std::string> ScratchFolder::FileNamesOf(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(FsPath(folder)))
    names.push_back(Utf8Path(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

#ifndef _WIN32
FileSizeLimit::FileSizeLimit(uint64_t bytes) {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  previous_ = limit.rlim_cur;
  signal(SIGXFSZ, SIG_IGN);
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = previous_;
  setrlimit(RLIMIT_FSIZE, &limit);
  signal(SIGXFSZ, SIG_DFL);
}
#endif

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream file(FsPath(path), std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadFileBytes(const std::string& path) {
  std::ifstream file(FsPath(path), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool WriteLongFile(const std::string& path, const Bytes& head, uint64_t length) {
  WriteFileBytes(path, head);
  std::error_code refused;
  std::filesystem::resize_file(FsPath(path), length, refused);
  return !refused;
}

bool FileExists(const std::string& path) { return std::filesystem::exists(FsPath(path)); }

std::filesystem::path FsPath(const std::string& utf8) { return std::u8string(utf8.begin(), utf8.end()); }

std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

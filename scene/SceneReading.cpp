// Loading a scene2.bin: the walk of its layout (WalkScene) puts the root
// size, the head chunks and the chunks of each section into the document,
// until the first problem that fails a load.

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "os/FileSystem.h"
#include "scene/ByteBlock.h"
#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/Hex.h"
#include "scene/LittleEndian.h"
#include "scene/LoadFailure.h"
#include "scene/MemoryStream.h"
#include "scene/SceneDocument.h"
#include "scene/SceneFileBytes.h"
#include "scene/SceneWalk.h"
#include "scene/SizeBookkeeping.h"
#include "scene/Trace.h"
#include "scene/Windows1251.h"

std::unique_ptr<TMemoryStream> ReadChunkFromStream(TStream& stream, uint16_t& type, uint32_t& size, int64_t end) {
  const int64_t start = stream.Position();
  const auto left = static_cast<uint64_t>(std::max<int64_t>(end - start, 0));
  type = 0;
  size = 0;
  if (left >= kChunkHeaderSize) {
    uint8_t header[kChunkHeaderSize];
    stream.Read(header, sizeof header);
    type = ReadU16LE(header);
    size = ReadU32LE(header + 2);
    stream.Seek(-static_cast<int64_t>(kChunkHeaderSize), TStream::Origin::Current);
  }
  if (!ChunkFits(left, size))
    throw LoadFailure(ChunkFault(static_cast<uint64_t>(start), left, type, size, ChunkBound::File));
  auto chunk = std::make_unique<TMemoryStream>();
  if (chunk->AppendFrom(stream, size) != size)
    throw Exception(Exception::Code::Invalid,
                    "qScene2bin.ReadChunkFromStream: file ended inside chunk at offset " + std::to_string(start));
  return chunk;
}

namespace {

// The file's bytes failed to come in: nothing read from it is kept.
class FileReadFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace

// A file read into its block while the load walks it, a piece at a time.
class SceneDocument::FileArrival final : public ByteArrival {
 public:
  FileArrival(os::FileImage& image, std::FILE* file) : image_(image), file_(file) {}

  size_t Await(size_t upTo) override {
    Raise(image_.ReadTo(file_, upTo));
    return image_.Filled();
  }
  // Reads what the walk left, and checks that the file stayed as it was.
  void Finish() { Raise(image_.Finish(file_)); }

 private:
  static void Raise(const os::Status& status) {
    if (!status.ok()) throw FileReadFailure("cannot read the file: " + Windows1251FromUtf8(status.reason()));
  }

  os::FileImage& image_;
  std::FILE* file_;  // not owned
};

// The load's side of the walk: the chunks go into the document's lists and
// the trace tells each step, in the words of the steps the load is made of.
class SceneDocument::Loading final : public SceneWalkSink {
 public:
  explicit Loading(SceneDocument& document) : document_(document) {}

  // Raises, once the step that failed has let go of what it read. With an
  // arrival, the bytes are read as the walk comes to them, and then the rest.
  void Run(ByteView bytes, uint64_t fileLength, FileArrival* arrival) {
    fileEnd_ = bytes.Length();
    try {
      // The bytes taken in are those the walk looks at (SceneFileBytes).
      if (!WalkScene(bytes, fileLength, *this, WalkUntil::LoadFailure, arrival))
        throw FileReadFailure("cannot read the file: the scene runs on past the bytes read");
      if (arrival != nullptr) arrival->Finish();
    } catch (const FileReadFailure& failure) {
      document_.DropLoad();
      throw Exception(Exception::Code::Invalid, failure.what());
    } catch (const std::exception& failure) {
      Abandon(FailureMessage(failure));
    }
    if (!failure_) return;
    // Sections after the root's end would be dropped by the next save.
    if (failure_->fault == LayoutFault::BytesAfterRoot) throw LoadFailure(*failure_);
    Abandon(LoadFailure(*failure_).Message);
  }

  void Root(const RootHeader& header) override {
    if (header.signature) document_.fileSize = header.rootSize;
  }

  void HeadChunk(const WalkedChunk& chunk) override {
    Trace("TqScene2bin.ReadHeadFromStream: " + HexUpper(chunk.type, 4) + " - done");
    document_.AppendLoaded(document_.heads, chunk.bytes.Data(), Length(chunk));
  }

  void HeadDone() override {
    inHead_ = false;
    Trace("qScene2bin.ReadFromFile: reading head - done");
  }

  void Section(const WalkedSection& section) override {
    Trace("qScene2bin.ReadSectionsFromStream BeginOffs: " + std::to_string(section.codeEnd));
    list_ = document_.ListBySectionCode(section.code);
    if (list_ == nullptr || !section.sized) return;
    const auto sectionSize = static_cast<int32_t>(section.size);
    Trace("qScene2bin.ReadSectionsFromStream sectionSize: " + std::to_string(sectionSize));
    // A second section of one kind joins the first's list, and a save writes
    // both as one section: its size is theirs together, under one header.
    // The sizes are a file's, any of 2^32 values: they add up as the stored
    // field wraps, as the edits add to them.
    if (std::find(sectionsRead_.begin(), sectionsRead_.end(), list_) != sectionsRead_.end()) {
      AddToSize(list_->sectionSize, int64_t{sectionSize} - int64_t{kChunkHeaderSize});
    } else {
      list_->sectionSize = sectionSize;
      sectionsRead_.push_back(list_);
    }
    sectionEnd_ = section.offset + section.size;
    sampled_ = {};
  }

  void SectionChunk(const WalkedChunk& chunk) override {
    document_.AppendLoaded(*list_, chunk.bytes.Data(), Length(chunk));
    sampled_.bytes += chunk.bytes.Length();
    if (++sampled_.chunks == kSample) MakeRoom(chunk);
  }

  void SectionDone() override {
    Trace("qScene2bin.ReadSectionsFromStream - done");
    list_ = nullptr;
  }

  void Problem(const LayoutProblem& problem) override {
    if (FailsLoad(problem.fault)) failure_ = problem;
  }

 private:
  // A list that grew a chunk at a time would move its handles again and
  // again: once the first chunks of a section have shown how long its chunks
  // run, it gets room for about as many more as the rest of the section holds.
  static constexpr uint64_t kSample = 64;
  struct Sample {
    uint64_t chunks = 0;
    uint64_t bytes = 0;
  };
  void MakeRoom(const WalkedChunk& last) {
    const uint64_t end = last.offset + last.bytes.Length();
    const uint64_t sectionEnd = std::min(sectionEnd_, fileEnd_);
    if (sectionEnd <= end) return;
    const uint64_t expected = (sectionEnd - end) / (sampled_.bytes / sampled_.chunks);
    list_->Reserve(static_cast<size_t>(static_cast<uint64_t>(list_->Count()) + expected + expected / 4));
  }

  // The walk gives only chunks that lie within the file, whose size field fits.
  static uint32_t Length(const WalkedChunk& chunk) { return static_cast<uint32_t>(chunk.bytes.Length()); }

  // The failed step's list is emptied: the head, or the section's list with
  // whatever an earlier section of its code put there.
  [[noreturn]] void Abandon(const std::string& message) {
    Trace(message);
    document_.loadFailure_ = message;
    if (inHead_) {
      ClearChunkList(document_.heads);
      throw Exception(Exception::Code::Invalid, "qScene2bin.ReadFromFile: cant read header");
    }
    if (list_ != nullptr) ClearChunkList(*list_);
    throw Exception(Exception::Code::Invalid, "qScene2bin.ReadFromFile: cant read section");
  }

  SceneDocument& document_;
  bool inHead_ = true;
  ChunkList* list_ = nullptr;  // of the section being read
  std::vector<const ChunkList*> sectionsRead_;
  uint64_t fileEnd_ = 0;     // of the bytes walked
  uint64_t sectionEnd_ = 0;  // where the section being read says it ends
  Sample sampled_;           // its first chunks
  std::optional<LayoutProblem> failure_;
};

bool SceneDocument::ReadFromFile(const std::string& FileName) {
  clear();
  os::Result<std::FILE*> opened = os::OpenForReading(FileName);
  // A folder, a device or a pipe is never read: a pipe could block for ever.
  if (!opened.ok() && opened.failure().notAFile) {
    loadFailure_ = Windows1251FromUtf8(opened.reason());
    Trace("qScene2bin.ReadFromFile: " + loadFailure_);
    return false;
  }
  // A file that can't be opened reads as an empty one: it fails at the signature.
  if (!opened.ok()) return ReadBlock(BlockOfFile(os::FileImage()), 0, "");
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(opened.value(), std::fclose);
  os::Result<SceneFileBytes> begun = BeginSceneFile(file.get());
  if (!begun.ok()) return ReadBlock(nullptr, 0, Windows1251FromUtf8(begun.reason()));
  auto block = std::make_unique<FileBlock>(std::move(begun.value().image));
  FileArrival arrival(block->Image(), file.get());
  return ReadBlock(std::move(block), begun.value().length, "", &arrival);
}

bool SceneDocument::ReadFromStream(TStream& stream) {
  std::unique_ptr<ByteBlock> block;
  std::string error;
  try {
    block = BlockCopiedFrom(stream);
  } catch (const std::exception& failure) {
    error = FailureMessage(failure);
  }
  clear();
  const uint64_t length = block ? block->Size() : 0;
  return ReadBlock(std::move(block), length, error);
}

bool SceneDocument::ReadFromBlock(std::unique_ptr<ByteBlock> block) {
  clear();
  const uint64_t length = block ? block->Size() : 0;
  return ReadBlock(std::move(block), length, "");
}

bool SceneDocument::ReadBlock(std::unique_ptr<ByteBlock> block, uint64_t fileLength, const std::string& error,
                              FileArrival* arrival) {
  try {
    Trace("qScene2bin.ReadFromFile: file open");
    if (!block) throw Exception(Exception::Code::Invalid, "cannot read the file: " + error);
    block_ = std::move(block);
    Loading(*this).Run(ByteView(block_->Data(), block_->Size()), fileLength, arrival);
    Trace("qScene2bin.ReadFromFile: reading sections - done");
    for (const SceneSection& section : kSceneSections)
      if (section.countLabel != nullptr)
        Trace(section.countLabel + std::to_string(sectionLists[SectionIndex(section)].Count()));
    return true;
  } catch (const std::exception& failure) {
    // A step that failed has given its own reason already.
    if (loadFailure_.empty()) loadFailure_ = FailureMessage(failure);
    Trace("qScene2bin.ReadFromFile: " + FailureMessage(failure));
    return false;
  }
}

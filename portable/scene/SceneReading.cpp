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
#include "scene/LittleEndian.h"
#include "scene/LoadFailure.h"
#include "scene/MemoryStream.h"
#include "scene/SceneDocument.h"
#include "scene/SceneFileBytes.h"
#include "scene/SceneWalk.h"
#include "scene/SizeBookkeeping.h"

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

// A load ends at the first step that fails, with this error.
struct LoadStop {
  SceneError error;
};

// The file's bytes failed to come in: nothing read from it is kept.
LoadStop Unreadable(const std::string& reason) {
  return {{SceneFault::Unreadable, "cannot read the file: " + reason, reason}};
}

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
    if (!status.ok()) throw Unreadable(status.reason());
  }

  os::FileImage& image_;
  std::FILE* file_;  // not owned
};

// The load's side of the walk: the chunks go into the document's lists and
// the observer hears of each step.
class SceneDocument::Loading final : public SceneWalkSink {
 public:
  explicit Loading(SceneDocument& document) : document_(document) {}

  // Raises LoadStop, once the step that failed has let go of what it read.
  // With an arrival, the bytes are read as the walk comes to them, and then
  // the rest.
  void Run(ByteView bytes, uint64_t fileLength, FileArrival* arrival) {
    fileEnd_ = bytes.Length();
    try {
      // The bytes taken in are those the walk looks at (SceneFileBytes).
      if (!WalkScene(bytes, fileLength, *this, WalkUntil::LoadFailure, arrival))
        throw Unreadable("the scene runs on past the bytes read");
      if (arrival != nullptr) arrival->Finish();
    } catch (const LoadStop&) {
      document_.DropLoad();
      throw;
    } catch (const std::exception& failure) {
      Abandon(FailureMessage(failure));
    }
    if (!failure_) return;
    // Sections after the root's end would be dropped by the next save.
    if (failure_->fault == LayoutFault::BytesAfterRoot)
      throw LoadStop{{SceneFault::BytesAfterRoot, LoadFailure(*failure_).Message}};
    if (failure_->fault == LayoutFault::NoSignature) throw LoadStop{{SceneFault::NotAScene, kNoSignatureReason}};
    Abandon(LoadFailure(*failure_).Message);
  }

  void Root(const RootHeader& header) override {
    if (header.signature) document_.fileSize = header.rootSize;
  }

  void HeadChunk(const WalkedChunk& chunk) override {
    document_.events_->HeadChunkRead(chunk.type);
    document_.AppendLoaded(document_.heads, chunk.bytes.Data(), Length(chunk));
  }

  void HeadDone() override {
    inHead_ = false;
    document_.events_->HeadRead();
  }

  void Section(const WalkedSection& section) override {
    document_.events_->SectionBegun(section.codeEnd);
    list_ = document_.ListBySectionCode(section.code);
    if (list_ == nullptr || !section.sized) return;
    const auto sectionSize = static_cast<int32_t>(section.size);
    document_.events_->SectionSized(sectionSize);
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
    document_.events_->SectionRead();
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
    if (inHead_) {
      ClearChunkList(document_.heads);
      throw LoadStop{{SceneFault::BadHead, message}};
    }
    if (list_ != nullptr) ClearChunkList(*list_);
    throw LoadStop{{SceneFault::BadSection, message}};
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

Outcome<Done> SceneDocument::Load(const std::string& path) {
  clear();
  os::Result<std::FILE*> opened = os::OpenForReading(path);
  if (!opened.ok()) {
    // A folder, a device or a pipe is never read: a pipe could block for ever.
    const SceneFault fault = opened.failure().notAFile ? SceneFault::NotAFile : SceneFault::Unopenable;
    return LoadFailed({fault, opened.reason(), opened.reason()});
  }
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(opened.value(), std::fclose);
  os::Result<SceneFileBytes> begun = BeginSceneFile(file.get());
  if (!begun.ok()) {
    events_->LoadBegun();
    return LoadFailed(Unreadable(begun.reason()).error);
  }
  auto block = std::make_unique<FileBlock>(std::move(begun.value().image));
  FileArrival arrival(block->Image(), file.get());
  return ReadBlock(std::move(block), begun.value().length, &arrival);
}

Outcome<Done> SceneDocument::Load(TStream& stream) {
  std::unique_ptr<ByteBlock> block;
  std::string error;
  try {
    block = BlockCopiedFrom(stream);
  } catch (const std::exception& failure) {
    error = FailureMessage(failure);
  }
  clear();
  if (!block) {
    events_->LoadBegun();
    return LoadFailed(Unreadable(error).error);
  }
  const uint64_t length = block->Size();
  return ReadBlock(std::move(block), length);
}

Outcome<Done> SceneDocument::Load(std::unique_ptr<ByteBlock> block) {
  clear();
  const uint64_t length = block->Size();
  return ReadBlock(std::move(block), length);
}

Outcome<Done> SceneDocument::ReadBlock(std::unique_ptr<ByteBlock> block, uint64_t fileLength, FileArrival* arrival) {
  events_->LoadBegun();
  block_ = std::move(block);
  try {
    Loading(*this).Run(ByteView(block_->Data(), block_->Size()), fileLength, arrival);
  } catch (const LoadStop& stop) {
    return LoadFailed(stop.error);
  }
  events_->Loaded(*this);
  return Done{};
}

SceneError SceneDocument::LoadFailed(SceneError error) {
  events_->LoadFailed(error);
  return error;
}

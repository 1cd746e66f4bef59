#include "tools/scene2/SceneMap.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>

#include "scene/ChunkTypes.h"
#include "scene/Counted.h"
#include "scene/Hex.h"
#include "tools/scene2/Sections.h"

namespace {

std::string Type(uint16_t type) { return HexUpper(type, 4); }

class Mapper {
 public:
  Mapper(ByteView bytes, uint64_t fileLength) : file_(bytes), length_(bytes.Length()), fileLength_(fileLength) {}

  SceneMap Map() {
    size_t at = kChunkHeaderSize;
    // Only the root header was read when a load refuses it: the walk ends there.
    if (MapRoot() && length_ == fileLength_ && MapHead(at) && MapSections(at)) MapEnd(at);
    return std::move(map_);
  }

 private:
  void Report(uint64_t at, std::string text, bool failsLoad = true) {
    map_.problems.push_back({at, std::move(text), failsLoad});
  }

  // The chunk at `at`, which must end by `end`, the end of `within`; nullopt
  // after a problem when it doesn't or its size could never step forward.
  std::optional<MappedChunk> ChunkAt(size_t at, size_t end, const char* within) {
    uint16_t type = 0;
    uint32_t size = 0;
    const size_t left = end - at;
    if (left < kChunkHeaderSize || !file_.ReadU16(at, type) || !file_.ReadU32(at + 2, size)) {
      Report(at, std::string("a chunk header is cut short by the end of ") + within + ": " + Counted(left, "byte") +
                     " left");
      return std::nullopt;
    }
    if (size < kChunkHeaderSize) {
      Report(at, "chunk " + Type(type) + " has size " + std::to_string(size) + ", less than its 6-byte header");
      return std::nullopt;
    }
    if (size > left) {
      Report(at, "chunk " + Type(type) + " of size " + std::to_string(size) + " runs past the end of " + within +
                     " by " + Counted(size - left, "byte"));
      return std::nullopt;
    }
    return MappedChunk{type, at, file_.Part(at, size)};
  }

  // The walk stops where a load would have nothing to go on.
  bool MapRoot() {
    uint16_t signature = 0;
    if (!file_.ReadU16(0, signature) || signature != kRootChunk) {
      Report(0, "the file does not begin with 53 4C (\"SL\"), the signature of a scene");
      return false;
    }
    if (!file_.ReadU32(2, map_.rootSize)) {
      Report(2, "the file ends inside the root size");
      return false;
    }
    root_ = length_;
    if (map_.rootSize > INT32_MAX)
      Report(2, "the root size " + std::to_string(map_.rootSize) + " is above 2147483647, the most a scene can have");
    else if (map_.rootSize > fileLength_ + 2)
      Report(2, "the root size " + std::to_string(map_.rootSize) + " is more than the file's " +
                    Counted(fileLength_, "byte"));
    else
      rootHolds_ = true;
    if (rootHolds_) root_ = map_.rootSize;
    return true;
  }

  // A load reads chunks into the head until a section code follows one.
  bool MapHead(size_t& at) {
    uint16_t next = 0;
    do {
      if (at >= length_) {
        Report(at, "the file ends after the root header, before any chunk");
        return false;
      }
      const std::optional<MappedChunk> chunk = ChunkAt(at, length_, "the file");
      if (!chunk) return false;
      map_.heads.push_back(*chunk);
      at += chunk->bytes.Length();
      if (at >= length_) {
        Report(at, "the file ends after the head chunks, before any section");
        return false;
      }
      next = 0;
      file_.ReadU16(at, next);
    } while (SectionByCode(next) == nullptr);
    if (const SceneSection* section = SectionByCode(map_.heads.front().type))
      Report(kChunkHeaderSize,
             std::string("the first chunk is a section of ") + section->word +
                 ", which a load takes for a head chunk: its chunks are in no section",
             false);
    return true;
  }

  // As a load: sections while more than 2 bytes of the root are left.
  bool MapSections(size_t& at) {
    std::map<uint16_t, size_t> firstAt;
    while (root_ > at + 2) {
      const size_t start = at;
      uint16_t code = 0;
      uint32_t size = 0;
      file_.ReadU16(start, code);
      const bool sized = file_.ReadU32(start + 2, size);
      const SceneSection* section = SectionByCode(code);
      if (section == nullptr) {
        Report(start, "unknown section code " + Type(code) + "; the sections are " + SectionCodes());
        // Stepped over as a chunk when its size allows: what follows may still be read.
        if (!sized || size < kChunkHeaderSize || size > length_ - start) return false;
        at += size;
        continue;
      }
      const std::string word = section->word;
      if (!sized) {
        Report(start, "the header of a section of " + word + " is cut short by the end of the file");
        return false;
      }
      if (const auto [first, isNew] = firstAt.emplace(code, start); !isNew)
        Report(start,
               "a second section of " + word + ", after the one at offset " + std::to_string(first->second) +
                   ": a load puts the chunks of both into one list and a save writes them as one section",
               false);
      size_t end = start + kChunkHeaderSize;
      const char* within = "its section";
      if (static_cast<int32_t>(size) < static_cast<int32_t>(kChunkHeaderSize)) {
        Report(start,
               "the section of " + word + " has size " + std::to_string(static_cast<int32_t>(size)) +
                   ", less than its header: a load takes it as empty and reads on right after its header",
               false);
      } else if (size > length_ - start) {
        Report(start, "the section of " + word + " of size " + std::to_string(size) +
                          " runs past the end of the file by " + Counted(size - (length_ - start), "byte"));
        end = length_;
        within = "the file";
      } else {
        end = start + size;
      }
      MappedSection mapped{code, start, {}};
      for (at = start + kChunkHeaderSize; at < end;) {
        const std::optional<MappedChunk> chunk = ChunkAt(at, end, within);
        if (!chunk) break;
        mapped.chunks.push_back(*chunk);
        at += chunk->bytes.Length();
      }
      at = std::max(at, end);
      map_.sections.push_back(std::move(mapped));
    }
    return true;
  }

  // What lies between the last section and the root's end, and after it.
  void MapEnd(size_t at) {
    if (!rootHolds_) return;
    const size_t root = map_.rootSize;
    const std::string rootSize = "the root size " + std::to_string(root);
    if (at > root && at >= length_)
      Report(2, rootSize + " ends before the sections do, at offset " + std::to_string(at) + "; a save writes that",
             false);
    if (root > length_)
      Report(2, rootSize + " is " + Counted(root - length_, "byte") + " more than the file holds", false);
    if (std::min(root, length_) > at)
      Report(at,
             Counted(std::min(root, length_) - at, "byte") +
                 " at the root's end hold no section: a load leaves them out and a save drops them",
             false);
    if (const size_t reached = std::max(root, at); length_ > reached)
      Report(reached, Counted(length_ - reached, "byte") + " after the root's end");
  }

  ByteView file_;
  size_t length_;        // of the bytes read
  uint64_t fileLength_;  // of the file, more when only its root header was read
  // Where the root ends for the walk: at its size when a load takes that,
  // otherwise at the file's end.
  size_t root_ = 0;
  bool rootHolds_ = false;
  SceneMap map_;
};

}  // namespace

SceneMap MapScene(ByteView bytes, uint64_t fileLength) { return Mapper(bytes, fileLength).Map(); }

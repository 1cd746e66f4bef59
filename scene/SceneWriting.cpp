// Saving: the root header, the head chunks, then the sections in the fixed
// order objects, definitions, visual effects, init scripts. The sizes written
// are those of the bytes written, so every saved file loads again.

#include <string>

#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/FileReplacement.h"
#include "scene/Trace.h"
#include "scene/qScene2bin.h"

namespace {

void WriteChunkHeader(TStream& out, uint16_t type, uint32_t size) {
  out.WriteU16(type);
  out.WriteU32(size);
}

void WriteChunkList(TStream& out, const ChunkList& list) {
  list.ForEach([&out](const TMemoryStream& chunk) { out.Write(chunk.Data(), chunk.Length()); });
}

uint64_t ListLength(const ChunkList& list) {
  uint64_t length = 0;
  list.ForEach([&length](const TMemoryStream& chunk) { length += chunk.Length(); });
  return length;
}

// A section is written when its list holds a chunk; its size then covers every
// chunk it holds, whatever the document kept (two merged sections, deletions).
void WriteSection(TStream& out, uint16_t code, uint64_t sectionSize, const ChunkList& list) {
  if (list.Count() == 0) return;
  WriteChunkHeader(out, code, static_cast<uint32_t>(sectionSize));
  WriteChunkList(out, list);
}

}  // namespace

void TqScene2bin::WriteToStream(TStream& out) const {
  struct Section {
    uint16_t code;
    const ChunkList& list;
    uint64_t length;
  };
  const Section sections[] = {{kObjectsSection, objects, ListLength(objects)},
                              {kDefinitionsSection, definitions, ListLength(definitions)},
                              {kVisualEffectsSection, visualEffects, ListLength(visualEffects)},
                              {kInitScriptsSection, initScripts, ListLength(initScripts)}};

  uint64_t rootSize = kChunkHeaderSize + ListLength(heads);
  bool anySection = false;
  for (const Section& section : sections) {
    if (section.list.Count() == 0) continue;
    rootSize += kChunkHeaderSize + section.length;
    anySection = true;
  }
  // A file without any section fails to load at its head: keep one, empty.
  if (!anySection) rootSize += kChunkHeaderSize;
  if (rootSize > INT32_MAX) throw Exception(Exception::Code::Invalid, "the scene is too large for one file");

  WriteChunkHeader(out, kRootChunk, static_cast<uint32_t>(rootSize));
  WriteChunkList(out, heads);
  for (const Section& section : sections)
    WriteSection(out, section.code, kChunkHeaderSize + section.length, section.list);
  if (!anySection) WriteChunkHeader(out, kObjectsSection, kChunkHeaderSize);
}

bool TqScene2bin::WriteToFile(const std::string& FileName) {
  std::string reason;
  return WriteToFile(FileName, reason);
}

bool TqScene2bin::WriteToFile(const std::string& FileName, std::string& reason) {
  try {
    TFileReplacement file(FileName);
    WriteToStream(file.Stream());
    file.Commit();
    Trace("TqScene2bin.WriteToFile - done");
    return true;
  } catch (const FileWriteError& failure) {
    reason = failure.Reason;
    Trace("qScene2bin.WriteToFile: " + failure.Message);
  } catch (const std::exception& failure) {
    reason = FailureMessage(failure);
    Trace("qScene2bin.WriteToFile: " + reason);
  }
  return false;
}

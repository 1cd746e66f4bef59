#pragma once
// The scene document: one scene2.bin in memory, every top-level chunk held as
// the exact bytes read.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scene/ByteBlock.h"
#include "scene/ChunkList.h"
#include "scene/ChunkTypes.h"
#include "scene/DocumentUi.h"
#include "scene/Stream.h"

// <windows.h> maps GetObject to GetObjectA; the document's accessor keeps its name.
#ifdef GetObject
#undef GetObject
#endif

struct ImportTally {
  int replaced = 0;
  int added = 0;
};

class TqScene2bin {
 public:
  explicit TqScene2bin(DocumentUi& ui);
  TqScene2bin(const TqScene2bin&) = delete;
  TqScene2bin& operator=(const TqScene2bin&) = delete;
  virtual ~TqScene2bin();

  void clear();

  // Loading: true when the whole file was read. Never raises; every failure is
  // traced and the document keeps what was read. The loaded chunks are views
  // of the bytes taken in, which the document holds until the next clear.
  bool ReadFromFile(const std::string& FileName);
  // Takes in a copy of the rest of the stream.
  bool ReadFromStream(TStream& stream);
  bool ReadFromBlock(std::unique_ptr<ByteBlock> block);

  // Saving: true when the file was written whole. The file is replaced only
  // then (see TFileReplacement); the document never changes. `reason` gives
  // the system's reason for a failure, which the trace may word otherwise.
  bool WriteToFile(const std::string& FileName);
  bool WriteToFile(const std::string& FileName, std::string& reason);
  // The bytes that WriteToFile puts into the file. Raises Exception.
  void WriteToStream(TStream& stream) const;

  // The section list of an item chunk type; raises Exception for other types.
  ChunkList& SectionListByChunkID(uint16_t SectionID);
  const ChunkList& SectionListByChunkID(uint16_t SectionID) const;
  int32_t CountByChunkID(uint16_t SectionID);
  PStream GetObject(int32_t index) const { return Objects().At(index); }
  PStream GetDefinition(int32_t index) const { return Definitions().At(index); }
  PStream GetInitScript(int32_t index) const { return InitScripts().At(index); }
  PStream GetVisualEffect(int32_t index) const { return VisualEffects().At(index); }

  // Editing: each keeps the section size and the file size in step.
  int32_t DeleteDNC(PStream& Chunk);
  // Takes NewChunk over, except when it fails with a code other than 1.
  bool ReplaceChunkData(PStream& OldChunk, PStream NewChunk, std::string& NewName);
  // The same with the new chunk's ownership spelled out: moved into the list
  // on success, destroyed on a failure with code 1, otherwise left.
  bool ReplaceChunkData(PStream& OldChunk, std::unique_ptr<TMemoryStream>& NewChunk, std::string& NewName);
  bool RenameChunk(PStream& Chunk, std::string& newName);
  // Puts whole chunks of the four item types into their sections, in order.
  // Each replaces, in its place, the chunk of its section that has its name
  // (the k-th chunk of one name imported replaces the k-th chunk of that
  // name), or is added at the end when there is none or it has no name.
  // Takes the chunks over; one trace line each. Raises Exception, changing
  // nothing, when a chunk is of another type.
  ImportTally ImportDNC(std::vector<std::unique_ptr<TMemoryStream>> chunks);
  // Adds a new chunk of an item type at the end of its section, the sizes in
  // step, with one trace line; `name` is its name then. A name that a chunk
  // of that section has already is refused as ReplaceChunkData refuses it
  // (its box and trace line), and the chunk is destroyed. The chunk as the
  // section holds it, or null.
  PStream AddChunk(std::unique_ptr<TMemoryStream> chunk, std::string& name);

  const ChunkList& Heads() const { return heads; }
  const ChunkList& Objects() const { return SectionListByChunkID(kObjectChunk); }
  const ChunkList& Definitions() const { return SectionListByChunkID(kDefinitionChunk); }
  const ChunkList& InitScripts() const { return SectionListByChunkID(kInitScriptChunk); }
  const ChunkList& VisualEffects() const { return SectionListByChunkID(kVisualEffectChunk); }
  int32_t FileSize() const { return fileSize; }

 private:
  // The list of a section code, or null for a code that is none of the four.
  ChunkList* ListBySectionCode(uint16_t code);
  // Reads the scene from `block`, which the document keeps, the bytes of a
  // file of `fileLength` bytes (fewer when its root header was refused);
  // null when the file's bytes could not be had, for `error`.
  bool ReadBlock(std::unique_ptr<ByteBlock> block, uint64_t fileLength, const std::string& error);
  // The load's side of the walk of the block that the document holds: the
  // chunks read are views of it.
  class Loading;
  // Puts the chunk at the end of the list, its length added to the section
  // size and the file size; a section that was absent gets its header back.
  PStream AppendToSection(ChunkList& list, std::unique_ptr<TMemoryStream> chunk);

  DocumentUi& ui_;
  // What the loaded chunks are views of: released once the lists have let go.
  std::unique_ptr<ByteBlock> block_;
  ChunkList heads;
  // One list for each section, in the order of kSceneSections.
  std::array<ChunkList, kSceneSectionCount> sectionLists;
  int32_t fileSize = 0;
  std::unique_ptr<TOverwriteDialogBase> overwriteDialog_;
  std::unique_ptr<TStringDialogBase> stringDialog_;
};

std::unique_ptr<TqScene2bin> NewScene2bin(DocumentUi& ui);

// Reads the chunk that starts at the stream's position into a new chunk stream
// and leaves the stream just past it. The chunk must lie whole before `end`.
std::unique_ptr<TMemoryStream> ReadChunkFromStream(TStream& stream, uint16_t& type, uint32_t& size, int64_t end);

// Writes the chunk's bytes to the trace as hexadecimal pairs, each followed by
// a space, with no line end.
void DumpChunk(const TMemoryStream& chunk);

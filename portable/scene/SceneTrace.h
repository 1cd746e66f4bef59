#pragma once
// The scene document's trace: what the document tells its observer, worded
// as the lines that the editor's console and `scene2` have always shown. The
// core's messages are UTF-8; the trace, like the names in it, is
// Windows-1251.

#include "scene/DocumentEvents.h"

class SceneTrace final : public DocumentEvents {
 public:
  void Cleared() override;
  void LoadBegun() override;
  void HeadChunkRead(uint16_t type) override;
  void HeadRead() override;
  void SectionBegun(uint64_t codeEnd) override;
  void SectionSized(int32_t size) override;
  void SectionRead() override;
  void Loaded(const SceneDocument& document) override;
  void LoadFailed(const SceneError& error) override;
  void Saved() override;
  void SaveFailed(const SceneError& error) override;
  void Replacing(ByteView old) override;
  void Replaced(ByteView now) override;
  void Added(const std::string& what) override;
  void Imported(const std::string& what, bool replaced) override;
  void ImportRefused(const SceneError& error) override;
  void Undone(const std::string& what) override;
  void Redone(const std::string& what) override;
};

// "qScene2bin.OPERATION: " and the message.
void TraceRefusal(const char* operation, const SceneError& error);

// Writes the chunk's bytes to the trace as hexadecimal pairs, each followed by
// a space, with no line end.
void DumpChunk(ByteView chunk);

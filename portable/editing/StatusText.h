#pragma once
// The words of the editor's caption and status line: what it works on and
// what the last command did. Texts are UTF-8; names come in decoded.

#include <cstdint>
#include <string>
#include <string_view>

#include "editing/ChunkCommands.h"
#include "scene/SceneDocument.h"

// A number with a comma between each group of three digits: "12,564".
std::string Grouped(uint64_t number);
// A grouped count with its noun: "1 chunk", "12,564 chunks".
std::string CountedGrouped(uint64_t count, std::string_view noun);

// The file's name without its folder; empty for no file.
std::string ShownFileName(const std::string& path);
// "NAME* - Form1" while there are unsaved changes, "NAME - Form1" without,
// "Form1" for no file (an empty name).
std::string WindowCaption(const std::string& name, bool modified);
// The status line's first part: the name, with "*" while modified; "no file".
std::string FileStatus(const std::string& name, bool modified);
// "12,564 chunks, 3 checked".
std::string CountStatus(uint64_t chunks, uint64_t checked);
// The chunks of the document's four sections.
uint64_t SectionChunkCount(const SceneDocument& document);
// The checked chunk nodes below `node`, at any depth.
uint64_t CheckedChunkCount(const SceneNode& node);

// What the last command did, one phrase each.
std::string OpenedStatus(const std::string& name, uint64_t chunks);
std::string OpenFailedStatus(const std::string& name);
std::string SavedStatus(const std::string& name);
std::string SaveFailedStatus(const std::string& name);
std::string DeletedStatus(uint64_t chunks);
std::string DeleteCancelledStatus(uint64_t deleted);
// "delete selected" with nothing checked; the Delete key with nothing
// checked or selected.
std::string NothingCheckedStatus();
std::string NothingToDeleteStatus();
// "Exported 12 files", or where it was cancelled.
std::string ExportedStatus(const ExportTally& tally);
std::string ExportCancelledStatus(uint64_t done, uint64_t total);
std::string ImportedStatus(const ImportTally& tally);
std::string ImportCancelledStatus(uint64_t done, uint64_t total, const ImportTally& tally);
std::string RenamedStatus(const std::string& from, const std::string& to);
std::string CopiedStatus(uint64_t chunks);
std::string PastedStatus(uint64_t chunks);
std::string DuplicatedStatus(const std::string& from, const std::string& to);
// A value, bytes or a sound's settings typed over: `edit` as the history names it.
std::string ChangedStatus(const std::string& edit);
std::string AddedStatus(const std::string& edit);
std::string UndoneStatus(const std::string& edit);
std::string RedoneStatus(const std::string& edit);

#pragma once
// What the scene core's operations give back: their value, or a named error
// with its message in UTF-8 and, where a file failed, the system's reason.
// Names inside a message stay the bytes of the file.

#include <string>

#include "os/Result.h"

enum class SceneFault {
  // A load: the path names a folder, a device or a pipe; the file can't be
  // opened; its bytes can't be read; it does not begin as a scene does; its
  // head or a section fails the layout; bytes lie after the root's end.
  NotAFile,
  Unopenable,
  Unreadable,
  NotAScene,
  BadHead,
  BadSection,
  BytesAfterRoot,
  // A save: the file can't be written, or the scene is too large for one.
  Unwritable,
  // An edit: no chunk given, or one that no list of the document holds; a
  // chunk of no item type, or of another type than the one it replaces; a
  // name that another chunk of the section has; a chunk with no name
  // sub-chunk to rename.
  NoChunk,
  NotInDocument,
  NotAnItem,
  WrongType,
  NameTaken,
  NoNameSubChunk,
  // An import: a .dnc file that is not one whole chunk of an item type.
  DncRefused,
  // A paste: the clipboard's block is not one of copied chunks, or is broken.
  PasteRefused,
  // A value typed for a field of a chunk that the field can't take.
  BadValue,
};

// Why a chunk of no item type is in no section list, as the editor has always said it.
inline constexpr char kNotAnItemMessage[] = "qScene2bin.SectionListByChunkID: incorrect param SectionID";

struct SceneError {
  SceneFault fault;
  std::string message;      // UTF-8
  std::string reason = {};  // the system's, for a file that failed
};

template <typename T>
using Outcome = os::Result<T, SceneError>;
using os::Done;

#pragma once
// A .dnc file: one top-level chunk of a scene, byte for byte, alone in a file
// named by its type's prefix and its name.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "os/FileSystem.h"
#include "scene/ByteView.h"
#include "scene/NumberedNames.h"

inline constexpr char kDncExtension[] = ".dnc";

// Prefix, name and ".dnc": "Obj_crate.dnc" for an object named crate, the
// name's Windows-1251 bytes decoded (UTF-8, as every path is). The byte
// without a character keeps the name's bytes on Linux, which takes any, and
// becomes U+FFFD on Windows.
std::string DncFileName(uint16_t type, const std::string& name);
std::string DncFileName(ByteView chunk);

// A file name as Windows compares names, on every platform: every letter of
// Windows-1251 in lower case (FoldedCase), so that an export copied between
// systems means the same. Bytes that are no UTF-8 stay as they are.
std::string FoldedFileName(std::string_view fileName);

// Whether FoldedFileName folds `fileName` as Windows would: every character
// is one of Windows-1251.
bool FoldsLikeWindows(std::string_view fileName);

// Why `fileName` can't name a file inside a folder (a path separator, a drive
// or stream colon, another character Windows refuses, a device name), or an
// empty text when it can.
std::string FileNameFault(const std::string& fileName);

// Why `fileName` is longer than a file system takes (255 bytes of UTF-8 on
// Linux, 255 UTF-16 units on Windows), saying how long it is; an empty text
// when it is not.
std::string FileNameLengthFault(const std::string& fileName);

// The file names that one export gives: a name given already gets a number,
// "Obj_crate (2).dnc", "Obj_crate (3).dnc" and so on, names compared as
// Windows compares them, so that no chunk overwrites another.
class TDncFileNames : public NumberedNames {
 public:
  TDncFileNames() : NumberedNames(FoldedFileName, kDncExtension) {}
};

struct DncWrite {
  bool written = false;
  std::string fileName;  // inside the export's folder: the file written, or that could not be
  std::string error;     // why it could not be, in UTF-8
};

// One export into one folder. Each chunk is written the way a save is, so a
// file of the same name is replaced whole or not at all. The temporary files
// are made in a folder of their own inside, where a new name is cheap: Wine
// looks through the whole folder for every name that is not in it yet, and
// an export folder may hold thousands of files.
class TDncExport {
 public:
  // Makes `folder` (ending with a separator) with every missing folder above it.
  explicit TDncExport(std::string folder);
  TDncExport(const TDncExport&) = delete;
  TDncExport& operator=(const TDncExport&) = delete;
  ~TDncExport();

  const std::string& Folder() const { return folder_; }
  // Why the folder could not be made; empty when it is there.
  const std::string& FolderError() const { return folderError_; }
  // Writes the chunk under its .dnc name, numbered when this export has
  // given that name already, replacing a file of that name left by an
  // earlier export.
  DncWrite Write(ByteView chunk);

 private:
  // Whether something of this name may be in the folder, as Windows
  // compares names: ignoring case.
  bool MayExist(const std::string& fileName) const;

  std::string folder_;
  std::string folderError_;
  std::string temporaryFolder_;
  std::unique_ptr<os::TemporaryGuard> temporaryFolderGuard_;
  // What the folder held when the export began, and what it wrote since;
  // unknown when the folder could not be read, or when it held a name with a
  // character whose folding is not known here. Folded names.
  std::optional<std::unordered_set<std::string>> names_;
  TDncFileNames fileNames_;
};

#include "scene/DncExport.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "os/FileSystem.h"
#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/FileReplacement.h"
#include "scene/Utf8.h"
#include "scene/Windows1251.h"

namespace {

const char* PrefixOf(uint16_t type) {
  const SceneSection* section = SectionOfItemType(type);
  return section != nullptr ? section->filePrefix : "";
}

bool IsDeviceName(const std::string& fileName) {
  // Windows opens the device whatever the extension and trailing blanks or dots.
  std::string stem = fileName.substr(0, fileName.find('.'));
  while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.')) stem.pop_back();
  std::transform(stem.begin(), stem.end(), stem.begin(), [](unsigned char c) { return std::toupper(c); });
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || stem == "CONIN$" || stem == "CONOUT$")
    return true;
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         std::isdigit(static_cast<unsigned char>(stem[3]));
}

}  // namespace

std::string FoldedFileName(std::string_view fileName) {
  std::string folded;
  folded.reserve(fileName.size());
  for (size_t at = 0; at < fileName.size();) {
    if (const std::optional<char32_t> character = ReadUtf8(fileName, at))
      AppendUtf8(folded, FoldedCase(*character));
    else
      folded += fileName[at++];
  }
  return folded;
}

bool FoldsLikeWindows(std::string_view fileName) {
  for (size_t at = 0; at < fileName.size();) {
    const std::optional<char32_t> character = ReadUtf8(fileName, at);
    if (!character || !IsFoldingKnown(*character)) return false;
  }
  return true;
}

std::string DncFileName(uint16_t type, const std::string& name) {
  bool complete = true;
  std::string fileName = Utf8FromWindows1251(name, &complete);
#ifndef _WIN32
  // Linux takes any bytes, so no name is changed to fit.
  if (!complete) fileName = name;
#endif
  return PrefixOf(type) + fileName + kDncExtension;
}

std::string DncFileName(ByteView chunk) { return DncFileName(GetChunkType(chunk), ChunkName(chunk)); }

std::string FileNameFault(const std::string& fileName) {
  for (const char byte : fileName) {
    // Unsigned, so that the bytes above 0x7F are no control characters.
    const auto c = static_cast<unsigned char>(byte);
    if (c == '/' || c == '\\') return "the name holds a path separator";
    if (c == ':') return "the name holds a colon";
    if (c < 0x20 || std::strchr("<>\"|?*", c) != nullptr)
      return "the name holds a character that a file name can't hold";
  }
  if (IsDeviceName(fileName)) return "the name is a device name";
  return "";
}

std::string FileNameLengthFault(const std::string& fileName) {
  constexpr size_t kLongest = 255;
#ifdef _WIN32
  constexpr const char* kUnit = "UTF-16 units";
  const size_t length = Utf16Length(fileName);
#else
  constexpr const char* kUnit = "bytes";
  const size_t length = fileName.size();
#endif
  if (length <= kLongest) return "";
  return "the file name is " + std::to_string(length) + " " + kUnit + " long, and a file system takes " +
         std::to_string(kLongest) + " at most";
}

TDncExport::TDncExport(std::string folder) : folder_(std::move(folder)) {
  if (const os::Status made = os::CreateFolders(folder_); !made.ok()) {
    folderError_ = made.reason();
    return;
  }
  // Without a folder of their own, the temporary files go beside the targets.
  if (os::Result<os::TemporaryFolder> temporary = os::CreateTemporaryFolder(folder_); temporary.ok()) {
    temporaryFolder_ = temporary.value().path;
    temporaryFolderGuard_ = std::move(temporary.value().guard);
  }
  os::Result<std::vector<std::string>> names = os::ListFolder(folder_);
  if (!names.ok()) return;
  names_.emplace();
  for (const std::string& name : names.value()) {
    // Windows may take such a name for one of ours ("ı" for "i"): then any may be there.
    if (!FoldsLikeWindows(name)) {
      names_.reset();
      return;
    }
    names_->insert(FoldedFileName(name));
  }
}

TDncExport::~TDncExport() {
  // What can't be removed (a file of another program's inside) stays.
  if (!temporaryFolder_.empty()) static_cast<void>(os::RemoveFolder(temporaryFolder_));
}

bool TDncExport::MayExist(const std::string& fileName) const {
  return !names_ || !FoldsLikeWindows(fileName) || names_->contains(FoldedFileName(fileName));
}

DncWrite TDncExport::Write(ByteView chunk) {
  DncWrite result{false, fileNames_.Unused(DncFileName(chunk)), ""};
  result.error = FileNameFault(result.fileName);
  if (result.error.empty()) result.error = folderError_;
  if (!result.error.empty()) return result;
  try {
    TFileReplacement file(folder_ + result.fileName,
                          {.temporaryFolder = temporaryFolder_, .targetIsNew = !MayExist(result.fileName)});
    file.Stream().Write(chunk.Data(), chunk.Length());
    file.Commit();
    result.written = true;
    if (names_) names_->insert(FoldedFileName(result.fileName));
  } catch (const FileWriteError& failure) {
    result.error = failure.Reason;
  } catch (const std::exception& failure) {
    result.error = FailureMessage(failure);
  }
  return result;
}

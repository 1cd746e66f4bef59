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

constexpr char kExtension[] = ".dnc";

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

std::string FoldedFileName(std::string fileName) {
  for (char& c : fileName)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return fileName;
}

std::string DncFileName(uint16_t type, const std::string& name) {
  bool complete = true;
  std::string fileName = Utf8FromWindows1251(name, &complete);
  if (!complete) fileName = name;
  return PrefixOf(type) + fileName + kExtension;
}

std::string DncFileName(ByteView chunk) { return DncFileName(GetChunkType(chunk), GetChunkName(chunk)); }

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
  // The wide file functions count UTF-16 units.
  const size_t length = Utf16Length(fileName);
  constexpr const char* kUnit = "UTF-16 units";
#else
  const size_t length = fileName.size();
  constexpr const char* kUnit = "bytes";
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
  if (os::Result<std::string> temporary = os::CreateTemporaryFolder(folder_); temporary.ok())
    temporaryFolder_ = temporary.value();
  os::Result<std::vector<std::string>> names = os::ListFolder(folder_);
  if (!names.ok()) return;
  names_.emplace();
  for (const std::string& name : names.value()) names_->insert(FoldedFileName(name));
}

TDncExport::~TDncExport() {
  // What can't be removed (a file of another program's inside) stays.
  if (!temporaryFolder_.empty()) static_cast<void>(os::RemoveFolder(temporaryFolder_));
}

std::string TDncFileNames::Unused(const std::string& fileName) {
  const std::string stem = fileName.substr(0, fileName.size() - std::strlen(kExtension));
  std::string name = fileName;
  for (int number = 2; used_.contains(FoldedFileName(name)); ++number)
    name = stem + " (" + std::to_string(number) + ")" + kExtension;
  used_.insert(FoldedFileName(name));
  return name;
}

bool TDncExport::MayExist(const std::string& fileName) const {
  // Windows folds the case of other letters too, by rules not known here.
  const bool onlyAscii = std::all_of(fileName.begin(), fileName.end(), [](unsigned char c) { return c < 0x80; });
  return !names_ || !onlyAscii || names_->contains(FoldedFileName(fileName));
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

#include "scene/DncExport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "scene/ChunkCatalogue.h"
#include "scene/ChunkTypes.h"
#include "scene/Exception.h"
#include "scene/FileStream.h"

namespace {

const char* PrefixOf(uint16_t type) {
  switch (type) {
    case kObjectChunk:
      return "Obj_";
    case kDefinitionChunk:
      return "Dfn_";
    case kInitScriptChunk:
      return "InitSc_";
    case kVisualEffectChunk:
      return "VisEff_";
    default:
      return "";
  }
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

std::string DncFileName(TMemoryStream& chunk) { return PrefixOf(GetChunkType(chunk)) + GetChunkName(chunk) + ".dnc"; }

std::string FileNameFault(const std::string& fileName) {
  for (unsigned char c : fileName) {
    if (c == '/' || c == '\\') return "the name holds a path separator";
    if (c == ':') return "the name holds a colon";
    if (c < 0x20 || std::strchr("<>\"|?*", c) != nullptr)
      return "the name holds a character that a file name can't hold";
  }
  if (IsDeviceName(fileName)) return "the name is a device name";
  return "";
}

bool ExportChunk(TMemoryStream& chunk, const std::string& folder, std::string& error) {
  const std::string fileName = DncFileName(chunk);
  error = FileNameFault(fileName);
  if (!error.empty()) return false;
  const std::string path = folder + fileName;
  auto file = TFileStream::Create(path);
  if (!file) {
    error = std::string("cannot create the file: ") + std::strerror(errno);
    return false;
  }
  try {
    file->Write(chunk.Data(), chunk.Length());
    file->Commit();
    return true;
  } catch (const std::exception& failure) {
    file.reset();
    std::remove(path.c_str());
    error = FailureMessage(failure);
    return false;
  }
}

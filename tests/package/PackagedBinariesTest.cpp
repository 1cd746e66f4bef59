// Each program and the plug-in of the unpacked release: the version resource
// that Explorer shows, the manifest, and the editor's icon.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "os/WideText.h"
#include "tests/package/PackageFolder.h"
#include "toolkit/ModuleIcon.h"

namespace {

struct Binary {
  const char* name;
  DWORD fileType;
};
constexpr Binary kBinaries[] = {
    {"tool.exe", VFT_APP},
    {"Ambrel.dll", VFT_DLL},
    {"scene2.exe", VFT_APP},
    {"scenegen.exe", VFT_APP},
};

std::string VersionText(DWORD high, DWORD low) {
  return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." + std::to_string(HIWORD(low)) + "." +
         std::to_string(LOWORD(low));
}

// A value of the version resource's one string table, US English in UTF-16.
std::string VersionString(const std::vector<char>& info, const std::string& name) {
  const std::string key = "\\StringFileInfo\\040904B0\\" + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) return {};
  return value;
}

}  // namespace

TEST(PackagedBinaries, CarryTheProjectVersionAndTheirOwnNames) {
  for (const Binary& binary : kBinaries) {
    SCOPED_TRACE(binary.name);
    const std::string path = PackagePath(binary.name);
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeW(os::Widen(path).c_str(), &ignored));
    ASSERT_FALSE(info.empty()) << "no version resource";
    ASSERT_TRUE(GetFileVersionInfoW(os::Widen(path).c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size));

    EXPECT_EQ(VersionText(fixed->dwFileVersionMS, fixed->dwFileVersionLS), SCENE2_VERSION ".0");
    EXPECT_EQ(VersionText(fixed->dwProductVersionMS, fixed->dwProductVersionLS), SCENE2_VERSION ".0");
    EXPECT_EQ(fixed->dwFileType, binary.fileType);
    EXPECT_EQ(VersionString(info, "FileVersion"), SCENE2_VERSION);
    EXPECT_EQ(VersionString(info, "ProductVersion"), SCENE2_VERSION);
    EXPECT_EQ(VersionString(info, "ProductName"), "scene2 tools");
    EXPECT_EQ(VersionString(info, "OriginalFilename"), binary.name);
    EXPECT_EQ(VersionString(info, "LegalCopyright"), "Copyright (c) 2026 the scene2 tools authors");
    EXPECT_FALSE(VersionString(info, "FileDescription").empty());
  }
}

TEST(PackagedBinaries, TheEditorHasAnIconOfItsOwn) {
  HMODULE tool = LoadLibraryExW(os::Widen(PackagePath("tool.exe")).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(tool, nullptr);
  EXPECT_NE(FindResourceA(tool, MAKEINTRESOURCEA(TOOLKIT_MODULE_ICON), RT_GROUP_ICON), nullptr);
  FreeLibrary(tool);
}

// The manifest: the common controls of version 6, the Windows versions from
// Vista on, no elevation; where Windows looks for a program's and a library's.
TEST(PackagedBinaries, CarryAnApplicationManifest) {
  for (const Binary& binary : kBinaries) {
    SCOPED_TRACE(binary.name);
    HMODULE module = LoadLibraryExW(os::Widen(PackagePath(binary.name)).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const WORD id = binary.fileType == VFT_DLL ? 2 : 1;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string manifest(bytes, SizeofResource(module, found));
    for (const char* part :
         {"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "{e2011457-1546-43c5-a5fe-008deee3d3f0}",
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "level=\"asInvoker\""})
      EXPECT_NE(manifest.find(part), std::string::npos) << part;
    FreeLibrary(module);
  }
}

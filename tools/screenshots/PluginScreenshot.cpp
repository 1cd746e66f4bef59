// Shows the sound dialog for a sample sound object, as a host would, so that
// a screenshot can be taken of it: writes the dialog's screen rectangle
// ("left top width height") to the file named on the command line once the
// dialog shows, and cancels the dialog when that file is deleted.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "sound/SoundWriting.h"
#include "tools/gui/AmbrelLibrary.h"
#include "tools/gui/DialogDriver.h"
#include "tools/gui/HostWindow.h"
#include "tools/gui/Input.h"
#include "tools/gui/MessageBoxes.h"
#include "tools/gui/WindowSearch.h"

namespace {

SoundFields SampleSound() {
  SoundFields fields;
  fields.Name = std::string("rain on roof\0", 13);
  fields.Position = {"1204.5", "-36.25", "87"};
  fields.Rotation = {"0.7071", "0", "0.7071", "0"};
  fields.Scale = {"1", "1", "1"};
  fields.ParentSector = "market square";
  fields.SoundFile = "ambient\\rain_roof.wav";
  fields.SoundType = 0;
  fields.Volume = 40;
  fields.ConstRadius = "12.5";
  fields.DecreaseRadius = "60";
  fields.MinLevel = 5;
  fields.MaxLevel = 35;
  fields.Speed = "1";
  fields.SoundSector = "arcade";
  return fields;
}

void ShowWhileMarked(DWORD hostThread, const char* marker) {
  HWND dialog = WaitForThreadWindow(hostThread, OfClass(kFormClass));
  if (dialog == nullptr) return;
  std::this_thread::sleep_for(std::chrono::milliseconds(500));  // let every control paint
  RECT shown{};
  GetWindowRect(dialog, &shown);
  if (FILE* file = std::fopen(marker, "w")) {
    std::fprintf(file, "%ld %ld %ld %ld\n", shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top);
    std::fclose(file);
  }
  while (GetFileAttributesA(marker) != INVALID_FILE_ATTRIBUTES)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: ambrel_screenshot_host MARKER-FILE\n");
    return 2;
  }
  const AmbrelLibrary library;
  if (!library.Loaded()) {
    std::fprintf(stderr, "Ambrel.dll or its exports not found\n");
    return 1;
  }
  const auto sample = WriteSoundObject(SampleSound(), [](size_t length) { return std::malloc(length); });
  if (!sample) return 1;
  const HostWindow host({20, 40, 320, 560});
  HWND hostWindow = host.Handle();
  library.Init()(&hostWindow);

  uint8_t* chunk = sample->Data;
  int32_t size = sample->Size;
  const DWORD hostThread = GetCurrentThreadId();
  DialogDriver driver(hostThread, [&] { ShowWhileMarked(hostThread, argv[1]); });
  library.EditSound()(&chunk, &size);
  driver.HostReturned();
  std::free(sample->Data);
  return 0;
}

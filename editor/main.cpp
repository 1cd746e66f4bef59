// tool.exe: the scene editor. Start-up in this order: the trace console and
// its first line, the application, the main window with its document; then
// the message loop until the main window is closed.
#include <windows.h>

#include "editor/ConsoleTrace.h"
#include "editor/Form1.h"
#include "toolkit/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ConsoleTrace trace;
  toolkit::Application application("tool");
  TForm1 form1(application);
  form1.Show();
  return application.Run();
}

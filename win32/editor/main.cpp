// tool.exe: the scene editor. Start-up in this order: the trace console and
// its first line, the application, the main window with its document, the
// console moved beside it and asking before it ends the editor, the scenes
// kept of editors that ended with unsaved changes, the scene named on the
// command line if any; then the message loop until the main window is
// closed. A main window that can't be made ends the program
// with a box that says why.
#include <windows.h>

#include <exception>

#include "editor/ConsoleQuestion.h"
#include "editor/ConsoleTrace.h"
#include "editor/Form1.h"
#include "toolkit/Application.h"
#include "toolkit/Console.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ShellPaths.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ConsoleTrace trace;
  toolkit::Application application("tool");
  try {
    TForm1 form1(application);
    form1.Show();
    toolkit::Console::Open().PlaceBeside(form1.Handle());
    const ConsoleQuestion question(form1.Handle(), [&form1] { form1.Recovery().Finish(); });
    form1.RecoverLeftScenes();
    // A double-click on a scene, "Open with" or a drop on the program's icon.
    if (const auto arguments = toolkit::CommandLineArguments(); !arguments.empty())
      form1.OpenGivenFile(arguments.front());
    return application.Run();
  } catch (const std::exception& failure) {
    toolkit::ShowMessageBox(nullptr, failure.what(), application.Caption(), MB_ICONERROR);
    return 1;
  }
}

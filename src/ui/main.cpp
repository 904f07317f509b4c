// drivesim: the simulator's two windows. Start-up initialises the
// application, creates the main window (which sets the simulation up and
// draws the first picture), creates the hidden instructions window and runs
// the event loop until the main window is closed; both windows are then
// destroyed, the instructions window too when it is open. A scenario file
// named on the command line ("drivesim lab3.drivesim") is opened once the
// windows are there.
#include <QCoreApplication>
#include <QLocale>
#include <QTimer>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/ProgramSettings.h"
#include "mechanism/Gears.h"
#include "platform/Application.h"
#include "platform/Graphics.h"
#include "platform/Translate.h"
#include "ui/ProgramIcon.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

// A window can open when the user chose a windowing platform explicitly or
// an X or Wayland display is there to show it.
bool WindowCanOpen() {
  return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
  using namespace drivesim;
  if (!WindowCanOpen()) {
    std::fputs(
        "drivesim: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); "
        "drivesim-batch runs the simulation without one (drivesim-batch --help).\n",
        stderr);
    return 1;
  }

  Application().Initialize(argc, argv);
  // The windows speak the language of the system's locale (LANG, LC_ALL)
  // where the program has a translation into it, English otherwise.
  InstallTranslations(QLocale::system().name().toStdString());
  // Where the remembered settings live: ~/.config/DriveSim/drivesim.conf.
  NameProgramSettings();
  // The title comes from the program file's name, every letter after the
  // first in lower case. Program files are lower case here, so the first
  // letter takes the capital the name carries elsewhere: "Drivesim".
  std::string title = Application().Title();
  if (!title.empty())
    title[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(title[0])));
  Application().SetTitle(title);

  int exitCode = 0;
  {
    TBitmap icon;
    DrawProgramIcon(icon);
    Application().SetIcon(icon);
    // The first form created is the main form: closing it ends the loop.
    // Both windows (the instructions window too when it is open) and the
    // icon's picture go at the end of this block, before the application is
    // finalised.
    TForm1 form1(ProgramModel(), ProgramHistory(), ProgramGears());
    TForm2 form2;
    form1.SetInstructionsWindow(&form2);
    form1.RememberLayout = true;
    // The arguments Qt has not taken: a scenario, opened at the first turn
    // of the event loop, once the main window shows.
    if (argc > 1) {
      const std::string path = argv[1];
      QTimer::singleShot(
          0, [&form1, path] { RunGuarded([&form1, &path] { form1.OpenScenario(path); }); });
    }
    exitCode = Application().Run();
  }
  Application().Finalize();
  return exitCode;
}

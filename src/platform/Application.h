#pragma once
// The application object: the event loop, the main window (the first form
// created), the application title, and the one guard through which every
// event handler and timer tick runs. An exception that escapes a handler ends
// that handler only; the guard shows it in the error box and the program goes
// on.

#include <functional>
#include <memory>
#include <string>

class QApplication;
class QObject;

namespace drivesim {

class TBitmap;
class TForm;

class TApplication {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Creates the platform's application object unless one exists already (as
  // in the test suites), maps the layout fonts to their substitutes, reads
  // the locale's separators (again whenever the system reports a change of
  // settings) and derives the title from the program file's name. argc and
  // argv must stay valid until Finalize.
  void Initialize(int& argc, char** argv);

  // Ends what Initialize began: stops watching for changed settings and
  // destroys the platform's application object if Initialize created it (one
  // that existed before is left alone). Every form must be destroyed before.
  // The program calls it before main returns: the platform's application
  // object cannot be destroyed once the program's static objects are going,
  // since the platform's own globals may be gone by then. Initialize may be
  // called again afterwards.
  void Finalize();
  // Whether Initialize created the platform's application object and
  // Finalize has not destroyed it yet.
  bool OwnsPlatformApplication() const { return fOwnApplication != nullptr; }

  // The title, the caption of the error box. Unless set, it is derived from
  // the program file's name (TitleFromFileName).
  std::string Title() const;
  void SetTitle(const std::string& title);

  // The first form created is the main form; closing it ends the event loop.
  TForm* MainForm() const { return fMainForm; }

  // Shows the main form and runs the event loop until the main form closes
  // (or Terminate is called). Returns the loop's exit code.
  int Run();
  // Ends a running event loop; does nothing when no loop runs.
  void Terminate();
  bool Running() const { return fRunning; }

  // Gives every window the icon (a 32 x 32 picture).
  void SetIcon(const TBitmap& icon);

  // Called by every form when it is created and destroyed. The application
  // knows a form only by its address and by how to show it, which Run does
  // for the main form; it needs nothing else of the controls.
  void FormCreated(TForm* form, std::function<void()> show);
  void FormDestroyed(TForm* form);

 private:
  std::unique_ptr<QApplication> fOwnApplication;
  std::unique_ptr<QObject> fSettingsWatcher;
  std::string fTitle;
  TForm* fMainForm = nullptr;  // not owned
  std::function<void()> fShowMainForm;
  bool fRunning = false;
};

// The program's one application object.
TApplication& Application();

// The application title for a program file: the name without its directory
// and without everything from its first "." on, every letter after the first
// in lower case ("/opt/bin/DRIVESIM.EXE" gives "Drivesim").
std::string TitleFromFileName(const std::string& path);

// The error box's text for an exception message: a period is appended when
// the message's last character sorts after "." in character code order.
std::string ErrorBoxText(const std::string& message);

// Runs the action; an Exception or std::exception escaping it is shown in the
// error box (text with the period rule, caption = application title, error
// icon, one OK button) and goes no further.
void RunGuarded(const std::function<void()>& action);

// The guard for work done inside a window's paint: the error box cannot open
// in the middle of a paint, so it is shown as soon as the paint has ended.
void RunGuardedInPaint(const std::function<void()>& action);

// Shows the error box for a message exactly as the guard does.
void ShowErrorBox(const std::string& message);

// Who shows the error box. The default opens a modal message box (its own
// event loop keeps dispatching events, timer ticks included); tests install a
// presenter that records the texts. An empty function restores the default.
using TErrorBoxPresenter = std::function<void(const std::string& text, const std::string& caption)>;
void SetErrorBoxPresenter(TErrorBoxPresenter presenter);

// The platform's warning sound for a refused key. Every beep is counted, so
// that tests can observe it.
void Beep();
int BeepCount();

}  // namespace drivesim

#pragma once
// The main window: the drive's parameters, the tooth-count and setpoint spin
// edits and the five buttons on the left, the mechanism picture above the
// oscilloscope on the right. Its handlers read the inputs into the drive
// model, start and stop the 20 ms simulation timer whose ticks do the work,
// change the gear pair and show the instructions window.
//
// The simulation is Running while Timer1 is enabled and Stopped otherwise;
// no other flag records it.

#include <memory>
#include <optional>
#include <string>

#include "analysis/WindowRun.h"
#include "files/Scenario.h"
#include "platform/Controls.h"
#include "platform/Menus.h"
#include "platform/SpinEdit.h"
#include "platform/Timer.h"

namespace drivesim {

struct DriveModel;
struct GearPair;
struct TimeHistory;
class TChart;
class TLineSeries;
class TPanelControl;
class TForm2;
class TLabWindow;
class TGuideWindow;
class TExplorerWindow;

// The program's simulation records, alive for the whole run: the drive
// model and the time history of the oscilloscope. The gear pair is
// ProgramGears(). Tests make their own records and give them to the window.
DriveModel& ProgramModel();
TimeHistory& ProgramHistory();

class TForm1 : public TForm {
 public:
  // Builds the window with every control from its layout and runs FormCreate
  // (through the guard) once they all exist. The window works on the given
  // records, which it does not own and which must outlive it. The edits'
  // default texts are written with the locale's decimal separator as it is
  // at this moment.
  TForm1(DriveModel& model, TimeHistory& history, GearPair& gears);
  ~TForm1() override;

  // The window "Help" shows (not owned; it is created after this window).
  TForm2* InstructionsWindow() const { return fInstructionsWindow; }
  void SetInstructionsWindow(TForm2* form) { fInstructionsWindow = form; }

  // The handlers. Each raises the exception that ends it; the controls and
  // the timer call them through the application's guard, which shows the
  // error box.
  void FormCreate();
  void Button2Click();  // "Process"
  void Button3Click();  // "Pause"
  void Button5Click();  // "Reset"
  void Button1Click();  // "Exit"
  void Button4Click();  // "Help"
  void SpinEdit1Change();
  void SpinEdit2Change();
  void Timer1Timer();

  // The menu's commands (Unit1Menu.cpp).
  void SaveOscilloscopePicture1Click();  // File > Save oscilloscope picture…
  void SaveRunAsCsv1Click();             // File > Save run as CSV…
  void ExportLabReport1Click();          // File > Export lab report (PDF)…
  void Exit1Click();                     // File > Exit, as "Exit"
  void QualityOfRegulation1Click();      // Lab > Quality of regulation…
  void ExploreFeedback1Click();          // Lab > Explore the feedback coefficient…
  void Instructions1Click();             // Help > Instructions, as "Help"
  // Scenarios and settings (Unit1Scenario.cpp).
  void OpenScenario1Click();   // File > Open scenario…
  void SaveScenario1Click();   // File > Save scenario…
  void ResetSettings1Click();  // Help > Reset settings

  // Opens the scenario file at path: its inputs fill the edits and spin
  // edits (waiting for "Process", as typing them would), its kept runs,
  // task and sweep settings the lab, which opens. A file that cannot be
  // read, or kept runs "Process" would refuse, raise EScenarioError with
  // nothing changed.
  void OpenScenario(const std::string& path);
  void ApplyScenario(const Scenario& scenario);
  // The scenario as the windows hold it now. Raises for an edit or a sweep
  // field that cannot be read.
  Scenario CurrentScenario() const;
  // Writes the scenario to path and takes it as saved.
  void SaveScenario(const std::string& path);
  // Whether leaving now would lose kept runs or changes to the scenario
  // since it was opened or saved.
  bool ScenarioUnsaved() const;
  // Asked before the window closes: with unsaved work, Save / Discard /
  // Cancel; false keeps the program running.
  bool CloseQuery();
  // The file of the scenario opened or saved last; empty for none.
  const std::string& ScenarioPath() const { return fScenarioPath; }
  // Fills File > Recent scenarios from the remembered list.
  void UpdateRecentScenarios();
  // The lab window's place, size and splitters are remembered between
  // starts when this is set (the program sets it; tests choose).
  bool RememberLayout = false;
  void UserGuide1Click();  // Help > User guide

  // The inputs as the controls hold them, read as "Process" reads them
  // (raising what it would raise) but stored nowhere: the seven edits, the
  // tooth count the gears are set up for and the setpoint spin edit.
  DriveInputs EnteredInputs() const;

  // The record of the run since "Process" after start-up or "Reset", and
  // the step response measured on it.
  const WindowRun& Run() const { return fRun; }
  // The "Quality of regulation" window, made when the menu first opens it.
  TLabWindow* LabWindow() const { return fLabWindow.get(); }
  // The user guide's window, made when the menu first opens it.
  TGuideWindow* GuideWindow() const { return fGuideWindow.get(); }
  // The explorer window, made when the menu first opens it.
  TExplorerWindow* ExplorerWindow() const { return fExplorerWindow.get(); }
  // Enters a setting into the controls as the student would type it (the
  // seven edits, the tooth count, the setpoint), then "Reset" and
  // "Process": the drive runs from rest with it. The explorer's "Run on
  // the drive".
  void RunSetting(const DriveInputs& inputs);

  // True while the simulation timer runs.
  bool Running() const { return Timer1->Enabled(); }

  DriveModel& Model;
  TimeHistory& History;
  GearPair& Gears;

  // The controls, in the window's stored order.
  std::unique_ptr<TPanel> Panel1;
  std::unique_ptr<TLabel> Label1;
  std::unique_ptr<TLabel> Label4;
  std::unique_ptr<TLabel> Label5;
  std::unique_ptr<TEdit> Edit1;
  std::unique_ptr<TLabel> Label6;
  std::unique_ptr<TEdit> Edit2;
  std::unique_ptr<TLabel> Label7;
  std::unique_ptr<TLabel> Label8;
  std::unique_ptr<TEdit> Edit3;
  std::unique_ptr<TLabel> Label9;
  std::unique_ptr<TLabel> Label15;
  std::unique_ptr<TEdit> Edit4;
  std::unique_ptr<TLabel> Label10;
  std::unique_ptr<TLabel> Label11;
  std::unique_ptr<TLabel> Label17;
  std::unique_ptr<TEdit> Edit5;
  std::unique_ptr<TLabel> Label12;
  std::unique_ptr<TLabel> Label16;
  std::unique_ptr<TEdit> Edit6;
  std::unique_ptr<TPanel> Panel2;
  std::unique_ptr<TLabel> Label13;
  std::unique_ptr<TLabel> Label14;
  std::unique_ptr<TEdit> Edit7;
  std::unique_ptr<TLabel> Label3;
  std::unique_ptr<TSpinEdit> SpinEdit2;
  std::unique_ptr<TLabel> Label2;
  std::unique_ptr<TSpinEdit> SpinEdit1;
  std::unique_ptr<TButton> Button2;
  std::unique_ptr<TButton> Button3;
  std::unique_ptr<TButton> Button5;
  std::unique_ptr<TButton> Button1;
  std::unique_ptr<TLabel> Label18;
  std::unique_ptr<TButton> Button4;
  std::unique_ptr<TImage> Image1;
  // The oscilloscope. The series are declared after the chart, so that they
  // leave it before it goes; Chart1Control places the chart among the
  // window's controls (tab order 4, no tab stop) and goes first.
  std::unique_ptr<TChart> Chart1;
  std::unique_ptr<TLineSeries> Series1;  // load velocity
  std::unique_ptr<TLineSeries> Series2;  // setpoint
  std::unique_ptr<TPanelControl> Chart1Control;
  std::unique_ptr<TTimer> Timer1;

  // The menu bar above the client area: File, Lab, Help. The items are
  // the menu's.
  std::unique_ptr<TMainMenu> MainMenu1;
  TMenuItem* SaveOscilloscopePicture1 = nullptr;
  TMenuItem* SaveRunAsCsv1 = nullptr;
  TMenuItem* ExportLabReport1 = nullptr;
  TMenuItem* Exit1 = nullptr;
  TMenuItem* QualityOfRegulation1 = nullptr;
  TMenuItem* ExploreFeedback1 = nullptr;
  TMenuItem* Instructions1 = nullptr;
  TMenuItem* OpenScenario1 = nullptr;
  TMenuItem* SaveScenario1 = nullptr;
  TMenuItem* RecentScenarios1 = nullptr;  // the submenu
  TMenuItem* ResetSettings1 = nullptr;
  TMenuItem* UserGuide1 = nullptr;

 private:
  void CreateMainMenu();
  // The scenario's range of k and design targets into the explorer.
  void ShowScenarioDesign();
  // The lab window follows the run, when it is open.
  void RunChanged();
  // Makes the lab window when it does not exist yet.
  TLabWindow& EnsureLabWindow();

  TForm2* fInstructionsWindow = nullptr;  // not owned
  WindowRun fRun;
  std::unique_ptr<TLabWindow> fLabWindow;
  // The parts of the scenario only a file sets: title, task, the explorer's
  // range and targets, and the sweep settings while the lab is not open.
  Scenario fScenario;
  std::optional<Scenario> fSavedScenario;  // as opened or saved last
  std::string fScenarioPath;
  std::unique_ptr<TGuideWindow> fGuideWindow;
  std::unique_ptr<TExplorerWindow> fExplorerWindow;
};

}  // namespace drivesim

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

#include "platform/Controls.h"
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

 private:
  TForm2* fInstructionsWindow = nullptr;  // not owned
};

}  // namespace drivesim

#include "ui/Unit1.h"

#include <string>

#include "analysis/Sweep.h"
#include "chart/Chart.h"
#include "chart/Series.h"
#include "files/OutputFiles.h"
#include "files/ProgramSettings.h"
#include "files/Scenario.h"
#include "lab/ExplorerWindow.h"
#include "lab/LabWindow.h"
#include "mechanism/Gears.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Application.h"
#include "platform/Canvas.h"
#include "platform/Exceptions.h"
#include "platform/Numbers.h"
#include "platform/Translate.h"
#include "sim/DriveModel.h"
#include "sim/SimulationTick.h"
#include "sim/TimeHistory.h"
#include "ui/GuideWindow.h"
#include "ui/OscilloscopeLayout.h"
#include "ui/PanelControl.h"
#include "ui/Unit2.h"

namespace drivesim {

namespace {

// The window: outer size and screen position, pixels.
constexpr int kFormLeft = 201;
constexpr int kFormTop = 116;
constexpr int kFormWidth = 631;
constexpr int kFormHeight = 540;

// The layout's one face; the platform shows it as Liberation Sans, which
// has the same metrics on every machine.
constexpr const char* kFontName = "MS Sans Serif";
// The window font is 8 points (11 pixels); the inputs and their captions are
// 10 points (13 pixels).
constexpr int kWindowFontHeight = -11;
constexpr int kInputFontHeight = -13;

// The fonts of the layout: the window font (W), the 10-point regular (R) and
// bold (B) fonts, and the window font in grey (G).
enum TLayoutFont { lfWindow, lfRegular, lfBold, lfGray };

// The simulation timer's period, ms.
constexpr unsigned kTimerInterval = 20;

// The tooth count the gears are set up for when the window is created; the
// tooth-count spin edit starts at the same value.
constexpr int kInitialLoadTeeth = 42;

// The spin edits' ranges.
constexpr int kTeethMin = 8;
constexpr int kTeethMax = 48;
constexpr int kTeethIncrement = 2;
constexpr int kSetpointMin = 0;
constexpr int kSetpointMax = 300;
constexpr int kSetpointIncrement = 10;

void ApplyLayoutFont(TControl& control, TLayoutFont font) {
  if (font == lfWindow) return;  // the parent's font
  TFont& f = control.Font();
  f.SetName(kFontName);
  f.SetHeight(font == lfGray ? kWindowFontHeight : kInputFontHeight);
  f.SetStyle(font == lfBold ? fsBold : 0);
  f.SetColor(font == lfGray ? clGray : clWindowText);
}

std::unique_ptr<TLabel> MakeLabel(TWinControl* parent, int left, int top,
                                  const std::string& caption, TLayoutFont font) {
  auto label = std::make_unique<TLabel>(parent);
  label->SetBounds(left, top, label->Width(), label->Height());
  ApplyLayoutFont(*label, font);
  label->SetCaption(caption);
  return label;
}

std::unique_ptr<TEdit> MakeEdit(TWinControl* parent, int left, int top, int width,
                                const std::string& text) {
  constexpr int kEditHeight = 24;
  auto edit = std::make_unique<TEdit>(parent);
  edit->SetBounds(left, top, width, kEditHeight);
  ApplyLayoutFont(*edit, lfRegular);
  edit->SetText(text);
  return edit;
}

std::unique_ptr<TButton> MakeButton(TWinControl* parent, int left, int top,
                                    const std::string& caption) {
  constexpr int kButtonWidth = 65;
  constexpr int kButtonHeight = 25;
  auto button = std::make_unique<TButton>(parent);
  button->SetBounds(left, top, kButtonWidth, kButtonHeight);
  ApplyLayoutFont(*button, lfRegular);
  button->SetCaption(caption);
  return button;
}

std::unique_ptr<TSpinEdit> MakeSpinEdit(TWinControl* parent, int left, int top, int minValue,
                                        int maxValue, int increment, int value) {
  constexpr int kSpinWidth = 49;
  constexpr int kSpinHeight = 26;
  auto spin = std::make_unique<TSpinEdit>(parent);
  spin->SetBounds(left, top, kSpinWidth, kSpinHeight);
  ApplyLayoutFont(*spin, lfRegular);
  spin->SetMinValue(minValue);
  spin->SetMaxValue(maxValue);
  spin->SetIncrement(increment);
  spin->SetValue(value);
  return spin;
}

std::unique_ptr<TPanel> MakePanel(TWinControl* parent, int left, int top, int width, int height) {
  auto panel = std::make_unique<TPanel>(parent);
  panel->SetBounds(left, top, width, height);
  return panel;
}

// The left of the raised "2" after a caption ending in "kgm": where the
// English caption ends, or, where a translation makes the caption longer
// or shorter, right after the translated text.
int ExponentLeft(const TLabel& caption) {
  constexpr int kEnglishExponentLeft = 142;
  if (caption.Caption() == "Moment of inertia, kgm") return kEnglishExponentLeft;
  return caption.Left() + caption.Width();
}

// A real number written with the user's decimal separator: "0,006" where the
// separator is a comma, "0.006" where it is a point.
std::string LocalNumber(const char* integerPart, const char* fraction) {
  return std::string(integerPart) + DecimalSeparator() + fraction;
}

}  // namespace

DriveModel& ProgramModel() {
  static DriveModel model;
  return model;
}

TimeHistory& ProgramHistory() {
  static TimeHistory history;
  return history;
}

TForm1::TForm1(DriveModel& model, TimeHistory& history, GearPair& gears)
    : Model(model), History(history), Gears(gears) {
  SetCaption(
      Tr("TForm1", "The influence of the feedback coefficient on the quality of regulation"));
  SetBounds(kFormLeft, kFormTop, kFormWidth, kFormHeight);
  // The error boxes show a scenario's messages translated too.
  AddMessagePatterns(ScenarioMessagePatterns());
  AddMessagePatterns(OutputFileMessagePatterns());
  AddMessagePatterns(SweepMessagePatterns());
  Font().SetName(kFontName);
  Font().SetHeight(kWindowFontHeight);
  Font().SetStyle(0);
  Font().SetColor(clWindowText);

  // The parameter inputs.
  Panel1 = MakePanel(this, 8, 8, 241, 265);
  Label1 = MakeLabel(Panel1.get(), 72, 8, Tr("TForm1", "INITIAL DATA"), lfBold);
  Label4 = MakeLabel(Panel1.get(), 40, 32, Tr("TForm1", "Converter-amplifier"), lfBold);
  Label5 = MakeLabel(Panel1.get(), 8, 56, Tr("TForm1", "Gain"), lfRegular);
  Edit1 = MakeEdit(Panel1.get(), 184, 48, 41, "10");
  Label6 = MakeLabel(Panel1.get(), 8, 88, Tr("TForm1", "Time constant, s"), lfRegular);
  Edit2 = MakeEdit(Panel1.get(), 184, 80, 41, LocalNumber("0", "006"));
  Label7 = MakeLabel(Panel1.get(), 88, 112, Tr("TForm1", "Motor"), lfBold);
  Label8 = MakeLabel(Panel1.get(), 8, 128, Tr("TForm1", "Coefficient, rad/sV"), lfRegular);
  Edit3 = MakeEdit(Panel1.get(), 184, 120, 41, LocalNumber("1", "4"));
  Label9 = MakeLabel(Panel1.get(), 8, 152, Tr("TForm1", "Moment of inertia, kgm"), lfRegular);
  // The raised "2" right after "kgm": the exponent of kg*m^2.
  Label15 = MakeLabel(Panel1.get(), ExponentLeft(*Label9), 146, "2", lfWindow);
  Edit4 = MakeEdit(Panel1.get(), 184, 152, 41, LocalNumber("0", "021"));
  Label10 = MakeLabel(Panel1.get(), 88, 176, Tr("TForm1", "Load"), lfBold);
  Label11 = MakeLabel(Panel1.get(), 8, 200, Tr("TForm1", "Moment of inertia, kgm"), lfRegular);
  Label17 = MakeLabel(Panel1.get(), ExponentLeft(*Label11), 196, "2", lfWindow);
  Edit5 = MakeEdit(Panel1.get(), 184, 192, 41, LocalNumber("0", "3"));
  // One caption on two lines.
  Label12 = MakeLabel(Panel1.get(), 8, 224, Tr("TForm1", "Coefficient of viscous"), lfRegular);
  Label16 = MakeLabel(Panel1.get(), 8, 240, Tr("TForm1", "friction, Nms/rad"), lfRegular);
  Edit6 = MakeEdit(Panel1.get(), 184, 224, 41, LocalNumber("1", "6"));

  // The feedback coefficient.
  Panel2 = MakePanel(this, 8, 280, 241, 57);
  Label13 = MakeLabel(Panel2.get(), 80, 8, Tr("TForm1", "Feedback"), lfBold);
  Label14 = MakeLabel(Panel2.get(), 16, 32, Tr("TForm1", "Coefficient, Vs/rad"), lfRegular);
  Edit7 = MakeEdit(Panel2.get(), 176, 24, 49, "1");

  // The setpoint and the tooth count. Their initial values are in place
  // before their change handlers are wired, so neither runs at start-up.
  Label3 = MakeLabel(this, 8, 360, Tr("TForm1", "Preset velocity of load, rad/s"), lfRegular);
  SpinEdit2 = MakeSpinEdit(this, 192, 352, kSetpointMin, kSetpointMax, kSetpointIncrement, 0);
  Label2 = MakeLabel(this, 8, 392, Tr("TForm1", "Number of gear teeth"), lfRegular);
  SpinEdit1 =
      MakeSpinEdit(this, 192, 384, kTeethMin, kTeethMax, kTeethIncrement, kInitialLoadTeeth);

  Button2 = MakeButton(this, 8, 432, Tr("TForm1", "Process"));
  Button3 = MakeButton(this, 96, 432, Tr("TForm1", "Pause"));
  Button5 = MakeButton(this, 184, 432, Tr("TForm1", "Reset"));
  Button1 = MakeButton(this, 8, 472, Tr("TForm1", "Exit"));
  Label18 = MakeLabel(this, 96, 480, "DriveSim", lfGray);
  Button4 = MakeButton(this, 184, 472, Tr("TForm1", "Help"));

  // The mechanism picture; its bitmap takes the control's size.
  Image1 = std::make_unique<TImage>(this);
  Image1->SetBounds(256, 8, kPictureWidth, kPictureHeight);
  Image1->SetCursor(crHandPoint);
  // On a denser screen the picture is drawn at the screen's density, its
  // geometry scaled and its lines as sharp as the chart's, from the gears
  // the bitmap shows.
  Image1->SetOnDrawAtDensity(
      [this](TBitmap& surface, double ratio) { DrawPictureAtDensity(surface, Gears, ratio); });

  // The oscilloscope at (256, 328), 353 x 169, as its stored layout
  // configures it.
  Chart1 = std::make_unique<TChart>();
  Series1 = std::make_unique<TLineSeries>();
  Series2 = std::make_unique<TLineSeries>();
  ConfigureOscilloscope(*Chart1, *Series1, *Series2);
  Chart1Control = std::make_unique<TPanelControl>(this, *Chart1);

  // Created disabled, so that it does not start when its handler is wired.
  Timer1 = std::make_unique<TTimer>();
  Timer1->SetEnabled(false);
  Timer1->SetInterval(kTimerInterval);

  // The Tab key visits "Exit", "Pause", the tooth count, "Help", Edit1 to
  // Edit6, "Reset", Edit7, the setpoint and "Process"; panels, labels, the
  // picture and the chart are no tab stops.
  Button1->SetTabOrder(0);
  Button3->SetTabOrder(1);
  SpinEdit1->SetTabOrder(2);
  Button4->SetTabOrder(3);
  Chart1Control->SetTabOrder(4);
  Panel1->SetTabOrder(5);
  Button5->SetTabOrder(6);
  Panel2->SetTabOrder(7);
  SpinEdit2->SetTabOrder(8);
  Button2->SetTabOrder(9);
  Edit1->SetTabOrder(0);
  Edit2->SetTabOrder(1);
  Edit3->SetTabOrder(2);
  Edit4->SetTabOrder(3);
  Edit5->SetTabOrder(4);
  Edit6->SetTabOrder(5);
  Edit7->SetTabOrder(0);

  Button2->OnClick = [this] { Button2Click(); };
  Button3->OnClick = [this] { Button3Click(); };
  Button5->OnClick = [this] { Button5Click(); };
  Button1->OnClick = [this] { Button1Click(); };
  Button4->OnClick = [this] { Button4Click(); };
  SpinEdit1->OnChange = [this] { SpinEdit1Change(); };
  SpinEdit2->OnChange = [this] { SpinEdit2Change(); };
  Timer1->SetOnTimer([this] { Timer1Timer(); });

  // The menu bar goes above the client area; the window grows by its
  // height.
  CreateMainMenu();
  OnCloseQuery = [this] { return CloseQuery(); };
  if (const auto targets = RememberedDesignTargets()) fScenario.Explorer.Targets = *targets;

  RunGuarded([this] { FormCreate(); });
}

TForm1::~TForm1() {
  // No tick may reach a window that is going away.
  Timer1->SetEnabled(false);
  if (fLabWindow && RememberLayout) {
    SaveWindowLayout("lab", *fLabWindow->Widget(), fLabWindow->Splitters());
  }
  fLabWindow.reset();
  fGuideWindow.reset();
}

void TForm1::FormCreate() {
  Model.StepSize = kModelStepSize;
  Gears.LoadGear.Angle = 0;
  Gears.MotorGear.Angle = 0;
  // The count is fixed here; it matches the spin edit's initial value, whose
  // text is not read.
  Gears.SetUpGears(kInitialLoadTeeth);
  // The traces are zero already; the series stay empty until the first tick
  // or "Reset".
  History.ResetTimeAxis(Model.StepSize);
  DrawBlockSketch(Image1->Bitmap());
  DrawMechanism(Image1->Bitmap(), Gears);
}

void TForm1::Button2Click() {
  Timer1->SetEnabled(false);
  DrawMechanism(Image1->Bitmap(), Gears);
  // Each value is stored as soon as it is read: a text that cannot be read
  // ends the handler with the earlier values stored, the later ones as they
  // were, the coefficients unchanged and the timer off.
  Model.AmpGain = StrToFloat(Edit1->Text());
  Model.AmpTimeConst = StrToFloat(Edit2->Text());
  Model.MotorCoef = StrToFloat(Edit3->Text());
  Model.MotorInertia = StrToFloat(Edit4->Text());
  Model.LoadInertia = StrToFloat(Edit5->Text());
  Model.ViscousFriction = StrToFloat(Edit6->Text());
  Model.FeedbackCoef = StrToFloat(Edit7->Text());
  // The ratio of the gears as they are set up, not of the spin edit's text.
  Model.ComputeGearRatio(Gears.LoadGear.ToothCount, Gears.MotorGear.ToothCount);
  // The setpoint trace shows the setpoint the model runs with: a value the
  // spin edit showed but its change handler could not take (the feedback
  // coefficient was unreadable then) enters both here.
  Model.Setpoint = StrToInt(SpinEdit2->Text());
  Model.SetpointShown = Model.Setpoint;
  Model.ComputeTransferCoefficients();
  // The record starts here after start-up or "Reset"; other inputs end the
  // step response being measured, unless the drive is still at rest.
  fRun.Processed(Model, Gears.LoadGear.ToothCount, History.TimeAxis[HistoryLength - 1]);
  RunChanged();
  // Off and on again: a fresh 20 ms period.
  Timer1->SetEnabled(true);
}

void TForm1::Button3Click() { Timer1->SetEnabled(false); }

void TForm1::Button5Click() {
  Timer1->SetEnabled(false);
  Model.ZeroState();
  History.ResetHistory(Model.StepSize);
  // Two flat lines at 0 from -0.301 s to 0 s. The inputs, the coefficients,
  // the setpoint, the gear angles and the picture stay as they are.
  FillSeries(*Series1, *Series2, History);
  // The next "Process" starts a new record.
  fRun.Reset();
  RunChanged();
}

void TForm1::Button1Click() { Close(); }

void TForm1::Button4Click() {
  // Shown without a modal loop and brought to the front; when it is visible
  // already it only comes to the front.
  if (fInstructionsWindow) fInstructionsWindow->Show();
}

void TForm1::SpinEdit1Change() {
  Timer1->SetEnabled(false);
  Gears.LoadGear.Angle = 0;
  Gears.MotorGear.Angle = 0;
  // An unreadable text, or a count that would leave a gear without teeth
  // (outside 1..55), ends the handler here with the gears as they were set
  // up. The gear ratio of the model waits for "Process".
  const int loadTeeth = StrToInt(SpinEdit1->Text());
  Gears.SetUpGears(loadTeeth);
  DrawMechanism(Image1->Bitmap(), Gears);
}

void TForm1::SpinEdit2Change() {
  // The feedback coefficient is stored but the coefficients are not
  // recomputed: it acts from the next "Process" on. An unreadable Edit7
  // keeps the setpoint from being taken until it is corrected.
  Model.FeedbackCoef = StrToFloat(Edit7->Text());
  const int setpoint = StrToInt(SpinEdit2->Text());
  Model.SetpointShown = setpoint;
  // The new setpoint drives a running model from the next tick on.
  Model.Setpoint = Model.SetpointShown;
}

void TForm1::Timer1Timer() {
  // The load velocity after each of the tick's integration steps, for the
  // measured figures; taken only from a tick that succeeds.
  double stepVelocities[StepsPerTick];
  try {
    SimulationTick(Model, History, Gears, *Series1, *Series2, Image1->Bitmap(), stepVelocities);
  } catch (const Exception& e) {
    // A model that has diverged would fail again on every tick, each failure
    // opening a box behind the last: the timer stops before the box is shown,
    // and "Process" starts it again. The run ends as diverged.
    Timer1->SetEnabled(false);
    fRun.TickFailed(e.Message());
    RunChanged();
    throw;
  } catch (...) {
    Timer1->SetEnabled(false);
    throw;
  }
  constexpr int newest = HistoryLength - 1;
  fRun.TickDone(Model,
                {History.TimeAxis[newest], Model.State[1], Model.SetpointShown,
                 Gears.LoadGear.Angle, Gears.MotorGear.Angle},
                stepVelocities);
  RunChanged();
}

}  // namespace drivesim

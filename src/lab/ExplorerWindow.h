#pragma once
// "Explore the feedback coefficient": the loop of the drive seen as k
// moves. A slider and a number box set k over an editable range; the other
// inputs sit in compact boxes beside it. Every change goes to the one
// ExplorerState, which computes the figures once, and every view redraws
// from it before the next frame: the step response (closed form and the
// drive's own simulated run), the pole map with the root locus (the poles
// can be dragged along it, which sets k), the frequency response, the
// figures table and the design answer for the targets set.
//
// "Run on the drive" hands the inputs and k to the main window, which
// resets and runs with them; "Keep" adds the explored setting to the lab's
// kept runs. The window is not modal; closing it only hides it. Every
// handler runs through the application's guard.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/DesignTargets.h"
#include "analysis/ExplorerState.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTableWidget;
class QWidget;

namespace drivesim {

class BodeChart;
struct ExplorerFigureRow;
class ExplorerStepChart;
class PoleMapChart;
class TBitmap;
class TChartHost;
class TFeedbackSlider;

// The setpoint the explorer steps to when the main window's is 0 (as it is
// at start-up): a step of nothing has no response to show, rad/s.
constexpr int kExplorerStepSetpoint = 100;
// The main window's inputs as the explorer takes them: a setpoint of 0
// becomes kExplorerStepSetpoint.
DriveInputs ExplorableInputs(DriveInputs inputs);

// Slider positions over the range of k.
constexpr int kExplorerSliderSteps = 1000;

class TExplorerWindow {
 public:
  // enteredInputs: the main window's inputs, read as "Process" reads them.
  // runOnDrive: enters the inputs into the main window, resets and presses
  // "Process". keep: adds the setting (inputs with k, run for the given
  // number of ticks) to the lab's kept runs. Any of them may be empty.
  TExplorerWindow(std::function<DriveInputs()> enteredInputs,
                  std::function<void(const DriveInputs&)> runOnDrive,
                  std::function<void(const DriveInputs&, int ticks)> keep);
  ~TExplorerWindow();
  TExplorerWindow(const TExplorerWindow&) = delete;
  TExplorerWindow& operator=(const TExplorerWindow&) = delete;

  void Show();
  void Hide();
  bool Visible() const;
  QWidget* Widget() const { return fWindow; }

  ExplorerState& State() { return fState; }
  const ExplorerState& State() const { return fState; }

  // Enters design targets and a range of k, as the student would.
  void SetDesign(const DesignTargets& targets, double rangeFrom, double rangeTo);

  // The handlers.
  void TakeInputsClick();  // the main window's inputs again
  void RunOnDriveClick();
  void KeepClick();
  // k from the slider's position, the number box's text, the range boxes.
  void SliderMoved(int position);
  void FeedbackEdited();
  void RangeEdited();
  void InputEdited();
  void TargetsEdited();
  // A pole dragged to (sigma, omega) in 1/s and rad/s.
  void PoleDragged(double sigma, double omega);

  // The slider position of k and back.
  int SliderPosition(double k) const;
  double FeedbackAt(int position) const;

  // The design answer as the window says it.
  std::string AnswerText() const;

  // The views and controls, for the tests and the batch tool's picture.
  ExplorerStepChart& StepChart() { return *fStep; }
  PoleMapChart& PoleMap() { return *fPoles; }
  BodeChart& Bode() { return *fBode; }
  QSlider* Slider() const;
  QLineEdit* FeedbackBox() const { return fFeedback; }
  QLineEdit* RangeFromBox() const { return fRangeFrom; }
  QLineEdit* RangeToBox() const { return fRangeTo; }
  QLineEdit* InputBox(int index) const { return fInputs[static_cast<std::size_t>(index)]; }
  QSpinBox* TeethBox() const { return fTeeth; }
  QSpinBox* SetpointBox() const { return fSetpoint; }
  QCheckBox* TargetCheck(TargetKind kind) const {
    return fTargetChecks[static_cast<std::size_t>(kind)];
  }
  QLineEdit* TargetBox(TargetKind kind) const {
    return fTargetBoxes[static_cast<std::size_t>(kind)];
  }
  QTableWidget* Table() const { return fTable; }
  QLabel* Answer() const { return fAnswer; }
  QPushButton* RunOnDriveButton() const { return fRunOnDrive; }
  QPushButton* KeepButton() const { return fKeep; }
  QPushButton* TakeInputsButton() const { return fTakeInputs; }

  // The three charts side by side, as they show, for a picture.
  void DrawCharts(TBitmap& picture);

 private:
  void Build();
  QWidget* BuildControls(QWidget* parent);
  // The state changed: every view follows.
  void StateChanged();
  void ShowInputs();
  void ShowFeedback();
  void RefreshTable();
  void FillTable(const std::vector<ExplorerFigureRow>& rows);
  void RefreshSlider();
  DriveInputs BoxInputs() const;
  DesignTargets BoxTargets() const;

  std::function<DriveInputs()> fEnteredInputs;
  std::function<void(const DriveInputs&)> fOnRunOnDrive;
  std::function<void(const DriveInputs&, int ticks)> fOnKeep;
  ExplorerState fState;
  // While the window writes into its own boxes, their edits are not
  // handled as the student's.
  bool fUpdating = false;

  std::unique_ptr<ExplorerStepChart> fStep;
  std::unique_ptr<PoleMapChart> fPoles;
  std::unique_ptr<BodeChart> fBode;

  // Qt owns these through the window.
  QWidget* fWindow = nullptr;
  TChartHost* fStepHost = nullptr;
  TChartHost* fPolesHost = nullptr;
  TChartHost* fBodeHost = nullptr;
  TFeedbackSlider* fSlider = nullptr;
  QLineEdit* fFeedback = nullptr;
  QLineEdit* fRangeFrom = nullptr;
  QLineEdit* fRangeTo = nullptr;
  std::array<QLineEdit*, 6> fInputs{};
  QSpinBox* fTeeth = nullptr;
  QSpinBox* fSetpoint = nullptr;
  std::array<QCheckBox*, kTargetKinds> fTargetChecks{};
  std::array<QLineEdit*, kTargetKinds> fTargetBoxes{};
  QTableWidget* fTable = nullptr;
  QLabel* fAnswer = nullptr;
  QPushButton* fTakeInputs = nullptr;
  QPushButton* fRunOnDrive = nullptr;
  QPushButton* fKeep = nullptr;
};

}  // namespace drivesim

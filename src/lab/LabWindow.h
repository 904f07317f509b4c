#pragma once
// The "Quality of regulation" window: the student's lab beside the main
// window. It shows the main window's current run as a step response from
// its t = 0, measured live (the figures the batch tool gives for the same
// inputs) next to the loop's closed-form figures; keeps runs to compare
// them; sweeps one input over a range in the background; and saves the
// table and the charts for a report.
//
// The window is our own design, laid out with Qt's layouts so that it
// resizes sensibly: the step responses chart and, after a sweep, the chart
// of the figures against the swept value on top; the figures table with
// "Keep run", "Remove", "Clear" and the two saving buttons below; the sweep
// group at the bottom. It is not modal; closing it only hides it.
//
// Every handler runs through the application's guard: what it raises is
// shown in the error box, before anything has changed.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/Sweep.h"
#include "files/Scenario.h"
#include "lab/LabRuns.h"
#include "lab/LabTable.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QGroupBox;
class QProgressBar;
class QSplitter;
class QPushButton;
class QTableWidget;
class QWidget;

namespace drivesim {

class LabResponseChart;
class SweepFiguresChart;
class TBitmap;
class TChartHost;
class TLabSweep;
class WindowRun;

// The ranges the sweep group accepts besides the sweep's own rules.
constexpr int kLabMinSweepCount = 2;
constexpr int kLabMaxSweepCount = 100;
constexpr double kLabMinSweepDuration = 0.001;  // s, one tick
constexpr double kLabMaxSweepDuration = 10;     // s

// Raises, in the window's words, for a sweep the window does not run: a
// count or a duration (s) outside those ranges.
void CheckLabSweep(int count, double duration);

class TLabWindow {
 public:
  // run: the main window's run (not owned, outlives this window).
  // enteredInputs: the inputs as the main window's controls hold them, read
  // as "Process" reads them (raising what "Process" would raise); a sweep
  // varies one of them.
  TLabWindow(const WindowRun& run, std::function<DriveInputs()> enteredInputs);
  ~TLabWindow();
  TLabWindow(const TLabWindow&) = delete;
  TLabWindow& operator=(const TLabWindow&) = delete;

  // Shows the window without a modal loop and brings it to the front.
  void Show();
  void Hide();
  bool Visible() const;
  QWidget* Widget() const { return fWindow; }

  // The main window's run has changed (a tick, "Process", "Reset"): while
  // the window is shown, the current run's row and curve follow.
  void RunChanged();

  // The handlers.
  void KeepRunClick();
  // Keeps a run made elsewhere (the explorer's setting), named as kept runs
  // are.
  void KeepRun(LabRun run);
  void RemoveClick();
  void ClearClick();
  void RunSweepClick();
  void CancelClick();
  void SaveTableClick();
  void SaveChartsClick();
  // Ctrl+C in the table: the selected rows with every digit.
  void CopyClick();

  // Starts a sweep of ticks timer ticks a run, the other inputs those the
  // main window's controls hold: what "Run sweep" does once it has read the
  // group's texts. Raises, with nothing started, for inputs "Process" would
  // refuse.
  void StartSweep(const SweepSpec& spec, int ticks);
  // Shows a sweep in the group's controls: its input, first and last values,
  // count and duration.
  void ShowSweep(const SweepSpec& spec, int ticks);

  // A scenario's parts. The task pane above the charts shows the title and
  // the task, and is hidden when both are empty.
  void ShowTask(const std::string& title, const std::string& task);
  // The kept runs become these, each run from rest and measured again (a
  // run is the same every time), under its label. Raises, with the kept
  // runs as they were, for inputs "Process" would refuse.
  void RestoreKeptRuns(const std::vector<ScenarioRun>& runs);
  // The kept runs as a scenario holds them: label, inputs and length.
  std::vector<ScenarioRun> ScenarioRuns() const;
  // The sweep group's fields, read as "Run sweep" reads them (raising for a
  // text that is no number), and shown.
  ScenarioSweep SweepSettings() const;
  void ShowSweepSettings(const ScenarioSweep& sweep);
  // The window's splitters, whose layout the settings remember.
  std::vector<QSplitter*> Splitters() const { return {fSplit, fChartsSplit}; }

  // The table's runs: the current run (once it has begun), then the kept
  // ones.
  std::vector<const LabRun*> Rows() const;
  const LabRun* CurrentRow() const { return fHasCurrentRow ? &fCurrentRow : nullptr; }
  const LabRuns& Runs() const { return fRuns; }
  const std::vector<LabTableColumn>& Columns() const { return fColumns; }
  // The runs with figures, as "Save table as CSV…" writes them: the current
  // run once it has measured a tick, then the kept runs.
  std::string TableCsv() const;
  // The charts as shown, side by side, as "Save charts as PNG…" draws them.
  void DrawCharts(TBitmap& picture);

  LabResponseChart& ResponseChart() { return *fResponse; }
  // The figures chart of the kept sweep; null while none is kept (the
  // window then shows the chart empty).
  SweepFiguresChart* FiguresChart() { return fHasSweepFigures ? fFigures.get() : nullptr; }
  TLabSweep& Sweep() { return *fSweep; }

  // The controls, for the tests and the batch tool's picture.
  QTableWidget* Table() const { return fTable; }
  QPushButton* KeepButton() const { return fKeep; }
  QPushButton* RemoveButton() const { return fRemove; }
  QPushButton* ClearButton() const { return fClear; }
  QPushButton* SaveTableButton() const { return fSaveTable; }
  QPushButton* SaveChartsButton() const { return fSaveCharts; }
  QComboBox* ParameterBox() const { return fParameter; }
  QLineEdit* FromEdit() const { return fFrom; }
  QLineEdit* ToEdit() const { return fTo; }
  QLineEdit* CountEdit() const { return fCount; }
  QLineEdit* DurationEdit() const { return fDuration; }
  QPushButton* RunSweepButton() const { return fRunSweep; }
  QPushButton* CancelButton() const { return fCancel; }
  QProgressBar* Progress() const { return fProgress; }
  QLabel* SweepStatus() const { return fSweepStatus; }
  QGroupBox* TaskBox() const { return fTaskBox; }
  QLabel* TaskText() const { return fTaskText; }

 private:
  void Build();
  void BuildSweepGroup(QWidget* parent);
  void RefreshCurrentRow();
  void RebuildTable();
  void UpdateLiveCells();
  void KeptChanged();
  void UpdateButtons();
  // The progress bar of no sweep: empty, without a count.
  void EmptyProgress();
  void SweepFinished(const SweepResult& result, const std::string& failure);
  void ShowFiguresChart();

  const WindowRun& fRun;
  std::function<DriveInputs()> fEnteredInputs;
  LabRuns fRuns;
  LabRun fCurrentRow;
  bool fHasCurrentRow = false;
  std::uint64_t fShownRunNumber = ~std::uint64_t{0};
  std::vector<LabTableColumn> fColumns;
  std::vector<std::string> fLiveTexts;  // the current row's cells as shown

  std::unique_ptr<LabResponseChart> fResponse;
  std::unique_ptr<SweepFiguresChart> fFigures;
  bool fHasSweepFigures = false;
  std::unique_ptr<TLabSweep> fSweep;

  // Qt owns these through the window.
  QWidget* fWindow = nullptr;
  QGroupBox* fTaskBox = nullptr;
  QLabel* fTaskText = nullptr;
  QSplitter* fSplit = nullptr;
  QSplitter* fChartsSplit = nullptr;
  TChartHost* fResponseHost = nullptr;
  TChartHost* fFiguresHost = nullptr;
  QTableWidget* fTable = nullptr;
  QLabel* fHint = nullptr;
  QPushButton* fKeep = nullptr;
  QPushButton* fRemove = nullptr;
  QPushButton* fClear = nullptr;
  QPushButton* fSaveTable = nullptr;
  QPushButton* fSaveCharts = nullptr;
  QComboBox* fParameter = nullptr;
  QLineEdit* fFrom = nullptr;
  QLineEdit* fTo = nullptr;
  QLineEdit* fCount = nullptr;
  QLineEdit* fDuration = nullptr;
  QPushButton* fRunSweep = nullptr;
  QPushButton* fCancel = nullptr;
  QProgressBar* fProgress = nullptr;
  QLabel* fSweepStatus = nullptr;
};

}  // namespace drivesim

// The quality-of-regulation window's sweeps: the table of a sweep is the
// library's sweep of the same description; a later sweep replaces the
// earlier one's runs; Cancel leaves the kept runs as they were; and texts
// that cannot be read, or a range the sweep refuses, get one box before
// anything starts.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <cmath>
#include <cstdlib>

#include "analysis/FiguresCsv.h"
#include "analysis/PrintChart.h"
#include "analysis/Sweep.h"
#include "analysis/SweepFiguresChart.h"
#include "chart/ChartPalette.h"
#include "lab/LabFixture.h"
#include "lab/LabResponseChart.h"
#include "platform/Graphics.h"
#include "ui/MainWindowPicture.h"

namespace drivesim {
namespace {

class LabSweepTest : public LabFixture {
 protected:
  void SetSweep(SweepParameter parameter, const char* from, const char* to, const char* count,
                const char* duration) {
    lab->ParameterBox()->setCurrentIndex(static_cast<int>(parameter));
    lab->FromEdit()->setText(QString::fromUtf8(from));
    lab->ToEdit()->setText(QString::fromUtf8(to));
    lab->CountEdit()->setText(QString::fromUtf8(count));
    lab->DurationEdit()->setText(QString::fromUtf8(duration));
  }
  // "Run sweep", then the sweep's end delivered.
  void RunSweep() {
    lab->RunSweepButton()->click();
    lab->Sweep().Wait();
  }
  // The figures the library gives for the sweep description, as the batch
  // tool's --metrics writes them.
  static std::string LibraryMetrics(const DriveInputs& base, const std::string& description,
                                    int ticks, int firstRun = 1) {
    SweepOptions options;
    options.Ticks = ticks;
    const SweepResult sweep = drivesim::RunSweep(base, ParseSweepSpec(description), options);
    std::string rows;
    for (std::size_t i = 0; i < sweep.Runs.size(); ++i) {
      AppendFiguresRow(rows, firstRun + static_cast<int>(i), sweep.Spec.Values[i], sweep.Runs[i]);
    }
    return rows;
  }

  TLabWindow* lab = nullptr;
};

TEST_F(LabSweepTest, ASweepsTableIsTheLibrarysSweepAndALaterSweepReplacesIt) {
  lab = &OpenLab();
  EnterSetpoint(100);
  SetSweep(SweepParameter::Feedback, "0,2", "3", "5", "0,2");
  RunSweep();
  ASSERT_TRUE(boxes.boxes.empty()) << boxes.boxes[0].text;
  ASSERT_EQ(lab->Runs().Count(), 5);
  EXPECT_EQ(lab->Runs().Kept()[0].Name, "k = 0,2");
  EXPECT_EQ(lab->Runs().Kept()[4].Name, "k = 3");
  DriveInputs base;
  base.Setpoint = 100;
  EXPECT_EQ(WithoutLabels(lab->TableCsv()),
            FiguresCsvHeader() + LibraryMetrics(base, "feedback=0.2:3:5", 200));
  // Every run's curve: one sample per tick from rest.
  for (const LabRun& run : lab->Runs().Kept()) EXPECT_EQ(run.Curve.size(), 201u);
  ASSERT_NE(lab->FiguresChart(), nullptr);
  EXPECT_EQ(lab->ResponseChart().KeptCount(), 5);
  EXPECT_EQ(lab->SweepStatus()->text().toStdString(), "5 runs of feedback kept");
  EXPECT_TRUE(lab->RunSweepButton()->isEnabled());
  EXPECT_FALSE(lab->CancelButton()->isEnabled());

  // A kept run of the main window, then a sweep of the setpoint: it takes
  // the first sweep's place, after the kept run.
  Process();
  Tick(60);
  lab->KeepButton()->click();
  SetSweep(SweepParameter::Setpoint, "50", "250", "3", "0,1");
  RunSweep();
  ASSERT_EQ(lab->Runs().Count(), 1 + 3);
  EXPECT_EQ(lab->Runs().Kept()[0].Name, "setpoint 100");
  EXPECT_EQ(lab->Runs().Kept()[1].Name, "setpoint 50");
  EXPECT_EQ(lab->Runs().Kept()[0].Colour, QualitativeColor(0));
  EXPECT_EQ(lab->Runs().Kept()[1].Colour, SequentialColor(0, 3));
  EXPECT_EQ(lab->ResponseChart().KeptCount(), 4);
  // The table: the current run, the kept run, then the sweep's rows.
  const std::string table = WithoutLabels(lab->TableCsv());
  const std::string sweepRows = LibraryMetrics(base, "setpoint=50:250:3", 100, 3);
  ASSERT_GT(table.size(), sweepRows.size());
  EXPECT_EQ(table.substr(table.size() - sweepRows.size()), sweepRows);
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 1 + 2 + 3);
  // The figures chart is the remaining sweep's.
  ASSERT_NE(lab->FiguresChart(), nullptr);
  EXPECT_EQ(lab->FiguresChart()->Chart().BottomAxis().Title().Caption(),
            SweepParameterCaption(SweepParameter::Setpoint));
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(LabSweepTest, CancelLeavesTheKeptRunsAsTheyWere) {
  lab = &OpenLab();
  EnterSetpoint(100);
  SetSweep(SweepParameter::Gain, "5", "15", "3", "0,05");
  RunSweep();
  ASSERT_EQ(lab->Runs().Count(), 3);
  std::vector<std::string> before;
  for (const LabRun& r : lab->Runs().Kept()) before.push_back(r.Name);
  const std::string table = WithoutLabels(lab->TableCsv());

  // A long sweep, cancelled at once.
  SetSweep(SweepParameter::Feedback, "0,2", "3", "100", "10");
  lab->RunSweepButton()->click();
  EXPECT_TRUE(lab->Sweep().Running());
  EXPECT_FALSE(lab->RunSweepButton()->isEnabled());
  EXPECT_TRUE(lab->CancelButton()->isEnabled());
  lab->CancelButton()->click();
  lab->Sweep().Wait();
  EXPECT_FALSE(lab->Sweep().Running());
  std::vector<std::string> after;
  for (const LabRun& r : lab->Runs().Kept()) after.push_back(r.Name);
  EXPECT_EQ(after, before);
  EXPECT_EQ(WithoutLabels(lab->TableCsv()), table);
  EXPECT_EQ(lab->ResponseChart().KeptCount(), 3);
  EXPECT_EQ(lab->SweepStatus()->text().toStdString(),
            "Sweep cancelled: the kept runs are as they were.");
  EXPECT_TRUE(lab->RunSweepButton()->isEnabled());

  // The window goes away in the middle of a sweep: the worker stops first.
  SetSweep(SweepParameter::Feedback, "0,2", "3", "100", "10");
  lab->RunSweepButton()->click();
  EXPECT_TRUE(lab->Sweep().Running());
  form.reset();
  EXPECT_TRUE(boxes.boxes.empty());
}

// A sweep over very lightly damped loops (gain 1e33 to 1e40) runs, stops
// part-way when cancelled, and the window goes away at once in the middle of
// another: nothing waits on the worker for long.
TEST_F(LabSweepTest, CancelAndExitDoNotWaitOnTheWorker) {
  using Clock = std::chrono::steady_clock;
  lab = &OpenLab();
  EnterSetpoint(100);
  SetSweep(SweepParameter::Gain, "1e33", "1e40", "8", "0,05");
  {
    const Watchdog watchdog("a sweep of the gain from 1e33 to 1e40", std::chrono::seconds(60));
    RunSweep();
  }
  ASSERT_EQ(lab->Runs().Count(), 8);
  EXPECT_EQ(lab->SweepStatus()->text().toStdString(), "8 runs of gain kept");
  // Every run has its closed-form settling times, found rather than made up.
  for (const LabRun& r : lab->Runs().Kept()) {
    ASSERT_TRUE(r.Result.ClosedForm.Settling2Pct) << r.Name;
    const double sigma = r.Result.Record.Coefficients.CoefAccel / 2;
    EXPECT_NEAR(*r.Result.ClosedForm.Settling2Pct * sigma, std::log(50.0), 1e-3) << r.Name;
  }

  // Long runs, cancelled at once: the sweep ends part-way.
  SetSweep(SweepParameter::Gain, "1e33", "1e40", "100", "10");
  lab->RunSweepButton()->click();
  EXPECT_TRUE(lab->Sweep().Running());
  lab->CancelButton()->click();
  const Clock::time_point cancelled = Clock::now();
  {
    const Watchdog watchdog("cancelling the sweep", std::chrono::seconds(60));
    lab->Sweep().Wait();
  }
  EXPECT_LT(std::chrono::duration<double>(Clock::now() - cancelled).count(), 5.0);
  EXPECT_EQ(lab->Runs().Count(), 8);

  // Exit in the middle of a sweep.
  lab->RunSweepButton()->click();
  EXPECT_TRUE(lab->Sweep().Running());
  const Clock::time_point exit = Clock::now();
  {
    const Watchdog watchdog("Exit during a sweep", std::chrono::seconds(60));
    form->Button1Click();
    form.reset();
  }
  EXPECT_LT(std::chrono::duration<double>(Clock::now() - exit).count(),
            2 * std::chrono::duration<double>(TLabSweep::kStopWait).count());
}

TEST_F(LabSweepTest, UnreadableTextsAndRefusedRangesGetOneBoxAndStartNothing) {
  lab = &OpenLab();
  struct Case {
    SweepParameter parameter;
    const char* from;
    const char* to;
    const char* count;
    const char* duration;
    std::string box;
  };
  const std::vector<Case> cases{
      {SweepParameter::Feedback, "abc", "3", "10", "0,4",
       "'abc' is not a valid floating point value."},
      // The locale's separator is a comma here.
      {SweepParameter::Feedback, "0.2", "3", "10", "0,4",
       "'0.2' is not a valid floating point value."},
      {SweepParameter::Feedback, "0,2", "3", "ten", "0,4", "'ten' is not a valid integer value."},
      {SweepParameter::Feedback, "0,2", "3", "1", "0,4",
       "The number of runs must be between 2 and 100."},
      {SweepParameter::Feedback, "0,2", "3", "101", "0,4",
       "The number of runs must be between 2 and 100."},
      {SweepParameter::Feedback, "0,2", "3", "10", "0",
       "The duration must be between 0,001 and 10 s."},
      {SweepParameter::Feedback, "0,2", "3", "10", "10,5",
       "The duration must be between 0,001 and 10 s."},
  };
  for (const Case& c : cases) {
    boxes.boxes.clear();
    SetSweep(c.parameter, c.from, c.to, c.count, c.duration);
    lab->RunSweepButton()->click();
    EXPECT_FALSE(lab->Sweep().Running()) << c.box;
    ASSERT_EQ(boxes.Texts(), std::vector<std::string>{c.box});
    EXPECT_EQ(lab->Runs().Count(), 0);
    EXPECT_TRUE(lab->RunSweepButton()->isEnabled());
  }

  // Values the sweep or "Process" refuses, in the library's words.
  const std::vector<std::pair<Case, std::string>> refused{
      {{SweepParameter::Teeth, "20", "60", "5", "0,1", ""}, "teeth"},
      {{SweepParameter::Setpoint, "-10", "100", "5", "0,1", ""}, "Preset velocity of load"},
      {{SweepParameter::TimeConstant, "0", "0,01", "5", "0,1", ""}, "time-constant=0"},
  };
  for (const auto& [c, word] : refused) {
    boxes.boxes.clear();
    SetSweep(c.parameter, c.from, c.to, c.count, c.duration);
    lab->RunSweepButton()->click();
    EXPECT_FALSE(lab->Sweep().Running()) << word;
    ASSERT_EQ(boxes.boxes.size(), 1u) << word;
    EXPECT_NE(boxes.boxes[0].text.find(word), std::string::npos) << boxes.boxes[0].text;
  }
  EXPECT_EQ(boxes.boxes.back().text,
            "Sweep value time-constant=0: Floating point division by zero.");

  // An input of the main window that "Process" could not read.
  boxes.boxes.clear();
  form->Edit1->SetText("x1");
  SetSweep(SweepParameter::Feedback, "0,2", "3", "3", "0,1");
  lab->RunSweepButton()->click();
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"'x1' is not a valid floating point value."});
  EXPECT_FALSE(lab->Sweep().Running());
  EXPECT_EQ(lab->Runs().Count(), 0);
}

TEST_F(LabSweepTest, TenRunsOfTheFeedbackCoefficientReadAtAGlance) {
  lab = &OpenLab();
  lab->Widget()->resize(1100, 760);
  EnterSetpoint(100);
  SetSweep(SweepParameter::Feedback, "0,2", "3", "10", "0,4");
  RunSweep();
  ASSERT_EQ(lab->Runs().Count(), 10);
  Process();
  Tick(250);
  // The overshoot rises with the coefficient; with this loop's final value
  // K S / (f + K fb) the static error % rises as well.
  const std::vector<LabRun>& runs = lab->Runs().Kept();
  int overshooting = 0;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const StepFigures& m = runs[i].Result.Measured;
    ASSERT_TRUE(m.StaticErrorPct.has_value());
    overshooting += m.OvershootPct.has_value();
    if (i == 0) continue;
    const StepFigures& previous = runs[i - 1].Result.Measured;
    EXPECT_GT(*m.StaticErrorPct, *previous.StaticErrorPct);
    if (m.OvershootPct && previous.OvershootPct) {
      EXPECT_GT(*m.OvershootPct, *previous.OvershootPct);
    }
  }
  EXPECT_GE(overshooting, 8);
  // The figures chart has a point per run with an overshoot.
  ASSERT_NE(lab->FiguresChart(), nullptr);
  EXPECT_EQ(lab->FiguresChart()->Points(SweepFigure::Overshoot).PointCount(), overshooting);

  // DRIVESIM_PICTURES=DIR leaves the window and the charts there to look at.
  if (const char* pictures = std::getenv("DRIVESIM_PICTURES")) {
    const std::string folder = pictures;
    QApplication::processEvents();
    lab->Widget()->grab().save(QString::fromStdString(folder + "/lab-window.png"));
    TBitmap charts;
    lab->DrawCharts(charts);
    charts.SaveToPng(folder + "/lab-charts.png");
  }
}

}  // namespace
}  // namespace drivesim

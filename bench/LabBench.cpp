// The quality-of-regulation window's share of the main window's work.
//
// BM_WindowTickWithLab/N: the main window's timer tick and the paints it
// causes, as BM_WindowTick measures them, with the lab window open and N
// kept runs in it (a sweep of the feedback coefficient, 0.4 s each): the
// live row's figures and cells, the current curve, and the paint of the
// step responses chart, every tick. Compare with BM_WindowTick.
//
// BM_LabSweepEventLoop: the event loop of the windows while the lab runs a
// sweep of 50 runs of 2 s in the background and the main window's
// simulation ticks every 20 ms: a 1 ms timer records the longest time
// between two of its firings (max_gap_ms, the longest the loop was kept
// from its events), and the longest time between two of the main window's
// ticks (max_tick_interval_ms); max_gap_at_end_ms is the longest after the
// sweep's last run, while its result becomes kept runs, charts and table.
// One iteration; wall-clock seconds.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

#include "analysis/WindowRun.h"
#include "chart/Chart.h"
#include "lab/LabResponseChart.h"
#include "lab/LabSweep.h"
#include "lab/LabWindow.h"
#include "mechanism/Gears.h"
#include "platform/Application.h"
#include "platform/Numbers.h"
#include "sim/DriveInputs.h"
#include "sim/DriveModel.h"
#include "sim/SimulationRig.h"
#include "sim/TimeHistory.h"
#include "ui/Unit1.h"

namespace drivesim {
namespace {

// Sets the lab's sweep group and runs the sweep to its end.
void RunLabSweep(TLabWindow& lab, int count, const char* duration) {
  lab.ParameterBox()->setCurrentIndex(static_cast<int>(SweepParameter::Feedback));
  lab.FromEdit()->setText(QString::fromStdString(std::string("0") + DecimalSeparator() + "2"));
  lab.ToEdit()->setText("3");
  lab.CountEdit()->setText(QString::number(count));
  lab.DurationEdit()->setText(QString::fromUtf8(duration));
  RunGuarded([&lab] { lab.RunSweepClick(); });
  lab.Sweep().Wait();
}

// The main window with its lab open and N kept runs of a sweep of the
// feedback coefficient (0.4 s each) in it, then "Process" with setpoint 100.
struct WindowWithLab {
  DriveModel Model;
  TimeHistory History;
  GearPair Gears;
  TForm1 Form{Model, History, Gears};

  explicit WindowWithLab(int kept) {
    Form.QualityOfRegulation1Click();
    if (kept > 0) {
      const std::string duration = std::string("0") + DecimalSeparator() + "4";
      RunLabSweep(*Form.LabWindow(), kept, duration.c_str());
    }
    Form.SpinEdit2->SetText("100");
    Form.Button2Click();
  }
};

void BM_WindowTickWithLab(benchmark::State& state) {
  WindowWithLab window(static_cast<int>(state.range(0)));
  TForm1& form = window.Form;
  TLabWindow& lab = *form.LabWindow();
  TChart& responses = lab.ResponseChart().Chart();
  form.Timer1Timer();
  form.Chart1->DispatchPaint();
  responses.DispatchPaint();
  for (auto _ : state) {
    form.Timer1Timer();
    form.Chart1->DispatchPaint();
    responses.DispatchPaint();
    benchmark::DoNotOptimize(responses.Surface().Pixel(100, 100));
  }
  form.Button3Click();
}
BENCHMARK(BM_WindowTickWithLab)
    ->Arg(0)
    ->Arg(10)
    ->Arg(50)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_LabSweepEventLoop(benchmark::State& state) {
  for (auto _ : state) {
    DriveModel model;
    TimeHistory history;
    GearPair gears;
    TForm1 form(model, history, gears);
    form.Show();
    form.QualityOfRegulation1Click();
    TLabWindow& lab = *form.LabWindow();
    form.SpinEdit2->SetText("100");
    RunGuarded([&form] { form.Button2Click(); });

    // The probe: a 1 ms timer that notes the longest time between firings.
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    qint64 maxGap = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    // The sweep's end: its result made into kept runs, charts and table.
    qint64 sweepEnd = -1;
    qint64 maxGapAtEnd = 0;
    QObject::connect(&probe, &QTimer::timeout, [&] {
      const qint64 now = clock.nsecsElapsed();
      if (sweepEnd < 0 && !lab.Sweep().Running()) sweepEnd = last;
      if (sweepEnd >= 0 && last >= sweepEnd) {
        maxGapAtEnd = std::max(maxGapAtEnd, now - last);
      } else {
        maxGap = std::max(maxGap, now - last);
      }
      last = now;
    });
    // The main window's ticks: the longest time between two.
    qint64 lastTick = -1;
    qint64 maxTickInterval = 0;
    int ticks = 0;
    form.Timer1->SetOnTimer([&] {
      const qint64 now = clock.nsecsElapsed();
      if (lastTick >= 0) maxTickInterval = std::max(maxTickInterval, now - lastTick);
      lastTick = now;
      ++ticks;
      form.Timer1Timer();
    });

    lab.ParameterBox()->setCurrentIndex(static_cast<int>(SweepParameter::Feedback));
    lab.FromEdit()->setText(QString::fromStdString(std::string("0") + DecimalSeparator() + "2"));
    lab.ToEdit()->setText("3");
    lab.CountEdit()->setText("50");
    lab.DurationEdit()->setText("2");
    // Settled before the sweep begins.
    QApplication::processEvents();
    probe.start();
    last = clock.nsecsElapsed();
    lastTick = -1;
    maxTickInterval = 0;
    maxGap = 0;
    RunGuarded([&lab] { lab.RunSweepClick(); });
    const qint64 start = clock.nsecsElapsed();
    // The event loop as the program runs it, idle between its events, until
    // the sweep's result has been taken in and painted.
    QEventLoop loop;
    qint64 end = -1;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (end < 0 && !lab.Sweep().Running()) end = clock.nsecsElapsed();
      if (end >= 0 && clock.nsecsElapsed() - end > 300'000'000) loop.quit();
    });
    watch.start();
    loop.exec();
    probe.stop();
    form.Button3Click();
    state.SetIterationTime(static_cast<double>(end - start) * 1e-9);
    state.counters["max_gap_ms"] = static_cast<double>(maxGap) * 1e-6;
    state.counters["max_gap_at_end_ms"] = static_cast<double>(maxGapAtEnd) * 1e-6;
    state.counters["max_tick_interval_ms"] = static_cast<double>(maxTickInterval) * 1e-6;
    state.counters["ticks"] = ticks;
    state.counters["kept_runs"] = lab.Runs().Count();
  }
}
BENCHMARK(BM_LabSweepEventLoop)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace drivesim

namespace drivesim {
namespace {

// The step responses chart's paint alone: the current run of 400 ticks and
// N kept runs of a sweep, the chart of the size the window first gives it.
void BM_LabResponsesPaint(benchmark::State& state) {
  WindowWithLab window(static_cast<int>(state.range(0)));
  TForm1& form = window.Form;
  TLabWindow& lab = *form.LabWindow();
  for (int i = 0; i < 400; ++i) form.Timer1Timer();
  TChart& responses = lab.ResponseChart().Chart();
  for (auto _ : state) {
    responses.RequestRepaint();
    responses.DispatchPaint();
    benchmark::DoNotOptimize(responses.Surface().Pixel(100, 100));
  }
  state.counters["width"] = responses.Width();
  form.Button3Click();
}
BENCHMARK(BM_LabResponsesPaint)
    ->Arg(0)
    ->Arg(10)
    ->Arg(50)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace drivesim

namespace drivesim {
namespace {

// The main window's run as the lab follows it, with the default drive after
// "Process": Advance integrates one tick's steps (not measured) and
// TickDone hands them to the record and the live figures.
struct LiveRun {
  SimulationRig Rig;
  WindowRun Run;
  double Steps[StepsPerTick];
  double Time = 0;

  LiveRun() {
    Rig.Process();
    Run.Processed(Rig.Model, 42, 0);
  }
  void Advance() {
    for (double& v : Steps) {
      Rig.Model.IntegrateStep();
      v = Rig.Model.State[1];
    }
    Time += 1e-3;
  }
  void TickDone() {
    const DriveModel& model = Rig.Model;
    Run.TickDone(model, {Time, model.State[1], model.SetpointShown, 0, 0}, Steps);
  }
};

// What the main window's tick now does besides the simulation, with the lab
// window closed: the tick's row into the record and its hundred step
// velocities into the live figures (WindowRun::TickDone). Its share of
// BM_WindowTick.
void BM_WindowRunTickDone(benchmark::State& state) {
  LiveRun live;
  for (auto _ : state) {
    // The model is advanced outside the measurement, a tick at a time.
    state.PauseTiming();
    live.Advance();
    state.ResumeTiming();
    live.TickDone();
  }
  benchmark::DoNotOptimize(live.Run.Current().Measured());
}
BENCHMARK(BM_WindowRunTickDone)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace drivesim

namespace drivesim {
namespace {

// The step responses chart following a long current run: N ticks already
// recorded (180000 are an hour of the window's running), then per
// iteration one more tick into the record and the live figures, the chart's
// current curve brought up to date and the chart painted. The cost should
// not grow with N.
void BM_LabFollowLongRun(benchmark::State& state) {
  LiveRun live;
  WindowRun& run = live.Run;
  const auto tick = [&] {
    live.Advance();
    live.TickDone();
  };
  for (std::int64_t i = 0; i < state.range(0); ++i) tick();
  LabResponseChart chart(800, 400);
  chart.FollowCurrent(run);
  chart.Chart().DispatchPaint();
  for (auto _ : state) {
    tick();
    chart.FollowCurrent(run);
    chart.Chart().DispatchPaint();
    benchmark::DoNotOptimize(chart.Chart().Surface().Pixel(100, 100));
  }
  state.counters["points"] = chart.CurrentSeries().PointCount();
}
BENCHMARK(BM_LabFollowLongRun)
    ->Arg(400)
    ->Arg(180000)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace drivesim

// The main window's run as the lab follows it: the record of every tick in
// its chunked, bounded log, and the current step response measured live,
// against the library's run of the same inputs from rest; and what the
// figures mean when the inputs change part-way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/RunResult.h"
#include "analysis/TickLog.h"
#include "analysis/WindowRun.h"
#include "chart/ChartSeries.h"
#include "platform/Exceptions.h"
#include "sim/SimulationRig.h"
#include "sim/SimulationTick.h"
#include "sim/TimeHistory.h"

namespace drivesim {
namespace {

TEST(TickLogTest, RowsStayWhereTheyAreAndTheLogStopsAtItsCapacity) {
  const std::size_t capacity = 3 * TickLog::kChunkTicks + 10;
  TickLog log(capacity);
  const auto row = [](std::size_t i) {
    const double v = static_cast<double>(i);
    return TickSample{v * 1e-3, v, 2 * v, 3 * v, -v};
  };
  ASSERT_TRUE(log.Append(row(0)));
  const TickSample* first = &log[0];
  for (std::size_t i = 1; i < capacity; ++i) ASSERT_TRUE(log.Append(row(i)));
  EXPECT_TRUE(log.Full());
  // Appending never moved a row: the first is where it was written.
  EXPECT_EQ(&log[0], first);
  for (std::size_t i : {std::size_t{0}, TickLog::kChunkTicks - 1, TickLog::kChunkTicks,
                        2 * TickLog::kChunkTicks + 7, capacity - 1}) {
    EXPECT_EQ(log[i], row(i)) << i;
  }
  // Past the capacity rows are counted, not kept.
  EXPECT_FALSE(log.Append(row(capacity)));
  EXPECT_FALSE(log.Append(row(capacity + 1)));
  EXPECT_EQ(log.Size(), capacity);
  EXPECT_EQ(log.Dropped(), 2);
  EXPECT_EQ(log[capacity - 1], row(capacity - 1));

  log.Clear();
  EXPECT_EQ(log.Size(), 0u);
  EXPECT_EQ(log.Dropped(), 0);
  ASSERT_TRUE(log.Append(row(5)));
  EXPECT_EQ(log[0], row(5));
}

// The main window's records with the lab's run following them, "Process"
// and the timer tick done as the window does them.
class WindowRunTest : public ::testing::Test {
 protected:
  void Process(const DriveInputs& inputs) {
    rig.Process(inputs);
    run.Processed(rig.Model, rig.Gears.LoadGear.ToothCount,
                  rig.History.TimeAxis[HistoryLength - 1]);
  }
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      double steps[StepsPerTick];
      try {
        SimulationTick(rig.Model, rig.History, rig.Gears, velocity, setpoint, rig.Image, steps);
      } catch (const Exception& e) {
        run.TickFailed(e.Message());
        throw;
      }
      run.TickDone(rig.Model,
                   {rig.History.TimeAxis[HistoryLength - 1], rig.Model.State[1],
                    rig.Model.SetpointShown, rig.Gears.LoadGear.Angle, rig.Gears.MotorGear.Angle},
                   steps);
    }
  }
  // The setpoint spin edit: the model takes the value at once.
  void EnterSetpoint(int value) {
    rig.Model.SetpointShown = value;
    rig.Model.Setpoint = value;
  }
  void Reset() {
    rig.Model.ZeroState();
    rig.History.ResetHistory(rig.Model.StepSize);
    run.Reset();
  }

  // The live figures are those of the library's run of the inputs from rest
  // for the ticks measured.
  void ExpectFiguresOf(const DriveInputs& inputs, int ticks) {
    const RunResult expected = RunDrive(inputs, ticks);
    const RunResult live = run.Current().Result();
    EXPECT_EQ(live.Record.Inputs, inputs);
    EXPECT_EQ(live.Record.Coefficients, expected.Record.Coefficients);
    EXPECT_EQ(live.Record.TicksDone, ticks);
    EXPECT_EQ(live.FinalValue, expected.FinalValue);
    EXPECT_EQ(live.Measured, expected.Measured);
    EXPECT_EQ(live.ClosedForm, expected.ClosedForm);
    EXPECT_EQ(live.Status, expected.Status);
    std::vector<double> curve{0};
    for (const TickSample& t : expected.Record.Ticks) curve.push_back(t.LoadVelocity);
    EXPECT_EQ(run.CurrentCurve(), curve);
  }

  SimulationRig rig;
  TChartSeries velocity;
  TChartSeries setpoint;
  WindowRun run;
};

TEST_F(WindowRunTest, TheLiveFiguresAreTheLibrarysForTheSameRun) {
  EXPECT_EQ(run.Current().State(), LiveRunState::Waiting);
  EXPECT_FALSE(run.Recording());
  // Nothing is recorded before "Process".
  Tick(3);
  EXPECT_EQ(run.Log().Size(), 0u);
  Reset();

  DriveInputs inputs;
  inputs.Setpoint = 100;
  Process(inputs);
  EXPECT_EQ(run.Current().State(), LiveRunState::Measuring);
  Tick(200);
  ExpectFiguresOf(inputs, 200);
  // The default loop's figures, measured live: 4.651 % overshoot at 34.76 ms.
  const StepFigures m = run.Current().Measured();
  EXPECT_NEAR(*m.OvershootPct, 4.651, 1e-3);
  EXPECT_NEAR(*m.PeakTime, 34.76e-3, 1e-5);
  EXPECT_EQ(run.Current().Status(), RunStatus::Settled);

  // The record is the batch tool's rows for the same run.
  const RunRecord record = RecordRun(inputs, 200);
  ASSERT_EQ(run.Log().Size(), 200u);
  for (std::size_t i = 0; i < 200; ++i) ASSERT_EQ(run.Log()[i], record.Ticks[i]) << i;

  // "Pause" and "Process" with the same inputs: the run goes on.
  Process(inputs);
  Tick(150);
  EXPECT_EQ(run.Current().State(), LiveRunState::Measuring);
  ExpectFiguresOf(inputs, 350);

  // "Reset" ends the record; the next "Process" starts a new one at t = 0.
  const std::uint64_t before = run.RunNumber();
  Reset();
  EXPECT_FALSE(run.Recording());
  EXPECT_EQ(run.Log().Size(), 0u);
  EXPECT_EQ(run.Current().State(), LiveRunState::Waiting);
  EXPECT_NE(run.RunNumber(), before);
  inputs.FeedbackCoef = 0.5;
  inputs.LoadTeeth = 30;
  Process(inputs);
  Tick(120);
  EXPECT_EQ(run.Current().StartTime(), 0.0);
  ExpectFiguresOf(inputs, 120);
  EXPECT_EQ(run.Log()[0].Time, 0.001);
}

TEST_F(WindowRunTest, InputsChangedAfterTheDriveMovedEndTheFiguresThere) {
  DriveInputs inputs;
  inputs.Setpoint = 150;
  Process(inputs);
  Tick(50);
  // "Process" with another feedback coefficient while running.
  DriveInputs other = inputs;
  other.FeedbackCoef = 2;
  Process(other);
  Tick(70);
  EXPECT_EQ(run.Current().State(), LiveRunState::InputsChanged);
  EXPECT_NEAR(*run.Current().EndTime(), 0.050, 1e-12);
  // The figures and the curve are those of the first 50 ticks; the record
  // goes on.
  ExpectFiguresOf(inputs, 50);
  EXPECT_EQ(run.Log().Size(), 120u);
  // Going back to the first inputs does not mend the response.
  Process(inputs);
  Tick(5);
  EXPECT_EQ(run.Current().State(), LiveRunState::InputsChanged);
  EXPECT_EQ(run.Current().TickCount(), 50);

  // The setpoint spin edit while running ends the run the same way.
  Reset();
  Process(inputs);
  Tick(30);
  EnterSetpoint(160);
  Tick(10);
  EXPECT_EQ(run.Current().State(), LiveRunState::InputsChanged);
  EXPECT_NEAR(*run.Current().EndTime(), 0.030, 1e-12);
  ExpectFiguresOf(inputs, 30);

  // So does another tooth count, which takes effect with "Process".
  Reset();
  Process(inputs);
  Tick(20);
  other = inputs;
  other.LoadTeeth = 20;
  Process(other);
  Tick(3);
  EXPECT_EQ(run.Current().State(), LiveRunState::InputsChanged);
  ExpectFiguresOf(inputs, 20);
}

TEST_F(WindowRunTest, AChangeWhileStillAtRestBeginsTheRunThere) {
  // "Process" with the setpoint at 0: nothing moves.
  DriveInputs inputs;
  inputs.Setpoint = 0;
  Process(inputs);
  Tick(40);
  EXPECT_EQ(run.Current().Status(), RunStatus::NoResponse);
  const std::uint64_t before = run.RunNumber();

  // The setpoint raised while running: a step from rest after all, its
  // t = 0 where the setpoint changed.
  EnterSetpoint(100);
  Tick(200);
  EXPECT_NE(run.RunNumber(), before);
  EXPECT_EQ(run.Current().State(), LiveRunState::Measuring);
  EXPECT_EQ(run.Current().FirstTick(), 40);
  EXPECT_NEAR(run.Current().StartTime(), 0.040, 1e-12);
  inputs.Setpoint = 100;
  ExpectFiguresOf(inputs, 200);
  // The record holds every tick since "Process".
  EXPECT_EQ(run.Log().Size(), 240u);

  // "Process" with other inputs before the first tick replaces the run's
  // inputs.
  Reset();
  Process(inputs);
  DriveInputs other = inputs;
  other.AmpGain = 14;
  Process(other);
  Tick(100);
  ExpectFiguresOf(other, 100);
}

TEST_F(WindowRunTest, AFailingTickEndsTheRunAsDiverged) {
  DriveInputs inputs;
  inputs.FeedbackCoef = -1000;  // positive feedback: the model diverges
  inputs.Setpoint = 10;
  Process(inputs);
  int good = 0;
  try {
    for (; good < 5000; ++good) Tick();
    FAIL() << "the model did not diverge";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Floating point overflow");
  }
  ASSERT_GT(good, 10);
  EXPECT_EQ(run.Current().State(), LiveRunState::Diverged);
  EXPECT_EQ(run.Current().TickCount(), good);
  EXPECT_EQ(run.Current().FailureMessage(), "Floating point overflow");
  const RunResult result = run.Current().Result();
  EXPECT_EQ(result.Status, RunStatus::Diverged);
  EXPECT_EQ(result.Record.End, RunEnd::Failed);
  EXPECT_EQ(result.Record.FailedTick, good + 1);
  // The ticks before the failing one, as the library's run of that many.
  const RunResult before = RunDrive(inputs, good);
  EXPECT_EQ(result.Measured, before.Measured);
  EXPECT_EQ(run.Log().Size(), static_cast<std::size_t>(good));
}

}  // namespace
}  // namespace drivesim

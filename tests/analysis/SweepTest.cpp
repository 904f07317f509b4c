// Sweeps: reading sweep descriptions and refusing bad ones in one line, the
// values runs are given, results that do not depend on the thread count,
// progress, cancelling, and a diverging run inside a sweep.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "analysis/Sweep.h"
#include "platform/Numbers.h"

namespace drivesim {
namespace {

std::string RefusalOf(const std::string& text) {
  try {
    ParseSweepSpec(text);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "accepted";
}

TEST(SweepTest, ReadsSpecifications) {
  SweepSpec s = ParseSweepSpec("feedback=0.2:3:10");
  EXPECT_EQ(s.Parameter, SweepParameter::Feedback);
  ASSERT_EQ(s.Values.size(), 10u);
  EXPECT_EQ(s.Values.front(), 0.2);
  EXPECT_EQ(s.Values.back(), 3.0);
  for (std::size_t k = 1; k < s.Values.size(); ++k) {
    EXPECT_NEAR(s.Values[k] - s.Values[k - 1], 2.8 / 9, 1e-12);
  }
  // Descending ranges and lists, blanks around numbers.
  s = ParseSweepSpec("gain=20:10:3");
  EXPECT_EQ(s.Values, (std::vector<double>{20, 15, 10}));
  s = ParseSweepSpec("time-constant= 0.004,0.006 ,1e-2");
  EXPECT_EQ(s.Parameter, SweepParameter::TimeConstant);
  EXPECT_EQ(s.Values, (std::vector<double>{0.004, 0.006, 0.01}));
  // Whole-number inputs are rounded half to even.
  s = ParseSweepSpec("teeth=8:9:3");
  EXPECT_EQ(s.Values, (std::vector<double>{8, 8, 9}));
  s = ParseSweepSpec("setpoint=10.5,11.5,299.5");
  EXPECT_EQ(s.Values, (std::vector<double>{10, 12, 300}));
  // Every name of the sweepable inputs.
  for (const char* name : {"gain", "time-constant", "motor-coef", "motor-inertia", "load-inertia",
                           "friction", "feedback", "teeth", "setpoint"}) {
    const SweepSpec spec = ParseSweepSpec(std::string(name) + "=10,20");
    EXPECT_STREQ(SweepParameterName(spec.Parameter), name);
  }
  // The separator is a point whatever the locale says.
  const char saved = DecimalSeparator();
  SetDecimalSeparator(',');
  EXPECT_EQ(ParseSweepSpec("feedback=0.5,1.5").Values, (std::vector<double>{0.5, 1.5}));
  EXPECT_EQ(DecimalSeparator(), ',');
  SetDecimalSeparator(saved);
}

TEST(SweepTest, RefusesBadSpecifications) {
  EXPECT_EQ(RefusalOf("feedback"), "Sweep 'feedback' is not NAME=FROM:TO:COUNT or NAME=V1,V2,...");
  EXPECT_EQ(RefusalOf("feedback=1:2"),
            "Sweep 'feedback=1:2' is not NAME=FROM:TO:COUNT or NAME=V1,V2,...");
  EXPECT_EQ(RefusalOf("voltage=1,2"), "Unknown sweep parameter 'voltage'");
  EXPECT_EQ(RefusalOf("Feedback=1,2"), "Unknown sweep parameter 'Feedback'");
  EXPECT_EQ(RefusalOf("feedback=1:2:1"), "Sweep count must be between 2 and 1000");
  EXPECT_EQ(RefusalOf("feedback=1:2:1001"), "Sweep count must be between 2 and 1000");
  EXPECT_EQ(RefusalOf("feedback=1:2:ten"), "'ten' is not a valid integer value");
  EXPECT_EQ(RefusalOf("feedback=1:x:10"), "'x' is not a valid floating point value");
  EXPECT_EQ(RefusalOf("feedback=1,,2"), "'' is not a valid floating point value");
  EXPECT_EQ(RefusalOf("feedback=0,5"), "accepted");
  EXPECT_EQ(RefusalOf("feedback=1e400,1"), "Floating point overflow");
  EXPECT_EQ(RefusalOf("gain=-1.7e308:1.7e308:3"), "Floating point overflow");
  EXPECT_EQ(RefusalOf("teeth=0,8"), "Number of gear teeth must be between 1 and 55");
  EXPECT_EQ(RefusalOf("teeth=55.5,8"), "Number of gear teeth must be between 1 and 55");
  EXPECT_EQ(RefusalOf("teeth=0.5,55.4"), "Number of gear teeth must be between 1 and 55");
  EXPECT_EQ(RefusalOf("setpoint=-10:100:3"), "Preset velocity of load must be between 0 and 300");
  EXPECT_EQ(RefusalOf("setpoint=300.5,100"), "accepted");
  EXPECT_EQ(RefusalOf("setpoint=301,100"), "Preset velocity of load must be between 0 and 300");
  std::string many = "gain=1";
  for (int i = 0; i < 1000; ++i) many += ",1";
  EXPECT_EQ(RefusalOf(many), "A sweep takes at most 1000 values");

  // Values that "Process" refuses are refused before anything runs.
  DriveInputs base;
  try {
    SweepInputs(base, ParseSweepSpec("time-constant=0.01,0,0.02"));
    ADD_FAILURE() << "a zero time constant was accepted";
  } catch (const ESweepError& e) {
    EXPECT_EQ(e.Message(), "Sweep value time-constant=0: Floating point division by zero");
  }
  EXPECT_THROW(RunSweep(base, ParseSweepSpec("time-constant=0"), {}), ESweepError);
}

TEST(SweepTest, RunsGetTheSweptValue) {
  DriveInputs base;
  base.Setpoint = 50;
  const SweepSpec spec = ParseSweepSpec("teeth=20,30");
  const std::vector<DriveInputs> inputs = SweepInputs(base, spec);
  ASSERT_EQ(inputs.size(), 2u);
  EXPECT_EQ(inputs[0].LoadTeeth, 20);
  EXPECT_EQ(inputs[1].LoadTeeth, 30);
  EXPECT_EQ(inputs[1].Setpoint, 50);
  EXPECT_EQ(inputs[1].AmpGain, base.AmpGain);
  for (int p = 0; p <= static_cast<int>(SweepParameter::Setpoint); ++p) {
    const auto parameter = static_cast<SweepParameter>(p);
    const DriveInputs changed = WithSweptValue(base, parameter, 17);
    EXPECT_EQ(SweptValueOf(changed, parameter), 17);
    EXPECT_NE(changed, base);
    // Every other input is the base's.
    EXPECT_EQ(WithSweptValue(changed, parameter, SweptValueOf(base, parameter)), base);
  }
}

TEST(SweepTest, ResultsInSweepOrderForAnyThreadCount) {
  DriveInputs base;
  const SweepSpec spec = ParseSweepSpec("feedback=-100,0.2,1,3,0.5,2,0.7,1.5,0.3");
  std::vector<SweepResult> results;
  for (int threads : {1, 2, 7}) {
    SweepOptions options;
    options.Ticks = 120;
    options.Threads = threads;
    std::mutex m;
    std::vector<int> seen;
    options.Progress = [&](int done, int total) {
      const std::lock_guard<std::mutex> lock(m);
      EXPECT_EQ(total, 9);
      seen.push_back(done);
    };
    results.push_back(RunSweep(base, spec, options));
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  }
  const SweepResult& one = results[0];
  EXPECT_FALSE(one.Cancelled);
  ASSERT_EQ(one.Runs.size(), 9u);
  for (std::size_t i = 0; i < one.Runs.size(); ++i) {
    EXPECT_EQ(one.Runs[i].Record.Inputs.FeedbackCoef, spec.Values[i]);
    EXPECT_TRUE(one.Runs[i].Finished);
    // Each run is the run made alone.
    if (i == 3) {
      EXPECT_EQ(one.Runs[i], RunDrive(one.Runs[i].Record.Inputs, 120));
    }
  }
  EXPECT_EQ(results[1].Runs, one.Runs);
  EXPECT_EQ(results[2].Runs, one.Runs);
  // A larger feedback coefficient: a lower final value, so a larger static
  // error, and less damping, so more overshoot.
  EXPECT_GT(*one.Runs[3].Measured.StaticErrorPct, *one.Runs[1].Measured.StaticErrorPct);
  EXPECT_GT(*one.Runs[3].Measured.OvershootPct, *one.Runs[1].Measured.OvershootPct);
}

TEST(SweepTest, DivergingRunDoesNotEndTheSweep) {
  DriveInputs base;
  SweepOptions options;
  options.Ticks = 1000;
  options.Threads = 2;
  options.Run.KeepSamples = false;
  const SweepResult r = RunSweep(base, ParseSweepSpec("feedback=1,-100,2"), options);
  ASSERT_EQ(r.Runs.size(), 3u);
  EXPECT_EQ(r.Runs[0].Status, RunStatus::Settled);
  EXPECT_EQ(r.Runs[1].Status, RunStatus::Diverged);
  EXPECT_EQ(r.Runs[1].Record.FailureMessage, "Floating point overflow");
  EXPECT_LT(r.Runs[1].Record.TicksDone, 1000);
  EXPECT_EQ(r.Runs[2].Record.TicksDone, 1000);
  EXPECT_TRUE(r.Runs[0].Record.Velocity.empty());
  EXPECT_EQ(r.Runs[2].Record.Ticks.size(), 1000u);
}

// Runs taken in sweep order as they finish: each delivered once, in order,
// as the run made alone; what the callback takes away stays away; and the
// finished runs waiting for an earlier one stay within the window.
TEST(SweepTest, RunsAreDeliveredInSweepOrderWithFewWaiting) {
  DriveInputs base;
  const SweepSpec spec = ParseSweepSpec("feedback=-100:4:30");
  for (int threads : {1, 3}) {
    SCOPED_TRACE(threads);
    SweepOptions options;
    options.Ticks = 60;
    options.Threads = threads;
    std::vector<int> order;
    int worstWaiting = 0;
    bool same = true;
    options.Progress = [&](int done, int) {
      worstWaiting = std::max(worstWaiting, done - static_cast<int>(order.size()));
    };
    const std::vector<DriveInputs> inputs = SweepInputs(base, spec);
    options.InOrder = [&](int index, RunResult& run) {
      order.push_back(index);
      same = same && run == RunDrive(inputs[static_cast<std::size_t>(index)], 60);
      run.Record.Ticks.clear();
      run.Record.Velocity.clear();
    };
    const SweepResult r = RunSweep(base, spec, options);
    std::vector<int> expected(spec.Values.size());
    for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<int>(i);
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(same);
    EXPECT_LE(worstWaiting, threads * kMaxRunsAhead);
    for (const RunResult& run : r.Runs) {
      EXPECT_TRUE(run.Record.Ticks.empty());
      EXPECT_TRUE(run.Measured.EndValue);
    }
  }
}

TEST(SweepTest, CancelStopsBetweenTicks) {
  DriveInputs base;
  std::atomic<bool> cancel{false};
  SweepOptions options;
  options.Ticks = 500;
  options.Threads = 2;
  options.Run.Cancel = &cancel;
  // The flag is raised once the first run has finished: the runs under way
  // stop at their next tick, the others never start.
  options.Progress = [&](int, int) { cancel = true; };
  const SweepResult r = RunSweep(base, ParseSweepSpec("feedback=0.2:3:40"), options);
  EXPECT_TRUE(r.Cancelled);
  ASSERT_EQ(r.Runs.size(), 40u);
  int finished = 0;
  for (const RunResult& run : r.Runs) {
    if (run.Finished) {
      ++finished;
      EXPECT_EQ(run.Record.TicksDone, 500);
    } else {
      EXPECT_LT(run.Record.TicksDone, 500);
    }
  }
  EXPECT_GE(finished, 1);
  EXPECT_LE(finished, 2);
  // Without the flag raised the same sweep is not cancelled.
  cancel = false;
  options.Progress = nullptr;
  options.Ticks = 5;
  EXPECT_FALSE(RunSweep(base, ParseSweepSpec("feedback=1,2"), options).Cancelled);
}

}  // namespace
}  // namespace drivesim

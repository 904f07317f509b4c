// drivesim-batch --design and the loop's columns of --metrics: the intervals
// the library finds, the answer's header when there is none, and targets
// refused with one line and status 2.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "analysis/DesignTargets.h"
#include "analysis/FiguresCsv.h"
#include "analysis/FrequencyResponse.h"
#include "batch/Batch.h"
#include "batch/BatchToolRun.h"

namespace drivesim {
namespace {

std::vector<std::string> OutputLines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Row(double from, double to) {
  std::string text;
  AppendReal(text, from);
  text += ',';
  AppendReal(text, to);
  return text;
}

TEST(BatchDesignTest, IntervalsOfTheClosedForm) {
  // The default drive: overshoot, 2 % settling and the comparator's error
  // meet on one interval, its ends those of the library's answer.
  const ToolRun r = RunTool({"--design", "overshoot<=5,settling2<=0.05,error<=15"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");
  DesignTargets targets;
  targets[TargetKind::Overshoot] = {true, 5};
  targets[TargetKind::Settling2] = {true, 0.05};
  targets[TargetKind::Error] = {true, 15};
  const DesignAnswer answer = FindDesignIntervals(FeedbackLoop(DriveInputs{}), targets, 0, 10);
  ASSERT_EQ(answer.Intervals.size(), 1u);
  const std::vector<std::string> lines = OutputLines(r.Out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "feedback_from,feedback_to");
  EXPECT_EQ(lines[1], Row(answer.Intervals[0].From, answer.Intervals[0].To));
  // 0.648 to 1.03: the error target sets the lower end, the overshoot the
  // upper one.
  EXPECT_NEAR(answer.Intervals[0].From, 0.6476190476, 1e-9);
  EXPECT_NEAR(answer.Intervals[0].To, 1.0279, 1e-4);

  // Two intervals over a range of our own, the last reaching its end; the
  // other inputs as given.
  const ToolRun two =
      RunTool({"--design=settling2<=0.047", "--design-range", "0.5:12", "--load-inertia", "0.3"});
  ASSERT_EQ(two.Status, 0) << two.Err;
  const std::vector<std::string> rows = OutputLines(two.Out);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2].substr(rows[2].find(',')), ",12");
  const ToolRun heavier = RunTool({"--design", "damping>=0.7", "--load-inertia", "0.6"});
  ASSERT_EQ(heavier.Status, 0);
  DriveInputs heavy;
  heavy.LoadInertia = 0.6;
  DesignTargets damping;
  damping[TargetKind::Damping] = {true, 0.7};
  const DesignAnswer h = FindDesignIntervals(FeedbackLoop(heavy), damping, 0, 10);
  ASSERT_EQ(h.Intervals.size(), 1u);
  EXPECT_EQ(OutputLines(heavier.Out)[1], Row(0, h.Intervals[0].To));

  // No k meets them: the header alone, the reason on one line.
  const ToolRun none = RunTool({"--design", "overshoot<=1,error<=5", "--design-range=0:5"});
  ASSERT_EQ(none.Status, 0);
  EXPECT_EQ(none.Out, "feedback_from,feedback_to\n");
  EXPECT_EQ(none.Err,
            "no k from 0 to 5 meets them: the overshoot target needs k \u2264 0.683, the error "
            "target k \u2265 2.17\n");
}

TEST(BatchDesignTest, BadTargetsAndCombinations) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"--design", "damping<=0.5"},
           {"--design", "overshoot<=five"},
           {"--design", "speed<=3"},
           {"--design", ""},
           {"--design", "overshoot<=5", "--design-range", "3:1"},
           {"--design", "overshoot<=5", "--design-range", "0"},
           {"--design-range", "0:3"},
           {"--design", "overshoot<=5", "--metrics", "-"},
           {"--design", "overshoot<=5", "--sweep", "feedback=1:2:3"},
           {"--design", "overshoot<=5", "--time-constant", "0"}}) {
    const ToolRun r = RunTool(arguments);
    EXPECT_EQ(r.Status, 2) << arguments[1];
    EXPECT_EQ(r.Out, "") << arguments[1];
    ASSERT_FALSE(r.Err.empty());
    EXPECT_EQ(r.Err.find('\n'), r.Err.size() - 1) << r.Err;
  }
  const ToolRun help = RunTool({"--help"});
  for (const char* text : {"  --design TARGETS ", "  --design-range FROM:TO ",
                           "pole1_re,pole1_im,pole2_re,pole2_im,loop_gain_dc,error_signal_pct,",
                           "crossover_freq,phase_margin_deg,bandwidth,resonance_peak_db"})
    EXPECT_NE(help.Out.find(text), std::string::npos) << text;
}

TEST(BatchDesignTest, MetricsCarryTheLoopsFigures) {
  // The existing columns stay in place; the loop's ten follow them.
  const ToolRun r = RunTool({"--metrics", "-", "--feedback", "2"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const std::vector<std::string> lines = OutputLines(r.Out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0] + '\n', FiguresCsvHeader());
  EXPECT_EQ(lines[0],
            "run,value,gain,time_constant,motor_coef,motor_inertia,load_inertia,friction,"
            "feedback,teeth,setpoint,status,final_value,end_value,static_error,"
            "static_error_pct,peak,peak_time_s,overshoot_pct,rise_time_s,settling_2pct_s,"
            "settling_5pct_s,crossings,natural_freq,damping_ratio,theory_overshoot_pct,"
            "theory_peak_time_s,theory_rise_time_s,theory_settling_2pct_s,"
            "theory_settling_5pct_s,pole1_re,pole1_im,pole2_re,pole2_im,loop_gain_dc,"
            "error_signal_pct,crossover_freq,phase_margin_deg,bandwidth,resonance_peak_db");
  std::vector<std::string> fields;
  std::stringstream row(lines[1]);
  for (std::string f; std::getline(row, f, ',');) fields.push_back(f);
  ASSERT_EQ(fields.size(), 40u);
  DriveInputs in;
  in.FeedbackCoef = 2;
  const FrequencyFigures f = ComputeFrequencyFigures(FeedbackLoop(in).At(2));
  EXPECT_EQ(std::stod(fields[36]), *f.CrossoverFreq);
  EXPECT_EQ(std::stod(fields[37]), *f.PhaseMarginDeg);
  EXPECT_NEAR(std::stod(fields[34]), 2 * 10 * 1.4 / 1.6, 1e-13);
  EXPECT_NEAR(std::stod(fields[35]), 100 / (1 + 17.5), 1e-12);
}

}  // namespace
}  // namespace drivesim

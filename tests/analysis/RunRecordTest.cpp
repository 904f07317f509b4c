// The run record against the main window's own tick, and the CSV texts of
// runs: the header, the figures row with its empty fields, and the per-tick
// rows of a sweep.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/FiguresCsv.h"
#include "analysis/FrequencyResponse.h"
#include "analysis/LoopPoles.h"
#include "analysis/RunRecord.h"
#include "analysis/RunResult.h"
#include "chart/Series.h"
#include "mechanism/Gears.h"
#include "platform/Numbers.h"
#include "sim/SimulationTick.h"
#include "sim/TimeHistory.h"

namespace drivesim {
namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, ',')) fields.push_back(field);
  if (!line.empty() && line.back() == ',') fields.push_back("");
  return fields;
}

TEST(RunRecordTest, SameAsTheWindowsTicks) {
  DriveInputs inputs;
  inputs.LoadTeeth = 30;
  inputs.Setpoint = 210;
  const RunRecord record = RecordRun(inputs, 700);

  // The window after "Reset" and "Process", ticking.
  DriveModel model;
  model.StepSize = kModelStepSize;
  TimeHistory history;
  history.ResetHistory(model.StepSize);
  GearPair gears;
  gears.SetUpGears(inputs.LoadTeeth);
  TLineSeries velocity;
  TLineSeries setpoint;
  TBitmap image(353, 313);
  EnterInputs(model, inputs);
  ASSERT_EQ(record.Ticks.size(), 700u);
  EXPECT_EQ(record.Coefficients,
            (LoopCoefficients{model.CoefInput, model.CoefAccel, model.CoefVelocity}));
  for (int tick = 1; tick <= 700; ++tick) {
    SimulationTick(model, history, gears, velocity, setpoint, image);
    const TickSample& t = record.Ticks[static_cast<std::size_t>(tick - 1)];
    ASSERT_EQ(t.Time, history.TimeAxis[HistoryLength - 1]) << tick;
    ASSERT_EQ(t.LoadVelocity, model.State[1]) << tick;
    ASSERT_EQ(t.Setpoint, 210.0);
    ASSERT_EQ(t.LoadGearAngle, gears.LoadGear.Angle) << tick;
    ASSERT_EQ(t.MotorGearAngle, gears.MotorGear.Angle) << tick;
    ASSERT_EQ(record.Velocity[static_cast<std::size_t>(tick) * StepsPerTick], model.State[1]);
  }
  // The load gear wrapped to 0 on the way, more than once.
  int wraps = 0;
  for (std::size_t k = 1; k < record.Ticks.size(); ++k) wraps += record.Ticks[k].LoadGearAngle == 0;
  EXPECT_GE(wraps, 2);

  // A failing tick: the integration steps before the failure are kept, the
  // tick's row is not.
  DriveInputs wild = inputs;
  wild.FeedbackCoef = -100;
  const RunRecord failed = RecordRun(wild, 2000);
  EXPECT_EQ(failed.End, RunEnd::Failed);
  EXPECT_EQ(failed.TicksDone, failed.FailedTick - 1);
  EXPECT_EQ(failed.Ticks.size(), static_cast<std::size_t>(failed.TicksDone));
  EXPECT_GT(failed.Velocity.size(), static_cast<std::size_t>(failed.TicksDone) * StepsPerTick + 1);
  EXPECT_LE(failed.Velocity.size(), static_cast<std::size_t>(failed.FailedTick) * StepsPerTick);

  // "Process" refusing the inputs: nothing runs.
  DriveInputs refused = inputs;
  refused.AmpTimeConst = 0;
  EXPECT_THROW(RecordRun(refused, 10), EZeroDivide);
}

TEST(RunRecordTest, FiguresCsv) {
  const std::string header = FiguresCsvHeader();
  EXPECT_EQ(header,
            "run,value,gain,time_constant,motor_coef,motor_inertia,load_inertia,friction,"
            "feedback,teeth,setpoint,status,final_value,end_value,static_error,"
            "static_error_pct,peak,peak_time_s,overshoot_pct,rise_time_s,settling_2pct_s,"
            "settling_5pct_s,crossings,natural_freq,damping_ratio,theory_overshoot_pct,"
            "theory_peak_time_s,theory_rise_time_s,theory_settling_2pct_s,"
            "theory_settling_5pct_s,pole1_re,pole1_im,pole2_re,pole2_im,loop_gain_dc,"
            "error_signal_pct,crossover_freq,phase_margin_deg,bandwidth,resonance_peak_db\n");
  const std::vector<std::string> names = Fields(header.substr(0, header.size() - 1));
  ASSERT_EQ(names.size(), 40u);

  // Written with a point under a comma locale.
  const char saved = DecimalSeparator();
  SetDecimalSeparator(',');
  DriveInputs inputs;
  const RunResult r = RunDrive(inputs, 400);
  std::string row;
  AppendFiguresRow(row, 3, 1.0, r);
  SetDecimalSeparator(saved);
  ASSERT_EQ(row.back(), '\n');
  const std::vector<std::string> f = Fields(row.substr(0, row.size() - 1));
  ASSERT_EQ(f.size(), 40u);
  const auto field = [&](const std::string& name) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (names[i] == name) return f[i];
    }
    return std::string("no such column");
  };
  EXPECT_EQ(field("run"), "3");
  EXPECT_EQ(field("value"), "1");
  EXPECT_EQ(field("time_constant"), "0.006");
  EXPECT_EQ(field("teeth"), "42");
  EXPECT_EQ(field("setpoint"), "100");
  EXPECT_EQ(field("status"), "settled");
  EXPECT_EQ(field("crossings"), "1");
  EXPECT_EQ(std::stod(field("final_value")), *r.FinalValue);
  EXPECT_EQ(std::stod(field("peak_time_s")), *r.Measured.PeakTime);
  EXPECT_EQ(std::stod(field("theory_settling_5pct_s")), *r.ClosedForm.Settling5Pct);
  EXPECT_EQ(std::stod(field("rise_time_s")), *r.Measured.RiseTime);
  EXPECT_EQ(std::stod(field("damping_ratio")), *r.ClosedForm.DampingRatio);
  // The loop's figures: complex poles of the default drive, L(0) = k A M / F,
  // the comparator's error 100 / (1 + L(0)).
  const FeedbackLoop loop(inputs);
  const LoopPoles poles =
      ComputePoles(r.Record.Coefficients.CoefAccel, r.Record.Coefficients.CoefVelocity);
  EXPECT_EQ(std::stod(field("pole1_re")), poles.Pole1.real());
  EXPECT_GT(std::stod(field("pole1_im")), 0);
  EXPECT_EQ(std::stod(field("pole2_im")), -poles.Pole1.imag());
  EXPECT_NEAR(std::stod(field("loop_gain_dc")), 10 * 1.4 / 1.6, 1e-14);
  EXPECT_NEAR(std::stod(field("error_signal_pct")), 100 / (1 + 8.75), 1e-12);
  const FrequencyFigures freq = ComputeFrequencyFigures(loop.At(1));
  EXPECT_EQ(std::stod(field("crossover_freq")), *freq.CrossoverFreq);
  EXPECT_EQ(std::stod(field("phase_margin_deg")), *freq.PhaseMarginDeg);
  EXPECT_EQ(std::stod(field("bandwidth")), *freq.Bandwidth);
  EXPECT_GT(std::stod(field("resonance_peak_db")), 0);
  // The shortest text that reads back exactly.
  EXPECT_EQ(std::stod(field("peak")), *r.Measured.Peak);
  EXPECT_LE(field("peak").size(), 18u);

  // Absent figures are empty fields: no sweep value, no peak of an
  // over-damped run, no peak time in its closed form.
  DriveInputs over;
  over.FeedbackCoef = 0.1;
  row.clear();
  AppendFiguresRow(row, 1, std::nullopt, RunDrive(over, 300));
  const std::vector<std::string> g = Fields(row.substr(0, row.size() - 1));
  ASSERT_EQ(g.size(), 40u);
  EXPECT_EQ(g[1], "");
  EXPECT_EQ(g[16], "");   // peak
  EXPECT_EQ(g[17], "");   // peak_time_s
  EXPECT_EQ(g[18], "0");  // overshoot_pct
  EXPECT_EQ(g[26], "");   // theory_peak_time_s
  EXPECT_NE(g[27], "");   // theory_rise_time_s

  // An unstable run: every closed-form field empty, the final value too,
  // while the static error is still taken against CoefInput*Setpoint /
  // CoefVelocity.
  DriveInputs unstable;
  unstable.FeedbackCoef = -1;
  row.clear();
  AppendFiguresRow(row, 2, -1.0, RunDrive(unstable, 50));
  const std::vector<std::string> u = Fields(row.substr(0, row.size() - 1));
  ASSERT_EQ(u.size(), 40u);
  EXPECT_EQ(u[11], "unstable");
  for (std::size_t i = 23; i < 30; ++i) EXPECT_EQ(u[i], "") << names[i];
  EXPECT_EQ(u[12], "");  // final_value
  EXPECT_NE(u[14], "");  // static_error
  // Its poles and open loop exist, its closed loop's steady state and
  // frequency figures do not.
  EXPECT_GT(std::stod(u[30]), 0);               // pole1_re, in the right half-plane
  EXPECT_EQ(u[31], "0");                        // pole1_im
  EXPECT_NEAR(std::stod(u[34]), -8.75, 1e-14);  // loop_gain_dc
  EXPECT_EQ(u[35], "");                         // error_signal_pct
  EXPECT_NE(u[36], "");                         // crossover_freq
  EXPECT_EQ(u[38], "");                         // bandwidth
  EXPECT_EQ(u[39], "");                         // resonance_peak_db

  // Without friction: no DC gain, no error at the comparator; an over-damped
  // loop has no resonance peak (0 dB) and real poles.
  DriveInputs frictionless = over;
  frictionless.ViscousFriction = 0;
  row.clear();
  AppendFiguresRow(row, 1, std::nullopt, RunDrive(frictionless, 20));
  const std::vector<std::string> z = Fields(row.substr(0, row.size() - 1));
  ASSERT_EQ(z.size(), 40u);
  EXPECT_EQ(z[34], "");   // loop_gain_dc
  EXPECT_EQ(z[35], "0");  // error_signal_pct
  EXPECT_NE(z[36], "");   // crossover_freq
  EXPECT_EQ(z[39], "0");  // resonance_peak_db
  EXPECT_EQ(z[31], "0");
  EXPECT_EQ(z[33], "0");
}

TEST(RunRecordTest, TickRows) {
  EXPECT_EQ(TickCsvHeader(),
            "run,tick,time_s,load_velocity,setpoint,load_gear_angle,motor_gear_angle\n");
  DriveInputs inputs;
  const RunRecord record = RecordRun(inputs, 3);
  std::string text;
  AppendTickRows(text, 7, record);
  std::stringstream in(text);
  std::string line;
  int tick = 0;
  while (std::getline(in, line)) {
    ++tick;
    const std::vector<std::string> f = Fields(line);
    ASSERT_EQ(f.size(), 7u);
    EXPECT_EQ(f[0], "7");
    EXPECT_EQ(f[1], std::to_string(tick));
    const TickSample& t = record.Ticks[static_cast<std::size_t>(tick - 1)];
    EXPECT_EQ(std::stod(f[2]), t.Time);
    EXPECT_EQ(std::stod(f[3]), t.LoadVelocity);
    EXPECT_EQ(f[4], "100");
    EXPECT_EQ(std::stod(f[5]), t.LoadGearAngle);
    EXPECT_EQ(std::stod(f[6]), t.MotorGearAngle);
  }
  EXPECT_EQ(tick, 3);
  // The first tick's gears have not turned yet: they turn by the velocity
  // the previous tick left, 0 at rest.
  EXPECT_EQ(record.Ticks[0].LoadGearAngle, 0.0);
  EXPECT_GT(record.Ticks[1].LoadGearAngle, 0.0);
}

}  // namespace
}  // namespace drivesim

// Reals in every CSV: typed values come out as typed, and every double
// (awkward fractions, tiny and huge magnitudes, negatives) reads back as
// the same double.
TEST(RunRecordTest, RealsShortestAndExact) {
  const auto text = [](double v) {
    std::string s;
    drivesim::AppendReal(s, v);
    return s;
  };
  EXPECT_EQ(text(0.006), "0.006");
  EXPECT_EQ(text(0.1), "0.1");
  EXPECT_EQ(text(1e-5), "1e-5");
  EXPECT_EQ(text(300), "300");
  EXPECT_EQ(text(-2.5), "-2.5");
  EXPECT_EQ(text(0), "0");
  EXPECT_EQ(text(1.5e20), "1.5e20");
  EXPECT_EQ(text(-3e-300), "-3e-300");
  EXPECT_EQ(text(0.1 + 0.2), "0.30000000000000004");

  std::uint64_t state = 88172645463325252ull;
  for (int i = 0; i < 2000; ++i) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    double v;
    std::memcpy(&v, &state, sizeof v);
    if (!std::isfinite(v)) continue;
    const std::string s = text(v);
    EXPECT_EQ(std::strtod(s.c_str(), nullptr), v) << s;
    EXPECT_EQ(s.find('+'), std::string::npos) << s;
  }
  for (double v : {1.0 / 3, 2.0 / 3e7, 123456789.125, 6.02214076e23, 5e-324}) {
    EXPECT_EQ(std::strtod(text(v).c_str(), nullptr), v) << text(v);
  }
}

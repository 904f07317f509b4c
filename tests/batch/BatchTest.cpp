// drivesim-batch through its library entry: rows and series points against a
// model, gear rotation and time axis worked out here independently, "Reset"
// part-way, exit statuses, and outputs that are never left half-written.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ReadAll.h"
#include "batch/Batch.h"
#include "batch/BatchToolRun.h"
#include "platform/Numbers.h"
#include "ui/MainMenuHeight.h"

namespace drivesim {
namespace {

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------
// The drive, the gears and the history as a second, independent computation.

struct Inputs {
  double Gain = 10, TimeConstant = 0.006, MotorCoef = 1.4, MotorInertia = 0.021, LoadInertia = 0.3,
         Friction = 1.6, Feedback = 1;
  int Teeth = 42;
  int Setpoint = 100;
};

struct Sample {
  double Time, Velocity, Setpoint, LoadAngle, MotorAngle;
};

struct Reference {
  std::vector<Sample> Rows;  // one per completed tick
  int FailedTick = 0;        // the tick whose arithmetic overflowed, 0 if none
  // The samples recorded since the last "Reset" (or the start), oldest
  // first, and the ticks run since then.
  std::vector<Sample> SinceReset;
};

constexpr double kH = 1e-5;

Reference Compute(const Inputs& in, int ticks, int resetAfter = -1) {
  const int motorTeeth = 56 - in.Teeth;
  const double i = static_cast<double>(motorTeeth) / in.Teeth;
  const double den = ((i * i) * in.LoadInertia + in.MotorInertia) * in.TimeConstant;
  const double a0 = ((in.Gain * in.MotorCoef) * i) / den;
  const double a1 =
      ((i * i) * in.LoadInertia + ((in.TimeConstant * i) * in.Friction + in.MotorInertia)) / den;
  const double a2 = (i * in.Friction + ((in.Gain * in.MotorCoef) * in.Feedback) * i) / den;
  const double r = in.Setpoint;
  auto accel = [&](double acc, double vel) { return (a0 * r - a1 * acc) - a2 * vel; };

  Reference ref;
  double acc = 0, vel = 0, time = 0, load = 0, motor = 0;
  for (int tick = 1; tick <= ticks; ++tick) {
    // A step of a turn or more is taken after whole turns; the angle wraps
    // to 0 once it has turned just short of a turn either way.
    double step = (vel * kH) * 20;
    if (std::abs(step) >= 6.283185307179586477) step = std::fmod(step, 6.283185307179586477);
    if (load < 6.273185307179586477L && load > -6.273185307179586477L) {
      load = load + step;
      motor = (-load * in.Teeth) / motorTeeth;
    } else {
      load = 0;
      motor = 0;
    }
    for (int s = 0; s < 100; ++s) {
      // The acceleration through its four stages with the velocity held,
      // then the velocity through four equal stages on the new acceleration.
      const double start = acc;
      const double k1 = accel(acc, vel) * kH;
      const double k2 = accel(k1 / 2 + start, vel) * kH;
      const double k3 = accel(k2 / 2 + start, vel) * kH;
      const double k4 = accel(start + k3, vel) * kH;
      acc = ((k2 + k3) * 2 + k1 + k4) / 6 + start;
      const double k = acc * kH;
      vel = ((k + k) * 2 + k + k) / 6 + vel;
    }
    if (!std::isfinite(acc) || !std::isfinite(vel)) {
      ref.FailedTick = tick;
      return ref;
    }
    time = kH * 100 + time;
    ref.Rows.push_back({time, vel, static_cast<double>(in.Setpoint), load, motor});
    ref.SinceReset.push_back(ref.Rows.back());
    if (tick == resetAfter) {
      acc = vel = time = 0;
      ref.SinceReset.clear();
    }
  }
  return ref;
}

// The series points the window shows after the run: 302 samples at the
// times of an axis reset to -0.301..0 and moved on by 1 ms per tick since.
struct Point {
  double X, Velocity, Setpoint;
};
std::vector<Point> ExpectedSeries(const Reference& ref) {
  const int m = static_cast<int>(ref.SinceReset.size());
  std::vector<Point> points;
  for (int k = 0; k < 302; ++k) {
    double x = ((k + 1 - 302) * 100) * kH;
    for (int n = 0; n < m; ++n) x = kH * 100 + x;
    const int sample = m - 302 + k;  // index into SinceReset
    if (sample >= 0) {
      points.push_back({x, ref.SinceReset[sample].Velocity, ref.SinceReset[sample].Setpoint});
    } else {
      points.push_back({x, 0, 0});
    }
  }
  return points;
}

// ---------------------------------------------------------------------------
// Reading the CSV back.

std::vector<std::vector<std::string>> ParseCsv(const std::string& text, std::string& header) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  std::string line;
  std::getline(lines, header);
  while (std::getline(lines, line)) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos;
         start = comma + 1) {
      fields.push_back(line.substr(start, comma - start));
    }
    fields.push_back(line.substr(start));
    rows.push_back(fields);
  }
  return rows;
}

double Real(const std::string& text) {
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_TRUE(result.ec == std::errc() && result.ptr == text.data() + text.size()) << text;
  return value;
}

// Written as the shortest text that reads back as the same
// double.
void ExpectClose(const std::string& text, double expected, const std::string& what) {
  const double value = Real(text);
  EXPECT_LE(std::abs(value - expected), 1e-12 * std::abs(expected) + 1e-300)
      << what << ": " << text << " vs " << expected;
}

const char* const kRowHeader =
    "tick,time_s,load_velocity,setpoint,load_gear_angle,motor_gear_angle";
const char* const kSeriesHeader = "index,x,velocity,velocity_colour,setpoint,setpoint_colour";

void ExpectRows(const std::string& csv, const Reference& ref) {
  std::string header;
  const auto rows = ParseCsv(csv, header);
  EXPECT_EQ(header, kRowHeader);
  ASSERT_EQ(rows.size(), ref.Rows.size());
  for (std::size_t n = 0; n < rows.size(); ++n) {
    const auto& row = rows[n];
    const Sample& s = ref.Rows[n];
    const std::string where = "tick " + std::to_string(n + 1);
    ASSERT_EQ(row.size(), 6u) << where;
    EXPECT_EQ(row[0], std::to_string(n + 1));
    EXPECT_EQ(Real(row[1]), s.Time) << where;  // the same additions in the same order
    ExpectClose(row[2], s.Velocity, where + " velocity");
    EXPECT_EQ(Real(row[3]), s.Setpoint) << where;
    ExpectClose(row[4], s.LoadAngle, where + " load angle");
    ExpectClose(row[5], s.MotorAngle, where + " motor angle");
  }
}

void ExpectSeries(const std::string& csv, const std::vector<Point>& expected) {
  std::string header;
  const auto rows = ParseCsv(csv, header);
  EXPECT_EQ(header, kSeriesHeader);
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const auto& row = rows[k];
    ASSERT_EQ(row.size(), 6u);
    EXPECT_EQ(row[0], std::to_string(k));
    EXPECT_EQ(Real(row[1]), expected[k].X) << k;
    ExpectClose(row[2], expected[k].Velocity, "velocity point " + std::to_string(k));
    EXPECT_EQ(row[3], "#00FFFF");  // the velocity trace, aqua
    ExpectClose(row[4], expected[k].Setpoint, "setpoint point " + std::to_string(k));
    EXPECT_EQ(row[5], "#00FF00");  // the setpoint trace, lime
    if (k > 0) {
      EXPECT_GT(Real(row[1]), Real(rows[k - 1][1]));
    }
  }
}

class BatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "drivesim-batch-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    fDir = pattern;
  }
  void TearDown() override { fs::remove_all(fDir); }
  fs::path File(const std::string& name) const { return fDir / name; }
  std::vector<std::string> DirectoryEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fDir)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path fDir;
};

TEST_F(BatchTest, RowsAgreeWithAnIndependentModel) {
  // The window's defaults.
  {
    const ToolRun r = RunTool({"--ticks", "60"});
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Err, "");
    ExpectRows(r.Out, Compute(Inputs{}, 60));
  }
  // An odd tooth count and a negative setpoint: the load turns backwards and
  // its gear's angle falls (not yet far enough to wrap).
  {
    Inputs in;
    in.Teeth = 17;
    in.Setpoint = -40;
    in.Feedback = 0.7;
    in.Gain = 12.5;
    in.Friction = 0.9;
    const ToolRun r =
        RunTool({"--teeth", "17", "--setpoint", "-40", "--feedback=0.7", "--gain", "12.5",
                 "--friction", "0.9", "--ticks", "150", "--series-csv", File("s.csv").string()});
    EXPECT_EQ(r.Status, 0);
    const Reference ref = Compute(in, 150);
    ExpectRows(r.Out, ref);
    EXPECT_LT(ref.Rows.back().Velocity, -10);
    EXPECT_LT(ref.Rows.back().LoadAngle, -0.1);
    ExpectSeries(ReadFile(File("s.csv")), ExpectedSeries(ref));
  }
  // Every input changed, and fast enough for the load gear to wrap.
  {
    Inputs in;
    in.Teeth = 33;
    in.Setpoint = 250;
    in.TimeConstant = 0.01;
    in.MotorInertia = 0.05;
    in.LoadInertia = 0.12;
    in.MotorCoef = 2;
    in.Feedback = 0.45;
    const ToolRun r =
        RunTool({"--teeth", "33", "--setpoint", "250", "--time-constant", "0.01", "--motor-inertia",
                 "5e-2", "--load-inertia", " 1.2E-1 ", "--motor-coef", "+2", "--feedback", ".45",
                 "--ticks", "400", "--csv", File("rows.csv").string()});
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Out, "");
    const Reference ref = Compute(in, 400);
    ExpectRows(ReadFile(File("rows.csv")), ref);
    bool wrapped = false;
    for (const Sample& s : ref.Rows) wrapped = wrapped || (s.LoadAngle == 0 && s.Time > 0.01);
    EXPECT_TRUE(wrapped);
  }
}

TEST_F(BatchTest, ResetAfterRestartsFromRestWithTimeAtOneMillisecond) {
  Inputs in;
  in.Setpoint = 60;
  const ToolRun r = RunTool({"--setpoint", "60", "--ticks", "50", "--reset-after", "20",
                             "--series-csv", File("s.csv").string()});
  EXPECT_EQ(r.Status, 0);
  const Reference ref = Compute(in, 50, 20);
  ExpectRows(r.Out, ref);
  // The restart: time from 0.001 s again, the velocity as on the first tick,
  // the gears going on from where they were.
  ASSERT_EQ(ref.Rows.size(), 50u);
  EXPECT_EQ(ref.Rows[20].Time, kH * 100);
  EXPECT_EQ(ref.Rows[20].Velocity, ref.Rows[0].Velocity);
  EXPECT_EQ(ref.Rows[20].LoadAngle, ref.Rows[19].LoadAngle);
  ExpectSeries(ReadFile(File("s.csv")), ExpectedSeries(ref));

  // "Reset" before the first tick and no ticks at all: the series show 302
  // zero points from -0.301 s to 0.
  const ToolRun atRest =
      RunTool({"--ticks", "0", "--reset-after", "0", "--series-csv", File("zero.csv").string()});
  EXPECT_EQ(atRest.Status, 0);
  EXPECT_EQ(atRest.Out, std::string(kRowHeader) + "\n");
  const std::vector<Point> zero = ExpectedSeries(Compute(in, 0));
  ExpectSeries(ReadFile(File("zero.csv")), zero);
  EXPECT_NEAR(zero.front().X, -0.301, 1e-15);
  EXPECT_EQ(zero.back().X, 0.0);

  // Without a reset and without ticks the series were never filled.
  const ToolRun empty = RunTool({"--ticks", "0", "--series-csv", "-"});
  EXPECT_EQ(empty.Status, 0);
  EXPECT_EQ(empty.Out, std::string(kRowHeader) + "\n" + kSeriesHeader + "\n");
}

TEST_F(BatchTest, BadInputsExitTwoWithOneLineAndLeaveFilesAsTheyWere) {
  const fs::path rows = File("rows.csv");
  const fs::path series = File("series.csv");
  struct Case {
    std::vector<std::string> Arguments;
    std::string Message;
  };
  const std::vector<Case> cases{
      {{"--gain", "abc"}, "'abc' is not a valid floating point value."},
      {{"--friction", "1,6"}, "'1,6' is not a valid floating point value."},
      {{"--gain", "1e400"}, "Floating point overflow."},
      {{"--teeth", "0"}, "Number of gear teeth must be between 1 and 55."},
      {{"--teeth", "56"}, "Number of gear teeth must be between 1 and 55."},
      {{"--teeth", "4.5"}, "'4.5' is not a valid integer value."},
      {{"--setpoint", "1e2"}, "'1e2' is not a valid integer value."},
      {{"--setpoint", ""}, "'' is not a valid integer value."},
      // "Process" with a zero denominator fails before the timer starts.
      {{"--time-constant", "0"}, "Floating point division by zero."},
      {{"--time-constant", "0", "--gain", "0"}, "Invalid floating point operation."},
      {{"--ticks", "-1"}, "--ticks must not be negative."},
      {{"--ticks", "5", "--reset-after", "6"},
       "--reset-after must not exceed the number of ticks."},
      {{"--ticks"}, "Option --ticks needs a value."},
      {{"--frobnicate", "1"}, "Unknown option '--frobnicate'"},
      {{"ticks"}, "Unexpected argument 'ticks'"},
      {{"--csv", series.string()}, "--csv and --series-csv name the same file."},
  };
  for (const Case& c : cases) {
    std::ofstream(rows) << "old rows\n";
    std::ofstream(series) << "old series\n";
    std::vector<std::string> arguments{"--csv", rows.string(), "--series-csv", series.string()};
    arguments.insert(arguments.end(), c.Arguments.begin(), c.Arguments.end());
    const ToolRun r = RunTool(arguments);
    EXPECT_EQ(r.Status, 2) << c.Message;
    EXPECT_EQ(r.Err, c.Message + "\n");
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(ReadFile(rows), "old rows\n") << c.Message;
    EXPECT_EQ(ReadFile(series), "old series\n") << c.Message;
    EXPECT_EQ(DirectoryEntries(), (std::vector<std::string>{"rows.csv", "series.csv"}));
  }
  // On standard output nothing is written either.
  const ToolRun r = RunTool({"--time-constant", "0"});
  EXPECT_EQ(r.Status, 2);
  EXPECT_EQ(r.Out, "");
  // An output that cannot be created.
  const ToolRun noDir = RunTool({"--csv", File("missing/rows.csv").string()});
  EXPECT_EQ(noDir.Status, 2);
  EXPECT_EQ(noDir.Err.rfind("Cannot create file", 0), 0u) << noDir.Err;
  EXPECT_EQ(std::count(noDir.Err.begin(), noDir.Err.end(), '\n'), 1);
}

TEST_F(BatchTest, ArithmeticFailureKeepsTheRowsBeforeTheFailingTick) {
  Inputs in;
  in.Feedback = -1000;
  const Reference ref = Compute(in, 1000);
  ASSERT_GT(ref.FailedTick, 10);
  const ToolRun r = RunTool({"--feedback", "-1000", "--ticks", "1000", "--csv",
                             File("rows.csv").string(), "--series-csv", File("s.csv").string()});
  EXPECT_EQ(r.Status, 3);
  EXPECT_EQ(r.Err, "Floating point overflow.\n");
  const std::string rows = ReadFile(File("rows.csv"));
  ExpectRows(rows, ref);
  // The series as the last completed tick filled them.
  std::string header;
  const auto points = ParseCsv(ReadFile(File("s.csv")), header);
  ASSERT_EQ(points.size(), 302u);
  ExpectClose(points.back()[2], ref.Rows.back().Velocity, "newest point");
  EXPECT_EQ(DirectoryEntries(), (std::vector<std::string>{"rows.csv", "s.csv"}));
}

TEST_F(BatchTest, NumbersUseAPointWhateverTheLocaleAndHelpExitsCleanly) {
  const char saved = DecimalSeparator();
  SetDecimalSeparator(',');
  const ToolRun r = RunTool({"--gain", "10.5", "--ticks", "3"});
  const ToolRun comma = RunTool({"--gain", "10,5"});
  EXPECT_EQ(DecimalSeparator(), ',');
  SetDecimalSeparator(saved);
  EXPECT_EQ(r.Status, 0);
  Inputs in;
  in.Gain = 10.5;
  ExpectRows(r.Out, Compute(in, 3));
  EXPECT_EQ(r.Out.find(';'), std::string::npos);
  EXPECT_EQ(comma.Status, 2);
  EXPECT_EQ(comma.Err, "'10,5' is not a valid floating point value.\n");

  const ToolRun help = RunTool({"--ticks", "5", "--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_EQ(help.Err, "");
  for (const char* option : {"--gain", "--time-constant", "--motor-coef", "--motor-inertia",
                             "--load-inertia", "--friction", "--feedback", "--teeth", "--setpoint",
                             "--ticks", "--csv", "--series-csv", "--reset-after", "--help"}) {
    EXPECT_NE(help.Out.find(std::string("  ") + option + " "), std::string::npos) << option;
  }
}

TEST_F(BatchTest, ChartPictureIsTheOscilloscopeAsTheWindowShowsIt) {
  const fs::path chart = File("chart.png");
  const fs::path window = File("window.png");
  const ToolRun result =
      RunTool({"--ticks", "120", "--setpoint", "150", "--teeth", "33", "--csv",
               File("rows.csv").string(), "--chart", chart.string(), "--window", window.string()});
  ASSERT_EQ(result.Status, 0) << result.Err;

  const QImage chartImage(QString::fromStdString(chart.string()));
  const QImage windowImage(QString::fromStdString(window.string()));
  ASSERT_EQ(chartImage.size(), QSize(353, 169));
  ASSERT_FALSE(windowImage.isNull());
  // The window's oscilloscope sits at (256, 328) of its client area, below
  // the menu bar.
  const int top = MainMenuHeight() + 328;
  int differing = 0;
  for (int y = 0; y < chartImage.height(); ++y) {
    for (int x = 0; x < chartImage.width(); ++x) {
      differing += chartImage.pixel(x, y) != windowImage.pixel(256 + x, top + y);
    }
  }
  EXPECT_EQ(differing, 0);

  // The setpoint trace lies on the row the left axis (0..300 on the plot
  // height) maps 150 to: a lime run across the right part of the plot.
  int limeRows = 0;
  for (int y = 0; y < chartImage.height(); ++y) {
    limeRows += chartImage.pixel(300, y) == qRgb(0, 255, 0);
  }
  EXPECT_EQ(limeRows, 1);

  // The same path for both pictures is refused before anything is written.
  const ToolRun clash =
      RunTool({"--chart", chart.string(), "--window", chart.string(), "--csv", "-"});
  EXPECT_EQ(clash.Status, 2);
}

}  // namespace
}  // namespace drivesim

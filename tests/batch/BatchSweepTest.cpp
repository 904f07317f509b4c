// drivesim-batch's figures and sweeps: --metrics rows against the analysis
// library's runs (one run, after a reset, failing before it), a sweep's rows
// and per-tick rows against the library's sweep and against one-run tool
// runs, refusals that write nothing, diverged runs, the two charts pixel for
// pixel, and the progress line, which only a terminal sees.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ReadAll.h"
#include "ScratchFolder.h"
#include "analysis/FiguresCsv.h"
#include "analysis/PrintChart.h"
#include "analysis/RunResult.h"
#include "analysis/StepResponseChart.h"
#include "analysis/Sweep.h"
#include "analysis/SweepFiguresChart.h"
#include "batch/Batch.h"
#include "batch/BatchToolRun.h"
#include "batch/SweepProgressLine.h"
#include "chart/ChartPalette.h"
#include "platform/Graphics.h"

namespace drivesim {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
    fields.push_back(line.substr(start, comma - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

// A row of the figures as a map from the header's names.
struct FiguresRow {
  std::vector<std::string> Names, Values;
  const std::string& operator[](const std::string& name) const {
    const auto at = std::find(Names.begin(), Names.end(), name);
    EXPECT_NE(at, Names.end()) << name;
    return Values[static_cast<std::size_t>(at - Names.begin())];
  }
  double Real(const std::string& name) const { return std::stod((*this)[name]); }
};

FiguresRow RowOf(const std::string& csv, std::size_t row) {
  const std::vector<std::string> lines = Lines(csv);
  EXPECT_GT(lines.size(), row + 1);
  return {Fields(lines[0]), Fields(lines.at(row + 1))};
}

// The library's figures of one run, as --metrics writes them.
std::string LibraryFigures(const DriveInputs& inputs, int ticks) {
  std::string text = FiguresCsvHeader();
  AppendFiguresRow(text, 1, std::nullopt, RunDrive(inputs, ticks));
  return text;
}

SweepResult LibrarySweep(const DriveInputs& base, const std::string& spec, int ticks,
                         bool samples) {
  SweepOptions options;
  options.Ticks = ticks;
  options.Threads = 1;
  options.Run.KeepSamples = samples;
  return RunSweep(base, ParseSweepSpec(spec), options);
}

// Pixels of the PNG file that differ from the bitmap; -1 for another size.
int DifferingPixels(const fs::path& png, const TBitmap& bitmap) {
  const QImage image(QString::fromStdString(png.string()));
  if (image.width() != bitmap.Width() || image.height() != bitmap.Height()) return -1;
  int differing = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      differing += RGB(qRed(p), qGreen(p), qBlue(p)) != bitmap.Pixel(x, y);
    }
  }
  return differing;
}

class BatchSweepTest : public ScratchFolderTest {
 protected:
  BatchSweepTest() : ScratchFolderTest("drivesim-sweep") {}
};

TEST_F(BatchSweepTest, FiguresOfOneRun) {
  // The default drive, setpoint 100, 400 ticks: one row, run 1 without a
  // swept value, the library's figures of that run.
  const ToolRun r = RunTool({"--metrics", "-", "--csv", Path("rows.csv")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, LibraryFigures(DriveInputs{}, 400));
  const std::vector<std::string> lines = Lines(r.Out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(Fields(lines[0]).size(), 40u);
  EXPECT_EQ(Fields(lines[1]).size(), 40u);
  const FiguresRow row = RowOf(r.Out, 0);
  EXPECT_EQ(row["run"], "1");
  EXPECT_EQ(row["value"], "");
  EXPECT_EQ(row["status"], "settled");
  EXPECT_EQ(row["teeth"], "42");
  EXPECT_EQ(row["setpoint"], "100");
  EXPECT_NEAR(row.Real("final_value"), 89.74358974358975, 1e-12);
  EXPECT_NEAR(row.Real("static_error_pct"), 10.26, 0.005);
  EXPECT_NEAR(row.Real("damping_ratio"), 0.6987, 5e-5);
  EXPECT_NEAR(row.Real("natural_freq"), 126.30, 0.005);
  EXPECT_NEAR(row.Real("overshoot_pct"), 4.651, 5e-4);
  EXPECT_NEAR(row.Real("theory_overshoot_pct"), 4.6513, 5e-5);
  EXPECT_NEAR(row.Real("peak"), 93.918, 5e-4);
  EXPECT_NEAR(row.Real("peak_time_s"), 0.03476, 5e-6);
  EXPECT_NEAR(row.Real("rise_time_s"), 0.01680, 5e-6);
  EXPECT_NEAR(row.Real("settling_2pct_s"), 0.04735, 5e-6);
  EXPECT_EQ(row["crossings"], "1");
  // The figures' run is the window's run: it ends where the last row does.
  const std::vector<std::string> rows = Lines(ReadFile(Path("rows.csv")));
  ASSERT_EQ(rows.size(), 401u);
  EXPECT_EQ(row["end_value"], Fields(rows.back())[2]);

  // "--metrics -" alone: the figures on standard output take the place of
  // the per-tick rows' default there; named, the rows still come first.
  const ToolRun alone = RunTool({"--metrics", "-"});
  ASSERT_EQ(alone.Status, 0) << alone.Err;
  EXPECT_EQ(alone.Out, r.Out);
  const ToolRun both = RunTool({"--ticks", "3", "--csv", "-", "--metrics", "-"});
  ASSERT_EQ(both.Status, 0) << both.Err;
  ASSERT_EQ(Lines(both.Out).size(), 6u);
  EXPECT_EQ(Lines(both.Out)[0].rfind("tick,", 0), 0u);
  EXPECT_EQ(Lines(both.Out)[4].rfind("run,", 0), 0u);

  // A negative setpoint and other inputs: the same as the library's.
  DriveInputs in;
  in.Setpoint = -120;
  in.FeedbackCoef = 2;
  in.LoadTeeth = 20;
  in.AmpGain = 20;
  const ToolRun negative =
      RunTool({"--setpoint", "-120", "--feedback", "2", "--teeth", "20", "--gain", "20", "--ticks",
               "250", "--csv", Path("rows.csv"), "--metrics", Path("m.csv")});
  ASSERT_EQ(negative.Status, 0) << negative.Err;
  EXPECT_EQ(negative.Out, "");
  EXPECT_EQ(ReadFile(Path("m.csv")), LibraryFigures(in, 250));
  // The peak is the velocity itself, beyond the final value on its side.
  EXPECT_NEAR(RowOf(ReadFile(Path("m.csv")), 0).Real("peak"), -62.51, 0.01);
}

TEST_F(BatchSweepTest, FiguresAfterAResetDescribeTheRunFromTheReset) {
  DriveInputs in;
  in.Setpoint = 60;
  const ToolRun r = RunTool({"--setpoint", "60", "--ticks", "300", "--reset-after", "120",
                             "--metrics", "-", "--csv", Path("rows.csv")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, LibraryFigures(in, 180));
  const std::vector<std::string> rows = Lines(ReadFile(Path("rows.csv")));
  EXPECT_EQ(RowOf(r.Out, 0)["end_value"], Fields(rows.back())[2]);

  // A run that fails: after the reset, the run from the reset to the
  // failure; before the reset, the first run, which failed at the same tick.
  in = DriveInputs{};
  in.FeedbackCoef = -1000;
  const RunResult alone = RunDrive(in, 1000);
  ASSERT_EQ(alone.Record.End, RunEnd::Failed);
  const int failed = alone.Record.FailedTick;
  ASSERT_GT(failed, 50);
  ASSERT_LT(failed, 900);
  for (const int reset : {10, 950}) {
    SCOPED_TRACE(reset);
    const ToolRun f = RunTool({"--feedback", "-1000", "--ticks", "1000", "--reset-after",
                               std::to_string(reset), "--metrics", "-", "--csv", "/dev/null"});
    EXPECT_EQ(f.Status, 3);
    EXPECT_EQ(f.Err, "Floating point overflow.\n");
    EXPECT_EQ(f.Out, LibraryFigures(in, reset == 10 ? 990 : 1000));
    EXPECT_EQ(RowOf(f.Out, 0)["status"], "diverged");
  }
}

TEST_F(BatchSweepTest, SweepRowsAreTheLibrarysRunsInSweepOrder) {
  DriveInputs base;
  base.Setpoint = -80;
  const ToolRun r = RunTool({"--sweep", "feedback=0.2:3:10", "--ticks", "300", "--setpoint", "-80",
                             "--metrics", Path("m.csv"), "--csv", Path("t.csv")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  // A sweep writes only what is named.
  EXPECT_EQ(r.Out, "");
  EXPECT_EQ(r.Err, "");

  const SweepResult sweep = LibrarySweep(base, "feedback=0.2:3:10", 300, false);
  std::string figures = FiguresCsvHeader();
  std::string ticks = TickCsvHeader();
  for (std::size_t i = 0; i < sweep.Runs.size(); ++i) {
    AppendFiguresRow(figures, static_cast<int>(i) + 1, sweep.Spec.Values[i], sweep.Runs[i]);
    AppendTickRows(ticks, static_cast<int>(i) + 1, sweep.Runs[i].Record);
  }
  const std::string m = ReadFile(Path("m.csv"));
  const std::string t = ReadFile(Path("t.csv"));
  EXPECT_EQ(m, figures);
  EXPECT_EQ(t, ticks);
  ASSERT_EQ(Lines(m).size(), 11u);
  for (std::size_t i = 0; i < 10; ++i) {
    const FiguresRow row = RowOf(m, i);
    EXPECT_EQ(row["run"], std::to_string(i + 1));
    EXPECT_DOUBLE_EQ(row.Real("value"), 0.2 + 2.8 * static_cast<double>(i) / 9);
    EXPECT_EQ(row["value"], row["feedback"]);
    EXPECT_EQ(row["setpoint"], "-80");
  }
  // 300 rows per run, the run's number first.
  const std::vector<std::string> tickLines = Lines(t);
  ASSERT_EQ(tickLines.size(), 3001u);
  EXPECT_EQ(tickLines[0],
            "run,tick,time_s,load_velocity,setpoint,load_gear_angle,motor_gear_angle");
  EXPECT_EQ(tickLines[1].rfind("1,1,", 0), 0u);
  EXPECT_EQ(tickLines[3000].rfind("10,300,", 0), 0u);

  // Each run's rows are the rows the tool writes for that run alone, by the
  // window's own tick, behind the run's number.
  const ToolRun second =
      RunTool({"--sweep", "teeth=17,33", "--ticks", "120", "--setpoint", "250", "--csv", "-"});
  ASSERT_EQ(second.Status, 0) << second.Err;
  const std::vector<std::string> swept = Lines(second.Out);
  ASSERT_EQ(swept.size(), 241u);
  for (const int run : {1, 2}) {
    const ToolRun alone = RunTool(
        {"--teeth", run == 1 ? "17" : "33", "--ticks", "120", "--setpoint", "250", "--csv", "-"});
    const std::vector<std::string> rows = Lines(alone.Out);
    ASSERT_EQ(rows.size(), 121u);
    for (std::size_t k = 1; k <= 120; ++k) {
      EXPECT_EQ(swept[static_cast<std::size_t>(run - 1) * 120 + k],
                std::to_string(run) + "," + rows[k])
          << "run " << run << " tick " << k;
    }
  }

  // Without any output named, a sweep writes its figures on standard output.
  const ToolRun plain = RunTool({"--sweep", "gain=5,10,20", "--ticks", "100"});
  ASSERT_EQ(plain.Status, 0) << plain.Err;
  const SweepResult gains = LibrarySweep(DriveInputs{}, "gain=5,10,20", 100, false);
  std::string expected = FiguresCsvHeader();
  for (std::size_t i = 0; i < 3; ++i) {
    AppendFiguresRow(expected, static_cast<int>(i) + 1, gains.Spec.Values[i], gains.Runs[i]);
  }
  EXPECT_EQ(plain.Out, expected);
}

TEST_F(BatchSweepTest, RefusalsWriteNothing) {
  const std::string m = Path("m.csv");
  const std::string rows = Path("rows.csv");
  const std::string other = Path("other.png");
  struct Case {
    std::vector<std::string> Arguments;
    std::string Message;
  };
  const std::vector<Case> cases{
      {{"--sweep", "feedback"}, "Sweep 'feedback' is not NAME=FROM:TO:COUNT or NAME=V1,V2,..."},
      {{"--sweep", "feedback=1:2"},
       "Sweep 'feedback=1:2' is not NAME=FROM:TO:COUNT or NAME=V1,V2,..."},
      {{"--sweep", "voltage=1,2"}, "Unknown sweep parameter 'voltage'"},
      {{"--sweep", "feedback=1:2:1"}, "Sweep count must be between 2 and 1000."},
      {{"--sweep", "feedback=1:2:1001"}, "Sweep count must be between 2 and 1000."},
      {{"--sweep", "feedback=1:x:3"}, "'x' is not a valid floating point value."},
      {{"--sweep", "feedback=1,2,"}, "'' is not a valid floating point value."},
      {{"--sweep", "gain=1e999,1"}, "Floating point overflow."},
      {{"--sweep", "teeth=0,8"}, "Number of gear teeth must be between 1 and 55."},
      {{"--sweep", "setpoint=100,301"}, "Preset velocity of load must be between 0 and 300."},
      // Inputs "Process" refuses, refused before any run starts.
      {{"--sweep", "time-constant=0.01,0"},
       "Sweep value time-constant=0: Floating point division by zero."},
      {{"--sweep", "load-inertia=0.3,0", "--motor-inertia", "0"},
       "Sweep value load-inertia=0: Floating point division by zero."},
      // What describes one window does not go with a sweep, and the figures
      // chart needs one.
      {{"--sweep", "gain=1,2", "--series-csv", other}, "--series-csv cannot be used with --sweep."},
      {{"--sweep", "gain=1,2", "--chart", other}, "--chart cannot be used with --sweep."},
      {{"--sweep", "gain=1,2", "--window", other}, "--window cannot be used with --sweep."},
      {{"--sweep", "gain=1,2", "--picture", other}, "--picture cannot be used with --sweep."},
      {{"--sweep", "gain=1,2", "--reset-after", "3"}, "--reset-after cannot be used with --sweep."},
      {{"--sweep-chart", other}, "--sweep-chart needs --sweep."},
      {{"--sweep"}, "Option --sweep needs a value."},
      {{"--sweep", "gain=1,2", "--overlay", m}, "--metrics and --overlay name the same file."},
  };
  for (const Case& c : cases) {
    std::ofstream(m) << "old figures\n";
    std::ofstream(rows) << "old rows\n";
    std::vector<std::string> arguments{"--metrics", m, "--csv", rows};
    arguments.insert(arguments.end(), c.Arguments.begin(), c.Arguments.end());
    const ToolRun r = RunTool(arguments);
    EXPECT_EQ(r.Status, 2) << c.Message;
    EXPECT_EQ(r.Err, c.Message + "\n");
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(ReadFile(m), "old figures\n") << c.Message;
    EXPECT_EQ(ReadFile(rows), "old rows\n") << c.Message;
    EXPECT_EQ(Entries(), (std::vector<std::string>{"m.csv", "rows.csv"})) << c.Message;
  }
}

TEST_F(BatchSweepTest, DivergedRunsDoNotEndTheSweep) {
  const ToolRun r =
      RunTool({"--sweep", "feedback=1,-1000,2", "--ticks", "1000", "--metrics", Path("m.csv"),
               "--csv", Path("t.csv"), "--overlay", Path("o.png"), "--sweep-chart", Path("s.png")});
  EXPECT_EQ(r.Status, 3);
  EXPECT_EQ(r.Err, "Run 2 (feedback=-1000) diverged: Floating point overflow.\n");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"m.csv", "o.png", "s.png", "t.csv"}));
  const std::string m = ReadFile(Path("m.csv"));
  EXPECT_EQ(RowOf(m, 0)["status"], "settled");
  EXPECT_EQ(RowOf(m, 1)["status"], "diverged");
  EXPECT_EQ(RowOf(m, 2)["status"], "settled");
  // The diverged run's rows stop before its failing tick; the next run has
  // all of its own.
  DriveInputs diverging;
  diverging.FeedbackCoef = -1000;
  const int failed = RunDrive(diverging, 1000).Record.FailedTick;
  int perRun[3] = {0, 0, 0};
  for (const std::string& line : Lines(ReadFile(Path("t.csv")))) {
    const int run = std::atoi(line.c_str());
    if (run >= 1 && run <= 3) ++perRun[run - 1];
  }
  EXPECT_EQ(perRun[0], 1000);
  EXPECT_EQ(perRun[1], failed - 1);
  EXPECT_EQ(perRun[2], 1000);

  // Several: the first named, the others counted.
  const ToolRun many = RunTool({"--sweep", "feedback=-1000,1,-2000,-3000", "--ticks", "1000"});
  EXPECT_EQ(many.Status, 3);
  EXPECT_EQ(many.Err,
            "Run 1 (feedback=-1000) diverged: Floating point overflow; 2 more runs "
            "diverged.\n");
  EXPECT_EQ(Lines(many.Out).size(), 5u);
}

TEST_F(BatchSweepTest, ChartsAreTheLibrarysCharts) {
  const ToolRun r = RunTool(
      {"--sweep", "feedback=0.2:3:10", "--overlay", Path("o.png"), "--sweep-chart", Path("s.png")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "");
  const SweepResult sweep = LibrarySweep(DriveInputs{}, "feedback=0.2:3:10", 400, true);
  TBitmap overlay, figures;
  RenderStepResponses(StepCurvesOf(sweep), overlay, 800, 500);
  RenderSweepFigures(sweep, figures, 800, 500, 1, 1.0);
  EXPECT_EQ(DifferingPixels(Path("o.png"), overlay), 0);
  EXPECT_EQ(DifferingPixels(Path("s.png"), figures), 0);

  // --scale: twice the size, drawn at twice the density.
  const ToolRun scaled = RunTool({"--sweep", "feedback=0.2:3:10", "--scale", "2", "--overlay",
                                  Path("o2.png"), "--sweep-chart", Path("s2.png")});
  ASSERT_EQ(scaled.Status, 0) << scaled.Err;
  RenderStepResponses(StepCurvesOf(sweep), overlay, 800, 500, 2);
  RenderSweepFigures(sweep, figures, 800, 500, 2, 1.0);
  EXPECT_EQ(overlay.Width(), 1600);
  EXPECT_EQ(DifferingPixels(Path("o2.png"), overlay), 0);
  EXPECT_EQ(DifferingPixels(Path("s2.png"), figures), 0);

  // Without a sweep the overlay shows the one run, from the reset when
  // there is one, in the palette's middle colour.
  const ToolRun one = RunTool({"--setpoint", "150", "--ticks", "500", "--reset-after", "200",
                               "--csv", Path("rows.csv"), "--overlay", Path("one.png")});
  ASSERT_EQ(one.Status, 0) << one.Err;
  DriveInputs in;
  in.Setpoint = 150;
  const RunResult run = RunDrive(in, 300);
  TBitmap single;
  StepCurve curve1;
  curve1.Name = "Load velocity";
  curve1.Samples = &run.Record.Velocity;
  curve1.StepSize = run.Record.StepSize;
  curve1.Setpoint = 150;
  curve1.Settling2Pct = run.Measured.Settling2Pct;
  RenderStepResponses({curve1}, single, 800, 500);
  EXPECT_EQ(DifferingPixels(Path("one.png"), single), 0);
  int curve = 0;
  for (int y = 0; y < single.Height(); ++y) {
    for (int x = 0; x < single.Width(); ++x) curve += single.Pixel(x, y) == SequentialColor(0, 1);
  }
  EXPECT_GT(curve, 500);
}

TEST(SweepProgressLineTest, ShownAfterASecondRewrittenInPlaceAndCleared) {
  std::ostringstream terminal;
  {
    SweepProgressLine line(terminal, "feedback");
    line.Show(0, 10, 0.2);
    line.Show(1, 10, 0.99);
    EXPECT_EQ(terminal.str(), "");
    line.Show(2, 10, 1.0);
    const std::string first = "\rSweeping feedback: 2 of 10 runs done";
    EXPECT_EQ(terminal.str(), first);
    // Not more often than every tenth of a second, and only for news.
    line.Show(3, 10, 1.05);
    line.Show(2, 10, 1.5);
    EXPECT_EQ(terminal.str(), first);
    line.Show(10, 10, 1.6);
    const std::string second = first + "\rSweeping feedback: 10 of 10 runs done";
    EXPECT_EQ(terminal.str(), second);
    // Cleared once: blanks over the line, the cursor back at its start.
    line.Clear();
    line.Clear();
    EXPECT_EQ(terminal.str(), second + "\r" + std::string(37, ' ') + "\r");
  }
  // A line never shown leaves nothing, also when it goes.
  std::ostringstream quiet;
  { SweepProgressLine(quiet, "gain").Show(5, 10, 0.5); }
  EXPECT_EQ(quiet.str(), "");
}

// The program itself with its standard error on a terminal or on a pipe,
// its standard output on a pipe.
struct SweepProgramRun {
  int ExitStatus = -1;
  std::string Out, Err;
};

// The threads of a process, from /proc.
int ThreadsOf(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string key; status >> key;) {
    int threads = 0;
    if (key == "Threads:" && status >> threads) return threads;
  }
  return 0;
}

// Runs the program; once it runs its sweep on threads of their own, holds it
// stopped for longer than a second, so that the sweep outlasts its first
// second on any machine.
SweepProgramRun RunSlowedSweep(const std::vector<std::string>& arguments, bool errOnTerminal) {
  std::vector<std::string> words{DRIVESIM_BATCH_PROGRAM};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);

  int out[2], err[2];
  if (::pipe(out) != 0) return {};
  if (errOnTerminal) {
    if (::openpty(&err[0], &err[1], nullptr, nullptr, nullptr) != 0) return {};
  } else if (::pipe(err) != 0) {
    return {};
  }
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    ::close(out[0]);
    ::close(err[0]);
    ::close(out[1]);
    ::close(err[1]);
    ::execv(argv[0], argv.data());
    ::_exit(126);
  }
  ::close(out[1]);
  ::close(err[1]);
  SweepProgramRun run;
  std::thread outReader([&] { ReadAll(out[0], run.Out); });
  std::thread errReader([&] { ReadAll(err[0], run.Err); });
  if (pid > 0) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (ThreadsOf(pid) < 3 && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(pid, SIGSTOP);
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    ::kill(pid, SIGCONT);
  }
  int status = 0;
  if (pid > 0) ::waitpid(pid, &status, 0);
  outReader.join();
  errReader.join();
  if (WIFEXITED(status)) run.ExitStatus = WEXITSTATUS(status);
  return run;
}

TEST(BatchSweepProgressTest, OnlyATerminalSeesTheProgressOfALongSweep) {
  const std::vector<std::string> arguments{"--sweep", "feedback=0.2:3:1000", "--ticks", "100"};
  const SweepProgramRun terminal = RunSlowedSweep(arguments, true);
  ASSERT_EQ(terminal.ExitStatus, 0) << terminal.Err;
  EXPECT_EQ(Lines(terminal.Out).size(), 1001u);
  // The line, rewritten in place, and blanked at the end: nothing else.
  EXPECT_EQ(terminal.Err.rfind("\rSweeping feedback: ", 0), 0u) << terminal.Err;
  EXPECT_EQ(terminal.Err.find('\n'), std::string::npos);
  ASSERT_GE(terminal.Err.size(), 2u);
  const std::size_t blank = terminal.Err.find_last_not_of(' ', terminal.Err.size() - 2);
  ASSERT_NE(blank, std::string::npos);
  EXPECT_EQ(terminal.Err[blank], '\r');
  EXPECT_EQ(terminal.Err.back(), '\r');
  EXPECT_GE(terminal.Err.size() - blank - 2,
            std::string("Sweeping feedback: 0 of 1000 runs done").size());

  const SweepProgramRun pipe = RunSlowedSweep(arguments, false);
  ASSERT_EQ(pipe.ExitStatus, 0);
  EXPECT_EQ(pipe.Err, "");
  EXPECT_EQ(pipe.Out, terminal.Out);
}

TEST(BatchSweepHelpTest, HelpNamesTheNewOptions) {
  const ToolRun help = RunTool({"--help"});
  EXPECT_EQ(help.Status, 0);
  for (const char* option :
       {"--sweep SPEC", "--metrics FILE", "--overlay FILE.png", "--sweep-chart FILE.png"}) {
    EXPECT_NE(help.Out.find(std::string("  ") + option + " "), std::string::npos) << option;
  }
  EXPECT_NE(help.Out.find("run,value,gain,time_constant"), std::string::npos);
}

// The overlay of a ten-run sweep as the tool writes it: the time axis fits
// the transients, each curve's colour is read from the picture near the
// axis' end, where the curves run level, and each differs from its neighbours' by a clear
// colour distance.
TEST_F(BatchSweepTest, TheOverlaysTenCurvesCanBeToldApart) {
  const ToolRun r =
      RunTool({"--sweep", "feedback=0.2:3:10", "--ticks", "400", "--overlay", Path("o.png")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const QImage image(QString::fromStdString(Path("o.png")));
  ASSERT_FALSE(image.isNull());
  const SweepResult sweep = LibrarySweep(DriveInputs{}, "feedback=0.2:3:10", 400, true);
  StepResponseChart chart(StepCurvesOf(sweep), 800, 500);
  TBitmap bitmap;
  chart.Render(bitmap);  // lays the axes out as the picture's
  // 1.5 times the slowest run's settling time, well short of the record.
  double slowest = 0;
  for (const RunResult& run : sweep.Runs) slowest = std::max(slowest, *run.Measured.Settling2Pct);
  EXPECT_DOUBLE_EQ(chart.Chart().BottomAxis().Maximum(), 1.5 * slowest);
  EXPECT_LT(chart.Chart().BottomAxis().Maximum(), 0.3);
  std::vector<TColor> seen;
  for (int i = 0; i < 10; ++i) {
    const RunRecord& record = sweep.Runs[static_cast<std::size_t>(i)].Record;
    const std::size_t k =
        static_cast<std::size_t>(0.9 * chart.Chart().BottomAxis().Maximum() / record.StepSize);
    const double t = static_cast<double>(k) * record.StepSize;
    const double y = record.Velocity[k];
    const int px = chart.Chart().BottomAxis().ValueToPixel(t);
    const int py = chart.Chart().LeftAxis().ValueToPixel(y);
    // The curve's colour: the pixel nearest its row that is not white or
    // grid grey.
    TColor found = clWhite;
    for (int d = 0; d <= 2 && found == clWhite; ++d) {
      for (int dy : {d, -d}) {
        const QRgb p = image.pixel(px, py + dy);
        const TColor c = RGB(qRed(p), qGreen(p), qBlue(p));
        if (ColorDistance(c, clWhite) > 30 && ColorDistance(c, RGB(0xC0, 0xC0, 0xC0)) > 5) {
          found = c;
          break;
        }
      }
    }
    EXPECT_EQ(found, chart.Curve(i).SeriesColor()) << i;
    seen.push_back(found);
  }
  for (int i = 1; i < 10; ++i) {
    EXPECT_GE(ColorDistance(seen[i - 1], seen[i]), 10.0) << i;
  }
}

}  // namespace
}  // namespace drivesim

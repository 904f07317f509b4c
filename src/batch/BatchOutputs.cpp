#include "batch/BatchOutputs.h"

#include <algorithm>
#include <optional>
#include <string>

#include "analysis/BodeChart.h"
#include "analysis/ExplorerState.h"
#include "analysis/FiguresCsv.h"
#include "analysis/PoleMapChart.h"
#include "analysis/StepResponseChart.h"
#include "analysis/Sweep.h"
#include "analysis/SweepFiguresChart.h"
#include "batch/BatchOptions.h"
#include "batch/BatchReport.h"
#include "batch/BatchRun.h"
#include "files/PngData.h"
#include "lab/LabWindow.h"
#include "mechanism/MechanismPicture.h"
#include "ui/MainWindowPicture.h"

namespace drivesim {

namespace {

void WriteData(std::ostream& stream, const std::string& data) {
  stream.write(data.data(), static_cast<std::streamsize>(data.size()));
}

void WriteSeries(const BatchResult& result, std::ostream& stream) {
  WriteSeriesPoints(stream, result.Window.Series1, result.Window.Series2);
}

void WriteChart(const BatchResult& result, std::ostream& stream) {
  WriteData(stream, OscilloscopePng(*result.Window.Scope.Chart1, result.Options.Scale));
}

// The run as the user enters it into the main window.
MainWindowRun WindowRunOf(const BatchOptions& options) {
  const DriveInputs& in = options.Inputs;
  return MainWindowRun{in.AmpGain,     in.AmpTimeConst,    in.MotorCoef,      in.MotorInertia,
                       in.LoadInertia, in.ViscousFriction, in.FeedbackCoef,   in.LoadTeeth,
                       in.Setpoint,    options.Ticks,      options.ResetAfter};
}

void WriteWindow(const BatchResult& result, std::ostream& stream) {
  // The window's own "Process" and timer handlers run the same inputs
  // again; the failure they meet, if any, has been reported by the run.
  WriteData(stream, MainWindowPng(WindowRunOf(result.Options), nullptr, result.Options.Scale));
}

void WriteLab(const BatchResult& result, std::ostream& stream) {
  // The same run in the real main window, then its lab window opened from
  // the menu.
  WriteData(stream, LabWindowPng(WindowRunOf(result.Options), result.Options.Sweep, nullptr,
                                 result.Options.Scale));
}

// The lab runs a sweep only within its own limits, each run as long as the
// batch tool's run.
void CheckLab(const BatchOptions& options) {
  if (options.Sweep) {
    CheckLabSweep(static_cast<int>(options.Sweep->Values.size()),
                  std::max(options.Ticks, 1) / 1000.0);
  }
}

// At a scale above 1 the picture is drawn at that density, as the window
// shows it on such a screen.
void WritePicture(const BatchResult& result, std::ostream& stream) {
  if (result.Options.Scale == 1) {
    WriteData(stream, PngData(result.Window.Image, 1));
    return;
  }
  TBitmap dense;
  DrawPictureAtDensity(dense, result.Window.Gears, result.Options.Scale);
  WriteData(stream, PngData(dense, 1));
}

// One row of figures per run; the swept value is empty without a sweep.
void WriteFigures(const BatchResult& result, std::ostream& stream) {
  const SweepResult& runs = result.Runs;
  const bool swept = result.Options.Sweep.has_value();
  std::string text = FiguresCsvHeader();
  for (std::size_t i = 0; i < runs.Runs.size(); ++i) {
    const std::optional<double> value =
        swept ? std::optional<double>(runs.Spec.Values[i]) : std::nullopt;
    AppendFiguresRow(text, static_cast<int>(i) + 1, value, runs.Runs[i]);
  }
  WriteData(stream, text);
}

void WriteOverlay(const BatchResult& result, std::ostream& stream) {
  std::vector<StepCurve> curves = StepCurvesOf(result.Runs);
  // The one run's curve is named as what it shows.
  if (!result.Options.Sweep && !curves.empty()) curves.front().Name = "Load velocity";
  WriteData(stream, DrawnPng([&](TBitmap& picture) {
              RenderStepResponses(curves, picture, kAnalysisChartWidth, kAnalysisChartHeight,
                                  result.Options.Scale);
            }));
}

void WriteSweepChart(const BatchResult& result, std::ostream& stream) {
  WriteData(stream, DrawnPng([&](TBitmap& picture) {
              RenderSweepFigures(result.Runs, picture, kAnalysisChartWidth, kAnalysisChartHeight,
                                 result.Options.Scale,
                                 SweptValueOf(result.Options.Inputs, result.Runs.Spec.Parameter));
            }));
}

// One of the explorer's charts for the run's inputs, range of k and
// targets, drawn by render as a PNG picture of the analysis charts' size.
using ExplorerRender = void (*)(const ExplorerState&, TBitmap&, int width, int height, int scale);
void WriteExplorerChart(const BatchResult& result, std::ostream& stream, ExplorerRender render) {
  const BatchOptions& o = result.Options;
  ExplorerState state;
  state.SetFeedbackRange(o.ExploreFrom, o.ExploreTo);
  if (o.Targets) state.SetTargets(*o.Targets);
  state.SetInputs(o.Inputs);
  WriteData(stream, DrawnPng([&](TBitmap& picture) {
              render(state, picture, kAnalysisChartWidth, kAnalysisChartHeight, o.Scale);
            }));
}

void WriteLocus(const BatchResult& result, std::ostream& stream) {
  WriteExplorerChart(result, stream, &RenderPoleMap);
}

void WriteBode(const BatchResult& result, std::ostream& stream) {
  WriteExplorerChart(result, stream, &RenderBode);
}

void WriteExplorer(const BatchResult& result, std::ostream& stream) {
  const BatchOptions& o = result.Options;
  WriteData(stream, ExplorerWindowPng(WindowRunOf(o), o.Targets, o.ExploreFrom, o.ExploreTo,
                                      nullptr, o.Scale));
}

}  // namespace

const std::vector<BatchOutput>& BatchOutputTable() {
  static const std::vector<BatchOutput> table{
      {"--csv", "FILE",
       "per-tick rows to FILE, \"-\" for standard output\n"
       "(default -, unless --sweep or --metrics - is given);\n"
       "with --sweep, every run's rows with the run's number\n"
       "first",
       nullptr, "-", BatchOutputUse::AnyRun},
      {"--series-csv", "FILE",
       "after the run, the points of both oscilloscope series\n"
       "to FILE (\"-\" for standard output)",
       &WriteSeries},
      {"--chart", "FILE.png",
       "after the run, a picture of the 353 x 169 oscilloscope\n"
       "exactly as the window shows it",
       &WriteChart},
      {"--window", "FILE.png",
       "after the run, a picture of the whole main window:\n"
       "the same run entered into the real window, offscreen",
       &WriteWindow},
      {"--picture", "FILE.png",
       "after the run, the 353 x 313 mechanism picture exactly\n"
       "as the window's image shows it (--ticks 0: at start-up)",
       &WritePicture},
      {"--metrics", "FILE",
       "after the run, a row of figures per run to FILE (\"-\"\n"
       "for standard output): how the load velocity rises,\n"
       "overshoots and settles, measured on the run and from\n"
       "the loop's closed form; with --reset-after, of the run\n"
       "that starts at the reset",
       &WriteFigures, nullptr, BatchOutputUse::AnyRun},
      {"--overlay", "FILE.png",
       "after the run, an 800 x 500 chart of the step\n"
       "response from t = 0: every run's load velocity in its\n"
       "colour, the legend naming its swept value, the\n"
       "setpoint dashed",
       &WriteOverlay, nullptr, BatchOutputUse::AnyRun, true},
      {"--sweep-chart", "FILE.png",
       "after the sweep, an 800 x 500 chart of overshoot %,\n"
       "static error % and 2 % settling time against the\n"
       "swept value: measured as points, closed form as\n"
       "lines (needs --sweep)",
       &WriteSweepChart, nullptr, BatchOutputUse::SweepOnly},
      {"--lab", "FILE.png",
       "after the run, a picture of the \"Quality of regulation\"\n"
       "window opened from the real window's menu, offscreen:\n"
       "the run its current run, with --sweep the sweep run\n"
       "in it and kept",
       &WriteLab, nullptr, BatchOutputUse::AnyRun, false, &CheckLab},
      {"--explorer", "FILE.png",
       "a picture of the \"Explore the feedback coefficient\"\n"
       "window opened from the real window's menu, offscreen,\n"
       "with the inputs given, --explore-range and --targets",
       &WriteExplorer},
      {"--locus", "FILE.png",
       "an 800 x 500 pole map: the root locus of k over\n"
       "--explore-range, the poles at the given k, lines of\n"
       "constant damping and natural frequency, the regions\n"
       "--targets allow",
       &WriteLocus},
      {"--bode", "FILE.png",
       "an 800 x 500 frequency response of the loop at the\n"
       "given k: open-loop magnitude and phase with the\n"
       "crossover and phase margin, the closed loop's\n"
       "magnitude with its bandwidth and resonance peak",
       &WriteBode},
      {"--report", "FILE.pdf",
       "the lab report as a PDF: the scenario's title and task,\n"
       "the student (--student), the date, the inputs, the\n"
       "explorer's figures and design answer (--explore-range,\n"
       "--targets), the step responses, the runs' table (the run,\n"
       "or the sweep's runs, after the scenario's kept runs) and\n"
       "the sweep's figures; Letter or A4 paper as the locale has\n"
       "it",
       &WriteBatchReport, nullptr, BatchOutputUse::AnyRun, true, &CheckBatchReport},
  };
  return table;
}

}  // namespace drivesim

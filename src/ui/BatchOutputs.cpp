#include "ui/BatchOutputs.h"

#include <string>

#include "ui/BatchOptions.h"
#include "ui/BatchRun.h"
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
  WriteData(stream,
            LabWindowPng(WindowRunOf(result.Options), std::nullopt, nullptr, result.Options.Scale));
}

void WritePicture(const BatchResult& result, std::ostream& stream) {
  WriteData(stream, PngData(result.Window.Image, result.Options.Scale));
}

}  // namespace

const std::vector<BatchOutput>& BatchOutputTable() {
  static const std::vector<BatchOutput> table{
      {"--csv", "FILE", "per-tick rows to FILE, \"-\" for standard output\n(default -)", nullptr,
       "-"},
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
      {"--lab", "FILE.png",
       "after the run, a picture of the \"Quality of regulation\"\n"
       "window opened from the real window's menu, offscreen,\n"
       "the run its current run",
       &WriteLab},
  };
  return table;
}

}  // namespace drivesim

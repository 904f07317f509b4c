#include "ui/Batch.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "chart/ChartSeries.h"
#include "mechanism/Gears.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Application.h"
#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "platform/Numbers.h"
#include "sim/DriveModel.h"
#include "sim/SimulationTick.h"
#include "sim/TimeHistory.h"
#include "ui/MainWindowPicture.h"
#include "ui/OscilloscopeLayout.h"

namespace drivesim {

namespace {

// A bad option or input: its one-line message ends the run with status 2.
class BatchInputError : public Exception {
  using Exception::Exception;
};

// The message as the error box shows it, period rule included.
std::string MessageLine(const std::string& message) { return ErrorBoxText(message); }

// Reads real numbers with a point as the decimal separator, whatever the
// user's locale, by the rules the edits' texts are read with. The locale's
// separator is restored afterwards.
double ReadReal(const std::string& text) {
  struct PointSeparator {
    char Saved = DecimalSeparator();
    PointSeparator() { SetDecimalSeparator('.'); }
    ~PointSeparator() { SetDecimalSeparator(Saved); }
  } point;
  return StrToFloat(text);
}

// Everything the command line sets. The seven reals start from the texts the
// window's edits start with, read the same way.
struct BatchOptions {
  double Gain = ReadReal("10");
  double TimeConstant = ReadReal("0.006");
  double MotorCoef = ReadReal("1.4");
  double MotorInertia = ReadReal("0.021");
  double LoadInertia = ReadReal("0.3");
  double Friction = ReadReal("1.6");
  double Feedback = ReadReal("1");
  int Teeth = 42;
  int Setpoint = 100;
  int Ticks = 400;
  std::optional<int> ResetAfter;
  std::string CsvPath = "-";
  std::optional<std::string> SeriesCsvPath;
  std::optional<std::string> ChartPath;
  std::optional<std::string> WindowPath;
  int Scale = 1;  // the pictures' size and density, times the window's
  bool Help = false;
};

// One row of the option table. Options that take a value accept it as the
// next argument or joined with "="; each later output (a picture of the
// window, a picture of the chart) is one more row here and one more output
// after the run.
struct OptionSpec {
  const char* Name;
  const char* ValueName;  // null for a switch
  const char* Help;
  std::function<void(BatchOptions&, const std::string& value)> Apply;
};

int ReadTeeth(const std::string& text) {
  const int teeth = StrToInt(text);
  if (teeth < kMinLoadTeeth || teeth > kMaxLoadTeeth) throw BatchInputError(kGearTeethRangeMessage);
  return teeth;
}

int ReadScale(const std::string& text) {
  const int scale = StrToInt(text);
  if (scale < 1 || scale > 4) throw BatchInputError("--scale must be 1, 2, 3 or 4");
  return scale;
}

int ReadCount(const char* option, const std::string& text) {
  const int count = StrToInt(text);
  if (count < 0) throw BatchInputError(std::string(option) + " must not be negative");
  return count;
}

const std::vector<OptionSpec>& OptionTable() {
  static const std::vector<OptionSpec> table{
      {"--gain", "X", "converter-amplifier gain (default 10)",
       [](BatchOptions& o, const std::string& v) { o.Gain = ReadReal(v); }},
      {"--time-constant", "X", "amplifier time constant, s (default 0.006)",
       [](BatchOptions& o, const std::string& v) { o.TimeConstant = ReadReal(v); }},
      {"--motor-coef", "X", "motor coefficient, rad/(s*V) (default 1.4)",
       [](BatchOptions& o, const std::string& v) { o.MotorCoef = ReadReal(v); }},
      {"--motor-inertia", "X", "motor moment of inertia, kg*m^2 (default 0.021)",
       [](BatchOptions& o, const std::string& v) { o.MotorInertia = ReadReal(v); }},
      {"--load-inertia", "X", "load moment of inertia, kg*m^2 (default 0.3)",
       [](BatchOptions& o, const std::string& v) { o.LoadInertia = ReadReal(v); }},
      {"--friction", "X", "load's viscous friction, N*m*s/rad (default 1.6)",
       [](BatchOptions& o, const std::string& v) { o.Friction = ReadReal(v); }},
      {"--feedback", "X", "feedback coefficient, V*s/rad (default 1)",
       [](BatchOptions& o, const std::string& v) { o.Feedback = ReadReal(v); }},
      {"--teeth", "N", "tooth count of the load gear, 1..55 (default 42)",
       [](BatchOptions& o, const std::string& v) { o.Teeth = ReadTeeth(v); }},
      {"--setpoint", "N",
       "preset load velocity, rad/s, a whole number, entered as\n"
       "in the setpoint spin edit before \"Process\" (default 100)",
       [](BatchOptions& o, const std::string& v) { o.Setpoint = StrToInt(v); }},
      {"--ticks", "N", "timer ticks to run, 1 ms of simulated time each\n(default 400)",
       [](BatchOptions& o, const std::string& v) { o.Ticks = ReadCount("--ticks", v); }},
      {"--reset-after", "K",
       "press \"Reset\" after tick K (0..N), then \"Process\"\n"
       "again, and run the remaining ticks from rest",
       [](BatchOptions& o, const std::string& v) { o.ResetAfter = ReadCount("--reset-after", v); }},
      {"--csv", "FILE", "per-tick rows to FILE, \"-\" for standard output\n(default -)",
       [](BatchOptions& o, const std::string& v) { o.CsvPath = v; }},
      {"--series-csv", "FILE",
       "after the run, the points of both oscilloscope series\n"
       "to FILE (\"-\" for standard output)",
       [](BatchOptions& o, const std::string& v) { o.SeriesCsvPath = v; }},
      {"--chart", "FILE.png",
       "after the run, a picture of the 353 x 169 oscilloscope\n"
       "exactly as the window shows it",
       [](BatchOptions& o, const std::string& v) { o.ChartPath = v; }},
      {"--window", "FILE.png",
       "after the run, a picture of the whole main window:\n"
       "the same run entered into the real window, offscreen",
       [](BatchOptions& o, const std::string& v) { o.WindowPath = v; }},
      {"--scale", "N",
       "the pictures N times their size each way (1 to 4,\n"
       "default 1), drawn as on a screen N times as dense",
       [](BatchOptions& o, const std::string& v) { o.Scale = ReadScale(v); }},
      {"--help", nullptr, "show this text",
       [](BatchOptions& o, const std::string&) { o.Help = true; }},
  };
  return table;
}

std::string UsageText() {
  std::string text =
      "Usage: drivesim-batch [option ...]\n"
      "\n"
      "Runs the drive simulation without a window: the setpoint is entered, \"Process\"\n"
      "is pressed and the timer ticks N times. Writes one CSV row per tick:\n"
      "  tick,time_s,load_velocity,setpoint,load_gear_angle,motor_gear_angle\n"
      "and, with --series-csv, the points of both series after the run:\n"
      "  index,x,velocity,velocity_colour,setpoint,setpoint_colour\n"
      "Reals are written with 17 significant digits, colours as 0x00BBGGRR.\n"
      "\n"
      "Options (a value follows its option or is joined to it with \"=\"; real numbers\n"
      "are written with a point whatever the locale):\n";
  for (const OptionSpec& spec : OptionTable()) {
    std::string head = std::string("  ") + spec.Name;
    if (spec.ValueName) head += std::string(" ") + spec.ValueName;
    if (head.size() < 22)
      head.resize(22, ' ');
    else
      head += ' ';
    text += head;
    for (const char* c = spec.Help; *c; ++c) {
      text += *c;
      if (*c == '\n') text += std::string(22, ' ');
    }
    text += '\n';
  }
  text +=
      "\n"
      "Exit status: 0 done; 2 a bad option or input, nothing written; 3 an arithmetic\n"
      "failure during the run, the rows of the ticks before it written.\n";
  return text;
}

BatchOptions ParseOptions(const std::vector<std::string>& arguments) {
  BatchOptions options;
  for (std::size_t a = 0; a < arguments.size(); ++a) {
    const std::string& argument = arguments[a];
    std::string name = argument;
    std::optional<std::string> value;
    if (argument.rfind("--", 0) == 0) {
      if (const auto eq = argument.find('='); eq != std::string::npos) {
        name = argument.substr(0, eq);
        value = argument.substr(eq + 1);
      }
    } else {
      throw BatchInputError("Unexpected argument '" + argument + "'");
    }
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& candidate : OptionTable()) {
      if (name == candidate.Name) spec = &candidate;
    }
    if (spec == nullptr) throw BatchInputError("Unknown option '" + name + "'");
    if (spec->ValueName == nullptr) {
      if (value) throw BatchInputError("Option " + name + " takes no value");
    } else if (!value) {
      if (a + 1 >= arguments.size()) throw BatchInputError("Option " + name + " needs a value");
      value = arguments[++a];
    }
    spec->Apply(options, value.value_or(std::string()));
  }
  if (options.ResetAfter && *options.ResetAfter > options.Ticks) {
    throw BatchInputError("--reset-after must not exceed the number of ticks");
  }
  if (options.SeriesCsvPath && *options.SeriesCsvPath != "-" &&
      *options.SeriesCsvPath == options.CsvPath) {
    throw BatchInputError("--csv and --series-csv name the same file");
  }
  if (options.ChartPath && options.WindowPath && *options.ChartPath == *options.WindowPath) {
    throw BatchInputError("--chart and --window name the same file");
  }
  return options;
}

// The main window's simulation without the window: the records its unit
// holds, the oscilloscope with its two line series configured as the window
// configures them, the image, and the handlers the run imitates.
struct BatchWindow {
  DriveModel Model;
  TimeHistory History;
  GearPair Gears;
  Oscilloscope Scope = MakeOscilloscope();
  TLineSeries& Series1 = *Scope.Series1;  // load velocity
  TLineSeries& Series2 = *Scope.Series2;  // setpoint
  TBitmap Image{kPictureWidth, kPictureHeight};

  // Window creation: step size, gears for 42 teeth, time axis, sketch and
  // mechanism. The series stay empty.
  void FormCreate() {
    Model.StepSize = kModelStepSize;
    Gears.SetUpGears(42);
    History.ResetTimeAxis(Model.StepSize);
    DrawBlockSketch(Image);
    DrawMechanism(Image, Gears);
  }
  // The tooth-count spin edit: angles to 0, gears for the new count, redraw.
  void SpinEdit1Change(int teeth) {
    Gears.LoadGear.Angle = 0;
    Gears.MotorGear.Angle = 0;
    Gears.SetUpGears(teeth);
    DrawMechanism(Image, Gears);
  }
  // The setpoint spin edit: the feedback coefficient is stored and the new
  // setpoint both drives the model and enters the setpoint trace.
  void SpinEdit2Change(double feedback, int setpoint) {
    Model.FeedbackCoef = feedback;
    Model.SetpointShown = setpoint;
    Model.Setpoint = Model.SetpointShown;
  }
  // "Process": redraw, the inputs in the edits' order, the gear ratio of the
  // current gears, the setpoint, the coefficients. A zero denominator raises
  // before the coefficients change.
  void Button2Click(const BatchOptions& o) {
    DrawMechanism(Image, Gears);
    Model.AmpGain = o.Gain;
    Model.AmpTimeConst = o.TimeConstant;
    Model.MotorCoef = o.MotorCoef;
    Model.MotorInertia = o.MotorInertia;
    Model.LoadInertia = o.LoadInertia;
    Model.ViscousFriction = o.Friction;
    Model.FeedbackCoef = o.Feedback;
    Model.ComputeGearRatio(Gears.LoadGear.ToothCount, Gears.MotorGear.ToothCount);
    Model.Setpoint = o.Setpoint;
    Model.ComputeTransferCoefficients();
  }
  // "Reset": the model at rest, the history zeroed with the time axis back
  // at -0.301..0, both series refilled with 302 zero points.
  void Button5Click() {
    Model.ZeroState();
    History.ResetHistory(Model.StepSize);
    FillSeries(Series1, Series2, History);
  }
  void Timer1Timer() { SimulationTick(Model, History, Gears, Series1, Series2, Image); }
};

// An output of the run: standard output for "-", otherwise a file written
// under a temporary name beside it and renamed over it only by Commit, so
// that a run that fails on its inputs leaves no half-written file and an
// existing file as it was.
class OutputFile {
 public:
  OutputFile(std::string path, std::ostream& standardOutput)
      : fPath(std::move(path)), fStandardOutput(standardOutput) {}
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() {
    if (!fTempPath.empty()) {
      fFile.close();
      std::remove(fTempPath.c_str());
    }
  }

  void Open() {
    if (fPath == "-") return;
    // Reserve a fresh name in the same directory, so that the rename is a
    // plain replacement.
    for (int attempt = 0; fTempPath.empty(); ++attempt) {
      const std::string candidate =
          fPath + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
      const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
      if (fd >= 0) {
        ::close(fd);
        fTempPath = candidate;
      } else if (errno != EEXIST || attempt > 100) {
        throw BatchInputError(FileMessage("Cannot create file"));
      }
    }
    fFile.open(fTempPath, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!fFile) throw BatchInputError(FileMessage("Cannot create file"));
  }

  std::ostream& Stream() { return fPath == "-" ? fStandardOutput : fFile; }

  void Commit() {
    if (fPath == "-") {
      fStandardOutput.flush();
      return;
    }
    fFile.close();
    if (fFile.fail()) throw BatchInputError(FileMessage("Cannot write file"));
    if (std::rename(fTempPath.c_str(), fPath.c_str()) != 0) {
      throw BatchInputError(FileMessage("Cannot create file"));
    }
    fTempPath.clear();
  }

 private:
  std::string FileMessage(const char* what) const {
    return std::string(what) + " \"" + fPath + "\". " + std::strerror(errno);
  }

  std::string fPath;
  std::ostream& fStandardOutput;
  std::string fTempPath;
  std::ofstream fFile;
};

// Reals with 17 significant digits (as printf's "%.17g"), always with a
// point.
void AppendReal(std::string& text, double value) {
  char buffer[40];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
  text.append(buffer, result.ptr);
}

void AppendColour(std::string& text, TColor colour) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%06X", static_cast<unsigned>(colour));
  text += buffer;
}

// One row after tick number `tick`: the simulated time of the sample just
// recorded, the newest velocity and setpoint as the traces hold them, and
// both gear angles.
void WriteTickRow(std::ostream& stream, std::string& row, int tick, const BatchWindow& window) {
  constexpr int newest = HistoryLength - 1;
  row = std::to_string(tick);
  for (double value : {window.History.TimeAxis[newest], window.History.VelocityTrace[newest],
                       window.History.SetpointTrace[newest], window.Gears.LoadGear.Angle,
                       window.Gears.MotorGear.Angle}) {
    row += ',';
    AppendReal(row, value);
  }
  row += '\n';
  stream.write(row.data(), static_cast<std::streamsize>(row.size()));
}

// The points of both series, one row per index. The series are always filled
// together, so they hold the same number of points.
void WriteSeries(std::ostream& stream, const TChartSeries& velocity, const TChartSeries& setpoint) {
  std::string text = "index,x,velocity,velocity_colour,setpoint,setpoint_colour\n";
  const int count = std::min(velocity.PointCount(), setpoint.PointCount());
  for (int i = 0; i < count; ++i) {
    const auto at = static_cast<std::size_t>(i);
    text += std::to_string(i);
    text += ',';
    AppendReal(text, velocity.XValueAt(i));
    text += ',';
    AppendReal(text, velocity.YValueAt(i));
    text += ',';
    AppendColour(text, velocity.ColorList()[at]);
    text += ',';
    AppendReal(text, setpoint.YValueAt(i));
    text += ',';
    AppendColour(text, setpoint.ColorList()[at]);
    text += '\n';
  }
  stream.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace

int RunBatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  BatchOptions options;
  try {
    options = ParseOptions(arguments);
  } catch (const Exception& e) {
    err << MessageLine(e.Message()) << '\n';
    return kBatchExitBadInput;
  }
  if (options.Help) {
    out << UsageText();
    out.flush();
    return kBatchExitOk;
  }

  // The window as created, the tooth count and the setpoint entered, and
  // "Process" pressed. Anything failing up to here is an input the window
  // would refuse; nothing has been written yet.
  BatchWindow window;
  std::optional<OutputFile> csv;
  std::optional<OutputFile> seriesCsv;
  try {
    window.FormCreate();
    if (options.Teeth != window.Gears.LoadGear.ToothCount) window.SpinEdit1Change(options.Teeth);
    window.SpinEdit2Change(options.Feedback, options.Setpoint);
    window.Button2Click(options);
    if (options.ChartPath) CheckPictureCanBeWritten(*options.ChartPath);
    if (options.WindowPath) CheckPictureCanBeWritten(*options.WindowPath);
    csv.emplace(options.CsvPath, out);
    csv->Open();
    if (options.SeriesCsvPath) {
      seriesCsv.emplace(*options.SeriesCsvPath, out);
      seriesCsv->Open();
    }
  } catch (const Exception& e) {
    err << MessageLine(e.Message()) << '\n';
    return kBatchExitBadInput;
  }

  // The timer's ticks. An arithmetic failure ends the run at the failing
  // tick; the rows before it and the series as the last completed fill left
  // them are still written.
  int status = kBatchExitOk;
  std::ostream& rows = csv->Stream();
  rows << "tick,time_s,load_velocity,setpoint,load_gear_angle,motor_gear_angle\n";
  std::string row;
  try {
    if (options.ResetAfter == 0) {
      window.Button5Click();
      window.Button2Click(options);
    }
    for (int tick = 1; tick <= options.Ticks; ++tick) {
      window.Timer1Timer();
      WriteTickRow(rows, row, tick, window);
      if (options.ResetAfter == tick) {
        window.Button5Click();
        window.Button2Click(options);
      }
    }
  } catch (const Exception& e) {
    err << MessageLine(e.Message()) << '\n';
    status = kBatchExitArithmeticFailure;
  }

  try {
    if (seriesCsv) WriteSeries(seriesCsv->Stream(), window.Series1, window.Series2);
    csv->Commit();
    if (seriesCsv) seriesCsv->Commit();
    if (options.ChartPath) {
      SaveOscilloscopePicture(*window.Scope.Chart1, *options.ChartPath, options.Scale);
    }
    if (options.WindowPath) {
      // The window's own "Process" and timer handlers run the same inputs
      // again; the failure they meet, if any, has been reported above.
      const MainWindowRun run{options.Gain,         options.TimeConstant, options.MotorCoef,
                              options.MotorInertia, options.LoadInertia,  options.Friction,
                              options.Feedback,     options.Teeth,        options.Setpoint,
                              options.Ticks,        options.ResetAfter};
      SaveMainWindowPicture(run, *options.WindowPath, options.Scale);
    }
  } catch (const Exception& e) {
    err << MessageLine(e.Message()) << '\n';
    return kBatchExitBadInput;
  }
  return status;
}

}  // namespace drivesim

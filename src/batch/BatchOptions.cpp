#include "batch/BatchOptions.h"

#include <cmath>
#include <functional>

#include "batch/BatchOutputs.h"
#include "files/Scenario.h"
#include "mechanism/Gears.h"
#include "platform/Numbers.h"

namespace drivesim {

namespace {

int ReadTeeth(const std::string& text) {
  const int teeth = StrToInt(text);
  if (teeth < kMinLoadTeeth || teeth > kMaxLoadTeeth) {
    throw EBatchInputError(kGearTeethRangeMessage);
  }
  return teeth;
}

int ReadScale(const std::string& text) {
  const int scale = StrToInt(text);
  if (scale < 1 || scale > 4) throw EBatchInputError("--scale must be 1, 2, 3 or 4");
  return scale;
}

int ReadCount(const char* option, const std::string& text) {
  const int count = StrToInt(text);
  if (count < 0) throw EBatchInputError(std::string(option) + " must not be negative");
  return count;
}

DesignTargets ReadDesignTargets(const std::string& text) {
  DesignTargets targets;
  std::string error;
  if (!ParseDesignTargets(text, targets, error)) throw EBatchInputError(error);
  return targets;
}

// FROM:TO, two finite reals with FROM below TO, for the option named.
void ReadRange(const char* option, const std::string& text, double& from, double& to) {
  const auto colon = text.find(':');
  if (colon == std::string::npos)
    throw EBatchInputError(std::string(option) + " must be FROM:TO, not '" + text + "'");
  const double first = StrToFloatWithPoint(text.substr(0, colon));
  const double last = StrToFloatWithPoint(text.substr(colon + 1));
  if (!(first < last) || !std::isfinite(first) || !std::isfinite(last))
    throw EBatchInputError(std::string(option) + " needs FROM below TO, both finite");
  from = first;
  to = last;
}

void ReadDesignRange(BatchOptions& options, const std::string& text) {
  ReadRange("--design-range", text, options.DesignFrom, options.DesignTo);
  options.DesignRangeGiven = true;
}

void ReadExploreRange(BatchOptions& options, const std::string& text) {
  ReadRange("--explore-range", text, options.ExploreFrom, options.ExploreTo);
}

// Everything a scenario file sets, as the windows take it when it is opened.
void ReadScenarioFile(BatchOptions& options, const std::string& path) {
  const Scenario scenario = ReadScenario(path);
  options.Inputs = scenario.Inputs;
  options.Title = scenario.Title;
  options.Task = scenario.Task;
  options.KeptRuns = scenario.KeptRuns;
  options.ExploreFrom = scenario.Explorer.KFrom;
  options.ExploreTo = scenario.Explorer.KTo;
  DesignTargets targets;
  for (std::size_t i = 0; i < targets.Items.size(); ++i) {
    const ScenarioTarget& t = scenario.Explorer.Targets[i];
    targets.Items[i] = {.Enabled = t.Enabled, .Limit = t.Limit};
  }
  options.Targets.reset();
  if (targets.EnabledCount() > 0) options.Targets = targets;
}

// One option. A value follows its option or is joined to it with "=".
struct OptionSpec {
  const char* Name;
  const char* ValueName;  // null for a switch
  const char* Help;
  std::function<void(BatchOptions&, const std::string& value)> Apply;
};

// The inputs and the run's length, then one option per output, then --help.
const std::vector<OptionSpec>& OptionTable() {
  static const std::vector<OptionSpec> table = [] {
    std::vector<OptionSpec> options{
        {"--scenario", "FILE",
         "take the seven reals, the tooth count and the setpoint\n"
         "from a scenario file (.drivesim), and its range of k and\n"
         "design targets; --report also shows its title, task and\n"
         "kept runs. Options after it override them, options\n"
         "before it are replaced",
         [](BatchOptions& o, const std::string& v) { ReadScenarioFile(o, v); }},
        {"--gain", "X", "converter-amplifier gain (default 10)",
         [](BatchOptions& o, const std::string& v) { o.Inputs.AmpGain = StrToFloatWithPoint(v); }},
        {"--time-constant", "X", "amplifier time constant, s (default 0.006)",
         [](BatchOptions& o, const std::string& v) {
           o.Inputs.AmpTimeConst = StrToFloatWithPoint(v);
         }},
        {"--motor-coef", "X", "motor coefficient, rad/(s*V) (default 1.4)",
         [](BatchOptions& o, const std::string& v) {
           o.Inputs.MotorCoef = StrToFloatWithPoint(v);
         }},
        {"--motor-inertia", "X", "motor moment of inertia, kg*m^2 (default 0.021)",
         [](BatchOptions& o, const std::string& v) {
           o.Inputs.MotorInertia = StrToFloatWithPoint(v);
         }},
        {"--load-inertia", "X", "load moment of inertia, kg*m^2 (default 0.3)",
         [](BatchOptions& o, const std::string& v) {
           o.Inputs.LoadInertia = StrToFloatWithPoint(v);
         }},
        {"--friction", "X", "load's viscous friction, N*m*s/rad (default 1.6)",
         [](BatchOptions& o, const std::string& v) {
           o.Inputs.ViscousFriction = StrToFloatWithPoint(v);
         }},
        {"--feedback", "X", "feedback coefficient, V*s/rad (default 1)",
         [](BatchOptions& o, const std::string& v) {
           o.Inputs.FeedbackCoef = StrToFloatWithPoint(v);
         }},
        {"--teeth", "N", "tooth count of the load gear, 1..55 (default 42)",
         [](BatchOptions& o, const std::string& v) { o.Inputs.LoadTeeth = ReadTeeth(v); }},
        {"--setpoint", "N",
         "preset load velocity, rad/s, a whole number, entered as\n"
         "in the setpoint spin edit before \"Process\" (default 100)",
         [](BatchOptions& o, const std::string& v) { o.Inputs.Setpoint = StrToInt(v); }},
        {"--ticks", "N", "timer ticks to run, 1 ms of simulated time each\n(default 400)",
         [](BatchOptions& o, const std::string& v) { o.Ticks = ReadCount("--ticks", v); }},
        {"--reset-after", "K",
         "press \"Reset\" after tick K (0..N), then \"Process\"\n"
         "again, and run the remaining ticks from rest",
         [](BatchOptions& o, const std::string& v) {
           o.ResetAfter = ReadCount("--reset-after", v);
         }},
        {"--sweep", "SPEC",
         "run the drive once per value, each run from rest with\n"
         "the other inputs as given: NAME=FROM:TO:COUNT (COUNT\n"
         "evenly spaced values, 2..1000, ends included) or\n"
         "NAME=V1,V2,... with NAME one of gain, time-constant,\n"
         "motor-coef, motor-inertia, load-inertia, friction,\n"
         "feedback, teeth (1..55) or setpoint (0..300); teeth\n"
         "and setpoint rounded to whole numbers, half to even",
         [](BatchOptions& o, const std::string& v) { o.Sweep = ParseSweepSpec(v); }},
        {"--scale", "N",
         "the PNG pictures N times their size each way (1 to 4,\n"
         "default 1), drawn as on a screen N times as dense",
         [](BatchOptions& o, const std::string& v) { o.Scale = ReadScale(v); }},
        {"--design", "TARGETS",
         "instead of running the drive, print the feedback\n"
         "coefficients that meet every target, found from the\n"
         "loop's closed form: feedback_from,feedback_to and one\n"
         "row per interval of k (an interval reaching an end of\n"
         "the range has that end; none: the header alone and the\n"
         "reason on standard error). TARGETS: NAME<=X or\n"
         "NAME>=X joined by commas, with overshoot<= (%),\n"
         "settling2<= and settling5<= (s), rise<= (s), error<=\n"
         "(% of the setpoint at the comparator), damping>= and\n"
         "phase-margin>= (degrees); the other inputs as given.\n"
         "Not with --sweep or an output",
         [](BatchOptions& o, const std::string& v) { o.Design = ReadDesignTargets(v); }},
        {"--design-range", "FROM:TO", "the range of k that --design searches (default 0:10)",
         [](BatchOptions& o, const std::string& v) { ReadDesignRange(o, v); }},
        {"--targets", "TARGETS",
         "the design targets that --explorer, --locus, --bode and\n"
         "--report show met or not, and their allowed regions (as\n"
         "for --design)",
         [](BatchOptions& o, const std::string& v) { o.Targets = ReadDesignTargets(v); }},
        {"--explore-range", "FROM:TO",
         "the range of k that --explorer, --locus, --bode and\n"
         "--report show (default 0:5)",
         [](BatchOptions& o, const std::string& v) { ReadExploreRange(o, v); }},
        {"--student", "NAME",
         "the student's name in --report (default: the name the\n"
         "window remembers)",
         [](BatchOptions& o, const std::string& v) { o.Student = v; }},
    };
    const std::vector<BatchOutput>& outputs = BatchOutputTable();
    for (std::size_t n = 0; n < outputs.size(); ++n) {
      options.push_back({outputs[n].Name, outputs[n].ValueName, outputs[n].Help,
                         [n](BatchOptions& o, const std::string& v) { o.OutputPaths[n] = v; }});
    }
    options.push_back({"--help", nullptr, "show this text",
                       [](BatchOptions& o, const std::string&) { o.Help = true; }});
    return options;
  }();
  return table;
}

}  // namespace

std::string UsageText() {
  std::string text =
      "Usage: drivesim-batch [option ...]\n"
      "\n"
      "Runs the drive simulation without a window: the setpoint is entered, \"Process\"\n"
      "is pressed and the timer ticks N times. Writes one CSV row per tick:\n"
      "  tick,time_s,load_velocity,setpoint,load_gear_angle,motor_gear_angle\n"
      "and, with --series-csv, the points of both series after the run:\n"
      "  index,x,velocity,velocity_colour,setpoint,setpoint_colour\n"
      "Reals are written as the shortest text that reads back as the same value,\n"
      "colours as #RRGGBB (red, green and blue from 00 to FF: the velocity trace\n"
      "#00FFFF, the setpoint #00FF00).\n"
      "\n"
      "With --metrics, the quality of regulation of each run, one row per run:\n"
      "  run,value,gain,time_constant,motor_coef,motor_inertia,load_inertia,\n"
      "  friction,feedback,teeth,setpoint,status,final_value,end_value,\n"
      "  static_error,static_error_pct,peak,peak_time_s,overshoot_pct,\n"
      "  rise_time_s,settling_2pct_s,settling_5pct_s,crossings,natural_freq,\n"
      "  damping_ratio,theory_overshoot_pct,theory_peak_time_s,\n"
      "  theory_rise_time_s,theory_settling_2pct_s,theory_settling_5pct_s,\n"
      "  pole1_re,pole1_im,pole2_re,pole2_im,loop_gain_dc,error_signal_pct,\n"
      "  crossover_freq,phase_margin_deg,bandwidth,resonance_peak_db\n"
      "value is the swept value (empty without --sweep, whose one run is run 1).\n"
      "The load velocity w follows w'' + a w' + b w = c * setpoint: a is the loop's\n"
      "damping, b its stiffness (it grows with the feedback coefficient) and c the\n"
      "drive's forward gain. The figures are measured on the load velocity after\n"
      "every integration step against the final value the loop settles to,\n"
      "c * setpoint / b = gain*motor_coef*setpoint / (friction +\n"
      "gain*motor_coef*feedback); the theory_ ones, natural_freq and damping_ratio\n"
      "come from the loop's exact step response. status is settled (the run ends\n"
      "inside the 2 % band), not_settled, no_response (final value 0), unstable\n"
      "(the loop's damping or stiffness not above 0: final_value and the\n"
      "closed-form figures empty) or diverged (an arithmetic failure ended the run;\n"
      "its figures are those of the steps before). A figure the run does not reach\n"
      "is an empty field.\n"
      "The last ten come from the loop's transfer functions: the open loop\n"
      "L(s) = k*c/(s^2 + a*s + b0), b0 the part of the stiffness b without\n"
      "feedback, and the closed loop T(s) = c/(s^2 + a*s + b). pole1 is the pole with the larger "
      "imaginary part, or the\n"
      "larger real part when both are real; loop_gain_dc is L(0) =\n"
      "k*gain*motor_coef/friction (empty without friction); error_signal_pct is\n"
      "the error at the comparator, Setpoint - k*final_value in % of the\n"
      "setpoint, = 100/(1 + L(0)); crossover_freq is the w where |L(jw)| = 1\n"
      "(empty when |L(0)| <= 1) and phase_margin_deg 180 + the angle of L there,\n"
      "the angle taken in (-360, 0], so that a negative k (positive feedback,\n"
      "unstable once |L(0)| > 1) has a margin below 0; bandwidth is the lowest w\n"
      "where |T(jw)| = |T(0)|/sqrt(2)\n"
      "and resonance_peak_db 20*log10(max|T|/|T(0)|), 0 when the damping ratio\n"
      "is 1/sqrt(2) or more. An unstable loop leaves error_signal_pct, bandwidth\n"
      "and resonance_peak_db empty.\n"
      "\n"
      "With --sweep, the runs are spread over all cores and written in sweep order;\n"
      "--series-csv, --chart, --window, --picture and --reset-after describe one\n"
      "window and are refused. Without any output named, a sweep writes its figures\n"
      "to standard output. On a terminal, a sweep that takes more than a second\n"
      "shows its progress on standard error, on one line cleared at the end.\n"
      "\n"
      "Options (a value follows its option or is joined to it with \"=\"; real numbers\n"
      "are written with a point whatever the locale):\n";
  constexpr std::size_t kHelpColumn = 22;
  for (const OptionSpec& spec : OptionTable()) {
    std::string head = std::string("  ") + spec.Name;
    if (spec.ValueName) head += std::string(" ") + spec.ValueName;
    if (head.size() < kHelpColumn)
      head.resize(kHelpColumn, ' ');
    else
      head += ' ';
    text += head;
    for (const char* c = spec.Help; *c; ++c) {
      text += *c;
      if (*c == '\n') text += std::string(kHelpColumn, ' ');
    }
    text += '\n';
  }
  text +=
      "\n"
      "Outputs: every output is checked before any is written, and all are written\n"
      "once the run is over. A regular file is replaced at once (through a link, the\n"
      "file it leads to); a FIFO or a device is written in place. \"-\" is standard\n"
      "output, where the rows of one run appear as the run goes.\n"
      "\n"
      "Examples: The default drive's figures after 400 ticks, one row after the\n"
      "header: settled, final value 89.74 rad/s, overshoot 4.65 %, 2 % settling\n"
      "0.047 s:\n"
      "  drivesim-batch --metrics -\n"
      "Four runs with the feedback coefficient 0.5, 1, 1.5 and 2, their figures on\n"
      "standard output; the overshoot grows from 0.016 % to 4.65, 10.7 and 15.7 %:\n"
      "  drivesim-batch --sweep feedback=0.5:2:4\n"
      "The feedback coefficient 2 for 0.2 s: 200 rows to run.csv, the last load\n"
      "velocity 47.30 rad/s, and the oscilloscope's picture:\n"
      "  drivesim-batch --feedback 2 --ticks 200 --csv run.csv --chart osc.png\n"
      "Three gains side by side, the step responses in one chart and the figures\n"
      "against the gain in another:\n"
      "  drivesim-batch --sweep gain=5,10,20 --overlay steps.png --sweep-chart fig.png\n"
      "The lab report of a scenario's session, its kept runs and targets with it, the\n"
      "rows in lab.csv (--student NAME names the student):\n"
      "  drivesim-batch --scenario lab.drivesim --report lab.pdf --csv lab.csv\n"
      "A tooth count outside 1..55 writes nothing and ends with exit status 2:\n"
      "  drivesim-batch --teeth 60\n"
      "\n"
      "Exit status: 0 done; 2 a bad option, input, sweep or output file, nothing\n"
      "written; 3 an arithmetic failure during the run, the outputs written as the\n"
      "last good tick left the run (with --sweep: one or more runs diverged, the\n"
      "sweep went on and every output is written, those runs' rows saying\n"
      "diverged), and memory that ran out (nothing written); 4 an output could not\n"
      "be written after the run (standard output closed, a FIFO whose reader went\n"
      "away). Standard output into a pipe whose reader has gone ends the program\n"
      "quietly, by SIGPIPE, as other tools end.\n";
  return text;
}

BatchOptions ParseOptions(const std::vector<std::string>& arguments) {
  BatchOptions options;
  const std::vector<BatchOutput>& outputs = BatchOutputTable();
  options.OutputPaths.resize(outputs.size());
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
      throw EBatchInputError("Unexpected argument '" + argument + "'");
    }
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& candidate : OptionTable()) {
      if (name == candidate.Name) spec = &candidate;
    }
    if (spec == nullptr) throw EBatchInputError("Unknown option '" + name + "'");
    if (spec->ValueName == nullptr) {
      if (value) throw EBatchInputError("Option " + name + " takes no value");
    } else if (!value) {
      if (a + 1 >= arguments.size()) throw EBatchInputError("Option " + name + " needs a value");
      value = arguments[++a];
    }
    spec->Apply(options, value.value_or(std::string()));
  }
  if (options.ResetAfter && *options.ResetAfter > options.Ticks) {
    throw EBatchInputError("--reset-after must not exceed the number of ticks");
  }

  // What goes with a sweep. The sweep's runs have no window to picture, and
  // each runs from rest to its end.
  bool named = false;
  for (std::size_t n = 0; n < outputs.size(); ++n) {
    if (!options.OutputPaths[n]) continue;
    named = true;
    if (options.Sweep && outputs[n].Use == BatchOutputUse::OneRun) {
      throw EBatchInputError(std::string(outputs[n].Name) + " cannot be used with --sweep");
    }
    if (!options.Sweep && outputs[n].Use == BatchOutputUse::SweepOnly) {
      throw EBatchInputError(std::string(outputs[n].Name) + " needs --sweep");
    }
    if (outputs[n].Check) outputs[n].Check(options);
  }
  if (options.Design && (options.Sweep || named)) {
    throw EBatchInputError("--design prints its answer alone: not with --sweep or an output");
  }
  if (options.DesignRangeGiven && !options.Design) {
    throw EBatchInputError("--design-range needs --design");
  }
  if (options.Sweep && options.ResetAfter) {
    throw EBatchInputError("--reset-after cannot be used with --sweep");
  }

  // The figures on standard output take its place from the per-tick rows'
  // default, so that "--metrics -" prints the figures alone, as a sweep does.
  const bool figuresToStandardOutput = options.OutputPaths[kFiguresOutput] == "-";
  if (options.Design) {
    // The design answer goes to standard output, alone.
  } else if (!options.Sweep && !figuresToStandardOutput) {
    for (std::size_t n = 0; n < outputs.size(); ++n) {
      if (!options.OutputPaths[n] && outputs[n].Default)
        options.OutputPaths[n] = outputs[n].Default;
    }
  } else if (options.Sweep && !named) {
    options.OutputPaths[kFiguresOutput] = "-";
  }
  return options;
}

}  // namespace drivesim

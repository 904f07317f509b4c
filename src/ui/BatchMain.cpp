// drivesim-batch: runs the drive simulation without a window and prints the
// load velocity and the setpoint as CSV, one row per timer tick (1 ms of
// simulated time). Each tick does the simulation's work in the program's
// order: the gears turn by the velocity left by the previous tick, the model
// advances by 100 integration steps, and the gear outlines are rebuilt.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "mechanism/Gears.h"
#include "platform/Exceptions.h"
#include "sim/DriveModel.h"

namespace drivesim {
namespace {

constexpr int kStepsPerTick = 100;
constexpr int kMaxTicks = 100000000;
constexpr int kExitRunFailed = 1;
constexpr int kExitBadUsage = 2;

constexpr const char* kUsage =
    "Usage: drivesim-batch [options]\n"
    "Runs the drive simulation without a window and prints one CSV row per tick\n"
    "(1 ms of simulated time): time_s,load_velocity_rad_s,setpoint_rad_s\n"
    "\n"
    "Options:\n"
    "  --ticks N       number of ticks to run (default 400)\n"
    "  --setpoint V    preset load velocity, rad/s (default 100)\n"
    "  --teeth N       tooth count of the load gear, 1..55 (default 42)\n"
    "  --feedback K    feedback coefficient, V*s/rad (default 1)\n"
    "  --help          show this text\n"
    "\n"
    "The other inputs are the window's defaults: gain 10, time constant 0.006 s,\n"
    "motor coefficient 1.4, motor inertia 0.021, load inertia 0.3, friction 1.6.\n";

struct BatchOptions {
  int Ticks = 400;
  double Setpoint = 100;
  int Teeth = 42;
  double Feedback = 1;
  bool Help = false;
};

// A bad command line, reported in one line with exit code 2.
struct UsageError {
  std::string Text;
};

int ParseInt(std::string_view option, std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
    throw UsageError{std::string(option) + " needs a whole number, not '" + std::string(text) +
                     "'"};
  }
  if (value < low || value > high) {
    throw UsageError{std::string(option) + " must be between " + std::to_string(low) + " and " +
                     std::to_string(high) + ", not " + std::to_string(value)};
  }
  return value;
}

double ParseReal(std::string_view option, std::string_view text) {
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty() ||
      !std::isfinite(value)) {
    throw UsageError{std::string(option) + " needs a finite number, not '" + std::string(text) +
                     "'"};
  }
  return value;
}

// Options take their value as the next argument or after "=".
BatchOptions ParseOptions(int argc, char** argv) {
  BatchOptions options;
  struct ValueOption {
    std::string_view Name;
    std::function<void(std::string_view name, std::string_view value)> Apply;
  };
  const std::vector<ValueOption> valueOptions{
      {"--ticks",
       [&](auto name, auto value) { options.Ticks = ParseInt(name, value, 0, kMaxTicks); }},
      {"--setpoint", [&](auto name, auto value) { options.Setpoint = ParseReal(name, value); }},
      {"--teeth",
       [&](auto name, auto value) {
         options.Teeth = ParseInt(name, value, kMinLoadTeeth, kMaxLoadTeeth);
       }},
      {"--feedback", [&](auto name, auto value) { options.Feedback = ParseReal(name, value); }},
  };

  for (int a = 1; a < argc; ++a) {
    std::string_view arg = argv[a];
    if (arg == "--help" || arg == "-h") {
      options.Help = true;
      continue;
    }
    std::string_view name = arg;
    std::string_view value;
    bool hasValue = false;
    if (const auto eq = arg.find('='); eq != std::string_view::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      hasValue = true;
    }
    const ValueOption* match = nullptr;
    for (const ValueOption& option : valueOptions) {
      if (option.Name == name) match = &option;
    }
    if (match == nullptr) throw UsageError{"unknown option '" + std::string(arg) + "'"};
    if (!hasValue) {
      if (a + 1 >= argc) throw UsageError{std::string(name) + " needs a value"};
      value = argv[++a];
    }
    match->Apply(name, value);
  }
  return options;
}

// Shortest text that reads back as the same double.
std::string Number(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

int RunBatch(const BatchOptions& options) {
  GearPair gears;
  gears.SetUpGears(options.Teeth);

  DriveModel model;
  model.StepSize = kModelStepSize;
  model.AmpGain = 10;
  model.AmpTimeConst = 0.006;
  model.MotorCoef = 1.4;
  model.MotorInertia = 0.021;
  model.LoadInertia = 0.3;
  model.ViscousFriction = 1.6;
  model.FeedbackCoef = options.Feedback;
  model.Setpoint = options.Setpoint;
  model.SetpointShown = options.Setpoint;
  model.ComputeCoefficients(gears);

  std::string row;
  std::fputs("time_s,load_velocity_rad_s,setpoint_rad_s\n", stdout);
  for (int tick = 1; tick <= options.Ticks; ++tick) {
    gears.AdvanceGearAngles(model.State[1], model.StepSize);
    for (int step = 0; step < kStepsPerTick; ++step) model.IntegrateStep();
    gears.RebuildGearOutlines();
    row = Number(tick / 1000.0);
    row += ',';
    row += Number(model.State[1]);
    row += ',';
    row += Number(model.SetpointShown);
    row += '\n';
    std::fputs(row.c_str(), stdout);
  }
  return 0;
}

}  // namespace
}  // namespace drivesim

int main(int argc, char** argv) {
  using namespace drivesim;
  BatchOptions options;
  try {
    options = ParseOptions(argc, argv);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "drivesim-batch: %s (see --help)\n", e.Text.c_str());
    return kExitBadUsage;
  }
  if (options.Help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  try {
    return RunBatch(options);
  } catch (const Exception& e) {
    // The rows printed so far stay; the failure ends the run as it ends a
    // tick in the program.
    std::fflush(stdout);
    std::fprintf(stderr, "drivesim-batch: %s.\n", e.Message().c_str());
    return kExitRunFailed;
  }
}

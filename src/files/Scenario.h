#pragma once
// Scenario files (.drivesim): a lab session a teacher hands out, as JSON of
// format 1, written and read with Qt's JSON classes.
//
//   {
//     "format": 1,
//     "title": "Feedback and overshoot",
//     "task": "Find the feedback coefficient that ...",
//     "inputs": {"gain": 10, "time_constant": 0.006, "motor_coef": 1.4,
//                "motor_inertia": 0.021, "load_inertia": 0.3, "friction": 1.6,
//                "feedback": 1, "teeth": 42, "setpoint": 100},
//     "explorer": {"k_from": 0, "k_to": 5,
//                  "targets": {"overshoot": {"enabled": true, "limit": 5}, ...}},
//     "kept_runs": [{"label": "Run 1", "ticks": 400, "inputs": {...}}],
//     "sweep": {"parameter": "feedback", "from": 0.2, "to": 3, "count": 10,
//               "duration": 0.4}
//   }
//
// Every member but "format" may be left out and then takes the value the
// windows start with; members a reader does not know are passed over. A
// kept run holds its inputs, label and length only: its curve and figures
// are recomputed when the file is opened, since a run is the same every
// time.
//
// A file is read whole and checked whole before anything uses it: a file
// that cannot be read raises one EScenarioError naming the file, the field
// and the reason.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Sweep.h"
#include "platform/Exceptions.h"
#include "sim/DriveInputs.h"

namespace drivesim {

class EScenarioError : public Exception {
  using Exception::Exception;
};

// The format this program writes and the newest it reads.
constexpr int kScenarioFormat = 1;
constexpr const char* kScenarioSuffix = "drivesim";

// The design targets, in the explorer's order: overshoot <= %, settling2
// <= s, settling5 <= s, rise <= s, error <= %, damping >=, phase-margin >=
// degrees.
constexpr int kScenarioTargets = 7;
// The names in the file: "overshoot", "settling2", "settling5", "rise",
// "error", "damping", "phase-margin".
const char* ScenarioTargetName(int index);

struct ScenarioTarget {
  bool Enabled = false;
  double Limit = 0;  // in the figure's unit

  friend bool operator==(const ScenarioTarget&, const ScenarioTarget&) = default;
};

struct ScenarioExplorer {
  double KFrom = 0;  // the feedback coefficients explored, V*s/rad
  double KTo = 5;
  std::array<ScenarioTarget, kScenarioTargets> Targets{};

  friend bool operator==(const ScenarioExplorer&, const ScenarioExplorer&) = default;
};

// A kept run of the lab: run from rest for Ticks timer ticks.
struct ScenarioRun {
  std::string Label;  // "Run 2", "feedback = 0.5"
  DriveInputs Inputs;
  int Ticks = 400;

  friend bool operator==(const ScenarioRun&, const ScenarioRun&) = default;
};

// The lab's sweep group.
struct ScenarioSweep {
  SweepParameter Parameter = SweepParameter::Feedback;
  double From = 0.2;
  double To = 3;
  int Count = 10;
  double Duration = 0.4;  // s per run

  friend bool operator==(const ScenarioSweep&, const ScenarioSweep&) = default;
};

struct Scenario {
  std::string Title;  // may be empty
  std::string Task;   // the task for students, may be empty
  DriveInputs Inputs;
  ScenarioExplorer Explorer;
  std::vector<ScenarioRun> KeptRuns;
  ScenarioSweep Sweep;

  friend bool operator==(const Scenario&, const Scenario&) = default;
};

// The limits a file is held to.
constexpr int kScenarioMaxRuns = 200;
constexpr int kScenarioMaxRunTicks = 10000;  // 10 s of simulated time
constexpr int kScenarioMaxSetpoint = 300;    // the setpoint spin edit's range
constexpr double kScenarioMaxDuration = 10;  // s

// The scenario as the file's text (UTF-8 JSON, indented).
std::string ScenarioJson(const Scenario& scenario);

// Reads a scenario from its text; where names the file in messages.
// Raises EScenarioError: "Cannot open scenario "a.drivesim": inputs.teeth:
// must be a whole number from 1 to 55".
Scenario ParseScenario(const std::string& text, const std::string& where);

// Reads the file at path. Raises EScenarioError also for a file that cannot
// be read (missing, a directory, no permission).
Scenario ReadScenario(const std::string& path);

// "Cannot open scenario "<path>": <reason>", the path on one line.
std::string CannotOpenScenarioMessage(const std::string& path, const std::string& reason);

// The patterns the messages above are made from, for the windows to show
// them translated (AddMessagePatterns).
const std::vector<const char*>& ScenarioMessagePatterns();

// Writes the scenario through the output files' rules (all or nothing).
// Raises EOutputError when the file cannot be written.
void WriteScenario(const std::string& path, const Scenario& scenario);

}  // namespace drivesim

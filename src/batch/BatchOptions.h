#pragma once
// drivesim-batch's command line: the drive's inputs, the length of the run,
// the outputs and their files.

#include <optional>
#include <string>
#include <vector>

#include "analysis/DesignTargets.h"
#include "analysis/Sweep.h"
#include "files/Scenario.h"
#include "platform/Exceptions.h"
#include "sim/DriveInputs.h"

namespace drivesim {

// A bad option or input: its one-line message ends the run with status 2
// before anything is written.
class EBatchInputError : public Exception {
  using Exception::Exception;
};

struct BatchOptions {
  // The seven reals, the tooth count and the setpoint, starting from the
  // values the window's controls start with.
  DriveInputs Inputs;
  int Ticks = 400;
  std::optional<int> ResetAfter;
  // The sweep: the drive run from rest once per value, the runs spread over
  // all cores.
  std::optional<SweepSpec> Sweep;
  // The PNG pictures' size and density, times the window's: 1 to 4.
  int Scale = 1;
  // The file of each output of BatchOutputTable(), by its index; an output
  // without one is not written.
  std::vector<std::optional<std::string>> OutputPaths;
  bool Help = false;
  // --design: the targets whose k the tool finds from the closed form
  // instead of running the drive, over the range DesignFrom..DesignTo.
  std::optional<DesignTargets> Design;
  double DesignFrom = 0;  // V*s/rad
  double DesignTo = 10;   // V*s/rad
  bool DesignRangeGiven = false;
  // --targets and --explore-range: the design targets and the range of k
  // that the explorer's pictures (--explorer, --locus, --bode) show.
  std::optional<DesignTargets> Targets;
  double ExploreFrom = 0;  // V*s/rad
  double ExploreTo = 5;    // V*s/rad
  // --scenario: the file's title, task and kept runs, which --report shows
  // (its range of k and targets go to ExploreFrom, ExploreTo and Targets).
  std::string Title;
  std::string Task;
  std::vector<ScenarioRun> KeptRuns;
  // --student: the name --report gives; nothing for the name the window
  // remembers.
  std::optional<std::string> Student;
};

// Reads the arguments (the program name not included). Options that take a
// value accept it as the next argument or joined with "=". Raises
// EBatchInputError (or the conversion's or the sweep's own error) for the
// first bad one, and for options that do not go together: --reset-after and
// the outputs of one window with --sweep, an output of a sweep without it,
// --design with --sweep or a named output, --design-range without --design.
// Without --sweep the outputs not named take their defaults (the per-tick
// rows on standard output); a sweep writes only what is named, and its
// figures on standard output when nothing is.
BatchOptions ParseOptions(const std::vector<std::string>& arguments);

// The text of --help.
std::string UsageText();

}  // namespace drivesim

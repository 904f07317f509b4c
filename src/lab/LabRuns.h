#pragma once
// The runs the quality-of-regulation window compares: the current run of
// the main window (live) and the kept runs, each with its figures and its
// step response curve; the runs of the last sweep among them; and the
// table of their figures as the batch tool writes it.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/RunResult.h"
#include "analysis/Sweep.h"
#include "analysis/WindowRun.h"
#include "files/Scenario.h"
#include "platform/Types.h"

namespace drivesim {

// The current run's colour in the charts: darker than every colour a kept
// run is given (the palette's colours close to it are left to it).
constexpr TColor kCurrentRunColor = RGB(20, 20, 20);

// One run of the lab: its name, its figures and its curve.
struct LabRun {
  // "Current run", or what sets a kept run apart from the other kept runs:
  // "k = 0.3", "k = 2, teeth 20".
  std::string Name;
  // The kept run's colour in the charts, from the moment it is kept until
  // it is removed.
  TColor Colour = clBlack;
  // The inputs, figures and status; the record holds no samples.
  RunResult Result;
  // The load velocity once per tick from the run's t = 0, rad/s ([0] = 0,
  // the drive at rest).
  std::vector<double> Curve;
  double CurveStep = 0.001;  // s between curve samples
  // The swept value of a sweep's run.
  std::optional<double> SweptValue;
  bool FromSweep = false;
  // What the status alone does not say ("inputs changed at t = 0.412 s").
  std::string Note;
};

// The current run as a kept run would hold it, named name.
LabRun LabRunOf(const WindowRun& run, const std::string& name);

// The note of the current run: when its inputs changed or it diverged.
std::string LiveRunNote(const LiveRun& run);

// What sets each of the runs apart: the inputs in which they differ, each as
// "name value" ("k = 0.3", "teeth 20", "gain 12"), joined by ", ", in the
// inputs' order; "k = ..." for all when no input differs.
std::vector<std::string> DistinguishingLabels(const std::vector<DriveInputs>& inputs);

// The runs of a sweep as kept runs, named by the swept value; the records'
// per-tick rows become the curves.
std::vector<LabRun> LabRunsOf(const SweepResult& sweep);

// A scenario's kept runs, each run from rest for its length and named by
// its label, the runs of one length together spread over the given number
// of threads (0: all cores), as a sweep's. Raises, with nothing run, what
// "Process" raises for inputs it refuses.
std::vector<LabRun> LabRunsOf(const std::vector<ScenarioRun>& runs, int threads);

class LabRuns {
 public:
  const std::vector<LabRun>& Kept() const { return fKept; }
  int Count() const { return static_cast<int>(fKept.size()); }

  // Keeps a run of the main window in the first qualitative colour that no
  // other kept run of the main window has; every kept run is named anew by
  // what sets it apart (DistinguishingLabels).
  void Keep(LabRun run);
  // Removes the kept runs at the given indices (any order, repeats
  // allowed).
  void Remove(std::vector<int> indices);
  void Clear();
  // The kept runs become these, under their own names, none of a sweep; the
  // next kept run is numbered after the highest "Run N" among them.
  void Restore(std::vector<LabRun> runs);

  // The runs of a finished sweep take the place of the previous sweep's
  // (those still kept), after the other kept runs.
  void ReplaceSweep(const SweepResult& sweep);
  // The sweep whose runs are kept, as far as they are still kept: its
  // parameter, the values and results of its remaining runs; nothing when
  // none is left.
  std::optional<SweepResult> KeptSweep() const;

 private:
  void Relabel();

  std::vector<LabRun> fKept;
  SweepParameter fSweepParameter = SweepParameter::Feedback;
};

// The figures of the runs as the batch tool's --metrics writes them: the
// header, then one row per run numbered from 1, the swept value for the
// runs of a sweep, and a trailing label column with the run's name.
std::string LabMetricsCsv(const std::vector<const LabRun*>& runs);

}  // namespace drivesim

namespace drivesim {

// A setting of the explorer as a kept run: the drive run from rest with the
// inputs for the given number of ticks, its curve one sample a tick.
LabRun LabRunOfSetting(const DriveInputs& inputs, int ticks);

}  // namespace drivesim

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

namespace drivesim {

// One run of the lab: its name, its figures and its curve.
struct LabRun {
  std::string Name;  // "Current run", "Run 2", "feedback = 0.5"
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

// The runs of a sweep as kept runs, named by the swept value; the records'
// per-tick rows become the curves.
std::vector<LabRun> LabRunsOf(const SweepResult& sweep);

class LabRuns {
 public:
  const std::vector<LabRun>& Kept() const { return fKept; }
  int Count() const { return static_cast<int>(fKept.size()); }

  // Keeps a run of the main window, named "Run N" (N counting up from 1).
  void Keep(LabRun run);
  // Removes the kept runs at the given indices (any order, repeats
  // allowed).
  void Remove(std::vector<int> indices);
  void Clear();

  // The runs of a finished sweep take the place of the previous sweep's
  // (those still kept), after the other kept runs.
  void ReplaceSweep(const SweepResult& sweep);
  // The sweep whose runs are kept, as far as they are still kept: its
  // parameter, the values and results of its remaining runs; nothing when
  // none is left.
  std::optional<SweepResult> KeptSweep() const;

 private:
  std::vector<LabRun> fKept;
  SweepParameter fSweepParameter = SweepParameter::Feedback;
  int fNextNumber = 1;
};

// The figures of the runs as the batch tool's --metrics writes them: the
// header, then one row per run numbered from 1, the swept value for the
// runs of a sweep.
std::string LabMetricsCsv(const std::vector<const LabRun*>& runs);

}  // namespace drivesim

namespace drivesim {

// A setting of the explorer as a kept run: the drive run from rest with the
// inputs for the given number of ticks, its curve one sample a tick.
LabRun LabRunOfSetting(const DriveInputs& inputs, int ticks);

}  // namespace drivesim

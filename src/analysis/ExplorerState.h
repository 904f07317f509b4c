#pragma once
// The one state behind the explorer's linked views: the drive's inputs, the
// feedback coefficient k and its range, the design targets, and every figure
// computed from them once per change. The views draw from it and compute
// nothing of their own.
//
// A change of k alone recomputes the figures at k (poles, closed-form and
// frequency figures, the steady state, the simulated run); a change of the
// other inputs, the range or the targets also recomputes the root locus and
// the design answer. Setting the current value does nothing. Every
// computation is bounded: the simulated run is capped at kExplorerMaxTicks.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "analysis/DesignTargets.h"
#include "analysis/FeedbackLoop.h"
#include "analysis/FrequencyResponse.h"
#include "analysis/LoopPoles.h"
#include "analysis/RunResult.h"

namespace drivesim {

// The simulated run lasts 3 times the 2 % settling time, in whole timer
// ticks of 1 ms, at least kExplorerMinTicks and at most kExplorerMaxTicks.
constexpr int kExplorerMinTicks = 20;
constexpr int kExplorerMaxTicks = 500;
// The length of a run for a loop without a settling time (unstable, or no
// response), ticks.
constexpr int kExplorerDefaultTicks = 100;

// The figures at the current k.
struct ExplorerFigures {
  // False when "Process" refuses the inputs (a zero denominator); Problem is
  // its message then and nothing else is filled.
  bool Valid = false;
  std::string Problem;
  LoopTransfer Transfer;
  PoleFigures Poles;
  SteadyStateFigures SteadyState;
  ClosedFormFigures ClosedForm;
  FrequencyFigures Frequency;
  // The drive's own run from rest with these inputs, measured by StepMeter.
  RunResult Simulated;
  // For each enabled target whether the current k meets it; absent for a
  // target that is not enabled.
  std::array<std::optional<bool>, kTargetKinds> TargetsMet;
};

class ExplorerState {
 public:
  explicit ExplorerState(const DriveInputs& inputs = {}, double rangeFrom = 0, double rangeTo = 5);

  const DriveInputs& Inputs() const { return fInputs; }
  double Feedback() const { return fInputs.FeedbackCoef; }
  double RangeFrom() const { return fRangeFrom; }
  double RangeTo() const { return fRangeTo; }
  const DesignTargets& Targets() const { return fTargets; }

  // Every input, k among them.
  void SetInputs(const DriveInputs& inputs);
  void SetFeedback(double k);
  // The range of k for the slider, the locus and the design answer; the
  // ends are taken in increasing order.
  void SetFeedbackRange(double from, double to);
  void SetTargets(const DesignTargets& targets);

  const ExplorerFigures& Figures() const { return fFigures; }
  // Absent while the inputs are refused.
  const FeedbackLoop* Loop() const { return fLoop.get(); }
  const RootLocus& Locus() const { return fLocus; }
  const DesignAnswer& Design() const { return fDesign; }

  // How many times the figures at k and the design answer have been
  // computed.
  int FigureRevision() const { return fFigureRevision; }
  int DesignRevision() const { return fDesignRevision; }

  // Called once after every change, when all figures are up to date.
  std::function<void()> OnChange;

 private:
  void RecomputeLoop();
  void RecomputeFigures();
  void RecomputeTargetsMet();
  void Changed();

  DriveInputs fInputs;
  double fRangeFrom;
  double fRangeTo;
  DesignTargets fTargets;
  std::unique_ptr<FeedbackLoop> fLoop;
  std::string fProblem;
  RootLocus fLocus;
  DesignAnswer fDesign;
  ExplorerFigures fFigures;
  int fFigureRevision = 0;
  int fDesignRevision = 0;
};

// The number of ticks the explorer simulates for a loop with these
// closed-form figures.
int ExplorerRunTicks(const ClosedFormFigures& closedForm);

}  // namespace drivesim

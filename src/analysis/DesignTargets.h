#pragma once
// Design targets for the feedback coefficient, and the set of k that meets
// them, found from the closed form.
//
// A target is a limit on one closed-form figure of the loop at a given k:
//
//   overshoot    <= percent of the final value
//   settling2    <= 2 % settling time, s
//   settling5    <= 5 % settling time, s
//   rise         <= 10 % to 90 % rise time, s
//   error        <= error at the comparator, percent of the setpoint
//   damping      >= damping ratio
//   phase-margin >= phase margin, degrees
//
// Only a stable loop meets a target. A stable loop whose open-loop gain
// never reaches 1 (|L(0)| <= 1) has no crossover; its phase margin counts as
// unlimited, so it meets every phase-margin target.
//
// The answer is found by evaluating every target on a fine grid of k over
// the range (with the k of critical damping and of the stability boundary
// among the grid points), then bisecting each change of each target between
// two neighbouring grid points until the end is known to 1e-11 relative.
// Settling times jump as k grows (a swing more or less leaves the band), so
// the bisection works on whether the target holds, not on its margin. Every
// loop is bounded: the grid has a fixed size and each bisection a fixed
// number of halvings.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/FeedbackLoop.h"

namespace drivesim {

enum class TargetKind { Overshoot, Settling2, Settling5, Rise, Error, Damping, PhaseMargin };
constexpr int kTargetKinds = 7;
constexpr std::array<TargetKind, kTargetKinds> kAllTargetKinds = {
    TargetKind::Overshoot, TargetKind::Settling2, TargetKind::Settling5,  TargetKind::Rise,
    TargetKind::Error,     TargetKind::Damping,   TargetKind::PhaseMargin};

// The name in a target list: "overshoot", "settling2", "settling5", "rise",
// "error", "damping", "phase-margin".
const char* TargetName(TargetKind kind);
// The name in a sentence: "overshoot", "2 % settling", "5 % settling",
// "rise time", "error", "damping", "phase margin".
const char* TargetLabel(TargetKind kind);
// Damping and phase margin are lower limits (>=), the others upper (<=).
bool TargetIsLowerLimit(TargetKind kind);

struct DesignTarget {
  bool Enabled = false;
  double Limit = 0;  // in the figure's unit

  friend bool operator==(const DesignTarget&, const DesignTarget&) = default;
};

struct DesignTargets {
  std::array<DesignTarget, kTargetKinds> Items;

  DesignTarget& operator[](TargetKind kind) { return Items[static_cast<int>(kind)]; }
  const DesignTarget& operator[](TargetKind kind) const { return Items[static_cast<int>(kind)]; }
  int EnabledCount() const;

  friend bool operator==(const DesignTargets&, const DesignTargets&) = default;
};

// The figure a target limits, at feedback coefficient k; absent where the
// loop is unstable or (for the step figures) has no response. The phase
// margin of a stable loop without crossover is +infinity.
std::optional<double> TargetFigure(TargetKind kind, const FeedbackLoop& loop, double k);
// Whether a figure meets a limit: present and on the allowed side.
bool TargetHolds(TargetKind kind, double limit, const std::optional<double>& figure);

struct FeedbackInterval {
  double From = 0;  // V*s/rad
  double To = 0;    // V*s/rad

  friend bool operator==(const FeedbackInterval&, const FeedbackInterval&) = default;
};

struct DesignAnswer {
  double From = 0;  // the range searched
  double To = 0;
  DesignTargets Targets;
  // The k where every enabled target holds, in increasing order. An
  // interval that reaches an end of the range has that end exactly.
  std::vector<FeedbackInterval> Intervals;
  // For each enabled target the k where that target alone holds (empty for
  // a target that is not enabled).
  std::array<std::vector<FeedbackInterval>, kTargetKinds> PerTarget;

  friend bool operator==(const DesignAnswer&, const DesignAnswer&) = default;
};

// Grid cells of the scan over the range.
constexpr int kDesignGridCells = 1000;

// The set of k in [from, to] meeting every enabled target. With no target
// enabled the whole range meets them.
DesignAnswer FindDesignIntervals(const FeedbackLoop& loop, const DesignTargets& targets,
                                 double from, double to, int gridCells = kDesignGridCells);

// The answer in words, numbers with 3 significant digits and the given
// decimal separator: "k from 0.648 to 1.44 meets all three targets", or
// "no k from 0 to 5 meets them: the overshoot target needs k ≤ 1.03, the
// error target k ≥ 1.6".
std::string DesignSentence(const DesignAnswer& answer, char decimalSeparator = '.');

// A real with the given number of significant digits, trailing zeros
// dropped: 0.648, 1.44, 1.6, 5.
std::string FormatSignificant(double value, int digits, char decimalSeparator = '.');

// Reads a list such as "overshoot<=5,settling2<=0.05,error<=15" into
// targets (every target named is enabled, the others are not). False with a
// one-line message for an unknown name, the wrong comparison, a missing or
// bad number, or a target named twice.
bool ParseDesignTargets(const std::string& text, DesignTargets& targets, std::string& error);

}  // namespace drivesim

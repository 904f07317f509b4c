#include "analysis/DesignTargets.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/ClosedForm.h"
#include "analysis/FrequencyResponse.h"
#include "analysis/StepMeter.h"
#include "platform/Translate.h"

namespace drivesim {

namespace {

constexpr int kMaxGridCells = 1000000;
// Halvings of a grid cell: far more than 1e-11 relative needs for any cell.
constexpr int kMaxCellHalvings = 200;
constexpr double kEndTolerance = 1e-11;

using TargetValues = std::array<std::optional<double>, kTargetKinds>;
using TargetMask = std::array<bool, kTargetKinds>;

int Index(TargetKind kind) { return static_cast<int>(kind); }

// The figures of the targets in mask at k, the step response solved once.
TargetValues EvaluateTargets(const FeedbackLoop& loop, double k, const TargetMask& mask) {
  TargetValues v;
  const LoopTransfer t = loop.At(k);
  if (!LoopIsStable(t.CoefAccel, t.CoefVelocity)) return v;
  const auto wanted = [&](TargetKind kind) { return mask[Index(kind)]; };
  const bool stepWanted = wanted(TargetKind::Overshoot) || wanted(TargetKind::Settling2) ||
                          wanted(TargetKind::Settling5) || wanted(TargetKind::Rise);
  const std::optional<double> final = LoopFinalValue(t.CoefInput, t.CoefVelocity, loop.Setpoint());
  if (stepWanted && final && *final != 0) {
    const LoopStepResponse step(t.CoefAccel, t.CoefVelocity);
    if (wanted(TargetKind::Overshoot)) v[Index(TargetKind::Overshoot)] = 100 * step.Overshoot();
    if (wanted(TargetKind::Settling2))
      v[Index(TargetKind::Settling2)] = step.SettlingTime(kSettlingBand2Pct);
    if (wanted(TargetKind::Settling5))
      v[Index(TargetKind::Settling5)] = step.SettlingTime(kSettlingBand5Pct);
    if (wanted(TargetKind::Rise)) {
      const std::optional<double> low = step.TimeToReach(kRiseLowLevel);
      const std::optional<double> high = step.TimeToReach(kRiseHighLevel);
      if (low && high) v[Index(TargetKind::Rise)] = *high - *low;
    }
  }
  if (wanted(TargetKind::Error))
    v[Index(TargetKind::Error)] = ComputeSteadyState(loop.DcGain(k), t, 0).ErrorSignalPct;
  if (wanted(TargetKind::Damping))
    v[Index(TargetKind::Damping)] = t.CoefAccel / (2 * std::sqrt(t.CoefVelocity));
  if (wanted(TargetKind::PhaseMargin)) {
    const FrequencyFigures f = ComputeFrequencyFigures(t);
    v[Index(TargetKind::PhaseMargin)] =
        f.CrossoverFreq ? f.PhaseMarginDeg : std::numeric_limits<double>::infinity();
  }
  return v;
}

// Whether the target holds at k. The settling and rise targets are decided
// on the curve without solving for the time: a response settles within X
// when |x(X) - 1| <= band and every later extreme, of size M^j at t_j = j pi
// / wd, lies inside the band (x moves monotonically between extremes, so
// nothing else can leave it); it rises within X when x(t10 + X) >= 0.9, or
// t10 + X already lies past the first maximum, which is above 1.
bool HoldsAt(TargetKind kind, double limit, const FeedbackLoop& loop, double k) {
  if (kind != TargetKind::Settling2 && kind != TargetKind::Settling5 && kind != TargetKind::Rise)
    return TargetHolds(kind, limit, TargetFigure(kind, loop, k));
  const LoopTransfer t = loop.At(k);
  if (!LoopIsStable(t.CoefAccel, t.CoefVelocity) || std::isnan(limit)) return false;
  const std::optional<double> final = LoopFinalValue(t.CoefInput, t.CoefVelocity, loop.Setpoint());
  if (!final || *final == 0) return false;
  const LoopStepResponse step(t.CoefAccel, t.CoefVelocity);
  const std::optional<double> peakTime = step.PeakTime();
  if (kind == TargetKind::Rise) {
    // A rise whose start no double can hold is not met.
    const std::optional<double> low = step.TimeToReach(kRiseLowLevel);
    if (!low) return false;
    const double reached = *low + limit;
    if (peakTime && reached >= *peakTime) return true;
    return step.At(reached) >= kRiseHighLevel;
  }
  const double band = kind == TargetKind::Settling2 ? kSettlingBand2Pct : kSettlingBand5Pct;
  if (!(std::abs(step.At(limit) - 1) <= band)) return false;
  if (!peakTime) return true;
  // The first extreme after the limit, and its size M^j = e^(-sigma t_j).
  const double next = std::floor(limit / *peakTime) + 1;
  return std::exp(-t.CoefAccel / 2 * *peakTime * next) <= band;
}

// The boundary between lo, where the target's state is holdsAtLo, and hi,
// where it is not; the end returned is on the side where the target holds.
template <typename Holds>
double Boundary(double lo, double hi, bool holdsAtLo, Holds holds) {
  for (int i = 0; i < kMaxCellHalvings; ++i) {
    if (hi - lo <= kEndTolerance * std::max(std::abs(lo), std::abs(hi))) break;
    const double mid = lo + (hi - lo) / 2;
    if (mid <= lo || mid >= hi) break;
    if (holds(mid) == holdsAtLo) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return holdsAtLo ? lo : hi;
}

std::vector<FeedbackInterval> Intersect(const std::vector<FeedbackInterval>& a,
                                        const std::vector<FeedbackInterval>& b) {
  std::vector<FeedbackInterval> out;
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const double from = std::max(a[i].From, b[j].From);
    const double to = std::min(a[i].To, b[j].To);
    if (from <= to) out.push_back({from, to});
    if (a[i].To < b[j].To) {
      ++i;
    } else {
      ++j;
    }
  }
  return out;
}

}  // namespace

const char* TargetName(TargetKind kind) {
  switch (kind) {
    case TargetKind::Overshoot: return "overshoot";
    case TargetKind::Settling2: return "settling2";
    case TargetKind::Settling5: return "settling5";
    case TargetKind::Rise: return "rise";
    case TargetKind::Error: return "error";
    case TargetKind::Damping: return "damping";
    case TargetKind::PhaseMargin: return "phase-margin";
  }
  return "";
}

const char* TargetLabel(TargetKind kind) {
  switch (kind) {
    case TargetKind::Overshoot: return TR_NOOP("DesignTargets", "overshoot");
    case TargetKind::Settling2: return TR_NOOP("DesignTargets", "2 % settling");
    case TargetKind::Settling5: return TR_NOOP("DesignTargets", "5 % settling");
    case TargetKind::Rise: return TR_NOOP("DesignTargets", "rise time");
    case TargetKind::Error: return TR_NOOP("DesignTargets", "error");
    case TargetKind::Damping: return TR_NOOP("DesignTargets", "damping");
    case TargetKind::PhaseMargin: return TR_NOOP("DesignTargets", "phase margin");
  }
  return "";
}

bool TargetIsLowerLimit(TargetKind kind) {
  return kind == TargetKind::Damping || kind == TargetKind::PhaseMargin;
}

int DesignTargets::EnabledCount() const {
  return static_cast<int>(
      std::count_if(Items.begin(), Items.end(), [](const DesignTarget& t) { return t.Enabled; }));
}

std::optional<double> TargetFigure(TargetKind kind, const FeedbackLoop& loop, double k) {
  TargetMask mask{};
  mask[Index(kind)] = true;
  return EvaluateTargets(loop, k, mask)[Index(kind)];
}

bool TargetHolds(TargetKind kind, double limit, const std::optional<double>& figure) {
  if (!figure || std::isnan(*figure)) return false;
  return TargetIsLowerLimit(kind) ? *figure >= limit : *figure <= limit;
}

DesignAnswer FindDesignIntervals(const FeedbackLoop& loop, const DesignTargets& targets,
                                 double from, double to, int gridCells) {
  DesignAnswer answer;
  if (from > to) std::swap(from, to);
  answer.From = from;
  answer.To = to;
  answer.Targets = targets;
  if (!std::isfinite(from) || !std::isfinite(to)) return answer;
  answer.Intervals.push_back({from, to});
  if (targets.EnabledCount() == 0) return answer;

  // The grid, with the points where the loop changes its form.
  gridCells = std::clamp(gridCells, 1, kMaxGridCells);
  std::vector<double> ks;
  ks.reserve(static_cast<std::size_t>(gridCells) + 3);
  const double step = (to - from) / gridCells;
  for (int j = 0; j <= gridCells; ++j) ks.push_back(j == gridCells ? to : from + step * j);
  for (const auto special : {loop.CriticalFeedback(), loop.BoundaryFeedback()})
    if (special && *special > from && *special < to) ks.push_back(*special);
  std::sort(ks.begin(), ks.end());
  ks.erase(std::unique(ks.begin(), ks.end()), ks.end());

  for (TargetKind kind : kAllTargetKinds) {
    const DesignTarget& target = targets[kind];
    if (!target.Enabled) continue;
    const auto holds = [&](double k) { return HoldsAt(kind, target.Limit, loop, k); };
    std::vector<FeedbackInterval>& own = answer.PerTarget[Index(kind)];
    bool previous = holds(ks[0]);
    double start = from;
    for (std::size_t j = 1; j < ks.size(); ++j) {
      const bool now = holds(ks[j]);
      if (now == previous) continue;
      const double edge = Boundary(ks[j - 1], ks[j], previous, holds);
      if (previous) {
        own.push_back({start, edge});
      } else {
        start = edge;
      }
      previous = now;
    }
    if (previous) own.push_back({start, to});
    answer.Intervals = Intersect(answer.Intervals, own);
  }
  return answer;
}

}  // namespace drivesim

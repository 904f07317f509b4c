#include "analysis/LoopPoles.h"

#include <algorithm>
#include <cmath>

namespace drivesim {

namespace {

// Extra samples on each side of the meeting point, spaced quadratically
// within one grid step, where the poles move as the square root of k.
constexpr int kMeetingSamples = 16;
constexpr int kMaxLocusPoints = 100000;

bool InRange(double k, double from, double to) { return k >= from && k <= to; }

}  // namespace

LoopPoles ComputePoles(double coefAccel, double coefVelocity) {
  const double sigma = coefAccel / 2;
  const double d = std::fma(sigma, sigma, -coefVelocity);
  if (d < 0) {
    const double im = std::sqrt(-d);
    return {{-sigma, im}, {-sigma, -im}};
  }
  const double r = std::sqrt(d);
  if (sigma == 0) return {{r, 0}, {-r, 0}};
  // The root of the larger magnitude first, then the other from the
  // product of the roots, CoefVelocity.
  const double q = -(sigma + std::copysign(r, sigma));
  const double other = coefVelocity / q;
  return {{std::max(q, other), 0}, {std::min(q, other), 0}};
}

PoleFigures ComputePoleFigures(const LoopTransfer& loop) {
  PoleFigures f;
  f.Poles = ComputePoles(loop.CoefAccel, loop.CoefVelocity);
  if (loop.CoefVelocity > 0) {
    const double wn = std::sqrt(loop.CoefVelocity);
    f.NaturalFreq = wn;
    f.DampingRatio = loop.CoefAccel / (2 * wn);
  }
  return f;
}

RootLocus ComputeRootLocus(const FeedbackLoop& loop, double from, double to, int points) {
  RootLocus locus;
  if (from > to) std::swap(from, to);
  locus.From = from;
  locus.To = to;
  locus.MeetingPoint = -loop.CoefAccel() / 2;
  points = std::clamp(points, 2, kMaxLocusPoints);
  if (!std::isfinite(from) || !std::isfinite(to)) return locus;

  std::vector<double> ks;
  ks.reserve(static_cast<std::size_t>(points) + 2 * kMeetingSamples + 2);
  const double step = (to - from) / (points - 1);
  for (int j = 0; j < points; ++j) ks.push_back(j == points - 1 ? to : from + step * j);
  if (const auto kc = loop.CriticalFeedback(); kc && InRange(*kc, from, to)) {
    locus.CriticalFeedback = *kc;
    ks.push_back(*kc);
    for (int j = 1; j < kMeetingSamples; ++j) {
      const double offset = step * (j * j) / (kMeetingSamples * kMeetingSamples);
      for (double k : {*kc - offset, *kc + offset})
        if (InRange(k, from, to)) ks.push_back(k);
    }
  }
  if (const auto kb = loop.BoundaryFeedback(); kb && InRange(*kb, from, to)) {
    locus.BoundaryFeedback = *kb;
    ks.push_back(*kb);
  }
  std::sort(ks.begin(), ks.end());
  ks.erase(std::unique(ks.begin(), ks.end()), ks.end());

  locus.Branch1.reserve(ks.size());
  locus.Branch2.reserve(ks.size());
  for (double k : ks) {
    const LoopPoles p = ComputePoles(loop.CoefAccel(), loop.CoefVelocity(k));
    locus.Branch1.push_back({k, p.Pole1});
    locus.Branch2.push_back({k, p.Pole2});
  }

  // sigma^2 - CoefVelocity is linear in k, so its largest and smallest
  // values over the range lie at the ends.
  const double sigma = loop.CoefAccel() / 2;
  const auto disc = [&](double k) { return std::fma(sigma, sigma, -loop.CoefVelocity(k)); };
  double kWide = from, kNarrow = to;
  if (disc(to) > disc(from)) std::swap(kWide, kNarrow);
  if (disc(kWide) >= 0) {
    const LoopPoles wide = ComputePoles(loop.CoefAccel(), loop.CoefVelocity(kWide));
    if (disc(kNarrow) <= 0) {
      locus.RealSegments.push_back({wide.Pole2.real(), wide.Pole1.real()});
    } else {
      const LoopPoles narrow = ComputePoles(loop.CoefAccel(), loop.CoefVelocity(kNarrow));
      locus.RealSegments.push_back({wide.Pole2.real(), narrow.Pole2.real()});
      locus.RealSegments.push_back({narrow.Pole1.real(), wide.Pole1.real()});
    }
  }
  return locus;
}

}  // namespace drivesim

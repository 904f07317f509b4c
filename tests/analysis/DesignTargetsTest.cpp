// The design answer against a scan of its own: the loop's figures worked out
// in long double from the textbook step response, a k grid three times finer
// than the program's, and each change bisected to the last bits. Also the
// answer's words and the target list's text form.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

#include "analysis/DesignTargets.h"
#include "analysis/FrequencyResponse.h"

namespace drivesim {
namespace {

using Real = long double;

// The normalised step response of s^2 + a s + c in long double.
struct Step {
  Real Sigma, C, Disc;
  Step(Real a, Real c) : Sigma(a / 2), C(c), Disc(a * a / 4 - c) {}
  Real At(Real t) const {
    if (Disc < 0) {
      const Real wd = std::sqrt(-Disc);
      return 1 - std::exp(-Sigma * t) * (std::cos(wd * t) + Sigma / wd * std::sin(wd * t));
    }
    if (Disc == 0) return 1 - std::exp(-Sigma * t) * (1 + Sigma * t);
    const Real mu = std::sqrt(Disc), r1 = -Sigma + mu, r2 = -Sigma - mu;
    return 1 + (r2 * std::exp(r1 * t) - r1 * std::exp(r2 * t)) / (r1 - r2);
  }
  Real HalfPeriod() const { return std::numbers::pi_v<Real> / std::sqrt(-Disc); }
  // First time x reaches level, by bisection over a bracket known to hold it.
  Real Reach(Real level) const {
    Real hi = Disc < 0 ? HalfPeriod() : 1 / Sigma;
    while (At(hi) < level) hi *= 2;
    Real lo = 0;
    for (int i = 0; i < 200; ++i) {
      const Real m = (lo + hi) / 2;
      (At(m) < level ? lo : hi) = m;
    }
    return hi;
  }
  Real Settling(Real band) const {
    if (Disc >= 0) return Reach(1 - band);
    // The last extreme outside the band, then the entry into it.
    const Real h = HalfPeriod();
    int j = 0;
    while (std::exp(-Sigma * h * (j + 1)) > band) ++j;
    Real lo = j * h, hi = (j + 1) * h;
    for (int i = 0; i < 200; ++i) {
      const Real m = (lo + hi) / 2;
      (std::abs(At(m) - 1) > band ? lo : hi) = m;
    }
    return hi;
  }
};

// Whether a target holds at k, from the loop's own coefficients.
bool ReferenceHolds(TargetKind kind, Real limit, const FeedbackLoop& loop, double k) {
  const Real ci = loop.CoefInput(), a = loop.CoefAccel(), b0 = loop.OpenVelocity();
  const Real c = b0 + k * ci;
  if (!(a > 0 && c > 0)) return false;
  const Step step(a, c);
  Real value = 0;
  switch (kind) {
    case TargetKind::Overshoot:
      value = step.Disc < 0 ? 100 * std::exp(-step.Sigma * step.HalfPeriod()) : 0;
      break;
    case TargetKind::Settling2: value = step.Settling(0.02); break;
    case TargetKind::Settling5: value = step.Settling(0.05); break;
    case TargetKind::Rise: value = step.Reach(0.9) - step.Reach(0.1); break;
    case TargetKind::Error: value = 100 * b0 / c; break;
    case TargetKind::Damping: value = a / (2 * std::sqrt(c)); break;
    case TargetKind::PhaseMargin: {
      const Real g = std::abs(k * ci);
      if (g <= std::abs(b0)) return true;  // no crossover: unlimited margin
      const Real bq = a * a - 2 * b0, cq = b0 * b0 - g * g;
      const Real x = (-bq + std::sqrt(bq * bq - 4 * cq)) / 2;
      const std::complex<Real> s(0, std::sqrt(x));
      Real angle = std::arg(static_cast<Real>(k) * ci / (s * s + a * s + b0)) * 180 /
                   std::numbers::pi_v<Real>;
      if (angle <= -180) angle += 360;
      value = 180 + angle;
      break;
    }
  }
  return TargetIsLowerLimit(kind) ? value >= limit : value <= limit;
}

std::vector<FeedbackInterval> ReferenceIntervals(const FeedbackLoop& loop,
                                                 const DesignTargets& targets, double from,
                                                 double to) {
  const auto all = [&](double k) {
    for (TargetKind kind : kAllTargetKinds)
      if (targets[kind].Enabled && !ReferenceHolds(kind, targets[kind].Limit, loop, k))
        return false;
    return true;
  };
  const auto edge = [&](double lo, double hi, bool atLo) {
    for (int i = 0; i < 80; ++i) {
      const double m = lo + (hi - lo) / 2;
      (all(m) == atLo ? lo : hi) = m;
    }
    return lo + (hi - lo) / 2;
  };
  std::vector<FeedbackInterval> out;
  const int n = 3000;
  bool prev = all(from);
  double start = from, kPrev = from;
  for (int i = 1; i <= n; ++i) {
    const double k = i == n ? to : from + (to - from) * i / n;
    const bool now = all(k);
    if (now != prev) {
      const double e = edge(kPrev, k, prev);
      if (prev)
        out.push_back({start, e});
      else
        start = e;
      prev = now;
    }
    kPrev = k;
  }
  if (prev) out.push_back({start, to});
  return out;
}

void ExpectSameIntervals(const DesignAnswer& got, const std::vector<FeedbackInterval>& want) {
  ASSERT_EQ(got.Intervals.size(), want.size()) << DesignSentence(got);
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_NEAR(got.Intervals[i].From, want[i].From, 1e-6 * std::max(1.0, std::abs(want[i].From)));
    EXPECT_NEAR(got.Intervals[i].To, want[i].To, 1e-6 * std::max(1.0, std::abs(want[i].To)));
  }
}

TEST(DesignTargetsTest, IntervalsMatchAnIndependentScan) {
  std::mt19937_64 random(19);
  std::uniform_real_distribution<double> factor(-0.5, 0.5), unit(0, 1);
  for (int i = 0; i < 5; ++i) {
    DriveInputs in;
    for (double* v :
         {&in.AmpGain, &in.AmpTimeConst, &in.MotorCoef, &in.LoadInertia, &in.ViscousFriction})
      *v *= std::pow(10.0, factor(random));
    const FeedbackLoop loop(in);
    // Limits around the figures at a random k of the range, each target
    // switched on with even odds, so that the answers are neither empty nor
    // the whole range as a rule.
    const double k0 = 10 * unit(random);
    DesignTargets targets;
    for (TargetKind kind : kAllTargetKinds) {
      const std::optional<double> v = TargetFigure(kind, loop, k0);
      if (!v || !std::isfinite(*v) || unit(random) < 0.5) continue;
      targets[kind] = {true, *v * (TargetIsLowerLimit(kind) ? 0.9 : 1.1) + 0.1 * unit(random)};
    }
    SCOPED_TRACE(testing::Message() << "drive " << i << " k0=" << k0);
    const DesignAnswer answer = FindDesignIntervals(loop, targets, 0, 10);
    ExpectSameIntervals(answer, ReferenceIntervals(loop, targets, 0, 10));
    // Each target's own set agrees with the reference at its ends.
    for (TargetKind kind : kAllTargetKinds) {
      if (!targets[kind].Enabled) continue;
      for (const FeedbackInterval& own : answer.PerTarget[static_cast<int>(kind)]) {
        EXPECT_TRUE(ReferenceHolds(kind, targets[kind].Limit, loop, (own.From + own.To) / 2));
        EXPECT_TRUE(TargetHolds(kind, targets[kind].Limit, TargetFigure(kind, loop, own.From)));
        EXPECT_TRUE(TargetHolds(kind, targets[kind].Limit, TargetFigure(kind, loop, own.To)));
      }
    }
  }
}

TEST(DesignTargetsTest, NamedCases) {
  const FeedbackLoop drive{DriveInputs{}};
  // Settling time jumps as k grows: the 2 % settling target of 0.047 s
  // holds on two separate intervals, the second reaching the range's end.
  DesignTargets settling;
  settling[TargetKind::Settling2] = {true, 0.047};
  const DesignAnswer two = FindDesignIntervals(drive, settling, 0, 10);
  ExpectSameIntervals(two, ReferenceIntervals(drive, settling, 0, 10));
  ASSERT_EQ(two.Intervals.size(), 2u);
  EXPECT_EQ(two.Intervals[1].To, 10);
  // Just outside each end the target no longer holds.
  EXPECT_GT(*TargetFigure(TargetKind::Settling2, drive, two.Intervals[1].From * (1 - 1e-8)), 0.047);
  EXPECT_GT(*TargetFigure(TargetKind::Settling2, drive, two.Intervals[0].To * (1 + 1e-8)), 0.047);
  EXPECT_EQ(DesignSentence(two), "k from " + FormatSignificant(two.Intervals[0].From, 3) +
                                     " to 0.792 or from 1.02 to 10 meets the 2 % settling target");

  // Overshoot wants small k, the comparator's error large k: no answer.
  DesignTargets clash;
  clash[TargetKind::Overshoot] = {true, 1};
  clash[TargetKind::Error] = {true, 5};
  clash[TargetKind::Damping] = {true, 0.5};
  const DesignAnswer none = FindDesignIntervals(drive, clash, 0, 5);
  EXPECT_TRUE(none.Intervals.empty());
  EXPECT_TRUE(ReferenceIntervals(drive, clash, 0, 5).empty());
  EXPECT_EQ(DesignSentence(none),
            "no k from 0 to 5 meets them: the overshoot target needs k \u2264 0.683, the error "
            "target k \u2265 2.17, the damping target k \u2264 2.06");
  EXPECT_EQ(none.PerTarget[static_cast<int>(TargetKind::Overshoot)][0].From, 0);

  // Three targets met together; negative k and the unstable part of the
  // range meet nothing.
  DesignTargets three;
  three[TargetKind::Overshoot] = {true, 5};
  three[TargetKind::Error] = {true, 15};
  three[TargetKind::PhaseMargin] = {true, 60};
  const DesignAnswer met = FindDesignIntervals(drive, three, -1, 10);
  ExpectSameIntervals(met, ReferenceIntervals(drive, three, -1, 10));
  ASSERT_EQ(met.Intervals.size(), 1u);
  EXPECT_NEAR(*TargetFigure(TargetKind::Overshoot, drive, met.Intervals[0].To), 5, 1e-7);
  EXPECT_EQ(DesignSentence(met).substr(DesignSentence(met).size() - 23), "meets all three targets");
  DesignTargets damping;
  damping[TargetKind::Damping] = {true, 0.1};
  const DesignAnswer stable = FindDesignIntervals(drive, damping, -1, 1);
  ASSERT_EQ(stable.Intervals.size(), 1u);
  EXPECT_NEAR(stable.Intervals[0].From, *drive.BoundaryFeedback(), 1e-9);
  EXPECT_EQ(stable.Intervals[0].To, 1);

  // Without friction the comparator's error is 0 for every stable k.
  DriveInputs frictionless;
  frictionless.ViscousFriction = 0;
  DesignTargets error;
  error[TargetKind::Error] = {true, 0};
  const DesignAnswer zero = FindDesignIntervals(FeedbackLoop(frictionless), error, -1, 2);
  ASSERT_EQ(zero.Intervals.size(), 1u);
  EXPECT_NEAR(zero.Intervals[0].From, 0, 1e-12);
  EXPECT_EQ(zero.Intervals[0].To, 2);
  EXPECT_EQ(DesignSentence(FindDesignIntervals(drive, {}, 0, 5)), "no design targets are set");
  EXPECT_EQ(FormatSignificant(0.64812, 3, ','), "0,648");
  EXPECT_EQ(FormatSignificant(1.6, 3), "1.6");
}

TEST(DesignTargetsTest, TargetLists) {
  DesignTargets t;
  std::string error;
  ASSERT_TRUE(ParseDesignTargets("overshoot<=5,settling2<=0.05,error<=15,damping>=0.6", t, error));
  EXPECT_EQ(t.EnabledCount(), 4);
  EXPECT_EQ(t[TargetKind::Settling2], (DesignTarget{true, 0.05}));
  EXPECT_EQ(t[TargetKind::Damping], (DesignTarget{true, 0.6}));
  EXPECT_FALSE(t[TargetKind::Rise].Enabled);
  ASSERT_TRUE(ParseDesignTargets("phase-margin>=45,rise<=0.01,settling5<=1e-1", t, error));
  EXPECT_EQ(t[TargetKind::PhaseMargin].Limit, 45);
  EXPECT_EQ(t[TargetKind::Settling5].Limit, 0.1);
  const DesignTargets kept = t;
  for (const char* bad :
       {"", "overshoot", "overshoot>=5", "damping<=0.5", "speed<=3", "overshoot<=5x",
        "overshoot<=", "overshoot<=5,overshoot<=6", "overshoot<=5,", "error<=inf"}) {
    error.clear();
    EXPECT_FALSE(ParseDesignTargets(bad, t, error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_EQ(t, kept) << bad;
  }
}

}  // namespace
}  // namespace drivesim

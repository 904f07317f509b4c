// drivesim-bench: the oscilloscope frame as the side-by-side comparison with
// other plotting engines runs it, on the main window's chart (353 x 169
// pixels, the silver-to-white gradient, the title, both axes with their
// labels and dotted grid, the left axis fixed at 0..300, an aqua and a lime
// series of P points each, 1-pixel lines, ratio 1).
//
// Sample n lies at x = n * 0.001 s. Tick k shows samples k .. k + P - 1, so
// every tick the window moves on by one sample and every point changes. The
// aqua series is a damped step response restarted every 250 samples (taken
// from a table, so that the refill measures the chart, not exp, sin and
// cos); the lime series is a constant 100. One tick clears and refills both
// series and renders the whole chart: the range of the bottom axis follows
// the data, the rest is laid out and painted into the window surface.
//
//   BM_PeerFrame/P       the refill point by point (ClearPoints, AddPoint)
//   BM_PeerFrameBulk/P   the refill from arrays (SetPoints), the arrays
//                        written every tick as the comparison writes them
//
// 50 ticks warm up first. The counters are medians over the measured
// ticks, as the comparison gives them: median_us of a whole tick, refill_us
// and render_us of its two parts.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "sim/TimeHistory.h"
#include "ui/OscilloscopeLayout.h"

namespace drivesim {
namespace {

constexpr double kPeerDt = 0.001;  // s
constexpr int kPeerPeriod = 250;   // samples per restart of the step response
constexpr double kPeerLevel = 100.0;
constexpr int kPeerWarmupTicks = 50;

class PeerSignal {
 public:
  PeerSignal() {
    for (int i = 0; i < kPeerPeriod; ++i) {
      const double t = i * kPeerDt;
      fTable[static_cast<std::size_t>(i)] =
          89.74 * (1 - std::exp(-88 * t) * (std::cos(100 * t) + 0.88 * std::sin(100 * t)));
    }
  }
  static double X(long n) { return static_cast<double>(n) * kPeerDt; }
  double Y1(long n) const { return fTable[static_cast<std::size_t>(n % kPeerPeriod)]; }
  static double Y2(long) { return kPeerLevel; }

 private:
  std::array<double, kPeerPeriod> fTable{};
};

struct PeerFrame {
  Oscilloscope Scope = MakeOscilloscope();
  PeerSignal Signal;
  int Points;
  std::vector<double> X, Y1, Y2;

  explicit PeerFrame(int points)
      : Points(points),
        X(static_cast<std::size_t>(points)),
        Y1(static_cast<std::size_t>(points)),
        Y2(static_cast<std::size_t>(points)) {}

  void RefillPointByPoint(long k) {
    TLineSeries& aqua = *Scope.Series1;
    TLineSeries& lime = *Scope.Series2;
    // As the window's tick refills its series: no label for any point.
    const std::string noLabel;
    aqua.ClearPoints();
    lime.ClearPoints();
    for (long i = 0; i < Points; ++i) {
      const double x = PeerSignal::X(k + i);
      aqua.AddPoint(x, Signal.Y1(k + i), noLabel, clAqua);
      lime.AddPoint(x, PeerSignal::Y2(k + i), noLabel, clLime);
    }
  }

  void RefillFromArrays(long k) {
    for (long i = 0; i < Points; ++i) {
      const auto at = static_cast<std::size_t>(i);
      X[at] = PeerSignal::X(k + i);
      Y1[at] = Signal.Y1(k + i);
      Y2[at] = PeerSignal::Y2(k + i);
    }
    Scope.Series1->SetPoints(X, Y1, clAqua);
    Scope.Series2->SetPoints(X, Y2, clLime);
  }

  void Render() {
    TChart& chart = *Scope.Chart1;
    chart.RenderTo(chart.Canvas(), chart.ClientRect());
  }
};

template <bool kBulk>
void RunPeerFrame(benchmark::State& state) {
  PeerFrame frame(static_cast<int>(state.range(0)));
  long tick = 0;
  const auto refill = [&frame](long k) {
    if constexpr (kBulk) {
      frame.RefillFromArrays(k);
    } else {
      frame.RefillPointByPoint(k);
    }
  };
  for (; tick < kPeerWarmupTicks; ++tick) {
    refill(tick);
    frame.Render();
  }
  using Clock = std::chrono::steady_clock;
  const auto us = [](Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
  };
  std::vector<double> totals, refills, renders;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    refill(tick++);
    const auto t1 = Clock::now();
    frame.Render();
    const auto t2 = Clock::now();
    totals.push_back(us(t2 - t0));
    refills.push_back(us(t1 - t0));
    renders.push_back(us(t2 - t1));
    benchmark::DoNotOptimize(frame.Scope.Chart1->Surface().Pixel(176, 80));
  }
  // Medians over the ticks (nearest rank), as the comparison reports them.
  const auto median = [](std::vector<double> v) {
    if (v.empty()) return 0.0;
    const std::size_t i = (v.size() + 1) / 2 - 1;
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(i), v.end());
    return v[i];
  };
  state.counters["median_us"] = median(totals);
  state.counters["refill_us"] = median(refills);
  state.counters["render_us"] = median(renders);
}

void BM_PeerFrame(benchmark::State& state) { RunPeerFrame<false>(state); }
void BM_PeerFrameBulk(benchmark::State& state) { RunPeerFrame<true>(state); }

// The peers' sizes: the oscilloscope's 302 points, then 100 000 and a
// million; five repetitions, as the peers report medians.
void PeerSizes(benchmark::internal::Benchmark* b) {
  b->Arg(302)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond)->Repetitions(5);
  b->ReportAggregatesOnly(true);
}
BENCHMARK(BM_PeerFrame)->Apply(PeerSizes);
BENCHMARK(BM_PeerFrameBulk)->Apply(PeerSizes);

}  // namespace
}  // namespace drivesim

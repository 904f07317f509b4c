// One change of k in the explorer window: the state recomputed (the
// simulated run included), every view refreshed from it (the figures table,
// the slider's band, the answer) and the three charts painted at the
// window's sizes. It should stay within 8 ms.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "analysis/BodeChart.h"
#include "analysis/ExplorerStepChart.h"
#include "analysis/PoleMapChart.h"
#include "lab/ExplorerWindow.h"
#include "platform/Graphics.h"

namespace drivesim {
namespace {

void BM_ExplorerChange(benchmark::State& state) {
  TExplorerWindow window({}, {}, {});
  window.Show();
  QApplication::processEvents();
  TBitmap step;
  TBitmap poles;
  TBitmap bode;
  bool high = false;
  for (auto _ : state) {
    high = !high;
    window.State().SetFeedback(high ? 1.2 : 1.0);
    window.StepChart().Render(step);
    window.PoleMap().Render(poles);
    window.Bode().Render(bode);
    benchmark::DoNotOptimize(bode.Width());
  }
  window.Hide();
}
BENCHMARK(BM_ExplorerChange)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace drivesim

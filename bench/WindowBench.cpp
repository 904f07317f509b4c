// One 20 ms timer tick as the main window runs it, offscreen: the window's
// timer handler (gears turned, 1 ms of the drive model, the time history
// moved on, both oscilloscope series refilled, the mechanism picture
// redrawn), then the oscilloscope's paint into its window surface, which is
// what the window's next paint does with the chart's repaint request.
//
// The window runs with setpoint 100 rad/s from rest, so that the traces
// move; the run goes on from one iteration to the next as the program's
// does. Run with repetitions; the median is the figure to quote.
#include <benchmark/benchmark.h>

#include "chart/Chart.h"
#include "mechanism/Gears.h"
#include "platform/Canvas.h"
#include "sim/DriveModel.h"
#include "sim/TimeHistory.h"
#include "ui/Unit1.h"

namespace drivesim {
namespace {

void BM_WindowTick(benchmark::State& state) {
  DriveModel model;
  TimeHistory history;
  GearPair gears;
  TForm1 form(model, history, gears);
  form.SpinEdit2->SetText("100");
  form.Button2Click();
  // The first tick and paint make the chart's surface and fonts.
  form.Timer1Timer();
  form.Chart1->DispatchPaint();
  for (auto _ : state) {
    form.Timer1Timer();
    form.Chart1->DispatchPaint();
    benchmark::DoNotOptimize(form.Chart1->Surface().Pixel(176, 80));
  }
  form.Button3Click();
}
BENCHMARK(BM_WindowTick)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace drivesim

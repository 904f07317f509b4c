// The picture's share of one 20 ms timer tick: the mechanism redrawn on the
// 353 x 313 image surface (130 ellipses, six gear polygons, seven lines and
// the clearing rectangle), and the pieces it is made of.
#include <benchmark/benchmark.h>

#include "chart/ChartCanvas.h"
#include "mechanism/Gears.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Canvas.h"

namespace drivesim {
namespace {

void BM_DrawMechanism(benchmark::State& state) {
  // Two poses of the gears, drawn in turn as the turning gears are; the
  // outlines are built beforehand (their rebuild is the model's share).
  GearPair poses[2];
  for (int i = 0; i < 2; ++i) {
    poses[i].SetUpGears(static_cast<int>(state.range(0)));
    poses[i].LoadGear.Angle = 0.05 * i;
    poses[i].MotorGear.Angle = -0.15 * i;
    poses[i].RebuildGearOutlines();
  }
  TBitmap surface(kPictureWidth, kPictureHeight);
  DrawBlockSketch(surface);
  int tick = 0;
  for (auto _ : state) {
    DrawMechanism(surface, poses[tick++ % 2]);
    benchmark::DoNotOptimize(surface.Pixel(192, 201));
  }
}
BENCHMARK(BM_DrawMechanism)->Arg(42)->Arg(8)->Arg(48)->Unit(benchmark::kMicrosecond);

void BM_LoadDiscEllipse(benchmark::State& state) {
  TBitmap surface(kPictureWidth, kPictureHeight);
  TCanvas& canvas = surface.Canvas();
  canvas.Pen().SetColor(kMechanismPen);
  for (auto _ : state) canvas.Ellipse(204, 187, 284, 267);
}
BENCHMARK(BM_LoadDiscEllipse)->Unit(benchmark::kMicrosecond);

void BM_DottedAxis(benchmark::State& state) {
  TBitmap surface(kPictureWidth, kPictureHeight);
  TCanvas& canvas = surface.Canvas();
  canvas.Pen().SetStyle(psDot);
  canvas.Brush().SetColor(kRearFill);
  for (auto _ : state) {
    canvas.MoveTo(72, 141);
    canvas.LineTo(292, 251);
  }
}
BENCHMARK(BM_DottedAxis)->Unit(benchmark::kMicrosecond);

// The chart panel's background: a top-to-bottom gradient from white to
// silver over the whole 353 x 169 panel, as every full paint fills it.
void BM_PanelGradient(benchmark::State& state) {
  TBitmap panel(353, 169);
  TChartCanvas3D canvas;
  canvas.AttachCanvas(panel.Canvas());
  const TRect bounds{0, 0, 353, 169};
  for (auto _ : state) {
    canvas.FillGradient(bounds, clWhite, clSilver, gdTopBottom);
    benchmark::DoNotOptimize(panel.Pixel(0, 0));
  }
}
BENCHMARK(BM_PanelGradient)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace drivesim

// The redraw of every tick lays the parts that do not move as kept pixels
// and draws only the gears; over many ticks, every tooth count and surfaces
// in every state it must leave exactly what drawing every step leaves:
// the same pixels, and the pen and brush as the picture leaves them.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "BitmapPixels.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Canvas.h"

namespace drivesim {
namespace {

// The first pixel where two surfaces differ, for the failure message.
std::string FirstDifference(const TBitmap& a, const TBitmap& b) {
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (a.Pixel(x, y) != b.Pixel(x, y)) {
        return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
      }
    }
  }
  return "none";
}

void ExpectSameCanvasState(TCanvas& quick, TCanvas& stepwise) {
  EXPECT_EQ(quick.Pen().Color(), stepwise.Pen().Color());
  EXPECT_EQ(quick.Pen().Style(), stepwise.Pen().Style());
  EXPECT_EQ(quick.Pen().Width(), stepwise.Pen().Width());
  EXPECT_EQ(quick.Pen().Mode(), stepwise.Pen().Mode());
  EXPECT_EQ(quick.Pen().AlternatePixels(), stepwise.Pen().AlternatePixels());
  EXPECT_EQ(quick.Brush().Color(), stepwise.Brush().Color());
  EXPECT_EQ(quick.Brush().Style(), stepwise.Brush().Style());
  EXPECT_EQ(quick.BackgroundMode(), stepwise.BackgroundMode());
  EXPECT_EQ(quick.BackgroundColor(), stepwise.BackgroundColor());
  EXPECT_EQ(quick.PenPos(), stepwise.PenPos());
}

// The window's picture drawn both ways side by side.
struct TwoPictures {
  TBitmap quick;
  TBitmap stepwise;
  int redraws = 0;
  int quickChanges = 0;
  int stepwiseChanges = 0;

  TwoPictures() {
    DrawBlockSketch(quick);
    DrawBlockSketch(stepwise);
    quick.OnChange = [this] { ++quickChanges; };
    stepwise.OnChange = [this] { ++stepwiseChanges; };
  }
  // Redraws both and stops the test at the first difference.
  void Redraw(const GearPair& gears) {
    ++redraws;
    DrawMechanism(quick, gears);
    DrawMechanismStepByStep(stepwise, gears);
    ASSERT_EQ(Pixels(quick), Pixels(stepwise))
        << "redraw " << redraws << ", first difference at " << FirstDifference(quick, stepwise);
    ASSERT_EQ(quickChanges, stepwiseChanges);
    ExpectSameCanvasState(quick.Canvas(), stepwise.Canvas());
  }
};

TEST(MechanismRedrawTest, ManyTicksAtEveryToothCountAsDrawingEveryStep) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> velocity(-400.0, 400.0);
  TwoPictures pictures;
  GearPair gears;
  // The window's run: 42 teeth, the load speeding up towards 100 rad/s,
  // past several wraps of the angle.
  gears.SetUpGears(42);
  pictures.Redraw(gears);
  double omega = 0;
  for (int tick = 0; tick < 600 && !testing::Test::HasFatalFailure(); ++tick) {
    omega += (100 - omega) * 0.01;
    gears.AdvanceGearAngles(omega * 20, 1e-5);
    gears.RebuildGearOutlines();
    pictures.Redraw(gears);
  }
  // Every tooth count, the odd ones and the extremes whose gears reach past
  // the cleared part and out of the picture included, turning either way.
  for (int teeth = 1; teeth <= 55 && !testing::Test::HasFatalFailure(); ++teeth) {
    gears.LoadGear.Angle = 0;
    gears.MotorGear.Angle = 0;
    gears.SetUpGears(teeth);
    pictures.Redraw(gears);
    for (int tick = 0; tick < 12 && !testing::Test::HasFatalFailure(); ++tick) {
      gears.AdvanceGearAngles(velocity(random), 1e-3);
      gears.RebuildGearOutlines();
      pictures.Redraw(gears);
    }
  }
}

TEST(MechanismRedrawTest, SurfacesInAnyStateEndAsDrawingEveryStep) {
  GearPair gears;
  gears.SetUpGears(30);
  gears.LoadGear.Angle = 0.4;
  gears.MotorGear.Angle = -0.5;
  gears.RebuildGearOutlines();

  // Something else drew over the picture between two redraws, across the
  // cleared part and the sketch.
  {
    TwoPictures pictures;
    pictures.Redraw(gears);
    for (TBitmap* surface : {&pictures.quick, &pictures.stepwise}) {
      TCanvas& canvas = surface->Canvas();
      canvas.Brush().SetColor(clRed);
      canvas.Pen().SetColor(clBlue);
      canvas.Rectangle(40, 100, 330, 310);
      canvas.Pen().SetStyle(psDash);
      canvas.MoveTo(0, 0);
      canvas.LineTo(352, 312);
    }
    pictures.Redraw(gears);
    // A line drawn on from where the picture left the pen continues the
    // dotted pattern of its last line the same way on both.
    for (TBitmap* surface : {&pictures.quick, &pictures.stepwise}) {
      surface->Canvas().LineTo(340, 243);
    }
    EXPECT_EQ(Pixels(pictures.quick), Pixels(pictures.stepwise));
  }

  // Canvases left in states the mechanism does not set itself: a clip, the
  // not-xor mode, the alternate-pixel pen, a clear or hatched brush, an
  // overridden text background.
  const std::vector<void (*)(TCanvas&)> states = {
      [](TCanvas& c) {
        c.IntersectClipRect(TRect{150, 50, 260, 280});
      },
      [](TCanvas& c) { c.Pen().SetMode(pmNotXor); },
      [](TCanvas& c) { c.Pen().SetAlternatePixels(true); },
      [](TCanvas& c) { c.Brush().SetStyle(bsClear); },
      [](TCanvas& c) {
        c.Brush().SetColor(clWhite);
        c.Brush().SetStyle(bsCross);
      },
      [](TCanvas& c) {
        c.SetBackgroundMode(TRANSPARENT);
        c.SetBackgroundColor(clRed);
      },
  };
  for (std::size_t i = 0; i < states.size() && !testing::Test::HasFatalFailure(); ++i) {
    SCOPED_TRACE(testing::Message() << "canvas state " << i);
    TwoPictures pictures;
    pictures.Redraw(gears);
    states[i](pictures.quick.Canvas());
    states[i](pictures.stepwise.Canvas());
    pictures.Redraw(gears);
    pictures.Redraw(gears);
  }

  // Surfaces of another size than the picture's.
  for (const TPoint size : {TPoint{200, 150}, TPoint{400, 400}}) {
    SCOPED_TRACE(testing::Message() << size.X << " x " << size.Y);
    TwoPictures pictures;
    pictures.quick.SetSize(size.X, size.Y);
    pictures.stepwise.SetSize(size.X, size.Y);
    pictures.Redraw(gears);
  }
}

}  // namespace
}  // namespace drivesim

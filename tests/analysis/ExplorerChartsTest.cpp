// The explorer's three charts: what their series hold against the analysis
// they draw from, the drag of a pole back to its k, and where the regions
// and lines land on small bitmaps. With DRIVESIM_PICTURES set to a folder
// the pictures are also written there, to be looked at.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "BitmapPixels.h"
#include "analysis/BodeChart.h"
#include "analysis/ExplorerStepChart.h"
#include "analysis/PoleMapChart.h"

namespace drivesim {
namespace {

DriveInputs OverDamped() {
  DriveInputs in;
  in.FeedbackCoef = 0.05;
  return in;
}

TEST(ExplorerChartsTest, Pictures) {
  DesignTargets targets;
  targets[TargetKind::Overshoot] = {true, 10};
  targets[TargetKind::Settling2] = {true, 0.1};
  for (const auto& [name, inputs] :
       {std::pair{std::string("under"), DriveInputs{}}, {std::string("over"), OverDamped()}}) {
    ExplorerState state(inputs, 0, 5);
    state.SetTargets(targets);
    TBitmap bitmap;
    ExplorerStepChart step(800, 450);
    step.Update(state);
    step.Render(bitmap);
    KeepPicture(bitmap, "explorer-step-" + name + ".png");
    RenderPoleMap(state, bitmap, 800, 550);
    KeepPicture(bitmap, "explorer-poles-" + name + ".png");
    RenderBode(state, bitmap, 800, 600);
    KeepPicture(bitmap, "explorer-bode-" + name + ".png");
    EXPECT_EQ(bitmap.Width(), 800);
  }
}

// How many pixels of the two bitmaps differ (all of them when the sizes
// differ).
int DifferentPixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return a.Width() * a.Height() + 1;
  int count = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) count += a.Pixel(x, y) != b.Pixel(x, y);
  }
  return count;
}

// A chart built at one size and shown at another draws a state the same at
// its first picture as after k has moved away and back: the pole map's
// axes leave their labels the room those labels need at the new size (not
// the room of the range's exact ends, measured before any layout), and the
// step response thins the simulated run to the new width.
TEST(ExplorerChartsTest, TheFirstPictureAtASizeIsThePictureKept) {
  ExplorerState state(DriveInputs{}, 0, 5);
  const auto check = [&](auto& chart, const char* name) {
    chart.Update(state);
    chart.SetBounds(0, 0, 438, 336);
    TBitmap first;
    chart.Render(first);
    const TRect plot = chart.Chart().PlotRect();
    state.SetFeedback(1.25);
    chart.Update(state);
    state.SetFeedback(1);
    chart.Update(state);
    TBitmap again;
    chart.Render(again);
    EXPECT_EQ(chart.Chart().PlotRect(), plot) << name;
    EXPECT_EQ(DifferentPixels(first, again), 0) << name;
  };
  PoleMapChart poles(420, 300);
  check(poles, "pole map");
  ExplorerStepChart step(420, 300);
  check(step, "step response");
  BodeChart bode(420, 300);
  check(bode, "frequency response");
}

}  // namespace
}  // namespace drivesim

// The explorer's three charts: what their series hold against the analysis
// they draw from, the drag of a pole back to its k, and where the regions
// and lines land on small bitmaps. With DRIVESIM_PICTURES set to a folder
// the pictures are also written there, to be looked at.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "analysis/BodeChart.h"
#include "analysis/ExplorerStepChart.h"
#include "analysis/PoleMapChart.h"

namespace drivesim {
namespace {

void Keep(TBitmap& bitmap, const std::string& name) {
  if (const char* folder = std::getenv("DRIVESIM_PICTURES")) {
    bitmap.SaveToPng(std::string(folder) + "/" + name);
  }
}

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
    Keep(bitmap, "explorer-step-" + name + ".png");
    RenderPoleMap(state, bitmap, 800, 550);
    Keep(bitmap, "explorer-poles-" + name + ".png");
    RenderBode(state, bitmap, 800, 600);
    Keep(bitmap, "explorer-bode-" + name + ".png");
    EXPECT_EQ(bitmap.Width(), 800);
  }
}

}  // namespace
}  // namespace drivesim

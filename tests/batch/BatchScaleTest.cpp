// drivesim-batch --scale: the PNG pictures N times their size, drawn as on a
// screen N times as dense. The chart is the oscilloscope of the same run
// rendered at that density; the window's picture holds that same chart and
// the mechanism picture drawn at that density, which --picture writes alone;
// a scale outside 1..4 is refused before anything is written.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "batch/Batch.h"
#include "chart/ChartSeries.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Graphics.h"
#include "sim/SimulationRig.h"
#include "ui/MainMenuHeight.h"
#include "ui/OscilloscopeLayout.h"

namespace drivesim {
namespace {

namespace fs = std::filesystem;

TColor ColorOf(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return RGB(qRed(p), qGreen(p), qBlue(p));
}

// Pixels of the image, from (left, top) on, that differ from the bitmap
// enlarged `by` times.
int Differing(const QImage& image, int left, int top, const TBitmap& bitmap, int by = 1) {
  int differing = 0;
  for (int y = 0; y < bitmap.Height() * by; ++y) {
    for (int x = 0; x < bitmap.Width() * by; ++x) {
      differing += ColorOf(image, left + x, top + y) != bitmap.Pixel(x / by, y / by);
    }
  }
  return differing;
}

class BatchScaleTest : public ::testing::Test {
 protected:
  fs::path dir;
  void SetUp() override {
    dir = fs::path(::testing::TempDir()) / "drivesim-batch-scale";
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string File(const char* name) const { return (dir / name).string(); }

  int Run(const std::vector<std::string>& arguments, std::string* err = nullptr) {
    std::ostringstream out, errors;
    const int status = RunBatch(arguments, out, errors);
    if (err) *err = errors.str();
    return status;
  }
};

TEST_F(BatchScaleTest, PicturesAreDrawnAtTheScaleAndShowTheSameRun) {
  const std::string chart = File("chart.png");
  const std::string window = File("window.png");
  const std::string picture = File("picture.png");
  ASSERT_EQ(Run({"--ticks", "60", "--setpoint", "150", "--csv", File("rows.csv"), "--chart", chart,
                 "--window", window, "--picture", picture, "--scale", "2"}),
            kBatchExitOk);

  // The same run, without the tool: the oscilloscope drawn at ratio 2 and
  // the mechanism picture at its own size.
  SimulationRig rig;
  Oscilloscope scope = MakeOscilloscope();
  rig.Process({10, 0.006, 1.4, 0.021, 0.3, 1.6, 1, 42, 150});
  for (int tick = 0; tick < 60; ++tick) rig.Tick(*scope.Series1, *scope.Series2);
  TBitmap expectedChart;
  RenderOscilloscope(*scope.Chart1, expectedChart, 2);
  ASSERT_EQ(expectedChart.Width(), 706);
  ASSERT_EQ(expectedChart.Height(), 338);
  // Rendering at a scale leaves the chart's own ratio alone.
  EXPECT_EQ(scope.Chart1->PixelRatio(), 1.0);

  const QImage chartImage(QString::fromStdString(chart));
  ASSERT_EQ(chartImage.size(), QSize(706, 338));
  EXPECT_EQ(Differing(chartImage, 0, 0, expectedChart), 0);

  // The window twice as large each way, its client area below the menu
  // bar: the chart at (512, 656) as the tool drew it, the mechanism picture
  // at (512, 16) drawn at the density from the run's gears, not its pixels
  // enlarged.
  const QImage windowImage(QString::fromStdString(window));
  const int menu = 2 * MainMenuHeight();
  ASSERT_EQ(windowImage.size(), QSize(1246, menu + 1026));
  EXPECT_EQ(Differing(windowImage, 512, menu + 656, expectedChart), 0);
  TBitmap densePicture;
  DrawPictureAtDensity(densePicture, rig.Gears, 2);
  ASSERT_EQ(densePicture.Width(), 706);
  EXPECT_EQ(Differing(windowImage, 512, menu + 16, densePicture), 0);
  EXPECT_GT(Differing(windowImage, 512, menu + 16, rig.Image, 2), 1000);
  // The mechanism picture alone, drawn the same way.
  const QImage pictureImage(QString::fromStdString(picture));
  ASSERT_EQ(pictureImage.size(), QSize(706, 626));
  EXPECT_EQ(Differing(pictureImage, 0, 0, densePicture), 0);

  // Three times: the chart again drawn at that density, not enlarged.
  ASSERT_EQ(Run({"--ticks", "60", "--setpoint", "150", "--csv", "/dev/null", "--chart", chart,
                 "--scale=3"}),
            kBatchExitOk);
  TBitmap thrice;
  RenderOscilloscope(*scope.Chart1, thrice, 3);
  const QImage thriceImage(QString::fromStdString(chart));
  ASSERT_EQ(thriceImage.size(), QSize(1059, 507));
  EXPECT_EQ(Differing(thriceImage, 0, 0, thrice), 0);
  EXPECT_GT(Differing(thriceImage, 0, 0, expectedChart, 1), 0);
}

TEST_F(BatchScaleTest, AScaleOutsideOneToFourIsRefusedBeforeAnythingIsWritten) {
  for (const char* bad : {"0", "5", "-1", "2.5", "x"}) {
    std::string err;
    EXPECT_EQ(Run({"--csv", File("rows.csv"), "--chart", File("chart.png"), "--scale", bad}, &err),
              kBatchExitBadInput)
        << bad;
    EXPECT_TRUE(err.find("--scale must be") != std::string::npos ||
                err.find("is not a valid integer value") != std::string::npos)
        << err;
    EXPECT_FALSE(fs::exists(File("rows.csv"))) << bad;
    EXPECT_FALSE(fs::exists(File("chart.png"))) << bad;
  }
  std::string err;
  Run({"--scale", "7"}, &err);
  EXPECT_EQ(err, "--scale must be 1, 2, 3 or 4.\n");
  Run({"--scale", "two"}, &err);
  EXPECT_EQ(err, "'two' is not a valid integer value.\n");
  Run({"--scale"}, &err);
  EXPECT_EQ(err, "Option --scale needs a value.\n");
}

}  // namespace
}  // namespace drivesim

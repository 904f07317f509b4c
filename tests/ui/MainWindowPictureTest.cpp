// The picture of the main window after a run: the real window runs the
// inputs, so its mechanism picture is the one the simulation tick draws for
// them, computed here without any window.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cstdio>
#include <string>

#include "chart/Chart.h"
#include "chart/ChartSeries.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Canvas.h"
#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "sim/SimulationRig.h"
#include "ui/MainMenuHeight.h"
#include "ui/MainWindowPicture.h"
#include "ui/OscilloscopeLayout.h"

namespace drivesim {
namespace {

// The picture the window's image should hold after the run: the records
// driven directly, on a bitmap of their own.
// The oscilloscope, filled by the same ticks, is drawn into chart when one
// is given.
void ExpectedPicture(const MainWindowRun& run, TBitmap& picture, TBitmap* chart = nullptr) {
  SimulationRig rig;
  Oscilloscope scope = MakeOscilloscope();
  rig.Process({run.Gain, run.TimeConstant, run.MotorCoef, run.MotorInertia, run.LoadInertia,
               run.Friction, run.Feedback, run.Teeth, run.Setpoint});
  for (int tick = 0; tick < run.Ticks; ++tick) rig.Tick(*scope.Series1, *scope.Series2);
  picture.SetSize(rig.Image.Width(), rig.Image.Height());
  picture.Canvas().Draw(0, 0, rig.Image);
  if (chart) RenderOscilloscope(*scope.Chart1, *chart);
}

// Pixels of the saved picture that differ from the bitmap placed at (left, top).
int DifferingPixels(const QImage& saved, int left, int top, TBitmap& expected) {
  int differing = 0;
  for (int y = 0; y < expected.Height(); ++y) {
    for (int x = 0; x < expected.Width(); ++x) {
      const QRgb shown = saved.pixel(left + x, top + y);
      const TColor want = expected.Pixel(x, y);
      if (qRed(shown) != GetRValue(want) || qGreen(shown) != GetGValue(want) ||
          qBlue(shown) != GetBValue(want)) {
        ++differing;
      }
    }
  }
  return differing;
}

TEST(MainWindowPictureTest, PictureShowsTheWindowAfterTheRunItsHandlersMade) {
  MainWindowRun run;
  run.Teeth = 31;
  run.Setpoint = 170;
  run.Gain = 12.5;
  run.Ticks = 37;
  const std::string path = ::testing::TempDir() + "drivesim-window.png";
  const std::vector<std::string> boxes = SaveMainWindowPicture(run, path);
  EXPECT_TRUE(boxes.empty());

  QImage saved(QString::fromStdString(path));
  ASSERT_FALSE(saved.isNull());
  // The menu bar above the client area of the 631 x 540 window.
  const int menu = MainMenuHeight();
  EXPECT_GT(menu, 10);
  EXPECT_EQ(saved.size(), QSize(623, menu + 513));

  // The mechanism at (256, 8) and the oscilloscope at (256, 328) of the
  // client area, exactly as the run's ticks leave them.
  TBitmap expected;
  TBitmap chart;
  ExpectedPicture(run, expected, &chart);
  EXPECT_EQ(DifferingPixels(saved, 256, menu + 8, expected), 0);
  ASSERT_EQ(chart.Width(), 353);
  ASSERT_EQ(chart.Height(), 169);
  EXPECT_EQ(DifferingPixels(saved, 256, menu + 328, chart), 0);

  // Another run turns the gears elsewhere: the picture is the run's.
  run.Ticks = 80;
  TBitmap later;
  ExpectedPicture(run, later);
  int moved = 0;
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) moved += later.Pixel(x, y) != expected.Pixel(x, y);
  }
  EXPECT_GT(moved, 0);
  std::remove(path.c_str());
}

TEST(MainWindowPictureTest, FailingRunIsReportedAndAnUnwritablePathRefused) {
  MainWindowRun run;
  run.Feedback = -100000;  // positive feedback: the model diverges
  run.Setpoint = 10;
  run.Ticks = 2000;
  const std::string path = ::testing::TempDir() + "drivesim-window-failing.png";
  EXPECT_EQ(SaveMainWindowPicture(run, path), std::vector<std::string>{"Floating point overflow."});
  EXPECT_FALSE(QImage(QString::fromStdString(path)).isNull());
  std::remove(path.c_str());

  TChart chart;
  EXPECT_THROW(SaveOscilloscopePicture(chart, "/nonexistent-directory/chart.png"), Exception);
  EXPECT_THROW(SaveMainWindowPicture(MainWindowRun{}, "/nonexistent-directory/window.png"),
               Exception);
}

}  // namespace
}  // namespace drivesim

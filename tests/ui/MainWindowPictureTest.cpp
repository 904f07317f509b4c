// The picture of the main window after a run: the real window runs the
// inputs, so its mechanism picture is the one the simulation tick draws for
// them, computed here without any window.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cstdio>
#include <string>

#include "chart/ChartSeries.h"
#include "mechanism/Gears.h"
#include "mechanism/MechanismPicture.h"
#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "sim/DriveModel.h"
#include "sim/SimulationTick.h"
#include "sim/TimeHistory.h"
#include "ui/MainWindowPicture.h"

namespace drivesim {
namespace {

// The picture the window's image should hold after the run: the records
// driven directly, on a bitmap of their own.
void ExpectedPicture(const MainWindowRun& run, TBitmap& picture) {
  DriveModel model;
  TimeHistory history;
  GearPair gears;
  TChartSeries velocity;
  TChartSeries setpoint;
  model.StepSize = kModelStepSize;
  gears.SetUpGears(run.Teeth);
  history.ResetTimeAxis(model.StepSize);
  DrawBlockSketch(picture);
  DrawMechanism(picture, gears);
  model.AmpGain = run.Gain;
  model.AmpTimeConst = run.TimeConstant;
  model.MotorCoef = run.MotorCoef;
  model.MotorInertia = run.MotorInertia;
  model.LoadInertia = run.LoadInertia;
  model.ViscousFriction = run.Friction;
  model.FeedbackCoef = run.Feedback;
  model.SetpointShown = run.Setpoint;
  model.Setpoint = run.Setpoint;
  model.ComputeCoefficients(gears);
  for (int tick = 0; tick < run.Ticks; ++tick) {
    SimulationTick(model, history, gears, velocity, setpoint, picture);
  }
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
  // The client area of the 631 x 540 window.
  EXPECT_EQ(saved.size(), QSize(623, 513));

  TBitmap expected;
  ExpectedPicture(run, expected);
  int differing = 0;
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) {
      const QRgb shown = saved.pixel(256 + x, 8 + y);
      const TColor want = expected.Pixel(x, y);
      if (qRed(shown) != GetRValue(want) || qGreen(shown) != GetGValue(want) ||
          qBlue(shown) != GetBValue(want)) {
        ++differing;
      }
    }
  }
  EXPECT_EQ(differing, 0);

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

  EXPECT_THROW(CheckPictureCanBeWritten("/nonexistent-directory/window.png"), Exception);
  EXPECT_THROW(SaveMainWindowPicture(MainWindowRun{}, "/nonexistent-directory/window.png"),
               Exception);
}

}  // namespace
}  // namespace drivesim

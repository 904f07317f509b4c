// The main window after something went wrong: a run that diverged and is
// then given sound inputs again, and a setpoint that could not be taken when
// it was typed. Nothing of the failure may stay behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "chart/Series.h"
#include "mechanism/Gears.h"
#include "platform/Application.h"
#include "platform/ErrorBoxCapture.h"
#include "platform/Numbers.h"
#include "sim/DriveModel.h"
#include "sim/TimeHistory.h"
#include "ui/Unit1.h"

namespace drivesim {
namespace {

// A window on records of its own, driven through its controls.
struct Window {
  DriveModel Model;
  TimeHistory History;
  GearPair Gears;
  std::unique_ptr<TForm1> Form;

  Window() : Form(std::make_unique<TForm1>(Model, History, Gears)) {}

  // What the user does, through the guard that shows the error boxes.
  void Process() {
    RunGuarded([this] { Form->Button2->Click(); });
  }
  void EnterSetpoint(const std::string& text) {
    RunGuarded([this, &text] { Form->SpinEdit2->SetText(text); });
  }
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) Form->Timer1->Tick();
  }
};

std::vector<double> Values(const TChartSeries& series, bool x) {
  std::vector<double> values;
  for (int i = 0; i < series.PointCount(); ++i) {
    values.push_back(x ? series.XValueAt(i) : series.YValueAt(i));
  }
  return values;
}

// Everything the user sees and the next tick starts from is the same in
// both windows.
void ExpectSameRun(Window& a, Window& b) {
  EXPECT_EQ(a.Model.State[0], b.Model.State[0]);
  EXPECT_EQ(a.Model.State[1], b.Model.State[1]);
  EXPECT_EQ(a.Model.Rate[0], b.Model.Rate[0]);
  EXPECT_EQ(a.Model.StageStart, b.Model.StageStart);
  EXPECT_EQ(a.Gears.LoadGear.Angle, b.Gears.LoadGear.Angle);
  EXPECT_EQ(a.Gears.MotorGear.Angle, b.Gears.MotorGear.Angle);
  for (int k = 0; k < HistoryLength; ++k) {
    ASSERT_EQ(a.History.TimeAxis[k], b.History.TimeAxis[k]) << k;
    ASSERT_EQ(a.History.VelocityTrace[k], b.History.VelocityTrace[k]) << k;
    ASSERT_EQ(a.History.SetpointTrace[k], b.History.SetpointTrace[k]) << k;
  }
  EXPECT_EQ(Values(*a.Form->Series1, true), Values(*b.Form->Series1, true));
  EXPECT_EQ(Values(*a.Form->Series1, false), Values(*b.Form->Series1, false));
  EXPECT_EQ(Values(*a.Form->Series2, false), Values(*b.Form->Series2, false));
  EXPECT_TRUE(Pixels(a.Form->Image1->Bitmap()) == Pixels(b.Form->Image1->Bitmap()));
}

class Unit1FailureTest : public ::testing::Test {
 protected:
  void SetUp() override { SetDecimalSeparator(','); }
  void TearDown() override { SetDecimalSeparator(savedSeparator); }

  ErrorBoxCapture boxes;
  char savedSeparator = DecimalSeparator();
};

TEST_F(Unit1FailureTest, DivergedRunLeavesNothingBehindForTheNextProcess) {
  // A friction of -1e6 makes the loop explode within a tick: one box, the
  // timer stops. With the friction set back, "Process" without "Reset"
  // must run exactly as a window that never met the failing tick.
  for (const int setpoint : {100, -250}) {
    Window window;
    window.EnterSetpoint(std::to_string(setpoint));
    window.Form->Edit6->SetText("-1e6");
    window.Process();
    ASSERT_TRUE(window.Form->Running());
    int good = 0;
    while (window.Form->Running() && good < 1000) {
      window.Tick();
      if (window.Form->Running()) ++good;
    }
    ASSERT_EQ(boxes.Texts(), std::vector<std::string>{"Floating point overflow."});

    // The same window without the failing tick: the same inputs for the
    // same good ticks.
    Window twin;
    twin.EnterSetpoint(std::to_string(setpoint));
    twin.Form->Edit6->SetText("-1e6");
    twin.Process();
    twin.Tick(good);
    ExpectSameRun(window, twin);

    for (Window* w : {&window, &twin}) {
      w->Form->Edit6->SetText("1,6");
      w->Process();
      w->Tick(150);
    }
    EXPECT_EQ(boxes.boxes.size(), 1u);
    ExpectSameRun(window, twin);
    // The drive settles towards setpoint * 14 / 15.6 and the gears turn
    // with it, drawn whole: the picture is the twin's, tooth for tooth.
    EXPECT_NEAR(window.Model.State[1], setpoint * 14 / 15.6, std::abs(setpoint) * 0.1);
    EXPECT_NE(window.Gears.LoadGear.Angle, 0);
    boxes.boxes.clear();
  }
}

TEST_F(Unit1FailureTest, LongRunsBackwardsKeepTheGearsWithinATurn) {
  // A reversed drive turns the gears backwards for good; their angles wrap
  // below zero as they do above it, so the picture keeps its gears however
  // long it runs.
  Window window;
  window.EnterSetpoint("-300");
  window.Process();
  double lowest = 0;
  bool wrapped = false;
  for (int tick = 0; tick < 800; ++tick) {
    const double before = window.Gears.LoadGear.Angle;
    window.Tick();
    lowest = std::min(lowest, window.Gears.LoadGear.Angle);
    wrapped = wrapped || (before < -6 && window.Gears.LoadGear.Angle == 0);
  }
  EXPECT_TRUE(wrapped);
  EXPECT_GT(lowest, -6.4);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Unit1FailureTest, ProcessLetsTheSetpointTraceShowTheSetpointTheModelRunsWith) {
  Window window;
  window.EnterSetpoint("100");
  window.Process();
  window.Tick(3);
  EXPECT_EQ(window.Form->Series2->YValueAt(301), 100);

  // With an unreadable feedback coefficient the spin edit shows 140 but its
  // change handler cannot take it.
  window.Form->Edit7->SetText("x");
  window.EnterSetpoint("140");
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"'x' is not a valid floating point value."});
  EXPECT_EQ(window.Model.Setpoint, 100);
  window.Tick();
  EXPECT_EQ(window.Form->Series2->YValueAt(301), 100);

  // Corrected and processed: the model drives towards 140 and the trace
  // shows 140 from the next sample on.
  window.Form->Edit7->SetText("1");
  window.Process();
  EXPECT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(window.Model.Setpoint, 140);
  EXPECT_EQ(window.Model.SetpointShown, 140);
  window.Tick();
  EXPECT_EQ(window.Form->Series2->YValueAt(301), 140);
  EXPECT_EQ(window.Form->Series2->YValueAt(300), 100);
  window.Tick(400);
  EXPECT_NEAR(window.Model.State[1], 140 * 14 / 15.6, 1);
  EXPECT_EQ(window.Form->Series2->YValueAt(0), 140);
}

}  // namespace
}  // namespace drivesim

// The timer: enabled semantics, ticks through the guard, and the failure to
// start a timer.

#include <gtest/gtest.h>

#include <QTest>
#include <thread>

#include "platform/ErrorBoxCapture.h"
#include "platform/Exceptions.h"
#include "platform/Timer.h"

namespace drivesim {
namespace {

TEST(TimerTest, RunsOnlyWhenEnabledWithAHandlerAndAPositiveInterval) {
  TTimer timer;
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000u);
  EXPECT_FALSE(timer.Active());  // no handler yet
  int ticks = 0;
  timer.SetOnTimer([&] { ++ticks; });
  EXPECT_TRUE(timer.Active());
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Active());
  timer.SetInterval(0);
  timer.SetEnabled(true);
  EXPECT_FALSE(timer.Active());
  timer.SetInterval(5);
  EXPECT_TRUE(timer.Active());
  // Ticks come from the event loop.
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 5000));
  timer.SetEnabled(false);
  const int stopped = ticks;
  QTest::qWait(30);
  EXPECT_EQ(ticks, stopped);
}

TEST(TimerTest, SettingTheCurrentValueKeepsThePeriodAndSwitchingOnStartsAFreshOne) {
  TTimer timer;
  timer.SetInterval(100000);
  timer.SetOnTimer([] {});
  QTest::qWait(40);
  const int elapsed = timer.RemainingTime();
  ASSERT_GT(elapsed, 0);
  ASSERT_LT(elapsed, 100000);
  // Setting what it already has does not restart the period.
  timer.SetEnabled(true);
  timer.SetInterval(100000);
  EXPECT_LE(timer.RemainingTime(), elapsed);
  // Switching off and on again does.
  timer.SetEnabled(false);
  EXPECT_EQ(timer.RemainingTime(), -1);
  timer.SetEnabled(true);
  EXPECT_GT(timer.RemainingTime(), elapsed);
  // So does a new period.
  QTest::qWait(20);
  const int before = timer.RemainingTime();
  timer.SetInterval(99999);
  EXPECT_GT(timer.RemainingTime(), before);
}

TEST(TimerTest, FailingTickShowsItsErrorAndLeavesTheTimerRunning) {
  ErrorBoxCapture capture;
  TTimer timer;
  timer.SetInterval(20);
  int ticks = 0;
  timer.SetOnTimer([&] {
    ++ticks;
    throw EZeroDivide();
  });
  timer.Tick();
  timer.Tick();
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(capture.Texts(), (std::vector<std::string>{"Floating point division by zero.",
                                                       "Floating point division by zero."}));
  EXPECT_TRUE(timer.Enabled());
  EXPECT_TRUE(timer.Active());
}

TEST(TimerTest, RefusedTimerRaisesOutOfResourcesAndStaysDisabled) {
  // The platform refuses to start a timer from a thread other than its own,
  // as it refuses when no timer is left; either way the start fails.
  TTimer timer;
  timer.SetEnabled(false);
  timer.SetOnTimer([] {});
  std::string message;
  bool enabledAfter = true;
  std::thread worker([&] {
    try {
      timer.SetEnabled(true);
    } catch (const EOutOfResources& e) {
      message = e.Message();
    }
    enabledAfter = timer.Enabled();
  });
  worker.join();
  EXPECT_EQ(message, "Not enough timers available");
  EXPECT_FALSE(enabledAfter);
  EXPECT_FALSE(timer.Active());
  // Switching on again tries again, and on its own thread it starts.
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Active());
}

}  // namespace
}  // namespace drivesim

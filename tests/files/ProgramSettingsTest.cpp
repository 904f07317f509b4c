// The remembered settings, in the tests' scratch settings: the recent
// scenarios latest first, once each and at most eight; the last folders;
// the design targets and the student's name read back; Reset forgets all.
#include <gtest/gtest.h>

#include <QSettings>
#include <string>
#include <vector>

#include "files/ProgramSettings.h"

namespace drivesim {
namespace {

TEST(ProgramSettingsTest, RememberedAndForgotten) {
  // Never the user's own settings.
  EXPECT_EQ(QSettings().organizationName().toStdString(), "DriveSim-tests");
  ResetSettings();
  EXPECT_TRUE(RecentScenarios().empty());
  EXPECT_EQ(InLastFolder("csv", "run.csv"), "run.csv");
  EXPECT_FALSE(RememberedDesignTargets());

  for (int i = 1; i <= 10; ++i) AddRecentScenario("/lab/s" + std::to_string(i) + ".drivesim");
  AddRecentScenario("/lab/s5.drivesim");
  const std::vector<std::string> expected{
      "/lab/s5.drivesim", "/lab/s10.drivesim", "/lab/s9.drivesim", "/lab/s8.drivesim",
      "/lab/s7.drivesim", "/lab/s6.drivesim",  "/lab/s4.drivesim", "/lab/s3.drivesim"};
  EXPECT_EQ(RecentScenarios(), expected);
  ForgetRecentScenario("/lab/s10.drivesim");
  EXPECT_EQ(RecentScenarios().size(), 7u);
  EXPECT_EQ(RecentScenarios()[1], "/lab/s9.drivesim");

  SetLastFolderOf("csv", "/home/student/runs/run.csv");
  EXPECT_EQ(LastFolder("csv"), "/home/student/runs");
  EXPECT_EQ(InLastFolder("csv", "figures.csv"), "/home/student/runs/figures.csv");
  EXPECT_EQ(LastFolder("picture"), "");

  SetStudentName("Anna M\u00fcller");
  EXPECT_EQ(StudentName(), "Anna M\u00fcller");
  std::array<ScenarioTarget, kScenarioTargets> targets{};
  targets[0] = {true, 5};
  targets[6] = {true, 45.5};
  targets[3] = {false, 0.125};
  RememberDesignTargets(targets);
  EXPECT_EQ(RememberedDesignTargets(), targets);

  ResetSettings();
  EXPECT_TRUE(RecentScenarios().empty());
  EXPECT_EQ(LastFolder("csv"), "");
  EXPECT_EQ(StudentName(), "");
  EXPECT_FALSE(RememberedDesignTargets());
}

}  // namespace
}  // namespace drivesim

// drivesim-batch --scenario: the inputs of a scenario file, options after it
// overriding them and options before it replaced; a file that cannot be read
// ends the run with status 2 and one line, nothing written.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "batch/BatchToolRun.h"

namespace drivesim {
namespace {

const std::string kSample = std::string(DRIVESIM_TEST_FILES) + "/sample-format1.drivesim";

class BatchScenarioTest : public ScratchFolderTest {
 protected:
  BatchScenarioTest() : ScratchFolderTest("drivesim-batch-scenario") {}
};

// The sample's inputs written as options.
const std::vector<std::string> kSampleInputs{
    "--gain",          "12.5",  "--time-constant", "0.008", "--motor-coef", "1.4",
    "--motor-inertia", "0.021", "--load-inertia",  "0.35",  "--friction",   "1.6",
    "--feedback",      "0.75",  "--teeth",         "30",    "--setpoint",   "120"};

std::vector<std::string> With(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(BatchScenarioTest, TakesTheInputsOfTheFileAndLaterOptionsOverride) {
  const std::vector<std::string> run{"--ticks", "60", "--metrics", "-"};
  const ToolRun fromFile = RunTool(With({"--scenario", kSample}, run));
  ASSERT_EQ(fromFile.Status, 0) << fromFile.Err;
  const ToolRun spelt = RunTool(With(kSampleInputs, run));
  ASSERT_EQ(spelt.Status, 0);
  EXPECT_EQ(fromFile.Out, spelt.Out);
  EXPECT_NE(fromFile.Out.find(",12.5,"), std::string::npos) << fromFile.Out;

  // After it: overrides; before it: replaced by the file's value.
  const ToolRun after = RunTool(With({"--scenario=" + kSample, "--feedback", "2"}, run));
  std::vector<std::string> two = kSampleInputs;
  *(std::find(two.begin(), two.end(), "0.75")) = "2";
  EXPECT_EQ(after.Out, RunTool(With(two, run)).Out);
  EXPECT_NE(after.Out, fromFile.Out);
  const ToolRun before = RunTool(With({"--feedback", "2", "--scenario", kSample}, run));
  EXPECT_EQ(before.Out, fromFile.Out);

  // A file that cannot be read: status 2, one line naming it, no output.
  std::ofstream(Path("bad.drivesim")) << "{\"format\": 1, \"inputs\": {\"setpoint\": -5}}";
  for (const std::string& bad : {Path("bad.drivesim"), Path("none.drivesim"), dir.string()}) {
    const ToolRun r = RunTool({"--scenario", bad, "--csv", Path("rows.csv")});
    EXPECT_EQ(r.Status, 2) << bad;
    EXPECT_EQ(r.Err.rfind("Cannot open scenario \"" + bad + "\": ", 0), 0u) << r.Err;
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << r.Err;
    EXPECT_EQ(r.Out, "");
  }
  EXPECT_NE(RunTool({"--scenario", Path("bad.drivesim")}).Err.find("inputs.setpoint"),
            std::string::npos);
  EXPECT_EQ(Entries(), std::vector<std::string>{"bad.drivesim"});
  // The help names it.
  EXPECT_NE(RunTool({"--help"}).Out.find("  --scenario FILE"), std::string::npos);
}

}  // namespace
}  // namespace drivesim

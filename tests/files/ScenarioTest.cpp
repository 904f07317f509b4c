// Scenario files: a scenario written and read back is the same to the last
// bit; the committed sample of format 1 keeps reading as it was written;
// every kind of broken file is refused with one message naming the file,
// the field and the reason.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "ScratchFolder.h"
#include "files/OutputFiles.h"
#include "files/Scenario.h"

#ifndef DRIVESIM_TEST_FILES
#define DRIVESIM_TEST_FILES "."
#endif

namespace drivesim {
namespace {

class ScenarioTest : public ScratchFolderTest {
 protected:
  ScenarioTest() : ScratchFolderTest("drivesim-scenario") {}
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  // The message ReadScenario refuses the file with, or "" when it reads it.
  static std::string Refusal(const std::string& path) {
    try {
      ReadScenario(path);
    } catch (const EScenarioError& e) {
      return e.Message();
    }
    return std::string();
  }
};

Scenario FullScenario() {
  Scenario s;
  s.Title = "Lab 3: \u00fcberschwingen";
  s.Task = "Find k.\nThen \"explain\" why.";
  s.Inputs = DriveInputs{7.25, 0.0123456789012345, 1.1, 0.03, 0.45, 0.1 + 0.2, -0.5, 17, 0};
  s.Explorer.KFrom = -1.5;
  s.Explorer.KTo = 1e-3 * 7;
  for (int i = 0; i < kScenarioTargets; ++i) {
    s.Explorer.Targets[static_cast<std::size_t>(i)] = {i % 2 == 0, 0.1 * (i + 1)};
  }
  s.KeptRuns.push_back({"Run 1", DriveInputs{}, 400});
  s.KeptRuns.push_back(
      {"feedback = 2", DriveInputs{10, 0.006, 1.4, 0.021, 0.3, 1.6, 2, 55, 300}, 1});
  s.Sweep = {SweepParameter::TimeConstant, 0.001, 0.02, 1000, 10};
  return s;
}

TEST_F(ScenarioTest, WrittenAndReadBackBitForBit) {
  const Scenario written = FullScenario();
  WriteScenario(Path("a.drivesim"), written);
  const Scenario read = ReadScenario(Path("a.drivesim"));
  EXPECT_EQ(read, written);
  EXPECT_EQ(read.Inputs.ViscousFriction, 0.1 + 0.2);
  // The text is JSON of format 1 with the inputs under their names.
  const std::string text = Read(Path("a.drivesim"));
  EXPECT_NE(text.find("\"format\": 1"), std::string::npos);
  EXPECT_NE(text.find("\"time_constant\": 0.0123456789012345"), std::string::npos);
  EXPECT_NE(text.find("\"phase-margin\""), std::string::npos);
  EXPECT_NE(text.find("\"parameter\": \"time-constant\""), std::string::npos);
  // A scenario of the windows' start-up values reads back as that too.
  WriteScenario(Path("b.drivesim"), Scenario{});
  EXPECT_EQ(ReadScenario(Path("b.drivesim")), Scenario{});
  // Writing replaces the file whole and leaves no temporary.
  EXPECT_EQ(Entries(), (std::vector<std::string>{"a.drivesim", "b.drivesim"}));
}

TEST_F(ScenarioTest, CommittedSampleOfFormatOneKeepsReading) {
  const Scenario s = ReadScenario(std::string(DRIVESIM_TEST_FILES) + "/sample-format1.drivesim");
  EXPECT_EQ(s.Title, "Feedback and overshoot");
  EXPECT_EQ(s.Task.substr(0, 20), "Keep the overshoot a");
  EXPECT_EQ(s.Inputs, (DriveInputs{12.5, 0.008, 1.4, 0.021, 0.35, 1.6, 0.75, 30, 120}));
  EXPECT_EQ(s.Explorer.KFrom, 0.1);
  EXPECT_EQ(s.Explorer.KTo, 4);
  // overshoot, error and phase margin on; settling2 given but off; the rest
  // left out and so off.
  const std::array<ScenarioTarget, kScenarioTargets> targets{
      {{true, 5}, {false, 0.05}, {false, 0}, {false, 0}, {true, 15}, {false, 0}, {true, 45}}};
  EXPECT_EQ(s.Explorer.Targets, targets);
  ASSERT_EQ(s.KeptRuns.size(), 2u);
  // Members left out of a run's inputs take the start-up values.
  DriveInputs first;
  first.FeedbackCoef = 0.5;
  EXPECT_EQ(s.KeptRuns[0], (ScenarioRun{"Run 1", first, 300}));
  EXPECT_EQ(s.KeptRuns[1].Label, "feedback = 2");
  EXPECT_EQ(s.KeptRuns[1].Inputs, (DriveInputs{12.5, 0.006, 1.4, 0.021, 0.3, 1.6, 2, 30, 120}));
  EXPECT_EQ(s.KeptRuns[1].Ticks, 200);
  EXPECT_EQ(s.Sweep, (ScenarioSweep{SweepParameter::Gain, 5, 20, 4, 0.25}));
}

TEST_F(ScenarioTest, BrokenFilesAreRefusedNamingTheFileTheFieldAndTheReason) {
  const std::string good = ScenarioJson(FullScenario());
  struct Case {
    const char* name;
    std::string text;
    const char* message;  // after "Cannot open scenario "<path>": "
  };
  const auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
  };
  const std::vector<Case> cases{
      {"truncated", good.substr(0, good.size() / 2), "not a scenario file (JSON "},
      {"not-json", "tick,time_s\n1,0.001\n", "not a scenario file (JSON "},
      {"array", "[1, 2]", "not a scenario file (no JSON object)"},
      {"no-format", "{\"title\": \"x\"}", "format: missing"},
      {"newer", replaced("\"format\": 1", "\"format\": 2"),
       "format: the file is of format 2, written by a newer version of the program; this one "
       "reads format 1 only"},
      {"format-text", replaced("\"format\": 1", "\"format\": \"1\""), "format: must be a whole"},
      {"teeth-7", replaced("\"teeth\": 17", "\"teeth\": 70"),
       "inputs.teeth: must be a whole number from 1 to 55"},
      {"teeth-half", replaced("\"teeth\": 17", "\"teeth\": 17.5"),
       "inputs.teeth: must be a whole number from 1 to 55"},
      {"negative-setpoint", replaced("\"setpoint\": 0", "\"setpoint\": -1"),
       "inputs.setpoint: must be a whole number from 0 to 300"},
      {"gain-text", replaced("\"gain\": 7.25", "\"gain\": \"7.25\""),
       "inputs.gain: must be a number"},
      {"inputs-list", replaced("\"inputs\": {", "\"inputs\": [], \"x\": {"),
       "inputs: must be an object"},
      {"run-teeth", replaced("\"teeth\": 55", "\"teeth\": 0"),
       "kept_runs[1].inputs.teeth: must be a whole number from 1 to 55"},
      {"run-ticks", replaced("\"ticks\": 1\n", "\"ticks\": 0\n"),
       "kept_runs[1].ticks: must be a whole number from 1 to 10000"},
      {"runs-object", replaced("\"kept_runs\": [", "\"kept_runs\": 3, \"y\": ["),
       "kept_runs: must be a list"},
      {"enabled-number", replaced("\"enabled\": true", "\"enabled\": 1"),
       "explorer.targets.error.enabled: must be true or false"},
      {"k-range", replaced("\"k_from\": -1.5", "\"k_from\": 5"),
       "explorer.k_to: must be greater than k_from"},
      {"sweep-name", replaced("\"time-constant\"", "\"inertia\""), "sweep.parameter: must be one"},
      {"sweep-count", replaced("\"count\": 1000", "\"count\": 1"),
       "sweep.count: must be a whole number from 2 to 1000"},
      {"title-number", replaced("\"title\": \"Lab", "\"title\": 3, \"x\": \"Lab"),
       "title: must be a text"},
  };
  for (const Case& c : cases) {
    const std::string path = Path(std::string(c.name) + ".drivesim");
    Write(path, c.text);
    const std::string message = Refusal(path);
    const std::string head = "Cannot open scenario \"" + path + "\": ";
    ASSERT_EQ(message.substr(0, head.size()), head) << c.name << ": " << message;
    EXPECT_EQ(message.substr(head.size(), std::strlen(c.message)), c.message) << c.name;
    EXPECT_EQ(message.find('\n'), std::string::npos) << c.name;
  }
  // Not a file at all: missing, a directory, unreadable.
  EXPECT_EQ(Refusal(Path("none.drivesim")),
            "Cannot open scenario \"" + Path("none.drivesim") + "\": no such file");
  std::filesystem::create_directory(Path("folder.drivesim"));
  EXPECT_EQ(Refusal(Path("folder.drivesim")),
            "Cannot open scenario \"" + Path("folder.drivesim") + "\": it is a directory");
  ASSERT_EQ(::mkfifo(Path("pipe.drivesim").c_str(), 0600), 0);
  EXPECT_EQ(Refusal(Path("pipe.drivesim")),
            "Cannot open scenario \"" + Path("pipe.drivesim") + "\": not a regular file");
  if (::geteuid() != 0) {
    Write(Path("locked.drivesim"), good);
    ::chmod(Path("locked.drivesim").c_str(), 0);
    EXPECT_NE(Refusal(Path("locked.drivesim")), "");
  }
  // A member a reader does not know is passed over.
  Write(Path("extra.drivesim"), replaced("\"format\": 1", "\"format\": 1, \"colour\": [1]"));
  EXPECT_EQ(ReadScenario(Path("extra.drivesim")), FullScenario());
}

}  // namespace
}  // namespace drivesim

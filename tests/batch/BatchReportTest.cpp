// drivesim-batch --report: the program itself writing the lab report of a
// scenario's session, of a sweep, on the paper of its locale; a file that
// cannot be written refused as every output is, with nothing written.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "PdfTools.h"
#include "ScratchFolder.h"
#include "analysis/ExplorerState.h"
#include "batch/BatchToolRun.h"
#include "files/Scenario.h"
#include "lab/ExplorerFigures.h"

namespace drivesim {
namespace {

const std::string kReportSample = std::string(DRIVESIM_TEST_FILES) + "/sample-format1.drivesim";

class BatchReportTest : public ScratchFolderTest {
 protected:
  BatchReportTest() : ScratchFolderTest("drivesim-batch-report") {}

  // The program run in the given locale; its exit status, standard error
  // appended to err.
  static int Program(const std::string& locale, const std::string& arguments, std::string* err,
                     const std::string& environment = "") {
    const std::string command = environment + " LC_ALL=" + locale + ".UTF-8 LANG=" + locale +
                                ".UTF-8 '" + std::string(DRIVESIM_BATCH_PROGRAM) + "' " +
                                arguments + " 2>&1 >/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) err->append(buffer, got);
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

TEST_F(BatchReportTest, TheScenariosSessionOnTheLocalesPaper) {
  const std::string us = Path("us.pdf");
  const std::string de = Path("de.pdf");
  std::string err;
  ASSERT_EQ(Program("en_US",
                    "--scenario '" + kReportSample + "' --student 'Ada King' --report " + us, &err),
            0)
      << err;
  ASSERT_EQ(
      Program("de_DE",
              "--scenario '" + kReportSample + "' --feedback 1.1 --student Ada --report " + de,
              &err),
      0)
      << err;
  EXPECT_EQ(err, "");
  EXPECT_EQ(PdfInfo(us, "Page size").rfind("612 x 792 pts", 0), 0u) << PdfInfo(us, "Page size");
  EXPECT_EQ(PdfInfo(de, "Page size").rfind("595 x 842 pts", 0), 0u) << PdfInfo(de, "Page size");
  const std::string pages = PdfInfo(us, "Pages");
  const std::string text = PdfText(us);
  EXPECT_NE(text.find("Page" + pages + "of" + pages), std::string::npos) << pages;

  // The file's title, task, inputs, targets and kept runs, the explorer's
  // answer for its range and targets.
  const Scenario scenario = ReadScenario(kReportSample);
  ExplorerState state;
  state.SetFeedbackRange(scenario.Explorer.KFrom, scenario.Explorer.KTo);
  DesignTargets targets;
  for (std::size_t i = 0; i < targets.Items.size(); ++i) {
    targets.Items[i] = {scenario.Explorer.Targets[i].Enabled, scenario.Explorer.Targets[i].Limit};
  }
  state.SetTargets(targets);
  state.SetInputs(scenario.Inputs);
  for (const std::string& expected :
       {Unspaced(scenario.Title), Unspaced(scenario.Task), std::string("StudentAdaKing"),
        std::string("Gain12.5"), std::string("Timeconstant,s0.008"),
        std::string("Feedbackcoefficient,Vs/rad0.75"), std::string("Numberofgearteeth30"),
        Unspaced("Overshoot \u2264, % 5"), Unspaced("Phase margin \u2265, \u00b0 45"),
        Unspaced(ExplorerAnswerText(state)), std::string("Currentrun"), std::string("k=0.5,gain10"),
        std::string("k=2,gain12.5")}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  }
  // The option after the file overrides it; the locale's decimal comma.
  const std::string german = PdfText(de);
  EXPECT_NE(german.find("Feedbackcoefficient,Vs/rad1,1"), std::string::npos);
  EXPECT_NE(german.find("Gain12,5"), std::string::npos);
  EXPECT_EQ(german.find("Sweepof"), std::string::npos);
}

TEST_F(BatchReportTest, TheStudentIsTheNameTheWindowRemembers) {
  // The window's settings in a home of the test's own.
  std::filesystem::create_directories(dir / "config" / "DriveSim");
  std::ofstream(Path("config/DriveSim/drivesim.conf")) << "[student]\nname=Grace Hopper\n";
  std::string err;
  ASSERT_EQ(Program("en_GB",
                    "--ticks 50 --csv " + Path("rows.csv") + " --report " + Path("remembered.pdf"),
                    &err, "XDG_CONFIG_HOME=" + Path("config")),
            0)
      << err;
  EXPECT_NE(PdfText(Path("remembered.pdf")).find("StudentGraceHopper"), std::string::npos);
  EXPECT_EQ(PdfInfo(Path("remembered.pdf"), "Page size").rfind("595 x 842 pts", 0), 0u);
}

TEST_F(BatchReportTest, ASweepsRunsAndFigures) {
  const ToolRun run = RunTool({"--sweep", "feedback=0.5:2:4", "--ticks", "250", "--student", "Ada",
                               "--report", Path("sweep.pdf")});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, "");
  const std::string text = PdfText(Path("sweep.pdf"));
  EXPECT_NE(text.find("Sweepoffeedback:4runsfrom0.5to2"), std::string::npos);
  for (const char* value : {"k=0.5", "k=1", "k=1.5", "k=2"}) {
    EXPECT_NE(text.find(value), std::string::npos) << value;
  }
  EXPECT_EQ(text.find("Currentrun"), std::string::npos);
  // The step responses and the sweep's figures: two pictures in colour.
  const std::string images = ToolOutput("pdfimages -list '" + Path("sweep.pdf") + "'");
  std::size_t charts = 0;
  for (std::size_t at = images.find(" rgb "); at != std::string::npos;
       at = images.find(" rgb ", at + 1)) {
    ++charts;
  }
  EXPECT_EQ(charts, 2u) << images;
}

TEST_F(BatchReportTest, AFileThatCannotBeWrittenIsRefusedAsEveryOutput) {
  for (const std::string& target : {Path("missing/report.pdf"), dir.string()}) {
    SCOPED_TRACE(target);
    const ToolRun report =
        RunTool({"--csv", Path("rows.csv"), "--student", "Ada", "--report", target});
    const ToolRun overlay = RunTool({"--csv", Path("rows.csv"), "--overlay", target});
    EXPECT_EQ(report.Status, 2);
    EXPECT_EQ(report.Err, overlay.Err);
    EXPECT_NE(report.Err.find("Cannot create file"), std::string::npos) << report.Err;
    EXPECT_TRUE(std::filesystem::is_empty(dir));
  }
}

}  // namespace
}  // namespace drivesim

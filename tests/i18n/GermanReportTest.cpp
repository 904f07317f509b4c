// A lab report exported under a German locale is German throughout: its
// headings, table headers, input captions, answer, footer and page numbers;
// with the translations removed, as in the batch tool, it is English again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PdfTools.h"
#include "ScratchFolder.h"
#include "analysis/DesignTargets.h"
#include "analysis/Sweep.h"
#include "lab/LabReport.h"
#include "lab/LabRuns.h"
#include "platform/Numbers.h"
#include "platform/Translate.h"

namespace drivesim {
namespace {

class GermanReportTest : public ScratchFolderTest {
 protected:
  GermanReportTest() : ScratchFolderTest("drivesim-report-de") {}
  void SetUp() override {
    ScratchFolderTest::SetUp();
    SetDecimalSeparator('.');
  }
  void TearDown() override {
    InstallTranslations("");
    ScratchFolderTest::TearDown();
  }

  // A session with a title, a kept run, two design targets and a sweep of k.
  std::string Report(const std::string& name) {
    DriveInputs kept;
    kept.FeedbackCoef = 0.5;
    fKept = LabRunOfSetting(kept, 300);
    fKept.Name = "k = 0.5";
    LabReportContent content;
    content.Title = "Feedback and overshoot";
    content.Task = "Find k.";
    content.Student = "Ada Lovelace";
    content.When = "2026-12-09 14:05";
    content.Inputs.FeedbackCoef = 1.5;
    content.KFrom = 0;
    content.KTo = 4;
    content.Targets[TargetKind::Overshoot] = {true, 10};
    content.Targets[TargetKind::Error] = {true, 40};
    AddRuns(content, {&fKept});
    SweepResult sweep;
    sweep.Spec = ParseSweepSpec("feedback=0.5:2.5:3");
    SweepOptions options;
    options.Ticks = 300;
    options.Run.KeepSamples = false;
    sweep.Runs = RunAll(SweepInputs(content.Inputs, sweep.Spec), options);
    content.Sweep = sweep;
    const std::string path = Path(name);
    SaveLabReport(path, content);
    return PdfText(path);
  }

  LabRun fKept;
};

TEST_F(GermanReportTest, HeadingsTablesAndFooterInGermanEnglishWithoutTranslator) {
  ASSERT_TRUE(InstallTranslations("de_DE"));
  const std::string german = Report("de.pdf");
  ASSERT_FALSE(german.empty()) << "pdftotext read nothing";
  const std::vector<std::string> germanTexts = {"Laborbericht",
                                                "NameAdaLovelace",
                                                "Datum2026-12-09",
                                                "Aufgabe",
                                                "EingangsgrößeWert",
                                                "Eingangsgrößen",
                                                "Verstärkung",
                                                "Entwurfsziele",
                                                "ZielGrenzwertBeidiesemk",
                                                "Antwort:",
                                                "Sprungantworten",
                                                "Läufe",
                                                "Nr.",
                                                "Seite1von",
                                                "DriveSim-Laborbericht—AdaLovelace",
                                                "Parameterreiheüber"};
  for (const std::string& text : germanTexts) {
    EXPECT_NE(german.find(text), std::string::npos) << text;
  }
  const std::vector<std::string> englishTexts = {
      "Labreport",     "Student", "Inputs",  "InputValue", "Designtargets", "Answer:",
      "Stepresponses", "Page1of", "Sweepof", "Nodesign",   "Gain",          "TargetLimit"};
  for (const std::string& text : englishTexts) {
    EXPECT_EQ(german.find(text), std::string::npos) << text;
  }

  // Without a translator, as drivesim-batch writes it, the same session is
  // English.
  InstallTranslations("");
  const std::string english = Report("en.pdf");
  for (const char* text :
       {"Labreport", "StudentAdaLovelace", "Inputs", "Designtargets", "Answer:", "Stepresponses",
        "Page1of", "Sweepoffeedback", "DriveSimlabreport—AdaLovelace"}) {
    EXPECT_NE(english.find(text), std::string::npos) << text;
  }
  for (const char* text : {"Laborbericht", "Seite1von", "Sprungantworten", "Antwort:"}) {
    EXPECT_EQ(english.find(text), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace drivesim

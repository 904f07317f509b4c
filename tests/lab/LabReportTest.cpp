// The lab report as a PDF file: read back with poppler's tools, as a
// reader would open it. Its pages and paper, its text (inputs, name,
// figures, runs, page numbers), the charts at print density and without
// loss, and a file that cannot be written leaving nothing behind.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "PdfTools.h"
#include "ScratchFolder.h"
#include "analysis/DesignTargets.h"
#include "analysis/ExplorerState.h"
#include "analysis/PrintChart.h"
#include "files/OutputFiles.h"
#include "files/SaveFiles.h"
#include "lab/ExplorerFigures.h"
#include "lab/LabReport.h"
#include "lab/LabRuns.h"
#include "lab/LabTable.h"
#include "platform/Numbers.h"

namespace drivesim {
namespace {

class LabReportTest : public ScratchFolderTest {
 protected:
  LabReportTest() : ScratchFolderTest("drivesim-report") {}
  void SetUp() override {
    ScratchFolderTest::SetUp();
    SetDecimalSeparator('.');
  }

  // A session: a title and task, two kept runs and a sweep of k.
  LabReportContent Session() {
    fKept.clear();
    DriveInputs first;
    first.FeedbackCoef = 0.5;
    DriveInputs second;
    second.FeedbackCoef = 2;
    fKept.push_back(LabRunOfSetting(first, 300));
    fKept.back().Name = "k = 0.5";
    fKept.back().Colour = RGB(200, 30, 30);
    fKept.push_back(LabRunOfSetting(second, 300));
    fKept.back().Name = "k = 2";
    fKept.back().Colour = RGB(30, 30, 200);

    LabReportContent content;
    content.Title = "Feedback and overshoot";
    content.Task = "Find the feedback coefficient that keeps the overshoot below 10 %.";
    content.Student = "Ada Lovelace";
    content.When = "2026-12-09 14:05";
    content.Inputs.FeedbackCoef = 1.5;
    content.Inputs.AmpTimeConst = 0.007;
    content.KFrom = 0;
    content.KTo = 4;
    content.Targets[TargetKind::Overshoot] = {true, 10};
    content.Targets[TargetKind::Error] = {true, 40};
    AddRuns(content, {&fKept[0], &fKept[1]});
    SweepResult sweep;
    sweep.Spec = ParseSweepSpec("feedback=0.5:2.5:5");
    SweepOptions options;
    options.Ticks = 300;
    options.Run.KeepSamples = false;
    sweep.Runs = RunAll(SweepInputs(content.Inputs, sweep.Spec), options);
    content.Sweep = sweep;
    return content;
  }

  std::vector<LabRun> fKept;
};

TEST_F(LabReportTest, PagesPaperAndTextAsTheReaderSeesThem) {
  LabReportContent content = Session();
  struct Case {
    const char* Locale;
    ReportPaper Paper;
    const char* Size;  // as pdfinfo gives it, points
  };
  for (const Case& c : {Case{"en_US", ReportPaper::Letter, "612 x 792 pts (letter)"},
                        Case{"fr_CA", ReportPaper::Letter, "612 x 792 pts (letter)"},
                        Case{"de_DE", ReportPaper::A4, "595 x 842 pts (A4)"},
                        Case{"en_GB", ReportPaper::A4, "595 x 842 pts (A4)"}}) {
    SCOPED_TRACE(c.Locale);
    content.Paper = ReportPaperOf(QLocale(QString::fromLatin1(c.Locale)));
    EXPECT_EQ(content.Paper, c.Paper);
    const std::string path = Path(std::string(c.Locale) + ".pdf");
    SaveLabReport(path, content);
    EXPECT_EQ(Read(path).rfind("%PDF-", 0), 0u);
    EXPECT_EQ(PdfInfo(path, "Page size").rfind(c.Size, 0), 0u) << PdfInfo(path, "Page size");
    EXPECT_EQ(PdfInfo(path, "Title"), "Feedback and overshoot");
  }

  const std::string path = Path("de_DE.pdf");
  const int pages = std::stoi(PdfInfo(path, "Pages"));
  EXPECT_GE(pages, 3);
  const std::string text = Unspaced(ToolOutput("pdftotext -layout '" + path + "' -"));
  for (int page = 1; page <= pages; ++page) {
    const std::string number = "Page" + std::to_string(page) + "of" + std::to_string(pages);
    EXPECT_NE(text.find(number), std::string::npos) << number;
  }
  EXPECT_EQ(text.find("Page" + std::to_string(pages + 1) + "of"), std::string::npos);
  for (const std::string& expected :
       {std::string("Feedback and overshoot"), content.Task, std::string("Student Ada Lovelace"),
        std::string("Date 2026-12-09 14:05"), std::string("Gain 10"),
        std::string("Time constant, s 0.007"), std::string("Feedback coefficient, Vs/rad 1.5"),
        std::string("Number of gear teeth 42"), std::string("Preset velocity of load, rad/s 100"),
        std::string("Overshoot \u2264, % 10"), std::string("Comparator error \u2264, % 40")}) {
    EXPECT_NE(text.find(Unspaced(expected)), std::string::npos) << expected;
  }

  // The explorer's figures at k = 1.5 and its answer, as the explorer
  // window shows them.
  ExplorerState state;
  state.SetFeedbackRange(0, 4);
  state.SetTargets(content.Targets);
  state.SetInputs(content.Inputs);
  for (const ExplorerFigureRow& row : ExplorerFigureRows(state)) {
    const std::string line = Unspaced(row.Name + " " + row.ClosedForm + " " + row.Measured);
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  const std::string answer = Unspaced(ExplorerAnswerText(state));
  EXPECT_NE(answer.find("meets"), std::string::npos);
  EXPECT_NE(text.find(answer), std::string::npos) << answer;

  // Every run's row, the cells as the lab's table shows them; the sweep
  // named by its input.
  const std::vector<LabTableColumn> columns = LabTable::ColumnsFor(content.Rows);
  for (const LabRun* run : content.Rows) {
    for (const LabTableColumn& column : columns) {
      const std::string cell = LabTable::ScreenText(column, *run);
      EXPECT_NE(text.find(Unspaced(cell)), std::string::npos) << cell;
    }
  }
  EXPECT_NE(text.find("Sweepoffeedback:5runsfrom0.5to2.5"), std::string::npos);

  // A comma where the locale writes one, in the inputs and the figures.
  SetDecimalSeparator(',');
  SaveLabReport(path, content);
  const std::string comma = Unspaced(ToolOutput("pdftotext -layout '" + path + "' -"));
  EXPECT_NE(comma.find(Unspaced("Time constant, s 0,007")), std::string::npos);
  EXPECT_NE(comma.find(Unspaced("Feedback coefficient, Vs/rad 1,5")), std::string::npos);
}

TEST_F(LabReportTest, ChartsAtPrintDensityWithoutLoss) {
  LabReportContent content = Session();
  const std::string path = Path("report.pdf");
  SaveLabReport(path, content);
  // pdfimages -list: page num type width height color comp bpc enc interp
  // object ID x-ppi y-ppi size ratio; the step responses and the sweep.
  const std::string list = ToolOutput("pdfimages -list '" + path + "'");
  int charts = 0;
  std::size_t start = list.find('\n', list.find("-----"));
  while (start != std::string::npos && start + 1 < list.size()) {
    const std::size_t end = list.find('\n', start + 1);
    const std::string line = list.substr(start + 1, end - start - 1);
    start = end;
    std::vector<std::string> fields;
    std::size_t at = 0;
    while ((at = line.find_first_not_of(' ', at)) != std::string::npos) {
      const std::size_t stop = line.find(' ', at);
      fields.push_back(line.substr(at, stop - at));
      at = stop;
    }
    if (fields.size() < 14 || fields[2] != "image") continue;
    ++charts;
    EXPECT_EQ(fields[3], "3200") << line;
    EXPECT_NE(fields[8], "jpeg") << line;
    EXPECT_GE(std::stoi(fields[12]), 300) << line;
  }
  EXPECT_EQ(charts, 2) << list;

  // Without a sweep there is no sweep chart, and no kept run still gives a
  // report.
  content.Sweep.reset();
  content.Rows.clear();
  content.Curves.clear();
  content.CurveColours.clear();
  SaveLabReport(path, content);
  EXPECT_EQ(ToolOutput("pdftotext '" + path + "' -").find("Sweep of"), std::string::npos);
  EXPECT_NE(Unspaced(ToolOutput("pdftotext '" + path + "' -")).find(Unspaced("No run was kept.")),
            std::string::npos);
}

TEST_F(LabReportTest, AFileThatCannotBeWrittenLeavesNothing) {
  const LabReportContent content = Session();
  std::filesystem::create_directory(Path("sub"));
  SaveLabReport(Path("old.pdf"), content);
  const std::string old = Read(Path("old.pdf"));
  for (const std::string& target : {Path("missing/report.pdf"), Path("sub"), Path("")}) {
    SCOPED_TRACE(target);
    // The same refusal, word for word, as every other output's.
    std::string expected;
    try {
      SaveOutputFile("The picture", target, "x");
    } catch (const EOutputError& e) {
      expected = e.Message();
    }
    ASSERT_FALSE(expected.empty());
    try {
      SaveLabReport(target, content);
      ADD_FAILURE() << "written";
    } catch (const EOutputError& e) {
      EXPECT_EQ(e.Message(), expected);
    }
  }
  EXPECT_EQ(Entries(), (std::vector<std::string>{"old.pdf", "sub"}));
  EXPECT_TRUE(std::filesystem::is_empty(Path("sub")));
  EXPECT_EQ(Read(Path("old.pdf")), old);
}

}  // namespace
}  // namespace drivesim

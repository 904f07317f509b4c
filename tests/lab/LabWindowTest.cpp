// The quality-of-regulation window on the real main window: the live row
// and curve of the current run against the library's run of the same
// inputs, keeping, removing and clearing runs, the table's columns and
// texts, copying, and saving the table and the charts.
#include <QClipboard>
#include <QImage>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableWidget>

#include "analysis/FiguresCsv.h"
#include "analysis/PrintChart.h"
#include "analysis/RunResult.h"
#include "chart/Series.h"
#include "lab/LabFixture.h"
#include "lab/LabResponseChart.h"
#include "platform/Graphics.h"

namespace drivesim {
namespace {

class LabWindowTest : public LabFixture {
 protected:
  std::string Cell(int row, const std::string& header) {
    QTableWidget* table = lab->Table();
    for (int c = 0; c < table->columnCount(); ++c) {
      if (table->horizontalHeaderItem(c)->text().toStdString() == header) {
        return table->item(row, c)->text().toStdString();
      }
    }
    ADD_FAILURE() << "no column " << header;
    return std::string();
  }
  void SelectRow(int row) {
    lab->Table()->selectionModel()->clearSelection();
    lab->Table()->selectRow(row);
  }
  static DriveInputs Inputs(double feedback, int setpoint) {
    DriveInputs inputs;
    inputs.FeedbackCoef = feedback;
    inputs.Setpoint = setpoint;
    return inputs;
  }

  TLabWindow* lab = nullptr;
};

TEST_F(LabWindowTest, TheLiveRowShowsTheFiguresOfTheBatchToolForTheSameRun) {
  lab = &OpenLab();
  EXPECT_EQ(lab->Widget()->windowTitle().toStdString(), "Quality of regulation");
  EXPECT_EQ(lab->Table()->rowCount(), 0);
  EXPECT_FALSE(lab->KeepButton()->isEnabled());

  EnterSetpoint(100);
  Process();
  Tick(10);
  ASSERT_EQ(lab->Table()->rowCount(), 1);
  EXPECT_EQ(Cell(0, "Run"), "Current run");
  // Not risen to 90 % yet: no rise time, nothing made up.
  EXPECT_EQ(Cell(0, "Rise time, ms\nmeasured"), "\u2014");
  EXPECT_EQ(Cell(0, "Overshoot, %\nmeasured"), "0,00");
  EXPECT_EQ(Cell(0, "Overshoot, %\ntheory"), "4,65");
  Tick(190);

  const RunResult expected = RunDrive(Inputs(1, 100), 200);
  ASSERT_NE(lab->CurrentRow(), nullptr);
  EXPECT_EQ(lab->CurrentRow()->Result.Measured, expected.Measured);
  EXPECT_EQ(lab->CurrentRow()->Result.ClosedForm, expected.ClosedForm);
  std::string csv = FiguresCsvHeader();
  AppendFiguresRow(csv, 1, std::nullopt, expected);
  EXPECT_EQ(lab->TableCsv(), csv);

  // On screen: milliseconds and percentages to two decimals with the
  // locale's separator.
  EXPECT_EQ(Cell(0, "Overshoot, %\nmeasured"), "4,65");
  EXPECT_EQ(Cell(0, "Peak time, ms\nmeasured"), "34,76");
  EXPECT_EQ(Cell(0, "Rise time, ms\nmeasured"), "16,80");
  EXPECT_EQ(Cell(0, "Settling 2 %, ms\nmeasured"), "47,35");
  EXPECT_EQ(Cell(0, "Static error,\n%"), "10,26");
  EXPECT_EQ(Cell(0, "Crossings"), "1");
  EXPECT_EQ(Cell(0, "Damping\nratio"), "0,6987");
  EXPECT_EQ(Cell(0, "Natural freq.,\nrad/s"), "126,30");
  EXPECT_EQ(Cell(0, "Status"), "settled");
  EXPECT_TRUE(lab->KeepButton()->isEnabled());

  // The chart's current curve: 0 at t = 0, then the load velocity of every
  // tick.
  TLineSeries& curve = lab->ResponseChart().CurrentSeries();
  ASSERT_EQ(curve.PointCount(), 201);
  EXPECT_EQ(curve.XValueAt(0), 0.0);
  EXPECT_EQ(curve.YValueAt(0), 0.0);
  EXPECT_NEAR(curve.XValueAt(200), 0.2, 1e-12);
  EXPECT_EQ(curve.YValueAt(200), model.State[1]);

  // Hidden, the window does no work; shown again it has caught up.
  lab->Widget()->close();
  Tick(100);
  EXPECT_EQ(curve.PointCount(), 201);
  form->QualityOfRegulation1->Click();
  EXPECT_EQ(curve.PointCount(), 301);
  EXPECT_EQ(lab->CurrentRow()->Result.Measured, RunDrive(Inputs(1, 100), 300).Measured);

  // "Reset" leaves no current run.
  Reset();
  EXPECT_EQ(lab->Table()->rowCount(), 0);
  EXPECT_EQ(curve.PointCount(), 0);
  EXPECT_EQ(lab->TableCsv(), FiguresCsvHeader());
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(LabWindowTest, KeptRunsAreComparedByTheInputsTheyDifferInAndCanBeRemoved) {
  lab = &OpenLab();
  EnterSetpoint(100);
  Process();
  Tick(150);
  lab->KeepButton()->click();
  // The feedback coefficient halved, from rest.
  Reset();
  form->Edit7->SetText("0,5");
  Process();
  Tick(150);
  lab->KeepButton()->click();
  ASSERT_EQ(lab->Runs().Count(), 2);
  ASSERT_EQ(lab->Table()->rowCount(), 3);
  EXPECT_EQ(Cell(1, "Run"), "Run 1");
  EXPECT_EQ(Cell(2, "Run"), "Run 2");
  // One column for the input that differs, none for those that do not.
  EXPECT_EQ(Cell(0, "Feedback coefficient, Vs/rad"), "0,5");
  EXPECT_EQ(Cell(1, "Feedback coefficient, Vs/rad"), "1");
  EXPECT_EQ(Cell(2, "Feedback coefficient, Vs/rad"), "0,5");
  for (int c = 0; c < lab->Table()->columnCount(); ++c) {
    EXPECT_NE(lab->Table()->horizontalHeaderItem(c)->text().toStdString(), "Gain");
  }

  // A kept run holds its figures and its curve.
  const RunResult first = RunDrive(Inputs(1, 100), 150);
  const RunResult second = RunDrive(Inputs(0.5, 100), 150);
  const LabRun& run1 = lab->Runs().Kept()[0];
  EXPECT_EQ(run1.Result.Measured, first.Measured);
  EXPECT_EQ(run1.Result.Record.Inputs, Inputs(1, 100));
  ASSERT_EQ(run1.Curve.size(), 151u);
  EXPECT_EQ(run1.Curve[150], first.Record.Ticks[149].LoadVelocity);
  EXPECT_EQ(lab->Runs().Kept()[1].Result.Measured, second.Measured);
  std::string csv = FiguresCsvHeader();
  AppendFiguresRow(csv, 1, std::nullopt, second);
  AppendFiguresRow(csv, 2, std::nullopt, first);
  AppendFiguresRow(csv, 3, std::nullopt, second);
  EXPECT_EQ(lab->TableCsv(), csv);

  // The chart: the kept curves paler than the current one.
  LabResponseChart& chart = lab->ResponseChart();
  ASSERT_EQ(chart.KeptCount(), 2);
  EXPECT_EQ(chart.KeptSeries(0).PointCount(), 151);
  EXPECT_EQ(chart.KeptSeries(0).Title(), "Run 1");
  const TColor pale = chart.KeptSeries(0).SeriesColor();
  EXPECT_GT(GetRValue(pale) + GetGValue(pale) + GetBValue(pale), 300);
  EXPECT_EQ(chart.CurrentSeries().SeriesColor(), kCurrentRunColor);

  // Copying the current row gives every digit.
  SelectRow(0);
  lab->CopyClick();
  const std::string copied = QApplication::clipboard()->text().toStdString();
  const std::string header = copied.substr(0, copied.find('\n'));
  EXPECT_EQ(header.rfind(
                "Run\tFeedback coefficient, Vs/rad\tStatic error, %\tOvershoot, % measured\t", 0),
            0u)
      << header;
  std::string overshoot;
  AppendReal(overshoot, *second.Measured.OvershootPct);
  std::replace(overshoot.begin(), overshoot.end(), '.', ',');
  EXPECT_NE(copied.find("Current run\t0,5\t"), std::string::npos) << copied;
  EXPECT_NE(copied.find("\t" + overshoot + "\t"), std::string::npos) << copied;
  EXPECT_EQ(std::count(copied.begin(), copied.end(), '\n'), 2);

  // Remove the first kept run: the second stays. The current row is not
  // removed.
  SelectRow(1);
  lab->RemoveButton()->click();
  ASSERT_EQ(lab->Runs().Count(), 1);
  EXPECT_EQ(lab->Runs().Kept()[0].Name, "Run 2");
  EXPECT_EQ(chart.KeptCount(), 1);
  SelectRow(0);
  lab->RemoveButton()->click();
  EXPECT_EQ(lab->Runs().Count(), 1);
  // No column for the feedback coefficient once every run has the same.
  for (int c = 0; c < lab->Table()->columnCount(); ++c) {
    EXPECT_NE(lab->Table()->horizontalHeaderItem(c)->text().toStdString(),
              "Feedback coefficient, Vs/rad");
  }
  lab->ClearButton()->click();
  EXPECT_EQ(lab->Runs().Count(), 0);
  EXPECT_EQ(chart.KeptCount(), 0);
  EXPECT_EQ(lab->Table()->rowCount(), 1);
  EXPECT_FALSE(lab->ClearButton()->isEnabled());
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(LabWindowTest, ARunWhoseInputsChangedSaysWhereAndKeepsTheResponseUpToThere) {
  lab = &OpenLab();
  EnterSetpoint(150);
  Process();
  Tick(50);
  // The setpoint raised while running.
  EnterSetpoint(160);
  Tick(40);
  EXPECT_EQ(Cell(0, "Status"), "settled, inputs changed at t = 0,050 s");
  EXPECT_EQ(lab->CurrentRow()->Result.Measured, RunDrive(Inputs(1, 150), 50).Measured);
  EXPECT_EQ(lab->ResponseChart().CurrentSeries().PointCount(), 51);
  lab->KeepButton()->click();
  ASSERT_EQ(lab->Runs().Count(), 1);
  EXPECT_EQ(lab->Runs().Kept()[0].Curve.size(), 51u);
  EXPECT_EQ(Cell(1, "Status"), "settled, inputs changed at t = 0,050 s");

  // With the setpoint at 0 nothing moves: raising it then starts the run
  // there.
  Reset();
  EnterSetpoint(0);
  Process();
  Tick(20);
  EXPECT_EQ(Cell(0, "Status"), "no response");
  EnterSetpoint(100);
  Tick(200);
  EXPECT_EQ(Cell(0, "Status"), "settled");
  EXPECT_EQ(lab->CurrentRow()->Result.Measured, RunDrive(Inputs(1, 100), 200).Measured);

  // A diverging run: the tick's box, and the row says when.
  Reset();
  form->Edit7->SetText("-1000");
  EnterSetpoint(10);
  Process();
  Tick(5000);
  ASSERT_EQ(boxes.Texts(), std::vector<std::string>{"Floating point overflow."});
  const std::string status = Cell(0, "Status");
  EXPECT_EQ(status.rfind("diverged, at t = ", 0), 0u) << status;
  EXPECT_NE(status.find(" s: Floating point overflow"), std::string::npos) << status;
}

TEST_F(LabWindowTest, TheTableAndTheChartsAreSavedAndReadBack) {
  lab = &OpenLab();
  EnterSetpoint(120);
  Process();
  Tick(80);
  lab->KeepButton()->click();
  Tick(40);

  dialogs.Answers = {File("figures"), File("charts")};
  lab->SaveTableButton()->click();
  lab->SaveChartsButton()->click();
  ASSERT_TRUE(boxes.boxes.empty()) << boxes.boxes[0].text;
  EXPECT_EQ(Read(File("figures.csv")), lab->TableCsv());
  const std::string csv = Read(File("figures.csv"));
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3);

  const QImage charts(QString::fromStdString(File("charts.png")));
  TBitmap expected;
  lab->DrawCharts(expected);
  ASSERT_EQ(charts.size(), QSize(expected.Width(), expected.Height()));
  EXPECT_EQ(charts.width(), lab->ResponseChart().Chart().Width());
  int differing = 0;
  for (int y = 0; y < charts.height(); ++y) {
    for (int x = 0; x < charts.width(); ++x) {
      const TColor c = expected.Pixel(x, y);
      differing += charts.pixel(x, y) != qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
    }
  }
  EXPECT_EQ(differing, 0);

  // A file that cannot be written: one box, nothing there.
  dialogs.Answers = {File("missing/figures.csv")};
  lab->SaveTableButton()->click();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_NE(boxes.boxes[0].text.find("Cannot create file"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(File("missing")));
}

TEST_F(LabWindowTest, SavedChartsCarryTheInputsInACaptionUnderThem) {
  TLabWindow& lab = OpenLab();
  form->Edit1->SetText("12");
  EnterSetpoint(100);
  Process();
  Tick(30);
  TBitmap picture;
  lab.DrawCharts(picture);
  TBitmap response;
  RenderChart(lab.ResponseChart().Chart(), response);
  // The charts, then a band under them.
  ASSERT_EQ(picture.Width(), response.Width());
  ASSERT_GT(picture.Height(), response.Height() + 16);
  // The band is white but for its lines of text, inside its margins.
  int inked = 0;
  for (int y = response.Height(); y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const bool margin = y < response.Height() + 8 || y >= picture.Height() - 8 || x < 8;
      if (margin) {
        EXPECT_EQ(picture.Pixel(x, y), clWhite) << x << "," << y;
      }
      inked += picture.Pixel(x, y) != clWhite;
    }
  }
  EXPECT_GT(inked, 0);
  // A narrower chart wraps the caption into more lines: a taller band.
  const int band = picture.Height() - response.Height();
  lab.ResponseChart().SetBounds(0, 0, 300, 200);
  TBitmap narrow;
  lab.DrawCharts(narrow);
  EXPECT_EQ(narrow.Width(), 300);
  EXPECT_GT(narrow.Height() - 200, band);
}

}  // namespace
}  // namespace drivesim

// The quality-of-regulation window on the real main window: the live row
// and curve of the current run against the library's run of the same
// inputs, keeping, removing and clearing runs, the table's columns and
// texts, copying, and saving the table and the charts.
#include <QClipboard>
#include <QImage>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableWidget>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "analysis/FiguresCsv.h"
#include "analysis/PrintChart.h"
#include "analysis/RunResult.h"
#include "chart/ChartPalette.h"
#include "chart/Series.h"
#include "chart/ZoomPanning.h"
#include "lab/LabFixture.h"
#include "lab/LabResponseChart.h"
#include "platform/Graphics.h"

namespace drivesim {
namespace {

class LabWindowTest : public LabFixture {
 protected:
  static std::string Fixed2(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text(buffer);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
  }
  // A key figure's cell, "measured / theory", in its two parts.
  std::string Measured(int row, const std::string& name) {
    const std::string cell = Cell(row, name + " meas. / theory");
    return cell.substr(0, cell.find(" / "));
  }
  std::string Theory(int row, const std::string& name) {
    const std::string cell = Cell(row, name + " meas. / theory");
    const std::size_t slash = cell.find(" / ");
    return slash == std::string::npos ? "no theory" : cell.substr(slash + 3);
  }
  std::string Cell(int row, const std::string& header) {
    QTableWidget* table = lab->Table();
    for (int c = 0; c < table->columnCount(); ++c) {
      // A header's lines read as one.
      if (table->horizontalHeaderItem(c)->text().replace('\n', ' ').toStdString() == header) {
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
  EXPECT_EQ(Measured(0, "Rise time, ms"), "\u2014");
  EXPECT_EQ(Measured(0, "Overshoot, %"), "0,00");
  EXPECT_EQ(Theory(0, "Overshoot, %"), "4,65");
  Tick(190);

  const RunResult expected = RunDrive(Inputs(1, 100), 200);
  ASSERT_NE(lab->CurrentRow(), nullptr);
  EXPECT_EQ(lab->CurrentRow()->Result.Measured, expected.Measured);
  EXPECT_EQ(lab->CurrentRow()->Result.ClosedForm, expected.ClosedForm);
  std::string csv = FiguresCsvHeader();
  AppendFiguresRow(csv, 1, std::nullopt, expected);
  EXPECT_EQ(WithoutLabels(lab->TableCsv()), csv);

  // On screen: milliseconds and percentages to two decimals with the
  // locale's separator.
  EXPECT_EQ(Measured(0, "Overshoot, %"), "4,65");
  EXPECT_EQ(Measured(0, "Peak time, ms"), "34,76");
  EXPECT_EQ(Measured(0, "Rise time, ms"), "16,80");
  EXPECT_EQ(Measured(0, "Settling 2 %, ms"), "47,35");
  EXPECT_EQ(Measured(0, "Static error, %"), "10,26");
  // The closed form's static error, against the loop's final value.
  const double theoryError = 100 * (100 - *expected.FinalValue) / 100;
  EXPECT_EQ(Theory(0, "Static error, %"),
            (theoryError < 0 ? "\u2212" : "") + Fixed2(std::abs(theoryError)));
  EXPECT_EQ(Cell(0, "Crossings"), "1");
  EXPECT_EQ(Cell(0, "Damping ratio"), "0,6987");
  EXPECT_EQ(Cell(0, "Natural freq., rad/s"), "126,30");
  // The label, the status and the key figures come first, in that order.
  QTableWidget* table = lab->Table();
  ASSERT_GE(table->columnCount(), 7);
  EXPECT_EQ(table->horizontalHeaderItem(1)->text().toStdString(), "Status");
  EXPECT_EQ(table->horizontalHeaderItem(2)->text().toStdString(), "Overshoot, %\nmeas. / theory");
  EXPECT_EQ(table->horizontalHeaderItem(6)->text().toStdString(),
            "Static error, %\nmeas. / theory");
  // At the window's first size the label, the status and the key figures
  // fit the table's width, with room for a column of inputs that differ.
  int keyWidth = 0;
  for (int c = 0; c <= 6; ++c) keyWidth += table->columnWidth(c);
  EXPECT_LE(keyWidth + 130, table->viewport()->width()) << keyWidth;
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
  EXPECT_EQ(WithoutLabels(lab->TableCsv()), FiguresCsvHeader());
  EXPECT_TRUE(boxes.boxes.empty());
}

// Gain 1e40 and "Process": the loop is very lightly damped; its figures are
// found at once and the window goes on, and Exit works.
TEST_F(LabWindowTest, AVeryLightlyDampedLoopDoesNotHoldTheWindow) {
  lab = &OpenLab();
  EnterSetpoint(100);
  form->Edit1->SetText("1e40");
  {
    const Watchdog watchdog("\"Process\" with gain 1e40", std::chrono::seconds(60));
    Process();
    Tick(5);
  }
  DriveInputs inputs;
  inputs.AmpGain = 1e40;
  const RunResult expected = RunDrive(inputs, 1, {.KeepSamples = false, .KeepTicks = false});
  ASSERT_NE(lab->CurrentRow(), nullptr);
  EXPECT_EQ(lab->CurrentRow()->Result.ClosedForm, expected.ClosedForm);
  ASSERT_TRUE(expected.ClosedForm.Settling2Pct);
  EXPECT_NEAR(*expected.ClosedForm.Settling2Pct * expected.Record.Coefficients.CoefAccel / 2,
              std::log(50.0), 1e-3);
  // The diverging model says so once, and the window still answers.
  EXPECT_LE(boxes.boxes.size(), 1u);
  EnterSetpoint(50);
  form->Edit1->SetText("10");
  Process();
  Tick(3);
  EXPECT_TRUE(form->Running());
  {
    const Watchdog watchdog("Exit", std::chrono::seconds(60));
    form->Button1Click();
  }
  EXPECT_FALSE(form->Visible());
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
  // Named by the input they differ in, k for the feedback coefficient.
  EXPECT_EQ(Cell(1, "Run"), "k = 1");
  EXPECT_EQ(Cell(2, "Run"), "k = 0,5");
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
  std::vector<std::string> labels;
  EXPECT_EQ(WithoutLabels(lab->TableCsv(), &labels), csv);
  EXPECT_EQ(labels, (std::vector<std::string>{"Current run", "k = 1", "k = 0,5"}));

  // The chart: each kept curve thin in the first free colour of the
  // qualitative palette, the current one thicker and darker.
  LabResponseChart& chart = lab->ResponseChart();
  ASSERT_EQ(chart.KeptCount(), 2);
  EXPECT_EQ(chart.KeptSeries(0).PointCount(), 151);
  EXPECT_EQ(chart.KeptSeries(0).Title(), "k = 1");
  EXPECT_EQ(chart.KeptSeries(1).Title(), "k = 0,5");
  EXPECT_EQ(chart.KeptSeries(0).SeriesColor(), QualitativeColor(0));
  EXPECT_EQ(chart.KeptSeries(1).SeriesColor(), QualitativeColor(1));
  EXPECT_EQ(chart.CurrentSeries().SeriesColor(), kCurrentRunColor);
  EXPECT_GT(chart.CurrentSeries().LinePen().Width(), chart.KeptSeries(0).LinePen().Width());
  const TLabColor current = ColorToLab(kCurrentRunColor);
  for (int i = 0; i < 2; ++i) EXPECT_LT(current.L, ColorToLab(chart.KeptSeries(i).SeriesColor()).L);

  // Copying the current row gives every digit.
  SelectRow(0);
  lab->CopyClick();
  const std::string copied = QApplication::clipboard()->text().toStdString();
  const std::string header = copied.substr(0, copied.find('\n'));
  EXPECT_EQ(
      header.rfind("Run\tFeedback coefficient, Vs/rad\tStatus\tOvershoot, % measured\tOvershoot, % "
                   "theory\tPeak time, ms measured\t",
                   0),
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
  // Alone, it is named by its feedback coefficient and keeps its colour;
  // the next kept run takes the colour set free.
  EXPECT_EQ(lab->Runs().Kept()[0].Name, "k = 0,5");
  EXPECT_EQ(chart.KeptCount(), 1);
  EXPECT_EQ(chart.KeptSeries(0).SeriesColor(), QualitativeColor(1));
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

// Three runs kept, each in its own colour; keeping a fourth, removing one
// and keeping another changes no kept run's colour, and a new run takes the
// first colour set free.
TEST_F(LabWindowTest, AKeptRunKeepsItsColourUntilItIsRemoved) {
  lab = &OpenLab();
  EnterSetpoint(100);
  const auto keep = [&](const char* feedback) {
    Reset();
    form->Edit7->SetText(feedback);
    Process();
    Tick(40);
    lab->KeepButton()->click();
  };
  keep("0,5");
  keep("1");
  keep("2");
  LabResponseChart& chart = lab->ResponseChart();
  ASSERT_EQ(chart.KeptCount(), 3);
  std::vector<TColor> colours;
  for (int i = 0; i < 3; ++i) colours.push_back(chart.KeptSeries(i).SeriesColor());
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < i; ++j) {
      EXPECT_GT(ColorDistance(colours[i], colours[j]), 20) << i << " " << j;
    }
  }
  keep("3");
  ASSERT_EQ(chart.KeptCount(), 4);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(chart.KeptSeries(i).SeriesColor(), colours[i]) << i;
  EXPECT_EQ(chart.KeptSeries(3).SeriesColor(), QualitativeColor(3));
  EXPECT_EQ(chart.KeptSeries(3).Title(), "k = 3");

  SelectRow(2);  // the run with k = 1
  lab->RemoveButton()->click();
  ASSERT_EQ(chart.KeptCount(), 3);
  EXPECT_EQ(chart.KeptSeries(0).SeriesColor(), colours[0]);
  EXPECT_EQ(chart.KeptSeries(1).SeriesColor(), colours[2]);
  keep("4");
  EXPECT_EQ(chart.KeptSeries(3).SeriesColor(), colours[1]);
  EXPECT_TRUE(boxes.boxes.empty());
}

// Labels name the inputs that differ, k first, the others by name, and
// nothing that all runs share.
TEST(LabRunsTest, LabelsNameWhatDiffers) {
  const char saved = DecimalSeparator();
  SetDecimalSeparator(',');
  DriveInputs a, b, c;
  b.FeedbackCoef = 2;
  b.LoadTeeth = 20;
  c.FeedbackCoef = 0.3;
  EXPECT_EQ(DistinguishingLabels({a, b, c}),
            (std::vector<std::string>{"k = 1, teeth 42", "k = 2, teeth 20", "k = 0,3, teeth 42"}));
  c.LoadTeeth = 20;
  c.AmpGain = 12;
  EXPECT_EQ(DistinguishingLabels({b, c}),
            (std::vector<std::string>{"k = 2, gain 10", "k = 0,3, gain 12"}));
  EXPECT_EQ(DistinguishingLabels({a, a}), (std::vector<std::string>{"k = 1", "k = 1"}));
  EXPECT_TRUE(DistinguishingLabels({}).empty());
  SetDecimalSeparator(saved);
}

// The response chart fits the current run's transient, shades its +-2 %
// band and shows the readout; a zoom the user drags stays while the run
// goes on, and undoing it brings the fitted range back.
TEST_F(LabWindowTest, TheResponseChartFitsTheTransientAndKeepsTheUsersZoom) {
  lab = &OpenLab();
  EnterSetpoint(100);
  Process();
  Tick(400);
  LabResponseChart& response = lab->ResponseChart();
  TChart& chart = response.Chart();
  EXPECT_TRUE(chart.Readout().Visible());
  const double settling = *lab->CurrentRow()->Result.Measured.Settling2Pct;
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), 1.5 * settling);
  EXPECT_LT(chart.BottomAxis().Maximum(), 0.2);  // of a 0.4 s record
  ASSERT_TRUE(response.SettlingBand().Active());
  const double final = *lab->CurrentRow()->Result.FinalValue;
  EXPECT_DOUBLE_EQ(response.SettlingBand().Level(), 0.98 * final);
  EXPECT_DOUBLE_EQ(response.SettlingBand().Level2(), 1.02 * final);

  TBitmap bitmap;
  RenderChart(chart, bitmap);  // lays the plot rectangle out
  // Hidden from the legend, the band stays hidden through the next ticks
  // and the next run, and comes back with a second click.
  int bandRow = -1;
  for (int i = 0; i < chart.Legend().DrawnCount(); ++i) {
    if (&chart.Legend().ItemSeriesAt(i) == &response.SettlingBand()) bandRow = i;
  }
  ASSERT_GE(bandRow, 0);
  const auto clickBandRow = [&] {
    const TRect& row = chart.Legend().ItemRect(bandRow);
    chart.DispatchMouseDown(mbLeft, 0, row.Left + 3, (row.Top + row.Bottom) / 2);
    chart.DispatchMouseUp(mbLeft, 0, row.Left + 3, (row.Top + row.Bottom) / 2);
    RenderChart(chart, bitmap);
  };
  clickBandRow();
  ASSERT_FALSE(response.SettlingBand().Active());
  Tick(5);
  EXPECT_FALSE(response.SettlingBand().Active());
  Process();
  Tick(400);
  RenderChart(chart, bitmap);
  EXPECT_FALSE(response.SettlingBand().Active());
  for (int i = 0; i < chart.Legend().DrawnCount(); ++i) {
    if (&chart.Legend().ItemSeriesAt(i) == &response.SettlingBand()) bandRow = i;
  }
  clickBandRow();
  EXPECT_TRUE(response.SettlingBand().Active());
  const TRect r = chart.PlotRect();
  chart.DispatchMouseDown(kZoomButton, 0, r.Left + 20, r.Top + 20);
  chart.DispatchMouseMove(kZoomButton == mbLeft ? ssLeft : 0, r.Left + 120, r.Top + 120);
  chart.DispatchMouseUp(kZoomButton, 0, r.Left + 120, r.Top + 120);
  ASSERT_TRUE(response.UserView());
  const double zoomedMax = chart.BottomAxis().Maximum();
  EXPECT_LT(zoomedMax, 1.5 * settling);
  Tick(50);
  EXPECT_EQ(chart.BottomAxis().Maximum(), zoomedMax);
  chart.UndoZoom();
  EXPECT_FALSE(response.UserView());
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(),
                   1.5 * *lab->CurrentRow()->Result.Measured.Settling2Pct);
  EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
}  // namespace drivesim

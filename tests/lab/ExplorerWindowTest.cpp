// The explorer window opened from the main window's menu: k from the slider
// by the keyboard, from its number box and from a dragged pole, the figures
// and the design answer following, "Run on the drive" and "Keep".
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <cmath>
#include <string>

#include "analysis/ClosedForm.h"
#include "analysis/ExplorerState.h"
#include "analysis/ExplorerStepChart.h"
#include "analysis/LoopPoles.h"
#include "analysis/PoleMapChart.h"
#include "chart/Chart.h"
#include "chart/PointSeries.h"
#include "lab/ExplorerFigures.h"
#include "lab/ExplorerWindow.h"
#include "lab/LabFixture.h"
#include "sim/DriveModel.h"

namespace drivesim {
namespace {

class ExplorerWindowTest : public LabFixture {
 protected:
  TExplorerWindow& OpenExplorer() {
    form->ExploreFeedback1->Click();
    TExplorerWindow* explorer = form->ExplorerWindow();
    EXPECT_NE(explorer, nullptr);
    return *explorer;
  }

  // The table's cell of the row whose figure starts with name.
  static std::string Cell(const TExplorerWindow& explorer, const std::string& name, int column) {
    QTableWidget* table = explorer.Table();
    for (int r = 0; r < table->rowCount(); ++r) {
      if (table->item(r, 0)->text().toStdString().rfind(name, 0) == 0) {
        return table->item(r, column)->text().toStdString();
      }
    }
    ADD_FAILURE() << "no row " << name;
    return {};
  }
};

TEST_F(ExplorerWindowTest, StartsFromTheMainWindowAndFollowsTheSliderKeys) {
  form->Edit7->SetText("0,5");
  TExplorerWindow& explorer = OpenExplorer();
  EXPECT_EQ(explorer.State().Feedback(), 0.5);
  // The main window starts with a setpoint of 0; the explorer steps to
  // 100 rad/s then, so that there is a response to see.
  EXPECT_EQ(explorer.State().Inputs().Setpoint, kExplorerStepSetpoint);
  EXPECT_EQ(explorer.SetpointBox()->value(), kExplorerStepSetpoint);
  EXPECT_EQ(explorer.FeedbackBox()->text().toStdString(), "0,5");
  EXPECT_EQ(explorer.Slider()->value(), explorer.SliderPosition(0.5));

  // Arrow keys step k by a thousandth of the range, Page keys by a
  // twentieth; the box, the figures and the marked poles follow at once.
  explorer.Slider()->setFocus();
  QTest::keyClick(explorer.Slider(), Qt::Key_Right);
  const double oneStep = explorer.State().Feedback();
  EXPECT_NEAR(oneStep, 0.5 + 5.0 / kExplorerSliderSteps, 1e-12);
  QTest::keyClick(explorer.Slider(), Qt::Key_PageUp);
  const double k = explorer.State().Feedback();
  EXPECT_NEAR(k, oneStep + 5.0 / 20, 1e-12);

  const ExplorerFigures& figures = explorer.State().Figures();
  ASSERT_TRUE(figures.Valid);
  EXPECT_EQ(figures.Transfer.Feedback, k);
  EXPECT_EQ(Cell(explorer, "Damping ratio", 1), FigureText(figures.Poles.DampingRatio, ','));
  TPointSeries& poles = explorer.PoleMap().Poles();
  ASSERT_EQ(poles.PointCount(), 2);
  EXPECT_NEAR(poles.XValueAt(0), figures.Poles.Poles.Pole1.real(), 1e-9);
  EXPECT_NEAR(poles.YValueAt(0), figures.Poles.Poles.Pole1.imag(), 1e-9);
  EXPECT_NEAR(poles.YValueAt(1), figures.Poles.Poles.Pole2.imag(), 1e-9);
  // The measured overshoot stands beside the closed form's.
  EXPECT_FALSE(Cell(explorer, "Overshoot", 1).empty());
  EXPECT_FALSE(Cell(explorer, "Overshoot", 2).empty());
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(ExplorerWindowTest, TargetsGiveTheAnswerOnTheSliderAndInTheTable) {
  TExplorerWindow& explorer = OpenExplorer();
  EXPECT_EQ(explorer.AnswerText(), "Switch on a design target to see which k meet it.");
  explorer.TargetBox(TargetKind::Overshoot)->setText("5");
  explorer.TargetCheck(TargetKind::Overshoot)->setChecked(true);
  explorer.TargetBox(TargetKind::Error)->setText("40");
  explorer.TargetCheck(TargetKind::Error)->setChecked(true);
  const DesignAnswer& answer = explorer.State().Design();
  ASSERT_EQ(explorer.State().Targets().EnabledCount(), 2);
  EXPECT_EQ(explorer.AnswerText(), DesignSentence(answer, ','));
  // At every k the answer names, both targets are met; just outside, one
  // is not.
  for (const FeedbackInterval& interval : answer.Intervals) {
    explorer.FeedbackBox()->setText(QString::number((interval.From + interval.To) / 2));
    explorer.FeedbackEdited();
    EXPECT_EQ(Cell(explorer, "Overshoot", 3), "met");
    EXPECT_EQ(Cell(explorer, "Error at the comparator", 3), "met");
  }
  ASSERT_FALSE(answer.Intervals.empty());
  const double outside = answer.Intervals.back().To * 1.05;
  if (outside < explorer.State().RangeTo()) {
    explorer.FeedbackBox()->setText(QString::number(outside).replace('.', ','));
    explorer.FeedbackEdited();
    EXPECT_EQ(Cell(explorer, "Overshoot", 3), "not met");
  }
  // A box that is no number is refused in words and changes nothing.
  const double before = explorer.State().Feedback();
  explorer.FeedbackBox()->setText("zwei");
  RunGuarded([&] { explorer.FeedbackEdited(); });
  ASSERT_EQ(boxes.Texts().size(), 1u);
  EXPECT_NE(boxes.Texts()[0].find("'zwei'"), std::string::npos);
  EXPECT_EQ(explorer.State().Feedback(), before);
}

TEST_F(ExplorerWindowTest, DraggingAPoleAlongTheLocusSetsK) {
  TExplorerWindow& explorer = OpenExplorer();
  explorer.FeedbackBox()->setText("2");
  explorer.FeedbackEdited();
  TChart& chart = explorer.PoleMap().Chart();
  // The chart as its host shows it, painted at the host's size.
  QApplication::processEvents();
  chart.Update();
  auto* widget = static_cast<QWidget*>(chart.Widget());
  ASSERT_NE(widget, nullptr);
  // The upper pole's pixel, then a drag straight up by 30 pixels: the pair
  // parts further along the vertical line, so k grows.
  const std::complex<double> pole = explorer.State().Figures().Poles.Poles.Pole1;
  const int x = chart.BottomAxis().ValueToPixel(pole.real());
  const int y = chart.LeftAxis().ValueToPixel(pole.imag());
  const double omega = chart.LeftAxis().PixelToValue(y - 30);
  QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(x, y));
  QTest::mouseMove(widget, QPoint(x, y - 30));
  QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(x, y - 30));
  const double expected = FeedbackForPolePosition(explorer.State(), pole.real(), omega);
  EXPECT_GT(explorer.State().Feedback(), 2.0);
  EXPECT_NEAR(explorer.State().Feedback(), expected, 1e-9 * expected);
  EXPECT_NEAR(explorer.State().Figures().Poles.Poles.Pole1.imag(), omega, 1e-6 * omega);
  EXPECT_EQ(explorer.Slider()->value(), explorer.SliderPosition(explorer.State().Feedback()));
}

// The charts as the window first shows them are laid out as they stay: k
// moved away and back leaves the pole map's plot where it was, so that a
// pole does not jump sideways under the mouse at the first drag.
TEST_F(ExplorerWindowTest, ChartsShowAtOnceTheLayoutTheyKeep) {
  TExplorerWindow& explorer = OpenExplorer();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(explorer.Widget()));
  QApplication::processEvents();
  TChart& poles = explorer.PoleMap().Chart();
  TChart& step = explorer.StepChart().Chart();
  for (TChart* chart : {&poles, &step}) chart->Update();
  const TRect polesPlot = poles.PlotRect();
  const TRect stepPlot = step.PlotRect();
  const double k = explorer.State().Feedback();
  explorer.State().SetFeedback(k + 0.25);
  QApplication::processEvents();
  explorer.State().SetFeedback(k);
  QApplication::processEvents();
  for (TChart* chart : {&poles, &step}) chart->Update();
  EXPECT_EQ(poles.PlotRect(), polesPlot);
  EXPECT_EQ(step.PlotRect(), stepPlot);
}

TEST_F(ExplorerWindowTest, RunOnTheDriveStartsTheMainWindowFromRestAndKeepGoesToTheLab) {
  EnterSetpoint(150);
  Process();
  Tick(5);
  TExplorerWindow& explorer = OpenExplorer();
  explorer.FeedbackBox()->setText("1,75");
  explorer.FeedbackEdited();
  explorer.RunOnDriveButton()->click();
  EXPECT_EQ(form->Edit7->Text(), "1,75");
  EXPECT_EQ(form->SpinEdit2->Text(), "150");
  EXPECT_TRUE(form->Running());
  EXPECT_EQ(model.FeedbackCoef, 1.75);
  // From rest: nothing has turned since "Process".
  EXPECT_EQ(model.State[0], 0.0);
  EXPECT_EQ(model.State[1], 0.0);
  EXPECT_EQ(form->Run().Current().TickCount(), 0);

  explorer.KeepButton()->click();
  ASSERT_NE(form->LabWindow(), nullptr);
  const LabRuns& runs = form->LabWindow()->Runs();
  ASSERT_EQ(runs.Count(), 1);
  EXPECT_EQ(runs.Kept()[0].Result.Record.Inputs, explorer.State().Inputs());
  EXPECT_EQ(runs.Kept()[0].Result.ClosedForm, explorer.State().Figures().ClosedForm);
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST(ExplorerFiguresTest, NumbersWithEitherSeparatorAndRowsOfAnUnstableLoop) {
  const char saved = DecimalSeparator();
  SetDecimalSeparator(',');
  double value = 0;
  EXPECT_TRUE(ReadExplorerNumber("0,25", value));
  EXPECT_EQ(value, 0.25);
  EXPECT_TRUE(ReadExplorerNumber(" 0.5 ", value));
  EXPECT_EQ(value, 0.5);
  EXPECT_TRUE(ReadExplorerNumber("-1e-3", value));
  EXPECT_EQ(value, -0.001);
  for (const char* bad : {"", "abc", "1,2,3", "inf", "nan", "1e999"}) {
    EXPECT_FALSE(ReadExplorerNumber(bad, value)) << bad;
  }
  SetDecimalSeparator(saved);

  // A negative k past the stability boundary: a pole in the right
  // half-plane, and no step figures to show.
  DriveInputs in;
  ExplorerState state(in, -5, 5);
  const FeedbackLoop loop(in);
  ASSERT_TRUE(loop.BoundaryFeedback());
  state.SetFeedback(*loop.BoundaryFeedback() * 2 - 0.5);
  const std::vector<ExplorerFigureRow> rows = ExplorerFigureRows(state);
  ASSERT_FALSE(rows.empty());
  EXPECT_GT(state.Figures().Poles.Poles.Pole1.real(), 0);
  for (const ExplorerFigureRow& row : rows) {
    if (row.Name.rfind("Overshoot", 0) == 0 || row.Name.rfind("Settling", 0) == 0) {
      EXPECT_TRUE(row.ClosedForm.empty()) << row.Name;
    }
    EXPECT_FALSE(row.Tooltip.empty()) << row.Name;
  }
}

}  // namespace
}  // namespace drivesim

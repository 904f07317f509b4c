// Zooming, undoing, panning and the wheel on the real chart widget: the
// oscilloscope's chart (353 x 169, left axis fixed to 0..300, bottom axis
// following the simulated time) inside a shown window, driven with Qt Test
// mouse events and simulation ticks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPoint>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <cmath>
#include <ostream>
#include <vector>

#include "BitmapPixels.h"
#include "chart/Chart.h"
#include "chart/Series.h"
#include "platform/Graphics.h"
#include "sim/SimulationRig.h"
#include "sim/TimeHistory.h"

namespace drivesim {
namespace {

struct Scale {
  bool Automatic, AutomaticMinimum, AutomaticMaximum;
  double Minimum, Maximum;
  friend bool operator==(const Scale&, const Scale&) = default;
};
void PrintTo(const Scale& s, std::ostream* os) {
  *os << "{" << s.Automatic << s.AutomaticMinimum << s.AutomaticMaximum << " " << s.Minimum << ".."
      << s.Maximum << "}";
}
Scale ScaleOf(const TCustomChartAxis& a) {
  return {a.Automatic(), a.AutomaticMinimum(), a.AutomaticMaximum(), a.Minimum(), a.Maximum()};
}

class ZoomPanningTest : public ::testing::Test {
 protected:
  QWidget window;
  TChart chart;
  TLineSeries velocity;
  TLineSeries setpoint;
  SimulationRig sim;
  QWidget* widget = nullptr;
  int zooms = 0, undos = 0, scrolls = 0;

  void SetUp() override {
    chart.SetBounds(0, 0, 353, 169);
    chart.BackWall().Brush().SetColor(clWhite);
    chart.BackWall().SetColor(clBlack);
    chart.Gradient().SetEndColor(clSilver);
    chart.Gradient().SetVisible(true);
    for (int i = 0; i < 4; ++i) chart.SetMargin(i, 2);
    chart.Title().Font().SetName("Arial");
    chart.Title().Font().SetHeight(-13);
    chart.Title().Font().SetStyle(fsBold);
    chart.Title().SetText({"Oscilloscope"});
    chart.Legend().SetVisible(false);
    chart.SetView3D(false);
    chart.LeftAxis().SetAutomatic(false);
    chart.LeftAxis().SetMaximum(300);
    chart.LeftAxis().SetMinimum(0);
    velocity.SetParentChart(&chart);
    setpoint.SetParentChart(&chart);
    chart.OnZoom = [this](TCustomChartPanel&) { ++zooms; };
    chart.OnUndoZoom = [this](TCustomChartPanel&) { ++undos; };
    chart.OnScroll = [this](TCustomChartPanel&) { ++scrolls; };

    sim.Process();
    Ticks(150);

    window.resize(400, 200);
    widget = static_cast<QWidget*>(chart.CreateWidget(&window));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Settle();
    for (QPoint p : {QPoint(100, 50), QPoint(117, 67), QPoint(116, 80), QPoint(200, 120),
                     QPoint(150, 70), QPoint(150, 140), QPoint(250, 70)}) {
      ASSERT_EQ(chart.FindClickedPart(p.x(), p.y()).Part, partChartRect) << p.x() << "," << p.y();
    }
  }

  // Runs the events that are due and the paint that is pending.
  void Settle() {
    QCoreApplication::processEvents();
    chart.Update();
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) {
      sim.Tick(velocity, setpoint);
      if (widget) Settle();
    }
  }
  void Press(Qt::MouseButton b, int x, int y) { QTest::mousePress(widget, b, {}, QPoint(x, y)); }
  void Move(int x, int y) { QTest::mouseMove(widget, QPoint(x, y)); }
  void Release(Qt::MouseButton b, int x, int y) {
    QTest::mouseRelease(widget, b, {}, QPoint(x, y));
  }
  void Drag(Qt::MouseButton b, int x0, int y0, int x1, int y1) {
    Press(b, x0, y0);
    Move((x0 + x1) / 2, (y0 + y1) / 2);
    Move(x1, y1);
    Release(b, x1, y1);
    Settle();
  }
  void Wheel(int angle) {
    QWheelEvent e(QPointF(150, 80), QPointF(widget->mapToGlobal(QPoint(150, 80))), QPoint(),
                  QPoint(0, angle), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &e);
    Settle();
  }
  std::vector<Scale> Scales() {
    return {ScaleOf(chart.TopAxis()), ScaleOf(chart.LeftAxis()), ScaleOf(chart.RightAxis()),
            ScaleOf(chart.BottomAxis())};
  }
  void ExpectUnzoomed() {
    EXPECT_EQ(ScaleOf(chart.LeftAxis()), (Scale{false, false, false, 0, 300}));
    EXPECT_TRUE(chart.BottomAxis().Automatic());
    EXPECT_TRUE(chart.BottomAxis().AutomaticMinimum());
    EXPECT_TRUE(chart.BottomAxis().AutomaticMaximum());
    // Following the sliding time again: the newest sample ends the axis.
    EXPECT_EQ(chart.BottomAxis().Maximum(), velocity.XValueAt(HistoryLength - 1));
    EXPECT_TRUE(chart.ScalesRestored());
    EXPECT_FALSE(chart.ZoomedIn());
  }
};

TEST_F(ZoomPanningTest, ReleaseRuleZoomsRightAndDownAndUndoesEveryOtherWay) {
  const TChartAxis& bottom = chart.BottomAxis();
  const TChartAxis& left = chart.LeftAxis();
  const double x100 = bottom.PixelToValue(100), x117 = bottom.PixelToValue(117);
  const double y50 = left.PixelToValue(50), y67 = left.PixelToValue(67);
  const double t100 = chart.TopAxis().PixelToValue(100), r67 = chart.RightAxis().PixelToValue(67);

  // 16 pixels down is not more than 16: nothing.
  const std::vector<Scale> before = Scales();
  Drag(Qt::LeftButton, 100, 50, 116, 80);
  EXPECT_EQ(Scales(), before);
  EXPECT_EQ(zooms + undos, 0);

  for (QPoint release : {QPoint(150, 70), QPoint(150, 140), QPoint(250, 70)}) {
    Drag(Qt::LeftButton, 100, 50, 117, 67);
    EXPECT_TRUE(chart.ZoomedIn());
    EXPECT_FALSE(chart.ScalesRestored());
    EXPECT_DOUBLE_EQ(bottom.Minimum(), x100);
    EXPECT_DOUBLE_EQ(bottom.Maximum(), x117);
    EXPECT_DOUBLE_EQ(left.Minimum(), y67);  // the lower edge
    EXPECT_DOUBLE_EQ(left.Maximum(), y50);
    EXPECT_FALSE(bottom.Automatic() || bottom.AutomaticMinimum() || bottom.AutomaticMaximum());
    // The top and right axes, unused and hidden, are zoomed too.
    EXPECT_DOUBLE_EQ(chart.TopAxis().Minimum(), t100);
    EXPECT_DOUBLE_EQ(chart.RightAxis().Minimum(), r67);
    EXPECT_FALSE(chart.RightAxis().Automatic());

    Drag(Qt::LeftButton, 200, 120, release.x(), release.y());
    ExpectUnzoomed();
  }
  EXPECT_EQ(zooms, 3);
  EXPECT_EQ(undos, 3);
}

TEST_F(ZoomPanningTest, UndoReturnsToTheScalesFromBeforeTheFirstZoom) {
  const std::vector<Scale> unzoomed = Scales();
  Drag(Qt::LeftButton, 100, 50, 117, 67);
  Drag(Qt::LeftButton, 60, 40, 300, 140);
  EXPECT_EQ(zooms, 2);
  Drag(Qt::LeftButton, 200, 120, 150, 70);
  ExpectUnzoomed();
  EXPECT_EQ(ScaleOf(chart.TopAxis()), unzoomed[0]);
  EXPECT_EQ(ScaleOf(chart.LeftAxis()), unzoomed[1]);
  EXPECT_EQ(ScaleOf(chart.RightAxis()), unzoomed[2]);

  // An undo without any zoom fires its event and repaints, and moves nothing.
  const std::vector<Scale> before = Scales();
  Press(Qt::LeftButton, 200, 120);
  Move(150, 70);
  Release(Qt::LeftButton, 150, 70);
  EXPECT_EQ(undos, 2);
  EXPECT_TRUE(chart.PaintPending());
  EXPECT_TRUE(chart.ChartCanvas().IsDirty());
  Settle();
  EXPECT_EQ(Scales(), before);

  // An axis that followed its data at one end only comes back that way.
  chart.BottomAxis().SetAutomaticMaximum(false);
  chart.BottomAxis().SetMaximum(0.05);
  Settle();
  const Scale halfAutomatic = ScaleOf(chart.BottomAxis());
  ASSERT_TRUE(halfAutomatic.AutomaticMinimum && !halfAutomatic.Automatic);
  Drag(Qt::LeftButton, 100, 50, 117, 67);
  chart.UndoZoom();
  EXPECT_EQ(ScaleOf(chart.BottomAxis()), halfAutomatic);
}

TEST_F(ZoomPanningTest, WhereALeftPressStartsAZoom) {
  const auto startsZoom = [this](int x, int y) {
    Press(Qt::LeftButton, x, y);
    const bool active = chart.Zoom().IsActive;
    Release(Qt::LeftButton, x, y);
    return active;
  };
  const TRect title = chart.Title().TitleBox();
  ASSERT_FALSE(title.IsEmpty());
  EXPECT_FALSE(startsZoom((title.Left + title.Right) / 2, (title.Top + title.Bottom) / 2));
  EXPECT_FALSE(startsZoom(3, 80));                    // left margin
  EXPECT_FALSE(startsZoom(200, chart.Height() - 2));  // below the time labels
  const TChartAxis& left = chart.LeftAxis();
  const int mid = (chart.PlotRect().Top + chart.PlotRect().Bottom) / 2;
  EXPECT_TRUE(startsZoom(left.AxisLinePos(), mid));
  // The axis' band reaches from its line to the edge of its labels.
  EXPECT_TRUE(startsZoom(left.LabelsPos(), mid));
  EXPECT_TRUE(startsZoom(200, chart.BottomAxis().LabelsPos() - 1));

  // A click handler keeps the press unless it hands it back.
  std::vector<TCustomChartAxis*> clicked;
  chart.OnClickAxis = [&](TCustomChart&, TCustomChartAxis& axis, TMouseButton, TShiftState, int,
                          int) { clicked.push_back(&axis); };
  EXPECT_FALSE(startsZoom(left.AxisLinePos(), mid));
  chart.OnClickAxis = [&](TCustomChart& c, TCustomChartAxis& axis, TMouseButton, TShiftState, int,
                          int) {
    clicked.push_back(&axis);
    c.SetMouseHandled(false);
  };
  EXPECT_TRUE(startsZoom(left.AxisLinePos(), mid));
  EXPECT_EQ(clicked, (std::vector<TCustomChartAxis*>{&chart.LeftAxis(), &chart.LeftAxis()}));

  // A trace: the series' own click keeps the press, then the chart's.
  const int i = setpoint.LastVisible() - 30;
  const int px = setpoint.PointScreenX(i), py = setpoint.PointScreenY(i);
  ASSERT_EQ(chart.FindClickedPart(px, py).ASeries, &setpoint);
  EXPECT_TRUE(startsZoom(px, py));
  int seriesClicks = 0;
  setpoint.OnClick = [&](TChartSeries&, int, TMouseButton, TShiftState, int, int) {
    ++seriesClicks;
  };
  EXPECT_FALSE(startsZoom(px, py));
  EXPECT_EQ(seriesClicks, 1);

  // An OnMouseDown handler that sets MouseHandled keeps the chart out of
  // that press only.
  chart.OnMouseDown = [this](TMouseButton, TShiftState, int, int) { chart.SetMouseHandled(true); };
  EXPECT_FALSE(startsZoom(200, 120));
  chart.OnMouseDown = nullptr;
  EXPECT_TRUE(startsZoom(200, 120));

  // The background click fires once per press, also when the handler hands
  // the press back and no zoom takes it.
  int backgroundClicks = 0;
  chart.OnClickBackground = [&](TCustomChart& c, TMouseButton, TShiftState, int, int) {
    ++backgroundClicks;
    c.SetMouseHandled(false);
  };
  chart.SetAllowZoom(false);
  EXPECT_FALSE(startsZoom(200, 120));
  EXPECT_EQ(backgroundClicks, 1);
}

TEST_F(ZoomPanningTest, AnimatedZoomShowsEachThirdOfTheWay) {
  chart.SetAnimatedZoom(true);
  std::vector<Scale> pictures;
  chart.OnAfterDraw = [&](TCustomChartPanel&) { pictures.push_back(ScaleOf(chart.LeftAxis())); };
  chart.ZoomToValues(0, 1, -0.1, 0, 120, 210, 0, 1);
  ASSERT_EQ(pictures.size(), 7u);
  EXPECT_DOUBLE_EQ(pictures[0].Minimum, 40);
  EXPECT_DOUBLE_EQ(pictures[0].Maximum, 270);
  EXPECT_DOUBLE_EQ(pictures[1].Minimum, 40 + 80.0 / 3);
  EXPECT_EQ(ScaleOf(chart.LeftAxis()), (Scale{false, false, false, 120, 210}));
  EXPECT_EQ(zooms, 1);
}

TEST_F(ZoomPanningTest, ASeriesCursorShowsOverItsTrace) {
  setpoint.SetCursor(crHandPoint);
  const int i = setpoint.LastVisible() - 30;
  Move(setpoint.PointScreenX(i), setpoint.PointScreenY(i));
  EXPECT_EQ(chart.Cursor(), crHandPoint);
  EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor);
  Move(200, 60);
  EXPECT_EQ(chart.Cursor(), chart.LoadedCursor());
}

TEST_F(ZoomPanningTest, ARightButtonDuringAZoomDragEndsNothing) {
  const double x100 = chart.BottomAxis().PixelToValue(100);
  const double x150 = chart.BottomAxis().PixelToValue(150);
  Press(Qt::LeftButton, 100, 50);
  Move(130, 80);
  Press(Qt::RightButton, 130, 80);
  Move(140, 90);
  Release(Qt::RightButton, 140, 90);
  EXPECT_TRUE(chart.Zoom().IsActive);
  EXPECT_FALSE(chart.Panning().IsActive);
  EXPECT_EQ(scrolls, 0);
  Move(150, 100);
  Release(Qt::LeftButton, 150, 100);
  EXPECT_FALSE(chart.Zoom().IsActive);
  EXPECT_EQ(zooms, 1);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), x100);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), x150);
}

TEST_F(ZoomPanningTest, PanningFollowsThePointerUntilItLeaves) {
  const TChartAxis& bottom = chart.BottomAxis();
  const TChartAxis& left = chart.LeftAxis();
  const Scale b0 = ScaleOf(bottom);
  const double dx = bottom.PixelToValue(200) - bottom.PixelToValue(190);
  const double dy = left.PixelToValue(100) - left.PixelToValue(90);
  Press(Qt::RightButton, 200, 100);
  Move(190, 100);
  // Dragging left moves the view to larger times, only horizontally.
  EXPECT_DOUBLE_EQ(bottom.Minimum(), b0.Minimum + dx);
  EXPECT_DOUBLE_EQ(bottom.Maximum(), b0.Maximum + dx);
  EXPECT_EQ(ScaleOf(left), (Scale{false, false, false, 0, 300}));
  EXPECT_EQ(scrolls, 1);
  EXPECT_FALSE(chart.ScalesRestored());
  Move(190, 90);  // up: the data follows upwards
  EXPECT_LT(dy, 0);
  EXPECT_DOUBLE_EQ(left.Minimum(), dy);
  EXPECT_DOUBLE_EQ(left.Maximum(), 300 + dy);
  EXPECT_EQ(scrolls, 2);

  // Out of the chart rectangle panning stops, and coming back does not
  // resume it.
  Move(chart.PlotRect().Left - 3, 90);
  const std::vector<Scale> stopped = Scales();
  Move(220, 110);
  Move(180, 60);
  EXPECT_EQ(Scales(), stopped);
  EXPECT_EQ(scrolls, 2);
  Release(Qt::RightButton, 180, 60);

  // Leaving the control and any release end it too.
  Settle();
  Press(Qt::RightButton, 200, 100);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(widget, &leave);
  Move(180, 80);
  Release(Qt::RightButton, 180, 80);
  Press(Qt::RightButton, 200, 100);
  Release(Qt::LeftButton, 200, 100);
  Move(180, 80);
  Release(Qt::RightButton, 180, 80);
  EXPECT_EQ(Scales(), stopped);

  // Only the horizontal axes with pmHorizontal; a vetoed axis stays.
  Settle();
  chart.SetAllowPanning(pmHorizontal);
  chart.OnAllowScroll = [this](TCustomChartAxis& axis, double&, double&, bool& allow) {
    if (&axis == &chart.TopAxis()) allow = false;
  };
  const std::vector<Scale> before = Scales();
  Drag(Qt::RightButton, 200, 100, 180, 80);
  const std::vector<Scale> after = Scales();
  EXPECT_EQ(after[0], before[0]);
  EXPECT_EQ(after[1], before[1]);
  EXPECT_EQ(after[2], before[2]);
  EXPECT_GT(after[3].Minimum, before[3].Minimum);

  // The undo returns to the scales from before the first pan step.
  Drag(Qt::LeftButton, 200, 120, 150, 70);
  ExpectUnzoomed();
}

TEST_F(ZoomPanningTest, NoZoomWhenZoomIsNotAllowed) {
  chart.SetAllowZoom(false);
  const std::vector<Scale> before = Scales();
  Press(Qt::LeftButton, 100, 50);
  EXPECT_FALSE(chart.Zoom().IsActive);
  Move(117, 67);
  Release(Qt::LeftButton, 117, 67);
  EXPECT_EQ(Scales(), before);
  EXPECT_EQ(zooms, 0);
}

TEST_F(ZoomPanningTest, WheelScrollsTheVerticalAxesByThreePercent) {
  const TChartAxis& left = chart.LeftAxis();
  const int length = left.AxisLength();
  const int p0 = left.ValueToPixel(150);
  const double right0 = chart.RightAxis().Maximum() - chart.RightAxis().Minimum();
  ASSERT_TRUE(chart.RightAxis().Automatic());
  Wheel(-120);  // one step down: the traces move down
  EXPECT_DOUBLE_EQ(left.Minimum(), 9);
  EXPECT_DOUBLE_EQ(left.Maximum(), 309);
  EXPECT_NEAR(left.ValueToPixel(150) - p0, 0.03 * length, 1);
  EXPECT_FALSE(chart.RightAxis().Automatic() || chart.RightAxis().AutomaticMinimum() ||
               chart.RightAxis().AutomaticMaximum());
  EXPECT_DOUBLE_EQ(chart.RightAxis().Maximum() - chart.RightAxis().Minimum(), right0);
  EXPECT_TRUE(chart.BottomAxis().Automatic());
  Wheel(240);  // two steps up
  EXPECT_DOUBLE_EQ(left.Minimum(), -9);
  EXPECT_NEAR(p0 - left.ValueToPixel(150), 0.03 * length, 1);
  // The wheel saves no scales: an undo has nothing to put back.
  EXPECT_TRUE(chart.ScalesRestored());
  Drag(Qt::LeftButton, 200, 120, 150, 70);
  EXPECT_DOUBLE_EQ(left.Minimum(), -9);
}

TEST_F(ZoomPanningTest, AZoomedWindowStandsStillWhileTheSimulationRuns) {
  Drag(Qt::LeftButton, 60, 40, 250, 140);
  const Scale zoomed = ScaleOf(chart.BottomAxis());
  const int k = (velocity.FirstVisible() + velocity.LastVisible()) / 2;
  const double t = velocity.XValueAt(k);
  const int sx = velocity.PointScreenX(k), sy = velocity.PointScreenY(k);
  Ticks(20);
  EXPECT_EQ(ScaleOf(chart.BottomAxis()), zoomed);
  // The newest samples fall to the right of the window ...
  EXPECT_GT(velocity.XValueAt(HistoryLength - 1), zoomed.Maximum);
  EXPECT_LT(velocity.LastVisible(), HistoryLength - 1);
  // ... and a sample inside it keeps its place on the screen.
  int j = 0;
  while (j < HistoryLength && std::abs(velocity.XValueAt(j) - t) > 1e-9) ++j;
  ASSERT_EQ(j, k - 20);
  EXPECT_NEAR(velocity.PointScreenX(j), sx, 1);
  EXPECT_EQ(velocity.PointScreenY(j), sy);
  Drag(Qt::LeftButton, 200, 120, 150, 70);
  ExpectUnzoomed();
}

TEST_F(ZoomPanningTest, TheBandIsInvertedOutlineAndSurvivesARepaint) {
  const TBitmap& surface = chart.Surface();
  const std::vector<TColor> clean = Pixels(surface);
  const TColor pen = ColorToRGB(chart.Color());
  const int w = surface.Width();
  const auto onOutline = [](int x, int y) {
    return (x >= 100 && x <= 179 && (y == 50 || y == 119)) ||
           (y >= 50 && y <= 119 && (x == 100 || x == 179));
  };
  const auto expectBand = [&] {
    int wrong = 0;
    for (int y = 0; y < surface.Height(); ++y) {
      for (int x = 0; x < w; ++x) {
        const TColor c = clean[static_cast<std::size_t>(y * w + x)];
        const TColor expected = onOutline(x, y) ? ~(pen ^ c) & 0xFFFFFF : c;
        if (surface.Pixel(x, y) != expected) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0);
  };
  Press(Qt::LeftButton, 100, 50);
  Move(140, 90);
  Move(180, 120);
  // Moving the band asks for no repaint of the chart.
  EXPECT_FALSE(chart.PaintPending());
  expectBand();
  // A repaint in the middle of the drag, through the widget's own paint.
  chart.RequestRepaint();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !chart.PaintPending(); }));
  expectBand();
  // The erase on release (a small drag) leaves the picture without a trace.
  Ticks(1);
  Release(Qt::LeftButton, 110, 60);
  const std::vector<TColor> erased = Pixels(surface);
  chart.RequestRepaint();
  Settle();
  EXPECT_EQ(Pixels(surface), erased);
  EXPECT_EQ(zooms + undos, 0);
}

}  // namespace
}  // namespace drivesim

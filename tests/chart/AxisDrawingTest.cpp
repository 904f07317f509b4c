// Axis drawing on a real bitmap: axes with fixed ranges beside a known chart
// rectangle are drawn through a chart canvas that also records every text it
// writes. Lines, ticks and grids are asserted by pixel; texts by where and
// how they were written, never by their glyphs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "TestChart.h"

namespace drivesim {
namespace {

// A chart canvas that remembers every text line it writes, with the text
// state in force at that moment.
class RecordingCanvas : public TChartCanvas3D {
 public:
  struct Text {
    int X;
    int Y;
    std::string Line;
    unsigned Alignment;
    int Angle;
    TColor BrushColor;
    TBrushStyle BrushStyle;
    TColor FontColor;
  };
  std::vector<Text> Texts;

  // Rotated text arrives here too, with the font turned by the angle.
  void WriteText(int x, int y, const std::string& text) override {
    Texts.push_back({x, y, text, TextAlignment(), Font().Orientation() / 10, Brush().Color(),
                     Brush().Style(), Font().Color()});
    TChartCanvas3D::WriteText(x, y, text);
  }
};

// The chart rectangle is (50, 20, 350, 320): both axes are 300 pixels long,
// the bottom axis line lies on row 320 and the left axis line on column 50.
struct AxisPicture {
  AxisPicture() : bitmap(400, 360) {
    auto owned = std::make_unique<RecordingCanvas>();
    canvas = owned.get();
    chart.SetChartCanvas(std::move(owned));
    chart.SetView3D(false);
    canvas->AttachCanvas(bitmap.Canvas());
    chart.SetPanelBounds({0, 0, 400, 360});
    chart.SetPlotRect({50, 20, 350, 320});
    series.SetParentChart(&chart);
    Clear();
  }
  // The range, pixel range and positions of one paint, the labels and title
  // placed outside the fixed chart rectangle.
  void Prepare(TChartAxis& axis, double min, double max) {
    axis.SetRange(min, max);
    axis.AdjustRange();
    axis.ComputePixelRange();
    TRect r = chart.PlotRect();
    axis.ReserveSpace(r, false);
  }
  // Labels every `increment`, whatever their size; red texts, so that no
  // smoothed glyph pixel can pass for a grey or black line pixel.
  void FixIncrement(TChartAxis& axis, double increment) {
    axis.SetLabelsSeparation(0);
    axis.SetIncrement(increment);
    axis.LabelsFont().SetColor(kRed);
  }
  void Clear() {
    canvas->Texts.clear();
    TCanvas& c = bitmap.Canvas();
    c.Brush().SetColor(clWhite);
    c.Brush().SetStyle(bsSolid);
    c.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
  }
  // The pixel at a position along the axis and a coordinate across it.
  TColor At(const TCustomChartAxis& axis, int along, int across) const {
    return axis.IsHorizontal() ? bitmap.Pixel(along, across) : bitmap.Pixel(across, along);
  }
  // The positions along the axis (0..399) whose pixel at `across` has the
  // colour.
  std::set<int> Along(const TCustomChartAxis& axis, int across, TColor color) const {
    std::set<int> found;
    for (int p = 0; p < 400; ++p) {
      if (At(axis, p, across) == color) found.insert(p);
    }
    return found;
  }
  std::vector<int> Ticks(const TCustomChartAxis& axis) const {
    std::vector<int> ticks;
    for (int i = 0; i < axis.TickList().Count(); ++i) ticks.push_back(axis.TickList()[i]);
    return ticks;
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const auto& t : canvas->Texts) lines.push_back(t.Line);
    return lines;
  }

  TBitmap bitmap;
  testing::CountingChart chart;
  RecordingCanvas* canvas = nullptr;
  TChartSeries series;
};

std::set<int> Union(const std::vector<int>& a, const std::vector<int>& b) {
  std::set<int> out(a.begin(), a.end());
  out.insert(b.begin(), b.end());
  return out;
}

// Line, ticks, minor ticks and grid of an axis whose chart rectangle edge is
// `edge` and whose outside lies towards `out` (+1 or -1). With the default
// pens: a 4-pixel grey tick per major position starting one pixel outside
// the line, 2-pixel grey minor ticks, a grey grid line dotted one on, two off
// across the chart rectangle at every major position, nothing further out.
void ExpectDefaultDecorations(const AxisPicture& pic, const TChartAxis& axis, int edge, int out,
                              const std::vector<int>& majors, const std::vector<int>& minors) {
  SCOPED_TRACE(axis.IsHorizontal() ? "bottom axis" : "left axis");
  ASSERT_EQ(axis.AxisLinePos(), edge);
  const std::set<int> majorSet(majors.begin(), majors.end());
  // The line covers the whole axis; a grid line may start with a dot on it.
  for (int p = axis.StartPixel() + 1; p < axis.EndPixel(); ++p) {
    const TColor c = pic.At(axis, p, edge);
    EXPECT_TRUE(c == clBlack || (c == clGray && majorSet.count(p))) << p << " " << std::hex << c;
  }
  EXPECT_EQ(pic.At(axis, axis.StartPixel() - 3, edge), clWhite);
  EXPECT_EQ(pic.At(axis, axis.EndPixel() + 3, edge), clWhite);
  EXPECT_EQ(pic.Along(axis, edge + out, clGray), Union(majors, minors));
  EXPECT_EQ(pic.Along(axis, edge + 2 * out, clGray), Union(majors, minors));
  EXPECT_EQ(pic.Along(axis, edge + 3 * out, clGray), majorSet);
  EXPECT_EQ(pic.Along(axis, edge + 4 * out, clGray), majorSet);
  EXPECT_TRUE(pic.Along(axis, edge + 5 * out, clGray).empty());
  EXPECT_TRUE(pic.Along(axis, edge + 5 * out, clBlack).empty());
  // The grid crosses the chart rectangle, a dot on its first pixel and on
  // every third one after it.
  const TRect& plot = pic.chart.PlotRect();
  const int from = axis.IsHorizontal() ? plot.Top : plot.Left;
  const int to = axis.IsHorizontal() ? plot.Bottom : plot.Right;
  for (int across = from; across < to; ++across) {
    const std::set<int> expected = (across - from) % 3 == 0 ? majorSet : std::set<int>{};
    EXPECT_EQ(pic.Along(axis, across, clGray), expected) << "across " << across;
  }
}

TEST(AxisDrawing, EveryLabelGetsATickAGridLineAndThreeMinorTicksPerGap) {
  AxisPicture pic;
  TChartAxis& bottom = pic.chart.BottomAxis();
  pic.FixIncrement(bottom, 40);
  pic.Prepare(bottom, 0, 300);
  bottom.DrawAxis(true);
  // Labels 280 down to 0, one pixel per unit from column 50.
  const std::vector<int> majors = {330, 290, 250, 210, 170, 130, 90, 50};
  EXPECT_EQ(pic.Ticks(bottom), majors);
  EXPECT_EQ(pic.Lines(),
            (std::vector<std::string>{"280", "240", "200", "160", "120", "80", "40", "0"}));
  // Three minor ticks split each gap into four; beyond the outermost labels
  // the pattern goes on at 340, but not onto the axis end at 350.
  std::vector<int> minors = {340};
  for (int p = 50; p < 330; p += 40) minors.insert(minors.end(), {p + 10, p + 20, p + 30});
  ExpectDefaultDecorations(pic, bottom, 320, +1, majors, minors);

  // The left axis the same way across, its outside towards smaller x; its
  // first minor ticks beyond the top label stop before the axis start at 20.
  pic.Clear();
  TChartAxis& left = pic.chart.LeftAxis();
  pic.FixIncrement(left, 40);
  pic.Prepare(left, 0, 300);
  left.DrawAxis(true);
  const std::vector<int> leftMajors = {40, 80, 120, 160, 200, 240, 280, 320};
  EXPECT_EQ(pic.Ticks(left), leftMajors);
  std::vector<int> leftMinors = {30};
  for (int p = 40; p < 320; p += 40) leftMinors.insert(leftMinors.end(), {p + 10, p + 20, p + 30});
  ExpectDefaultDecorations(pic, left, 50, -1, leftMajors, leftMinors);
}

TEST(AxisDrawing, GridPensInnerTicksAndTheMinorGrid) {
  AxisPicture pic;
  TChartAxis& bottom = pic.chart.BottomAxis();
  pic.FixIncrement(bottom, 100);  // labels at columns 350, 250, 150, 50
  pic.Prepare(bottom, 0, 300);
  bottom.Grid().SetColor(clDefault);
  bottom.Grid().SetStyle(psSolid);
  bottom.SetTickInnerLength(3);
  bottom.MinorGrid().SetVisible(true);
  bottom.MinorGrid().SetColor(kBlue);
  bottom.MinorGrid().SetStyle(psSolid);
  bottom.DrawAxis(true);

  // A grid pen without a colour of its own draws grey.
  EXPECT_EQ(pic.Along(bottom, 100, clGray), (std::set<int>{50, 150, 250, 350}));
  // Inner ticks start one pixel inside the line and run three pixels in.
  for (int y : {317, 318, 319}) {
    EXPECT_EQ(pic.Along(bottom, y, clGray), (std::set<int>{50, 150, 250, 350})) << y;
  }
  // The minor grid crosses the chart rectangle at every minor position.
  std::set<int> minorGrid;
  for (int p = 50; p < 350; p += 100) minorGrid.insert({p + 25, p + 50, p + 75});
  EXPECT_EQ(pic.Along(bottom, 21, kBlue), minorGrid);
  EXPECT_EQ(pic.Along(bottom, 319, kBlue), minorGrid);
  EXPECT_EQ(pic.At(bottom, 75, 20), kBlue);

  // Hidden pens draw nothing: only the labels remain.
  pic.Clear();
  for (TChartPen* pen : {&bottom.Axis(), &bottom.Ticks(), &bottom.Grid(), &bottom.TicksInner(),
                         &bottom.MinorTicks(), &bottom.MinorGrid()}) {
    pen->SetVisible(false);
  }
  bottom.DrawAxis(true);
  EXPECT_EQ(pic.canvas->Texts.size(), 4U);
  for (int y = 0; y < 360; ++y) {
    EXPECT_TRUE(pic.Along(bottom, y, clGray).empty() && pic.Along(bottom, y, clBlack).empty() &&
                pic.Along(bottom, y, kBlue).empty())
        << y;
  }
}

TEST(AxisDrawing, CentredGridSingleTickAndTheEndsOfTheAxis) {
  AxisPicture pic;
  TChartAxis& bottom = pic.chart.BottomAxis();
  pic.FixIncrement(bottom, 40);
  pic.Prepare(bottom, 0, 300);
  bottom.SetGridCentered(true);
  bottom.DrawAxis(true);
  // Eight ticks, seven grid lines midway between neighbours.
  EXPECT_EQ(pic.Ticks(bottom).size(), 8U);
  EXPECT_EQ(pic.Along(bottom, 20, clGray), (std::set<int>{310, 270, 230, 190, 150, 110, 70}));

  // One label only: its tick, and no minor tick on either side of it.
  pic.Clear();
  bottom.SetGridCentered(false);
  pic.FixIncrement(bottom, 1000);
  pic.Prepare(bottom, 100, 1100);  // the label 1000 at column 320
  bottom.DrawAxis(true);
  EXPECT_EQ(pic.Ticks(bottom), std::vector<int>{320});
  EXPECT_EQ(pic.Along(bottom, 321, clGray), std::set<int>{320});
  EXPECT_EQ(pic.Along(bottom, 20, clGray), std::set<int>{320});
}

TEST(AxisDrawing, LabelSwitchesDecideWhichTicksAreRecorded) {
  AxisPicture pic;
  TChartAxis& bottom = pic.chart.BottomAxis();
  pic.FixIncrement(bottom, 50);
  pic.Prepare(bottom, 0, 300);

  // Without labels the ticks are still recorded when not tied to labels.
  bottom.SetLabels(false);
  bottom.SetTickOnLabelsOnly(false);
  bottom.DrawAxis(true);
  const std::vector<int> all = {350, 300, 250, 200, 150, 100, 50};
  EXPECT_EQ(pic.Ticks(bottom), all);
  EXPECT_TRUE(pic.canvas->Texts.empty());
  EXPECT_EQ(pic.Along(bottom, 323, clGray), std::set<int>(all.begin(), all.end()));
  EXPECT_EQ(pic.Along(bottom, 20, clGray), std::set<int>(all.begin(), all.end()));

  // Tied to labels that are not drawn, there are none.
  pic.Clear();
  bottom.SetTickOnLabelsOnly(true);
  bottom.DrawAxis(true);
  EXPECT_EQ(pic.Ticks(bottom).size(), 0U);
  EXPECT_TRUE(pic.Along(bottom, 323, clGray).empty());

  // Labels on the axis ends are dropped, text and tick, when not wanted there.
  pic.Clear();
  bottom.SetLabels(true);
  bottom.SetLabelsOnAxis(false);
  bottom.DrawAxis(true);
  EXPECT_EQ(pic.Ticks(bottom), (std::vector<int>{300, 250, 200, 150, 100}));
  EXPECT_EQ(pic.Lines(), (std::vector<std::string>{"250", "200", "150", "100", "50"}));
}

TEST(AxisDrawing, TheTickListStopsAtItsRoom) {
  AxisPicture pic;
  TChartAxis& bottom = pic.chart.BottomAxis();
  pic.FixIncrement(bottom, 1);
  pic.Prepare(bottom, 0, 5000);  // 5001 labels, 16.67 per pixel
  bottom.SetLabels(false);
  bottom.SetTickOnLabelsOnly(false);
  bottom.DrawAxis(true);
  ASSERT_EQ(bottom.TickList().Count(), TAxisTickList::kCapacity);
  // The first 2000 labels from the top: 5000 down to 3001.
  EXPECT_EQ(bottom.TickList()[0], 350);
  EXPECT_EQ(bottom.TickList()[TAxisTickList::kCapacity - 1], bottom.ValueToPixel(3001));
  // Ticks are drawn at the recorded positions only: columns 230 to 350.
  const std::set<int> ticked = pic.Along(bottom, 324, clGray);
  ASSERT_FALSE(ticked.empty());
  EXPECT_EQ(*ticked.begin(), 230);
  EXPECT_EQ(*ticked.rbegin(), 350);
}

// The oscilloscope's axes: labels in Arial of 12 pixels, the sliding time
// window on a 300-pixel bottom axis and the fixed velocity range on a
// 150-pixel left axis. The increments follow from the measured label sizes.
TEST(AxisDrawing, LabelsAndTitlesAreWrittenBesideTheirAxes) {
  AxisPicture pic;
  pic.chart.SetPlotRect({50, 20, 350, 170});
  pic.chart.SetColor(clSilver);
  TChartAxis& bottom = pic.chart.BottomAxis();
  TChartAxis& left = pic.chart.LeftAxis();
  for (TChartAxis* axis : {&bottom, &left}) axis->LabelsFont().SetHeight(-12);
  bottom.Title().SetCaption("Time, s");
  left.Title().SetCaption("Velosity, rad/s");
  pic.Prepare(bottom, -0.301, 0);
  pic.Prepare(left, 0, 300);
  pic.chart.ApplyFont(left.LabelsFont());
  const int h = pic.canvas->FontLineHeight();
  ASSERT_GT(h, 8);

  bottom.DrawAxis(true);
  const auto& texts = pic.canvas->Texts;
  ASSERT_FALSE(texts.empty());
  // The title first, centred under the axis with its top at TitlePos.
  EXPECT_EQ(texts[0].Line, "Time, s");
  EXPECT_EQ(texts[0].X, bottom.CenterPixel());
  EXPECT_EQ(texts[0].Y, bottom.TitlePos());
  EXPECT_EQ(texts[0].Alignment, TA_CENTER | TA_TOP);
  EXPECT_EQ(texts[0].Angle, 0);
  const std::vector<std::string> times = {"0", "-0.05", "-0.1", "-0.15", "-0.2", "-0.25", "-0.3"};
  ASSERT_EQ(texts.size(), 1 + times.size());
  for (std::size_t i = 0; i < times.size(); ++i) {
    const auto& t = texts[1 + i];
    EXPECT_EQ(t.Line, times[i]);
    // Centred on its tick, hanging from LabelsPos, over no background.
    EXPECT_EQ(t.X, bottom.ValueToPixel(-0.05 * static_cast<double>(i))) << t.Line;
    EXPECT_EQ(t.X, bottom.TickList()[static_cast<int>(i)]);
    EXPECT_EQ(t.Y, bottom.LabelsPos());
    EXPECT_EQ(t.Alignment, TA_CENTER | TA_TOP);
    EXPECT_EQ(t.BrushStyle, bsClear);
    EXPECT_EQ(t.BrushColor, clSilver);
  }
  EXPECT_EQ(bottom.LabelsPos(), 170 + 2 + 4);  // past the axis line and the ticks
  EXPECT_EQ(pic.canvas->TextAlignment(), 0U);

  pic.canvas->Texts.clear();
  left.DrawAxis(true);
  ASSERT_FALSE(texts.empty());
  // Written upwards, the title's lower edge (now on its right) at TitlePos,
  // centred along the axis.
  EXPECT_EQ(texts[0].Line, "Velosity, rad/s");
  EXPECT_EQ(texts[0].Angle, 90);
  EXPECT_EQ(texts[0].X, left.TitlePos());
  EXPECT_EQ(texts[0].Y, left.CenterPixel());
  EXPECT_EQ(texts[0].Alignment, TA_CENTER | TA_BOTTOM);
  EXPECT_EQ(left.CenterPixel(), 95);
  const std::vector<std::string> speeds = {"300", "250", "200", "150", "100", "50", "0"};
  ASSERT_EQ(texts.size(), 1 + speeds.size());
  for (std::size_t i = 0; i < speeds.size(); ++i) {
    const auto& t = texts[1 + i];
    EXPECT_EQ(t.Line, speeds[i]);
    // Ending at LabelsPos, vertically centred on the tick.
    EXPECT_EQ(t.X, left.LabelsPos());
    EXPECT_EQ(t.Y, 20 + 25 * static_cast<int>(i) - h / 2) << t.Line;
    EXPECT_EQ(t.Alignment, TA_RIGHT | TA_TOP);
    EXPECT_EQ(t.Angle, 0);
  }
  EXPECT_EQ(left.LabelsPos(), 50 - 2 - 4);

  // White texts are written black on paper, and only there.
  left.Title().Font().SetColor(clWhite);
  left.LabelsFont().SetColor(clWhite);
  for (bool printing : {true, false}) {
    pic.chart.SetPrinting(printing);
    pic.canvas->Texts.clear();
    left.DrawAxis(true);
    ASSERT_EQ(texts.size(), 8U);
    for (const auto& t : texts) EXPECT_EQ(t.FontColor, printing ? clBlack : clWhite) << t.Line;
  }
}

// Where a text written at angle a lands, given its reference point, its
// alignment and its size: the rectangle it covers on the screen.
struct Box {
  double Left, Top, Right, Bottom;
};

Box TextBox(const RecordingCanvas::Text& t, int width, int height) {
  double u0 = 0;
  if ((t.Alignment & TA_CENTER) == TA_CENTER) {
    u0 = -width / 2.0;
  } else if (t.Alignment & TA_RIGHT) {
    u0 = -width;
  }
  const double v0 = (t.Alignment & TA_BOTTOM) ? -height : 0;
  // Turn the text's own corners counter-clockwise on the screen.
  double xs[2];
  double ys[2];
  for (int i = 0; i < 2; ++i) {
    const double u = i == 0 ? u0 : u0 + width;
    const double v = i == 0 ? v0 : v0 + height;
    switch (t.Angle) {
      case 90: xs[i] = v, ys[i] = -u; break;
      case 180: xs[i] = -u, ys[i] = -v; break;
      case 270: xs[i] = -v, ys[i] = u; break;
      default: xs[i] = u, ys[i] = v; break;
    }
  }
  return {t.X + std::min(xs[0], xs[1]), t.Y + std::min(ys[0], ys[1]), t.X + std::max(xs[0], xs[1]),
          t.Y + std::max(ys[0], ys[1])};
}

TEST(AxisDrawing, TextsKeepToTheirSideOfTheReferenceAtEveryRightAngle) {
  AxisPicture pic;
  TCustomAxisPanel& chart = pic.chart;
  chart.ApplyFont(chart.BottomAxis().LabelsFont());
  const int h = pic.canvas->FontLineHeight();
  const int x0 = 200;
  const int y0 = 150;
  for (TChartAxis* axis :
       {&chart.BottomAxis(), &chart.TopAxis(), &chart.LeftAxis(), &chart.RightAxis()}) {
    for (int angle : {0, 90, 180, 270}) {
      for (const std::string text : {"-0.25", "300\r-0.05"}) {
        SCOPED_TRACE(std::string(axis->IsHorizontal() ? "horizontal" : "vertical") +
                     (axis->IsOtherSide() ? " other side" : "") + ", angle " +
                     std::to_string(angle) + ", " + text);
        pic.canvas->Texts.clear();
        axis->DrawAxisText(x0, y0, text, angle);
        const auto& lines = pic.canvas->Texts;
        ASSERT_EQ(lines.size(), text.find('\r') == std::string::npos ? 1U : 2U);
        Box all{1e9, 1e9, -1e9, -1e9};
        for (const auto& line : lines) {
          EXPECT_EQ(line.Angle, angle);
          const Box b = TextBox(line, pic.canvas->MeasureTextWidth(line.Line), h);
          all = {std::min(all.Left, b.Left), std::min(all.Top, b.Top), std::max(all.Right, b.Right),
                 std::max(all.Bottom, b.Bottom)};
        }
        if (lines.size() == 2) {
          // The second line follows the first one line lower in the text's
          // own direction: below, right, above or left of it on the screen.
          const int dx = lines[1].X - lines[0].X;
          const int dy = lines[1].Y - lines[0].Y;
          const int expected[4][2] = {{0, h}, {h, 0}, {0, -h}, {-h, 0}};
          EXPECT_EQ(dx, expected[angle / 90][0]);
          EXPECT_EQ(dy, expected[angle / 90][1]);
        }
        // The text stays on the outside of the reference point, centred on
        // it along the axis.
        if (axis->IsHorizontal()) {
          EXPECT_EQ(axis->IsOtherSide() ? all.Bottom : all.Top, y0);
          EXPECT_NEAR((all.Left + all.Right) / 2, x0, 1.0);
        } else {
          EXPECT_EQ(axis->IsOtherSide() ? all.Left : all.Right, x0);
          EXPECT_NEAR((all.Top + all.Bottom) / 2, y0, 1.0);
        }
        EXPECT_EQ(pic.canvas->TextAlignment(), 0U);
      }
    }
  }
  // Any other angle writes at the reference point itself, left and top
  // aligned.
  pic.canvas->Texts.clear();
  chart.BottomAxis().DrawAxisText(x0, y0, "5", 45);
  ASSERT_EQ(pic.canvas->Texts.size(), 1U);
  EXPECT_EQ(pic.canvas->Texts[0].X, x0);
  EXPECT_EQ(pic.canvas->Texts[0].Y, y0);
  EXPECT_EQ(pic.canvas->Texts[0].Alignment, 0U);
  EXPECT_EQ(pic.canvas->Texts[0].Angle, 45);
}

}  // namespace
}  // namespace drivesim

// The chart's paint pipeline on real bitmaps: the panel rectangle and its
// margins, the background, the bevel, the titles, the back wall, the series
// loop with its clip, the events, and the paint handler that copies a clean
// off-screen image instead of drawing again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "chart/Chart.h"
#include "chart/ChartStrings.h"
#include "chart/Series.h"

namespace drivesim {
namespace {

// A chart canvas that records every text it writes before writing it.
class TextRecordingCanvas : public TChartCanvas3D {
 public:
  struct Text {
    int X;
    int Y;
    std::string S;
  };
  std::vector<Text> Texts;
  void WriteText(int x, int y, const std::string& text) override {
    Texts.push_back({x, y, text});
    TChartCanvas3D::WriteText(x, y, text);
  }
  const Text* Find(const std::string& s) const {
    for (const Text& t : Texts) {
      if (t.S == s) return &t;
    }
    return nullptr;
  }
};

// A chart that remembers the chart rectangle before and after the titles.
class TitlesProbeChart : public TChart {
 public:
  TRect BeforeTitles;
  TRect AfterTitles;
  void PaintTitlesAndLegend() override {
    BeforeTitles = PlotRect();
    TChart::PaintTitlesAndLegend();
    AfterTitles = PlotRect();
  }
};

// A line series that counts the points it is asked to paint.
class CountingSeries : public TLineSeries {
 public:
  int Painted = 0;
  void PaintPoint(int index) override {
    ++Painted;
    TLineSeries::PaintPoint(index);
  }
};

// A line series whose drawing fails while Fail is set.
class FailingSeries : public TLineSeries {
 public:
  bool Fail = true;
  void PaintPoint(int index) override {
    if (Fail) throw EListError::IndexOutOfBounds(index);
    TLineSeries::PaintPoint(index);
  }
};

// The chart the way the main window sets it up, without its axis texts.
void SetUpLikeTheWindow(TChart& chart) {
  chart.SetBounds(0, 0, 353, 169);
  chart.BackWall().Brush().SetColor(clWhite);
  chart.BackWall().SetColor(clBlack);
  chart.Gradient().SetEndColor(clSilver);
  chart.Gradient().SetVisible(true);
  for (int i = 0; i < 4; ++i) chart.SetMargin(i, 2);
  TFont& font = chart.Title().Font();
  font.SetName("Arial");
  font.SetHeight(-13);
  font.SetStyle(fsBold);
  chart.Title().SetText({"Oscilloscope"});
  chart.Legend().SetVisible(false);
  chart.SetView3D(false);
}

int TitleLineHeight(TChart& chart, const TChartTitle& title) {
  chart.ApplyFont(title.Font());
  return chart.ChartCanvas().FontLineHeight();
}

TEST(ChartPipelineTest, ConstructionDefaults) {
  TChart chart;
  EXPECT_TRUE(chart.RepaintOnChange());
  EXPECT_EQ(chart.Width(), 400);
  EXPECT_EQ(chart.Height(), 250);
  EXPECT_EQ(chart.MarginLeft(), 3);
  EXPECT_EQ(chart.MarginTop(), 4);
  EXPECT_EQ(chart.MarginRight(), 3);
  EXPECT_EQ(chart.MarginBottom(), 4);
  EXPECT_EQ(chart.Chart3DPercent(), 15);
  EXPECT_TRUE(chart.View3D());
  EXPECT_EQ(chart.AllowPanning(), pmBoth);
  EXPECT_TRUE(chart.AllowZoom());
  EXPECT_FALSE(chart.AnimatedZoom());
  EXPECT_EQ(chart.AnimatedZoomSteps(), 8);
  EXPECT_FALSE(chart.Gradient().Visible());
  EXPECT_EQ(chart.Gradient().StartColor(), 0xFFFFFFu);
  EXPECT_EQ(chart.Gradient().EndColor(), 0x00FFFFu);
  EXPECT_EQ(chart.Gradient().Direction(), gdTopBottom);
  EXPECT_EQ(chart.BackColor(), clDefault);
  EXPECT_EQ(chart.BackWall().Brush().Style(), bsClear);
  EXPECT_EQ(chart.LeftWall().Color(), 0x80FFFFu);
  EXPECT_EQ(chart.BottomWall().Color(), 0xFFFFFFu);
  EXPECT_TRUE(chart.Title().Visible());
  EXPECT_TRUE(chart.Title().Text().empty());
  EXPECT_EQ(chart.Title().Alignment(), taCenter);
  EXPECT_EQ(chart.Title().Font().Color(), clBlue);
  EXPECT_TRUE(chart.Foot().Text().empty());
  EXPECT_TRUE(chart.Legend().Visible());
  EXPECT_TRUE(chart.ScalesRestored());
  EXPECT_EQ(chart.Color(), clBtnFace);
  EXPECT_EQ(chart.BevelOuter(), bvRaised);
  EXPECT_EQ(chart.BevelInner(), bvNone);
  // Nothing drawn yet: the first paint draws.
  EXPECT_TRUE(chart.PaintPending());
  EXPECT_TRUE(chart.ChartCanvas().IsDirty());
}

TEST(ChartPipelineTest, Chart3DPercentIsCheckedAndKeptOnError) {
  TChart chart;
  for (int bad : {0, -5, 101}) {
    try {
      chart.SetChart3DPercent(bad);
      ADD_FAILURE() << bad << " accepted";
    } catch (const ChartException& e) {
      EXPECT_EQ(e.Message(), "3D effect percent must be between 1 and 100");
    }
    EXPECT_EQ(chart.Chart3DPercent(), 15);
  }
  chart.SetChart3DPercent(1);
  EXPECT_EQ(chart.Chart3DPercent(), 1);
  chart.SetChart3DPercent(100);
  EXPECT_EQ(chart.Chart3DPercent(), 100);
}

TEST(ChartPipelineTest, WorkedExampleOfTheWindowsChart) {
  TitlesProbeChart chart;
  auto recorder = std::make_unique<TextRecordingCanvas>();
  TextRecordingCanvas& texts = *recorder;
  chart.SetChartCanvas(std::move(recorder));
  SetUpLikeTheWindow(chart);
  TBitmap bitmap(353, 169);
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());

  EXPECT_EQ(chart.PanelBounds(), (TRect{0, 0, 353, 169}));
  // 2 percent of 353 is 7, of 169 is 3.
  EXPECT_EQ(chart.BeforeTitles, (TRect{7, 3, 346, 166}));
  const int h = TitleLineHeight(chart, chart.Title());
  const int tw = chart.ChartCanvas().MeasureTextWidth("Oscilloscope");
  ASSERT_GT(h, 0);
  EXPECT_EQ(chart.AfterTitles, (TRect{7, 3 + h + 5, 346, 166}));
  const TextRecordingCanvas::Text* title = texts.Find("Oscilloscope");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->X, 176 - tw / 2);
  EXPECT_EQ(title->Y, 3);

  // The raised bevel: highlight along the top and left, shadow along the
  // right and bottom (the two far corners included).
  const TColor highlight = ColorToRGB(clBtnHighlight);
  const TColor shadow = ColorToRGB(clBtnShadow);
  EXPECT_EQ(bitmap.Pixel(0, 0), highlight);
  EXPECT_EQ(bitmap.Pixel(150, 0), highlight);
  EXPECT_EQ(bitmap.Pixel(351, 0), highlight);
  EXPECT_EQ(bitmap.Pixel(0, 80), highlight);
  EXPECT_EQ(bitmap.Pixel(0, 167), highlight);
  EXPECT_EQ(bitmap.Pixel(352, 0), shadow);
  EXPECT_EQ(bitmap.Pixel(352, 80), shadow);
  EXPECT_EQ(bitmap.Pixel(150, 168), shadow);
  EXPECT_EQ(bitmap.Pixel(0, 168), shadow);
  // Inside the bevel the gradient runs from silver at the top to white at
  // the bottom (one band per row).
  EXPECT_EQ(bitmap.Pixel(3, 1), clSilver);
  EXPECT_EQ(bitmap.Pixel(3, 167), clWhite);

  // The back wall fills the final chart rectangle black; its frame, black
  // too, lies on the rectangle's edges and its right column and bottom row.
  const TRect plot = chart.PlotRect();
  EXPECT_EQ(bitmap.Pixel(plot.Left + 20, plot.Top + 20), clBlack);
  EXPECT_EQ(bitmap.Pixel(plot.Right - 2, plot.Bottom - 2), clBlack);

  // Without the bevel the gradient's own first and last rows show.
  chart.SetBevelOuter(bvNone);
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
  EXPECT_EQ(bitmap.Pixel(3, 0), clSilver);
  EXPECT_EQ(bitmap.Pixel(3, 84), 0xDFDFDFu);
  EXPECT_EQ(bitmap.Pixel(3, 168), clWhite);
}

TEST(ChartPipelineTest, BackWallAndBackground) {
  TChart chart;
  SetUpLikeTheWindow(chart);
  chart.SetAxisVisible(false);
  chart.Title().ClearText();
  TBitmap bitmap(353, 169);
  const auto render = [&] { chart.RenderTo(bitmap.Canvas(), chart.ClientRect()); };

  // A red frame shows where the wall's pen goes: on columns 7 and 346 and
  // rows 3 and 166, around a black fill.
  chart.Frame().SetColor(kRed);
  render();
  const TRect plot = chart.PlotRect();
  ASSERT_EQ(plot, (TRect{7, 3, 346, 166}));
  for (int x : {7, 100, 346}) {
    EXPECT_EQ(bitmap.Pixel(x, 3), kRed) << x;
    EXPECT_EQ(bitmap.Pixel(x, 166), kRed) << x;
  }
  for (int y : {3, 80, 166}) {
    EXPECT_EQ(bitmap.Pixel(7, y), kRed) << y;
    EXPECT_EQ(bitmap.Pixel(346, y), kRed) << y;
  }
  EXPECT_EQ(bitmap.Pixel(8, 4), clBlack);
  EXPECT_EQ(bitmap.Pixel(345, 165), clBlack);
  EXPECT_NE(bitmap.Pixel(347, 80), clBlack);
  EXPECT_NE(bitmap.Pixel(100, 167), clBlack);

  // Without the gradient the panel takes its colour.
  chart.Gradient().SetVisible(false);
  render();
  EXPECT_EQ(bitmap.Pixel(3, 80), ColorToRGB(clBtnFace));
  chart.SetColor(kGreen);
  render();
  EXPECT_EQ(bitmap.Pixel(3, 80), kGreen);
  EXPECT_EQ(bitmap.Pixel(100, 80), clBlack);

  // The default back wall (no colour of its own, clear brush) fills
  // nothing: the panel shows through its frame.
  TChart plain;
  plain.SetBounds(0, 0, 353, 169);
  plain.SetView3D(false);
  plain.SetAxisVisible(false);
  plain.SetColor(kGreen);
  plain.RenderTo(bitmap.Canvas(), plain.ClientRect());
  const TRect p = plain.PlotRect();
  EXPECT_EQ(bitmap.Pixel(p.Left + 30, p.Top + 30), kGreen);
  EXPECT_EQ(bitmap.Pixel(p.Left, p.Top + 30), clBlack);
  EXPECT_EQ(bitmap.Pixel(p.Right, p.Top + 30), clBlack);
  // Giving its brush a colour makes the brush solid; the fill is then the
  // wall's colour.
  plain.BackWall().SetColor(kRed);
  plain.RenderTo(bitmap.Canvas(), plain.ClientRect());
  EXPECT_EQ(bitmap.Pixel(p.Left + 30, p.Top + 30), kGreen);
  plain.BackWall().Brush().SetColor(clWhite);
  plain.RenderTo(bitmap.Canvas(), plain.ClientRect());
  EXPECT_EQ(bitmap.Pixel(p.Left + 30, p.Top + 30), kRed);
  // The back colour at run time makes the brush solid too.
  TChart other;
  other.SetBackColor(kRed);
  EXPECT_EQ(other.BackWall().Brush().Style(), bsSolid);
  EXPECT_EQ(other.BackWall().Color(), kRed);
  // While loading it leaves the brush alone.
  TChart loading;
  loading.SetLoading(true);
  loading.SetBackColor(kRed);
  EXPECT_EQ(loading.BackWall().Brush().Style(), bsClear);
}

TEST(ChartPipelineTest, TitlesTakeTheirLinesAndAGap) {
  auto make = [] {
    auto chart = std::make_unique<TChart>();
    SetUpLikeTheWindow(*chart);
    chart->SetAxisVisible(false);
    return chart;
  };
  TBitmap bitmap(353, 169);

  auto empty = make();
  empty->Title().ClearText();
  empty->RenderTo(bitmap.Canvas(), empty->ClientRect());
  EXPECT_EQ(empty->PlotRect(), (TRect{7, 3, 346, 166}));

  auto two = make();
  two->Title().SetText({"Oscilloscope", "second"});
  two->RenderTo(bitmap.Canvas(), two->ClientRect());
  const int h = TitleLineHeight(*two, two->Title());
  EXPECT_EQ(two->PlotRect().Top, 3 + 2 * h + 5);
  EXPECT_EQ(two->Title().TitleBox(), (TRect{7, 3, 346, 3 + 2 * h}));

  // The foot lifts the bottom by its lines and the gap; a hidden title
  // takes no room.
  auto foot = make();
  foot->Title().SetVisible(false);
  foot->Foot().SetText({"foot"});
  foot->RenderTo(bitmap.Canvas(), foot->ClientRect());
  const int fh = TitleLineHeight(*foot, foot->Foot());
  EXPECT_EQ(foot->PlotRect(), (TRect{7, 3, 346, 166 - fh - 5}));
  EXPECT_EQ(foot->Foot().TitleBox(), (TRect{7, 166 - fh, 346, 166}));

  // Left and right justified lines keep half a "W" from the edges; a
  // visible frame moves everything in by its width and takes its width of
  // room as well.
  auto aligned = make();
  auto recorder = std::make_unique<TextRecordingCanvas>();
  TextRecordingCanvas& texts = *recorder;
  aligned->SetChartCanvas(std::move(recorder));
  aligned->Title().SetText({"left"});
  aligned->Title().SetAlignment(taLeftJustify);
  aligned->Foot().SetText({"right"});
  aligned->Foot().SetAlignment(taRightJustify);
  aligned->Title().Frame().SetVisible(true);
  aligned->Title().Frame().SetWidth(2);
  aligned->RenderTo(bitmap.Canvas(), aligned->ClientRect());
  const int th = TitleLineHeight(*aligned, aligned->Title());
  const int wc = aligned->ChartCanvas().MeasureTextWidth("W");
  const int leftWidth = aligned->ChartCanvas().MeasureTextWidth("left");
  ASSERT_NE(texts.Find("left"), nullptr);
  EXPECT_EQ(texts.Find("left")->X, 7 + 2 + wc / 2);
  EXPECT_EQ(texts.Find("left")->Y, 3 + 2);
  // The framed box shrinks to the line plus one "W", grown by the pen.
  EXPECT_EQ(aligned->Title().TitleBox(), (TRect{7, 3, 7 + leftWidth + wc, 3 + 2 + th + 2}));
  TitleLineHeight(*aligned, aligned->Foot());
  const int footWc = aligned->ChartCanvas().MeasureTextWidth("W");
  const int rightWidth = aligned->ChartCanvas().MeasureTextWidth("right");
  ASSERT_NE(texts.Find("right"), nullptr);
  EXPECT_EQ(texts.Find("right")->X, 346 - rightWidth - footWc / 2);
  EXPECT_EQ(aligned->PlotRect().Top, 3 + 2 + th + 2 + 5);
}

TEST(ChartPipelineTest, AxesCutTheirRoomUnlessNothingWouldBeLeft) {
  TChart chart;
  chart.SetBounds(0, 0, 200, 100);
  chart.SetView3D(false);
  for (TChartAxis* axis : {&chart.TopAxis(), &chart.RightAxis(), &chart.BottomAxis()}) {
    axis->SetVisible(false);
  }
  TChartAxis& left = chart.LeftAxis();
  left.SetLabels(false);
  left.Title().SetCaption("v");
  left.SetTitleSize(20);
  TBitmap bitmap(200, 100);
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
  // 3 percent of 200 is 6.
  EXPECT_EQ(chart.PlotRect().Left, 6 + 20 + left.TickAreaSize());
  EXPECT_EQ(left.StartPixel(), chart.PlotRect().Top);
  EXPECT_EQ(left.EndPixel(), chart.PlotRect().Bottom);

  left.SetTitleSize(1000);
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
  EXPECT_EQ(chart.PlotRect().Left, 6);
}

TEST(ChartPipelineTest, SeriesAreClippedAndDrawnInListOrder) {
  TChart chart;
  SetUpLikeTheWindow(chart);
  chart.Title().ClearText();
  chart.SetAxisVisible(false);
  chart.LeftAxis().SetRange(0, 100);
  chart.BottomAxis().SetRange(0, 100);
  // Both cross the whole chart rectangle on the same pixels: a vertical
  // line at x = 50 from far below to far above the chart.
  TLineSeries first;
  TLineSeries second;
  for (TLineSeries* s : {&first, &second}) {
    s->AddPoint(50, -100, "", clDefault);
    s->AddPoint(50, 200, "", clDefault);
  }
  first.SetSeriesColor(kRed);
  second.SetSeriesColor(kGreen);
  first.SetParentChart(&chart);
  second.SetParentChart(&chart);
  TBitmap bitmap(353, 169);
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
  const TRect plot = chart.PlotRect();
  const int x = chart.BottomAxis().ValueToPixel(50);
  EXPECT_EQ(bitmap.Pixel(x, plot.Top + 1), kGreen);
  EXPECT_EQ(bitmap.Pixel(x, plot.Bottom - 2), kGreen);
  // The clip keeps the top row and the bottom row clean (there the wall's
  // frame and fill stay).
  EXPECT_EQ(bitmap.Pixel(x, plot.Top), clBlack);
  EXPECT_EQ(bitmap.Pixel(x, plot.Bottom - 1), clBlack);
  EXPECT_NE(bitmap.Pixel(x, plot.Top - 1), kGreen);

  // The later series covers the earlier one.
  first.SetParentChart(nullptr);
  first.SetParentChart(&chart);
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
  EXPECT_EQ(bitmap.Pixel(x, plot.Top + 20), kRed);

  // Without ClipPoints the line reaches beyond the chart rectangle.
  chart.SetClipPoints(false);
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
  EXPECT_EQ(bitmap.Pixel(x, plot.Bottom - 1), kRed);
  EXPECT_EQ(bitmap.Pixel(x, plot.Top - 1), kRed);
}

TEST(ChartPipelineTest, EventsComeInDrawingOrder) {
  TChart chart;
  chart.SetView3D(false);
  std::vector<std::string> log;
  TLineSeries shown;
  TLineSeries empty;
  TLineSeries inactive;
  shown.AddPoint(0, 0, "", clDefault);
  shown.AddPoint(1, 1, "", clDefault);
  inactive.AddPoint(0, 0, "", clDefault);
  inactive.SetActive(false);
  for (TLineSeries* s : {&shown, &empty, &inactive}) s->SetParentChart(&chart);
  chart.OnBeforeDrawAxes = [&](TCustomAxisPanel&) { log.push_back("axes"); };
  chart.OnBeforeDrawSeries = [&](TCustomAxisPanel&) { log.push_back("series"); };
  // By the time OnAfterDraw fires the canvas's drawing state is reset.
  bool resetBeforeAfterDraw = false;
  chart.OnAfterDraw = [&](TCustomChartPanel&) {
    log.push_back("after");
    TChartCanvas3D& canvas = chart.ChartCanvas();
    resetBeforeAfterDraw = canvas.Pen().Color() == clBlack && canvas.Pen().Width() == 1 &&
                           canvas.Brush().Style() == bsSolid && canvas.Brush().Color() == clWhite &&
                           canvas.BackgroundMode() == TRANSPARENT &&
                           canvas.DeviceContext() != &chart.Canvas();
  };
  const auto named = [&](const char* name) {
    return [&log, name](TChartSeries&) { log.push_back(name); };
  };
  shown.BeforeDrawValues = named("shown before");
  shown.AfterDrawValues = named("shown after");
  empty.BeforeDrawValues = named("empty before");
  inactive.BeforeDrawValues = named("inactive before");
  TBitmap bitmap(400, 250);
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
  EXPECT_EQ(log,
            (std::vector<std::string>{"axes", "series", "shown before", "shown after", "after"}));
  EXPECT_TRUE(resetBeforeAfterDraw);
  // After the paint the canvas draws on the control's surface again.
  EXPECT_EQ(chart.ChartCanvas().DeviceContext(), &chart.Canvas());

  // Axes after the series.
  log.clear();
  chart.SetAxisBehind(false);
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
  EXPECT_EQ(log,
            (std::vector<std::string>{"series", "shown before", "shown after", "axes", "after"}));
}

TEST(ChartPipelineTest, SeriesMarginsWidenTheAutomaticRanges) {
  TChart chart;
  chart.SetView3D(false);
  TLineSeries series;
  series.Pointer().SetVisible(true);  // 4 pixels each way, inflating
  series.SetParentChart(&chart);
  for (int i = 0; i <= 10; ++i) series.AddPoint(i, i * 10, "", clDefault);
  chart.LeftAxis().SetRange(0, 100);
  TBitmap bitmap(400, 250);
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
  const TChartAxis& bottom = chart.BottomAxis();
  EXPECT_EQ(bottom.ValueToPixel(0), bottom.StartPixel() + 5);
  EXPECT_EQ(bottom.ValueToPixel(10), bottom.EndPixel() - 5);
  // The fixed left axis keeps its range.
  const TChartAxis& left = chart.LeftAxis();
  EXPECT_EQ(left.RangeMinimum(), 0.0);
  EXPECT_EQ(left.RangeMaximum(), 100.0);
  EXPECT_EQ(left.ValueToPixel(0), left.EndPixel());
}

TEST(ChartPipelineTest, ACleanChartIsOnlyCopiedAgain) {
  TChart chart;
  SetUpLikeTheWindow(chart);
  CountingSeries series;
  series.SetParentChart(&chart);
  chart.LeftAxis().SetRange(0, 100);
  int axisDraws = 0;
  chart.OnBeforeDrawAxes = [&](TCustomAxisPanel&) { ++axisDraws; };
  for (int i = 0; i < 10; ++i) series.AddPoint(i, 50, "", clDefault);

  // Ten changes, one paint.
  chart.DispatchPaint();
  EXPECT_EQ(series.Painted, 10);
  EXPECT_EQ(axisDraws, 1);
  EXPECT_FALSE(chart.ChartCanvas().IsDirty());
  EXPECT_FALSE(chart.PaintPending());
  const TRect plot = chart.PlotRect();
  const int row = chart.LeftAxis().ValueToPixel(50);
  const TColor traceColor = chart.Surface().Pixel(plot.Left + 50, row);
  EXPECT_EQ(traceColor, series.SeriesColor());
  chart.DispatchPaint();
  EXPECT_EQ(series.Painted, 10);

  // The window uncovered: the image is copied, nothing is drawn.
  chart.Canvas().Brush().SetColor(kGreen);
  chart.Canvas().FillRect(chart.ClientRect());
  chart.Invalidate();
  chart.DispatchPaint();
  EXPECT_EQ(series.Painted, 10);
  EXPECT_EQ(axisDraws, 1);
  EXPECT_EQ(chart.Surface().Pixel(plot.Left + 50, row), traceColor);
  EXPECT_EQ(chart.Surface().Pixel(plot.Left + 50, plot.Top + 5), clBlack);

  // A change draws again; so does a new size, whose picture no longer fits.
  series.SetSeriesColor(clBlue);
  chart.DispatchPaint();
  EXPECT_EQ(series.Painted, 20);
  EXPECT_EQ(chart.Surface().Pixel(plot.Left + 50, row), clBlue);
  chart.SetBounds(0, 0, 300, 150);
  chart.DispatchPaint();
  EXPECT_EQ(series.Painted, 30);
  EXPECT_EQ(chart.ChartCanvas().BufferImage()->Width(), 300);

  // Requests made while printing are not painted.
  chart.SetPrinting(true);
  series.SetSeriesColor(kGreen);
  chart.DispatchPaint();
  EXPECT_EQ(series.Painted, 30);
}

TEST(ChartPipelineTest, EachFrameShowsWhatOneFreshFrameOfTheSameChartShows) {
  // Frames follow each other in pixels that held older frames, with the
  // background left out where the wall stood in the frame before; every one
  // must still come out as the only frame of a new chart would, also when
  // the wall moves, shrinks, stops filling or the background changes.
  const auto setUp = [](TChart& chart, TLineSeries& series, int tick) {
    SetUpLikeTheWindow(chart);
    // From tick 5 on, a new size and with it a new buffer.
    if (tick >= 5) chart.SetBounds(0, 0, 300, 150);
    // A second title line pushes the wall down; wider labels push it right.
    chart.Title().SetText(tick == 3 ? std::vector<std::string>{"Oscilloscope", "Second"}
                                    : std::vector<std::string>{"Oscilloscope"});
    chart.LeftAxis().SetRange(0, tick == 6 || tick == 9 ? 30000 : 300);
    // A wall that fills nothing, then one without an outline that fills more.
    chart.BackWall().SetColor(tick == 10 ? clDefault : clBlack);
    chart.BackWall().Pen().SetVisible(tick != 13);
    // A plain background instead of the gradient.
    chart.Gradient().SetVisible(tick < 15 || tick > 16);
    series.SetParentChart(&chart);
    series.ClearPoints();
    for (int i = 0; i < 60; ++i) {
      series.AddPoint(0.01 * (tick + i), 150 + 120 * std::sin(0.3 * (tick + i)), "", clAqua);
    }
  };
  TChart chart;
  TLineSeries series;
  int axisDraws = 0;
  int afterDraws = 0;
  chart.OnBeforeDrawAxes = [&](TCustomAxisPanel&) { ++axisDraws; };
  chart.OnAfterDraw = [&](TCustomChartPanel&) { ++afterDraws; };
  int paints = 0;
  for (int tick = 0; tick < 18; ++tick) {
    setUp(chart, series, tick);
    if (tick == 8) {
      // The window uncovered between two frames: copied from the buffer.
      chart.Canvas().Brush().SetColor(kGreen);
      chart.Canvas().FillRect(chart.ClientRect());
      chart.Invalidate();
      chart.DispatchPaint();
    }
    chart.Invalidate();
    chart.DispatchPaint();
    ++paints;
    TChart fresh;
    TLineSeries freshSeries;
    setUp(fresh, freshSeries, tick);
    fresh.DispatchPaint();
    ASSERT_EQ(Pixels(chart.Surface()), Pixels(fresh.Surface())) << "tick " << tick;
  }
  // A frame drawn again from its start draws its axes and ends once.
  EXPECT_EQ(axisDraws, paints);
  EXPECT_EQ(afterDraws, paints);
}

// A chart without axes whose one series of two points fails to paint while
// its Fail is set.
struct ChartThatFails {
  ChartThatFails() {
    chart.SetView3D(false);
    chart.SetAxisVisible(false);
    series.SetParentChart(&chart);
    series.AddPoint(0, 0, "", clDefault);
    series.AddPoint(1, 1, "", clDefault);
  }
  TChart chart;
  FailingSeries series;
};

TEST(ChartPipelineTest, AFailingPaintLeavesTheChartReadyForTheNext) {
  ChartThatFails failing;
  TChart& chart = failing.chart;
  FailingSeries& series = failing.series;
  TBitmap bitmap(400, 250);
  EXPECT_THROW(chart.RenderTo(bitmap.Canvas(), chart.ClientRect()), EListError);
  EXPECT_EQ(chart.ChartCanvas().DeviceContext(), &chart.Canvas());
  EXPECT_TRUE(chart.ChartCanvas().IsDirty());
  // The series' clip is gone with the failed paint: the next one fills the
  // whole panel.
  series.Fail = false;
  chart.SetColor(kGreen);
  chart.RenderTo(bitmap.Canvas(), chart.ClientRect());
  EXPECT_FALSE(chart.ChartCanvas().IsDirty());
  EXPECT_EQ(bitmap.Pixel(3, 100), kGreen);
}

TEST(ChartPipelineTest, AFailingPaintLeavesAWholeEarlierFrameOnTheSurface) {
  ChartThatFails failing;
  TChart& chart = failing.chart;
  FailingSeries& series = failing.series;
  series.Fail = false;
  // Frames shown on the chart's own surface, each handed over by sharing
  // its pixels: a failing paint draws over the pixels of the last.
  std::vector<std::vector<TColor>> shown;
  for (const TColor color : {kGreen, kRed, clYellow, clAqua}) {
    chart.SetColor(color);
    chart.RenderTo(chart.Canvas(), chart.ClientRect());
    shown.push_back(Pixels(chart.Surface()));
  }
  series.Fail = true;
  chart.SetColor(clFuchsia);
  EXPECT_THROW(chart.RenderTo(chart.Canvas(), chart.ClientRect()), EListError);
  const std::vector<TColor> after = Pixels(chart.Surface());
  EXPECT_NE(std::find(shown.begin(), shown.end(), after), shown.end())
      << "the surface shows a half-drawn frame";
  series.Fail = false;
  chart.RenderTo(chart.Canvas(), chart.ClientRect());
  EXPECT_EQ(chart.Surface().Pixel(3, 100), clFuchsia);
}

}  // namespace
}  // namespace drivesim

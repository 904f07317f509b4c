// The chart's shortcuts give the same result as the long way round: wide
// axis lines and rectangles set exactly the pixels the surface's own wide
// pens set, a series refilled every tick keeps its points, colours and
// labels, and the label texts of an axis stay right when the separators
// change.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "chart/ChartCanvas.h"
#include "chart/ChartSeries.h"
#include "platform/Numbers.h"

namespace drivesim {
namespace {

TEST(ChartFastPaths, WideLinesAlongRowsAndColumnsSetTheSurfacesOwnPixels) {
  // The surface's round ends fall differently at different places, near the
  // image's edges and inside a clip, so the lines sweep across all of them.
  constexpr int kW = 23;
  constexpr int kH = 17;
  const TRect clips[] = {{}, {3, 4, 19, 12}, {-5, -5, 40, 40}};
  TBitmap drawn(kW, kH);
  TChartCanvas3D canvas;
  canvas.AttachCanvas(drawn.Canvas());
  TCanvas& surface = drawn.Canvas();
  int lines = 0;
  // The bitmaps hear of every line the same number of times.
  int drawnNotices = 0;
  drawn.OnChange = [&] { ++drawnNotices; };
  // Solid pens, and patterned ones whose gaps stay transparent (the grid).
  for (TPenStyle style : {psSolid, psDot, psDash})
    for (int width : {2, 3}) {
      for (std::size_t c = 0; c < std::size(clips); ++c) {
        for (bool vertical : {false, true}) {
          for (int from = -2; from < 24; from += 3) {
            for (int length : {-7, -2, -1, 1, 2, 9}) {
              for (int across : {-1, 0, 1, 8, 15, 16}) {
                // Twice each: the second time the line is drawn from what the
                // first one learnt, in another colour.
                for (TColor color : {RGB(200, 10, 10), RGB(10, 10, 200)}) {
                  TBitmap expected(kW, kH);
                  TCanvas& reference = expected.Canvas();
                  int expectedNotices = 0;
                  expected.OnChange = [&] { ++expectedNotices; };
                  surface.RemoveClip();
                  surface.Brush().SetColor(clWhite);
                  surface.FillRect({0, 0, kW, kH});
                  drawnNotices = 0;
                  if (c > 0) {
                    reference.IntersectClipRect(clips[c]);
                    surface.IntersectClipRect(clips[c]);
                  }
                  for (TPen* pen : {&reference.Pen(), &surface.Pen()}) {
                    pen->SetColor(color);
                    pen->SetWidth(width);
                    pen->SetStyle(style);
                  }
                  for (TCanvas* target : {&reference, &surface}) {
                    target->SetBackgroundMode(TRANSPARENT);
                    target->Brush().SetStyle(bsClear);
                  }
                  if (vertical) {
                    reference.MoveTo(across, from);
                    reference.LineTo(across, from + length);
                    canvas.DrawVertical(across, from, from + length);
                  } else {
                    reference.MoveTo(from, across);
                    reference.LineTo(from + length, across);
                    canvas.DrawHorizontal(from, from + length, across);
                  }
                  ASSERT_TRUE(SamePixels(expected, drawn))
                      << "style " << style << " width " << width << " clip " << c
                      << (vertical ? " column " : " row ") << across << " from " << from
                      << " length " << length;
                  // The pen is left as the surface leaves it: at the line's end,
                  // as wide as before.
                  ASSERT_EQ(surface.PenPos().X, reference.PenPos().X);
                  ASSERT_EQ(surface.PenPos().Y, reference.PenPos().Y);
                  ASSERT_EQ(surface.Pen().Width(), width);
                  ASSERT_EQ(surface.Pen().Style(), style);
                  ASSERT_EQ(drawnNotices, expectedNotices);
                  ++lines;
                }
              }
            }
          }
        }
      }
    }
  EXPECT_EQ(lines, 3 * 2 * 3 * 2 * 9 * 6 * 6 * 2);
}

TEST(ChartFastPaths, AScaledLineOfNoLengthSetsNoPixelOutsideASeriesLine) {
  // At ratios 1.5 and 2 a one-pixel pen is 2 or 3 pixels wide: a tick of
  // length 0 sets nothing, as the thin line it thickens does, and leaves the
  // pen at its point; in a series' line the round pen draws its dot.
  for (double scale : {1.5, 2.0}) {
    for (bool seriesLine : {false, true}) {
      TBitmap drawn(12, 12);
      TBitmap expected(12, 12);
      TChartCanvas3D canvas;
      canvas.AttachCanvas(drawn.Canvas());
      canvas.SetScale(scale);
      canvas.SetRoundLines(seriesLine);
      TCanvas& surface = drawn.Canvas();
      surface.Pen().SetWidth(canvas.ScaledWidth(1));
      surface.Pen().SetColor(clRed);
      canvas.DrawVertical(5, 6, 6);
      canvas.DrawHorizontal(3, 3, 8);
      EXPECT_EQ(surface.PenPos().X, 3);
      EXPECT_EQ(surface.PenPos().Y, 8);
      if (seriesLine) {
        expected.Canvas().Pen().SetWidth(surface.Pen().Width());
        const TThinLine dots[] = {{5, 6, 5, 6, clRed}, {3, 8, 3, 8, clRed}};
        expected.Canvas().DrawRoundLines(dots, 2);
        EXPECT_EQ(expected.Pixel(5, 6), clRed);
      }
      EXPECT_TRUE(SamePixels(expected, drawn)) << scale << (seriesLine ? " series" : "");
    }
  }
}

TEST(ChartFastPaths, WideRectanglesSetTheSurfacesOwnPixels) {
  // Random boxes over a noisy background, inside, across the image's edges
  // and under a clip, with and without a solid brush; each drawn twice, the
  // second time from what the first one learnt, in other colours.
  constexpr int kW = 61;
  constexpr int kH = 47;
  std::mt19937 random(20261209);
  const auto between = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const auto noise = [](TBitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x)
        bitmap.Canvas().SetPixel(x, y, RGB((x * 37 + y * 11) & 255, (x * 5 + y * 71) & 255, x ^ y));
  };
  TBitmap drawn(kW, kH);
  TChartCanvas3D canvas;
  canvas.AttachCanvas(drawn.Canvas());
  TCanvas& surface = drawn.Canvas();
  int drawnNotices = 0;
  drawn.OnChange = [&] { ++drawnNotices; };
  for (int box = 0; box < 300; ++box) {
    const int left = between(-8, kW - 2);
    const int top = between(-8, kH - 2);
    const int right = left + between(2, 50);
    const int bottom = top + between(2, 40);
    const int width = between(2, 6);
    const bool filled = between(0, 1) == 1;
    const bool clipped = between(0, 3) == 0;
    const TRect clip{between(0, 20), between(0, 15), between(25, kW), between(20, kH)};
    for (int pass = 0; pass < 2; ++pass) {
      TBitmap expected(kW, kH);
      noise(expected);
      noise(drawn);
      TCanvas& reference = expected.Canvas();
      int expectedNotices = 0;
      expected.OnChange = [&] { ++expectedNotices; };
      drawnNotices = 0;
      surface.RemoveClip();
      for (TCanvas* target : {&reference, &surface}) {
        if (clipped) target->IntersectClipRect(clip);
        target->Pen().SetColor(pass == 0 ? RGB(200, 10, 10) : RGB(10, 10, 200));
        target->Pen().SetWidth(width);
        target->Pen().SetStyle(psSolid);
        target->Brush().SetColor(pass == 0 ? clBlack : clLime);
        target->Brush().SetStyle(filled ? bsSolid : bsClear);
      }
      reference.Rectangle(left, top, right, bottom);
      canvas.DrawRectangle(left, top, right, bottom);
      ASSERT_TRUE(SamePixels(expected, drawn))
          << "box " << left << ", " << top << " .. " << right << ", " << bottom << " width "
          << width << (filled ? " filled" : "") << (clipped ? " clipped" : "");
      ASSERT_EQ(drawnNotices, expectedNotices);
    }
  }
}

TEST(ChartFastPaths, RefilledSeriesKeepsItsPointsColoursAndLabels) {
  TChartSeries s;
  // Filled, emptied and filled again, as every tick does: the storage is
  // given back when emptied and taken once for the new points.
  for (int tick = 0; tick < 3; ++tick) {
    s.ClearPoints();
    EXPECT_EQ(s.XValues().Capacity(), 0u);
    for (int i = 0; i < 302; ++i) s.AddPoint(i * 0.001, tick + i, "", clAqua);
    ASSERT_EQ(s.PointCount(), 302);
    if (tick > 0) {
      EXPECT_EQ(s.XValues().Capacity(), 302u);
    }
    EXPECT_EQ(s.ColorList().size(), 302u);
    EXPECT_EQ(s.YValueAt(301), tick + 301);
  }

  // Points without text among points with text: an insertion in the middle,
  // a deletion, a sort and a late text all keep each label with its point.
  TChartSeries m;
  for (int i = 0; i < 5; ++i) m.AddPoint(i, 10 + i, "", clRed);
  EXPECT_EQ(m.AddPoint(2.5, 0, "mid", clBlue), 3);
  EXPECT_EQ(m.AddPoint(10, 16, "", clRed), 6);
  EXPECT_EQ(m.LabelList(), (std::vector<std::string>{"", "", "", "mid", "", "", ""}));
  m.DeletePoint(5);  // x = 4, a point without text after the text
  EXPECT_EQ(m.PointLabel(3), "mid");
  EXPECT_EQ(m.PointLabel(5), "");
  m.YValues().SetOrder(loAscending);
  m.YValues().SortValues();  // "mid" has the smallest Y and moves first
  EXPECT_EQ(m.PointLabel(0), "mid");
  EXPECT_EQ(m.XValueAt(0), 2.5);
  EXPECT_EQ(m.PointColor(0), clBlue);
  for (int i = 1; i < m.PointCount(); ++i) EXPECT_EQ(m.PointLabel(i), "") << i;
  EXPECT_EQ(m.AddPoint(20, 30, "z", clLime), 6);
  EXPECT_EQ(m.LabelList(), (std::vector<std::string>{"mid", "", "", "", "", "", "z"}));
  m.SwapValueIndex(0, 6);
  EXPECT_EQ(m.PointLabel(0), "z");
  EXPECT_EQ(m.PointLabel(6), "mid");
  m.SwapValueIndex(2, 4);  // two points without text
  EXPECT_EQ(m.LabelList(), (std::vector<std::string>{"z", "", "", "", "", "", "mid"}));
}

TEST(ChartFastPaths, SameValueFollowsTheSeparatorsOfTheMoment) {
  // A text written once is not handed out again under other separators.
  const char decimal = DecimalSeparator();
  const char thousand = ThousandSeparator();
  SetDecimalSeparator('.');
  SetThousandSeparator(',');
  EXPECT_EQ(FormatFloat("#,##0.###", 1234.25), "1,234.25");
  SetDecimalSeparator(',');
  SetThousandSeparator('.');
  EXPECT_EQ(FormatFloat("#,##0.###", 1234.25), "1.234,25");
  EXPECT_EQ(FormatFloat("0.0", 1234.25), "1234,3");
  SetDecimalSeparator('.');
  SetThousandSeparator(',');
  EXPECT_EQ(FormatFloat("#,##0.###", 1234.25), "1,234.25");
  EXPECT_EQ(FormatFloat("#,##0.###", -0.0), "0");
  EXPECT_EQ(FormatFloat("0.0;(0.0)", -0.0), "0.0");
  SetDecimalSeparator(decimal);
  SetThousandSeparator(thousand);
}

}  // namespace
}  // namespace drivesim

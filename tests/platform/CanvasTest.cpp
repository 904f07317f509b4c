// Pixel rules of the platform canvas, pinned on small bitmaps by counting
// pixels, and the change notifications of pens, brushes, fonts and bitmaps.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"

namespace drivesim {
namespace {

int CountColor(const TBitmap& bitmap, TColor color) {
  int count = 0;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) count += bitmap.Pixel(x, y) == color ? 1 : 0;
  }
  return count;
}

// The smallest rectangle holding every pixel that is not white (empty when
// the bitmap is all white).
TRect InkBounds(const TBitmap& bitmap) {
  TRect r{bitmap.Width(), bitmap.Height(), 0, 0};
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (bitmap.Pixel(x, y) == clWhite) continue;
      r = TRect{std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                std::max(r.Bottom, y + 1)};
    }
  }
  return r.IsEmpty() ? TRect{} : r;
}

// A background that is not uniform, so that a mix mode shows on it.
void PaintStripes(TBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      bitmap.Canvas().SetPixel(x, y, RGB(x * 25, y * 25, (x + y) % 2 ? 200 : 40));
    }
  }
}

TEST(CanvasTest, RectanglesAndFillsCoverTheBoxWithoutRightColumnAndBottomRow) {
  TBitmap bitmap(10, 10);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(clRed);
  canvas.Rectangle(2, 3, 7, 9);
  EXPECT_EQ(InkBounds(bitmap), (TRect{2, 3, 7, 9}));
  EXPECT_EQ(CountColor(bitmap, clBlack), 2 * 5 + 2 * 4);
  EXPECT_EQ(CountColor(bitmap, clRed), 3 * 4);

  // Corners given the other way round draw the same rectangle.
  TBitmap swapped(10, 10);
  swapped.Canvas().Brush().SetColor(clRed);
  swapped.Canvas().Rectangle(7, 9, 2, 3);
  EXPECT_EQ(Pixels(swapped), Pixels(bitmap));

  // Without a pen the brush fills the whole box; without a brush only the
  // outline is drawn.
  TBitmap noPen(10, 10);
  noPen.Canvas().Pen().SetStyle(psClear);
  noPen.Canvas().Brush().SetColor(clRed);
  noPen.Canvas().Rectangle(2, 3, 7, 9);
  EXPECT_EQ(CountColor(noPen, clRed), 5 * 6);
  EXPECT_EQ(InkBounds(noPen), (TRect{2, 3, 7, 9}));

  TBitmap noBrush(10, 10);
  noBrush.Canvas().Brush().SetStyle(bsClear);
  noBrush.Canvas().Rectangle(2, 3, 7, 9);
  EXPECT_EQ(CountColor(noBrush, clBlack), 18);
  EXPECT_EQ(CountColor(noBrush, clWhite), 100 - 18);

  TBitmap fill(10, 10);
  fill.Canvas().Brush().SetColor(clBlue);
  fill.Canvas().FillRect(TRect{1, 1, 4, 6});
  EXPECT_EQ(CountColor(fill, clBlue), 3 * 5);
  EXPECT_EQ(InkBounds(fill), (TRect{1, 1, 4, 6}));
  fill.Canvas().Brush().SetStyle(bsClear);
  fill.Canvas().FillRect(TRect{0, 0, 10, 10});
  EXPECT_EQ(CountColor(fill, clBlue), 15);
  // An empty or inverted rectangle fills nothing.
  fill.Canvas().Brush().SetColor(clRed);
  fill.Canvas().FillRect(TRect{5, 5, 5, 9});
  fill.Canvas().FillRect(TRect{8, 8, 6, 9});
  EXPECT_EQ(CountColor(fill, clRed), 0);
}

TEST(CanvasTest, EllipseStaysInsideItsBoxAndIsSymmetric) {
  TBitmap bitmap(10, 10);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(clRed);
  canvas.Ellipse(1, 0, 9, 10);
  EXPECT_EQ(InkBounds(bitmap), (TRect{1, 0, 9, 10}));
  EXPECT_EQ(bitmap.Pixel(4, 5), clRed);
  EXPECT_EQ(bitmap.Pixel(1, 0), clWhite);  // the corners of the box stay clear
  EXPECT_EQ(bitmap.Pixel(8, 9), clWhite);
  for (int y = 0; y < 10; ++y) {
    for (int x = 1; x < 9; ++x) {
      EXPECT_EQ(bitmap.Pixel(x, y), bitmap.Pixel(9 - x, y)) << x << "," << y;
      EXPECT_EQ(bitmap.Pixel(x, y), bitmap.Pixel(x, 9 - y)) << x << "," << y;
    }
  }
  const int outline = CountColor(bitmap, clBlack);
  const int inside = CountColor(bitmap, clRed);
  EXPECT_GT(outline, 0);

  // Without a pen the same pixels take the brush colour; without a brush the
  // inside stays white.
  TBitmap noPen(10, 10);
  noPen.Canvas().Pen().SetStyle(psClear);
  noPen.Canvas().Brush().SetColor(clRed);
  noPen.Canvas().Ellipse(1, 0, 9, 10);
  EXPECT_EQ(CountColor(noPen, clRed), outline + inside);
  EXPECT_EQ(InkBounds(noPen), (TRect{1, 0, 9, 10}));

  TBitmap noBrush(10, 10);
  noBrush.Canvas().Brush().SetStyle(bsClear);
  noBrush.Canvas().Ellipse(1, 0, 9, 10);
  EXPECT_EQ(CountColor(noBrush, clBlack), outline);
  EXPECT_EQ(noBrush.Pixel(4, 5), clWhite);
}

TEST(CanvasTest, LineDrawsItsStartPixelAndNotItsEndPixelInEveryDirection) {
  const int directions[8][2] = {{1, 0},  {1, 1},   {0, 1},  {-1, 1},
                                {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
  for (const auto& d : directions) {
    TBitmap bitmap(10, 10);
    TCanvas& canvas = bitmap.Canvas();
    canvas.MoveTo(5, 5);
    canvas.LineTo(5 + 4 * d[0], 5 + 4 * d[1]);
    EXPECT_EQ(canvas.PenPos(), (TPoint{5 + 4 * d[0], 5 + 4 * d[1]}));
    EXPECT_EQ(CountColor(bitmap, clBlack), 4) << d[0] << "," << d[1];
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(bitmap.Pixel(5 + i * d[0], 5 + i * d[1]), clBlack) << d[0] << "," << d[1];
    }
    EXPECT_EQ(bitmap.Pixel(5 + 4 * d[0], 5 + 4 * d[1]), clWhite) << d[0] << "," << d[1];
  }

  // Slopes between the octants, both ways: one pixel per step along the
  // longer axis, start in, end out.
  const int ends[][4] = {{1, 2, 8, 5}, {8, 5, 1, 2}, {2, 1, 5, 9}, {5, 9, 2, 1}, {9, 0, 0, 3}};
  for (const auto& e : ends) {
    TBitmap bitmap(10, 10);
    bitmap.Canvas().MoveTo(e[0], e[1]);
    bitmap.Canvas().LineTo(e[2], e[3]);
    const int steps = std::max(std::abs(e[2] - e[0]), std::abs(e[3] - e[1]));
    EXPECT_EQ(CountColor(bitmap, clBlack), steps);
    EXPECT_EQ(bitmap.Pixel(e[0], e[1]), clBlack);
    EXPECT_EQ(bitmap.Pixel(e[2], e[3]), clWhite);
  }

  // A line to the pen position itself draws nothing; successive lines share
  // their corner pixels, and a closed path of lines is drawn without gaps.
  TBitmap square(10, 10);
  TCanvas& canvas = square.Canvas();
  canvas.MoveTo(2, 2);
  canvas.LineTo(2, 2);
  EXPECT_EQ(CountColor(square, clBlack), 0);
  canvas.LineTo(7, 2);
  canvas.LineTo(7, 7);
  canvas.LineTo(2, 7);
  canvas.LineTo(2, 2);
  EXPECT_EQ(CountColor(square, clBlack), 20);
  EXPECT_EQ(InkBounds(square), (TRect{2, 2, 8, 8}));

  // A line running off the bitmap is cut at its edge.
  TBitmap edge(10, 10);
  edge.Canvas().MoveTo(-5, 4);
  edge.Canvas().LineTo(20, 4);
  EXPECT_EQ(CountColor(edge, clBlack), 10);
}

TEST(CanvasTest, WidePenIsCentredOnTheLineWithRoundEnds) {
  TBitmap bitmap(10, 10);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen().SetWidth(3);
  canvas.MoveTo(3, 5);
  canvas.LineTo(7, 5);
  // Three rows centred on the line; the round ends reach one pixel past
  // both end points, so a wide line covers its end point.
  EXPECT_EQ(InkBounds(bitmap), (TRect{2, 4, 9, 7}));
  for (int y = 1; y < 10; ++y) {
    for (int x = 1; x < 10; ++x) {
      EXPECT_EQ(bitmap.Pixel(x, y), bitmap.Pixel(10 - x, y)) << x << "," << y;
      EXPECT_EQ(bitmap.Pixel(x, y), bitmap.Pixel(x, 10 - y)) << x << "," << y;
    }
  }

  // A wide outline is centred on the rectangle's edge pixels.
  TBitmap box(10, 10);
  box.Canvas().Pen().SetWidth(3);
  box.Canvas().Brush().SetColor(clRed);
  box.Canvas().Rectangle(2, 2, 8, 8);
  EXPECT_EQ(InkBounds(box), (TRect{1, 1, 9, 9}));
  EXPECT_EQ(CountColor(box, clRed), 2 * 2);  // columns and rows 4..5 stay inside
  box.Canvas().Pen().SetWidth(1);
  box.Canvas().Rectangle(2, 2, 8, 8);
  EXPECT_EQ(CountColor(box, clRed), 16);
}

TEST(CanvasTest, PatternedLinesHaveOpaqueGapsInTheBrushColour) {
  TBitmap bitmap(10, 4);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen().SetStyle(psDot);
  canvas.Brush().SetColor(clRed);
  canvas.MoveTo(0, 0);
  canvas.LineTo(9, 0);
  // One on, two off; the end pixel stays untouched.
  const TColor dots[10] = {clBlack, clRed,   clRed, clBlack, clRed,
                           clRed,   clBlack, clRed, clRed,   clWhite};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(bitmap.Pixel(x, 0), dots[x]) << x;

  // The pattern carries on from one line to the next until the next MoveTo.
  canvas.MoveTo(0, 1);
  canvas.LineTo(4, 1);
  canvas.LineTo(9, 1);
  for (int x = 0; x < 9; ++x) EXPECT_EQ(bitmap.Pixel(x, 1), dots[x]) << x;

  // Transparent background mode, or a clear brush, leaves the gaps alone.
  canvas.SetBackgroundMode(TRANSPARENT);
  canvas.MoveTo(0, 2);
  canvas.LineTo(9, 2);
  canvas.SetBackgroundMode(OPAQUE);
  canvas.Brush().SetStyle(bsClear);
  canvas.MoveTo(0, 3);
  canvas.LineTo(9, 3);
  for (int y = 2; y < 4; ++y) {
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(bitmap.Pixel(x, y), x % 3 == 0 && x < 9 ? clBlack : clWhite);
  }

  // The alternate-pixel pen sets every other pixel.
  TBitmap alternate(10, 1);
  alternate.Canvas().Pen().SetAlternatePixels(true);
  alternate.Canvas().SetBackgroundMode(TRANSPARENT);
  alternate.Canvas().MoveTo(0, 0);
  alternate.Canvas().LineTo(10, 0);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(alternate.Pixel(x, 0), x % 2 == 0 ? clBlack : clWhite);

  // Outlines of shapes follow the same rule: a dotted rectangle outline has
  // no white pixel when the gaps are opaque.
  TBitmap box(10, 10);
  box.Canvas().Pen().SetStyle(psDot);
  box.Canvas().Brush().SetColor(clRed);
  box.Canvas().Rectangle(0, 0, 10, 10);
  EXPECT_EQ(CountColor(box, clWhite), 0);
  EXPECT_GT(CountColor(box, clBlack), 0);
}

// Chains of patterned lines along rows and columns, from MoveTo on: the
// pattern runs on over the chain, pixel i of a line taking the pattern at
// the chain's pixel count so far plus i, inside the clip only, the gaps in
// the brush colour when they are opaque.
TEST(CanvasTest, PatternedLinesAlongRowsAndColumnsFollowThePatternPixelByPixel) {
  struct Pattern {
    TPenStyle style;
    bool alternate;
    std::vector<int> runs;  // on, off, on, ...
  };
  const Pattern patterns[] = {{psDash, false, {4, 2}},
                              {psDot, false, {1, 2}},
                              {psDashDot, false, {4, 2, 1, 2}},
                              {psDashDotDot, false, {4, 2, 1, 2, 1, 2}},
                              {psSolid, true, {1, 1}}};
  std::mt19937 random(11);
  const auto pick = [&](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random);
  };
  for (int n = 0; n < 400; ++n) {
    const Pattern& pattern = patterns[pick(0, 4)];
    int length = 0;
    for (const int run : pattern.runs) length += run;
    TBitmap bitmap(40, 30);
    TCanvas& canvas = bitmap.Canvas();
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) canvas.SetPixel(x, y, RGB(x * 6, y * 8, (x * y) % 256));
    }
    std::vector<TColor> expected = Pixels(bitmap);
    TRect visible{0, 0, 40, 30};
    if (pick(0, 1) == 0) {
      const TRect clip{pick(-5, 19), pick(-5, 14), pick(20, 45), pick(15, 35)};
      canvas.IntersectClipRect(clip);
      visible = IntersectRects(visible, clip);
    }
    canvas.Pen().SetStyle(pattern.style);
    canvas.Pen().SetAlternatePixels(pattern.alternate);
    canvas.Pen().SetColor(clBlue);
    canvas.Brush().SetColor(clRed);
    canvas.Brush().SetStyle(pick(0, 3) == 0 ? bsClear : bsSolid);
    canvas.SetBackgroundMode(pick(0, 1) == 0 ? OPAQUE : TRANSPARENT);
    const bool opaqueGaps = canvas.BackgroundMode() == OPAQUE && canvas.Brush().Style() == bsSolid;

    TPoint at{pick(-10, 50), pick(-10, 40)};
    canvas.MoveTo(at.X, at.Y);
    int phase = 0;
    const int lines = pick(1, 5);
    for (int line = 0; line < lines; ++line) {
      TPoint to = at;
      if (pick(0, 1) == 0) {
        to.X = pick(-10, 50);
      } else {
        to.Y = pick(-10, 40);
      }
      canvas.LineTo(to.X, to.Y);
      const int steps = std::max(std::abs(to.X - at.X), std::abs(to.Y - at.Y));
      const int stepX = (to.X > at.X) - (to.X < at.X);
      const int stepY = (to.Y > at.Y) - (to.Y < at.Y);
      for (int i = 0; i < steps; ++i) {
        int position = (phase + i) % length;
        std::size_t run = 0;
        while (position >= pattern.runs[run]) position -= pattern.runs[run++];
        const bool on = run % 2 == 0;
        const int x = at.X + i * stepX;
        const int y = at.Y + i * stepY;
        if (x < visible.Left || x >= visible.Right || y < visible.Top || y >= visible.Bottom) {
          continue;
        }
        if (on || opaqueGaps) {
          expected[static_cast<std::size_t>(y * 40 + x)] = on ? clBlue : clRed;
        }
      }
      phase += steps;
      at = to;
    }
    const std::vector<TColor> drawn = Pixels(bitmap);
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      ASSERT_EQ(drawn[i], expected[i])
          << "case " << n << ", pixel (" << i % 40 << ", " << i / 40 << ")";
    }
  }
}

TEST(CanvasTest, NotXorPenDrawnTwiceRestoresThePixels) {
  TBitmap bitmap(10, 10);
  PaintStripes(bitmap);
  const std::vector<TColor> before = Pixels(bitmap);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen().SetMode(pmNotXor);
  canvas.Pen().SetColor(clBlue);
  canvas.Brush().SetStyle(bsClear);
  const TPoint triangle[] = {{1, 8}, {8, 8}, {5, 1}};
  auto drawAll = [&] {
    canvas.Rectangle(1, 1, 9, 9);
    canvas.MoveTo(0, 0);
    canvas.LineTo(9, 6);
    canvas.Polygon(triangle, 3);
  };
  drawAll();
  EXPECT_NE(Pixels(bitmap), before);
  // A pixel under the not-xor pen becomes the inverse of pen xor pixel.
  const TColor corner = before[1 * 10 + 8];
  EXPECT_EQ(bitmap.Pixel(8, 1), ~(ColorToRGB(clBlue) ^ corner) & 0xFFFFFF);
  drawAll();
  EXPECT_EQ(Pixels(bitmap), before);
}

TEST(CanvasTest, ClipNarrowsWithEachIntersectionAndRemoveClipLiftsIt) {
  TBitmap bitmap(10, 10);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(clRed);
  canvas.IntersectClipRect(TRect{2, 2, 8, 8});
  EXPECT_TRUE(canvas.HasClip());
  canvas.FillRect(TRect{0, 0, 10, 10});
  EXPECT_EQ(CountColor(bitmap, clRed), 36);

  canvas.IntersectClipRect(TRect{5, 0, 10, 10});
  EXPECT_EQ(canvas.ClipRect(), (TRect{5, 2, 8, 8}));
  canvas.Brush().SetColor(clBlue);
  canvas.FillRect(TRect{0, 0, 10, 10});
  EXPECT_EQ(CountColor(bitmap, clBlue), 18);
  // Lines, pixels and copies are clipped too.
  canvas.MoveTo(0, 3);
  canvas.LineTo(10, 3);
  canvas.SetPixel(0, 0, clLime);
  EXPECT_EQ(CountColor(bitmap, clBlack), 3);
  EXPECT_EQ(bitmap.Pixel(0, 0), clWhite);

  // Clips that do not overlap leave nothing drawable.
  canvas.IntersectClipRect(TRect{0, 0, 3, 3});
  EXPECT_TRUE(canvas.ClipRect().IsEmpty());
  canvas.FillRect(TRect{0, 0, 10, 10});
  canvas.Ellipse(0, 0, 10, 10);
  EXPECT_EQ(CountColor(bitmap, clBlue), 15);

  canvas.RemoveClip();
  EXPECT_FALSE(canvas.HasClip());
  canvas.FillRect(TRect{0, 0, 10, 10});
  EXPECT_EQ(CountColor(bitmap, clBlue), 100);
}

TEST(CanvasTest, PolygonIsFilledAlternatelyAndPolylineIsNotFilled) {
  // An outer and an inner square traced as one polygon: the inner one is a
  // hole under the alternate fill rule.
  const TPoint ring[] = {{0, 0}, {9, 0}, {9, 9}, {0, 9}, {0, 0},
                         {3, 3}, {6, 3}, {6, 6}, {3, 6}, {3, 3}};
  TBitmap bitmap(10, 10);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen().SetStyle(psClear);
  canvas.Brush().SetColor(clRed);
  canvas.Polygon(ring, 10);
  EXPECT_EQ(bitmap.Pixel(1, 1), clRed);
  EXPECT_EQ(bitmap.Pixel(8, 7), clRed);
  EXPECT_EQ(bitmap.Pixel(4, 4), clWhite);
  EXPECT_EQ(bitmap.Pixel(5, 5), clWhite);

  // With the pen the outline is drawn around the fill.
  TBitmap outlined(10, 10);
  outlined.Canvas().Brush().SetColor(clRed);
  const TPoint square[] = {{1, 1}, {8, 1}, {8, 8}, {1, 8}};
  outlined.Canvas().Polygon(square, 4);
  EXPECT_EQ(InkBounds(outlined), (TRect{1, 1, 9, 9}));
  EXPECT_EQ(CountColor(outlined, clBlack), 28);
  EXPECT_EQ(CountColor(outlined, clRed), 36);
  // A clear brush leaves the inside white.
  TBitmap hollow(10, 10);
  hollow.Canvas().Brush().SetStyle(bsClear);
  hollow.Canvas().Polygon(square, 4);
  EXPECT_EQ(CountColor(hollow, clBlack), 28);
  EXPECT_EQ(CountColor(hollow, clWhite), 72);

  // The polyline through the same points plus the first again: the same
  // outline, no fill whatever the brush, the last point left out.
  TBitmap line(10, 10);
  line.Canvas().Brush().SetColor(clRed);
  const TPoint path[] = {{1, 1}, {8, 1}, {8, 8}, {1, 8}, {1, 2}};
  line.Canvas().Polyline(path, 5);
  EXPECT_EQ(CountColor(line, clRed), 0);
  EXPECT_EQ(CountColor(line, clBlack), 27);
  EXPECT_EQ(line.Pixel(1, 2), clWhite);
}

TEST(CanvasTest, CopiesAndPixels) {
  TBitmap source(3, 2);
  source.Canvas().SetPixel(0, 0, clRed);
  source.Canvas().SetPixel(2, 1, clBtnShadow);
  EXPECT_EQ(source.Pixel(2, 1), ColorToRGB(clBtnShadow));
  EXPECT_EQ(source.Pixel(3, 0), 0xFFFFFFFFu);  // outside the image

  TBitmap target(10, 10);
  target.Canvas().Draw(4, 5, source);
  EXPECT_EQ(target.Pixel(4, 5), clRed);
  EXPECT_EQ(target.Pixel(6, 6), ColorToRGB(clBtnShadow));
  EXPECT_EQ(CountColor(target, clWhite), 98);

  // Copies ignore the pen's mix mode.
  target.Canvas().Pen().SetMode(pmNotXor);
  target.Canvas().StretchDraw(TRect{0, 0, 6, 4}, source);
  EXPECT_EQ(CountColor(target, clRed), 1 + 4);
  EXPECT_EQ(target.Pixel(1, 1), clRed);
  EXPECT_EQ(target.Pixel(5, 3), ColorToRGB(clBtnShadow));

  // A bitmap drawn onto itself copies what it showed before the copy.
  target.Canvas().Draw(1, 0, target);
  EXPECT_EQ(target.Pixel(2, 1), clRed);
  EXPECT_EQ(target.Pixel(1, 1), clRed);
}

TEST(CanvasTest, AWholeImageDrawnOverAnotherSharesItsPixelsUntilEitherIsDrawnOn) {
  TBitmap source(12, 10);
  TBitmap target(12, 10);
  // Ellipses are the painter's: both canvases have one open.
  source.Canvas().Brush().SetColor(clRed);
  source.Canvas().Ellipse(0, 0, 12, 10);
  target.Canvas().Brush().SetColor(clBlue);
  target.Canvas().Ellipse(2, 2, 8, 8);
  const std::vector<TColor> red = Pixels(source);
  EXPECT_FALSE(source.SharesPixels());

  EXPECT_FALSE(target.SharesPixelsWith(source));
  target.Canvas().Draw(0, 0, source);
  EXPECT_TRUE(source.SharesPixels());
  EXPECT_TRUE(target.SharesPixels());
  EXPECT_TRUE(target.SharesPixelsWith(source));
  EXPECT_TRUE(source.SharesPixelsWith(target));
  EXPECT_EQ(Pixels(target), red);

  // The target's painter draws into the target alone, ...
  target.Canvas().Brush().SetColor(clLime);
  target.Canvas().Ellipse(0, 0, 6, 6);
  EXPECT_EQ(target.Pixel(3, 3), clLime);
  EXPECT_EQ(Pixels(source), red);
  EXPECT_FALSE(source.SharesPixels());
  EXPECT_FALSE(target.SharesPixels());
  EXPECT_FALSE(target.SharesPixelsWith(source));

  // ... and the source, written directly or by its painter, into the source
  // alone.
  target.Canvas().Draw(0, 0, source);
  source.Canvas().Brush().SetColor(clYellow);
  source.Canvas().FillRect(TRect{0, 0, 12, 10});
  EXPECT_EQ(CountColor(source, clYellow), 120);
  EXPECT_EQ(Pixels(target), red);
  target.Canvas().Draw(0, 0, source);
  source.Canvas().Brush().SetColor(clBlack);
  source.Canvas().Ellipse(0, 0, 12, 10);
  EXPECT_EQ(source.Pixel(6, 5), clBlack);
  EXPECT_EQ(CountColor(target, clYellow), 120);

  // Under a clip, at an offset or from another size the pixels are copied.
  TBitmap blank(12, 10);
  target.Canvas().IntersectClipRect(TRect{0, 0, 6, 10});
  target.Canvas().Draw(0, 0, blank);
  target.Canvas().RemoveClip();
  EXPECT_FALSE(target.SharesPixels());
  EXPECT_EQ(CountColor(target, clWhite), 60);
  EXPECT_EQ(CountColor(target, clYellow), 60);
  target.Canvas().Draw(1, 0, source);
  EXPECT_FALSE(target.SharesPixels());
  EXPECT_EQ(target.Pixel(0, 0), clWhite);
  TBitmap small(4, 4);
  target.Canvas().Draw(0, 0, small);
  EXPECT_FALSE(target.SharesPixels());
  EXPECT_FALSE(small.SharesPixels());

  // Exchanged pixels take their sizes along, and each canvas then draws on
  // the pixels it holds.
  TBitmap a(3, 2);
  TBitmap b(5, 4);
  a.Canvas().Brush().SetColor(clRed);
  a.Canvas().Ellipse(0, 0, 3, 2);
  b.Canvas().Brush().SetColor(clBlue);
  b.Canvas().FillRect(TRect{0, 0, 5, 4});
  a.ExchangePixels(b);
  EXPECT_EQ(a.Width(), 5);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_EQ(CountColor(a, clBlue), 20);
  a.Canvas().Brush().SetColor(clLime);
  a.Canvas().Ellipse(0, 0, 5, 4);
  b.Canvas().Brush().SetColor(clLime);
  b.Canvas().Ellipse(0, 0, 3, 2);
  EXPECT_EQ(a.Pixel(2, 2), clLime);
  EXPECT_EQ(b.Pixel(1, 1), clLime);
  // Direct writes reach the whole of the pixels each canvas now holds, and
  // no further.
  a.Canvas().Brush().SetColor(clYellow);
  a.Canvas().FillRect(TRect{-1, -1, 9, 9});
  b.Canvas().Brush().SetColor(clYellow);
  b.Canvas().FillRect(TRect{-1, -1, 9, 9});
  EXPECT_EQ(CountColor(a, clYellow), 20);
  EXPECT_EQ(CountColor(b, clYellow), 6);
  TBitmap none;
  EXPECT_FALSE(none.SharesPixelsWith(TBitmap()));
}

TEST(CanvasTest, SetSizeKeepsTheOverlappingPixels) {
  TBitmap bitmap(10, 10);
  bitmap.Canvas().Brush().SetColor(clRed);
  bitmap.Canvas().FillRect(TRect{0, 0, 10, 10});
  bitmap.SetSize(12, 8);
  EXPECT_EQ(bitmap.Width(), 12);
  EXPECT_EQ(bitmap.Height(), 8);
  EXPECT_EQ(CountColor(bitmap, clRed), 80);
  EXPECT_EQ(bitmap.Pixel(10, 0), clWhite);
  bitmap.SetSize(12, 12);
  EXPECT_EQ(CountColor(bitmap, clRed), 80);
  EXPECT_EQ(bitmap.Pixel(0, 9), clWhite);
  // Drawing still works after a resize, over the whole new size.
  bitmap.Canvas().FillRect(TRect{0, 0, 12, 12});
  EXPECT_EQ(CountColor(bitmap, clRed), 144);

  TBitmap empty;
  EXPECT_EQ(empty.Width(), 0);
  empty.Canvas().Rectangle(0, 0, 5, 5);  // nothing to draw on, nothing happens
  empty.SetSize(2, 2);
  EXPECT_EQ(CountColor(empty, clWhite), 4);
}

TEST(CanvasTest, ChangeNotificationsFireOncePerChange) {
  int pen = 0, brush = 0, font = 0;
  TPen p;
  p.OnChange = [&] { ++pen; };
  p.SetColor(clRed);
  p.SetColor(clRed);
  p.SetWidth(1);
  p.SetStyle(psDot);
  p.SetMode(pmCopy);
  p.SetAlternatePixels(true);
  EXPECT_EQ(pen, 3);
  TPen other;
  p.Assign(other);
  EXPECT_EQ(pen, 4);
  EXPECT_EQ(p.Style(), psSolid);
  EXPECT_FALSE(p.AlternatePixels());
  p.Assign(other);
  EXPECT_EQ(pen, 4);

  TBrush b;
  b.OnChange = [&] { ++brush; };
  b.SetColor(clWhite);
  EXPECT_EQ(brush, 0);
  b.SetStyle(bsClear);
  b.SetColor(clWhite);  // same colour, but the clear brush turns solid
  EXPECT_EQ(b.Style(), bsSolid);
  EXPECT_EQ(brush, 2);
  b.SetStyle(bsClear);
  b.SetColor(clRed);  // colour and style change: one notification
  EXPECT_EQ(brush, 4);
  EXPECT_EQ(b.Style(), bsSolid);

  TFont f;
  f.OnChange = [&] { ++font; };
  EXPECT_EQ(f.Size(), 8);
  f.SetSize(8);  // -11 pixels already
  EXPECT_EQ(font, 0);
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -13);
  f.SetName("Arial");
  f.SetName("Arial");
  f.SetStyle(fsBold);
  f.SetOrientation(900);
  EXPECT_EQ(font, 4);
  TFont copy;
  copy.Assign(f);
  EXPECT_EQ(copy.Name(), "Arial");
  EXPECT_EQ(copy.Orientation(), 900);

  // The bitmap reports each drawing once, a polyline included, and nothing
  // when switched off or when nothing could be drawn.
  int changes = 0;
  TBitmap bitmap(10, 10);
  bitmap.OnChange = [&] { ++changes; };
  TCanvas& canvas = bitmap.Canvas();
  canvas.Rectangle(1, 1, 5, 5);
  canvas.MoveTo(0, 0);
  canvas.LineTo(9, 9);
  const TPoint path[] = {{0, 0}, {5, 0}, {5, 5}, {0, 5}};
  canvas.Polyline(path, 4);
  EXPECT_EQ(changes, 3);
  bitmap.NotificationsEnabled = false;
  canvas.Ellipse(0, 0, 9, 9);
  EXPECT_EQ(changes, 3);
  bitmap.NotificationsEnabled = true;
  canvas.IntersectClipRect(TRect{20, 20, 30, 30});
  canvas.FillRect(TRect{0, 0, 10, 10});
  canvas.Polyline(path, 4);
  canvas.LineTo(0, 9);
  canvas.SetPixel(1, 1, clRed);
  EXPECT_EQ(changes, 3);
  bitmap.SetSize(10, 10);
  EXPECT_EQ(changes, 3);
  bitmap.SetSize(11, 10);
  EXPECT_EQ(changes, 4);
}

TEST(CanvasTest, TextIsMeasuredAndPlacedByTheAlignmentFlags) {
  TBitmap bitmap(200, 200);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-20);
  const std::string text = "Oscilloscope";
  const int width = canvas.TextWidth(text);
  const int height = canvas.TextHeight(text);
  EXPECT_GT(width, canvas.TextWidth("Osc"));
  EXPECT_EQ(canvas.TextWidth(""), 0);
  // A character height of 20 pixels has a taller cell (internal leading).
  EXPECT_GT(height, 20);
  EXPECT_LT(height, 30);
  // A positive height is the cell height itself.
  canvas.Font().SetHeight(height);
  EXPECT_LE(canvas.TextHeight(text), height);
  EXPECT_GE(canvas.TextHeight(text), height - 1);
  canvas.Font().SetHeight(-20);

  // The opaque background fills exactly the text box; with the text in the
  // background colour the box is all there is to see.
  canvas.Font().SetColor(clRed);
  canvas.SetBackgroundColor(clRed);
  auto boxOf = [&](int x, int y, unsigned align, int orientation) {
    bitmap.Canvas().Brush().SetColor(clWhite);
    bitmap.Canvas().FillRect(TRect{0, 0, 200, 200});
    canvas.SetTextAlign(align);
    canvas.Font().SetOrientation(orientation);
    canvas.TextOut(x, y, text);
    return InkBounds(bitmap);
  };
  EXPECT_EQ(boxOf(10, 20, TA_LEFT | TA_TOP, 0), (TRect{10, 20, 10 + width, 20 + height}));
  EXPECT_EQ(boxOf(190, 150, TA_RIGHT | TA_BOTTOM, 0), (TRect{190 - width, 150 - height, 190, 150}));
  const TRect centred = boxOf(100, 100, TA_CENTER | TA_BASELINE, 0);
  EXPECT_EQ(centred.Left, 100 - width / 2);
  EXPECT_EQ(centred.Width(), width);
  EXPECT_LT(centred.Top, 100);
  EXPECT_GT(centred.Bottom, 100);
  EXPECT_EQ(centred.Height(), height);
  // Turned by 90 degrees the text runs upwards from the reference point.
  EXPECT_EQ(boxOf(50, 180, TA_LEFT | TA_TOP, 900), (TRect{50, 180 - width, 50 + height, 180}));

  // In transparent mode the background stays white around the glyphs.
  canvas.SetBackgroundMode(TRANSPARENT);
  boxOf(10, 20, TA_LEFT | TA_TOP, 0);
  EXPECT_GT(CountColor(bitmap, clWhite), 200 * 200 - width * height);
}

TEST(CanvasTest, UnderlineAndStrikeOutLieUnderAndThroughTheirTextTurnedWithIt) {
  // Transparent text at a few places, upright and turned: every pixel it
  // sets lies in its text box, and the line runs along most of the text's
  // width below the baseline (underline) or above it (strike-out).
  TBitmap bitmap(200, 200);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-20);
  canvas.Font().SetColor(clBlack);
  canvas.SetBackgroundMode(TRANSPARENT);
  canvas.SetTextAlign(TA_LEFT | TA_BASELINE);
  const std::string text = "0.25";
  const int width = canvas.TextWidth(text);
  const int height = canvas.TextHeight(text);
  for (TFontStyles style : {fsUnderline, fsStrikeOut, TFontStyles(fsUnderline | fsStrikeOut)}) {
    for (int orientation : {0, 900}) {
      for (TPoint at : {TPoint{30, 60}, TPoint{90, 170}}) {
        canvas.Brush().SetColor(clWhite);
        canvas.FillRect(TRect{0, 0, 200, 200});
        canvas.Font().SetStyle(style);
        canvas.Font().SetOrientation(orientation);
        canvas.TextOut(at.X, at.Y, text);
        const bool turned = orientation != 0;
        // The text box about the baseline, and the lines along it.
        const TRect box = turned ? TRect{at.X - height, at.Y - width, at.X + height, at.Y + 1}
                                 : TRect{at.X - 1, at.Y - height, at.X + width + 1, at.Y + height};
        const TRect ink = InkBounds(bitmap);
        EXPECT_TRUE(ink.Left >= box.Left && ink.Top >= box.Top && ink.Right <= box.Right &&
                    ink.Bottom <= box.Bottom)
            << style << " " << orientation << " at " << at.X << "," << at.Y;
        // Lines across the text: rows (columns when turned) dark over most
        // of the width, on the side of the baseline the style puts them.
        bool below = false;
        bool above = false;
        for (int d = -height; d <= height; ++d) {
          int dark = 0;
          for (int a = 0; a < width; ++a) {
            const TColor c =
                turned ? canvas.Pixel(at.X + d, at.Y - a) : canvas.Pixel(at.X + a, at.Y + d);
            if (c != clWhite && GetRValue(c) < 128) ++dark;
          }
          if (dark * 10 >= width * 9) (d > 0 ? below : above) = true;
        }
        EXPECT_EQ(below, (style & fsUnderline) != 0) << style << " " << orientation;
        EXPECT_EQ(above, (style & fsStrikeOut) != 0) << style << " " << orientation;
      }
    }
  }
}

}  // namespace
}  // namespace drivesim

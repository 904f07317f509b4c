// The chart canvas on real bitmaps: gradient bands and their colours, clip
// regions, depth forms of the flat shapes, chart pens, rotated text, the
// buffered frame, and the canvas's small helpers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "chart/ChartCanvas.h"
#include "platform/Numbers.h"

namespace drivesim {
namespace {

// A bitmap with a chart canvas attached to it.
struct Surface {
  explicit Surface(int w, int h) : bitmap(w, h) { canvas.AttachCanvas(bitmap.Canvas()); }
  TBitmap bitmap;
  TChartCanvas3D canvas;
};

int CountPixels(const TBitmap& b, TColor color) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y) == color) ++n;
  return n;
}

// Colour of step k of d from start to end, as the gradient computes it.
TColor Step(TColor start, TColor end, int k, int d) {
  auto part = [&](int s, int e) { return s + MulDiv(k, e - s, d); };
  return RGB(part(GetRValue(start), GetRValue(end)), part(GetGValue(start), GetGValue(end)),
             part(GetBValue(start), GetBValue(end)));
}

TEST(ChartPen, DefaultsVariantsNotificationsAndAssign) {
  TChartPen pen;
  EXPECT_TRUE(pen.Visible());
  EXPECT_FALSE(pen.SmallDots());
  EXPECT_EQ(pen.Color(), clBlack);
  EXPECT_EQ(pen.Width(), 1);
  EXPECT_EQ(pen.Style(), psSolid);
  EXPECT_EQ(pen.Mode(), pmCopy);

  EXPECT_FALSE(TChartHiddenPen().Visible());
  TDottedGrayPen dotted;
  EXPECT_EQ(dotted.Color(), 0x808080u);
  EXPECT_EQ(dotted.Style(), psDot);
  EXPECT_TRUE(dotted.Visible());
  TDarkGrayPen dark;
  EXPECT_EQ(dark.Color(), 0x808080u);
  EXPECT_EQ(dark.Style(), psSolid);
  EXPECT_EQ(TChartAxisPen().Width(), 2);
  EXPECT_EQ(TChartArrowPen().Color(), 0xFFFFFFu);

  int changes = 0;
  pen.OnChange = [&] { ++changes; };
  pen.SetVisible(true);
  pen.SetSmallDots(false);
  EXPECT_EQ(changes, 0);
  pen.SetVisible(false);
  EXPECT_EQ(changes, 1);
  pen.SetSmallDots(true);
  EXPECT_EQ(changes, 2);
  pen.SetColor(clRed);
  EXPECT_EQ(changes, 3);

  TChartHiddenPen source;
  source.SetSmallDots(false);
  source.SetColor(clBlue);
  source.SetWidth(3);
  source.SetStyle(psDash);
  TChartPen copy;
  copy.SetSmallDots(true);
  copy.Assign(source);
  EXPECT_FALSE(copy.Visible());
  EXPECT_FALSE(copy.SmallDots());
  EXPECT_EQ(copy.Color(), clBlue);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.Style(), psDash);
}

TEST(View3DOptions, DefaultsAndOwnerNotifications) {
  TView3DOptions options;
  EXPECT_EQ(options.Elevation(), 345);
  EXPECT_EQ(options.HorizOffset(), 0);
  EXPECT_TRUE(options.Orthogonal());
  EXPECT_EQ(options.Perspective(), 15);
  EXPECT_EQ(options.Rotation(), 345);
  EXPECT_EQ(options.Tilt(), 0);
  EXPECT_EQ(options.VertOffset(), 0);
  EXPECT_EQ(options.Zoom(), 100);
  EXPECT_TRUE(options.ZoomText());

  std::vector<std::string> log;
  options.OnRepaint = [&] { log.push_back("repaint"); };
  options.OnScrolled = [&](bool horizontal) {
    log.push_back(horizontal ? "scroll h" : "scroll v");
  };
  options.OnZoom = [&](int zoom) {
    log.push_back("zoom " + std::to_string(zoom) + " from " + std::to_string(options.Zoom()));
  };
  options.SetZoom(100);
  options.SetTilt(0);
  EXPECT_TRUE(log.empty());
  options.SetZoom(150);
  options.SetHorizOffset(4);
  options.SetVertOffset(-3);
  options.SetRotation(10);
  EXPECT_EQ(log, (std::vector<std::string>{"zoom 150 from 100", "repaint", "scroll h", "repaint",
                                           "scroll v", "repaint", "repaint"}));
  EXPECT_EQ(options.Zoom(), 150);
}

TEST(ChartCanvasGradient, TopBottomRowsStepColoursAndBrushRestored) {
  // Three rows from white to silver: the start colour lies along the bottom.
  Surface s(6, 6);
  s.canvas.Brush().SetColor(clRed);
  s.canvas.Brush().SetStyle(bsClear);
  s.canvas.FillGradient({1, 1, 5, 4}, clWhite, clSilver, gdTopBottom);
  EXPECT_EQ(s.bitmap.Pixel(2, 1), 0xC0C0C0u);
  EXPECT_EQ(s.bitmap.Pixel(2, 2), 0xDFDFDFu);
  EXPECT_EQ(s.bitmap.Pixel(4, 3), 0xFFFFFFu);
  EXPECT_EQ(s.canvas.GradientBrushCount(), 3);
  EXPECT_EQ(s.bitmap.Pixel(0, 1), clWhite);
  EXPECT_EQ(s.bitmap.Pixel(5, 2), clWhite);
  EXPECT_EQ(s.bitmap.Pixel(2, 0), clWhite);
  EXPECT_EQ(s.bitmap.Pixel(2, 4), clWhite);
  // The brush selected before the fill is selected again.
  EXPECT_EQ(s.canvas.Brush().Color(), clRed);
  EXPECT_EQ(s.canvas.Brush().Style(), bsClear);

  // One row takes the start colour; an empty or inverted-empty rectangle
  // paints nothing.
  Surface one(4, 3);
  one.canvas.FillGradient({0, 1, 4, 2}, clBlue, clRed, gdTopBottom);
  EXPECT_EQ(one.bitmap.Pixel(0, 1), clBlue);
  EXPECT_EQ(one.bitmap.Pixel(0, 0), clWhite);
  one.canvas.FillGradient({0, 2, 4, 2}, clBlue, clRed, gdTopBottom);
  one.canvas.FillGradient({4, 0, 4, 3}, clBlue, clRed, gdLeftRight);
  EXPECT_EQ(one.bitmap.Pixel(0, 2), clWhite);
  EXPECT_EQ(one.canvas.GradientBrushCount(), 0);
}

TEST(ChartCanvasGradient, AroundAHoleEveryOtherPixelIsTheWholeFillsAndTheHoleIsLeft) {
  const TGradientDirection directions[] = {gdTopBottom,     gdBottomTop,  gdLeftRight,
                                           gdRightLeft,     gdFromCenter, gdFromTopLeft,
                                           gdFromBottomLeft};
  // Holes inside, across an edge, covering all, and outside the rectangle.
  const TRect holes[] = {{8, 6, 30, 20}, {0, 0, 12, 40}, {-5, -5, 60, 60}, {45, 30, 50, 35}};
  const TRect r{2, 3, 38, 27};
  for (const TGradientDirection direction : directions) {
    Surface whole(40, 30);
    whole.canvas.FillGradient(r, clBlue, clYellow, direction);
    for (const TRect& hole : holes) {
      Surface around(40, 30);
      around.canvas.Brush().SetColor(clLime);
      around.canvas.FillArea({0, 0, 40, 30});
      around.canvas.FillGradientAround(r, hole, clBlue, clYellow, direction);
      Surface cleared(40, 30);
      cleared.canvas.Brush().SetColor(clLime);
      cleared.canvas.FillArea({0, 0, 40, 30});
      cleared.canvas.Brush().SetColor(clRed);
      cleared.canvas.ClearAreaAround(r, hole);
      for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
          const bool inRect = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
          const bool inHole = x >= hole.Left && x < hole.Right && y >= hole.Top && y < hole.Bottom;
          const TColor gradient = inRect && !inHole ? whole.bitmap.Pixel(x, y) : clLime;
          const TColor plain = inRect && !inHole ? clRed : clLime;
          ASSERT_EQ(around.bitmap.Pixel(x, y), gradient)
              << "direction " << direction << " at " << x << ", " << y;
          ASSERT_EQ(cleared.bitmap.Pixel(x, y), plain) << "at " << x << ", " << y;
        }
      }
    }
  }
}

TEST(ChartCanvasGradient, TallFillUsesAtMost256BandsAndOneBrushPerColour) {
  // From black to blue over 256 bands: band i has blue component i, so every
  // row shows which band covers it.
  Surface s(2, 610);
  const TRect r{0, 5, 2, 605};
  s.canvas.FillGradient(r, clBlack, RGB(0, 0, 255), gdTopBottom);
  EXPECT_EQ(s.canvas.GradientBrushCount(), 256);
  for (int i = 0; i < 256; ++i) {
    const int top = r.Bottom - MulDiv(i + 1, 600, 256);
    const int bottom = r.Bottom - MulDiv(i, 600, 256);
    ASSERT_TRUE(bottom - top == 2 || bottom - top == 3) << "band " << i;
    for (int y = top; y < bottom; ++y) ASSERT_EQ(s.bitmap.Pixel(1, y), RGB(0, 0, i)) << y;
  }
  EXPECT_EQ(s.bitmap.Pixel(0, 4), clWhite);
  EXPECT_EQ(s.bitmap.Pixel(0, 605), clWhite);

  // Seventeen different red levels over 256 bands: seventeen brushes.
  s.canvas.FillGradient(r, clBlack, RGB(16, 0, 0), gdTopBottom);
  EXPECT_EQ(s.canvas.GradientBrushCount(), 17);
  s.canvas.FillGradient(r, clSilver, clSilver, gdLeftRight);
  EXPECT_EQ(s.canvas.GradientBrushCount(), 1);
}

TEST(ChartCanvasGradient, ReversedDirectionsSwapColoursAndRectangleIsNormalised) {
  const TColor a = RGB(200, 10, 10);
  const TColor b = RGB(10, 10, 200);
  Surface s(10, 10);
  s.canvas.FillGradient({0, 0, 10, 10}, a, b, gdBottomTop);
  EXPECT_EQ(s.bitmap.Pixel(3, 0), a);
  EXPECT_EQ(s.bitmap.Pixel(3, 9), b);
  s.canvas.FillGradient({0, 0, 10, 10}, a, b, gdRightLeft);
  EXPECT_EQ(s.bitmap.Pixel(0, 3), a);
  EXPECT_EQ(s.bitmap.Pixel(9, 3), b);
  s.canvas.FillGradient({0, 0, 10, 10}, a, b, gdLeftRight);
  EXPECT_EQ(s.bitmap.Pixel(9, 3), a);
  EXPECT_EQ(s.bitmap.Pixel(0, 3), b);

  Surface given(10, 10), flipped(10, 10);
  given.canvas.FillGradient({1, 2, 9, 8}, a, b, gdTopBottom);
  flipped.canvas.FillGradient({9, 8, 1, 2}, a, b, gdTopBottom);
  EXPECT_TRUE(SamePixels(given.bitmap, flipped.bitmap));
}

TEST(ChartCanvasGradient, FromCenterAndFromCornersColours) {
  // From the centre the colours are exchanged first: the end colour lies on
  // the outer edge and the centre nears the start colour.
  const TColor a = clBlack;
  const TColor b = RGB(200, 100, 0);
  Surface s(10, 10);
  s.canvas.FillGradient({0, 0, 10, 10}, a, b, gdFromCenter);
  for (TPoint corner : {TPoint{0, 0}, TPoint{9, 0}, TPoint{0, 9}, TPoint{9, 9}})
    EXPECT_EQ(s.bitmap.Pixel(corner.X, corner.Y), b);
  EXPECT_EQ(s.bitmap.Pixel(1, 1), RGB(160, 80, 0));
  EXPECT_EQ(s.bitmap.Pixel(8, 5), RGB(160, 80, 0));
  EXPECT_EQ(s.bitmap.Pixel(4, 4), RGB(40, 20, 0));
  EXPECT_EQ(s.bitmap.Pixel(5, 5), RGB(40, 20, 0));
  // An odd square's centre pixel takes the last step: the start colour.
  Surface odd(3, 3);
  odd.canvas.FillGradient({0, 0, 3, 3}, a, b, gdFromCenter);
  EXPECT_EQ(odd.bitmap.Pixel(0, 2), b);
  EXPECT_EQ(odd.bitmap.Pixel(1, 1), a);

  // From a corner every pixel takes the step at which the square growing from
  // that corner reaches it: 2 * max(dx, dy) of 8 on a 4 x 4 rectangle.
  Surface topLeft(4, 4), bottomLeft(4, 4);
  topLeft.canvas.FillGradient({0, 0, 4, 4}, a, b, gdFromTopLeft);
  bottomLeft.canvas.FillGradient({0, 0, 4, 4}, a, b, gdFromBottomLeft);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(topLeft.bitmap.Pixel(x, y), Step(b, a, 2 * std::max(x, y), 8)) << x << "," << y;
      EXPECT_EQ(bottomLeft.bitmap.Pixel(x, 3 - y), Step(b, a, 2 * std::max(x, y), 8))
          << x << "," << y;
    }
  }
}

TEST(ChartCanvasGradient, EveryDirectionCoversExactlyItsRectangle) {
  // A border of untouched white around every fill, and no white inside: odd
  // squares keep their centre pixel, tall corner fills stay inside.
  const TColor a = RGB(10, 20, 30);
  const TColor b = RGB(200, 150, 100);
  for (int dir = gdTopBottom; dir <= gdFromBottomLeft; ++dir) {
    for (int w = 1; w <= 9; ++w) {
      for (int h = 1; h <= 9; ++h) {
        Surface s(w + 4, h + 4);
        s.canvas.FillGradient({2, 2, 2 + w, 2 + h}, a, b, static_cast<TGradientDirection>(dir));
        for (int y = 0; y < h + 4; ++y) {
          for (int x = 0; x < w + 4; ++x) {
            const bool inside = x >= 2 && x < 2 + w && y >= 2 && y < 2 + h;
            ASSERT_EQ(s.bitmap.Pixel(x, y) != clWhite, inside)
                << "direction " << dir << " size " << w << "x" << h << " at " << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(ChartCanvasClip, ClipToBoxNarrowsByPixelsAndRemoveClipLiftsAll) {
  Surface s(130, 130);
  s.canvas.ClipToBox({10, 20, 110, 120}, 0, 5);
  s.canvas.Brush().SetColor(clRed);
  s.canvas.FillArea({0, 0, 130, 130});
  EXPECT_EQ(s.bitmap.Pixel(10, 50), clWhite);
  EXPECT_EQ(s.bitmap.Pixel(11, 50), clRed);
  EXPECT_EQ(s.bitmap.Pixel(109, 50), clRed);
  EXPECT_EQ(s.bitmap.Pixel(110, 50), clWhite);
  EXPECT_EQ(s.bitmap.Pixel(50, 20), clWhite);
  EXPECT_EQ(s.bitmap.Pixel(50, 21), clRed);
  EXPECT_EQ(s.bitmap.Pixel(50, 118), clRed);
  EXPECT_EQ(s.bitmap.Pixel(50, 119), clWhite);
  EXPECT_EQ(CountPixels(s.bitmap, clRed), 99 * 98);

  s.canvas.ClipTo({0, 0, 50, 50});
  s.canvas.Brush().SetColor(clBlue);
  s.canvas.FillArea({0, 0, 130, 130});
  EXPECT_EQ(CountPixels(s.bitmap, clBlue), 39 * 29);
  EXPECT_EQ(s.bitmap.Pixel(11, 21), clBlue);
  EXPECT_EQ(s.bitmap.Pixel(50, 21), clRed);

  s.canvas.RemoveClip();
  s.canvas.Brush().SetColor(clLime);
  s.canvas.FillArea({0, 0, 130, 130});
  EXPECT_EQ(CountPixels(s.bitmap, clLime), 130 * 130);
}

TEST(ChartCanvasShapes, DepthFormsOfBoxAndEllipse) {
  Surface box(30, 30), boxAtDepth(30, 30);
  box.canvas.DrawBox({10, 10, 20, 20});
  boxAtDepth.canvas.DrawBoxAtDepth({10, 10, 20, 20}, 7);
  for (int i = 10; i <= 20; ++i) {
    EXPECT_EQ(box.bitmap.Pixel(20, i), clWhite) << i;
    EXPECT_EQ(box.bitmap.Pixel(i, 20), clWhite) << i;
    EXPECT_EQ(boxAtDepth.bitmap.Pixel(20, i), clBlack) << i;
    EXPECT_EQ(boxAtDepth.bitmap.Pixel(i, 20), clBlack) << i;
  }
  EXPECT_EQ(box.bitmap.Pixel(19, 19), clBlack);

  Surface ellipse(12, 12), ellipseAtDepth(12, 12);
  ellipse.canvas.Brush().SetColor(clYellow);
  ellipseAtDepth.canvas.Brush().SetColor(clYellow);
  ellipse.canvas.DrawEllipse(0, 0, 10, 10);
  ellipseAtDepth.canvas.DrawEllipseAtDepth(0, 0, 9, 9, 3);
  EXPECT_GT(CountPixels(ellipse.bitmap, clYellow), 0);
  EXPECT_TRUE(SamePixels(ellipse.bitmap, ellipseAtDepth.bitmap));
}

TEST(ChartCanvasPens, ApplyPenHiddenSmallDotsAndOwnStyle) {
  // A hidden pen: the box is filled and has no outline; colour and width stay.
  Surface s(20, 20);
  s.canvas.Pen().SetColor(clBlue);
  s.canvas.Pen().SetWidth(3);
  s.canvas.ApplyPen(TChartHiddenPen());
  EXPECT_EQ(s.canvas.Pen().Style(), psClear);
  EXPECT_EQ(s.canvas.Pen().Color(), clBlue);
  EXPECT_EQ(s.canvas.Pen().Width(), 3);
  s.canvas.Brush().SetColor(clRed);
  s.canvas.DrawBox({0, 0, 10, 10});
  EXPECT_EQ(s.bitmap.Pixel(0, 0), clRed);
  EXPECT_EQ(s.bitmap.Pixel(5, 0), clRed);
  EXPECT_EQ(s.bitmap.Pixel(0, 5), clRed);
  EXPECT_EQ(CountPixels(s.bitmap, clBlue), 0);

  // SmallDots at width 1: alternate pixels in the resolved colour.
  TChartPen dots;
  dots.SetSmallDots(true);
  dots.SetColor(clBtnShadow);
  Surface line(20, 3);
  line.canvas.ApplyPen(dots);
  EXPECT_TRUE(line.canvas.Pen().AlternatePixels());
  line.canvas.DrawHorizontal(0, 10, 1);
  const TColor shadow = ColorToRGB(clBtnShadow);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(line.bitmap.Pixel(x, 1) == shadow, x % 2 == 0) << x;
  EXPECT_EQ(CountPixels(line.bitmap, shadow), 5);

  // SmallDots at width 2 draws exactly as the same pen without SmallDots.
  dots.SetWidth(2);
  dots.SetStyle(psDot);
  dots.SetColor(clBlack);
  TChartPen plain;
  plain.SetWidth(2);
  plain.SetStyle(psDot);
  Surface wide(30, 10), wideRef(30, 10);
  wide.canvas.ApplyPen(dots);
  wideRef.canvas.ApplyPen(plain);
  EXPECT_FALSE(wide.canvas.Pen().AlternatePixels());
  EXPECT_EQ(wide.canvas.Pen().Style(), psDot);
  EXPECT_EQ(wide.canvas.Pen().Width(), 2);
  wide.canvas.DrawSegment(2, 5, 28, 5);
  wideRef.canvas.DrawSegment(2, 5, 28, 5);
  EXPECT_GT(CountPixels(wide.bitmap, clBlack), 0);
  EXPECT_TRUE(SamePixels(wide.bitmap, wideRef.bitmap));
}

TEST(ChartCanvasText, RotatedTextReducesAngleOnceAndLeavesBrushClear) {
  auto draw = [](int angle) {
    auto s = std::make_unique<Surface>(60, 60);
    s->canvas.Font().SetSize(12);
    s->canvas.DrawRotatedText(30, 30, "Ab", angle);
    EXPECT_EQ(s->canvas.Brush().Style(), bsClear);
    EXPECT_EQ(s->canvas.Font().Orientation(), 0);
    EXPECT_EQ(s->canvas.Font().Size(), 12);
    return s;
  };
  auto at0 = draw(0), at90 = draw(90), at450 = draw(450), at360 = draw(360), at720 = draw(720);
  EXPECT_GT(CountPixels(at90->bitmap, clWhite), 0);
  EXPECT_LT(CountPixels(at90->bitmap, clWhite), 60 * 60);
  EXPECT_FALSE(SamePixels(at0->bitmap, at90->bitmap));
  EXPECT_TRUE(SamePixels(at90->bitmap, at450->bitmap));
  EXPECT_TRUE(SamePixels(at360->bitmap, at720->bitmap));

  // Without a surface nothing can be measured.
  TChartCanvas3D detached;
  EXPECT_EQ(detached.MeasureTextWidth("Oscilloscope"), 0);
  EXPECT_EQ(detached.FontLineHeight(), 0);
  EXPECT_GT(at0->canvas.FontLineHeight(), 0);
}

TEST(ChartCanvasFrame, BufferedFrameCopiesRepaintsAndRecreatesOnlyWhenNeeded) {
  TBitmap control(40, 30);
  TChartCanvas3D canvas;
  EXPECT_TRUE(canvas.IsBuffered());
  EXPECT_TRUE(canvas.IsDirty());
  EXPECT_FALSE(canvas.RepaintFromBuffer());
  EXPECT_EQ(canvas.BufferImage(), nullptr);

  int repaints = 0;
  TView3DOptions options;
  options.OnRepaint = [&] { ++repaints; };
  const TRect user{5, 5, 25, 20};
  EXPECT_EQ(canvas.BeginFrame(control.Canvas(), &options, clBlack, false, user),
            (TRect{0, 0, 20, 15}));
  ASSERT_NE(canvas.BufferImage(), nullptr);
  EXPECT_EQ(canvas.BufferImage()->Width(), 20);
  EXPECT_EQ(canvas.BufferImage()->Height(), 15);
  EXPECT_FALSE(canvas.BufferImage()->NotificationsEnabled);
  EXPECT_NE(canvas.DeviceContext(), &control.Canvas());
  canvas.Brush().SetColor(clRed);
  canvas.FillArea({0, 0, 20, 15});
  EXPECT_EQ(control.Pixel(10, 10), clWhite);  // nothing reaches the control before EndFrame
  canvas.EndFrame(control.Canvas(), control.Canvas(), user);
  EXPECT_FALSE(canvas.IsDirty());
  EXPECT_EQ(canvas.DeviceContext(), &control.Canvas());
  EXPECT_EQ(control.Pixel(5, 5), clRed);
  EXPECT_EQ(control.Pixel(24, 19), clRed);
  EXPECT_EQ(control.Pixel(4, 5), clWhite);
  EXPECT_EQ(control.Pixel(25, 19), clWhite);
  EXPECT_EQ(control.Pixel(24, 20), clWhite);

  // Not dirty: a repaint is one copy of the buffer at (0, 0).
  EXPECT_TRUE(canvas.RepaintFromBuffer());
  EXPECT_EQ(control.Pixel(0, 0), clRed);
  canvas.MarkDirty();
  EXPECT_FALSE(canvas.RepaintFromBuffer());

  // The buffer is made again only for another size or another monochrome flag.
  canvas.BeginFrame(control.Canvas(), &options, clBlack, false, user);
  canvas.EndFrame(control.Canvas(), control.Canvas(), user);
  EXPECT_EQ(canvas.BufferImageCreations(), 1);
  canvas.BeginFrame(control.Canvas(), &options, clBlack, false, {0, 0, 40, 30});
  canvas.EndFrame(control.Canvas(), control.Canvas(), {0, 0, 40, 30});
  EXPECT_EQ(canvas.BufferImageCreations(), 2);
  canvas.ChangeMonochrome(false);
  EXPECT_EQ(repaints, 0);
  canvas.ChangeMonochrome(true);
  EXPECT_EQ(repaints, 1);
  EXPECT_TRUE(canvas.IsDirty());
  EXPECT_EQ(canvas.BufferImage(), nullptr);
  canvas.BeginFrame(control.Canvas(), &options, clBlack, false, {0, 0, 40, 30});
  EXPECT_EQ(canvas.BufferImageCreations(), 3);
  EXPECT_TRUE(canvas.BufferImage()->Monochrome());

  // Switching buffering off mid-frame frees the buffer and leaves no surface
  // attached rather than one that no longer exists.
  canvas.ChangeBuffered(false);
  EXPECT_EQ(canvas.BufferImage(), nullptr);
  EXPECT_EQ(canvas.DeviceContext(), nullptr);
  EXPECT_TRUE(canvas.IsDirty());
  EXPECT_EQ(canvas.BeginFrame(control.Canvas(), &options, clBlack, false, user), user);
  EXPECT_EQ(canvas.DeviceContext(), &control.Canvas());
  canvas.EndFrame(control.Canvas(), control.Canvas(), user);
  EXPECT_TRUE(canvas.IsDirty());
  EXPECT_FALSE(canvas.RepaintFromBuffer());
}

TEST(ChartCanvasFrame, FramesThatPaintEveryPixelAreHandedOverWithoutACopy) {
  TBitmap control(20, 15);
  TChartCanvas3D canvas;
  canvas.SetFramesPaintEveryPixel(true);
  const TRect whole{0, 0, 20, 15};
  const auto frame = [&](TColor color) {
    canvas.BeginFrame(control.Canvas(), nullptr, clBlack, false, whole);
    canvas.Brush().SetColor(color);
    canvas.FillArea(whole);
    canvas.EndFrame(control.Canvas(), control.Canvas(), whole);
  };

  // Each frame is shown, and the surface shares the frame's pixels.
  const TColor colors[] = {clRed, clBlue, clLime, clYellow, clRed};
  for (const TColor color : colors) {
    frame(color);
    EXPECT_EQ(CountPixels(control, color), 300);
    EXPECT_TRUE(control.SharesPixels());
    EXPECT_EQ(CountPixels(*canvas.BufferImage(), color), 300);
  }
  EXPECT_EQ(canvas.BufferImageCreations(), 1);

  // Writing on the surface (an overlay) leaves the frame in the buffer, and
  // the repaint from it puts the frame back.
  control.Canvas().Brush().SetColor(clBlack);
  control.Canvas().FillRect(TRect{0, 0, 5, 5});
  EXPECT_EQ(CountPixels(*canvas.BufferImage(), clRed), 300);
  EXPECT_TRUE(canvas.RepaintFromBuffer());
  EXPECT_EQ(CountPixels(control, clRed), 300);

  // A frame that leaves pixels alone is drawn over the last frame, as
  // without the setting.
  canvas.SetFramesPaintEveryPixel(false);
  canvas.BeginFrame(control.Canvas(), nullptr, clBlack, false, whole);
  canvas.Brush().SetColor(clBlue);
  canvas.FillArea(TRect{0, 0, 10, 15});
  canvas.EndFrame(control.Canvas(), control.Canvas(), whole);
  EXPECT_EQ(CountPixels(control, clBlue), 150);
  EXPECT_EQ(CountPixels(control, clRed), 150);
}

TEST(ChartCanvasFrame, EachFrameIsDrawnOverTheLastOnesPixelsWhileTheSurfaceShowsAnEarlierFrame) {
  TBitmap control(20, 15);
  TChartCanvas3D canvas;
  canvas.SetFramesPaintEveryPixel(true);
  const TRect whole{0, 0, 20, 15};
  const auto begin = [&](TCanvas& destination) {
    canvas.BeginFrame(destination, nullptr, clBlack, false, whole);
  };
  const auto end = [&](TCanvas& destination, TColor color) {
    canvas.Brush().SetColor(color);
    canvas.FillArea(whole);
    canvas.EndFrame(destination, control.Canvas(), whole);
  };
  begin(control.Canvas());
  end(control.Canvas(), clRed);
  begin(control.Canvas());
  end(control.Canvas(), clBlue);

  // From the third frame on, the buffer starts out holding the last frame:
  // the new frame goes into its pixels, no longer shared, while the surface
  // shows a whole earlier frame. The frame is then shown as before.
  const TColor colors[] = {clLime, clYellow, clBlue, clGreen};
  TColor last = clBlue;
  for (const TColor color : colors) {
    begin(control.Canvas());
    EXPECT_EQ(CountPixels(*canvas.BufferImage(), last), 300);
    EXPECT_FALSE(canvas.BufferImage()->SharesPixels());
    EXPECT_NE(CountPixels(control, last), 300);
    const bool earlierFrame = CountPixels(control, clRed) == 300 ||
                              CountPixels(control, clBlue) == 300 ||
                              CountPixels(control, clLime) == 300;
    EXPECT_TRUE(earlierFrame);
    end(control.Canvas(), color);
    EXPECT_EQ(CountPixels(control, color), 300);
    EXPECT_TRUE(control.SharesPixelsWith(*canvas.BufferImage()));
    last = color;
  }
  EXPECT_EQ(canvas.BufferImageCreations(), 1);

  // A frame handed to another bitmap, while the surface still shares the
  // last frame: the surface keeps showing it, and so does the other bitmap
  // after the next frame.
  TBitmap other(20, 15);
  begin(other.Canvas());
  end(other.Canvas(), clAqua);
  EXPECT_EQ(CountPixels(control, clGreen), 300);
  EXPECT_EQ(CountPixels(other, clAqua), 300);
  begin(control.Canvas());
  end(control.Canvas(), clFuchsia);
  EXPECT_EQ(CountPixels(other, clAqua), 300);
  EXPECT_EQ(CountPixels(control, clFuchsia), 300);

  // A surface with a clip is not given the spare frame (it would be copied
  // in part): the frame goes into other pixels, the surface showing the last
  // frame meanwhile.
  control.Canvas().IntersectClipRect(TRect{0, 0, 10, 15});
  begin(control.Canvas());
  EXPECT_EQ(CountPixels(control, clFuchsia), 300);
  end(control.Canvas(), clMaroon);
  EXPECT_EQ(CountPixels(control, clMaroon), 150);
  EXPECT_EQ(CountPixels(control, clFuchsia), 150);
}

TEST(ChartCanvasFrame, ProjectionFrontPlaneAndDrawingStateReset) {
  TBitmap control(50, 50);
  TChartCanvas3D canvas;
  TView3DOptions options;
  options.SetZoom(150);
  options.SetHorizOffset(3);
  options.SetVertOffset(-2);
  canvas.BeginFrame(control.Canvas(), &options, clBlack, true, {0, 0, 50, 50});
  EXPECT_TRUE(canvas.Is3D());
  EXPECT_DOUBLE_EQ(canvas.ZoomFactor(), 1.5);
  EXPECT_TRUE(canvas.IsOrthogonal());
  canvas.BeginFrontPlane();
  EXPECT_FALSE(canvas.Is3D());
  canvas.EndFrontPlane();
  EXPECT_TRUE(canvas.Is3D());
  canvas.BeginFrame(control.Canvas(), &options, clBlack, false, {0, 0, 50, 50});
  EXPECT_FALSE(canvas.Is3D());
  EXPECT_DOUBLE_EQ(canvas.ZoomFactor(), 1.0);
  EXPECT_FALSE(canvas.IsOrthogonal());

  canvas.SetProjection(11, {0, 0, 50, 50}, {-7, 3, 0, 40});
  EXPECT_EQ(canvas.CentreX(), -3);  // truncated toward zero
  EXPECT_EQ(canvas.CentreY(), 21);
  EXPECT_EQ(canvas.CentreZ(), 5);
  EXPECT_EQ(canvas.CentreOffset(), (TPoint{0, 19}));
  EXPECT_DOUBLE_EQ(canvas.PerspectiveFactor(), 15 / 35000.0);
  TPoint p = canvas.PlaneToScreen(4, 9, 100);
  EXPECT_EQ(p, (TPoint{4, 9}));

  canvas.Pen().SetColor(clRed);
  canvas.Pen().SetWidth(4);
  canvas.Pen().SetStyle(psDash);
  canvas.Pen().SetAlternatePixels(true);
  canvas.Brush().SetStyle(bsClear);
  canvas.Font().SetColor(clBlue);
  canvas.Font().SetSize(20);
  canvas.ChangeBackgroundColor(clBtnFace);
  EXPECT_EQ(canvas.BackgroundColor(), ColorToRGB(clBtnFace));
  canvas.ChangeBackgroundMode(OPAQUE);
  canvas.ResetDrawingState();
  EXPECT_EQ(canvas.Pen().Color(), clBlack);
  EXPECT_EQ(canvas.Pen().Width(), 1);
  EXPECT_EQ(canvas.Pen().Style(), psSolid);
  EXPECT_FALSE(canvas.Pen().AlternatePixels());
  EXPECT_EQ(canvas.Brush().Color(), clWhite);
  EXPECT_EQ(canvas.Brush().Style(), bsSolid);
  EXPECT_EQ(canvas.Font().Color(), clBlack);
  EXPECT_EQ(canvas.Font().Size(), 10);
  EXPECT_EQ(canvas.BackgroundColor(), clWhite);
  EXPECT_EQ(canvas.BackgroundMode(), TRANSPARENT);
}

TEST(ChartCanvasHelpers, PaletteFontsAnglesAndRectangles) {
  EXPECT_EQ(DefaultSeriesColor(0), 0x0000FFu);
  EXPECT_EQ(DefaultSeriesColor(17), 0x008000u);
  EXPECT_EQ(DefaultSeriesColor(15), 0x000000u);
  EXPECT_EQ(DefaultSeriesColor(13), 0xC0C0C0u);

  int changes = 0;
  auto font = MakeDefaultFont([&] { ++changes; });
  EXPECT_EQ(font->Name(), "Arial");
  EXPECT_EQ(font->Size(), 8);
  EXPECT_TRUE(IsDefaultChartFont(*font));
  EXPECT_EQ(changes, 0);
  font->SetColor(clRed);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(IsDefaultChartFont(*font));
  TFont platformDefault;
  EXPECT_FALSE(IsDefaultChartFont(platformDefault));

  EXPECT_NO_THROW(ValidateAngle(0, "Axis Title"));
  EXPECT_NO_THROW(ValidateAngle(359, "Axis Title"));
  EXPECT_THROW(ValidateAngle(-1, "Axis Title"), ChartException);
  try {
    ValidateAngle(360, "Axis Labels");
    ADD_FAILURE() << "360 accepted";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Axis Labels Angle must be between 0 and 359 degrees");
  }

  int w = 0, h = 0;
  RectExtent({3, 4, 10, 1}, w, h);
  EXPECT_EQ(w, 7);
  EXPECT_EQ(h, -3);
  EXPECT_EQ(RectMidpoint({-5, -4, 0, 1}), (TPoint{-2, -1}));
}

}  // namespace
}  // namespace drivesim

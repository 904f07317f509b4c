// A drawing kept as the pixels it sets: laid onto a bitmap with anything on
// it, the layer leaves exactly what drawing it there leaves, inside the clip
// only, and holds no pixel the drawing left alone.
#include <gtest/gtest.h>

#include <vector>

#include "BitmapPixels.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/PixelLayer.h"

namespace drivesim {
namespace {

// Dotted lines with opaque gaps, an outlined ellipse and a rectangle, a
// polygon reaching out of the bitmap and a single pixel.
void Drawing(TCanvas& canvas) {
  canvas.Pen().SetColor(RGB(10, 20, 30));
  canvas.Brush().SetColor(RGB(200, 100, 50));
  canvas.Ellipse(5, 6, 30, 25);
  canvas.Rectangle(20, 20, 41, 33);
  canvas.Pen().SetStyle(psDot);
  canvas.MoveTo(0, 38);
  canvas.LineTo(47, 2);
  canvas.Pen().SetStyle(psSolid);
  const TPoint points[] = {{30, -5}, {55, 10}, {35, 20}};
  canvas.Polygon(points, 3);
  canvas.SetPixel(2, 37, clLime);
}

// A bitmap with a pattern of colours on it, none of them the drawing's.
void Scribble(TBitmap& bitmap) {
  TCanvas& canvas = bitmap.Canvas();
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) canvas.SetPixel(x, y, RGB(x * 5, y * 6, (x ^ y) * 3));
  }
}

TEST(PixelLayerTest, LaidLayerLeavesWhatTheDrawingLeaves) {
  const TPixelLayer layer = TPixelLayer::Capture(48, 40, Drawing);
  EXPECT_EQ(layer.Width(), 48);
  EXPECT_EQ(layer.Height(), 40);

  // On a white bitmap the layer's pixels are exactly those the drawing
  // changes (none of its colours is white), and its bounds hold them all.
  TBitmap drawn(48, 40);
  Drawing(drawn.Canvas());
  std::size_t changed = 0;
  TRect bounds{48, 40, 0, 0};
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 48; ++x) {
      if (drawn.Pixel(x, y) == clWhite) continue;
      ++changed;
      bounds = TRect{std::min(bounds.Left, x), std::min(bounds.Top, y),
                     std::max(bounds.Right, x + 1), std::max(bounds.Bottom, y + 1)};
    }
  }
  EXPECT_EQ(layer.PixelCount(), changed);
  EXPECT_EQ(layer.Bounds(), bounds);

  // Over a scribbled bitmap: the drawing and the laid layer agree pixel for
  // pixel, also where the drawing's dotted gaps and shapes cover the
  // scribble, and the scribble shows wherever the drawing does not reach.
  TBitmap byDrawing(48, 40);
  TBitmap byLayer(48, 40);
  Scribble(byDrawing);
  Scribble(byLayer);
  Drawing(byDrawing.Canvas());
  int notifications = 0;
  byLayer.OnChange = [&] { ++notifications; };
  byLayer.Canvas().DrawPixelLayer(layer);
  EXPECT_EQ(notifications, 1);
  EXPECT_EQ(Pixels(byLayer), Pixels(byDrawing));

  // A clip keeps the layer inside it.
  TBitmap clipped(48, 40);
  Scribble(clipped);
  const std::vector<TColor> before = Pixels(clipped);
  clipped.Canvas().IntersectClipRect(TRect{10, 8, 30, 28});
  clipped.Canvas().DrawPixelLayer(layer);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 48; ++x) {
      const bool inside = x >= 10 && x < 30 && y >= 8 && y < 28;
      const TColor expected = inside ? byDrawing.Pixel(x, y) : before[y * 48 + x];
      ASSERT_EQ(clipped.Pixel(x, y), expected) << x << ", " << y;
    }
  }

  // Laid onto a smaller bitmap, the part that fits.
  TBitmap smaller(20, 15);
  smaller.Canvas().DrawPixelLayer(layer);
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 20; ++x)
      ASSERT_EQ(smaller.Pixel(x, y), drawn.Pixel(x, y)) << x << ", " << y;
  }
}

TEST(PixelLayerTest, ADrawingThatSetsNothingIsAnEmptyLayer) {
  const TPixelLayer nothing = TPixelLayer::Capture(10, 10, [](TCanvas& canvas) {
    canvas.Pen().SetStyle(psClear);
    canvas.MoveTo(0, 0);
    canvas.LineTo(9, 9);
  });
  EXPECT_EQ(nothing.PixelCount(), 0u);
  EXPECT_TRUE(nothing.Bounds().IsEmpty());
  TBitmap bitmap(10, 10);
  int notifications = 0;
  bitmap.OnChange = [&] { ++notifications; };
  bitmap.Canvas().DrawPixelLayer(nothing);
  EXPECT_EQ(notifications, 0);
  EXPECT_EQ(TPixelLayer::Capture(0, 5, Drawing).PixelCount(), 0u);
}

}  // namespace
}  // namespace drivesim

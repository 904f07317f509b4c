// Wide solid lines drawn in a batch set the pixels that drawing each of them
// with the canvas's pen sets, in their order, inside the clip; the pen and
// its position stay as they were.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"

namespace drivesim {
namespace {

TEST(WideLinesTest, BatchSetsThePixelsOfEachLineDrawnWithTheWidePen) {
  std::mt19937 random(5);
  const auto pick = [&](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random);
  };
  const TColor colors[] = {clRed, clLime, clBlue, RGB(12, 34, 56)};
  for (int n = 0; n < 60; ++n) {
    const int width = pick(0, 3) == 0 ? pick(7, 12) : pick(2, 6);
    std::vector<TThinLine> lines;
    const int count = pick(1, 30);
    for (int i = 0; i < count; ++i) {
      // Short lines and long ones, inside the bitmap, across its edges and
      // far out; lines along rows and columns and single points among them.
      const int x0 = pick(0, 9) == 0 ? pick(-3000, 3000) : pick(-10, 70);
      const int y0 = pick(0, 9) == 0 ? pick(-3000, 3000) : pick(-10, 60);
      const int reach = pick(0, 1) == 0 ? 3 : 60;
      TThinLine line{x0, y0, x0 + pick(-reach, reach), y0 + pick(-reach, reach),
                     colors[pick(0, 3)]};
      if (pick(0, 5) == 0) line.Y1 = line.Y0;
      if (pick(0, 5) == 0) line.X1 = line.X0;
      lines.push_back(line);
    }
    const bool clipped = pick(0, 1) == 0;
    const TRect clip{pick(-5, 19), pick(-5, 14), pick(20, 65), pick(15, 55)};

    TBitmap batch(60, 50);
    TBitmap oneByOne(60, 50);
    for (TBitmap* bitmap : {&batch, &oneByOne}) {
      if (clipped) bitmap->Canvas().IntersectClipRect(clip);
      bitmap->Canvas().Pen().SetWidth(width);
    }
    TCanvas& canvas = batch.Canvas();
    canvas.Pen().SetColor(clYellow);
    canvas.MoveTo(7, 9);
    int notifications = 0;
    batch.OnChange = [&] { ++notifications; };
    canvas.DrawWideLines(lines.data(), count);
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(canvas.Pen().Color(), clYellow);
    EXPECT_EQ(canvas.Pen().Width(), width);
    EXPECT_EQ(canvas.PenPos(), (TPoint{7, 9}));

    TCanvas& reference = oneByOne.Canvas();
    for (const TThinLine& line : lines) {
      reference.Pen().SetColor(line.Color);
      reference.MoveTo(line.X0, line.Y0);
      reference.LineTo(line.X1, line.Y1);
    }
    const std::vector<TColor> a = Pixels(batch);
    const std::vector<TColor> b = Pixels(oneByOne);
    for (std::size_t i = 0; i < a.size(); ++i) {
      std::string drawn;
      for (const TThinLine& l : lines) {
        drawn += " (" + std::to_string(l.X0) + ", " + std::to_string(l.Y0) + ")-(" +
                 std::to_string(l.X1) + ", " + std::to_string(l.Y1) + ")";
      }
      ASSERT_EQ(a[i], b[i]) << "case " << n << ", width " << width << ", pixel (" << i % 60 << ", "
                            << i / 60 << "), lines" << drawn;
    }
  }
}

}  // namespace
}  // namespace drivesim

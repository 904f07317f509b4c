// Lines drawn in a batch set the pixels that drawing each of them with a
// thin solid pen sets, in their order, inside the clip, whatever pen the
// canvas holds; the pen and its position stay as they were.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "BitmapPixels.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"

namespace drivesim {
namespace {

TEST(ThinLinesTest, BatchSetsThePixelsOfEachLineDrawnWithAThinSolidPen) {
  std::mt19937 random(3);
  const auto pick = [&](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random);
  };
  const TColor colors[] = {clRed, clLime, clBlue, clBtnShadow, RGB(12, 34, 56)};
  for (int n = 0; n < 300; ++n) {
    std::vector<TThinLine> lines;
    const int count = pick(1, 30);
    for (int i = 0; i < count; ++i) {
      // Ends inside the bitmap, on its edges, beyond them and far out;
      // lines along rows and columns and single pixels among them.
      const auto coordinate = [&](int size) {
        switch (pick(0, 5)) {
          case 0: return pick(-40, -1);
          case 1: return pick(size, size + 40);
          case 2: return pick(-3000, 3000);
          default: return pick(0, size - 1);
        }
      };
      TThinLine line{coordinate(60), coordinate(50), coordinate(60), coordinate(50),
                     colors[pick(0, 4)]};
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
    }
    // The batch ignores the canvas's own pen, dotted and in the not-xor
    // mode here, and leaves it and its position alone.
    TCanvas& canvas = batch.Canvas();
    canvas.Pen().SetStyle(psDot);
    canvas.Pen().SetMode(pmNotXor);
    canvas.Pen().SetColor(clYellow);
    canvas.MoveTo(7, 9);
    int notifications = 0;
    batch.OnChange = [&] { ++notifications; };
    canvas.DrawThinLines(lines.data(), count);
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(canvas.Pen().Style(), psDot);
    EXPECT_EQ(canvas.Pen().Mode(), pmNotXor);
    EXPECT_EQ(canvas.Pen().Color(), clYellow);
    EXPECT_EQ(canvas.PenPos(), (TPoint{7, 9}));

    TCanvas& reference = oneByOne.Canvas();
    for (const TThinLine& line : lines) {
      reference.Pen().SetColor(line.Color);
      reference.MoveTo(line.X0, line.Y0);
      reference.LineTo(line.X1, line.Y1);
    }
    ASSERT_EQ(Pixels(batch), Pixels(oneByOne)) << "case " << n;
  }
}

}  // namespace
}  // namespace drivesim

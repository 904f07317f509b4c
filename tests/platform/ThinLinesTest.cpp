// Lines drawn in a batch set the pixels that drawing each of them with a
// thin solid pen sets, in their order, inside the clip, whatever pen the
// canvas holds; the pen and its position stay as they were. A repeated line
// sets the pixels of each of its copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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

TEST(ThinLinesTest, RepeatsSetThePixelsOfEachCopyDrawnAsAThinLine) {
  std::mt19937 random(11);
  const auto pick = [&](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random);
  };
  for (int n = 0; n < 400; ++n) {
    std::vector<TThinLineRepeat> repeats;
    const int count = pick(1, 12);
    for (int i = 0; i < count; ++i) {
      // Short lines along rows and columns (a dot, a dash, a block's row),
      // slanted ones and single pixels; copies stepping any way, across the
      // edges and out of the bitmap, overlapping or not.
      TThinLineRepeat r{};
      r.X0 = pick(0, 9) == 0 ? pick(-3000, 3000) : pick(-15, 75);
      r.Y0 = pick(0, 9) == 0 ? pick(-3000, 3000) : pick(-15, 65);
      switch (pick(0, 3)) {
        case 0: r.X1 = r.X0 + pick(-6, 6), r.Y1 = r.Y0; break;
        case 1: r.X1 = r.X0, r.Y1 = r.Y0 + pick(-6, 6); break;
        case 2: r.X1 = r.X0 + pick(-9, 9), r.Y1 = r.Y0 + pick(-9, 9); break;
        default: r.X1 = r.X0 + pick(-80, 80), r.Y1 = r.Y0; break;
      }
      r.Count = pick(0, 9) == 0 ? pick(-2, 0) : pick(1, 40);
      r.StepX = pick(0, 2) == 0 ? 0 : pick(-8, 8);
      r.StepY = pick(0, 2) == 0 ? 0 : pick(-8, 8);
      if (pick(0, 19) == 0) r.StepX = pick(0, 1) ? 1 << 28 : -(1 << 28);
      repeats.push_back(r);
    }
    const bool clipped = pick(0, 1) == 0;
    const TRect clip{pick(-5, 19), pick(-5, 14), pick(20, 65), pick(15, 55)};
    const TColor color = pick(0, 1) ? clNavy : RGB(200, 100, 50);

    TBitmap repeated(60, 50);
    TBitmap oneByOne(60, 50);
    for (TBitmap* bitmap : {&repeated, &oneByOne}) {
      if (clipped) bitmap->Canvas().IntersectClipRect(clip);
      bitmap->Canvas().Brush().SetColor(clSilver);
      bitmap->Canvas().FillRect(TRect{0, 0, 60, 50});
    }
    int notifications = 0;
    repeated.OnChange = [&] { ++notifications; };
    repeated.Canvas().DrawThinLineRepeats(repeats.data(), count, color);
    EXPECT_EQ(notifications, 1);

    // Each copy with its offset worked out in full, as a line of its own.
    std::vector<TThinLine> copies;
    for (const TThinLineRepeat& r : repeats) {
      for (long long c = 0; c < r.Count; ++c) {
        const long long dx = c * r.StepX;
        const long long dy = c * r.StepY;
        if (std::max(std::llabs(r.X0 + dx), std::llabs(r.X1 + dx)) > 1'000'000'000) continue;
        copies.push_back(TThinLine{static_cast<int>(r.X0 + dx), static_cast<int>(r.Y0 + dy),
                                   static_cast<int>(r.X1 + dx), static_cast<int>(r.Y1 + dy),
                                   color});
      }
    }
    oneByOne.Canvas().DrawThinLines(copies.data(), static_cast<int>(copies.size()));
    ASSERT_EQ(Pixels(repeated), Pixels(oneByOne)) << "case " << n;
  }
}

}  // namespace
}  // namespace drivesim

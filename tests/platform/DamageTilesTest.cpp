// The damage a bitmap keeps: the tiles a rectangle marks and the runs they
// make, and, for every kind of drawing on the canvas, that copying back the
// marked tiles from the picture the bitmap held before brings back exactly
// that picture.
#include <gtest/gtest.h>

#include <QImage>
#include <random>
#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "platform/Canvas.h"
#include "platform/DamageTiles.h"
#include "platform/Graphics.h"

namespace drivesim {
namespace {

std::vector<TRect> Runs(const TDamageTiles& tiles) {
  std::vector<TRect> runs;
  tiles.ForEachRun([&](const TRect& r) { runs.push_back(r); });
  return runs;
}

TEST(DamageTilesTest, MarksCoverTheTilesARectangleTouchesAndRunsFollowThemRowByRow) {
  static_assert(TDamageTiles::kTileWidth == 8 && TDamageTiles::kTileHeight == 4);
  TDamageTiles tiles;
  tiles.Reset(21, 10);
  // Nothing is known of a new image.
  EXPECT_TRUE(tiles.All());
  EXPECT_EQ(Runs(tiles), (std::vector<TRect>{{0, 0, 21, 10}}));
  tiles.Clear();
  EXPECT_TRUE(tiles.IsClear());
  EXPECT_TRUE(Runs(tiles).empty());

  // One pixel marks its whole tile, and only that one.
  tiles.Mark({9, 5, 10, 6});
  EXPECT_TRUE(tiles.Marked(8, 4));
  EXPECT_TRUE(tiles.Marked(15, 7));
  EXPECT_FALSE(tiles.Marked(7, 5));
  EXPECT_FALSE(tiles.Marked(16, 5));
  EXPECT_FALSE(tiles.Marked(9, 3));
  EXPECT_FALSE(tiles.Marked(9, 8));
  EXPECT_EQ(Runs(tiles), (std::vector<TRect>{{8, 4, 16, 8}}));

  // Neighbouring tiles along a row make one run; the last row and column
  // of tiles are cut to the image; parts outside the image mark nothing.
  tiles.Mark({0, 4, 1, 5});
  tiles.Mark({18, 9, 40, 30});
  tiles.Mark({-9, -9, 0, 3});
  tiles.Mark({5, 2, 5, 3});
  EXPECT_EQ(Runs(tiles), (std::vector<TRect>{{0, 4, 16, 8}, {16, 8, 21, 10}}));
  EXPECT_FALSE(tiles.Marked(21, 9));

  // A rectangle from one tile's last pixel to the next one's first.
  tiles.Clear();
  tiles.Mark({7, 3, 9, 5});
  EXPECT_EQ(Runs(tiles), (std::vector<TRect>{{0, 0, 16, 4}, {0, 4, 16, 8}}));

  // Marks down the same column of tiles (a trace drawn column by column)
  // add the rows beyond the ones already marked, above and below.
  tiles.Clear();
  tiles.Mark({1, 4, 2, 5});
  EXPECT_DOUBLE_EQ(tiles.MarkedShare(), 1.0 / 9);
  tiles.Mark({3, 0, 4, 10});
  tiles.Mark({5, 9, 6, 10});
  EXPECT_EQ(Runs(tiles), (std::vector<TRect>{{0, 0, 8, 4}, {0, 4, 8, 8}, {0, 8, 8, 10}}));
  EXPECT_DOUBLE_EQ(tiles.MarkedShare(), 3.0 / 9);
  tiles.Mark({9, 2, 10, 3});
  tiles.Mark({2, 2, 3, 3});
  EXPECT_EQ(Runs(tiles), (std::vector<TRect>{{0, 0, 16, 4}, {0, 4, 8, 8}, {0, 8, 8, 10}}));

  // Everything marked stays so whatever else is marked.
  tiles.MarkAll();
  tiles.Mark({0, 0, 1, 1});
  EXPECT_EQ(Runs(tiles), (std::vector<TRect>{{0, 0, 21, 10}}));
}

TEST(DamageTilesTest, RestoringTheDamageBringsBackThePictureAfterAnyDrawing) {
  constexpr int kWidth = 61;
  constexpr int kHeight = 47;
  TBitmap source(kWidth, kHeight);
  PaintNoise(source);
  const std::vector<TColor> picture = Pixels(source);
  TBitmap stamp(9, 5);
  stamp.Canvas().Brush().SetColor(0x123456);
  stamp.Canvas().FillRect({0, 0, 9, 5});

  std::mt19937 random(20261210);
  const auto coordinate = [&] { return static_cast<int>(random() % 100) - 20; };
  const auto color = [&] { return static_cast<TColor>(random() & 0xFFFFFF); };
  int precise = 0;
  for (int round = 0; round < 3000; ++round) {
    TBitmap target(kWidth, kHeight);
    TCanvas& canvas = target.Canvas();
    canvas.Draw(0, 0, source);
    target.KeepDamage(true);
    target.Damage()->Clear();

    TPen& pen = canvas.Pen();
    pen.SetColor(color());
    pen.SetWidth(1 + static_cast<int>(random() % 4));
    const TPenStyle styles[] = {psSolid, psSolid, psDot, psDash, psClear};
    pen.SetStyle(styles[random() % 5]);
    pen.SetMode(random() % 5 == 0 ? pmNotXor : pmCopy);
    canvas.Brush().SetColor(color());
    canvas.Brush().SetStyle(random() % 4 == 0 ? bsClear : bsSolid);
    if (random() % 3 == 0) {
      canvas.IntersectClipRect({coordinate(), coordinate(), coordinate() + 40, coordinate() + 40});
    }
    const int kind = static_cast<int>(random() % 13);
    const int x0 = coordinate(), y0 = coordinate(), x1 = coordinate(), y1 = coordinate();
    const TThinLine lines[] = {
        {x0, y0, x1, y1, color()}, {x1, y0, x0, y1, color()}, {x0, y0, x0, y1, color()}};
    switch (kind) {
      case 0:
        canvas.MoveTo(x0, y0);
        canvas.LineTo(x1, y1);
        canvas.LineTo(x0, y1);
        break;
      case 1: canvas.Rectangle(x0, y0, x1, y1); break;
      case 2: canvas.Ellipse(x0, y0, x1, y1); break;
      case 3: {
        const TPoint points[] = {{x0, y0}, {x1, y0}, {x0, y1}, {x1 / 2, y1 / 3}};
        canvas.Polygon(points, 4);
        break;
      }
      case 4: canvas.FillRect({x0, y0, x1, y1}); break;
      case 5: canvas.SetPixel(x0 / 2 + 10, y0 / 2 + 10, color()); break;
      case 6:
        canvas.Font().SetColor(color());
        canvas.Font().SetOrientation(random() % 2 ? 900 : 0);
        canvas.TextOut(x0, y0, "Wg 12");
        break;
      case 7: canvas.DrawThinLines(lines, 3); break;
      case 8: {
        const TThinLineRepeat repeats[] = {{x0, y0, x0 + 5, y0, 4, 3, 2},
                                           {x1, y1, x1, y1 + 3, 5, -4, 1}};
        canvas.DrawThinLineRepeats(repeats, 2, color());
        break;
      }
      case 9: canvas.DrawWideLines(lines, 3); break;
      case 10: canvas.DrawRoundLines(lines, 3); break;
      case 11: canvas.RoundRect(x0, y0, x1, y1, 7, 5); break;
      case 12: canvas.Draw(x0, y0, stamp); break;
    }
    if (!target.Damage()->All()) ++precise;
    canvas.RemoveClip();
    if (round % 4 == 3) {
      // Filling the damage instead, under a clip that does not hold it
      // back: the marked tiles take the colour, and every pixel outside
      // them is the picture's, as the drawing left it.
      std::vector<TColor> expected = picture;
      for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
          if (target.Damage()->Marked(x, y)) expected[y * kWidth + x] = 0x0000AA;
        }
      }
      canvas.IntersectClipRect({0, 0, 3, 3});
      ASSERT_TRUE(canvas.FillDamage(0x0000AA));
      ASSERT_EQ(Pixels(target), expected) << "round " << round << ", drawing " << kind;
    } else {
      ASSERT_TRUE(canvas.RestoreDamage(source)) << "round " << round;
      ASSERT_EQ(Pixels(target), picture) << "round " << round << ", drawing " << kind;
    }
    EXPECT_TRUE(target.Damage()->IsClear());
  }
  // Lines, fills, pixels and copies mark only what they touch.
  EXPECT_GT(precise, 1000);
}

TEST(DamageTilesTest, RestoringNeedsADamageMapNoClipAndAPictureOfTheSameSize) {
  TBitmap source(20, 12);
  TBitmap target(20, 12);
  TCanvas& canvas = target.Canvas();
  EXPECT_FALSE(canvas.RestoreDamage(source));
  EXPECT_FALSE(canvas.FillDamage(clBlack));
  EXPECT_EQ(target.Pixel(0, 0), clWhite);
  target.KeepDamage(true);
  TBitmap other(21, 12);
  EXPECT_FALSE(canvas.RestoreDamage(other));
  canvas.IntersectClipRect({0, 0, 5, 5});
  EXPECT_FALSE(canvas.RestoreDamage(source));
  canvas.RemoveClip();
  // A new map knows nothing: everything is copied back.
  source.Canvas().Brush().SetColor(0x00FF00);
  source.Canvas().FillRect({0, 0, 20, 12});
  EXPECT_TRUE(canvas.RestoreDamage(source));
  EXPECT_EQ(target.Pixel(19, 11), 0x00FF00u);
  EXPECT_TRUE(target.Damage()->IsClear());
  // A new size, or pixels exchanged, marks everything again.
  target.SetSize(20, 13);
  EXPECT_TRUE(target.Damage()->All());
  target.Damage()->Clear();
  TBitmap spare(20, 13);
  target.ExchangePixels(spare);
  EXPECT_TRUE(target.Damage()->All());
}

}  // namespace
}  // namespace drivesim

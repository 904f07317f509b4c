// Shapes the canvas draws with its own pixel loops instead of the platform's
// painter set exactly the pixels the painter sets, drawn as the canvas used
// to draw them: on an RGB32 image, no antialiasing, the pen's colour copied,
// a cosmetic solid pen, an ellipse's box given with its width and height one
// less, a polygon filled odd-even. Ellipses of every size up to 48 x 48 are
// compared, at the image's edges and under a clip rectangle too; polygons
// random and gear-shaped, self-crossing, closed by a repeated first point or
// not, inside the image and beyond its edges. A text written again in the
// same way over the same pixels, which the canvas sets from its first
// writing, comes out as a first writing there does.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"

namespace drivesim {
namespace {

QImage& ImageOf(TBitmap& bitmap) { return *static_cast<QImage*>(bitmap.PlatformImage()); }

enum class Parts { OutlineAndFill, OutlineOnly, FillOnly };

constexpr TColor kPen = 0x00204080;
constexpr TColor kBrush = 0x00C0E0A0;

// The painter's ellipse in box (left, top, right, bottom), under the clip
// when it is not empty.
QImage PainterEllipse(const QImage& before, const TRect& box, Parts parts, const TRect& clip) {
  QImage image = before.copy();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  if (!clip.IsEmpty()) {
    painter.setClipRect(QRect(clip.Left, clip.Top, clip.Width(), clip.Height()));
  }
  const QColor penColor(GetRValue(kPen), GetGValue(kPen), GetBValue(kPen));
  const QColor brushColor(GetRValue(kBrush), GetGValue(kBrush), GetBValue(kBrush));
  // Without an outline the fill's colour takes the outline's pixels.
  QPen pen(parts == Parts::FillOnly ? brushColor : penColor, 0);
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  painter.setBrush(parts == Parts::OutlineOnly ? QBrush(Qt::NoBrush) : QBrush(brushColor));
  painter.drawEllipse(QRect(box.Left, box.Top, box.Width() - 1, box.Height() - 1));
  return image;
}

QImage CanvasEllipse(const QImage& before, const TRect& box, Parts parts, const TRect& clip) {
  TBitmap bitmap(before.width(), before.height());
  ImageOf(bitmap) = before.copy();
  TCanvas& canvas = bitmap.Canvas();
  if (!clip.IsEmpty()) canvas.IntersectClipRect(clip);
  canvas.Pen().SetColor(kPen);
  canvas.Pen().SetStyle(parts == Parts::FillOnly ? psClear : psSolid);
  canvas.Brush().SetColor(kBrush);
  canvas.Brush().SetStyle(parts == Parts::OutlineOnly ? bsClear : bsSolid);
  canvas.Ellipse(box.Left, box.Top, box.Right, box.Bottom);
  return ImageOf(bitmap).copy();
}

// Where the two images first differ, or "" when they are the same.
std::string FirstDifference(const QImage& expected, const QImage& actual) {
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      if (expected.pixel(x, y) != actual.pixel(x, y)) {
        return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
      }
    }
  }
  return "";
}

TEST(CanvasPainterEquivalenceTest, EllipsesOfEverySizeSetThePaintersPixels) {
  TBitmap background(64, 64);
  PaintNoise(background);
  const QImage before = ImageOf(background).copy();
  int compared = 0;
  for (int width = 1; width <= 48; ++width) {
    for (int height = 1; height <= 48; ++height) {
      // Inside the image, across its top-left and bottom-right corners, and
      // inside under a clip that cuts through the ellipse.
      const int across = 64 - width / 2;
      const TRect boxes[] = {{3, 5, 3 + width, 5 + height},
                             {-width / 2, -height / 3, width - width / 2, height - height / 3},
                             {across, across - 3, across + width, across - 3 + height}};
      const TRect cutting{3 + width / 3, 6, 3 + width, 5 + height / 2 + 1};
      for (const Parts parts : {Parts::OutlineAndFill, Parts::OutlineOnly, Parts::FillOnly}) {
        for (int i = 0; i < 4; ++i) {
          const TRect box = boxes[i == 3 ? 0 : i];
          const TRect clip = i == 3 ? cutting : TRect{};
          const std::string difference = FirstDifference(PainterEllipse(before, box, parts, clip),
                                                         CanvasEllipse(before, box, parts, clip));
          ASSERT_EQ(difference, "")
              << "ellipse " << width << " x " << height << " at (" << box.Left << ", " << box.Top
              << "), parts " << static_cast<int>(parts) << ", case " << i;
          ++compared;
        }
      }
    }
  }
  EXPECT_EQ(compared, 48 * 48 * 3 * 4);
}

TEST(CanvasPainterEquivalenceTest, LargeAndFlatEllipsesSetThePaintersPixels) {
  TBitmap background(360, 320);
  PaintNoise(background);
  const QImage before = ImageOf(background).copy();
  // The mechanism's sizes (drum, load disc, shafts) and long flat ones.
  const TRect boxes[] = {{70, 10, 170, 110},   {204, 187, 284, 267}, {105, 154, 119, 168},
                         {180, 189, 204, 213}, {5, 100, 355, 103},   {150, 2, 152, 318},
                         {0, 0, 360, 320},     {-40, 250, 300, 400}, {77, 136, 107, 166}};
  for (const TRect& box : boxes) {
    for (const Parts parts : {Parts::OutlineAndFill, Parts::OutlineOnly, Parts::FillOnly}) {
      EXPECT_EQ(FirstDifference(PainterEllipse(before, box, parts, TRect{}),
                                CanvasEllipse(before, box, parts, TRect{})),
                "")
          << "ellipse (" << box.Left << ", " << box.Top << ", " << box.Right << ", " << box.Bottom
          << "), parts " << static_cast<int>(parts);
    }
  }
}

void SetUpPainter(QPainter& painter, Parts parts, const TRect& clip) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  if (!clip.IsEmpty()) {
    painter.setClipRect(QRect(clip.Left, clip.Top, clip.Width(), clip.Height()));
  }
  const QColor penColor(GetRValue(kPen), GetGValue(kPen), GetBValue(kPen));
  const QColor brushColor(GetRValue(kBrush), GetGValue(kBrush), GetBValue(kBrush));
  QPen pen(penColor, 0);
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(parts == Parts::FillOnly ? QPen(Qt::NoPen) : pen);
  painter.setBrush(parts == Parts::OutlineOnly ? QBrush(Qt::NoBrush) : QBrush(brushColor));
}

QImage PainterPolygon(const QImage& before, const std::vector<TPoint>& points, Parts parts,
                      const TRect& clip) {
  QImage image = before.copy();
  QPainter painter(&image);
  SetUpPainter(painter, parts, clip);
  QPolygon polygon;
  for (const TPoint& p : points) polygon << QPoint(p.X, p.Y);
  painter.drawPolygon(polygon, Qt::OddEvenFill);
  return image;
}

QImage CanvasPolygon(const QImage& before, const std::vector<TPoint>& points, Parts parts,
                     const TRect& clip) {
  TBitmap bitmap(before.width(), before.height());
  ImageOf(bitmap) = before.copy();
  TCanvas& canvas = bitmap.Canvas();
  if (!clip.IsEmpty()) canvas.IntersectClipRect(clip);
  canvas.Pen().SetColor(kPen);
  canvas.Pen().SetStyle(parts == Parts::FillOnly ? psClear : psSolid);
  canvas.Brush().SetColor(kBrush);
  canvas.Brush().SetStyle(parts == Parts::OutlineOnly ? bsClear : bsSolid);
  canvas.Polygon(points.data(), static_cast<int>(points.size()));
  return ImageOf(bitmap).copy();
}

std::string Describe(const std::vector<TPoint>& points) {
  std::string text;
  for (const TPoint& p : points)
    text += "(" + std::to_string(p.X) + "," + std::to_string(p.Y) + ")";
  return text;
}

TEST(CanvasPainterEquivalenceTest, RandomPolygonsSetThePaintersPixels) {
  TBitmap background(120, 100);
  PaintNoise(background);
  const QImage before = ImageOf(background).copy();
  std::mt19937 random(20240607);
  const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  for (int trial = 0; trial < 3000; ++trial) {
    // Small and large polygons of 2 to 40 corners, a third of them closed
    // by repeating the first corner; every fifth reaches beyond the image.
    const int corners = 2 + below(trial % 4 == 0 ? 39 : 8);
    const int size = trial % 2 ? 100 : 8;
    const bool beyond = trial % 5 == 0;
    const int originX = beyond ? -10 + below(120) : below(120 - std::min(size, 100));
    const int originY = beyond ? -10 + below(100) : below(100 - std::min(size, 98));
    std::vector<TPoint> points;
    for (int i = 0; i < corners; ++i) {
      TPoint p{originX + below(size), originY + below(size)};
      if (!beyond) p = TPoint{std::min(p.X, 119), std::min(p.Y, 99)};
      points.push_back(p);
    }
    if (below(3) == 0) points.push_back(points.front());
    const Parts parts = static_cast<Parts>(trial % 3);
    const TRect clip =
        trial % 7 == 0 ? TRect{below(40), below(40), 60 + below(60), 50 + below(50)} : TRect{};
    ASSERT_EQ(FirstDifference(PainterPolygon(before, points, parts, clip),
                              CanvasPolygon(before, points, parts, clip)),
              "")
        << "polygon " << Describe(points) << ", parts " << static_cast<int>(parts);
  }
}

TEST(CanvasPainterEquivalenceTest, GearShapedPolygonsSetThePaintersPixels) {
  TBitmap background(353, 313);
  PaintNoise(background);
  const QImage before = ImageOf(background).copy();
  const double pi = std::acos(-1.0);
  for (int teeth = 1; teeth <= 55; teeth += 3) {
    for (int pose = 0; pose < 4; ++pose) {
      // Four points a tooth on a root and a tip circle, closed by a point at
      // the first one's angle, as a gear's outline is.
      const int root = static_cast<int>(std::lround(teeth * 1.7857));
      const int tip = root + 5;
      const double pitch = 2 * pi / teeth;
      const double turn = 0.37 * pose + 0.01 * teeth;
      std::vector<TPoint> points;
      const auto at = [&](int radius, double angle) {
        points.push_back(TPoint{176 + static_cast<int>(std::lround(radius * std::sin(angle))),
                                156 - static_cast<int>(std::lround(radius * std::cos(angle)))});
      };
      for (int i = 0; i < teeth; ++i) {
        const double theta = i * pitch + turn;
        at(root, theta);
        at(root, theta + 0.4456 * pitch);
        at(tip, theta + 0.5526 * pitch);
        at(tip, theta + 0.8913 * pitch);
      }
      at(root, teeth * pitch + turn);
      for (const Parts parts : {Parts::OutlineAndFill, Parts::OutlineOnly, Parts::FillOnly}) {
        ASSERT_EQ(FirstDifference(PainterPolygon(before, points, parts, TRect{}),
                                  CanvasPolygon(before, points, parts, TRect{})),
                  "")
            << teeth << " teeth, pose " << pose << ", parts " << static_cast<int>(parts);
      }
    }
  }
}

// A thin solid line sets, for i = 0 .. n - 1 (n the longer side's length),
// the pixel i steps along the longer axis from the start and i * minor /
// major steps along the other, rounded half away from the start; whether
// the line lies inside the image or runs beyond it.
TEST(CanvasPainterEquivalenceTest, ThinSolidLinesSetThePixelsOfTheirSteps) {
  TBitmap background(64, 48);
  PaintNoise(background);
  const QImage before = ImageOf(background).copy();
  std::mt19937 random(99);
  for (int trial = 0; trial < 4000; ++trial) {
    // Every fourth line starts or ends outside the image.
    const int reach = trial % 4 == 0 ? 20 : 0;
    const auto coordinate = [&](int size) {
      return static_cast<int>(random() % static_cast<unsigned>(size + 2 * reach)) - reach;
    };
    const TPoint from{coordinate(64), coordinate(48)};
    const TPoint to =
        trial % 3 == 0 ? TPoint{from.X, coordinate(48)} : TPoint{coordinate(64), coordinate(48)};
    QImage expected = before.copy();
    const int dx = to.X - from.X;
    const int dy = to.Y - from.Y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int major = xMajor ? dx : dy;
    const int minor = xMajor ? dy : dx;
    for (int i = 0; i < steps; ++i) {
      const long long across =
          (2LL * i * std::abs(minor) + std::abs(major)) / (2LL * std::abs(major));
      const int along = major > 0 ? i : -i;
      const int side = static_cast<int>(minor >= 0 ? across : -across);
      const int x = from.X + (xMajor ? along : side);
      const int y = from.Y + (xMajor ? side : along);
      if (x >= 0 && x < 64 && y >= 0 && y < 48) {
        expected.setPixel(x, y, qRgb(GetRValue(kPen), GetGValue(kPen), GetBValue(kPen)));
      }
    }
    TBitmap bitmap(before.width(), before.height());
    ImageOf(bitmap) = before.copy();
    bitmap.Canvas().Pen().SetColor(kPen);
    bitmap.Canvas().MoveTo(from.X, from.Y);
    bitmap.Canvas().LineTo(to.X, to.Y);
    ASSERT_EQ(FirstDifference(expected, ImageOf(bitmap)), "")
        << "line (" << from.X << ", " << from.Y << ") to (" << to.X << ", " << to.Y << ")";
  }
}

// How a text is written.
struct TextWriting {
  std::string text;
  int x = 0;
  int y = 0;
  int height = -13;
  TFontStyles style = 0;
  TColor color = clBlack;
  unsigned align = TA_LEFT | TA_TOP;
  int orientation = 0;
  bool opaque = false;
  TColor background = clWhite;
  TRect clip;  // none when empty
};

TextWriting At(const std::string& text, int x, int y) {
  TextWriting w;
  w.text = text;
  w.x = x;
  w.y = y;
  return w;
}

void Write(TCanvas& canvas, const TextWriting& w) {
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(w.height);
  canvas.Font().SetStyle(w.style);
  canvas.Font().SetColor(w.color);
  canvas.Font().SetOrientation(w.orientation);
  canvas.SetTextAlign(w.align);
  canvas.SetBackgroundMode(w.opaque ? OPAQUE : TRANSPARENT);
  canvas.SetBackgroundColor(w.background);
  if (!w.clip.IsEmpty()) canvas.IntersectClipRect(w.clip);
  canvas.TextOut(w.x, w.y, w.text);
  canvas.RemoveClip();
}

// The writing done on a new canvas over the pixels before, a canvas which
// has written nothing before.
QImage WrittenOnAFreshCanvas(const QImage& before, const TextWriting& w) {
  TBitmap first(before.width(), before.height());
  ImageOf(first) = before.copy();
  Write(first.Canvas(), w);
  return ImageOf(first).copy();
}

TEST(CanvasPainterEquivalenceTest, TextWrittenAgainOverTheSamePixelsComesOutAsAtFirst) {
  // A plain band on top, where moved texts find the same pixels beneath,
  // and noise below.
  TBitmap bitmap(220, 140);
  PaintNoise(bitmap);
  bitmap.Canvas().Brush().SetColor(0x00E0F0F0);
  bitmap.Canvas().FillRect(TRect{0, 0, 220, 60});
  TCanvas& canvas = bitmap.Canvas();

  const TextWriting label = At("-0.25", 20, 20);
  TextWriting moved = label;
  moved.x += 37;
  moved.y += 5;
  TextWriting onNoise = label;
  onNoise.y = 90;
  TextWriting opaque = label;
  opaque.opaque = true;
  opaque.background = clYellow;
  TextWriting coloured = label;
  coloured.color = clBlue;
  TextWriting centred = At("Velocity, rad/s", 110, 40);
  centred.height = -11;
  centred.style = fsBold;
  centred.align = TA_CENTER | TA_BASELINE;
  TextWriting turned = At("Time, s", 15, 130);
  turned.height = -11;
  turned.orientation = 900;
  const TextWriting atTheEdge = At("300", 218, 30);
  const TextWriting atTheTop = At("Oscilloscope", 60, 0);
  TextWriting clipped = moved;
  clipped.clip = TRect{0, 0, moved.x + 12, moved.y + 9};
  const TextWriting writings[] = {label,    label,    moved,     moved,     onNoise, onNoise,
                                  opaque,   opaque,   coloured,  label,     centred, centred,
                                  turned,   turned,   atTheEdge, atTheEdge, label,   moved,
                                  atTheTop, atTheTop, clipped,   clipped,   moved};
  int step = 0;
  for (const TextWriting& w : writings) {
    const QImage before = ImageOf(bitmap).copy();
    Write(canvas, w);
    ASSERT_EQ(FirstDifference(WrittenOnAFreshCanvas(before, w), ImageOf(bitmap)), "")
        << "step " << step << ": \"" << w.text << "\" at (" << w.x << ", " << w.y << ")";
    ++step;
  }

  // Labels written at many places over the same plain band, as a moving
  // axis writes them frame after frame.
  std::mt19937 random(7);
  const std::string texts[] = {"-0.25", "-0.2", "0", "Oscilloscope"};
  for (int i = 0; i < 60; ++i) {
    bitmap.Canvas().Brush().SetColor(0x00E0F0F0);
    bitmap.Canvas().FillRect(TRect{0, 0, 220, 60});
    TextWriting w =
        At(texts[i % 4], 5 + static_cast<int>(random() % 120), 5 + static_cast<int>(random() % 30));
    w.style = i % 8 < 4 ? 0 : fsBold;
    const QImage before = ImageOf(bitmap).copy();
    Write(canvas, w);
    ASSERT_EQ(FirstDifference(WrittenOnAFreshCanvas(before, w), ImageOf(bitmap)), "")
        << "\"" << w.text << "\" at (" << w.x << ", " << w.y << ")";
  }
}

TEST(CanvasPainterEquivalenceTest,
     TextWrittenAgainWhereThePixelsAroundItsGlyphsChangedComesOutAsAtFirst) {
  // A label written again and again at one place over a plain band, while
  // the rows at the bottom of its text box and just below it (where a label
  // underneath reaches up) take new pixels each time: plain, bold,
  // underlined and struck-out text, with and without descenders, transparent
  // and opaque, upright and turned.
  TBitmap bitmap(160, 80);
  TCanvas& canvas = bitmap.Canvas();
  std::mt19937 random(5);
  const std::string texts[] = {"0", "-0.25", "gy", "300"};
  const TFontStyles styles[] = {0, fsBold, fsUnderline, fsStrikeOut};
  for (int i = 0; i < 160; ++i) {
    canvas.Brush().SetColor(0x00E0F0F0);
    canvas.FillRect(TRect{0, 0, 160, 80});
    for (int y = 30; y < 40; ++y) {
      for (int x = 15; x < 90; ++x) {
        if (random() % 3 == 0) canvas.SetPixel(x, y, static_cast<TColor>(random() & 0xFFFFFF));
      }
    }
    TextWriting w = At(texts[i % 4], 20, 20);
    w.style = styles[(i / 4) % 4];
    w.opaque = (i / 16) % 3 == 2;
    if ((i / 48) % 2 == 1) {
      w.orientation = 900;
      w.y = 60;
    }
    const QImage before = ImageOf(bitmap).copy();
    Write(canvas, w);
    ASSERT_EQ(FirstDifference(WrittenOnAFreshCanvas(before, w), ImageOf(bitmap)), "")
        << "writing " << i << ": \"" << w.text << "\" style " << w.style;
  }
}

}  // namespace
}  // namespace drivesim

#include "platform/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QRawFont>
#include <QString>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace drivesim {

namespace {

QImage& ImageOf(TBitmap& bitmap) { return *static_cast<QImage*>(bitmap.PlatformImage()); }

const QImage& ImageOf(const TBitmap& bitmap) {
  return *static_cast<const QImage*>(bitmap.PlatformImage());
}

QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QRgb ToQRgb(TColor color) {
  // A plain colour is 0x00BBGGRR; system colours are resolved first.
  const TColor rgb = (color & kSystemColorFlag) ? ColorToRGB(color) : color;
  return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// Run lengths (on, off, on, off, ...) of the dot patterns of thin pens, the
// same patterns the platform's cosmetic pens use for outlines of shapes.
struct DotPattern {
  const int* runs;
  int count;
  int length;
};

constexpr int kDashRuns[] = {4, 2};
constexpr int kDotRuns[] = {1, 2};
constexpr int kDashDotRuns[] = {4, 2, 1, 2};
constexpr int kDashDotDotRuns[] = {4, 2, 1, 2, 1, 2};
constexpr int kAlternateRuns[] = {1, 1};

std::optional<DotPattern> PatternOf(const TPen& pen) {
  if (pen.AlternatePixels()) return DotPattern{kAlternateRuns, 2, 2};
  switch (pen.Style()) {
    case psDash: return DotPattern{kDashRuns, 2, 6};
    case psDot: return DotPattern{kDotRuns, 2, 3};
    case psDashDot: return DotPattern{kDashDotRuns, 4, 9};
    case psDashDotDot: return DotPattern{kDashDotDotRuns, 6, 12};
    default: return std::nullopt;
  }
}

bool IsThin(const TPen& pen) { return pen.AlternatePixels() || pen.Width() <= 1; }

Qt::PenStyle QtPenStyle(TPenStyle style) {
  switch (style) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    case psSolid: break;
  }
  return Qt::SolidLine;
}

QPen MakeQPen(const TPen& pen) {
  if (pen.Style() == psClear) return QPen(Qt::NoPen);
  const QColor color = ToQColor(pen.Color());
  if (pen.AlternatePixels()) {
    QPen thin(color, 0);
    thin.setCapStyle(Qt::FlatCap);
    thin.setDashPattern({1, 1});
    return thin;
  }
  if (pen.Width() <= 1) {
    QPen thin(color, 0, QtPenStyle(pen.Style()));
    thin.setCapStyle(Qt::FlatCap);
    return thin;
  }
  // Wide pens are centred on the line with round ends and joins; a patterned
  // wide pen keeps flat ends so that its dashes stay apart.
  QPen wide(color, pen.Width(), QtPenStyle(pen.Style()));
  wide.setCapStyle(pen.Style() == psSolid ? Qt::RoundCap : Qt::FlatCap);
  wide.setJoinStyle(Qt::RoundJoin);
  return wide;
}

QBrush MakeQBrush(const TBrush& brush) {
  const QColor color = ToQColor(brush.Color());
  switch (brush.Style()) {
    case bsSolid: return QBrush(color, Qt::SolidPattern);
    case bsClear: return QBrush(Qt::NoBrush);
    case bsHorizontal: return QBrush(color, Qt::HorPattern);
    case bsVertical: return QBrush(color, Qt::VerPattern);
    case bsFDiagonal: return QBrush(color, Qt::FDiagPattern);
    case bsBDiagonal: return QBrush(color, Qt::BDiagPattern);
    case bsCross: return QBrush(color, Qt::CrossPattern);
    case bsDiagCross: return QBrush(color, Qt::DiagCrossPattern);
  }
  return QBrush(Qt::NoBrush);
}

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

TRect Normalized(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  return TRect{left, top, right, bottom};
}

enum class Mix { PenMode, Copy };

// Sets every pixel of area (inside the image, possibly empty) to color.
void FillPixels(QImage& image, const TRect& area, QRgb color) {
  if (area.IsEmpty()) return;
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  for (int y = area.Top; y < area.Bottom; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
    std::fill(row + area.Left, row + area.Right, color);
  }
}

// The pixels of an area inside the image, row by row.
void CopyOut(const QImage& image, const QRect& area, std::vector<QRgb>& pixels) {
  pixels.resize(static_cast<std::size_t>(area.width()) * area.height());
  const std::size_t bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
  for (int row = 0; row < area.height(); ++row) {
    std::memcpy(pixels.data() + static_cast<std::size_t>(row) * area.width(),
                image.constScanLine(area.top() + row) + area.left() * sizeof(QRgb), bytes);
  }
}

// Sets the pixels of an area inside the image from CopyOut's rows.
void CopyIn(QImage& image, const QRect& area, const std::vector<QRgb>& pixels) {
  const std::size_t bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
  for (int row = 0; row < area.height(); ++row) {
    std::memcpy(image.scanLine(area.top() + row) + area.left() * sizeof(QRgb),
                pixels.data() + static_cast<std::size_t>(row) * area.width(), bytes);
  }
}

// A filled ellipse as horizontal runs of pixels, by the integer midpoint
// method the platform's painter uses for a thin solid outline, so that the
// runs are exactly its pixels. The box is given as the painter takes it:
// corner (left, top), width w and height h, both at least 1, and the ellipse
// covers columns left..left+w and rows top..top+h. Row by row from the top
// and bottom edges inwards, each pass emits the inside of the upper and the
// lower row (when fill is set) and then their outline runs: on the left,
// right, left and right, as run(y, x, length, outline). Runs may reach
// outside the image and overlap; later runs win.
template <typename Run>
void MidpointEllipseRuns(int left, int top, int w, int h, bool fill, Run run) {
  const int midX = left + (w + 1) / 2;
  const int midY = top + (h + 1) / 2;
  // The runs of one pass: the outline run of `length` pixels at (x, y) of
  // the upper right quarter, mirrored to the other three.
  const auto pass = [&](int x, int y, int length) {
    if (length == 0) return;
    x += midX;
    y = midY - y;
    const int leftX = midX + (midX - x) - (length - 1) - (w & 1);
    const int leftLength = std::min(length, x - leftX);
    const int bottomY = midY + (midY - y) - (h & 1);
    if (fill && leftX + leftLength < x) {
      const int fillX = leftX + leftLength - 1;
      const int fillLength = std::max(0, x - fillX);
      run(y, fillX, fillLength, false);
      if (y < bottomY) run(bottomY, fillX, fillLength, false);
    }
    run(y, leftX, leftLength, true);
    run(y, x, length, true);
    if (y < bottomY) {
      run(bottomY, leftX, leftLength, true);
      run(bottomY, x, length, true);
    }
  };

  const double a = w / 2.0;
  const double b = h / 2.0;
  double d = b * b - (a * a * b) + 0.25 * a * a;
  int x = 0;
  int y = (h + 1) / 2;
  int startX = x;
  // Where the slope is below one: a run per row.
  while (a * a * (2 * y - 1) > 2 * b * b * (x + 1)) {
    if (d < 0) {
      d += b * b * (2 * x + 3);
      ++x;
    } else {
      d += b * b * (2 * x + 3) + a * a * (-2 * y + 2);
      pass(startX, y, x - startX + 1);
      startX = ++x;
      --y;
    }
  }
  pass(startX, y, x - startX + 1);
  // Where the slope is above one: a pixel per row.
  d = b * b * (x + 0.5) * (x + 0.5) + a * a * ((y - 1) * (y - 1) - b * b);
  const int lowestY = h & 1;
  while (y > lowestY) {
    if (d < 0) {
      d += b * b * (2 * x + 2) + a * a * (-2 * y + 3);
      ++x;
    } else {
      d += a * a * (-2 * y + 3);
    }
    --y;
    pass(x, y, 1);
  }
}

// The odd-even fill of a closed polygon with integer corners, as the
// platform's aliased scan converter makes it. Row y is sampled through the
// pixel centres (y + 0.5); an edge's crossing is carried in 16.16 fixed point
// from its first row with a slope truncated to 16.16, and lies half a pixel
// to the right, so that the pixels from crossing to crossing, pairwise, are
// the columns floor(left)..floor(right) - 1. Horizontal edges cross no row.
// Emits run(y, x, length) for every nonempty run, row by row.
struct ScanEdge {
  int top = 0;             // first row crossed
  int bottom = 0;          // last row crossed
  std::int64_t x = 0;      // crossing in the first row, 16.16
  std::int64_t slope = 0;  // change of the crossing per row, 16.16
};

template <typename Run>
void ScanConvertPolygon(const TPoint* points, int count, std::vector<ScanEdge>& edges,
                        std::vector<std::int64_t>& crossings, Run run) {
  edges.clear();
  int firstRow = INT_MAX;
  int lastRow = INT_MIN;
  for (int i = 0; i < count; ++i) {
    TPoint a = points[i];
    TPoint b = points[i + 1 == count ? 0 : i + 1];
    if (a.Y == b.Y) continue;
    if (a.Y > b.Y) std::swap(a, b);
    ScanEdge edge;
    edge.top = a.Y;
    edge.bottom = b.Y - 1;
    const std::int64_t start = 32768 + (std::int64_t{a.X} << 16);
    if (a.X == b.X) {
      edge.x = start;
    } else {
      const double slope = (b.X - a.X) / static_cast<double>(b.Y - a.Y);
      edge.slope = static_cast<int>(slope * 65536.0);
      // Half a row down from the corner to the first row's centre.
      edge.x = start + ((edge.slope * 32768) >> 16);
    }
    firstRow = std::min(firstRow, edge.top);
    lastRow = std::max(lastRow, edge.bottom);
    edges.push_back(edge);
  }
  // The edges by first row; those crossing the current row are active.
  std::sort(edges.begin(), edges.end(),
            [](const ScanEdge& a, const ScanEdge& b) { return a.top < b.top; });
  std::size_t next = 0;
  // edges[0..active) are the active ones, edges[next..) those still to come.
  std::size_t active = 0;
  for (int y = firstRow; y <= lastRow; ++y) {
    // Drop the edges that ended above this row, take those starting in it.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < active; ++i) {
      if (edges[i].bottom >= y) edges[kept++] = edges[i];
    }
    active = kept;
    while (next < edges.size() && edges[next].top == y) {
      edges[active++] = edges[next++];
    }
    crossings.clear();
    for (std::size_t i = 0; i < active; ++i) {
      crossings.push_back(edges[i].x + edges[i].slope * (y - edges[i].top));
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
      const int from = static_cast<int>(crossings[k] >> 16);
      const int to = static_cast<int>(crossings[k + 1] >> 16);
      if (to > from) run(y, from, to - from);
    }
  }
}

// The outline of a closed polygon with integer corners drawn with a thin
// solid pen, pixel for pixel as the platform's aliased cosmetic stroker draws
// it. Each edge is walked along its longer axis in the direction of growing
// coordinates, one pixel per step, the other coordinate carried in 16.16
// fixed point and taken at the pixel's centre; where consecutive edges meet,
// a pixel drawn twice is left out of the second edge and a gap of one pixel
// at a turn is filled, judged against the last pixel of the edge before
// (for the first edge, the closing one). Emits pixel(x, y).
class PolygonStroker {
 public:
  template <typename Pixel>
  void Stroke(const TPoint* points, int count, Pixel pixel) {
    fLast = kNoPixel;
    fLastDirection = kNoDirection;
    fLastAxisAligned = false;
    // A contour whose last point repeats the first closes with the edge
    // before that point.
    const bool repeatsFirst = points[0] == points[count - 1];
    const TPoint beforeFirst = repeatsFirst && count > 2 ? points[count - 2] : points[count - 1];
    FindLastPixel(beforeFirst, points[0]);
    TPoint from = points[0];
    for (int i = 1; i < count; ++i) {
      Edge(from, points[i], pixel);
      from = points[i];
    }
    Edge(from, points[0], pixel);
  }

 private:
  enum Direction {
    kNoDirection = 0,
    kTopToBottom = 1,
    kBottomToTop = 2,
    kLeftToRight = 4,
    kRightToLeft = 8,
    kVertical = 3,
    kHorizontal = 12
  };
  enum Caps { kCapBegin = 1, kCapEnd = 2 };
  static constexpr TPoint kNoPixel{INT_MIN, INT_MIN};

  // a / b in 16.16, a and b in 26.6.
  static int FixedDiv(int a, int b) {
    return std::abs(a) < 0x7fff ? (a * 65536) / b
                                : static_cast<int>((static_cast<std::int64_t>(a) << 16) / b);
  }

  // One edge, walked along axis `along` (the longer one); the other axis is
  // `across`. Coordinates are in 26.6 fixed point.
  struct Walk {
    int along1, across1, along2, across2;
  };

  template <typename Pixel>
  void Edge(TPoint p1, TPoint p2, Pixel pixel) {
    const int dx = std::abs(p2.X - p1.X);
    const int dy = std::abs(p2.Y - p1.Y);
    if (dx < dy) {
      WalkEdge(Walk{p1.Y * 64, p1.X * 64, p2.Y * 64, p2.X * 64}, kTopToBottom, kBottomToTop,
               kVertical, [&](int along, int across) { pixel(across, along); });
    } else if (dx != 0) {
      WalkEdge(Walk{p1.X * 64, p1.Y * 64, p2.X * 64, p2.Y * 64}, kLeftToRight, kRightToLeft,
               kHorizontal, [&](int along, int across) { pixel(along, across); });
    }
  }

  template <typename Pixel>
  void WalkEdge(Walk w, Direction forward, Direction backward, int axisMask, Pixel pixel) {
    // A thin solid pen has flat ends: an edge gets a cap only at a turn.
    int caps = 0;
    Direction direction = forward;
    bool swapped = false;
    if (w.along1 > w.along2) {
      swapped = true;
      std::swap(w.along1, w.along2);
      std::swap(w.across1, w.across2);
      direction = backward;
    }
    const int increment = FixedDiv(w.across2 - w.across1, w.along2 - w.along1);
    int across = w.across1 * 1024;
    // Turning back along the same axis extends the edge by half a pixel at
    // the turn.
    if ((fLastDirection ^ axisMask) == direction) caps |= swapped ? kCapEnd : kCapBegin;
    if (caps & kCapBegin) {
      w.along1 -= 32;
      across -= increment >> 1;
    }
    if (caps & kCapEnd) w.along2 += 32;

    int along = (w.along1 + 32) >> 6;
    int end = (w.along2 + 32) >> 6;
    const int round = increment > 0 ? 32 : 0;
    if ((caps & kCapBegin) && AlongOf(fLast, axisMask) == along + 1) ++along;
    if (along == end) return;

    across += ((along * 64) + round - w.along1) * increment >> 6;
    TPoint first = Make(along, across >> 16, axisMask);
    TPoint last = Make(end - 1, (across + (end - along - 1) * increment) >> 16, axisMask);
    if (swapped) std::swap(first, last);
    const bool axisAligned = std::abs(increment) < (1 << 14);
    if (fLast.X != INT_MIN) {
      const int dAlong = std::abs(AlongOf(fLast, axisMask) - AlongOf(first, axisMask));
      const int dAcross = std::abs(AcrossOf(fLast, axisMask) - AcrossOf(first, axisMask));
      if (first == fLast) {
        // The edge before ended on this pixel: leave it out here.
        if (swapped) {
          --end;
        } else {
          ++along;
          across += increment;
        }
      } else if (fLastDirection != direction &&
                 ((axisAligned && fLastAxisAligned && fLast.X != first.X && fLast.Y != first.Y) ||
                  std::abs(fLast.X - first.X) > 1 || std::abs(fLast.Y - first.Y) > 1)) {
        // A gap at the turn: one more pixel at the near end.
        if (swapped) {
          ++end;
        } else {
          --along;
          across -= increment;
        }
      } else if (fLastDirection == direction && dAcross <= 1 && dAlong > 1) {
        across += increment >> 1;
        const int lastAcross =
            swapped ? across >> 16 : (across + (end - along - 1) * increment) >> 16;
        last = Make(AlongOf(last, axisMask), lastAcross, axisMask);
      }
    }
    fLastDirection = direction;
    fLastAxisAligned = axisAligned;
    do {
      pixel(along, across >> 16);
      across += increment;
    } while (++along < end);
    fLast = last;
  }

  // The last pixel and direction the edge from p1 to p2 would leave, without
  // drawing it: the closing edge, before the first edge is drawn.
  void FindLastPixel(TPoint p1, TPoint p2) {
    fLast = kNoPixel;
    const int dx = std::abs(p2.X - p1.X);
    const int dy = std::abs(p2.Y - p1.Y);
    if (dx < dy) {
      FindLast(Walk{p1.Y * 64, p1.X * 64, p2.Y * 64, p2.X * 64}, kTopToBottom, kBottomToTop,
               kVertical);
    } else if (dx != 0) {
      FindLast(Walk{p1.X * 64, p1.Y * 64, p2.X * 64, p2.Y * 64}, kLeftToRight, kRightToLeft,
               kHorizontal);
    }
  }

  void FindLast(Walk w, Direction forward, Direction backward, int axisMask) {
    bool swapped = false;
    if (w.along1 > w.along2) {
      swapped = true;
      std::swap(w.along1, w.along2);
      std::swap(w.across1, w.across2);
    }
    const int increment = FixedDiv(w.across2 - w.across1, w.along2 - w.along1);
    int across = w.across1 * 1024;
    const int along = (w.along1 + 32) >> 6;
    const int end = (w.along2 + 32) >> 6;
    if (along == end) return;
    across += ((along * 64) + (increment > 0 ? 32 : 0) - w.along1) * increment >> 6;
    if (swapped) {
      fLast = Make(along, across >> 16, axisMask);
      fLastDirection = backward;
    } else {
      fLast = Make(end - 1, (across + (end - along - 1) * increment) >> 16, axisMask);
      fLastDirection = forward;
    }
    fLastAxisAligned = std::abs(increment) < (1 << 14);
  }

  static TPoint Make(int along, int across, int axisMask) {
    return axisMask == kVertical ? TPoint{across, along} : TPoint{along, across};
  }
  static int AlongOf(TPoint p, int axisMask) { return axisMask == kVertical ? p.Y : p.X; }
  static int AcrossOf(TPoint p, int axisMask) { return axisMask == kVertical ? p.X : p.Y; }

  TPoint fLast = kNoPixel;
  int fLastDirection = kNoDirection;
  bool fLastAxisAligned = false;
};

}  // namespace

// The platform painter of a canvas, kept open on the bitmap's image from
// one drawing operation to the next: opening a painter costs more than most
// of the operations it serves. It is ended before the image is replaced
// (TBitmap::SetSize), and before pixels are written directly while the
// image's data is shared with a copy, so that it never draws into data that
// is no longer the image's own.
struct TCanvas::OpenPainter {
  QPainter painter;
  // The image data the painter was opened on.
  const uchar* bits = nullptr;

  void End() {
    if (painter.isActive()) painter.end();
    bits = nullptr;
  }
  QPainter& Begin(QImage& image) {
    if (painter.isActive() && (image.constBits() != bits || !image.isDetached())) End();
    if (!painter.isActive()) {
      painter.begin(&image);
      painter.setRenderHint(QPainter::Antialiasing, false);
      bits = image.constBits();
    }
    return painter;
  }
};

void TCanvas::EndPainting() {
  if (fOpenPainter) fOpenPainter->End();
}

void TCanvas::PrepareDirectWrite() {
  // Writing through a shared image detaches it; the open painter would go on
  // drawing into the data it leaves behind.
  if (fOpenPainter && fOpenPainter->bits != nullptr && !ImageOf(fBitmap).isDetached()) {
    fOpenPainter->End();
  }
}

// One drawing operation on the canvas's open painter, with the operation's
// state set afresh: no transformation, the clip, and the pen's mix mode;
// finishing it notifies the bitmap. Nothing is opened when nothing can be
// drawn (no image, or a clip that leaves none of it), and the operation then
// returns early.
struct TCanvas::Painter {
  Painter(TCanvas& canvas, Mix mix) : fCanvas(canvas) {
    if (canvas.VisibleRect().IsEmpty()) return;
    if (!canvas.fOpenPainter) canvas.fOpenPainter = std::make_unique<OpenPainter>();
    QPainter& painter = canvas.fOpenPainter->Begin(ImageOf(canvas.fBitmap));
    painter.resetTransform();
    if (canvas.fHasClip) {
      painter.setClipRect(ToQRect(canvas.fClip));
    } else if (painter.hasClipping()) {
      painter.setClipping(false);
    }
    if (mix == Mix::PenMode && canvas.fPen.Mode() == pmNotXor) {
      painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    } else {
      painter.setCompositionMode(QPainter::CompositionMode_Source);
    }
    fPainter = &painter;
  }
  ~Painter() {
    if (fPainter) fCanvas.fBitmap.Changed();
  }
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  explicit operator bool() const { return fPainter != nullptr; }
  QPainter* operator->() { return fPainter; }

  // Draws a shape (draw issues the painter call) with the pen and brush.
  // - A wide pen is centred on the pixel centres of the shape's edge: the
  //   brush is laid first, then the outline half a pixel further on.
  // - A patterned pen's gaps take the brush colour when they are drawn
  //   opaque: the outline is first drawn solid in the brush colour, then the
  //   pattern over it, so that both cover the pixels of a solid outline.
  //   Under the not-xor mix the gaps are left alone, since a second pass
  //   would undo the first.
  template <typename Draw>
  void Shape(const QPen& pen, const QBrush& brush, Draw draw) {
    fPainter->setBackgroundMode(Qt::TransparentMode);
    const bool wide = pen.style() != Qt::NoPen && pen.widthF() > 0;
    const bool patterned = pen.style() != Qt::SolidLine && pen.style() != Qt::NoPen;
    const bool gaps = patterned && fCanvas.OpaqueGaps() && fCanvas.fPen.Mode() != pmNotXor;
    QBrush fill = brush;
    if (wide && fill.style() != Qt::NoBrush) {
      fPainter->setPen(Qt::NoPen);
      fPainter->setBrush(fill);
      draw(*fPainter);
      fill = QBrush(Qt::NoBrush);
    }
    if (wide) fPainter->translate(0.5, 0.5);
    if (gaps) {
      QPen solid(pen);
      solid.setStyle(Qt::SolidLine);
      solid.setColor(ToQColor(fCanvas.fBrush.Color()));
      fPainter->setPen(solid);
      fPainter->setBrush(fill);
      draw(*fPainter);
      fill = QBrush(Qt::NoBrush);
    }
    fPainter->setPen(pen);
    fPainter->setBrush(fill);
    draw(*fPainter);
    if (wide) fPainter->translate(-0.5, -0.5);
  }

 private:
  TCanvas& fCanvas;
  QPainter* fPainter = nullptr;
};

// The platform fonts made from the canvas font, with their metrics and the
// texts already laid out in them. The chart switches between a few fonts
// (labels, titles) many times per paint and writes the same labels paint
// after paint, so the last few fonts are kept, each with its laid-out texts:
// measuring or writing a known text then shapes nothing again.
struct TCanvas::FontCache {
  // A text laid out in one font: its advance width and its glyphs, placed
  // relative to the left end of the text's baseline.
  // What one writing of a text did to the pixels around it: the area
  // (relative to the reference point), the pixels there before and after,
  // and everything else the result depends on.
  struct Written {
    TColor color = 0;
    int orientation = 0;
    bool opaque = false;
    TColor background = 0;
    int left = 0;  // the text box relative to the reference point
    int top = 0;
    // For turned text the reference point itself, since turned glyphs are
    // only known to come out the same at the same place.
    TPoint at;
    QRect area;  // relative to the reference point
    std::vector<QRgb> before;
    std::vector<QRgb> after;
  };
  struct Shaped {
    int width = 0;
    bool laidOut = false;
    QList<QGlyphRun> runs;
    // The glyphs' extent relative to the left end of the baseline.
    QRectF inkBounds;
    // The last few writings, replayed when the same text is written again
    // over the same pixels.
    static constexpr std::size_t kWritings = 4;
    std::vector<Written> writings;
    std::size_t nextWriting = 0;
    // Set when a writing reached beyond the area worked out for it; such a
    // text is always drawn by the painter.
    bool neverReplay = false;
  };
  struct Entry {
    std::string name;
    int height = 0;
    TFontStyles style = 0;
    QFont font;
    std::optional<QFontMetrics> metrics;
    std::unordered_map<std::string, Shaped> texts;
    std::uint64_t lastUse = 0;
  };
  // Fonts kept at once, and texts kept per font; the least recently used
  // font, or all texts of a font, go when full.
  static constexpr std::size_t kFonts = 8;
  static constexpr std::size_t kTextsPerFont = 512;

  std::vector<std::unique_ptr<Entry>> entries;
  Entry* current = nullptr;
  std::uint64_t uses = 0;

  // The text's entry in the current font, measured. Its glyphs are laid out
  // by LayOut when it is first written: the chart measures many texts it
  // never writes.
  Shaped& Shape(const std::string& text) {
    auto found = current->texts.find(text);
    if (found != current->texts.end()) return found->second;
    if (current->texts.size() >= kTextsPerFont) current->texts.clear();
    Shaped shaped;
    shaped.width = current->metrics->horizontalAdvance(QString::fromStdString(text));
    return current->texts.emplace(text, std::move(shaped)).first->second;
  }

  void LayOut(Shaped& shaped, const std::string& text) const {
    if (shaped.laidOut) return;
    shaped.laidOut = true;
    QTextLayout layout(QString::fromStdString(text), current->font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return;
    // Glyph positions come with the baseline at the line's ascent; they are
    // moved so that the baseline lies at y = 0.
    const qreal baseline = line.ascent();
    for (QGlyphRun run : layout.glyphRuns()) {
      QList<QPointF> positions = run.positions();
      for (QPointF& p : positions) p.ry() -= baseline;
      run.setPositions(positions);
      // The glyphs' own outlines' extents, where they are placed.
      const QRawFont font = run.rawFont();
      const QList<quint32> glyphs = run.glyphIndexes();
      for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
        shaped.inkBounds |= font.boundingRect(glyphs[i]).translated(positions[i]);
      }
      shaped.runs.push_back(run);
    }
  }
};

namespace {

QFont BaseFont(const std::string& name, TFontStyles style) {
  QFont font(QString::fromStdString(name));
  font.setBold((style & fsBold) != 0);
  font.setItalic((style & fsItalic) != 0);
  font.setUnderline((style & fsUnderline) != 0);
  font.setStrikeOut((style & fsStrikeOut) != 0);
  return font;
}

// A positive font height is the height of the whole character cell (ascent
// plus descent, internal leading included): the font takes the largest pixel
// size whose cell is no higher than that.
int PixelSizeForCellHeight(QFont font, int cellHeight) {
  int low = 1;
  int high = cellHeight;
  while (low < high) {
    const int middle = (low + high + 1) / 2;
    font.setPixelSize(middle);
    if (QFontMetrics(font).height() <= cellHeight) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return low;
}

}  // namespace

TCanvas::TCanvas(TBitmap& bitmap) : fBitmap(bitmap) {
  fBrush.OnChange = [this] { BrushChanged(); };
}

void TCanvas::BrushChanged() {
  if (fBrush.Style() == bsSolid) {
    fBackgroundColor = fBrush.Color();
    fBackgroundMode = OPAQUE;
  } else {
    fBackgroundMode = TRANSPARENT;
  }
}

TCanvas::~TCanvas() = default;

TRect TCanvas::VisibleRect() const {
  const QImage& image = ImageOf(fBitmap);
  const TRect whole{0, 0, image.width(), image.height()};
  if (whole.IsEmpty()) return TRect{};
  return fHasClip ? IntersectRects(whole, fClip) : whole;
}

const TCanvas::FontCache& TCanvas::CurrentFont() {
  if (!fFontCache) fFontCache = std::make_unique<FontCache>();
  FontCache& cache = *fFontCache;
  ++cache.uses;
  const auto matches = [&](const FontCache::Entry& e) {
    return e.name == fFont.Name() && e.height == fFont.Height() && e.style == fFont.Style();
  };
  if (cache.current && matches(*cache.current)) {
    cache.current->lastUse = cache.uses;
    return cache;
  }
  for (const auto& entry : cache.entries) {
    if (matches(*entry)) {
      cache.current = entry.get();
      entry->lastUse = cache.uses;
      return cache;
    }
  }
  auto entry = std::make_unique<FontCache::Entry>();
  entry->name = fFont.Name();
  entry->height = fFont.Height();
  entry->style = fFont.Style();
  entry->font = BaseFont(entry->name, entry->style);
  // A height of zero asks for the default character height.
  const int height = entry->height == 0 ? TFont().Height() : entry->height;
  if (height < 0) {
    entry->font.setPixelSize(-height);
  } else {
    entry->font.setPixelSize(PixelSizeForCellHeight(entry->font, height));
  }
  entry->metrics.emplace(entry->font);
  entry->lastUse = cache.uses;
  if (cache.entries.size() >= FontCache::kFonts) {
    const auto oldest =
        std::min_element(cache.entries.begin(), cache.entries.end(),
                         [](const auto& a, const auto& b) { return a->lastUse < b->lastUse; });
    cache.entries.erase(oldest);
  }
  cache.current = entry.get();
  cache.entries.push_back(std::move(entry));
  return cache;
}

// ---------------------------------------------------------------------------
// Lines

void TCanvas::MoveTo(int x, int y) {
  fPenPos = TPoint{x, y};
  fPatternPhase = 0;
}

void TCanvas::LineTo(int x, int y) {
  const TPoint from = fPenPos;
  fPenPos = TPoint{x, y};
  if (fPen.Style() == psClear) return;
  if (IsThin(fPen)) {
    ThinLine(from, fPenPos, fPatternPhase);
    return;
  }
  Painter painter(*this, Mix::PenMode);
  if (!painter) return;
  painter.Shape(MakeQPen(fPen), Qt::NoBrush,
                [&](QPainter& p) { p.drawLine(from.X, from.Y, x, y); });
}

void TCanvas::ThinLine(TPoint from, TPoint to, int& phase) {
  const int dx = to.X - from.X;
  const int dy = to.Y - from.Y;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  if (steps == 0) return;
  const TRect visible = VisibleRect();
  if (visible.IsEmpty()) return;
  QImage& image = ImageOf(fBitmap);

  const std::optional<DotPattern> pattern = PatternOf(fPen);
  const QRgb penColor = ToQRgb(fPen.Color());
  const QRgb gapColor = pattern ? ToQRgb(fBrush.Color()) : penColor;
  const bool opaqueGaps = pattern && OpaqueGaps();
  const bool notXor = fPen.Mode() == pmNotXor;
  PrepareDirectWrite();
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();

  const auto inside = [&](TPoint p) {
    return p.X >= visible.Left && p.X < visible.Right && p.Y >= visible.Top && p.Y < visible.Bottom;
  };
  if (!pattern && !notXor && inside(from) && inside(to)) {
    // A solid line with both ends in the visible part lies in it all: every
    // pixel is set, the same pixels as below, without a check per pixel.
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int major = xMajor ? dx : dy;
    const int minor = xMajor ? dy : dx;
    const qsizetype rowStep = stride / static_cast<qsizetype>(sizeof(QRgb));
    const qsizetype majorStep = xMajor ? (major > 0 ? 1 : -1) : (major > 0 ? rowStep : -rowStep);
    const qsizetype minorStep = xMajor ? (minor >= 0 ? rowStep : -rowStep) : (minor >= 0 ? 1 : -1);
    const long long twiceMajor = 2LL * std::abs(major);
    const long long twiceMinor = 2LL * std::abs(minor);
    long long remainder = std::abs(major);
    QRgb* pixel = reinterpret_cast<QRgb*>(bits + from.Y * stride) + from.X;
    for (int i = 0; i < steps; ++i) {
      *pixel = penColor;
      pixel += majorStep;
      remainder += twiceMinor;
      if (remainder >= twiceMajor) {
        remainder -= twiceMajor;
        pixel += minorStep;
      }
    }
    phase += steps;
    fBitmap.Changed();
    return;
  }

  // Where the pattern stands at the first pixel: the run (on, off, on, ...)
  // and the pixels left in it.
  int run = 0;
  int runLeft = 0;
  if (pattern) {
    int position = phase % pattern->length;
    while (position >= pattern->runs[run]) position -= pattern->runs[run++];
    runLeft = pattern->runs[run] - position;
  }

  if (dx == 0 || dy == 0) {
    // A horizontal or vertical line: only the pixels inside the visible
    // part are visited, the pattern moved on over the others.
    const int stepX = dx > 0 ? 1 : (dx < 0 ? -1 : 0);
    const int stepY = dy > 0 ? 1 : (dy < 0 ? -1 : 0);
    int first = 0;
    int last = steps - 1;
    const auto clipAlong = [&](int start, int step, int low, int high) {
      // Pixel i lies at start + i * step; it must lie in low..high - 1.
      if (step == 0) {
        if (start < low || start >= high) last = -1;
      } else if (step > 0) {
        first = std::max(first, low - start);
        last = std::min(last, high - 1 - start);
      } else {
        first = std::max(first, start - (high - 1));
        last = std::min(last, start - low);
      }
    };
    clipAlong(from.X, stepX, visible.Left, visible.Right);
    clipAlong(from.Y, stepY, visible.Top, visible.Bottom);
    if (first <= last) {
      const qsizetype pixelStep = stepY * (stride / static_cast<qsizetype>(sizeof(QRgb))) + stepX;
      QRgb* pixel = reinterpret_cast<QRgb*>(bits + (from.Y + first * stepY) * stride) +
                    (from.X + first * stepX);
      if (pattern) {
        int position = (phase + first) % pattern->length;
        run = 0;
        while (position >= pattern->runs[run]) position -= pattern->runs[run++];
        runLeft = pattern->runs[run] - position;
      }
      for (int i = first; i <= last; ++i, pixel += pixelStep) {
        bool on = true;
        if (pattern) {
          on = run % 2 == 0;
          if (--runLeft == 0) {
            run = run + 1 == pattern->count ? 0 : run + 1;
            runLeft = pattern->runs[run];
          }
        }
        if (!on && !opaqueGaps) continue;
        const QRgb color = on ? penColor : gapColor;
        *pixel = notXor ? (0xFF000000u | (~(color ^ *pixel) & 0x00FFFFFFu)) : color;
      }
    }
    phase += steps;
    fBitmap.Changed();
    return;
  }

  // Pixel i of the line lies i steps along the major axis from the start,
  // and at floor((2 i |minor| + |major|) / (2 |major|)) steps along the
  // minor axis, that is i * minor / major rounded half away from the start.
  // The quotient is carried from pixel to pixel with its remainder. Step
  // "steps" would be the end pixel, which is not drawn.
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int major = xMajor ? dx : dy;
  const int minor = xMajor ? dy : dx;
  const int majorSign = major > 0 ? 1 : -1;
  const int minorSign = minor >= 0 ? 1 : -1;
  const long long twiceMajor = 2LL * std::abs(major);
  const long long twiceMinor = 2LL * std::abs(minor);
  long long remainder = std::abs(major);
  int x = from.X;
  int y = from.Y;
  for (int i = 0; i < steps; ++i) {
    bool on = true;
    if (pattern) {
      on = run % 2 == 0;
      if (--runLeft == 0) {
        run = run + 1 == pattern->count ? 0 : run + 1;
        runLeft = pattern->runs[run];
      }
    }
    if ((on || opaqueGaps) && x >= visible.Left && x < visible.Right && y >= visible.Top &&
        y < visible.Bottom) {
      const QRgb color = on ? penColor : gapColor;
      QRgb& pixel = reinterpret_cast<QRgb*>(bits + y * stride)[x];
      pixel = notXor ? (0xFF000000u | (~(color ^ pixel) & 0x00FFFFFFu)) : color;
    }
    // On to pixel i + 1.
    remainder += twiceMinor;
    int minorStep = 0;
    if (remainder >= twiceMajor) {
      remainder -= twiceMajor;
      minorStep = minorSign;
    }
    if (xMajor) {
      x += majorSign;
      y += minorStep;
    } else {
      y += majorSign;
      x += minorStep;
    }
  }
  phase += steps;
  fBitmap.Changed();
}

void TCanvas::Polyline(const TPoint* points, int count) {
  if (points == nullptr || count < 2 || fPen.Style() == psClear) return;
  if (VisibleRect().IsEmpty()) return;
  if (IsThin(fPen)) {
    // One notification for the whole polyline.
    const bool notify = fBitmap.NotificationsEnabled;
    fBitmap.NotificationsEnabled = false;
    int phase = 0;
    for (int i = 1; i < count; ++i) ThinLine(points[i - 1], points[i], phase);
    fBitmap.NotificationsEnabled = notify;
    fBitmap.Changed();
    return;
  }
  Painter painter(*this, Mix::PenMode);
  if (!painter) return;
  QPolygon polygon(count);
  for (int i = 0; i < count; ++i) polygon.setPoint(i, points[i].X, points[i].Y);
  painter.Shape(MakeQPen(fPen), Qt::NoBrush, [&](QPainter& p) { p.drawPolyline(polygon); });
}

// ---------------------------------------------------------------------------
// Shapes

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  const TRect box = Normalized(left, top, right, bottom);
  const bool outline = fPen.Style() != psClear;
  const bool fill = fBrush.Style() != bsClear;
  if (box.IsEmpty() || (!outline && !fill)) return;
  const bool thinSolid = fPen.Style() == psSolid && fPen.Width() <= 1 && !fPen.AlternatePixels();
  if (fPen.Mode() == pmCopy && (!fill || fBrush.Style() == bsSolid) && (!outline || thinSolid) &&
      box.Width() >= 2 && box.Height() >= 2 && box.Left >= 0 && box.Top >= 0 &&
      box.Right <= fBitmap.Width() && box.Bottom <= fBitmap.Height()) {
    // A solid box inside the image with a thin solid outline, or none: the
    // same pixels set directly, without a painter.
    const TRect visible = VisibleRect();
    if (visible.IsEmpty()) return;
    PrepareDirectWrite();
    QImage& image = ImageOf(fBitmap);
    if (fill) {
      const TRect inside =
          outline ? TRect{box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1} : box;
      FillPixels(image, IntersectRects(inside, visible), ToQRgb(fBrush.Color()));
    }
    if (outline) {
      // Left and right columns, top and bottom rows of the box.
      const QRgb penColor = ToQRgb(fPen.Color());
      const TRect edges[] = {{box.Left, box.Top, box.Left + 1, box.Bottom},
                             {box.Right - 1, box.Top, box.Right, box.Bottom},
                             {box.Left, box.Top, box.Right, box.Top + 1},
                             {box.Left, box.Bottom - 1, box.Right, box.Bottom}};
      for (const TRect& edge : edges) FillPixels(image, IntersectRects(edge, visible), penColor);
    }
    fBitmap.Changed();
    return;
  }
  Painter painter(*this, Mix::PenMode);
  if (!painter) return;
  if (fill) {
    const TRect inside =
        outline ? TRect{box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1} : box;
    if (!inside.IsEmpty()) painter->fillRect(ToQRect(inside), MakeQBrush(fBrush));
  }
  if (!outline) return;
  const QRect frame(box.Left, box.Top, box.Width() - 1, box.Height() - 1);
  painter.Shape(MakeQPen(fPen), Qt::NoBrush, [&](QPainter& p) { p.drawRect(frame); });
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  const TRect box = Normalized(left, top, right, bottom);
  const bool outline = fPen.Style() != psClear;
  const bool fill = fBrush.Style() != bsClear;
  if (box.IsEmpty() || (!outline && !fill)) return;
  const bool thinSolid = fPen.Style() == psSolid && fPen.Width() <= 1 && !fPen.AlternatePixels();
  if (fPen.Mode() == pmCopy && (!fill || fBrush.Style() == bsSolid) && (!outline || thinSolid) &&
      box.Width() >= 2 && box.Height() >= 2) {
    // A solid ellipse with a thin solid outline, or none: the painter's own
    // runs of pixels, set directly.
    const TRect visible = VisibleRect();
    if (visible.IsEmpty()) return;
    PrepareDirectWrite();
    QImage& image = ImageOf(fBitmap);
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const QRgb brushColor = ToQRgb(fBrush.Color());
    const QRgb penColor = outline ? ToQRgb(fPen.Color()) : brushColor;
    MidpointEllipseRuns(box.Left, box.Top, box.Width() - 1, box.Height() - 1, fill,
                        [&](int y, int x, int length, bool isOutline) {
                          if (y < visible.Top || y >= visible.Bottom) return;
                          const int from = std::max(x, visible.Left);
                          const int to = std::min(x + length, visible.Right);
                          if (from >= to) return;
                          QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
                          std::fill(row + from, row + to, isOutline ? penColor : brushColor);
                        });
    fBitmap.Changed();
    return;
  }
  Painter painter(*this, Mix::PenMode);
  if (!painter) return;
  QPen pen = MakeQPen(fPen);
  if (!outline && fBrush.Style() == bsSolid) {
    // Without an outline a solid ellipse covers the same pixels, all in the
    // brush colour.
    pen = QPen(ToQColor(fBrush.Color()), 0);
  }
  const QRect frame(box.Left, box.Top, box.Width() - 1, box.Height() - 1);
  painter.Shape(pen, MakeQBrush(fBrush), [&](QPainter& p) { p.drawEllipse(frame); });
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight) {
  const TRect box = Normalized(left, top, right, bottom);
  const bool outline = fPen.Style() != psClear;
  const bool fill = fBrush.Style() != bsClear;
  if (box.IsEmpty() || (!outline && !fill)) return;
  Painter painter(*this, Mix::PenMode);
  if (!painter) return;
  QPen pen = MakeQPen(fPen);
  if (!outline && fBrush.Style() == bsSolid) pen = QPen(ToQColor(fBrush.Color()), 0);
  const QRect frame(box.Left, box.Top, box.Width() - 1, box.Height() - 1);
  const double rx = std::abs(cornerWidth) / 2.0;
  const double ry = std::abs(cornerHeight) / 2.0;
  painter.Shape(pen, MakeQBrush(fBrush),
                [&](QPainter& p) { p.drawRoundedRect(frame, rx, ry, Qt::AbsoluteSize); });
}

void TCanvas::Polygon(const TPoint* points, int count) {
  if (points == nullptr || count < 2) return;
  const bool outline = fPen.Style() != psClear;
  const bool fill = fBrush.Style() != bsClear;
  if (!outline && !fill) return;
  const bool thinSolid = fPen.Style() == psSolid && fPen.Width() <= 1 && !fPen.AlternatePixels();
  if (fPen.Mode() == pmCopy && (!fill || fBrush.Style() == bsSolid) && (!outline || thinSolid)) {
    const TRect visible = VisibleRect();
    if (visible.IsEmpty()) return;
    const bool inside = std::all_of(points, points + count, [&](TPoint p) {
      return p.X >= visible.Left && p.X < visible.Right && p.Y >= visible.Top &&
             p.Y < visible.Bottom;
    });
    if (inside) {
      // A solid polygon inside the visible part with a thin solid outline,
      // or none: the painter's fill and outline, set directly.
      PrepareDirectWrite();
      QImage& image = ImageOf(fBitmap);
      uchar* bits = image.bits();
      const qsizetype stride = image.bytesPerLine();
      const auto rowOf = [&](int y) { return reinterpret_cast<QRgb*>(bits + y * stride); };
      if (fill) {
        // Scratch space kept from one polygon to the next, so that drawing
        // allocates nothing once it has grown to the largest polygon.
        thread_local std::vector<ScanEdge> edges;
        thread_local std::vector<std::int64_t> crossings;
        const QRgb brushColor = ToQRgb(fBrush.Color());
        ScanConvertPolygon(points, count, edges, crossings, [&](int y, int x, int length) {
          const int from = std::max(x, visible.Left);
          const int to = std::min(x + length, visible.Right);
          if (from < to) std::fill(rowOf(y) + from, rowOf(y) + to, brushColor);
        });
      }
      if (outline) {
        const QRgb penColor = ToQRgb(fPen.Color());
        PolygonStroker().Stroke(points, count, [&](int x, int y) {
          if (x >= visible.Left && x < visible.Right && y >= visible.Top && y < visible.Bottom) {
            rowOf(y)[x] = penColor;
          }
        });
      }
      fBitmap.Changed();
      return;
    }
  }
  Painter painter(*this, Mix::PenMode);
  if (!painter) return;
  QPolygon polygon(count);
  for (int i = 0; i < count; ++i) polygon.setPoint(i, points[i].X, points[i].Y);
  painter.Shape(MakeQPen(fPen), MakeQBrush(fBrush),
                [&](QPainter& p) { p.drawPolygon(polygon, Qt::OddEvenFill); });
}

void TCanvas::FillRect(const TRect& rect) {
  if (rect.IsEmpty() || fBrush.Style() == bsClear) return;
  if (fBrush.Style() == bsSolid) {
    // A solid fill sets every pixel of the visible part to the brush colour;
    // written directly, it costs no painter (the gradient fills a band per
    // row).
    const TRect area = IntersectRects(rect, VisibleRect());
    if (area.IsEmpty()) return;
    PrepareDirectWrite();
    FillPixels(ImageOf(fBitmap), area, ToQRgb(fBrush.Color()));
    fBitmap.Changed();
    return;
  }
  Painter painter(*this, Mix::Copy);
  if (!painter) return;
  painter->fillRect(ToQRect(rect), MakeQBrush(fBrush));
}

// ---------------------------------------------------------------------------
// Pixels

TColor TCanvas::Pixel(int x, int y) const { return fBitmap.Pixel(x, y); }

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (!PointInRect(VisibleRect(), TPoint{x, y})) return;
  PrepareDirectWrite();
  reinterpret_cast<QRgb*>(ImageOf(fBitmap).scanLine(y))[x] = ToQRgb(color);
  fBitmap.Changed();
}

// ---------------------------------------------------------------------------
// Text

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  CurrentFont();
  FontCache& cache = *fFontCache;
  const QFontMetrics& metrics = *cache.current->metrics;
  FontCache::Shaped& shaped = cache.Shape(text);
  cache.LayOut(shaped, text);
  const int width = shaped.width;
  const int height = metrics.height();

  // The text box relative to the reference point, as the alignment places it.
  int left = 0;
  switch (fTextAlign & TA_CENTER) {
    case TA_CENTER: left = -width / 2; break;
    case TA_RIGHT: left = -width; break;
    default: break;
  }
  int top = 0;
  switch (fTextAlign & TA_BASELINE) {
    case TA_BASELINE: top = -metrics.ascent(); break;
    case TA_BOTTOM: top = -height; break;
    default: break;
  }

  const bool turned = fFont.Orientation() % 3600 != 0;
  const QPointF baseline(left, top + metrics.ascent());

  // Every pixel the writing can touch: the text box, the glyphs' extent and
  // a margin for their smoothing, placed and turned. When the same text was
  // written before in the same way over the same pixels, the pixels it left
  // are set again; the painter's text drawing gives the same result wherever
  // the pixels beneath are the same, since the reference point is a whole
  // pixel.
  constexpr int kMargin = 2;
  QTransform placement;
  placement.translate(x, y);
  if (turned) placement.rotate(-fFont.Orientation() / 10.0);
  const QRectF reach = QRectF(left, top, width, height) | shaped.inkBounds.translated(baseline);
  const QRect reached =
      placement.mapRect(reach).toAlignedRect().adjusted(-kMargin, -kMargin, kMargin, kMargin);
  // Nothing outside the visible part changes, so only the part inside it is
  // kept, with a wider frame there to check that the painter stayed inside
  // the area.
  const TRect visible = VisibleRect();
  const QRect visibleRect = ToQRect(visible);
  const QRect area = reached & visibleRect;
  const QRect frame = reached.adjusted(-kMargin, -kMargin, kMargin, kMargin) & visibleRect;
  const bool replayable = !shaped.neverReplay && !area.isEmpty();
  const auto sameWriting = [&](const FontCache::Written& w) {
    return w.color == fFont.Color() && w.orientation == fFont.Orientation() &&
           w.opaque == (fBackgroundMode == OPAQUE) &&
           (w.opaque ? w.background == fBackgroundColor : true) && w.left == left && w.top == top &&
           (!turned || w.at == TPoint{x, y}) && w.area == area.translated(-x, -y);
  };
  QImage& image = ImageOf(fBitmap);
  thread_local std::vector<QRgb> before;
  thread_local std::vector<QRgb> frameBefore;
  if (replayable) {
    CopyOut(image, area, before);
    for (const FontCache::Written& w : shaped.writings) {
      if (sameWriting(w) && w.before == before) {
        PrepareDirectWrite();
        CopyIn(image, area, w.after);
        fBitmap.Changed();
        return;
      }
    }
    CopyOut(image, frame, frameBefore);
  }

  {
    Painter painter(*this, Mix::Copy);
    if (!painter) return;
    painter->translate(x, y);
    if (turned) painter->rotate(-fFont.Orientation() / 10.0);
    if (fBackgroundMode == OPAQUE) {
      painter->fillRect(QRect(left, top, width, height), ToQColor(fBackgroundColor));
    }
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    painter->setFont(cache.current->font);
    painter->setPen(ToQColor(fFont.Color()));
    for (const QGlyphRun& run : shaped.runs) painter->drawGlyphRun(baseline, run);
  }
  if (!replayable) return;

  // Kept for replay only when nothing outside the area changed.
  thread_local std::vector<QRgb> frameAfter;
  CopyOut(image, frame, frameAfter);
  const int frameWidth = frame.width();
  for (int row = 0; row < frame.height(); ++row) {
    for (int column = 0; column < frameWidth; ++column) {
      const bool inArea = area.contains(frame.left() + column, frame.top() + row);
      const std::size_t i = static_cast<std::size_t>(row) * frameWidth + column;
      if (!inArea && frameBefore[i] != frameAfter[i]) {
        shaped.neverReplay = true;
        shaped.writings.clear();
        return;
      }
    }
  }
  FontCache::Written written;
  written.color = fFont.Color();
  written.orientation = fFont.Orientation();
  written.opaque = fBackgroundMode == OPAQUE;
  written.background = fBackgroundColor;
  written.left = left;
  written.top = top;
  written.at = TPoint{x, y};
  written.area = area.translated(-x, -y);
  written.before = before;
  CopyOut(image, area, written.after);
  if (shaped.writings.size() < FontCache::Shaped::kWritings) {
    shaped.writings.push_back(std::move(written));
  } else {
    shaped.writings[shaped.nextWriting] = std::move(written);
    shaped.nextWriting = (shaped.nextWriting + 1) % FontCache::Shaped::kWritings;
  }
}

int TCanvas::TextWidth(const std::string& text) {
  if (text.empty()) return 0;
  CurrentFont();
  return fFontCache->Shape(text).width;
}

int TCanvas::TextHeight(const std::string&) { return CurrentFont().current->metrics->height(); }

// ---------------------------------------------------------------------------
// Clipping

void TCanvas::IntersectClipRect(const TRect& rect) {
  const TRect normal = Normalized(rect.Left, rect.Top, rect.Right, rect.Bottom);
  fClip = fHasClip ? IntersectRects(fClip, normal) : (normal.IsEmpty() ? TRect{} : normal);
  fHasClip = true;
}

void TCanvas::RemoveClip() {
  fHasClip = false;
  fClip = TRect{};
}

// ---------------------------------------------------------------------------
// Copies

void TCanvas::Draw(int x, int y, const TBitmap& source) {
  const QImage& image = ImageOf(source);
  if (image.isNull()) return;
  if (&source != &fBitmap && image.format() == QImage::Format_RGB32) {
    // Another opaque image: its visible part is copied row by row.
    const TRect area =
        IntersectRects(TRect{x, y, x + image.width(), y + image.height()}, VisibleRect());
    if (area.IsEmpty()) return;
    PrepareDirectWrite();
    QImage& target = ImageOf(fBitmap);
    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    const std::size_t bytes = static_cast<std::size_t>(area.Width()) * sizeof(QRgb);
    for (int row = area.Top; row < area.Bottom; ++row) {
      const uchar* from = image.constScanLine(row - y) + (area.Left - x) * sizeof(QRgb);
      std::memcpy(bits + row * stride + area.Left * sizeof(QRgb), from, bytes);
    }
    fBitmap.Changed();
    return;
  }
  // Drawing a bitmap onto itself copies from a snapshot.
  const QImage snapshot = &source == &fBitmap ? image.copy() : QImage();
  Painter painter(*this, Mix::Copy);
  if (!painter) return;
  painter->drawImage(QPoint(x, y), snapshot.isNull() ? image : snapshot);
}

void TCanvas::StretchDraw(const TRect& rect, const TBitmap& source) {
  const QImage& image = ImageOf(source);
  if (image.isNull() || rect.IsEmpty()) return;
  const QImage snapshot = &source == &fBitmap ? image.copy() : QImage();
  Painter painter(*this, Mix::Copy);
  if (!painter) return;
  painter->drawImage(ToQRect(rect), snapshot.isNull() ? image : snapshot);
}

}  // namespace drivesim

// TCanvas's own rasterisers: thin lines pixel by pixel with their dot
// patterns, and solid ellipses and polygons set pixel for pixel as the
// platform's painter would draw them, written straight into the image. The
// drawing calls decide when these apply (Canvas.cpp); everything else goes to
// the painter.
#include <QImage>
#include <QRgb>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "platform/Canvas.h"
#include "platform/CanvasPainter.h"
#include "platform/PixelRuns.h"

namespace drivesim {

namespace {

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

// The pixels of a thin line from `from`, dx and dy away from it, one after
// the other. Pixel i lies i steps along the major axis from the start, and
// at floor((2 i |minor| + |major|) / (2 |major|)) steps along the minor
// axis, that is i * minor / major rounded half away from the start; the
// quotient is carried from pixel to pixel with its remainder.
struct LineWalk {
  LineWalk(TPoint from, int dx, int dy)
      : XMajor(std::abs(dx) >= std::abs(dy)),
        MajorSign((XMajor ? dx : dy) > 0 ? 1 : -1),
        MinorSign((XMajor ? dy : dx) >= 0 ? 1 : -1),
        TwiceMajor(2LL * std::abs(XMajor ? dx : dy)),
        TwiceMinor(2LL * std::abs(XMajor ? dy : dx)),
        Remainder(std::abs(XMajor ? dx : dy)),
        X(from.X),
        Y(from.Y) {}

  // On to the next pixel.
  void Next() {
    Remainder += TwiceMinor;
    int minorStep = 0;
    if (Remainder >= TwiceMajor) {
      Remainder -= TwiceMajor;
      minorStep = MinorSign;
    }
    if (XMajor) {
      X += MajorSign;
      Y += minorStep;
    } else {
      Y += MajorSign;
      X += minorStep;
    }
  }

  const bool XMajor;
  const int MajorSign;
  const int MinorSign;
  const long long TwiceMajor;
  const long long TwiceMinor;
  long long Remainder;
  int X;
  int Y;
};

// Sets the pixels of a thin solid line from `from` to `to` (the end pixel
// left out) that lie in the visible rectangle to color, as LineWalk places
// them.
void SetSolidLinePixels(uchar* bits, qsizetype stride, const TRect& visible, TPoint from, TPoint to,
                        QRgb color) {
  const int dx = to.X - from.X;
  const int dy = to.Y - from.Y;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  if (steps == 0) return;
  const auto inside = [&](TPoint p) {
    return p.X >= visible.Left && p.X < visible.Right && p.Y >= visible.Top && p.Y < visible.Bottom;
  };
  const qsizetype rowStep = stride / static_cast<qsizetype>(sizeof(QRgb));
  if (dy == 0) {
    // Along a row: the visible part is one run.
    if (from.Y < visible.Top || from.Y >= visible.Bottom) return;
    const int left = std::max(dx > 0 ? from.X : to.X + 1, visible.Left);
    const int right = std::min(dx > 0 ? to.X : from.X + 1, visible.Right);
    FillPixelRun(reinterpret_cast<QRgb*>(bits + from.Y * stride) + left, right - left, color);
    return;
  }
  if (dx == 0) {
    // Along a column: the visible part, one pixel per row.
    if (from.X < visible.Left || from.X >= visible.Right) return;
    const int top = std::max(dy > 0 ? from.Y : to.Y + 1, visible.Top);
    const int bottom = std::min(dy > 0 ? to.Y : from.Y + 1, visible.Bottom);
    QRgb* pixel = reinterpret_cast<QRgb*>(bits + top * stride) + from.X;
    for (int y = top; y < bottom; ++y, pixel += rowStep) *pixel = color;
    return;
  }
  LineWalk walk(from, dx, dy);
  if (inside(from) && inside(to)) {
    // Both ends in the visible part: the line lies in it all, and every
    // pixel is set without a check, the walk's steps made in the image.
    const qsizetype majorStep = walk.XMajor ? walk.MajorSign : walk.MajorSign * rowStep;
    const qsizetype minorStep = walk.XMajor ? walk.MinorSign * rowStep : walk.MinorSign;
    QRgb* pixel = reinterpret_cast<QRgb*>(bits + from.Y * stride) + from.X;
    for (int i = 0; i < steps; ++i) {
      *pixel = color;
      pixel += majorStep;
      walk.Remainder += walk.TwiceMinor;
      if (walk.Remainder >= walk.TwiceMajor) {
        walk.Remainder -= walk.TwiceMajor;
        pixel += minorStep;
      }
    }
    return;
  }
  for (int i = 0; i < steps; ++i, walk.Next()) {
    if (inside({walk.X, walk.Y})) reinterpret_cast<QRgb*>(bits + walk.Y * stride)[walk.X] = color;
  }
}

}  // namespace

void TCanvas::ThinLine(TPoint from, TPoint to, int& phase) {
  const int dx = to.X - from.X;
  const int dy = to.Y - from.Y;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  if (steps == 0) return;
  const TRect visible = VisibleRect();
  if (visible.IsEmpty()) return;

  const std::optional<DotPattern> pattern = PatternOf(fPen);
  const QRgb penColor = ToQRgb(fPen.Color());
  const QRgb gapColor = pattern ? ToQRgb(fBrush.Color()) : penColor;
  const bool opaqueGaps = pattern && OpaqueGaps();
  const bool notXor = fPen.Mode() == pmNotXor;
  const auto [bits, stride] = BeginDirectWrite();

  if (!pattern && !notXor) {
    SetSolidLinePixels(bits, stride, visible, from, to, penColor);
    phase += steps;
    fBitmap.Changed(LineBounds(from, to, 0, visible));
    return;
  }

  // Where the pattern stands at the first pixel: the run (on, off, on, ...)
  // and the pixels left in it.
  int run = 0;
  int runLeft = 0;
  // The pattern placed at pixel `at` of the line; moved on to its next run;
  // moved on past one pixel, telling whether that pixel is on.
  const auto placePattern = [&](int at) {
    int position = (phase + at) % pattern->length;
    run = 0;
    while (position >= pattern->runs[run]) position -= pattern->runs[run++];
    runLeft = pattern->runs[run] - position;
  };
  const auto nextRun = [&] {
    run = run + 1 == pattern->count ? 0 : run + 1;
    runLeft = pattern->runs[run];
  };
  const auto stepPattern = [&] {
    if (!pattern) return true;
    const bool on = run % 2 == 0;
    if (--runLeft == 0) nextRun();
    return on;
  };
  if (pattern) placePattern(0);

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
      if (pattern) placePattern(first);
      if (pattern && !notXor) {
        // Pixel by pixel through one period of the pattern: each pixel and
        // every pixel a whole period after it take the same colour, set in
        // one loop (the pen colour on a dash or dot, the brush colour in an
        // opaque gap, nothing in a transparent one).
        const int count = last - first + 1;
        const int period = pattern->length;
        const qsizetype periodStep = period * pixelStep;
        for (int offset = 0; offset < std::min(period, count); ++offset) {
          const bool on = stepPattern();
          if (!on && !opaqueGaps) continue;
          const QRgb color = on ? penColor : gapColor;
          QRgb* at = pixel + offset * pixelStep;
          for (int i = offset; i < count; i += period, at += periodStep) *at = color;
        }
      } else {
        for (int i = first; i <= last; ++i, pixel += pixelStep) {
          const bool on = stepPattern();
          if (!on && !opaqueGaps) continue;
          const QRgb color = on ? penColor : gapColor;
          *pixel = notXor ? (0xFF000000u | (~(color ^ *pixel) & 0x00FFFFFFu)) : color;
        }
      }
    }
    phase += steps;
    fBitmap.Changed(LineBounds(from, to, 0, visible));
    return;
  }

  // Step "steps" would be the end pixel, which is not drawn.
  LineWalk walk(from, dx, dy);
  for (int i = 0; i < steps; ++i, walk.Next()) {
    const bool on = stepPattern();
    if ((on || opaqueGaps) && walk.X >= visible.Left && walk.X < visible.Right &&
        walk.Y >= visible.Top && walk.Y < visible.Bottom) {
      const QRgb color = on ? penColor : gapColor;
      QRgb& pixel = reinterpret_cast<QRgb*>(bits + walk.Y * stride)[walk.X];
      pixel = notXor ? (0xFF000000u | (~(color ^ pixel) & 0x00FFFFFFu)) : color;
    }
  }
  phase += steps;
  fBitmap.Changed(LineBounds(from, to, 0, visible));
}

void TCanvas::SetEllipsePixels(const TRect& box, bool fill, bool outline, const TRect& visible) {
  const auto [bits, stride] = BeginDirectWrite();
  const QRgb brushColor = ToQRgb(fBrush.Color());
  const QRgb penColor = outline ? ToQRgb(fPen.Color()) : brushColor;
  MidpointEllipseRuns(box.Left, box.Top, box.Width() - 1, box.Height() - 1, fill,
                      [&](int y, int x, int length, bool isOutline) {
                        if (y < visible.Top || y >= visible.Bottom) return;
                        const int from = std::max(x, visible.Left);
                        const int to = std::min(x + length, visible.Right);
                        if (from >= to) return;
                        QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
                        FillPixelRun(row + from, to - from, isOutline ? penColor : brushColor);
                      });
  fBitmap.Changed();
}

void TCanvas::SetPolygonPixels(const TPoint* points, int count, bool fill, bool outline,
                               const TRect& visible) {
  const auto [bits, stride] = BeginDirectWrite();
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
      FillPixelRun(rowOf(y) + from, to - from, brushColor);
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
}

void TCanvas::DrawThinLines(const TThinLine* lines, int count) {
  if (lines == nullptr || count <= 0) return;
  const TRect visible = VisibleRect();
  if (visible.IsEmpty()) return;
  const auto [bits, stride] = BeginDirectWrite();
  const bool damage = fBitmap.Damage() != nullptr;
  for (int i = 0; i < count; ++i) {
    const TThinLine& line = lines[i];
    const TPoint from{line.X0, line.Y0};
    const TPoint to{line.X1, line.Y1};
    SetSolidLinePixels(bits, stride, visible, from, to, ToQRgb(line.Color));
    if (damage) fBitmap.MarkDamage(LineBounds(from, to, 0, visible));
  }
  fBitmap.Changed(TRect{});
}

void TCanvas::DrawThinLineRepeats(const TThinLineRepeat* repeats, int count, TColor color) {
  if (repeats == nullptr || count <= 0) return;
  const TRect visible = VisibleRect();
  if (visible.IsEmpty()) return;
  const auto [bits, stride] = BeginDirectWrite();
  const qsizetype rowStep = stride / static_cast<qsizetype>(sizeof(QRgb));
  const QRgb rgb = ToQRgb(color);
  for (int i = 0; i < count; ++i) {
    const TThinLineRepeat& r = repeats[i];
    if (r.Count <= 0) continue;
    const bool alongRow = r.Y0 == r.Y1 && r.X0 != r.X1;
    const bool alongColumn = r.X0 == r.X1 && r.Y0 != r.Y1;
    // The pixels of the first copy: columns left..right - 1 of rows
    // top..bottom - 1 (the end pixel left out, whichever way it points).
    const int left = alongRow && r.X1 < r.X0 ? r.X1 + 1 : r.X0;
    const int right = alongRow ? (r.X1 < r.X0 ? r.X0 + 1 : r.X1) : r.X0 + 1;
    const int top = alongColumn && r.Y1 < r.Y0 ? r.Y1 + 1 : r.Y0;
    const int bottom = alongColumn ? (r.Y1 < r.Y0 ? r.Y0 + 1 : r.Y1) : r.Y0 + 1;
    // The last copy's offset; both the first and the last copy inside the
    // visible part hold every copy between them.
    const long long lastX = static_cast<long long>(r.Count - 1) * r.StepX;
    const long long lastY = static_cast<long long>(r.Count - 1) * r.StepY;
    const auto inside = [&](long long dx, long long dy) {
      return left + dx >= visible.Left && right + dx <= visible.Right && top + dy >= visible.Top &&
             bottom + dy <= visible.Bottom;
    };
    if ((alongRow || alongColumn) && inside(0, 0) && inside(lastX, lastY)) {
      // Every pixel set directly, copy after copy.
      const qsizetype copyStep = r.StepY * rowStep + r.StepX;
      QRgb* first = reinterpret_cast<QRgb*>(bits + top * stride) + left;
      if (alongRow) {
        const int length = right - left;
        for (int c = 0; c < r.Count; ++c, first += copyStep) FillPixelRun(first, length, rgb);
      } else {
        const int length = bottom - top;
        for (int c = 0; c < r.Count; ++c, first += copyStep) {
          QRgb* pixel = first;
          for (int k = 0; k < length; ++k, pixel += rowStep) *pixel = rgb;
        }
      }
      continue;
    }
    for (int c = 0; c < r.Count; ++c) {
      const long long dx = static_cast<long long>(c) * r.StepX;
      const long long dy = static_cast<long long>(c) * r.StepY;
      // A copy whose ends do not fit in a coordinate is left out.
      const long long ends[] = {r.X0 + dx, r.Y0 + dy, r.X1 + dx, r.Y1 + dy};
      if (std::any_of(std::begin(ends), std::end(ends),
                      [](long long v) { return v < INT_MIN || v > INT_MAX; })) {
        continue;
      }
      SetSolidLinePixels(bits, stride, visible,
                         TPoint{static_cast<int>(ends[0]), static_cast<int>(ends[1])},
                         TPoint{static_cast<int>(ends[2]), static_cast<int>(ends[3])}, rgb);
    }
  }
  fBitmap.Changed();
}

}  // namespace drivesim

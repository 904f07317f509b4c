// Wide solid lines drawn many at a time: with the platform painter's wide
// pen (DrawWideLines), or with the canvas's own round pen (DrawRoundLines).
//
// The platform painter's pixels are not the same wherever a wide line lies:
// where the edge of its round ends passes exactly through a pixel's centre,
// its arithmetic decides by the line's position. The round pen is the
// canvas's own rule, the same everywhere, and many times faster:
//
// A solid pen of width w >= 2 in the copy mode draws a line as the set of
// pixels whose centres lie closer than w / 2 to the segment between its
// end points: a stroke with round ends. The segment runs between the end
// pixels' centres for an odd width, and between their lower right corners
// for an even one, so that a line along a row covers exactly w rows,
// y - (w - 1) / 2 to y + w / 2, as the thin copies side by side of a
// widened pen do. The test is exact: in half-pixel units every centre and
// end point is a whole number, so distances are compared in integers
// (DrawsPixel) and floating point only proposes each row's run of pixels,
// which the exact test then trims. The pixels of a line do not depend on
// where it lies or on the clip, so lines drawn one by one, in a batch, or
// merged where they overlap set the same pixels.
//
// Lines that reach past kRoundPenReach pixels, and every other wide pen
// (patterned, or another mix mode), are left to the platform painter's
// LineTo.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include "platform/Canvas.h"
#include "platform/CanvasPainter.h"

namespace drivesim {

namespace {

// Coordinates this far from the origin keep every product of the exact
// test inside 128 bits.
constexpr int kRoundPenReach = 1 << 20;

using Wide = __int128;

// One line of the round pen in half-pixel units.
class RoundLine {
 public:
  RoundLine(int x0, int y0, int x1, int y1, int width)
      : fAx(2LL * x0 + Offset(width)),
        fAy(2LL * y0 + Offset(width)),
        fBx(2LL * x1 + Offset(width)),
        fBy(2LL * y1 + Offset(width)),
        fVx(fBx - fAx),
        fVy(fBy - fAy),
        fVV(static_cast<Wide>(fVx) * fVx + static_cast<Wide>(fVy) * fVy),
        fR2(static_cast<Wide>(width) * width),
        fRadius(width / 2.0) {}

  // Whether the pixel (x, y)'s centre lies closer than the radius to the
  // segment.
  bool DrawsPixel(int x, int y) const {
    const long long ux = 2LL * x + 1 - fAx;
    const long long uy = 2LL * y + 1 - fAy;
    const Wide t = static_cast<Wide>(ux) * fVx + static_cast<Wide>(uy) * fVy;
    if (t <= 0) return static_cast<Wide>(ux) * ux + static_cast<Wide>(uy) * uy < fR2;
    if (t >= fVV) {
      const long long wx = 2LL * x + 1 - fBx;
      const long long wy = 2LL * y + 1 - fBy;
      return static_cast<Wide>(wx) * wx + static_cast<Wide>(wy) * wy < fR2;
    }
    const Wide cross = static_cast<Wide>(ux) * fVy - static_cast<Wide>(uy) * fVx;
    return cross * cross < fR2 * fVV;
  }

  // For a vertical line, the rows whose centres lie strictly between its
  // ends, where the nearest point of the segment is level with the centre:
  // there every row holds the same pixels, those closer than the radius
  // across. False for any other line, or when no row lies between.
  bool InteriorRows(int& top, int& bottom) const {
    if (fVx != 0 || fVy == 0) return false;
    // 2y + 1 strictly between the ends' rows in half-pixel units.
    const long long low = std::min(fAy, fBy);
    const long long high = std::max(fAy, fBy);
    top = static_cast<int>(low / 2);  // 2 top + 1 > low, low >= 0 or not
    while (2LL * top + 1 <= low) ++top;
    while (2LL * (top - 1) + 1 > low) --top;
    bottom = static_cast<int>(high / 2);
    while (2LL * bottom + 1 >= high) --bottom;
    while (2LL * (bottom + 1) + 1 < high) ++bottom;
    return top <= bottom;
  }
  // The half-pixel column of a vertical line.
  long long ColumnTwice() const { return fAx; }

  // The rows the line can reach.
  int TopRow() const {
    return static_cast<int>(std::floor(std::min(fAy, fBy) / 2.0 - fRadius)) - 1;
  }
  int BottomRow() const {
    return static_cast<int>(std::ceil(std::max(fAy, fBy) / 2.0 + fRadius)) + 1;
  }

  // A run of columns on row y that holds every pixel of the line there
  // (and perhaps a few more): the row's chord through a stroke a little
  // wider than the line. False where the row misses it.
  bool Proposed(int y, int& first, int& last) const {
    const double r = fRadius + 0.01;
    const double yc = y + 0.5;
    const double ax = fAx / 2.0, ay = fAy / 2.0, bx = fBx / 2.0, by = fBy / 2.0;
    double lo = INFINITY;
    double hi = -INFINITY;
    const auto disc = [&](double ex, double ey) {
      const double dy = yc - ey;
      if (std::abs(dy) >= r) return;
      const double s = std::sqrt(r * r - dy * dy);
      lo = std::min(lo, ex - s);
      hi = std::max(hi, ex + s);
    };
    disc(ax, ay);
    disc(bx, by);
    const double dx = bx - ax, dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    if (length2 > 0) {
      const double along = (yc - ay) * dy;  // (Q - A) . d without its x part
      if (dy == 0) {
        if (std::abs(yc - ay) < r) {
          lo = std::min(lo, std::min(ax, bx));
          hi = std::max(hi, std::max(ax, bx));
        }
      } else {
        // Closer than r to the line through A and B ...
        const double reach = r * std::sqrt(length2);
        double bandLo = ax + ((yc - ay) * dx - reach) / dy;
        double bandHi = ax + ((yc - ay) * dx + reach) / dy;
        if (bandLo > bandHi) std::swap(bandLo, bandHi);
        // ... and between the ends' perpendiculars.
        double sideLo = -INFINITY, sideHi = INFINITY;
        if (dx != 0) {
          sideLo = ax + (0 - along) / dx;
          sideHi = ax + (length2 - along) / dx;
          if (sideLo > sideHi) std::swap(sideLo, sideHi);
        } else if (along < 0 || along > length2) {
          sideLo = INFINITY;
        }
        const double from = std::max(bandLo, sideLo);
        const double to = std::min(bandHi, sideHi);
        if (from <= to) {
          lo = std::min(lo, from);
          hi = std::max(hi, to);
        }
      }
    }
    if (!(lo <= hi)) return false;
    first = static_cast<int>(std::floor(lo - 0.5));
    last = static_cast<int>(std::ceil(hi - 0.5));
    return true;
  }

 private:
  static int Offset(int width) { return width % 2 == 1 ? 1 : 2; }

  long long fAx, fAy, fBx, fBy;
  long long fVx, fVy;
  Wide fVV;
  Wide fR2;
  double fRadius;
};

bool WithinReach(int x0, int y0, int x1, int y1) {
  return std::abs(x0) < kRoundPenReach && std::abs(y0) < kRoundPenReach &&
         std::abs(x1) < kRoundPenReach && std::abs(y1) < kRoundPenReach;
}

// Calls row(y, first, last) for each row of the line's pixels inside
// visible, from the top: the run of pixels the exact test draws there.
template <typename Row>
void ForEachRow(const RoundLine& line, int width, const TRect& visible, Row&& row) {
  const int top = std::max(line.TopRow(), visible.Top);
  const int bottom = std::min(line.BottomRow(), visible.Bottom - 1);
  // A vertical line's rows between its ends all hold the pixels of the
  // first of them: found once, by the exact test.
  int interiorTop = 0;
  int interiorBottom = -1;
  int interiorFirst = 0;
  int interiorLast = -1;
  if (line.InteriorRows(interiorTop, interiorBottom)) {
    const int centre = static_cast<int>(line.ColumnTwice() / 2);
    const int reach = width + 1;
    interiorFirst = centre - reach;
    interiorLast = centre + reach;
    while (interiorFirst <= interiorLast && !line.DrawsPixel(interiorFirst, interiorTop)) {
      ++interiorFirst;
    }
    while (interiorLast >= interiorFirst && !line.DrawsPixel(interiorLast, interiorTop)) {
      --interiorLast;
    }
    interiorFirst = std::max(interiorFirst, visible.Left);
    interiorLast = std::min(interiorLast, visible.Right - 1);
  }
  for (int y = top; y <= bottom; ++y) {
    if (y >= interiorTop && y <= interiorBottom) {
      if (interiorFirst <= interiorLast) {
        const int to = std::min(interiorBottom, bottom);
        for (; y <= to; ++y) row(y, interiorFirst, interiorLast);
        --y;
      } else {
        y = std::min(interiorBottom, bottom);
      }
      continue;
    }
    int first = 0;
    int last = 0;
    if (!line.Proposed(y, first, last)) continue;
    first = std::max(first, visible.Left);
    last = std::min(last, visible.Right - 1);
    while (first <= last && !line.DrawsPixel(first, y)) ++first;
    while (last >= first && !line.DrawsPixel(last, y)) --last;
    if (first > last) continue;
    row(y, first, last);
  }
}

// A row of a line's pixels, from its first end: row Row, columns First to
// Last.
struct RoundSpan {
  int Row;
  int First;
  int Last;
};

// Lines this short or shorter along both axes keep their shape.
constexpr int kShapeReach = 1024;
// How many shapes, and rows of them, are kept before they are all let go:
// a few megabytes at most.
constexpr std::size_t kShapesKept = 4096;
constexpr std::size_t kRowsKept = std::size_t{1} << 18;

// The pixels of a line of this width from (0, 0) to (dx, dy), row by row,
// or null for a line too long to keep. Moved by whole pixels, a line keeps
// its pixels (every half-pixel coordinate moves by an even number), so a
// dense trace, whose segments come in a few hundred shapes, works out each
// shape once instead of each segment's rows.
const std::vector<RoundSpan>* ShapeOf(int width, int dx, int dy) {
  if (std::abs(dx) > kShapeReach || std::abs(dy) > kShapeReach || width > kShapeReach) {
    return nullptr;
  }
  thread_local std::unordered_map<std::uint64_t, std::vector<RoundSpan>> shapes;
  thread_local std::size_t rows = 0;
  const std::uint64_t key = (static_cast<std::uint64_t>(width) << 32) |
                            (static_cast<std::uint64_t>(dx + kShapeReach) << 16) |
                            static_cast<std::uint64_t>(dy + kShapeReach);
  if (const auto found = shapes.find(key); found != shapes.end()) return &found->second;
  std::vector<RoundSpan> spans;
  const TRect everywhere{-kRoundPenReach, -kRoundPenReach, kRoundPenReach, kRoundPenReach};
  ForEachRow(RoundLine(0, 0, dx, dy, width), width, everywhere, [&](int y, int first, int last) {
    spans.push_back(RoundSpan{y, first, last});
  });
  if (shapes.size() >= kShapesKept || rows + spans.size() > kRowsKept) {
    shapes.clear();
    rows = 0;
  }
  rows += spans.size();
  return &shapes.emplace(key, std::move(spans)).first->second;
}

}  // namespace

bool TCanvas::DrawsRoundLines() const {
  return fPen.Style() == psSolid && fPen.Mode() == pmCopy && fPen.Width() >= 2 &&
         !fPen.AlternatePixels();
}

bool TCanvas::SetRoundLinePixels(int x0, int y0, int x1, int y1, TColor color,
                                 const TRect& visible) {
  if (!WithinReach(x0, y0, x1, y1)) return false;
  fBitmap.MarkDamage(LineBounds({x0, y0}, {x1, y1}, fPen.Width() / 2 + 2, visible));
  const auto [bits, bytesPerLine] = BeginDirectWrite();
  const QRgb rgb = ToQRgb(color);
  const auto fillRow = [&](int y, int first, int last) {
    QRgb* row = reinterpret_cast<QRgb*>(bits + y * bytesPerLine);
    for (QRgb* pixel = row + first; pixel <= row + last; ++pixel) *pixel = rgb;
  };
  const int width = fPen.Width();
  if (const std::vector<RoundSpan>* shape = ShapeOf(width, x1 - x0, y1 - y0)) {
    for (const RoundSpan& span : *shape) {
      const int y = y0 + span.Row;
      if (y < visible.Top || y >= visible.Bottom) continue;
      const int first = std::max(x0 + span.First, visible.Left);
      const int last = std::min(x0 + span.Last, visible.Right - 1);
      if (first <= last) fillRow(y, first, last);
    }
    return true;
  }
  ForEachRow(RoundLine(x0, y0, x1, y1, width), width, visible, fillRow);
  return true;
}

void TCanvas::DrawWideLines(const TThinLine* lines, int count) { DrawLines(lines, count, false); }

void TCanvas::DrawRoundLines(const TThinLine* lines, int count) { DrawLines(lines, count, true); }

void TCanvas::DrawLines(const TThinLine* lines, int count, bool roundPen) {
  if (lines == nullptr || count <= 0) return;
  const TRect visible = VisibleRect();
  if (visible.IsEmpty()) return;
  const TPoint penPos = fPenPos;
  const int patternPhase = fPatternPhase;
  const TColor penColor = fPen.Color();
  const bool notify = fBitmap.NotificationsEnabled;
  fBitmap.NotificationsEnabled = false;
  const bool round = roundPen && DrawsRoundLines();
  for (int i = 0; i < count; ++i) {
    const TThinLine& line = lines[i];
    if (round && SetRoundLinePixels(line.X0, line.Y0, line.X1, line.Y1, line.Color, visible)) {
      continue;
    }
    fPen.SetColor(line.Color);
    MoveTo(line.X0, line.Y0);
    LineTo(line.X1, line.Y1);
  }
  fPen.SetColor(penColor);
  fPenPos = penPos;
  fPatternPhase = patternPhase;
  fBitmap.NotificationsEnabled = notify;
  // Each line marked its own damage.
  fBitmap.Changed(TRect{});
}

}  // namespace drivesim

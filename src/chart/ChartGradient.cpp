// The chart canvas's gradient fill: bands from one colour to another across
// a rectangle, top to bottom, left to right, from the centre or from a left
// corner, each band's colour worked out with MulDiv, bands of one colour
// filled together; optionally around a hole that is left as it is.
#include <algorithm>
#include <utility>

#include "chart/ChartBackground.h"
#include "chart/ChartCanvas.h"
#include "platform/Numbers.h"

namespace drivesim {

namespace {

// The band count of a linear gradient never exceeds this, however large the
// rectangle.
constexpr int kMaxGradientBands = 256;

// Fills rect with the canvas's brush, except where it meets hole: the rows
// above and below the hole, then the columns beside it.
void FillAround(TCanvas& canvas, const TRect& rect, const TRect& hole) {
  const TRect inHole = IntersectRects(rect, hole);
  if (inHole.IsEmpty()) {
    canvas.FillRect(rect);
    return;
  }
  const TRect parts[] = {{rect.Left, rect.Top, rect.Right, inHole.Top},
                         {rect.Left, inHole.Bottom, rect.Right, rect.Bottom},
                         {rect.Left, inHole.Top, inHole.Left, inHole.Bottom},
                         {inHole.Right, inHole.Top, rect.Right, inHole.Bottom}};
  for (const TRect& part : parts) {
    if (!part.IsEmpty()) canvas.FillRect(part);
  }
}

// Fills the bands and strips of one gradient. It keeps the band colour of the
// previous step so that a new solid brush is made only when the colour
// changes, and it keeps every fill inside the gradient's rectangle. Bands of
// one colour that continue each other (the same columns on the next rows, or
// the same rows in the next columns) are filled together as one rectangle:
// a fill is held back until the colour changes or a fill that does not
// continue it comes, so the pixels and their order are those of band-by-band
// filling.
class GradientPainter {
 public:
  GradientPainter(TCanvas& canvas, const TRect& area, const TRect& hole, TColor start, TColor end,
                  int& brushCount)
      : fCanvas(canvas), fArea(area), fHole(hole), fBrushCount(brushCount) {
    fR0 = GetRValue(start);
    fG0 = GetGValue(start);
    fB0 = GetBValue(start);
    fDeltaR = GetRValue(end) - fR0;
    fDeltaG = GetGValue(end) - fG0;
    fDeltaB = GetBValue(end) - fB0;
  }
  GradientPainter(const GradientPainter&) = delete;
  GradientPainter& operator=(const GradientPainter&) = delete;

  // Selects the colour of step k of d: the start colour plus k/d of the way
  // to the end colour, each component rounded by MulDiv.
  void UseStep(int k, int d) {
    TColor color = RGB(fR0, fG0, fB0);
    if (d != 0) {
      // Components that change by the same amount (a grey gradient) share
      // one quotient.
      const int stepR = MulDiv(k, fDeltaR, d);
      const int stepG = fDeltaG == fDeltaR ? stepR : MulDiv(k, fDeltaG, d);
      const int stepB =
          fDeltaB == fDeltaR ? stepR : (fDeltaB == fDeltaG ? stepG : MulDiv(k, fDeltaB, d));
      color = RGB((fR0 + stepR) & 0xFF, (fG0 + stepG) & 0xFF, (fB0 + stepB) & 0xFF);
    }
    if (fHaveBrush && color == fColor) return;
    Flush();
    fCanvas.Brush().SetColor(color);
    fCanvas.Brush().SetStyle(bsSolid);
    fColor = color;
    fHaveBrush = true;
    ++fBrushCount;
  }

  // Fills columns left..right-1 and rows top..bottom-1 with the current
  // brush, no outline; nothing outside the gradient's rectangle.
  void Fill(int left, int top, int right, int bottom) {
    const TRect band = IntersectRects(TRect{left, top, right, bottom}, fArea);
    if (band.IsEmpty()) return;
    if (fHavePending) {
      TRect& p = fPending;
      if (band.Left == p.Left && band.Right == p.Right) {
        if (band.Bottom == p.Top) {
          p.Top = band.Top;
          return;
        }
        if (band.Top == p.Bottom) {
          p.Bottom = band.Bottom;
          return;
        }
      }
      if (band.Top == p.Top && band.Bottom == p.Bottom) {
        if (band.Right == p.Left) {
          p.Left = band.Left;
          return;
        }
        if (band.Left == p.Right) {
          p.Right = band.Right;
          return;
        }
      }
      Flush();
    }
    fPending = band;
    fHavePending = true;
  }

  // Fills what is held back, around the hole.
  void Flush() {
    if (!fHavePending) return;
    fHavePending = false;
    FillAround(fCanvas, fPending, fHole);
  }

 private:
  TCanvas& fCanvas;
  TRect fArea;
  TRect fHole;
  int& fBrushCount;
  int fR0, fG0, fB0;
  int fDeltaR, fDeltaG, fDeltaB;
  TColor fColor = 0;
  bool fHaveBrush = false;
  TRect fPending;
  bool fHavePending = false;
};

// Bands across the rectangle: rows from the bottom edge up, or columns from
// the right edge leftwards. Band 0 lies along that edge in the start colour,
// the last along the opposite edge in the end colour; band i covers
// extent * i / n .. extent * (i + 1) / n from the edge, each starting where
// the one before it ended.
void FillBands(GradientPainter& painter, const TRect& r, bool rows) {
  const int extent = rows ? r.Height() : r.Width();
  if (extent <= 0) return;
  const int n = std::min(extent, kMaxGradientBands);
  int start = 0;
  for (int i = 0; i < n; ++i) {
    // With a band per pixel (extent up to kMaxGradientBands) band i ends at
    // i + 1, which MulDiv gives exactly; it is not asked.
    const int stop = n == extent ? i + 1 : MulDiv(i + 1, extent, n);
    painter.UseStep(i, n - 1);
    if (rows) {
      painter.Fill(r.Left, r.Bottom - stop, r.Right, r.Bottom - start);
    } else {
      painter.Fill(r.Right - stop, r.Top, r.Right - start, r.Bottom);
    }
    start = stop;
  }
}

// Rings one pixel thick from the outer edge inwards. The horizontal and the
// vertical inset each stop growing at half their side, so a long rectangle
// ends in a line rather than a point.
void FillFromCenter(GradientPainter& painter, const TRect& r) {
  const int w = r.Width();
  const int h = r.Height();
  const int halfW = w / 2;
  const int halfH = h / 2;
  const int d = halfW + halfH;
  int a = 0;  // columns inset
  int b = 0;  // rows inset
  do {
    painter.UseStep(a + b, d);
    painter.Fill(r.Left + a, r.Top + b, r.Left + a + 1, r.Bottom - b);
    painter.Fill(r.Right - a - 1, r.Top + b, r.Right - a, r.Bottom - b);
    painter.Fill(r.Left + a, r.Top + b, r.Right - a, r.Top + b + 1);
    painter.Fill(r.Left + a, r.Bottom - b - 1, r.Right - a, r.Bottom - b);
    if (b < halfH) ++b;
    if (a < halfW) ++a;
  } while (a < halfW || b < halfH);
  // A square of odd side larger than one pixel stops one ring short of its
  // single centre pixel; it takes the colour of the next step, the end colour.
  if (w == h && w % 2 == 1 && halfW > 0) {
    painter.UseStep(d, d);
    painter.Fill(r.Left + halfW, r.Top + halfH, r.Left + halfW + 1, r.Top + halfH + 1);
  }
}

// A square growing from the top-left or bottom-left corner: each step adds
// one column to its right and one row on its far side, until both sides
// reach the rectangle's.
void FillFromLeftCorner(GradientPainter& painter, const TRect& r, bool fromTop) {
  const int w = r.Width();
  const int h = r.Height();
  const int d = w + h;
  int y = fromTop ? r.Top : r.Bottom;  // the front row
  int i = 0;
  int j = 0;
  do {
    painter.UseStep(i + j, d);
    if (fromTop) {
      painter.Fill(r.Left + i, r.Top, r.Left + i + 1, y);
    } else {
      painter.Fill(r.Left + i, y, r.Left + i + 1, r.Bottom);
    }
    if (j < h) {
      ++j;
      if (fromTop) {
        painter.Fill(r.Left, y, r.Left + i + 1, y + 1);
        if (y < r.Bottom) ++y;
      } else {
        painter.Fill(r.Left, y - 1, r.Left + i + 1, y);
        if (y > r.Top) --y;
      }
    }
    if (i < w) ++i;
  } while (j < h || i < w);
}

}  // namespace

void TChartCanvas3D::FillGradient(const TRect& rect, TColor startColor, TColor endColor,
                                  TGradientDirection direction) {
  FillGradientAround(rect, TRect{}, startColor, endColor, direction);
}

void TChartCanvas3D::FillGradientAround(const TRect& rect, const TRect& hole, TColor startColor,
                                        TColor endColor, TGradientDirection direction) {
  RecordedCall call(*this, RecordedCall::kGradient);
  if ((call << rect << hole << static_cast<int>(startColor) << static_cast<int>(endColor)
            << static_cast<int>(direction))
          .Skip()) {
    return;
  }
  fGradientBrushCount = 0;
  if (!fTarget) return;
  if (direction != gdTopBottom && direction != gdLeftRight) std::swap(startColor, endColor);
  TRect area = rect;
  if (area.Right < area.Left) std::swap(area.Left, area.Right);
  if (area.Bottom < area.Top) std::swap(area.Top, area.Bottom);
  if (area.IsEmpty()) return;

  TBrush previous;
  previous.Assign(fTarget->Brush());
  GradientPainter painter(*fTarget, area, hole, ColorToRGB(startColor), ColorToRGB(endColor),
                          fGradientBrushCount);
  switch (direction) {
    case gdTopBottom:
    case gdBottomTop: FillBands(painter, area, true); break;
    case gdLeftRight:
    case gdRightLeft: FillBands(painter, area, false); break;
    case gdFromCenter: FillFromCenter(painter, area); break;
    case gdFromTopLeft: FillFromLeftCorner(painter, area, true); break;
    case gdFromBottomLeft: FillFromLeftCorner(painter, area, false); break;
  }
  painter.Flush();
  fTarget->Brush().Assign(previous);
}

void TChartCanvas3D::ClearAreaAround(const TRect& rect, const TRect& hole) {
  RecordedCall call(*this, RecordedCall::kClearAround);
  if ((call << rect << hole).Skip()) return;
  if (fTarget) FillAround(*fTarget, rect, hole);
}

}  // namespace drivesim

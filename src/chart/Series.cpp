#include "chart/Series.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <typeinfo>

#include "chart/AxisPanel.h"
#include "chart/ChartAxis.h"
#include "chart/ChartStrings.h"

namespace drivesim {

namespace {

// Whether pixel (x, y) lies on the segment from (ax, ay) to (bx, by): its
// distance from the line through both ends, scaled by the segment's longer
// extent, is below that extent, and it is not beyond either end in x or in
// y. A segment of one pixel catches nothing. The cross product is formed in
// doubles because pixels far outside the chart can make it overflow 64 bits.
bool PixelOnSegment(int x, int y, int ax, int ay, int bx, int by) {
  const double cross = static_cast<double>(x - ax) * (static_cast<double>(by) - ay) -
                       static_cast<double>(y - ay) * (static_cast<double>(bx) - ax);
  const double extent =
      std::max(std::abs(static_cast<double>(bx) - ax), std::abs(static_cast<double>(by) - ay));
  if (!(std::abs(cross) < extent)) return false;
  return x >= std::min(ax, bx) && x <= std::max(ax, bx) && y >= std::min(ay, by) &&
         y <= std::max(ay, by);
}

}  // namespace

// ---------------------------------------------------------------------------
// TSeriesPointer

TSeriesPointer::TSeriesPointer(TChartSeries& owner) : fOwner(owner) {
  fBrush.SetColor(clDefault);
  fBrush.OnChange = [this] { Changed(); };
  fPen.OnChange = [this] { Changed(); };
}

void TSeriesPointer::SetDark3D(bool value) {
  if (fDark3D == value) return;
  fDark3D = value;
  Changed();
}

void TSeriesPointer::SetDraw3D(bool value) {
  if (fDraw3D == value) return;
  fDraw3D = value;
  Changed();
}

void TSeriesPointer::SetHorizSize(int value) {
  if (fHorizSize == value) return;
  if (value < 1) throw ChartException(ChartStrings::PointerSizeError);
  fHorizSize = value;
  Changed();
}

void TSeriesPointer::SetVertSize(int value) {
  if (fVertSize == value) return;
  if (value < 1) throw ChartException(ChartStrings::PointerSizeError);
  fVertSize = value;
  Changed();
}

void TSeriesPointer::SetInflateMargins(bool value) {
  if (fInflateMargins == value) return;
  fInflateMargins = value;
  Changed();
}

void TSeriesPointer::SetStyle(TSeriesPointerStyle value) {
  if (fStyle == value) return;
  fStyle = value;
  Changed();
}

void TSeriesPointer::SetVisible(bool value) {
  if (fVisible == value) return;
  fVisible = value;
  Changed();
}

// ---------------------------------------------------------------------------
// TCustomSeries

TCustomSeries::TCustomSeries()
    : fLinePen(std::make_unique<TChartPen>()), fPointer(std::make_unique<TSeriesPointer>(*this)) {
  fLinePen->OnChange = [this] { RequestRepaint(); };
  // The line leaves the chart rectangle towards the first point beyond its
  // far edge, so that point belongs to the drawn range.
  SetDrawsBeyondEdge(true);
}

TCustomSeries::~TCustomSeries() = default;

void TCustomSeries::PaintPoint(int index) {
  TCustomAxisPanel* chart = ParentChart();
  const TCustomChartAxis* horizAxis = ResolvedHorizAxis();
  if (!chart || !horizAxis || !ResolvedVertAxis()) return;

  const TColor col = PointColor(index);
  const int x = PointScreenX(index);
  const int y = PointScreenY(index);
  const bool first = index == FirstVisible();

  if (!Drawable(x, y)) {
    // Too far out for the canvas: the line goes on from the last drawn
    // point to the next drawable one.
    if (first) fLineStartPending = true;
    fPrevColor = col;
    return;
  }

  // After a null point the line starts afresh here.
  if (fPrevColor == clNone) {
    fPrevX = x;
    fPrevY = y;
  }

  if (first) {
    fLineStartPending = false;
    if (index > 0) {
      // The line enters the chart from its edge, at the height where the
      // line from the point before would cross that edge.
      const TRect& plot = chart->PlotRect();
      fPrevX = horizAxis->Inverted() ? plot.Right : plot.Left;
      fPrevY = fStairs ? PointScreenY(index - 1) : EdgeY(index, fPrevX);
      if (PointColor(index - 1) != clNone) PaintSegment(index, x, y, col, false);
    }
    if (index == LastVisible() && fPointer->Visible()) PaintPointer(x, y, index, col);
  } else if (fLineStartPending) {
    // The first visible point was not drawable: this point starts the line
    // of this paint rather than joining a pixel of an earlier one.
    fLineStartPending = false;
    if (index == LastVisible() && fPointer->Visible() && col != clNone)
      PaintPointer(x, y, index, col);
  } else {
    PaintSegment(index, x, y, col, true);
  }

  fPrevX = x;
  fPrevY = y;
  fPrevColor = col;
}

void TCustomSeries::DrawVisiblePoints() {
  // The line's wide segments are the round pen's, by columns or point by
  // point alike; the flag goes back however the drawing ends.
  TChartCanvas3D& canvas = ParentChart()->ChartCanvas();
  struct RoundLines {
    TChartCanvas3D& Canvas;
    bool Was;
    ~RoundLines() { Canvas.SetRoundLines(Was); }
  } restore{canvas, canvas.RoundLines()};
  canvas.SetRoundLines(true);
  if (FirstVisible() >= 0 && DrawsLineByColumns()) {
    DrawLineByColumns();
  } else {
    TChartSeries::DrawVisiblePoints();
  }
}

bool TCustomSeries::DrawsLineByColumns() const {
  // A series type of its own may paint its points, colour them or place
  // them differently: it goes point by point.
  if (typeid(*this) != typeid(TLineSeries) && typeid(*this) != typeid(TCustomSeries)) return false;
  TCustomAxisPanel* chart = ParentChart();
  if (!chart || !ResolvedHorizAxis() || !ResolvedVertAxis() ||
      !chart->ChartCanvas().DeviceContext())
    return false;
  if (!fDrawsLine || fDrawsArea || fStairs || fPointer->Visible()) return false;
  const TChartPen& pen = *fLinePen;
  // Solid, of any width: a wide line's segments set pixels that do not
  // depend on what lies below them either.
  return pen.Visible() && pen.Style() == psSolid && !pen.SmallDots() && pen.Mode() == pmCopy;
}

void TCustomSeries::PaintSegment(int index, int x, int y, TColor col, bool withPointers) {
  if ((x != fPrevX || y != fPrevY) && col != clNone && fDrawsLine && !fDrawsArea) {
    TChartCanvas3D& canvas = ParentChart()->ChartCanvas();
    // The segment takes its end point's colour; the line pen gives only its
    // width and style.
    canvas.ApplyPen(*fLinePen);
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetColor(col);
    if (!fStairs) {
      canvas.DrawSegment(fPrevX, fPrevY, x, y);
    } else if (!fInvertedStairs) {
      canvas.DrawHorizontal(fPrevX, x, fPrevY);
      canvas.DrawLineTo(x, y);
    } else {
      canvas.DrawVertical(fPrevX, fPrevY, y);
      canvas.DrawLineTo(x, y);
    }
  }
  if (withPointers && fPointer->Visible()) {
    // A point's pointer goes over both of its segments: it is drawn after
    // the segment that leaves it, the last point's after the one reaching it.
    if (fPrevColor != clNone) PaintPointer(fPrevX, fPrevY, index - 1, fPrevColor);
    if (index == LastVisible() && col != clNone) PaintPointer(x, y, index, col);
  }
}

int TCustomSeries::EdgeY(int index, int edgeX) const {
  if (ResolvedHorizAxis()->IsLogScale() || ResolvedVertAxis()->IsLogScale()) {
    // On a logarithmic scale the segment is straight between the points'
    // pixels, not between their values.
    const int x0 = PointScreenX(index - 1);
    const int x1 = PointScreenX(index);
    const int y0 = PointScreenY(index - 1);
    if (x1 == x0) return y0;
    const double f = static_cast<double>(edgeX - x0) / (x1 - x0);
    return static_cast<int>(std::lround(y0 + (PointScreenY(index) - y0) * f));
  }
  const double v = ResolvedHorizAxis()->PixelToValue(edgeX);
  const double x0 = XValueAt(index - 1);
  const double dx = XValueAt(index) - x0;
  if (dx == 0) return PointScreenY(index - 1);
  const double y0 = YValueAt(index - 1);
  return ResolvedVertAxis()->ValueToPixel((YValueAt(index) - y0) * (v - x0) / dx + y0);
}

void TCustomSeries::PaintPointer(int x, int y, int index, TColor color) {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return;
  const TSeriesPointerStyle style =
      OnGetPointerStyle ? OnGetPointerStyle(*this, index) : fPointer->Style();
  PaintPointerShape(chart->ChartCanvas(), x, y, style, color);
}

void TCustomSeries::PaintPointerShape(TChartCanvas3D& canvas, int x, int y,
                                      TSeriesPointerStyle style, TColor color) {
  const TSeriesPointer& pointer = *fPointer;
  canvas.ApplyPen(pointer.Pen());
  canvas.Pen().SetColor(pointer.Pen().Color() == clDefault ? color
                                                           : LegendInk(pointer.Pen().Color()));
  // The colour goes first: giving a clear brush a colour would make it solid.
  const TColor fill =
      pointer.Brush().Color() == clDefault ? color : LegendInk(pointer.Brush().Color());
  canvas.Brush().SetColor(fill);
  canvas.Brush().SetStyle(pointer.Brush().Style());

  const int h = DevicePixels(pointer.HorizSize());
  const int v = DevicePixels(pointer.VertSize());
  DrawMarker(canvas, x, y, style, h, v, fill);
}

bool TCustomSeries::PointerHit(int /*index*/, int px, int py, int x, int y) const {
  return std::abs(px - x) < DevicePixels(fPointer->HorizSize()) &&
         std::abs(py - y) < DevicePixels(fPointer->VertSize());
}

int TCustomSeries::DeviceLineWidth() const {
  const TCustomAxisPanel* chart = ParentChart();
  return chart ? chart->ChartCanvas().ScaledWidth(fLinePen->Width()) : fLinePen->Width();
}

int TCustomSeries::OriginPixel(int /*index*/) const {
  const TCustomChartAxis* axis = ResolvedVertAxis();
  return axis ? axis->EndPixel() : 0;
}

int TCustomSeries::ClickedPoint(int x, int y) {
  const int inherited = TChartSeries::ClickedPoint(x, y);
  if (inherited != -1) return inherited;
  TCustomAxisPanel* chart = ParentChart();
  if (!chart || FirstVisible() < 0) return -1;
  chart->ChartCanvas().ScreenToPlane(x, y, 0);

  int qx = 0;
  int qy = 0;
  for (int i = FirstVisible(); i <= LastVisible(); ++i) {
    const int px = PointScreenX(i);
    const int py = PointScreenY(i);
    if (fPointer->Visible() && PointerHit(i, px, py, x, y)) {
      if (OnClickPointer) OnClickPointer(*this, i, x, y);
      return i;
    }
    if (px == x && py == y) return i;
    if (i > FirstVisible() && fLineClickable) {
      bool onLine;
      if (!fStairs) {
        onLine = PixelOnSegment(x, y, qx, qy, px, py);
      } else if (!fInvertedStairs) {
        // Across at the previous point's height, then up or down.
        onLine = PixelOnSegment(x, y, qx, qy, px, qy) || PixelOnSegment(x, y, px, qy, px, py);
      } else {
        // Up or down at the previous point's column, then across.
        onLine = PixelOnSegment(x, y, qx, qy, qx, py) || PixelOnSegment(x, y, qx, py, px, py);
      }
      if (onLine) return i - 1;
    }
    qx = px;
    qy = py;
  }
  return -1;
}

void TCustomSeries::DrawLegendShape(TChartCanvas3D& canvas, const TRect& rect) {
  if (!fDrawsLine && !fPointer->Visible()) {
    TChartSeries::DrawLegendShape(canvas, rect);
    return;
  }
  const TColor color = ColorToRGB(SeriesColor());
  const int y = (rect.Top + rect.Bottom) / 2;
  if (fDrawsLine) {
    canvas.ApplyPen(*fLinePen);
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetColor(color);
    canvas.DrawSegment(rect.Left, y, rect.Right, y);
  }
  if (fPointer->Visible()) {
    PaintPointerShape(canvas, (rect.Left + rect.Right) / 2, y, fPointer->Style(), color);
  }
}

// The margins are in the chart's device pixels, as the pointers and lines
// are drawn.
void TCustomSeries::HorizontalMargins(int& left, int& right) const {
  left = right = 0;
  if (fPointer->Visible() && fPointer->InflateMargins()) {
    const int pointer = DevicePixels(fPointer->HorizSize()) + DevicePixels(1);
    left = std::max(left, pointer);
    right = std::max(right, pointer);
  }
  if (fStairs && fDrawsLine) {
    left = std::max(left, DeviceLineWidth());
    right = std::max(right, DeviceLineWidth());
  }
}

void TCustomSeries::VerticalMargins(int& top, int& bottom) const {
  top = bottom = 0;
  if (fPointer->Visible() && fPointer->InflateMargins()) {
    const int pointer = DevicePixels(fPointer->VertSize()) + DevicePixels(1);
    top = std::max(top, pointer);
    bottom = std::max(bottom, pointer);
  }
  if (fStairs && fDrawsLine) {
    top = std::max(top, DeviceLineWidth());
    bottom = std::max(bottom, DeviceLineWidth() + DevicePixels(1));
  }
  const int lineHeight = DevicePixels(fLineHeight);
  if (lineHeight > 0 && !fDrawsArea && bottom < lineHeight) bottom = lineHeight;
}

void TCustomSeries::SetLineClickable(bool value) {
  if (fLineClickable == value) return;
  fLineClickable = value;
  RequestRepaint();
}

void TCustomSeries::SetDark3D(bool value) {
  if (fDark3D == value) return;
  fDark3D = value;
  RequestRepaint();
}

void TCustomSeries::SetDrawsArea(bool value) {
  if (fDrawsArea == value) return;
  fDrawsArea = value;
  RequestRepaint();
}

void TCustomSeries::SetDrawsLine(bool value) {
  if (fDrawsLine == value) return;
  fDrawsLine = value;
  RequestRepaint();
}

void TCustomSeries::SetInvertedStairs(bool value) {
  if (fInvertedStairs == value) return;
  fInvertedStairs = value;
  RequestRepaint();
}

void TCustomSeries::SetLineBrush(TBrushStyle value) {
  if (fLineBrush == value) return;
  fLineBrush = value;
  RequestRepaint();
}

void TCustomSeries::SetLineHeight(int value) {
  if (fLineHeight == value) return;
  fLineHeight = value;
  RequestRepaint();
}

void TCustomSeries::SetStairs(bool value) {
  if (fStairs == value) return;
  fStairs = value;
  RequestRepaint();
}

// ---------------------------------------------------------------------------
// TLineSeries

TLineSeries::TLineSeries() {
  SetDrawsLine(true);
  Pointer().SetVisible(false);
}

}  // namespace drivesim

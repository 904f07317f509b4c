#include "chart/PointSeries.h"

#include <algorithm>
#include <cstdlib>

#include "chart/AxisPanel.h"
#include "chart/ChartAxis.h"

namespace drivesim {

// ---------------------------------------------------------------------------
// TPointSeries

TPointSeries::TPointSeries() {
  // Points may be dragged anywhere, so their order is the order they came.
  XValues().SetOrder(loNone);
  SetDrawsLine(false);
  Pointer().SetVisible(true);
}

void TPointSeries::MovePoint(int index, double x, double y) {
  XValues().SetValueAt(index, x);
  YValues().SetValueAt(index, y);
  RequestRepaint();
}

// ---------------------------------------------------------------------------
// TPointDrag

bool TPointDrag::Start(TCustomAxisPanel& chart, int x, int y) {
  fSeries = nullptr;
  fIndex = -1;
  if (!PointInRect(chart.PlotRect(), TPoint{x, y})) return false;
  long long best = -1;
  for (int s = chart.SeriesCount() - 1; s >= 0; --s) {
    auto* series = dynamic_cast<TPointSeries*>(&chart.Series(s));
    if (!series || !series->Active() || !series->DragPoints() || series->FirstVisible() < 0 ||
        !series->ResolvedHorizAxis() || !series->ResolvedVertAxis())
      continue;
    const TSeriesPointer& pointer = series->Pointer();
    const int reachX = series->DevicePixels(
        std::max(TPointSeries::kDragReach, pointer.Visible() ? pointer.HorizSize() : 0));
    const int reachY = series->DevicePixels(
        std::max(TPointSeries::kDragReach, pointer.Visible() ? pointer.VertSize() : 0));
    for (int i = series->FirstVisible(); i <= series->LastVisible(); ++i) {
      if (series->PointColor(i) == clNone) continue;
      const int dx = series->PointScreenX(i) - x;
      const int dy = series->PointScreenY(i) - y;
      if (std::abs(dx) > reachX || std::abs(dy) > reachY) continue;
      const long long d = static_cast<long long>(dx) * dx + static_cast<long long>(dy) * dy;
      if (best < 0 || d < best) {
        best = d;
        fSeries = series;
        fIndex = i;
        fOffsetX = dx;
        fOffsetY = dy;
      }
    }
  }
  if (!fSeries) return false;
  fChart = &chart;
  fLastX = x;
  fLastY = y;
  return true;
}

bool TPointDrag::StillThere() const {
  for (int s = 0; s < fChart->SeriesCount(); ++s) {
    if (&fChart->Series(s) == fSeries) return fIndex < fSeries->PointCount();
  }
  return false;
}

bool TPointDrag::MoveTo(int x, int y) {
  if (!fSeries) return false;
  if (!StillThere()) {
    // The series left the chart or lost the point: nothing is dragged any
    // more, and the rest of the gesture is ignored.
    fSeries = nullptr;
    fIndex = -1;
    return true;
  }
  if (x == fLastX && y == fLastY) return true;
  fLastX = x;
  fLastY = y;
  if (fSeries->OnDragPoint) {
    const double vx = fSeries->ResolvedHorizAxis()->PixelToValue(x + fOffsetX);
    const double vy = fSeries->ResolvedVertAxis()->PixelToValue(y + fOffsetY);
    fSeries->OnDragPoint(*fSeries, fIndex, vx, vy);
  }
  return true;
}

bool TPointDrag::End() {
  if (!fSeries) return false;
  TPointSeries* series = fSeries;
  const int index = fIndex;
  const bool there = StillThere();
  fSeries = nullptr;
  fIndex = -1;
  if (there && series->OnEndDragPoint) series->OnEndDragPoint(*series, index);
  return true;
}

}  // namespace drivesim

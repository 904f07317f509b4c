#include "chart/RegionSeries.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "chart/AxisPanel.h"
#include "chart/ChartAxis.h"
#include "chart/ChartCanvas.h"

namespace drivesim {

namespace {

// The smallest and largest values an axis shows from one axis length before
// its start pixel to one axis length beyond its end pixel: the part of the
// value range a region is cut to before its corners become pixels.
void AxisReach(const TCustomChartAxis& axis, double& lo, double& hi) {
  const int length = axis.AxisLength();
  const double a = axis.PixelToValue(axis.StartPixel() - length);
  const double b = axis.PixelToValue(axis.EndPixel() + length);
  lo = std::min(a, b);
  hi = std::max(a, b);
}

}  // namespace

TRegionSeries::TRegionSeries() {
  // The corners of a polygon keep the order in which they were added.
  XValues().SetOrder(loNone);
}

void TRegionSeries::SetKind(TRegionKind value) {
  if (fKind == value) return;
  fKind = value;
  RequestRepaint();
}

void TRegionSeries::SetFill(TRegionFill value) {
  if (fFill == value) return;
  fFill = value;
  RequestRepaint();
}

void TRegionSeries::SetHatchSpacing(int value) {
  value = std::max(2, value);
  if (fHatchSpacing == value) return;
  fHatchSpacing = value;
  RequestRepaint();
}

void TRegionSeries::SetLevel(double value) {
  if (fLevel == value) return;
  fLevel = value;
  RequestRepaint();
}

void TRegionSeries::SetLevel2(double value) {
  if (fLevel2 == value) return;
  fLevel2 = value;
  RequestRepaint();
}

void TRegionSeries::SetBand(double level, double level2) {
  if (fLevel == level && fLevel2 == level2) return;
  fLevel = level;
  fLevel2 = level2;
  RequestRepaint();
}

double TRegionSeries::MaxY() const {
  const double y = TChartSeries::MaxY();
  return fKind == rkArea && PointCount() > 0 ? std::max(y, fLevel) : y;
}

double TRegionSeries::MinY() const {
  const double y = TChartSeries::MinY();
  return fKind == rkArea && PointCount() > 0 ? std::min(y, fLevel) : y;
}

bool TRegionSeries::BuildOutline() {
  fOutline.clear();
  const TCustomChartAxis* horiz = ResolvedHorizAxis();
  const TCustomChartAxis* vert = ResolvedVertAxis();
  if (!horiz || !vert) return false;
  double xLo = 0, xHi = 0, yLo = 0, yHi = 0;
  AxisReach(*horiz, xLo, xHi);
  AxisReach(*vert, yLo, yHi);

  fClipX.clear();
  fClipY.clear();
  const auto corner = [this](double x, double y) {
    fClipX.push_back(x);
    fClipY.push_back(y);
  };
  const int count = PointCount();
  switch (fKind) {
    case rkPolygon:
    case rkArea:
      for (int i = 0; i < count; ++i) {
        const double x = XValueAt(i);
        const double y = YValueAt(i);
        if (std::isfinite(x) && std::isfinite(y)) corner(x, y);
      }
      if (fKind == rkArea && !fClipX.empty() && std::isfinite(fLevel)) {
        const double first = fClipX.front();
        corner(fClipX.back(), fLevel);
        corner(first, fLevel);
      }
      break;
    case rkBand:
    case rkVerticalBand: {
      if (std::isnan(fLevel) || std::isnan(fLevel2)) return false;
      const bool rows = fKind == rkBand;
      // Infinite levels reach to the edge; so does everything across.
      const double lo = rows ? yLo : xLo;
      const double hi = rows ? yHi : xHi;
      const double a = std::clamp(fLevel, lo, hi);
      const double b = std::clamp(fLevel2, lo, hi);
      if (rows) {
        corner(xLo, a);
        corner(xHi, a);
        corner(xHi, b);
        corner(xLo, b);
      } else {
        corner(a, yLo);
        corner(b, yLo);
        corner(b, yHi);
        corner(a, yHi);
      }
      break;
    }
  }
  if (fClipX.size() < 3) return false;

  // The polygon is cut to the axes' reach edge by edge (each edge in turn
  // keeps the part of the outline on its inner side), so that no corner
  // lies too far out to have a pixel.
  const auto cut = [this](bool alongX, double limit, bool keepBelow) {
    fNextX.clear();
    fNextY.clear();
    const std::size_t n = fClipX.size();
    const auto inside = [&](std::size_t i) {
      const double c = alongX ? fClipX[i] : fClipY[i];
      return keepBelow ? c <= limit : c >= limit;
    };
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t j = (i + 1) % n;
      const bool in = inside(i);
      if (in) {
        fNextX.push_back(fClipX[i]);
        fNextY.push_back(fClipY[i]);
      }
      if (in != inside(j)) {
        const double ci = alongX ? fClipX[i] : fClipY[i];
        const double cj = alongX ? fClipX[j] : fClipY[j];
        const double t = (limit - ci) / (cj - ci);
        const double x = alongX ? limit : fClipX[i] + t * (fClipX[j] - fClipX[i]);
        const double y = alongX ? fClipY[i] + t * (fClipY[j] - fClipY[i]) : limit;
        fNextX.push_back(x);
        fNextY.push_back(y);
      }
    }
    std::swap(fClipX, fNextX);
    std::swap(fClipY, fNextY);
  };
  cut(true, xLo, false);
  cut(true, xHi, true);
  cut(false, yLo, false);
  cut(false, yHi, true);
  if (fClipX.size() < 3) return false;

  for (std::size_t i = 0; i < fClipX.size(); ++i) {
    fOutline.push_back({horiz->ValueToPixel(fClipX[i]), vert->ValueToPixel(fClipY[i])});
  }
  return true;
}

void TRegionSeries::FillOutline(const TRect& clip) {
  const std::size_t n = fOutline.size();
  int top = fOutline[0].Y;
  int bottom = fOutline[0].Y;
  for (const TPoint& p : fOutline) {
    top = std::min(top, p.Y);
    bottom = std::max(bottom, p.Y);
  }
  top = std::max(top, clip.Top);
  bottom = std::min(bottom, clip.Bottom);

  TChartCanvas3D& canvas = ParentChart()->ChartCanvas();
  const TColor color = ColorToRGB(SeriesColor());
  if (fFill == rfSolid) {
    canvas.Brush().SetColor(color);
    canvas.Brush().SetStyle(bsSolid);
  }
  const int spacing = std::max(2, DevicePixels(fHatchSpacing));
  // Every step-th pixel of columns c0..c1-1 whose column is congruent to
  // phase modulo the step.
  const auto hatchRun = [&](int c0, int c1, int y, std::int64_t phase) {
    const int first = c0 + static_cast<int>(((phase - c0) % spacing + spacing) % spacing);
    for (int x = first; x < c1; x += spacing) canvas.PlotPixel(x, y, color);
  };

  for (int y = top; y < bottom; ++y) {
    // Where the row's pixel centres cross the outline's edges.
    fCrossings.clear();
    const double centre = y + 0.5;
    for (std::size_t i = 0; i < n; ++i) {
      const TPoint& a = fOutline[i];
      const TPoint& b = fOutline[(i + 1) % n];
      if (a.Y == b.Y || y < std::min(a.Y, b.Y) || y >= std::max(a.Y, b.Y)) continue;
      const double t = (centre - a.Y) / (static_cast<double>(b.Y) - a.Y);
      fCrossings.push_back(a.X + t * (static_cast<double>(b.X) - a.X));
    }
    std::sort(fCrossings.begin(), fCrossings.end());
    for (std::size_t k = 0; k + 1 < fCrossings.size(); k += 2) {
      // The columns whose centres lie in [from, to).
      const double from = std::ceil(fCrossings[k] - 0.5);
      const double to = std::ceil(fCrossings[k + 1] - 0.5);
      const int c0 = static_cast<int>(std::max<double>(from, clip.Left));
      const int c1 = static_cast<int>(std::min<double>(to, clip.Right));
      if (c0 >= c1) continue;
      switch (fFill) {
        case rfSolid: canvas.FillArea(TRect{c0, y, c1, y + 1}); break;
        case rfForwardHatch: hatchRun(c0, c1, y, -static_cast<std::int64_t>(y)); break;
        case rfBackwardHatch: hatchRun(c0, c1, y, y); break;
        case rfCrossHatch:
          hatchRun(c0, c1, y, -static_cast<std::int64_t>(y));
          hatchRun(c0, c1, y, y);
          break;
      }
    }
  }
}

void TRegionSeries::DrawVisiblePoints() {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart || !BuildOutline()) return;
  // The chart rectangle inside its frame, as the series' clip leaves it.
  const TRect& plot = chart->PlotRect();
  FillOutline(TRect{plot.Left + 1, plot.Top + 1, plot.Right, plot.Bottom - 1});
}

}  // namespace drivesim

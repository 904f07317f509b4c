#include "chart/ChartReadout.h"

#include <algorithm>
#include <vector>

#include "chart/Chart.h"
#include "chart/ChartAxis.h"
#include "chart/ChartCanvas.h"
#include "chart/ChartSeries.h"

namespace drivesim {

namespace {

constexpr const char* kXPrefix = "x = ";
constexpr const char* kYPrefix = "y = ";

}  // namespace

// ---------------------------------------------------------------------------
// TChartReadout

TChartReadout::TChartReadout(TCustomChart& chart) : TChartFontObject(&chart), fChart(chart) {
  fPen.SetColor(clGray);
  fFrame.SetColor(clBlack);
}

void TChartReadout::SetVisible(bool value) {
  if (fVisible == value) return;
  if (!value) Hide();
  fVisible = value;
}

bool TChartReadout::FindNearest(int x, int y, TChartSeries*& series, int& index) const {
  series = nullptr;
  index = -1;
  const TRect& plot = fChart.PlotRect();
  double best = -1;
  for (int s = 0; s < fChart.SeriesCount(); ++s) {
    TChartSeries& candidate = fChart.Series(s);
    if (!candidate.Active() || candidate.DrawsBehind() || candidate.FirstVisible() < 0 ||
        !candidate.ResolvedHorizAxis() || !candidate.ResolvedVertAxis())
      continue;
    for (int i = candidate.FirstVisible(); i <= candidate.LastVisible(); ++i) {
      if (candidate.PointColor(i) == clNone) continue;
      const int px = candidate.PointScreenX(i);
      const int py = candidate.PointScreenY(i);
      if (!PointInRect(plot, TPoint{px, py})) continue;
      const double dx = px - x;
      const double dy = py - y;
      const double d = dx * dx + dy * dy;
      if (best < 0 || d < best) {
        best = d;
        series = &candidate;
        index = i;
      }
    }
  }
  return series != nullptr;
}

std::string TChartReadout::Text() const {
  if (!fShowing || !fSeries) return {};
  std::string text;
  if (!fSeries->Title().empty()) text = fSeries->Title() + "\n";
  text += kXPrefix + fSeries->ResolvedHorizAxis()->LabelText(fSeries->XValueAt(fIndex)) + "\n";
  text += kYPrefix + fSeries->ResolvedVertAxis()->LabelText(fSeries->YValueAt(fIndex));
  return text;
}

void TChartReadout::FindTarget() {
  fShowing = PointInRect(fChart.PlotRect(), TPoint{fMouseX, fMouseY}) &&
             FindNearest(fMouseX, fMouseY, fSeries, fIndex);
  if (fShowing) {
    fCross = TPoint{fSeries->PointScreenX(fIndex), fSeries->PointScreenY(fIndex)};
  } else {
    fSeries = nullptr;
    fIndex = -1;
  }
}

void TChartReadout::Redraw() {
  TChartCanvas3D& canvas = fChart.ChartCanvas();
  // A chart waiting for its paint draws the overlay after it.
  if (canvas.IsDirty()) return;
  if (!canvas.RepaintFromBuffer()) {
    fChart.RequestRepaint();
    return;
  }
  if (fShowing) DrawOn(fChart.Canvas(), 0, 0);
  fChart.ShowSurface();
}

void TChartReadout::MouseAt(int x, int y) {
  if (!fVisible) return;
  const bool wasShowing = fShowing;
  const TPoint oldCross = fCross;
  const TChartSeries* oldSeries = fSeries;
  fMouseX = x;
  fMouseY = y;
  FindTarget();
  // The same point as before needs no new picture.
  if (fShowing == wasShowing &&
      (!fShowing || (fSeries == oldSeries && fCross.X == oldCross.X && fCross.Y == oldCross.Y)))
    return;
  Redraw();
}

void TChartReadout::Hide() {
  // The mouse is taken as gone until it moves again.
  fMouseX = fMouseY = -1;
  if (!fShowing) return;
  fShowing = false;
  fSeries = nullptr;
  fIndex = -1;
  Redraw();
}

void TChartReadout::PaintOverlay() {
  if (!fVisible || fMouseX < 0) return;
  FindTarget();
  if (fShowing) DrawOn(fChart.Canvas(), 0, 0);
}

void TChartReadout::DrawOn(TCanvas& surface, int dx, int dy) {
  if (!fShowing) return;
  TChartCanvas3D& canvas = fChart.ChartCanvas();
  canvas.AttachCanvas(surface);
  const TRect& plot = fChart.PlotRect();
  const int cx = fCross.X + dx;
  const int cy = fCross.Y + dy;
  // Across the chart rectangle inside its frame.
  const TRect inside{plot.Left + 1 + dx, plot.Top + 1 + dy, plot.Right + dx, plot.Bottom + dy};
  canvas.ApplyPen(fPen);
  canvas.Brush().SetStyle(bsClear);
  canvas.DrawHorizontal(inside.Left, inside.Right, cy);
  canvas.DrawVertical(cx, inside.Top, inside.Bottom);

  // The box beside the point, on the side where it fits.
  std::vector<std::string> lines;
  const std::string text = Text();
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  fChart.ApplyFont(Font());
  const int lineHeight = canvas.FontLineHeight();
  int widest = 0;
  for (const std::string& line : lines) widest = std::max(widest, canvas.MeasureTextWidth(line));
  const int pad = fChart.DevicePixels(kBoxPadding);
  const int gap = fChart.DevicePixels(kBoxOffset);
  const int w = widest + 2 * pad;
  const int h = static_cast<int>(lines.size()) * lineHeight + 2 * pad;
  int left = cx + gap;
  int top = cy + gap;
  if (left + w > inside.Right) left = cx - gap - w;
  if (top + h > inside.Bottom) top = cy - gap - h;
  left = std::max(left, inside.Left);
  top = std::max(top, inside.Top);
  fBox = TRect{left, top, left + w, top + h};
  if (fFrame.Visible()) {
    canvas.ApplyPen(fFrame);
  } else {
    canvas.Pen().SetStyle(psClear);
  }
  canvas.Brush().SetColor(fColor);
  canvas.Brush().SetStyle(bsSolid);
  canvas.DrawBox(fBox);
  canvas.ChangeBackgroundMode(TRANSPARENT);
  canvas.ChangeTextAlignment(TA_LEFT | TA_TOP);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    canvas.WriteText(left + pad, top + pad + static_cast<int>(i) * lineHeight, lines[i]);
  }
  canvas.ResetDrawingState();
  canvas.AttachCanvas(fChart.Canvas());
}

// ---------------------------------------------------------------------------
// The chart's paint with the overlay

void TCustomChart::Paint() {
  TCustomAxisPanel::Paint();
  fReadout->PaintOverlay();
}

void TCustomChart::RenderTo(TCanvas& canvas, const TRect& rect) {
  TCustomAxisPanel::RenderTo(canvas, rect);
  // The window surface gets its overlay from Paint; a picture only when
  // asked.
  if (&canvas != &Canvas() && fReadout->Visible() && fReadout->InPictures() &&
      fReadout->Showing()) {
    const bool buffered = ChartCanvas().IsBuffered();
    fReadout->DrawOn(canvas, buffered ? rect.Left : 0, buffered ? rect.Top : 0);
  }
}

}  // namespace drivesim

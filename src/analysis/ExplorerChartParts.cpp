#include "analysis/ExplorerChartParts.h"

#include <cmath>

#include "analysis/DesignTargets.h"
#include "analysis/PrintChart.h"
#include "platform/Numbers.h"

namespace drivesim {

void ConfigureExplorerChart(TChart& chart, const std::string& title, int width, int height) {
  ConfigurePrintChart(chart, title, width, height);
  chart.Readout().SetVisible(true);
  chart.Readout().SetInPictures(false);
  chart.Legend().SetToggleOnClick(true);
}

void FitExplorerLegend(TChart& chart, int width) {
  // Beside the plot where the chart is wide; below it, in rows and a size
  // smaller, where a legend beside the plot would take half of it.
  const bool narrow = width < kExplorerLegendBesideWidth;
  chart.Legend().SetAlignment(narrow ? laBottom : laRight);
  chart.Legend().Font().SetHeight(narrow ? -11 : -12);
}

std::unique_ptr<TLineSeries> ExplorerLine(TChart& chart, TColor colour, const std::string& title,
                                          int width, TPenStyle style) {
  auto s = std::make_unique<TLineSeries>();
  s->XValues().SetOrder(loNone);
  s->SetSeriesColor(colour);
  s->SetTitle(title);
  s->LinePen().SetWidth(width);
  s->LinePen().SetStyle(style);
  s->SetParentChart(&chart);
  return s;
}

std::unique_ptr<TPointSeries> ExplorerMarkers(TChart& chart, TColor colour,
                                              const std::string& title, TSeriesPointerStyle style,
                                              int size) {
  auto s = std::make_unique<TPointSeries>();
  s->XValues().SetOrder(loNone);
  s->SetSeriesColor(colour);
  s->SetTitle(title);
  s->Pointer().SetStyle(style);
  s->Pointer().SetHorizSize(size);
  s->Pointer().SetVertSize(size);
  s->Pointer().Pen().SetColor(clBlack);
  s->SetParentChart(&chart);
  return s;
}

std::unique_ptr<TRegionSeries> ExplorerRegion(TChart& chart, TColor colour,
                                              const std::string& title, TRegionKind kind) {
  auto s = std::make_unique<TRegionSeries>();
  s->XValues().SetOrder(loNone);
  s->SetSeriesColor(colour);
  s->SetTitle(title);
  s->SetKind(kind);
  s->SetParentChart(&chart);
  return s;
}

void SetSegment(TChartSeries& series, double x0, double y0, double x1, double y1) {
  series.ClearPoints();
  series.AddPoint(x0, y0, "", clDefault);
  series.AddPoint(x1, y1, "", clDefault);
}

void AddBreak(TChartSeries& series) {
  const int n = series.PointCount();
  const double x = n > 0 ? series.XValues().StoredValueAt(n - 1) : 0;
  const double y = n > 0 ? series.YValues().StoredValueAt(n - 1) : 0;
  series.AddPoint(x, y, "", clNone);
}

ChartRefresh::ChartRefresh(TChart& chart) : fChart(chart), fWas(chart.RepaintOnChange()) {
  fChart.SetRepaintOnChange(false);
}

ChartRefresh::~ChartRefresh() {
  fChart.SetRepaintOnChange(fWas);
  fChart.RequestRepaint();
}

std::string ShortNumber(double value) {
  if (!std::isfinite(value)) return FloatToStr(value);
  return FormatSignificant(value, 3, DecimalSeparator());
}

}  // namespace drivesim

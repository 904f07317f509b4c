#pragma once
// What the explorer's charts share: the white look of the analysis charts
// with the readout and legend clicks on, the series they are made of, and a
// guard that merges the repaint requests of one refresh into one.

#include <memory>
#include <string>

#include "chart/Chart.h"
#include "chart/PointSeries.h"
#include "chart/RegionSeries.h"
#include "chart/Series.h"

namespace drivesim {

// The explorer's colours: the closed form and the open loop in blue, the
// simulated run and the closed loop in vermillion, the marks in black and
// green, the guides in light grey.
constexpr TColor kExplorerBlue = RGB(0, 114, 178);
constexpr TColor kExplorerVermillion = RGB(213, 94, 0);
constexpr TColor kExplorerGreen = RGB(0, 158, 115);
constexpr TColor kExplorerPaleGreen = RGB(204, 236, 222);
constexpr TColor kExplorerGuide = RGB(190, 190, 190);
constexpr TColor kExplorerDarkGrey = RGB(64, 64, 64);
constexpr TColor kExplorerBandColor = RGB(222, 235, 247);

// ConfigurePrintChart, with the readout following the mouse (in the window,
// not in pictures) and a click on a legend row hiding or showing its series.
void ConfigureExplorerChart(TChart& chart, const std::string& title, int width, int height);
// Charts narrower than this show their legend below the plot rather than
// beside it.
constexpr int kExplorerLegendBesideWidth = 640;
// Places the legend for a chart of this width.
void FitExplorerLegend(TChart& chart, int width);

// A line series on the chart in a colour, pen width and style; its X list
// keeps the order points are added in (a locus or a circle goes back and
// forth in x).
std::unique_ptr<TLineSeries> ExplorerLine(TChart& chart, TColor colour, const std::string& title,
                                          int width = 1, TPenStyle style = psSolid);
// A point series of markers, no line.
std::unique_ptr<TPointSeries> ExplorerMarkers(TChart& chart, TColor colour,
                                              const std::string& title, TSeriesPointerStyle style,
                                              int size = 4);
// A solid region series.
std::unique_ptr<TRegionSeries> ExplorerRegion(TChart& chart, TColor colour,
                                              const std::string& title, TRegionKind kind);

// A straight line from (x0, y0) to (x1, y1) as the series' only points.
void SetSegment(TChartSeries& series, double x0, double y0, double x1, double y1);
// A point at which a line series breaks: not drawn, and no segment reaches
// it or leaves it.
void AddBreak(TChartSeries& series);

// Holds a chart's repaint requests back while a refresh changes many
// series, and asks for one repaint at its end.
class ChartRefresh {
 public:
  explicit ChartRefresh(TChart& chart);
  ~ChartRefresh();
  ChartRefresh(const ChartRefresh&) = delete;
  ChartRefresh& operator=(const ChartRefresh&) = delete;

 private:
  TChart& fChart;
  bool fWas;
};

// A number for a legend: 3 significant digits, the user's decimal
// separator.
std::string ShortNumber(double value);

}  // namespace drivesim

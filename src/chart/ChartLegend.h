#pragma once
// The chart's legend: a framed box beside the chart rectangle with one item
// per active series shown in the legend (ShowInLegend), in series list
// order. An item is the series' own sample (a line in its pen and colour,
// its pointer shape, or a swatch; TChartSeries::DrawLegendShape) followed by
// the series' title.
//
// Layout. On the left or right the items are stacked, one row each, and the
// box stands at the top of the chart rectangle; on the top or bottom they
// sit side by side, in as many rows as they need up to kMaxRows (and a
// third of the chart rectangle's height), the box centred. The box is as large as its
// items need: a frame, a padding, the symbol, a padding, the text, a
// padding. Items that do not fit beside the chart rectangle are left out.
// With ResizeChart the chart rectangle gives up the box and a gap, so that
// the axes and the series are laid out beside the legend, not under it.
//
// The box never covers the chart rectangle while ResizeChart is on: rows
// beyond its height are left out, and a box beside it takes at most half
// its width, titles too long for that cut short with "...".
//
// With ToggleOnClick, a left click on a row (press and release on the same
// row) hides or shows its series (switches its Active), and the rows of
// hidden series stay, their sample and title in grey, so that they can be
// shown again.
//
// A hidden legend, a chart without active series (unless ToggleOnClick),
// or one whose series all stay out of the legend, draws nothing and takes
// no room.

#include <vector>

#include "chart/ChartCanvas.h"
#include "chart/ChartFontObject.h"
#include "platform/Types.h"

namespace drivesim {

class TCustomChart;
class TChartSeries;

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };

class TChartLegend : public TChartFontObject {
 public:
  // Pixels between the box's frame and its contents, between the symbol and
  // the text, and between items side by side.
  static constexpr int kPadding = 4;
  // Pixels above and below the rows inside the frame.
  static constexpr int kVerticalPadding = 3;
  // Pixels added to the text height for the height of a row.
  static constexpr int kRowSpacing = 2;
  // Pixels between the box and the chart rectangle it shrinks.
  static constexpr int kGap = 8;
  // The colour of a hidden series' sample and title.
  static constexpr TColor kGreyedColor = 0xA0A0A0;
  // A box beside the chart rectangle takes at most this percentage of its
  // width.
  static constexpr int kMaxWidthPercent = 50;
  // Rows of a legend above or below the chart rectangle, at most.
  static constexpr int kMaxRows = 4;

  explicit TChartLegend(TCustomChart& chart);

  // --- Properties. Setters store a changed value and repaint.
  bool Visible() const { return fVisible; }
  void SetVisible(bool value);
  TLegendAlignment Alignment() const { return fAlignment; }
  void SetAlignment(TLegendAlignment value);
  // The box's fill; clNone leaves the background showing.
  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  TChartPen& Frame() { return fFrame; }
  const TChartPen& Frame() const { return fFrame; }
  // The chart rectangle gives up the legend's room.
  bool ResizeChart() const { return fResizeChart; }
  void SetResizeChart(bool value);
  // Pixels of the symbol's width. Raises ChartException "Legend symbol width
  // must be greater than zero" below 1 and keeps the old width.
  int SymbolWidth() const { return fSymbolWidth; }
  void SetSymbolWidth(int value);

  // Clicking a row hides or shows its series; hidden series keep their
  // rows, greyed.
  bool ToggleOnClick() const { return fToggleOnClick; }
  void SetToggleOnClick(bool value);

  bool IsVertical() const { return fAlignment == laLeft || fAlignment == laRight; }

  // --- Painting, called by the chart's paint pipeline.

  // The series that have an item, in list order: those shown in the legend
  // that are active, or all of them with ToggleOnClick.
  std::vector<TChartSeries*> ItemSeries() const;
  // Draws the legend beside the chart's PlotRect and, with ResizeChart,
  // moves the PlotRect's edge beyond it.
  void Paint();

  // --- The last paint.

  // The box, empty when nothing was drawn.
  const TRect& LegendRect() const { return fLegendRect; }
  // How many items were drawn.
  int DrawnCount() const { return static_cast<int>(fItemRects.size()); }
  // The rectangle of item index, its symbol and text.
  const TRect& ItemRect(int index) const { return fItemRects[static_cast<std::size_t>(index)]; }
  // The symbol's rectangle of item index.
  const TRect& SymbolRect(int index) const { return fSymbolRects[static_cast<std::size_t>(index)]; }
  // The item under (x, y), or -1.
  int Clicked(int x, int y) const;
  // The series of drawn item index (not owned), and whether its row is
  // greyed (the series hidden).
  TChartSeries& ItemSeriesAt(int index) const {
    return *fDrawnSeries[static_cast<std::size_t>(index)];
  }
  bool ItemGreyed(int index) const;

  // --- Clicks, called by the chart's mouse handling.

  // Hides a shown series of item index, shows a hidden one.
  void ToggleItem(int index);
  // A left press on item index: remembered for the release, with
  // ToggleOnClick. True when the legend keeps the press.
  bool PressItem(int index);
  // A left release at (x, y): on the pressed row, the click toggles it.
  // True when it toggled.
  bool ReleaseAt(int x, int y);
  // Forgets a press (the mouse left the chart).
  void CancelPress() { fPressedItem = -1; }

 private:
  TCustomChart& fChart;
  bool fVisible = true;
  TLegendAlignment fAlignment = laRight;
  TColor fColor = clWhite;
  TChartPen fFrame;
  bool fResizeChart = true;
  int fSymbolWidth = 20;
  bool fToggleOnClick = false;
  int fPressedItem = -1;

  TRect fLegendRect;
  std::vector<TChartSeries*> fDrawnSeries;
  std::vector<TRect> fItemRects;
  std::vector<TRect> fSymbolRects;
};

}  // namespace drivesim

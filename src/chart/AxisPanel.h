#pragma once
// TCustomAxisPanel: the chart's side of its series and axes. It keeps the
// list of attached series and the five built-in axes (bottom, top, left,
// right, depth, in that order, followed by any further axes), computes the
// extent of the data along an axis from which automatic axis ranges come,
// decides which axes are shown, and picks free colours for new series.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/ChartPanel.h"
#include "chart/ChartSeriesList.h"

namespace drivesim {

class TChartSeries;

// Lets the program change the text of an axis label. The series is null and
// the value index -1 for value labels.
using TAxisOnGetLabel = std::function<void(TCustomChartAxis& sender, TChartSeries* series,
                                           int valueIndex, std::string& labelText)>;
// Supplies label values instead of the axis' own increments: asked for label
// 0, 1, 2, ... with the current value; setting stop ends the run.
using TAxisOnGetNextLabel =
    std::function<void(TCustomChartAxis& sender, int labelIndex, double& labelValue, bool& stop)>;
using TChartNotifyEvent = std::function<void(TCustomAxisPanel& sender)>;

class TCustomAxisPanel : public TCustomChartPanelExtended {
 public:
  TCustomAxisPanel();
  // Detaches every series still attached; the series themselves belong to
  // their creator and stay alive.
  ~TCustomAxisPanel() override;

  // Operations a chart class may replace, in slot order.

  // Ranges of every axis, then the room of the shown axes cut from
  // PlotRect, then every axis' pixel range on the new PlotRect.
  virtual void LayoutAxes();
  // Widens the ranges of the side axes so that the active series keep the
  // pixel margins they ask for from the axis ends.
  virtual void ApplySeriesMargins();
  // The 3D wall thickness along an axis; 0 for a flat chart without walls.
  virtual int WallThickness(const TCustomChartAxis& axis) const;
  // The titles and the legend; an axis panel has none.
  virtual void PaintTitlesAndLegend() {}
  // The walls behind the series; an axis panel has none.
  virtual void PaintWalls() {}
  // Clamps the page to 1..NumPages and fires OnPageChange when it changed.
  virtual void SetPage(int value);
  // False when an attached series has this SeriesColor or, with
  // checkBackground, when it is the panel's Color.
  virtual bool IsColorFree(TColor color, bool checkBackground) const;
  // Draws the rubber band of a zoom in progress over the finished chart;
  // the mouse handling supplies it.
  virtual void PaintZoomRectangle() {}

  // The drawing order of one paint: the panel, the titles, the axes' layout,
  // the walls, the axes, the series (those that DrawsBehind first, each
  // group in list order, each series clipped to the chart rectangle), the
  // zoom band; then the canvas's drawing state is reset and OnAfterDraw
  // fires.
  void RenderContents() override;
  // One series: its visible range, BeforeDrawValues, its points clipped to
  // PlotRect less its left column and top and bottom rows (with ClipPoints),
  // AfterDrawValues. Nothing at all for a series without visible points
  // (unless it DrawsBehind).
  void PaintSeries(TChartSeries& series);

  // --- Series.
  TChartSeriesList& SeriesList() { return fSeriesList; }
  const TChartSeriesList& SeriesList() const { return fSeriesList; }
  int SeriesCount() const { return fSeriesList.Count(); }
  TChartSeries& Series(int index) const { return fSeriesList[index]; }
  int ActiveCount() const { return fSeriesList.ActiveCount(); }
  // Adds a series to the list (once): a series without a colour of its own
  // gets a free palette colour, the chart becomes its parent, and its data
  // source is read again.
  void AttachSeries(TChartSeries& series);
  // Removes a series from the list; nothing when it is not attached.
  void DetachSeries(TChartSeries& series);

  // --- Axes.
  TChartAxis& BottomAxis() { return *fBottomAxis; }
  TChartAxis& TopAxis() { return *fTopAxis; }
  TChartAxis& LeftAxis() { return *fLeftAxis; }
  TChartAxis& RightAxis() { return *fRightAxis; }
  TChartDepthAxis& DepthAxis() { return *fDepthAxis; }
  const TChartAxis& BottomAxis() const { return *fBottomAxis; }
  const TChartAxis& TopAxis() const { return *fTopAxis; }
  const TChartAxis& LeftAxis() const { return *fLeftAxis; }
  const TChartAxis& RightAxis() const { return *fRightAxis; }
  // Copy the given axis' properties into the chart's own axis.
  void SetBottomAxis(const TCustomChartAxis& axis) { fBottomAxis->Assign(axis); }
  void SetTopAxis(const TCustomChartAxis& axis) { fTopAxis->Assign(axis); }
  void SetLeftAxis(const TCustomChartAxis& axis) { fLeftAxis->Assign(axis); }
  void SetRightAxis(const TCustomChartAxis& axis) { fRightAxis->Assign(axis); }
  void SetDepthAxis(const TCustomChartAxis& axis) { fDepthAxis->Assign(axis); }
  // Every axis of the chart in creation order: the five built-in ones first.
  int AxisCount() const { return static_cast<int>(fAxes.size()); }
  TCustomChartAxis& Axes(int index) const;
  int IndexOfAxis(const TCustomChartAxis* axis) const;
  // A further axis, owned by the chart and placed after the built-in ones.
  TChartAxis& AddAxis(bool horizontal, bool otherSide);

  // Hides every axis at once.
  bool AxisVisible() const { return fAxisVisible; }
  void SetAxisVisible(bool value);
  bool View3DWalls() const { return fView3DWalls; }
  void SetView3DWalls(bool value);
  // Series are drawn clipped to the chart rectangle.
  bool ClipPoints() const { return fClipPoints; }
  void SetClipPoints(bool value);
  // The axes are drawn before the series (true, the default), so that the
  // series cover them, or after them.
  bool AxisBehind() const { return fAxisBehind; }
  void SetAxisBehind(bool value);

  // --- Extents of the data along an axis.
  double AxisMinX(const TCustomChartAxis& axis) const { return AxisExtent(axis, true, true); }
  double AxisMaxX(const TCustomChartAxis& axis) const { return AxisExtent(axis, false, true); }
  double AxisMinY(const TCustomChartAxis& axis) const { return AxisExtent(axis, true, false); }
  double AxisMaxY(const TCustomChartAxis& axis) const { return AxisExtent(axis, false, false); }
  // The smallest (isMin) or largest value over the series on the axis, of
  // their X (isX) or Y values; 0 when no series with points takes part.
  // Inactive series take part only while no active series uses the axis.
  // With paging, the values of the current page of the first series.
  double AxisExtent(const TCustomChartAxis& axis, bool isMin, bool isX) const;
  // The first active series on the axis, or the first inactive one when no
  // active series uses it; null when none.
  TChartSeries* FirstSeriesOnAxis(const TCustomChartAxis& axis) const;
  bool AxisHasNoActiveSeries(const TCustomChartAxis& axis) const;
  // Whether the axis is drawn: both switches on, and some active series
  // that wants axes uses it (every axis when none wants axes). The depth
  // axis shows with the 3D view.
  bool IsAxisShown(const TCustomChartAxis& axis) const;

  // --- Series colours and counts.
  // The first default palette colour that IsColorFree accepts; palette
  // entry 0 (red) when none is.
  TColor PickFreeSeriesColor(bool checkBackground) const;
  // The widest point label of any series, in the chart canvas's current
  // font; 0 when no series has labels.
  int WidestXLabel();
  // The largest point count among active series.
  int LongestSeriesCount() const;
  // The largest z-order the series use.
  int MaxZOrder() const { return fMaxZOrder; }

  // --- Paging: MaxPointsPerPage points of the longest series per page.
  // Raises ChartException "MaxPointsPerPage must be >= 0" below 0; a page
  // beyond the new page count moves to the last page.
  int MaxPointsPerPage() const { return fMaxPointsPerPage; }
  void SetMaxPointsPerPage(int value);
  int Page() const { return fPage; }
  int NumPages() const;
  // When false, a short last page keeps the scale of a full one.
  bool ScaleLastPage() const { return fScaleLastPage; }
  void SetScaleLastPage(bool value);

  TChartNotifyEvent OnBeforeDrawAxes;
  TChartNotifyEvent OnBeforeDrawSeries;
  TChartNotifyEvent OnPageChange;
  TAxisOnGetLabel OnGetAxisLabel;
  TAxisOnGetNextLabel OnGetNextAxisLabel;

 private:
  TChartAxis& MakeSideAxis(bool horizontal, bool otherSide);
  // OnBeforeDrawAxes, then every shown axis drawn in list order.
  void DrawAxes();
  bool UsesAxisInDirection(const TChartSeries& series, const TCustomChartAxis& axis,
                           bool isX) const;

  TChartSeriesList fSeriesList;
  std::vector<std::unique_ptr<TCustomChartAxis>> fAxes;
  TChartAxis* fBottomAxis = nullptr;
  TChartAxis* fTopAxis = nullptr;
  TChartAxis* fLeftAxis = nullptr;
  TChartAxis* fRightAxis = nullptr;
  TChartDepthAxis* fDepthAxis = nullptr;
  bool fAxisVisible = true;
  bool fView3DWalls = true;
  bool fClipPoints = true;
  bool fAxisBehind = true;
  int fMaxPointsPerPage = 0;
  int fPage = 1;
  bool fScaleLastPage = true;
  int fMaxZOrder = 0;
};

}  // namespace drivesim

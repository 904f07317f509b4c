#include "chart/AxisPanel.h"

#include <algorithm>

#include "chart/ChartCanvas.h"
#include "chart/ChartSeries.h"
#include "chart/ChartStrings.h"
#include "platform/Exceptions.h"

namespace drivesim {

TCustomAxisPanel::TCustomAxisPanel() : fSeriesList(*this) {
  fBottomAxis = &MakeSideAxis(true, false);
  fTopAxis = &MakeSideAxis(true, true);
  fLeftAxis = &MakeSideAxis(false, false);
  fLeftAxis->SetDefaultTitleAngle(90);
  fLeftAxis->Title().SetAngle(90);
  fRightAxis = &MakeSideAxis(false, true);
  fRightAxis->SetDefaultTitleAngle(270);
  fRightAxis->Title().SetAngle(270);
  auto depth = std::make_unique<TChartDepthAxis>(*this);
  fDepthAxis = depth.get();
  fAxes.push_back(std::move(depth));
  // The chart classes built on this one switch repaints off again while
  // their own constructors run.
  SetRepaintOnChange(true);
}

TCustomAxisPanel::~TCustomAxisPanel() {
  BeginDestroy();
  // The series belong to their creator: they only leave the chart, first to
  // last, so that none keeps pointing at it.
  while (fSeriesList.Count() > 0) fSeriesList[0].SetParentChart(nullptr);
}

TChartAxis& TCustomAxisPanel::MakeSideAxis(bool horizontal, bool otherSide) {
  auto axis = std::make_unique<TChartAxis>(*this, horizontal, otherSide, false);
  TChartAxis& result = *axis;
  fAxes.push_back(std::move(axis));
  return result;
}

TChartAxis& TCustomAxisPanel::AddAxis(bool horizontal, bool otherSide) {
  TChartAxis& axis = MakeSideAxis(horizontal, otherSide);
  RequestRepaint();
  return axis;
}

TCustomChartAxis& TCustomAxisPanel::Axes(int index) const {
  if (index < 0 || index >= AxisCount()) throw EListError::IndexOutOfBounds(index);
  return *fAxes[static_cast<std::size_t>(index)];
}

int TCustomAxisPanel::IndexOfAxis(const TCustomChartAxis* axis) const {
  for (int i = 0; i < AxisCount(); ++i) {
    if (fAxes[static_cast<std::size_t>(i)].get() == axis) return i;
  }
  return -1;
}

int TCustomAxisPanel::WallThickness(const TCustomChartAxis& /*axis*/) const { return 0; }

// ---------------------------------------------------------------------------
// The paint pipeline

void TCustomAxisPanel::RenderContents() {
  TChartCanvas3D& canvas = ChartCanvas();
  PaintPanel(PanelBounds());
  for (TChartSeries* s : fSeriesList) {
    if (s->Active()) s->DoBeforeDrawChart();
  }
  // Moves PlotRect's top below the title and its bottom above the foot.
  PaintTitlesAndLegend();
  LayoutAxes();
  ApplySeriesMargins();
  canvas.SetProjection(DepthWidth(), PanelBounds(), PlotRect());
  PaintWalls();
  if (fAxisVisible && fAxisBehind) DrawAxes();
  if (OnBeforeDrawSeries) OnBeforeDrawSeries(*this);
  // The background ends here: the series and what lies over them are drawn
  // afresh in every frame.
  canvas.EndBackground();
  // Index order: a later series covers an earlier one where they cross;
  // the shaded regions go first, behind every other series. The list is
  // walked by index, so that an event handler that detaches a series cannot
  // leave the loop on a stale position.
  for (const bool behind : {true, false}) {
    for (int i = 0; i < fSeriesList.Count(); ++i) {
      TChartSeries& series = fSeriesList[i];
      if (series.Active() && series.DrawsBehind() == behind) PaintSeries(series);
    }
  }
  if (fAxisVisible && !fAxisBehind) DrawAxes();
  if (Zoom().IsActive) PaintZoomRectangle();
  canvas.ResetDrawingState();
  if (OnAfterDraw) OnAfterDraw(*this);
}

void TCustomAxisPanel::DrawAxes() {
  if (OnBeforeDrawAxes) OnBeforeDrawAxes(*this);
  for (const auto& axis : fAxes) {
    if (IsAxisShown(*axis)) axis->DrawAxis(true);
  }
}

void TCustomAxisPanel::LayoutAxes() {
  for (const auto& axis : fAxes) axis->AdjustRange();
  NormalizeChartRect();
  TRect r = PlotRect();
  for (int i = 0; i < AxisCount(); ++i) {
    TCustomChartAxis& axis = *fAxes[static_cast<std::size_t>(i)];
    if (!IsAxisShown(axis)) continue;
    // The five built-in axes cut their room from the chart rectangle; any
    // further axis only places itself along its edge.
    TRect t = r;
    axis.ReserveSpace(t, i < 5);
    const TRect both = IntersectRects(r, t);
    if (!both.IsEmpty()) r = both;
  }
  SetPlotRect(r);
  for (const auto& axis : fAxes) axis->ComputePixelRange();
}

void TCustomAxisPanel::ApplySeriesMargins() {
  TCustomChartAxis* const axes[] = {fTopAxis, fLeftAxis, fRightAxis, fBottomAxis};
  for (TCustomChartAxis* axis : axes) {
    const bool horizontal = axis->IsHorizontal();
    // (low, high): left and right along a horizontal axis, top and bottom
    // along a vertical one.
    int low = 0;
    int high = 0;
    for (const TChartSeries* s : fSeriesList) {
      if (!s->Active() || !s->UsesAxis(*axis)) continue;
      int a = 0;
      int b = 0;
      if (horizontal) {
        s->HorizontalMargins(a, b);
        if (axis->AutomaticMinimum()) low = std::max(low, a);
        if (axis->AutomaticMaximum()) high = std::max(high, b);
      } else {
        s->VerticalMargins(a, b);
        if (axis->AutomaticMaximum()) low = std::max(low, a);
        if (axis->AutomaticMinimum()) high = std::max(high, b);
      }
    }
    axis->ShrinkForMargins(low, high);
  }
}

void TCustomAxisPanel::PaintSeries(TChartSeries& series) {
  series.ComputeVisibleRange();
  if (series.FirstVisible() < 0 && !series.DrawsBehind()) return;
  series.DoBeforeDrawValues();
  TChartCanvas3D& canvas = ChartCanvas();
  if (fClipPoints) canvas.ClipToBox(PlotRect(), 0, DepthWidth());
  series.DrawVisiblePoints();
  if (fClipPoints) canvas.RemoveClip();
  series.DoAfterDrawValues();
}

// ---------------------------------------------------------------------------
// Attaching and detaching series

void TCustomAxisPanel::AttachSeries(TChartSeries& series) {
  if (fSeriesList.Contains(series)) return;
  if (series.ParentChart() != nullptr && series.ParentChart() != this) {
    // Attached elsewhere: moving the series leaves its old chart first and
    // comes back here.
    series.SetParentChart(this);
    return;
  }
  if (series.SeriesColor() == clDefault) series.SetSeriesColor(PickFreeSeriesColor(true));
  series.StoreParentChart(this);
  series.CheckDataSource();
  fSeriesList.Add(series);
  RequestRepaint();
}

void TCustomAxisPanel::DetachSeries(TChartSeries& series) {
  if (!fSeriesList.Contains(series)) return;
  while (series.DependentCount() > 0) series.Dependent(0).RemoveDataSource(series);
  series.StoreParentChart(nullptr);
  if (Cursor() == series.Cursor()) SetCursor(LoadedCursor());
  fSeriesList.Remove(series);
  if (!IsDestroying()) RequestRepaint();
}

// ---------------------------------------------------------------------------
// Extents

bool TCustomAxisPanel::UsesAxisInDirection(const TChartSeries& series, const TCustomChartAxis& axis,
                                           bool isX) const {
  if (isX) return series.HorizAxis() == aBothHorizAxis || series.ResolvedHorizAxis() == &axis;
  return series.VertAxis() == aBothVertAxis || series.ResolvedVertAxis() == &axis;
}

bool TCustomAxisPanel::AxisHasNoActiveSeries(const TCustomChartAxis& axis) const {
  return std::none_of(fSeriesList.begin(), fSeriesList.end(),
                      [&](const TChartSeries* s) { return s->Active() && s->UsesAxis(axis); });
}

TChartSeries* TCustomAxisPanel::FirstSeriesOnAxis(const TCustomChartAxis& axis) const {
  const bool noActive = AxisHasNoActiveSeries(axis);
  for (TChartSeries* s : fSeriesList) {
    if (s->UsesAxis(axis) && (s->Active() || noActive)) return s;
  }
  return nullptr;
}

double TCustomAxisPanel::AxisExtent(const TCustomChartAxis& axis, bool isMin, bool isX) const {
  if (axis.IsDepth()) {
    if (axis.EffectiveLabelStyle() != talValue) return isMin ? -0.5 : fMaxZOrder + 0.5;
    for (const TChartSeries* s : fSeriesList) {
      if (s->Active()) return isMin ? s->MinZ() : s->MaxZ();
    }
    return 0.0;
  }

  const TChartSeries* first = FirstSeriesOnAxis(axis);
  const bool alongIndependent = (first == nullptr || first->YIsDependent()) ? isX : !isX;
  if (fMaxPointsPerPage > 0 && alongIndependent) {
    if (first == nullptr || first->PointCount() == 0) return 0.0;
    const int count = first->PointCount();
    const int perPage = fMaxPointsPerPage;
    int firstIndex = perPage * (fPage - 1);
    if (firstIndex >= count) firstIndex = perPage * std::max(0, count / perPage - 1);
    int lastIndex = firstIndex + perPage - 1;
    if (lastIndex > count - 1) lastIndex = firstIndex + (count % perPage) - 1;
    // A page can only come out short of points at the end of the series.
    lastIndex = std::clamp(lastIndex, firstIndex, count - 1);
    const auto valueAt = [&](int i) { return isX ? first->XValueAt(i) : first->YValueAt(i); };
    if (isMin) return valueAt(firstIndex);
    const double v = valueAt(lastIndex);
    const int onPage = lastIndex - firstIndex + 1;
    if (!fScaleLastPage && onPage < perPage) {
      const double w = valueAt(firstIndex);
      return w + (v - w) * perPage / onPage;
    }
    return v;
  }

  const bool noActive = AxisHasNoActiveSeries(axis);
  bool found = false;
  double result = 0.0;
  for (const TChartSeries* s : fSeriesList) {
    if (!(s->Active() || noActive) || s->PointCount() == 0) continue;
    if (!UsesAxisInDirection(*s, axis, isX)) continue;
    const double candidate =
        isX ? (isMin ? s->MinX() : s->MaxX()) : (isMin ? s->MinY() : s->MaxY());
    if (!found || (isMin ? candidate < result : candidate > result)) result = candidate;
    found = true;
  }
  return result;
}

bool TCustomAxisPanel::IsAxisShown(const TCustomChartAxis& axis) const {
  if (!fAxisVisible || !axis.Visible()) return false;
  if (axis.IsDepth()) return View3D();
  bool anyWantsAxes = false;
  for (const TChartSeries* s : fSeriesList) {
    if (!s->Active() || !s->WantsAxes()) continue;
    anyWantsAxes = true;
    if (s->UsesAxis(axis)) return true;
  }
  return !anyWantsAxes;
}

// ---------------------------------------------------------------------------
// Colours and counts

bool TCustomAxisPanel::IsColorFree(TColor color, bool checkBackground) const {
  for (const TChartSeries* s : fSeriesList) {
    if (s->SeriesColor() == color) return false;
  }
  return !(checkBackground && color == Color());
}

TColor TCustomAxisPanel::PickFreeSeriesColor(bool checkBackground) const {
  for (int i = 0; i < 16; ++i) {
    const TColor color = DefaultSeriesColor(i);
    if (IsColorFree(color, checkBackground)) return color;
  }
  return DefaultSeriesColor(0);
}

int TCustomAxisPanel::WidestXLabel() {
  int widest = 0;
  for (const TChartSeries* s : fSeriesList) {
    for (const std::string& label : s->LabelList()) {
      int lines = 0;
      widest = std::max(widest, MultiLineExtent(label, lines));
    }
  }
  return widest;
}

int TCustomAxisPanel::LongestSeriesCount() const {
  int longest = 0;
  for (const TChartSeries* s : fSeriesList) {
    if (s->Active()) longest = std::max(longest, s->PointCount());
  }
  return longest;
}

// ---------------------------------------------------------------------------
// Switches and paging

void TCustomAxisPanel::SetAxisVisible(bool value) {
  if (fAxisVisible == value) return;
  fAxisVisible = value;
  RequestRepaint();
}

void TCustomAxisPanel::SetView3DWalls(bool value) {
  if (fView3DWalls == value) return;
  fView3DWalls = value;
  RequestRepaint();
}

void TCustomAxisPanel::SetClipPoints(bool value) {
  if (fClipPoints == value) return;
  fClipPoints = value;
  RequestRepaint();
}

void TCustomAxisPanel::SetAxisBehind(bool value) {
  if (fAxisBehind == value) return;
  fAxisBehind = value;
  RequestRepaint();
}

int TCustomAxisPanel::NumPages() const {
  if (fMaxPointsPerPage <= 0) return 1;
  const int longest = LongestSeriesCount();
  if (longest <= fMaxPointsPerPage) return 1;
  return (longest + fMaxPointsPerPage - 1) / fMaxPointsPerPage;
}

void TCustomAxisPanel::SetMaxPointsPerPage(int value) {
  if (value < 0) throw ChartException(ChartStrings::MaxPointsPerPageError);
  if (fMaxPointsPerPage == value) return;
  fMaxPointsPerPage = value;
  if (NumPages() < fPage) SetPage(NumPages());
  RequestRepaint();
}

void TCustomAxisPanel::SetPage(int value) {
  const int page = std::clamp(value, 1, NumPages());
  if (fPage == page) return;
  fPage = page;
  if (OnPageChange) OnPageChange(*this);
  RequestRepaint();
}

void TCustomAxisPanel::SetScaleLastPage(bool value) {
  if (fScaleLastPage == value) return;
  fScaleLastPage = value;
  RequestRepaint();
}

}  // namespace drivesim

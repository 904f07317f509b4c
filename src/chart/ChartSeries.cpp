#include "chart/ChartSeries.h"

#include <algorithm>
#include <cctype>

#include "chart/AxisPanel.h"
#include "chart/ChartAxis.h"
#include "chart/ChartCanvas.h"
#include "chart/ChartStrings.h"
#include "platform/Exceptions.h"

namespace drivesim {

// ---------------------------------------------------------------------------
// TSeriesMarks

void TSeriesMarks::SetVisible(bool value) {
  if (fVisible == value) return;
  fVisible = value;
  fSeries.RequestRepaint();
}

void TSeriesMarks::SetArrowLength(int value) {
  if (fArrowLength == value) return;
  fArrowLength = value;
  fSeries.RequestRepaint();
}

// ---------------------------------------------------------------------------
// TChartSeries: creation and destruction

TChartSeries::TChartSeries()
    : fXValues(std::make_unique<TChartValueList>(this, ChartStrings::XValuesName)),
      fYValues(std::make_unique<TChartValueList>(this, ChartStrings::YValuesName)),
      fMarks(std::make_unique<TSeriesMarks>(*this)),
      fPercentFormat(ChartStrings::DefaultPercentFormat),
      fValueFormat(ChartStrings::DefaultValueFormat) {
  fXValues->SetOrder(loAscending);
}

TChartSeries::~TChartSeries() {
  // The dependents stop taking data from this series, and the sources stop
  // feeding it, so that no series is left pointing at a destroyed one.
  while (!fDependents.empty()) fDependents.back().Series->RemoveDataSource(*this);
  while (!fDataSources.empty()) RemoveDataSource(*fDataSources.back());
  TChartSeries::ClearPoints();
  if (fParentChart) TChartSeries::SetParentChart(nullptr);
}

bool TChartSeries::ChartBeingDestroyed() const {
  return fParentChart != nullptr && fParentChart->IsDestroying();
}

// ---------------------------------------------------------------------------
// Copying from data sources

int TChartSeries::CopyPointFrom(const TChartSeries& source, int index) {
  // The values of the source in this series' terms: when the two disagree on
  // which list is the dependent one, X and Y change places.
  double x = source.XValueAt(index);
  double y = source.YValueAt(index);
  if (source.YIsDependent() != YIsDependent()) std::swap(x, y);
  const int newIndex = fXValues->StoredAddInOrder(x);
  fYValues->StoredInsertValueAt(newIndex, y);
  for (int i = 2; i < fValuesLists.Count(); ++i) {
    const bool sourceHasList = i < source.fValuesLists.Count();
    fValuesLists[i].InsertValueAt(newIndex,
                                  sourceHasList ? source.fValuesLists[i].ValueAt(index) : 0.0);
  }
  const auto colorIndex = static_cast<std::size_t>(index);
  InsertColor(static_cast<std::size_t>(newIndex),
              colorIndex < source.ColorCount() ? source.ColorEntry(colorIndex) : clDefault);
  InsertLabel(static_cast<std::size_t>(newIndex), source.LabelAt(colorIndex));
  return newIndex;
}

void TChartSeries::SourcePointAdded(const TChartSeries& source, int index) {
  PointAdded(CopyPointFrom(source, index));
}

void TChartSeries::CopyAllPointsFrom(const TChartSeries& source) {
  ClearLists();
  for (int i = 0; i < source.PointCount(); ++i) CopyPointFrom(source, i);
  NotifyDependents(dcModifyAll, -1);
  if (fActive) RequestRepaint();
}

void TChartSeries::ClearLists() {
  for (int i = 0; i < fValuesLists.Count(); ++i) fValuesLists[i].RemoveAllValues();
  if (ColorCount() > 0) fColorRefillHint = ColorCount();
  fColorRun = 0;
  // As the value lists do: storage that held exactly as many colours (some
  // of them perhaps not written out) is kept aside for the refill.
  if (fColorList.capacity() > 0 && fColorList.capacity() == fColorRefillHint) {
    fColorSpare.swap(fColorList);
    fColorSpare.clear();
  }
  fColorList.clear();
  fColorList.shrink_to_fit();
  fLabelList.clear();
  fLabelList.shrink_to_fit();
  fLabelCount = 0;
}

// ---------------------------------------------------------------------------
// Colour and label lists

const std::vector<std::string>& TChartSeries::LabelList() const {
  // The empty labels not stored so far are written out for the caller.
  if (fLabelList.size() < static_cast<std::size_t>(fLabelCount)) {
    fLabelList.resize(static_cast<std::size_t>(fLabelCount));
  }
  return fLabelList;
}

const std::string& TChartSeries::LabelAt(std::size_t index) const {
  static const std::string kNoLabel;
  return index < fLabelList.size() ? fLabelList[index] : kNoLabel;
}

void TChartSeries::StoreLabel(std::size_t index, const std::string& label) {
  if (index > fLabelList.size()) fLabelList.resize(index);
  fLabelList.insert(fLabelList.begin() + static_cast<std::ptrdiff_t>(index), label);
  ++fLabelCount;
}

void TChartSeries::StoreColorRun() const {
  if (fColorRun == 0) return;
  if (fColorList.capacity() == 0 && fColorRefillHint > 0) {
    if (fColorSpare.capacity() == fColorRefillHint) {
      fColorList.swap(fColorSpare);
    } else {
      fColorList.reserve(fColorRefillHint);
    }
  }
  fColorList.insert(fColorList.end(), fColorRun, fColorRunColor);
  fColorRun = 0;
}

void TChartSeries::PutColorWithRoom(std::size_t index, TColor color) {
  StoreColorRun();
  if (index == fColorList.size()) {
    // Another colour after the run: a run of its own.
    fColorRunColor = color;
    fColorRun = 1;
    return;
  }
  fColorList.insert(fColorList.begin() + static_cast<std::ptrdiff_t>(index), color);
}

bool TChartSeries::SameColorEntries(std::size_t from, std::size_t to) const {
  const TColor first = ColorEntry(from);
  const std::size_t stored = std::min(to + 1, fColorList.size());
  for (std::size_t i = from + 1; i < stored; ++i) {
    if (fColorList[i] != first) return false;
  }
  return to < fColorList.size() || fColorRunColor == first;
}

void TChartSeries::SourcePointDeleted(const TChartSeries& /*source*/, int index) {
  DeletePoint(index);
}

// ---------------------------------------------------------------------------
// Drawing hooks

void TChartSeries::DoAfterDrawValues() {
  if (AfterDrawValues) AfterDrawValues(*this);
}

void TChartSeries::DoBeforeDrawValues() {
  if (BeforeDrawValues) BeforeDrawValues(*this);
}

void TChartSeries::DrawVisiblePoints() {
  if (fFirstVisible < 0) return;
  if (DrawValuesForward()) {
    for (int i = fFirstVisible; i <= fLastVisible; ++i) PaintPoint(i);
  } else {
    for (int i = fLastVisible; i >= fFirstVisible; --i) PaintPoint(i);
  }
}

// ---------------------------------------------------------------------------
// Points

TColor TChartSeries::PointColor(int index) const { return StoredPointColor(index); }

std::string TChartSeries::PointLabel(int index) const {
  if (index < 0) return std::string();
  return LabelAt(static_cast<std::size_t>(index));
}

// The X and Y lists are made here, of exactly the value list class, so their
// own forms of the calls are the calls.
double TChartSeries::XValueAt(int index) const { return fXValues->StoredValueAt(index); }

double TChartSeries::YValueAt(int index) const { return fYValues->StoredValueAt(index); }

void TChartSeries::PointAdded(int index) {
  if (OnAfterAdd) OnAfterAdd(*this, index);
  NotifyDependents(dcInsert, index);
  if (RepaintToAsk()) fParentChart->RequestRepaint();
}

bool TChartSeries::RepaintToAsk() const {
  // Marking only: a request that would merge into the one made already is
  // not made again.
  return fActive && fParentChart && !fParentChart->RepaintRequestMerges();
}

int TChartSeries::AddPoint(double x, double y, const std::string& label, TColor color) {
  TChartValueList& xList = *fXValues;
  TChartValueList& yList = *fYValues;
  xList.SetPendingValue(x);
  yList.SetPendingValue(y);
  // A refill in X order: both values at the end of their lists, the colour
  // continuing the run of colours and the empty label after the others.
  const std::size_t count = xList.StoredValues().size();
  if (!OnBeforeAdd && label.empty() && fValuesLists.Count() == 2 && count == ColorCount() &&
      (fColorRun == 0 || color == fColorRunColor) && count >= fLabelList.size() &&
      xList.AppendPoint(x, yList, y)) {
    fColorRunColor = color;
    ++fColorRun;
    ++fLabelCount;
    // A point nothing hears of, on a chart marked for its repaint already,
    // is only counted: a refill of many points costs its stores, not a
    // round of calls per point.
    if (OnAfterAdd || !fDependents.empty() || RepaintToAsk()) PointAdded(static_cast<int>(count));
    return static_cast<int>(count);
  }
  return AddPendingPoint(label, color);
}

void TChartSeries::SetPoints(std::span<const double> x, std::span<const double> y, TColor color) {
  if (x.size() != y.size()) {
    throw EListError::IndexOutOfBounds(static_cast<int>(std::min(x.size(), y.size())));
  }
  // Values that lie in this series' own lists are copied out first: the
  // lists are written over below.
  if (fXValues->Overlaps(x) || fXValues->Overlaps(y) || fYValues->Overlaps(x) ||
      fYValues->Overlaps(y)) {
    const std::vector<double> xs(x.begin(), x.end());
    const std::vector<double> ys(y.begin(), y.end());
    SetPoints(xs, ys, color);
    return;
  }
  const bool plain = !OnBeforeAdd && !OnAfterAdd && !OnClearValues && fDependents.empty() &&
                     fValuesLists.Count() == 2;
  // The X values are taken with their order found on the way; out of order
  // they are placed one by one below.
  const TChartValueList::TValueOrder order =
      plain ? fXValues->CopyValuesInOrder(x) : TChartValueList::TValueOrder{false, false};
  if (order.InOrder) {
    fYValues->ReplaceValues(y, false);
    // The colours one run, the labels all empty: as many points added one
    // after another in one colour store nothing per point.
    if (ColorCount() > 0) fColorRefillHint = ColorCount();
    fColorList.clear();
    fColorRun = x.size();
    fColorRunColor = color;
    fLabelList.clear();
    fLabelCount = static_cast<int>(x.size());
    if (fActive && fParentChart && !ChartBeingDestroyed()) RequestRepaint();
    return;
  }
  // Points to be placed one by one, or a series whose events hear of each:
  // the points added in turn.
  ClearPoints();
  for (std::size_t i = 0; i < x.size(); ++i) AddPoint(x[i], y[i], "", color);
}

int TChartSeries::AddPendingPoint(const std::string& label, TColor color) {
  if (OnBeforeAdd && !OnBeforeAdd(*this)) return -1;
  const int index = fXValues->StoredAddInOrder(fXValues->PendingValue());
  fYValues->StoredInsertValueAt(index, fYValues->PendingValue());
  // Only a series type with further lists has pending values to place.
  if (fValuesLists.Count() > 2) InsertExtraPendingValues(index);
  InsertColor(static_cast<std::size_t>(index), color);
  InsertLabel(static_cast<std::size_t>(index), label);
  PointAdded(index);
  return index;
}

void TChartSeries::InsertExtraPendingValues(int index) {
  for (int i = 2; i < fValuesLists.Count(); ++i) {
    fValuesLists[i].InsertValueAt(index, fValuesLists[i].PendingValue());
  }
}

void TChartSeries::ClearPoints() {
  ClearLists();
  if (OnClearValues) OnClearValues(*this);
  NotifyDependents(dcClear, -1);
  if (fActive && fParentChart && !ChartBeingDestroyed()) RequestRepaint();
}

void TChartSeries::DeletePoint(int index) {
  if (index < 0 || index >= PointCount()) throw EListError::IndexOutOfBounds(index);
  for (int i = 0; i < fValuesLists.Count(); ++i) fValuesLists[i].DeleteValueAt(index);
  const auto at = static_cast<std::size_t>(index);
  if (at < ColorCount()) {
    StoreColorRun();
    fColorList.erase(fColorList.begin() + index);
  }
  if (at < static_cast<std::size_t>(fLabelCount)) {
    --fLabelCount;
    if (at < fLabelList.size()) fLabelList.erase(fLabelList.begin() + index);
  }
  NotifyDependents(dcDelete, index);
  if (fActive) RequestRepaint();
}

void TChartSeries::SetPointColor(int index, TColor color) {
  if (index < 0 || index >= PointCount() || static_cast<std::size_t>(index) >= ColorCount()) {
    throw EListError::IndexOutOfBounds(index);
  }
  StoreColorRun();
  fColorList[static_cast<std::size_t>(index)] = color;
  RequestRepaint();
}

void TChartSeries::SwapValueIndex(int a, int b) {
  for (int i = 0; i < fValuesLists.Count(); ++i) fValuesLists[i].SwapValues(a, b);
  const auto ia = static_cast<std::size_t>(a);
  const auto ib = static_cast<std::size_t>(b);
  if (ia < ColorCount() && ib < ColorCount()) {
    StoreColorRun();
    std::swap(fColorList[ia], fColorList[ib]);
  }
  const auto labels = static_cast<std::size_t>(fLabelCount);
  if (ia < labels && ib < labels && (ia < fLabelList.size() || ib < fLabelList.size())) {
    // At least one of the two has a stored text; both get a place.
    if (std::max(ia, ib) >= fLabelList.size()) fLabelList.resize(std::max(ia, ib) + 1);
    std::swap(fLabelList[ia], fLabelList[ib]);
  }
}

double TChartSeries::MaxX() const { return fXValues->MaxOfValues(); }
double TChartSeries::MaxY() const { return fYValues->MaxOfValues(); }
double TChartSeries::MinX() const { return fXValues->MinOfValues(); }
double TChartSeries::MinY() const { return fYValues->MinOfValues(); }

bool TChartSeries::YIsDependent() const {
  return &const_cast<TChartSeries*>(this)->DependentValues() == fYValues.get();
}

TChartValueList& TChartSeries::ValueListByName(const std::string& name) {
  const auto lower = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  };
  const std::string wanted = lower(name);
  for (int i = 2; i < fValuesLists.Count(); ++i) {
    if (lower(fValuesLists[i].Name()) == wanted) return fValuesLists[i];
  }
  return *fYValues;
}

void TChartSeries::DrawLegendShape(TChartCanvas3D& canvas, const TRect& rect) {
  canvas.Pen().SetColor(LegendInk(clBlack));
  canvas.Pen().SetWidth(canvas.ScaledWidth(1));
  canvas.Pen().SetStyle(psSolid);
  canvas.Brush().SetColor(ColorToRGB(fSeriesColor));
  canvas.Brush().SetStyle(bsSolid);
  const int inset = DevicePixels(2);
  canvas.DrawRectangle(rect.Left, rect.Top + inset, rect.Right, rect.Bottom - inset);
}

void TChartSeries::DrawLegendShapeIn(TChartCanvas3D& canvas, const TRect& rect, TColor color) {
  // The colours go back however the drawing ends.
  struct Restore {
    TColor& Field;
    TColor Saved;
    ~Restore() { Field = Saved; }
  } restoreColor{fSeriesColor, fSeriesColor}, restoreInk{fLegendInk, fLegendInk};
  fSeriesColor = color;
  fLegendInk = color;
  DrawLegendShape(canvas, rect);
}

int TChartSeries::DevicePixels(int pixels) const {
  return fParentChart ? fParentChart->DevicePixels(pixels) : pixels;
}

void TChartSeries::HorizontalMargins(int& left, int& right) const { left = right = 0; }

void TChartSeries::VerticalMargins(int& top, int& bottom) const { top = bottom = 0; }

// ---------------------------------------------------------------------------
// Axes and screen positions

void TChartSeries::ResolveAxes() {
  if (!fParentChart) {
    fResolvedHorizAxis = fResolvedVertAxis = nullptr;
    return;
  }
  TCustomAxisPanel& chart = *fParentChart;
  fResolvedHorizAxis = &chart.BottomAxis();
  if (fHorizAxis == aTopAxis) {
    fResolvedHorizAxis = &chart.TopAxis();
  } else if (fHorizAxis == aCustomHorizAxis && fCustomHorizAxisRef &&
             chart.IndexOfAxis(fCustomHorizAxisRef) >= 0) {
    fResolvedHorizAxis = fCustomHorizAxisRef;
  }
  fResolvedVertAxis = &chart.LeftAxis();
  if (fVertAxis == aRightAxis) {
    fResolvedVertAxis = &chart.RightAxis();
  } else if (fVertAxis == aCustomVertAxis && fCustomVertAxisRef &&
             chart.IndexOfAxis(fCustomVertAxisRef) >= 0) {
    fResolvedVertAxis = fCustomVertAxisRef;
  }
}

bool TChartSeries::UsesAxis(const TCustomChartAxis& axis) const {
  if (!WantsAxes()) return false;
  if (axis.IsHorizontal()) return fHorizAxis == aBothHorizAxis || &axis == fResolvedHorizAxis;
  return fVertAxis == aBothVertAxis || &axis == fResolvedVertAxis;
}

int TChartSeries::PointScreenX(int index) const {
  const double x = XValueAt(index);
  return fResolvedHorizAxis ? fResolvedHorizAxis->ValueToPixel(x) : 0;
}

int TChartSeries::PointScreenY(int index) const {
  const double y = YValueAt(index);
  return fResolvedVertAxis ? fResolvedVertAxis->ValueToPixel(y) : 0;
}

void TChartSeries::ComputeVisibleRange() {
  fFirstVisible = -1;
  fLastVisible = -1;
  const int count = PointCount();
  if (count == 0) return;
  const int n = count - 1;
  const bool yDependent = YIsDependent();
  const TChartValueList& list = yDependent ? *fXValues : *fYValues;
  const TCustomChartAxis* axis = yDependent ? fResolvedHorizAxis : fResolvedVertAxis;
  if (!fClipToVisible || list.Order() == loNone || axis == nullptr || fParentChart == nullptr) {
    fFirstVisible = 0;
    fLastVisible = n;
    return;
  }
  // The axis values at the two edges of the chart rectangle: lo at the edge
  // where the axis starts (left, or bottom for a vertical axis), hi at the
  // other; an inverted axis starts at the opposite edge.
  const TRect& plot = fParentChart->PlotRect();
  double lo;
  double hi;
  if (axis->IsHorizontal()) {
    lo = axis->PixelToValue(axis->Inverted() ? plot.Right : plot.Left);
    hi = axis->PixelToValue(axis->Inverted() ? plot.Left : plot.Right);
  } else {
    lo = axis->PixelToValue(axis->Inverted() ? plot.Top : plot.Bottom);
    hi = axis->PixelToValue(axis->Inverted() ? plot.Bottom : plot.Top);
  }
  int first = 0;
  while (list.ValueAt(first) < lo) {
    if (++first > n) return;
  }
  fFirstVisible = first;
  if (list.LastValue() <= hi) {
    fLastVisible = n;
    return;
  }
  int last = first;
  while (list.ValueAt(last) < hi) {
    if (++last > n) {
      last = n;
      break;
    }
  }
  if (!fDrawsBeyondEdge && list.ValueAt(last) > hi) --last;
  fLastVisible = last;
}

void TChartSeries::RequestRepaint() const {
  if (fParentChart) fParentChart->RequestRepaint();
}

// ---------------------------------------------------------------------------
// Properties

void TChartSeries::SetActive(bool value) {
  if (fActive == value) return;
  fActive = value;
  RequestRepaint();
}

void TChartSeries::SetColorEachPoint(bool value) {
  if (fColorEachPoint == value) return;
  fColorEachPoint = value;
  if (!value) {
    for (int i = 0; i < static_cast<int>(ColorCount()); ++i) SetPointColor(i, clDefault);
  }
  RequestRepaint();
}

void TChartSeries::SetParentChart(TCustomAxisPanel* chart) {
  if (fParentChart == chart) return;
  if (fParentChart) fParentChart->DetachSeries(*this);
  fParentChart = chart;
  ResolveAxes();
  if (fParentChart) fParentChart->AttachSeries(*this);
}

void TChartSeries::StoreParentChart(TCustomAxisPanel* chart) {
  fParentChart = chart;
  ResolveAxes();
}

void TChartSeries::SetSeriesColor(TColor value) {
  if (fSeriesColor == value) return;
  fSeriesColor = value;
  RequestRepaint();
}

void TChartSeries::SetColorSource(const std::string& value) {
  if (fColorSource == value) return;
  fColorSource = value;
  CheckDataSource();
}

void TChartSeries::SetHorizAxis(THorizAxis value) {
  if (fHorizAxis == value) return;
  fHorizAxis = value;
  ResolveAxes();
  RequestRepaint();
}

void TChartSeries::SetVertAxis(TVertAxis value) {
  if (fVertAxis == value) return;
  fVertAxis = value;
  ResolveAxes();
  RequestRepaint();
}

void TChartSeries::SetCustomHorizAxis(TCustomChartAxis* axis) {
  if (fCustomHorizAxisRef == axis) return;
  fCustomHorizAxisRef = axis;
  ResolveAxes();
  RequestRepaint();
}

void TChartSeries::SetCustomVertAxis(TCustomChartAxis* axis) {
  if (fCustomVertAxisRef == axis) return;
  fCustomVertAxisRef = axis;
  ResolveAxes();
  RequestRepaint();
}

void TChartSeries::SetPercentFormat(const std::string& value) {
  if (fPercentFormat == value) return;
  fPercentFormat = value;
  RequestRepaint();
}

void TChartSeries::SetShowInLegend(bool value) {
  if (fShowInLegend == value) return;
  fShowInLegend = value;
  RequestRepaint();
}

void TChartSeries::SetTitle(const std::string& value) {
  if (fTitle == value) return;
  fTitle = value;
  RequestRepaint();
}

void TChartSeries::SetValueFormat(const std::string& value) {
  if (fValueFormat == value) return;
  fValueFormat = value;
  RequestRepaint();
}

// ---------------------------------------------------------------------------
// Data sources and dependents

bool TChartSeries::IsFedBy(const TChartSeries& series) const {
  for (const TChartSeries* source : fDataSources) {
    if (source == &series || source->IsFedBy(series)) return true;
  }
  return false;
}

void TChartSeries::AddDataSource(TChartSeries& source) {
  if (std::find(fDataSources.begin(), fDataSources.end(), &source) != fDataSources.end()) return;
  if (&source == this || source.IsFedBy(*this)) {
    throw ChartException(ChartStrings::CircularSeries);
  }
  fDataSources.push_back(&source);
  source.fDependents.push_back({this, trAll});
  CheckDataSource();
}

void TChartSeries::RemoveDataSource(TChartSeries& source) {
  const auto it = std::find(fDataSources.begin(), fDataSources.end(), &source);
  if (it == fDataSources.end()) return;
  fDataSources.erase(it);
  source.DropDependent(*this);
}

void TChartSeries::DropDependent(const TChartSeries& series) {
  fDependents.erase(
      std::remove_if(fDependents.begin(), fDependents.end(),
                     [&](const DependentLink& link) { return link.Series == &series; }),
      fDependents.end());
}

void TChartSeries::SetDataSource(TChartSeries* source) {
  if (source && source != DataSource() && (source == this || source->IsFedBy(*this))) {
    throw ChartException(ChartStrings::CircularSeries);
  }
  while (!fDataSources.empty()) RemoveDataSource(*fDataSources.back());
  if (source) AddDataSource(*source);
}

void TChartSeries::CheckDataSource() {
  if (fParentChart && fParentChart->IsLoading()) return;
  if (TChartSeries* source = DataSource()) CopyAllPointsFrom(*source);
}

TChartSeries& TChartSeries::Dependent(int index) const {
  if (index < 0 || index >= DependentCount()) throw EListError::IndexOutOfBounds(index);
  return *fDependents[static_cast<std::size_t>(index)].Series;
}

TSeriesTriggers TChartSeries::DependentTriggers(int index) const {
  if (index < 0 || index >= DependentCount()) throw EListError::IndexOutOfBounds(index);
  return fDependents[static_cast<std::size_t>(index)].Triggers;
}

void TChartSeries::SetDependentTriggers(int index, TSeriesTriggers triggers) {
  if (index < 0 || index >= DependentCount()) throw EListError::IndexOutOfBounds(index);
  fDependents[static_cast<std::size_t>(index)].Triggers = triggers;
}

void TChartSeries::TellDependents(TDependentChange change, int index) {
  // A dependent may change the list while it reacts (for instance when it is
  // destroyed), so walk a copy.
  const std::vector<DependentLink> links = fDependents;
  for (const DependentLink& link : links) {
    TChartSeries& dependent = *link.Series;
    switch (change) {
      case dcClear:
        if (link.Triggers & trOnClear) dependent.ClearPoints();
        break;
      case dcInsert:
        if (link.Triggers & trOnInsert) dependent.SourcePointAdded(*this, index);
        break;
      case dcDelete:
        if (link.Triggers & trOnDelete) dependent.SourcePointDeleted(*this, index);
        break;
      case dcModifyAll: dependent.CopyAllPointsFrom(*this); break;
      case dcModifyOne:
        if (link.Triggers & trOnModify) dependent.CopyAllPointsFrom(*this);
        break;
    }
  }
}

}  // namespace drivesim

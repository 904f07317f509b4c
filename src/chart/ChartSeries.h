#pragma once
// A series: the points a chart draws, held as one value list per dimension
// plus one colour and one label per point, bound to two axes of its chart.
// The series belongs to whoever created it (the form); its ParentChart only
// refers to it.

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "chart/ChartValueList.h"
#include "platform/CustomPanel.h"
#include "platform/Types.h"

namespace drivesim {

class TCustomAxisPanel;
class TCustomChartAxis;
class TChartCanvas3D;
// Entry index mod 16 of the default series palette (ChartCanvas.h).
TColor DefaultSeriesColor(int index);

// Reserved colours of the chart engine. A point stored with clDefault has no
// colour of its own and shows the series colour; a point of colour clNone is
// a null point, not drawn.
constexpr TColor clDefault = 0x20000000;
constexpr TColor clNone = 0x1FFFFFFF;

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

// What a dependent series is told about a change of its source.
enum TDependentChange { dcClear, dcInsert, dcDelete, dcModifyAll, dcModifyOne };

// Which changes of its source a dependent series follows (a set of flags).
using TSeriesTriggers = unsigned;
constexpr TSeriesTriggers trOnDelete = 1;
constexpr TSeriesTriggers trOnModify = 2;
constexpr TSeriesTriggers trOnInsert = 4;
constexpr TSeriesTriggers trOnClear = 8;
constexpr TSeriesTriggers trAll = trOnDelete | trOnModify | trOnInsert | trOnClear;

class TChartSeries;

// The marks a series can show beside its points. Only their switch and arrow
// length are kept here; drawing marks is not part of this chart.
class TSeriesMarks {
 public:
  explicit TSeriesMarks(TChartSeries& series) : fSeries(series) {}
  bool Visible() const { return fVisible; }
  void SetVisible(bool value);
  // Pixels between a point and its mark.
  int ArrowLength() const { return fArrowLength; }
  void SetArrowLength(int value);

 private:
  TChartSeries& fSeries;
  bool fVisible = true;
  int fArrowLength = 8;
};

using TSeriesNotifyEvent = std::function<void(TChartSeries& sender)>;
// Returns false to refuse the point being added.
using TSeriesBeforeAddEvent = std::function<bool(TChartSeries& sender)>;
using TSeriesAfterAddEvent = std::function<void(TChartSeries& sender, int valueIndex)>;
using TSeriesClickEvent = std::function<void(TChartSeries& sender, int valueIndex,
                                             TMouseButton button, TShiftState shift, int x, int y)>;
using TSeriesGetMarkTextEvent =
    std::function<void(TChartSeries& sender, int valueIndex, std::string& markText)>;

class TChartSeries {
 public:
  TChartSeries();
  // Stops being a data source of its dependents and a dependent of its
  // sources, clears its points (OnClearValues still fires) and leaves its
  // chart.
  virtual ~TChartSeries();
  TChartSeries(const TChartSeries&) = delete;
  TChartSeries& operator=(const TChartSeries&) = delete;

  // Operations a series type may replace, in slot order.

  // Copies point index of source to this series (X and Y swapped when the
  // two disagree on which list is dependent; extra values, colour and label
  // too) and returns the new index.
  virtual int CopyPointFrom(const TChartSeries& source, int index);
  // A point was added to a source series at index.
  virtual void SourcePointAdded(const TChartSeries& source, int index);
  // Replaces every point by those of source.
  virtual void CopyAllPointsFrom(const TChartSeries& source);
  // Empties every value list, ColorList and LabelList and gives their
  // storage back.
  virtual void ClearLists();
  // A point was deleted from a source series at index.
  virtual void SourcePointDeleted(const TChartSeries& source, int index);
  virtual void DoAfterDrawValues();
  // Called for every active series before the chart is drawn.
  virtual void DoBeforeDrawChart() {}
  virtual void DoBeforeDrawValues();
  // Paints FirstVisible..LastVisible (forwards) or the other way round.
  virtual void DrawVisiblePoints();
  // Draws one value; a series type draws its points here.
  virtual void PaintPoint(int /*index*/) {}
  virtual TColor PointColor(int index) const;
  virtual std::string PointLabel(int index) const;
  virtual double XValueAt(int index) const;
  virtual double YValueAt(int index) const;
  // After a point was placed at index: OnAfterAdd, the dependents, and for
  // an active series a repaint request, unless the chart is marked for its
  // repaint already (RepaintRequestMerges): points added in a row ask once.
  // AddPoint does not call it for a point appended in X order when it would
  // do nothing (no OnAfterAdd, no dependents, no request to make): such a
  // point is only counted.
  virtual void PointAdded(int index);
  virtual void SetActive(bool value);
  virtual void SetColorEachPoint(bool value);
  // Leaves the old chart (DetachSeries) and joins the new one (AttachSeries).
  virtual void SetParentChart(TCustomAxisPanel* chart);
  virtual void SetSeriesColor(TColor value);
  // Adds a point and returns its index, or -1 when OnBeforeAdd refused it.
  // The X value is placed by the X list's order; Y, colour and label go to
  // the same index. An empty label is stored as no text.
  virtual int AddPoint(double x, double y, const std::string& label, TColor color);
  virtual bool UsesAxis(const TCustomChartAxis& axis) const;
  // Removes every point; OnClearValues fires, then the dependents are told
  // and an active series asks for a repaint.
  virtual void ClearPoints();
  virtual void DeletePoint(int index);
  virtual double MaxX() const;
  virtual double MaxY() const;
  virtual double MaxZ() const { return fZOrder; }
  virtual double MinX() const;
  virtual double MinY() const;
  virtual double MinZ() const { return fZOrder; }
  // The point's pixel column on ResolvedHorizAxis (0 without an axis).
  virtual int PointScreenX(int index) const;
  // The point's pixel row on ResolvedVertAxis (0 without an axis).
  virtual int PointScreenY(int index) const;
  // Inserts the pending value of every extra value list (after X and Y) at
  // index.
  virtual void InsertExtraPendingValues(int index);
  // The extra value list of that name (case-insensitive), else the Y list.
  virtual TChartValueList& ValueListByName(const std::string& name);
  // The index of the point (or of the first point of the segment) under the
  // pixel (x, y), or -1. A series type that can be hit answers here; the
  // base series is never hit.
  virtual int ClickedPoint(int /*x*/, int /*y*/) { return -1; }
  // The list that depends on the other: Y for every series type here.
  virtual TChartValueList& DependentValues() { return *fYValues; }
  virtual bool DrawValuesForward() const { return true; }
  // Exchanges two points in every value list, ColorList and LabelList.
  virtual void SwapValueIndex(int a, int b);
  // Draws the series' sample in a legend item's symbol rectangle: here a
  // swatch of the series colour in a black frame.
  virtual void DrawLegendShape(TChartCanvas3D& canvas, const TRect& rect);
  // DrawLegendShape with color in place of the series colour, without a
  // repaint request: the legend's grey sample of a hidden series.
  // Every line of the sample, outlines included, takes that colour.
  void DrawLegendShapeIn(TChartCanvas3D& canvas, const TRect& rect, TColor color);
  // The colour a legend sample's outline is drawn in: the given one, or the
  // grey of a hidden series' sample while DrawLegendShapeIn draws it.
  TColor LegendInk(TColor color) const { return fLegendInk == clDefault ? color : fLegendInk; }
  // Pixels this series needs inside the ends of its horizontal axis (left,
  // right) and vertical axis (top, bottom).
  virtual void HorizontalMargins(int& left, int& right) const;
  virtual void VerticalMargins(int& top, int& bottom) const;
  virtual bool WantsAxes() const { return true; }
  // A series that shades a region of the chart (RegionSeries.h): the chart
  // paints it before every other series, whatever its place in the list,
  // and even when it has no visible points (a band needs none).
  virtual bool DrawsBehind() const { return false; }

  // Points.
  int PointCount() const { return fXValues->ValueCount(); }
  // Replaces every point by the points (x[i], y[i]), all in one colour and
  // without labels: the series ClearPoints and then AddPoint(x[i], y[i], "",
  // color) for each i in turn leave, with the same events. Points whose X
  // values come in the X list's order, of a series without OnBeforeAdd,
  // OnAfterAdd, OnClearValues, dependents or further value lists, are copied
  // in one pass into the storage the lists hold when it has room: a refill
  // with as many points as before takes no new memory. Raises EListError
  // "List index out of bounds (%d)" with the shorter length when the two
  // differ, and changes nothing then.
  void SetPoints(std::span<const double> x, std::span<const double> y, TColor color);
  // PointColor as this class answers it, without asking a derived series.
  TColor StoredPointColor(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= ColorCount()) return fSeriesColor;
    const TColor stored = ColorEntry(static_cast<std::size_t>(index));
    if (stored != clDefault) return stored;
    return fColorEachPoint ? DefaultSeriesColor(index) : fSeriesColor;
  }
  // How many colours the colour list holds, and entry index of it (below
  // that count), without writing out the list.
  std::size_t ColorCount() const { return fColorList.size() + fColorRun; }
  TColor ColorEntry(std::size_t index) const {
    return index < fColorList.size() ? fColorList[index] : fColorRunColor;
  }
  // Whether entries from..to of the colour list (below ColorCount) are one
  // and the same colour.
  bool SameColorEntries(std::size_t from, std::size_t to) const;
  // Overwrites the stored colour of a point and asks for a repaint. Raises
  // EListError for an index outside the points.
  void SetPointColor(int index, TColor color);
  bool YIsDependent() const;

  TChartValueList& XValues() { return *fXValues; }
  const TChartValueList& XValues() const { return *fXValues; }
  TChartValueList& YValues() { return *fYValues; }
  const TChartValueList& YValues() const { return *fYValues; }
  TChartValueLists& ValuesLists() { return fValuesLists; }
  const TChartValueLists& ValuesLists() const { return fValuesLists; }
  // One colour and one label per point, in point order.
  const std::vector<TColor>& ColorList() const {
    StoreColorRun();
    return fColorList;
  }
  const std::vector<std::string>& LabelList() const;

  // Published properties.
  bool Active() const { return fActive; }
  bool ColorEachPoint() const { return fColorEachPoint; }
  const std::string& ColorSource() const { return fColorSource; }
  void SetColorSource(const std::string& value);
  TCursor Cursor() const { return fCursor; }
  void SetCursor(TCursor value) { fCursor = value; }
  THorizAxis HorizAxis() const { return fHorizAxis; }
  void SetHorizAxis(THorizAxis value);
  TVertAxis VertAxis() const { return fVertAxis; }
  void SetVertAxis(TVertAxis value);
  TSeriesMarks& Marks() { return *fMarks; }
  // The chart that draws this series (not owned), or null.
  TCustomAxisPanel* ParentChart() const { return fParentChart; }
  // A length in pixels of the window's layout in the parent chart's device
  // pixels (unchanged without a chart).
  int DevicePixels(int pixels) const;
  const std::string& PercentFormat() const { return fPercentFormat; }
  void SetPercentFormat(const std::string& value);
  TColor SeriesColor() const { return fSeriesColor; }
  bool ShowInLegend() const { return fShowInLegend; }
  void SetShowInLegend(bool value);
  const std::string& Title() const { return fTitle; }
  void SetTitle(const std::string& value);
  const std::string& ValueFormat() const { return fValueFormat; }
  void SetValueFormat(const std::string& value);
  const std::string& XLabelsSource() const { return fXLabelsSource; }
  void SetXLabelsSource(const std::string& value) { fXLabelsSource = value; }

  // The axes used for aCustomHorizAxis and aCustomVertAxis (axes of the
  // parent chart, not owned).
  TCustomChartAxis* CustomHorizAxis() const { return fCustomHorizAxisRef; }
  void SetCustomHorizAxis(TCustomChartAxis* axis);
  TCustomChartAxis* CustomVertAxis() const { return fCustomVertAxisRef; }
  void SetCustomVertAxis(TCustomChartAxis* axis);

  // The axes HorizAxis and VertAxis select on the parent chart; null without
  // a chart.
  TCustomChartAxis* ResolvedHorizAxis() const { return fResolvedHorizAxis; }
  TCustomChartAxis* ResolvedVertAxis() const { return fResolvedVertAxis; }
  void ResolveAxes();

  // The points inside the independent axis' range, set by
  // ComputeVisibleRange; -1 when none.
  int FirstVisible() const { return fFirstVisible; }
  int LastVisible() const { return fLastVisible; }
  void ComputeVisibleRange();
  // A series type that draws its lines past the chart edges sets these.
  bool ClipToVisible() const { return fClipToVisible; }
  void SetClipToVisible(bool value) { fClipToVisible = value; }
  bool DrawsBeyondEdge() const { return fDrawsBeyondEdge; }
  void SetDrawsBeyondEdge(bool value) { fDrawsBeyondEdge = value; }

  // Asks the parent chart for a repaint; nothing without a chart.
  void RequestRepaint() const;

  // Data sources: series whose points this series copies. Making a series a
  // source of one that (directly or through further sources) feeds it raises
  // ChartException "Circular Series dependences are not allowed".
  TChartSeries* DataSource() const { return fDataSources.empty() ? nullptr : fDataSources[0]; }
  // Replaces the data sources with the given series (none for null) and
  // copies its points.
  void SetDataSource(TChartSeries* source);
  void AddDataSource(TChartSeries& source);
  void RemoveDataSource(TChartSeries& source);
  const std::vector<TChartSeries*>& DataSources() const { return fDataSources; }
  // Copies the points of a series data source again.
  void CheckDataSource();
  // The series fed by this one, each with the changes it follows.
  int DependentCount() const { return static_cast<int>(fDependents.size()); }
  TChartSeries& Dependent(int index) const;
  TSeriesTriggers DependentTriggers(int index) const;
  void SetDependentTriggers(int index, TSeriesTriggers triggers);
  // Tells every dependent series of a change of this one.
  void NotifyDependents(TDependentChange change, int index) {
    if (!fDependents.empty()) TellDependents(change, index);
  }

  // -1: automatic.
  int ZOrder() const { return fZOrder; }

  // Events.
  TSeriesNotifyEvent AfterDrawValues;
  TSeriesNotifyEvent BeforeDrawValues;
  TSeriesAfterAddEvent OnAfterAdd;
  TSeriesBeforeAddEvent OnBeforeAdd;
  TSeriesNotifyEvent OnClearValues;
  TSeriesClickEvent OnClick;
  TSeriesClickEvent OnDblClick;
  TSeriesGetMarkTextEvent OnGetMarkText;

 private:
  friend class TCustomAxisPanel;
  struct DependentLink {
    TChartSeries* Series;
    TSeriesTriggers Triggers;
  };
  bool IsFedBy(const TChartSeries& series) const;
  void TellDependents(TDependentChange change, int index);
  // The label at index of the label list (empty beyond the stored ones).
  const std::string& LabelAt(std::size_t index) const;
  void InsertLabel(std::size_t index, const std::string& label) {
    // An empty label past the stored ones needs no storage.
    if (label.empty() && index >= fLabelList.size()) {
      ++fLabelCount;
      return;
    }
    StoreLabel(index, label);
  }
  // AddPoint with the pending values of the lists, OnBeforeAdd first.
  int AddPendingPoint(const std::string& label, TColor color);
  // Whether a point added now asks its chart for a repaint (PointAdded).
  bool RepaintToAsk() const;
  // Stores a label at index, writing out the empty labels before it.
  void StoreLabel(std::size_t index, const std::string& label);
  void InsertColor(std::size_t index, TColor color) {
    if (index == ColorCount() && (fColorRun == 0 || color == fColorRunColor)) {
      fColorRunColor = color;
      ++fColorRun;
      return;
    }
    PutColorWithRoom(index, color);
  }
  // InsertColor anywhere else, or of another colour than the run's.
  void PutColorWithRoom(std::size_t index, TColor color);
  // Writes out the run of colours not stored yet; a list refilled after being
  // emptied takes its storage once.
  void StoreColorRun() const;
  void DropDependent(const TChartSeries& series);
  // Used by the chart when it attaches or detaches this series.
  void StoreParentChart(TCustomAxisPanel* chart);
  bool ChartBeingDestroyed() const;

  // Declared before the lists so that the lists, which unregister from it,
  // go first.
  TChartValueLists fValuesLists;
  std::unique_ptr<TChartValueList> fXValues;
  std::unique_ptr<TChartValueList> fYValues;
  // The colours, one per point: the first fColorList.size() are stored, the
  // next fColorRun are all fColorRunColor and take no storage until the list
  // is asked for (points added one after another in one colour store
  // nothing per point).
  mutable std::vector<TColor> fColorList;
  mutable std::size_t fColorRun = 0;
  TColor fColorRunColor = 0;
  // How many colours the list held when it was last emptied, and the storage
  // it gave up then when that held exactly its colours.
  mutable std::size_t fColorRefillHint = 0;
  mutable std::vector<TColor> fColorSpare;
  // The labels, one per point: the first fLabelList.size() are stored, the
  // others, up to fLabelCount, are empty and take no storage until
  // LabelList is asked for (a series whose points carry no text stores
  // nothing per point).
  mutable std::vector<std::string> fLabelList;
  int fLabelCount = 0;
  std::unique_ptr<TSeriesMarks> fMarks;

  bool fActive = true;
  bool fColorEachPoint = false;
  std::string fColorSource;
  TCursor fCursor = crDefault;
  THorizAxis fHorizAxis = aBottomAxis;
  TVertAxis fVertAxis = aLeftAxis;
  TCustomAxisPanel* fParentChart = nullptr;
  std::string fPercentFormat;
  TColor fSeriesColor = clDefault;
  TColor fLegendInk = clDefault;  // set only while DrawLegendShapeIn draws
  bool fShowInLegend = true;
  std::string fTitle;
  std::string fValueFormat;
  std::string fXLabelsSource;

  TCustomChartAxis* fResolvedHorizAxis = nullptr;
  TCustomChartAxis* fResolvedVertAxis = nullptr;
  TCustomChartAxis* fCustomHorizAxisRef = nullptr;
  TCustomChartAxis* fCustomVertAxisRef = nullptr;
  int fFirstVisible = -1;
  int fLastVisible = -1;
  bool fClipToVisible = true;
  bool fDrawsBeyondEdge = false;

  std::vector<DependentLink> fDependents;
  std::vector<TChartSeries*> fDataSources;
  int fZOrder = -1;
};

}  // namespace drivesim

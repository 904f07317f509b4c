#pragma once
// The value lists of a series: one list of doubles per dimension (X, Y, and
// further ones for series types with more dimensions), with a multiplier, an
// order that new values are placed by, and lazily cached statistics.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "chart/ValueStorage.h"

namespace drivesim {

class TChartSeries;
class TChartValueList;

// The smallest and the largest of values[0..count) each times multiplier
// (count at least 1), and whether every product is a number. With no NaN
// among them the extremes are exact, though a zero may come with either
// sign. Four values are compared at a time: a column of a long record, or
// a list of a million values, is read at the speed of memory.
struct TValueExtremes {
  double Smallest;
  double Largest;
  bool Numbers;
};
TValueExtremes ExtremesOfValues(const double* values, std::size_t count, double multiplier);

// How AddInOrder places a new value.
enum TChartListOrder { loNone = 0, loAscending = 1, loDescending = 2 };

// Every value list of one series, in creation order: index 0 is the X list,
// index 1 the Y list, further lists after them. The list refers to the value
// lists; the series owns them. A value list adds itself when it is created
// and removes itself when it is destroyed.
class TChartValueLists {
 public:
  int Count() const { return static_cast<int>(fLists.size()); }
  // Raises EListError "List index out of bounds (%d)" outside 0..Count-1.
  TChartValueList& operator[](int index) const;
  int IndexOf(const TChartValueList* list) const;

 private:
  friend class TChartValueList;
  void Add(TChartValueList* list) { fLists.push_back(list); }
  void Remove(const TChartValueList* list);
  std::vector<TChartValueList*> fLists;
};

class TChartValueList {
 public:
  // Creates an empty list and registers it in the owner's value lists. The
  // owner may be null for a list that belongs to no series.
  TChartValueList(TChartSeries* owner, const std::string& name);
  virtual ~TChartValueList();
  TChartValueList(const TChartValueList&) = delete;
  TChartValueList& operator=(const TChartValueList&) = delete;

  // Every index below raises EListError "List index out of bounds (%d)"
  // outside 0..ValueCount-1 and changes nothing.

  // The stored value times Multiplier.
  virtual double ValueAt(int index) const;
  // Stores the value as given (not divided by Multiplier) and tells the
  // owner's dependent series that one value changed.
  virtual void SetValueAt(int index, double value);
  // Empties the list and gives its storage back.
  virtual void RemoveAllValues();
  // Places a raw value by Order and returns its index: after the last value
  // that does not exceed it (ascending) or is not below it (descending), so
  // equal values keep the order in which they came; appended for loNone.
  virtual int AddInOrder(double value);
  // Inserts a raw value before index (0..ValueCount).
  virtual void InsertValueAt(int index, double value);
  virtual int ValueCount() const { return static_cast<int>(fValues.size()); }
  virtual void DeleteValueAt(int index);
  // Moves the first value to the end, the others down by one. The statistics
  // and the dependents are not told: the set of values is unchanged.
  virtual void RotateValues();

  // ValueAt, AddInOrder and InsertValueAt as this class does them, without
  // asking a derived list: for an owner that made its list of exactly this
  // class (a series' X and Y lists), so that the calls for every point cost
  // no dispatch.
  double StoredValueAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= fValues.size()) ThrowIndex(index);
    return fValues[static_cast<std::size_t>(index)] * fMultiplier;
  }
  [[gnu::always_inline]] int StoredAddInOrder(double value) {
    // A value arriving in ascending order goes to the end.
    if (fOrder == loAscending && (fValues.empty() || !(fValues.back() > value)) &&
        fValues.size() < fValues.capacity()) {
      AppendWithRoom(value);
      return static_cast<int>(fValues.size()) - 1;
    }
    return PlaceInOrder(value, fValues.size());
  }
  // A point's X value appended to this list and its Y value to yList, when
  // x goes at the end by this list's order, both lists hold as many values
  // and both have room: how a refill in X order adds its points. The same
  // as StoredAddInOrder and StoredInsertValueAt at the end; false, with
  // nothing done, otherwise.
  [[gnu::always_inline]] bool AppendPoint(double x, TChartValueList& yList, double y) {
    TValueStorage& xs = fValues;
    TValueStorage& ys = yList.fValues;
    const std::size_t count = xs.size();
    if (count == xs.capacity() || ys.size() != count || count == ys.capacity()) return false;
    if (count > 0) {
      const double lastX = xs[count - 1];
      if (fOrder == loAscending ? lastX > x : fOrder == loDescending && lastX < x) return false;
      if (!(lastX < x)) fRising = false;
    }
    // The extremes are left to a pass at their next query, which reads the
    // list four values at a time: cheaper than two comparisons per point.
    yList.fRising = false;
    yList.fKeptExtremes = false;
    fKeptExtremes = false;
    xs.AppendWithRoom(x);
    ys.AppendWithRoom(y);
    fExtremesDirty = fTotalsDirty = true;
    yList.fExtremesDirty = yList.fTotalsDirty = true;
    return true;
  }
  void StoredInsertValueAt(int index, double value) {
    if (index < 0 || static_cast<std::size_t>(index) > fValues.size()) ThrowIndex(index);
    PutValueAt(index, value);
  }

  // How values would go into the list one by one: InOrder when each goes at
  // the end by Order, after the ones before it, as AddInOrder places it;
  // Rising when each lies above the one before it.
  struct TValueOrder {
    bool InOrder;
    bool Rising;
  };
  // Whether values share any place with this list's storage.
  bool Overlaps(std::span<const double> values) const;
  // Replaces the raw values by values, in their order, as emptying the list
  // and appending them one by one would leave it (rising tells whether they
  // rise strictly), the statistics worked out afresh at their next query.
  // The storage stays when it has room for them: a refill with as many
  // values takes no new memory.
  void ReplaceValues(std::span<const double> values, bool rising);
  // ReplaceValues with the values' order (TValueOrder) found on the way, in
  // one pass over them. Out of order, the list holds the values with every
  // statistic to be worked out afresh, to be emptied by the caller who
  // places them one by one. The values may not lie in this list's storage.
  TValueOrder CopyValuesInOrder(std::span<const double> values);

  // The stored values in point order, not multiplied: value i of the list
  // is StoredValues()[i] * Multiplier(). For an owner that reads every
  // value of its own list of exactly this class.
  const TValueStorage& StoredValues() const { return fValues; }

  double LastValue() const { return ValueAt(ValueCount() - 1); }
  // First index whose ValueAt equals value exactly, else -1.
  int IndexOfValue(double value) const;
  // Value i := i for every index, through SetValueAt.
  void FillWithIndices();
  // When Order is not loNone, sorts every point of the owner series by this
  // list: the values of all its lists, its colours and its labels move
  // together.
  void SortValues();
  // Exchanges two raw values (used when the owner swaps two points).
  void SwapValues(int a, int b);

  // Statistics over the multiplied values, recomputed on the first query
  // after a change; all four are 0 for an empty list. The minimum and
  // maximum of values that were appended in strictly rising order (times
  // a multiplier of 1) are the first and the last, and those of values that
  // were only appended since the list was emptied are kept up as they come:
  // neither takes a pass over the list.
  double MaxOfValues() const;
  double MinOfValues() const;
  double TotalOfValues() const;
  double TotalAbsOfValues() const;
  // Whether every value since the list was last emptied was appended above
  // the one before it: the values rise strictly in list order.
  bool Rising() const { return fRising; }
  // Whether a statistic is to be worked out again at its next query.
  bool StatsDirty() const { return fExtremesDirty || fTotalsDirty; }

  bool DateTime() const { return fDateTime; }
  void SetDateTime(bool value);
  double Multiplier() const { return fMultiplier; }
  void SetMultiplier(double value);
  const std::string& Name() const { return fName; }
  void SetName(const std::string& value) { fName = value; }
  TChartListOrder Order() const { return fOrder; }
  void SetOrder(TChartListOrder value) { fOrder = value; }
  // The field of a data source that fills this list.
  const std::string& ValueSource() const { return fValueSource; }
  void SetValueSource(const std::string& value);

  // The staging slot through which AddPoint passes the value being added.
  double PendingValue() const { return fPendingValue; }
  void SetPendingValue(double value) { fPendingValue = value; }

  // The owning series (not owned), or null.
  TChartSeries* OwnerSeries() const { return fOwner; }

  // Copies Order, DateTime, Multiplier and ValueSource; not the values and
  // not the name.
  void Assign(const TChartValueList& source);

  // Storage reserved for values; 0 after RemoveAllValues.
  std::size_t Capacity() const { return fValues.capacity(); }

 private:
  void CheckIndex(int index) const;
  // Raises EListError "List index out of bounds (%d)".
  [[noreturn]] static void ThrowIndex(int index);
  // AddInOrder over the first count values.
  int PlaceInOrder(double value, std::size_t count);
  // Inserts a raw value before index (0..size), appending without moving
  // anything when index is the end and there is room.
  [[gnu::always_inline]] void PutValueAt(int index, double value) {
    if (static_cast<std::size_t>(index) == fValues.size() && fValues.size() < fValues.capacity()) {
      AppendWithRoom(value);
      return;
    }
    PutValueWithRoom(index, value);
  }
  // Appends a value to storage with room for it, noting whether the values
  // still rise strictly.
  [[gnu::always_inline]] void AppendWithRoom(double value) {
    if (fRising && !fValues.empty() && !(fValues.back() < value)) fRising = false;
    if (fKeptExtremes) KeepExtremes(value, fValues.size());
    fValues.AppendWithRoom(value);
    fExtremesDirty = fTotalsDirty = true;
  }
  // The kept extremes with value appended after count values.
  void KeepExtremes(double value, std::size_t count) {
    const double v = value * fMultiplier;
    if (count == 0) {
      fKeptMin = fKeptMax = v;
    } else if (v < fKeptMin) {
      fKeptMin = v;
    } else if (v > fKeptMax) {
      fKeptMax = v;
    }
  }
  // Any change but an append: every statistic is worked out again, the
  // extremes with a pass over the list.
  void ValuesChanged() {
    fExtremesDirty = fTotalsDirty = true;
    fRising = false;
    fKeptExtremes = false;
  }
  // PutValueAt when the value goes before the end or the storage is full.
  // The first value added to an emptied list reserves as many places as the
  // list held before it was emptied, so that a series refilled point by
  // point every tick takes its storage once instead of doubling it step by
  // step.
  void PutValueWithRoom(int index, double value);
  // Gives the list room for count values and makes it hold that many, their
  // contents to be written: the storage kept for a refill when it has room.
  void StorageFor(std::size_t count);
  // After every value was replaced: the statistics to be worked out afresh,
  // rising telling whether the new values rise strictly.
  void ValuesReplaced(bool rising);
  void RecomputeExtremes() const;
  void RecomputeTotals() const;
  void SortRange(int left, int right);
  int CompareValues(int a, int b) const;
  void RepaintOwner();

  TChartSeries* fOwner;
  bool fDateTime = false;
  // Raw values, in point order.
  TValueStorage fValues;
  double fMultiplier = 1.0;
  std::string fName;
  TChartListOrder fOrder = loNone;
  double fPendingValue = 0.0;
  std::string fValueSource;
  // Cached statistics: the extremes valid while fExtremesDirty is false, the
  // totals while fTotalsDirty is false.
  mutable double fMaxOfValues = 0.0;
  mutable double fMinOfValues = 0.0;
  mutable double fTotalOfValues = 0.0;
  mutable double fTotalAbsOfValues = 0.0;
  mutable bool fExtremesDirty = true;
  mutable bool fTotalsDirty = true;
  // Set while every value since the list was last emptied was appended
  // above the one before it.
  bool fRising = true;
  // The minimum and maximum of the multiplied values, kept up while values
  // are only appended (the X values of AppendPoint aside, whose extremes
  // come from fRising): set from an empty list, with nothing but such
  // appends since.
  bool fKeptExtremes = true;
  double fKeptMin = 0.0;
  double fKeptMax = 0.0;
  // How many values the list held when it was last emptied.
  std::size_t fRefillHint = 0;
  // The storage given up when the list was last emptied, kept for the refill
  // when it held exactly the values then cleared: a list refilled with as
  // many values every tick takes the same storage again instead of having
  // new memory mapped in.
  TValueStorage fSpare;
};

}  // namespace drivesim

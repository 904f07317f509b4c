#include "chart/ChartValueList.h"

#include <algorithm>
#include <cmath>
#include <functional>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "chart/ChartSeries.h"
#include "platform/Exceptions.h"

namespace drivesim {

TValueExtremes ExtremesOfValues(const double* values, std::size_t count, double multiplier) {
  double smallest = values[0] * multiplier;
  double largest = smallest;
  bool numbers = smallest == smallest;
  std::size_t i = 1;
#if defined(__SSE2__)
  // Four products at a time in two pairs of lanes, NaNs noted on the side.
  if (count >= 9) {
    const __m128d m = _mm_set1_pd(multiplier);
    __m128d low0 = _mm_set1_pd(smallest);
    __m128d low1 = low0;
    __m128d high0 = low0;
    __m128d high1 = low0;
    __m128d nans = _mm_setzero_pd();
    for (; i + 4 <= count; i += 4) {
      const __m128d a = _mm_mul_pd(_mm_loadu_pd(values + i), m);
      const __m128d b = _mm_mul_pd(_mm_loadu_pd(values + i + 2), m);
      nans = _mm_or_pd(nans, _mm_or_pd(_mm_cmpunord_pd(a, a), _mm_cmpunord_pd(b, b)));
      low0 = _mm_min_pd(low0, a);
      low1 = _mm_min_pd(low1, b);
      high0 = _mm_max_pd(high0, a);
      high1 = _mm_max_pd(high1, b);
    }
    const __m128d low = _mm_min_pd(low0, low1);
    const __m128d high = _mm_max_pd(high0, high1);
    smallest = _mm_cvtsd_f64(_mm_min_sd(low, _mm_unpackhi_pd(low, low)));
    largest = _mm_cvtsd_f64(_mm_max_sd(high, _mm_unpackhi_pd(high, high)));
    numbers = numbers && _mm_movemask_pd(nans) == 0;
  }
#endif
  for (; i < count; ++i) {
    const double v = values[i] * multiplier;
    numbers = numbers && v == v;
    smallest = v < smallest ? v : smallest;
    largest = v > largest ? v : largest;
  }
  return TValueExtremes{smallest, largest, numbers};
}

// ---------------------------------------------------------------------------
// TChartValueLists

TChartValueList& TChartValueLists::operator[](int index) const {
  if (index < 0 || index >= Count()) throw EListError::IndexOutOfBounds(index);
  return *fLists[static_cast<std::size_t>(index)];
}

int TChartValueLists::IndexOf(const TChartValueList* list) const {
  const auto it = std::find(fLists.begin(), fLists.end(), list);
  return it == fLists.end() ? -1 : static_cast<int>(it - fLists.begin());
}

void TChartValueLists::Remove(const TChartValueList* list) {
  const auto it = std::find(fLists.begin(), fLists.end(), list);
  if (it != fLists.end()) fLists.erase(it);
}

// ---------------------------------------------------------------------------
// TChartValueList

TChartValueList::TChartValueList(TChartSeries* owner, const std::string& name)
    : fOwner(owner), fName(name) {
  if (fOwner) fOwner->ValuesLists().Add(this);
}

TChartValueList::~TChartValueList() {
  if (fOwner) fOwner->ValuesLists().Remove(this);
}

void TChartValueList::CheckIndex(int index) const {
  if (index < 0 || index >= ValueCount()) ThrowIndex(index);
}

void TChartValueList::ThrowIndex(int index) { throw EListError::IndexOutOfBounds(index); }

double TChartValueList::ValueAt(int index) const {
  CheckIndex(index);
  return fValues[static_cast<std::size_t>(index)] * fMultiplier;
}

void TChartValueList::SetValueAt(int index, double value) {
  CheckIndex(index);
  fValues[static_cast<std::size_t>(index)] = value;
  ValuesChanged();
  if (fOwner) fOwner->NotifyDependents(dcModifyOne, index);
}

void TChartValueList::RemoveAllValues() {
  if (!fValues.empty()) fRefillHint = fValues.size();
  // The storage goes aside when it held exactly these values, else back.
  if (!fValues.empty() && fValues.size() == fValues.capacity()) {
    fSpare.swap(fValues);
    fSpare.clear();
  }
  fValues.clear();
  fValues.shrink_to_fit();
  fExtremesDirty = fTotalsDirty = true;
  fRising = true;
  fKeptExtremes = true;
}

bool TChartValueList::Overlaps(std::span<const double> values) const {
  if (values.empty() || fValues.empty()) return false;
  const std::less<const double*> before;
  return before(values.data(), fValues.data() + fValues.size()) &&
         before(fValues.data(), values.data() + values.size());
}

void TChartValueList::StorageFor(std::size_t count) {
  if (fValues.capacity() < count) {
    if (fSpare.capacity() >= count) {
      fValues.swap(fSpare);
    } else {
      // Exactly as much as the values need; the old storage goes first.
      TValueStorage().swap(fValues);
      fValues.reserve(count);
    }
  }
  fValues.resize(count);
}

void TChartValueList::ReplaceValues(std::span<const double> values, bool rising) {
  const std::size_t count = values.size();
  // Made without values, then copied in at once.
  StorageFor(count);
  if (count > 0) std::copy(values.begin(), values.end(), fValues.begin());
  ValuesReplaced(rising);
}

void TChartValueList::ValuesReplaced(bool rising) {
  fExtremesDirty = fTotalsDirty = true;
  fRising = rising;
  fKeptExtremes = false;
}

TChartValueList::TValueOrder TChartValueList::CopyValuesInOrder(std::span<const double> values) {
  const std::size_t count = values.size();
  StorageFor(count);
  // Copied and compared with the one before in the same pass: whether any
  // value falls below, rises above, or fails to rise above the one before
  // it, flags gathered without a branch per value.
  unsigned char falls = 0;
  unsigned char rises = 0;
  unsigned char stays = 0;
  const double* in = values.data();
  double* out = fValues.data();
  if (count > 0) out[0] = in[0];
  std::size_t i = 1;
#if defined(__SSE2__)
  // Two pairs of neighbours at a time: a refill of a long record moves
  // millions of values.
  if (count >= 5) {
    __m128d fallen = _mm_setzero_pd();
    __m128d risen = _mm_setzero_pd();
    __m128d stayed = _mm_setzero_pd();
    for (; i + 4 <= count; i += 4) {
      const __m128d before0 = _mm_loadu_pd(in + i - 1);
      const __m128d value0 = _mm_loadu_pd(in + i);
      const __m128d before1 = _mm_loadu_pd(in + i + 1);
      const __m128d value1 = _mm_loadu_pd(in + i + 2);
      _mm_storeu_pd(out + i, value0);
      _mm_storeu_pd(out + i + 2, value1);
      fallen = _mm_or_pd(fallen,
                         _mm_or_pd(_mm_cmpgt_pd(before0, value0), _mm_cmpgt_pd(before1, value1)));
      risen =
          _mm_or_pd(risen, _mm_or_pd(_mm_cmplt_pd(before0, value0), _mm_cmplt_pd(before1, value1)));
      stayed = _mm_or_pd(stayed,
                         _mm_or_pd(_mm_cmpnlt_pd(before0, value0), _mm_cmpnlt_pd(before1, value1)));
    }
    falls = static_cast<unsigned char>(_mm_movemask_pd(fallen) != 0);
    rises = static_cast<unsigned char>(_mm_movemask_pd(risen) != 0);
    stays = static_cast<unsigned char>(_mm_movemask_pd(stayed) != 0);
  }
#endif
  for (; i < count; ++i) {
    const double before = in[i - 1];
    const double value = in[i];
    out[i] = value;
    falls |= static_cast<unsigned char>(before > value);
    rises |= static_cast<unsigned char>(before < value);
    stays |= static_cast<unsigned char>(!(before < value));
  }
  const bool inOrder = fOrder == loAscending    ? falls == 0
                       : fOrder == loDescending ? rises == 0
                                                : true;
  ValuesReplaced(inOrder && stays == 0);
  return TValueOrder{inOrder, stays == 0};
}

int TChartValueList::AddInOrder(double value) {
  return PlaceInOrder(value, static_cast<std::size_t>(ValueCount()));
}

int TChartValueList::PlaceInOrder(double value, std::size_t count) {
  int index = static_cast<int>(count);
  if (fOrder == loAscending && !fValues.empty() && fValues.back() > value) {
    int i = index - 1;
    while (i >= 0 && fValues[static_cast<std::size_t>(i)] > value) --i;
    index = i + 1;
  } else if (fOrder == loDescending && !fValues.empty() && fValues.back() < value) {
    int i = index - 1;
    while (i >= 0 && fValues[static_cast<std::size_t>(i)] < value) --i;
    index = i + 1;
  }
  PutValueAt(index, value);
  return index;
}

void TChartValueList::PutValueWithRoom(int index, double value) {
  if (fValues.capacity() == 0 && fRefillHint > 0) {
    if (fSpare.capacity() == fRefillHint) {
      fValues.swap(fSpare);
    } else {
      fValues.reserve(fRefillHint);
    }
  }
  if (static_cast<std::size_t>(index) == fValues.size()) {
    if (fValues.size() == fValues.capacity())
      fValues.reserve(std::max<std::size_t>(1, 2 * fValues.size()));
    AppendWithRoom(value);
  } else {
    fValues.insert(fValues.begin() + index, value);
    ValuesChanged();
  }
}

void TChartValueList::InsertValueAt(int index, double value) {
  if (index < 0 || index > ValueCount()) throw EListError::IndexOutOfBounds(index);
  PutValueAt(index, value);
}

void TChartValueList::DeleteValueAt(int index) {
  CheckIndex(index);
  fValues.erase(fValues.begin() + index);
  ValuesChanged();
}

void TChartValueList::RotateValues() {
  if (fValues.size() < 2) return;
  std::rotate(fValues.begin(), fValues.begin() + 1, fValues.end());
  // The statistics stand (the same values), but the values no longer rise,
  // and a pass in the new order may meet equal extremes in another order.
  fRising = false;
  fKeptExtremes = false;
}

int TChartValueList::IndexOfValue(double value) const {
  for (int i = 0; i < ValueCount(); ++i) {
    if (ValueAt(i) == value) return i;
  }
  return -1;
}

void TChartValueList::FillWithIndices() {
  for (int i = 0; i < ValueCount(); ++i) SetValueAt(i, i);
}

void TChartValueList::SwapValues(int a, int b) {
  CheckIndex(a);
  CheckIndex(b);
  std::swap(fValues[static_cast<std::size_t>(a)], fValues[static_cast<std::size_t>(b)]);
  if (a != b) fRising = fKeptExtremes = false;
}

int TChartValueList::CompareValues(int a, int b) const {
  const double va = ValueAt(a);
  const double vb = ValueAt(b);
  const int result = va < vb ? -1 : (va > vb ? 1 : 0);
  return fOrder == loDescending ? -result : result;
}

void TChartValueList::SortValues() {
  if (fOrder == loNone || ValueCount() < 2) return;
  SortRange(0, ValueCount() - 1);
}

// Quicksort with the middle element as pivot. The pivot is tracked by index,
// so when a swap moves it, the index follows. Every swap goes through the
// owner series so that all its lists, colours and labels move together. The
// smaller part is sorted by recursion and the larger one by the loop, so the
// recursion depth stays logarithmic.
void TChartValueList::SortRange(int left, int right) {
  while (left < right) {
    int i = left;
    int j = right;
    int pivot = left + (right - left) / 2;
    do {
      while (CompareValues(i, pivot) < 0) ++i;
      while (CompareValues(j, pivot) > 0) --j;
      if (i <= j) {
        if (i != j) {
          if (fOwner) {
            fOwner->SwapValueIndex(i, j);
          } else {
            SwapValues(i, j);
          }
        }
        if (pivot == i) {
          pivot = j;
        } else if (pivot == j) {
          pivot = i;
        }
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - left < right - i) {
      if (left < j) SortRange(left, j);
      left = i;
    } else {
      if (i < right) SortRange(i, right);
      right = j;
    }
  }
}

void TChartValueList::RecomputeExtremes() const {
  if (fValues.empty()) {
    fMinOfValues = fMaxOfValues = 0.0;
  } else if (fRising && fMultiplier == 1.0) {
    // Strictly rising: the pass would take the first value as the minimum
    // and each next one as the maximum.
    fMinOfValues = fValues.front();
    fMaxOfValues = fValues.back();
  } else if (fKeptExtremes) {
    fMinOfValues = fKeptMin;
    fMaxOfValues = fKeptMax;
  } else if (const TValueExtremes quick =
                 ExtremesOfValues(fValues.data(), fValues.size(), fMultiplier);
             quick.Numbers && quick.Smallest != 0.0 && quick.Largest != 0.0) {
    // Without NaNs and without a zero at either end (whose sign the pass
    // below takes from the first of them), the extremes are those values.
    fMinOfValues = quick.Smallest;
    fMaxOfValues = quick.Largest;
  } else {
    double v = fValues[0] * fMultiplier;
    fMinOfValues = fMaxOfValues = v;
    for (std::size_t i = 1; i < fValues.size(); ++i) {
      v = fValues[i] * fMultiplier;
      if (v < fMinOfValues) {
        fMinOfValues = v;
      } else if (v > fMaxOfValues) {
        fMaxOfValues = v;
      }
    }
  }
  fExtremesDirty = false;
}

void TChartValueList::RecomputeTotals() const {
  if (fValues.empty()) {
    fTotalOfValues = fTotalAbsOfValues = 0.0;
  } else {
    double v = fValues[0] * fMultiplier;
    fTotalOfValues = v;
    fTotalAbsOfValues = std::fabs(v);
    for (std::size_t i = 1; i < fValues.size(); ++i) {
      v = fValues[i] * fMultiplier;
      fTotalOfValues += v;
      fTotalAbsOfValues += std::fabs(v);
    }
  }
  fTotalsDirty = false;
}

double TChartValueList::MaxOfValues() const {
  if (fExtremesDirty) RecomputeExtremes();
  return fMaxOfValues;
}

double TChartValueList::MinOfValues() const {
  if (fExtremesDirty) RecomputeExtremes();
  return fMinOfValues;
}

double TChartValueList::TotalOfValues() const {
  if (fTotalsDirty) RecomputeTotals();
  return fTotalOfValues;
}

double TChartValueList::TotalAbsOfValues() const {
  if (fTotalsDirty) RecomputeTotals();
  return fTotalAbsOfValues;
}

void TChartValueList::RepaintOwner() {
  if (fOwner) fOwner->RequestRepaint();
}

void TChartValueList::SetDateTime(bool value) {
  if (fDateTime == value) return;
  fDateTime = value;
  RepaintOwner();
}

void TChartValueList::SetMultiplier(double value) {
  if (fMultiplier == value) return;
  fMultiplier = value;
  ValuesChanged();
  if (fOwner) fOwner->NotifyDependents(dcModifyAll, -1);
  RepaintOwner();
}

void TChartValueList::SetValueSource(const std::string& value) {
  if (fValueSource == value) return;
  fValueSource = value;
  if (fOwner) fOwner->CheckDataSource();
}

void TChartValueList::Assign(const TChartValueList& source) {
  if (&source == this) return;
  fOrder = source.fOrder;
  SetDateTime(source.fDateTime);
  SetMultiplier(source.fMultiplier);
  SetValueSource(source.fValueSource);
}

}  // namespace drivesim

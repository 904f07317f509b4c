// A line series drawn by pixel columns: PaintPoint's steps for every visible
// point, the segments they would draw handed to a TColumnLine, and the
// points that fall into one pixel column taken together where they allow it.
//
// Points taken together: when the X values run in order and map regularly
// to pixels, the points of one pixel column follow each other, and a binary
// search finds where a column's points end. When they also share one colour
// and their Y values map regularly within the drawable range, the segments
// between them are a chain of vertical segments in that column, and what
// the chain draws follows from a few of its points: the first (which the
// segment from the column before reaches), the lowest and the highest (the
// pixel mapping keeps the order of the values, so these are the points of
// the smallest and the largest value), the last, and whether a segment of
// the chain covers the last one's pixel. Only those points are mapped to
// pixels; the others are only compared as values.
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "chart/AxisPanel.h"
#include "chart/ChartAxis.h"
#include "chart/ColumnLine.h"
#include "chart/Series.h"

namespace drivesim {

namespace {

// An axis' ValueToPixel for many values in a row. The axis divides the
// value's offset by the range's width; here it is multiplied by the width's
// reciprocal, which is off from the quotient t by less than |t| 2^-51. That
// moves the rounded pixel only when t lies within that of a .5 tie; a t
// within a much wider hair of one, or far out (a NaN too), is left to the
// axis' own mapping, so every pixel is the axis' own.
class PixelMapping {
 public:
  explicit PixelMapping(const TCustomChartAxis& axis)
      : fAxis(axis),
        fMinimum(axis.RangeMinimum()),
        fLength(axis.AxisLength()),
        fReciprocal(1.0 / axis.RangeWidth()),
        fFromEnd(axis.IsHorizontal() ? axis.Inverted() : !axis.Inverted()),
        fStart(axis.StartPixel()),
        fEnd(axis.EndPixel()),
        // The ties are those of rounding to nearest; a zero range maps
        // everything to the centre; a logarithmic scale maps by its own
        // arithmetic.
        fAxisOnly(axis.IsLogScale() || axis.RangeWidth() == 0 ||
                  std::fegetround() != FE_TONEAREST) {}

  // Inlined where the columns are walked; the axis' own mapping, rarely
  // needed, stays a call.
  [[gnu::always_inline]] int operator()(double value) const {
    double rounded;
    if (fAxisOnly || !RoundsSafely(Offset(value), rounded)) return AxisPixel(value);
    return PixelAt(rounded);
  }

  // The pixels of n values, each times multiplier: the same arithmetic as
  // one by one, in a loop where no value waits for the one before, so that
  // many are mapped side by side; the values the axis must map itself are
  // mapped again afterwards.
  void MapAll(const double* values, double multiplier, int n, int* pixels) const {
    bool allSafe = !fAxisOnly;
    if (allSafe) {
      const int grouped = MapGroups(values, multiplier, n, pixels, allSafe);
      for (int i = grouped; i < n; ++i) {
        double rounded;
        const bool safe = RoundsSafely(Offset(values[i] * multiplier), rounded);
        pixels[i] = PixelAt(safe ? rounded : 0.0);
        allSafe &= safe;
      }
    }
    if (allSafe) return;
    for (int i = 0; i < n; ++i) pixels[i] = (*this)(values[i] * multiplier);
  }

  // MapAll's arithmetic two values at a time, the lanes of a vector the
  // size of the processor's double registers: the same operations in the
  // same order, so each lane's pixel is the one mapping its value alone
  // gives. The rounded offset is read from the bits of t + kRounder, whose
  // last bits are that integer for |t| below 2^51, and negated by its bits
  // for an axis mapped from its end. Clears allSafe when a lane needs the
  // axis; returns how many values were mapped (an even number).
  int MapGroups(const double* values, double multiplier, int n, int* pixels, bool& allSafe) const {
    using Doubles = double __attribute__((vector_size(16)));
    using Bits = std::uint64_t __attribute__((vector_size(16)));
    const Doubles rounder = Doubles{} + kRounder;
    const Bits magnitudeMask = Bits{} + 0x7FFF'FFFF'FFFF'FFFFull;
    const Bits base = Bits{} + static_cast<std::uint64_t>(fFromEnd ? fEnd : fStart);
    const Bits negate = Bits{} + (fFromEnd ? ~0ull : 0ull);
    // The lanes that needed the axis so far, as set bits.
    Bits unsafe{};
    int i = 0;
    for (; i + 2 <= n; i += 2) {
      Doubles v;
      std::memcpy(&v, values + i, sizeof v);
      const Doubles t = (v * multiplier - fMinimum) * fLength * fReciprocal;
      const Doubles magnitude =
          reinterpret_cast<Doubles>(reinterpret_cast<Bits>(t) & magnitudeMask);
      const Doubles sum = t + rounder;
      const Doubles rounded = sum - rounder;
      const Doubles error =
          reinterpret_cast<Doubles>(reinterpret_cast<Bits>(t - rounded) & magnitudeMask);
      const Bits near = reinterpret_cast<Bits>(magnitude < kRegular);
      const Bits clear = reinterpret_cast<Bits>((0.5 - error) > (magnitude + 1.0) * 0x1p-48);
      unsafe |= ~(near & clear);
      const Bits offset = reinterpret_cast<Bits>(sum) - reinterpret_cast<Bits>(rounder);
      const Bits pixel = base + ((offset ^ negate) - negate);
      pixels[i] = static_cast<int>(pixel[0]);
      pixels[i + 1] = static_cast<int>(pixel[1]);
    }
    allSafe &= (unsafe[0] | unsafe[1]) == 0;
    return i;
  }

  // Whether the value maps as its offset says, not to the centre pixel of a
  // value too far out (nor of a NaN): the values between two regular ones
  // map in their order, the pixels never crossing.
  bool Regular(double value) const { return !fAxisOnly && std::fabs(Offset(value)) < kRegular; }

 private:
  [[gnu::noinline]] int AxisPixel(double value) const { return fAxis.ValueToPixel(value); }
  static constexpr double kRegular = 0x1p30;
  static constexpr double kRounder = 0x1.8p52;
  double Offset(double value) const { return (value - fMinimum) * fLength * fReciprocal; }
  // Whether the offset t rounds, to nearest with ties to even, to the pixel
  // offset the axis gives it: t not far out and not within a hair of a tie.
  // Exact for |t| below 2^51.
  static bool RoundsSafely(double t, double& rounded) {
    const double magnitude = std::fabs(t);
    rounded = (t + kRounder) - kRounder;
    return magnitude < kRegular && 0.5 - std::fabs(t - rounded) > (magnitude + 1.0) * 0x1p-48;
  }
  int PixelAt(double rounded) const {
    const auto offset = static_cast<std::int64_t>(rounded);
    return static_cast<int>(fFromEnd ? fEnd - offset : fStart + offset);
  }

  const TCustomChartAxis& fAxis;
  double fMinimum;
  double fLength;
  double fReciprocal;
  bool fFromEnd;
  std::int64_t fStart;
  std::int64_t fEnd;
  bool fAxisOnly;
};

}  // namespace

void TCustomSeries::DrawLineByColumns() {
  TCustomAxisPanel& chart = *ParentChart();
  const TCustomChartAxis& horizAxis = *ResolvedHorizAxis();
  const double* xs = XValues().StoredValues().data();
  const double* ys = YValues().StoredValues().data();
  const double xMultiplier = XValues().Multiplier();
  const double yMultiplier = YValues().Multiplier();
  const int first = FirstVisible();
  const int last = LastVisible();
  const PixelMapping screenX(horizAxis);
  const PixelMapping screenY(*ResolvedVertAxis());
  const auto xAt = [&](int index) { return xs[index] * xMultiplier; };
  const auto yAt = [&](int index) { return ys[index] * yMultiplier; };

  // A sparse series, with few points to a pixel column, has nearly every
  // point mapped in X and in Y: they are all mapped first, in one pass.
  // A dense one maps only a few points of each column, as they are needed.
  const int visible = last - first + 1;
  const bool mapFirst = visible > 0 && visible <= 2 * (horizAxis.AxisLength() + 1);
  const int* mappedX = nullptr;
  const int* mappedY = nullptr;
  if (mapFirst) {
    fPointPixels.resize(2 * static_cast<std::size_t>(visible));
    int* pixels = fPointPixels.data();
    screenX.MapAll(xs + first, xMultiplier, visible, pixels);
    screenY.MapAll(ys + first, yMultiplier, visible, pixels + visible);
    mappedX = pixels - first;
    mappedY = pixels + visible - first;
  }
  const auto xPixel = [&](int index) { return mappedX ? mappedX[index] : screenX(xAt(index)); };
  const auto yPixel = [&](int index) { return mappedY ? mappedY[index] : screenY(yAt(index)); };

  TColumnLine line(chart.ChartCanvas(), *fLinePen);
  int prevX = fPrevX;
  int prevY = fPrevY;
  TColor prevColor = fPrevColor;
  bool startPending = fLineStartPending;

  // PaintPoint's steps for one point, whose pixel column x is known (there
  // are no pointers and no stairs here).
  const auto paintPoint = [&](int index, int x) {
    const TColor col = StoredPointColor(index);
    const int y = yPixel(index);
    if (!Drawable(x, y)) {
      if (index == first) startPending = true;
      prevColor = col;
      return;
    }
    if (prevColor == clNone) {
      prevX = x;
      prevY = y;
    }
    if (index == first) {
      startPending = false;
      if (index > 0) {
        const TRect& plot = chart.PlotRect();
        prevX = horizAxis.Inverted() ? plot.Right : plot.Left;
        prevY = EdgeY(index, prevX);
        if (StoredPointColor(index - 1) != clNone && (x != prevX || y != prevY) && col != clNone)
          line.Add(prevX, prevY, x, y, col);
      }
    } else if (startPending) {
      startPending = false;
    } else if ((x != prevX || y != prevY) && col != clNone) {
      line.Add(prevX, prevY, x, y, col);
    }
    prevX = x;
    prevY = y;
    prevColor = col;
  };

  // The points from..to of pixel column x, after a drawn point of another
  // colour than clNone, as PaintPoint takes them, when they share one
  // colour and their Y values are regular and drawable; false, with nothing
  // done, otherwise.
  const auto paintColumn = [&](int from, int to, int x) {
    const auto at = [](int index) { return static_cast<std::size_t>(index); };
    if (at(to) >= ColorCount()) return false;
    if (ColorEntry(at(from)) == clDefault && ColorEachPoint()) return false;
    if (!SameColorEntries(at(from), at(to))) return false;
    const TColor col = StoredPointColor(from);
    if (col == clNone) return false;
    // The smallest and largest value.
    const TValueExtremes extremes =
        ExtremesOfValues(ys + from, static_cast<std::size_t>(to - from + 1), yMultiplier);
    const double smallest = extremes.Smallest;
    const double largest = extremes.Largest;
    if (!extremes.Numbers || !screenY.Regular(smallest) || !screenY.Regular(largest)) return false;
    const int ofSmallest = screenY(smallest);
    const int ofLargest = screenY(largest);
    // The pixels run the other way along a vertical axis that grows upwards.
    const bool reversed = ofSmallest > ofLargest;
    const int low = reversed ? ofLargest : ofSmallest;
    const int high = reversed ? ofSmallest : ofLargest;
    if (!Drawable(x, low) || !Drawable(x, high)) return false;

    // The first point: reached from the point before, as any point is.
    const int firstY = yPixel(from);
    if (x != prevX || firstY != prevY) line.Add(prevX, prevY, x, firstY, col);
    prevX = x;
    prevY = firstY;
    prevColor = col;
    if (low == high) return true;  // all on one pixel: no segment within the column

    // The chain ends on the last point's pixel; the points before it on the
    // same pixel add no segment, the one before them starts the chain's
    // last segment.
    const int lastY = yPixel(to);
    int streak = to;
    while (yPixel(streak - 1) == lastY) --streak;
    const int beforeY = yPixel(streak - 1);
    // The last pixel is covered when a segment passes it or starts on it:
    // when it lies between the lowest and the highest, or when one of the
    // points before the streak is on it.
    bool covered = lastY > low && lastY < high;
    if (!covered) {
      const bool atSmallest = lastY == ofSmallest;
      // Where that extreme first occurs.
      const double extremeValue = atSmallest ? smallest : largest;
      int firstAtExtreme = from;
      while (yAt(firstAtExtreme) != extremeValue) ++firstAtExtreme;
      if (firstAtExtreme < streak) {
        covered = true;
      } else {
        double extreme = yAt(from);
        for (int i = from + 1; i < streak; ++i) {
          extreme = atSmallest ? std::min(extreme, yAt(i)) : std::max(extreme, yAt(i));
        }
        covered = screenY(extreme) == lastY;
      }
    }
    line.AddColumnChain(x, firstY, low, high, lastY, covered, beforeY, col);
    prevY = lastY;
    return true;
  };

  // Columns are taken together only where the X values run in order from the
  // first visible point to the last, all of them mapping regularly.
  bool inOrder = screenX.Regular(xAt(first)) && screenX.Regular(xAt(last));
  if (inOrder && !XValues().Rising()) {
    for (int i = first + 1; i <= last; ++i) {
      if (!(xs[i - 1] <= xs[i])) {
        inOrder = false;
        break;
      }
    }
  }

  paintPoint(first, xPixel(first));
  // The column of the point after the last column found, once mapped.
  int nextIndex = -1;
  int nextX = 0;
  // How many points the last column found held: evenly spaced X values put
  // as many into the next one, give or take one.
  int columnPoints = 0;
  int index = first + 1;
  while (index <= last) {
    const int x = index == nextIndex ? nextX : xPixel(index);
    if (!inOrder) {
      paintPoint(index++, x);
      continue;
    }
    // The last point of this point's column: where the last column's count
    // puts it when the pixels there say so, else a gallop, then halving.
    int inColumn = index;  // known to be in the column
    int step = 1;
    const int guess = index + columnPoints - 1;
    if (columnPoints > 1 && guess < last && xPixel(guess) == x) {
      const int after = xPixel(guess + 1);
      if (after != x) {
        inColumn = guess;
        step = 0;
        nextIndex = guess + 1;
        nextX = after;
      } else {
        inColumn = guess + 1;
      }
    }
    while (step > 0 && inColumn + step <= last) {
      const int probe = xPixel(inColumn + step);
      if (probe != x) {
        if (step == 1) {
          nextIndex = inColumn + 1;
          nextX = probe;
        }
        break;
      }
      inColumn += step;
      step *= 2;
    }
    // Known not to be in the column, or past the end.
    int beyond = step == 0 ? inColumn + 1 : std::min(inColumn + step, last + 1);
    while (beyond - inColumn > 1) {
      const int middle = inColumn + (beyond - inColumn) / 2;
      if (xPixel(middle) == x) {
        inColumn = middle;
      } else {
        beyond = middle;
      }
    }
    if (inColumn == index || startPending || prevColor == clNone ||
        !paintColumn(index, inColumn, x)) {
      for (int i = index; i <= inColumn; ++i) paintPoint(i, x);
    }
    columnPoints = inColumn - index + 1;
    index = inColumn + 1;
  }
  line.Finish();
  fPrevX = prevX;
  fPrevY = prevY;
  fPrevColor = prevColor;
  fLineStartPending = startPending;
}

}  // namespace drivesim

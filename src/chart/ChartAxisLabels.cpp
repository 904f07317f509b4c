// An axis' increments and labels: the 1-2-5 (or calendar) increment that
// lets the labels fit, the label values with their texts and tick
// positions, and how wide the labels are.
#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>

#include "chart/AxisPanel.h"
#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "chart/ChartStrings.h"
#include "platform/Numbers.h"

namespace drivesim {

namespace {

// Increments and label counts beyond this many per range draw no labels.
constexpr double kMaxLabelsPerRange = 10000.0;
constexpr double kOneSecond = 1.0 / 86400.0;

// Steps of a date-time axis, in days, from one second to a year.
constexpr double kDateTimeSteps[] = {
    1.0 / 86400, 5.0 / 86400, 10.0 / 86400, 15.0 / 86400, 30.0 / 86400, 1.0 / 1440, 5.0 / 1440,
    10.0 / 1440, 15.0 / 1440, 30.0 / 1440,  1.0 / 24,     2.0 / 24,     6.0 / 24,   12.0 / 24,
    1.0,         2.0,         3.0,          7.0,          15.0,         30.0,       60.0,
    90.0,        120.0,       180.0,        365.0};

// Writes a date-time (days since 30 December 1899, fraction = time of day)
// with a picture of yyyy, yy, mm, m, dd, d, hh, h, nn, n, ss, s and zzz;
// "mm" and "m" right after an hour are minutes. Text in quotes is copied.
std::string FormatDateTime(const std::string& format, double value) {
  const double wholeDays = std::floor(value);
  const auto msOfDay = static_cast<std::int64_t>(std::llround((value - wholeDays) * 86400000.0));
  auto days = static_cast<std::int64_t>(wholeDays) + msOfDay / 86400000 - 25569;  // to 1970-01-01
  const std::int64_t ms = msOfDay % 86400000;
  // Civil date from a day count (proleptic Gregorian calendar).
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  const std::int64_t hour = ms / 3600000;
  const std::int64_t minute = ms / 60000 % 60;
  const std::int64_t second = ms / 1000 % 60;
  const std::int64_t milli = ms % 1000;

  const auto number = [](std::int64_t n, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*lld", width, static_cast<long long>(n));
    return std::string(buffer);
  };
  std::string out;
  bool afterHour = false;
  std::size_t i = 0;
  while (i < format.size()) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i])));
    std::size_t run = 1;
    while (i + run < format.size() &&
           std::tolower(static_cast<unsigned char>(format[i + run])) == c) {
      ++run;
    }
    if (c == '"' || c == '\'') {
      const std::size_t close = format.find(format[i], i + 1);
      const std::size_t end = close == std::string::npos ? format.size() : close;
      out += format.substr(i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    switch (c) {
      case 'y': out += run >= 4 ? number(year, 4) : number(year % 100, 2); break;
      case 'm':
        out += afterHour ? number(minute, run >= 2 ? 2 : 1) : number(month, run >= 2 ? 2 : 1);
        afterHour = false;
        break;
      case 'd': out += number(day, run >= 2 ? 2 : 1); break;
      case 'h':
        out += number(hour, run >= 2 ? 2 : 1);
        afterHour = true;
        break;
      case 'n': out += number(minute, run >= 2 ? 2 : 1); break;
      case 's': out += number(second, run >= 2 ? 2 : 1); break;
      case 'z': out += number(milli, run >= 3 ? 3 : 1); break;
      default: out.append(run, format[i]); break;
    }
    i += run;
  }
  return out;
}

}  // namespace

// ---------------------------------------------------------------------------
// Increment

bool TCustomChartAxis::LabelsAlongAxis(int angle) const {
  return fIsHorizontal ? (angle == 0 || angle == 180) : (angle == 90 || angle == 270);
}

int TCustomChartAxis::LabelWidth(double value) {
  int lines = 0;
  const int width = fChart.MultiLineExtent(LabelText(value), lines);
  if (fLabelsAngle == 90 || fLabelsAngle == 270) {
    return fChart.ChartCanvas().FontLineHeight() * lines;
  }
  return width;
}

int TCustomChartAxis::LabelHeight(double value) {
  int lines = 0;
  const int width = fChart.MultiLineExtent(LabelText(value), lines);
  if (fLabelsAngle == 0 || fLabelsAngle == 180) {
    return fChart.ChartCanvas().FontLineHeight() * lines;
  }
  return width;
}

double TCustomChartAxis::ComputeIncrement() {
  const int size = fIsHorizontal ? std::max(LabelWidth(fRangeMaximum), LabelWidth(fRangeMinimum))
                                 : std::max(LabelHeight(fRangeMaximum), LabelHeight(fRangeMinimum));
  return IncrementForSize(size);
}

double TCustomChartAxis::IncrementForSize(int size) {
  int maxLabels = 1;
  if (size > 0) {
    if (fLabelsSeparation > 0) size += static_cast<int>(Round(fLabelsSeparation * 0.01 * size));
    maxLabels = static_cast<int>(Round(static_cast<double>(fAxisLength) / size));
  }
  return IncrementForCount(maxLabels);
}

double TCustomChartAxis::IncrementForCount(int maxLabels) const {
  if (fLogScale) return LogIncrementForCount(maxLabels);
  const IncrementAnswer question{true,
                                 maxLabels,
                                 fIsDateTime,
                                 fLabelsSeparation > 0,
                                 std::bit_cast<std::uint64_t>(fRangeWidth),
                                 std::bit_cast<std::uint64_t>(fIncrement),
                                 0.0};
  for (const IncrementAnswer& known : fIncrementAnswers) {
    if (known.Known && known.MaxLabels == question.MaxLabels &&
        known.DateTime == question.DateTime && known.Separated == question.Separated &&
        known.RangeWidthBits == question.RangeWidthBits &&
        known.IncrementBits == question.IncrementBits) {
      return known.Increment;
    }
  }
  IncrementAnswer& answer = fIncrementAnswers[fNextIncrementAnswer];
  fNextIncrementAnswer = (fNextIncrementAnswer + 1) % fIncrementAnswers.size();
  answer = question;
  answer.Increment = WorkOutIncrement(maxLabels);
  return answer.Increment;
}

double TCustomChartAxis::WorkOutIncrement(int maxLabels) const {
  if (maxLabels < 1) return fIsDateTime ? kOneSecond : kMinimumIncrement;
  if (fIsDateTime) {
    // The smallest calendar step (not below Increment) that lets the labels
    // fit; beyond a year, whole years grown by 1-2-5.
    for (const double step : kDateTimeSteps) {
      if (step < fIncrement) continue;
      if (std::fabs(fRangeWidth / step) <= maxLabels) return step;
    }
    double years = 1.0;
    while (std::isfinite(years) && std::fabs(fRangeWidth / (365.0 * years)) > maxLabels) {
      years = NextNiceStep(years);
    }
    return 365.0 * years;
  }
  double step =
      fIncrement > 0 ? fIncrement : (std::fabs(fRangeWidth) >= 1 ? 1.0 : kMinimumIncrement);
  if (fLabelsSeparation > 0 && std::isfinite(fRangeWidth)) {
    std::int64_t count = static_cast<std::int64_t>(maxLabels) + 1;
    do {
      const double q = fRangeWidth / step;
      if (std::fabs(q) < 2147483647.0) {
        count = Round(q);
        if (count > maxLabels) step = NextNiceStep(step);
      } else {
        step = NextNiceStep(step);
      }
    } while (count > maxLabels && std::isfinite(step));
  }
  return std::max(step, kMinimumIncrement);
}

// The products are formed in extended precision and each result is stored
// as a double, so that the steps come out as the same doubles on every run.
double TCustomChartAxis::NextNiceStep(double x) {
  if (!std::isfinite(x) || x <= 0) return x;
  if (x >= 10) {
    const auto down = static_cast<double>(static_cast<long double>(x) * 0.1L);
    return static_cast<double>(static_cast<long double>(NextNiceStep(down)) * 10.0L);
  }
  if (x < 1) {
    const auto up = static_cast<double>(static_cast<long double>(x) * 10.0L);
    return static_cast<double>(static_cast<long double>(NextNiceStep(up)) * 0.1L);
  }
  if (x < 2) return 2;
  if (x < 5) return 5;
  return 10;
}

// ---------------------------------------------------------------------------
// A logarithmic scale's increment, labels and minor ticks

namespace {
// Exponents beyond this are left unlabelled: no double reaches them.
constexpr double kLargestExponent = 1100.0;
}  // namespace

void TCustomChartAxis::PowerExponents(int& first, int& last) const {
  const double low = std::max(fLogMinimum, -kLargestExponent);
  const double high = std::min(fLogMinimum + fLogWidth, kLargestExponent);
  first = static_cast<int>(std::ceil(low - kExponentTolerance));
  last = static_cast<int>(std::floor(high + kExponentTolerance));
}

double TCustomChartAxis::LogIncrementForCount(int maxLabels) const {
  int first = 0;
  int last = 0;
  PowerExponents(first, last);
  // Multiples of step between first and last, counted without a loop.
  const auto count = [&](double step) {
    return std::floor(last / step) - std::ceil(first / step) + 1;
  };
  double step = std::max(1.0, std::ceil(fIncrement));
  while (fLabelsSeparation > 0 && count(step) > std::max(maxLabels, 1) && step < kLargestExponent) {
    step = NextNiceStep(step);
  }
  return step;
}

void TCustomChartAxis::ForEachLogLabel(double step,
                                       const std::function<void(double value)>& visit) const {
  if (!fLogScale || !(step >= 1)) return;
  int first = 0;
  int last = 0;
  PowerExponents(first, last);
  const double top = fRangeMaximum * (1 + kExponentTolerance);
  const double bottom = fRangeMinimum * (1 - kExponentTolerance);
  if (last - first < 1 && step == 1) {
    // Inside one decade: the powers and their multiples 2 .. base-1.
    const int low = static_cast<int>(std::floor(fLogMinimum + kExponentTolerance));
    for (int e = static_cast<int>(std::ceil(fLogMinimum + fLogWidth)); e >= low; --e) {
      const double power = PowerOf(e);
      for (int m = fLogarithmicBase - 1; m >= 1; --m) {
        const double v = m * power;
        if (v <= top && v >= bottom) visit(v);
      }
    }
    return;
  }
  const auto whole = static_cast<long long>(step);
  for (int e = last; e >= first; --e) {
    if (e % whole == 0) visit(PowerOf(e));
  }
}

void TCustomChartAxis::ForEachLogMinorTick(const std::function<void(double value)>& visit) const {
  if (!fLogScale || fLogWidth <= 0) return;
  const int low = static_cast<int>(std::floor(std::max(fLogMinimum, -kLargestExponent)));
  const int high =
      static_cast<int>(std::floor(std::min(fLogMinimum + fLogWidth, kLargestExponent)));
  for (int e = low; e <= high; ++e) {
    const double power = PowerOf(e);
    for (int m = 2; m < fLogarithmicBase; ++m) {
      const double v = m * power;
      if (v > fRangeMinimum && v < fRangeMaximum) visit(v);
    }
  }
}

void TCustomChartAxis::GenerateLogLabels(double step, const TAxisLabelSink& drawLabel) {
  ForEachLogLabel(step, [&](double value) { PlaceLabel(value, drawLabel); });
}

// ---------------------------------------------------------------------------
// Labels

TAxisLabelStyle TCustomChartAxis::EffectiveLabelStyle() const {
  if (fLabelStyle != talAuto) return fLabelStyle;
  if (fIsDepth) {
    for (const TChartSeries* s : fChart.SeriesList()) {
      if (s->Active() && s->MinZ() != s->MaxZ()) return talValue;
    }
    return talText;
  }
  TAxisLabelStyle result = talNone;
  for (const TChartSeries* s : fChart.SeriesList()) {
    if (!s->Active() || !s->UsesAxis(*this)) continue;
    const bool alongIndependent = fIsHorizontal == s->YIsDependent();
    if (alongIndependent && !s->PointLabel(0).empty()) return talText;
    result = talValue;
  }
  return result;
}

std::string TCustomChartAxis::MultiLineText(std::string text) const {
  if (fLabelsMultiLine) std::replace(text.begin(), text.end(), ' ', '\r');
  return text;
}

std::string TCustomChartAxis::LabelText(double value) const {
  std::string text;
  if (fIsDateTime) {
    if (value >= 0) {
      const std::string& format = !fDateTimeFormat.empty()
                                      ? fDateTimeFormat
                                      : (std::fabs(fRangeWidth) < 1 ? "hh:nn:ss" : "dd/mm/yyyy");
      text = FormatDateTime(format, value);
    }
  } else {
    text = FormatFloat(fAxisValuesFormat, value);
  }
  if (fChart.OnGetAxisLabel) {
    fChart.OnGetAxisLabel(const_cast<TCustomChartAxis&>(*this), nullptr, -1, text);
  }
  return MultiLineText(std::move(text));
}

std::string TCustomChartAxis::MarkText(const TChartSeries& series, int index) const {
  std::string text = FormatFloat(series.ValueFormat(), series.YValueAt(index));
  if (series.OnGetMarkText) {
    series.OnGetMarkText(const_cast<TChartSeries&>(series), index, text);
  }
  return text;
}

void TCustomChartAxis::PlaceTick(int position, bool withText, const std::string& text,
                                 const TAxisLabelSink& drawLabel) {
  if (!fLabelsOnAxis && !(position > fStartPixel && position < fEndPixel)) return;
  if (!fTickOnLabelsOnly) fTickList.Add(position);
  if (fLabels && withText) {
    if (fTickOnLabelsOnly) fTickList.Add(position);
    if (drawLabel) drawLabel(position, text);
  }
}

void TCustomChartAxis::PlaceLabel(double value, const TAxisLabelSink& drawLabel) {
  const int position = ValueToPixel(value);
  if (!fLabelsOnAxis && !(position > fStartPixel && position < fEndPixel)) return;
  // The text is only made for a label that is shown.
  PlaceTick(position, fLabels, fLabels ? LabelText(value) : std::string(), drawLabel);
}

void TCustomChartAxis::GenerateValueLabels(double increment, const TAxisLabelSink& drawLabel) {
  if (!(increment > 0) || !std::isfinite(increment)) return;
  if (fLogScale) {
    GenerateLogLabels(increment, drawLabel);
    return;
  }
  if (!(std::fabs(fRangeWidth / increment) < kMaxLabelsPerRange)) return;
  double v = fRangeMaximum;
  if (fRangeMinimum != fRangeMaximum && fRoundFirstLabel) {
    v = std::trunc(fRangeMaximum / increment) * increment;
  }
  // Subtracting an increment too small to change a value makes no progress;
  // both walks stop there instead of looping.
  while (v > fRangeMaximum) {
    const double next = v - increment;
    if (!(next < v)) return;
    v = next;
  }
  const double limit = (fRangeMinimum - 1e-12) / 1.000000000001;
  while (v >= limit) {
    PlaceLabel(v, drawLabel);
    const double next = v - increment;
    if (!(next < v)) break;
    v = next;
  }
}

void TCustomChartAxis::GenerateHandlerLabels(double increment, const TAxisLabelSink& drawLabel) {
  double value = fRangeMinimum;
  for (int index = 0; index < TAxisTickList::kCapacity; ++index) {
    bool stop = false;
    fChart.OnGetNextAxisLabel(*this, index, value, stop);
    if (stop) {
      if (index == 0) GenerateValueLabels(increment, drawLabel);
      return;
    }
    if (value < fRangeMinimum - 1e-7 || value > fRangeMaximum + 1e-7) return;
    PlaceLabel(value, drawLabel);
  }
}

void TCustomChartAxis::GeneratePointLabels(TAxisLabelStyle style, const TAxisLabelSink& drawLabel) {
  if (fIsDepth) {
    // One label per series, at its place along the depth.
    for (int i = 0; i < fChart.SeriesCount(); ++i) {
      const TChartSeries& s = fChart.Series(i);
      if (s.Active()) PlaceTick(ValueToPixel(i), true, s.Title(), drawLabel);
    }
    return;
  }
  for (const TChartSeries* s : fChart.SeriesList()) {
    if (!s->Active() || !s->UsesAxis(*this)) continue;
    const bool alongX = fIsHorizontal;
    for (int i = 0; i < s->PointCount(); ++i) {
      const double v = alongX ? s->XValueAt(i) : s->YValueAt(i);
      if (v < fRangeMinimum || v > fRangeMaximum) continue;
      const std::string text =
          style == talText ? MultiLineText(s->PointLabel(i)) : MultiLineText(MarkText(*s, i));
      PlaceTick(ValueToPixel(v), true, text, drawLabel);
    }
    return;
  }
}

void TCustomChartAxis::GenerateLabels(double increment, const TAxisLabelSink& drawLabel) {
  fTickList.Clear();
  if (!(increment > 0) || !(fRangeMaximum >= fRangeMinimum)) return;
  switch (EffectiveLabelStyle()) {
    case talValue:
      if (fChart.OnGetNextAxisLabel) {
        GenerateHandlerLabels(increment, drawLabel);
      } else {
        GenerateValueLabels(increment, drawLabel);
      }
      break;
    case talMark:
    case talText: GeneratePointLabels(EffectiveLabelStyle(), drawLabel); break;
    case talAuto:
    case talNone: break;
  }
}

// ---------------------------------------------------------------------------
// Label extents

int TCustomChartAxis::WidestValueLabel() {
  // The program's label handler is not asked while the room is measured; it
  // is put back however the measuring ends.
  struct HandlerOff {
    explicit HandlerOff(TAxisOnGetLabel& slot) : Slot(slot), Saved(std::move(slot)) {
      Slot = nullptr;
    }
    ~HandlerOff() { Slot = std::move(Saved); }
    TAxisOnGetLabel& Slot;
    TAxisOnGetLabel Saved;
  } handlerOff(fChart.OnGetAxisLabel);

  const double increment = ComputeIncrement();
  double lo = fRangeMinimum;
  double hi = fRangeMaximum;
  if (fLogScale) {
    // The highest and the lowest power: the room is measured before the
    // axis' length, which decides how many powers are labelled, is known.
    bool any = false;
    ForEachLogLabel(1, [&](double value) {
      if (!any) hi = value;
      lo = value;
      any = true;
    });
  } else if (fRoundFirstLabel || (fIsDateTime && fExactDateTime)) {
    const double roundedLo = std::trunc(fRangeMinimum / increment) * increment;
    const double roundedHi = std::trunc(fRangeMaximum / increment) * increment;
    if (std::isfinite(roundedLo)) lo = roundedLo;
    if (std::isfinite(roundedHi)) hi = roundedHi;
  }
  int lines = 0;
  const int widest = std::max(fChart.MultiLineExtent(LabelText(hi), lines),
                              fChart.MultiLineExtent(LabelText(lo), lines));
  return widest + fChart.ChartCanvas().MeasureTextWidth(" ");
}

int TCustomChartAxis::LabelsExtent() {
  switch (EffectiveLabelStyle()) {
    case talValue: return WidestValueLabel();
    case talText: return fChart.WidestXLabel();
    case talMark: {
      int widest = 0;
      for (const TChartSeries* s : fChart.SeriesList()) {
        if (!s->Active()) continue;
        for (int i = 0; i < s->PointCount(); ++i) {
          int lines = 0;
          widest = std::max(widest, fChart.MultiLineExtent(MarkText(*s, i), lines));
        }
      }
      return widest;
    }
    case talAuto:
    case talNone: break;
  }
  return 0;
}

}  // namespace drivesim

// An axis' properties, its range and the mapping between values and pixels,
// and its room beside the chart rectangle. Increments and labels are in
// ChartAxisLabels.cpp, drawing in ChartAxisDraw.cpp.
#include "chart/ChartAxis.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/AxisPanel.h"
#include "chart/ChartSeries.h"
#include "chart/ChartStrings.h"
#include "platform/Numbers.h"

namespace drivesim {

// ---------------------------------------------------------------------------
// TChartAxisTitle

TChartAxisTitle::TChartAxisTitle(TCustomChartAxis& axis)
    : TChartFontObject(&axis.ParentChart()), fAxis(axis) {}

void TChartAxisTitle::SetAngle(int value) {
  if (fAngle == value) return;
  ValidateAngle(value, ChartStrings::AxisTitleAngleName);
  fAngle = value;
  Repaint();
}

void TChartAxisTitle::SetCaption(const std::string& value) {
  if (fCaption == value) return;
  fCaption = value;
  Repaint();
}

void TChartAxisTitle::Assign(const TChartAxisTitle& source) {
  if (&source == this) return;
  SetAngle(source.fAngle);
  SetCaption(source.fCaption);
  TChartFontObject::Assign(source);
}

// ---------------------------------------------------------------------------
// TCustomChartAxis: creation and properties

TCustomChartAxis::TCustomChartAxis(TCustomAxisPanel& chart, bool horizontal, bool otherSide,
                                   bool depth)
    : fChart(chart),
      fAxisValuesFormat(ChartStrings::DefaultValueFormat),
      fLabelsFont(MakeDefaultFont([this] { Repaint(); })),
      fIsHorizontal(horizontal),
      fIsOtherSide(otherSide),
      fIsDepth(depth) {
  for (TChartPen* pen :
       {static_cast<TChartPen*>(&fAxisPen), static_cast<TChartPen*>(&fGrid),
        static_cast<TChartPen*>(&fMinorGrid), static_cast<TChartPen*>(&fMinorTicks),
        static_cast<TChartPen*>(&fTicks), static_cast<TChartPen*>(&fTicksInner)}) {
    pen->OnChange = [this] { Repaint(); };
  }
  fTitle = std::make_unique<TChartAxisTitle>(*this);
}

TCustomChartAxis::~TCustomChartAxis() = default;

TChartDepthAxis::TChartDepthAxis(TCustomAxisPanel& chart)
    : TCustomChartAxis(chart, false, true, true) {
  SetVisible(false);
}

void TCustomChartAxis::Repaint() const { fChart.RequestRepaint(); }

namespace {
// Stores a changed value and reports whether it changed.
template <typename T>
bool Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}
}  // namespace

void TCustomChartAxis::Assign(const TCustomChartAxis& source) {
  if (&source == this) return;
  bool changed = false;
  changed |= Store(fAutomatic, source.fAutomatic);
  changed |= Store(fAutomaticMaximum, source.fAutomaticMaximum);
  changed |= Store(fAutomaticMinimum, source.fAutomaticMinimum);
  changed |= Store(fAxisValuesFormat, source.fAxisValuesFormat);
  changed |= Store(fDateTimeFormat, source.fDateTimeFormat);
  changed |= Store(fExactDateTime, source.fExactDateTime);
  changed |= Store(fGridCentered, source.fGridCentered);
  changed |= Store(fIncrement, source.fIncrement);
  changed |= Store(fInverted, source.fInverted);
  changed |= Store(fLabels, source.fLabels);
  changed |= Store(fLabelsAngle, source.fLabelsAngle);
  changed |= Store(fLabelsMultiLine, source.fLabelsMultiLine);
  changed |= Store(fLabelsOnAxis, source.fLabelsOnAxis);
  changed |= Store(fLabelsSeparation, source.fLabelsSeparation);
  changed |= Store(fLabelsSize, source.fLabelsSize);
  changed |= Store(fLabelStyle, source.fLabelStyle);
  changed |= Store(fLogarithmic, source.fLogarithmic);
  changed |= Store(fLogarithmicBase, source.fLogarithmicBase);
  changed |= Store(fMaximum, source.fMaximum);
  changed |= Store(fMinimum, source.fMinimum);
  changed |= Store(fMinorTickCount, source.fMinorTickCount);
  changed |= Store(fMinorTickLength, source.fMinorTickLength);
  changed |= Store(fStartPosition, source.fStartPosition);
  changed |= Store(fEndPosition, source.fEndPosition);
  changed |= Store(fPositionPercent, source.fPositionPercent);
  changed |= Store(fRoundFirstLabel, source.fRoundFirstLabel);
  changed |= Store(fTickInnerLength, source.fTickInnerLength);
  changed |= Store(fTickLength, source.fTickLength);
  changed |= Store(fTickOnLabelsOnly, source.fTickOnLabelsOnly);
  changed |= Store(fTitleSize, source.fTitleSize);
  changed |= Store(fVisible, source.fVisible);
  // Pens, font and title make their own repaint requests when they change.
  fAxisPen.Assign(source.fAxisPen);
  fGrid.Assign(source.fGrid);
  fMinorGrid.Assign(source.fMinorGrid);
  fMinorTicks.Assign(source.fMinorTicks);
  fTicks.Assign(source.fTicks);
  fTicksInner.Assign(source.fTicksInner);
  fLabelsFont->Assign(*source.fLabelsFont);
  fTitle->Assign(*source.fTitle);
  if (changed) Repaint();
}

void TCustomChartAxis::SetAutomatic(bool value) {
  bool changed = Store(fAutomatic, value);
  if (!fChart.IsLoading()) {
    changed |= Store(fAutomaticMinimum, value);
    changed |= Store(fAutomaticMaximum, value);
  }
  if (changed) Repaint();
}

void TCustomChartAxis::SetAutomaticMaximum(bool value) {
  bool changed = Store(fAutomaticMaximum, value);
  if (!value) {
    changed |= Store(fAutomatic, false);
  } else if (fAutomaticMinimum) {
    changed |= Store(fAutomatic, true);
  }
  if (changed) Repaint();
}

void TCustomChartAxis::SetAutomaticMinimum(bool value) {
  bool changed = Store(fAutomaticMinimum, value);
  if (!value) {
    changed |= Store(fAutomatic, false);
  } else if (fAutomaticMaximum) {
    changed |= Store(fAutomatic, true);
  }
  if (changed) Repaint();
}

#define DRIVESIM_AXIS_SETTER(Name, Type)         \
  void TCustomChartAxis::Set##Name(Type value) { \
    if (Store(f##Name, value)) Repaint();        \
  }

DRIVESIM_AXIS_SETTER(AxisValuesFormat, const std::string&)
DRIVESIM_AXIS_SETTER(DateTimeFormat, const std::string&)
DRIVESIM_AXIS_SETTER(ExactDateTime, bool)
DRIVESIM_AXIS_SETTER(GridCentered, bool)
DRIVESIM_AXIS_SETTER(Inverted, bool)
DRIVESIM_AXIS_SETTER(Labels, bool)
DRIVESIM_AXIS_SETTER(LabelsMultiLine, bool)
DRIVESIM_AXIS_SETTER(LabelsOnAxis, bool)
DRIVESIM_AXIS_SETTER(LabelsSize, int)
DRIVESIM_AXIS_SETTER(LabelStyle, TAxisLabelStyle)
DRIVESIM_AXIS_SETTER(MinorTickCount, int)
DRIVESIM_AXIS_SETTER(MinorTickLength, int)
DRIVESIM_AXIS_SETTER(RoundFirstLabel, bool)
DRIVESIM_AXIS_SETTER(TickInnerLength, int)
DRIVESIM_AXIS_SETTER(TickLength, int)
DRIVESIM_AXIS_SETTER(TickOnLabelsOnly, bool)
DRIVESIM_AXIS_SETTER(TitleSize, int)
DRIVESIM_AXIS_SETTER(Visible, bool)
DRIVESIM_AXIS_SETTER(StartPosition, double)
DRIVESIM_AXIS_SETTER(EndPosition, double)
DRIVESIM_AXIS_SETTER(PositionPercent, double)

#undef DRIVESIM_AXIS_SETTER

void TCustomChartAxis::SetIncrement(double value) {
  if (!(value >= 0)) throw AxisException(ChartStrings::AxisIncrementNeg);
  if (Store(fIncrement, value)) Repaint();
}

void TCustomChartAxis::SetLabelsAngle(int value) {
  if (fLabelsAngle == value) return;
  ValidateAngle(value, ChartStrings::AxisLabelsAngleName);
  fLabelsAngle = value;
  Repaint();
}

void TCustomChartAxis::SetLabelsSeparation(int value) {
  if (value < 0) throw AxisException(ChartStrings::AxisLabelSep);
  if (Store(fLabelsSeparation, value)) Repaint();
}

void TCustomChartAxis::SetLogarithmic(bool value) {
  if (fLogarithmic == value) return;
  if (value) {
    if (IsDateTimeAxis()) throw AxisException(ChartStrings::AxisLogDateTime);
    AdjustRange();
    if (fRangeMinimum < 0 || fRangeMaximum < 0) {
      throw AxisException(ChartStrings::AxisLogNotPositive);
    }
  }
  fLogarithmic = value;
  Repaint();
}

void TCustomChartAxis::SetLogarithmicBase(int value) {
  if (value < 2) throw AxisException(ChartStrings::AxisLogBase);
  if (Store(fLogarithmicBase, value)) Repaint();
}

void TCustomChartAxis::SetMaximum(double value) {
  if (fMaximum == value) return;
  if (!fChart.IsLoading() && value < fMinimum) throw AxisException(ChartStrings::AxisMaxMin);
  fMaximum = value;
  Repaint();
}

void TCustomChartAxis::SetMinimum(double value) {
  if (fMinimum == value) return;
  if (!fChart.IsLoading() && value > fMaximum) throw AxisException(ChartStrings::AxisMinMax);
  fMinimum = value;
  Repaint();
}

// ---------------------------------------------------------------------------
// Range and mapping

void TCustomChartAxis::AdjustRange() {
  UpdateDateTimeFlag();
  if (fAutomatic || fAutomaticMaximum) {
    fMaximum = fIsHorizontal ? fChart.AxisMaxX(*this) : fChart.AxisMaxY(*this);
  }
  if (fAutomatic || fAutomaticMinimum) {
    fMinimum = fIsHorizontal ? fChart.AxisMinX(*this) : fChart.AxisMinY(*this);
  }
  if (fLogarithmic) WidenToPowers();
  SetPaintRange(fMinimum, fMaximum);
}

double TCustomChartAxis::LogOf(double value) const {
  if (fLogarithmicBase == 10) return std::log10(value);
  if (fLogarithmicBase == 2) return std::log2(value);
  return std::log(value) / std::log(static_cast<double>(fLogarithmicBase));
}

double TCustomChartAxis::PowerOf(double exponent) const {
  return std::pow(static_cast<double>(fLogarithmicBase), exponent);
}

void TCustomChartAxis::WidenToPowers() {
  const double base = fLogarithmicBase;
  const bool automaticMax = fAutomatic || fAutomaticMaximum;
  const bool automaticMin = fAutomatic || fAutomaticMinimum;
  if (automaticMax && fMaximum > 0) {
    fMaximum = PowerOf(std::ceil(LogOf(fMaximum) - kExponentTolerance));
  }
  if (automaticMin && fMinimum > 0) {
    fMinimum = PowerOf(std::floor(LogOf(fMinimum) + kExponentTolerance));
  } else if (automaticMin && fMaximum > 0) {
    // Data at 0 or below has no logarithm: one power below the top.
    fMinimum = fMaximum / base;
  }
  // Data at a single power still shows one whole power of the base.
  if (fMinimum == fMaximum && fMaximum > 0) {
    if (automaticMax) {
      fMaximum *= base;
    } else if (automaticMin) {
      fMinimum /= base;
    }
  }
}

void TCustomChartAxis::SetPaintRange(double minimum, double maximum) {
  fLogScale = fLogarithmic && !fIsDepth && maximum > 0;
  if (fLogScale && !(minimum > 0)) minimum = maximum / fLogarithmicBase;
  fRangeMinimum = minimum;
  fRangeMaximum = maximum;
  fRangeWidth = fRangeMaximum - fRangeMinimum;
  if (fLogScale) {
    fLogMinimum = LogOf(fRangeMinimum);
    fLogWidth = LogOf(fRangeMaximum) - fLogMinimum;
  }
}

int TCustomChartAxis::LogValueToPixel(double value) const {
  if (fLogWidth == 0 || !(value > 0)) return fCenterPixel;
  return PixelAtOffset((LogOf(value) - fLogMinimum) * fAxisLength / fLogWidth);
}

void TCustomChartAxis::ComputePixelRange() {
  const TRect& plot = fChart.PlotRect();
  if (fIsHorizontal) {
    const double width = fChart.PlotWidth();
    fStartPixel = plot.Left + static_cast<int>(Round(width * 0.01 * fStartPosition));
    fEndPixel = plot.Left + static_cast<int>(Round(width * 0.01 * fEndPosition));
  } else {
    const double height = fChart.PlotHeight();
    fStartPixel = plot.Top + static_cast<int>(Round(height * 0.01 * fStartPosition));
    fEndPixel = plot.Top + static_cast<int>(Round(height * 0.01 * fEndPosition));
  }
  fAxisLength = fEndPixel - fStartPixel;
  fCenterPixel = (fStartPixel + fEndPixel) / 2;
}

double TCustomChartAxis::PixelToValue(int pixel) const {
  if (fAxisLength < 1) return 0.0;
  if (fLogScale) {
    const double e = static_cast<double>(fInverted ? fEndPixel - pixel : pixel - fStartPixel) *
                     fLogWidth / fAxisLength;
    return PowerOf(fIsHorizontal ? fLogMinimum + e : fLogMinimum + fLogWidth - e);
  }
  const double d = static_cast<double>(fInverted ? fEndPixel - pixel : pixel - fStartPixel) *
                   fRangeWidth / fAxisLength;
  return fIsHorizontal ? fRangeMinimum + d : fRangeMaximum - d;
}

void TCustomChartAxis::ShrinkForMargins(int low, int high) {
  // Without margins the range stays exactly as it is.
  if (low == 0 && high == 0) return;
  const int oldStart = fStartPixel;
  const int oldEnd = fEndPixel;
  fStartPixel += low;
  fEndPixel -= high;
  fAxisLength = fEndPixel - fStartPixel;
  double lowValue = PixelToValue(oldStart);
  double highValue = PixelToValue(oldEnd);
  ComputePixelRange();
  if (lowValue > highValue) std::swap(lowValue, highValue);
  SetPaintRange(lowValue, highValue);
}

void TCustomChartAxis::SetRange(double min, double max) {
  bool changed = Store(fAutomatic, false);
  changed |= Store(fAutomaticMinimum, false);
  changed |= Store(fAutomaticMaximum, false);
  if (min > max) std::swap(min, max);
  changed |= Store(fMinimum, min);
  changed |= Store(fMaximum, max);
  if (fMaximum - fMinimum < 1e-10) {
    fMaximum = fMinimum + 1e-10;
    changed = true;
  }
  if (changed) Repaint();
}

void TCustomChartAxis::ScrollBy(double offset, bool checkLimits) {
  if (checkLimits) {
    if (offset == 0) return;
    if (offset > 0) {
      const double dataMax = fIsHorizontal ? fChart.AxisMaxX(*this) : fChart.AxisMaxY(*this);
      if (!(dataMax > fMaximum)) return;
    } else {
      const double dataMin = fIsHorizontal ? fChart.AxisMinX(*this) : fChart.AxisMinY(*this);
      if (!(dataMin < fMinimum)) return;
    }
  }
  fAutomatic = fAutomaticMaximum = fAutomaticMinimum = false;
  fMaximum += offset;
  fMinimum += offset;
  fChart.RepaintNow();
}

void TCustomChartAxis::ScrollByFactor(double factor) {
  fAutomatic = fAutomaticMaximum = fAutomaticMinimum = false;
  fMaximum *= factor;
  fMinimum *= factor;
  fChart.RepaintNow();
}

void TCustomChartAxis::PannedRange(int from, int to, double& newMin, double& newMax) const {
  if (MovesByFactors() && fLogScale) {
    const double factor = PixelToValue(from) / PixelToValue(to);
    newMin = fMinimum * factor;
    newMax = fMaximum * factor;
    return;
  }
  const double shift = PixelToValue(from) - PixelToValue(to);
  newMin = fMinimum + shift;
  newMax = fMaximum + shift;
}

bool TCustomChartAxis::AxisHit(int x, int y) const {
  if (!fChart.IsAxisShown(*this)) return false;
  int acrossLow;
  int acrossHigh;
  // The band reaches 3 pixels beyond the axis line, into the chart.
  const int beyond = fChart.DevicePixels(3);
  if (fLabelsPos < fAxisLinePos) {
    acrossLow = fLabelsPos;
    acrossHigh = fAxisLinePos + beyond;
  } else {
    acrossLow = fAxisLinePos - beyond;
    acrossHigh = fLabelsPos;
  }
  const int alongLow = std::min(fStartPixel, fEndPixel);
  const int alongHigh = std::max(fStartPixel, fEndPixel);
  const TRect band = fIsHorizontal ? TRect{alongLow, acrossLow, alongHigh, acrossHigh}
                                   : TRect{acrossLow, alongLow, acrossHigh, alongHigh};
  return x >= band.Left && x < band.Right && y >= band.Top && y < band.Bottom;
}

// ---------------------------------------------------------------------------
// Room beside the chart rectangle

int TCustomChartAxis::TickAreaSize() const {
  // In the chart's device pixels: the axis line as wide as the canvas draws
  // it, the ticks as long as they are drawn.
  const TChartCanvas3D& canvas = fChart.ChartCanvas();
  int size = (fAxisPen.Visible() ? canvas.ScaledWidth(fAxisPen.Width()) : 0) +
             (fTicks.Visible() ? fChart.DevicePixels(fTickLength) : 0);
  if (fMinorTicks.Visible()) size = std::max(size, fChart.DevicePixels(fMinorTickLength));
  return size;
}

int& TCustomChartAxis::Edge(TRect& r) const {
  if (fIsHorizontal) return fIsOtherSide ? r.Top : r.Bottom;
  return fIsOtherSide ? r.Right : r.Left;
}

// +1 when moving inward increases the coordinate (top and left sides).
int TCustomChartAxis::Inward() const {
  if (fIsHorizontal) return fIsOtherSide ? 1 : -1;
  return fIsOtherSide ? -1 : 1;
}

int TCustomChartAxis::ShiftByPosition(int position, const TRect& r) const {
  if (fPositionPercent == 0) return position;
  int d =
      static_cast<int>(Round(fPositionPercent * 0.01 * (fIsHorizontal ? r.Height() : r.Width())));
  if (fIsOtherSide) d = -d;
  return fIsHorizontal ? position - d : position + d;
}

void TCustomChartAxis::ComputeAxisLinePosition() {
  TRect plot = fChart.PlotRect();
  fAxisLinePos = ShiftByPosition(Edge(plot), plot);
}

void TCustomChartAxis::ReserveSpace(TRect& r, bool shrink) {
  UpdateDateTimeFlag();
  const int tickArea = TickAreaSize();
  int labelsSize = fChart.DevicePixels(fLabelsSize);
  if (labelsSize == 0) {
    fChart.ApplyFont(*fLabelsFont);
    labelsSize =
        LabelsAlongAxis(fLabelsAngle) ? fChart.ChartCanvas().FontLineHeight() : LabelsExtent();
  }
  int& edge = Edge(r);
  const int inward = Inward();
  if (shrink) {
    if (!fTitle->Caption().empty()) {
      int titleSize = fChart.DevicePixels(fTitleSize);
      if (titleSize == 0) {
        fChart.ApplyFont(fTitle->Font());
        titleSize = LabelsAlongAxis(fTitle->Angle())
                        ? fChart.ChartCanvas().FontLineHeight()
                        : fChart.ChartCanvas().MeasureTextWidth(fTitle->Caption());
      }
      edge += inward * titleSize;
      fTitlePos = fIsDepth ? r.Right : edge;
    }
    if (fLabels) {
      edge += inward * labelsSize;
      fLabelsPos = edge;
    }
    const int lineArea = tickArea + fChart.WallThickness(*this);
    if (lineArea > 0) edge += inward * lineArea;
    // Only the positions set just now are shifted, so that a position left
    // from an earlier layout does not move further at every paint.
    if (!fTitle->Caption().empty()) fTitlePos = ShiftByPosition(fTitlePos, r);
    if (fLabels) fLabelsPos = ShiftByPosition(fLabelsPos, r);
  } else {
    fAxisLinePos = ShiftByPosition(edge, r);
    fLabelsPos = fAxisLinePos - inward * tickArea;
    fTitlePos = fLabelsPos - inward * labelsSize;
  }
}

bool TCustomChartAxis::IsDateTimeAxis() const {
  if (fIsDepth) return false;
  for (const TChartSeries* s : fChart.SeriesList()) {
    if (s->Active() && s->UsesAxis(*this)) {
      return fIsHorizontal ? s->XValues().DateTime() : s->YValues().DateTime();
    }
  }
  return false;
}

}  // namespace drivesim

#pragma once
// The chart's axes. An axis turns data values into pixels along one side of
// the chart rectangle: it takes its range from the series or by hand, picks
// a 1-2-5 label increment that lets the labels fit, produces the label values
// with their texts and tick positions, and says how much room it needs beside
// the chart rectangle. The scale logic is plain arithmetic on the fields
// below; only text measurement goes through the chart canvas.

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chart/ChartCanvas.h"
#include "chart/ChartFontObject.h"
#include "platform/Types.h"

namespace drivesim {

class TCustomAxisPanel;
class TCustomChartAxis;
class TChartSeries;

// The chart engine's error for the axes' rules.
class AxisException : public ChartException {
 public:
  using ChartException::ChartException;
};

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };

// The pixel positions along the axis at which labels were placed in the
// current draw, in the order they were placed (from the top of the range
// downward). Room for 2000: positions beyond that are not recorded.
class TAxisTickList {
 public:
  static constexpr int kCapacity = 2000;
  int Count() const { return fCount; }
  int operator[](int index) const { return fPositions[static_cast<std::size_t>(index)]; }
  void Clear() { fCount = 0; }
  // Returns false, recording nothing, when the list is full.
  bool Add(int position) {
    if (fCount >= kCapacity) return false;
    fPositions[static_cast<std::size_t>(fCount++)] = position;
    return true;
  }

 private:
  std::array<int, kCapacity> fPositions{};
  int fCount = 0;
};

// Receives every label an axis places: its pixel position along the axis and
// its text. The axis drawing code passes one that writes the text.
using TAxisLabelSink = std::function<void(int position, const std::string& text)>;

// The title beside an axis: a caption, its angle and its font.
class TChartAxisTitle : public TChartFontObject {
 public:
  explicit TChartAxisTitle(TCustomChartAxis& axis);

  // Degrees counter-clockwise. Raises ChartException "Axis Title Angle must
  // be between 0 and 359 degrees" outside 0..359 and keeps the old angle.
  int Angle() const { return fAngle; }
  void SetAngle(int value);
  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value);
  TCustomChartAxis& Axis() const { return fAxis; }

  // Copies angle, caption and font; the title stays bound to its own axis.
  void Assign(const TChartAxisTitle& source);

 private:
  TCustomChartAxis& fAxis;
  int fAngle = 0;
  std::string fCaption;
};

class TCustomChartAxis {
 public:
  // The smallest label increment of a value axis.
  static constexpr double kMinimumIncrement = 1e-12;
  // A value whose offset from the range's start is this many pixels or more
  // maps to the centre pixel: no 32-bit pixel holds it.
  static constexpr double kMaxPixelOffset = 2147483647.0;

  // Called by the chart, which registers the axis in its axis list.
  TCustomChartAxis(TCustomAxisPanel& chart, bool horizontal, bool otherSide, bool depth);
  virtual ~TCustomChartAxis();
  TCustomChartAxis(const TCustomChartAxis&) = delete;
  TCustomChartAxis& operator=(const TCustomChartAxis&) = delete;

  // Copies every published property.
  virtual void Assign(const TCustomChartAxis& source);

  // --- Published properties. Every setter stores a changed value and asks
  // the chart for a repaint; the checked ones raise and keep the old value.

  // Automatic sets both automatic ends (except while the chart is loading);
  // switching one end off switches Automatic off, switching it on while the
  // other is on switches Automatic on.
  bool Automatic() const { return fAutomatic; }
  void SetAutomatic(bool value);
  bool AutomaticMaximum() const { return fAutomaticMaximum; }
  void SetAutomaticMaximum(bool value);
  bool AutomaticMinimum() const { return fAutomaticMinimum; }
  void SetAutomaticMinimum(bool value);
  // The axis line's pen.
  TChartPen& Axis() { return fAxisPen; }
  const TChartPen& Axis() const { return fAxisPen; }
  const std::string& AxisValuesFormat() const { return fAxisValuesFormat; }
  void SetAxisValuesFormat(const std::string& value);
  const std::string& DateTimeFormat() const { return fDateTimeFormat; }
  void SetDateTimeFormat(const std::string& value);
  bool ExactDateTime() const { return fExactDateTime; }
  void SetExactDateTime(bool value);
  TChartPen& Grid() { return fGrid; }
  const TChartPen& Grid() const { return fGrid; }
  // 0 = automatic. Raises AxisException "Axis increment must be >= 0".
  double Increment() const { return fIncrement; }
  void SetIncrement(double value);
  bool Inverted() const { return fInverted; }
  void SetInverted(bool value);
  bool Labels() const { return fLabels; }
  void SetLabels(bool value);
  // Degrees. Raises ChartException "Axis Labels Angle must be between 0 and
  // 359 degrees".
  int LabelsAngle() const { return fLabelsAngle; }
  void SetLabelsAngle(int value);
  TFont& LabelsFont() { return *fLabelsFont; }
  const TFont& LabelsFont() const { return *fLabelsFont; }
  bool LabelsMultiLine() const { return fLabelsMultiLine; }
  void SetLabelsMultiLine(bool value);
  // Labels whose position falls on or outside the axis ends are placed too.
  bool LabelsOnAxis() const { return fLabelsOnAxis; }
  void SetLabelsOnAxis(bool value);
  // Percent of a label's size kept free between labels. Raises
  // AxisException "Labels Separation % must be greater than 0" below 0.
  int LabelsSeparation() const { return fLabelsSeparation; }
  void SetLabelsSeparation(int value);
  // Pixels across the axis taken by the labels; 0 = measured.
  int LabelsSize() const { return fLabelsSize; }
  void SetLabelsSize(int value);
  TAxisLabelStyle LabelStyle() const { return fLabelStyle; }
  void SetLabelStyle(TAxisLabelStyle value);
  // Values map by their logarithm to the base LogarithmicBase: labels at the
  // powers of the base, minor ticks at 2 .. base-1 times each power, and
  // automatic ends widened to whole powers (decades). Raises AxisException
  // "DateTime Axis cannot be Logarithmic" on a date-time axis and
  // "Logarithmic Axis Min and Max values should be >= 0" when the range
  // reaches below 0.
  bool Logarithmic() const { return fLogarithmic; }
  void SetLogarithmic(bool value);
  // Raises AxisException "Axis Logarithmic Base should be >= 2".
  int LogarithmicBase() const { return fLogarithmicBase; }
  void SetLogarithmicBase(int value);
  // The range set by hand or taken from the series. Raises AxisException
  // "Axis Maximum Value must be >= Minimum" below Minimum (not while the
  // chart is loading).
  double Maximum() const { return fMaximum; }
  void SetMaximum(double value);
  // Raises AxisException "Axis Minimum Value must be <= Maximum" above
  // Maximum (not while the chart is loading).
  double Minimum() const { return fMinimum; }
  void SetMinimum(double value);
  TChartPen& MinorGrid() { return fMinorGrid; }
  const TChartPen& MinorGrid() const { return fMinorGrid; }
  int MinorTickCount() const { return fMinorTickCount; }
  void SetMinorTickCount(int value);
  int MinorTickLength() const { return fMinorTickLength; }
  void SetMinorTickLength(int value);
  TChartPen& MinorTicks() { return fMinorTicks; }
  const TChartPen& MinorTicks() const { return fMinorTicks; }
  // The first label is the largest multiple of the increment in the range.
  bool RoundFirstLabel() const { return fRoundFirstLabel; }
  void SetRoundFirstLabel(bool value);
  int TickInnerLength() const { return fTickInnerLength; }
  void SetTickInnerLength(int value);
  int TickLength() const { return fTickLength; }
  void SetTickLength(int value);
  bool TickOnLabelsOnly() const { return fTickOnLabelsOnly; }
  void SetTickOnLabelsOnly(bool value);
  TChartPen& Ticks() { return fTicks; }
  const TChartPen& Ticks() const { return fTicks; }
  TChartPen& TicksInner() { return fTicksInner; }
  const TChartPen& TicksInner() const { return fTicksInner; }
  TChartAxisTitle& Title() { return *fTitle; }
  const TChartAxisTitle& Title() const { return *fTitle; }
  // Pixels across the axis taken by the title; 0 = measured.
  int TitleSize() const { return fTitleSize; }
  void SetTitleSize(int value);
  bool Visible() const { return fVisible; }
  void SetVisible(bool value);

  // --- Where the axis lies (built in by the chart).
  bool IsHorizontal() const { return fIsHorizontal; }
  // Top or right side.
  bool IsOtherSide() const { return fIsOtherSide; }
  bool IsDepth() const { return fIsDepth; }
  TCustomAxisPanel& ParentChart() const { return fChart; }
  int DefaultTitleAngle() const { return fDefaultTitleAngle; }
  void SetDefaultTitleAngle(int angle) { fDefaultTitleAngle = angle; }

  // --- The range and pixels of the current paint.
  double RangeMinimum() const { return fRangeMinimum; }
  double RangeMaximum() const { return fRangeMaximum; }
  double RangeWidth() const { return fRangeWidth; }
  int StartPixel() const { return fStartPixel; }
  int EndPixel() const { return fEndPixel; }
  int AxisLength() const { return fAxisLength; }
  int CenterPixel() const { return fCenterPixel; }
  // Positions across the axis: y for a horizontal axis, x for a vertical one.
  int AxisLinePos() const { return fAxisLinePos; }
  int LabelsPos() const { return fLabelsPos; }
  int TitlePos() const { return fTitlePos; }
  const TAxisTickList& TickList() const { return fTickList; }

  // --- Scaling.

  // Takes Maximum and Minimum from the chart's series for the automatic
  // ends (stored directly, unchecked and without a repaint request), then
  // the range of this paint from them. A range of zero width is kept.
  void AdjustRange();
  // StartPixel, EndPixel, AxisLength and CenterPixel from the chart
  // rectangle, StartPosition and EndPosition.
  void ComputePixelRange();
  // Pixel of a value: from StartPixel upwards along a horizontal axis, from
  // EndPixel upwards (so larger values are higher) along a vertical one;
  // Inverted reverses either. A zero range, or a value too far out for
  // 32-bit pixels, maps to CenterPixel.
  // On a logarithmic scale the value's logarithm takes the value's place,
  // and a value of 0 or below, which has none, maps to CenterPixel too.
  int ValueToPixel(double value) const {
    if (fLogScale) return LogValueToPixel(value);
    if (fRangeWidth == 0) return fCenterPixel;
    return PixelAtOffset((value - fRangeMinimum) * fAxisLength / fRangeWidth);
  }
  // The value at a pixel; 0 on an axis shorter than one pixel.
  double PixelToValue(int pixel) const;
  // Whether the range of this paint maps by logarithms: Logarithmic, and a
  // range that reaches above 0. A range that starts at 0 or below then
  // starts one power of the base below its maximum.
  bool IsLogScale() const { return fLogScale; }
  // Whether the stored ends move by factors rather than by differences when
  // zoomed, panned or scrolled: Logarithmic with both ends above 0.
  bool MovesByFactors() const { return fLogarithmic && fMinimum > 0 && fMaximum > 0; }
  // The logarithm of a value to LogarithmicBase, and the base's power.
  double LogOf(double value) const;
  // Exponents within this of a whole number count as whole: a logarithm of
  // an exact power may come out a few units in the last place off.
  static constexpr double kExponentTolerance = 1e-9;
  double PowerOf(double exponent) const;
  // Moves the ends inward by low and high pixels and widens the range so
  // that the old end pixels keep their values.
  void ShrinkForMargins(int low, int high);
  // A fixed range (the three automatic switches off); min and max change
  // places when min > max, and a range narrower than 1e-10 is widened to it.
  void SetRange(double min, double max);
  // Moves the range by offset and repaints at once. With checkLimits, only
  // towards data beyond the current range.
  void ScrollBy(double offset, bool checkLimits);
  // Multiplies both ends by factor (a fixed range) and repaints at once: a
  // logarithmic axis scrolls so.
  void ScrollByFactor(double factor);
  // The ends after a pan that brings the value at pixel `from` to pixel
  // `to`: moved by the difference of the two pixels' values, or on a
  // logarithmic scale multiplied by their ratio, so that as many powers of
  // the base stay in view.
  void PannedRange(int from, int to, double& newMin, double& newMax) const;
  // Whether (x, y) lies in the band of the axis line and its labels.
  bool AxisHit(int x, int y) const;

  // --- Labels.

  // The label increment for the current range and axis length (the labels
  // font must be on the chart canvas).
  double ComputeIncrement();
  // The increment for labels of the given size in pixels.
  double IncrementForSize(int size);
  // The increment that lets at most maxLabels labels into the range.
  double IncrementForCount(int maxLabels) const;
  // The next member of ..., 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, ... above x
  // (3 goes to 5, 5 to 10).
  static double NextNiceStep(double x);
  TAxisLabelStyle EffectiveLabelStyle() const;
  // The text of a value's label, through the chart's OnGetAxisLabel.
  std::string LabelText(double value) const;
  // Empties the tick list and places the labels of the current range by the
  // label style. Each label goes to drawLabel, when given.
  void GenerateLabels(double increment, const TAxisLabelSink& drawLabel = {});
  // Label values from the top of the range down, one increment apart. None
  // when 10000 or more increments fit the range.
  void GenerateValueLabels(double increment, const TAxisLabelSink& drawLabel = {});
  // Records the tick of one label value and hands its text on.
  void PlaceLabel(double value, const TAxisLabelSink& drawLabel = {});

  // --- Labels and ticks of a logarithmic scale. The increment of such an
  // axis counts powers of the base: 1 labels every power, 2 every second
  // one (the even exponents), and so on up the 1-2-5 steps.

  // The powers of the base in the range whose exponent is a multiple of
  // step, from the top of the range down. When fewer than two powers lie in
  // the range (a zoom inside one decade), step 1 also labels 2 .. base-1
  // times each power.
  void ForEachLogLabel(double step, const std::function<void(double value)>& visit) const;
  // The minor tick values: 2 .. base-1 times each power of the base, inside
  // the range, from the bottom of the range up.
  void ForEachLogMinorTick(const std::function<void(double value)>& visit) const;

  // --- Room beside the chart rectangle.

  // With shrink: cuts the title, labels and ticks from the axis' side of r
  // and sets TitlePos and LabelsPos. Without: places the axis line at r's
  // edge and the labels and title outside it.
  void ReserveSpace(TRect& r, bool shrink);
  // AxisLinePos := the axis' edge of the chart rectangle, shifted by
  // PositionPercent.
  void ComputeAxisLinePosition();
  // Pixels across the axis taken by its line and ticks.
  int TickAreaSize() const;
  // The width of the widest of the first and last value labels, plus a space.
  int WidestValueLabel();
  // Pixels across the axis that the labels need by the label style.
  int LabelsExtent();

  // --- Drawing, once the range, the pixel range and the positions of this
  // paint are known.

  // Draws the title, the labels (recording their ticks), the axis line, the
  // ticks, the grid, the inner ticks, the minor ticks and the minor grid.
  // With calculateLinePosition the axis line is first put on the chart
  // rectangle's edge.
  void DrawAxis(bool calculateLinePosition);
  // Writes a label or title text, one line per carriage-return-separated
  // piece, in the chart canvas's current font: aligned and shifted so that
  // at angle 0 a bottom label hangs centred below (x, y), a top label stands
  // centred on it, a left label ends at x and a right label starts there,
  // both vertically centred on y; the other angles turn the same placement.
  void DrawAxisText(int x, int y, const std::string& text, int angle);

  // Whether the first active series on the axis has date-time values along
  // it.
  bool IsDateTimeAxis() const;
  // Refreshes the date-time flag that increments and label texts follow.
  void UpdateDateTimeFlag() { fIsDateTime = IsDateTimeAxis(); }

 protected:
  // Position properties, published by the side axes only.
  bool GridCentered() const { return fGridCentered; }
  void SetGridCentered(bool value);
  // Percent of the chart rectangle's length where the axis starts and ends.
  double StartPosition() const { return fStartPosition; }
  void SetStartPosition(double value);
  double EndPosition() const { return fEndPosition; }
  void SetEndPosition(double value);
  // Percent of the chart rectangle's other extent by which the axis moves
  // inward from its side.
  double PositionPercent() const { return fPositionPercent; }
  void SetPositionPercent(double value);

  void Repaint() const;

 private:
  // Rounded to nearest, ties to even, from the axis' start (or end) pixel;
  // CenterPixel for an offset of no 32-bit pixel or a NaN.
  int PixelAtOffset(double t) const {
    if (!(std::fabs(t) < kMaxPixelOffset)) return fCenterPixel;
    // t is well inside 64 bits here.
    const auto offset = static_cast<std::int64_t>(std::rint(t));
    const bool fromEnd = fIsHorizontal ? fInverted : !fInverted;
    return static_cast<int>(fromEnd ? fEndPixel - offset : fStartPixel + offset);
  }
  int LogValueToPixel(double value) const;
  // Automatic ends widened to whole powers of the base.
  void WidenToPowers();
  // The range of this paint, with its logarithms on a logarithmic axis.
  void SetPaintRange(double minimum, double maximum);
  // The smallest and largest exponent of a power of the base in the range.
  void PowerExponents(int& first, int& last) const;
  double LogIncrementForCount(int maxLabels) const;
  void GenerateLogLabels(double step, const TAxisLabelSink& drawLabel);
  void PlaceTick(int position, bool withText, const std::string& text,
                 const TAxisLabelSink& drawLabel);
  void GeneratePointLabels(TAxisLabelStyle style, const TAxisLabelSink& drawLabel);
  void GenerateHandlerLabels(double increment, const TAxisLabelSink& drawLabel);
  bool LabelsAlongAxis(int angle) const;
  int LabelWidth(double value);
  int LabelHeight(double value);
  int ShiftByPosition(int position, const TRect& r) const;
  int& Edge(TRect& r) const;
  int Inward() const;
  std::string MarkText(const TChartSeries& series, int index) const;
  std::string MultiLineText(std::string text) const;
  // Drawing helpers.
  void SelectTextFont(const TFont& font);
  void DrawTitle();
  void DrawLabel(int position, const std::string& text);
  void DrawAxisLine();
  // +1 when the outside of the axis lies towards larger coordinates (bottom
  // and right axes), -1 otherwise.
  int Outward() const { return -Inward(); }
  // The axis line's coordinate across the axis, moved out by the wall.
  int LineBase() const;
  // A line across the axis at position p, from coordinate `from` to `to`.
  void DrawAcross(int p, int from, int to);
  void DrawGridLine(int p);
  void SelectGridPen(const TChartPen& pen);

  TCustomAxisPanel& fChart;

  bool fAutomatic = true;
  bool fAutomaticMaximum = true;
  bool fAutomaticMinimum = true;
  TChartAxisPen fAxisPen;
  std::string fAxisValuesFormat;
  std::string fDateTimeFormat;
  bool fExactDateTime = true;
  TDottedGrayPen fGrid;
  bool fGridCentered = false;
  double fIncrement = 0.0;
  bool fInverted = false;
  bool fLabels = true;
  int fLabelsAngle = 0;
  std::unique_ptr<TFont> fLabelsFont;
  bool fLabelsMultiLine = false;
  bool fLabelsOnAxis = true;
  int fLabelsSeparation = 10;
  int fLabelsSize = 0;
  TAxisLabelStyle fLabelStyle = talAuto;
  bool fLogarithmic = false;
  int fLogarithmicBase = 10;
  double fMaximum = 0.0;
  double fMinimum = 0.0;
  TChartHiddenPen fMinorGrid;
  int fMinorTickCount = 3;
  int fMinorTickLength = 2;
  TDarkGrayPen fMinorTicks;
  double fStartPosition = 0.0;
  double fEndPosition = 100.0;
  double fPositionPercent = 0.0;
  bool fRoundFirstLabel = true;
  int fTickInnerLength = 0;
  int fTickLength = 4;
  bool fTickOnLabelsOnly = true;
  TDarkGrayPen fTicks;
  TDarkGrayPen fTicksInner;
  std::unique_ptr<TChartAxisTitle> fTitle;
  int fTitleSize = 0;
  bool fVisible = true;

  bool fIsHorizontal;
  bool fIsOtherSide;
  bool fIsDepth;
  double fRangeMinimum = 0.0;
  double fRangeMaximum = 0.0;
  double fRangeWidth = 0.0;
  int fStartPixel = 0;
  int fEndPixel = 0;
  int fAxisLength = 0;
  int fCenterPixel = 0;
  int fAxisLinePos = 0;
  int fLabelsPos = 0;
  int fTitlePos = 0;
  bool fIsDateTime = false;
  // The logarithmic scale of this paint: the logarithm of RangeMinimum and
  // the range's width in logarithms.
  bool fLogScale = false;
  double fLogMinimum = 0.0;
  double fLogWidth = 0.0;
  int fDefaultTitleAngle = 0;
  TAxisTickList fTickList;

  // The last increments IncrementForCount worked out, with everything they
  // depend on: the same question gets the same answer without walking the
  // 1-2-5 steps again (the layout and the drawing of one paint ask it
  // several times, and the next paint mostly asks it again).
  struct IncrementAnswer {
    bool Known = false;
    int MaxLabels = 0;
    bool DateTime = false;
    bool Separated = false;
    std::uint64_t RangeWidthBits = 0;
    std::uint64_t IncrementBits = 0;
    double Increment = 0.0;
  };
  mutable std::array<IncrementAnswer, 2> fIncrementAnswers;
  mutable std::size_t fNextIncrementAnswer = 0;
  double WorkOutIncrement(int maxLabels) const;
};

// The four side axes of the chart (and any further axes made on it).
class TChartAxis : public TCustomChartAxis {
 public:
  using TCustomChartAxis::EndPosition;
  using TCustomChartAxis::GridCentered;
  using TCustomChartAxis::PositionPercent;
  using TCustomChartAxis::SetEndPosition;
  using TCustomChartAxis::SetGridCentered;
  using TCustomChartAxis::SetPositionPercent;
  using TCustomChartAxis::SetStartPosition;
  using TCustomChartAxis::StartPosition;
  using TCustomChartAxis::TCustomChartAxis;
};

// The axis along the depth of a chart drawn in perspective (hidden by
// default). It has no position properties of its own.
class TChartDepthAxis : public TCustomChartAxis {
 public:
  explicit TChartDepthAxis(TCustomAxisPanel& chart);
};

}  // namespace drivesim

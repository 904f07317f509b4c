// Drawing one axis onto the chart canvas: title, labels, axis line, ticks,
// grid, inner ticks, minor ticks and minor grid. The range, the increment,
// the pixel range and the positions across the axis are those of the current
// paint. Depth arguments matter only for a chart drawn in perspective; a flat
// chart has a depth of 0.

#include <string>

#include "chart/AxisPanel.h"
#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "platform/Numbers.h"

namespace drivesim {

namespace {

// The text alignment of an axis' texts at angle 0, indexed by
// (horizontal ? 2 : 0) + (other side ? 1 : 0): a left axis' labels end at
// their reference point, a right axis' labels start there, a bottom axis'
// labels hang centred below it and a top axis' labels stand centred on it.
// The other angles pick from the same four entries.
constexpr unsigned kAxisTextAlignment[4] = {TA_RIGHT, TA_LEFT, TA_CENTER, TA_CENTER | TA_BOTTOM};

// Texts break into lines at carriage returns; an empty remainder after the
// last one is no line.
constexpr char kLineSeparator = '\r';

int LineCount(const std::string& text) {
  int lines = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kLineSeparator && i + 1 < text.size()) ++lines;
  }
  return lines;
}

int RoundPixels(double value) { return static_cast<int>(Round(value)); }

// Calls draw(q) for every minor position between and beyond the major ticks
// that lies strictly inside (start, end). The ticks run in the order the
// labels were placed; the positions beyond the outermost ticks repeat the
// first gap, and need two ticks to know it.
template <typename Draw>
void ForEachMinorPosition(const TAxisTickList& ticks, int minorCount, bool logarithmic, int start,
                          int end, Draw draw) {
  const int count = ticks.Count();
  if (count < 1 || minorCount < 1) return;
  const auto visit = [&](int q) {
    if (q > start && q < end) draw(q);
  };
  const int last = count - 1;
  if (count >= 2 && !logarithmic) {
    const double gap = ticks[1] - ticks[0];
    for (int k = 1; k <= minorCount; ++k) {
      const int s = RoundPixels(gap / (minorCount + 1) * k);
      visit(ticks[0] - s);
      visit(ticks[last] + s);
    }
  }
  // Equal value steps are equal pixel steps (a logarithmic scale places its
  // minor ticks itself), so the minor positions are spaced the same way.
  for (int i = 1; i <= last; ++i) {
    const double gap = ticks[i] - ticks[i - 1];
    for (int k = 1; k <= minorCount; ++k) {
      visit(ticks[i] - RoundPixels(k * gap / (minorCount + 1)));
    }
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Texts

void TCustomChartAxis::SelectTextFont(const TFont& font) {
  fChart.ApplyFont(font);
  TChartCanvas3D& canvas = fChart.ChartCanvas();
  canvas.Brush().SetColor(fChart.Color());
  canvas.Brush().SetStyle(bsClear);
  // White text would vanish on paper.
  if (fChart.IsPrinting() && canvas.Font().Color() == clWhite) canvas.Font().SetColor(clBlack);
}

void TCustomChartAxis::DrawAxisText(int x, int y, const std::string& text, int angle) {
  TChartCanvas3D& canvas = fChart.ChartCanvas();
  const int h = canvas.FontLineHeight();
  const int half = h / 2;
  const int n = LineCount(text);
  const int side = fIsOtherSide ? 1 : 0;
  const int flipped = fIsOtherSide ? 0 : 1;

  // Alignment and the first shift, which centres a text across its line.
  unsigned alignment = 0;
  switch (angle) {
    case 0:
      alignment = kAxisTextAlignment[(fIsHorizontal ? 2 : 0) + side];
      if (!fIsHorizontal) y -= half;
      break;
    case 90:
      if (fIsHorizontal) {
        alignment = kAxisTextAlignment[side];
        x -= half;
      } else {
        alignment = kAxisTextAlignment[2 + flipped];
      }
      break;
    case 180:
      alignment = kAxisTextAlignment[(fIsHorizontal ? 2 : 0) + flipped];
      if (!fIsHorizontal) y += half;
      break;
    case 270:
      if (fIsHorizontal) {
        alignment = kAxisTextAlignment[flipped];
        x += half;
      } else {
        alignment = kAxisTextAlignment[2 + side];
      }
      break;
    default: break;
  }
  canvas.ChangeTextAlignment(alignment);

  // The second shift backs up by one line step (or by the whole block of
  // lines), so that the step taken before each line below lands the first
  // line where it belongs. Upside-down and downward texts step the other way.
  const int d = (angle == 180 || angle == 270) ? -h : h;
  const int block = RoundPixels(static_cast<double>(n) * d);
  const int middle = RoundPixels(d * 0.5 * (n + 1));
  if (fIsHorizontal) {
    switch (angle) {
      case 0: y -= fIsOtherSide ? block : d; break;
      case 90:
      case 270: x -= middle; break;
      case 180: y -= fIsOtherSide ? d : block; break;
      default: break;
    }
  } else {
    switch (angle) {
      case 0:
      case 180: y -= middle; break;
      case 90: x -= fIsOtherSide ? d : block; break;
      case 270: x -= fIsOtherSide ? block : d; break;
      default: break;
    }
  }

  // The other-side axes of a chart drawn in perspective write at the back.
  const int depth = fIsOtherSide ? fChart.DepthWidth() : 0;
  std::size_t start = 0;
  for (int line = 0; line < n; ++line) {
    std::size_t stop = text.find(kLineSeparator, start);
    if (stop == std::string::npos) stop = text.size();
    const std::string piece = text.substr(start, stop - start);
    start = stop + 1;
    if (angle == 0) {
      y += d;
      canvas.WriteTextAtDepth(x, y, depth, piece);
      continue;
    }
    if (angle == 90 || angle == 270) {
      x += d;
    } else if (angle == 180) {
      y += d;
    }
    canvas.DrawRotatedTextAtDepth(x, y, depth, piece, angle);
  }
  canvas.ChangeTextAlignment(0);
}

void TCustomChartAxis::DrawTitle() {
  SelectTextFont(fTitle->Font());
  if (fIsHorizontal) {
    DrawAxisText(fCenterPixel, fTitlePos, fTitle->Caption(), fTitle->Angle());
  } else {
    DrawAxisText(fTitlePos, fCenterPixel, fTitle->Caption(), fTitle->Angle());
  }
}

void TCustomChartAxis::DrawLabel(int position, const std::string& text) {
  // The label handler may have changed the canvas font while the text was
  // made, so the labels font is selected for every label.
  SelectTextFont(*fLabelsFont);
  if (fIsHorizontal) {
    DrawAxisText(position, fLabelsPos, text, fLabelsAngle);
  } else {
    DrawAxisText(fLabelsPos, position, text, fLabelsAngle);
  }
}

// ---------------------------------------------------------------------------
// Lines

int TCustomChartAxis::LineBase() const {
  // Walls stand beside the bottom and left axes only; the other sides report
  // no thickness.
  return fAxisLinePos + Outward() * fChart.WallThickness(*this);
}

void TCustomChartAxis::DrawAcross(int p, int from, int to) {
  TChartCanvas3D& canvas = fChart.ChartCanvas();
  if (fIsHorizontal) {
    canvas.DrawVertical(p, from, to);
  } else {
    canvas.DrawHorizontal(from, to, p);
  }
}

void TCustomChartAxis::DrawAxisLine() {
  TChartCanvas3D& canvas = fChart.ChartCanvas();
  const int depth = fChart.DepthWidth();
  const int base = LineBase();
  if (fIsHorizontal) {
    if (fIsOtherSide) {
      canvas.DrawHorizontalAtDepth(fStartPixel, fEndPixel, base, depth);
    } else {
      // The bottom axis runs out under the left wall.
      const int leftWall = fChart.WallThickness(fChart.LeftAxis());
      canvas.DrawHorizontal(fStartPixel - leftWall, fEndPixel, base);
    }
  } else if (fIsOtherSide) {
    canvas.DrawVerticalAtDepth(base, fStartPixel, fEndPixel, depth);
  } else {
    // The left axis runs down beside the bottom wall.
    const int bottomWall = fChart.WallThickness(fChart.BottomAxis());
    canvas.DrawVertical(base, fStartPixel, fEndPixel + bottomWall);
  }
}

void TCustomChartAxis::SelectGridPen(const TChartPen& pen) {
  TChartCanvas3D& canvas = fChart.ChartCanvas();
  canvas.Brush().SetStyle(bsClear);
  canvas.ChangeBackgroundMode(TRANSPARENT);
  canvas.ApplyPen(pen);
  // A grid pen without a colour of its own is drawn grey.
  if (pen.Color() == clDefault) canvas.Pen().SetColor(clGray);
  // On paper a styled thin pen is drawn as the thinnest line the printer
  // has, so that its pattern keeps its size.
  if (fChart.IsPrinting() && pen.Style() != psSolid && pen.Width() == 1) {
    canvas.Pen().SetWidth(0);
  }
}

void TCustomChartAxis::DrawGridLine(int p) {
  const TRect& plot = fChart.PlotRect();
  TChartCanvas3D& canvas = fChart.ChartCanvas();
  if (fIsHorizontal) {
    canvas.DrawVertical(p, plot.Top, plot.Bottom);
  } else {
    canvas.DrawHorizontal(plot.Left, plot.Right, p);
  }
}

// ---------------------------------------------------------------------------
// The whole axis

void TCustomChartAxis::DrawAxis(bool calculateLinePosition) {
  TChartCanvas3D& canvas = fChart.ChartCanvas();
  UpdateDateTimeFlag();
  fChart.ApplyFont(*fLabelsFont);
  const double increment = ComputeIncrement();
  if (calculateLinePosition) ComputeAxisLinePosition();
  if (!fTitle->Caption().empty()) DrawTitle();

  // Empties the tick list, then records a tick for every label placed.
  GenerateLabels(increment,
                 [this](int position, const std::string& text) { DrawLabel(position, text); });

  const int out = Outward();
  const int base = LineBase();
  const int count = fTickList.Count();
  // Ticks keep one pixel from the axis line; the gap and their lengths are
  // in the chart's device pixels.
  const int gap = fChart.DevicePixels(1);
  const int tickLength = fChart.DevicePixels(fTickLength);
  const int innerLength = fChart.DevicePixels(fTickInnerLength);
  const int minorLength = fChart.DevicePixels(fMinorTickLength);

  if (fAxisPen.Visible()) {
    canvas.ApplyPen(fAxisPen);
    DrawAxisLine();
  }

  // Ticks start one pixel outside the axis line and run outward.
  if (fTicks.Visible()) {
    canvas.ApplyPen(fTicks);
    for (int i = 0; i < count; ++i) {
      DrawAcross(fTickList[i], base + out * gap, base + out * gap + out * tickLength);
    }
  }

  if (fGrid.Visible()) {
    SelectGridPen(fGrid);
    if (fGridCentered) {
      // Midway between neighbouring ticks: one line fewer than ticks.
      for (int i = 1; i < count; ++i) {
        DrawGridLine(RoundPixels((fTickList[i] + fTickList[i - 1]) * 0.5));
      }
    } else {
      for (int i = 0; i < count; ++i) DrawGridLine(fTickList[i]);
    }
    canvas.ChangeBackgroundMode(OPAQUE);
  }

  // Inner ticks start one pixel inside the axis line and run into the chart.
  if (fTicksInner.Visible()) {
    canvas.ApplyPen(fTicksInner);
    for (int i = 0; i < count; ++i) {
      DrawAcross(fTickList[i], base - out * gap, base - out * gap - out * innerLength);
    }
  }

  if (fLogScale) {
    // Minor ticks and grid at 2 .. base-1 times each power of the base.
    const auto inside = [this](int q) { return q > fStartPixel && q < fEndPixel; };
    if (fMinorTicks.Visible()) {
      canvas.ApplyPen(fMinorTicks);
      ForEachLogMinorTick([&](double value) {
        const int q = ValueToPixel(value);
        if (inside(q)) DrawAcross(q, base + out * gap, base + out * gap + out * minorLength);
      });
    }
    if (fMinorGrid.Visible()) {
      SelectGridPen(fMinorGrid);
      ForEachLogMinorTick([&](double value) {
        const int q = ValueToPixel(value);
        if (inside(q)) DrawGridLine(q);
      });
      canvas.ChangeBackgroundMode(OPAQUE);
    }
    return;
  }
  if (count < 1) return;
  if (fMinorTicks.Visible()) {
    canvas.ApplyPen(fMinorTicks);
    ForEachMinorPosition(
        fTickList, fMinorTickCount, fLogarithmic, fStartPixel, fEndPixel,
        [&](int q) { DrawAcross(q, base + out * gap, base + out * gap + out * minorLength); });
  }
  if (fMinorGrid.Visible()) {
    SelectGridPen(fMinorGrid);
    ForEachMinorPosition(fTickList, fMinorTickCount, fLogarithmic, fStartPixel, fEndPixel,
                         [&](int q) { DrawGridLine(q); });
    canvas.ChangeBackgroundMode(OPAQUE);
  }
}

}  // namespace drivesim

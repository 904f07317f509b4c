#pragma once
// The look shared by the analysis charts: white and flat, so that they print
// well, black titles and labels in Arial, a dotted grey grid, the legend on
// the right; and the sequential palette that tells runs apart.

#include <string>

#include "chart/Chart.h"
#include "platform/Types.h"

namespace drivesim {

// Sets a freshly built chart up as a white print-friendly chart of the given
// size with the given title.
void ConfigurePrintChart(TChart& chart, const std::string& title, int width, int height);

// Colour index of count (0 <= index < count) on the charts' sequential
// palette (chart/ChartPalette.h), spread evenly from its dark violet start
// to its green end, every step dark enough to read as a line on white. One
// run alone takes the palette's middle.
TColor SequentialColor(int index, int count);

// A value as a legend or caption shows it: at most six significant digits,
// with the user's decimal separator ("0.511111", "1E-5" style avoided).
std::string ValueText(double value);

// Labels for an axis spanning range: steps from a twentieth of the range
// upwards in the 1-2-5 sequence (the axis alone would not step below 1 on a
// range of 1 or more), and a fixed number of decimals for them, so that the
// labels are of one width, which the axis spaces by its first and last
// labels.
void SetFineLabels(TChartAxis& axis, double range);

// An axis gives its labels the room that the labels at its length of the
// chart's last layout need (before the first layout, at no length, those of
// the range's exact ends). A chart of a new size or density is therefore
// laid out once before it is drawn to be seen, so that it shows at once the
// picture it keeps showing at that size.

// Lays the chart out at its size and pixel ratio (drawing it on a scratch
// bitmap) and asks for its repaint.
void LayOutChart(TChart& chart);

// Draws the chart into the bitmap, which takes the chart's size; with a
// scale above 1, that many times the size each way, the chart drawn at that
// density (fonts, lines, ticks, legend scaled), laid out at that size and
// density first. The chart's own pixel ratio is as before afterwards.
void RenderChart(TChart& chart, TBitmap& bitmap, int scale = 1);

}  // namespace drivesim

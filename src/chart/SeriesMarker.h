#pragma once
// The marker shapes a series draws at its points, and the one function that
// draws a marker at a pixel. The line series' pointer and the point series'
// markers both go through DrawMarker, so a shape looks the same wherever it
// is drawn.

#include "chart/ChartCanvas.h"
#include "platform/Types.h"

namespace drivesim {

// The shapes: psRectangle is the square, psCross the upright cross ("+"),
// psDiagCross the diagonal cross ("x"), psStar both crosses over each other,
// psSmallDot a single pixel.
enum TSeriesPointerStyle {
  psRectangle,
  psCircle,
  psTriangle,
  psDownTriangle,
  psCross,
  psDiagCross,
  psStar,
  psDiamond,
  psSmallDot
};

// Draws the marker of the given style centred on pixel (x, y): it covers
// columns x - h .. x + h and rows y - v .. y + v. The closed shapes are
// outlined with the canvas's pen and filled with its brush; the crosses and
// the star are drawn with the pen alone; the small dot is the one pixel
// (x, y) in the colour dot.
void DrawMarker(TChartCanvas3D& canvas, int x, int y, TSeriesPointerStyle style, int h, int v,
                TColor dot);

}  // namespace drivesim

#include "chart/SeriesMarker.h"

namespace drivesim {

void DrawMarker(TChartCanvas3D& canvas, int x, int y, TSeriesPointerStyle style, int h, int v,
                TColor dot) {
  // Rectangles and lines leave out their far edge, hence the + 1.
  switch (style) {
    case psRectangle: canvas.DrawRectangle(x - h, y - v, x + h + 1, y + v + 1); break;
    case psCircle: canvas.DrawEllipse(x - h, y - v, x + h + 1, y + v + 1); break;
    case psTriangle: {
      const TPoint points[3] = {{x - h, y + v}, {x, y - v}, {x + h, y + v}};
      canvas.DrawPolygon(points, 2);
      break;
    }
    case psDownTriangle: {
      const TPoint points[3] = {{x - h, y - v}, {x + h, y - v}, {x, y + v}};
      canvas.DrawPolygon(points, 2);
      break;
    }
    case psDiamond: {
      const TPoint points[4] = {{x, y - v}, {x + h, y}, {x, y + v}, {x - h, y}};
      canvas.DrawPolygon(points, 3);
      break;
    }
    case psCross:
    case psDiagCross:
    case psStar:
      if (style != psDiagCross) {
        canvas.DrawHorizontal(x - h, x + h + 1, y);
        canvas.DrawVertical(x, y - v, y + v + 1);
      }
      if (style != psCross) {
        canvas.DrawSegment(x - h, y - v, x + h + 1, y + v + 1);
        canvas.DrawSegment(x - h, y + v, x + h + 1, y - v - 1);
      }
      break;
    case psSmallDot: canvas.PlotPixel(x, y, dot); break;
  }
}

}  // namespace drivesim

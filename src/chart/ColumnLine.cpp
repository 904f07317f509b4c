#include "chart/ColumnLine.h"

#include <algorithm>

namespace drivesim {

TColumnLine::TColumnLine(TChartCanvas3D& canvas, const TChartPen& pen)
    : fCanvas(canvas), fPen(pen) {}

void TColumnLine::Start() {
  // As every segment of the series prepares its pen and brush; nothing else
  // changes them while the line is drawn.
  fCanvas.ApplyPen(fPen);
  fCanvas.Brush().SetStyle(bsClear);
  fEndsLeftOut = fCanvas.SegmentsLeaveEndPixel();
  fStarted = true;
}

void TColumnLine::AddColumnChain(int x, int y0, int low, int high, int y1, bool y1Covered,
                                 int yBefore, TColor color) {
  if (!fStarted) Start();
  fLast = TThinLine{x, yBefore, x, y1, color};
  if (fColumnOpen && x == fColumnX && y0 == fColumnEnd && color == fColumnColor) {
    // The chain goes on from the open run: row y1 is covered by the chain,
    // or by the run, whose rows are low..high less its end when uncovered.
    const bool coveredBefore =
        y1 >= fColumnLow && y1 <= fColumnHigh && (y1 != fColumnEnd || fColumnEndCovered);
    fColumnEndCovered = y1Covered || coveredBefore;
    fColumnLow = std::min(fColumnLow, low);
    fColumnHigh = std::max(fColumnHigh, high);
    fColumnEnd = y1;
    return;
  }
  CloseColumn();
  fColumnOpen = true;
  fColumnX = x;
  fColumnColor = color;
  fColumnLow = low;
  fColumnHigh = high;
  fColumnEnd = y1;
  fColumnEndCovered = y1Covered;
}

void TColumnLine::CloseColumn() {
  if (!fColumnOpen) return;
  fColumnOpen = false;
  if (!fEndsLeftOut) {
    // Each segment covers both its ends and what a wide pen reaches around
    // them; together they cover what one segment from the lowest to the
    // highest row covers.
    Emit(TThinLine{fColumnX, fColumnLow, fColumnX, fColumnHigh, fColumnColor});
    return;
  }
  // The rows low..high, less the end row when no segment covers it; the end
  // row is then the lowest or the highest, since every row between them is
  // covered.
  int top = fColumnLow;
  int bottom = fColumnHigh;
  if (!fColumnEndCovered) {
    if (fColumnEnd == top) {
      ++top;
    } else {
      --bottom;
    }
  }
  Emit(TThinLine{fColumnX, top, fColumnX, bottom + 1, fColumnColor});
}

void TColumnLine::DrawPending() {
  if (fPendingCount == 0) return;
  fCanvas.DrawSegments(fPending.data(), static_cast<int>(fPendingCount));
  fPendingCount = 0;
}

void TColumnLine::Finish() {
  if (!fStarted) return;
  CloseColumn();
  DrawPending();
  // The last segment again, over its own pixels (nothing was drawn after
  // it): the pen takes its colour and ends where it ends, as after drawing
  // every segment.
  fCanvas.Pen().SetColor(fLast.Color);
  if (fCanvas.Pen().Width() > 1) {
    // A wide pen's line leaves the pen's dot pattern where it was started:
    // the pen is only moved to the end.
    fCanvas.MovePenTo(fLast.X1, fLast.Y1);
    return;
  }
  fCanvas.DrawSegment(fLast.X0, fLast.Y0, fLast.X1, fLast.Y1);
}

}  // namespace drivesim

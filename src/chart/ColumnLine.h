#pragma once
// TColumnLine: the segments of a line series drawn with a solid pen,
// given one by one in drawing order and drawn with the pixels that drawing
// each of them in turn would set, without walking every segment when many
// of them fall into one pixel column.
//
// A thin solid line in the copy mode sets a pixel to its colour whatever lay
// below, so segments drawn one after the other in one colour leave the
// union of their pixels; only where colours differ does the order matter.
// A run of segments that stay in one pixel column (vertical segments, each
// starting where the one before ended) and share one colour therefore sets
// one vertical run of pixels: from the lowest to the highest row the run
// reaches, except the row where it ends when no segment of the run covers
// that row (a line leaves out its end pixel). Such a run is drawn as that
// one vertical line, in its place among the other segments, which are drawn
// as they are.
//
// With many points per column the line is drawn as the extremes of each
// column in order, joined by the segments that cross from one column to the
// next: a few lines per column however many points it holds.
//
// A wider solid pen goes the same way. Widened by the pixel ratio alone, it
// draws each segment as thin copies side by side, across the segment's
// longer direction: a vertical run's copies are the run's rows in the
// neighbouring columns, so the run's rows decide them as before. A pen wider
// than that covers both ends of each segment and the pen's reach around
// them: vertical segments in one column, one starting where the one before
// ended, cover together what one segment from their lowest to their
// highest row covers.

#include <array>

#include "chart/ChartCanvas.h"
#include "platform/Canvas.h"
#include "platform/Types.h"

namespace drivesim {

class TColumnLine {
 public:
  // Draws on the canvas's surface with the line pen (solid, copy mode, any
  // width; the caller checks). Nothing is drawn and the canvas is not
  // touched until the first segment arrives.
  TColumnLine(TChartCanvas3D& canvas, const TChartPen& pen);
  TColumnLine(const TColumnLine&) = delete;
  TColumnLine& operator=(const TColumnLine&) = delete;

  // The next segment: from (x0, y0) to (x1, y1), the end pixel left out, in
  // color. The two ends differ.
  void Add(int x0, int y0, int x1, int y1, TColor color) {
    if (!fStarted) Start();
    fLast = TThinLine{x0, y0, x1, y1, color};
    if (x0 == x1 && fColumnOpen && x0 == fColumnX && y0 == fColumnEnd && color == fColumnColor) {
      ExtendColumn(y1);
      return;
    }
    CloseColumn();
    if (x0 == x1) {
      fColumnOpen = true;
      fColumnX = x0;
      fColumnColor = color;
      fColumnLow = fColumnHigh = fColumnEnd = y0;
      fColumnEndCovered = false;
      ExtendColumn(y1);
      return;
    }
    if (y0 == y1 && fEndsLeftOut && ExtendsRow(x0, y0, x1, color)) return;
    Emit(fLast);
  }

  // A chain of vertical segments in column x, each starting where the one
  // before ended, all in color: from row y0, reaching rows low to high
  // (low < high), ending on row y1, its last segment starting on row
  // yBefore. y1Covered tells whether a segment of the chain covers row y1.
  // The same as adding the chain's segments one by one.
  void AddColumnChain(int x, int y0, int low, int high, int y1, bool y1Covered, int yBefore,
                      TColor color);

  // Draws what is still held, and leaves the canvas as drawing every segment
  // in turn leaves it: the line pen in the last segment's colour, a clear
  // brush, and the pen at the end of the last segment.
  void Finish();

 private:
  // The open column run reaches row y: the segment from the run's end to y
  // covers every row from the end up to, not including, y. The row y is
  // covered already when it lies within the rows reached so far, since
  // every such row but the end is covered and y is not the end.
  void ExtendColumn(int y) {
    fColumnEndCovered = y >= fColumnLow && y <= fColumnHigh;
    if (y < fColumnLow) fColumnLow = y;
    if (y > fColumnHigh) fColumnHigh = y;
    fColumnEnd = y;
  }
  void CloseColumn();
  // A segment along row y from x0 to x1 that goes on from the last line
  // waiting, a segment along the same row in the same direction and colour
  // that ends at x0, lengthens that line to x1 instead of adding its own.
  // With the end pixels left out, the two set the columns from the first
  // one's start up to, not including, x1: the pixels of the one line (and
  // of its thin copies on the rows beside it).
  bool ExtendsRow(int x0, int y, int x1, TColor color) {
    if (fPendingCount == 0) return false;
    TThinLine& before = fPending[fPendingCount - 1];
    if (before.Y0 != y || before.Y1 != y || before.X1 != x0 || before.Color != color ||
        before.X0 == before.X1 || (before.X0 < before.X1) != (x0 < x1)) {
      return false;
    }
    before.X1 = x1;
    return true;
  }
  void Emit(const TThinLine& line) {
    fPending[fPendingCount++] = line;
    if (fPendingCount == fPending.size()) DrawPending();
  }
  void DrawPending();
  void Start();

  TChartCanvas3D& fCanvas;
  const TChartPen& fPen;
  bool fStarted = false;
  // Whether the pen draws thin lines (thin copies side by side for a pen
  // widened by the scale) that leave out their end pixels, else lines that
  // cover their ends.
  bool fEndsLeftOut = true;
  // The last segment given, drawn again at the end for the pen's sake.
  TThinLine fLast{};
  // The open run of one column: its column and colour, the lowest and
  // highest rows it reaches, the row where it ends and whether a segment
  // covers that row.
  bool fColumnOpen = false;
  int fColumnX = 0;
  TColor fColumnColor = 0;
  int fColumnLow = 0;
  int fColumnHigh = 0;
  int fColumnEnd = 0;
  bool fColumnEndCovered = false;
  // Lines waiting to be drawn, in order.
  std::array<TThinLine, 256> fPending{};
  std::size_t fPendingCount = 0;
};

}  // namespace drivesim

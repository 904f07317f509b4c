#pragma once
// The wide lines and boxes the chart canvas learns from its surface, shared
// by the files of TChartCanvas3D: the canvas owns one coverage, and its
// drawing calls fill and use it. Nothing outside src/chart includes this
// header.

#include <cstddef>
#include <memory>
#include <vector>

#include "chart/ChartCanvas.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

namespace drivesim {

// The pixels the surface sets for a wide solid line along a row or a column:
// the axis lines are two pixels wide and are drawn at every paint. The
// surface strokes such a line with round ends, whose pixels depend on where
// the line lies and on the surface's size and clip, so they are not worked
// out here: the second time a line is drawn (the first time the surface
// draws it, as it draws any line), the surface draws it on a blank image of
// the same size and clip, and the pixels it set are kept as runs along the
// line. From then on the same line sets the same pixels with thin lines
// along the runs. Which pixels a solid line of the copy mode sets does
// not depend on its colour or on the pixels below it, so the runs serve any
// colour. The same holds for a patterned wide pen whose gaps are left
// transparent (the grid's dotted lines at a pixel ratio): each line starts
// its pattern afresh, and its dashes are runs like any other.
//
// The outline of a rectangle drawn with a wide solid pen (the back wall's
// frame at a pixel ratio) is learnt the same way, as the blocks of pixels it
// sets, since the surface strokes its round joins as it strokes round ends.
struct TChartCanvas3D::WideLineCoverage {
  struct Key {
    int SurfaceWidth;
    int SurfaceHeight;
    bool HasClip;
    TRect Clip;
    int PenWidth;
    TPenStyle PenStyle;
    int X0, Y0, X1, Y1;
    // The outline of the rectangle (X0, Y0) .. (X1, Y1) rather than a line.
    bool Box;
    friend bool operator==(const Key&, const Key&) = default;
  };
  struct Entry {
    Key Line;
    // False when the surface's pixels could not be learnt, or are not
    // learnt yet: the surface then draws the line itself.
    bool Learnt = false;
    // Drawn once so far, not learnt yet: learning costs more than the
    // surface's own drawing, so a line is learnt only when drawn again (the
    // next frame's axis), and a line drawn once (a printed chart's grid, the
    // moving grid of a running chart) costs what the surface's drawing does.
    bool Pending = false;
    // The pixels as thin lines, those of the same length one step apart
    // (the dots of a dotted line, the rows of a block) as one repeat.
    std::vector<TThinLineRepeat> Lines;
    unsigned LastUse = 0;
  };
  // Enough for two axes' lines and their grids.
  static constexpr std::size_t kLines = 40;
  std::vector<Entry> Entries;
  unsigned Uses = 0;
  // The blank image lines are learnt on, kept from one line to the next:
  // at print density a chart's surface holds millions of pixels, and a new
  // image for every line of its grid cost more than drawing the grid. Its
  // damage map says what the last line set, and only that is made white
  // again.
  std::unique_ptr<TBitmap> Blank;

  // Blank, white and without a clip, of the surface's size.
  TBitmap& BlankImage(int width, int height);

  // The entry of the key, counted as used; nullptr when there is none.
  Entry* Find(const Key& key);

  // Learns the line's pixels from the surface. When they reach beyond the
  // band searched around the line, the entry says so and the line is left
  // to the surface.
  Entry Learn(const Key& key, const TPen& pen);

  // The outline the surface's Rectangle set on blank, row by row over the
  // box and a band around it, as blocks: a row's run that continues a block
  // of the row above (the same columns) makes it one row taller. Each block
  // is kept as thin lines along its longer side.
  Entry LearnBox(const Key& key, const TBitmap& blank);

  // The entry of the key, learnt from the surface the second time it is
  // asked for; nullptr the first time and when its pixels could not be
  // learnt.
  const Entry* Coverage(const Key& key, const TPen& pen);

  // Keeps the entry, in the place of the one used longest ago when full.
  void Keep(Entry&& entry);
};

}  // namespace drivesim

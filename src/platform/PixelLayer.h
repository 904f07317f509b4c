#pragma once
// TPixelLayer: the pixels a drawing sets, with the colours it sets them to,
// kept so that the same drawing can be laid onto a bitmap again as a copy of
// pixels (TCanvas::DrawPixelLayer).
//
// A drawing whose pixels do not depend on what lies below them (solid pens
// and brushes in the copy mode, opaque dotted lines, fills) sets the same
// pixels to the same colours on any bitmap of the same size; laying its
// layer gives exactly the pixels that drawing it again gives. The layer is
// learnt by drawing twice, on a black and on a white bitmap: a pixel the
// drawing sets comes out the same on both, a pixel it leaves alone does not.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Types.h"

namespace drivesim {

class TCanvas;

class TPixelLayer {
 public:
  // The pixels draw sets on a bitmap of width x height whose canvas is
  // fresh (solid black pen of width 1 in the copy mode, solid white brush,
  // no clip). draw must not depend on the pixels below.
  static TPixelLayer Capture(int width, int height, const std::function<void(TCanvas&)>& draw);

  int Width() const { return fWidth; }
  int Height() const { return fHeight; }
  // How many pixels the layer sets.
  std::size_t PixelCount() const { return fColors.size(); }
  // The smallest rectangle holding every pixel of the layer (empty when it
  // has none).
  TRect Bounds() const { return fBounds; }

  // A row's run of pixels of the layer: columns X .. X + Length - 1 of row
  // Y, their colours (as the platform image stores them) from First on in
  // Colors().
  struct Run {
    int Y;
    int X;
    int Length;
    std::size_t First;
  };
  const std::vector<Run>& Runs() const { return fRuns; }
  const std::vector<std::uint32_t>& Colors() const { return fColors; }

 private:
  int fWidth = 0;
  int fHeight = 0;
  TRect fBounds;
  std::vector<Run> fRuns;
  std::vector<std::uint32_t> fColors;
};

}  // namespace drivesim

#pragma once
// Shaded regions: a series that fills an area of the chart rectangle in its
// series colour, solid or hatched, behind every line and point series of the
// chart whatever its place in the series list (a chart paints the series
// whose DrawsBehind is true first). The region is clipped to the chart
// rectangle like every series.
//
//   rkPolygon        the polygon through the points in the order they were
//                    added (the X list keeps no order), in axis units
//   rkArea           the area between the curve through the points (added
//                    in X order) and the horizontal line at Level
//   rkBand           the band between the vertical-axis values Level and
//                    Level2, across the chart rectangle's full width (it
//                    needs no points: the 2 % band around a final value)
//   rkVerticalBand   the band between the horizontal-axis values Level and
//                    Level2, across the full height
//
// Every vertex is placed through its axis' ValueToPixel, so regions follow
// any mapping the axes use. A pixel belongs to the region when its centre
// lies inside the polygon by the alternate (odd-even) rule: a band from row
// 40 to row 60 covers rows 40..59, and an area whose curve crosses its level
// fills each lobe once.
//
// A hatched region colours only the pixels of its diagonal lines, every
// HatchSpacing pixels counted from the surface's origin (so neighbouring
// regions' hatches line up), and leaves the pixels between them as they
// were: rfForwardHatch "/" (x + y a multiple of the spacing), rfBackwardHatch
// "\" (x - y a multiple of it), rfCrossHatch both.

#include <vector>

#include "chart/ChartSeries.h"
#include "platform/Types.h"

namespace drivesim {

enum TRegionKind { rkPolygon, rkArea, rkBand, rkVerticalBand };
enum TRegionFill { rfSolid, rfForwardHatch, rfBackwardHatch, rfCrossHatch };

class TRegionSeries : public TChartSeries {
 public:
  TRegionSeries();

  // Operations of the series base replaced here, in slot order.

  // Fills the whole region, whatever part of it is visible.
  void DrawVisiblePoints() override;
  // An area's extent along the vertical axis takes in its level, so that
  // the automatic range shows the whole area. Bands have no points and take
  // no part in automatic ranges.
  double MaxY() const override;
  double MinY() const override;
  bool DrawsBehind() const override { return true; }

  // --- Properties. Setters store a changed value and repaint.
  TRegionKind Kind() const { return fKind; }
  void SetKind(TRegionKind value);
  TRegionFill Fill() const { return fFill; }
  void SetFill(TRegionFill value);
  // Pixels (of the window's layout) from one hatch line to the next along a
  // row; at least 2 (smaller values are taken as 2).
  int HatchSpacing() const { return fHatchSpacing; }
  void SetHatchSpacing(int value);
  // rkArea: the level the area reaches to; rkBand, rkVerticalBand: one edge
  // of the band, Level2 the other (either may be the larger, and either may
  // be infinite to reach the chart rectangle's edge).
  double Level() const { return fLevel; }
  void SetLevel(double value);
  double Level2() const { return fLevel2; }
  void SetLevel2(double value);
  // Both band edges at once.
  void SetBand(double level, double level2);

  // The region's corners in pixels at the last paint, after clipping to the
  // axes' reach (one axis length beyond either end).
  const std::vector<TPoint>& Outline() const { return fOutline; }

 private:
  // fOutline from the points and the levels; false when there is no region.
  bool BuildOutline();
  // Fills the pixels of fOutline inside clip.
  void FillOutline(const TRect& clip);

  TRegionKind fKind = rkPolygon;
  TRegionFill fFill = rfSolid;
  int fHatchSpacing = 6;
  double fLevel = 0.0;
  double fLevel2 = 0.0;

  // Scratch of one paint, kept so that a paint allocates nothing once they
  // have grown.
  std::vector<double> fClipX;
  std::vector<double> fClipY;
  std::vector<double> fNextX;
  std::vector<double> fNextY;
  std::vector<TPoint> fOutline;
  std::vector<double> fCrossings;
};

}  // namespace drivesim

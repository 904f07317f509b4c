#pragma once
// Point series: a series drawn as a marker at each of its points, with an
// optional line between them, whose points the user may drag.
//
//   TPointSeries   markers of the series' Pointer (shape, size, pen and
//                  brush of this series), DrawsLine off by default
//   TPointDrag     the chart's record of one drag of a point
//
// The markers are the shapes of SeriesMarker.h, drawn by the same DrawMarker
// as the line series' pointer: circle psCircle, square psRectangle,
// triangle psTriangle, diamond psDiamond, cross psDiagCross ("x"), plus
// psCross ("+"). Pointer().SetHorizSize / SetVertSize give the half-extent
// in pixels, Pointer().Pen() the outline and Pointer().Brush() the fill
// (clDefault takes the point's colour).
//
// Dragging: with DragPoints on, a left-button press within reach of a point
// (inside its marker, or at most kDragReach pixels from it) starts a drag of
// that point instead of a zoom. Every move of the mouse then reports the
// point's index and the position it would move to, in axis units, through
// OnDragPoint; the release ends the drag (OnEndDragPoint). The series never
// moves the point itself: the owner decides where it goes, for instance with
// MovePoint, or keeps it where it is.

#include <functional>

#include "chart/Series.h"

namespace drivesim {

class TCustomAxisPanel;

// A dragged point would move to (x, y), in units of the series' horizontal
// and vertical axes.
using TDragPointEvent = std::function<void(TChartSeries& series, int index, double x, double y)>;
// The drag of point index ended.
using TEndDragPointEvent = std::function<void(TChartSeries& series, int index)>;

class TPointSeries : public TCustomSeries {
 public:
  // Pixels (of the window's layout) around a point's pixel within which a
  // press catches it, when its marker is smaller.
  static constexpr int kDragReach = 3;

  TPointSeries();

  // The user may drag the points with the left button.
  bool DragPoints() const { return fDragPoints; }
  void SetDragPoints(bool value) { fDragPoints = value; }
  // Puts point index at (x, y) and asks for a repaint (the X list's order
  // is not kept: a series whose points move along x keeps its X list
  // unordered, XValues().SetOrder(loNone), as this series does).
  void MovePoint(int index, double x, double y);

  TDragPointEvent OnDragPoint;
  TEndDragPointEvent OnEndDragPoint;

 private:
  bool fDragPoints = false;
};

// One drag of a point, kept by the chart while the button is down.
class TPointDrag {
 public:
  // Starts a drag when (x, y) lies within reach of a point of an active
  // point series with DragPoints on, inside the chart rectangle: the point
  // nearest to (x, y), the last series first among equals. True when one
  // started.
  bool Start(TCustomAxisPanel& chart, int x, int y);
  // Reports the position of a move to (x, y) through OnDragPoint (the point
  // keeps the offset from the mouse it had at the press); true while a drag
  // is in progress, whatever the owner does with it.
  bool MoveTo(int x, int y);
  // Ends the drag (OnEndDragPoint); true when one was in progress.
  bool End();

  bool IsActive() const { return fSeries != nullptr; }
  // The series (not owned) and point being dragged; null and -1 when none.
  TPointSeries* Series() const { return fSeries; }
  int Index() const { return fIndex; }

 private:
  // Whether the series is still on the chart and still has the point.
  bool StillThere() const;

  TCustomAxisPanel* fChart = nullptr;
  TPointSeries* fSeries = nullptr;
  int fIndex = -1;
  // The point's pixel less the press's.
  int fOffsetX = 0;
  int fOffsetY = 0;
  int fLastX = 0;
  int fLastY = 0;
};

}  // namespace drivesim

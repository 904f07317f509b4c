#pragma once
// The readout: while the mouse moves over the chart rectangle, a crosshair
// through the point nearest to it (nearest in pixels over every active
// series that is not a shaded region) and a small framed box beside it with
// that series' title and the point's x and y, each written as its axis
// writes its labels (AxisValuesFormat, through the chart's OnGetAxisLabel).
// It disappears when the mouse leaves the chart rectangle or the control,
// and while a button is down for a zoom or a pan.
//
// The readout is an overlay: it is drawn on the window surface after the
// chart's paint and never into the chart's own image, so a move of the
// mouse only copies the image back and draws the overlay anew, and a picture
// rendered onto another canvas (RenderTo, for a file) has no readout unless
// InPictures is set. It is off by default.

#include <string>

#include "chart/ChartFontObject.h"
#include "chart/ChartPen.h"
#include "platform/Canvas.h"
#include "platform/Types.h"

namespace drivesim {

class TCustomChart;
class TChartSeries;

class TChartReadout : public TChartFontObject {
 public:
  // Pixels (of the window's layout) from the point to its box, and from the
  // box's frame to its text.
  static constexpr int kBoxOffset = 8;
  static constexpr int kBoxPadding = 3;

  explicit TChartReadout(TCustomChart& chart);

  // Switching it off takes a readout that is shown away.
  bool Visible() const { return fVisible; }
  void SetVisible(bool value);
  // Also drawn over pictures rendered onto a canvas other than the window
  // surface.
  bool InPictures() const { return fInPictures; }
  void SetInPictures(bool value) { fInPictures = value; }
  // The crosshair's pen (grey, solid) and the box's fill and frame.
  TChartPen& Pen() { return fPen; }
  TColor Color() const { return fColor; }
  void SetColor(TColor value) { fColor = value; }
  TChartPen& Frame() { return fFrame; }

  // --- What the readout shows now.
  bool Showing() const { return fShowing; }
  TChartSeries* Series() const { return fSeries; }
  int PointIndex() const { return fIndex; }
  // The crosshair's centre: the point's pixel.
  TPoint CrossPixel() const { return fCross; }
  // The box as it was last drawn.
  const TRect& Box() const { return fBox; }
  // The lines of the box: the title (when the series has one), "x = ...",
  // "y = ...".
  std::string Text() const;

  // The point nearest to (x, y) among the visible points inside the chart
  // rectangle of the last paint; false when there is none.
  bool FindNearest(int x, int y, TChartSeries*& series, int& index) const;

  // --- Called by the chart's mouse handling and paint.

  // The mouse moved to (x, y): the readout follows it (or goes, outside the
  // chart rectangle) on the window surface.
  void MouseAt(int x, int y);
  // Takes a shown readout away from the window surface.
  void Hide();
  // After a paint: the point nearest to the mouse again (the data or the
  // scales may have changed), drawn on the window surface.
  void PaintOverlay();
  // Draws the crosshair and box onto surface, the chart's pixels moved by
  // (dx, dy); the chart canvas returns to the window surface afterwards.
  void DrawOn(TCanvas& surface, int dx, int dy);

 private:
  // The nearest point to the mouse; Showing false when none.
  void FindTarget();
  // Copies the chart's image back onto the window surface (or asks for a
  // paint) and draws the overlay over it when it is shown.
  void Redraw();

  TCustomChart& fChart;
  bool fVisible = false;
  bool fInPictures = false;
  TChartPen fPen;
  TColor fColor = 0xE1FFFF;
  TChartPen fFrame;

  bool fShowing = false;
  // The mouse's last position over the control; -1 while it is away.
  int fMouseX = -1;
  int fMouseY = -1;
  TChartSeries* fSeries = nullptr;
  int fIndex = -1;
  TPoint fCross;
  TRect fBox;
};

}  // namespace drivesim

#pragma once
// The chart control.
//
//   TChartBrush    a brush whose colour starts as clDefault
//   TChartWall     the back, left and bottom walls: a fill and a frame pen
//   TChartTitle    the title above and the foot below the chart rectangle
//   TChartLegend   the legend (chart/ChartLegend.h)
//   TCustomChart   walls, titles, legend and saved axis scales; paints the
//                  titles and the walls in the paint pipeline
//   TChart         the chart as a window places it
//
// A chart is built with its defaults and then configured property by
// property; every setter of a changed value asks for a repaint, and the
// requests made before the next paint merge into that paint.

#include <memory>
#include <string>
#include <vector>

#include "chart/AxisPanel.h"
#include "chart/ChartCanvas.h"
#include "chart/ChartFontObject.h"
#include "chart/ChartLegend.h"
#include "chart/ChartReadout.h"
#include "chart/ChartSeries.h"
#include "chart/PointSeries.h"
#include "chart/ZoomPanning.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

namespace drivesim {

class TCustomChart;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A platform brush whose colour starts as clDefault (no colour of its own).
// Like every brush, giving a clear one a colour makes it solid.
class TChartBrush : public TBrush {
 public:
  TChartBrush() { SetColor(clDefault); }
};

// A wall of the chart: the back wall behind the chart rectangle, and in the
// 3D view the left and bottom walls. Its fill is the wall Color (clDefault:
// none) with the style of its Brush; its frame is Pen.
class TChartWall {
 public:
  // The wall's own default colour is the colour it is created with.
  TChartWall(TCustomChart& chart, TColor defaultColor);
  TChartWall(const TChartWall&) = delete;
  TChartWall& operator=(const TChartWall&) = delete;

  TCustomChart& ParentChart() const { return fChart; }
  TChartBrush& Brush() { return fBrush; }
  const TChartBrush& Brush() const { return fBrush; }
  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  TColor DefaultColor() const { return fDefaultColor; }
  bool Dark3D() const { return fDark3D; }
  void SetDark3D(bool value);
  TChartPen& Pen() { return fPen; }
  const TChartPen& Pen() const { return fPen; }
  // Thickness in the 3D view, pixels.
  int Size() const { return fSize; }
  void SetSize(int value);

 private:
  void Changed() const;

  TCustomChart& fChart;
  TChartBrush fBrush;
  TColor fColor;
  TColor fDefaultColor;
  bool fDark3D = true;
  TChartPen fPen;
  int fSize = 0;
};

// A title of the chart: lines of text above the chart rectangle (Title) or
// below it (Foot), each line as high as "W" in its font, with a 5-pixel gap
// to the chart rectangle. An empty title takes no room.
class TChartTitle : public TChartFontObject {
 public:
  explicit TChartTitle(TCustomChart& chart);

  // The box of a framed or filled title shrinks to the widest line plus the
  // width of "W".
  bool AdjustFrame() const { return fAdjustFrame; }
  void SetAdjustFrame(bool value);
  TAlignment Alignment() const { return fAlignment; }
  void SetAlignment(TAlignment value);
  TChartBrush& Brush() { return fBrush; }
  const TChartBrush& Brush() const { return fBrush; }
  // The box's fill colour; clDefault: the brush decides.
  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  TChartHiddenPen& Frame() { return fFrame; }
  const TChartHiddenPen& Frame() const { return fFrame; }
  // One string per line.
  const std::vector<std::string>& Text() const { return fText; }
  void SetText(const std::vector<std::string>& lines);
  void AddLine(const std::string& line);
  void ClearText();
  bool Visible() const { return fVisible; }
  void SetVisible(bool value);

  // The title's rectangle at the last paint (for hit testing).
  const TRect& TitleBox() const { return fTitleBox; }

 private:
  friend class TCustomChart;
  bool fAdjustFrame = true;
  TAlignment fAlignment = taCenter;
  TChartBrush fBrush;
  TColor fColor = clDefault;
  TChartHiddenPen fFrame;
  std::vector<std::string> fText;
  bool fVisible = true;
  TRect fTitleBox;
};

// The side axes' scales before the first zoom or pan: their three automatic
// switches and their minimum and maximum, in the order top, left, right,
// bottom.
struct TSavedScales {
  struct Scale {
    bool Automatic = true;
    bool AutomaticMinimum = true;
    bool AutomaticMaximum = true;
    double Minimum = 0.0;
    double Maximum = 0.0;
  };
  Scale Axes[4];
};

class TCustomChart : public TCustomAxisPanel {
 public:
  TCustomChart();
  ~TCustomChart() override;

  // --- The pipeline's chart parts.

  // The wall's thickness along the left and bottom axes in the 3D view with
  // walls; 0 otherwise.
  int WallThickness(const TCustomChartAxis& axis) const override;
  // The title, then the foot, each when visible; each non-empty one takes
  // its lines and 5 pixels from the chart rectangle. A visible legend with
  // items is painted before them when it stands on the left or right, and
  // after them on the top or bottom, taking its room too.
  void PaintTitlesAndLegend() override;
  // The back wall over PlotRect, its right column and bottom row included.
  void PaintWalls() override;
  // Where the back wall filled the last frame of this panel rectangle.
  TRect OfferedBackgroundHole() override;
  // Also false for the back wall's colour when checkBackground is set.
  bool IsColorFree(TColor color, bool checkBackground) const override;
  // The back image behind the whole panel only while it is not drawn
  // inside the chart rectangle.
  void PaintBackImage(const TRect& rect) override;

  // Paints one title or foot and moves the top (title) or bottom (foot) of
  // PlotRect beyond it.
  void PaintTitle(TChartTitle& title, bool onTop);
  // The canvas's brush for a fill of colour in style over backColor: a
  // hatched brush whose colour equals backColor is drawn in black, or in
  // white over black, so that it stays visible.
  void PrepareFillBrush(TColor color, TBrushStyle style, TColor backColor);

  // --- Properties.
  bool BackImageInside() const { return fBackImageInside; }
  void SetBackImageInside(bool value);
  TChartWall& BackWall() { return *fBackWall; }
  TChartWall& BottomWall() { return *fBottomWall; }
  TChartTitle& Foot() { return *fFoot; }
  TChartWall& LeftWall() { return *fLeftWall; }
  TChartLegend& Legend() { return *fLegend; }
  bool ScalesRestored() const { return fScalesRestored; }
  void SetScalesRestored(bool value) { fScalesRestored = value; }
  TSavedScales& SavedScales() { return fSavedScales; }
  TChartTitle& Title() { return *fTitle; }
  // The crosshair and box that follow the mouse (off by default).
  TChartReadout& Readout() { return *fReadout; }
  // The drag of a point in progress, if any (PointSeries.h).
  const TPointDrag& PointDrag() const { return fPointDrag; }

  // The back wall's colour. Setting it (except while the chart is loading)
  // also makes the back wall's brush solid, so that the colour shows.
  TColor BackColor() const;
  void SetBackColor(TColor value);
  // The back wall's frame pen.
  TChartPen& Frame() { return fBackWall->Pen(); }

  // --- Zoom and panning with the mouse.

  // Zooms the four side axes to the zoom record's rectangle (put in order
  // first), through ZoomToValues.
  virtual void ZoomToRectangle();
  // The part of the chart under (x, y) as the last paint laid it out: a
  // series point or segment (the last series first), an axis band, the
  // title, the foot, the chart rectangle (with an active series), or none.
  TChartClickedPart FindClickedPart(int x, int y);
  // Fixes the four side axes to the given ranges (saving the scales first
  // when they are the unzoomed ones), animated when AnimatedZoom is set;
  // then ZoomedIn and OnZoom.
  void ZoomToValues(double topMin, double topMax, double bottomMin, double bottomMax,
                    double leftMin, double leftMax, double rightMin, double rightMax);
  // Puts back the scales saved before the first zoom or pan, when any were
  // saved; then OnUndoZoom, a repaint request and ZoomedIn false.
  void UndoZoom();
  // Draws the zoom record's rectangle with the not-xor pen: a second call
  // with the same rectangle erases it. Outside a paint it draws on the
  // window surface.
  void PaintZoomRectangle() override;
  // The chart, then a readout shown on a picture only when it is to appear
  // in pictures (ChartReadout.cpp).
  void RenderTo(TCanvas& canvas, const TRect& rect) override;

  TChartAllowScrollEvent OnAllowScroll;
  TChartClickAxisEvent OnClickAxis;
  TChartClickEvent OnClickBackground;
  TChartClickEvent OnClickLegend;
  TChartClickSeriesEvent OnClickSeries;

 protected:
  // The panel's paint, then the readout over it on the window surface.
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
  bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
  void MouseLeave() override;

 private:
  // Starts a zoom drag (left button) or panning (right button) where the
  // settings allow it; true when one started.
  bool TryStartZoomOrPan(TMouseButton button, TShiftState shift, int x, int y);
  // OnClickBackground, when set; true when it kept the press.
  bool ClickBackground(TMouseButton button, TShiftState shift, int x, int y);
  // The series' own OnDblClick or OnClick; true when it kept the press.
  bool ClickSeries(TChartSeries& series, int valueIndex, TMouseButton button, TShiftState shift,
                   int x, int y);
  // The side axes in the saved scales' order: top, left, right, bottom.
  TCustomChartAxis& SavedScaleAxis(int index);
  void SaveScales();
  // One panning step to (x, y).
  void PanTo(int x, int y);
  // Scrolls every vertical axis by 3 percent of its range: its values rise
  // (direction +1, wheel down) or fall (-1, wheel up).
  void ScrollVerticalAxes(int direction);

  void PrepareWall(const TChartWall& wall);
  // The pixels the rectangle box, drawn with the canvas's pen and brush as
  // they stand, fills opaquely: its inside (all of it without an outline)
  // for a solid brush in the copy mode, within the clip; empty otherwise.
  TRect OpaqueFillOf(const TRect& box);

  bool fBackImageInside = false;
  std::unique_ptr<TChartWall> fBackWall;
  // What the back wall filled in the last frame, and that frame's panel.
  TRect fWallFill;
  TRect fWallFillPanel;
  std::unique_ptr<TChartWall> fBottomWall;
  std::unique_ptr<TChartTitle> fFoot;
  std::unique_ptr<TChartWall> fLeftWall;
  std::unique_ptr<TChartLegend> fLegend;
  bool fScalesRestored = true;
  TSavedScales fSavedScales;
  std::unique_ptr<TChartTitle> fTitle;
  std::unique_ptr<TChartReadout> fReadout;
  TPointDrag fPointDrag;
};

// The chart control as a window holds it. Every property is reachable
// through TCustomChart and its bases; this class adds no behaviour.
class TChart : public TCustomChart {
 public:
  TChart() = default;
};

}  // namespace drivesim

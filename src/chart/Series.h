#pragma once
// Line series: a series drawn as a polyline through its points in point
// order, each segment in the colour of the point it ends at, clipped to the
// chart rectangle by the chart. A series can also mark each point with a
// small shape (its pointer), answer which point or segment lies under a
// pixel, and tell the chart how many pixels of margin it needs inside the
// axes.
//
//   TSeriesPointer   the shape drawn at each point, owned by one series
//   TCustomSeries    the line drawing, hit test and margins
//   TLineSeries      a TCustomSeries that draws its line, pointers hidden

#include <functional>
#include <memory>
#include <vector>

#include "chart/ChartCanvas.h"
#include "chart/ChartSeries.h"
#include "chart/SeriesMarker.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

namespace drivesim {

// The shape a series draws at its points. Every setter stores a changed value
// and asks the owner series for a repaint; so do changes of its pen and
// brush.
class TSeriesPointer {
 public:
  explicit TSeriesPointer(TChartSeries& owner);
  TSeriesPointer(const TSeriesPointer&) = delete;
  TSeriesPointer& operator=(const TSeriesPointer&) = delete;

  // Fill of the shape; a colour of clDefault takes the point's colour.
  TBrush& Brush() { return fBrush; }
  const TBrush& Brush() const { return fBrush; }
  bool Dark3D() const { return fDark3D; }
  void SetDark3D(bool value);
  bool Draw3D() const { return fDraw3D; }
  void SetDraw3D(bool value);
  // Half-extents in pixels: the shape covers HorizSize pixels to each side
  // of its point and VertSize above and below. Raise ChartException "Pointer
  // size must be greater than zero" below 1 and keep the old size.
  int HorizSize() const { return fHorizSize; }
  void SetHorizSize(int value);
  int VertSize() const { return fVertSize; }
  void SetVertSize(int value);
  // The series keeps its points HorizSize + 1 and VertSize + 1 pixels clear
  // of the axis ends while the pointer is visible.
  bool InflateMargins() const { return fInflateMargins; }
  void SetInflateMargins(bool value);
  // Outline of the shape; a colour of clDefault takes the point's colour.
  TChartPen& Pen() { return fPen; }
  const TChartPen& Pen() const { return fPen; }
  TSeriesPointerStyle Style() const { return fStyle; }
  void SetStyle(TSeriesPointerStyle value);
  bool Visible() const { return fVisible; }
  void SetVisible(bool value);

  TChartSeries& Owner() const { return fOwner; }

 private:
  void Changed() const { fOwner.RequestRepaint(); }

  TChartSeries& fOwner;
  TBrush fBrush;
  bool fDark3D = true;
  bool fDraw3D = true;
  int fHorizSize = 4;
  bool fInflateMargins = true;
  TChartPen fPen;
  TSeriesPointerStyle fStyle = psRectangle;
  int fVertSize = 4;
  bool fVisible = true;
};

class TCustomSeries;

// Chooses the pointer style of one point.
using TSeriesPointerStyleEvent =
    std::function<TSeriesPointerStyle(TChartSeries& sender, int valueIndex)>;
// A pointer was clicked at pixel (x, y).
using TSeriesClickPointerEvent =
    std::function<void(TCustomSeries& sender, int valueIndex, int x, int y)>;

class TCustomSeries : public TChartSeries {
 public:
  // Pixel positions beyond this distance from the origin are not drawn.
  static constexpr int kMaxDrawablePixel = 32766;
  static bool Drawable(int x, int y) {
    return x >= -kMaxDrawablePixel && x <= kMaxDrawablePixel && y >= -kMaxDrawablePixel &&
           y <= kMaxDrawablePixel;
  }

  TCustomSeries();
  ~TCustomSeries() override;

  // Operations of the series base replaced here, in slot order.

  // Draws FirstVisible..LastVisible in order. A line of a solid pen (any width)
  // without pointers or stairs, of a series of exactly this class or
  // TLineSeries, is drawn by pixel columns (TColumnLine): the same pixels
  // and the same state of the canvas afterwards as PaintPoint for every
  // point, without walking every segment where many points share a column.
  // Every other series goes point by point.
  void DrawVisiblePoints() override;
  // Draws what belongs to point index: the segment that reaches it from the
  // previous point (or from the chart's edge for the first visible point)
  // and the pointers. Called for FirstVisible..LastVisible in order.
  void PaintPoint(int index) override;
  // The point whose pixel (or pointer) is under (x, y); with LineClickable,
  // else the first point of the segment under it; -1 for none. Only the
  // visible range of the last paint is searched.
  int ClickedPoint(int x, int y) override;
  // The line across the middle of the rectangle in the line pen's width and
  // style and the series colour, with the pointer's shape at its centre when
  // the pointer is visible; a series that draws neither shows the swatch.
  void DrawLegendShape(TChartCanvas3D& canvas, const TRect& rect) override;
  void HorizontalMargins(int& left, int& right) const override;
  void VerticalMargins(int& top, int& bottom) const override;

  // Operations added by this class, in slot order.

  // Whether (x, y) lies under the pointer of point index drawn at (px, py).
  virtual bool PointerHit(int index, int px, int py, int x, int y) const;
  // Draws the pointer of point index at (x, y) in the point's colour.
  virtual void PaintPointer(int x, int y, int index, TColor color);
  // The pixel row areas fill down to: the vertical axis' end.
  virtual int OriginPixel(int index) const;

  // The line pen's width as the parent chart's canvas draws it.
  int DeviceLineWidth() const;

  // --- Properties. Setters store a changed value and repaint.

  // The segments answer the hit test too, not only the points.
  bool LineClickable() const { return fLineClickable; }
  void SetLineClickable(bool value);
  bool Dark3D() const { return fDark3D; }
  void SetDark3D(bool value);
  bool DrawsArea() const { return fDrawsArea; }
  void SetDrawsArea(bool value);
  bool DrawsLine() const { return fDrawsLine; }
  void SetDrawsLine(bool value);
  // Stairs go vertically first, then horizontally.
  bool InvertedStairs() const { return fInvertedStairs; }
  void SetInvertedStairs(bool value);
  TBrushStyle LineBrush() const { return fLineBrush; }
  void SetLineBrush(TBrushStyle value);
  // Pixels of bottom margin the line's band needs.
  int LineHeight() const { return fLineHeight; }
  void SetLineHeight(int value);
  // Width and style of the line; its colour comes from the points.
  TChartPen& LinePen() { return *fLinePen; }
  const TChartPen& LinePen() const { return *fLinePen; }
  TSeriesPointer& Pointer() { return *fPointer; }
  const TSeriesPointer& Pointer() const { return *fPointer; }
  // Each segment is drawn as a horizontal step and a vertical rise.
  bool Stairs() const { return fStairs; }
  void SetStairs(bool value);

  TSeriesPointerStyleEvent OnGetPointerStyle;
  TSeriesClickPointerEvent OnClickPointer;

  // Drawing state carried from one PaintPoint to the next, and on into the
  // next paint: the pixel of the last drawn point and the colour of the
  // last point handled.
  int PrevX() const { return fPrevX; }
  int PrevY() const { return fPrevY; }
  TColor PrevColor() const { return fPrevColor; }

 protected:
  // Whether DrawVisiblePoints draws the line by pixel columns.
  bool DrawsLineByColumns() const;
  // The segment from (PrevX, PrevY) to point index at (x, y) in colour col,
  // then, with withPointers, the pointers of the previous and (when it is
  // the last visible one) this point.
  void PaintSegment(int index, int x, int y, TColor col, bool withPointers);
  // The pixel row at which the line from point index - 1 to point index
  // crosses the pixel column edgeX, worked out in values.
  int EdgeY(int index, int edgeX) const;
  // The pointer's shape of the given style centred on (x, y), outlined and
  // filled as the pointer's pen and brush say, clDefault taking color.
  void PaintPointerShape(TChartCanvas3D& canvas, int x, int y, TSeriesPointerStyle style,
                         TColor color);

 private:
  // PaintPoint for every visible point, its segments handed to a
  // TColumnLine, the points of one pixel column taken together where they
  // allow it (SeriesColumns.cpp).
  void DrawLineByColumns();

  bool fLineClickable = true;
  bool fDark3D = true;
  bool fDrawsArea = false;
  bool fDrawsLine = false;
  bool fInvertedStairs = false;
  TBrushStyle fLineBrush = bsSolid;
  int fLineHeight = 0;
  std::unique_ptr<TChartPen> fLinePen;
  std::unique_ptr<TSeriesPointer> fPointer;
  bool fStairs = false;

  int fPrevX = 0;
  int fPrevY = 0;
  TColor fPrevColor = 0;
  // Set when the first visible point of a paint lay too far out to draw: the
  // line then starts afresh at the next drawable point instead of joining
  // the pixel left over from an earlier paint.
  bool fLineStartPending = false;
  // The pixels of a sparse series' visible points, X then Y, mapped in one
  // pass before its columns are walked; kept so that no paint allocates.
  std::vector<int> fPointPixels;
};

class TLineSeries : public TCustomSeries {
 public:
  TLineSeries();
};

}  // namespace drivesim

#pragma once
// The chart canvas: every pixel of the chart control is drawn through one
// TChartCanvas3D. It wraps a platform surface (a TCanvas), keeps an off-screen
// buffer image so that a finished chart can be shown again with one copy, and
// offers the chart engine a fixed set of drawing operations, each also in a
// form that takes a depth coordinate.
//
// This chart is always drawn flat: depth coordinates are ignored and every
// projection is the identity. The 3D solids, pies, arcs, arrows and the
// perspective projection are not part of this canvas.
//
// Also here: the default chart font, the default series palette and the
// small geometric helpers the engine shares. The chart pens are in
// ChartPen.h, the 3D view options in View3DOptions.h, the gradient fill in
// ChartGradient.cpp.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartPen.h"
#include "chart/View3DOptions.h"
#include "platform/Canvas.h"
#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

namespace drivesim {

// The chart engine's own error, carrying a fixed message.
class ChartException : public Exception {
 public:
  using Exception::Exception;
};

// Thrown while a frame's background is compared with the last one's and a
// drawing call differs: the frame is then drawn again, whole.
struct BackgroundChanged {};

enum TGradientDirection {
  gdTopBottom,
  gdBottomTop,
  gdLeftRight,
  gdRightLeft,
  gdFromCenter,
  gdFromTopLeft,
  gdFromBottomLeft
};

// The flat drawing operations of a chart canvas, on whatever surface is
// attached. Coordinates are pixels of the attached surface; rectangles leave
// out their Right column and Bottom row; lines draw their start pixel and not
// their end pixel.
class TChartCanvas {
 public:
  TChartCanvas();
  virtual ~TChartCanvas();
  TChartCanvas(const TChartCanvas&) = delete;
  TChartCanvas& operator=(const TChartCanvas&) = delete;

  virtual TColor BackgroundColor() const = 0;
  // TRANSPARENT or OPAQUE.
  virtual int BackgroundMode() const = 0;
  // The attached surface, or nullptr.
  virtual TCanvas* DeviceContext() const = 0;
  virtual bool IsMonochrome() const = 0;
  virtual unsigned TextAlignment() const = 0;
  virtual bool IsBuffered() const = 0;
  virtual void ChangeBackgroundColor(TColor color) = 0;
  virtual void ChangeBackgroundMode(int mode) = 0;
  virtual void ChangeMonochrome(bool value) = 0;
  virtual void PlotPixel(int x, int y, TColor color) = 0;
  virtual void ChangeTextAlignment(unsigned flags) = 0;
  virtual void ChangeBuffered(bool value) = 0;
  virtual void DrawGraphic(int x, int y, const TBitmap* picture) = 0;
  virtual void DrawEllipse(int x0, int y0, int x1, int y1) = 0;
  virtual void FillArea(const TRect& rect) = 0;
  virtual void DrawLineTo(int x, int y) = 0;
  virtual void MovePenTo(int x, int y) = 0;
  virtual void DrawRectangle(int x0, int y0, int x1, int y1) = 0;
  virtual void DrawRoundedRectangle(int x0, int y0, int x1, int y1, int cornerWidth,
                                    int cornerHeight) = 0;
  virtual void DrawGraphicStretched(const TRect& rect, const TBitmap* picture) = 0;
  virtual void WriteText(int x, int y, const std::string& text) = 0;
  virtual int MeasureTextWidth(const std::string& text) = 0;
  virtual int MeasureTextHeight(const std::string& text) = 0;
  virtual void ClipTo(const TRect& rect) = 0;
  virtual void DrawHorizontal(int x0, int x1, int y) = 0;
  virtual void DrawBox(const TRect& rect) = 0;
  virtual void DrawVertical(int x, int y0, int y1) = 0;
  virtual void ClearArea(const TRect& rect) = 0;
  virtual void FillGradient(const TRect& rect, TColor startColor, TColor endColor,
                            TGradientDirection direction) = 0;
  virtual void MarkDirty() = 0;
  virtual void DrawSegment(int x0, int y0, int x1, int y1) = 0;
  // Fills the polygon through points[0..lastIndex].
  virtual void DrawPolygon(const TPoint* points, int lastIndex) = 0;
  // Angle in degrees, counter-clockwise.
  virtual void DrawRotatedText(int x, int y, const std::string& text, int angle) = 0;
  virtual void RemoveClip() = 0;

  // The surface becomes the target; Pen, Brush and Font become its own.
  void AttachCanvas(TCanvas& surface);
  // Leaves no surface attached; Pen, Brush and Font are the canvas's spare
  // ones until the next AttachCanvas.
  void DetachCanvas();
  // Black solid pen of width 1, white solid brush, black font of size 10,
  // white background colour, transparent background mode.
  void ResetDrawingState();
  void ApplyPen(const TChartPen& pen);
  // The height of "W" in the current font.
  int FontLineHeight();

  // The attached surface's drawing objects: changing them changes the
  // surface directly.
  TPen& Pen() { return *fPen; }
  TBrush& Brush() { return *fBrush; }
  TFont& Font() { return *fFont; }

  // The target is a recorded picture (printing, export).
  bool Metafiling() const { return fMetafiling; }
  void SetMetafiling(bool value) { fMetafiling = value; }

  // The density of the surface drawn on: device pixels per pixel at 96 pixels
  // per inch (1 on an ordinary screen, 2 on a 192 ppi one). ApplyPen widens
  // every pen by it, so that lines keep their thickness on the screen.
  double Scale() const { return fScale; }
  void SetScale(double value) { fScale = value; }
  // A pen width at this canvas's scale; 0 (the thinnest line) stays 0.
  int ScaledWidth(int width) const;

 protected:
  // Non-owning; nullptr while no surface is attached.
  TCanvas* fTarget = nullptr;
  TFont* fFont;
  TPen* fPen;
  TBrush* fBrush;
  bool fMetafiling = false;
  double fScale = 1.0;

 private:
  // Drawing objects used while no surface is attached, so that the chart can
  // set its pen and font before its first paint.
  TFont fSpareFont;
  TPen fSparePen;
  TBrush fSpareBrush;
};

// The depth operations. With depth ignored each is its flat counterpart.
class TCanvas3D : public TChartCanvas {
 public:
  virtual void PlotPixelAtDepth(int x, int y, int z, TColor color) = 0;
  virtual bool PrefersDepthForFlatItems() const = 0;
  virtual bool PrefersDepthForText() const = 0;
  virtual void ScreenToPlane(int& x, int& y, int z) const = 0;
  virtual TPoint PlaneToScreen(int x, int y, int z) const = 0;
  // Starts one paint; returns the rectangle to draw into. The back colour is
  // not used.
  virtual TRect BeginFrame(TCanvas& destination, TView3DOptions* options, TColor backColor,
                           bool is3D, const TRect& userRect) = 0;
  virtual void CopySettings(const TChartCanvas& other) = 0;
  virtual void SetProjection(int depth, const TRect& bounds, const TRect& rect) = 0;
  virtual void EndFrame(TCanvas& destination, TCanvas& defaultSurface, const TRect& userRect) = 0;
  virtual bool RepaintFromBuffer() = 0;
  virtual void ClipToBox(const TRect& rect, int z0, int z1) = 0;
  virtual void DrawHorizontalAtDepth(int x0, int x1, int y, int z) = 0;
  virtual void DrawVerticalAtDepth(int x, int y0, int y1, int z) = 0;
  virtual void DrawDepthLine(int x, int y, int z0, int z1) = 0;
  virtual void DrawEllipseAtDepth(int x0, int y0, int x1, int y1, int z) = 0;
  virtual void BeginFrontPlane() = 0;
  virtual void EndFrontPlane() = 0;
  virtual void DrawSegmentAtDepth(int x0, int y0, int x1, int y1, int z) = 0;
  virtual void MovePenToAtDepth(int x, int y, int z) = 0;
  virtual void DrawLineToAtDepth(int x, int y, int z) = 0;
  virtual void DrawQuadAtDepth(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) = 0;
  virtual void DrawPolygonAtDepth(const TPoint* points, int lastIndex, int z) = 0;
  virtual void DrawBoxAtDepth(const TRect& rect, int z) = 0;
  virtual void DrawRotatedTextAtDepth(int x, int y, int z, const std::string& text, int angle) = 0;
  virtual void WriteTextAtDepth(int x, int y, int z, const std::string& text) = 0;
  virtual void DrawTriangleAtDepth(TPoint p1, TPoint p2, TPoint p3, int z) = 0;

  TView3DOptions* View3DOptions() const { return fView3DOptions; }
  bool IsOrthogonal() const { return fOrthogonal; }

 protected:
  // Non-owning; the chart panel owns the options. May be nullptr.
  TView3DOptions* fView3DOptions = nullptr;
  bool fOrthogonal = false;
};

// The one concrete chart canvas.
class TChartCanvas3D : public TCanvas3D {
 public:
  TChartCanvas3D();
  ~TChartCanvas3D() override;

  TColor BackgroundColor() const override;
  int BackgroundMode() const override;
  TCanvas* DeviceContext() const override;
  bool IsMonochrome() const override;
  unsigned TextAlignment() const override;
  bool IsBuffered() const override;
  void ChangeBackgroundColor(TColor color) override;
  void ChangeBackgroundMode(int mode) override;
  void ChangeMonochrome(bool value) override;
  void PlotPixel(int x, int y, TColor color) override;
  void ChangeTextAlignment(unsigned flags) override;
  void ChangeBuffered(bool value) override;
  void DrawGraphic(int x, int y, const TBitmap* picture) override;
  void DrawEllipse(int x0, int y0, int x1, int y1) override;
  void FillArea(const TRect& rect) override;
  void DrawLineTo(int x, int y) override;
  void MovePenTo(int x, int y) override;
  void DrawRectangle(int x0, int y0, int x1, int y1) override;
  void DrawRoundedRectangle(int x0, int y0, int x1, int y1, int cornerWidth,
                            int cornerHeight) override;
  void DrawGraphicStretched(const TRect& rect, const TBitmap* picture) override;
  void WriteText(int x, int y, const std::string& text) override;
  int MeasureTextWidth(const std::string& text) override;
  int MeasureTextHeight(const std::string& text) override;
  void ClipTo(const TRect& rect) override;
  void DrawHorizontal(int x0, int x1, int y) override;
  void DrawBox(const TRect& rect) override;
  void DrawVertical(int x, int y0, int y1) override;
  void ClearArea(const TRect& rect) override;
  void FillGradient(const TRect& rect, TColor startColor, TColor endColor,
                    TGradientDirection direction) override;
  // FillGradient and ClearArea leaving the pixels of hole as they are: the
  // rest gets the pixels the whole fill gives it.
  void FillGradientAround(const TRect& rect, const TRect& hole, TColor startColor, TColor endColor,
                          TGradientDirection direction);
  void ClearAreaAround(const TRect& rect, const TRect& hole);
  void MarkDirty() override;
  void DrawSegment(int x0, int y0, int x1, int y1) override;
  void DrawPolygon(const TPoint* points, int lastIndex) override;
  void DrawRotatedText(int x, int y, const std::string& text, int angle) override;
  void RemoveClip() override;

  void PlotPixelAtDepth(int x, int y, int z, TColor color) override;
  bool PrefersDepthForFlatItems() const override;
  bool PrefersDepthForText() const override;
  void ScreenToPlane(int& x, int& y, int z) const override;
  TPoint PlaneToScreen(int x, int y, int z) const override;
  TRect BeginFrame(TCanvas& destination, TView3DOptions* options, TColor backColor, bool is3D,
                   const TRect& userRect) override;
  void CopySettings(const TChartCanvas& other) override;
  void SetProjection(int depth, const TRect& bounds, const TRect& rect) override;
  void EndFrame(TCanvas& destination, TCanvas& defaultSurface, const TRect& userRect) override;
  bool RepaintFromBuffer() override;
  void ClipToBox(const TRect& rect, int z0, int z1) override;
  void DrawHorizontalAtDepth(int x0, int x1, int y, int z) override;
  void DrawVerticalAtDepth(int x, int y0, int y1, int z) override;
  void DrawDepthLine(int x, int y, int z0, int z1) override;
  void DrawEllipseAtDepth(int x0, int y0, int x1, int y1, int z) override;
  void BeginFrontPlane() override;
  void EndFrontPlane() override;
  void DrawSegmentAtDepth(int x0, int y0, int x1, int y1, int z) override;
  void MovePenToAtDepth(int x, int y, int z) override;
  void DrawLineToAtDepth(int x, int y, int z) override;
  void DrawQuadAtDepth(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) override;
  void DrawPolygonAtDepth(const TPoint* points, int lastIndex, int z) override;
  void DrawBoxAtDepth(const TRect& rect, int z) override;
  void DrawRotatedTextAtDepth(int x, int y, int z, const std::string& text, int angle) override;
  void WriteTextAtDepth(int x, int y, int z, const std::string& text) override;
  void DrawTriangleAtDepth(TPoint p1, TPoint p2, TPoint p3, int z) override;

  // The segments in turn, each with the pixels DrawSegment sets for it with
  // the surface's pen (solid, in the copy mode, of any width) in the
  // segment's colour; the pen and its position stay as they are.
  void DrawSegments(const TThinLine* lines, int count);
  // While set, the wide solid lines of DrawSegment, DrawLineTo,
  // DrawHorizontal, DrawVertical and DrawSegments that the scale does not
  // widen are the surface's round pen (TCanvas::DrawRoundLines): a series'
  // line sets the same pixels wherever it lies and however it is cut into
  // segments. Axes, frames and shapes keep the surface's own wide pen.
  void SetRoundLines(bool value) { fRoundLines = value; }
  bool RoundLines() const { return fRoundLines; }
  // Whether DrawSegment with the surface's pen (solid, in the copy mode)
  // sets the pixels of thin lines, each leaving out its end pixel: a thin
  // pen, or one widened only by the scale, drawn as thin copies side by
  // side. A wider pen covers the ends of its lines.
  bool SegmentsLeaveEndPixel() const;

  // Set while every frame paints each pixel of its rectangle (the chart
  // fills its whole panel first, except when printing): a frame may then be
  // drawn into pixels that held an older frame, so that the last one can stay
  // shared with the surface it was handed to instead of being copied.
  void SetFramesPaintEveryPixel(bool value) { fFramesPaintEveryPixel = value; }
  // The off-screen image of buffered display; nullptr until a buffered frame
  // begins and after it is freed.
  const TBitmap* BufferImage() const { return fBufferImage.get(); }
  // How many buffer images have been made so far: the buffer is made again
  // only when the frame's size or the monochrome flag changes.
  int BufferImageCreations() const { return fBufferImageCreations; }
  // True while the buffer image no longer shows the chart.
  bool IsDirty() const { return fDirty; }
  // The last rectangle given to BeginFrame.
  TRect Bounds() const { return fBounds; }
  // Depth coordinates would be projected; BeginFrontPlane switches it off.
  bool Is3D() const { return f3D; }
  bool ZoomText() const { return fZoomText; }
  double ZoomFactor() const { return fZoomFactor; }
  double PerspectiveFactor() const { return fPerspectiveFactor; }
  // The projection centre and its screen point, set by SetProjection.
  int CentreX() const { return fCentreX; }
  int CentreY() const { return fCentreY; }
  int CentreZ() const { return fCentreZ; }
  TPoint CentreOffset() const { return {fCentreOffsetX, fCentreOffsetY}; }
  // Solid brushes the last FillGradient made: one for each change of band
  // colour.
  int GradientBrushCount() const { return fGradientBrushCount; }

  // The background kept from frame to frame. A buffered frame that paints
  // every pixel is drawn in two parts: its background (everything before
  // the series) and the rest. Each drawing call of the background is
  // recorded with the state it draws in. Once two frames in a row drew the
  // same background, its picture is kept; a later frame whose background
  // calls are the same again (compared, not drawn) copies back from it only
  // the tiles drawn on since, and draws the rest as ever. A call that
  // differs throws BackgroundChanged, and the frame is drawn again whole.
  // A buffer drawn on over most of its tiles draws its background instead;
  // a background that changes frame after frame is recorded only now and
  // then.
  //
  // BeginBackground starts a frame's background, compared when reuse is
  // asked for and possible, else drawn and recorded; EndBackground ends it.
  void BeginBackground(bool reuse);
  void EndBackground();
  // Whether the next frame's background can be compared rather than drawn.
  bool CanReuseBackground() const;
  // Frames so far whose background was copied back rather than drawn.
  int BackgroundReuses() const { return fBackgroundReuses; }

 private:
  struct BackgroundRecord;
  class RecordedCall;
  friend class RecordedCall;
  // A buffered frame that paints every pixel is being drawn into the buffer.
  bool DrawsIntoBuffer() const;
  std::unique_ptr<BackgroundRecord> fBackground;
  int fBackgroundReuses = 0;
  // A wide line of the round pen, when RoundLines is set and the pen is one
  // it draws; the pen then ends at (x1, y1).
  bool DrawRoundLine(int x0, int y0, int x1, int y1);
  bool fRoundLines = false;
  void FreeBufferImage();
  // Draws the line from (x0, y0) to (x1, y1), which runs along a row or a
  // column, with a wide solid pen, or a wide patterned one with transparent
  // gaps; false when the pen is not of that kind and the line was left to
  // the surface.
  bool DrawWideAxisLine(int x0, int y0, int x1, int y1);
  // A rectangle with a wide solid pen in the copy mode and a solid brush or
  // none, as the surface draws it, its outline learnt as a wide axis line's
  // pixels are; false, with nothing drawn, for any other.
  bool DrawWideBox(int x0, int y0, int x1, int y1);
  // Fills fill with the brush (nothing when it is empty), then sets the
  // thin lines learnt for a wide line or box in color; the bitmap hears of both once.
  void DrawLearntPixels(const TRect& fill, const std::vector<TThinLineRepeat>& lines, TColor color);
  // At a scale other than 1: draws a line of a scaled pen as whole pixels,
  // the way the pen draws it at scale 1; false when the pen is not wide,
  // solid and plain, or the line is left to the surface.
  bool DrawScaledLine(int x0, int y0, int x1, int y1);
  // Whether destination's bitmap holds the last frame's pixels, and drawing
  // the spare frame (of the frame's size) onto it makes it share the spare's
  // pixels instead.
  bool SurfaceCanShowSpare(TCanvas& destination) const;
  struct WideLineCoverage;

  int fCentreX = 0;
  int fCentreY = 0;
  int fCentreZ = 0;
  int fCentreOffsetX = 0;
  int fCentreOffsetY = 0;
  bool fSaved3D = false;
  bool f3D = false;
  std::unique_ptr<TBitmap> fBufferImage;
  // The pixels of an earlier frame: drawn over by the next frame while the
  // surface still shows the last one, or shown by the surface while the next
  // frame is drawn over the last one (see BeginFrame).
  std::unique_ptr<TBitmap> fSpareImage;
  bool fBuffered = true;
  bool fMonochrome = false;
  bool fDirty = true;
  bool fFramesPaintEveryPixel = false;
  TRect fBounds;
  bool fZoomText = true;
  double fZoomFactor = 1.0;
  double fPerspectiveFactor = 0.0;
  // Corners of the last four-point polygon.
  TPoint fFourPoints[4];
  int fBufferImageCreations = 0;
  int fGradientBrushCount = 0;
  // The pixels of the last few wide lines, learnt from the surface.
  std::unique_ptr<WideLineCoverage> fWideLines;
};

// Width and height of a rectangle: Right - Left and Bottom - Top.
void RectExtent(const TRect& rect, int& width, int& height);
// ((Left + Right) / 2, (Top + Bottom) / 2), each truncated toward zero.
TPoint RectMidpoint(const TRect& rect);

// Entry index mod 16 of the default series palette (red, green, yellow, blue,
// white, grey, fuchsia, teal, navy, maroon, lime, olive, purple, silver,
// aqua, black).
TColor DefaultSeriesColor(int index);

// A new font of the default chart font name and size, black, no style, whose
// change notification calls the owner.
std::unique_ptr<TFont> MakeDefaultFont(std::function<void()> onChange);
// True when the font is what MakeDefaultFont makes.
bool IsDefaultChartFont(const TFont& font);

// Raises ChartException "<property> Angle must be between 0 and 359 degrees"
// for an angle below 0 or above 359.
void ValidateAngle(int angle, const std::string& propertyName);

}  // namespace drivesim

#pragma once
// TCanvas: the drawing surface of a TBitmap, with GDI-like pixel rules.
//
// Rendering rules (pinned by tests on small bitmaps):
// - Rectangles, ellipses and fills given as (Left, Top, Right, Bottom) cover
//   columns Left..Right-1 and rows Top..Bottom-1; the outline is drawn with
//   the pen on that boundary and the inside filled with the brush.
// - MoveTo/LineTo draws the start pixel and not the end pixel.
// - Dotted and dashed lines are drawn opaque: their gaps take the brush colour
//   while the background mode is OPAQUE (the default).
// - Polygons are filled alternately (odd-even); polylines are not filled.
// - Text is written in the font's colour at the reference point placed by the
//   alignment flags, over a background that follows the background mode.
// Every operation goes the same way: resolve colours, apply the clip, return
// early when there is nothing to draw, draw, notify the bitmap.

#include <string>

#include "platform/Graphics.h"

namespace drivesim {

class TCanvas {
 public:
  explicit TCanvas(TBitmap& bitmap);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TBitmap& Bitmap() { return fBitmap; }
  TPen& Pen() { return fPen; }
  TBrush& Brush() { return fBrush; }
  TFont& Font() { return fFont; }

  TPoint PenPos() const { return fPenPos; }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);

  void Rectangle(int left, int top, int right, int bottom);
  void Ellipse(int left, int top, int right, int bottom);
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
  void Polygon(const TPoint* points, int count);
  void Polyline(const TPoint* points, int count);
  // Fills with the brush, no outline.
  void FillRect(const TRect& rect);

  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  void TextOut(int x, int y, const std::string& text);
  int TextWidth(const std::string& text);
  int TextHeight(const std::string& text);

  unsigned TextAlign() const { return fTextAlign; }
  void SetTextAlign(unsigned flags) { fTextAlign = flags; }
  int BackgroundMode() const { return fBackgroundMode; }
  void SetBackgroundMode(int mode) { fBackgroundMode = mode; }
  TColor BackgroundColor() const { return fBackgroundColor; }
  void SetBackgroundColor(TColor color) { fBackgroundColor = color; }

  // Intersects the clip region with the rectangle; successive clips narrow it.
  void IntersectClipRect(const TRect& rect);
  void RemoveClip();
  bool HasClip() const { return fHasClip; }
  TRect ClipRect() const { return fClip; }

  // Copies the whole source bitmap with its top-left corner at (x, y).
  void Draw(int x, int y, const TBitmap& source);
  // Copies the source bitmap stretched into the rectangle.
  void StretchDraw(const TRect& rect, const TBitmap& source);

 private:
  struct Painter;
  TBitmap& fBitmap;
  TPen fPen;
  TBrush fBrush;
  TFont fFont;
  TPoint fPenPos;
  unsigned fTextAlign = TA_LEFT | TA_TOP;
  int fBackgroundMode = OPAQUE;
  TColor fBackgroundColor = clWhite;
  bool fHasClip = false;
  TRect fClip;
};

}  // namespace drivesim

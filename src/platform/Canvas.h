#pragma once
// TCanvas: the drawing surface of a TBitmap, with GDI-like pixel rules.
//
// Rendering rules (pinned by tests on small bitmaps):
// - Rectangles, ellipses and fills given as (Left, Top, Right, Bottom) cover
//   columns Left..Right-1 and rows Top..Bottom-1; the outline is drawn with
//   the pen on that boundary and the inside filled with the brush. Without a
//   pen the brush covers the same pixels; without a brush the inside stays.
//   Corners given the other way round are swapped.
// - MoveTo/LineTo draws the start pixel and not the end pixel, in every
//   direction; a line of one pixel per step along its longer axis. Polylines
//   follow the same rule segment by segment, their last point left out.
// - A pen of width 1 (or the alternate-pixel pen) is thin. A wider pen is
//   centred on the line or on the outline's pixels, with round ends and
//   joins, so a wide line covers its end point.
// - Dotted and dashed lines are drawn opaque: their gaps take the brush colour
//   while the background mode is OPAQUE (the default) and the brush is
//   solid; otherwise the gaps are left alone. Dots are 1 on, 2 off; dashes 4
//   on, 2 off; the alternate-pixel pen 1 on, 1 off. The pattern runs on from
//   one LineTo to the next and starts afresh at MoveTo.
// - The not-xor pen mode inverts pen xor pixel, so drawing twice restores.
//   It applies to lines and shapes; fills, pixels, text and copies ignore it.
//   Under it the gaps of a dotted shape outline are left alone.
// - Polygons are filled alternately (odd-even); polylines are not filled.
// - Text is written in the font's colour at the reference point placed by the
//   alignment flags, turned by the font's orientation about that point, over
//   a background that follows the background mode: OPAQUE fills the text box
//   (TextWidth x TextHeight) with the background colour. Glyphs are smoothed.
// - A change of the brush sets the text background as the brush gives it: a
//   solid brush makes the background opaque in the brush's colour, any other
//   style makes it transparent. SetBackgroundMode and SetBackgroundColor
//   override that until the brush changes again.
// - The clip rectangle applies to everything, pixels and copies included.
// Every operation goes the same way: resolve colours, apply the clip, return
// early when there is nothing to draw, draw, notify the bitmap.

#include <cstddef>
#include <memory>
#include <string>

#include "platform/Graphics.h"

namespace drivesim {

class TPixelLayer;

// A line of a thin solid pen in the copy mode, as TCanvas::DrawThinLines
// draws it: from (X0, Y0) to (X1, Y1), the start pixel drawn and the end
// pixel not, in Color.
struct TThinLine {
  int X0;
  int Y0;
  int X1;
  int Y1;
  TColor Color;
};

// A thin line and copies of it: the line from (X0, Y0) to (X1, Y1), then
// Count - 1 copies, each moved by (StepX, StepY) from the one before, as
// TCanvas::DrawThinLineRepeats draws them. The pixels a wide line or a
// box's outline is learnt to set come as such repeats: the dots of a
// dotted line, the rows of a block.
struct TThinLineRepeat {
  int X0;
  int Y0;
  int X1;
  int Y1;
  int Count;
  int StepX;
  int StepY;
};

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
  // Draws the lines in turn, each with the pixels MoveTo and LineTo set with
  // a solid pen of width 1 in the copy mode and the line's colour, whatever
  // the pen is; the pen and its position stay as they are. One notification
  // for them all.
  void DrawThinLines(const TThinLine* lines, int count);
  // Draws each repeat's line and its copies in turn as DrawThinLines draws
  // thin lines, all in the one colour; one notification for them all.
  void DrawThinLineRepeats(const TThinLineRepeat* repeats, int count, TColor color);
  // Draws the lines in turn, each with the pixels MoveTo and LineTo set with
  // the pen (solid, in the copy mode, of any width) in the line's colour;
  // the pen and its position stay as they are. One notification for them
  // all.
  void DrawWideLines(const TThinLine* lines, int count);
  // As DrawWideLines, each line drawn with the round pen: the pixels whose
  // centres lie closer than half the pen's width to the segment between the
  // end pixels' centres (their lower right corners for an even width), the
  // same wherever the line lies. Pens the round pen does not draw (patterned,
  // another mix mode) and lines reaching a million pixels out are drawn as
  // LineTo draws them.
  void DrawRoundLines(const TThinLine* lines, int count);
  // Whether the pen is one the round pen draws: solid, in the copy mode, 2
  // or more pixels wide.
  bool DrawsRoundLines() const;
  // Fills with the brush, no outline.
  void FillRect(const TRect& rect);

  // A pixel outside the bitmap reads 0xFFFFFFFF and cannot be set.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  void TextOut(int x, int y, const std::string& text);
  // The advance width of the text and the height of the font's character
  // cell (ascent plus descent), in pixels; an empty text is 0 wide.
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
  // Sets the pixels of the layer to the layer's colours (a copy: the pen's
  // mode does not apply), as far as they lie in the bitmap and the clip.
  void DrawPixelLayer(const TPixelLayer& layer);
  // Copies from source, an image of this bitmap's size, every tile the
  // bitmap's damage map marks, and clears the map: the bitmap then shows the
  // source's picture wherever it was not drawn on since the source was the
  // same. False, with nothing copied, without a damage map, under a clip, or
  // for a source of another size or kind.
  bool RestoreDamage(const TBitmap& source);
  // Fills every tile the bitmap's damage map marks with the colour and
  // clears the map: an image drawn on again and again, brought back to one
  // colour at the cost of what was drawn. Ignores the clip. False, with
  // nothing filled, without a damage map.
  bool FillDamage(TColor color);

  // Where the pen stands and how far along its dot pattern it is: what a
  // line drawn from here continues. RestorePlace sets both back.
  struct PenPlace {
    TPoint Position;
    int Phase;
  };
  PenPlace Place() const { return {fPenPos, fPatternPhase}; }
  void RestorePlace(const PenPlace& place) {
    fPenPos = place.Position;
    fPatternPhase = place.Phase;
  }

 private:
  // Sets the text background from the brush, as a newly selected brush does.
  void BrushChanged();
  friend class TBitmap;
  struct Painter;
  struct OpenPainter;
  struct FontCache;
  // Ends the platform painter kept open on the bitmap's image (the bitmap
  // calls it before it replaces its image).
  void EndPainting();
  // Makes the image safe to write pixel by pixel beside the open painter.
  void PrepareDirectWrite();
  // The image's pixels, made safe to write one by one (PrepareDirectWrite):
  // the first byte of row 0, and the bytes from one row to the next.
  struct DirectPixels {
    unsigned char* Bits;
    std::ptrdiff_t Stride;
  };
  DirectPixels BeginDirectWrite();
  // Draws a line of a thin (cosmetic) pen pixel by pixel, the start pixel
  // included and the end pixel excluded; phase is the position in the pen's
  // dot pattern and carries on from one segment to the next.
  void ThinLine(TPoint from, TPoint to, int& phase);
  // Sets the pixels of one line of the round pen in color inside visible
  // (VisibleRect(), not empty), without a notification; false, with nothing
  // set, for a line too far out for the exact test.
  bool SetRoundLinePixels(int x0, int y0, int x1, int y1, TColor color, const TRect& visible);
  void DrawLines(const TThinLine* lines, int count, bool roundPen);
  // Set the pixels of a solid ellipse in box (at least 2 x 2) or of a solid
  // polygon inside the visible part, each with a thin solid outline or none,
  // exactly as the painter would; visible is VisibleRect(), not empty.
  void SetEllipsePixels(const TRect& box, bool fill, bool outline, const TRect& visible);
  void SetPolygonPixels(const TPoint* points, int count, bool fill, bool outline,
                        const TRect& visible);
  const FontCache& CurrentFont();
  // The part of the bitmap that drawing may change: the whole image, cut to
  // the clip rectangle when there is one; empty when nothing can be drawn.
  TRect VisibleRect() const {
    const TRect whole{0, 0, fBitmap.Width(), fBitmap.Height()};
    if (whole.IsEmpty()) return TRect{};
    return fHasClip ? IntersectRects(whole, fClip) : whole;
  }
  // Patterned lines fill their gaps with the brush colour.
  bool OpaqueGaps() const { return fBackgroundMode == OPAQUE && fBrush.Style() == bsSolid; }

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
  // Position in the dot pattern of the pen; MoveTo starts it afresh and
  // successive LineTo calls continue it.
  int fPatternPhase = 0;
  std::unique_ptr<FontCache> fFontCache;
  std::unique_ptr<OpenPainter> fOpenPainter;
};

}  // namespace drivesim

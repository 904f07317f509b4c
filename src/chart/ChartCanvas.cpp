#include "chart/ChartCanvas.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "chart/ChartBackground.h"
#include "chart/ChartStrings.h"
#include "chart/ChartWideLines.h"
#include "platform/Numbers.h"

namespace drivesim {

namespace {

// The platform family decides how a chart pen with SmallDots draws: the NT
// family offers a cosmetic pen that sets alternate pixels. This platform
// always draws such lines, so it counts as that family.
constexpr bool kPlatformHasAlternatePixelPen = true;

constexpr std::array<TColor, 16> kDefaultPalette = {
    clRed,  clGreen,  clYellow, clBlue,  clWhite,  clGray,   clFuchsia, clTeal,
    clNavy, clMaroon, clLime,   clOlive, clPurple, clSilver, clAqua,    clBlack};

}  // namespace

// ---------------------------------------------------------------------------
// TChartCanvas

TChartCanvas::TChartCanvas() : fFont(&fSpareFont), fPen(&fSparePen), fBrush(&fSpareBrush) {}

TChartCanvas::~TChartCanvas() = default;

void TChartCanvas::AttachCanvas(TCanvas& surface) {
  fTarget = &surface;
  fFont = &surface.Font();
  fPen = &surface.Pen();
  fBrush = &surface.Brush();
}

void TChartCanvas::DetachCanvas() {
  fTarget = nullptr;
  fFont = &fSpareFont;
  fPen = &fSparePen;
  fBrush = &fSpareBrush;
}

void TChartCanvas::ResetDrawingState() {
  TPen& pen = Pen();
  pen.SetColor(clBlack);
  pen.SetWidth(1);
  pen.SetStyle(psSolid);
  pen.SetAlternatePixels(false);
  TBrush& brush = Brush();
  brush.SetColor(clWhite);
  brush.SetStyle(bsSolid);
  TFont& font = Font();
  font.SetColor(clBlack);
  font.SetSize(10);
  ChangeBackgroundColor(clWhite);
  ChangeBackgroundMode(TRANSPARENT);
}

void TChartCanvas::ApplyPen(const TChartPen& pen) {
  TPen& current = Pen();
  if (!pen.Visible()) {
    // Colour and width stay as they were; only the style hides the pen.
    current.SetStyle(psClear);
    return;
  }
  if (pen.SmallDots() && pen.Width() == 1 && kPlatformHasAlternatePixelPen) {
    TPen dots;
    dots.SetColor(ColorToRGB(pen.Color()));
    dots.SetWidth(1);
    dots.SetStyle(psSolid);
    dots.SetMode(current.Mode());
    dots.SetAlternatePixels(true);
    current.Assign(dots);
    return;
  }
  current.Assign(static_cast<const TPen&>(pen));
  if (fScale != 1.0) current.SetWidth(ScaledWidth(pen.Width()));
}

int TChartCanvas::ScaledWidth(int width) const {
  if (width <= 0) return width;
  return std::max(1, ScalePixels(width, fScale));
}

int TChartCanvas::FontLineHeight() { return MeasureTextHeight("W"); }

// ---------------------------------------------------------------------------
// Lines at a scale other than 1

// At scale 1 a pen of width 1 draws a thin line, its start pixel in and its
// end pixel out, and a wider pen adds round ends. Scaled, a solid pen no
// wider than a scaled one-pixel pen draws the thin line thickened: as many
// thin lines as the pen is wide, side by side across the line's longer
// direction, placed as the surface places a wide pen (from (width - 1) / 2
// pixels before the line's own row or column). Such a line ends where the
// thin one ends, so ticks do not reach back over the axis line, and the
// segments of a trace meet without caps. Along a row or a column a wider
// pen, wide before it was scaled, is a band that also covers half its width
// beyond either end, as its round ends would; other wide lines are left to
// the surface. The copies are thin lines in the pen's colour, under the
// clip, and never overlap.
bool TChartCanvas3D::DrawScaledLine(int x0, int y0, int x1, int y1) {
  TPen& pen = fTarget->Pen();
  const int width = pen.Width();
  if (fScale == 1.0 || pen.Style() != psSolid || width <= 1 || pen.AlternatePixels() ||
      pen.Mode() != pmCopy) {
    return false;
  }
  const bool thickened = width <= ScaledWidth(1);
  if (x0 == x1 && y0 == y1) {
    // A thin line of no length sets no pixel (a tick of length 0), and so
    // does the thin line thickened; in a series' line the round pen still
    // draws such a segment as its dot.
    if (!thickened || fRoundLines) return false;
    fTarget->MoveTo(x1, y1);
    return true;
  }
  const bool alongRow = y0 == y1;
  if (!thickened && !alongRow && x0 != x1) return false;
  // Copies step across the longer direction: down for a flat line, right
  // for a steep one.
  const bool flat = std::abs(x1 - x0) >= std::abs(y1 - y0);
  int ax = x0, ay = y0, bx = x1, by = y1;
  if (!thickened) {
    // The band's ends reach half the width beyond the line's.
    const int half = width / 2;
    if (alongRow) {
      ax = std::min(x0, x1) - half;
      bx = std::max(x0, x1) + half;
    } else {
      ay = std::min(y0, y1) - half;
      by = std::max(y0, y1) + half;
    }
  }
  const int first = -(width - 1) / 2;
  pen.SetWidth(1);
  for (int k = first; k < first + width; ++k) {
    const int dx = flat ? 0 : k;
    const int dy = flat ? k : 0;
    fTarget->MoveTo(ax + dx, ay + dy);
    fTarget->LineTo(bx + dx, by + dy);
  }
  pen.SetWidth(width);
  // The pen ends where the line ends, as after drawing it.
  fTarget->MoveTo(x1, y1);
  return true;
}

bool TChartCanvas3D::SegmentsLeaveEndPixel() const {
  if (!fTarget) return true;
  const int width = fTarget->Pen().Width();
  return width <= 1 || (fScale != 1.0 && width <= ScaledWidth(1));
}

void TChartCanvas3D::DrawSegments(const TThinLine* lines, int count) {
  RecordedCall call(*this, RecordedCall::kSegments);
  if (call.Lines(lines, count).Skip()) return;
  if (!fTarget || lines == nullptr || count <= 0) return;
  const int width = fTarget->Pen().Width();
  if (width <= 1) {
    fTarget->DrawThinLines(lines, count);
    return;
  }
  const bool round = fRoundLines && fTarget->DrawsRoundLines();
  if (fScale == 1.0) {
    if (round) {
      fTarget->DrawRoundLines(lines, count);
    } else {
      fTarget->DrawWideLines(lines, count);
    }
    return;
  }
  // As DrawScaledLine draws each: thin copies side by side where it makes
  // them, the others left to the surface's wide pen, all in order.
  std::array<TThinLine, 256> copies;
  std::size_t pending = 0;
  const auto flush = [&] {
    fTarget->DrawThinLines(copies.data(), static_cast<int>(pending));
    pending = 0;
  };
  const bool thickened = width <= ScaledWidth(1);
  const int half = width / 2;
  const int first = -(width - 1) / 2;
  for (int i = 0; i < count; ++i) {
    const TThinLine& line = lines[i];
    const bool alongRow = line.Y0 == line.Y1;
    const bool point = alongRow && line.X0 == line.X1;
    if (point || (!thickened && !alongRow && line.X0 != line.X1)) {
      flush();
      if (round) {
        fTarget->DrawRoundLines(&line, 1);
      } else {
        fTarget->DrawWideLines(&line, 1);
      }
      continue;
    }
    const bool flat = std::abs(line.X1 - line.X0) >= std::abs(line.Y1 - line.Y0);
    int ax = line.X0, ay = line.Y0, bx = line.X1, by = line.Y1;
    if (!thickened) {
      if (alongRow) {
        ax = std::min(line.X0, line.X1) - half;
        bx = std::max(line.X0, line.X1) + half;
      } else {
        ay = std::min(line.Y0, line.Y1) - half;
        by = std::max(line.Y0, line.Y1) + half;
      }
    }
    for (int k = first; k < first + width; ++k) {
      if (pending == copies.size()) flush();
      const int dx = flat ? 0 : k;
      const int dy = flat ? k : 0;
      copies[pending++] = TThinLine{ax + dx, ay + dy, bx + dx, by + dy, line.Color};
    }
  }
  flush();
}

// ---------------------------------------------------------------------------
// TChartCanvas3D: state queries and changes

TChartCanvas3D::TChartCanvas3D() = default;

TChartCanvas3D::~TChartCanvas3D() { FreeBufferImage(); }

void TChartCanvas3D::FreeBufferImage() {
  if (fBufferImage && fTarget == &fBufferImage->Canvas()) DetachCanvas();
  fBufferImage.reset();
  fSpareImage.reset();
  fBackground.reset();
}

TColor TChartCanvas3D::BackgroundColor() const {
  return fTarget ? fTarget->BackgroundColor() : clWhite;
}

int TChartCanvas3D::BackgroundMode() const { return fTarget ? fTarget->BackgroundMode() : OPAQUE; }

TCanvas* TChartCanvas3D::DeviceContext() const { return fTarget; }

bool TChartCanvas3D::IsMonochrome() const { return fMonochrome; }

unsigned TChartCanvas3D::TextAlignment() const {
  return fTarget ? fTarget->TextAlign() : TA_LEFT | TA_TOP;
}

bool TChartCanvas3D::IsBuffered() const { return fBuffered; }

void TChartCanvas3D::ChangeBackgroundColor(TColor color) {
  if (fTarget) fTarget->SetBackgroundColor(ColorToRGB(color));
}

void TChartCanvas3D::ChangeBackgroundMode(int mode) {
  if (fTarget) fTarget->SetBackgroundMode(mode);
}

void TChartCanvas3D::ChangeMonochrome(bool value) {
  if (value == fMonochrome) return;
  fMonochrome = value;
  FreeBufferImage();
  fDirty = true;
  if (fView3DOptions) fView3DOptions->Repaint();
}

void TChartCanvas3D::ChangeTextAlignment(unsigned flags) {
  if (fTarget) fTarget->SetTextAlign(flags);
}

void TChartCanvas3D::ChangeBuffered(bool value) {
  fBuffered = value;
  if (!value && fBufferImage) {
    FreeBufferImage();
    fDirty = true;
  }
}

// ---------------------------------------------------------------------------
// TChartCanvas3D: flat drawing

void TChartCanvas3D::PlotPixel(int x, int y, TColor color) {
  RecordedCall call(*this, RecordedCall::kPlotPixel);
  if ((call << x << y << static_cast<int>(color)).Skip()) return;
  if (fTarget) fTarget->SetPixel(x, y, ColorToRGB(color));
}

void TChartCanvas3D::DrawGraphic(int x, int y, const TBitmap* picture) {
  RecordedCall(*this, RecordedCall::kPicture).Refuse();
  if (!fTarget || !picture || picture->Width() <= 0 || picture->Height() <= 0) return;
  // A monochrome picture maps its two colours to the background colour and
  // the text colour; text here is always written in the font's colour.
  fTarget->SetBackgroundColor(ColorToRGB(Brush().Color()));
  fTarget->Draw(x, y, *picture);
}

void TChartCanvas3D::DrawEllipse(int x0, int y0, int x1, int y1) {
  RecordedCall call(*this, RecordedCall::kEllipse);
  if ((call << x0 << y0 << x1 << y1).Skip()) return;
  if (fTarget) fTarget->Ellipse(x0, y0, x1, y1);
}

void TChartCanvas3D::FillArea(const TRect& rect) {
  RecordedCall call(*this, RecordedCall::kFillArea);
  if ((call << rect).Skip()) return;
  if (fTarget) fTarget->FillRect(rect);
}

void TChartCanvas3D::DrawLineTo(int x, int y) {
  RecordedCall call(*this, RecordedCall::kLineTo);
  if ((call << x << y).Skip()) return;
  if (!fTarget) return;
  const TPoint from = fTarget->PenPos();
  if (DrawScaledLine(from.X, from.Y, x, y)) return;
  if (DrawRoundLine(from.X, from.Y, x, y)) return;
  fTarget->LineTo(x, y);
}

bool TChartCanvas3D::DrawRoundLine(int x0, int y0, int x1, int y1) {
  if (!fRoundLines || !fTarget->DrawsRoundLines()) return false;
  const TThinLine line{x0, y0, x1, y1, fTarget->Pen().Color()};
  fTarget->DrawRoundLines(&line, 1);
  fTarget->MoveTo(x1, y1);
  return true;
}

void TChartCanvas3D::MovePenTo(int x, int y) {
  if (fTarget) fTarget->MoveTo(x, y);
}

void TChartCanvas3D::DrawRectangle(int x0, int y0, int x1, int y1) {
  RecordedCall call(*this, RecordedCall::kRectangle);
  if ((call << x0 << y0 << x1 << y1).Skip()) return;
  if (!fTarget) return;
  if (DrawWideBox(x0, y0, x1, y1)) return;
  fTarget->Rectangle(x0, y0, x1, y1);
}

void TChartCanvas3D::DrawRoundedRectangle(int x0, int y0, int x1, int y1, int cornerWidth,
                                          int cornerHeight) {
  RecordedCall call(*this, RecordedCall::kRoundedRectangle);
  if ((call << x0 << y0 << x1 << y1 << cornerWidth << cornerHeight).Skip()) return;
  if (fTarget) fTarget->RoundRect(x0, y0, x1, y1, cornerWidth, cornerHeight);
}

void TChartCanvas3D::DrawGraphicStretched(const TRect& rect, const TBitmap* picture) {
  RecordedCall(*this, RecordedCall::kPicture).Refuse();
  if (!fTarget || !picture || picture->Width() <= 0 || picture->Height() <= 0) return;
  fTarget->StretchDraw(rect, *picture);
}

void TChartCanvas3D::WriteText(int x, int y, const std::string& text) {
  RecordedCall call(*this, RecordedCall::kText);
  if ((call << x << y << text).Skip()) return;
  // The surface writes text in its font's colour, resolved to RGB, placed by
  // its alignment flags over a background that follows its background mode.
  if (fTarget) fTarget->TextOut(x, y, text);
}

int TChartCanvas3D::MeasureTextWidth(const std::string& text) {
  if (!fTarget) return 0;
  return std::max(0, fTarget->TextWidth(text));
}

int TChartCanvas3D::MeasureTextHeight(const std::string& text) {
  if (!fTarget) return 0;
  return std::max(0, fTarget->TextHeight(text));
}

void TChartCanvas3D::ClipTo(const TRect& rect) {
  // Logical and device coordinates coincide on this platform; the surface
  // intersects the new rectangle with its current clip region.
  if (fTarget) fTarget->IntersectClipRect(rect);
}

void TChartCanvas3D::DrawHorizontal(int x0, int x1, int y) {
  RecordedCall call(*this, RecordedCall::kHorizontal);
  if ((call << x0 << x1 << y).Skip()) return;
  if (!fTarget) return;
  if (DrawScaledLine(x0, y, x1, y)) return;
  if (DrawRoundLine(x0, y, x1, y)) return;
  fTarget->MoveTo(x0, y);
  if (DrawWideAxisLine(x0, y, x1, y)) return;
  fTarget->LineTo(x1, y);
}

void TChartCanvas3D::DrawBox(const TRect& rect) {
  DrawRectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TChartCanvas3D::DrawVertical(int x, int y0, int y1) {
  RecordedCall call(*this, RecordedCall::kVertical);
  if ((call << x << y0 << y1).Skip()) return;
  if (!fTarget) return;
  if (DrawScaledLine(x, y0, x, y1)) return;
  if (DrawRoundLine(x, y0, x, y1)) return;
  fTarget->MoveTo(x, y0);
  if (DrawWideAxisLine(x, y0, x, y1)) return;
  fTarget->LineTo(x, y1);
}

void TChartCanvas3D::ClearArea(const TRect& rect) { FillArea(rect); }

void TChartCanvas3D::MarkDirty() { fDirty = true; }

void TChartCanvas3D::DrawSegment(int x0, int y0, int x1, int y1) {
  RecordedCall call(*this, RecordedCall::kSegment);
  if ((call << x0 << y0 << x1 << y1).Skip()) return;
  if (!fTarget) return;
  if (DrawScaledLine(x0, y0, x1, y1)) return;
  if (DrawRoundLine(x0, y0, x1, y1)) return;
  fTarget->MoveTo(x0, y0);
  fTarget->LineTo(x1, y1);
}

void TChartCanvas3D::DrawPolygon(const TPoint* points, int lastIndex) {
  RecordedCall call(*this, RecordedCall::kPolygon);
  if (call.Points(points, lastIndex + 1).Skip()) return;
  if (!fTarget || !points || lastIndex < 0) return;
  fTarget->Polygon(points, lastIndex + 1);
}

void TChartCanvas3D::DrawRotatedText(int x, int y, const std::string& text, int angle) {
  RecordedCall call(*this, RecordedCall::kRotatedText);
  if ((call << x << y << angle << text).Skip()) return;
  if (!fTarget) return;
  if (angle > 360) angle -= 360;
  // The brush stays clear after the call: the text's background follows the
  // background mode, never the brush.
  fTarget->Brush().SetStyle(bsClear);
  TFont& font = fTarget->Font();
  TFont previous;
  previous.Assign(font);
  font.SetOrientation(angle * 10);
  if (f3D && fZoomText && fZoomFactor != 1.0) {
    const int points =
        static_cast<int>(std::max<std::int64_t>(1, Round(previous.Size() * fZoomFactor)));
    font.SetHeight(-MulDiv(points, previous.PixelsPerInch(), 72));
  }
  WriteText(x, y, text);
  font.Assign(previous);
}

void TChartCanvas3D::RemoveClip() {
  if (fTarget) fTarget->RemoveClip();
}

// ---------------------------------------------------------------------------
// TChartCanvas3D: depth operations, all flat

void TChartCanvas3D::PlotPixelAtDepth(int x, int y, int, TColor color) {
  if (Pen().Width() == 1) {
    PlotPixel(x, y, color);
  } else {
    DrawSegment(x, y, x, y);
  }
}

bool TChartCanvas3D::PrefersDepthForFlatItems() const { return false; }

bool TChartCanvas3D::PrefersDepthForText() const { return false; }

void TChartCanvas3D::ScreenToPlane(int&, int&, int) const {}

TPoint TChartCanvas3D::PlaneToScreen(int x, int y, int) const { return {x, y}; }

bool TChartCanvas3D::SurfaceCanShowSpare(TCanvas& destination) const {
  // Holding the last frame's very pixels, the surface has the frame's size
  // (that of the spare) and took it whole at (0, 0); without a clip, drawing
  // the spare onto it shares the spare's pixels rather than copying them.
  return destination.Bitmap().SharesPixelsWith(*fBufferImage) && !destination.HasClip();
}

TRect TChartCanvas3D::BeginFrame(TCanvas& destination, TView3DOptions* options, TColor, bool is3D,
                                 const TRect& userRect) {
  fBounds = userRect;
  fView3DOptions = options;
  f3D = is3D;
  fOrthogonal = false;
  fZoomFactor = 1.0;
  if (is3D && options) {
    fOrthogonal = options->Orthogonal();
    fZoomFactor = options->Zoom() * 0.01;
    fZoomText = options->ZoomText();
  }
  if (!fBuffered) {
    AttachCanvas(destination);
    return userRect;
  }
  const int w = std::max(0, userRect.Width());
  const int h = std::max(0, userRect.Height());
  if (fBufferImage && (fBufferImage->Width() != w || fBufferImage->Height() != h)) {
    FreeBufferImage();
  }
  if (!fBufferImage) {
    fBufferImage = std::make_unique<TBitmap>(w, h);
    fBufferImage->SetMonochrome(fMonochrome);
    ++fBufferImageCreations;
  }
  fBufferImage->NotificationsEnabled = false;
  // The last frame was handed to the surface by sharing its pixels, and the
  // surface still shows them. A frame that paints every pixel shows nothing
  // of what its pixels held, so neither frame is copied:
  // - when the surface holds the last frame's pixels, it shows the spare
  //   frame, one drawn earlier, while this frame is drawn into the last
  //   one's pixels: every frame is drawn into the same memory, which the
  //   frame before left in the cache;
  // - otherwise this frame is drawn into the spare pixels, the last frame
  //   kept where it is shared.
  if (fFramesPaintEveryPixel && fBufferImage->SharesPixels()) {
    const bool haveSpare = fSpareImage && fSpareImage->Width() == w && fSpareImage->Height() == h;
    if (haveSpare && SurfaceCanShowSpare(destination)) {
      destination.Draw(0, 0, *fSpareImage);
    }
    if (fBufferImage->SharesPixels()) {
      if (!haveSpare) fSpareImage = std::make_unique<TBitmap>(w, h);
      fBufferImage->ExchangePixels(*fSpareImage);
    }
  }
  AttachCanvas(fBufferImage->Canvas());
  return {0, 0, w, h};
}

void TChartCanvas3D::CopySettings(const TChartCanvas& other) {
  // Through ChangeMonochrome, so that a buffer of the other kind is not kept.
  ChangeMonochrome(other.IsMonochrome());
}

void TChartCanvas3D::SetProjection(int depth, const TRect&, const TRect& rect) {
  const TPoint centre = RectMidpoint(rect);
  fCentreX = centre.X;
  fCentreY = centre.Y;
  fCentreZ = depth / 2;
  fCentreOffsetX = fCentreX;
  fCentreOffsetY = fCentreY;
  if (fView3DOptions) {
    fCentreOffsetX += fView3DOptions->HorizOffset();
    fCentreOffsetY += fView3DOptions->VertOffset();
    if (fView3DOptions->Perspective() > 0) {
      fPerspectiveFactor = fView3DOptions->Perspective() / 35000.0;
    }
  }
}

void TChartCanvas3D::EndFrame(TCanvas& destination, TCanvas& defaultSurface,
                              const TRect& userRect) {
  if (fBackground) fBackground->pass = BackgroundRecord::Pass::kNone;
  if (fBuffered && fBufferImage) {
    destination.Draw(userRect.Left, userRect.Top, *fBufferImage);
    fDirty = false;
  }
  AttachCanvas(defaultSurface);
}

bool TChartCanvas3D::RepaintFromBuffer() {
  if (fDirty || !fBufferImage || !fTarget) return false;
  fTarget->Draw(0, 0, *fBufferImage);
  return true;
}

void TChartCanvas3D::ClipToBox(const TRect& rect, int, int) {
  ClipTo(TRect{rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom - 1});
}

void TChartCanvas3D::DrawHorizontalAtDepth(int x0, int x1, int y, int) {
  DrawHorizontal(x0, x1, y);
}

void TChartCanvas3D::DrawVerticalAtDepth(int x, int y0, int y1, int) { DrawVertical(x, y0, y1); }

void TChartCanvas3D::DrawDepthLine(int x, int y, int, int) {
  // Both ends project to the same point: a line from the point to itself.
  DrawSegment(x, y, x, y);
}

void TChartCanvas3D::DrawEllipseAtDepth(int x0, int y0, int x1, int y1, int) {
  DrawEllipse(x0, y0, x1 + 1, y1 + 1);
}

void TChartCanvas3D::BeginFrontPlane() {
  fSaved3D = f3D;
  f3D = false;
}

void TChartCanvas3D::EndFrontPlane() { f3D = fSaved3D; }

void TChartCanvas3D::DrawSegmentAtDepth(int x0, int y0, int x1, int y1, int) {
  DrawSegment(x0, y0, x1, y1);
}

void TChartCanvas3D::MovePenToAtDepth(int x, int y, int) { MovePenTo(x, y); }

void TChartCanvas3D::DrawLineToAtDepth(int x, int y, int) { DrawLineTo(x, y); }

void TChartCanvas3D::DrawQuadAtDepth(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int) {
  fFourPoints[0] = p1;
  fFourPoints[1] = p2;
  fFourPoints[2] = p3;
  fFourPoints[3] = p4;
  DrawPolygon(fFourPoints, 3);
}

void TChartCanvas3D::DrawPolygonAtDepth(const TPoint* points, int lastIndex, int) {
  DrawPolygon(points, lastIndex);
}

void TChartCanvas3D::DrawBoxAtDepth(const TRect& rect, int z) {
  // A polygon through the four corners: its outline covers the Right column
  // and the Bottom row, which DrawBox leaves out.
  DrawQuadAtDepth({rect.Left, rect.Top}, {rect.Right, rect.Top}, {rect.Right, rect.Bottom},
                  {rect.Left, rect.Bottom}, z);
}

void TChartCanvas3D::DrawRotatedTextAtDepth(int x, int y, int, const std::string& text, int angle) {
  DrawRotatedText(x, y, text, angle);
}

void TChartCanvas3D::WriteTextAtDepth(int x, int y, int, const std::string& text) {
  WriteText(x, y, text);
}

void TChartCanvas3D::DrawTriangleAtDepth(TPoint p1, TPoint p2, TPoint p3, int) {
  const TPoint points[3] = {p1, p2, p3};
  DrawPolygon(points, 2);
}

// ---------------------------------------------------------------------------
// Free functions

void RectExtent(const TRect& rect, int& width, int& height) {
  width = rect.Right - rect.Left;
  height = rect.Bottom - rect.Top;
}

TPoint RectMidpoint(const TRect& rect) {
  // Integer division truncates toward zero, also for negative sums.
  return {(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
}

TColor DefaultSeriesColor(int index) {
  const int size = static_cast<int>(kDefaultPalette.size());
  int entry = index % size;
  if (entry < 0) entry += size;
  return kDefaultPalette[static_cast<std::size_t>(entry)];
}

std::unique_ptr<TFont> MakeDefaultFont(std::function<void()> onChange) {
  auto font = std::make_unique<TFont>();
  font->SetName(ChartStrings::DefaultFontName);
  font->SetSize(ChartStrings::DefaultFontSize);
  font->SetColor(clBlack);
  font->SetStyle(0);
  font->OnChange = std::move(onChange);
  return font;
}

bool IsDefaultChartFont(const TFont& font) {
  return font.Size() == ChartStrings::DefaultFontSize &&
         font.Name() == ChartStrings::DefaultFontName && font.Color() == clBlack &&
         font.Style() == 0 && font.Charset() == DEFAULT_CHARSET;
}

void ValidateAngle(int angle, const std::string& propertyName) {
  if (angle >= 0 && angle <= 359) return;
  // The message names the property in place of its "%s".
  const std::string text = ChartStrings::InvalidAngle;
  const auto at = text.find("%s");
  if (at == std::string::npos) throw ChartException(text);
  throw ChartException(text.substr(0, at) + propertyName + text.substr(at + 2));
}

}  // namespace drivesim

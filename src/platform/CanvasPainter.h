#pragma once
// The canvas's side of the platform painter, shared by the files of TCanvas
// (its drawing calls, its own rasterisers and its text): conversions to the
// painter's types, and the painter kept open on a bitmap's image with the
// state one drawing operation sets on it. Nothing outside src/platform
// includes this header.

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <algorithm>
#include <memory>
#include <optional>

#include "platform/Canvas.h"
#include "platform/Graphics.h"

namespace drivesim {

// The pixels a line from a to b may set, spread pixels more on every side,
// inside visible.
inline TRect LineBounds(TPoint a, TPoint b, int spread, const TRect& visible) {
  const TRect box{std::min(a.X, b.X) - spread, std::min(a.Y, b.Y) - spread,
                  std::max(a.X, b.X) + 1 + spread, std::max(a.Y, b.Y) + 1 + spread};
  return IntersectRects(box, visible);
}

inline QImage& ImageOf(TBitmap& bitmap) { return *static_cast<QImage*>(bitmap.PlatformImage()); }

inline const QImage& ImageOf(const TBitmap& bitmap) {
  return *static_cast<const QImage*>(bitmap.PlatformImage());
}

inline QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

inline QRgb ToQRgb(TColor color) {
  // A plain colour is 0x00BBGGRR; system colours are resolved first.
  const TColor rgb = (color & kSystemColorFlag) ? ColorToRGB(color) : color;
  return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// Whether an operation follows the pen's mix mode or copies its pixels.
enum class Mix { PenMode, Copy };

// The platform painter of a canvas, kept open on the bitmap's image from
// one drawing operation to the next: opening a painter costs more than most
// of the operations it serves. It is ended before the image is replaced
// (TBitmap::SetSize), and before pixels are written directly while the
// image's data is shared with a copy, so that it never draws into data that
// is no longer the image's own.
struct TCanvas::OpenPainter {
  QPainter painter;
  // The image data the painter was opened on.
  const uchar* bits = nullptr;

  void End() {
    if (painter.isActive()) painter.end();
    bits = nullptr;
  }
  QPainter& Begin(QImage& image) {
    if (painter.isActive() && (image.constBits() != bits || !image.isDetached())) End();
    if (!painter.isActive()) {
      painter.begin(&image);
      painter.setRenderHint(QPainter::Antialiasing, false);
      bits = image.constBits();
    }
    return painter;
  }
};

// One drawing operation on the canvas's open painter, with the operation's
// state set afresh: no transformation, the clip, and the pen's mix mode;
// finishing it notifies the bitmap. Nothing is opened when nothing can be
// drawn (no image, or a clip that leaves none of it), and the operation then
// returns early.
struct TCanvas::Painter {
  Painter(TCanvas& canvas, Mix mix) : fCanvas(canvas) {
    if (canvas.VisibleRect().IsEmpty()) return;
    if (!canvas.fOpenPainter) canvas.fOpenPainter = std::make_unique<OpenPainter>();
    QPainter& painter = canvas.fOpenPainter->Begin(ImageOf(canvas.fBitmap));
    painter.resetTransform();
    if (canvas.fHasClip) {
      painter.setClipRect(ToQRect(canvas.fClip));
    } else if (painter.hasClipping()) {
      painter.setClipping(false);
    }
    if (mix == Mix::PenMode && canvas.fPen.Mode() == pmNotXor) {
      painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    } else {
      painter.setCompositionMode(QPainter::CompositionMode_Source);
    }
    fPainter = &painter;
  }
  ~Painter() {
    if (!fPainter) return;
    if (fTouched) {
      fCanvas.fBitmap.Changed(*fTouched);
    } else {
      fCanvas.fBitmap.Changed();
    }
  }
  // The drawing sets no pixel outside touched.
  void Touches(const TRect& touched) { fTouched = touched; }
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  explicit operator bool() const { return fPainter != nullptr; }
  QPainter* operator->() { return fPainter; }

  // Draws a shape (draw issues the painter call) with the pen and brush.
  // - A wide pen is centred on the pixel centres of the shape's edge: the
  //   brush is laid first, then the outline half a pixel further on.
  // - A patterned pen's gaps take the brush colour when they are drawn
  //   opaque: the outline is first drawn solid in the brush colour, then the
  //   pattern over it, so that both cover the pixels of a solid outline.
  //   Under the not-xor mix the gaps are left alone, since a second pass
  //   would undo the first.
  template <typename Draw>
  void Shape(const QPen& pen, const QBrush& brush, Draw draw) {
    fPainter->setBackgroundMode(Qt::TransparentMode);
    const bool wide = pen.style() != Qt::NoPen && pen.widthF() > 0;
    const bool patterned = pen.style() != Qt::SolidLine && pen.style() != Qt::NoPen;
    const bool gaps = patterned && fCanvas.OpaqueGaps() && fCanvas.fPen.Mode() != pmNotXor;
    QBrush fill = brush;
    if (wide && fill.style() != Qt::NoBrush) {
      fPainter->setPen(Qt::NoPen);
      fPainter->setBrush(fill);
      draw(*fPainter);
      fill = QBrush(Qt::NoBrush);
    }
    if (wide) fPainter->translate(0.5, 0.5);
    if (gaps) {
      QPen solid(pen);
      solid.setStyle(Qt::SolidLine);
      solid.setColor(ToQColor(fCanvas.fBrush.Color()));
      fPainter->setPen(solid);
      fPainter->setBrush(fill);
      draw(*fPainter);
      fill = QBrush(Qt::NoBrush);
    }
    fPainter->setPen(pen);
    fPainter->setBrush(fill);
    draw(*fPainter);
    if (wide) fPainter->translate(-0.5, -0.5);
  }

 private:
  TCanvas& fCanvas;
  QPainter* fPainter = nullptr;
  std::optional<TRect> fTouched;
};

}  // namespace drivesim

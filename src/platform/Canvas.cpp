// TCanvas's drawing calls: lines, shapes, fills, pixels, clipping and copies,
// each on the same path (colours, clip, early return, draw, notify). Solid
// shapes and thin lines take the canvas's own rasterisers
// (CanvasRasterisers.cpp); the rest goes to the platform painter
// (CanvasPainter.h). Text is in CanvasText.cpp.
#include "platform/Canvas.h"

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/CanvasFontCache.h"
#include "platform/CanvasPainter.h"
#include "platform/DamageTiles.h"
#include "platform/PixelLayer.h"
#include "platform/PixelRuns.h"

namespace drivesim {

namespace {

bool IsThin(const TPen& pen) { return pen.AlternatePixels() || pen.Width() <= 1; }

Qt::PenStyle QtPenStyle(TPenStyle style) {
  switch (style) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    case psSolid: break;
  }
  return Qt::SolidLine;
}

QPen MakeQPen(const TPen& pen) {
  if (pen.Style() == psClear) return QPen(Qt::NoPen);
  const QColor color = ToQColor(pen.Color());
  if (pen.AlternatePixels()) {
    QPen thin(color, 0);
    thin.setCapStyle(Qt::FlatCap);
    thin.setDashPattern({1, 1});
    return thin;
  }
  if (pen.Width() <= 1) {
    QPen thin(color, 0, QtPenStyle(pen.Style()));
    thin.setCapStyle(Qt::FlatCap);
    return thin;
  }
  // Wide pens are centred on the line with round ends and joins; a patterned
  // wide pen keeps flat ends so that its dashes stay apart.
  QPen wide(color, pen.Width(), QtPenStyle(pen.Style()));
  wide.setCapStyle(pen.Style() == psSolid ? Qt::RoundCap : Qt::FlatCap);
  wide.setJoinStyle(Qt::RoundJoin);
  return wide;
}

QBrush MakeQBrush(const TBrush& brush) {
  const QColor color = ToQColor(brush.Color());
  switch (brush.Style()) {
    case bsSolid: return QBrush(color, Qt::SolidPattern);
    case bsClear: return QBrush(Qt::NoBrush);
    case bsHorizontal: return QBrush(color, Qt::HorPattern);
    case bsVertical: return QBrush(color, Qt::VerPattern);
    case bsFDiagonal: return QBrush(color, Qt::FDiagPattern);
    case bsBDiagonal: return QBrush(color, Qt::BDiagPattern);
    case bsCross: return QBrush(color, Qt::CrossPattern);
    case bsDiagCross: return QBrush(color, Qt::DiagCrossPattern);
  }
  return QBrush(Qt::NoBrush);
}

TRect Normalized(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  return TRect{left, top, right, bottom};
}

// Sets every pixel of area (inside the image, possibly empty) to color.
void FillPixels(QImage& image, const TRect& area, QRgb color) {
  if (area.IsEmpty()) return;
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  const int left = area.Left;
  const int width = area.Width();
  for (int y = area.Top; y < area.Bottom; ++y) {
    FillPixelRun(reinterpret_cast<QRgb*>(bits + y * stride) + left, width, color);
  }
}

}  // namespace

TCanvas::TCanvas(TBitmap& bitmap) : fBitmap(bitmap) {
  fBrush.OnChange = [this] { BrushChanged(); };
}

void TCanvas::BrushChanged() {
  if (fBrush.Style() == bsSolid) {
    fBackgroundColor = fBrush.Color();
    fBackgroundMode = OPAQUE;
  } else {
    fBackgroundMode = TRANSPARENT;
  }
}

TCanvas::~TCanvas() = default;

void TCanvas::EndPainting() {
  if (fOpenPainter) fOpenPainter->End();
}

void TCanvas::PrepareDirectWrite() {
  // Writing through a shared image detaches it; the open painter would go on
  // drawing into the data it leaves behind.
  if (fOpenPainter && fOpenPainter->bits != nullptr && !ImageOf(fBitmap).isDetached()) {
    fOpenPainter->End();
  }
}

TCanvas::DirectPixels TCanvas::BeginDirectWrite() {
  PrepareDirectWrite();
  QImage& image = ImageOf(fBitmap);
  return {image.bits(), image.bytesPerLine()};
}

// ---------------------------------------------------------------------------
// Lines

void TCanvas::MoveTo(int x, int y) {
  fPenPos = TPoint{x, y};
  fPatternPhase = 0;
}

void TCanvas::LineTo(int x, int y) {
  const TPoint from = fPenPos;
  fPenPos = TPoint{x, y};
  if (fPen.Style() == psClear) return;
  if (IsThin(fPen)) {
    ThinLine(from, fPenPos, fPatternPhase);
    return;
  }
  Painter painter(*this, Mix::PenMode);
  if (!painter) return;
  // A wide pen covers half its width around the line, its round ends too.
  painter.Touches(LineBounds(from, fPenPos, fPen.Width() / 2 + 2, VisibleRect()));
  painter.Shape(MakeQPen(fPen), Qt::NoBrush,
                [&](QPainter& p) { p.drawLine(from.X, from.Y, x, y); });
}

void TCanvas::Polyline(const TPoint* points, int count) {
  if (points == nullptr || count < 2 || fPen.Style() == psClear) return;
  if (VisibleRect().IsEmpty()) return;
  if (IsThin(fPen)) {
    // One notification for the whole polyline.
    const bool notify = fBitmap.NotificationsEnabled;
    fBitmap.NotificationsEnabled = false;
    int phase = 0;
    for (int i = 1; i < count; ++i) ThinLine(points[i - 1], points[i], phase);
    fBitmap.NotificationsEnabled = notify;
    fBitmap.Changed();
    return;
  }
  Painter painter(*this, Mix::PenMode);
  if (!painter) return;
  QPolygon polygon(count);
  for (int i = 0; i < count; ++i) polygon.setPoint(i, points[i].X, points[i].Y);
  painter.Shape(MakeQPen(fPen), Qt::NoBrush, [&](QPainter& p) { p.drawPolyline(polygon); });
}

// ---------------------------------------------------------------------------
// Shapes

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  const TRect box = Normalized(left, top, right, bottom);
  const bool outline = fPen.Style() != psClear;
  const bool fill = fBrush.Style() != bsClear;
  if (box.IsEmpty() || (!outline && !fill)) return;
  const bool thinSolid = fPen.Style() == psSolid && fPen.Width() <= 1 && !fPen.AlternatePixels();
  if (fPen.Mode() == pmCopy && (!fill || fBrush.Style() == bsSolid) && (!outline || thinSolid) &&
      box.Width() >= 2 && box.Height() >= 2 && box.Left >= 0 && box.Top >= 0 &&
      box.Right <= fBitmap.Width() && box.Bottom <= fBitmap.Height()) {
    // A solid box inside the image with a thin solid outline, or none: the
    // same pixels set directly, without a painter.
    const TRect visible = VisibleRect();
    if (visible.IsEmpty()) return;
    PrepareDirectWrite();
    QImage& image = ImageOf(fBitmap);
    if (fill) {
      const TRect inside =
          outline ? TRect{box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1} : box;
      FillPixels(image, IntersectRects(inside, visible), ToQRgb(fBrush.Color()));
    }
    if (outline) {
      // Left and right columns, top and bottom rows of the box.
      const QRgb penColor = ToQRgb(fPen.Color());
      const TRect edges[] = {{box.Left, box.Top, box.Left + 1, box.Bottom},
                             {box.Right - 1, box.Top, box.Right, box.Bottom},
                             {box.Left, box.Top, box.Right, box.Top + 1},
                             {box.Left, box.Bottom - 1, box.Right, box.Bottom}};
      for (const TRect& edge : edges) FillPixels(image, IntersectRects(edge, visible), penColor);
    }
    fBitmap.Changed();
    return;
  }
  Painter painter(*this, Mix::PenMode);
  if (!painter) return;
  // A wide pen's outline covers half its width on both sides of the frame.
  painter.Touches(LineBounds(TPoint{box.Left, box.Top}, TPoint{box.Right, box.Bottom},
                             outline ? fPen.Width() / 2 + 2 : 0, VisibleRect()));
  if (fill) {
    const TRect inside =
        outline ? TRect{box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1} : box;
    if (!inside.IsEmpty()) painter->fillRect(ToQRect(inside), MakeQBrush(fBrush));
  }
  if (!outline) return;
  const QRect frame(box.Left, box.Top, box.Width() - 1, box.Height() - 1);
  painter.Shape(MakeQPen(fPen), Qt::NoBrush, [&](QPainter& p) { p.drawRect(frame); });
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  const TRect box = Normalized(left, top, right, bottom);
  const bool outline = fPen.Style() != psClear;
  const bool fill = fBrush.Style() != bsClear;
  if (box.IsEmpty() || (!outline && !fill)) return;
  const bool thinSolid = fPen.Style() == psSolid && fPen.Width() <= 1 && !fPen.AlternatePixels();
  if (fPen.Mode() == pmCopy && (!fill || fBrush.Style() == bsSolid) && (!outline || thinSolid) &&
      box.Width() >= 2 && box.Height() >= 2) {
    // A solid ellipse with a thin solid outline, or none: the painter's own
    // runs of pixels, set directly.
    const TRect visible = VisibleRect();
    if (visible.IsEmpty()) return;
    SetEllipsePixels(box, fill, outline, visible);
    return;
  }
  Painter painter(*this, Mix::PenMode);
  if (!painter) return;
  QPen pen = MakeQPen(fPen);
  if (!outline && fBrush.Style() == bsSolid) {
    // Without an outline a solid ellipse covers the same pixels, all in the
    // brush colour.
    pen = QPen(ToQColor(fBrush.Color()), 0);
  }
  const QRect frame(box.Left, box.Top, box.Width() - 1, box.Height() - 1);
  painter.Shape(pen, MakeQBrush(fBrush), [&](QPainter& p) { p.drawEllipse(frame); });
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight) {
  const TRect box = Normalized(left, top, right, bottom);
  const bool outline = fPen.Style() != psClear;
  const bool fill = fBrush.Style() != bsClear;
  if (box.IsEmpty() || (!outline && !fill)) return;
  Painter painter(*this, Mix::PenMode);
  if (!painter) return;
  QPen pen = MakeQPen(fPen);
  if (!outline && fBrush.Style() == bsSolid) pen = QPen(ToQColor(fBrush.Color()), 0);
  const QRect frame(box.Left, box.Top, box.Width() - 1, box.Height() - 1);
  const double rx = std::abs(cornerWidth) / 2.0;
  const double ry = std::abs(cornerHeight) / 2.0;
  painter.Shape(pen, MakeQBrush(fBrush),
                [&](QPainter& p) { p.drawRoundedRect(frame, rx, ry, Qt::AbsoluteSize); });
}

void TCanvas::Polygon(const TPoint* points, int count) {
  if (points == nullptr || count < 2) return;
  const bool outline = fPen.Style() != psClear;
  const bool fill = fBrush.Style() != bsClear;
  if (!outline && !fill) return;
  const bool thinSolid = fPen.Style() == psSolid && fPen.Width() <= 1 && !fPen.AlternatePixels();
  if (fPen.Mode() == pmCopy && (!fill || fBrush.Style() == bsSolid) && (!outline || thinSolid)) {
    const TRect visible = VisibleRect();
    if (visible.IsEmpty()) return;
    const bool inside = std::all_of(points, points + count, [&](TPoint p) {
      return p.X >= visible.Left && p.X < visible.Right && p.Y >= visible.Top &&
             p.Y < visible.Bottom;
    });
    if (inside) {
      // A solid polygon inside the visible part with a thin solid outline,
      // or none: the painter's fill and outline, set directly.
      SetPolygonPixels(points, count, fill, outline, visible);
      return;
    }
  }
  Painter painter(*this, Mix::PenMode);
  if (!painter) return;
  QPolygon polygon(count);
  for (int i = 0; i < count; ++i) polygon.setPoint(i, points[i].X, points[i].Y);
  painter.Shape(MakeQPen(fPen), MakeQBrush(fBrush),
                [&](QPainter& p) { p.drawPolygon(polygon, Qt::OddEvenFill); });
}

void TCanvas::FillRect(const TRect& rect) {
  if (rect.IsEmpty() || fBrush.Style() == bsClear) return;
  if (fBrush.Style() == bsSolid) {
    // A solid fill sets every pixel of the visible part to the brush colour;
    // written directly, it costs no painter (the gradient fills a band per
    // row).
    const TRect area = IntersectRects(rect, VisibleRect());
    if (area.IsEmpty()) return;
    PrepareDirectWrite();
    FillPixels(ImageOf(fBitmap), area, ToQRgb(fBrush.Color()));
    fBitmap.Changed(area);
    return;
  }
  Painter painter(*this, Mix::Copy);
  if (!painter) return;
  painter->fillRect(ToQRect(rect), MakeQBrush(fBrush));
}

// ---------------------------------------------------------------------------
// Pixels

TColor TCanvas::Pixel(int x, int y) const { return fBitmap.Pixel(x, y); }

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (!PointInRect(VisibleRect(), TPoint{x, y})) return;
  PrepareDirectWrite();
  reinterpret_cast<QRgb*>(ImageOf(fBitmap).scanLine(y))[x] = ToQRgb(color);
  fBitmap.Changed(TRect{x, y, x + 1, y + 1});
}

// ---------------------------------------------------------------------------
// Clipping

void TCanvas::IntersectClipRect(const TRect& rect) {
  const TRect normal = Normalized(rect.Left, rect.Top, rect.Right, rect.Bottom);
  fClip = fHasClip ? IntersectRects(fClip, normal) : (normal.IsEmpty() ? TRect{} : normal);
  fHasClip = true;
}

void TCanvas::RemoveClip() {
  fHasClip = false;
  fClip = TRect{};
}

// ---------------------------------------------------------------------------
// Copies

void TCanvas::Draw(int x, int y, const TBitmap& source) {
  const QImage& image = ImageOf(source);
  if (image.isNull()) return;
  if (&source != &fBitmap && image.format() == QImage::Format_RGB32) {
    QImage& target = ImageOf(fBitmap);
    if (x == 0 && y == 0 && image.size() == target.size() &&
        target.format() == QImage::Format_RGB32 &&
        VisibleRect() == TRect{0, 0, image.width(), image.height()}) {
      // Another opaque image over the whole of this one: its pixels are
      // shared, and copied only when either image is drawn on next. Neither
      // keeps its painter open: an image being painted on cannot share its
      // pixels, and this one's painter would go on with the pixels it
      // leaves. The source's canvas opens its painter again when it draws.
      const_cast<TBitmap&>(source).Canvas().EndPainting();
      EndPainting();
      target = image;
      fBitmap.Changed();
      return;
    }
    // Another opaque image: its visible part is copied row by row.
    const TRect area =
        IntersectRects(TRect{x, y, x + image.width(), y + image.height()}, VisibleRect());
    if (area.IsEmpty()) return;
    const auto [bits, stride] = BeginDirectWrite();
    const std::size_t bytes = static_cast<std::size_t>(area.Width()) * sizeof(QRgb);
    for (int row = area.Top; row < area.Bottom; ++row) {
      const uchar* from = image.constScanLine(row - y) + (area.Left - x) * sizeof(QRgb);
      std::memcpy(bits + row * stride + area.Left * sizeof(QRgb), from, bytes);
    }
    fBitmap.Changed(area);
    return;
  }
  // Drawing a bitmap onto itself copies from a snapshot.
  const QImage snapshot = &source == &fBitmap ? image.copy() : QImage();
  Painter painter(*this, Mix::Copy);
  if (!painter) return;
  painter->drawImage(QPoint(x, y), snapshot.isNull() ? image : snapshot);
}

void TCanvas::StretchDraw(const TRect& rect, const TBitmap& source) {
  const QImage& image = ImageOf(source);
  if (image.isNull() || rect.IsEmpty()) return;
  const QImage snapshot = &source == &fBitmap ? image.copy() : QImage();
  Painter painter(*this, Mix::Copy);
  if (!painter) return;
  painter->drawImage(ToQRect(rect), snapshot.isNull() ? image : snapshot);
}

void TCanvas::DrawPixelLayer(const TPixelLayer& layer) {
  const TRect visible = VisibleRect();
  if (visible.IsEmpty() || IntersectRects(visible, layer.Bounds()).IsEmpty()) return;
  const auto [bits, stride] = BeginDirectWrite();
  const std::uint32_t* colors = layer.Colors().data();
  for (const TPixelLayer::Run& run : layer.Runs()) {
    if (run.Y < visible.Top || run.Y >= visible.Bottom) continue;
    const int from = std::max(run.X, visible.Left);
    const int to = std::min(run.X + run.Length, visible.Right);
    if (from >= to) continue;
    std::memcpy(bits + run.Y * stride + from * static_cast<qsizetype>(sizeof(QRgb)),
                colors + run.First + (from - run.X),
                static_cast<std::size_t>(to - from) * sizeof(QRgb));
  }
  fBitmap.Changed(IntersectRects(visible, layer.Bounds()));
}

bool TCanvas::RestoreDamage(const TBitmap& source) {
  TDamageTiles* damage = fBitmap.Damage();
  const QImage& image = ImageOf(source);
  if (!damage || &source == &fBitmap || fHasClip || source.Width() != fBitmap.Width() ||
      source.Height() != fBitmap.Height() || image.format() != QImage::Format_RGB32) {
    return false;
  }
  if (damage->IsClear()) return true;
  const auto [bits, stride] = BeginDirectWrite();
  const qsizetype sourceStride = image.bytesPerLine();
  const uchar* sourceBits = image.constBits();
  damage->ForEachRun([&](const TRect& run) {
    const std::size_t bytes = static_cast<std::size_t>(run.Width()) * sizeof(QRgb);
    const qsizetype offset = run.Left * static_cast<qsizetype>(sizeof(QRgb));
    for (int row = run.Top; row < run.Bottom; ++row) {
      std::memcpy(bits + row * stride + offset, sourceBits + row * sourceStride + offset, bytes);
    }
  });
  damage->Clear();
  // The pixels copied are the source's again: nothing is left marked.
  fBitmap.Changed(TRect{});
  return true;
}

bool TCanvas::FillDamage(TColor color) {
  TDamageTiles* damage = fBitmap.Damage();
  if (!damage) return false;
  if (damage->IsClear()) return true;
  PrepareDirectWrite();
  QImage& image = ImageOf(fBitmap);
  const QRgb rgb = ToQRgb(color);
  damage->ForEachRun([&](const TRect& run) { FillPixels(image, run, rgb); });
  damage->Clear();
  fBitmap.Changed(TRect{});
  return true;
}

}  // namespace drivesim

#include "platform/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QString>
#include <QTextLayout>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace drivesim {

namespace {

QImage& ImageOf(TBitmap& bitmap) { return *static_cast<QImage*>(bitmap.PlatformImage()); }

const QImage& ImageOf(const TBitmap& bitmap) {
  return *static_cast<const QImage*>(bitmap.PlatformImage());
}

QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QRgb ToQRgb(TColor color) {
  // A plain colour is 0x00BBGGRR; system colours are resolved first.
  const TColor rgb = (color & kSystemColorFlag) ? ColorToRGB(color) : color;
  return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// Run lengths (on, off, on, off, ...) of the dot patterns of thin pens, the
// same patterns the platform's cosmetic pens use for outlines of shapes.
struct DotPattern {
  const int* runs;
  int count;
  int length;
};

constexpr int kDashRuns[] = {4, 2};
constexpr int kDotRuns[] = {1, 2};
constexpr int kDashDotRuns[] = {4, 2, 1, 2};
constexpr int kDashDotDotRuns[] = {4, 2, 1, 2, 1, 2};
constexpr int kAlternateRuns[] = {1, 1};

std::optional<DotPattern> PatternOf(const TPen& pen) {
  if (pen.AlternatePixels()) return DotPattern{kAlternateRuns, 2, 2};
  switch (pen.Style()) {
    case psDash: return DotPattern{kDashRuns, 2, 6};
    case psDot: return DotPattern{kDotRuns, 2, 3};
    case psDashDot: return DotPattern{kDashDotRuns, 4, 9};
    case psDashDotDot: return DotPattern{kDashDotDotRuns, 6, 12};
    default: return std::nullopt;
  }
}

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

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

TRect Normalized(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  return TRect{left, top, right, bottom};
}

enum class Mix { PenMode, Copy };

// Sets every pixel of area (inside the image, possibly empty) to color.
void FillPixels(QImage& image, const TRect& area, QRgb color) {
  if (area.IsEmpty()) return;
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  for (int y = area.Top; y < area.Bottom; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
    std::fill(row + area.Left, row + area.Right, color);
  }
}

}  // namespace

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
    if (fPainter) fCanvas.fBitmap.Changed();
  }
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
};

// The platform fonts made from the canvas font, with their metrics and the
// texts already laid out in them. The chart switches between a few fonts
// (labels, titles) many times per paint and writes the same labels paint
// after paint, so the last few fonts are kept, each with its laid-out texts:
// measuring or writing a known text then shapes nothing again.
struct TCanvas::FontCache {
  // A text laid out in one font: its advance width and its glyphs, placed
  // relative to the left end of the text's baseline.
  struct Shaped {
    int width = 0;
    QList<QGlyphRun> runs;
  };
  struct Entry {
    std::string name;
    int height = 0;
    TFontStyles style = 0;
    QFont font;
    std::optional<QFontMetrics> metrics;
    std::unordered_map<std::string, Shaped> texts;
    std::uint64_t lastUse = 0;
  };
  // Fonts kept at once, and texts kept per font; the least recently used
  // font, or all texts of a font, go when full.
  static constexpr std::size_t kFonts = 8;
  static constexpr std::size_t kTextsPerFont = 512;

  std::vector<std::unique_ptr<Entry>> entries;
  Entry* current = nullptr;
  std::uint64_t uses = 0;

  const Shaped& Shape(const std::string& text) {
    auto found = current->texts.find(text);
    if (found != current->texts.end()) return found->second;
    if (current->texts.size() >= kTextsPerFont) current->texts.clear();
    Shaped shaped;
    const QString string = QString::fromStdString(text);
    shaped.width = current->metrics->horizontalAdvance(string);
    QTextLayout layout(string, current->font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (line.isValid()) {
      // Glyph positions come with the baseline at the line's ascent; they
      // are moved so that the baseline lies at y = 0.
      const qreal baseline = line.ascent();
      for (QGlyphRun run : layout.glyphRuns()) {
        QList<QPointF> positions = run.positions();
        for (QPointF& p : positions) p.ry() -= baseline;
        run.setPositions(positions);
        shaped.runs.push_back(run);
      }
    }
    return current->texts.emplace(text, std::move(shaped)).first->second;
  }
};

namespace {

QFont BaseFont(const std::string& name, TFontStyles style) {
  QFont font(QString::fromStdString(name));
  font.setBold((style & fsBold) != 0);
  font.setItalic((style & fsItalic) != 0);
  font.setUnderline((style & fsUnderline) != 0);
  font.setStrikeOut((style & fsStrikeOut) != 0);
  return font;
}

// A positive font height is the height of the whole character cell (ascent
// plus descent, internal leading included): the font takes the largest pixel
// size whose cell is no higher than that.
int PixelSizeForCellHeight(QFont font, int cellHeight) {
  int low = 1;
  int high = cellHeight;
  while (low < high) {
    const int middle = (low + high + 1) / 2;
    font.setPixelSize(middle);
    if (QFontMetrics(font).height() <= cellHeight) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return low;
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

TRect TCanvas::VisibleRect() const {
  const QImage& image = ImageOf(fBitmap);
  const TRect whole{0, 0, image.width(), image.height()};
  if (whole.IsEmpty()) return TRect{};
  return fHasClip ? IntersectRects(whole, fClip) : whole;
}

const TCanvas::FontCache& TCanvas::CurrentFont() {
  if (!fFontCache) fFontCache = std::make_unique<FontCache>();
  FontCache& cache = *fFontCache;
  ++cache.uses;
  const auto matches = [&](const FontCache::Entry& e) {
    return e.name == fFont.Name() && e.height == fFont.Height() && e.style == fFont.Style();
  };
  if (cache.current && matches(*cache.current)) {
    cache.current->lastUse = cache.uses;
    return cache;
  }
  for (const auto& entry : cache.entries) {
    if (matches(*entry)) {
      cache.current = entry.get();
      entry->lastUse = cache.uses;
      return cache;
    }
  }
  auto entry = std::make_unique<FontCache::Entry>();
  entry->name = fFont.Name();
  entry->height = fFont.Height();
  entry->style = fFont.Style();
  entry->font = BaseFont(entry->name, entry->style);
  // A height of zero asks for the default character height.
  const int height = entry->height == 0 ? TFont().Height() : entry->height;
  if (height < 0) {
    entry->font.setPixelSize(-height);
  } else {
    entry->font.setPixelSize(PixelSizeForCellHeight(entry->font, height));
  }
  entry->metrics.emplace(entry->font);
  entry->lastUse = cache.uses;
  if (cache.entries.size() >= FontCache::kFonts) {
    const auto oldest =
        std::min_element(cache.entries.begin(), cache.entries.end(),
                         [](const auto& a, const auto& b) { return a->lastUse < b->lastUse; });
    cache.entries.erase(oldest);
  }
  cache.current = entry.get();
  cache.entries.push_back(std::move(entry));
  return cache;
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
  painter.Shape(MakeQPen(fPen), Qt::NoBrush,
                [&](QPainter& p) { p.drawLine(from.X, from.Y, x, y); });
}

void TCanvas::ThinLine(TPoint from, TPoint to, int& phase) {
  const int dx = to.X - from.X;
  const int dy = to.Y - from.Y;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  if (steps == 0) return;
  const TRect visible = VisibleRect();
  if (visible.IsEmpty()) return;
  QImage& image = ImageOf(fBitmap);

  const std::optional<DotPattern> pattern = PatternOf(fPen);
  const QRgb penColor = ToQRgb(fPen.Color());
  const QRgb gapColor = pattern ? ToQRgb(fBrush.Color()) : penColor;
  const bool opaqueGaps = pattern && OpaqueGaps();
  const bool notXor = fPen.Mode() == pmNotXor;
  PrepareDirectWrite();
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();

  // Where the pattern stands at the first pixel: the run (on, off, on, ...)
  // and the pixels left in it.
  int run = 0;
  int runLeft = 0;
  if (pattern) {
    int position = phase % pattern->length;
    while (position >= pattern->runs[run]) position -= pattern->runs[run++];
    runLeft = pattern->runs[run] - position;
  }

  if (dx == 0 || dy == 0) {
    // A horizontal or vertical line: only the pixels inside the visible
    // part are visited, the pattern moved on over the others.
    const int stepX = dx > 0 ? 1 : (dx < 0 ? -1 : 0);
    const int stepY = dy > 0 ? 1 : (dy < 0 ? -1 : 0);
    int first = 0;
    int last = steps - 1;
    const auto clipAlong = [&](int start, int step, int low, int high) {
      // Pixel i lies at start + i * step; it must lie in low..high - 1.
      if (step == 0) {
        if (start < low || start >= high) last = -1;
      } else if (step > 0) {
        first = std::max(first, low - start);
        last = std::min(last, high - 1 - start);
      } else {
        first = std::max(first, start - (high - 1));
        last = std::min(last, start - low);
      }
    };
    clipAlong(from.X, stepX, visible.Left, visible.Right);
    clipAlong(from.Y, stepY, visible.Top, visible.Bottom);
    if (first <= last) {
      const qsizetype pixelStep = stepY * (stride / static_cast<qsizetype>(sizeof(QRgb))) + stepX;
      QRgb* pixel = reinterpret_cast<QRgb*>(bits + (from.Y + first * stepY) * stride) +
                    (from.X + first * stepX);
      if (pattern) {
        int position = (phase + first) % pattern->length;
        run = 0;
        while (position >= pattern->runs[run]) position -= pattern->runs[run++];
        runLeft = pattern->runs[run] - position;
      }
      for (int i = first; i <= last; ++i, pixel += pixelStep) {
        bool on = true;
        if (pattern) {
          on = run % 2 == 0;
          if (--runLeft == 0) {
            run = run + 1 == pattern->count ? 0 : run + 1;
            runLeft = pattern->runs[run];
          }
        }
        if (!on && !opaqueGaps) continue;
        const QRgb color = on ? penColor : gapColor;
        *pixel = notXor ? (0xFF000000u | (~(color ^ *pixel) & 0x00FFFFFFu)) : color;
      }
    }
    phase += steps;
    fBitmap.Changed();
    return;
  }

  // Pixel i of the line lies i steps along the major axis from the start,
  // and at floor((2 i |minor| + |major|) / (2 |major|)) steps along the
  // minor axis, that is i * minor / major rounded half away from the start.
  // The quotient is carried from pixel to pixel with its remainder. Step
  // "steps" would be the end pixel, which is not drawn.
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int major = xMajor ? dx : dy;
  const int minor = xMajor ? dy : dx;
  const int majorSign = major > 0 ? 1 : -1;
  const int minorSign = minor >= 0 ? 1 : -1;
  const long long twiceMajor = 2LL * std::abs(major);
  const long long twiceMinor = 2LL * std::abs(minor);
  long long remainder = std::abs(major);
  int x = from.X;
  int y = from.Y;
  for (int i = 0; i < steps; ++i) {
    bool on = true;
    if (pattern) {
      on = run % 2 == 0;
      if (--runLeft == 0) {
        run = run + 1 == pattern->count ? 0 : run + 1;
        runLeft = pattern->runs[run];
      }
    }
    if ((on || opaqueGaps) && x >= visible.Left && x < visible.Right && y >= visible.Top &&
        y < visible.Bottom) {
      const QRgb color = on ? penColor : gapColor;
      QRgb& pixel = reinterpret_cast<QRgb*>(bits + y * stride)[x];
      pixel = notXor ? (0xFF000000u | (~(color ^ pixel) & 0x00FFFFFFu)) : color;
    }
    // On to pixel i + 1.
    remainder += twiceMinor;
    int minorStep = 0;
    if (remainder >= twiceMajor) {
      remainder -= twiceMajor;
      minorStep = minorSign;
    }
    if (xMajor) {
      x += majorSign;
      y += minorStep;
    } else {
      y += majorSign;
      x += minorStep;
    }
  }
  phase += steps;
  fBitmap.Changed();
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
    fBitmap.Changed();
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
  fBitmap.Changed();
}

// ---------------------------------------------------------------------------
// Text

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  CurrentFont();
  FontCache& cache = *fFontCache;
  const QFontMetrics& metrics = *cache.current->metrics;
  const FontCache::Shaped& shaped = cache.Shape(text);
  const int width = shaped.width;
  const int height = metrics.height();

  // The text box relative to the reference point, as the alignment places it.
  int left = 0;
  switch (fTextAlign & TA_CENTER) {
    case TA_CENTER: left = -width / 2; break;
    case TA_RIGHT: left = -width; break;
    default: break;
  }
  int top = 0;
  switch (fTextAlign & TA_BASELINE) {
    case TA_BASELINE: top = -metrics.ascent(); break;
    case TA_BOTTOM: top = -height; break;
    default: break;
  }

  Painter painter(*this, Mix::Copy);
  if (!painter) return;
  painter->translate(x, y);
  if (fFont.Orientation() % 3600 != 0) painter->rotate(-fFont.Orientation() / 10.0);
  if (fBackgroundMode == OPAQUE) {
    painter->fillRect(QRect(left, top, width, height), ToQColor(fBackgroundColor));
  }
  painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter->setRenderHint(QPainter::TextAntialiasing, true);
  painter->setFont(cache.current->font);
  painter->setPen(ToQColor(fFont.Color()));
  const QPointF baseline(left, top + metrics.ascent());
  for (const QGlyphRun& run : shaped.runs) painter->drawGlyphRun(baseline, run);
}

int TCanvas::TextWidth(const std::string& text) {
  if (text.empty()) return 0;
  CurrentFont();
  return fFontCache->Shape(text).width;
}

int TCanvas::TextHeight(const std::string&) { return CurrentFont().current->metrics->height(); }

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
    // Another opaque image: its visible part is copied row by row.
    const TRect area =
        IntersectRects(TRect{x, y, x + image.width(), y + image.height()}, VisibleRect());
    if (area.IsEmpty()) return;
    PrepareDirectWrite();
    QImage& target = ImageOf(fBitmap);
    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    const std::size_t bytes = static_cast<std::size_t>(area.Width()) * sizeof(QRgb);
    for (int row = area.Top; row < area.Bottom; ++row) {
      const uchar* from = image.constScanLine(row - y) + (area.Left - x) * sizeof(QRgb);
      std::memcpy(bits + row * stride + area.Left * sizeof(QRgb), from, bytes);
    }
    fBitmap.Changed();
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

}  // namespace drivesim

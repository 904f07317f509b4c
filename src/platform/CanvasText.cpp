// TCanvas's text: the fonts made from the canvas font and kept in its font
// cache, measuring, and writing with the placement, turning and background
// the alignment flags and the background mode give, replaying a writing that
// is known to come out the same.
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QString>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Canvas.h"
#include "platform/CanvasFontCache.h"
#include "platform/CanvasPainter.h"

namespace drivesim {

namespace {

// The first pixel of an area inside the image; its rows follow each other
// bytesPerLine apart.
const uchar* RowStart(const QImage& image, const QRect& area) {
  return image.constBits() + area.top() * image.bytesPerLine() + area.left() * sizeof(QRgb);
}

// The pixels of an area inside the image, row by row.
void CopyOut(const QImage& image, const QRect& area, std::vector<QRgb>& pixels) {
  pixels.resize(static_cast<std::size_t>(area.width()) * area.height());
  const std::size_t bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
  const uchar* first = RowStart(image, area);
  for (int row = 0; row < area.height(); ++row) {
    std::memcpy(pixels.data() + static_cast<std::size_t>(row) * area.width(),
                first + row * image.bytesPerLine(), bytes);
  }
}

// Whether the pixels of an area inside the image are CopyOut's rows.
bool HoldsPixels(const QImage& image, const QRect& area, const std::vector<QRgb>& pixels) {
  if (pixels.size() != static_cast<std::size_t>(area.width()) * area.height()) return false;
  const std::size_t bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
  const uchar* first = RowStart(image, area);
  for (int row = 0; row < area.height(); ++row) {
    if (std::memcmp(pixels.data() + static_cast<std::size_t>(row) * area.width(),
                    first + row * image.bytesPerLine(), bytes) != 0) {
      return false;
    }
  }
  return true;
}

// Sets the pixels of an area inside the image from CopyOut's rows.
void CopyIn(QImage& image, const QRect& area, const std::vector<QRgb>& pixels) {
  const std::size_t bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
  const qsizetype stride = image.bytesPerLine();
  uchar* first = image.bits() + area.top() * stride + area.left() * sizeof(QRgb);
  for (int row = 0; row < area.height(); ++row) {
    std::memcpy(first + row * stride, pixels.data() + static_cast<std::size_t>(row) * area.width(),
                bytes);
  }
}

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

TCanvas::FontCache::Shaped& TCanvas::FontCache::Shape(const std::string& text) {
  auto found = current->texts.find(text);
  if (found != current->texts.end()) return found->second;
  if (current->texts.size() >= kTextsPerFont) current->texts.clear();
  Shaped shaped;
  shaped.width = current->metrics->horizontalAdvance(QString::fromStdString(text));
  return current->texts.emplace(text, std::move(shaped)).first->second;
}

namespace {

// The characters numbers are written with, digits aside: the signs, the
// decimal and thousands separators, the exponent and a space.
constexpr std::string_view kNumberMarks = ".,-+Ee ";

// Which digits can stand for which in a number, in the font: a digit
// stands for another when both have the same advance and each is kerned
// against every character of a number (on either side) by as much as the
// other. Each digit gets the smallest digit it can stand for. Advances and
// kerning are compared unrounded.
std::array<char, 10> DigitClasses(const QFont& font) {
  const QFontMetricsF metrics(font);
  const auto width = [&](const std::string& text) {
    return metrics.horizontalAdvance(QString::fromLatin1(text.data(), text.size()));
  };
  std::string marks = "0123456789";
  marks += kNumberMarks;
  const std::size_t n = marks.size();
  std::vector<double> advance(n);
  for (std::size_t i = 0; i < n; ++i) advance[i] = width(std::string(1, marks[i]));
  // kerning[i * n + j]: what the pair i, j adds to their two advances.
  std::vector<double> kerning(n * n);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      kerning[i * n + j] = width(std::string{marks[i], marks[j]}) - advance[i] - advance[j];
    }
  }
  const auto alike = [&](std::size_t a, std::size_t b) {
    if (advance[a] != advance[b]) return false;
    for (std::size_t k = 0; k < n; ++k) {
      if (kerning[a * n + k] != kerning[b * n + k] || kerning[k * n + a] != kerning[k * n + b]) {
        return false;
      }
    }
    return true;
  };
  std::array<char, 10> classes{};
  for (std::size_t d = 0; d < 10; ++d) {
    std::size_t same = 0;
    while (!alike(same, d)) ++same;
    classes[d] = static_cast<char>('0' + same);
  }
  return classes;
}

}  // namespace

std::optional<int> TCanvas::FontCache::NumberWidth(const std::string& text) {
  if (!current->digitClasses) current->digitClasses = DigitClasses(current->font);
  const std::array<char, 10>& classes = *current->digitClasses;
  std::string pattern = text;
  bool stoodFor = false;
  for (char& c : pattern) {
    if (c >= '0' && c <= '9') {
      c = classes[static_cast<std::size_t>(c - '0')];
      stoodFor = true;
    } else if (kNumberMarks.find(c) == std::string_view::npos) {
      return std::nullopt;
    }
  }
  if (!stoodFor) return std::nullopt;
  auto found = current->widthsByPattern.find(pattern);
  if (found != current->widthsByPattern.end()) return found->second;
  if (current->widthsByPattern.size() >= kPatternsPerFont) current->widthsByPattern.clear();
  const int width = current->metrics->horizontalAdvance(QString::fromStdString(text));
  current->widthsByPattern.emplace(std::move(pattern), width);
  return width;
}

void TCanvas::FontCache::LayOut(Shaped& shaped, const std::string& text) const {
  if (shaped.laidOut) return;
  shaped.laidOut = true;
  QTextLayout layout(QString::fromStdString(text), current->font);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  if (!line.isValid()) return;
  // Glyph positions come with the baseline at the line's ascent; they are
  // moved so that the baseline lies at y = 0.
  const qreal baseline = line.ascent();
  for (QGlyphRun run : layout.glyphRuns()) {
    QList<QPointF> positions = run.positions();
    for (QPointF& p : positions) p.ry() -= baseline;
    run.setPositions(positions);
    // The glyphs' own outlines' extents, where they are placed.
    const QRawFont font = run.rawFont();
    const QList<quint32> glyphs = run.glyphIndexes();
    for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
      shaped.inkBounds |= font.boundingRect(glyphs[i]).translated(positions[i]);
    }
    shaped.runs.push_back(run);
  }
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

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  CurrentFont();
  FontCache& cache = *fFontCache;
  const QFontMetrics& metrics = *cache.current->metrics;
  FontCache::Shaped& shaped = cache.Shape(text);
  cache.LayOut(shaped, text);
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

  const bool turned = fFont.Orientation() % 3600 != 0;
  const QPointF baseline(left, top + metrics.ascent());

  // Every pixel the writing can touch: the glyphs' extent, the text box
  // when it is filled or a line is drawn along the text, and a margin for
  // the glyphs' smoothing, placed and turned. When the same text was
  // written before in the same way over the same pixels, the pixels it left
  // are set again; the painter's text drawing gives the same result wherever
  // the pixels beneath are the same, since the reference point is a whole
  // pixel. Transparent text leaves the box's empty rows out, so that a label
  // is known again over the same pixels even when those around its glyphs
  // (the top of a label below it) have changed.
  constexpr int kMargin = 2;
  QTransform placement;
  placement.translate(x, y);
  if (turned) placement.rotate(-fFont.Orientation() / 10.0);
  const bool wholeBox = fBackgroundMode == OPAQUE || (fFont.Style() & (fsUnderline | fsStrikeOut));
  const QRectF ink = shaped.inkBounds.translated(baseline);
  const QRectF reach = wholeBox ? QRectF(left, top, width, height) | ink : ink;
  const QRect reached =
      placement.mapRect(reach).toAlignedRect().adjusted(-kMargin, -kMargin, kMargin, kMargin);
  // Nothing outside the visible part changes, so only the part inside it is
  // kept, with a wider frame there to check that the painter stayed inside
  // the area.
  const TRect visible = VisibleRect();
  const QRect visibleRect = ToQRect(visible);
  const QRect area = reached & visibleRect;
  const QRect frame = reached.adjusted(-kMargin, -kMargin, kMargin, kMargin) & visibleRect;
  const bool replayable = !shaped.neverReplay && !area.isEmpty();
  const auto sameWriting = [&](const FontCache::Written& w) {
    return w.color == fFont.Color() && w.orientation == fFont.Orientation() &&
           w.opaque == (fBackgroundMode == OPAQUE) &&
           (w.opaque ? w.background == fBackgroundColor : true) && w.left == left && w.top == top &&
           (!turned || w.at == TPoint{x, y}) && w.area == area.translated(-x, -y);
  };
  QImage& image = ImageOf(fBitmap);
  thread_local std::vector<QRgb> before;
  thread_local std::vector<QRgb> frameBefore;
  if (replayable) {
    // Compared where they lie; copied out only for a writing to keep.
    for (const FontCache::Written& w : shaped.writings) {
      if (sameWriting(w) && HoldsPixels(image, area, w.before)) {
        PrepareDirectWrite();
        CopyIn(image, area, w.after);
        fBitmap.Changed();
        return;
      }
    }
    CopyOut(image, area, before);
    CopyOut(image, frame, frameBefore);
  }

  {
    Painter painter(*this, Mix::Copy);
    if (!painter) return;
    painter->translate(x, y);
    if (turned) painter->rotate(-fFont.Orientation() / 10.0);
    if (fBackgroundMode == OPAQUE) {
      painter->fillRect(QRect(left, top, width, height), ToQColor(fBackgroundColor));
    }
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    painter->setFont(cache.current->font);
    painter->setPen(ToQColor(fFont.Color()));
    if (fFont.Style() & (fsUnderline | fsStrikeOut)) {
      // The painter draws a glyph run's underline and strike-out line away
      // from its glyphs, moved once more by the placement; its text drawing
      // places them under and through the glyphs, turned with them.
      painter->drawText(baseline, QString::fromStdString(text));
    } else {
      for (const QGlyphRun& run : shaped.runs) painter->drawGlyphRun(baseline, run);
    }
  }
  if (!replayable) return;

  // Kept for replay only when nothing outside the area changed.
  thread_local std::vector<QRgb> frameAfter;
  CopyOut(image, frame, frameAfter);
  const int frameWidth = frame.width();
  for (int row = 0; row < frame.height(); ++row) {
    for (int column = 0; column < frameWidth; ++column) {
      const bool inArea = area.contains(frame.left() + column, frame.top() + row);
      const std::size_t i = static_cast<std::size_t>(row) * frameWidth + column;
      if (!inArea && frameBefore[i] != frameAfter[i]) {
        shaped.neverReplay = true;
        shaped.writings.clear();
        return;
      }
    }
  }
  FontCache::Written written;
  written.color = fFont.Color();
  written.orientation = fFont.Orientation();
  written.opaque = fBackgroundMode == OPAQUE;
  written.background = fBackgroundColor;
  written.left = left;
  written.top = top;
  written.at = TPoint{x, y};
  written.area = area.translated(-x, -y);
  written.before = before;
  CopyOut(image, area, written.after);
  if (shaped.writings.size() < FontCache::Shaped::kWritings) {
    shaped.writings.push_back(std::move(written));
  } else {
    shaped.writings[shaped.nextWriting] = std::move(written);
    shaped.nextWriting = (shaped.nextWriting + 1) % FontCache::Shaped::kWritings;
  }
}

int TCanvas::TextWidth(const std::string& text) {
  if (text.empty()) return 0;
  CurrentFont();
  FontCache& cache = *fFontCache;
  // A text known already; a number by its digit pattern; else shaped.
  const auto known = cache.current->texts.find(text);
  if (known != cache.current->texts.end()) return known->second.width;
  if (const std::optional<int> width = cache.NumberWidth(text)) return *width;
  return cache.Shape(text).width;
}

int TCanvas::TextHeight(const std::string&) { return CurrentFont().current->metrics->height(); }

}  // namespace drivesim

#pragma once
// The font cache of TCanvas, shared by its files: the canvas owns one, and
// its text calls fill and use it. Nothing outside src/platform includes this
// header.

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QList>
#include <QRect>
#include <QRectF>
#include <QRgb>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Graphics.h"

namespace drivesim {

// The platform fonts made from the canvas font, with their metrics and the
// texts already laid out in them. The chart switches between a few fonts
// (labels, titles) many times per paint and writes the same labels paint
// after paint, so the last few fonts are kept, each with its laid-out texts:
// measuring or writing a known text then shapes nothing again.
struct TCanvas::FontCache {
  // What one writing of a text did to the pixels around it: the area
  // (relative to the reference point), the pixels there before and after,
  // and everything else the result depends on.
  struct Written {
    TColor color = 0;
    int orientation = 0;
    bool opaque = false;
    TColor background = 0;
    int left = 0;  // the text box relative to the reference point
    int top = 0;
    // For turned text the reference point itself, since turned glyphs are
    // only known to come out the same at the same place.
    TPoint at;
    QRect area;  // relative to the reference point
    std::vector<QRgb> before;
    std::vector<QRgb> after;
  };
  // A text laid out in one font: its advance width and its glyphs, placed
  // relative to the left end of the text's baseline.
  struct Shaped {
    int width = 0;
    bool laidOut = false;
    QList<QGlyphRun> runs;
    // The glyphs' extent relative to the left end of the baseline.
    QRectF inkBounds;
    // The last few writings, replayed when the same text is written again
    // over the same pixels.
    static constexpr std::size_t kWritings = 4;
    std::vector<Written> writings;
    std::size_t nextWriting = 0;
    // Set when a writing reached beyond the area worked out for it; such a
    // text is always drawn by the painter.
    bool neverReplay = false;
  };
  struct Entry {
    std::string name;
    int height = 0;
    TFontStyles style = 0;
    QFont font;
    std::optional<QFontMetrics> metrics;
    std::unordered_map<std::string, Shaped> texts;
    std::uint64_t lastUse = 0;
    // For each digit the smallest digit that has its advance and its
    // kerning against every character of a number (found out at the first
    // need), and the widths of measured numbers by their digit pattern,
    // each digit read as that digit: a number is as wide as any other with
    // the same pattern, as long as only pairs of characters are kerned.
    std::optional<std::array<char, 10>> digitClasses;
    std::unordered_map<std::string, int> widthsByPattern;
  };
  // Fonts kept at once, and texts kept per font; the least recently used
  // font, or all texts of a font, go when full.
  static constexpr std::size_t kFonts = 8;
  static constexpr std::size_t kTextsPerFont = 512;

  std::vector<std::unique_ptr<Entry>> entries;
  Entry* current = nullptr;
  std::uint64_t uses = 0;

  // The text's entry in the current font, measured. Its glyphs are laid out
  // by LayOut when it is first written: the chart measures many texts it
  // never writes.
  Shaped& Shape(const std::string& text);
  // The width of a number (a text of digits and the marks numbers are
  // written with, at least one digit) from its digit pattern in the current
  // font, shaping only the first number of each pattern; nothing for any
  // other text. An axis measures the numbers at the ends of its range at
  // every paint, and a moving range makes them new numbers each time.
  std::optional<int> NumberWidth(const std::string& text);
  static constexpr std::size_t kPatternsPerFont = 256;
  void LayOut(Shaped& shaped, const std::string& text) const;
};

}  // namespace drivesim

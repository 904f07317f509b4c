// Numbers are measured by their digit pattern: the width of every number
// must still be the width its own shaping gives, in fonts that kern some
// digit pairs (the sans serif font kerns "11") and in fonts that do not, at
// several sizes and in bold, far beyond the patterns kept at once.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Graphics.h"

namespace drivesim {
namespace {

// A number written as the charts and the tables write numbers: signs,
// decimals, thousands separators, exponents and spaces; now and then a
// text that only looks like one (a unit, a letter, a minus sign of its own).
std::string RandomNumber(std::mt19937& random) {
  const auto pick = [&](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random);
  };
  const auto digits = [&](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += static_cast<char>('0' + pick(0, 9));
    return text;
  };
  std::string text;
  if (pick(0, 3) == 0) text += '-';
  switch (pick(0, 4)) {
    case 0: text += digits(pick(1, 6)); break;
    case 1: text += digits(pick(1, 3)) + "." + digits(pick(1, 4)); break;
    case 2:
      text += digits(pick(1, 3)) + "," + digits(3) + (pick(0, 1) ? "," + digits(3) : "");
      break;
    case 3:
      text += digits(1) + "." + digits(pick(0, 3)) + (pick(0, 1) ? "E" : "e") +
              (pick(0, 1) ? "+" : "-") + digits(pick(1, 3));
      break;
    default: text += digits(pick(1, 3)) + " " + digits(3); break;
  }
  // Ones side by side, which a font may kern.
  if (pick(0, 5) == 0) text += "11";
  switch (pick(0, 15)) {
    case 0: text += " s"; break;
    case 1: text = "x" + text; break;
    case 2: text = "\xE2\x88\x92" + text; break;  // U+2212, a minus sign
    default: break;
  }
  return text;
}

TEST(NumberWidthTest, EveryNumberIsAsWideAsItsOwnShapingMakesIt) {
  struct Font {
    const char* name;
    int height;
    TFontStyles style;
  };
  const Font fonts[] = {{"Arial", -11, 0},           {"Arial", -13, fsBold},
                        {"Arial", -22, 0},           {"Courier New", -13, 0},
                        {"Times New Roman", -16, 0}, {"DejaVu Sans", -12, 0}};
  std::mt19937 random(7);
  for (const Font& font : fonts) {
    // Measured by pattern on one canvas; on the other each number is first
    // written, which shapes it whole, and then measured.
    TBitmap patterned(10, 10);
    TBitmap shaped(400, 40);
    for (TBitmap* bitmap : {&patterned, &shaped}) {
      bitmap->Canvas().Font().SetName(font.name);
      bitmap->Canvas().Font().SetHeight(font.height);
      bitmap->Canvas().Font().SetStyle(font.style);
    }
    for (int n = 0; n < 1500; ++n) {
      const std::string text = RandomNumber(random);
      shaped.Canvas().TextOut(0, 0, text);
      ASSERT_EQ(patterned.Canvas().TextWidth(text), shaped.Canvas().TextWidth(text))
          << font.name << " " << font.height << ": \"" << text << "\"";
    }
  }
}

}  // namespace
}  // namespace drivesim

// Text to number and number to text on thousands of random inputs (a fixed
// seed, so every run sees the same ones): well-formed texts, texts with a
// character inserted, dropped or changed, and the odd cases a user types.
// Every text is judged here by the grammar the edits' texts follow and read
// by the C library: a refusal must carry the system's message, an accepted
// text must give the very number strtod or strtol gives once the locale's
// decimal separator is mapped to a point.
#include <gtest/gtest.h>
#include <locale.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
// GCC 12 warns of an uninitialised member inside <regex> when building with
// the sanitizers; the warning is a known false positive of the library.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#pragma GCC diagnostic pop
#include <string>

#include "platform/Exceptions.h"
#include "platform/Numbers.h"

namespace drivesim {
namespace {

constexpr unsigned kSeed = 20261209;

// The C locale for the C library's conversions, whatever the process's.
locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return c;
}

class Texts {
 public:
  explicit Texts(unsigned seed) : fRandom(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(fRandom); }
  bool Chance(int percent) { return Below(100) < percent; }

  std::string Digits(int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + Below(10));
    return digits;
  }
  // Mostly short, sometimes long enough to go past a double's precision.
  int DigitCount() {
    const int kind = Below(10);
    if (kind < 2) return 0;
    if (kind < 7) return 1 + Below(4);
    return 5 + Below(22);
  }
  std::string Blanks() { return Chance(15) ? std::string(1 + Below(2), ' ') : ""; }
  std::string Sign() {
    const int kind = Below(4);
    return kind == 0 ? "-" : kind == 1 ? "+" : "";
  }

  std::string Real(char separator) {
    std::string text = Blanks() + Sign();
    if (Chance(10)) text += std::string(1 + Below(3), '0');
    text += Digits(DigitCount());
    if (Chance(60)) text += separator + Digits(DigitCount());
    if (Chance(40)) {
      text += Chance(50) ? 'e' : 'E';
      text += Sign();
      static const char* const kExponents[] = {"308",  "309",  "307",  "324",  "323",
                                               "4931", "4932", "4933", "5000", "99999999999"};
      text += Chance(25) ? kExponents[Below(10)] : Digits(Below(4));
    }
    text += Blanks();
    return Chance(25) ? Mutated(text) : text;
  }

  std::string Integer() {
    std::string text = Blanks() + Sign();
    if (Chance(25)) {
      static const char* const kPrefixes[] = {"$", "x", "X", "0x", "0X"};
      text += kPrefixes[Below(5)];
      static const char kHex[] = "0123456789abcdefABCDEF";
      const int count = Chance(10) ? 0 : 1 + Below(10);
      for (int i = 0; i < count; ++i) text += kHex[Below(22)];
    } else {
      text += Digits(Chance(10) ? 0 : 1 + Below(12));
    }
    if (Chance(10)) text += ' ';
    return Chance(20) ? Mutated(text) : text;
  }

  // One character inserted, dropped or replaced.
  std::string Mutated(std::string text) {
    static const char kAlphabet[] = " \t\n+-.,eE0123456789x$aZf\xc3\xa4";
    const char c = kAlphabet[Below(sizeof kAlphabet - 1)];
    const std::size_t at =
        text.empty() ? 0 : static_cast<std::size_t>(Below(static_cast<int>(text.size()) + 1));
    switch (Below(3)) {
      case 0: text.insert(at, 1, c); break;
      case 1:
        if (at < text.size()) text.erase(at, 1);
        break;
      default:
        if (at < text.size()) text[at] = c;
        break;
    }
    return text;
  }

  double Value() {
    switch (Below(8)) {
      case 0: return static_cast<double>(Below(2000001) - 1000000);
      case 1: return (Below(2001) - 1000) / 8.0;  // exact halves and eighths
      case 2: return std::ldexp(static_cast<double>(Below(1 << 30)), Below(140) - 100);
      case 3: return -std::ldexp(static_cast<double>(Below(1 << 30)), Below(100) - 80);
      case 4: {
        static const double kOdd[] = {
            0.0,    -0.0,   1e18,    -1e18,  999999999999999999.0,
            1e-300, 5e-324, 1.005,   2.675,  0.5,
            -0.5,   1.5,    1e15,    1e17,   std::numeric_limits<double>::max(),
            1e308,  -1e-7,  123.455, 99.995, 0.045};
        return kOdd[Below(20)];
      }
      default:
        return std::uniform_real_distribution<double>(-1e6, 1e6)(fRandom) *
               std::pow(10.0, Below(13) - 6);
    }
  }

 private:
  std::mt19937 fRandom;
};

// The grammar of a real number in an edit, with the locale's separator.
std::regex RealGrammar(char separator) {
  const std::string s = separator == '.' ? "\\." : std::string(1, separator);
  return std::regex("^ *[+-]?([0-9]+(" + s + "[0-9]*)?|" + s + "[0-9]+)([eE][+-]?[0-9]+)? *$");
}

const std::regex& IntegerGrammar() {
  static const std::regex grammar("^ *[+-]?([0-9]+|(\\$|[xX]|0[xX])[0-9a-fA-F]+)$");
  return grammar;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::string FloatMessage(const std::string& text) {
  return "'" + text + "' is not a valid floating point value";
}

// Reads one text both ways and compares; returns how the system read it.
enum class Outcome { kAccepted, kRefused, kOverflow };

Outcome CheckReal(const std::string& text, char separator, const std::regex& grammar) {
  Outcome outcome = Outcome::kAccepted;
  double value = 0;
  try {
    value = StrToFloat(text);
  } catch (const EOverflow& e) {
    EXPECT_EQ(e.Message(), "Floating point overflow") << text;
    outcome = Outcome::kOverflow;
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), FloatMessage(text));
    outcome = Outcome::kRefused;
  } catch (const std::exception& e) {
    ADD_FAILURE() << "'" << text << "' raised " << e.what();
    return Outcome::kRefused;
  }
  double tried = 1234.5;
  EXPECT_EQ(TryStrToFloat(text, tried), outcome == Outcome::kAccepted) << text;

  if (!std::regex_match(text, grammar)) {
    EXPECT_EQ(outcome, Outcome::kRefused) << "'" << text << "' does not follow the grammar";
    return outcome;
  }
  std::string mapped = text;
  for (char& c : mapped) {
    if (c == separator) c = '.';
  }
  errno = 0;
  const double library = strtod_l(mapped.c_str(), nullptr, CLocale());
  const bool beyondDouble = errno == ERANGE && std::isinf(library);
  errno = 0;
  const long double extended = strtold_l(mapped.c_str(), nullptr, CLocale());
  const bool beyondExtended = errno == ERANGE && std::isinf(extended);
  if (beyondExtended) {
    EXPECT_EQ(outcome, Outcome::kRefused) << "'" << text << "' is beyond every real";
  } else if (beyondDouble) {
    EXPECT_EQ(outcome, Outcome::kOverflow) << "'" << text << "' is beyond a double";
  } else {
    EXPECT_EQ(outcome, Outcome::kAccepted) << text;
    EXPECT_TRUE(SameBits(value, library))
        << "'" << text << "' read as " << value << ", the C library reads " << library;
    EXPECT_TRUE(SameBits(tried, library)) << text;
  }
  return outcome;
}

TEST(NumbersRandomTest, RealTextsAreReadAsTheCLibraryReadsThemOrRefusedInTheSystemsWords) {
  const char saved = DecimalSeparator();
  int accepted = 0, refused = 0, overflowed = 0;
  for (const char separator : {'.', ','}) {
    SetDecimalSeparator(separator);
    const std::regex grammar = RealGrammar(separator);
    Texts texts(kSeed + static_cast<unsigned>(separator));
    std::vector<std::string> cases{"", " ", ".", "-", "+.e1", "inf", "nan", "1e", "e5", "0x1p3",
                                   "1_0", " 1 2", "\t1", "1\n", "1e+", "--1", "1..2", "1,5", "1.5",
                                   "5.", ".5", "-0", "+0e0", "1e-400", "1e308", "2e308", "1e4933",
                                   "1.8e308 ", "  7  ",
                                   // rounded twice through the extended format, one unit off
                                   "5005e59"};
    for (int n = 0; n < 6000; ++n) cases.push_back(texts.Real(separator));
    for (const std::string& text : cases) {
      switch (CheckReal(text, separator, grammar)) {
        case Outcome::kAccepted: ++accepted; break;
        case Outcome::kRefused: ++refused; break;
        case Outcome::kOverflow: ++overflowed; break;
      }
      if (HasFailure()) break;  // one text is enough to see
    }
  }
  SetDecimalSeparator(saved);
  // The inputs reach every outcome in numbers.
  EXPECT_GT(accepted, 3000);
  EXPECT_GT(refused, 2000);
  EXPECT_GT(overflowed, 50);
}

TEST(NumbersRandomTest, IntegerTextsAreReadAsTheCLibraryReadsThemOrRefusedInTheSystemsWords) {
  Texts texts(kSeed);
  std::vector<std::string> cases{"",
                                 " ",
                                 "-",
                                 "$",
                                 "0x",
                                 "x",
                                 "2147483647",
                                 "2147483648",
                                 "-2147483648",
                                 "-2147483649",
                                 "$7FFFFFFF",
                                 "$80000000",
                                 "-$80000000",
                                 "0x00000000001",
                                 "00x1",
                                 " 42",
                                 "42 ",
                                 "+-1",
                                 "1e2",
                                 "\t7",
                                 "0X1f",
                                 "-x10"};
  for (int n = 0; n < 5000; ++n) cases.push_back(texts.Integer());
  int accepted = 0, refused = 0;
  for (const std::string& text : cases) {
    bool ok = true;
    int value = 0;
    try {
      value = StrToInt(text);
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + text + "' is not a valid integer value");
      ok = false;
    }
    int tried = 77;
    EXPECT_EQ(TryStrToInt(text, tried), ok) << text;
    // The C library's reading: the sign and the digits, in base 16 after a
    // prefix, within the 32-bit range.
    bool expectOk = std::regex_match(text, IntegerGrammar());
    long long expected = 0;
    if (expectOk) {
      std::string t = text.substr(text.find_first_not_of(' '));
      std::string sign;
      if (t[0] == '+' || t[0] == '-') {
        sign = t.substr(0, 1);
        t.erase(0, 1);
      }
      int base = 10;
      if (t[0] == '$' || t[0] == 'x' || t[0] == 'X') {
        base = 16;
        t.erase(0, 1);
      } else if (t.size() > 1 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        t.erase(0, 2);
      }
      const std::string digits = sign + t;
      errno = 0;
      expected = strtoll_l(digits.c_str(), nullptr, base, CLocale());
      expectOk = errno == 0 && expected >= INT_MIN && expected <= INT_MAX;
    }
    EXPECT_EQ(ok, expectOk) << "'" << text << "'";
    if (ok && expectOk) {
      EXPECT_EQ(value, expected) << text;
      EXPECT_EQ(tried, expected) << text;
    }
    (ok ? accepted : refused)++;
    if (HasFailure()) break;
  }
  EXPECT_GT(accepted, 2500);
  EXPECT_GT(refused, 700);
}

// A picture format of the kind the chart's labels use: integer placeholders
// with or without grouping, then decimals, maybe a literal after them.
struct Picture {
  std::string Format;
  int Decimals;
  bool Grouped;
};

Picture RandomPicture(Texts& texts) {
  Picture p;
  p.Grouped = texts.Chance(40);
  p.Format = p.Grouped ? "#,##0" : (texts.Chance(50) ? "0" : "#0");
  p.Decimals = texts.Below(6);
  if (p.Decimals > 0) {
    p.Format += '.';
    for (int i = 0; i < p.Decimals; ++i) p.Format += texts.Chance(50) ? '0' : '#';
  }
  return p;
}

TEST(NumbersRandomTest, FormattedNumbersReadBackToTheValueRoundedToTheirPlaces) {
  const char savedDecimal = DecimalSeparator();
  const char savedThousand = ThousandSeparator();
  Texts texts(kSeed + 7);
  int checked = 0;
  for (const auto& [decimal, thousand] : {std::pair{'.', ','}, std::pair{',', '.'}}) {
    SetDecimalSeparator(decimal);
    SetThousandSeparator(thousand);
    for (int n = 0; n < 3000; ++n) {
      const Picture picture = RandomPicture(texts);
      const double value = texts.Value();
      std::string text;
      ASSERT_NO_THROW(text = FormatFloat(picture.Format, value)) << picture.Format << " " << value;
      ASSERT_FALSE(text.empty());
      if (!std::isfinite(value) || std::abs(value) >= 1e18) continue;  // the general form
      // Read back: the grouping dropped, the separator mapped.
      std::string plain;
      for (const char c : text) {
        if (picture.Grouped && c == thousand) continue;
        plain += c == decimal ? '.' : c;
      }
      char* end = nullptr;
      const double read = strtod_l(plain.c_str(), &end, CLocale());
      ASSERT_EQ(*end, '\0') << picture.Format << " " << value << " gave '" << text << "'";
      // Within half a unit of the last place shown (judged on 15 digits).
      const double unit = std::pow(10.0, -picture.Decimals);
      EXPECT_LE(std::abs(read - value), unit / 2 + std::abs(value) * 1e-14)
          << picture.Format << " " << value << " gave '" << text << "'";
      // At most the format's decimals, and a minus sign only on a value
      // that does not round to zero.
      const std::size_t point = plain.find('.');
      const std::size_t shown = point == std::string::npos ? 0 : plain.size() - point - 1;
      EXPECT_LE(shown, static_cast<std::size_t>(picture.Decimals)) << text;
      if (plain[0] == '-') {
        EXPECT_NE(read, 0.0) << picture.Format << " " << value;
      }
      ++checked;
      if (HasFailure()) break;
    }
  }
  SetDecimalSeparator(savedDecimal);
  SetThousandSeparator(savedThousand);
  EXPECT_GT(checked, 5000);
}

}  // namespace
}  // namespace drivesim

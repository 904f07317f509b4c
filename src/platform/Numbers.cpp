// Number services of the runtime: integer multiply-divide, rounding, checked
// floating-point arithmetic and the locale's separators.

#include "platform/Numbers.h"

#include <QLocale>
#include <QString>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <vector>

#include "platform/Exceptions.h"

namespace drivesim {

namespace {

char g_decimal_separator = '.';
char g_thousand_separator = ',';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Outcome of reading a real number from text.
enum class ParseResult { kOk, kInvalid, kOverflow };

// Reads a real number: blanks, sign, digits with at most one decimal
// separator (the given one), an optional exponent with its own sign and at
// least one digit, blanks. The number is first formed at extended precision;
// a magnitude beyond that precision's range does not read at all, while one
// that only exceeds a double's range reads but overflows when it is narrowed.
// Magnitudes too small for a double become zero or lose precision.
ParseResult ParseReal(std::string_view text, char separator, double& value) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  std::string normal;  // The same number in the form from_chars reads.
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (negative) normal += '-';
  // Decimal position of the leading nonzero digit relative to the separator,
  // used to tell an overflow from an underflow when the range is exceeded.
  long long lead_position = 0;
  bool seen_nonzero = false;
  int mantissa_digits = 0;
  long long int_digits_after_lead = 0;
  long long zeros_before_lead = 0;
  while (i < n && IsDigit(text[i])) {
    if (text[i] != '0') seen_nonzero = true;
    if (seen_nonzero) ++int_digits_after_lead;
    normal += text[i];
    ++mantissa_digits;
    ++i;
  }
  if (i < n && text[i] == separator) {
    normal += '.';
    ++i;
    while (i < n && IsDigit(text[i])) {
      if (text[i] != '0') seen_nonzero = true;
      if (!seen_nonzero) ++zeros_before_lead;
      normal += text[i];
      ++mantissa_digits;
      ++i;
    }
  }
  if (mantissa_digits == 0) return ParseResult::kInvalid;
  long long exponent = 0;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    normal += 'e';
    ++i;
    bool exponent_negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
      exponent_negative = text[i] == '-';
      normal += text[i];
      ++i;
    }
    int exponent_digits = 0;
    while (i < n && IsDigit(text[i])) {
      // Saturates far beyond any representable magnitude.
      if (exponent < 1000000000) exponent = exponent * 10 + (text[i] - '0');
      normal += text[i];
      ++exponent_digits;
      ++i;
    }
    if (exponent_digits == 0) return ParseResult::kInvalid;
    if (exponent_negative) exponent = -exponent;
  }
  while (i < n && text[i] == ' ') ++i;
  if (i != n) return ParseResult::kInvalid;

  // The number is rounded to a double once, from its decimal digits: going
  // through the extended format first would round twice and, now and then,
  // land one unit in the last place away from the nearest double.
  const char* const first = normal.data();
  const char* const last = normal.data() + normal.size();
  double narrowed = 0;
  const auto [end, error] = std::from_chars(first, last, narrowed);
  if (end != last) return ParseResult::kInvalid;
  if (error == std::errc()) {
    value = narrowed;
    return ParseResult::kOk;
  }
  if (error != std::errc::result_out_of_range) return ParseResult::kInvalid;
  // Beyond a double's range the number is formed at extended precision: a
  // magnitude that fits there overflows as it is stored, a larger one is no
  // number at all. Below the range it becomes zero.
  long double extended = 0;
  const auto [extendedEnd, extendedError] = std::from_chars(first, last, extended);
  if (extendedEnd != last) return ParseResult::kInvalid;
  if (extendedError == std::errc::result_out_of_range) {
    lead_position = int_digits_after_lead > 0 ? int_digits_after_lead : -zeros_before_lead;
    if (lead_position + exponent > 0) return ParseResult::kInvalid;
  } else if (extendedError != std::errc()) {
    return ParseResult::kInvalid;
  } else if (std::fabs(extended) > 1) {
    return ParseResult::kOverflow;
  }
  value = negative ? -0.0 : 0.0;
  return ParseResult::kOk;
}

// Reads a 32-bit signed integer: leading blanks, a sign, then decimal digits
// or hexadecimal digits after "$", "x" or "0x", and nothing after them.
bool ParseInteger(std::string_view text, int& value) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < n && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i < n && (text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  // The magnitude may reach 2^31 only for a negative number.
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t magnitude = 0;
  int digits = 0;
  for (; i < n; ++i) {
    const int d = base == 16 ? HexDigitValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
    if (d < 0) return false;
    magnitude = magnitude * base + d;
    if (magnitude > limit) return false;
    ++digits;
  }
  if (digits == 0) return false;
  value = static_cast<int>(negative ? -magnitude : magnitude);
  return true;
}

// A value's decimal digits rounded to a number of significant digits, halves
// away from zero: value = 0.Digits x 10^Exponent. Digits has no leading zero
// and no trailing zeros; it is empty for zero.
struct DecimalDigits {
  std::string Digits;
  int Exponent = 0;
};

// Rounds a digit string (0.digits x 10^exponent) to keep `keep` digits,
// halves away from zero, and strips trailing zeros.
void RoundDigits(DecimalDigits& d, int keep) {
  if (keep < 0 || d.Digits.empty()) {
    d.Digits.clear();
    return;
  }
  if (keep < static_cast<int>(d.Digits.size())) {
    const bool up = d.Digits[keep] >= '5';
    d.Digits.resize(keep);
    if (up) {
      int k = keep - 1;
      while (k >= 0 && d.Digits[k] == '9') {
        d.Digits[k] = '0';
        --k;
      }
      if (k >= 0) {
        ++d.Digits[k];
      } else {
        d.Digits.insert(d.Digits.begin(), '1');
        ++d.Exponent;
      }
    }
  }
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  if (d.Digits.empty()) d.Exponent = 0;
}

// The digits of |value| rounded to `precision` significant digits. The exact
// binary value is first written with ample digits; the rounding then works on
// that decimal text.
DecimalDigits ToDecimal(double value, int precision) {
  DecimalDigits d;
  value = std::fabs(value);
  if (value == 0.0) return d;
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 30);
  const std::string_view text(buffer, result.ptr - buffer);
  const std::size_t e = text.find('e');
  for (std::size_t k = 0; k < e; ++k) {
    if (IsDigit(text[k])) d.Digits += text[k];
  }
  int exponent10 = 0;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                  exponent10);
  d.Exponent = exponent10 + 1;
  RoundDigits(d, precision);
  return d;
}

constexpr int kGeneralPrecision = 15;

// The general form of FloatToStr: fixed notation when the decimal exponent
// lies between -4 and the precision, scientific ("1.5E-7", "1E20") otherwise.
std::string GeneralForm(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  const DecimalDigits d = ToDecimal(value, kGeneralPrecision);
  if (d.Digits.empty()) return "0";
  std::string out;
  if (value < 0) out += '-';
  const int count = static_cast<int>(d.Digits.size());
  if (d.Exponent > kGeneralPrecision || d.Exponent < -4) {
    out += d.Digits[0];
    if (count > 1) {
      out += g_decimal_separator;
      out.append(d.Digits, 1, std::string::npos);
    }
    out += 'E';
    const int exponent = d.Exponent - 1;
    if (exponent < 0) out += '-';
    out += std::to_string(std::abs(exponent));
    return out;
  }
  if (d.Exponent <= 0) {
    out += '0';
    out += g_decimal_separator;
    out.append(-d.Exponent, '0');
    out += d.Digits;
    return out;
  }
  if (count <= d.Exponent) {
    out += d.Digits;
    out.append(d.Exponent - count, '0');
    return out;
  }
  out.append(d.Digits, 0, d.Exponent);
  out += g_decimal_separator;
  out.append(d.Digits, d.Exponent, std::string::npos);
  return out;
}

// One section of a picture format, split into its parts.
struct FormatSection {
  enum class Kind { kDigit, kPoint, kLiteral };
  struct Item {
    Kind kind;
    char placeholder;  // '#' or '0' for a digit
    bool after_point;  // digit placeholders only
    std::string text;  // literals only
  };
  std::vector<Item> items;
  int int_places = 0;         // digit placeholders before the point
  int first_int_zero = -1;    // index of the first '0' before the point
  int decimal_places = 0;     // digit placeholders after the point
  int required_decimals = 0;  // decimals up to and including the last '0'
  bool grouping = false;      // a ',' anywhere in the section
};

// Splits a format into its sections at ';' outside quoted text.
std::vector<std::string> SplitSections(const std::string& format) {
  std::vector<std::string> sections(1);
  char quote = 0;
  for (char c : format) {
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

FormatSection ScanSection(const std::string& section) {
  FormatSection s;
  bool seen_point = false;
  for (std::size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    if (c == '#' || c == '0') {
      s.items.push_back({FormatSection::Kind::kDigit, c, seen_point, {}});
      if (seen_point) {
        ++s.decimal_places;
        if (c == '0') s.required_decimals = s.decimal_places;
      } else {
        if (c == '0' && s.first_int_zero < 0) s.first_int_zero = s.int_places;
        ++s.int_places;
      }
    } else if (c == '.') {
      // Only the first point is the decimal point; later ones are dropped.
      if (!seen_point) s.items.push_back({FormatSection::Kind::kPoint, 0, false, {}});
      seen_point = true;
    } else if (c == ',') {
      s.grouping = true;
    } else {
      std::string literal;
      if (c == '"' || c == '\'') {
        const std::size_t close = section.find(c, i + 1);
        const std::size_t stop = close == std::string::npos ? section.size() : close;
        literal = section.substr(i + 1, stop - i - 1);
        i = stop;
      } else {
        literal = std::string(1, c);
      }
      if (!s.items.empty() && s.items.back().kind == FormatSection::Kind::kLiteral) {
        s.items.back().text += literal;
      } else {
        s.items.push_back({FormatSection::Kind::kLiteral, 0, false, literal});
      }
    }
  }
  return s;
}

// |value| rounded to the section's decimal places, at most the general
// precision's significant digits.
DecimalDigits RoundForSection(double value, const FormatSection& s) {
  DecimalDigits d = ToDecimal(value, kGeneralPrecision);
  RoundDigits(d, d.Exponent + s.decimal_places);
  return d;
}

std::string ApplySection(const FormatSection& s, const DecimalDigits& d, bool negative) {
  // Integer digits (most significant first) and the decimals to show.
  std::string int_digits;
  std::string decimals;
  const int count = static_cast<int>(d.Digits.size());
  if (d.Exponent > 0) {
    int_digits = d.Digits.substr(0, std::min(count, d.Exponent));
    int_digits.append(std::max(0, d.Exponent - count), '0');
    if (count > d.Exponent) decimals = d.Digits.substr(d.Exponent);
  } else if (count > 0) {
    decimals = std::string(-d.Exponent, '0') + d.Digits;
  }
  if (static_cast<int>(decimals.size()) < s.required_decimals) {
    decimals.append(s.required_decimals - decimals.size(), '0');
  }

  std::string out;
  if (negative) out += '-';
  const int int_count = static_cast<int>(int_digits.size());
  // Writes the integer digit at position k (counted from the right, 0 for
  // the units), followed by a thousands separator where one belongs.
  auto put_int_digit = [&](char digit, int k) {
    out += digit;
    if (s.grouping && k > 0 && k % 3 == 0) out += g_thousand_separator;
  };
  auto put_excess_int_digits = [&]() {
    // Integer digits beyond the placeholders all go where the first one is.
    for (int j = 0; j < int_count - s.int_places; ++j)
      put_int_digit(int_digits[j], int_count - 1 - j);
  };
  int int_index = 0;
  int decimal_index = 0;
  bool int_written = s.int_places > 0;
  for (const FormatSection::Item& item : s.items) {
    switch (item.kind) {
      case FormatSection::Kind::kDigit:
        if (!item.after_point) {
          if (int_index == 0) put_excess_int_digits();
          const int k = s.int_places - 1 - int_index;
          if (k < int_count) {
            put_int_digit(int_digits[int_count - 1 - k], k);
          } else if (s.first_int_zero >= 0 && int_index >= s.first_int_zero) {
            put_int_digit('0', k);
          }
          ++int_index;
        } else {
          if (!int_written) {
            put_excess_int_digits();
            int_written = true;
          }
          if (decimal_index < static_cast<int>(decimals.size())) out += decimals[decimal_index];
          ++decimal_index;
        }
        break;
      case FormatSection::Kind::kPoint:
        if (!int_written) {
          put_excess_int_digits();
          int_written = true;
        }
        if (!decimals.empty()) out += g_decimal_separator;
        break;
      case FormatSection::Kind::kLiteral: out += item.text; break;
    }
  }
  if (!int_written) {
    // A format without any digit placeholder still shows the integer part.
    put_excess_int_digits();
  }
  return out;
}

std::string FormatFloatUncached(const std::string& format, double value) {
  if (std::isnan(value) || std::isinf(value)) return GeneralForm(value);
  const std::vector<std::string> sections = SplitSections(format);
  // An empty format, or a value with more integer digits than a double
  // holds exactly, is written in the general form.
  if (sections[0].empty() || std::fabs(value) >= 1e18) return GeneralForm(value);
  const bool negative = value < 0;
  const bool own_negative_section = negative && sections.size() > 1 && !sections[1].empty();
  const FormatSection chosen = ScanSection(own_negative_section ? sections[1] : sections[0]);
  const DecimalDigits d = RoundForSection(value, chosen);
  if (d.Digits.empty()) {
    // A value that rounds to zero shows no sign; a zero section, when given,
    // takes its place.
    if (sections.size() > 2 && !sections[2].empty()) {
      return ApplySection(ScanSection(sections[2]), DecimalDigits{}, false);
    }
    return ApplySection(chosen, d, false);
  }
  return ApplySection(chosen, d, negative && !own_negative_section);
}

// The texts written last, so that the same label in the same format (the
// axes write the same few values at every paint) is formatted once. A text
// depends on the format, the value and the two separators. The value's bits
// and the format's length pick a group of four slots; a new text takes the
// group's slots in turn.
class FormatMemo {
 public:
  const std::string* Find(const std::string& format, double value) const {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const Group& group = fGroups[GroupOf(format, bits)];
    for (const Slot& slot : group.entries) {
      if (slot.used && slot.bits == bits && slot.decimal == g_decimal_separator &&
          slot.thousand == g_thousand_separator && slot.format == format) {
        return &slot.text;
      }
    }
    return nullptr;
  }
  void Store(const std::string& format, double value, const std::string& text) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    Group& group = fGroups[GroupOf(format, bits)];
    Slot& slot = group.entries[group.next];
    group.next = (group.next + 1) % group.entries.size();
    slot.used = true;
    slot.bits = bits;
    slot.decimal = g_decimal_separator;
    slot.thousand = g_thousand_separator;
    slot.format = format;
    slot.text = text;
  }

 private:
  static constexpr std::size_t kGroupBits = 5;
  struct Slot {
    bool used = false;
    std::uint64_t bits = 0;
    char decimal = 0;
    char thousand = 0;
    std::string format;
    std::string text;
  };
  struct Group {
    std::array<Slot, 4> entries;
    std::size_t next = 0;
  };
  static std::size_t GroupOf(const std::string& format, std::uint64_t bits) {
    const std::uint64_t mixed = (bits ^ format.size()) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(mixed >> (64 - kGroupBits));
  }
  std::array<Group, std::size_t{1} << kGroupBits> fGroups;
};

}  // namespace

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t n = static_cast<std::int64_t>(a) * b;
  const std::int64_t d = c;
  std::int64_t q = n / d;
  const std::int64_t r = n % d;
  // Halves go away from zero: bump the truncated quotient when the remainder
  // is at least half the divisor.
  const std::int64_t abs_r = r < 0 ? -r : r;
  const std::int64_t abs_d = d < 0 ? -d : d;
  if (2 * abs_r >= abs_d) q += ((n < 0) != (d < 0)) ? -1 : 1;
  // A quotient outside 32 bits cannot be returned; the platform gives -1.
  if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(q);
}

std::int64_t Round(double x) {
  // Under the default rounding mode rint rounds to nearest, ties to even
  // (the inexact flag it may raise is not looked at).
  const double r = std::rint(x);
  // 2^63 is exactly representable; anything at or beyond it (or NaN) has no
  // 64-bit integer, which the runtime reports as an invalid operation.
  if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) throw EInvalidOp();
  return static_cast<std::int64_t>(r);
}

int RoundToInt(double x) {
  const double r = std::rint(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw EInvalidOp();
  return static_cast<int>(r);
}

int ScalePixels(int pixels, double ratio) {
  if (ratio == 1.0) return pixels;
  const double scaled = std::floor(std::abs(pixels) * ratio + 0.5);
  return static_cast<int>(pixels < 0 ? -scaled : scaled);
}

double CheckedDiv(double numerator, double denominator) {
  if (denominator == 0.0) {
    if (numerator == 0.0 || std::isnan(numerator)) throw EInvalidOp();
    throw EZeroDivide();
  }
  return Checked(numerator / denominator);
}

void RaiseNotFinite(double x) {
  if (std::isnan(x)) throw EInvalidOp();
  throw EOverflow();
}

char DecimalSeparator() { return g_decimal_separator; }
void SetDecimalSeparator(char separator) { g_decimal_separator = separator; }
char ThousandSeparator() { return g_thousand_separator; }
void SetThousandSeparator(char separator) { g_thousand_separator = separator; }

void InitLocaleFromSystem() {
  const QLocale locale = QLocale::system();
  // Separators outside plain ASCII (for instance a narrow no-break space used
  // for thousands) cannot be a single char; those keep their defaults, except
  // that a space-like thousands separator becomes a plain space.
  const QString decimal = locale.decimalPoint();
  if (decimal.size() == 1 && decimal.at(0).unicode() < 0x80) {
    g_decimal_separator = static_cast<char>(decimal.at(0).unicode());
  }
  const QString group = locale.groupSeparator();
  if (group.size() == 1 && group.at(0).unicode() < 0x80) {
    g_thousand_separator = static_cast<char>(group.at(0).unicode());
  } else if (group.size() == 1 && group.at(0).isSpace()) {
    g_thousand_separator = ' ';
  }
}

namespace {

double ReadFloat(const std::string& text, char separator) {
  double value = 0;
  switch (ParseReal(text, separator, value)) {
    case ParseResult::kOk: return value;
    case ParseResult::kOverflow: throw EOverflow();
    case ParseResult::kInvalid: break;
  }
  throw EConvertError(FillIn(kNotAFloatMessage, {text}));
}

}  // namespace

double StrToFloat(const std::string& text) { return ReadFloat(text, g_decimal_separator); }

double StrToFloatWithPoint(const std::string& text) { return ReadFloat(text, '.'); }

bool TryStrToFloat(const std::string& text, double& value) {
  double parsed = 0;
  if (ParseReal(text, g_decimal_separator, parsed) != ParseResult::kOk) return false;
  value = parsed;
  return true;
}

int StrToInt(const std::string& text) {
  int value = 0;
  if (!ParseInteger(text, value)) {
    throw EConvertError(FillIn(kNotAnIntegerMessage, {text}));
  }
  return value;
}

bool TryStrToInt(const std::string& text, int& value) {
  int parsed = 0;
  if (!ParseInteger(text, parsed)) return false;
  value = parsed;
  return true;
}

std::string FormatFloat(const std::string& format, double value) {
  thread_local FormatMemo memo;
  if (const std::string* known = memo.Find(format, value)) return *known;
  std::string text = FormatFloatUncached(format, value);
  memo.Store(format, value, text);
  return text;
}

std::string FloatToStr(double value) { return GeneralForm(value); }

}  // namespace drivesim

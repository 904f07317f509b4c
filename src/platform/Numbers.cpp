// Number services of the runtime: integer multiply-divide, rounding, checked
// floating-point arithmetic and the locale's separators.

#include "platform/Numbers.h"

#include <QLocale>
#include <QString>
#include <cmath>
#include <limits>

#include "platform/Exceptions.h"

namespace drivesim {

namespace {

char g_decimal_separator = '.';
char g_thousand_separator = ',';

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
  // Under the default rounding mode nearbyint rounds to nearest, ties to even.
  const double r = std::nearbyint(x);
  // 2^63 is exactly representable; anything at or beyond it (or NaN) has no
  // 64-bit integer, which the runtime reports as an invalid operation.
  if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) throw EInvalidOp();
  return static_cast<std::int64_t>(r);
}

int RoundToInt(double x) {
  const double r = std::nearbyint(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw EInvalidOp();
  return static_cast<int>(r);
}

double CheckedDiv(double numerator, double denominator) {
  if (denominator == 0.0) {
    if (numerator == 0.0 || std::isnan(numerator)) throw EInvalidOp();
    throw EZeroDivide();
  }
  return Checked(numerator / denominator);
}

double Checked(double x) {
  if (std::isnan(x)) throw EInvalidOp();
  if (std::isinf(x)) throw EOverflow();
  return x;
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

}  // namespace drivesim

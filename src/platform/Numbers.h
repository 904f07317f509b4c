#pragma once
// Number services of the runtime: integer multiply-divide, rounding, checked
// floating-point arithmetic, the locale's decimal separator, and conversion
// between text and numbers.

#include <cmath>
#include <cstdint>
#include <string>

#include "platform/Translate.h"

namespace drivesim {

// The messages of a text that is no number, "%1" standing for the text;
// marked so that the windows show them translated.
inline constexpr const char* kNotAFloatMessage =
    TR_NOOP("Errors", "'%1' is not a valid floating point value");
inline constexpr const char* kNotAnIntegerMessage =
    TR_NOOP("Errors", "'%1' is not a valid integer value");

// a * b / c with a 64-bit intermediate, rounded to the nearest integer with
// halves away from zero. A zero divisor gives -1, as the platform's own does;
// so does a quotient that does not fit in 32 bits.
int MulDiv(int a, int b, int c);

// Rounds to the nearest integer, ties to even (the runtime's Round). A NaN,
// an infinity or a value beyond 64 bits raises EInvalidOp.
std::int64_t Round(double x);
// Round, narrowed to int for pixel coordinates. A value whose rounded result
// is outside 32 bits raises EInvalidOp rather than wrapping around.
int RoundToInt(double x);

// A length in pixels at 96 pixels per inch as pixels of a surface `ratio`
// times as dense: rounded to the nearest pixel, halves away from zero, so
// that a length and its negative scale alike. Exactly the length at a ratio
// of 1.
int ScalePixels(int pixels, double ratio);

// Checked arithmetic. The model's arithmetic "traps" on division by zero,
// invalid operations (0/0, a NaN result) and overflow (an infinite result):
// each helper raises EZeroDivide, EInvalidOp or EOverflow before the bad
// result reaches the caller, so nothing bad is ever stored. Underflow passes
// silently.
double CheckedDiv(double numerator, double denominator);
// Returns x when it is finite; raises EInvalidOp for a NaN and EOverflow for
// an infinity. Used after +, - and * whose operands are finite, many times
// a tick: the test is inline, the raising is not.
[[noreturn]] void RaiseNotFinite(double x);
inline double Checked(double x) {
  if (!std::isfinite(x)) [[unlikely]]
    RaiseNotFinite(x);
  return x;
}

// The user's decimal separator. Read from the system locale once at start-up
// (InitLocaleFromSystem); tests set it with SetDecimalSeparator.
char DecimalSeparator();
void SetDecimalSeparator(char separator);
// The thousands separator the float formatter writes for ",".
char ThousandSeparator();
void SetThousandSeparator(char separator);
void InitLocaleFromSystem();

// Text to number, as the edits' texts are read. Leading and trailing blanks
// (spaces) are ignored; an optional sign; digits with at most one decimal
// separator (the locale's); an optional exponent "E"/"e" with its own sign and
// at least one digit. The number is rounded to the nearest double once, as
// the C library's strtod rounds it. A magnitude beyond a double but within
// the extended range (up to about 1.19e4932) raises EOverflow, a larger one
// does not read at all. Magnitudes too small for a double become zero or a
// subnormal without a message.
// Raises EConvertError "'%s' is not a valid floating point value" with the
// whole original text in place of %s. The Try form raises nothing: it returns
// false (value untouched) for every failure, overflow included.
double StrToFloat(const std::string& text);
bool TryStrToFloat(const std::string& text, double& value);
// StrToFloat with a point for the decimal separator whatever the locale's:
// the texts of command lines and sweep descriptions.
double StrToFloatWithPoint(const std::string& text);
// Optional leading blanks, an optional sign, then decimal digits or
// hexadecimal digits after "$", "x" or "0x", and nothing after them. The
// value, sign applied, must lie in the 32-bit signed range (hexadecimal too:
// "$80000000" is refused, "-$80000000" is the smallest integer).
// Raises EConvertError "'%s' is not a valid integer value".
int StrToInt(const std::string& text);
bool TryStrToInt(const std::string& text, int& value);

// Formats a value with a picture format (for example "#,##0.###" or
// "##0.## %"), using the locale's separators:
// - "0" a digit always shown, "#" a digit shown when significant; integer
//   digits beyond the placeholders all appear; leading zeros appear from the
//   first "0" before the point on;
// - "." the decimal point (the first only), written when a decimal is shown;
// - "," anywhere: thousands grouping of the integer part;
// - text in '...' or "..." and any other character: copied as it is;
// - up to three sections "positive;negative;zero": the negative section is
//   written without a minus sign, the zero section serves a value that rounds
//   to zero.
// The value is rounded to the format's decimal places, halves away from zero,
// judged on its 15 significant digits (so 1.005 with "0.00" gives "1.01"). A
// value that rounds to zero shows no minus sign. An empty format, a value of
// 1e18 or more in magnitude, an infinity or a NaN is written in the general
// form of FloatToStr. There is no scientific ("E+") picture: "E" is literal.
std::string FormatFloat(const std::string& format, double value);

// General decimal form with 15 significant digits and no trailing zeros,
// locale separator: fixed notation while the value has at most 15 integer
// digits and is at least 0.00001 in magnitude, otherwise scientific
// ("1.5E-7", "1E20"). Infinities and NaN give "INF", "-INF" and "NAN".
std::string FloatToStr(double value);

}  // namespace drivesim

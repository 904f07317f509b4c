#pragma once
// Number services of the runtime: integer multiply-divide, rounding, checked
// floating-point arithmetic, the locale's decimal separator, and conversion
// between text and numbers.

#include <cstdint>
#include <string>

namespace drivesim {

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

// Checked arithmetic. The model's arithmetic "traps" on division by zero,
// invalid operations (0/0, a NaN result) and overflow (an infinite result):
// each helper raises EZeroDivide, EInvalidOp or EOverflow before the bad
// result reaches the caller, so nothing bad is ever stored. Underflow passes
// silently.
double CheckedDiv(double numerator, double denominator);
// Returns x when it is finite; raises EInvalidOp for a NaN and EOverflow for
// an infinity. Used after +, - and * whose operands are finite.
double Checked(double x);

// The user's decimal separator. Read from the system locale once at start-up
// (InitLocaleFromSystem); tests set it with SetDecimalSeparator.
char DecimalSeparator();
void SetDecimalSeparator(char separator);
// The thousands separator the float formatter writes for ",".
char ThousandSeparator();
void SetThousandSeparator(char separator);
void InitLocaleFromSystem();

// Text to number, as the edits' texts are read. Leading and trailing blanks
// are ignored; an optional sign; digits with at most one decimal separator
// (the locale's); an optional exponent "E"/"e" with its own sign.
// Raises EConvertError "'%s' is not a valid floating point value".
double StrToFloat(const std::string& text);
bool TryStrToFloat(const std::string& text, double& value);
// Decimal integers within 32 bits, or hexadecimal after "$", "x" or "0x".
// Raises EConvertError "'%s' is not a valid integer value".
int StrToInt(const std::string& text);
bool TryStrToInt(const std::string& text, int& value);

// Formats a value with a picture format of "#", "0", ",", "." and literal
// text (for example "#,##0.###" or "##0.## %"), using the locale's separators.
std::string FormatFloat(const std::string& format, double value);

// Shortest general decimal form of a value, locale separator (FloatToStr).
std::string FloatToStr(double value);

}  // namespace drivesim

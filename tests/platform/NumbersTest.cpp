// Number services: multiply-divide, rounding, checked arithmetic, text to
// number under both decimal separators, and the picture-format formatter.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>

#include "platform/Exceptions.h"
#include "platform/Numbers.h"

namespace drivesim {
namespace {

// Runs f and expects it to raise E with exactly the given message.
template <typename E>
void ExpectRaises(const std::function<void()>& f, const std::string& message) {
  try {
    f();
    ADD_FAILURE() << "expected \"" << message << "\", nothing was raised";
  } catch (const E& e) {
    EXPECT_EQ(e.Message(), message);
  } catch (const std::exception& e) {
    ADD_FAILURE() << "expected \"" << message << "\", got another exception: " << e.what();
  }
}

const std::string kZeroDivide = "Floating point division by zero";
const std::string kInvalidOp = "Invalid floating point operation";
const std::string kOverflow = "Floating point overflow";

// Every test starts and ends with the default point locale, comma grouping.
class NumbersTest : public ::testing::Test {
 protected:
  void SetUp() override { UseLocale('.', ','); }
  void TearDown() override { UseLocale('.', ','); }
  static void UseLocale(char decimal, char thousand) {
    SetDecimalSeparator(decimal);
    SetThousandSeparator(thousand);
  }
  static void UseCommaLocale() { UseLocale(',', '.'); }
};

TEST_F(NumbersTest, MulDivRoundsHalvesAwayFromZeroWithWideIntermediate) {
  // Exact halves, every sign combination.
  EXPECT_EQ(MulDiv(1, 63, 2), 32);
  EXPECT_EQ(MulDiv(1, -63, 2), -32);
  EXPECT_EQ(MulDiv(-1, 63, 2), -32);
  EXPECT_EQ(MulDiv(1, 63, -2), -32);
  EXPECT_EQ(MulDiv(-1, -63, -2), -32);
  // Just below and just above a half.
  EXPECT_EQ(MulDiv(4, 1, 3), 1);
  EXPECT_EQ(MulDiv(5, 1, 3), 2);
  EXPECT_EQ(MulDiv(2, 353, 100), 7);
  EXPECT_EQ(MulDiv(255, 600, 256), 598);
  // The product does not fit in 32 bits, the quotient does.
  EXPECT_EQ(MulDiv(2000000000, 2000000000, 2000000000), 2000000000);
  EXPECT_EQ(MulDiv(INT_MIN, INT_MIN, INT_MIN), INT_MIN);
  EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MIN), -2147483646);
  // A zero divisor, or a quotient beyond 32 bits, gives -1.
  EXPECT_EQ(MulDiv(7, 3, 0), -1);
  EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
  EXPECT_EQ(MulDiv(INT_MIN, -1, 1), -1);
}

TEST_F(NumbersTest, RoundGoesToNearestWithTiesToEven) {
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(Round(2.5000000000000004), 3);
  EXPECT_EQ(Round(42 * 1.7857), 75);
  EXPECT_EQ(Round(3e15 + 0.5), 3000000000000000);
  EXPECT_EQ(RoundToInt(8.79), 9);
  EXPECT_EQ(RoundToInt(2147483647.4), INT_MAX);
  EXPECT_EQ(RoundToInt(-2147483648.5), INT_MIN);  // the tie goes to the even INT_MIN
  // Nothing wraps around: a result without an integer of that width traps.
  ExpectRaises<EInvalidOp>([] { RoundToInt(2147483647.5); }, kInvalidOp);
  ExpectRaises<EInvalidOp>([] { RoundToInt(std::nan("")); }, kInvalidOp);
  ExpectRaises<EInvalidOp>([] { Round(9.3e18); }, kInvalidOp);
  EXPECT_EQ(Round(-9223372036854775808.0), std::numeric_limits<std::int64_t>::min());
}

TEST_F(NumbersTest, CheckedArithmeticTrapsWithTheRightMessage) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_DOUBLE_EQ(CheckedDiv(6.0, 3.0), 2.0);
  ExpectRaises<EZeroDivide>([] { CheckedDiv(1.0, 0.0); }, kZeroDivide);
  ExpectRaises<EZeroDivide>([] { CheckedDiv(-3.26e-4, -0.0); }, kZeroDivide);
  // 0/0 and NaN/0 are invalid operations, not divisions by zero.
  ExpectRaises<EInvalidOp>([] { CheckedDiv(0.0, 0.0); }, kInvalidOp);
  ExpectRaises<EInvalidOp>([&] { CheckedDiv(nan, 0.0); }, kInvalidOp);
  ExpectRaises<EInvalidOp>([&] { CheckedDiv(nan, 2.0); }, kInvalidOp);
  ExpectRaises<EInvalidOp>([&] { CheckedDiv(inf, inf); }, kInvalidOp);
  ExpectRaises<EOverflow>([] { CheckedDiv(1e308, 1e-10); }, kOverflow);
  // Underflow passes silently, to a subnormal or to zero.
  EXPECT_DOUBLE_EQ(CheckedDiv(1e-308, 1e10), 1e-318);
  EXPECT_EQ(CheckedDiv(1e-308, 1e300), 0.0);
  ExpectRaises<EOverflow>([] { Checked(1e308 * 10.0); }, kOverflow);
  ExpectRaises<EOverflow>([&] { Checked(-inf); }, kOverflow);
  ExpectRaises<EInvalidOp>([&] { Checked(inf - inf); }, kInvalidOp);
}

TEST_F(NumbersTest, StrToFloatReadsTheAcceptedForms) {
  EXPECT_DOUBLE_EQ(StrToFloat("0.006"), 0.006);
  EXPECT_DOUBLE_EQ(StrToFloat("  -1.5e3  "), -1500.0);
  EXPECT_DOUBLE_EQ(StrToFloat("+.5"), 0.5);
  EXPECT_DOUBLE_EQ(StrToFloat("5."), 5.0);
  EXPECT_DOUBLE_EQ(StrToFloat("1E+2"), 100.0);
  EXPECT_EQ(StrToFloat("0.1"), 0.1);  // correctly rounded, not accumulated
  EXPECT_EQ(StrToFloat("4.9e-324"), std::numeric_limits<double>::denorm_min());
  // Magnitudes too small for a double become zero, keeping the sign.
  EXPECT_EQ(StrToFloat("1e-400"), 0.0);
  EXPECT_TRUE(std::signbit(StrToFloat("-1e-400")));
  EXPECT_EQ(StrToFloat("1e-99999999999999999999"), 0.0);
  EXPECT_EQ(StrToFloat("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

TEST_F(NumbersTest, StrToFloatRefusesOtherTextsWithTheirOwnText) {
  for (const std::string text :
       {"0,006", "", " ", "-", "1e", "e5", "1.2.3", "1 000", "--1", "+-1", "1e+-2", "0x10", "inf",
        "nan", "1.5 x", "\t1", ".", "1e5000", "1e99999999999999999999"}) {
    ExpectRaises<EConvertError>([&] { StrToFloat(text); },
                                "'" + text + "' is not a valid floating point value");
    double value = 42.0;
    EXPECT_FALSE(TryStrToFloat(text, value)) << text;
    EXPECT_EQ(value, 42.0) << text;
  }
  // Beyond a double but within extended precision the number reads and
  // then overflows; Try reports a failure without raising.
  ExpectRaises<EOverflow>([] { StrToFloat("1e400"); }, kOverflow);
  ExpectRaises<EOverflow>([] { StrToFloat("-1.1e4932"); }, kOverflow);
  ExpectRaises<EOverflow>([] { StrToFloat("1.8e308"); }, kOverflow);
  double value = 1.0;
  EXPECT_FALSE(TryStrToFloat("1e400", value));
  EXPECT_TRUE(TryStrToFloat(" 2.5 ", value));
  EXPECT_EQ(value, 2.5);
}

TEST_F(NumbersTest, StrToFloatUsesOnlyTheLocaleSeparator) {
  UseCommaLocale();
  EXPECT_DOUBLE_EQ(StrToFloat("0,006"), 0.006);
  EXPECT_DOUBLE_EQ(StrToFloat(" -1,5e2"), -150.0);
  ExpectRaises<EConvertError>([] { StrToFloat("0.006"); },
                              "'0.006' is not a valid floating point value");
  ExpectRaises<EConvertError>([] { StrToFloat("1.000,5"); },
                              "'1.000,5' is not a valid floating point value");
}

TEST_F(NumbersTest, StrToFloatWithPointReadsAPointWhateverTheLocale) {
  UseCommaLocale();
  EXPECT_EQ(StrToFloatWithPoint("0.006"), StrToFloat("0,006"));
  EXPECT_EQ(StrToFloatWithPoint(" -1.5e2"), -150.0);
  ExpectRaises<EConvertError>([] { StrToFloatWithPoint("0,006"); },
                              "'0,006' is not a valid floating point value");
  ExpectRaises<EOverflow>([] { StrToFloatWithPoint("1e400"); }, kOverflow);
  // The locale's separator stands, also after a text that did not read.
  EXPECT_EQ(DecimalSeparator(), ',');
  EXPECT_EQ(StrToFloat("2,5"), 2.5);
}

TEST_F(NumbersTest, StrToIntReadsDecimalAndHexadecimalWithin32Bits) {
  EXPECT_EQ(StrToInt("42"), 42);
  EXPECT_EQ(StrToInt("   -7"), -7);
  EXPECT_EQ(StrToInt("2147483647"), INT_MAX);
  EXPECT_EQ(StrToInt("-2147483648"), INT_MIN);
  EXPECT_EQ(StrToInt("$1A"), 26);
  EXPECT_EQ(StrToInt("x1a"), 26);
  EXPECT_EQ(StrToInt("0X1f"), 31);
  EXPECT_EQ(StrToInt("0x7FFFFFFF"), INT_MAX);
  EXPECT_EQ(StrToInt("-$80000000"), INT_MIN);
  EXPECT_EQ(StrToInt(" -x10"), -16);
  for (const std::string text :
       {"", " ", "7 ", "- 5", "2147483648", "-2147483649", "99999999999999999999", "$80000000",
        "0x", "$", "x", "$G", "1.5", "1e3", "++1", "0x-1", "12a"}) {
    ExpectRaises<EConvertError>([&] { StrToInt(text); },
                                "'" + text + "' is not a valid integer value");
    int value = 5;
    EXPECT_FALSE(TryStrToInt(text, value)) << text;
    EXPECT_EQ(value, 5) << text;
  }
  int value = 0;
  EXPECT_TRUE(TryStrToInt("  $ff", value));
  EXPECT_EQ(value, 255);
}

TEST_F(NumbersTest, FormatFloatWritesLabelPictures) {
  const std::string labels = "#,##0.###";
  EXPECT_EQ(FormatFloat(labels, -0.3), "-0.3");
  EXPECT_EQ(FormatFloat(labels, -0.25), "-0.25");
  EXPECT_EQ(FormatFloat(labels, 0.0), "0");
  EXPECT_EQ(FormatFloat(labels, 1234.5678), "1,234.568");
  EXPECT_EQ(FormatFloat(labels, 0.1 + 0.2), "0.3");
  EXPECT_EQ(FormatFloat(labels, -1234567.0), "-1,234,567");
  EXPECT_EQ(FormatFloat(labels, 999.9996), "1,000");
  EXPECT_EQ(FormatFloat(labels, -0.0004), "0");  // no "-0"
  EXPECT_EQ(FormatFloat(labels, 0.0005), "0.001");
  // Halves of the last shown digit go away from zero, judged on the value's
  // 15 significant digits.
  EXPECT_EQ(FormatFloat("0.00", 0.125), "0.13");
  EXPECT_EQ(FormatFloat("0", 2.5), "3");
  EXPECT_EQ(FormatFloat("0.00", 1.005), "1.01");
  EXPECT_EQ(FormatFloat("##0.## %", 12.345), "12.35 %");
  EXPECT_EQ(FormatFloat("##0.## %", 12.0), "12 %");
  // Required digits, optional digits, grouping of leading zeros.
  EXPECT_EQ(FormatFloat("0.00", 1.5), "1.50");
  EXPECT_EQ(FormatFloat("0,000", 5.0), "0,005");
  EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
  EXPECT_EQ(FormatFloat("#", 0.0), "");
  EXPECT_EQ(FormatFloat(".00", 12.5), "12.50");
  EXPECT_EQ(FormatFloat("0.0#0", 2.0), "2.000");
  // Literal text, quoted text and sections for negative and zero values.
  EXPECT_EQ(FormatFloat("0 'rad/s'", 90.0), "90 rad/s");
  EXPECT_EQ(FormatFloat("0.0;(0.0);zero", -1.25), "(1.3)");
  EXPECT_EQ(FormatFloat("0.0;(0.0);zero", 0.01), "zero");
  EXPECT_EQ(FormatFloat("0.0;;zero", -2.0), "-2.0");
  // Huge values, non-finite values and an empty picture use the general form.
  EXPECT_EQ(FormatFloat(labels, 1e20), "1E20");
  EXPECT_EQ(FormatFloat(labels, -std::numeric_limits<double>::infinity()), "-INF");
}

TEST_F(NumbersTest, FormattingUsesTheLocaleSeparators) {
  UseCommaLocale();
  EXPECT_EQ(FormatFloat("#,##0.###", 1234.5678), "1.234,568");
  EXPECT_EQ(FormatFloat("#,##0.###", -0.25), "-0,25");
  EXPECT_EQ(FloatToStr(-2.5), "-2,5");
  SetThousandSeparator(' ');
  EXPECT_EQ(FormatFloat("#,##0", 1234567.0), "1 234 567");
}

TEST_F(NumbersTest, FloatToStrWritesTheShortestGeneralForm) {
  EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
  EXPECT_EQ(FloatToStr(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FloatToStr(1e14), "100000000000000");
  EXPECT_EQ(FloatToStr(1e15), "1E15");
  EXPECT_EQ(FloatToStr(123456789012345678.0), "1.23456789012346E17");
  EXPECT_EQ(FloatToStr(0.00001), "0.00001");
  EXPECT_EQ(FloatToStr(0.000001), "1E-6");
  EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
  EXPECT_EQ(FloatToStr(0.9999999999999999), "1");
}

}  // namespace
}  // namespace drivesim

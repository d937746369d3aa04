#include "runtime/values/number_text.h"
#include "runtime/values/run_time_error.h"
#include "runtime/values/scientific.h"
#include "numeric_locale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <ostream>
#include <random>
#include <regex>
#include <string>
#include <string_view>
#include <utility>

using runtime::readNumber;
using runtime::writeNumber;

namespace {

// A view of a number's text is had only from a NumberText that outlives it:
// one of the temporary writeNumber() gives would show characters already gone.
template <class Text>
concept viewable = requires(Text&& text) {
    std::string_view(std::forward<Text>(text));
};
template <class Text>
concept viewableByName = requires(Text&& text) { std::forward<Text>(text).view(); };
static_assert(viewable<runtime::NumberText&> && viewable<const runtime::NumberText&>);
static_assert(!viewable<runtime::NumberText> && !viewable<const runtime::NumberText&&>);
static_assert(viewableByName<runtime::NumberText&> && !viewableByName<runtime::NumberText>);
static_assert(requires { writeNumber(1).str(); }, "a copy of the text, from a temporary too");

struct Writing {
    double value;
    std::string text;
};

void PrintTo(const Writing& row, std::ostream* out)
{
    char value[32];
    std::snprintf(value, sizeof value, "%.17g", row.value);
    *out << value << " -> \"" << row.text << '"';
}

class WritesNumber : public testing::TestWithParam<Writing> {};

TEST_P(WritesNumber, AsExpected)
{
    EXPECT_EQ(writeNumber(GetParam().value).str(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Whole, WritesNumber, testing::Values(
    Writing{0, "0"}, Writing{-0.0, "0"}, Writing{100, "100"}, Writing{8, "8"}, Writing{2, "2"},
    Writing{-3, "-3"}, Writing{65536, "65536"}, Writing{-2147483648.0, "-2147483648"},
    Writing{999999999999999, "999999999999999"}, Writing{-999999999999999, "-999999999999999"},
    Writing{1e14, "100000000000000"}));

INSTANTIATE_TEST_SUITE_P(Fractions, WritesNumber, testing::Values(
    Writing{0.5, "0,5"}, Writing{-1.5, "-1,5"}, Writing{1.0 / 3, "0,333333333333333"},
    Writing{2.0 / 3, "0,666666666666667"}, Writing{0.1 + 0.2, "0,3"}, Writing{1e-5, "0,00001"},
    Writing{5.6789e-11, "0,000000000056789"}, Writing{0.123456789012345, "0,123456789012345"},
    Writing{1e-15, "0,000000000000001"}, Writing{123.456, "123,456"},
    Writing{1.61803398874989484820, "1,61803398874989"}, Writing{99999999999999.94, "99999999999999,9"},
    Writing{99999999999999.96, "100000000000000"}));

INSTANTIATE_TEST_SUITE_P(ExponentForm, WritesNumber, testing::Values(
    Writing{1e15, "1E+15"}, Writing{1.2e15, "1,2E+15"}, Writing{-1e15, "-1E+15"},
    Writing{999999999999999.5, "1E+15"}, Writing{1e16 + 4, "1E+16"},
    Writing{123456789012345678.0, "1,23456789012346E+17"}, Writing{1.0 / 30, "3,33333333333333E-02"},
    Writing{0.0123456789012345, "1,23456789012345E-02"}, Writing{5.6789e-12, "5,6789E-12"},
    Writing{1e-16, "1E-16"}, Writing{DBL_MAX, "1,79769313486232E+308"},
    Writing{-DBL_MAX, "-1,79769313486232E+308"}, Writing{DBL_MIN, "2,2250738585072E-308"},
    Writing{std::numeric_limits<double>::denorm_min(), "4,94065645841247E-324"}));

TEST(WritesNumber, RefusesWhatNoComputationMayGive)
{
    EXPECT_THROW(writeNumber(std::numeric_limits<double>::infinity()), runtime::RunTimeError);
    EXPECT_THROW(writeNumber(-std::numeric_limits<double>::infinity()), runtime::RunTimeError);
    EXPECT_THROW(writeNumber(std::numeric_limits<double>::quiet_NaN()), runtime::RunTimeError);
}

// The value rounded to 15 significant digits, by the C library.
double roundedTo15(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.14e", value);
    return std::strtod(text, nullptr);
}

// For any finite double: the text has one of the two shapes, agrees with
// 15-digit rounding, and reads back as that rounded value.
TEST(WritesNumber, AgreesWithFifteenDigitRoundingAndReadsBack)
{
    static const std::regex plain(R"(-?(0|[1-9][0-9]{0,14})(,[0-9]*[1-9])?)");
    static const std::regex exponent(R"(-?[1-9](,[0-9]*[1-9])?E[+-][0-9]{2,3})");
    std::mt19937_64 random(1516);
    std::uniform_real_distribution<double> unit(-1, 1);
    std::uniform_int_distribution<int> power(-30, 30);
    for (int i = 0; i < 300'000; ++i) {
        // Every third value is any bit pattern; the others have few digits
        // or sit near 1E+15 and the 15-place boundary.
        double value;
        switch (i % 3) {
        case 0:
            value = std::bit_cast<double>(random());
            break;
        case 1:
            value = std::ldexp(unit(random), power(random) * 3);
            break;
        default:
            value = std::round(unit(random) * 1e6) * std::pow(10.0, power(random));
            break;
        }
        if (!std::isfinite(value))
            continue;
        const std::string text = writeNumber(value).str();
        ASSERT_TRUE(std::regex_match(text, plain) || std::regex_match(text, exponent)) << text;
        ASSERT_EQ(readNumber(text), roundedTo15(value)) << text << " for " << value;
        const std::size_t e = text.find('E');
        if (e == std::string::npos) { // plain digits only where they fit
            const std::size_t comma = text.find(',');
            ASSERT_LE(comma == std::string::npos ? 0 : text.size() - comma - 1, 15u) << text;
            ASSERT_LT(std::fabs(roundedTo15(value)), 1e15) << text;
        } else { // and the exponent form only where they do not
            const int power10 = std::stoi(text.substr(e + 1));
            const auto mantissaDigits = std::count_if(text.begin(), text.begin() + static_cast<long>(e),
                                                      [](char c) { return c >= '0' && c <= '9'; });
            ASSERT_TRUE(power10 >= 15 || (power10 < 0 && -power10 - 1 + mantissaDigits > 15)) << text;
        }
    }
}

// Where the C++ library writes doubles with a precision itself, the printf
// path that stands in for it elsewhere (in a browser) must write every
// double as it does: the same 15 digits, rounded the same way at a tie.
#if defined(__cpp_lib_to_chars)
class Scientific : public NumericLocale {};
INSTANTIATE_WITH_NUMERIC_LOCALES(Scientific);

void expectSameWriting(double value)
{
    std::array<char, 32> byLibrary{}, byPrintf{};
    const auto library = std::to_chars(byLibrary.begin(), byLibrary.end(), value, std::chars_format::scientific, 14);
    const auto printf = runtime::scientificByPrintf(byPrintf.begin(), byPrintf.end(), value);
    ASSERT_EQ(printf.ec, library.ec) << value;
    EXPECT_EQ(std::string_view(byPrintf.begin(), printf.ptr), std::string_view(byLibrary.begin(), library.ptr));
}

TEST_P(Scientific, PrintfPathWritesAsTheLibrary)
{
    // Ties at the fifteenth digit, exactly representable: round half to even.
    for (double value : {0.0, -0.0, 1.0, -1.0, 0.1, 1e15, 1000000000000005.0, 1000000000000015.0,
                         -2000000000000025.0, 0.5, 1.5e-300, 5e-324, DBL_MIN, DBL_MAX, -DBL_MAX, 9007199254740993.0,
                         123456789012345.5, 0.000123456789012345})
        expectSameWriting(value);
    std::mt19937_64 random(20261211);
    for (int i = 0; i < 200'000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (std::isfinite(value))
            expectSameWriting(value);
        // Integers of sixteen digits, where a tie at the fifteenth is common.
        expectSameWriting(static_cast<double>(random() % 8'000'000'000'000'000 + 1'000'000'000'000'000));
    }
}
#endif

} // namespace

#include "runtime/values/from_chars.h"
#include "runtime/values/number_text.h"
#include "runtime/values/run_time_error.h"
#include "numeric_locale.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <clocale>
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <random>
#include <string>

using runtime::ErrorNumber;
using runtime::readNumber;
using runtime::RunTimeError;

namespace {

struct Reading {
    std::string text;
    double value;
};

void PrintTo(const Reading& row, std::ostream* out)
{
    *out << '"';
    for (char c : row.text.substr(0, 40))
        *out << (c >= ' ' && c <= '~' ? std::string(1, c) : "\\x" + std::to_string(static_cast<unsigned char>(c)));
    *out << (row.text.size() > 40 ? "...\"" : "\"") << " -> " << row.value;
}

class ReadsNumber : public testing::TestWithParam<Reading> {};

TEST_P(ReadsNumber, InUtf8AndUtf16)
{
    const Reading& row = GetParam();
    EXPECT_EQ(readNumber(row.text), row.value) << '"' << row.text << '"';
    const std::u16string wide(row.text.begin(), row.text.end()); // the rows are ASCII
    EXPECT_EQ(readNumber(wide), row.value) << '"' << row.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Decimal, ReadsNumber, testing::Values(
    Reading{"6", 6}, Reading{"16", 16}, Reading{"-3", -3}, Reading{"+7", 7}, Reading{"0", 0},
    Reading{"1,5", 1.5}, Reading{"1.5", 1.5}, Reading{".5", 0.5}, Reading{"-,5", -0.5},
    Reading{"5,", 5}, Reading{"007", 7}, Reading{"0,1", 0.1}, Reading{"3.14159", 3.14159},
    Reading{"123456789012345678901234567890", 123456789012345678901234567890.0}));

INSTANTIATE_TEST_SUITE_P(Blanks, ReadsNumber, testing::Values(
    Reading{"1 000", 1000}, Reading{" 2 45 7", 2457}, Reading{"\t1\r\n2", 12},
    Reading{"- 7", -7}, Reading{"1 , 5", 1.5}, Reading{"1 e 3", 1000}, Reading{"   ", 0},
    Reading{"12\n34", 1234}));

INSTANTIATE_TEST_SUITE_P(StopsAtFirstStranger, ReadsNumber, testing::Values(
    Reading{"", 0}, Reading{"abc", 0}, Reading{"A123", 0}, Reading{"--5", 0}, Reading{"+-5", 0},
    Reading{"-", 0}, Reading{".", 0}, Reading{",", 0}, Reading{"-,", 0}, Reading{"12abc", 12},
    Reading{"1.2.3", 1.2}, Reading{"1,2.3", 1.2}, Reading{"1.2,3", 1.2}, Reading{"7-3", 7},
    Reading{"1/2", 1}, Reading{"0x10", 0}, Reading{"inf", 0}, Reading{"nan", 0},
    Reading{"Infinity", 0}, Reading{std::string("1\0" "2", 3), 1}));

INSTANTIATE_TEST_SUITE_P(Exponent, ReadsNumber, testing::Values(
    Reading{"1e3", 1000}, Reading{"1E3", 1000}, Reading{"1d2", 100}, Reading{"1D-2", 0.01},
    Reading{"2,5e+1", 25}, Reading{"1e", 1}, Reading{"1e+", 1}, Reading{"1e-", 1}, Reading{"1ex", 1},
    Reading{"1e1e1", 10}, Reading{"e5", 0}, Reading{".e5", 0}, Reading{"1e0000000000000000000002", 100},
    Reading{"0e999999999999999999", 0}, Reading{"0,000e500", 0}));

INSTANTIATE_TEST_SUITE_P(Limits, ReadsNumber, testing::Values(
    Reading{"1.7976931348623157e308", DBL_MAX}, Reading{"-1.7976931348623157e308", -DBL_MAX},
    Reading{"4.9e-324", 4.9e-324}, Reading{"2.2250738585072014E-308", DBL_MIN},
    Reading{"1e-400", 0}, Reading{"2e-324", 0}, Reading{"1e-99999999999", 0},
    Reading{"0," + std::string(400, '0') + "1e400", 0.1},
    Reading{"1" + std::string(400, '0') + "e-400", 1}));

INSTANTIATE_TEST_SUITE_P(RadixPrefix, ReadsNumber, testing::Values(
    Reading{"&HFF", 255}, Reading{"&hff", 255}, Reading{"&H7FFF", 32767}, Reading{"&HFFFF", -1},
    Reading{"&H8000", -32768}, Reading{"&H10000", 65536}, Reading{"&H7FFFFFFF", 2147483647},
    Reading{"&H80000000", -2147483648.0}, Reading{"&HFFFFFFFF", -1}, Reading{"&HFFFF&", 65535},
    Reading{"&HFFFFFFFF&", -1}, Reading{"&H0000FFFF", -1}, Reading{"&O17", 15}, Reading{"&o177777", -1},
    Reading{"&O8", 0}, Reading{"&O78", 7}, Reading{"&H", 0}, Reading{"&", 0}, Reading{"&X1", 0},
    Reading{"&H1G", 1}, Reading{"& H F F", 255}, Reading{"-&H1", 0}, Reading{"&H1.5", 1}));

class RaisesOverflow : public testing::TestWithParam<std::string> {};

TEST_P(RaisesOverflow, WithErrorSix)
{
    try {
        readNumber(GetParam());
        FAIL() << "read \"" << GetParam() << "\" without an error";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::Overflow);
    }
}

INSTANTIATE_TEST_SUITE_P(BeyondDouble, RaisesOverflow, testing::Values(
    "1e400", "-1e400", "1.8e308", "1.7976931348623159e308", "1,79769313486232E+308", "1e99999999999999999999",
    std::string(400, '9'), "&H100000000", "&HFFFFFFFFF&", "&O40000000000", "&H" + std::string(40, 'F')));

TEST(ReadsNumber, NonAsciiDigitsAreNotDigits)
{
    EXPECT_EQ(readNumber(u"\u0663"), 0);       // Arabic-Indic three
    EXPECT_EQ(readNumber(u"\uFF11\uFF12"), 0); // full-width one, two
    EXPECT_EQ(readNumber(u"\u200F12"), 0);     // right-to-left mark first
    EXPECT_EQ(readNumber(u"12\u00A03"), 12);   // a no-break space is not a blank
    EXPECT_EQ(readNumber("\xD9\xA3"), 0);      // the same three in UTF-8
}

// A letter of another script ends the number, wherever it stands: no
// character is taken for the ASCII one its low byte is (Cyrillic "а" is
// U+0430, "е" U+0435, "д" U+0434), as a student who did not switch the
// keyboard's layout would type.
struct WideReading {
    std::u16string text;
    double value;
};

void PrintTo(const WideReading& row, std::ostream* out)
{
    *out << '"';
    for (char16_t c : row.text.substr(0, 40)) {
        if (c >= ' ' && c <= '~')
            *out << static_cast<char>(c);
        else
            *out << "\\u" << std::hex << static_cast<unsigned>(c) << std::dec;
    }
    *out << "\" -> " << row.value;
}

class ReadsWideNumber : public testing::TestWithParam<WideReading> {};

TEST_P(ReadsWideNumber, StopsAtTheFirstNonAsciiCharacter)
{
    EXPECT_EQ(readNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(OtherScripts, ReadsWideNumber, testing::Values(
    WideReading{u"12\u0430", 12}, WideReading{u"\u043012", 0}, WideReading{u"1\u04353", 1},
    WideReading{u"2\u04343", 2}, WideReading{u"0,5\u0434", 0.5}, WideReading{u"3\u04155", 3},
    WideReading{u"1 00\u0430", 100}, WideReading{u"1,5 \u04357", 1.5}, WideReading{u"1e\u04303", 1},
    WideReading{u"&HF\u0430", 15}, WideReading{u"& H F\u0430", 15}, WideReading{u"7\u00B2", 7},
    WideReading{u"4\u20AC", 4}, WideReading{u"9\u0660", 9}, WideReading{u"1\u0130", 1},
    WideReading{u"-\u04301", 0}, WideReading{u"12" + std::u16string(40, u'\u0430'), 12}));

TEST(ReadsNumber, NonAsciiInUtf8EndsTheNumber)
{
    EXPECT_EQ(readNumber("12\xD0\xB0"), 12); // "12а"
    EXPECT_EQ(readNumber("1 0\xD0\xB5" "3"), 10);
    EXPECT_EQ(readNumber("\xD0\xB0" "12"), 0);
}

TEST(ReadsNumber, LongPasteOfDigits)
{
    const std::string digits = "3" + std::string(1'000'000, '0') + "e-1000000";
    EXPECT_EQ(readNumber(digits), 3);
    EXPECT_EQ(readNumber(std::string(1'000'000, ' ') + "42"), 42);
}

// The digits read, with ',' or '.' and blanks put in, must give the double
// that a correctly rounding reader of the same plain digits gives.
TEST(ReadsNumber, AgreesWithCorrectlyRoundedParse)
{
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<int> digitCount(1, 30);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> exponent(-340, 320);
    std::bernoulli_distribution coin;
    for (int i = 0; i < 200'000; ++i) {
        std::string mantissa;
        const int count = digitCount(random);
        for (int d = 0; d < count; ++d)
            mantissa += static_cast<char>('0' + digit(random));
        const std::size_t point = std::uniform_int_distribution<std::size_t>(0, mantissa.size())(random);
        const bool negative = coin(random);
        const int power = exponent(random);

        const std::string plain = std::string(negative ? "-" : "") + mantissa.substr(0, point) + "."
            + mantissa.substr(point) + "e" + std::to_string(power);
        std::string typed = std::string(negative ? "- " : "") + mantissa.substr(0, point)
            + (coin(random) ? "," : ".") + mantissa.substr(point) + (coin(random) ? " D" : "E")
            + std::to_string(power);

        errno = 0;
        const double expected = std::strtod(plain.c_str(), nullptr);
        if (std::isinf(expected)) {
            EXPECT_THROW(readNumber(typed), RunTimeError) << typed;
            continue;
        }
        ASSERT_EQ(readNumber(typed), expected) << typed;
        ASSERT_EQ(readNumber(plain), expected) << plain;
    }
}

// Where the C++ library reads doubles itself, the strtod path that stands in
// for it elsewhere (in a browser) must read every text of the decimal syntax
// as it does, and what follows: the same bits, the same end, the same error.
#if defined(__cpp_lib_to_chars)
void expectSameReading(const std::string& text)
{
    const char* first = text.data();
    const char* last = first + text.size();
    double byLibrary = 7, byStrtod = 7;
    const auto library = std::from_chars(first, last, byLibrary);
    const auto strtod = runtime::fromCharsByStrtod(first, last, byStrtod);
    EXPECT_EQ(strtod.ec, library.ec) << '"' << text << '"';
    EXPECT_EQ(strtod.ptr - first, library.ptr - first) << '"' << text << '"';
    EXPECT_EQ(std::bit_cast<std::uint64_t>(byStrtod), std::bit_cast<std::uint64_t>(byLibrary)) << '"' << text << '"';
}

// Under the C library's locale of the user, whose decimal mark may be ','
// (Bulgarian's is), as Qt sets it at start.
class FromChars : public NumericLocale {};
INSTANTIATE_WITH_NUMERIC_LOCALES(FromChars);

TEST_P(FromChars, StrtodPathReadsAsTheLibrary)
{
    for (const char* text : {"0", "-0", "1", "-1.5", ".5", "5.", "-.5e3", "00012", "1e5", "1E5", "1e", "1e+", "1e-x",
             "1.5e-3x", "1.2.3", "12abc", "1,5", "1 000", "-", ".", "-.", "", "e5", "+1", " 1", "0x10", "1p3",
             "1e400", "-1e400", "1e-400", "-1e-400", "0e400", "0.000e-999", "2.4703282292062327e-324",
             "2.4703282292062328e-324", "4.9e-324", "2.2250738585072011e-308", "1.7976931348623157e308",
             "1.7976931348623158e308", "1.7976931348623159e308", "9007199254740993", "0.1", "123456789012345678901234567890"})
        expectSameReading(text);

    std::mt19937_64 random(20261210);
    std::uniform_int_distribution<int> digitCount(0, 25);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> exponent(-420, 420);
    std::bernoulli_distribution coin;
    const std::string endings = " ,.eEdD+-x";
    for (int i = 0; i < 100'000; ++i) {
        std::string text = coin(random) ? "-" : "";
        for (int d = digitCount(random); d > 0; --d)
            text += static_cast<char>('0' + digit(random));
        if (coin(random))
            text += '.';
        for (int d = digitCount(random) / 2; d > 0; --d)
            text += static_cast<char>('0' + digit(random));
        if (coin(random))
            text += (coin(random) ? "e" : "E") + std::to_string(exponent(random));
        if (coin(random))
            text += endings[std::uniform_int_distribution<std::size_t>(0, endings.size() - 1)(random)];
        expectSameReading(text);
    }
}
#endif

} // namespace

#include "runtime/values/from_chars.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

namespace runtime {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

const char* skipDigits(const char* p, const char* last)
{
    while (p != last && isDigit(*p))
        ++p;
    return p;
}

bool anyNonZero(const char* first, const char* last)
{
    return std::any_of(first, last, [](char c) { return c != '0'; });
}

} // namespace

std::from_chars_result fromCharsByStrtod(const char* first, const char* last, double& value)
{
    // Where std::from_chars' syntax ends: strtod reads more ("0x1p3",
    // leading blanks, '+'), and only what std::from_chars reads goes to it.
    const char* p = first;
    if (p != last && *p == '-')
        ++p;
    const char* digits = p;
    p = skipDigits(p, last);
    bool anyDigit = p != digits;
    bool nonZero = anyNonZero(digits, p);
    const char* point = nullptr;
    if (p != last && *p == '.') {
        point = p;
        const char* fraction = p + 1;
        p = skipDigits(fraction, last);
        anyDigit = anyDigit || p != fraction;
        nonZero = nonZero || anyNonZero(fraction, p);
    }
    if (!anyDigit)
        return {first, std::errc::invalid_argument};
    if (p != last && (*p == 'e' || *p == 'E')) {
        const char* exponent = p + 1;
        if (exponent != last && (*exponent == '+' || *exponent == '-'))
            ++exponent;
        if (const char* end = skipDigits(exponent, last); end != exponent)
            p = end;
    }

    // strtod wants a terminated text, with the decimal mark of the C
    // library's locale (Qt sets the user's at start).
    std::string text(first, p);
    if (point)
        text[static_cast<std::size_t>(point - first)] = *std::localeconv()->decimal_point;
    const double read = std::strtod(text.c_str(), nullptr);
    // As std::from_chars: an infinity is an overflow, a zero from digits that
    // are not all zeros an underflow; both leave the value as it was.
    if (std::isinf(read) || (read == 0 && nonZero))
        return {p, std::errc::result_out_of_range};
    value = read;
    return {p, std::errc()};
}

} // namespace runtime

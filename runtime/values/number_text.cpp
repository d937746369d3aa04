#include "runtime/values/number_text.h"

#include "runtime/values/from_chars.h"
#include "runtime/values/run_time_error.h"
#include "runtime/values/scientific.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <type_traits>

namespace runtime {
namespace {

// Walks a text the way the reader sees it: blanks, tabs, CR and LF do not
// count wherever they stand, so "1 000" is read as 1000.
template <class CharT>
class Cursor {
public:
    explicit Cursor(std::basic_string_view<CharT> text) : text_(text) {}

    // The next character that counts, or 0 at the end of the text.
    char32_t peek()
    {
        while (pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
        if (pos_ == text_.size())
            return 0;
        return static_cast<std::make_unsigned_t<CharT>>(text_[pos_]);
    }

    void next() { ++pos_; }

private:
    static bool isBlank(CharT c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    std::basic_string_view<CharT> text_;
    std::size_t pos_ = 0;
};

bool isDigit(char32_t c)
{
    return c >= '0' && c <= '9';
}

bool isExponentLetter(char32_t c)
{
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// Past this an exponent cannot change the outcome: the value overflows or is
// zero for any mantissa a text could hold.
constexpr long long exponentLimit = 1'000'000'000;

// Reads what the shortcut through fromChars() could not: rewrites the
// number in the syntax fromChars() reads ('.' for the decimal mark, 'e'
// for the exponent, no blanks, no '+' in front) and reads that.
template <class CharT>
double readDecimal(Cursor<CharT>& in)
{
    std::string out;
    char32_t c = in.peek();
    const bool negative = c == '-';
    if (c == '-' || c == '+') {
        in.next();
        c = in.peek();
    }
    if (negative)
        out.push_back('-');

    // Decimal order of magnitude of the value read, enough to tell an
    // overflow from an underflow when the digits are out of range.
    long long magnitude = 0;
    bool significant = false;
    bool anyDigit = false;
    for (; isDigit(c); in.next(), c = in.peek()) {
        out.push_back(static_cast<char>(c));
        anyDigit = true;
        if (significant || c != '0') {
            significant = true;
            ++magnitude;
        }
    }
    if (c == '.' || c == ',') {
        out.push_back('.');
        in.next();
        c = in.peek();
        for (; isDigit(c); in.next(), c = in.peek()) {
            out.push_back(static_cast<char>(c));
            anyDigit = true;
            if (!significant) {
                if (c == '0')
                    --magnitude;
                else
                    significant = true;
            }
        }
    }
    if (!anyDigit)
        return 0.0;

    if (isExponentLetter(c)) {
        const std::size_t mantissaEnd = out.size();
        out.push_back('e');
        in.next();
        c = in.peek();
        const bool negativeExponent = c == '-';
        if (c == '-' || c == '+') {
            out.push_back(static_cast<char>(c));
            in.next();
            c = in.peek();
        }
        long long exponent = 0;
        bool anyExponentDigit = false;
        for (; isDigit(c); in.next(), c = in.peek()) {
            out.push_back(static_cast<char>(c));
            anyExponentDigit = true;
            if (exponent < exponentLimit)
                exponent = exponent * 10 + (c - '0');
        }
        if (anyExponentDigit)
            magnitude += negativeExponent ? -exponent : exponent;
        else
            out.resize(mantissaEnd); // "1e" is 1: the letter ends the number
    }

    double value = 0.0;
    const auto result = fromChars(out.data(), out.data() + out.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (significant && magnitude > 0)
            raise(ErrorNumber::Overflow);
        return negative ? -0.0 : 0.0;
    }
    return value;
}

int digitValue(char32_t c, unsigned radix)
{
    unsigned value = radix;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    return value < radix ? static_cast<int>(value) : -1;
}

// "&H" and "&O" integers, after the '&'. A value that fits in 16 bits is a
// signed 16-bit integer ("&HFFFF" is -1), else one that fits in 32 bits a
// signed 32-bit integer; a trailing '&' asks for 32 bits ("&HFFFF&" is 65535).
template <class CharT>
double readRadixInteger(Cursor<CharT>& in)
{
    const char32_t letter = in.peek();
    const unsigned radix = (letter == 'H' || letter == 'h') ? 16 : (letter == 'O' || letter == 'o') ? 8 : 0;
    if (radix == 0)
        return 0.0;
    in.next();

    constexpr std::uint64_t max32 = 0xFFFF'FFFF;
    std::uint64_t value = 0;
    bool anyDigit = false;
    for (int digit; (digit = digitValue(in.peek(), radix)) >= 0; in.next()) {
        anyDigit = true;
        if (value <= max32)
            value = value * radix + static_cast<unsigned>(digit);
    }
    if (!anyDigit)
        return 0.0;
    if (value > max32)
        raise(ErrorNumber::Overflow);
    if (in.peek() != '&' && value <= 0xFFFF)
        return static_cast<std::int16_t>(value);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Most texts are a number in the syntax std::from_chars reads, with nothing
// after it that our rules would read on: no blank, no ',' and no 'd', no
// exponent letter left over. Those are read by std::from_chars alone; for
// the others this returns false and the full reader takes over.
bool readPlain(std::string_view text, double& value)
{
    const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    if (start == text.size() || !(isDigit(static_cast<unsigned char>(text[start])) || text[start] == '.'))
        return false; // blanks, '+', '&', or no number: "inf" and "nan" are none of ours
    const auto [end, error] = fromChars(text.data(), text.data() + text.size(), value);
    if (error != std::errc())
        return false;
    if (end != text.data() + text.size()) {
        switch (*end) {
        case ' ': case '\t': case '\r': case '\n': case ',': case 'd': case 'D': case 'e': case 'E':
            return false;
        default:
            break;
        }
    }
    return true;
}

// Narrows UTF-16 to bytes; a character past 0x7F becomes a byte past 0x7F,
// which no number contains.
void narrowTo(char* out, const char16_t* in, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
        out[i] = static_cast<char>(in[i] < 0x80 ? in[i] : 0x80);
}

bool readPlain(std::u16string_view text, double& value)
{
    std::array<char, 32> narrow;
    const std::size_t size = std::min(text.size(), narrow.size());
    narrowTo(narrow.data(), text.data(), size);
    if (size < text.size()) // the number may go on past what was narrowed
        narrow[size - 1] = ' ';
    return readPlain(std::string_view(narrow.data(), size), value);
}

template <class CharT>
double read(std::basic_string_view<CharT> text)
{
    if (double value; readPlain(text, value))
        return value;
    Cursor<CharT> in(text);
    if (in.peek() == '&') {
        in.next();
        return readRadixInteger(in);
    }
    return readDecimal(in);
}

} // namespace

double readNumber(std::string_view text)
{
    return read(text);
}

double readNumber(std::u16string_view text)
{
    return read(text);
}

NumberText writeNumber(double value)
{
    if (!std::isfinite(value))
        raise(ErrorNumber::Overflow);

    NumberText text;
    char* out = text.chars_.data();
    if (value == 0.0) { // negative zero too
        *out++ = '0';
        text.size_ = 1;
        return text;
    }

    // Fifteen correctly rounded significant digits: "-d.dddddddddddddde-dd".
    std::array<char, 32> printed;
    const char* end = scientific(printed.data(), printed.data() + printed.size(), value).ptr;
    const char* s = printed.data();
    const bool negative = *s == '-';
    if (negative)
        ++s;
    std::array<char, 15> digits;
    digits[0] = s[0];
    std::copy(s + 2, s + 16, digits.begin() + 1);
    const char* exponentText = s + 17; // past the 'e'
    if (*exponentText == '+')
        ++exponentText;
    int exponent = 0;
    std::from_chars(exponentText, end, exponent);

    int count = 15;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    auto copyDigits = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            *out++ = digits[i];
    };

    if (negative)
        *out++ = '-';
    const int decimalPlaces = -exponent - 1 + count;
    if (exponent >= 15 || (exponent < 0 && decimalPlaces > 15)) {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = ',';
            copyDigits(1, count);
        }
        *out++ = 'E';
        *out++ = exponent < 0 ? '-' : '+';
        const int size = std::abs(exponent);
        if (size < 10)
            *out++ = '0';
        out = std::to_chars(out, text.chars_.data() + text.chars_.size(), size).ptr;
    } else if (exponent >= 0) {
        for (int i = 0; i <= exponent; ++i)
            *out++ = i < count ? digits[i] : '0';
        if (count > exponent + 1) {
            *out++ = ',';
            copyDigits(exponent + 1, count);
        }
    } else {
        *out++ = '0';
        *out++ = ',';
        for (int i = 0; i < -exponent - 1; ++i)
            *out++ = '0';
        copyDigits(0, count);
    }
    text.size_ = static_cast<std::size_t>(out - text.chars_.data());
    return text;
}

} // namespace runtime

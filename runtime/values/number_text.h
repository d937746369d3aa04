#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Conversions between the texts a user types or reads and doubles.
//
// Reading takes the number a text begins with, in the forms a Bulgarian user
// may type: "1,5" and "1.5", "1 000", "2e3", "1D2", "&HFF", "&O17".
// Writing gives at most 15 significant digits with ',' as the decimal mark,
// so that whatever the program writes reads back as the same value.
namespace runtime {

// The number the text begins with; 0 when it begins with none.
// Raises ErrorNumber::Overflow for a value beyond the range of a double.
double readNumber(std::string_view text);
double readNumber(std::u16string_view text);

// The text of a written number, kept inline: no allocation. A view of it is
// only had from a named NumberText: one of the temporary that writeNumber()
// returns would outlive the characters it shows, so it does not compile.
class NumberText {
public:
    // "-1,23456789012345E-308" is the longest text a double can give.
    static constexpr std::size_t capacity = 24;

    std::string_view view() const& noexcept { return {chars_.data(), size_}; }
    operator std::string_view() const& noexcept { return view(); }
    std::string_view view() const&& = delete;
    operator std::string_view() const&& = delete;

    // A copy of the text, from a temporary too.
    std::string str() const { return std::string(view()); }

private:
    friend NumberText writeNumber(double value);

    std::array<char, capacity> chars_{};
    std::size_t size_ = 0;
};

// The text of a finite double: 15 significant digits at most, ',' as the
// decimal mark, exponent form ("1E+15", "3,33333333333333E-02") only where
// plain digits would need 16 or more places. Raises ErrorNumber::Overflow for
// an infinity or a NaN, which only an overflowed computation can produce.
NumberText writeNumber(double value);

} // namespace runtime

// Reading any text gives a finite double or raises the overflow error, the
// same for the text in UTF-8 and in UTF-16; and what is written of that
// number reads back as the same written number, unless its 15 digits
// rounded up past the largest double. Blanks in front change nothing.
#include "runtime/values/number_text.h"
#include "runtime/values/run_time_error.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

template <class Text>
std::optional<double> readOrOverflow(Text text)
{
    try {
        const double value = runtime::readNumber(text);
        if (!std::isfinite(value))
            std::abort();
        return value;
    } catch (const runtime::RunTimeError& error) {
        if (error.number() != runtime::ErrorNumber::Overflow)
            std::abort();
        return std::nullopt;
    }
}

bool sameNumber(std::optional<double> a, std::optional<double> b)
{
    return a.has_value() == b.has_value() && (!a || *a == *b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> value = readOrOverflow(text);

    // The same characters in UTF-16: bytes above 0x7F become other characters
    // there, but none of them can be part of a number in either form.
    const std::u16string wide(text.begin(), text.end());
    if (!sameNumber(readOrOverflow(std::u16string_view(wide)), value))
        std::abort();

    // A blank in front changes nothing, though it takes the reader off its
    // shortcut through std::from_chars.
    if (!sameNumber(readOrOverflow(std::string_view(" " + std::string(text))), value))
        std::abort();

    if (value) {
        const std::string written = runtime::writeNumber(*value).str();
        const std::optional<double> back = readOrOverflow(std::string_view(written));
        if (!back) {
            if (std::fabs(*value) < 1.797693134862315e308)
                std::abort();
        } else if (runtime::writeNumber(*back).str() != written) {
            std::abort();
        }
    }
    return 0;
}

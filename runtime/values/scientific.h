#pragma once

#include <charconv>

// Fifteen significant digits of a finite double, correctly rounded, in the
// form printf's "%.14e" writes in the C locale: "-1.23456789012345e-07".
// std::to_chars with a precision writes exactly that; where it carries some
// 100 kB of tables (Emscripten's libc++, which a page downloads), the C
// library's snprintf does the writing, with the same outcome.
namespace runtime {

// The snprintf path, on every platform, so that its outcome can be held
// against std::to_chars' wherever the library has both. '.' whatever the
// C library's locale.
std::to_chars_result scientificByPrintf(char* first, char* last, double value);

inline std::to_chars_result scientific(char* first, char* last, double value)
{
#if defined(__EMSCRIPTEN__)
    return scientificByPrintf(first, last, value);
#else
    return std::to_chars(first, last, value, std::chars_format::scientific, 14);
#endif
}

} // namespace runtime

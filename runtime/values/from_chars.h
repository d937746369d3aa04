#pragma once

#include <charconv>

// std::from_chars for doubles, in its decimal syntax ("-12.5e3": no blanks,
// no '+' in front, '.' for the decimal mark), which is all the number reader
// hands it. Where the C++ library has no floating-point std::from_chars
// (Emscripten's libc++), the C library's strtod does the reading, with the
// same outcome: the same value, end and error.
namespace runtime {

// The strtod path, on every platform, so that its outcome can be held
// against std::from_chars' wherever the library has both.
std::from_chars_result fromCharsByStrtod(const char* first, const char* last, double& value);

inline std::from_chars_result fromChars(const char* first, const char* last, double& value)
{
#if defined(__cpp_lib_to_chars)
    return std::from_chars(first, last, value);
#else
    return fromCharsByStrtod(first, last, value);
#endif
}

} // namespace runtime

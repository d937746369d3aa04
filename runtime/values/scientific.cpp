#include "runtime/values/scientific.h"

#include <cstdio>
#include <system_error>

namespace runtime {

std::to_chars_result scientificByPrintf(char* first, char* last, double value)
{
    char text[32];
    const int size = std::snprintf(text, sizeof text, "%.14e", value);
    if (size < 0 || size >= static_cast<int>(sizeof text) || size > last - first)
        return {last, std::errc::value_too_large};
    for (int i = 0; i < size; ++i) {
        // The C library's decimal mark may be the user's (Qt sets the locale).
        const bool mark = i == (text[0] == '-' ? 2 : 1);
        first[i] = mark ? '.' : text[i];
    }
    return {first + size, std::errc()};
}

} // namespace runtime

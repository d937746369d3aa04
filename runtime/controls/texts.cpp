#include "runtime/controls/texts.h"
#include "runtime/values/number_text.h"

#include <algorithm>

namespace runtime {

namespace {

// Blanks as Unicode has them (QChar::isSpace): what a voice does not read.
bool isBlank(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x85 || c == 0xA0 || c == 0x1680
        || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F
        || c == 0x3000;
}

TextView trimmed(TextView line)
{
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back()))
        line.remove_suffix(1);
    return line;
}

} // namespace

Text sentences(TextView text)
{
    constexpr TextView lineBreak = u"\r\n";
    Text spoken;
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(lineBreak), text.size());
        const TextView line = trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + lineBreak.size(), text.size()));
        if (end == 0)
            continue; // no sentence between two breaks
        if (!first)
            spoken += u' ';
        first = false;
        spoken += line;
        if (!line.empty() && TextView(u".:!?").find(line.back()) == TextView::npos)
            spoken += u'.';
    }
    return spoken;
}

Text numberText(double value)
{
    const NumberText text = writeNumber(value);
    return Text(text.view().begin(), text.view().end());
}

} // namespace runtime

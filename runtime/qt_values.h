#pragma once

#include "runtime/number_text.h"

#include <QString>
#include <QStringView>

// The number conversions on Qt's texts, as the form's code uses them.
namespace runtime {

inline double readNumber(QStringView text)
{
    return readNumber(std::u16string_view(text.utf16(), static_cast<std::size_t>(text.size())));
}

inline QString numberText(double value)
{
    const std::string_view text = writeNumber(value);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace runtime

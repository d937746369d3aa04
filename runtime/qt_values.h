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

// A QString converts to both QStringView and (from Qt 6.7) std::u16string_view.
inline double readNumber(const QString& text)
{
    return readNumber(QStringView(text));
}

inline QString numberText(double value)
{
    const NumberText text = writeNumber(value);
    return QString::fromLatin1(text.view());
}

} // namespace runtime

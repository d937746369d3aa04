#pragma once

#include "runtime/controls/texts.h"

#include <QString>

// Texts between the form's code (UTF-16) and Qt's widgets.
namespace runtime::qt {

inline Text toText(const QString& text)
{
    return Text(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

inline QString toQString(TextView text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace runtime::qt

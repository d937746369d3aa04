#pragma once

#include <QIcon>
#include <QString>

#include <initializer_list>

namespace runtime {

// An icon drawn from one picture file for each of its sizes, square, in
// pixels: `pattern` holds "%1" where the size goes (":/icons/%1/app.png").
// A file is decoded only when a size close to its own is asked for, so a
// window that is never asked for its 256-pixel icon never decodes it.
QIcon iconFromFiles(const QString& pattern, std::initializer_list<int> sizes);

} // namespace runtime

#pragma once

#include <QIcon>
#include <QString>

#include <initializer_list>

namespace runtime::qt {

// An icon drawn from one picture file for each of its sizes, square, in
// pixels: `pattern` holds "%1" where the size goes (":/icons/%1/app.png").
// Like a scalable (SVG) icon it lists no sizes of its own: whoever shows it
// asks for the sizes it needs (on X11, 16 to 128 pixels at the screen's
// scale), and each is drawn from the nearest picture at least that large.
// A file is decoded only when it is needed for a size asked for.
QIcon iconFromFiles(const QString& pattern, std::initializer_list<int> sizes);

} // namespace runtime::qt

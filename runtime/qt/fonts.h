#pragma once

#include <QWidget>

namespace runtime::qt {

// The form's font is "Times New Roman". Where a desktop lacks it, one of its
// metric twins stands in, the first installed of Liberation Serif, Tinos and
// Nimbus Roman: each draws every caption with the same widths. Call before
// the form's description sets its font.
void useMetricTwins(QWidget& form);

// Where the desktop's font draws a caption (of a label or a command button)
// wider or taller than its control, that control gets a smaller font, so
// that the caption is drawn whole, never cut. A caption that fits keeps the
// form's font.
void fitCaptions(QWidget& form);

} // namespace runtime::qt

#pragma once

#include <QWidget>

namespace runtime {

// The form's font is "Times New Roman". Where a desktop lacks it, one of its
// metric twins stands in, in this order: Liberation Serif, Tinos, Nimbus
// Roman. Each draws every caption with the same widths.
void preferMetricTwins();

// Where the desktop's font draws a caption (of a label or a command button)
// wider or taller than its control, that control gets a smaller font, so
// that the caption is drawn whole, never cut. A caption that fits keeps the
// form's font.
void fitCaptions(QWidget& form);

} // namespace runtime

#include "runtime/atspi_events.h"

// Where there is no AT-SPI, Qt's own accessibility events are all there is.
namespace runtime::atspi {

void sendStateChanged(QAccessibleInterface*, const char*, bool) {}

} // namespace runtime::atspi

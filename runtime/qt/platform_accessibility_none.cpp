#include "runtime/qt/platform_accessibility.h"

// Where there is no bridge of our own, Qt's accessibility events are all there is.
namespace runtime::qt::platform {

void sendEditableChanged(QAccessibleInterface*) {}

void notify(QWidget&, const QString&) {}

} // namespace runtime::qt::platform

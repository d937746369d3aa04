#include "runtime/qt/platform_accessibility.h"

#include <QAccessible>
#include <QString>
#include <QWidget>

// Screen readers on Windows (Narrator, NVDA, JAWS) listen on UI Automation,
// which Qt's bridge serves: it reports a box's lock when asked (the value's
// IsReadOnly), and raises an announcement (Qt 6.8 and later) as a
// notification event of the window, which readers speak wherever the focus is.
namespace runtime::qt::platform {

void sendEditableChanged(QAccessibleInterface*) {}

void notify(QWidget& window, const QString& text)
{
    QAccessibleAnnouncementEvent announcement(window.window(), text);
    QAccessible::updateAccessibility(&announcement);
}

} // namespace runtime::qt::platform

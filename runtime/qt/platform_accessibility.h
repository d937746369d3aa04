#pragma once

class QAccessibleInterface;
class QString;
class QWidget;

// What the platform's bridge to assistive tools (AT-SPI on Linux, UI
// Automation on Windows) does not pass on from Qt by itself. CMake picks the implementation for the platform; where there is no
// bridge, nothing is sent.
namespace runtime::qt::platform {

// Tells assistive tools the read-only and editable states a box has now,
// after a change. Does nothing while no assistive tool is connected.
void sendEditableChanged(QAccessibleInterface* box);

// Has the platform's screen readers speak `text`, wherever the focus is,
// where they listen for something other than the announcer's notification.
void notify(QWidget& window, const QString& text);

} // namespace runtime::qt::platform

#pragma once

class QAccessibleInterface;

// Events that Qt's AT-SPI bridge does not pass on by itself, sent on the
// bridge's own bus connection so that they come from the same application.
namespace runtime::atspi {

// Sends object:state-changed:<state>; does nothing while no assistive tool
// is connected, or where there is no AT-SPI.
void sendStateChanged(QAccessibleInterface* accessible, const char* state, bool value);

} // namespace runtime::atspi

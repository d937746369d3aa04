#include "runtime/qt/platform_accessibility.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

// Screen readers on Linux (Orca) listen on AT-SPI, a D-Bus protocol, which
// Qt's bridge serves. Our events go on the bridge's own bus connection, so
// that they come from the same application.
namespace runtime::qt::platform {

namespace {

// The names Qt's bridge (src/gui/accessible/linux) gives its connection to
// the accessibility bus and its objects.
const QString bridgeConnection = QStringLiteral("a11y");
const QString objectPathPrefix = QStringLiteral("/org/a11y/atspi/accessible/");

// object:state-changed:<state>
void sendStateChanged(const QDBusConnection& bus, QAccessibleInterface* accessible, const char* state, bool value)
{
    const QString path = objectPathPrefix + QString::number(QAccessible::uniqueId(accessible));
    // The event's arguments: kind, two details, any data, and the application's root.
    QDBusArgument application;
    application.beginStructure();
    application << bus.baseService() << QDBusObjectPath(objectPathPrefix + QStringLiteral("root"));
    application.endStructure();
    QDBusMessage event = QDBusMessage::createSignal(path, QStringLiteral("org.a11y.atspi.Event.Object"),
                                                    QStringLiteral("StateChanged"));
    event << QString::fromLatin1(state) << int(value) << 0 << QVariant::fromValue(QDBusVariant(0))
          << QVariant::fromValue(application);
    bus.send(event);
}

} // namespace

// Qt's bridge passes on only some state changes; these it drops.
void sendEditableChanged(QAccessibleInterface* box)
{
    const QDBusConnection bus(bridgeConnection);
    if (!box || !bus.isConnected())
        return;
    const QAccessible::State now = box->state();
    sendStateChanged(bus, box, "read-only", now.readOnly);
    sendStateChanged(bus, box, "editable", now.editable);
}

// Orca speaks the announcer's notification as the bridge shows it.
void notify(QWidget&, const QString&) {}

} // namespace runtime::qt::platform

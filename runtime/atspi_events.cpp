#include "runtime/atspi_events.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace runtime::atspi {

namespace {

// The names Qt's bridge (src/gui/accessible/linux) gives its connection to
// the accessibility bus and its objects.
const QString bridgeConnection = QStringLiteral("a11y");
const QString objectPathPrefix = QStringLiteral("/org/a11y/atspi/accessible/");

} // namespace

void sendStateChanged(QAccessibleInterface* accessible, const char* state, bool value)
{
    const QDBusConnection bus(bridgeConnection);
    if (!accessible || !bus.isConnected())
        return;
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

} // namespace runtime::atspi

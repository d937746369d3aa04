#include "runtime/startup.h"

#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace runtime {

void showCentred(QWidget& window)
{
    if (const QScreen* screen = window.screen())
        window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                               screen->availableGeometry()));
    window.show();
}

namespace {

// Waits for the window's first expose; the widgets paint and flush while
// handling it, so the next turn of the event loop finds the window drawn.
class ShownProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [] {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }
};

} // namespace

void quitWhenShown(QWidget& window)
{
    window.winId(); // creates the native window to watch
    window.windowHandle()->installEventFilter(new ShownProbe(&window));
}

bool startupProbeRequested()
{
    return qEnvironmentVariableIsSet("SISTEMA_STARTUP_PROBE");
}

} // namespace runtime

#include "runtime/qt/startup.h"

#include "runtime/qt/accessibility.h"

#include <QLibraryInfo>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QTranslator>
#include <QWindow>

#include <cstdio>

namespace runtime::qt {

namespace {

// Qt's own texts (a text box's context menu, the buttons of the error
// report) in Bulgarian, the forms' language, whatever the user's locale:
// the program's own copy where it carries one (on Windows), else Qt's
// installed translation; Qt's English where neither is there.
void translateQt()
{
    const QString name = QStringLiteral("qtbase_bg");
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, QStringLiteral(":/translations"))
        || translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void prepareForms()
{
    static const bool prepared = [] {
        translateQt();
        installAccessibleInterfaces();
        return true;
    }();
    Q_UNUSED(prepared);
}

void showCentred(QWidget& window)
{
    if (const QScreen* screen = window.screen())
        window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                               screen->availableGeometry()));
    QWidget* const focus = window.focusWidget();
    window.show();
    // Where a platform activates a window before its controls are shown (Qt's
    // web platform does), the focus moves on from the one the form chose,
    // which cannot take it yet.
    if (focus && window.focusWidget() != focus)
        focus->setFocus(Qt::ActiveWindowFocusReason);
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

} // namespace runtime::qt

// The yardstick for start-up: a bare Qt window of the program's size with
// one label.
#include "runtime/qt/startup.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(461, 275);
    QLabel label(QStringLiteral("Математика - система от 2 уравнения"), &window);
    if (runtime::qt::startupProbeRequested())
        runtime::qt::quitWhenShown(window);
    window.show();
    return QApplication::exec();
}

// The yardstick for start-up: a bare Qt window of the program's size with
// one label, in the font the program carries where it carries one (the web).
#include "runtime/fonts.h"
#include "runtime/startup.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    runtime::addCarriedFonts();
    QWidget window;
    window.resize(461, 275);
    QLabel label(QStringLiteral("Математика - система от 2 уравнения"), &window);
    if (runtime::startupProbeRequested())
        runtime::quitWhenShown(window);
    window.show();
    return QApplication::exec();
}

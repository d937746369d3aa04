#include "app/desktop/main_window.h"
#include "runtime/qt/startup.h"

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("sistema"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("example.org"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.sistema"));
    return runtime::qt::start<MainForm, Ui::MainForm>(argc, argv);
}

#include "form/main_form.h"
#include "runtime/startup.h"

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("sistema"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("example.org"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.sistema"));
    return runtime::start<MainForm>(argc, argv);
}

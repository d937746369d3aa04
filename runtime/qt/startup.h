#pragma once

#include "runtime/qt/form_window.h"

#include <QApplication>

#include <memory>

namespace runtime::qt {

// Sets up, once, what every form relies on: Qt's own texts in the forms'
// language and the accessible interfaces of the controls.
void prepareForms();

// Creates the window of the form whose code is `Code`, described by `Ui`,
// and delivers its Load event.
template <class Code, class Ui>
std::unique_ptr<Window<Code, Ui>> load()
{
    prepareForms();
    auto window = std::make_unique<Window<Code, Ui>>();
    deliver(*window, [&] { window->code().Form_Load(); });
    return window;
}

// Shows a window centred on its screen.
void showCentred(QWidget& window);

// Prints "shown" and quits as soon as the window is on the screen: lets a
// benchmark time the start-up. start() does this when the environment sets
// SISTEMA_STARTUP_PROBE.
void quitWhenShown(QWidget& window);
bool startupProbeRequested();

// Loads the form, shows it and runs it until it is closed; returns the
// program's exit code.
template <class Code, class Ui>
int start(int& argc, char** argv)
{
    QApplication application(argc, argv);
    const auto window = load<Code, Ui>();
    if (startupProbeRequested())
        quitWhenShown(*window);
    showCentred(*window);
    return QApplication::exec();
}

} // namespace runtime::qt

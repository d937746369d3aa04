#pragma once

#include "runtime/events.h"

#include <QApplication>

#include <memory>

namespace runtime {

// Sets up, once, what every form relies on: Qt's own texts in the forms'
// language, the fonts the program carries and the accessible interfaces of
// the controls.
void prepareForms();

// Creates the form and delivers its Load event.
template <class Form>
std::unique_ptr<Form> load()
{
    prepareForms();
    auto form = std::make_unique<Form>();
    deliver(form.get(), [&] { form->Form_Load(); });
    return form;
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
template <class Form>
int start(int& argc, char** argv)
{
    QApplication application(argc, argv);
    const std::unique_ptr<Form> form = load<Form>();
    if (startupProbeRequested())
        quitWhenShown(*form);
    showCentred(*form);
    return QApplication::exec();
}

} // namespace runtime

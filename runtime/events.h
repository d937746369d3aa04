#pragma once

#include "runtime/control_array.h"
#include "runtime/run_time_error.h"

#include <QAbstractButton>
#include <QWidget>

#include <cstdint>

namespace runtime {

// Shows the report of a run-time error over the form, modal; the form goes on.
void reportRunTimeError(QWidget* form, const RunTimeError& error);

// Runs one event handler. A run-time error leaves the handler where it was
// raised and is reported to the user; the program goes on.
template <class Handler>
void deliver(QWidget* form, Handler&& handler)
{
    try {
        handler();
    } catch (const RunTimeError& error) {
        reportRunTimeError(form, error);
    }
}

// Delivers a click on any element of the array to one handler, with the
// element's index.
template <class Form, class Button>
void connectClicks(Form* form, const ControlArray<Button>& buttons, void (Form::*handler)(std::int16_t))
{
    for (int index = 0; index < buttons.count(); ++index) {
        QObject::connect(&buttons(index), &QAbstractButton::clicked, form, [form, handler, index] {
            deliver(form, [&] { (form->*handler)(static_cast<std::int16_t>(index)); });
        });
    }
}

} // namespace runtime

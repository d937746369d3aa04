#pragma once

#include "form/main_form.h"
#include "runtime/qt/form_window.h"
#include "ui_main_form.h"

// The main form on the desktop: the widgets its description makes (uic's
// Ui::MainForm), with its code on them.
using MainWindow = runtime::qt::Window<MainForm, Ui::MainForm>;

#pragma once

#include "ui_main_form.h"
#include "runtime/control_array.h"
#include "runtime/text_boxes.h"

#include <QLabel>
#include "runtime/command_button.h"
#include <QWidget>

#include <cstdint>

// The program's only window: two coefficient boxes, the "Въведи" and
// "Чисти" buttons and the output box.
class MainForm : public QWidget {
    Q_OBJECT

public:
    explicit MainForm(QWidget* parent = nullptr);

    void Form_Load();
    void Command1_Click(std::int16_t Index);

private:
    void ClearInputs();
    void SolveSystem();
    void appendLine(const QString& line);

    Ui::MainForm ui;
    runtime::ControlArray<runtime::MultiLineTextBox> Text1;
    runtime::ControlArray<runtime::TextBox> Text2;
    runtime::ControlArray<QLabel> Label1;
    runtime::ControlArray<runtime::CommandButton> Command1;
};

#pragma once

#include "runtime/controls/control_array.h"
#include "runtime/controls/form_engine.h"

#include <cstdint>

// The program's only form: two coefficient boxes, the "Въведи" and "Чисти"
// buttons and the output box, as main_form.ui describes them; its handlers
// and procedures, on whichever engine shows it.
class MainForm {
public:
    explicit MainForm(runtime::FormEngine& engine);
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    void Form_Load();
    void Command1_Click(std::int16_t Index);

private:
    void ClearInputs();
    void SolveSystem();
    void appendLine(runtime::TextView line);

    runtime::FormEngine& engine_;
    runtime::ControlArray Text1;
    runtime::ControlArray Text2;
};

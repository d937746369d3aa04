#pragma once

#include "runtime/controls/form_engine.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

namespace runtime::qt {

// A form's window on the desktop: the widgets that its description (a
// Designer .ui, which uic turns into a class) makes, adapted to what the
// form's code speaks to. Fixed in size, with a system menu and a close
// button and nothing to minimise or maximise it.
class FormWindow : public QWidget, public FormEngine {
    Q_OBJECT

public:
    ~FormWindow() override;

    runtime::TextBox* textBox(std::string_view name) override;
    void onClick(std::string_view name, ClickHandler handler) override;
    // A modal message box over the window, which it leaves open.
    void report(const RunTimeError& error) override;

protected:
    // Before the description sets the form's font (see useMetricTwins).
    FormWindow();
    // Once the description has made the controls: the icon, the captions
    // fitted to the desktop's font, the focus on the first control of the
    // tab order.
    void finishSetUp();
    void speak(TextView sentences) override;

private:
    std::vector<std::unique_ptr<runtime::TextBox>> boxes_;
};

// The window of the form whose code is `Code`, described by `Ui` (uic's
// class of its .ui): the controls made, then the code, which finds them.
template <class Code, class Ui>
class Window final : public FormWindow {
public:
    Window()
    {
        Ui().setupUi(this);
        finishSetUp();
        code_.emplace(static_cast<FormEngine&>(*this));
    }

    Code& code() { return *code_; }

private:
    std::optional<Code> code_;
};

} // namespace runtime::qt

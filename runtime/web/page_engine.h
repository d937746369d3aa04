#pragma once

#include "runtime/controls/form_engine.h"

#include <memory>
#include <vector>

// The browser's form engine: the form's controls are the page's own
// elements, which runtime/web/form_html.py made from the form's description
// at build time, found by the names the description gives them. The page's
// side of it is runtime/web/page.js.
namespace runtime::web {

class Page final : public FormEngine {
public:
    runtime::TextBox* textBox(std::string_view name) override;
    void onClick(std::string_view name, ClickHandler handler) override;
    // The page's modal report, a <dialog>; the form goes on when it closes.
    void report(const RunTimeError& error) override;

    // A click on the button the page knows by `button`.
    void click(int button);

protected:
    // Into the page's live region.
    void speak(TextView sentences) override;

private:
    struct Click {
        ClickHandler handler;
        std::int16_t index;
    };

    std::vector<std::unique_ptr<runtime::TextBox>> boxes_;
    std::vector<Click> clicks_;
};

// The page has run the form's Load event: its boxes take the user's input.
void takeInput();

// The program cannot go on; the page says so.
void fail();

// Runs `start` in a task of its own, once the page has had its turn: the
// program's loading and the form's are two short tasks, not one long one
// that keeps the page from answering a tap.
void later(void (*start)());
// What the page runs in that task.
void runLater();

// The form's engine for the whole life of the page.
Page& page();

// Creates the form whose code is `Code` on the page and delivers its Load
// event, in a task of its own; from then on the page delivers the form's
// events. No C++ exception goes on into the page's script.
template <class Code>
void start()
{
    later([] {
        try {
            static Code code(page());
            deliver(page(), [] { code.Form_Load(); });
            takeInput();
        } catch (...) {
            fail();
        }
    });
}

} // namespace runtime::web

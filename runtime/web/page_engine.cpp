#include "runtime/web/page_engine.h"

#include <emscripten/emscripten.h>

#include <string>
#include <utility>

// What page.js gives the engine. Boxes and buttons are known by a handle,
// texts pass as UTF-16 (the page's and the form's own) or UTF-8.
extern "C" {
int page_box(const char* id);
int page_read(int box);
void page_copy_read(char16_t* into);
void page_write(int box, const char16_t* text, int length);
void page_lock(int box, bool locked);
int page_button(const char* id, int handle);
void page_take_input();
void page_speak(const char16_t* text, int length);
void page_report(const char* text);
void page_fail();
void page_later();
}

namespace runtime::web {

namespace {

// What later() has the page run.
void (*pending)() = nullptr;

int size(TextView text)
{
    return static_cast<int>(text.size());
}

// A textarea's text, whose lines end with LF alone, as the form knows it: CR LF.
Text withCrLf(Text text)
{
    for (std::size_t at = 0; (at = text.find(u'\n', at)) != Text::npos; at += 2)
        text.insert(at, 1, u'\r');
    return text;
}

// An <input> or a <textarea>. A textarea gives its lines back with LF alone:
// the box keeps what it wrote and gives that back while the page still
// shows it.
class ElementBox final : public runtime::TextBox {
public:
    explicit ElementBox(int handle) : handle_(handle), shown_(read()), written_(withCrLf(shown_)) {}

    Text text() const override
    {
        Text shown = read();
        return shown == shown_ ? written_ : withCrLf(std::move(shown));
    }

    void setText(TextView text) override
    {
        page_write(handle_, text.data(), size(text));
        written_ = Text(text);
        shown_ = read();
    }

    void setLocked(bool locked) override { page_lock(handle_, locked); }

private:
    Text read() const
    {
        Text text(static_cast<std::size_t>(page_read(handle_)), u'\0');
        page_copy_read(text.data());
        return text;
    }

    int handle_;
    // What the page showed after the last write, and what that write wrote;
    // at first the description's text.
    Text shown_;
    Text written_;
};

} // namespace

runtime::TextBox* Page::textBox(std::string_view name)
{
    const int handle = page_box(std::string(name).c_str());
    if (handle == 0)
        return nullptr;
    return boxes_.emplace_back(std::make_unique<ElementBox>(handle)).get();
}

void Page::onClick(std::string_view name, ClickHandler handler)
{
    for (int index = 0;; ++index) {
        if (!page_button(elementName(name, index).c_str(), static_cast<int>(clicks_.size())))
            break;
        clicks_.push_back({handler, static_cast<std::int16_t>(index)});
    }
}

void Page::click(int button)
{
    if (button < 0 || button >= static_cast<int>(clicks_.size()))
        return;
    const Click& click = clicks_[static_cast<std::size_t>(button)];
    deliver(*this, [&] { click.handler(click.index); });
}

void Page::report(const RunTimeError& error)
{
    page_report(reportText(error).c_str());
}

void Page::speak(TextView sentences)
{
    page_speak(sentences.data(), size(sentences));
}

Page& page()
{
    static Page page;
    return page;
}

void takeInput()
{
    page_take_input();
}

void fail()
{
    page_fail();
}

void later(void (*start)())
{
    pending = start;
    page_later();
}

void runLater()
{
    if (auto* start = std::exchange(pending, nullptr))
        start();
}

} // namespace runtime::web

// The task later() asked the page for.
extern "C" EMSCRIPTEN_KEEPALIVE void page_run_later()
{
    runtime::web::runLater();
}

// A click from the page. No C++ exception goes on into the page's script:
// a run-time error is reported by deliver(), anything else ends the program
// with the page saying so.
extern "C" EMSCRIPTEN_KEEPALIVE void page_click(int button)
{
    try {
        runtime::web::page().click(button);
    } catch (...) {
        page_fail();
    }
}

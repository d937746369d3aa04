#pragma once

#include "runtime/controls/texts.h"
#include "runtime/values/run_time_error.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// What the form's code speaks to: its text boxes, the clicks of its
// buttons, an announcement, and the report of a run-time error. An engine
// shows the form from its description (form/main_form.ui) and implements
// these: Qt's widgets on the desktop (runtime/qt), the page's own elements
// in a browser (runtime/web). The form's code knows no engine.
namespace runtime {

// A text box of one line or of several.
class TextBox {
public:
    virtual ~TextBox() = default;

    // What setText() last wrote, exactly, CR LF pairs included; what the
    // user typed, where the user has edited it since.
    virtual Text text() const = 0;
    virtual void setText(TextView text) = 0;
    // A locked box refuses the user's edits (typing, pasting, deleting, an
    // input method, an assistive tool), never setText().
    virtual void setLocked(bool locked) = 0;
};

using ClickHandler = std::function<void(std::int16_t index)>;

class FormEngine {
public:
    // The text box the form's description names `name` ("Text2_0"), or null.
    virtual TextBox* textBox(std::string_view name) = 0;

    // From now on a click on an element of the button array `name` (the
    // buttons named elementName(name, index)) calls `handler` with its
    // index, through deliver().
    virtual void onClick(std::string_view name, ClickHandler handler) = 0;

    // Has a screen reader speak `text` wherever the focus is; its lines
    // (ended by CR LF) are read as sentences. Nothing shows on the form.
    void announce(TextView text) { speak(sentences(text)); }

    // Shows the report of a run-time error over the form; the form goes on.
    virtual void report(const RunTimeError& error) = 0;

protected:
    ~FormEngine() = default;

    // `sentences`: the announced text, its lines made sentences.
    virtual void speak(TextView sentences) = 0;
};

// The name the form's description gives the element `index` of the control
// array `array`: "Text2_0".
inline std::string elementName(std::string_view array, int index)
{
    std::string name(array);
    name += '_';
    const std::size_t digits = name.size();
    do {
        name.insert(digits, 1, static_cast<char>('0' + index % 10));
        index /= 10;
    } while (index > 0);
    return name;
}

// Runs one event handler. A run-time error leaves the handler where it was
// raised and is reported to the user; the program goes on.
template <class Handler>
void deliver(FormEngine& engine, Handler&& handler)
{
    try {
        handler();
    } catch (const RunTimeError& error) {
        engine.report(error);
    }
}

} // namespace runtime

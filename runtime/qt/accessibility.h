#pragma once

#include <QString>
#include <QWidget>

// What assistive tools (a screen reader, a voice-control tool) meet of the
// form's controls: interfaces that tell the truth about a locked box, and a
// way to have a result spoken where the user's focus does not go.
namespace runtime::qt {

// Installs the accessible interfaces of the runtime's controls. They are
// built only when something asks for them.
void installAccessibleInterfaces();

// Has a screen reader speak `text` at once, wherever the keyboard focus is.
// The window shows nothing of it, and nothing is built while no assistive
// tool listens.
void announce(QWidget& window, const QString& text);

// The zero-sized child that carries announcements: a notification to
// assistive tools, nothing on the screen.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* window);
    void say(const QString& text);
};

// Tells assistive tools that a text box became read-only or editable.
void notifyEditableChanged(QWidget& box);

} // namespace runtime::qt

#include "runtime/qt/command_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace runtime::qt {

void CommandButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const bool sunken = isDown();
    qDrawWinButton(&painter, rect(), colours, sunken, &colours.brush(QPalette::Button));

    const QPoint pressed = sunken ? QPoint(1, 1) : QPoint();
    painter.setPen(colours.color(QPalette::ButtonText));
    painter.drawText(captionRect().translated(pressed), Qt::AlignCenter | Qt::TextShowMnemonic, text());

    // The focus mark of the graphical style: a dotted frame inside the
    // bevel, in the text's colour, which shows on any background.
    if (hasFocus()) {
        painter.setPen(QPen(colours.color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(4, 4, -5, -5).translated(pressed));
    }
}

// Enter presses the focused button, as on the desktop the form was made for,
// and as screen-reader users press buttons by habit. Outside a dialog a
// QPushButton would pass it on to the window.
void CommandButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace runtime::qt

#include "runtime/command_button.h"

#include <QPainter>
#include <qdrawutil.h>

namespace runtime {

void CommandButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const bool sunken = isDown();
    qDrawWinButton(&painter, rect(), colours, sunken, &colours.brush(QPalette::Button));

    QRect content = rect().adjusted(4, 4, -4, -4);
    if (sunken)
        content.translate(1, 1);
    painter.setPen(colours.color(QPalette::ButtonText));
    painter.drawText(content, Qt::AlignCenter | Qt::TextShowMnemonic, text());

    // The focus mark of the graphical style: a dotted frame inside the
    // bevel, in the text's colour, which shows on any background.
    if (hasFocus()) {
        painter.setPen(QPen(colours.color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(content.adjusted(0, 0, -1, -1));
    }
}

} // namespace runtime

#include "runtime/command_button.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
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

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = content;
        focus.backgroundColor = colours.color(QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace runtime

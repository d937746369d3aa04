#include "runtime/fonts.h"

#include "runtime/command_button.h"

#include <QFontMetricsF>
#include <QLabel>

namespace runtime {

void preferMetricTwins()
{
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"),
                                QStringLiteral("Nimbus Roman")});
}

namespace {

// Whether `text`, drawn in `font` inside `space` with `alignment`, leaves no
// ink outside it: its advance fits the width, its glyphs the height.
bool fits(const QFont& font, const QWidget& control, const QString& text, QSize space, Qt::Alignment alignment)
{
    const QFontMetricsF metrics(font, &control);
    if (metrics.horizontalAdvance(text) > space.width())
        return false;
    qreal lineTop = 0;
    if (alignment & Qt::AlignVCenter)
        lineTop = (space.height() - metrics.height()) / 2;
    else if (alignment & Qt::AlignBottom)
        lineTop = space.height() - metrics.height();
    const qreal baseline = lineTop + metrics.ascent();
    const QRectF ink = metrics.tightBoundingRect(text); // around the baseline
    return baseline + ink.top() >= 0 && baseline + ink.bottom() <= space.height();
}

void fit(QWidget& control, const QString& text, QSize space, Qt::Alignment alignment)
{
    constexpr qreal step = 0.5, smallest = 6;
    QFont font = control.font();
    if (text.isEmpty() || fits(font, control, text, space, alignment))
        return;
    do
        font.setPointSizeF(font.pointSizeF() - step);
    while (font.pointSizeF() - step >= smallest && !fits(font, control, text, space, alignment));
    control.setFont(font);
}

} // namespace

void fitCaptions(QWidget& form)
{
    for (QLabel* label : form.findChildren<QLabel*>())
        fit(*label, label->text(), label->contentsRect().size(), label->alignment());
    for (CommandButton* button : form.findChildren<CommandButton*>())
        fit(*button, button->text(), button->captionRect().size(), Qt::AlignCenter);
}

} // namespace runtime

#include "runtime/qt/fonts.h"

#include "runtime/qt/command_button.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>

namespace runtime::qt {

namespace {

// Puts a metric twin in place of a form font the desktop lacks, as soon as
// the form's font is set and before any control lays out text in it. (Qt's
// font substitutions would do it too, but only after asking fontconfig for a
// fallback of the missing family first, at a cost seen at every start.)
class MetricTwins : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FontChange) {
            auto* form = static_cast<QWidget*>(watched);
            const QString family = standIn(form->font().family());
            if (family != form->font().family()) {
                QFont font = form->font();
                font.setFamily(family);
                form->setFont(font);
            }
        }
        return false;
    }

private:
    static QString standIn(const QString& family)
    {
        if (family != QLatin1String("Times New Roman") || QFontDatabase::hasFamily(family))
            return family;
        for (const char* twin : {"Liberation Serif", "Tinos", "Nimbus Roman"}) {
            if (QFontDatabase::hasFamily(QLatin1String(twin)))
                return QLatin1String(twin);
        }
        return family; // the desktop's own fallback, which fitCaptions() keeps whole
    }
};

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

void useMetricTwins(QWidget& form)
{
    form.installEventFilter(new MetricTwins(&form));
}

void fitCaptions(QWidget& form)
{
    for (QLabel* label : form.findChildren<QLabel*>())
        fit(*label, label->text(), label->contentsRect().size(), label->alignment());
    for (CommandButton* button : form.findChildren<CommandButton*>())
        fit(*button, button->text(), button->captionRect().size(), Qt::AlignCenter);
}

} // namespace runtime::qt

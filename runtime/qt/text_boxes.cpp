#include "runtime/qt/text_boxes.h"

#include "runtime/qt/accessibility.h"

#include <QEvent>
#include <QInputMethodEvent>
#include <QTextLayout>

#include <algorithm>

namespace runtime::qt {

QRect TextBox::characterRect(int position) const
{
    const QString shown = displayText();
    if (position < 0 || position >= shown.size())
        return {};
    QTextLayout layout(shown, font());
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    // The box scrolls and aligns its text: its cursor, drawn centred on the
    // caret's place, shows where the laid-out line sits.
    const QRect cursor = cursorRect();
    const qreal shift = cursor.left() + cursor.width() / 2 - line.cursorToX(cursorPosition());
    const qreal left = line.cursorToX(position), right = line.cursorToX(position + 1);
    return QRect(qRound(shift + std::min(left, right)), cursor.top(), qRound(std::abs(right - left)),
                 cursor.height());
}

void TextBox::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange)
        notifyEditableChanged(*this);
}

// An input method (an on-screen keyboard, one that composes) writes only
// into a box the user may edit; some platforms' input contexts send their
// text to a read-only box as well.
void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    if (isReadOnly())
        event->ignore();
    else
        QLineEdit::inputMethodEvent(event);
}

void MultiLineTextBox::inputMethodEvent(QInputMethodEvent* event)
{
    if (isReadOnly())
        event->ignore();
    else
        QPlainTextEdit::inputMethodEvent(event);
}

QString MultiLineTextBox::text() const
{
    // The document is only modified by the user's own edits.
    if (written_ && !document()->isModified())
        return *written_;
    QString shown = toPlainText();
    shown.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return shown;
}

void MultiLineTextBox::setText(const QString& text)
{
    written_ = text;
    setPlainText(text); // shows CR LF as one line break
    document()->setModified(false);
}

} // namespace runtime::qt

#include "runtime/text_boxes.h"

namespace runtime {

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

} // namespace runtime

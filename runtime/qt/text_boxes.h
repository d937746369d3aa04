#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>

#include <optional>

namespace runtime::qt {

// A one-line text box. Locked refuses the user's typing, pasting and
// deleting, and writes from assistive tools, never the program's own writes.
class TextBox : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    bool isLocked() const { return isReadOnly(); }
    void setLocked(bool locked) { setReadOnly(locked); }

    // Where the character at `position` is drawn, in the box's own pixels;
    // empty for a position past the text.
    QRect characterRect(int position) const;

protected:
    void changeEvent(QEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
};

// A text box of several lines whose lines end with CR LF. The editor shows
// plain line feeds; text() gives back exactly what setText() last wrote.
class MultiLineTextBox : public QPlainTextEdit {
    Q_OBJECT

public:
    using QPlainTextEdit::QPlainTextEdit;

    QString text() const;
    void setText(const QString& text);

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    std::optional<QString> written_;
};

} // namespace runtime::qt

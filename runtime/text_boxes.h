#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>

#include <optional>

namespace runtime {

// A one-line text box. Locked refuses the user's typing, pasting and
// deleting, never the program's own writes.
class TextBox : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    bool isLocked() const { return isReadOnly(); }
    void setLocked(bool locked) { setReadOnly(locked); }
};

// A text box of several lines whose lines end with CR LF. The editor shows
// plain line feeds; text() gives back exactly what setText() last wrote.
class MultiLineTextBox : public QPlainTextEdit {
    Q_OBJECT

public:
    using QPlainTextEdit::QPlainTextEdit;

    QString text() const;
    void setText(const QString& text);

private:
    std::optional<QString> written_;
};

} // namespace runtime

#include "runtime/qt/accessibility.h"

#include "runtime/qt/platform_accessibility.h"
#include "runtime/qt/text_boxes.h"

#include <QAccessibleWidget>
#include <QScrollBar>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextDocument>

#include <algorithm>

namespace runtime::qt {

namespace {

// Offsets from an assistive tool, kept within the text.
int clamped(int offset, int length)
{
    return std::clamp(offset, 0, length);
}

// What both kinds of text box tell: the text, and a state that follows the
// lock. Qt's own interfaces call a locked box editable, and let any tool
// write into a read-only one.
template <class Box>
class AccessibleBox : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleBox(Box* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    Box* box() const { return static_cast<Box*>(widget()); }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? text(0, characterCount()) : QAccessibleWidget::text(kind);
    }
    using QAccessibleTextInterface::text;

    void setText(QAccessible::Text kind, const QString& text) override
    {
        if (kind != QAccessible::Value)
            QAccessibleWidget::setText(kind, text);
        else if (!box()->isReadOnly())
            box()->setText(text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectableText = true;
        if (box()->isReadOnly())
            state.readOnly = true;
        else
            state.editable = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    void addSelection(int start, int end) override { setSelection(0, start, end); }
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }
};

// A one-line box: it offers writing only while it is unlocked.
class AccessibleTextBox : public AccessibleBox<TextBox>, public QAccessibleEditableTextInterface {
public:
    using AccessibleBox::AccessibleBox;
    using AccessibleBox::text;

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::EditableTextInterface && !box()->isLocked())
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return AccessibleBox::interface_cast(type);
    }

    // Text
    QString text(int start, int end) const override
    {
        const int length = characterCount();
        start = clamped(start, length);
        end = clamped(end, length);
        return start < end ? box()->text().mid(start, end - start) : QString();
    }
    int characterCount() const override { return int(box()->text().size()); }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = box()->selectionEnd();
        }
    }
    void removeSelection(int index) override
    {
        if (index == 0)
            box()->deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            box()->setSelection(start, end - start);
    }
    QRect characterRect(int offset) const override
    {
        const QRect drawn = box()->characterRect(offset);
        return drawn.isEmpty() ? QRect() : QRect(box()->mapToGlobal(drawn.topLeft()), drawn.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override
    {
        box()->setCursorPosition(end);
        box()->setCursorPosition(start);
    }

    // Editable text: only offered while the box is unlocked.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override
    {
        if (box()->isLocked())
            return;
        const int length = characterCount();
        start = clamped(start, length);
        end = std::max(start, clamped(end, length));
        box()->setText(box()->text().replace(start, end - start, text));
    }
};

// A box of several lines, read through its document, as it wraps them.
// It offers no writing.
class AccessibleMultiLineTextBox : public AccessibleBox<MultiLineTextBox> {
public:
    using AccessibleBox::AccessibleBox;
    using AccessibleBox::text;

    QAccessible::State state() const override
    {
        QAccessible::State state = AccessibleBox::state();
        state.multiLine = true;
        return state;
    }

    QString text(int start, int end) const override
    {
        if (end <= start)
            return {};
        QTextCursor range = cursorAt(start);
        range.setPosition(clamped(end, characterCount()), QTextCursor::KeepAnchor);
        return range.selectedText().replace(QChar::ParagraphSeparator, u'\n');
    }
    // The document ends with a paragraph separator that is not text.
    int characterCount() const override { return box()->document()->characterCount() - 1; }
    int cursorPosition() const override { return box()->textCursor().position(); }
    void setCursorPosition(int position) override { box()->setTextCursor(cursorAt(position)); }
    int selectionCount() const override { return box()->textCursor().hasSelection() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override
    {
        const QTextCursor cursor = box()->textCursor();
        *start = *end = 0;
        if (index == 0 && cursor.hasSelection()) {
            *start = cursor.selectionStart();
            *end = cursor.selectionEnd();
        }
    }
    void removeSelection(int index) override
    {
        if (index != 0)
            return;
        QTextCursor cursor = box()->textCursor();
        cursor.clearSelection();
        box()->setTextCursor(cursor);
    }
    void setSelection(int index, int start, int end) override
    {
        if (index != 0)
            return;
        QTextCursor range = cursorAt(start);
        range.setPosition(clamped(end, characterCount()), QTextCursor::KeepAnchor);
        box()->setTextCursor(range);
    }
    QRect characterRect(int offset) const override
    {
        if (offset < 0 || offset >= characterCount())
            return {};
        QTextCursor at = cursorAt(offset);
        const QRect before = box()->cursorRect(at);
        at.movePosition(QTextCursor::NextCharacter);
        const QRect after = box()->cursorRect(at);
        // The last character of a line: its width from the font.
        const int width = after.top() == before.top()
            ? after.left() - before.left()
            : box()->fontMetrics().horizontalAdvance(text(offset, offset + 1));
        const QRect drawn(before.left(), before.top(), std::max(width, 1), before.height());
        return QRect(box()->viewport()->mapToGlobal(drawn.topLeft()), drawn.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return box()->cursorForPosition(box()->viewport()->mapFromGlobal(point)).position();
    }
    // Scrolls the start into view without moving the caret.
    void scrollToSubstring(int start, int) override
    {
        const QTextCursor at = cursorAt(start);
        const QRect shown = box()->cursorRect(at);
        if (shown.top() >= 0 && shown.bottom() <= box()->viewport()->height())
            return;
        const QTextLine line = at.block().layout()->lineForTextPosition(at.positionInBlock());
        box()->verticalScrollBar()->setValue(at.block().firstLineNumber() + (line.isValid() ? line.lineNumber() : 0));
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const override
    {
        offset = resolved(offset);
        return offset < 0 ? none(start, end) : unit(boundaries(offset, boundary), start, end);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const override
    {
        offset = resolved(offset);
        const int first = offset < 0 ? 0 : boundaries(offset, boundary).first;
        return first > 0 ? unit(boundaries(first - 1, boundary), start, end) : none(start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const override
    {
        offset = resolved(offset);
        if (offset < 0)
            return none(start, end);
        // The end of a unit can still belong to it (the end of a paragraph
        // does): the next unit starts there or further on.
        const int last = boundaries(offset, boundary).second;
        for (int probe = last; probe < characterCount(); ++probe) {
            const std::pair<int, int> next = boundaries(probe, boundary);
            if (next.first >= last && next.second > next.first)
                return unit(next, start, end);
        }
        return none(start, end);
    }

private:
    QTextCursor cursorAt(int position) const
    {
        QTextCursor cursor(box()->document());
        cursor.setPosition(clamped(position, characterCount()));
        return cursor;
    }

    // Lines are the lines as wrapped on the screen, as Qt's own text widgets give them.
    std::pair<int, int> boundaries(int offset, QAccessible::TextBoundaryType boundary) const
    {
        return QAccessible::qAccessibleTextBoundaryHelper(cursorAt(offset), boundary);
    }

    // -2 stands for the caret; -1 for an offset outside the text.
    int resolved(int offset) const
    {
        if (offset == -2)
            return cursorPosition();
        return offset >= 0 && offset <= characterCount() ? offset : -1;
    }

    QString unit(std::pair<int, int> range, int* start, int* end) const
    {
        *start = range.first;
        *end = range.second;
        return text(range.first, range.second);
    }

    static QString none(int* start, int* end)
    {
        *start = *end = -1;
        return {};
    }
};

QAccessibleInterface* accessibleInterface(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("runtime::qt::TextBox"))
        return new AccessibleTextBox(static_cast<TextBox*>(widget));
    if (className == QLatin1String("runtime::qt::MultiLineTextBox"))
        return new AccessibleMultiLineTextBox(static_cast<MultiLineTextBox*>(widget));
    if (className == QLatin1String("runtime::qt::Announcer"))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    // A form is a plain widget that is a window: a frame, named by its caption.
    if (className == QLatin1String("QWidget") && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    QAccessible::installFactory(accessibleInterface);
}

Announcer::Announcer(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("announcer"));
    setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

// A screen reader on Linux speaks a notification when it is shown: hiding
// and showing it again makes each announcement a new one. Readers that wait
// for an event of their platform's own get that too.
void Announcer::say(const QString& text)
{
    hide();
    setAccessibleName(text);
    show();
    platform::notify(*window(), text);
}

void announce(QWidget& window, const QString& text)
{
    if (!QAccessible::isActive())
        return;
    auto* announcer = window.findChild<Announcer*>(QString(), Qt::FindDirectChildrenOnly);
    if (!announcer)
        announcer = new Announcer(&window);
    announcer->say(text);
}

void notifyEditableChanged(QWidget& box)
{
    if (!QAccessible::isActive())
        return;
    QAccessible::State changed;
    changed.readOnly = true;
    changed.editable = true;
    QAccessibleStateChangeEvent event(&box, changed);
    QAccessible::updateAccessibility(&event);
    platform::sendEditableChanged(QAccessible::queryAccessibleInterface(&box));
}

} // namespace runtime::qt

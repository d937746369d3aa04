#include "runtime/qt/form_window.h"

#include "runtime/qt/accessibility.h"
#include "runtime/qt/fonts.h"
#include "runtime/qt/icons.h"
#include "runtime/qt/qt_values.h"
#include "runtime/qt/text_boxes.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <string>

namespace runtime::qt {

namespace {

// On Windows with the thin frame of a window that cannot be resized (other
// systems ignore the hint).
constexpr Qt::WindowFlags fixedWindow = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// A box of the form as its code sees it: texts in UTF-16, Locked as read-only.
template <class Box>
class BoxControl final : public runtime::TextBox {
public:
    explicit BoxControl(Box& box) : box_(box) {}

    Text text() const override { return toText(box_.text()); }
    void setText(TextView text) override { box_.setText(toQString(text)); }
    void setLocked(bool locked) override { box_.setReadOnly(locked); }

private:
    Box& box_;
};

QString qName(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

FormWindow::FormWindow() : QWidget(nullptr, fixedWindow)
{
    useMetricTwins(*this);
}

FormWindow::~FormWindow() = default;

void FormWindow::finishSetUp()
{
    // Every size the icon has, so that a dense screen or a scaled frame shows a sharp one.
    setWindowIcon(iconFromFiles(QStringLiteral(":/icons/%1/window.png"), {16, 32, 48, 64, 128, 256}));
    fitCaptions(*this);
    for (QWidget* control = nextInFocusChain(); control != this; control = control->nextInFocusChain()) {
        if ((control->focusPolicy() & Qt::TabFocus) && control->isVisibleTo(this)) {
            control->setFocus();
            break;
        }
    }
}

runtime::TextBox* FormWindow::textBox(std::string_view name)
{
    QWidget* control = findChild<QWidget*>(qName(name));
    if (auto* box = qobject_cast<TextBox*>(control))
        return boxes_.emplace_back(std::make_unique<BoxControl<TextBox>>(*box)).get();
    if (auto* box = qobject_cast<MultiLineTextBox*>(control))
        return boxes_.emplace_back(std::make_unique<BoxControl<MultiLineTextBox>>(*box)).get();
    return nullptr;
}

void FormWindow::onClick(std::string_view name, ClickHandler handler)
{
    for (int index = 0;; ++index) {
        const auto* button = findChild<QAbstractButton*>(qName(elementName(name, index)));
        if (!button)
            break;
        connect(button, &QAbstractButton::clicked, this, [this, handler, index] {
            deliver(*this, [&] { handler(static_cast<std::int16_t>(index)); });
        });
    }
}

void FormWindow::report(const RunTimeError& error)
{
    auto* report = new QMessageBox(QMessageBox::Critical, windowTitle(), QString::fromStdString(reportText(error)),
                                   QMessageBox::Ok, this);
    report->setAttribute(Qt::WA_DeleteOnClose);
    report->open();
}

void FormWindow::speak(TextView sentences)
{
    qt::announce(*this, toQString(sentences));
}

} // namespace runtime::qt

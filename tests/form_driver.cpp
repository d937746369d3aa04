#include "form_driver.h"

#include "runtime/qt/startup.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QTest>

FormDriver::FormDriver() : form_(runtime::qt::load<MainForm, Ui::MainForm>())
{
    runtime::qt::showCentred(*form_);
    makeActive(*form_);
    [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(form_.get());
}

void makeActive(QWidget& window)
{
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(&window);
    QT_WARNING_POP
}

FormDriver::~FormDriver()
{
    closeErrorReports();
}

template <class Widget>
Widget& FormDriver::child(const char* name) const
{
    auto* widget = form_->findChild<Widget*>(QLatin1String(name));
    if (!widget)
        qFatal("the form has no %s", name);
    return *widget;
}

runtime::qt::TextBox& FormDriver::coefficient(int index) const
{
    return child<runtime::qt::TextBox>(index == 0 ? "Text2_0" : "Text2_1");
}

runtime::qt::MultiLineTextBox& FormDriver::output() const
{
    return child<runtime::qt::MultiLineTextBox>("Text1_0");
}

runtime::qt::MultiLineTextBox& FormDriver::saying() const
{
    return child<runtime::qt::MultiLineTextBox>("Text1_1");
}

QPushButton& FormDriver::button(int index) const
{
    return child<QPushButton>(index == 0 ? "Command1_0" : "Command1_1");
}

void FormDriver::type(int box, const QString& text)
{
    runtime::qt::TextBox& edit = coefficient(box);
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, text);
}

void FormDriver::paste(int box, const QString& text)
{
    runtime::qt::TextBox& edit = coefficient(box);
    edit.setFocus();
    QApplication::clipboard()->setText(text);
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
}

// Through the window, as a real click comes: a modal report blocks it.
void FormDriver::click(int index)
{
    QPushButton& target = button(index);
    QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {},
                      target.mapTo(form_.get(), target.rect().center()));
}

void FormDriver::solve(const QString& a, const QString& b)
{
    click(1);
    type(0, a);
    type(1, b);
    click(0);
}

QMessageBox* FormDriver::openErrorReport()
{
    type(0, QStringLiteral("1e400"));
    click(0);
    return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
}

QStringList FormDriver::closeErrorReports()
{
    QStringList texts;
    for (QMessageBox* report : form_->findChildren<QMessageBox*>()) {
        if (!report->isVisible())
            continue;
        texts << report->text();
        report->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return texts;
}

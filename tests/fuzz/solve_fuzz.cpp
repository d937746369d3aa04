// The whole solve on two arbitrary texts, through the form's own button:
// either the output box holds one of the two shapes of a result and the
// coefficient boxes are locked, or an error was reported and nothing changed.
#include "../result_shape.h"
#include "app/desktop/main_window.h"
#include "runtime/qt/startup.h"
#include "runtime/qt/text_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

QApplication* application;
MainWindow* form;

template <class Widget>
Widget& child(const char* name)
{
    auto* widget = form->findChild<Widget*>(QLatin1String(name));
    if (!widget)
        std::abort();
    return *widget;
}

int closeReports()
{
    int count = 0;
    for (QMessageBox* report : form->findChildren<QMessageBox*>()) {
        if (report->isVisible()) {
            ++count;
            report->close();
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return count;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = new QApplication(*argc, *argv);
    form = runtime::qt::load<MainForm, Ui::MainForm>().release();
    form->show();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The two coefficients, split at the first NUL byte.
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype split = input.indexOf('\0');
    const QString a = QString::fromUtf8(split < 0 ? input : input.left(split));
    const QString b = split < 0 ? QString() : QString::fromUtf8(input.mid(split + 1));

    auto& boxA = child<runtime::qt::TextBox>("Text2_0");
    auto& boxB = child<runtime::qt::TextBox>("Text2_1");
    auto& output = child<runtime::qt::MultiLineTextBox>("Text1_0");

    child<QPushButton>("Command1_1").click(); // Чисти: empty and unlocked
    if (boxA.isLocked() || boxB.isLocked() || !output.text().isEmpty())
        std::abort();
    boxA.setText(a);
    boxB.setText(b);
    child<QPushButton>("Command1_0").click(); // Въведи

    const int reports = closeReports();
    if (reports == 0) {
        if (!isResultShape(output.text()) || !boxA.isLocked() || !boxB.isLocked())
            std::abort();
    } else if (reports != 1 || !output.text().isEmpty() || boxA.isLocked() || boxB.isLocked()) {
        std::abort();
    }
    return 0;
}

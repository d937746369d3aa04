// One solve as the user sees it: a click on "Въведи", through the window,
// until the output box holds the result; against four plain writes of the
// same texts into the same box.
#include "app/desktop/main_window.h"
#include "ratio_reporter.h"
#include "runtime/qt/startup.h"
#include "runtime/qt/text_boxes.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    const auto form = runtime::qt::load<MainForm, Ui::MainForm>();
    runtime::qt::showCentred(*form);
    [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(form.get());
    auto* solve = form->findChild<QPushButton*>(QStringLiteral("Command1_0"));
    auto* output = form->findChild<runtime::qt::MultiLineTextBox*>(QStringLiteral("Text1_0"));
    const QPoint at = solve->mapTo(form.get(), solve->rect().center());
    auto click = [&] { QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, at); };

    // The box's text after each of the solve's four writes.
    click();
    QStringList writes;
    QString text;
    for (const QString& line : output->text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        writes << (text += line + QStringLiteral("\r\n"));

    benchmark::RegisterBenchmark("solveClick", [&](benchmark::State& state) {
        for (auto _ : state)
            click();
    });
    benchmark::RegisterBenchmark("fourPlainWrites", [&](benchmark::State& state) {
        for (auto _ : state) {
            for (const QString& write : writes)
                output->setPlainText(write);
            QCoreApplication::processEvents(); // drawn, as after the click
        }
    });

    RatioReporter reporter({{"solve click / four plain writes", "solveClick", "fourPlainWrites", 1.5}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.printRatios();
}

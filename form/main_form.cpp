#include "form/main_form.h"

#include "form/solution.h"
#include "runtime/accessibility.h"
#include "runtime/arithmetic.h"
#include "runtime/events.h"
#include "runtime/fonts.h"
#include "runtime/icons.h"
#include "runtime/qt_values.h"

// The icons are compiled into this library; a static library has to ask for them.
static void initResources()
{
    Q_INIT_RESOURCE(main_form);
}

namespace {

const QString lineBreak = QStringLiteral("\r\n");

// What a screen reader says after "Чисти", where the window only empties the boxes.
const QString clearedAnnouncement = QStringLiteral("Полетата са празни и отново могат да се попълват.");

// A fixed window with a system menu and a close button, and nothing to
// minimise or maximise it; on Windows with the thin frame of a window that
// cannot be resized (other systems ignore the hint).
constexpr Qt::WindowFlags fixedWindow = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

} // namespace

MainForm::MainForm(QWidget* parent) : QWidget(parent, fixedWindow)
{
    initResources();
    runtime::useMetricTwins(*this);
    ui.setupUi(this);
    Text1 = {ui.Text1_0, ui.Text1_1};
    Text2 = {ui.Text2_0, ui.Text2_1};
    Label1 = {ui.Label1_0, ui.Label1_1, ui.Label1_2};
    Command1 = {ui.Command1_0, ui.Command1_1};

    // Every size the icon has, so that a dense screen or a scaled frame shows a sharp one.
    setWindowIcon(runtime::iconFromFiles(QStringLiteral(":/icons/%1/sistema.png"), {16, 32, 48, 64, 128, 256}));
    runtime::fitCaptions(*this);
    ui.Text1_0->setFocus();

    runtime::connectClicks(this, Command1, &MainForm::Command1_Click);
}

void MainForm::Form_Load()
{
    Text2(0).setText(QStringLiteral("6"));
    Text2(1).setText(QStringLiteral("16"));
}

void MainForm::Command1_Click(std::int16_t Index)
{
    switch (Index) {
    case 0: // Въведи
        SolveSystem();
        Text2(0).setLocked(true);
        Text2(1).setLocked(true);
        runtime::announce(*this, Text1(0).text());
        break;
    case 1: // Чисти
        ClearInputs();
        Text1(0).setText(QString());
        Text2(0).setLocked(false);
        Text2(1).setLocked(false);
        runtime::announce(*this, clearedAnnouncement);
        break;
    default:
        break;
    }
}

void MainForm::ClearInputs()
{
    Text2(0).setText(QString());
    Text2(1).setText(QString());
}

void MainForm::SolveSystem()
{
    using runtime::numberText;
    const double a = runtime::readNumber(Text2(0).text());
    const double b = runtime::readNumber(Text2(1).text());
    const double d = form::discriminant(a, b);

    Text1(0).setText(QStringLiteral("Дискриминанта: ") + numberText(d) + lineBreak);
    if (runtime::isLess(d, 0)) {
        appendLine(QStringLiteral("Корените на системата са комплексни!"));
        return;
    }
    const form::Solution roots = form::solution(a, b, d);
    appendLine(QStringLiteral("Корените на системата са:"));
    appendLine(QStringLiteral("X = ") + numberText(roots.x));
    appendLine(QStringLiteral("Y = ") + numberText(roots.y));
}

// Reads the output box back and writes it with one more line.
void MainForm::appendLine(const QString& line)
{
    Text1(0).setText(Text1(0).text() + line + lineBreak);
}

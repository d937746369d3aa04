#include "form/main_form.h"

#include "form/solution.h"
#include "runtime/values/arithmetic.h"
#include "runtime/values/number_text.h"

namespace {

using runtime::Text;

constexpr runtime::TextView lineBreak = u"\r\n";

// What a screen reader says after "Чисти", where the window only empties the boxes.
constexpr runtime::TextView clearedAnnouncement = u"Полетата са празни и отново могат да се попълват.";

} // namespace

MainForm::MainForm(runtime::FormEngine& engine) : engine_(engine), Text1(engine, "Text1"), Text2(engine, "Text2")
{
    engine.onClick("Command1", [this](std::int16_t index) { Command1_Click(index); });
}

void MainForm::Form_Load()
{
    Text2(0).setText(u"6");
    Text2(1).setText(u"16");
}

void MainForm::Command1_Click(std::int16_t Index)
{
    switch (Index) {
    case 0: // Въведи
        SolveSystem();
        Text2(0).setLocked(true);
        Text2(1).setLocked(true);
        engine_.announce(Text1(0).text());
        break;
    case 1: // Чисти
        ClearInputs();
        Text1(0).setText({});
        Text2(0).setLocked(false);
        Text2(1).setLocked(false);
        engine_.announce(clearedAnnouncement);
        break;
    default:
        break;
    }
}

void MainForm::ClearInputs()
{
    Text2(0).setText({});
    Text2(1).setText({});
}

void MainForm::SolveSystem()
{
    using runtime::numberText;
    const double a = runtime::readNumber(Text2(0).text());
    const double b = runtime::readNumber(Text2(1).text());
    const double d = form::discriminant(a, b);

    Text1(0).setText(u"Дискриминанта: " + numberText(d) + Text(lineBreak));
    if (runtime::isLess(d, 0)) {
        appendLine(u"Корените на системата са комплексни!");
        return;
    }
    const form::Solution roots = form::solution(a, b, d);
    appendLine(u"Корените на системата са:");
    appendLine(u"X = " + numberText(roots.x));
    appendLine(u"Y = " + numberText(roots.y));
}

// Reads the output box back and writes it with one more line.
void MainForm::appendLine(runtime::TextView line)
{
    Text1(0).setText(Text1(0).text().append(line).append(lineBreak));
}

// "Въведи" solves and locks the coefficient boxes; "Чисти" empties all three
// boxes and unlocks them.
#include "form_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

#include <functional>

namespace {

const QString defaultResult = QStringLiteral(
    "Дискриминанта: 100\r\nКорените на системата са:\r\nX = 8\r\nY = 2\r\n");

// What the user sees of the form's state.
struct State {
    QString a, b, output;
    bool locked0, locked1;

    static State of(const FormDriver& driver)
    {
        return {driver.coefficient(0).text(), driver.coefficient(1).text(), driver.outputText(),
                driver.coefficient(0).isLocked(), driver.coefficient(1).isLocked()};
    }
    bool operator==(const State&) const = default;
};

using Edit = std::function<void(FormDriver&, int box)>;
using Typing = std::function<void(FormDriver&, int box, const QString& text)>;

} // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Typing)

class CommandsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void solveLocksBothBoxes()
    {
        FormDriver driver;
        driver.click(0);
        QCOMPARE(driver.outputText(), defaultResult);
        QVERIFY(driver.coefficient(0).isLocked());
        QVERIFY(driver.coefficient(1).isLocked());
        QCOMPARE(driver.closeErrorReports(), QStringList());
    }

    void lockedBoxRefusesEveryEdit_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::newRow("typing") << Edit([](FormDriver& d, int box) {
            QTest::keyClicks(&d.coefficient(box), QStringLiteral("123"));
        });
        QTest::newRow("Ctrl+V") << Edit([](FormDriver& d, int box) { d.paste(box, QStringLiteral("42")); });
        QTest::newRow("Backspace") << Edit([](FormDriver& d, int box) {
            d.coefficient(box).end(false);
            QTest::keyClick(&d.coefficient(box), Qt::Key_Backspace);
        });
        QTest::newRow("Delete") << Edit([](FormDriver& d, int box) {
            d.coefficient(box).home(false);
            QTest::keyClick(&d.coefficient(box), Qt::Key_Delete);
        });
        QTest::newRow("Ctrl+X") << Edit([](FormDriver& d, int box) {
            QTest::keyClick(&d.coefficient(box), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(&d.coefficient(box), Qt::Key_X, Qt::ControlModifier);
        });
        QTest::newRow("Ctrl+Z") << Edit([](FormDriver& d, int box) {
            QTest::keyClick(&d.coefficient(box), Qt::Key_Z, Qt::ControlModifier);
        });
        // What an on-screen keyboard sends, in a browser on a phone.
        QTest::newRow("input method") << Edit([](FormDriver& d, int box) {
            QInputMethodEvent composing(QStringLiteral("7"), {});
            QApplication::sendEvent(&d.coefficient(box), &composing);
            QInputMethodEvent committed;
            committed.setCommitString(QStringLiteral("9"));
            QApplication::sendEvent(&d.coefficient(box), &committed);
        });
    }

    void lockedBoxRefusesEveryEdit()
    {
        QFETCH(Edit, edit);
        FormDriver driver;
        driver.type(0, QStringLiteral("-6"));
        driver.click(0);
        const State solved = State::of(driver);
        for (int box : {0, 1}) {
            driver.coefficient(box).setFocus();
            edit(driver, box);
        }
        QCOMPARE(State::of(driver), solved);
        QCOMPARE(driver.coefficient(0).text(), QStringLiteral("-6"));
    }

    void lockedBoxCanStillBeCopied()
    {
        FormDriver driver;
        driver.click(0);
        QTest::keyClick(&driver.coefficient(1), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&driver.coefficient(1), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("16"));
    }

    void clearEmptiesAllThreeAndUnlocks_data()
    {
        QTest::addColumn<bool>("solveFirst");
        QTest::newRow("at start") << false;
        QTest::newRow("after a solve") << true;
    }

    void clearEmptiesAllThreeAndUnlocks()
    {
        QFETCH(bool, solveFirst);
        FormDriver driver;
        if (solveFirst)
            driver.click(0);
        driver.click(1);
        const State cleared{QString(), QString(), QString(), false, false};
        QCOMPARE(State::of(driver), cleared);
        QCOMPARE(driver.output().toPlainText(), QString());
        driver.click(1);
        QCOMPARE(State::of(driver), cleared);
    }

    void solveTwiceIsSolveOnce()
    {
        FormDriver driver;
        driver.click(0);
        const State once = State::of(driver);
        driver.click(0);
        QCOMPARE(State::of(driver), once);
    }

    // Typed as keys, or as an input method (an on-screen keyboard, one that
    // composes) gives its text.
    void clearThenTypeThenSolve_data()
    {
        QTest::addColumn<Typing>("typing");
        QTest::newRow("keys") << Typing([](FormDriver& d, int box, const QString& text) { d.type(box, text); });
        QTest::newRow("input method") << Typing([](FormDriver& d, int box, const QString& text) {
            d.coefficient(box).setFocus();
            QInputMethodEvent composing(text, {});
            QApplication::sendEvent(&d.coefficient(box), &composing);
            QInputMethodEvent committed;
            committed.setCommitString(text);
            QApplication::sendEvent(&d.coefficient(box), &committed);
        });
    }

    void clearThenTypeThenSolve()
    {
        QFETCH(Typing, typing);
        FormDriver driver;
        driver.click(0);
        driver.click(1);
        typing(driver, 0, QStringLiteral("1"));
        typing(driver, 1, QStringLiteral("-1"));
        QCOMPARE(driver.coefficient(0).text(), QStringLiteral("1"));
        QCOMPARE(driver.coefficient(1).text(), QStringLiteral("-1"));
        driver.click(0);
        QCOMPARE(driver.outputText(),
                 QStringLiteral("Дискриминанта: -3\r\nКорените на системата са комплексни!\r\n"));
        QVERIFY(driver.coefficient(0).isLocked());
    }

    void clearDoesNotBringBackTheDefaults()
    {
        FormDriver driver;
        driver.click(1);
        driver.click(0);
        QCOMPARE(driver.coefficient(0).text(), QString());
        QCOMPARE(driver.coefficient(1).text(), QString());
        QCOMPARE(driver.outputText(),
                 QStringLiteral("Дискриминанта: 0\r\nКорените на системата са:\r\nX = 0\r\nY = 0\r\n"));
    }

    void otherIndicesDoNothing_data()
    {
        QTest::addColumn<int>("index");
        for (int index : {-32768, -1, 2, 32767})
            QTest::newRow(qPrintable(QString::number(index))) << index;
    }

    void otherIndicesDoNothing()
    {
        QFETCH(int, index);
        FormDriver driver;
        const State before = State::of(driver);
        driver.form().code().Command1_Click(static_cast<std::int16_t>(index));
        QCOMPARE(State::of(driver), before);
    }

    void overflowReportedOnceThenTheNextClickWorks()
    {
        FormDriver driver;
        driver.type(0, QStringLiteral("1e200"));
        driver.click(0);
        QCOMPARE(driver.closeErrorReports(),
                 QStringList{QStringLiteral("Грешка при изпълнение '6':\n\nПрепълване")});
        QVERIFY(!driver.coefficient(0).isLocked());
        QVERIFY(!driver.coefficient(1).isLocked());
        QCOMPARE(driver.coefficient(0).text(), QStringLiteral("1e200"));
        QVERIFY(driver.outputText().startsWith(QStringLiteral("Да се реализира")));

        driver.type(0, QStringLiteral("6"));
        driver.click(0);
        QCOMPARE(driver.closeErrorReports(), QStringList());
        QCOMPARE(driver.outputText(), defaultResult);
        QVERIFY(driver.coefficient(0).isLocked());
    }

    void reportIsModalOverTheWindow()
    {
        FormDriver driver;
        driver.type(1, QStringLiteral("1e400"));
        driver.click(0);
        QWidget* report = QApplication::activeModalWidget();
        QVERIFY(report);
        QCOMPARE(report->parentWidget(), &driver.form());
        // While it is open the window takes no clicks.
        driver.click(1);
        QCOMPARE(driver.coefficient(1).text(), QStringLiteral("1e400"));
        QCOMPARE(driver.closeErrorReports().size(), 1);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"

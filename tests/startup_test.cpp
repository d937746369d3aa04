// The form right after start: default coefficients, the task statement and
// the hidden saying, every CR LF in its place.
#include "form_driver.h"

#include "runtime/qt/startup.h"

#include <QTest>

#include <memory>

namespace {

const QString taskStatement = QStringLiteral(
    "Да се реализира проект представящ междупредметни връзки на Математика и Информатика.\r\n"
    "Тема на проекта: Математика - система от 2 уравнения.\r\n"
    "Потребителят въвежда в текстови полета стойността за следните две уравнения с две неизвестни:\r\n"
    "x - y\r\n"
    "x*y\r\n"
    "Проектът изчислява и извежда стойностите на двете неизвестни, ако са рационални числа.\r\n"
    "Пример: x - y = 6; x*y = 16 Изход: x = 8, y = 2\r\n");

const QString saying = QStringLiteral(
    "Неприятното в това да си първият, направил нещо по \r\n"
    "правилния начин, е, че никой не оценява колко трудно е \r\n"
    "било. \r\n");

// Moves the focus to `target` when the window it watches is shown, as Qt in
// a browser does, activating the window before its controls can take it.
class FocusMoverOnShow : public QObject {
public:
    explicit FocusMoverOnShow(QWidget* target) : target_(target) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            target_->setFocus();
        return false;
    }

private:
    QWidget* target_;
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void defaultCoefficientsAreEditable()
    {
        FormDriver driver;
        QCOMPARE(driver.coefficient(0).text(), QStringLiteral("6"));
        QCOMPARE(driver.coefficient(1).text(), QStringLiteral("16"));
        for (int box : {0, 1}) {
            QVERIFY(!driver.coefficient(box).isLocked());
            driver.type(box, QStringLiteral("12"));
            QCOMPARE(driver.coefficient(box).text(), QStringLiteral("12"));
        }
    }

    // The focus starts on the output box, wherever showing the window moved it.
    void focusWhereTheFormPutItOnceShown()
    {
        const std::unique_ptr<MainWindow> form = runtime::qt::load<MainForm, Ui::MainForm>();
        auto* boxB = form->findChild<QWidget*>(QStringLiteral("Text2_1"));
        FocusMoverOnShow mover(boxB);
        form->installEventFilter(&mover);
        runtime::qt::showCentred(*form);
        QVERIFY(form->focusWidget());
        QCOMPARE(form->focusWidget()->objectName(), QStringLiteral("Text1_0"));
    }

    void outputBoxHoldsTheTaskStatement()
    {
        FormDriver driver;
        QCOMPARE(taskStatement.size(), 385);
        QCOMPARE(driver.outputText(), taskStatement);
        QCOMPARE(driver.outputText().count(QStringLiteral("\r\n")), 7);
        QVERIFY(driver.output().isVisible());
        // What the user sees: seven lines and the empty one after the last break.
        QCOMPARE(driver.output().toPlainText().split(QLatin1Char('\n')).size(), 8);
    }

    void theSayingIsHiddenAndStays()
    {
        FormDriver driver;
        QCOMPARE(saying.size(), 118);
        QCOMPARE(driver.saying().text(), saying);
        QVERIFY(!driver.saying().isVisible());
        driver.click(0);
        driver.click(1);
        driver.solve(QStringLiteral("1"), QStringLiteral("-1"));
        QCOMPARE(driver.saying().text(), saying);
    }

    void captions()
    {
        FormDriver driver;
        const QStringList expected = {QStringLiteral("Математика - система от 2 уравнения"),
                                      QStringLiteral("X - Y = "), QStringLiteral("X * Y = ")};
        for (int i = 0; i < expected.size(); ++i) {
            auto* label = driver.form().findChild<QLabel*>(QStringLiteral("Label1_%1").arg(i));
            QVERIFY(label);
            QCOMPARE(label->text(), expected[i]);
        }
        QCOMPARE(driver.button(0).text(), solveButtonText);
        QCOMPARE(driver.button(1).text(), clearButtonText);
    }

    void writtenTextReadsBackExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("crlf") << QStringLiteral("a\r\nb\r\n");
        QTest::newRow("only breaks") << QStringLiteral("\r\n\r\n\r\n");
        QTest::newRow("lone cr and lf") << QStringLiteral("a\rb\nc");
        QTest::newRow("trailing spaces") << QStringLiteral("x  \r\n  ");
        QTest::newRow("no-break space") << QStringLiteral("1\u00A02");
    }

    void writtenTextReadsBackExactly()
    {
        QFETCH(QString, text);
        FormDriver driver;
        driver.output().setText(text);
        QCOMPARE(driver.output().text(), text);
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"

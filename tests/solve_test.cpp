// Solving through the window: the coefficients typed, "Въведи" clicked, the
// output box read back.
#include "form_driver.h"

#include <QTest>

namespace {

QString realRoots(const char* d, const char* x, const char* y)
{
    return QStringLiteral("Дискриминанта: %1\r\nКорените на системата са:\r\nX = %2\r\nY = %3\r\n")
        .arg(QLatin1String(d), QLatin1String(x), QLatin1String(y));
}

QString complexRoots(const char* d)
{
    return QStringLiteral("Дискриминанта: %1\r\nКорените на системата са комплексни!\r\n").arg(QLatin1String(d));
}

const QString overflowReport = QStringLiteral("Грешка при изпълнение '6':\n\nПрепълване");

} // namespace

class SolveTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writesTheResult_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("expected");

        QTest::newRow("defaults") << "6" << "16" << realRoots("100", "8", "2");
        QTest::newRow("complex") << "1" << "-1" << complexRoots("-3");
        QTest::newRow("complex, b alone") << "0" << "-1" << complexRoots("-4");
        QTest::newRow("tiny complex") << "1e-200" << "-1e-200" << complexRoots("-4E-200");
        QTest::newRow("zero discriminant") << "2" << "-1" << realRoots("0", "1", "-1");
        QTest::newRow("zero discriminant, a < 0") << "-7" << "-12,25" << realRoots("0", "-3,5", "3,5");
        QTest::newRow("a = 0") << "0" << "4" << realRoots("16", "2", "2");
        QTest::newRow("a < 0") << "-6" << "16" << realRoots("100", "2", "8");
        QTest::newRow("both empty") << "" << "" << realRoots("0", "0", "0");
        QTest::newRow("no numbers") << "abc" << "x1" << realRoots("0", "0", "0");
        QTest::newRow("golden ratio") << "1" << "1" << realRoots("5", "1,61803398874989", "0,618033988749895");
        QTest::newRow("decimal commas") << "1,5" << "2,5" << realRoots("12,25", "2,5", "1");
        QTest::newRow("decimal points") << "0.1" << "0.2" << realRoots("0,81", "0,5", "0,4");
        QTest::newRow("fifteen places") << "1000" << "1" << realRoots("1000004", "1000,000999999", "0,000999999000002");
        QTest::newRow("exponent form") << "1e-5" << "-2e-11"
                                       << realRoots("0,00000000002", "7,23606797749979E-06", "-2,76393202250021E-06");
        QTest::newRow("b = 0, a > 0") << "0,5" << "0" << realRoots("0,25", "0,5", "0");
        QTest::newRow("b = 0, a < 0") << "-0,5" << "0" << realRoots("0,25", "0", "0,5");
        QTest::newRow("hexadecimal") << "&H10" << "0" << realRoots("256", "16", "0");
        QTest::newRow("blanks") << " 1 000 " << "\t1" << realRoots("1000004", "1000,000999999", "0,000999999000002");
        // y = (-a + sqrt(D)) / 2 would lose every digit of these.
        QTest::newRow("cancellation, a = 1e8") << "1e8" << "1" << realRoots("1E+16", "100000000", "0,00000001");
        QTest::newRow("cancellation, a = 1e9") << "1e9" << "1" << realRoots("1E+18", "1000000000", "0,000000001");
        QTest::newRow("cancellation, a = -1e8") << "-1e8" << "1" << realRoots("1E+16", "0,00000001", "100000000");
        QTest::newRow("underflowed root") << "-5e-324" << "0" << realRoots("0", "-4,94065645841247E-324", "0");
    }

    void writesTheResult()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, expected);
        FormDriver driver;
        driver.solve(a, b);
        QCOMPARE(driver.closeErrorReports(), QStringList());
        QCOMPARE(driver.outputText(), expected);
        QString shown = expected;
        QCOMPARE(driver.output().toPlainText(), shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    void solvingAgainReplacesTheResult()
    {
        FormDriver driver;
        driver.click(0);
        const QString once = driver.outputText();
        driver.click(0);
        QCOMPARE(driver.outputText(), once);
        QCOMPARE(once, realRoots("100", "8", "2"));
    }

    void overflowIsReportedAndChangesNothing_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("a*a") << "1e200" << "1";
        QTest::newRow("-a*a") << "-1e200" << "5";
        QTest::newRow("b*4") << "1" << "1e308";
        QTest::newRow("sum") << "1e154" << "2e307";
        QTest::newRow("reading a") << "1e400" << "1";
        QTest::newRow("reading b") << "1" << "-1e400";
        QTest::newRow("hexadecimal") << "&H100000000" << "1";
    }

    void overflowIsReportedAndChangesNothing()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        FormDriver driver;
        const QString before = driver.outputText();
        driver.type(0, a);
        driver.type(1, b);
        driver.click(0);

        QCOMPARE(driver.closeErrorReports(), QStringList{overflowReport});
        QCOMPARE(driver.outputText(), before);
        QCOMPARE(driver.coefficient(0).text(), a);
        QCOMPARE(driver.coefficient(1).text(), b);
        QVERIFY(!driver.coefficient(0).isLocked());
        QVERIFY(!driver.coefficient(1).isLocked());
    }
};

QTEST_MAIN(SolveTest)
#include "solve_test.moc"

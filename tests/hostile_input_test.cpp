// What no user should be able to break: huge pastes, control characters,
// other scripts' digits, direction marks, and a long run of clicks.
#include "form_driver.h"
#include "result_shape.h"

#include <QFile>
#include <QTest>

namespace {

const QString overflowReport = QStringLiteral("Грешка при изпълнение '6':\n\nПрепълване");

// Resident memory in kB, as the kernel counts it.
long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

} // namespace

class HostileInputTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pastedIntoBothBoxes_data()
    {
        QTest::addColumn<QString>("text");
        // The plain number both boxes must be read as; empty: an overflow.
        QTest::addColumn<QString>("readAs");
        QTest::newRow("a million digits") << QString(1'000'000, u'9') << QString();
        QTest::newRow("30 000 blanks then 4") << QString(30'000, u' ') + u'4' << QStringLiteral("4");
        // A box holds 32 767 characters, as Qt's do: the 4 is not pasted.
        QTest::newRow("a million blanks then 4") << QString(1'000'000, u' ') + u'4' << QStringLiteral("0");
        QTest::newRow("digits with a long fraction") << QStringLiteral("1,") + QString(100'000, u'3')
                                                     << QStringLiteral("1.3333333333333333");
        QTest::newRow("NUL and control characters") << QString::fromUtf16(u"1\0002\a\b\x1b[2J\x7f", 10)
                                                    << QStringLiteral("1");
        QTest::newRow("line breaks") << QStringLiteral("1\r\n2\n3\r4") << QStringLiteral("1234");
        QTest::newRow("right-to-left marks") << QStringLiteral("\u200F\u202E12\u202C") << QStringLiteral("0");
        QTest::newRow("Arabic-Indic digits") << QStringLiteral("\u0661\u0662") << QStringLiteral("0");
        QTest::newRow("full-width digits") << QStringLiteral("\uFF11\uFF12") << QStringLiteral("0");
        QTest::newRow("lone surrogates") << QString(QChar(0xD800)) + QChar(0xDFFF) << QStringLiteral("0");
        QTest::newRow("emoji") << QStringLiteral("🙂1") << QStringLiteral("0");
        // A student who did not switch the keyboard to Latin letters.
        QTest::newRow("Cyrillic а after the digits") << QStringLiteral("12а") << QStringLiteral("12");
        QTest::newRow("Cyrillic е for the exponent") << QStringLiteral("1е3") << QStringLiteral("1");
        QTest::newRow("Cyrillic letters first") << QStringLiteral("ае12") << QStringLiteral("0");
        QTest::newRow("a word after the number") << QStringLiteral("2,5 метра") << QStringLiteral("2.5");
        QTest::newRow("hexadecimal too long") << QStringLiteral("&H") + QString(1000, u'F') << QString();
        QTest::newRow("exponent too long") << QStringLiteral("1e") + QString(100'000, u'9') << QString();
    }

    void pastedIntoBothBoxes()
    {
        QFETCH(QString, text);
        QFETCH(QString, readAs);
        FormDriver driver;
        const QString before = driver.outputText();
        driver.paste(0, text);
        driver.paste(1, text);
        driver.click(0);
        const QStringList reports = driver.closeErrorReports();
        if (readAs.isEmpty()) {
            QCOMPARE(reports, QStringList{overflowReport});
            QCOMPARE(driver.outputText(), before);
            return;
        }
        QCOMPARE(reports, QStringList());
        FormDriver plain;
        plain.solve(readAs, readAs);
        QVERIFY(isResultShape(plain.outputText()));
        QCOMPARE(driver.outputText(), plain.outputText());
    }

    void aThousandClicks()
    {
        FormDriver driver;
        driver.type(0, QStringLiteral("1,5"));
        driver.type(1, QStringLiteral("-0,5"));
        auto clickAway = [&](int rounds) {
            for (int i = 0; i < rounds; ++i) {
                driver.click(0);
                driver.click(i % 2);
            }
        };
        clickAway(100); // caches, fonts and layouts settle
        const long before = residentKilobytes();
        clickAway(1000);
        const long after = residentKilobytes();
        QVERIFY(isResultShape(driver.outputText()) || driver.outputText().isEmpty());
        QCOMPARE(driver.closeErrorReports(), QStringList());
#if !defined(__SANITIZE_ADDRESS__)
        // Memory that grew with the clicks would show here as megabytes.
        QVERIFY2(after - before < 1024, qPrintable(QStringLiteral("grew by %1 kB").arg(after - before)));
#else
        Q_UNUSED(before);
        Q_UNUSED(after);
#endif
    }

    void aThousandOverflowsInARow()
    {
        FormDriver driver;
        driver.type(0, QStringLiteral("1e200"));
        const QString before = driver.outputText();
        for (int i = 0; i < 1000; ++i) {
            driver.click(0);
            QCOMPARE(driver.closeErrorReports().size(), 1);
        }
        QCOMPARE(driver.outputText(), before);
    }
};

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"

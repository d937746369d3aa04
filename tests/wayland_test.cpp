// Start, solve and clear under a real Wayland compositor, with Qt's native
// Wayland platform (run by with_weston.sh), at the output scale that
// SISTEMA_EXPECTED_SCALE names.
#include "form_driver.h"

#include <QGuiApplication>
#include <QTest>
#include <QWindow>

class WaylandTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void runsOnWayland() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland")); }

    void keepsItsSizeAtTheOutputsScale()
    {
        FormDriver driver;
        QCOMPARE(driver.form().devicePixelRatio(), qEnvironmentVariableIntValue("SISTEMA_EXPECTED_SCALE"));
        QCOMPARE(driver.form().size(), QSize(461, 275));
        const QImage drawn = driver.form().grab().toImage();
        QCOMPARE(drawn.size(), QSize(461, 275) * driver.form().devicePixelRatio());
    }

    void startsSolvesAndClears()
    {
        FormDriver driver;
        QVERIFY(driver.form().windowHandle()->isExposed());
        QCOMPARE(driver.coefficient(1).text(), QStringLiteral("16"));
        driver.click(0);
        QCOMPARE(driver.outputText(),
                 QStringLiteral("Дискриминанта: 100\r\nКорените на системата са:\r\nX = 8\r\nY = 2\r\n"));
        QVERIFY(driver.coefficient(0).isLocked());
        driver.click(1);
        QCOMPARE(driver.outputText(), QString());
        QVERIFY(!driver.coefficient(0).isLocked());
        driver.solve(QStringLiteral("1"), QStringLiteral("-1"));
        QCOMPARE(driver.outputText(),
                 QStringLiteral("Дискриминанта: -3\r\nКорените на системата са комплексни!\r\n"));
    }

    void reportsAnErrorAndGoesOn()
    {
        FormDriver driver;
        QVERIFY(driver.openErrorReport());
        QCOMPARE(driver.closeErrorReports().size(), 1);
        driver.solve(QStringLiteral("6"), QStringLiteral("16"));
        QVERIFY(driver.outputText().startsWith(QStringLiteral("Дискриминанта: 100\r\n")));
    }
};

QTEST_MAIN(WaylandTest)
#include "wayland_test.moc"

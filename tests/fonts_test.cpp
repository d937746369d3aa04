// Every caption whole, with whatever fonts the desktop has. CTest runs this
// once for each font configuration in tests/fonts, and tells it the face
// that should stand in for "Times New Roman" there (none: only a fallback).
#include "form_driver.h"

#include <QFontInfo>
#include <QLabel>
#include <QTest>

namespace {

QString expectedFace()
{
    return qEnvironmentVariable("SISTEMA_EXPECTED_FACE");
}

// The captioned controls, and where each draws its caption.
QList<std::pair<QWidget*, QRect>> captions(const FormDriver& driver)
{
    QList<std::pair<QWidget*, QRect>> found;
    for (QLabel* label : driver.form().findChildren<QLabel*>())
        found.append({label, label->contentsRect()});
    for (auto* button : driver.form().findChildren<runtime::qt::CommandButton*>())
        found.append({button, button->captionRect()});
    return found;
}

// The bounds of the dark pixels (the ink) of a control as drawn.
QRect ink(QWidget& control, const QRect& area)
{
    const QImage image = control.grab().toImage();
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).lightness() < 80)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

class FontsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void timesNewRomanResolvesToItsTwin()
    {
        FormDriver driver;
        const QString face = QFontInfo(driver.form().font()).family();
        if (expectedFace().isEmpty())
            QVERIFY2(!face.contains(QLatin1String("Liberation")) && face != QLatin1String("Tinos"), qPrintable(face));
        else
            QCOMPARE(face, expectedFace());
    }

    void aTwinKeepsTwelvePointsEverywhere()
    {
        if (expectedFace().isEmpty())
            QSKIP("no metric twin here");
        FormDriver driver;
        for (const auto& [control, area] : captions(driver))
            QCOMPARE(QFontInfo(control->font()).pointSizeF(), 12.0);
    }

    void everyCaptionIsWhole()
    {
        FormDriver driver;
        driver.form().setFocus(); // no focus mark
        for (const auto& [control, area] : captions(driver)) {
            const QString name = control->objectName();
            const QString text = control->property("text").toString();
            const QFontMetricsF metrics(control->font());
            QVERIFY2(metrics.horizontalAdvance(text) <= area.width(), qPrintable(name));
            // As drawn: ink on every side of it, clear of the edges where a cut would stop it.
            const QRect drawn = ink(*control, control->rect());
            QVERIFY2(!drawn.isEmpty(), qPrintable(name));
            QVERIFY2(drawn.left() > area.left() && drawn.right() < area.right(),
                     qPrintable(QStringLiteral("%1: ink %2..%3 in %4..%5").arg(name).arg(drawn.left()).arg(drawn.right())
                                    .arg(area.left()).arg(area.right())));
            QVERIFY2(drawn.top() > area.top() && drawn.bottom() < area.bottom(),
                     qPrintable(QStringLiteral("%1: ink rows %2..%3 in %4..%5").arg(name).arg(drawn.top()).arg(drawn.bottom())
                                    .arg(area.top()).arg(area.bottom())));
        }
    }

    void aWiderFallbackDrawsSmallerNotMuchSmaller()
    {
        FormDriver driver;
        for (const auto& [control, area] : captions(driver))
            QVERIFY2(QFontInfo(control->font()).pointSizeF() >= 9, qPrintable(control->objectName()));
    }
};

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"

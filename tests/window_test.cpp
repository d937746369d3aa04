// The window as the user sees it: geometry, colours as drawn, fonts,
// focus order, keys, the output box's scrolling and wrapping.
#include "form_driver.h"

#include "runtime/qt/icons.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QImage>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {

QWidget& child(const FormDriver& driver, const QString& name)
{
    auto* widget = driver.form().findChild<QWidget*>(name);
    if (!widget)
        qFatal("the form has no %s", qPrintable(name));
    return *widget;
}

// Twips at 96 dots per inch: 15 to the pixel.
QRect twips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

int distance(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// The columns of a widget's area in the grabbed window that hold text: black
// ink, nearer to black than to the background.
std::pair<int, int> inkColumns(const QImage& image, const QRect& area, const QColor& background)
{
    const QColor ink(Qt::black);
    int first = area.right(), last = area.left();
    for (int y = area.top() + 3; y < area.bottom() - 2; ++y) {
        for (int x = area.left() + 3; x < area.right() - 2; ++x) {
            if (2 * distance(image.pixelColor(x, y), ink) < distance(background, ink)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void geometryOfEveryControl_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("Label1 0") << "Label1_0" << twips(960, 0, 4575, 375);
        QTest::newRow("Label1 1") << "Label1_1" << twips(120, 600, 1215, 375);
        QTest::newRow("Label1 2") << "Label1_2" << twips(120, 1200, 1215, 375);
        QTest::newRow("Text2 0") << "Text2_0" << twips(1320, 600, 2055, 405);
        QTest::newRow("Text2 1") << "Text2_1" << twips(1320, 1200, 2055, 405);
        QTest::newRow("Command1 0") << "Command1_0" << twips(4080, 600, 2175, 375);
        QTest::newRow("Command1 1") << "Command1_1" << twips(4080, 1200, 2175, 375);
        QTest::newRow("Text1 0") << "Text1_0" << twips(120, 2160, 6735, 1815);
        QTest::newRow("Text1 1") << "Text1_1" << twips(600, 2640, 6735, 1815);
    }

    void geometryOfEveryControl()
    {
        QFETCH(QString, name);
        QFETCH(QRect, expected);
        FormDriver driver;
        QCOMPARE(child(driver, name).geometry(), expected);
    }

    void fixedWindowWithCloseButtonOnly()
    {
        FormDriver driver;
        QWidget& form = driver.form();
        QCOMPARE(form.size(), QSize(461, 275));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.windowTitle(), QStringLiteral("sistema.example.org Математика - линейна система"));
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(flags & Qt::WindowTitleHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        form.resize(800, 600);
        QCOMPARE(form.size(), QSize(461, 275));
    }

    void opensCentredOnTheScreen()
    {
        FormDriver driver;
        const QRect screen = driver.form().screen()->availableGeometry();
        const QPoint offset = driver.form().geometry().center() - screen.center();
        QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("off by %1, %2").arg(offset.x()).arg(offset.y())));
    }

    void iconIs32PixelsIn256Colours()
    {
        FormDriver driver;
        QVERIFY(!driver.form().windowIcon().isNull());
        QCOMPARE(driver.form().windowIcon().actualSize(QSize(32, 32)), QSize(32, 32));
        const QImage picture(QStringLiteral(":/icons/32/window.png"));
        QCOMPARE(picture.size(), QSize(32, 32));
        QCOMPARE(picture.format(), QImage::Format_Indexed8);
        QVERIFY(picture.colorCount() <= 256);
    }

    void iconHasEverySize()
    {
        FormDriver driver;
        const QIcon icon = driver.form().windowIcon();
        const auto picture = [](int side) {
            return QImage(QStringLiteral(":/icons/%1/window.png").arg(side)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        };
        for (int side : {16, 32, 48, 64, 128, 256}) {
            const QImage drawn = icon.pixmap(QSize(side, side), 1.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QCOMPARE(drawn, picture(side));
        }
        // A 2x screen asks for twice the pixels, and gets a picture of its own.
        for (int side : {16, 32, 64, 128}) {
            QPixmap dense = icon.pixmap(QSize(side, side), 2.0);
            QCOMPARE(dense.size(), QSize(side, side) * 2);
            dense.setDevicePixelRatio(1);
            QCOMPARE(dense.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), picture(side * 2));
        }
        // Between sizes, the next larger picture scaled down; never larger than asked for.
        QCOMPARE(icon.pixmap(QSize(24, 24), 1.0).size(), QSize(24, 24));
        QCOMPARE(icon.pixmap(QSize(512, 512), 1.0).size(), QSize(256, 256));
        QCOMPARE(icon.actualSize(QSize(512, 512)), QSize(256, 256));
    }

    void iconDecodesOnlyTheSizesAskedFor()
    {
        QTemporaryDir dir;
        for (int side : {16, 32, 256}) {
            const QString file = dir.filePath(QStringLiteral("%1.png").arg(side));
            QVERIFY(QFile::copy(QStringLiteral(":/icons/%1/window.png").arg(side), file));
            // Copied read-only from the resources, which Windows would not let us remove.
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        }
        const QIcon icon = runtime::qt::iconFromFiles(dir.filePath(QStringLiteral("%1.png")), {16, 32, 256});
        QCOMPARE(icon.pixmap(QSize(32, 32), 1.0).size(), QSize(32, 32));
        // Files nobody asked for were never read: gone now, they give nothing.
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("16.png"))));
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("32.png"))));
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("256.png"))));
        QVERIFY(icon.pixmap(QSize(16, 16), 1.0).isNull());
        QVERIFY(icon.pixmap(QSize(256, 256), 1.0).isNull());
        QCOMPARE(icon.pixmap(QSize(32, 32), 1.0).size(), QSize(32, 32));
    }

    void coloursAsDrawn_data()
    {
        QTest::addColumn<QString>("style");
        for (const QString& style : QStyleFactory::keys())
            QTest::newRow(qPrintable(style)) << style;
    }

    void coloursAsDrawn()
    {
        QFETCH(QString, style);
        QApplication::setStyle(style);
        FormDriver driver;
        const QImage image = driver.form().grab().toImage();
        const QColor window(192, 192, 255), label(255, 192, 128), green(128, 255, 128), red(255, 0, 0);
        // Points clear of text and borders.
        QCOMPARE(image.pixelColor(QPoint{2, 2}), window);
        QCOMPARE(image.pixelColor(QPoint{230, 125}), window);
        QCOMPARE(image.pixelColor(QPoint{458, 272}), window);
        for (const char* name : {"Label1_0", "Label1_1", "Label1_2"}) {
            const QRect r = child(driver, QLatin1String(name)).geometry();
            QCOMPARE(image.pixelColor(QPoint{r.left() + 2, r.bottom() - 1}), label);
        }
        const QRect solve = child(driver, QStringLiteral("Command1_0")).geometry();
        const QRect clear = child(driver, QStringLiteral("Command1_1")).geometry();
        QCOMPARE(image.pixelColor(QPoint{solve.left() + 8, solve.center().y()}), green);
        QCOMPARE(image.pixelColor(QPoint{clear.left() + 8, clear.center().y()}), red);
        QApplication::setStyle(QStringLiteral("Fusion"));
    }

    void coloursHoldWhenTheWindowIsInactive()
    {
        FormDriver driver;
        QWidget other;
        other.show();
        makeActive(other);
        QVERIFY(!driver.form().isActiveWindow());
        const QImage image = driver.form().grab().toImage();
        QCOMPARE(image.pixelColor(QPoint{2, 2}), QColor(192, 192, 255));
        const QRect title = child(driver, QStringLiteral("Label1_0")).geometry();
        QCOMPARE(image.pixelColor(QPoint{title.left() + 2, title.bottom() - 1}), QColor(255, 192, 128));
        const QRect solve = child(driver, QStringLiteral("Command1_0")).geometry();
        QCOMPARE(image.pixelColor(QPoint{solve.left() + 8, solve.center().y()}), QColor(128, 255, 128));
    }

    void errorReportIsTitledWithTheCaption()
    {
        FormDriver driver;
        QMessageBox* report = driver.openErrorReport();
        QVERIFY(report);
        QCOMPARE(report->windowTitle(), QStringLiteral("sistema.example.org Математика - линейна система"));
        QCOMPARE(driver.closeErrorReports().size(), 1);
    }

    void qtTextsAreBulgarian()
    {
        FormDriver driver;
        std::unique_ptr<QMenu> menu(driver.coefficient(0).createStandardContextMenu());
        QStringList items;
        for (const QAction* action : menu->actions())
            items << action->text().section(u'\t', 0, 0);
        QCOMPARE(items, (QStringList{QStringLiteral("&Отмяна"), QStringLiteral("По&втаряне"), QString(),
                                     QStringLiteral("&Изрязване"), QStringLiteral("&Копиране"),
                                     QStringLiteral("&Поставяне"), QStringLiteral("Изтриване"), QString(),
                                     QStringLiteral("Избиране на всичко")}));
        QMessageBox* report = driver.openErrorReport();
        QVERIFY(report);
        QCOMPARE(report->buttons().size(), 1);
        QCOMPARE(report->buttons().first()->text(), QStringLiteral("Добре"));
        QCOMPARE(driver.closeErrorReports().size(), 1);
    }

    void errorReportKeepsThePlatformColours()
    {
        FormDriver driver;
        QMessageBox* report = driver.openErrorReport();
        QVERIFY(report);
        const QImage image = report->grab().toImage();
        for (const QColor formColour : {QColor(255, 192, 128), QColor(192, 192, 255)}) {
            int count = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    count += image.pixelColor(x, y) == formColour;
            QCOMPARE(count, 0);
        }
        QCOMPARE(driver.closeErrorReports().size(), 1);
    }

    void timesNewRoman12Point()
    {
        FormDriver driver;
        const QStringList timesFaces = {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                                        QStringLiteral("Tinos")};
        for (QWidget* widget : driver.form().findChildren<QWidget*>(QRegularExpression(QStringLiteral("_\\d$")))) {
            const QFontInfo font(widget->font());
            QVERIFY2(timesFaces.contains(font.family()), qPrintable(widget->objectName() + u' ' + font.family()));
            QCOMPARE(font.pointSize(), 12);
            QCOMPARE(font.weight(), int(QFont::Normal));
            QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        }
    }

    void captionsFitTheirControls()
    {
        FormDriver driver;
        for (const char* name : {"Label1_0", "Label1_1", "Label1_2", "Command1_0", "Command1_1"}) {
            QWidget& widget = child(driver, QLatin1String(name));
            const QString text = widget.property("text").toString();
            const QFontMetrics metrics(widget.font());
            QVERIFY2(metrics.horizontalAdvance(text) <= widget.width() - 4, name);
            QVERIFY2(metrics.height() <= widget.height() - 4, name);
        }
    }

    void textCentredWhereAsked_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("background");
        QTest::newRow("title") << "Label1_0" << QColor(255, 192, 128);
        QTest::newRow("caption a") << "Label1_1" << QColor(255, 192, 128);
        QTest::newRow("caption b") << "Label1_2" << QColor(255, 192, 128);
        QTest::newRow("box a") << "Text2_0" << QColor(Qt::white);
        QTest::newRow("box b") << "Text2_1" << QColor(Qt::white);
        QTest::newRow("solve") << "Command1_0" << QColor(128, 255, 128);
        QTest::newRow("clear") << "Command1_1" << QColor(255, 0, 0);
    }

    void textCentredWhereAsked()
    {
        QFETCH(QString, name);
        QFETCH(QColor, background);
        FormDriver driver;
        driver.form().setFocus(); // no text cursor in the boxes
        const QImage image = driver.form().grab().toImage();
        const QRect area = child(driver, name).geometry();
        const auto [first, last] = inkColumns(image, area, background);
        QVERIFY2(first < last, "no text drawn");
        const int leftMargin = first - area.left(), rightMargin = area.right() - last;
        // A caption's trailing blank counts in its width, and centres it a little to the left.
        QVERIFY2(std::abs(leftMargin - rightMargin) <= 10,
                 qPrintable(QStringLiteral("margins %1 and %2").arg(leftMargin).arg(rightMargin)));
    }

    void focusStartsOnTheOutputBox()
    {
        FormDriver driver;
        QCOMPARE(QApplication::focusWidget(), &child(driver, QStringLiteral("Text1_0")));
    }

    void tabOrder()
    {
        FormDriver driver;
        const QStringList order = {QStringLiteral("Text2_0"), QStringLiteral("Text2_1"), QStringLiteral("Command1_0"),
                                   QStringLiteral("Command1_1"), QStringLiteral("Text1_0")};
        for (const QString& next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), next);
        }
        for (auto it = order.rbegin() + 1; it != order.rend(); ++it) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget()->objectName(), *it);
        }
    }

    void labelsAndTheHiddenBoxTakeNoFocus()
    {
        FormDriver driver;
        for (const char* name : {"Label1_0", "Label1_1", "Label1_2"})
            QCOMPARE(child(driver, QLatin1String(name)).focusPolicy(), Qt::NoFocus);
        QWidget& hidden = child(driver, QStringLiteral("Text1_1"));
        hidden.setFocus();
        QVERIFY(!hidden.hasFocus());
    }

    void enterAndEscapePressNoButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void enterAndEscapePressNoButton()
    {
        QFETCH(int, key);
        FormDriver driver;
        const QString before = driver.outputText();
        for (int box : {0, 1}) {
            driver.coefficient(box).setFocus();
            QTest::keyClick(&driver.coefficient(box), Qt::Key(key));
        }
        QCOMPARE(driver.outputText(), before);
        QCOMPARE(driver.coefficient(0).text(), QStringLiteral("6"));
        QVERIFY(!driver.coefficient(0).isLocked());
    }

    void focusedButtonShowsItsFocusMark()
    {
        FormDriver driver;
        QPushButton& solve = driver.button(0);
        const QImage unfocused = solve.grab().toImage();
        solve.setFocus();
        QVERIFY(solve.hasFocus());
        const QImage focused = solve.grab().toImage();
        QVERIFY(focused != unfocused);
        // The mark is dotted and dark on the green, clear of the caption: down the left side.
        int dark = 0;
        for (int y = 6; y < solve.height() - 6; ++y)
            dark += focused.pixelColor(4, y).lightness() < 100;
        QVERIFY2(dark >= 3, qPrintable(QString::number(dark)));
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }

    void enterPressesTheFocusedButton()
    {
        QFETCH(int, key);
        FormDriver driver;
        driver.button(0).setFocus();
        QTest::keyClick(&driver.button(0), Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QVERIFY(driver.outputText().startsWith(QStringLiteral("Дискриминанта: 100\r\n")));
        QVERIFY(driver.coefficient(0).isLocked());
        QCOMPARE(QApplication::focusWidget(), &driver.button(0));
        driver.button(1).setFocus();
        QTest::keyClick(&driver.button(1), Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(driver.outputText(), QString());
        QVERIFY(!driver.coefficient(0).isLocked());
        // With Ctrl or Shift held it is not a press.
        driver.button(0).setFocus();
        QTest::keyClick(&driver.button(0), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(driver.outputText(), QString());
    }

    void spacePressesTheFocusedButton()
    {
        FormDriver driver;
        driver.button(0).setFocus();
        QTest::keyClick(&driver.button(0), Qt::Key_Space);
        QVERIFY(driver.outputText().startsWith(QStringLiteral("Дискриминанта: 100\r\n")));
        driver.button(1).setFocus();
        QTest::keyClick(&driver.button(1), Qt::Key_Space);
        QCOMPARE(driver.outputText(), QString());
    }

    void taskStatementNeedsTheScrollBar()
    {
        FormDriver driver;
        QScrollBar* bar = driver.output().verticalScrollBar();
        QVERIFY(bar->isVisible());
        QVERIFY(bar->maximum() > 0);
        QTest::keyClick(&driver.output(), Qt::Key_End, Qt::ControlModifier);
        QVERIFY(bar->value() > 0);
        QVERIFY(!driver.output().horizontalScrollBar()->isVisible());
    }

    void longLinesWrap()
    {
        FormDriver driver;
        driver.output().setText(QString(200, u'7') + QStringLiteral("\r\n"));
        QApplication::processEvents();
        const QTextBlock first = driver.output().document()->firstBlock();
        QVERIFY(first.layout()->lineCount() > 1);
        QCOMPARE(driver.output().horizontalScrollBar()->maximum(), 0);
    }

    void outputBoxIsReadOnlyButCopies()
    {
        FormDriver driver;
        driver.click(0);
        runtime::qt::MultiLineTextBox& output = driver.output();
        output.setFocus();
        const QString before = driver.outputText();
        QTest::keyClicks(&output, QStringLiteral("abc"));
        QTest::keyClick(&output, Qt::Key_Backspace);
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        QTest::keyClick(&output, Qt::Key_V, Qt::ControlModifier);
        QInputMethodEvent committed;
        committed.setCommitString(QStringLiteral("9"));
        QApplication::sendEvent(output.viewport(), &committed);
        QApplication::sendEvent(&output, &committed);
        QCOMPARE(driver.outputText(), before);

        QTest::keyClick(&output, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&output, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), output.toPlainText());
        QVERIFY(QApplication::clipboard()->text().contains(QStringLiteral("X = 8")));
    }

    void accessibleNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("box a") << "Text2_0" << "коефициент a, разликата X минус Y";
        QTest::newRow("box b") << "Text2_1" << "коефициент b, произведението X по Y";
        QTest::newRow("output") << "Text1_0" << "Резултат";
        QTest::newRow("solve") << "Command1_0" << "Въведи";
        QTest::newRow("clear") << "Command1_1" << "Чисти";
        QTest::newRow("title") << "Label1_0" << "Математика - система от 2 уравнения";
    }

    void accessibleNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, spoken);
        FormDriver driver;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&child(driver, name));
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name).trimmed(), spoken);
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"

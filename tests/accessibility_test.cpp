// What an assistive tool meets of the window, in the process: states that
// tell the truth about the lock, writes that a locked box refuses, names a
// voice can say, and results spoken wherever the focus is.
#include "form_driver.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <functional>

namespace {

// What a screen reader's bridge is told.
struct Heard {
    QAccessible::Event type;
    QObject* object;
    QAccessible::Role role;
    QString name;
    QAccessible::State changed;
};
QList<Heard> heard;

void listen(QAccessibleEvent* event)
{
    QAccessibleInterface* accessible = event->accessibleInterface();
    QAccessible::State changed;
    if (event->type() == QAccessible::StateChanged)
        changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
    QString name = accessible ? accessible->text(QAccessible::Name) : QString();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement)
        name = static_cast<QAccessibleAnnouncementEvent*>(event)->message();
#endif
    heard << Heard{event->type(), event->object(), accessible ? accessible->role() : QAccessible::NoRole, name,
                   changed};
}

// Windows' screen readers hear an announcement as Qt raises it (6.8 and
// later), from the window, besides the notification shown.
#if defined(Q_OS_WIN)
constexpr bool qtRaisesAnnouncements = true;
#else
constexpr bool qtRaisesAnnouncements = false;
#endif

// As when a screen reader connects: Qt's accessibility is switched on.
void setToolListening(bool listening)
{
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(listening);
}

QAccessibleInterface& accessible(QWidget& widget)
{
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(&widget);
    if (!interface)
        qFatal("%s has no accessible interface", qPrintable(widget.objectName()));
    return *interface;
}

// What was announced since the last look: the names of notifications shown.
QStringList announcements()
{
    QStringList said, raised;
    for (const Heard& event : std::as_const(heard)) {
        if (event.type == QAccessible::ObjectShow && event.role == QAccessible::Notification)
            said << event.name;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (event.type == QAccessible::Announcement && event.role == QAccessible::Window)
            raised << event.name;
#endif
    }
    heard.clear();
    if (qtRaisesAnnouncements && raised != said)
        return {QStringLiteral("shown: ") + said.join(u'|'), QStringLiteral("raised: ") + raised.join(u'|')};
    return said;
}

using Press = std::function<void(FormDriver&, int button)>;

} // namespace

Q_DECLARE_METATYPE(Press)

class AccessibilityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QAccessible::installUpdateHandler(listen);
        setToolListening(true);
    }

    void init() { heard.clear(); }

    void statesTellTheLock()
    {
        FormDriver driver;
        for (int box : {0, 1}) {
            const QAccessible::State state = accessible(driver.coefficient(box)).state();
            QVERIFY(state.editable);
            QVERIFY(!state.readOnly);
        }
        driver.click(0);
        for (QWidget* box : {static_cast<QWidget*>(&driver.coefficient(0)),
                             static_cast<QWidget*>(&driver.coefficient(1)), static_cast<QWidget*>(&driver.output())}) {
            const QAccessible::State state = accessible(*box).state();
            QVERIFY2(state.readOnly, qPrintable(box->objectName()));
            QVERIFY2(!state.editable, qPrintable(box->objectName()));
        }
    }

    void lockChangesAreEvents()
    {
        FormDriver driver;
        for (int command : {0, 1}) {
            heard.clear();
            driver.click(command);
            for (int box : {0, 1}) {
                const bool told = std::any_of(heard.begin(), heard.end(), [&](const Heard& event) {
                    return event.type == QAccessible::StateChanged && event.object == &driver.coefficient(box)
                        && event.changed.readOnly;
                });
                QVERIFY2(told, qPrintable(QStringLiteral("command %1, box %2").arg(command).arg(box)));
            }
        }
    }

    void lockedBoxesRefuseWritesFromTools_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("a") << "Text2_0";
        QTest::newRow("b") << "Text2_1";
        QTest::newRow("output") << "Text1_0";
    }

    void lockedBoxesRefuseWritesFromTools()
    {
        QFETCH(QString, box);
        FormDriver driver;
        driver.click(0);
        QWidget* widget = driver.form().findChild<QWidget*>(box);
        QAccessibleInterface& tool = accessible(*widget);
        const QString before = tool.text(QAccessible::Value);
        const QString output = driver.outputText();

        QVERIFY(!tool.editableTextInterface());
        tool.setText(QAccessible::Value, QStringLiteral("1e9"));
        QCOMPARE(tool.text(QAccessible::Value), before);
        QCOMPARE(driver.outputText(), output);
        QCOMPARE(driver.coefficient(0).text(), QStringLiteral("6"));
    }

    // A tool may keep the editable interface it took while the box was
    // unlocked: once the box is locked, its writes through it go nowhere.
    void boxLockedAfterAToolTookItsEditableInterface()
    {
        FormDriver driver;
        QAccessibleEditableTextInterface* editable = accessible(driver.coefficient(0)).editableTextInterface();
        QVERIFY(editable);
        driver.click(0);
        const QString output = driver.outputText();
        editable->replaceText(0, 1, QStringLiteral("10"));
        editable->insertText(0, QStringLiteral("-"));
        editable->deleteText(0, 1);
        QCOMPARE(driver.coefficient(0).text(), QStringLiteral("6"));
        driver.click(0);
        QCOMPARE(driver.outputText(), output);
    }

    void unlockedBoxTakesWritesFromTools()
    {
        FormDriver driver;
        QAccessibleEditableTextInterface* editable = accessible(driver.coefficient(0)).editableTextInterface();
        QVERIFY(editable);
        editable->replaceText(0, 1, QStringLiteral("10"));
        editable->insertText(0, QStringLiteral("-"));
        editable->deleteText(-5, 0); // out of range: nothing
        QCOMPARE(driver.coefficient(0).text(), QStringLiteral("-10"));
        accessible(driver.coefficient(1)).setText(QAccessible::Value, QStringLiteral("24"));
        driver.click(0);
        QVERIFY(driver.outputText().startsWith(QStringLiteral("Дискриминанта: 196\r\n")));
    }

    void resultIsSpokenHoweverSolved_data()
    {
        QTest::addColumn<Press>("press");
        QTest::newRow("click") << Press([](FormDriver& d, int button) { d.click(button); });
        QTest::newRow("Space") << Press([](FormDriver& d, int button) {
            d.button(button).setFocus();
            QTest::keyClick(&d.button(button), Qt::Key_Space);
        });
        QTest::newRow("Enter") << Press([](FormDriver& d, int button) {
            d.button(button).setFocus();
            QTest::keyClick(&d.button(button), Qt::Key_Return);
        });
        QTest::newRow("Press action") << Press([](FormDriver& d, int button) {
            accessible(d.button(button)).actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QTest::qWait(200); // the action animates the press
        });
    }

    void resultIsSpokenHoweverSolved()
    {
        QFETCH(Press, press);
        FormDriver driver;
        // The keys press the focused button, and the focus stays on it; the
        // action leaves the focus where it was.
        const auto pressKeepingFocus = [&](int button) {
            QWidget* before = QApplication::focusWidget();
            press(driver, button);
            const QLatin1String way(QTest::currentDataTag());
            if (way == QLatin1String("Press action"))
                QCOMPARE(QApplication::focusWidget(), before);
            else if (way != QLatin1String("click"))
                QCOMPARE(QApplication::focusWidget(), &driver.button(button));
        };
        pressKeepingFocus(0);
        QCOMPARE(announcements(),
                 QStringList{QStringLiteral("Дискриминанта: 100. Корените на системата са: X = 8. Y = 2.")});
        pressKeepingFocus(1);
        QCOMPARE(announcements(), QStringList{QStringLiteral("Полетата са празни и отново могат да се попълват.")});
        driver.type(0, QStringLiteral("1"));
        driver.type(1, QStringLiteral("-1"));
        pressKeepingFocus(0);
        QCOMPARE(announcements(), QStringList{QStringLiteral("Дискриминанта: -3. Корените на системата са комплексни!")});
    }

    void anErrorIsNotAnnouncedAsAResult()
    {
        FormDriver driver;
        driver.type(0, QStringLiteral("1e200"));
        driver.click(0);
        QCOMPARE(announcements(), QStringList());
        QCOMPARE(driver.closeErrorReports().size(), 1);
    }

    void announcementsShowNothing()
    {
        FormDriver driver;
        driver.click(0);
        const QImage before = driver.form().grab().toImage();
        announcements();
        driver.click(0);
        QCOMPARE(announcements().size(), 1);
        QCOMPARE(driver.form().grab().toImage(), before);
        auto* announcer = driver.form().findChild<QWidget*>(QStringLiteral("announcer"));
        QVERIFY(announcer);
        QVERIFY(announcer->size().isEmpty());
        QCOMPARE(announcer->focusPolicy(), Qt::NoFocus);
    }

    void nothingIsBuiltWhileNoToolListens()
    {
        setToolListening(false);
        FormDriver driver;
        driver.click(0);
        driver.click(1);
        setToolListening(true);
        QVERIFY(!driver.form().findChild<QWidget*>(QStringLiteral("announcer")));
    }

    void windowIsAFrameNamedByItsCaption()
    {
        FormDriver driver;
        QAccessibleInterface& window = accessible(driver.form());
        QCOMPARE(window.role(), QAccessible::Window);
        QCOMPARE(window.text(QAccessible::Name), driver.form().windowTitle());
    }

    void boxesAreLabelledByTheirCaptions_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("caption");
        QTest::newRow("a") << 0 << "X - Y = ";
        QTest::newRow("b") << 1 << "X * Y = ";
    }

    void boxesAreLabelledByTheirCaptions()
    {
        QFETCH(int, box);
        QFETCH(QString, caption);
        FormDriver driver;
        const auto labels = accessible(driver.coefficient(box)).relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        auto* label = qobject_cast<QLabel*>(labels.first().first->object());
        QVERIFY(label);
        QCOMPARE(label->text(), caption);
        // The label speaks in words, as the box does.
        QCOMPARE(labels.first().first->text(QAccessible::Name),
                 accessible(driver.coefficient(box)).text(QAccessible::Name));
    }

    void outputBoxReadsLineByLine()
    {
        FormDriver driver;
        driver.click(0);
        QAccessibleTextInterface* text = accessible(driver.output()).textInterface();
        QVERIFY(text);
        QStringList lines;
        int start = 0, end = 0;
        for (int offset = 0; offset < text->characterCount(); offset = end + 1)
            lines << text->textAtOffset(offset, QAccessible::LineBoundary, &start, &end);
        QCOMPARE(lines, (QStringList{QStringLiteral("Дискриминанта: 100"), QStringLiteral("Корените на системата са:"),
                                     QStringLiteral("X = 8"), QStringLiteral("Y = 2")}));
        QCOMPARE(text->textAfterOffset(0, QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("Корените на системата са:"));
        QCOMPARE(text->textBeforeOffset(0, QAccessible::LineBoundary, &start, &end), QString());
        // The last line break ends the text with an empty line.
        QCOMPARE(text->textBeforeOffset(text->characterCount(), QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("Y = 2"));
    }

    void wrappedLinesAreReadAsShown()
    {
        FormDriver driver;
        QAccessibleTextInterface* text = accessible(driver.output()).textInterface();
        int start = 0, end = 0;
        // The task statement's first line wraps in the box.
        const QString firstLine = text->textAtOffset(0, QAccessible::LineBoundary, &start, &end);
        QVERIFY(firstLine.size() < QStringLiteral("Да се реализира проект представящ междупредметни връзки на "
                                                  "Математика и Информатика.").size());
        QVERIFY(firstLine.startsWith(QStringLiteral("Да се реализира")));
        // The next line starts after the blank where the line wraps.
        const QString next = text->textAfterOffset(0, QAccessible::LineBoundary, &start, &end);
        QCOMPARE(start, firstLine.size() + 1);
        QCOMPARE(text->text(firstLine.size(), start), QStringLiteral(" "));
        QVERIFY(!next.isEmpty());
    }

    void charactersAreWhereTheyAreDrawn_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("a") << "Text2_0";
        QTest::newRow("output") << "Text1_0";
    }

    void charactersAreWhereTheyAreDrawn()
    {
        QFETCH(QString, box);
        FormDriver driver;
        QWidget* widget = driver.form().findChild<QWidget*>(box);
        QAccessibleTextInterface* text = accessible(*widget).textInterface();
        const QRect onScreen(widget->mapToGlobal(QPoint()), widget->size());
        int previousLeft = -1;
        for (int offset = 0; offset < std::min(text->characterCount(), 10); ++offset) {
            const QRect character = text->characterRect(offset);
            QVERIFY2(onScreen.contains(character), qPrintable(QString::number(offset)));
            QVERIFY(character.left() > previousLeft);
            previousLeft = character.left();
            QCOMPARE(text->offsetAtPoint(character.center()), offset);
        }
        QCOMPARE(text->characterRect(text->characterCount()), QRect());
        QCOMPARE(text->characterRect(-1), QRect());
    }

    void outOfRangeOffsetsAreHarmless()
    {
        FormDriver driver;
        for (QWidget* box : {static_cast<QWidget*>(&driver.coefficient(0)), static_cast<QWidget*>(&driver.output())}) {
            QAccessibleTextInterface* text = accessible(*box).textInterface();
            int start = 0, end = 0;
            QCOMPARE(text->text(-100, 100000).size(), text->characterCount());
            QCOMPARE(text->text(5, 2), QString());
            text->textAtOffset(100000, QAccessible::LineBoundary, &start, &end);
            text->textBeforeOffset(-7, QAccessible::WordBoundary, &start, &end);
            text->textAfterOffset(100000, QAccessible::CharBoundary, &start, &end);
            text->setSelection(0, -3, 100000);
            text->scrollToSubstring(100000, 100001);
        }
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"

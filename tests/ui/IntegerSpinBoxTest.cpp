// The integer spin box on its own: reading, writing, stepping, typing, leaving and the change
// event.
#include "IntegerSpinBox.h"
#include "RegionalSettings.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QVBoxLayout>
#include <limits>

class IntegerSpinBoxTest : public QObject {
    Q_OBJECT

    // A window with a height-like box (100..250) and a plain line edit to move the focus to.
    struct Window {
        QWidget window;
        IntegerSpinBox* box = new IntegerSpinBox;
        QLineEdit* other = new QLineEdit;
        Window(int min = 100, int max = 250, int value = 170) {
            auto* layout = new QVBoxLayout(&window);
            layout->addWidget(box);
            layout->addWidget(other);
            box->setMinValue(min);
            box->setMaxValue(max);
            box->setValue(value);
            window.show();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
        }
        QString text() const { return box->text(); }
        void setText(const QString& text) { box->findChild<QLineEdit*>()->setText(text); }
    };

    // QTest::keyClicks knows only ASCII; other characters arrive as a key with that text.
    static void typeText(QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(widget, char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), {});
        }
    }

private slots:
    void initTestCase() { OverrideDecimalSeparator(QStringLiteral(",")); }

    void readsWithoutClampingAndFallsBackToMinimum_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "170" << 170;
        QTest::newRow("above the maximum") << "1701" << 1701;
        QTest::newRow("below the minimum") << "5" << 5;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("negative") << "-80" << -80;
        QTest::newRow("leading blanks and plus") << "  +42" << 42;
        QTest::newRow("hexadecimal") << "$1F" << 31;
        QTest::newRow("empty") << "" << 100;
        QTest::newRow("lone sign") << "-" << 100;
        QTest::newRow("decimal separator") << "80,5" << 100;
        QTest::newRow("trailing blank") << "170 " << 100;
        QTest::newRow("beyond 32 bits") << "2147483648" << 100;
        QTest::newRow("letters") << "abc" << 100;
    }
    void readsWithoutClampingAndFallsBackToMinimum() {
        QFETCH(QString, text);
        QFETCH(int, value);
        Window w;
        w.setText(text);
        QCOMPARE(w.box->value(), value);
        QCOMPARE(w.text(), text); // reading never changes the text
    }

    void writesClampedUnlessLimitsAreEqual_data() {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<qint64>("written");
        QTest::addColumn<QString>("text");
        QTest::newRow("inside") << 100 << 250 << qint64(180) << "180";
        QTest::newRow("above") << 100 << 250 << qint64(1000) << "250";
        QTest::newRow("below") << 100 << 250 << qint64(-7) << "100";
        QTest::newRow("no limits, negative") << 0 << 0 << qint64(-1349) << "-1349";
        QTest::newRow("no limits, large") << 0 << 0 << qint64(826) << "826";
        QTest::newRow("no limits, smallest")
            << 0 << 0 << qint64(std::numeric_limits<int>::min()) << "-2147483648";
    }
    void writesClampedUnlessLimitsAreEqual() {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(qint64, written);
        QFETCH(QString, text);
        Window w(min, max, 170);
        w.box->setValue(written);
        QCOMPARE(w.text(), text);
    }

    void unchangedWriteFiresNothing() {
        Window w;
        QSignalSpy changes(w.box, &IntegerSpinBox::changed);
        w.box->setValue(170);
        w.box->setValue(9999); // clamps to 250: a change
        w.box->setValue(250);  // the same text again
        QCOMPARE(changes.count(), 1);
    }

    void steps_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("changes");
        QTest::newRow("up") << "170" << int(Qt::Key_Up) << "171" << 1;
        QTest::newRow("down") << "170" << int(Qt::Key_Down) << "169" << 1;
        QTest::newRow("up at the maximum") << "250" << int(Qt::Key_Up) << "250" << 0;
        QTest::newRow("down at the minimum") << "100" << int(Qt::Key_Down) << "100" << 0;
        QTest::newRow("up from empty starts at the minimum") << "" << int(Qt::Key_Up) << "101" << 1;
        QTest::newRow("up from garbage") << "7x" << int(Qt::Key_Up) << "101" << 1;
        QTest::newRow("up from above the maximum") << "1701" << int(Qt::Key_Up) << "250" << 1;
    }
    void steps() {
        QFETCH(QString, start);
        QFETCH(int, key);
        QFETCH(QString, result);
        QFETCH(int, changes);
        Window w;
        w.setText(start);
        w.box->setFocus();
        QSignalSpy spy(w.box, &IntegerSpinBox::changed);
        QTest::keyClick(w.box, Qt::Key(key));
        QCOMPARE(w.text(), result);
        QCOMPARE(spy.count(), changes);
    }

    void stepsNeverWrapWithoutLimits() {
        Window w(0, 0, std::numeric_limits<int>::max());
        w.box->stepBy(1);
        QCOMPARE(w.text(), QStringLiteral("2147483647"));
        w.box->setValue(std::numeric_limits<int>::min());
        w.box->stepBy(-1);
        QCOMPARE(w.text(), QStringLiteral("-2147483648"));
    }

    void arrowButtonsRepeatAfter400msThenEvery100ms() {
        Window w;
        QCOMPARE(
            w.box->style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold, nullptr, w.box),
            400);
        QCOMPARE(w.box->style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatRate, nullptr, w.box),
                 100);
    }

    void typingFilter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("digits") << "1701"
                                << "1701";
        QTest::newRow("signs") << "+-5"
                               << "+-5";
        QTest::newRow("letters refused") << "1a2Б3"
                                         << "123";
        QTest::newRow("full stop refused with a comma separator") << "8.0"
                                                                  << "80";
        QTest::newRow("comma accepted") << "80,5"
                                        << "80,5";
        QTest::newRow("blank refused") << "1 2"
                                       << "12";
    }
    void typingFilter() {
        QFETCH(QString, typed);
        QFETCH(QString, result);
        Window w;
        w.box->setFocus();
        w.box->selectAll();
        typeText(w.box, typed);
        QCOMPARE(w.text(), result);
    }

    void enterIsRefused() {
        Window w;
        w.box->setFocus();
        w.setText(QStringLiteral("1701"));
        QSignalSpy changes(w.box, &IntegerSpinBox::changed);
        QTest::keyClick(w.box, Qt::Key_Return);
        QTest::keyClick(w.box, Qt::Key_Enter);
        QCOMPARE(w.text(), QStringLiteral("1701"));
        QCOMPARE(changes.count(), 0);
    }

    void pastingIsNotFiltered() {
        Window w;
        w.box->setFocus();
        w.box->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("x80.5!"));
        QTest::keyClick(w.box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.text(), QStringLiteral("x80.5!"));
        QCOMPARE(w.box->value(), 100);
    }

    void leavingWritesBackOnlyOutOfRangeValues_data() {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::newRow("above") << 100 << 250 << "1701"
                               << "250";
        QTest::newRow("below") << 100 << 250 << "0"
                               << "100";
        QTest::newRow("inside keeps its spelling") << 100 << 250 << "+0170"
                                                   << "+0170";
        QTest::newRow("unreadable stays") << 30 << 300 << "80,5"
                                          << "80,5";
        QTest::newRow("empty stays") << 30 << 300 << ""
                                     << "";
        QTest::newRow("no limits") << 0 << 0 << "-99999"
                                   << "-99999";
    }
    void leavingWritesBackOnlyOutOfRangeValues() {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        Window w(min, max, 170);
        w.box->setFocus();
        w.setText(typed);
        w.other->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.text(), after);
    }

    void enteringByKeyboardSelectsAll() {
        Window w;
        w.other->setFocus();
        QTest::keyClick(w.other, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(w.box->hasFocus());
        QCOMPARE(w.box->findChild<QLineEdit*>()->selectedText(), QStringLiteral("170"));
    }

    void firstFocusOfTheWindowSelectsAllButReturningDoesNot() {
        QWidget window;
        auto* box = new IntegerSpinBox(&window);
        box->setMinValue(18);
        box->setMaxValue(110);
        box->setValue(33);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(box->hasFocus());
        auto* edit = box->findChild<QLineEdit*>();
        QCOMPARE(edit->selectedText(), QStringLiteral("33"));
        edit->deselect();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(box->hasFocus());
        QVERIFY(edit->selectedText().isEmpty());
    }

    void enteringByMouseSelectsNothing() {
        Window w;
        w.other->setFocus();
        QTest::mouseClick(w.box->findChild<QLineEdit*>(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(w.box->hasFocus());
        QVERIFY(w.box->findChild<QLineEdit*>()->selectedText().isEmpty());
    }

    void changeEventOnEveryTextChange() {
        Window w;
        QSignalSpy changes(w.box, &IntegerSpinBox::changed);
        w.box->setFocus();
        w.box->findChild<QLineEdit*>()->end(false);
        QTest::keyClicks(w.box, QStringLiteral("12"));
        QTest::keyClick(w.box, Qt::Key_Backspace);
        QCOMPARE(changes.count(), 3);
        QCOMPARE(w.text(), QStringLiteral("1701"));
    }

    void hugePasteDoesNotHang() {
        Window w;
        w.box->setFocus();
        w.box->selectAll();
        QApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('9')));
        QTest::keyClick(w.box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.box->value(), 100); // far beyond 32 bits: reads as the minimum
        QTest::keyClick(w.box, Qt::Key_Up);
        QCOMPARE(w.text(), QStringLiteral("101"));
    }
};

QTEST_MAIN(IntegerSpinBoxTest)
#include "IntegerSpinBoxTest.moc"

// The error box: its text rules, the real box a user sees, and the guard that keeps failures
// from reaching the event loop.
#include "ErrorBox.h"
#include "Errors.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

class ErrorBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Рационик")); }

    void fullStopAppendedAfterCharactersAboveIt_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Floating point division by zero"
                                << "Floating point division by zero.";
        QTest::newRow("closing quotes") << "''2147483648'' is not a valid integer value"
                                        << "''2147483648'' is not a valid integer value.";
        QTest::newRow("digit") << "value 0"
                               << "value 0.";
        QTest::newRow("Cyrillic") << "Ошибка"
                                  << "Ошибка.";
        QTest::newRow("full stop itself") << "Done."
                                          << "Done.";
        QTest::newRow("exclamation mark is below it") << "Stop!"
                                                      << "Stop!";
        QTest::newRow("hyphen is below it") << "a -"
                                            << "a -";
        QTest::newRow("slash is above it") << "a/"
                                           << "a/.";
        QTest::newRow("empty") << ""
                               << "";
    }
    void fullStopAppendedAfterCharactersAboveIt() {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(ErrorBoxText(message), shown);
    }

    void hugeTextKeepsItsBeginningAndItsEnd() {
        const QString quoted = QString(1 << 20, QLatin1Char('9'));
        const QString message =
            QStringLiteral("''") + quoted + QStringLiteral("'' is not a valid integer value");
        const QString shown = ErrorBoxText(message);
        QVERIFY(shown.size() < 2000);
        QVERIFY(shown.startsWith(QStringLiteral("''999")));
        QVERIFY(shown.endsWith(QStringLiteral("999'' is not a valid integer value.")));
        QVERIFY(shown.contains(QChar(0x2026)));
    }

    void realBoxHasTheTitleAnErrorIconAndOneOkButton() {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            box->button(QMessageBox::Ok)->click();
        });
        ShowErrorBox(nullptr, QStringLiteral("Invalid floating point operation"));
        QCOMPARE(title, QStringLiteral("Рационик"));
        QCOMPARE(text, QStringLiteral("Invalid floating point operation."));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void guardReportsTheFailureAndStopsTheAction() {
        QStringList shown;
        SetErrorBoxHook([&](const QString& text) { shown << text; });
        bool finished = false;
        QVERIFY(!Guarded(nullptr, [&] {
            throw ConvertError("12a");
            finished = true;
        }));
        QVERIFY(!finished);
        QVERIFY(Guarded(nullptr, [&] { finished = true; }));
        QVERIFY(finished);
        QVERIFY(!Guarded(nullptr, [] { throw 42; })); // nothing escapes, whatever is thrown
        SetErrorBoxHook({});
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.first(), QStringLiteral("''12a'' is not a valid integer value."));
    }
};

QTEST_MAIN(ErrorBoxTest)
#include "ErrorBoxTest.moc"

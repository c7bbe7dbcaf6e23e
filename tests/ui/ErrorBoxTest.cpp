// The error box: its text rules, the real box a user sees, and the guard that keeps failures
// from reaching the event loop.
#include "ErrorBox.h"
#include "Application.h"
#include "Errors.h"

#include "ErrorDialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

class ErrorBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpApplication(); }

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

    void realBoxHasTheTitleAnErrorIconAndOnePlainOkButton() {
        QString title, text;
        QStringList buttons;
        bool buttonIcon = true;
        QPixmap icon;
        QString alert; // what a screen reader reads of the box as an alert
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(box);
            if (const auto* reader = QAccessible::queryAccessibleInterface(box);
                reader->role() == QAccessible::AlertMessage)
                alert = reader->text(QAccessible::Description);
            title = box->windowTitle();
            text = box->findChild<QTextEdit*>()->toPlainText();
            icon = box->findChild<QLabel*>(QStringLiteral("ErrorIcon"))->pixmap();
            for (QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
                buttons << button->text();
                buttonIcon = !button->icon().isNull();
            }
            box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        ShowErrorBox(nullptr, QStringLiteral("Invalid floating point operation"));
        QCOMPARE(alert, QStringLiteral("Invalid floating point operation."));
        QCOMPARE(title, QStringLiteral("Рационик"));
        QCOMPARE(text, QStringLiteral("Invalid floating point operation."));
        QCOMPARE(buttons, QStringList{QStringLiteral("OK")});
        QVERIFY(!buttonIcon);
        QCOMPARE(icon.deviceIndependentSize(), QSizeF(32, 32));
        QCOMPARE(icon.devicePixelRatio(), qApp->devicePixelRatio());
    }

    void errorIconIsDrawnForEveryScale_data() {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("125 %") << 1.25;
        QTest::newRow("150 %") << 1.5;
        QTest::newRow("175 %") << 1.75;
        QTest::newRow("200 %") << 2.0;
    }
    void errorIconIsDrawnForEveryScale() {
        // Sharp means drawn at the screen's own pixels, not a 32 px picture blown up.
        QFETCH(qreal, scale);
        const QPixmap pixmap = ErrorIcon().pixmap(QSize(32, 32), scale);
        QCOMPARE(pixmap.size(), QSize(32, 32) * scale);
        const QImage enlarged =
            ErrorIcon()
                .pixmap(QSize(32, 32), 1.0)
                .toImage()
                .scaled(pixmap.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (scale > 1) QVERIFY(pixmap.toImage().convertToFormat(enlarged.format()) != enlarged);
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

// The help window: the formatting pass over small texts with known offsets, the shipped text with
// its headings and the site's name, and the window opened from the main window's help link.
#include "Help.h"
#include "HelpText.h"
#include "LinkLabel.h"
#include "Main.h"
#include "ProjectSite.h"
#include "WindowDriver.h"
#include "WindowTest.h"

#include <QAccessible>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <algorithm>

namespace {
struct Range {
    int start;
    int length;
};
using Ranges = QList<Range>;

bool Covers(const Ranges& ranges, int position) {
    for (const Range& range : ranges)
        if (position >= range.start && position < range.start + range.length) return true;
    return false;
}

// The character format of every character of the document, paragraph breaks left out.
QMap<int, QTextCharFormat> CharacterFormats(const QTextDocument& document) {
    QMap<int, QTextCharFormat> formats;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            for (int i = 0; i < fragment.length(); ++i)
                formats.insert(fragment.position() + i, fragment.charFormat());
        }
    return formats;
}

const QColor kBlue(0x00, 0x00, 0xFF);

bool IsBlue(const QTextCharFormat& format) {
    return format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().color() == kBlue;
}

// Checks that exactly the characters of `bold` are bold and exactly those of `blue` are blue;
// `plainStyle` is the italic, underline and strike-out every character had before the pass.
void VerifyFormats(const QTextDocument& document, const Ranges& bold, const Ranges& blue,
                   bool plainStyle) {
    const QMap<int, QTextCharFormat> formats = CharacterFormats(document);
    for (auto it = formats.cbegin(); it != formats.cend(); ++it) {
        const int at = it.key();
        const QTextCharFormat& format = it.value();
        const QString where =
            QStringLiteral("character %1 '%2'").arg(at).arg(document.characterAt(at));
        const bool expectBold = Covers(bold, at);
        QVERIFY2((format.fontWeight() == QFont::Bold) == expectBold, qPrintable(where));
        QVERIFY2(IsBlue(format) == Covers(blue, at), qPrintable(where));
        // Bold is "exactly bold": the pass switches the other styles off.
        const bool styled = expectBold ? false : plainStyle;
        QVERIFY2(format.fontItalic() == styled, qPrintable(where));
        QVERIFY2(format.fontUnderline() == styled, qPrintable(where));
        QVERIFY2(format.fontStrikeOut() == styled, qPrintable(where));
        QVERIFY2(!format.isAnchor(), qPrintable(where));
    }
}

QTextEdit& HelpEdit() {
    return *HelpForm->findChild<QTextEdit*>(QStringLiteral("HelpEdit"));
}
LinkLabel& HelpLink() {
    return *MainForm->findChild<LinkLabel*>(QStringLiteral("HelpLink"));
}
void ClickHelpLink() {
    QTest::mouseClick(&HelpLink(), Qt::LeftButton, {}, QPoint(3, 3));
}

constexpr int kMarked = 19; // the site's name and the space after it
} // namespace

Q_DECLARE_METATYPE(Ranges)

class HelpWindowTest : public WindowTest {
    Q_OBJECT

private slots:

    void formattingPass_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Ranges>("bold");
        QTest::addColumn<Ranges>("blue");
        QTest::newRow("two headings around an empty line")
            << QStringList{QStringLiteral("Шаг 1"), QString(), QStringLiteral("Шаг 2")}
            << Ranges{{0, 5}, {7, 5}} << Ranges{};
        QTest::newRow("several empty lines") << QStringList{QStringLiteral("Заголовок"),
                                                            QString(),
                                                            QString(),
                                                            QStringLiteral("Шаг 3"),
                                                            QString(),
                                                            QString(),
                                                            QString(),
                                                            QStringLiteral("Шаг 4. Ещё")}
                                             << Ranges{{0, 9}, {12, 5}, {21, 10}} << Ranges{};
        QTest::newRow("title bold whatever it holds, lower case and indented steps plain")
            << QStringList{QStringLiteral("просто текст"), QStringLiteral("шаг 1"),
                           QStringLiteral(" Шаг 2"), QStringLiteral("Шаги тоже начинаются с Шаг")}
            << Ranges{{0, 12}, {26, 26}} << Ranges{};
        QTest::newRow("lines shorter than the word")
            << QStringList{QString(), QStringLiteral("Ша"), QStringLiteral("Ш"),
                           QStringLiteral("Шаг")}
            << Ranges{{6, 3}} << Ranges{};
        QTest::newRow("marker twice in a line, only the first marked")
            << QStringList{QStringLiteral("T"),
                           QStringLiteral(
                               "Сайт Рацион-на-здоровье и снова Рацион-на-здоровье, конец")}
            << Ranges{{0, 1}, {7, kMarked}} << Ranges{{7, kMarked}};
        QTest::newRow("heading with the marker bold throughout, the name also blue")
            << QStringList{QStringLiteral("T"), QStringLiteral("Шаг 5. Рацион-на-здоровье ждёт")}
            << Ranges{{0, 1}, {2, 30}} << Ranges{{9, kMarked}};
        QTest::newRow("marker in every line")
            << QStringList{QStringLiteral("Рацион-на-здоровье ли"),
                           QStringLiteral("и Рацион-на-здоровье  ")}
            << Ranges{{0, 21}, {24, kMarked}} << Ranges{{0, kMarked}, {24, kMarked}};
        QTest::newRow("marker in another case is not the marker")
            << QStringList{QStringLiteral("T"),
                           QStringLiteral("РАЦИОН-НА-ЗДОРОВЬЕ и рацион-на-здоровье")}
            << Ranges{{0, 1}} << Ranges{};
        QTest::newRow("marked range stops at the end of the text")
            << QStringList{QStringLiteral("T"), QStringLiteral("сайт Рацион-")}
            << Ranges{{0, 1}, {7, 7}} << Ranges{{7, 7}};
        QTest::newRow("empty text") << QStringList{} << Ranges{} << Ranges{};
        QTest::newRow("one empty line") << QStringList{QString()} << Ranges{} << Ranges{};
    }
    void formattingPass() {
        QFETCH(QStringList, lines);
        QFETCH(Ranges, bold);
        QFETCH(Ranges, blue);
        for (const bool plainStyle : {false, true}) {
            QTextEdit edit;
            edit.setPlainText(lines.join(QLatin1Char('\n')));
            QTextCursor all(edit.document());
            all.select(QTextCursor::Document);
            QTextCharFormat before;
            before.setFontItalic(plainStyle);
            before.setFontUnderline(plainStyle);
            before.setFontStrikeOut(plainStyle);
            all.mergeCharFormat(before);
            edit.setTextCursor(all); // the pass must drop this selection

            FormatHelpText(edit, lines, ProjectSiteMarker(), kMarked);

            VerifyFormats(*edit.document(), bold, blue, plainStyle);
            if (QTest::currentTestFailed()) return;
            QCOMPARE(edit.textCursor().position(), 0);
            QVERIFY(!edit.textCursor().hasSelection());
            QCOMPARE(edit.toPlainText(), lines.join(QLatin1Char('\n')));
        }
    }

    void shippedTextShape() {
        const QStringList lines = LoadHelpLines();
        QCOMPARE(lines.size(), 51);
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].size() <= 186, qPrintable(QString::number(i)));
        const QList<int> emptyLines{1,  4,  6,  10, 12, 15, 19, 23, 25,
                                    29, 33, 37, 39, 44, 45, 48, 49, 50};
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].isEmpty() == emptyLines.contains(i), qPrintable(QString::number(i)));
        QCOMPARE(lines[0], QStringLiteral("Справка к программе «Рационик»"));
        QCOMPARE(lines[5], QStringLiteral("Шаг 1. Вводим данные о себе"));
        QCOMPARE(lines[11], QStringLiteral("Шаг 2. Определяем потребности организма"));
        QCOMPARE(lines[24], QStringLiteral("Шаг 3. Подбираем продукты"));
        QCOMPARE(lines[38], QStringLiteral("Шаг 4. Подбор сочетаний продуктов"));
        QVERIFY(lines[47].endsWith(QLatin1Char(' ') + ProjectSiteName() + QLatin1Char(' ')));
        QCOMPARE(ProjectSiteName().size() + 1, kMarked);
        QCOMPARE(lines.join(QLatin1Char('\n')).count(ProjectSiteMarker()), 1);
    }

    void shippedTextFitsTheLaidOutWidth() {
        // While the pass runs the box is 1476 px wide, and every stored line is one line of it.
        QTextDocument document;
        document.setDefaultFont(HelpEdit().font());
        document.setPlainText(LoadHelpLines().join(QLatin1Char('\n')));
        document.setTextWidth(1476 - HelpEdit().verticalScrollBar()->sizeHint().width());
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            QVERIFY2(block.layout()->lineCount() <= 1,
                     qPrintable(QString::number(block.blockNumber())));
    }

    void shippedTextFormatted() {
        const QStringList lines = LoadHelpLines();
        const QTextDocument& document = *HelpEdit().document();
        QCOMPARE(HelpEdit().toPlainText(), lines.join(QLatin1Char('\n')));
        QCOMPARE(document.blockCount(), 51);
        Ranges bold;
        for (const int line : {0, 5, 11, 24, 38})
            bold.append({document.findBlockByNumber(line).position(), int(lines[line].size())});
        const QTextBlock siteLine = document.findBlockByNumber(47);
        const Range siteName{siteLine.position() + siteLine.length() - 1 - kMarked, kMarked};
        QCOMPARE(document.toPlainText().mid(siteName.start, siteName.length),
                 ProjectSiteName() + QLatin1Char(' '));
        bold.append(siteName);
        VerifyFormats(document, bold, Ranges{siteName}, false);
    }

    void helpWindowAfterCreation() {
        QVERIFY(!HelpForm->isVisible());
        QCOMPARE(HelpForm->windowTitle(), QStringLiteral("Справка"));
        // 800 px wide with the main window's frame, which it will have once shown.
        QCOMPARE(HelpForm->width() + MainForm->frameGeometry().width() - MainForm->width(), 800);
        QCOMPARE(HelpForm->height(), 552);
        QCOMPARE(HelpEdit().textCursor().position(), 0);
        QVERIFY(!HelpEdit().textCursor().hasSelection());
        QVERIFY(HelpEdit().isReadOnly());
        QCOMPARE(HelpEdit().font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(HelpEdit().font().pixelSize(), 16);
        QCOMPARE(HelpEdit().horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(HelpEdit().lineWrapMode(), QTextEdit::WidgetWidth);
        QCOMPARE(QAccessible::queryAccessibleInterface(&HelpEdit())->text(QAccessible::Name),
                 QStringLiteral("Справка"));
        const Qt::WindowFlags flags = HelpForm->windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowMaximizeButtonHint);
        QVERIFY(HelpForm->minimumWidth() < HelpForm->maximumWidth());
    }

    void helpLinkOpensOneWindowWithoutBlocking() {
        ClickHelpLink();
        ClickHelpLink();
        QVERIFY(HelpForm->isVisible());
        QVERIFY(!HelpForm->isModal());
        QVERIFY(!QApplication::activeModalWidget());
        QTRY_COMPARE(QApplication::activeWindow(), HelpForm);
        int helpWindows = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            helpWindows += widget->isVisible() && qobject_cast<THelpForm*>(widget);
        QCOMPARE(helpWindows, 1);
        QCOMPARE(HelpForm->frameGeometry().width(), 800);
        QCOMPARE(HelpEdit().textCursor().position(), 0);
        QVERIFY(!HelpEdit().textCursor().hasSelection());
        // The main window stays usable while the help is open.
        MainForm->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), MainForm);
        QVERIFY(HelpForm->isVisible());
    }

    void firstOpeningCentredOverTheMainWindow() {
        const QRect owner = MainForm->frameGeometry();
        ClickHelpLink();
        const QRect frame = HelpForm->frameGeometry();
        const QRect desktop = HelpForm->screen()->virtualGeometry();
        const int centredLeft = owner.left() + (owner.width() - frame.width()) / 2;
        const int centredTop = owner.top() + (owner.height() - frame.height()) / 2;
        QCOMPARE(frame.left(), std::max(desktop.left(), centredLeft));
        QCOMPARE(frame.top(), std::max(desktop.top(), centredTop));
    }

    void closingOnlyHidesAndKeepsWhereTheUserWas() {
        ClickHelpLink();
        QVERIFY(QTest::qWaitForWindowExposed(HelpForm));
        QScrollBar& scroll = *HelpEdit().verticalScrollBar();
        QVERIFY(scroll.maximum() > 0);
        scroll.setValue(scroll.maximum() / 2);
        const int scrolled = scroll.value();
        HelpForm->move(HelpForm->pos() + QPoint(15, 25));
        const QPoint left = HelpForm->pos();
        const QString text = HelpEdit().toHtml();
        QPointer<THelpForm> window = HelpForm.get();

        QVERIFY(HelpForm->close());
        QVERIFY(window);
        QVERIFY(!HelpForm->isVisible());
        ClickHelpLink();
        QVERIFY(HelpForm->isVisible());
        QCOMPARE(HelpForm->pos(), left);
        QCOMPARE(scroll.value(), scrolled);
        QCOMPARE(HelpEdit().toHtml(), text);
    }

    void keysDoNotCloseOrChangeIt_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Delete") << int(Qt::Key_Delete);
        QTest::newRow("letter") << int(Qt::Key_A);
    }
    void keysDoNotCloseOrChangeIt() {
        QFETCH(int, key);
        ClickHelpLink();
        QTRY_COMPARE(QApplication::focusWidget(), &HelpEdit());
        const QString text = HelpEdit().toPlainText();
        QTest::keyClick(&HelpEdit(), Qt::Key(key));
        QTest::keyClick(HelpForm, Qt::Key(key));
        QVERIFY(HelpForm->isVisible());
        QCOMPARE(HelpEdit().toPlainText(), text);
    }

    void textFollowsTheWindowSize() {
        ClickHelpLink();
        for (const QSize size : {QSize(500, 300), QSize(1000, 700)}) {
            HelpForm->resize(size);
            QCOMPARE(HelpEdit().geometry(), HelpForm->rect());
            QCOMPARE(HelpEdit().horizontalScrollBar()->maximum(),
                     0); // wrapped, never scrolled sideways
        }
    }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"

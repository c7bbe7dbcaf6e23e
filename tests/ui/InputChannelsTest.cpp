// What the user pastes or types, by every channel, stays plain text: the real error box shows a
// pasted quantity character for character, in a left-to-right sentence with invisible characters
// marked, and always fits on the screen, input-method text meets
// the same filters as key presses, only the primary button's double-click chooses a food, and a
// long cell text shows what its full layout shows.
#include "CellText.h"
#include "ErrorBox.h"
#include "IntegerSpinBox.h"
#include "ProductsList.h"
#include "StringGrid.h"
#include "WindowDriver.h"
#include "WindowTest.h"

#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <QTreeWidget>

using namespace Driver;

class InputChannelsTest : public WindowTest {
    Q_OBJECT

    // The editor of row 1's quantity, open and focused.
    static QLineEdit& quantityEditor() {
        QTest::keyClick(&Ration(), Qt::Key_F2);
        return *Editor(Ration());
    }

    static void commit(QWidget* target, const QString& text) {
        QInputMethodEvent event(QString(), {});
        event.setCommitString(text);
        QCoreApplication::sendEvent(target, &event);
    }

    // What the real error box shows, read while it is open; the box is then closed with OK.
    struct ShownBox {
        QString text;
        bool rich = false; // any picture, link or character format beyond plain text
        bool fitsOnScreen = false;
        bool wholeTextInView = false;
        bool okReachable = false;
        int width = 0;            // of the text
        bool leftToRight = false; // the first character leftmost, the last rightmost
        bool marked = false;      // the first line 3 px wider for each invisible character in it
    };
    static ShownBox pasteIntoQuantity(const QString& pasted) {
        SetErrorBoxHook({}); // the real box, as the user sees it
        ShownBox shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QVERIFY(QTest::qWaitForWindowExposed(box));
            const auto* text = box->findChild<QTextEdit*>(QStringLiteral("ErrorText"));
            QVERIFY(text);
            shown.text = text->toPlainText();
            const QTextCharFormat plain = text->document()->begin().charFormat();
            for (QTextBlock block = text->document()->begin(); block.isValid();
                 block = block.next())
                for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
                    shown.rich |= fragment.fragment().charFormat() != plain;
            const QRect screen = box->screen()->availableGeometry();
            shown.fitsOnScreen = screen.contains(box->frameGeometry());
            shown.wholeTextInView = text->verticalScrollBar()->maximum() == 0;
            shown.width = text->width();
            const QTextLayout& layout = *text->document()->begin().layout();
            const QTextLine first = layout.lineAt(0), last = layout.lineAt(layout.lineCount() - 1);
            shown.leftToRight =
                first.cursorToX(0) == 0 &&
                last.cursorToX(last.textStart() + last.textLength()) >= last.naturalTextWidth();
            static const QRegularExpression hidden(
                QStringLiteral("[\\x{200B}\\x{200D}\\x{2060}\\x{FEFF}]"));
            QString line = text->document()->begin().text().left(first.textLength());
            const qsizetype invisible = line.count(hidden);
            shown.marked = first.naturalTextWidth() -
                               QFontMetricsF(text->font()).horizontalAdvance(line.remove(hidden)) >
                           3 * invisible - 1;
            QPushButton* ok = box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            shown.okReachable = ok->isVisible() &&
                                box->rect().contains(QRect(ok->mapTo(box, QPoint()), ok->size()));
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(&quantityEditor(), Qt::Key_Insert, Qt::ShiftModifier);
        return shown;
    }

    static QImage drawn(const std::function<void(QPainter&, const QRect&)>& draw) {
        QImage image(169, 17, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(11);
        painter.setFont(font);
        draw(painter, image.rect());
        return image;
    }

private slots:
    void init() {
        WindowTest::init();
        AddFood(0);
    }

    // --- paste

    void pastedMarkupIsShownAsItsCharacters_data() {
        QTest::addColumn<QString>("pasted");
        QTest::newRow("bold") << QStringLiteral("<b>12</b>");
        QTest::newRow("local picture") << QStringLiteral("<img src=\"%1\">");
        QTest::newRow("link") << QStringLiteral("<a href=\"http://example.org/\">5</a>");
        QTest::newRow("entity") << QStringLiteral("&lt;7&gt;&amp;");
        QTest::newRow("document") << QStringLiteral("<html><body><h1>1</h1></body></html>");
        QTest::newRow("line breaks") << QStringLiteral("1\n<i>2</i>\n3");
        QTest::newRow("Arabic, Hebrew, digits") << QStringLiteral("مرحبا بالعالم שלום עולם 123");
        QTest::newRow("invisible characters") << QStringLiteral("1\u200B2\u200D3\u2060\uFEFF4");
    }
    void pastedMarkupIsShownAsItsCharacters() {
        QFETCH(QString, pasted);
        QTemporaryDir dir;
        const QString picture = dir.filePath(QStringLiteral("picture.png"));
        QImage(8, 8, QImage::Format_RGB32).save(picture);
        pasted.replace(QStringLiteral("%1"), picture);
        const ShownBox shown = pasteIntoQuantity(pasted);
        QCOMPARE(shown.text, QStringLiteral("''") + pasted +
                                 QStringLiteral("'' is not a valid integer value."));
        QVERIFY(!shown.rich);                   // no picture loaded, no link, no bold
        QCOMPARE(Cell(Ration(), 4, 1), pasted); // the text stays in the cell
        QVERIFY(shown.leftToRight);             // the English sentence around it
        QVERIFY(shown.marked);
    }

    void longUnbrokenTextFitsTheScreenWhole() {
        const ShownBox shown = pasteIntoQuantity(QString(1 << 20, QLatin1Char('9')));
        QCOMPARE(shown.text.size(), qsizetype(1000 + 1 + 200 + 1));
        QVERIFY(shown.text.endsWith(QStringLiteral("99'' is not a valid integer value.")));
        QVERIFY(shown.fitsOnScreen);
        QVERIFY(shown.okReachable);
        QVERIFY(shown.wholeTextInView);
    }

    void endlessLinesScrollInsideTheScreen() {
        // More lines than any screen holds: the box still fits, and the text scrolls.
        const ShownBox shown =
            pasteIntoQuantity(QStringLiteral("1") + QString(600, QLatin1Char('\n')));
        QVERIFY(shown.fitsOnScreen);
        QVERIFY(shown.okReachable);
        QVERIFY(!shown.wholeTextInView);
        QVERIFY(shown.width < 480); // as wide as its lines, not the screen
    }

    // --- input method

    void inputMethodTextMeetsTheSpinBoxFilter_data() {
        QTest::addColumn<QString>("committed");
        QTest::addColumn<QString>("text");
        QTest::newRow("dead key e acute") << QStringLiteral("é") << QStringLiteral("170");
        QTest::newRow("digits around a letter") << QStringLiteral("1ж2") << QStringLiteral("17012");
        QTest::newRow("Arabic-Indic digit") << QStringLiteral("٣") << QStringLiteral("170");
        QTest::newRow("character beyond the basic plane")
            << QStringLiteral("\U0001D7D9") << QStringLiteral("170");
        QTest::newRow("sign and separator") << QStringLiteral("-,") << QStringLiteral("170-,");
    }
    void inputMethodTextMeetsTheSpinBoxFilter() {
        QFETCH(QString, committed);
        QFETCH(QString, text);
        auto* height = MainForm->findChild<IntegerSpinBox*>(QStringLiteral("HeightEdit"));
        height->setFocus();
        height->findChild<QLineEdit*>()->end(false);
        commit(QApplication::focusWidget(), committed);
        QCOMPARE(height->text(), text);
    }

    // --- mouse buttons

    void onlyThePrimaryDoubleClickChoosesAFood_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("left") << int(Qt::LeftButton) << 1;
        QTest::newRow("right") << int(Qt::RightButton) << -1;
        QTest::newRow("middle") << int(Qt::MiddleButton) << -1;
    }
    void onlyThePrimaryDoubleClickChoosesAFood() {
        QFETCH(int, button);
        QFETCH(int, result);
        bool stayedOpen = false;
        TDialogForm::SetModalHook([&](TDialogForm& dialog) {
            QTreeWidget& tree = ProductsForm->TreeView();
            QTreeWidgetItem* lamb =
                tree.findItems(QStringLiteral("Баранина"), Qt::MatchExactly | Qt::MatchRecursive)
                    .value(0);
            QVERIFY(lamb);
            tree.scrollToItem(lamb);
            QCoreApplication::processEvents();
            const QPoint at = tree.visualItemRect(lamb).center();
            const auto pressed = Qt::MouseButton(button);
            QTest::mouseClick(tree.viewport(), pressed, {}, at);
            QTest::mouseDClick(tree.viewport(), pressed, {}, at);
            stayedOpen = dialog.isVisible();
        });
        ProductsForm->ShowModal();
        TDialogForm::SetModalHook({});
        QCOMPARE(ProductsForm->MResult, result);
        QCOMPARE(stayedOpen, result < 0);
    }

    // --- long cell texts

    void longCellTextShowsWhatItsFullLayoutShows_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("alignment");
        const QString zeroWidth(600, QChar(0x200B));
        QTest::newRow("zero-width run, then a digit")
            << zeroWidth + QStringLiteral("5") << int(Qt::AlignLeft);
        QTest::newRow("long zero-width run, then a digit")
            << QString(9000, QChar(0x200B)) + QStringLiteral("5") << int(Qt::AlignLeft);
        QTest::newRow("zero-width run between digits, centred")
            << QStringLiteral("4") + QString(9000, QChar(0x200B)) + QStringLiteral("5")
            << int(Qt::AlignHCenter);
        QTest::newRow("stress marks over every letter")
            << QStringLiteral("у\u0301").repeated(3000) << int(Qt::AlignLeft);
        QTest::newRow("many digits, centred")
            << QString(20000, QLatin1Char('7')) + QStringLiteral("12345") << int(Qt::AlignHCenter);
        QTest::newRow("right-to-left text")
            << QString(6000, QChar(0x05D0)) + QStringLiteral("1") << int(Qt::AlignLeft);
    }
    void longCellTextShowsWhatItsFullLayoutShows() {
        QFETCH(QString, text);
        QFETCH(int, alignment);
        const auto align = Qt::Alignment(alignment);
        const QImage shortened = drawn([&](QPainter& painter, const QRect& rect) {
            DrawCellText(painter, rect, text, align, 4);
        });
        const QImage full = drawn([&](QPainter& painter, const QRect& rect) {
            painter.drawText(rect.adjusted(4, 0, 0, 0),
                             Qt::TextSingleLine | Qt::AlignVCenter | align, text);
        });
        QCOMPARE(shortened, full);
        QVERIFY(full != drawn([](QPainter&, const QRect&) {})); // something shows at all
    }
};

QTEST_MAIN(InputChannelsTest)
#include "InputChannelsTest.moc"

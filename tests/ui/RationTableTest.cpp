// The ration table on the main window: adding through the picker, typing quantities through the
// key filter, the totals in the needs table, the compatibility colours and deleting rows.
#include "Main.h"
#include "ProductDescription.h"
#include "ProductGridDesc.h"
#include "ProductsList.h"
#include "WindowDriver.h"
#include "WindowTest.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace Driver;
using namespace Qt::StringLiterals;

class RationTableTest : public WindowTest {
    Q_OBJECT

private slots:
    void startsEmptyAndDisabled() {
        QCOMPARE(RowCount(Ration()), 1);
        QCOMPARE(ColumnCount(Ration()), 1);
        QCOMPARE(FixedRowCount(Ration()), 0);
        QCOMPARE(FixedColumnCount(Ration()), 0);
        QVERIFY(!Ration().isEnabled());
        QCOMPARE(CellRect(Ration(), 0, 0).size(), QSize(169, 17));
        for (const char* name :
             {"AddProductBtn", "DelProductBtn", "ProductInfoBtn", "ClearProductsBtn"})
            QVERIFY(Button(name).isEnabled());
        QCOMPARE(Button("AddProductBtn").text(), QStringLiteral(" Добавить продукт"));
        QCOMPARE(Button("DelProductBtn").text(), QStringLiteral(" Удалить выделенный"));
        QCOMPARE(Button("ProductInfoBtn").text(), QStringLiteral(" Описание продукта"));
        QCOMPARE(Button("ClearProductsBtn").text(), QStringLiteral("Расшифровка таблицы"));
        QVERIFY(!Button("AddProductBtn").icon().isNull());
        QVERIFY(Button("ClearProductsBtn").icon().isNull());
        QCOMPARE(Totals(), (QStringList{QString(), QString(), QString()}));
    }

    void firstAddSetsTheTableUp() {
        AddFood(0);
        QCOMPARE(RationRow(0), (QStringList{QStringLiteral("Продукт"), QStringLiteral("Угл."),
                                            QStringLiteral("Бел."), QStringLiteral("Жир."),
                                            QStringLiteral("Кол.")}));
        QCOMPARE(RationRow(1),
                 (QStringList{QStringLiteral("Говядина"), QStringLiteral("0"), QStringLiteral("18"),
                              QStringLiteral("16"), QStringLiteral("0")}));
        QCOMPARE(FixedRowCount(Ration()), 1);
        QCOMPARE(FixedColumnCount(Ration()), 4);
        QVERIFY(Ration().isEnabled());
        QCOMPARE(CurrentColumn(Ration()), 4);
        QCOMPARE(CurrentRow(Ration()), 1);
        QCOMPARE(CellRect(Ration(), 0, 1).width(), 169);
        QCOMPARE(CellRect(Ration(), 1, 1).width(), 45);
        QCOMPARE(MainForm->productsItems(), std::vector<std::int32_t>{0});
        QCOMPARE(Totals(),
                 (QStringList{QString(), QString(), QString()})); // adding never recomputes
    }

    void nothingChosenOrADuplicateChangesNothing() {
        AddFood(-1);
        QCOMPARE(RowCount(Ration()), 1);
        AddFood(46);
        AddFood(46);
        QCOMPARE(RationNames(), QStringList{QStringLiteral("Картофель")});
        QCOMPARE(MainForm->productsItems(), std::vector<std::int32_t>{46});
    }

    void valuesShowFiveDigitsAndRowsKeepTheirOrder() {
        AddFood(1);  // Баранина 0 / 15,6 / 16,3
        AddFood(37); // Подсолнечное масло 0 / 0 / 99,9
        AddFood(91);
        QCOMPARE(RationRow(2),
                 (QStringList{QStringLiteral("Подсолнечное масло"), QStringLiteral("0"),
                              QStringLiteral("0"), QStringLiteral("99,9"), QStringLiteral("0")}));
        QCOMPARE(RationRow(1).mid(1, 3), (QStringList{QStringLiteral("0"), QStringLiteral("15,6"),
                                                      QStringLiteral("16,3")}));
        QCOMPARE(CurrentRow(Ration()), 1); // adding does not move the current row
        QCOMPARE(MainForm->productsItems(), (std::vector<std::int32_t>{1, 37, 91}));
    }

    // Every character typed, pasted by a shortcut or composed by an input method meets the
    // quantity filter: digits, Backspace and Enter pass. In the editor the text is "12" with the
    // caret between the digits (all of it selected for copy and cut), on the table it is "0" with
    // the editor closed; "999" is on the clipboard.
    void quantityFilter_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("committed"); // by an input method instead of a key
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("open");
        const int ctrl = Qt::ControlModifier;
        const auto key = [](const char* name, int key, int modifiers, const char* cell) {
            QTest::newRow(name) << u"editor"_s << key << modifiers << QString()
                                << QString::fromUtf8(cell) << true;
        };
        key("digit passes", Qt::Key_3, 0, "132");
        key("letter", Qt::Key_A, 0, "12");
        key("point", Qt::Key_Period, 0, "12");
        key("minus", Qt::Key_Minus, 0, "12");
        key("Ctrl+C does not copy", Qt::Key_C, ctrl, "12");
        key("Ctrl+X does not cut", Qt::Key_X, ctrl, "12");
        key("Ctrl+V does not paste", Qt::Key_V, ctrl, "12");
        key("Ctrl+Z does not undo", Qt::Key_Z, ctrl, "12");
        key("Backspace passes", Qt::Key_Backspace, 0, "2");
        key("Delete is no character", Qt::Key_Delete, 0, "1");
        key("Shift+Insert pastes", Qt::Key_Insert, Qt::ShiftModifier, "19992");
        QTest::newRow("letter on the table")
            << u"table"_s << int(Qt::Key_A) << 0 << QString() << u"0"_s << false;
        QTest::newRow("digit on the table")
            << u"table"_s << int(Qt::Key_7) << 0 << QString() << u"7"_s << true;
        QTest::newRow("composed into the editor")
            << u"editor"_s << 0 << 0 << u"1é-2"_s << u"1122"_s << true;
        QTest::newRow("composed on the table, a digit among others")
            << u"table"_s << 0 << 0 << u"x7"_s << u"7"_s << true;
        QTest::newRow("composed on the table, nothing that passes")
            << u"table"_s << 0 << 0 << u"é"_s << u"0"_s << false;
    }
    void quantityFilter() {
        QFETCH(QString, where);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, committed);
        QFETCH(QString, cell);
        QFETCH(bool, open);
        AddFood(0);
        Ration().setFocus();
        if (where == u"editor"_s) {
            TypeKeys(u"12"_s);
            Editor(Ration())->setCursorPosition(1);
            if (key == Qt::Key_C || key == Qt::Key_X) Editor(Ration())->selectAll();
        }
        QApplication::clipboard()->setText(u"999"_s);
        QWidget* target = QApplication::focusWidget();
        if (committed.isEmpty()) {
            QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        } else {
            QInputMethodEvent event(QString(), {});
            event.setCommitString(committed);
            QCoreApplication::sendEvent(target, &event);
        }
        QCOMPARE(Cell(Ration(), 4, 1), cell);
        QCOMPARE(Editor(Ration()) != nullptr, open);
        QCOMPARE(QApplication::clipboard()->text(), u"999"_s);
        QVERIFY(errorBoxes.isEmpty());
    }

    void totalsOfTheExamples_data() {
        QTest::addColumn<QList<int>>("foods");
        QTest::addColumn<QStringList>("quantities");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("beef and potatoes")
            << QList<int>{0, 46} << QStringList{QStringLiteral("150"), QStringLiteral("200")}
            << QStringList{QStringLiteral("36,2"), QStringLiteral("31"), QStringLiteral("24,8")};
        QTest::newRow("rice") << QList<int>{22} << QStringList{QStringLiteral("333")}
                              << QStringList{QStringLiteral("210,1"), QStringLiteral("24,98"),
                                             QStringLiteral("8,658")};
        QTest::newRow("leading zeros")
            << QList<int>{0} << QStringList{QStringLiteral("007")}
            << QStringList{QStringLiteral("0"), QStringLiteral("1,26"), QStringLiteral("1,12")};
    }
    void totalsOfTheExamples() {
        QFETCH(QList<int>, foods);
        QFETCH(QStringList, quantities);
        QFETCH(QStringList, shown);
        for (int food : foods)
            AddFood(food);
        for (int i = 0; i < quantities.size(); ++i)
            TypeQuantity(i + 1, quantities[i]);
        QCOMPARE(Totals(), shown);
        QVERIFY(errorBoxes.isEmpty());
    }

    void emptiedQuantityCountsAsZero() {
        AddFood(0);
        TypeQuantity(1, QStringLiteral("100"));
        ClickQuantity(1); // opens the editor on the current cell
        QTest::keyClick(Editor(Ration()), Qt::Key_A, Qt::ControlModifier); // discarded, too
        QTest::keyClick(Editor(Ration()), Qt::Key_End);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(Editor(Ration()), Qt::Key_Backspace);
        QCOMPARE(Cell(Ration(), 4, 1), QString());
        QCOMPARE(Totals(),
                 (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
        QVERIFY(errorBoxes.isEmpty());
    }

    void pastedNumberBeyond32BitsShowsTheErrorBox() {
        AddFood(0);
        AddFood(46);
        TypeQuantity(2, QStringLiteral("200"));
        const QStringList before = Totals();
        ClickQuantity(1); // moves to the row
        ClickQuantity(1); // opens the editor on it
        QVERIFY((Editor(Ration()) != nullptr));
        Editor(Ration())->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("2147483648"));
        QTest::keyClick(Editor(Ration()), Qt::Key_Insert, Qt::ShiftModifier); // not filtered
        QCOMPARE(Cell(Ration(), 4, 1), QStringLiteral("2147483648"));
        QCOMPARE(errorBoxes,
                 QStringList{QStringLiteral("''2147483648'' is not a valid integer value.")});
        QCOMPARE(Totals(), before);
        // Every later recomputation names the first failing row, whichever row is edited.
        errorBoxes.clear();
        TypeQuantity(2, QStringLiteral("5"));
        // The press gives up the editor on row 1, the digit changes row 2, Enter gives it up.
        QCOMPARE(errorBoxes.size(), 3);
        QVERIFY(errorBoxes.first().startsWith(QStringLiteral("''2147483648''")));
        QCOMPARE(Totals(), before);
    }

    void compatibilityColours_data() {
        QTest::addColumn<QList<int>>("foods");
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<int>("drawnRow");
        QTest::addColumn<QColor>("colour");
        const QColor green(0, 128, 0), blue(0, 0, 255), red(255, 0, 0), black(0, 0, 0);
        QTest::newRow("honey current, potatoes red") << QList<int>{43, 46} << 1 << 2 << red;
        QTest::newRow("potatoes current, honey blue") << QList<int>{43, 46} << 2 << 1 << blue;
        QTest::newRow("egg current, peanuts blue") << QList<int>{85, 86} << 1 << 2 << blue;
        QTest::newRow("peanuts current, egg red") << QList<int>{85, 86} << 2 << 1 << red;
        QTest::newRow("watermelon current, beef red") << QList<int>{91, 0} << 1 << 2 << red;
        QTest::newRow("beef current, watermelon red") << QList<int>{91, 0} << 2 << 1 << red;
        QTest::newRow("two meats red") << QList<int>{0, 4} << 1 << 2 << red;
        QTest::newRow("beef current, cucumber green") << QList<int>{0, 64} << 1 << 2 << green;
        QTest::newRow("the current row is black") << QList<int>{0, 64} << 2 << 2 << black;
    }
    void compatibilityColours() {
        QFETCH(QList<int>, foods);
        QFETCH(int, currentRow);
        QFETCH(int, drawnRow);
        QFETCH(QColor, colour);
        for (int food : foods)
            AddFood(food);
        ClickQuantity(currentRow);
        QCOMPARE(CurrentRow(Ration()), currentRow);
        QCOMPARE(NameColour(drawnRow), colour);
    }

    void clickingANameChangesNeitherRowNorColours() {
        AddFood(43);
        AddFood(46);
        QCOMPARE(NameColour(2), QColor(255, 0, 0));
        QTest::mouseClick(Ration().viewport(), Qt::LeftButton, {},
                          CellRect(Ration(), 0, 2).center());
        QCOMPARE(CurrentRow(Ration()), 1);
        QCOMPARE(NameColour(2), QColor(255, 0, 0));
        QCOMPARE(NameColour(1), QColor(0, 0, 0));
    }

    void fixedCellsAreCreamAndOthersWhite() {
        AddFood(0);
        const QImage image = Ration().viewport()->grab().toImage();
        const QRect value = CellRect(Ration(), 1, 1);
        const QRect quantity = CellRect(Ration(), 4, 1);
        QCOMPARE(QColor(image.pixel(value.right() - 2, value.center().y())),
                 QColor(0xFF, 0xFB, 0xF0));
        QCOMPARE(QColor(image.pixel(quantity.right() - 2, quantity.center().y())),
                 QColor(Qt::white));
    }

    void deletingRows() {
        for (int food : {0, 46, 22, 64})
            AddFood(food);
        TypeQuantity(2, QStringLiteral("200"));
        TypeQuantity(3, QStringLiteral("100"));
        TypeQuantity(4, QStringLiteral("100"));
        ClickQuantity(2);
        QTest::mouseClick(&Button("DelProductBtn"), Qt::LeftButton); // a middle row
        QCOMPARE(RationNames(), (QStringList{QStringLiteral("Говядина"), QStringLiteral("Рис"),
                                             QStringLiteral("Огурец")}));
        QCOMPARE(Cell(Ration(), 4, 2), QStringLiteral("100"));
        QCOMPARE(Cell(Ration(), 4, 3), QStringLiteral("100"));
        QCOMPARE(CurrentRow(Ration()), 2);
        QCOMPARE(MainForm->productsItems(), (std::vector<std::int32_t>{0, 22, 64}));
        QCOMPARE(Totals(), (QStringList{QStringLiteral("66,9"), QStringLiteral("8,3"),
                                        QStringLiteral("2,7")}));
        ClickQuantity(3);
        QTest::mouseClick(&Button("DelProductBtn"), Qt::LeftButton); // the last row
        QCOMPARE(RationNames(), (QStringList{QStringLiteral("Говядина"), QStringLiteral("Рис")}));
        QCOMPARE(CurrentRow(Ration()), 2);
        QTest::mouseClick(&Button("DelProductBtn"), Qt::LeftButton);
        QTest::mouseClick(&Button("DelProductBtn"), Qt::LeftButton); // the only row
        QCOMPARE(RowCount(Ration()), 1);
        QCOMPARE(ColumnCount(Ration()), 1);
        QCOMPARE(FixedRowCount(Ration()), 0);
        QVERIFY(!Ration().isEnabled());
        QCOMPARE(Cell(Ration(), 0, 0), QString());
        QVERIFY(MainForm->productsItems().empty());
        QCOMPARE(Totals(),
                 (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
        SetCell(Needs(), 1, 1, QStringLiteral("x"));
        QTest::mouseClick(&Button("DelProductBtn"), Qt::LeftButton); // on an empty table
        QCOMPARE(Totals(),
                 (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
        AddFood(85); // set up again from the empty state
        QCOMPARE(RationRow(1).first(), QStringLiteral("Яйцо куриное"));
        QCOMPARE(CellRect(Ration(), 0, 1).width(), 169);
    }

    void addedRowBelowTheViewDoesNotScroll() {
        for (int food = 0; food < 40; ++food)
            AddFood(food);
        QTRY_VERIFY(Ration().verticalScrollBar()->isVisible()); // the bar comes a moment later
        QCOMPARE(Ration().rowAt(0) + 1, 1);
        QCOMPARE(CurrentRow(Ration()), 1);
        QCOMPARE(int(MainForm->productsItems().size()), 40);
        // Scrolled away from the current row, an addition leaves the view where the user put it.
        Ration().verticalScrollBar()->setValue(10);
        AddFood(40);
        QCOMPARE(Ration().rowAt(0) + 1, 11);
        QCOMPARE(CurrentRow(Ration()), 1);
    }

    void descriptionFollowsTheCurrentRow() {
        QStringList captions, texts;
        TDialogForm::SetModalHook([&](TDialogForm& dialog) {
            if (&dialog == ProductDescriptionForm) {
                captions << dialog.windowTitle();
                texts << ProductDescriptionForm->Text().toPlainText();
            }
        });
        QTest::mouseClick(&Button("ProductInfoBtn"), Qt::LeftButton); // empty: nothing opens
        QVERIFY(captions.isEmpty());
        TDialogForm::SetModalHook({});
        AddFood(83);
        AddFood(16);
        TDialogForm::SetModalHook([&](TDialogForm& dialog) {
            if (&dialog == ProductDescriptionForm) {
                captions << dialog.windowTitle();
                texts << ProductDescriptionForm->Text().toPlainText();
            }
        });
        QTest::mouseClick(&Button("ProductInfoBtn"), Qt::LeftButton);
        QTest::mouseClick(Ration().viewport(), Qt::LeftButton, {},
                          CellRect(Ration(), 0, 2).center());
        QTest::mouseClick(&Button("ProductInfoBtn"), Qt::LeftButton); // a name click moves nothing
        ClickQuantity(2);
        QTest::mouseClick(&Button("ProductInfoBtn"), Qt::LeftButton);
        QCOMPARE(captions, (QStringList{QStringLiteral("Сыр \"Российский\""),
                                        QStringLiteral("Сыр \"Российский\""),
                                        QStringLiteral("Пшеница мягкая")}));
        QVERIFY(texts[2].startsWith(QStringLiteral("Обладает многими полезными свойствами")));
        QVERIFY(texts[0] != texts[2]);
    }

    void legendOpensEvenOnAnEmptyTable() {
        int shown = 0;
        TDialogForm::SetModalHook(
            [&](TDialogForm& dialog) { shown += &dialog == ProductGridDescForm; });
        QTest::mouseClick(&Button("ClearProductsBtn"), Qt::LeftButton);
        QCOMPARE(shown, 1);
        QCOMPARE(RowCount(Ration()), 1);
    }
};

QTEST_MAIN(RationTableTest)
#include "RationTableTest.moc"

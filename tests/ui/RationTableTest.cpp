// The ration table on the main window: adding through the picker, typing quantities through the
// key filter, the totals in the needs table, the compatibility colours and deleting rows.
#include "FormsFixture.h"
#include "Main.h"
#include "ProductDescription.h"
#include "ProductGridDesc.h"
#include "ProductsList.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

class RationTableTest : public QObject {
    Q_OBJECT
    FormsFixture fixture;

    static StringGrid& grid() {
        return *MainForm->findChild<StringGrid*>(QStringLiteral("ProductGrid"));
    }
    static StringGrid& needs() {
        return *MainForm->findChild<StringGrid*>(QStringLiteral("MacroGrid"));
    }
    static QPushButton& button(const char* name) {
        return *MainForm->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static QStringList totals() {
        return {needs().cell(1, 1), needs().cell(1, 2), needs().cell(1, 3)};
    }
    static QStringList row(int r) {
        QStringList texts;
        for (int c = 0; c < grid().columnCount(); ++c)
            texts << grid().cell(c, r);
        return texts;
    }
    static QStringList names() {
        QStringList texts;
        for (int r = 1; r < grid().rowCount(); ++r)
            texts << grid().cell(0, r);
        return texts;
    }

    // Presses the add button; the picker answers with `index` as if it had been double-clicked.
    static void add(int index) {
        TDialogForm::SetModalHook([index](TDialogForm& dialog) {
            if (&dialog == ProductsForm) ProductsForm->MResult = index;
        });
        QTest::mouseClick(&button("AddProductBtn"), Qt::LeftButton);
        TDialogForm::SetModalHook({});
    }
    static void clickQuantity(int r) {
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, grid().cellRect(4, r).center());
    }
    // Keys go where a user's keys go: to the focused widget, which is the editor once it opens.
    static void typeKeys(const QString& keys) {
        for (const QChar key : keys)
            QTest::keyClick(QApplication::focusWidget(), char(key.unicode()));
    }
    static void typeQuantity(int r, const QString& keys) {
        clickQuantity(r);
        typeKeys(keys);
        if (grid().isEditorOpen()) QTest::keyClick(grid().editor(), Qt::Key_Return);
    }

    // The colour a name cell's text is drawn in, read back from the painted pixels. Text is
    // antialiased against the white cell, so each pixel lies between white and the text colour;
    // the candidate whose blend line passes nearest the pixel gets its vote.
    static QColor nameColour(int r) {
        grid().repaintAll();
        const QImage image = grid().viewport()->grab().toImage();
        const QList<QColor> candidates{QColor(0, 0, 0), QColor(0, 128, 0), QColor(0, 0, 255),
                                       QColor(255, 0, 0)};
        QList<int> votes(candidates.size(), 0);
        const QRect cell = grid().cellRect(0, r).adjusted(2, 2, -2, -2); // not the raised edge
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QColor p(image.pixel(x, y));
                const double d[3] = {255.0 - p.red(), 255.0 - p.green(), 255.0 - p.blue()};
                if (d[0] + d[1] + d[2] < 120) // background or too faint to tell
                    continue;
                int best = 0;
                double bestDistance = 1e9;
                for (int i = 0; i < candidates.size(); ++i) {
                    const double c[3] = {255.0 - candidates[i].red(), 255.0 - candidates[i].green(),
                                         255.0 - candidates[i].blue()};
                    const double cc = c[0] * c[0] + c[1] * c[1] + c[2] * c[2];
                    const double t = (d[0] * c[0] + d[1] * c[1] + d[2] * c[2]) / cc;
                    double distance = 0;
                    for (int k = 0; k < 3; ++k)
                        distance += (d[k] - t * c[k]) * (d[k] - t * c[k]);
                    if (distance < bestDistance) {
                        bestDistance = distance;
                        best = int(i);
                    }
                }
                ++votes[best];
            }
        const auto most = std::max_element(votes.begin(), votes.end());
        return *most == 0 ? QColor() : candidates[int(most - votes.begin())];
    }

private slots:
    void initTestCase() { FormsFixture::initApplication(); }
    void init() { fixture.createAndShowForms(); }
    void cleanup() { fixture.destroyForms(); }

    void startsEmptyAndDisabled() {
        QCOMPARE(grid().rowCount(), 1);
        QCOMPARE(grid().columnCount(), 1);
        QCOMPARE(grid().fixedRowCount(), 0);
        QCOMPARE(grid().fixedColumnCount(), 0);
        QVERIFY(!grid().isEnabled());
        QCOMPARE(grid().columnWidth(0), 169);
        QCOMPARE(grid().rowHeight(0), 17);
        for (const char* name :
             {"AddProductBtn", "DelProductBtn", "ProductInfoBtn", "ClearProductsBtn"})
            QVERIFY(button(name).isEnabled());
        QCOMPARE(button("AddProductBtn").text(), QStringLiteral(" Добавить продукт"));
        QCOMPARE(button("DelProductBtn").text(), QStringLiteral(" Удалить выделенный"));
        QCOMPARE(button("ProductInfoBtn").text(), QStringLiteral(" Описание продукта"));
        QCOMPARE(button("ClearProductsBtn").text(), QStringLiteral("Расшифровка таблицы"));
        QVERIFY(!button("AddProductBtn").icon().isNull());
        QVERIFY(button("ClearProductsBtn").icon().isNull());
        QCOMPARE(totals(), (QStringList{QString(), QString(), QString()}));
    }

    void firstAddSetsTheTableUp() {
        add(0);
        QCOMPARE(row(0), (QStringList{QStringLiteral("Продукт"), QStringLiteral("Угл."),
                                      QStringLiteral("Бел."), QStringLiteral("Жир."),
                                      QStringLiteral("Кол.")}));
        QCOMPARE(row(1),
                 (QStringList{QStringLiteral("Говядина"), QStringLiteral("0"), QStringLiteral("18"),
                              QStringLiteral("16"), QStringLiteral("0")}));
        QCOMPARE(grid().fixedRowCount(), 1);
        QCOMPARE(grid().fixedColumnCount(), 4);
        QVERIFY(grid().isEnabled());
        QCOMPARE(grid().currentColumn(), 4);
        QCOMPARE(grid().currentRow(), 1);
        QCOMPARE(grid().columnWidth(0), 169);
        QCOMPARE(grid().columnWidth(1), 45);
        QCOMPARE(MainForm->productsItems(), std::vector<std::int32_t>{0});
        QCOMPARE(totals(),
                 (QStringList{QString(), QString(), QString()})); // adding never recomputes
    }

    void nothingChosenOrADuplicateChangesNothing() {
        add(-1);
        QCOMPARE(grid().rowCount(), 1);
        add(46);
        add(46);
        QCOMPARE(names(), QStringList{QStringLiteral("Картофель")});
        QCOMPARE(MainForm->productsItems(), std::vector<std::int32_t>{46});
    }

    void valuesShowFiveDigitsAndRowsKeepTheirOrder() {
        add(1);  // Баранина 0 / 15,6 / 16,3
        add(37); // Подсолнечное масло 0 / 0 / 99,9
        add(91);
        QCOMPARE(row(2),
                 (QStringList{QStringLiteral("Подсолнечное масло"), QStringLiteral("0"),
                              QStringLiteral("0"), QStringLiteral("99,9"), QStringLiteral("0")}));
        QCOMPARE(row(1).mid(1, 3), (QStringList{QStringLiteral("0"), QStringLiteral("15,6"),
                                                QStringLiteral("16,3")}));
        QCOMPARE(grid().currentRow(), 1); // adding does not move the current row
        QCOMPARE(MainForm->productsItems(), (std::vector<std::int32_t>{1, 37, 91}));
    }

    void keyFilterLetsOnlyDigitsThrough() {
        add(0);
        grid().setFocus();
        typeKeys(QStringLiteral("1a2.-"));
        QCOMPARE(grid().cell(4, 1), QStringLiteral("12"));
        QApplication::clipboard()->setText(QStringLiteral("345"));
        QTest::keyClick(grid().editor(), Qt::Key_V, Qt::ControlModifier); // discarded
        QCOMPARE(grid().cell(4, 1), QStringLiteral("12"));
        QCOMPARE(totals(), (QStringList{QStringLiteral("0"), QStringLiteral("2,16"),
                                        QStringLiteral("1,92")}));
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
            add(food);
        for (int i = 0; i < quantities.size(); ++i)
            typeQuantity(i + 1, quantities[i]);
        QCOMPARE(totals(), shown);
        QVERIFY(fixture.errorBoxes.isEmpty());
    }

    void emptiedQuantityCountsAsZero() {
        add(0);
        typeQuantity(1, QStringLiteral("100"));
        clickQuantity(1); // opens the editor on the current cell
        QTest::keyClick(grid().editor(), Qt::Key_A, Qt::ControlModifier); // discarded, too
        QTest::keyClick(grid().editor(), Qt::Key_End);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(grid().editor(), Qt::Key_Backspace);
        QCOMPARE(grid().cell(4, 1), QString());
        QCOMPARE(totals(),
                 (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
        QVERIFY(fixture.errorBoxes.isEmpty());
    }

    void pastedNumberBeyond32BitsShowsTheErrorBox() {
        add(0);
        add(46);
        typeQuantity(2, QStringLiteral("200"));
        const QStringList before = totals();
        clickQuantity(1); // moves to the row
        clickQuantity(1); // opens the editor on it
        QVERIFY(grid().isEditorOpen());
        grid().editor()->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("2147483648"));
        QTest::keyClick(grid().editor(), Qt::Key_Insert, Qt::ShiftModifier); // not filtered
        QCOMPARE(grid().cell(4, 1), QStringLiteral("2147483648"));
        QCOMPARE(fixture.errorBoxes,
                 QStringList{QStringLiteral("''2147483648'' is not a valid integer value.")});
        QCOMPARE(totals(), before);
        // Every later recomputation names the first failing row, whichever row is edited.
        fixture.errorBoxes.clear();
        typeQuantity(2, QStringLiteral("5"));
        // The press gives up the editor on row 1, the digit changes row 2, Enter gives it up.
        QCOMPARE(fixture.errorBoxes.size(), 3);
        QVERIFY(fixture.errorBoxes.first().startsWith(QStringLiteral("''2147483648''")));
        QCOMPARE(totals(), before);
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
            add(food);
        clickQuantity(currentRow);
        QCOMPARE(grid().currentRow(), currentRow);
        QCOMPARE(nameColour(drawnRow), colour);
    }

    void clickingANameChangesNeitherRowNorColours() {
        add(43);
        add(46);
        QCOMPARE(nameColour(2), QColor(255, 0, 0));
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, grid().cellRect(0, 2).center());
        QCOMPARE(grid().currentRow(), 1);
        QCOMPARE(nameColour(2), QColor(255, 0, 0));
        QCOMPARE(nameColour(1), QColor(0, 0, 0));
    }

    void fixedCellsAreCreamAndOthersWhite() {
        add(0);
        grid().repaintAll();
        const QImage image = grid().viewport()->grab().toImage();
        const QRect value = grid().cellRect(1, 1);
        const QRect quantity = grid().cellRect(4, 1);
        QCOMPARE(QColor(image.pixel(value.right() - 2, value.center().y())),
                 QColor(0xFF, 0xFB, 0xF0));
        QCOMPARE(QColor(image.pixel(quantity.right() - 2, quantity.center().y())),
                 QColor(Qt::white));
    }

    void deletingRows() {
        for (int food : {0, 46, 22, 64})
            add(food);
        typeQuantity(2, QStringLiteral("200"));
        typeQuantity(3, QStringLiteral("100"));
        typeQuantity(4, QStringLiteral("100"));
        clickQuantity(2);
        QTest::mouseClick(&button("DelProductBtn"), Qt::LeftButton); // a middle row
        QCOMPARE(names(), (QStringList{QStringLiteral("Говядина"), QStringLiteral("Рис"),
                                       QStringLiteral("Огурец")}));
        QCOMPARE(grid().cell(4, 2), QStringLiteral("100"));
        QCOMPARE(grid().cell(4, 3), QStringLiteral("100"));
        QCOMPARE(grid().currentRow(), 2);
        QCOMPARE(MainForm->productsItems(), (std::vector<std::int32_t>{0, 22, 64}));
        QCOMPARE(totals(), (QStringList{QStringLiteral("66,9"), QStringLiteral("8,3"),
                                        QStringLiteral("2,7")}));
        clickQuantity(3);
        QTest::mouseClick(&button("DelProductBtn"), Qt::LeftButton); // the last row
        QCOMPARE(names(), (QStringList{QStringLiteral("Говядина"), QStringLiteral("Рис")}));
        QCOMPARE(grid().currentRow(), 2);
        QTest::mouseClick(&button("DelProductBtn"), Qt::LeftButton);
        QTest::mouseClick(&button("DelProductBtn"), Qt::LeftButton); // the only row
        QCOMPARE(grid().rowCount(), 1);
        QCOMPARE(grid().columnCount(), 1);
        QCOMPARE(grid().fixedRowCount(), 0);
        QVERIFY(!grid().isEnabled());
        QCOMPARE(grid().cell(0, 0), QString());
        QVERIFY(MainForm->productsItems().empty());
        QCOMPARE(totals(),
                 (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
        needs().setCell(1, 1, QStringLiteral("x"));
        QTest::mouseClick(&button("DelProductBtn"), Qt::LeftButton); // on an empty table
        QCOMPARE(totals(),
                 (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
        add(85); // set up again from the empty state
        QCOMPARE(row(1).first(), QStringLiteral("Яйцо куриное"));
        QCOMPARE(grid().columnWidth(0), 169);
    }

    void addedRowBelowTheViewDoesNotScroll() {
        for (int food = 0; food < 40; ++food)
            add(food);
        QCoreApplication::processEvents(); // the scroll area shows its bars a moment later
        QCOMPARE(grid().topRow(), 1);
        QCOMPARE(grid().currentRow(), 1);
        QVERIFY(grid().verticalScrollBar()->isVisible());
        QCOMPARE(int(MainForm->productsItems().size()), 40);
    }

    void descriptionFollowsTheCurrentRow() {
        QStringList captions, texts;
        TDialogForm::SetModalHook([&](TDialogForm& dialog) {
            if (&dialog == ProductDescriptionForm) {
                captions << dialog.windowTitle();
                texts << ProductDescriptionForm->Text().toPlainText();
            }
        });
        QTest::mouseClick(&button("ProductInfoBtn"), Qt::LeftButton); // empty: nothing opens
        QVERIFY(captions.isEmpty());
        TDialogForm::SetModalHook({});
        add(83);
        add(16);
        TDialogForm::SetModalHook([&](TDialogForm& dialog) {
            if (&dialog == ProductDescriptionForm) {
                captions << dialog.windowTitle();
                texts << ProductDescriptionForm->Text().toPlainText();
            }
        });
        QTest::mouseClick(&button("ProductInfoBtn"), Qt::LeftButton);
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, grid().cellRect(0, 2).center());
        QTest::mouseClick(&button("ProductInfoBtn"), Qt::LeftButton); // a name click moves nothing
        clickQuantity(2);
        QTest::mouseClick(&button("ProductInfoBtn"), Qt::LeftButton);
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
        QTest::mouseClick(&button("ClearProductsBtn"), Qt::LeftButton);
        QCOMPARE(shown, 1);
        QCOMPARE(grid().rowCount(), 1);
    }
};

QTEST_MAIN(RationTableTest)
#include "RationTableTest.moc"

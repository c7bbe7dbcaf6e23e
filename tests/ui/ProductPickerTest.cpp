// The product picker: the tree it builds from the catalogue, what a double-click hands back, and
// what it keeps between showings.
#include "Main.h"
#include "ProductsList.h"
#include "WindowDriver.h"
#include "WindowTest.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

class ProductPickerTest : public WindowTest {
    Q_OBJECT

    static QTreeWidget& tree() { return ProductsForm->TreeView(); }

    static QTreeWidgetItem* node(const QString& text) {
        for (QTreeWidgetItemIterator it(&tree()); *it; ++it)
            if ((*it)->text(0) == text) return *it;
        qFatal("no node %s", qPrintable(text));
    }

    // Shows the picker as the add button does (modally, answered through the test hook) and
    // lets `act` do what the user does while it is open. Returns the picker's result.
    static int showPicker(const std::function<void()>& act) {
        bool shown = false;
        TDialogForm::SetModalHook([&](TDialogForm& dialog) {
            shown = &dialog == ProductsForm && dialog.isVisible();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            act();
        });
        ProductsForm->ShowModal();
        TDialogForm::SetModalHook({});
        if (!shown) qFatal("the picker was not shown");
        return ProductsForm->MResult;
    }

    // A real double-click is a click followed by a second press that arrives as a double-click;
    // QTest::mouseDClick alone sends only the latter.
    static void userDoubleClick(QPoint position) {
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, position);
        QTest::mouseDClick(tree().viewport(), Qt::LeftButton, {}, position);
    }

    static void doubleClick(QTreeWidgetItem* item) {
        tree().scrollToItem(item);
        QCoreApplication::processEvents(); // the view lays its items out later
        const QPoint centre = tree().visualItemRect(item).center();
        userDoubleClick(centre);
    }

private slots:

    void treeListsTheCategoriesInCatalogueOrder() {
        QCOMPARE(ProductsForm->windowTitle(), QStringLiteral("Выберите продукт"));
        QCOMPARE(ProductsForm->size(), QSize(357, 466));
        QStringList categories;
        for (int i = 0; i < tree().topLevelItemCount(); ++i)
            categories << tree().topLevelItem(i)->text(0);
        const QStringList expected = {QStringLiteral("Мясо, рыба"),
                                      QStringLiteral("Зернобобовые"),
                                      QStringLiteral("Сливочное масло, сливки"),
                                      QStringLiteral("Сметана"),
                                      QStringLiteral("Растительное масло"),
                                      QStringLiteral("Торты, пирожные, сахар, мёд"),
                                      QStringLiteral("Хлеб, крупы, макароны, картофель"),
                                      QStringLiteral("Фрукты кислые"),
                                      QStringLiteral("Фрукты полукислые"),
                                      QStringLiteral("Фрукты сладкие, сухофрукты"),
                                      QStringLiteral("Овощи некрахмалистые"),
                                      QStringLiteral("Овощи крахмалистые"),
                                      QStringLiteral("Молоко"),
                                      QStringLiteral("Творог, кисло-молочные продукты"),
                                      QStringLiteral("Сыр, брынза"),
                                      QStringLiteral("Яйца"),
                                      QStringLiteral("Орехи"),
                                      QStringLiteral("Бахчевые")};
        QCOMPARE(categories, expected);

        int nodes = 0;
        int foodIndex = 0;
        for (QTreeWidgetItemIterator it(&tree()); *it; ++it, ++nodes) {
            QVERIFY((*it)->isExpanded() || (*it)->childCount() == 0);
            if ((*it)->parent()) // foods come in catalogue order, tagged with their index
                QCOMPARE(TProductsForm::Tag(**it), foodIndex++);
        }
        QCOMPARE(nodes, 111);
        QCOMPARE(foodIndex, 93);
        QCOMPARE(TProductsForm::Tag(*tree().topLevelItem(17)), 19);
        QCOMPARE(tree().topLevelItem(0)->child(0)->text(0), QStringLiteral("Говядина"));
        QCOMPARE(tree().topLevelItem(17)->child(1)->text(0), QStringLiteral("Дыня"));
        QCOMPARE(tree().currentItem(), tree().topLevelItem(0));
        QCOMPARE(tree().selectedItems(), QList<QTreeWidgetItem*>{tree().topLevelItem(0)});
    }

    void doubleClickOnAFoodChoosesIt_data() {
        QTest::addColumn<QString>("food");
        QTest::addColumn<int>("index");
        QTest::newRow("first") << "Говядина" << 0;
        QTest::newRow("last") << "Дыня" << 92;
        QTest::newRow("eggs") << "Яйцо куриное" << 85;
        QTest::newRow("quoted name") << "Сыр \"Российский\"" << 83;
    }
    void doubleClickOnAFoodChoosesIt() {
        QFETCH(QString, food);
        QFETCH(int, index);
        bool closed = false;
        QCOMPARE(showPicker([&] {
                     doubleClick(node(food));
                     closed = !ProductsForm->isVisible();
                 }),
                 index);
        QVERIFY(closed);
    }

    void categoryDoubleClickLeavesItOpen() {
        bool open = false;
        QCOMPARE(showPicker([&] {
                     doubleClick(node(QStringLiteral("Мясо, рыба")));
                     open = ProductsForm->isVisible();
                 }),
                 -1);
        QVERIFY(open);
    }

    void closingWithoutChoosingGivesMinusOne() {
        QCOMPARE(showPicker([] {
                     tree().setCurrentItem(node(QStringLiteral("Курятина")));
                     ProductsForm->close();
                 }),
                 -1);
    }

    void enterAndEscapeDoNotClose() {
        bool open = false;
        showPicker([&] {
            tree().setCurrentItem(node(QStringLiteral("Курятина")));
            QTest::keyClick(&tree(), Qt::Key_Return);
            QTest::keyClick(&tree(), Qt::Key_Escape);
            open = ProductsForm->isVisible();
        });
        QVERIFY(open);
    }

    void selectionAndFoldingPersistButNotTheResult() {
        QCOMPARE(showPicker([] { doubleClick(node(QStringLiteral("Курятина"))); }), 4);
        int resultWhenShown = 0;
        QTreeWidgetItem* current = nullptr;
        showPicker([&] {
            resultWhenShown = ProductsForm->MResult;
            current = tree().currentItem();
            node(QStringLiteral("Зернобобовые"))->setExpanded(false);
        });
        QCOMPARE(resultWhenShown, -1);
        QCOMPARE(current, node(QStringLiteral("Курятина")));
        bool folded = false;
        showPicker([&] { folded = !node(QStringLiteral("Зернобобовые"))->isExpanded(); });
        QVERIFY(folded);
    }

    void doubleClickOnEmptySpaceChoosesTheCurrentFood() {
        QCOMPARE(showPicker([] {
                     tree().collapseAll();
                     QTreeWidgetItem* melons = node(QStringLiteral("Бахчевые"));
                     melons->setExpanded(true);
                     tree().setCurrentItem(node(QStringLiteral("Арбуз")));
                     const QPoint below(10, tree().viewport()->height() - 3);
                     QVERIFY(!tree().itemAt(below));
                     userDoubleClick(below);
                 }),
                 91);
    }

    void firstShowingIsCentredOverTheMainWindow() {
        QPoint centre;
        showPicker([&] { centre = ProductsForm->frameGeometry().center(); });
        QVERIFY2((centre - MainForm->frameGeometry().center()).manhattanLength() <= 8,
                 qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
        QPoint moved;
        showPicker([] { ProductsForm->move(ProductsForm->pos() + QPoint(40, 30)); });
        showPicker([&] { moved = ProductsForm->frameGeometry().center(); });
        QCOMPARE(moved, centre + QPoint(40, 30));
    }
};

QTEST_MAIN(ProductPickerTest)
#include "ProductPickerTest.moc"

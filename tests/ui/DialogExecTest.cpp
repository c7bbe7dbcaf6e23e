// The dialogs' real modal showing, which the other window tests answer through the modal hook: a
// nested event loop that returns only when the user closes the dialog, with what was chosen.
#include "NeedDesc.h"
#include "ProductGridDesc.h"
#include "ProductsList.h"
#include "StringGrid.h"
#include "WindowDriver.h"
#include "WindowTest.h"

#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

using namespace Driver;

class DialogExecTest : public WindowTest {
    Q_OBJECT

    // Runs `whileOpen` with the modal dialog once the nested event loop has started.
    static void whenModal(const std::function<void(QWidget& dialog)>& whileOpen) {
        QTimer::singleShot(0, [whileOpen] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            whileOpen(*dialog);
        });
    }

private slots:
    void buttonsShowTheirDialogUntilItIsClosed_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("needs notes") << "NeedDescButton"
                                     << "TNeedDescForm";
        QTest::newRow("table legend") << "ClearProductsBtn"
                                      << "TProductGridDescForm";
        QTest::newRow("product picker") << "AddProductBtn"
                                        << "TProductsForm";
    }
    void buttonsShowTheirDialogUntilItIsClosed() {
        QFETCH(QString, button);
        QFETCH(QString, dialog);
        QPointer<QWidget> shown;
        bool modal = false;
        whenModal([&](QWidget& open) {
            shown = &open;
            modal = open.isModal() && open.isVisible();
            open.close();
        });
        QTest::mouseClick(&Button(button.toLatin1().constData()), Qt::LeftButton);
        QVERIFY(shown);
        QCOMPARE(QString::fromLatin1(shown->metaObject()->className()), dialog);
        QVERIFY(modal);
        QVERIFY(!shown->isVisible());
        QCOMPARE(RowCount(Ration()), 1); // the picker closed without a choice adds nothing
    }

    void pickerReturnsTheFoodDoubleClicked() {
        whenModal([](QWidget&) {
            QTreeWidget& tree = ProductsForm->TreeView();
            QTreeWidgetItem* beef = tree.topLevelItem(0)->child(0);
            const QPoint at = tree.visualItemRect(beef).center();
            QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, at);
        });
        QTest::mouseClick(&Button("AddProductBtn"), Qt::LeftButton);
        QVERIFY(!ProductsForm->isVisible());
        QCOMPARE(RationNames(), QStringList{QStringLiteral("Говядина")});
    }
};

QTEST_MAIN(DialogExecTest)
#include "DialogExecTest.moc"

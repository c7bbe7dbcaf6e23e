#include "WindowDriver.h"

#include "CellRoles.h"
#include "DialogForm.h"
#include "IntegerSpinBox.h"
#include "ProductsList.h"
#include "StringGrid.h"
#include "Tables.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace Driver {

QString LabelText(const char* name) {
    return Control<QLabel>(name).text();
}

IntegerSpinBox& Spin(const char* name) {
    return Control<IntegerSpinBox>(name);
}

QLineEdit& Field(const char* name) {
    return *Spin(name).findChild<QLineEdit*>();
}

QPushButton& Button(const char* name) {
    return Control<QPushButton>(name);
}

StringGrid& Ration() {
    return Control<StringGrid>("ProductGrid");
}

StringGrid& Needs() {
    return Control<StringGrid>("MacroGrid");
}

void AddFood(int catalogueIndex) {
    TDialogForm::SetModalHook([catalogueIndex](TDialogForm& dialog) {
        if (&dialog == ProductsForm) ProductsForm->MResult = catalogueIndex;
    });
    QTest::mouseClick(&Button("AddProductBtn"), Qt::LeftButton);
    TDialogForm::SetModalHook({});
}

void ShowModal(TDialogForm& dialog, const std::function<void()>& whileShown) {
    bool shown = false;
    TDialogForm::SetModalHook([&](TDialogForm& open) {
        shown = true;
        QCOMPARE(&open, &dialog);
        whileShown();
    });
    dialog.ShowModal();
    TDialogForm::SetModalHook({});
    QVERIFY(shown);
}

int RowCount(const StringGrid& grid) {
    return grid.model()->rowCount() + FixedRowCount(grid);
}

int ColumnCount(const StringGrid& grid) {
    return grid.model()->columnCount();
}

int FixedRowCount(const StringGrid& grid) {
    return grid.horizontalHeader()->isVisible() ? 1 : 0;
}

int FixedColumnCount(const StringGrid& grid) {
    int fixed = 0;
    while (fixed < ColumnCount(grid) && grid.model()->index(0, fixed).data(FixedCellRole).toBool())
        ++fixed;
    return fixed;
}

QModelIndex CellIndex(const StringGrid& grid, int column, int row) {
    return grid.model()->index(row - FixedRowCount(grid), column);
}

QString Cell(const StringGrid& grid, int column, int row) {
    if (row < FixedRowCount(grid))
        return grid.model()->headerData(column, Qt::Horizontal).toString();
    return CellIndex(grid, column, row).data().toString();
}

void SetCell(StringGrid& grid, int column, int row, const QString& text) {
    grid.model()->setData(CellIndex(grid, column, row), text);
}

QRect CellRect(const StringGrid& grid, int column, int row) {
    if (row < FixedRowCount(grid)) {
        const QHeaderView& header = *grid.horizontalHeader();
        return {header.sectionViewportPosition(column), -header.height(),
                header.sectionSize(column) - StringGrid::GridLine,
                header.height() - StringGrid::GridLine};
    }
    return grid.visualRect(CellIndex(grid, column, row))
        .adjusted(0, 0, -StringGrid::GridLine, -StringGrid::GridLine);
}

int CurrentColumn(const StringGrid& grid) {
    return grid.currentIndex().column();
}

int CurrentRow(const StringGrid& grid) {
    return grid.currentIndex().isValid() ? grid.currentIndex().row() + FixedRowCount(grid) : -1;
}

QLineEdit* Editor(const StringGrid& grid) {
    return qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
}

void ClickQuantity(int row) {
    QTest::mouseClick(Ration().viewport(), Qt::LeftButton, {},
                      CellRect(Ration(), QuantityColumn, row).center());
}

void TypeKeys(const QString& keys) {
    for (const QChar key : keys)
        QTest::keyClick(QApplication::focusWidget(), char(key.unicode()));
}

void TypeQuantity(int row, const QString& keys) {
    ClickQuantity(row);
    TypeKeys(keys);
    if (QLineEdit* editor = Editor(Ration())) QTest::keyClick(editor, Qt::Key_Return);
}

QStringList Totals() {
    return {Cell(Needs(), TotalColumn, 1 + CarbohydratesRow),
            Cell(Needs(), TotalColumn, 1 + ProteinsRow), Cell(Needs(), TotalColumn, 1 + FatsRow)};
}

QStringList RationRow(int row) {
    QStringList texts;
    for (int column = 0; column < ColumnCount(Ration()); ++column)
        texts << Cell(Ration(), column, row);
    return texts;
}

QStringList RationNames() {
    QStringList texts;
    for (int row = 1; row < RowCount(Ration()); ++row)
        texts << Cell(Ration(), NameColumn, row);
    return texts;
}

QImage TableImage(StringGrid& grid) {
    return grid.grab().toImage();
}

QRect CellInImage(const StringGrid& grid, int column, int row) {
    return CellRect(grid, column, row).translated(grid.viewport()->pos());
}

QColor NameColour(int row) {
    return CellIndex(Ration(), NameColumn, row).data(Qt::ForegroundRole).value<QColor>();
}

} // namespace Driver

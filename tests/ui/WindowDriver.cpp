#include "WindowDriver.h"

#include "DialogForm.h"
#include "IntegerSpinBox.h"
#include "ProductsList.h"
#include "StringGrid.h"
#include "Tables.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>

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

void ClickQuantity(int row) {
    QTest::mouseClick(Ration().viewport(), Qt::LeftButton, {},
                      Ration().cellRect(QuantityColumn, row).center());
}

void TypeKeys(const QString& keys) {
    for (const QChar key : keys)
        QTest::keyClick(QApplication::focusWidget(), char(key.unicode()));
}

void TypeQuantity(int row, const QString& keys) {
    ClickQuantity(row);
    TypeKeys(keys);
    if (Ration().isEditorOpen()) QTest::keyClick(Ration().editor(), Qt::Key_Return);
}

QStringList Totals() {
    return {Needs().cell(TotalColumn, CarbohydratesRow), Needs().cell(TotalColumn, ProteinsRow),
            Needs().cell(TotalColumn, FatsRow)};
}

QStringList RationRow(int row) {
    QStringList texts;
    for (int column = 0; column < Ration().columnCount(); ++column)
        texts << Ration().cell(column, row);
    return texts;
}

QStringList RationNames() {
    QStringList texts;
    for (int row = 1; row < Ration().rowCount(); ++row)
        texts << Ration().cell(NameColumn, row);
    return texts;
}

QImage TableImage(StringGrid& grid) {
    grid.repaintAll();
    return grid.grab().toImage();
}

QRect CellInImage(const StringGrid& grid, int column, int row) {
    return grid.cellRect(column, row).translated(grid.viewport()->pos());
}

QColor NameColour(int row) {
    // Text is antialiased against the white cell, so each pixel lies between white and the text
    // colour; the candidate whose blend line passes nearest the pixel gets its vote.
    const QImage image = TableImage(Ration());
    const QList<QColor> candidates{QColor(0, 0, 0), QColor(0, 128, 0), QColor(0, 0, 255),
                                   QColor(255, 0, 0)};
    QList<int> votes(candidates.size(), 0);
    const QRect cell = CellInImage(Ration(), NameColumn, row).adjusted(2, 2, -2, -2);
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor p(image.pixel(x, y));
            const double d[3] = {255.0 - p.red(), 255.0 - p.green(), 255.0 - p.blue()};
            if (d[0] + d[1] + d[2] < 120) continue; // background or too faint to tell
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
                    best = i;
                }
            }
            ++votes[best];
        }
    const auto most = std::max_element(votes.begin(), votes.end());
    return *most == 0 ? QColor() : candidates[int(most - votes.begin())];
}

} // namespace Driver

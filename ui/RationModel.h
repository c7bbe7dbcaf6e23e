#pragma once
// The ration as the ration table shows it: one row per food, in the order the foods were added,
// with the food's name and its carbohydrates, proteins and fats per 100 g (texts fixed when the
// row is added) and its quantity in grams as the user typed it, the one cell that can be edited.
// The header row names the columns and the first four columns are fixed. A food's name takes the
// colour of its combination with the food of the current row.
//
// While the ration is empty the table shows a single empty cell, as the classic grid always keeps
// one row and one column.
#include "Ration.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <cstdint>
#include <vector>

class RationModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The catalogue index of every row, in table order.
    const std::vector<std::int32_t>& productsItems() const { return ProductsItems; }
    // The rows as the totals are computed from them.
    std::vector<RationRow> rationRows() const;

    bool contains(std::int32_t food) const;
    void append(std::int32_t food); // with the quantity "0"
    void removeFood(int row);       // the rows below move up
    void clear();
    // The row whose food the colours of the others refer to.
    void setCurrentRow(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The editor set a quantity: on every change of its text, and once more when it gave up the
    // cell.
    void quantityEdited(int row);

private:
    // The look of a cell (row -1 is the header row): the roles of CellRoles.h and Qt's.
    QVariant ProductGridDrawCell(int column, int row, int role) const;

    std::vector<std::int32_t> ProductsItems;
    std::vector<QStringList> texts_; // each row's name, three values and quantity
    std::int32_t currentFood_ = -1;
};

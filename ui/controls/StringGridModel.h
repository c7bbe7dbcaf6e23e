#pragma once
// The cells of a StringGrid: their texts and which of them are fixed. Grid rows are counted from
// the top of the grid; while the grid has fixed rows, its first row is the view's header and the
// table's rows start at grid row 1. Fixed cells have no item flags, so Qt's view never makes one
// current; the others are selectable and, while editing is on, editable.
#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

class StringGridModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int gridRows() const { return rows_; }
    int gridColumns() const { return columns_; }
    int fixedRows() const { return fixedRows_; }
    int fixedColumns() const { return fixedColumns_; }
    int headerRows() const { return fixedRows_ > 0 ? 1 : 0; }

    // Counts already kept within the grid's limits, fixed counts below the counts. Texts of the
    // rows and columns that remain are kept; those that go are dropped.
    void setCounts(int rows, int columns, int fixedRows, int fixedColumns);
    bool isEditable() const { return editable_; }
    void setEditable(bool editable);

    bool contains(int column, int row) const {
        return column >= 0 && row >= 0 && column < columns_ && row < rows_;
    }
    bool isFixed(int column, int row) const { return column < fixedColumns_ || row < fixedRows_; }
    QString text(int column, int row) const; // "" outside the grid
    void setText(int column, int row, const QString& text);
    // The model index of a grid cell; invalid for the header row and outside the grid.
    QModelIndex cellIndex(int column, int row) const;
    int gridRow(const QModelIndex& index) const { return index.row() + headerRows(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void allFlagsChanged();

    int rows_ = 5;
    int columns_ = 5;
    int fixedRows_ = 1;
    int fixedColumns_ = 1;
    bool editable_ = true;
    // Texts by grid row; a row's list may be shorter than the column count (missing cells are
    // empty), so that a tall and wide grid costs memory only for the cells that hold text.
    std::vector<QStringList> texts_ = std::vector<QStringList>(5);
};

#include "StringGridModel.h"

void StringGridModel::setCounts(int rows, int columns, int fixedRows, int fixedColumns) {
    // Gaining or losing the header row renumbers every table row: the view starts afresh. Other
    // changes insert or remove at the end, so the view keeps its current cell and scroll position.
    const bool renumbered = (fixedRows > 0) != (fixedRows_ > 0);
    if (renumbered) beginResetModel();
    if (columns != columns_) {
        const bool growing = columns > columns_;
        if (!renumbered && growing) beginInsertColumns({}, columns_, columns - 1);
        if (!renumbered && !growing) beginRemoveColumns({}, columns, columns_ - 1);
        for (QStringList& row : texts_)
            if (row.size() > columns) row.resize(columns);
        columns_ = columns;
        if (!renumbered) growing ? endInsertColumns() : endRemoveColumns();
    }
    if (rows != rows_) {
        const bool growing = rows > rows_;
        const int header = headerRows();
        if (!renumbered && growing) beginInsertRows({}, rows_ - header, rows - header - 1);
        if (!renumbered && !growing) beginRemoveRows({}, rows - header, rows_ - header - 1);
        texts_.resize(static_cast<std::size_t>(rows));
        rows_ = rows;
        if (!renumbered) growing ? endInsertRows() : endRemoveRows();
    }
    const bool fixedChanged = fixedRows != fixedRows_ || fixedColumns != fixedColumns_;
    fixedRows_ = fixedRows;
    fixedColumns_ = fixedColumns;
    if (renumbered)
        endResetModel();
    else if (fixedChanged)
        allFlagsChanged();
}

void StringGridModel::setEditable(bool editable) {
    if (editable == editable_) return;
    editable_ = editable;
    allFlagsChanged();
}

void StringGridModel::allFlagsChanged() {
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

QString StringGridModel::text(int column, int row) const {
    if (!contains(column, row)) return {};
    return texts_[static_cast<std::size_t>(row)].value(column);
}

void StringGridModel::setText(int column, int row, const QString& text) {
    if (!contains(column, row)) return;
    QStringList& cells = texts_[static_cast<std::size_t>(row)];
    if (column >= cells.size()) {
        if (text.isEmpty()) return;
        cells.resize(column + 1);
    }
    cells[column] = text;
    if (row < headerRows())
        emit headerDataChanged(Qt::Horizontal, column, column);
    else
        emit dataChanged(cellIndex(column, row), cellIndex(column, row));
}

QModelIndex StringGridModel::cellIndex(int column, int row) const {
    if (!contains(column, row) || row < headerRows()) return {};
    return index(row - headerRows(), column);
}

int StringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_ - headerRows();
}

int StringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::AccessibleTextRole)
        return {};
    return text(index.column(), gridRow(index));
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // The header row's cells name the columns; the rows have no names of their own.
    if (orientation == Qt::Horizontal && headerRows() > 0 &&
        (role == Qt::DisplayRole || role == Qt::AccessibleTextRole))
        return text(section, 0);
    return {};
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || isFixed(index.column(), gridRow(index))) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable |
           (editable_ ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

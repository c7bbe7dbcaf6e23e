#pragma once
// What a screen reader sees of a StringGrid: a table whose children are its cells, each read by
// its text, with the current cell as the selected and (while the grid has the focus) focused
// one. The grid paints its cells itself, so Qt's item-view accessibility does not cover it.
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

class StringGrid;

// Registers the accessibility factory for StringGrid once; the grid's constructor calls it.
void installStringGridAccessibility();

class StringGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit StringGridAccessible(StringGrid* grid);
    ~StringGridAccessible() override;

    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 1; }
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    // One cell at a time, never whole rows or columns.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    StringGrid* grid() const;

    // Cell interfaces made so far, by row and column; the accessibility cache owns them.
    mutable QHash<quint64, QAccessible::Id> cells_;
};

class StringGridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    StringGridCellAccessible(StringGrid* grid, int row, int column);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    bool isCurrent() const;

    QPointer<StringGrid> grid_;
    int row_;
    int column_;
};

#include "StringGridAccessible.h"
#include "StringGrid.h"
#include "StringGridPrivate.h"

#include <QLineEdit>
#include <QWidget>
#include <QWindow>

namespace {

QAccessibleInterface* stringGridFactory(const QString& className, QObject* object) {
    if (className == QLatin1StringView("StringGrid")) {
        if (auto* grid = qobject_cast<StringGrid*>(object)) return new StringGridAccessible(grid);
    }
    return nullptr;
}

bool hasKeyboardFocus(const StringGrid* grid) {
    const QLineEdit* editor = grid->editor();
    return grid->hasFocus() || (grid->isEditorOpen() && editor && editor->hasFocus());
}

quint64 cellKey(int row, int column) {
    return (static_cast<quint64>(static_cast<quint32>(row)) << 32) | static_cast<quint32>(column);
}

// Texts of the fixed cells that head a row or a column, joined by blanks.
QString headerText(int count, auto textAt) {
    QStringList parts;
    for (int i = 0; i < count; ++i) {
        const QString text = textAt(i);
        if (!text.isEmpty()) parts.append(text);
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

void installStringGridAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(stringGridFactory);
        return true;
    }();
    Q_UNUSED(installed)
}

// --- notifications from the grid

void StringGrid::Private::notifyCurrentCell() const {
    if (!QAccessible::isActive()) return;
    const int index = currentRow * columnCount + currentColumn;
    QAccessibleEvent selection(q, QAccessible::Selection);
    selection.setChild(index);
    QAccessible::updateAccessibility(&selection);
    if (hasKeyboardFocus(q)) {
        QAccessibleEvent focus(q, QAccessible::Focus);
        focus.setChild(index);
        QAccessible::updateAccessibility(&focus);
    }
}

void StringGrid::Private::notifyCellText(int column, int row) const {
    if (!QAccessible::isActive()) return;
    QAccessibleEvent changed(q, QAccessible::NameChanged);
    changed.setChild(row * columnCount + column);
    QAccessible::updateAccessibility(&changed);
}

void StringGrid::Private::notifyLayout() const {
    if (!QAccessible::isActive()) return;
    QAccessibleTableModelChangeEvent reset(q, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
}

// --- the table

StringGridAccessible::StringGridAccessible(StringGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table) {
}

StringGridAccessible::~StringGridAccessible() {
    for (const QAccessible::Id id : std::as_const(cells_))
        QAccessible::deleteAccessibleInterface(id);
}

StringGrid* StringGridAccessible::grid() const {
    return static_cast<StringGrid*>(widget());
}

void* StringGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int StringGridAccessible::rowCount() const {
    return grid()->rowCount();
}
int StringGridAccessible::columnCount() const {
    return grid()->columnCount();
}

int StringGridAccessible::childCount() const {
    // At most MaxRowCount * MaxColumnCount, which an int holds.
    return grid()->rowCount() * grid()->columnCount();
}

QAccessibleInterface* StringGridAccessible::child(int index) const {
    const int columns = grid()->columnCount();
    if (index < 0 || index >= childCount()) return nullptr;
    return cellAt(index / columns, index % columns);
}

int StringGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* cell = dynamic_cast<const StringGridCellAccessible*>(child);
    if (!cell || !cell->isValid() || cell->parent() != this) return -1;
    return cell->rowIndex() * grid()->columnCount() + cell->columnIndex();
}

QAccessibleInterface* StringGridAccessible::childAt(int x, int y) const {
    const QPoint hit = grid()->cellAt(grid()->viewport()->mapFromGlobal(QPoint(x, y)));
    if (hit.x() < 0) return nullptr;
    return cellAt(hit.y(), hit.x());
}

QAccessibleInterface* StringGridAccessible::focusChild() const {
    if (!hasKeyboardFocus(grid())) return nullptr;
    return cellAt(grid()->currentRow(), grid()->currentColumn());
}

QAccessibleInterface* StringGridAccessible::cellAt(int row, int column) const {
    StringGrid* view = grid();
    if (row < 0 || column < 0 || row >= view->rowCount() || column >= view->columnCount())
        return nullptr;
    const quint64 key = cellKey(row, column);
    if (const auto found = cells_.constFind(key); found != cells_.cend())
        return QAccessible::accessibleInterface(*found);
    auto* cell = new StringGridCellAccessible(view, row, column);
    cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QList<QAccessibleInterface*> StringGridAccessible::selectedCells() const {
    return {cellAt(grid()->currentRow(), grid()->currentColumn())};
}

QString StringGridAccessible::columnDescription(int column) const {
    const StringGrid* view = grid();
    return headerText(view->fixedRowCount(), [&](int row) { return view->cell(column, row); });
}

QString StringGridAccessible::rowDescription(int row) const {
    const StringGrid* view = grid();
    return headerText(view->fixedColumnCount(),
                      [&](int column) { return view->cell(column, row); });
}

void StringGridAccessible::modelChange(QAccessibleTableModelChangeEvent*) {
    // Cells that are gone from the grid are dropped; the others keep their identity.
    for (auto it = cells_.begin(); it != cells_.end();) {
        const int row = static_cast<int>(it.key() >> 32);
        const int column = static_cast<int>(it.key() & 0xFFFFFFFFu);
        if (row < grid()->rowCount() && column < grid()->columnCount()) {
            ++it;
            continue;
        }
        QAccessible::deleteAccessibleInterface(it.value());
        it = cells_.erase(it);
    }
}

// --- one cell

StringGridCellAccessible::StringGridCellAccessible(StringGrid* grid, int row, int column)
    : grid_(grid)
    , row_(row)
    , column_(column) {
}

bool StringGridCellAccessible::isValid() const {
    return grid_ && row_ < grid_->rowCount() && column_ < grid_->columnCount();
}

QWindow* StringGridCellAccessible::window() const {
    return grid_ ? grid_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* StringGridCellAccessible::parent() const {
    return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
}

QString StringGridCellAccessible::text(QAccessible::Text type) const {
    if (!isValid() || type != QAccessible::Name) return {};
    return grid_->cell(column_, row_);
}

QRect StringGridCellAccessible::rect() const {
    if (!isValid()) return {};
    const QRect local = grid_->cellRect(column_, row_);
    if (local.isEmpty()) return {};
    return QRect(grid_->viewport()->mapToGlobal(local.topLeft()), local.size());
}

bool StringGridCellAccessible::isCurrent() const {
    return isValid() && row_ == grid_->currentRow() && column_ == grid_->currentColumn();
}

QAccessible::State StringGridCellAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const bool fixed = row_ < grid_->fixedRowCount() || column_ < grid_->fixedColumnCount();
    state.focusable = !fixed;
    state.selectable = !fixed;
    state.editable = !fixed && grid_->isEditingEnabled();
    state.readOnly = !state.editable;
    state.selected = isCurrent();
    state.focused = isCurrent() && hasKeyboardFocus(grid_);
    state.disabled = !grid_->isEnabled();
    if (grid_->cellRect(column_, row_).isEmpty()) {
        state.invisible = true;
        state.offscreen = true;
    }
    return state;
}

void* StringGridCellAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

bool StringGridCellAccessible::isSelected() const {
    return isCurrent();
}

QList<QAccessibleInterface*> StringGridCellAccessible::columnHeaderCells() const {
    QList<QAccessibleInterface*> headers;
    QAccessibleInterface* table = parent();
    if (!isValid() || !table) return headers;
    for (int row = 0; row < grid_->fixedRowCount() && row < row_; ++row)
        headers.append(table->tableInterface()->cellAt(row, column_));
    return headers;
}

QList<QAccessibleInterface*> StringGridCellAccessible::rowHeaderCells() const {
    QList<QAccessibleInterface*> headers;
    QAccessibleInterface* table = parent();
    if (!isValid() || !table) return headers;
    for (int column = 0; column < grid_->fixedColumnCount() && column < column_; ++column)
        headers.append(table->tableInterface()->cellAt(row_, column));
    return headers;
}

// StringGrid: counts, sizes, texts, the current cell, geometry and vertical scrolling.
#include "StringGrid.h"
#include "StringGridAccessible.h"
#include "StringGridPrivate.h"

#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>

StringGrid::StringGrid(QWidget* parent)
    : QAbstractScrollArea(parent)
    , d(std::make_unique<Private>(this)) {
    installStringGridAccessibility();
    // The classic 2 px sunken border; event() draws it in the same colours under every style.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is painted by paintEvent
    verticalScrollBar()->setSingleStep(1);
    d->syncScrollBar();
}

StringGrid::~StringGrid() {
    // Deleting a focused editor sends it a focus-out; the filter must not see it once the
    // grid's state is gone.
    if (d->editor) {
        d->editor->removeEventFilter(this);
        delete d->editor;
    }
}

// --- counts

int StringGrid::rowCount() const {
    return d->rowCount;
}
int StringGrid::columnCount() const {
    return d->columnCount;
}
int StringGrid::fixedRowCount() const {
    return d->fixedRows;
}
int StringGrid::fixedColumnCount() const {
    return d->fixedColumns;
}

void StringGrid::setRowCount(int rows) {
    rows = std::clamp(rows, 1, MaxRowCount);
    if (rows == d->rowCount) return;
    d->giveUpEditor();
    d->rowCount = rows;
    d->rowHeights.resize(static_cast<std::size_t>(rows), d->defaultRowHeight);
    d->texts.resize(static_cast<std::size_t>(rows));
    d->fixedRows = std::min(d->fixedRows, rows - 1);
    d->countsChanged();
}

void StringGrid::setColumnCount(int columns) {
    columns = std::clamp(columns, 1, MaxColumnCount);
    if (columns == d->columnCount) return;
    d->giveUpEditor();
    if (columns < d->columnCount) {
        for (QStringList& row : d->texts) {
            if (row.size() > columns) row.resize(columns);
        }
    }
    d->columnCount = columns;
    d->columnWidths.resize(static_cast<std::size_t>(columns), d->defaultColumnWidth);
    d->fixedColumns = std::min(d->fixedColumns, columns - 1);
    d->countsChanged();
}

void StringGrid::setFixedRowCount(int rows) {
    rows = std::clamp(rows, 0, d->rowCount - 1);
    if (rows == d->fixedRows) return;
    d->giveUpEditor();
    d->fixedRows = rows;
    d->countsChanged();
}

void StringGrid::setFixedColumnCount(int columns) {
    columns = std::clamp(columns, 0, d->columnCount - 1);
    if (columns == d->fixedColumns) return;
    d->giveUpEditor();
    d->fixedColumns = columns;
    d->countsChanged();
}

void StringGrid::Private::countsChanged() {
    keepCurrentOffFixedCells();
    syncScrollBar();
    q->viewport()->update();
    notifyLayout();
}

void StringGrid::Private::keepCurrentOffFixedCells() {
    currentColumn = std::clamp(currentColumn, fixedColumns, columnCount - 1);
    currentRow = std::clamp(currentRow, fixedRows, rowCount - 1);
}

// --- sizes

int StringGrid::defaultColumnWidth() const {
    return d->defaultColumnWidth;
}
int StringGrid::defaultRowHeight() const {
    return d->defaultRowHeight;
}

void StringGrid::setDefaultColumnWidth(int width) {
    d->defaultColumnWidth = std::clamp(width, 0, MaxCellExtent);
    std::fill(d->columnWidths.begin(), d->columnWidths.end(), d->defaultColumnWidth);
    d->syncScrollBar();
    viewport()->update();
}

void StringGrid::setDefaultRowHeight(int height) {
    d->defaultRowHeight = std::clamp(height, 0, MaxCellExtent);
    std::fill(d->rowHeights.begin(), d->rowHeights.end(), d->defaultRowHeight);
    d->syncScrollBar();
    viewport()->update();
}

int StringGrid::columnWidth(int column) const {
    if (column < 0 || column >= d->columnCount) return 0;
    return d->columnWidths[static_cast<std::size_t>(column)];
}

void StringGrid::setColumnWidth(int column, int width) {
    if (column < 0 || column >= d->columnCount) return;
    d->columnWidths[static_cast<std::size_t>(column)] = std::clamp(width, 0, MaxCellExtent);
    d->placeEditor();
    viewport()->update();
}

int StringGrid::rowHeight(int row) const {
    if (row < 0 || row >= d->rowCount) return 0;
    return d->rowHeights[static_cast<std::size_t>(row)];
}

void StringGrid::setRowHeight(int row, int height) {
    if (row < 0 || row >= d->rowCount) return;
    d->rowHeights[static_cast<std::size_t>(row)] = std::clamp(height, 0, MaxCellExtent);
    d->syncScrollBar();
    viewport()->update();
}

// --- texts

QString StringGrid::cell(int column, int row) const {
    if (!d->contains(column, row)) return {};
    return d->texts[static_cast<std::size_t>(row)].value(column);
}

void StringGrid::setCell(int column, int row, const QString& text) {
    if (!d->contains(column, row)) return;
    d->storeText(column, row, text);
    if (d->editorOpen && column == d->editColumn && row == d->editRow)
        d->editor->setText(text); // setText is no edit: it raises no setEditText
    d->notifyCellText(column, row);
    const QRect rect = cellRect(column, row);
    if (!rect.isEmpty()) viewport()->update(rect);
}

void StringGrid::Private::storeText(int column, int row, const QString& text) {
    QStringList& cells = texts[static_cast<std::size_t>(row)];
    if (column >= cells.size()) {
        if (text.isEmpty()) return;
        cells.resize(column + 1);
    }
    cells[column] = text;
}

// --- the current cell

int StringGrid::currentColumn() const {
    return d->currentColumn;
}
int StringGrid::currentRow() const {
    return d->currentRow;
}
int StringGrid::topRow() const {
    return d->topRow;
}

void StringGrid::setCurrentCell(int column, int row) {
    if (!d->contains(column, row) || d->isFixed(column, row)) return;
    if (column == d->currentColumn && row == d->currentRow) return;
    d->giveUpEditor(); // the editor belongs to the cell it was opened on
    if (!d->contains(column, row) || d->isFixed(column, row))
        return; // a setEditText receiver changed the counts
    d->moveCurrent(column, row);
}

void StringGrid::Private::moveCurrent(int column, int row) {
    currentColumn = column;
    currentRow = row;
    ensureRowVisible(row);
    q->viewport()->update();
    notifyCurrentCell();
}

// --- geometry

std::vector<StringGrid::Private::Span> StringGrid::Private::visibleColumns() const {
    std::vector<Span> spans;
    const int width = q->viewport()->width();
    qint64 x = 0;
    for (int column = 0; column < columnCount && x < width; ++column) {
        const int extent = columnWidths[static_cast<std::size_t>(column)];
        spans.push_back({column, static_cast<int>(x), extent});
        x += qint64{extent} + 1;
    }
    return spans;
}

std::vector<StringGrid::Private::Span> StringGrid::Private::visibleRows() const {
    std::vector<Span> spans;
    const int height = q->viewport()->height();
    qint64 y = 0;
    auto add = [&](int row) {
        const int extent = rowHeights[static_cast<std::size_t>(row)];
        spans.push_back({row, static_cast<int>(y), extent});
        y += qint64{extent} + 1;
    };
    for (int row = 0; row < fixedRows && y < height; ++row)
        add(row);
    for (int row = topRow; row < rowCount && y < height; ++row)
        add(row);
    return spans;
}

qint64 StringGrid::Private::fixedRowsHeight() const {
    qint64 height = 0;
    for (int row = 0; row < fixedRows; ++row)
        height += qint64{rowHeights[static_cast<std::size_t>(row)]} + 1;
    return height;
}

int StringGrid::Private::maxTopRow() const {
    // The smallest top row from which all the remaining rows fit whole, grid lines included.
    const qint64 available = q->viewport()->height() - fixedRowsHeight();
    qint64 used = 0;
    int top = rowCount - 1; // when not even the last row fits, it may still be scrolled to
    for (int row = rowCount - 1; row >= fixedRows; --row) {
        used += qint64{rowHeights[static_cast<std::size_t>(row)]} + 1;
        if (used > available) break;
        top = row;
    }
    return top;
}

int StringGrid::Private::pageRowCount() const {
    const qint64 available = q->viewport()->height() - fixedRowsHeight();
    qint64 used = 0;
    int count = 0;
    for (int row = topRow; row < rowCount; ++row) {
        used += qint64{rowHeights[static_cast<std::size_t>(row)]} + 1;
        if (used > available) break;
        ++count;
    }
    return std::max(count, 1);
}

void StringGrid::Private::ensureRowVisible(int row) {
    if (row < fixedRows || row >= rowCount) return;
    int top = topRow;
    if (row < topRow) {
        top = row;
    } else {
        // The smallest top row that still shows this row whole.
        const qint64 available = q->viewport()->height() - fixedRowsHeight();
        qint64 used = 0;
        int fitting = row;
        for (int r = row; r >= fixedRows; --r) {
            used += qint64{rowHeights[static_cast<std::size_t>(r)]} + 1;
            if (used > available) break;
            fitting = r;
        }
        top = std::max(top, fitting);
    }
    if (top != topRow) {
        topRow = top;
        syncScrollBar();
        q->viewport()->update();
    }
}

void StringGrid::Private::syncScrollBar() {
    const int maxTop = maxTopRow();
    topRow = std::clamp(topRow, fixedRows, maxTop);
    QScrollBar* bar = q->verticalScrollBar();
    syncingScrollBar = true;
    bar->setRange(0, maxTop - fixedRows);
    bar->setPageStep(pageRowCount());
    bar->setValue(topRow - fixedRows);
    syncingScrollBar = false;
    placeEditor();
}

void StringGrid::scrollContentsBy(int, int) {
    if (d->syncingScrollBar) return;
    d->topRow = d->fixedRows + verticalScrollBar()->value();
    d->placeEditor();
    viewport()->update();
}

void StringGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    d->syncScrollBar();
}

QRect StringGrid::cellRect(int column, int row) const {
    if (!d->contains(column, row) || (row >= d->fixedRows && row < d->topRow)) return {};
    const int width = viewport()->width();
    const int height = viewport()->height();
    qint64 x = 0;
    for (int c = 0; c < column && x < width; ++c)
        x += qint64{d->columnWidths[static_cast<std::size_t>(c)]} + 1;
    qint64 y = 0;
    if (row < d->fixedRows) {
        for (int r = 0; r < row && y < height; ++r)
            y += qint64{d->rowHeights[static_cast<std::size_t>(r)]} + 1;
    } else {
        y = d->fixedRowsHeight();
        for (int r = d->topRow; r < row && y < height; ++r)
            y += qint64{d->rowHeights[static_cast<std::size_t>(r)]} + 1;
    }
    if (x >= width || y >= height) return {};
    return QRect(static_cast<int>(x), static_cast<int>(y),
                 d->columnWidths[static_cast<std::size_t>(column)],
                 d->rowHeights[static_cast<std::size_t>(row)]);
}

QPoint StringGrid::cellAt(const QPoint& viewportPoint) const {
    // A cell's hit area takes in the grid lines right of and below it.
    auto find = [](const std::vector<Private::Span>& spans, int position) {
        for (const Private::Span& span : spans) {
            if (position >= span.start && position <= span.start + span.extent) return span.index;
        }
        return -1;
    };
    const int column = find(d->visibleColumns(), viewportPoint.x());
    const int row = find(d->visibleRows(), viewportPoint.y());
    if (column < 0 || row < 0 || viewportPoint.x() < 0 || viewportPoint.y() < 0) return {-1, -1};
    return {column, row};
}

// --- appearance and editing switches

QColor StringGrid::fixedColor() const {
    return d->fixedColor;
}

void StringGrid::setFixedColor(const QColor& color) {
    d->fixedColor = color;
    viewport()->update();
}

bool StringGrid::isEditingEnabled() const {
    return d->editingEnabled;
}

void StringGrid::setEditingEnabled(bool on) {
    if (!on) d->giveUpEditor();
    d->editingEnabled = on;
}

void StringGrid::repaintAll() {
    viewport()->repaint();
}

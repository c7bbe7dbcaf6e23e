// StringGrid: counts, sizes, texts, the current cell and geometry over Qt's table view, and the
// classic grid's rules for keys, presses and the in-place editor.
#include "StringGrid.h"

#include "ClassicColours.h"
#include "StringGridModel.h"
#include "StringGridParts.h"
#include "TypedCharacter.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>

namespace {
constexpr char16_t Backspace = 8;
constexpr char16_t Enter = 13;
constexpr char16_t Escape = 27;
} // namespace

StringGrid::StringGrid(QWidget* parent)
    : QTableView(parent)
    , model_(new StringGridModel(this))
    , header_(new StringGridHeader(*this)) {
    setHorizontalHeader(header_);
    setModel(model_);
    setItemDelegate(new StringGridDelegate(*this));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setShowGrid(false); // the delegate draws the lines, in the classic colours
    setSelectionMode(SingleSelection);
    setEditTriggers(EditKeyPressed); // F2; the other ways in are the grid's own
    setTabKeyNavigation(false);      // Tab leaves the grid
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The classic 2 px sunken border, in the classic shades like the rest of the grid's lines.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    QPalette shades = palette();
    shades.setColor(QPalette::Dark, ClassicColour::Shadow3D);
    shades.setColor(QPalette::Shadow, ClassicColour::DarkShadow3D);
    shades.setColor(QPalette::Light, ClassicColour::White);
    shades.setColor(QPalette::Midlight, ClassicColour::Light3D);
    setPalette(shades);
    applySizes();
    moveCurrent(1, 1);
}

StringGrid::~StringGrid() = default;

// --- counts

int StringGrid::rowCount() const {
    return model_->gridRows();
}
int StringGrid::columnCount() const {
    return model_->gridColumns();
}
int StringGrid::fixedRowCount() const {
    return model_->fixedRows();
}
int StringGrid::fixedColumnCount() const {
    return model_->fixedColumns();
}

void StringGrid::setRowCount(int rows) {
    rows = std::clamp(rows, 1, MaxRowCount);
    applyCounts(rows, columnCount(), std::min(fixedRowCount(), rows - 1), fixedColumnCount());
}

void StringGrid::setColumnCount(int columns) {
    columns = std::clamp(columns, 1, MaxColumnCount);
    applyCounts(rowCount(), columns, fixedRowCount(), std::min(fixedColumnCount(), columns - 1));
}

void StringGrid::setFixedRowCount(int rows) {
    applyCounts(rowCount(), columnCount(), std::clamp(rows, 0, rowCount() - 1), fixedColumnCount());
}

void StringGrid::setFixedColumnCount(int columns) {
    applyCounts(rowCount(), columnCount(), fixedRowCount(),
                std::clamp(columns, 0, columnCount() - 1));
}

void StringGrid::applyCounts(int rows, int columns, int fixedRows, int fixedColumns) {
    if (rows == rowCount() && columns == columnCount() && fixedRows == fixedRowCount() &&
        fixedColumns == fixedColumnCount())
        return;
    closeEditor();
    const int column = currentColumn();
    const int row = currentRow();
    const bool renumbered = (fixedRows > 0) != (fixedRowCount() > 0);
    model_->setCounts(rows, columns, fixedRows, fixedColumns);
    columnWidths_.resize(static_cast<std::size_t>(columns), defaultColumnWidth_);
    rowHeights_.resize(static_cast<std::size_t>(rows), defaultRowHeight_);
    // New rows and columns come at the default size by themselves; renumbered rows need theirs.
    if (renumbered) applySizes();
    // The current cell stays where it was, moved off the fixed cells and into the grid; the view
    // scrolls only when it had to move.
    const int keptColumn = std::clamp(column, fixedColumns, columns - 1);
    const int keptRow = std::clamp(row, fixedRows, rows - 1);
    if (currentIndex() != model_->cellIndex(keptColumn, keptRow)) moveCurrent(keptColumn, keptRow);
}

// --- sizes: Qt's sections include the grid line that follows each column and row

void StringGrid::applySizes() {
    horizontalHeader()->setDefaultSectionSize(defaultColumnWidth_ + 1);
    verticalHeader()->setDefaultSectionSize(defaultRowHeight_ + 1);
    for (int column = 0; column < columnCount(); ++column)
        horizontalHeader()->resizeSection(column, columnWidths_[std::size_t(column)] + 1);
    const int header = model_->headerRows();
    for (int row = header; row < rowCount(); ++row)
        verticalHeader()->resizeSection(row - header, rowHeights_[std::size_t(row)] + 1);
    header_->setVisible(header > 0);
    updateGeometries();
}

void StringGrid::setDefaultColumnWidth(int width) {
    defaultColumnWidth_ = std::clamp(width, 0, MaxCellExtent);
    std::fill(columnWidths_.begin(), columnWidths_.end(), defaultColumnWidth_);
    applySizes();
}

void StringGrid::setDefaultRowHeight(int height) {
    defaultRowHeight_ = std::clamp(height, 0, MaxCellExtent);
    std::fill(rowHeights_.begin(), rowHeights_.end(), defaultRowHeight_);
    applySizes();
}

int StringGrid::columnWidth(int column) const {
    return column >= 0 && column < columnCount() ? columnWidths_[std::size_t(column)] : 0;
}

void StringGrid::setColumnWidth(int column, int width) {
    if (column < 0 || column >= columnCount()) return;
    columnWidths_[std::size_t(column)] = std::clamp(width, 0, MaxCellExtent);
    horizontalHeader()->resizeSection(column, columnWidths_[std::size_t(column)] + 1);
}

int StringGrid::rowHeight(int row) const {
    return row >= 0 && row < rowCount() ? rowHeights_[std::size_t(row)] : 0;
}

void StringGrid::setRowHeight(int row, int height) {
    if (row < 0 || row >= rowCount()) return;
    rowHeights_[std::size_t(row)] = std::clamp(height, 0, MaxCellExtent);
    if (row >= model_->headerRows())
        verticalHeader()->resizeSection(row - model_->headerRows(),
                                        rowHeights_[std::size_t(row)] + 1);
    updateGeometries();
}

// --- texts

QString StringGrid::cell(int column, int row) const {
    return model_->text(column, row);
}

void StringGrid::setCell(int column, int row, const QString& text) {
    model_->setText(column, row, text); // an editor open on the cell shows the new text
}

// --- the current cell

int StringGrid::currentColumn() const {
    return currentIndex().column();
}

int StringGrid::currentRow() const {
    return currentIndex().isValid() ? model_->gridRow(currentIndex()) : -1;
}

void StringGrid::setCurrentCell(int column, int row) {
    if (!model_->contains(column, row) || model_->isFixed(column, row)) return;
    if (column == currentColumn() && row == currentRow()) return;
    closeEditor(); // the editor belongs to the cell it was opened on
    if (!model_->contains(column, row) || model_->isFixed(column, row))
        return; // a setEditText receiver changed the counts
    moveCurrent(column, row);
}

void StringGrid::moveCurrent(int column, int row) {
    const QModelIndex index = model_->cellIndex(column, row);
    if (!index.isValid()) return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

int StringGrid::topRow() const {
    return std::max(fixedRowCount(), model_->headerRows() + std::max(rowAt(0), 0));
}

// --- geometry

QRect StringGrid::cellRect(int column, int row) const {
    if (!model_->contains(column, row)) return {};
    const int x = columnViewportPosition(column);
    const bool header = row < model_->headerRows();
    const int y = header ? -header_->height() : rowViewportPosition(row - model_->headerRows());
    if (x < 0 || x >= viewport()->width() || y >= viewport()->height() || (!header && y < 0))
        return {};
    return QRect(x, y, columnWidth(column), rowHeight(row));
}

QPoint StringGrid::cellAt(const QPoint& point) const {
    const int column = point.x() >= 0 ? columnAt(point.x()) : -1;
    int row = -1;
    if (point.y() < 0 && point.y() >= -header_->height() && model_->headerRows() > 0)
        row = 0;
    else if (point.y() >= 0 && rowAt(point.y()) >= 0)
        row = rowAt(point.y()) + model_->headerRows();
    if (column < 0 || row < 0) return {-1, -1};
    return {column, row};
}

// --- appearance and editing switches

void StringGrid::setFixedColor(const QColor& color) {
    fixedColor_ = color;
    viewport()->update();
    header_->viewport()->update();
}

bool StringGrid::isEditingEnabled() const {
    return model_->isEditable();
}

void StringGrid::setEditingEnabled(bool on) {
    if (!on) closeEditor();
    model_->setEditable(on);
}

void StringGrid::setEditorTextPlacement(Qt::Alignment horizontal, int inset) {
    editorAlignment_ = horizontal;
    editorInset_ = inset;
}

void StringGrid::repaintAll() {
    viewport()->repaint();
    header_->viewport()->repaint();
}

// At the end of its range Qt lines the last row up with the bottom edge, which leaves a sliver of
// the row above it under the header; the classic grid shows whole rows from the top there too.
// Qt sets that offset when it scrolls and when it lays the rows out again.
void StringGrid::keepWholeRowsAtTheTop() {
    const QScrollBar& bar = *verticalScrollBar();
    if (bar.value() == 0 || bar.value() != bar.maximum()) return;
    const int whole = verticalHeader()->sectionPosition(bar.value());
    if (verticalHeader()->offset() == whole) return;
    verticalHeader()->setOffset(whole);
    updateEditorGeometries();
    viewport()->update();
}

void StringGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    keepWholeRowsAtTheTop();
}

void StringGrid::updateGeometries() {
    QTableView::updateGeometries();
    keepWholeRowsAtTheTop();
}

void StringGrid::doItemsLayout() {
    QTableView::doItemsLayout();
    keepWholeRowsAtTheTop();
}

// --- keys

QChar StringGrid::offer(QChar character) const {
    QChar key = character;
    if (keyFilter_) keyFilter_(key);
    return key;
}

QString StringGrid::offerEach(const QString& text) const {
    QString kept;
    for (const QChar character : text)
        if (const QChar passed = offer(character); !passed.isNull()) kept += passed;
    return kept;
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
    if (const QChar typed = TypedCharacter(*event); !typed.isNull()) {
        event->accept();
        const QChar key = offer(typed);
        if (key.isNull()) return; // discarded before the grid sees it
        if (!isEditingEnabled()) {
            event->ignore();
            return;
        }
        // Enter opens the editor; Backspace and anything printable open it and go into it.
        if (key == QChar(Enter)) {
            openEditor();
        } else if (key == QChar(Backspace) || key.isPrint() || key.isHighSurrogate()) {
            openEditor();
            if (isEditorOpen()) sendToEditor(*event);
        } else {
            event->ignore();
        }
        return;
    }
    const QModelIndex before = currentIndex();
    QTableView::keyPressEvent(event); // moves, F2 and the rest as Qt's table does them
    if (currentIndex() != before) emit cellClicked();
}

void StringGrid::inputMethodEvent(QInputMethodEvent* event) {
    // Text composed by an input method is typed too: what passes the filter opens the editor.
    const QString kept = offerEach(event->commitString());
    if (kept.isEmpty() || !isEnabled()) {
        event->accept();
        return;
    }
    openEditor();
    if (!isEditorOpen()) return;
    QInputMethodEvent typed(QString(), {});
    typed.setCommitString(kept);
    sendToEditor(typed);
}

void StringGrid::sendToEditor(QEvent& event) {
    const QScopedValueRollback<bool> passed(forwarding_, true);
    QCoreApplication::sendEvent(editor_, &event);
}

// --- the mouse

void StringGrid::mousePressEvent(QMouseEvent* event) {
    event->accept();
    closeEditor(); // any button anywhere in the grid outside the editor
    if (event->button() != Qt::LeftButton) return;
    const QPoint hit = cellAt(event->position().toPoint());
    if (hit.x() < 0 || model_->isFixed(hit.x(), hit.y())) return;
    const bool wasCurrent = hit.x() == currentColumn() && hit.y() == currentRow();
    moveCurrent(hit.x(), hit.y());
    emit cellClicked();
    if (wasCurrent) openEditor();
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event); // the second press of a double click is a press like the first
}

void StringGrid::mouseMoveEvent(QMouseEvent* event) {
    event->accept(); // no dragging a selection: the current cell moves only on a press
}

void StringGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        // A disabled grid takes no focus, no clicks and no keys.
        if (!isEnabled()) closeEditor();
        setFocusPolicy(isEnabled() ? Qt::StrongFocus : Qt::NoFocus);
    }
    QTableView::changeEvent(event);
}

// --- the editor

bool StringGrid::isEditorOpen() const {
    return state() == EditingState && editor_;
}

QLineEdit* StringGrid::editor() const {
    return isEditorOpen() ? editor_.data() : nullptr;
}

void StringGrid::openEditor() {
    if (isEditorOpen()) {
        editor_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!isEnabled() || !(model_->flags(currentIndex()) & Qt::ItemIsEditable)) return;
    scrollTo(currentIndex());
    edit(currentIndex(), AllEditTriggers, nullptr); // Qt selects a line edit's text, as wanted
}

void StringGrid::closeEditor() {
    if (!isEditorOpen()) return;
    QLineEdit* editor = editor_;
    const int column = editColumn_;
    const int row = editRow_;
    const QString text = editor->text();
    if (editor->hasFocus()) setFocus(Qt::OtherFocusReason); // before it goes, or Qt moves on
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    model_->setText(column, row, text);
    emit setEditText(column, row, text);
}

void StringGrid::editorEdited(const QString& text) {
    model_->setText(editColumn_, editRow_, text);
    emit setEditText(editColumn_, editRow_, text);
}

bool StringGrid::isNavigationFromEditor(const QKeyEvent& event) const {
    // Left, Right, Home and End move the caret; these move the current cell.
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        return event.modifiers() & Qt::ControlModifier;
    default:
        return false;
    }
}

bool StringGrid::filterEditorEvent(QLineEdit& editor, QEvent& event) {
    switch (event.type()) {
    case QEvent::KeyPress: {
        auto& key = static_cast<QKeyEvent&>(event);
        const QChar typed = TypedCharacter(key);
        if (!typed.isNull() && !forwarding_ && offer(typed).isNull() && typed != QChar(Escape))
            return true; // discarded before the editor sees it
        if (typed == QChar(Enter) || typed == QChar(Escape)) {
            // Escape is a key first, as in the classic grid: it closes whatever the filter said.
            closeEditor();
            return true;
        }
        const bool plain = !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)) {
            closeEditor();
            focusNextPrevChild(key.key() == Qt::Key_Tab && !(key.modifiers() & Qt::ShiftModifier));
            return true;
        }
        if (isNavigationFromEditor(key)) {
            closeEditor();
            keyPressEvent(&key); // moves the current cell from the grid
            return true;
        }
        return false;
    }
    case QEvent::InputMethod: {
        // Text composed by an input method is typed too: it passes the same filter.
        auto& input = static_cast<QInputMethodEvent&>(event);
        if (forwarding_ || input.commitString().isEmpty()) return false;
        input.setCommitString(offerEach(input.commitString()), input.replacementStart(),
                              input.replacementLength());
        return false;
    }
    case QEvent::FocusOut: {
        // A context menu or another window taking the focus for a while leaves the editor
        // open; the focus moving to another widget makes it give up its cell.
        const Qt::FocusReason reason = static_cast<QFocusEvent&>(event).reason();
        const bool away = reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
        const QWidget* now = QApplication::focusWidget();
        if (away && now != this && now != &editor) closeEditor();
        return false;
    }
    default:
        return false;
    }
}

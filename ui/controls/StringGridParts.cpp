// How a StringGrid draws a cell (the owner's fill and text, then the classic grid lines, raised
// edges and focus dots), and how its editor is made and fed.
#include "StringGridParts.h"

#include "CellText.h"
#include "ClassicColours.h"
#include "StringGrid.h"
#include "StringGridModel.h"

#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <limits>

namespace {
// Lines are filled as one-pixel rectangles rather than stroked, so that on a scaled screen they
// cover whole device pixels and nothing of what lies under a cell shows through beside them.

// A raised edge inside a fixed cell: light top and left, shadow bottom and right.
void DrawRaisedEdge(QPainter& painter, const QRect& rect) {
    if (rect.width() < 2 || rect.height() < 2) return;
    painter.fillRect(rect.left(), rect.top(), rect.width(), 1, ClassicColour::White);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height(), ClassicColour::White);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, ClassicColour::Shadow3D);
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), ClassicColour::Shadow3D);
}

// The classic dotted focus rectangle: every other pixel of the outline, from its corner on,
// inverted, so that it shows on whatever fill the owner chose.
void DrawFocusDots(QPainter& painter, const QRect& rect) {
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QRegion outline = QRegion(rect).subtracted(rect.adjusted(1, 1, -1, -1));
    for (const QRect& part : outline)
        for (int y = part.top(); y <= part.bottom(); ++y)
            for (int x = part.left() + (part.left() - rect.left() + y - rect.top()) % 2;
                 x <= part.right(); x += 2)
                painter.fillRect(x, y, 1, 1, Qt::white);
    painter.restore();
}
} // namespace

void StringGrid::paintCell(QPainter& painter, int column, int row, const QRect& withLines) const {
    const QRect rect = withLines.adjusted(0, 0, -1, -1);
    const bool fixed = model_->isFixed(column, row);
    const bool current = column == currentColumn() && row == currentRow();
    const bool focused = hasFocus() || (editor_ && editor_->hasFocus());
    CellState state;
    state.setFlag(Fixed, fixed);
    state.setFlag(Selected, current);
    state.setFlag(Focused, current && focused);
    if (!rect.isEmpty()) {
        painter.save();
        painter.setClipRect(rect);
        if (cellPainter_) {
            cellPainter_(painter, column, row, rect, state);
        } else {
            painter.fillRect(rect, fixed ? fixedColor_ : palette().color(QPalette::Base));
            painter.setPen(palette().color(QPalette::Text));
            DrawCellText(painter, rect, cell(column, row), Qt::AlignLeft, 2);
        }
        painter.restore();
        if (fixed) DrawRaisedEdge(painter, rect);
    }
    // The line right of the cell and the one below it, the corner included.
    const QColor line = fixed ? ClassicColour::Grey : ClassicColour::Silver;
    painter.fillRect(withLines.right(), withLines.top(), 1, withLines.height(), line);
    painter.fillRect(withLines.left(), withLines.bottom(), withLines.width(), 1, line);
    if (current && hasFocus() && !isEditorOpen() && !rect.isEmpty()) DrawFocusDots(painter, rect);
}

// --- the cells

StringGridDelegate::StringGridDelegate(StringGrid& grid)
    : QStyledItemDelegate(&grid)
    , grid_(grid) {
}

void StringGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    grid_.paintCell(*painter, index.column(), grid_.model_->gridRow(index), option.rect);
}

QWidget* StringGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("StringGridEditor"));
    editor->setFrame(false);
    // No cut-off below what a cell may hold: opening and closing the editor must not shorten a
    // long text that the program put into the cell.
    editor->setMaxLength(std::numeric_limits<int>::max());
    // A frameless line edit keeps its text 2 px in on its own.
    editor->setAlignment(grid_.editorAlignment_ | Qt::AlignVCenter);
    editor->setTextMargins(std::max(grid_.editorInset_ - 2, 0), 0, 0, 0);
    QObject::connect(editor, &QLineEdit::textEdited, &grid_, &StringGrid::editorEdited);
    grid_.editor_ = editor;
    grid_.editColumn_ = index.column();
    grid_.editRow_ = grid_.model_->gridRow(index);
    return editor;
}

void StringGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    // Called when the editor opens and whenever its cell changes; an edit of its own, already
    // in the cell, must not move the caret.
    auto* line = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (line->text() != text) line->setText(text);
}

void StringGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex&) const {
    editor->setGeometry(option.rect.adjusted(0, 0, -1, -1)); // not over the grid lines
}

bool StringGridDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (editor && grid_.filterEditorEvent(*editor, *event)) return true;
    // Focus leaving is the grid's to judge: a dialog taking it for a while leaves the editor open.
    if (event->type() == QEvent::FocusOut) return false;
    return QStyledItemDelegate::eventFilter(object, event);
}

// --- the first fixed row

StringGridHeader::StringGridHeader(StringGrid& grid)
    : QHeaderView(Qt::Horizontal, &grid)
    , grid_(grid) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setMinimumSectionSize(0);
    setSectionResizeMode(QHeaderView::Fixed);
}

QSize StringGridHeader::sizeHint() const {
    return {length(), grid_.rowHeight(0) + 1};
}

void StringGridHeader::paintEvent(QPaintEvent* event) {
    // Beyond the last column lies the grid's background, as in the rows below.
    QPainter painter(viewport());
    painter.fillRect(event->rect(), grid_.palette().color(QPalette::Base));
    for (int column = 0; column < count(); ++column) {
        const QRect section(sectionViewportPosition(column), 0, sectionSize(column), height());
        if (event->rect().intersects(section)) paintSection(&painter, section, column);
    }
}

void StringGridHeader::paintSection(QPainter* painter, const QRect& rect, int column) const {
    // Cells are drawn in the grid's viewport coordinates, where this row lies just above.
    painter->save();
    painter->translate(0, height());
    grid_.paintCell(*painter, column, 0, rect.translated(0, -height()));
    painter->restore();
}

void StringGridHeader::mousePressEvent(QMouseEvent* event) {
    grid_.closeEditor();
    event->accept();
}

void StringGridHeader::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

void StringGridHeader::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

#include "StringGridDelegate.h"

#include "CellText.h"
#include "ClassicColours.h"
#include "DevicePixels.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegion>
#include <QtMath>
#include <limits>

namespace {
// A raised edge inside a fixed cell: light top and left, shadow bottom and right.
void DrawRaisedEdge(QPainter& painter, const DevicePixels& pixels, const QRect& cell, int line) {
    if (cell.width() < 2 * line || cell.height() < 2 * line) return;
    pixels.fill(painter, {cell.left(), cell.top(), cell.width(), line}, ClassicColour::White);
    pixels.fill(painter, {cell.left(), cell.top(), line, cell.height()}, ClassicColour::White);
    pixels.fill(painter, {cell.left(), cell.bottom() + 1 - line, cell.width(), line},
                ClassicColour::Shadow3D);
    pixels.fill(painter, {cell.right() + 1 - line, cell.top(), line, cell.height()},
                ClassicColour::Shadow3D);
}

// The classic dotted focus rectangle: every other dot of the outline, from its corner on,
// inverted, so that it shows on whatever the cell is filled with.
void DrawFocusDots(QPainter& painter, const DevicePixels& pixels, const QRect& cell, int line) {
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QRegion outline = QRegion(cell).subtracted(cell.adjusted(line, line, -line, -line));
    for (const QRect& part : outline)
        for (int y = part.top(); y <= part.bottom(); y += line) {
            const int phase = ((part.left() - cell.left()) / line + (y - cell.top()) / line) % 2;
            for (int x = part.left() + phase * line; x <= part.right(); x += 2 * line)
                pixels.fill(painter, QRect(x, y, line, line).intersected(part), Qt::white);
        }
    painter.restore();
}
} // namespace

StringGridDelegate::StringGridDelegate(const KeyFilter& keyFilter, QObject* parent)
    : QStyledItemDelegate(parent)
    , keyFilter_(keyFilter) {
}

void StringGridDelegate::paintCell(QPainter& painter, const QRect& section, const CellLook& look) {
    const DevicePixels pixels(painter);
    const int line = pixels.line();
    const QRect whole = pixels.snapped(section);
    const QRect cell = whole.adjusted(0, 0, -line, -line);
    if (!cell.isEmpty()) {
        pixels.fill(painter, cell, look.fill);
        painter.save();
        painter.setClipRect(pixels.logical(cell));
        if (painter.font() != look.font) painter.setFont(look.font);
        painter.setPen(look.ink);
        DrawCellText(painter, section.adjusted(0, 0, -1, -1), look.text,
                     look.alignment & Qt::AlignHorizontal_Mask, look.indent);
        painter.restore();
        if (look.fixed) DrawRaisedEdge(painter, pixels, cell, line);
    }
    const QColor colour = look.fixed ? ClassicColour::Grey : ClassicColour::Silver;
    pixels.fill(painter, {whole.right() + 1 - line, whole.top(), line, whole.height()}, colour);
    pixels.fill(painter, {whole.left(), whole.bottom() + 1 - line, whole.width(), line}, colour);
    if (look.focused && !cell.isEmpty()) DrawFocusDots(painter, pixels, cell, line);
}

void StringGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    CellLook look =
        CellLookFrom([&](int role) { return index.data(role); }, option.font, option.palette);
    look.focused = option.state & QStyle::State_HasFocus;
    paintCell(*painter, option.rect, look);
}

QWidget* StringGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("StringGridEditor"));
    editor->setFrame(false);
    // No cut-off below what a cell may hold: opening and closing the editor must not shorten a
    // long text that the program put into the cell.
    editor->setMaxLength(std::numeric_limits<int>::max());
    // The text stands where the cell draws it: a frameless line edit keeps it 2 px in on its own,
    // and updateEditorGeometry() places it vertically.
    const CellLook look =
        CellLookFrom([&](int role) { return index.data(role); }, option.font, option.palette);
    const Qt::Alignment horizontal = look.alignment & Qt::AlignHorizontal_Mask;
    editor->setFont(look.font);
    editor->setAlignment((horizontal ? horizontal : Qt::AlignLeft) | Qt::AlignTop);
    editor->setTextMargins(std::max(look.indent - 2, 0), 0, 0, 0);
    connect(editor, &QLineEdit::textEdited, this, &StringGridDelegate::commitEachChange);
    return editor;
}

void StringGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    // Called when the editor opens and whenever its cell changes; an edit of its own, already in
    // the cell, must not move the caret.
    auto* line = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (line->text() != text) line->setText(text);
}

void StringGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

void StringGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex&) const {
    const QRect cell = option.rect.adjusted(0, 0, -1, -1); // not over the grid lines
    editor->setGeometry(cell);
    // The text's baseline on the device pixel row where the cell draws it. The cell centres the
    // line of text on a fraction of a pixel; the line edit sets it a whole number of pixels down
    // (its top margin and 1 px of its own), which can round to the device row above or below.
    // Of the two whole positions around the centre, the one that rounds as the cell's does.
    auto& line = *static_cast<QLineEdit*>(editor);
    const QFontMetricsF metrics(line.font());
    const qreal centre = (cell.height() - metrics.height()) / 2;
    const qreal baseline = editor->mapTo(editor->window(), QPoint()).y() + metrics.ascent();
    const qreal ratio = editor->devicePixelRatioF();
    int top = qFloor(centre);
    if (qRound((baseline + top) * ratio) != qRound((baseline + centre) * ratio)) ++top;
    line.setTextMargins(line.textMargins().left(), std::max(top - 1, 0), 0, 0);
}

void StringGridDelegate::commitEachChange() {
    // Every change of the editor's text is written into the cell at once, as the classic grid
    // writes it; Qt would write it when the editor closes.
    emit commitData(qobject_cast<QWidget*>(sender()));
}

bool StringGridDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (!editor) return false;
    if (FilterTyped(*event, keyFilter_)) return true; // discarded before the editor sees it
    if (event->type() == QEvent::KeyPress) {
        // Enter and Escape give up the cell at once and keep its text, written once more as at
        // any giving up. Qt closes on Enter only when the event loop next turns, so that a click
        // or a key already waiting would still find the editor open, and drops the text on Escape.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            emit commitData(editor);
            emit closeEditor(editor);
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        // A menu or another window taking the focus for a while leaves the editor open; Qt would
        // close it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

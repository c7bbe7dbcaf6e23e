// StringGrid: painting of the cells, the grid lines, the edges of fixed cells, the focus
// rectangle and the frame, in the flat classic look whatever the style.
#include "StringGrid.h"
#include "StringGridPrivate.h"
#include "CellText.h"

#include <QLineEdit>
#include <QMetaMethod>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

namespace {

// The classic system colours the grid is drawn with.
const QColor NormalLineColor{0xC0, 0xC0, 0xC0}; // silver, between normal cells
const QColor FixedLineColor{0x80, 0x80, 0x80};  // grey, around fixed cells
const QColor HighlightColor{0xFF, 0xFF, 0xFF};  // the light side of a 3-D edge
const QColor ShadowColor{0xA0, 0xA0, 0xA0};     // the shadow side of a 3-D edge
const QColor DarkShadowColor{0x69, 0x69, 0x69};
const QColor LightColor{0xE3, 0xE3, 0xE3};

// A raised edge inside a fixed cell: light top and left, shadow bottom and right.
void drawRaisedEdge(QPainter& painter, const QRect& rect) {
    if (rect.width() < 2 || rect.height() < 2) return;
    painter.setPen(HighlightColor);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(ShadowColor);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

// The dotted focus rectangle of Windows: every other pixel of the outline inverted.
void drawFocusRect(QPainter& painter, const QRect& rect) {
    if (rect.width() < 1 || rect.height() < 1) return;
    QList<QPoint> dots;
    auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0) dots.append(QPoint(x, y));
    };
    for (int x = rect.left(); x <= rect.right(); ++x) {
        dot(x, rect.top());
        if (rect.bottom() != rect.top()) dot(x, rect.bottom());
    }
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        dot(rect.left(), y);
        if (rect.right() != rect.left()) dot(rect.right(), y);
    }
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(Qt::white);
    painter.drawPoints(dots.constData(), static_cast<int>(dots.size()));
    painter.restore();
}

// The grid line right of a cell and the one below it, corner included.
void drawCellLines(QPainter& painter, const QRect& rect, const QColor& color) {
    painter.setPen(color);
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    painter.drawLine(right, rect.top(), right, bottom);
    painter.drawLine(rect.left(), bottom, right, bottom);
}

} // namespace

void StringGrid::drawCellText(QPainter& painter, const QRect& rect, const QString& text,
                              Qt::Alignment horizontal, int inset) {
    DrawCellText(painter, rect, text, horizontal, inset);
}

void StringGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QColor base = palette().color(QPalette::Active, QPalette::Base);
    const QRect dirty = event->rect();
    const auto columns = d->visibleColumns();
    const auto rows = d->visibleRows();
    const bool drawnByOwner = isSignalConnected(QMetaMethod::fromSignal(&StringGrid::drawCell));
    const bool editorFocused = d->editorOpen && d->editor && d->editor->hasFocus();
    const bool focused = hasFocus() || editorFocused;

    QRect focusRect;
    for (const Private::Span& row : rows) {
        for (const Private::Span& column : columns) {
            const QRect rect(column.start, row.start, column.extent, row.extent);
            if (!dirty.intersects(rect.adjusted(0, 0, 1, 1))) continue;
            const bool fixed = d->isFixed(column.index, row.index);
            const bool current = column.index == d->currentColumn && row.index == d->currentRow;
            CellState state;
            state.setFlag(Fixed, fixed);
            state.setFlag(Selected, current);
            state.setFlag(Focused, current && focused);
            if (!rect.isEmpty()) {
                painter.save();
                painter.setClipRect(rect);
                if (drawnByOwner) {
                    Private::safely(
                        [&] { emit drawCell(painter, column.index, row.index, rect, state); });
                } else {
                    painter.fillRect(rect, fixed ? d->fixedColor : base);
                    painter.setPen(palette().color(QPalette::Active, QPalette::Text));
                    drawCellText(painter, rect, cell(column.index, row.index), Qt::AlignLeft, 2);
                }
                painter.restore();
                if (fixed) drawRaisedEdge(painter, rect);
            }
            drawCellLines(painter, rect, fixed ? FixedLineColor : NormalLineColor);
            if (current) focusRect = rect;
        }
    }
    if (hasFocus() && !d->editorOpen && !focusRect.isNull()) drawFocusRect(painter, focusRect);

    // Beyond the last column and the last row lies the grid's background.
    QRegion covered;
    if (!columns.empty() && !rows.empty()) {
        const Private::Span& lastColumn = columns.back();
        const Private::Span& lastRow = rows.back();
        covered = QRect(0, 0, lastColumn.start + lastColumn.extent + 1,
                        lastRow.start + lastRow.extent + 1);
    }
    for (const QRect& rect : QRegion(dirty).subtracted(covered))
        painter.fillRect(rect, base);
}

bool StringGrid::event(QEvent* event) {
    if (event->type() != QEvent::Paint) return QAbstractScrollArea::event(event);
    // The frame: a sunken 3-D border two pixels wide, shadow outside top and left, light
    // outside bottom and right.
    QPainter painter(this);
    const QRect r = rect();
    if (r.width() < 4 || r.height() < 4) return true;
    painter.setPen(ShadowColor);
    painter.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    painter.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    painter.setPen(HighlightColor);
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
    painter.setPen(DarkShadowColor);
    painter.drawLine(r.left() + 1, r.top() + 1, r.right() - 2, r.top() + 1);
    painter.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 2);
    painter.setPen(LightColor);
    painter.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    painter.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
    return true;
}

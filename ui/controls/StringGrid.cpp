#include "StringGrid.h"

#include "ClassicColours.h"
#include "DevicePixels.h"
#include "StringGridDelegate.h"
#include "StringGridHeader.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScrollBar>

namespace {
// One ring of a sunken frame, `line` device pixels wide: `topLeft` along the top and the left,
// `bottomRight` along the bottom and the right, which own the corners they share.
void DrawRing(QPainter& painter, const DevicePixels& pixels, const QRect& ring, int line,
              const QColor& topLeft, const QColor& bottomRight) {
    const int right = ring.left() + ring.width(), bottom = ring.top() + ring.height();
    pixels.fill(painter, {ring.left(), ring.top(), ring.width() - line, line}, topLeft);
    pixels.fill(painter, {ring.left(), ring.top(), line, ring.height() - line}, topLeft);
    pixels.fill(painter, {ring.left(), bottom - line, ring.width(), line}, bottomRight);
    pixels.fill(painter, {right - line, ring.top(), line, ring.height()}, bottomRight);
}
} // namespace

StringGrid::StringGrid(QWidget* parent)
    : QTableView(parent) {
    setHorizontalHeader(new StringGridHeader(this));
    setItemDelegate(new StringGridDelegate(keyFilter_, this));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setShowGrid(false); // the delegate draws the lines, in the classic colours
    setSelectionMode(SingleSelection);
    setEditTriggers(AnyKeyPressed | EditKeyPressed | DoubleClicked);
    setTabKeyNavigation(false); // Tab leaves the grid
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken); // 2 px, drawn by paintFrame()
}

bool StringGrid::event(QEvent* event) {
    if (event->type() == QEvent::Paint) {
        paintFrame();
        return true;
    }
    return QTableView::event(event);
}

// The classic sunken border, two rings of one line each. Qt draws them one device pixel wide
// whatever the scale, which leaves the rest of the frame's width showing the window behind; here
// they lie on whole device pixels against the cells and the scroll bar.
void StringGrid::paintFrame() {
    QPainter painter(this);
    const DevicePixels pixels(painter);
    const int line = pixels.line();
    const int frame = frameWidth();
    const QRect inside = pixels.snapped(rect().adjusted(frame, frame, -frame, -frame));
    DrawRing(painter, pixels, inside.adjusted(-2 * line, -2 * line, 2 * line, 2 * line), line,
             ClassicColour::Shadow3D, ClassicColour::White);
    DrawRing(painter, pixels, inside.adjusted(-line, -line, line, line), line,
             ClassicColour::DarkShadow3D, ClassicColour::Light3D);
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
    if (FilterTyped(*event, keyFilter_)) return; // discarded before the grid sees it
    // Backspace and Enter open the editor too, where Qt leaves them to the window; Backspace then
    // goes on into the editor and clears the selected text, as a typed character replaces it.
    switch (event->key()) {
    case Qt::Key_Backspace:
        if (edit(currentIndex(), AnyKeyPressed, event)) return;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (edit(currentIndex(), EditKeyPressed, nullptr)) return;
        break;
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

void StringGrid::inputMethodEvent(QInputMethodEvent* event) {
    FilterTyped(*event, keyFilter_); // text composed by an input method is typed too
    const bool closed = !indexWidget(currentIndex());
    QTableView::inputMethodEvent(event);
    // Text committed without a composition opens the editor, as a typed character does, but Qt
    // does not hand the text on to it.
    if (QWidget* editor = indexWidget(currentIndex());
        editor && closed && event->preeditString().isEmpty() && !event->commitString().isEmpty())
        QCoreApplication::sendEvent(editor, event);
}

void StringGrid::mousePressEvent(QMouseEvent* event) {
    // Only the left button moves the current cell. Any press has already given up an open editor,
    // by taking the focus from it.
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex hit = indexAt(event->position().toPoint());
    const bool onCurrent = hit.isValid() && hit == currentIndex();
    QTableView::mousePressEvent(event);
    // A press on the current cell opens its editor at once, where Qt waits for the release and
    // then for a double-click's time.
    if (onCurrent) edit(hit, AllEditTriggers, nullptr);
}

void StringGrid::mouseMoveEvent(QMouseEvent* event) {
    event->accept(); // the current cell moves on a press only, and is not dragged along
}

void StringGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Tab in the editor leaves the grid, as Tab on the grid does, where Qt edits the next cell.
    const bool leaving = hint == QAbstractItemDelegate::EditNextItem ||
                         hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, leaving ? QAbstractItemDelegate::NoHint : hint);
    if (leaving) focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
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
    // The header row is as high as the others.
    if (const int height = verticalHeader()->defaultSectionSize();
        horizontalHeader()->maximumHeight() != height)
        horizontalHeader()->setFixedHeight(height);
    QTableView::updateGeometries();
    keepWholeRowsAtTheTop();
}

void StringGrid::doItemsLayout() {
    QTableView::doItemsLayout();
    keepWholeRowsAtTheTop();
}

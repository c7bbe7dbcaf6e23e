#pragma once
// The state of a StringGrid and the helpers its parts share: geometry and scrolling
// (StringGrid.cpp), painting (StringGridPainting.cpp), keys, mouse and the in-place editor
// (StringGridEditing.cpp).
#include "StringGrid.h"

#include <QLineEdit>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <exception>
#include <vector>

class QKeyEvent;

struct StringGrid::Private {
    explicit Private(StringGrid* grid)
        : q(grid) {}

    StringGrid* q;

    int rowCount = 5;
    int columnCount = 5;
    int fixedRows = 1;
    int fixedColumns = 1;
    int defaultColumnWidth = 64;
    int defaultRowHeight = 24;
    std::vector<int> columnWidths = std::vector<int>(5, 64);
    std::vector<int> rowHeights = std::vector<int>(5, 24);
    // Texts by row; a row's list may be shorter than the column count (missing cells are
    // empty), so that a tall and wide grid costs memory only for the cells that hold text.
    std::vector<QStringList> texts = std::vector<QStringList>(5);

    int currentColumn = 1;
    int currentRow = 1;
    int topRow = 1;
    bool syncingScrollBar = false;

    QColor fixedColor{0xF0, 0xF0, 0xF0}; // the classic button face
    bool editingEnabled = true;

    QPointer<QLineEdit> editor;
    bool editorOpen = false;
    int editColumn = -1;
    int editRow = -1;
    // Set while the grid hands the editor a key that has already passed the character filter.
    bool forwardingKey = false;

    // One visible column or row: its index, where it starts and how wide or high it is.
    struct Span {
        int index;
        int start;
        int extent;
    };

    // --- cells and geometry (StringGrid.cpp)
    bool isFixed(int column, int row) const { return column < fixedColumns || row < fixedRows; }
    bool contains(int column, int row) const {
        return column >= 0 && row >= 0 && column < columnCount && row < rowCount;
    }
    void storeText(int column, int row, const QString& text);
    std::vector<Span> visibleColumns() const;
    std::vector<Span> visibleRows() const;
    qint64 fixedRowsHeight() const;
    int maxTopRow() const;
    int pageRowCount() const; // non-fixed rows wholly shown from topRow on, at least 1
    void ensureRowVisible(int row);
    void syncScrollBar();
    void moveCurrent(int column, int row); // no signal; keeps the row in view
    void keepCurrentOffFixedCells();
    void countsChanged();

    // --- keys, mouse and the editor (StringGridEditing.cpp)
    QChar offerCharacter(QChar character); // through keyPress; null when discarded
    // Moves the current cell for a navigation key; false for any other key. In the editor only
    // the keys that leave the cell count (Up, Down, Page Up, Page Down, Ctrl+Home, Ctrl+End).
    bool navigate(const QKeyEvent* event, bool fromEditor);
    void pressAt(const QPoint& viewportPoint, Qt::MouseButton button);
    void ensureEditor();
    void placeEditor();
    void openEditorFor(QChar character, const QKeyEvent* typed);
    // Writes the editor's text into its cell, hides the editor and signals setEditText; focus
    // moves from the editor to the grid.
    void giveUpEditor();
    bool filterEditorEvent(QEvent* event);
    void sendToEditor(QChar character, const QKeyEvent* typed);

    // --- accessibility notifications (StringGridAccessible.cpp); free when no reader listens
    void notifyCurrentCell() const;
    void notifyCellText(int column, int row) const;
    void notifyLayout() const;

    // Runs a signal emission so that no exception from a receiver unwinds into Qt's event loop:
    // the receivers of this program catch their own errors, so one that escapes is a fault, and
    // it is reported on the debug output rather than taking the program down.
    template <typename Raise> static void safely(Raise&& raise) {
        try {
            raise();
        } catch (const std::exception& error) {
            qWarning("StringGrid: a signal receiver threw: %s", error.what());
        } catch (...) {
            qWarning("StringGrid: a signal receiver threw");
        }
    }
};

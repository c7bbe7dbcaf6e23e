#pragma once
// A table view with the manners of a classic Windows string grid, over a table model whose roles
// say how each cell looks (CellRoles.h); StringGridDelegate draws and edits the cells, and the
// model's horizontal header is the first fixed row (StringGridHeader).
//
// What Qt's table view does as it is: the current cell never on a fixed cell (fixed cells have no
// item flags), moves by the keyboard, scrolling by whole rows, the editor opened by a typed
// character or F2 and closed by Enter, a press elsewhere or a move of the current cell, and what
// screen readers see. What this class adds is listed at each function below.
//
// Sizes: a column's or row's section includes the one-pixel grid line that follows it (GridLine),
// so a column drawn 45 px wide is a section of 46.
#include "TypedCharacter.h"

#include <QTableView>

class StringGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int GridLine = 1;

    explicit StringGrid(QWidget* parent = nullptr);

    // Every character typed into the grid or its editor is offered here first. Backspace arrives
    // as 8, Enter as 13, Escape as 27 and Ctrl+letter as its control character (Ctrl+C as 3);
    // keys that type nothing (arrows, Delete, F2, Shift+Insert) are not offered, and Escape
    // closes an open editor whatever becomes of it.
    void setKeyFilter(KeyFilter filter) { keyFilter_ = std::move(filter); }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyboardSearch(const QString&) override {} // a classic grid has no type-ahead search
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    void doItemsLayout() override;

private:
    void paintFrame();
    void keepWholeRowsAtTheTop();

    KeyFilter keyFilter_;
};

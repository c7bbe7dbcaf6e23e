#pragma once
// A grid of text cells with fixed (header) rows and columns that behaves like a classic Windows
// string grid: one current cell, never a fixed one; no range selection; an in-place editor for the
// other cells; every cell painted by its owner in the flat classic look.
//
// It is a QTableView over a model of its own: Qt does the scrolling (by whole rows, with the bar
// only when needed), the keyboard moves, the editor's life and what screen readers see (a table
// whose first fixed row names the columns). This class adds the classic grid's counts and sizes,
// the editing rules and the drawing.
//
// Geometry: a column's width and a row's height do not include the 1 px grid line that follows
// them. The first fixed row is the view's header, so it stays in view while the other rows
// scroll; further fixed rows scroll with the rest. Cell rectangles are in viewport coordinates,
// in which that header row lies just above the viewport.
//
// Limits: counts are kept within 1..MaxRowCount rows and 1..MaxColumnCount columns, column widths
// and row heights within 0..MaxCellExtent px.
#include <QPointer>
#include <QTableView>
#include <functional>

class QLineEdit;
class StringGridHeader;
class StringGridModel;

class StringGrid : public QTableView {
    Q_OBJECT
    Q_PROPERTY(int rowCount READ rowCount WRITE setRowCount)
    Q_PROPERTY(int columnCount READ columnCount WRITE setColumnCount)
    Q_PROPERTY(int fixedRowCount READ fixedRowCount WRITE setFixedRowCount)
    Q_PROPERTY(int fixedColumnCount READ fixedColumnCount WRITE setFixedColumnCount)
    Q_PROPERTY(int defaultColumnWidth READ defaultColumnWidth WRITE setDefaultColumnWidth)
    Q_PROPERTY(int defaultRowHeight READ defaultRowHeight WRITE setDefaultRowHeight)
    Q_PROPERTY(bool editingEnabled READ isEditingEnabled WRITE setEditingEnabled)
    Q_PROPERTY(QColor fixedColor READ fixedColor WRITE setFixedColor)

public:
    enum CellStateFlag { Fixed = 0x1, Selected = 0x2, Focused = 0x4 };
    Q_DECLARE_FLAGS(CellState, CellStateFlag)

    static constexpr int MaxRowCount = 100000;
    static constexpr int MaxColumnCount = 10000;
    static constexpr int MaxCellExtent = 32767;

    // Paints the fill and the text of one cell (selected means current); the painter is clipped
    // to the cell. The grid then draws the lines, the raised edge of a fixed cell and the focus
    // rectangle. Without one the grid paints a plain cell.
    using CellPainter = std::function<void(QPainter& painter, int column, int row,
                                           const QRect& rect, CellState state)>;
    // Every character typed into the grid or its editor is offered here first; setting it to a
    // null QChar discards it. Backspace arrives as 8, Enter as 13, Escape as 27 and Ctrl+letter
    // as its control character (Ctrl+C as 3). Keys that type nothing (arrows, Delete, F2,
    // Shift+Insert) are not offered, and Escape closes an open editor whatever becomes of it.
    using KeyFilter = std::function<void(QChar& key)>;

    explicit StringGrid(QWidget* parent = nullptr);
    ~StringGrid() override;

    // Counts. At least one row and one column are kept; fixed rows and columns stay fewer than
    // rows and columns (lowering a count lowers the fixed count with it). New cells are empty;
    // new columns and rows take the default width and height. Texts and sizes of the rows and
    // columns that remain are kept. A count change makes an open editor give up its cell first.
    int rowCount() const;
    void setRowCount(int rows);
    int columnCount() const;
    void setColumnCount(int columns);
    int fixedRowCount() const;
    void setFixedRowCount(int rows); // moves the current cell below the fixed rows
    int fixedColumnCount() const;
    void setFixedColumnCount(int columns); // moves the current cell right of the fixed columns

    int defaultColumnWidth() const { return defaultColumnWidth_; }
    void setDefaultColumnWidth(int width); // applies to every column, as it does to new ones
    int defaultRowHeight() const { return defaultRowHeight_; }
    void setDefaultRowHeight(int height); // applies to every row, as it does to new ones
    int columnWidth(int column) const;    // 0 outside the grid
    void setColumnWidth(int column, int width);
    int rowHeight(int row) const; // 0 outside the grid
    void setRowHeight(int row, int height);

    QString cell(int column, int row) const; // "" outside the grid
    void setCell(int column, int row, const QString& text);

    int currentColumn() const;
    int currentRow() const;
    void setCurrentCell(int column, int row); // ignored for fixed or absent cells; signals nothing
    int topRow() const;                       // first non-fixed row shown

    // Rectangle of a cell without its grid lines; empty when the cell is scrolled out of view or
    // lies beyond the viewport's right or bottom edge.
    QRect cellRect(int column, int row) const;
    // The cell under a viewport point, its grid lines included, or (-1, -1).
    QPoint cellAt(const QPoint& viewportPoint) const;

    bool isEditingEnabled() const;
    void setEditingEnabled(bool on); // turning editing off makes an open editor give up
    bool isEditorOpen() const;
    QLineEdit* editor() const; // the open in-place editor, or nullptr
    void openEditor();         // on the current cell, its text selected
    void closeEditor();        // gives up the cell: writes the text back and signals setEditText
    // Where the editor's text stands, so that it stays where the cell drew it.
    void setEditorTextPlacement(Qt::Alignment horizontal, int inset);

    QColor fixedColor() const { return fixedColor_; }
    void setFixedColor(const QColor& color);
    void setCellPainter(CellPainter painter) { cellPainter_ = std::move(painter); }
    void setKeyFilter(KeyFilter filter) { keyFilter_ = std::move(filter); }

    // Paints every cell again before returning.
    void repaintAll();

signals:
    // A left press on a non-fixed cell, or a keyboard move of the current cell.
    void cellClicked();
    // The editor set a cell's text: on every change of its text, and once more when it gives up
    // the cell.
    void setEditText(int column, int row, const QString& text);

protected:
    using QTableView::closeEditor;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    void doItemsLayout() override;

private:
    friend class StringGridDelegate;
    friend class StringGridHeader;

    void applyCounts(int rows, int columns, int fixedRows, int fixedColumns);
    void applySizes();
    void keepWholeRowsAtTheTop();
    void moveCurrent(int column, int row);        // no signal; keeps the cell in view
    QChar offer(QChar character) const;           // through the key filter; null when discarded
    QString offerEach(const QString& text) const; // the characters that pass, in order
    void sendToEditor(QEvent& event);             // an event that has passed the filter already
    bool isNavigationFromEditor(const QKeyEvent& event) const;
    // The editor's share of the work: typing, giving up, leaving; true when handled.
    bool filterEditorEvent(QLineEdit& editor, QEvent& event);
    void editorEdited(const QString& text);
    void paintCell(QPainter& painter, int column, int row, const QRect& withLines) const;

    StringGridModel* model_;
    StringGridHeader* header_;
    int defaultColumnWidth_ = 64;
    int defaultRowHeight_ = 24;
    std::vector<int> columnWidths_ = std::vector<int>(5, defaultColumnWidth_);
    std::vector<int> rowHeights_ = std::vector<int>(5, defaultRowHeight_);
    QColor fixedColor_{0xF0, 0xF0, 0xF0}; // the classic button face
    CellPainter cellPainter_;
    KeyFilter keyFilter_;
    Qt::Alignment editorAlignment_ = Qt::AlignLeft;
    int editorInset_ = 2;
    QPointer<QLineEdit> editor_;
    int editColumn_ = -1;
    int editRow_ = -1;
    bool forwarding_ = false; // an event that has passed the filter is on its way to the editor
};

Q_DECLARE_OPERATORS_FOR_FLAGS(StringGrid::CellState)

#pragma once
// A grid of text cells with fixed (header) rows and columns, painted by its owner through the
// drawCell signal, with an in-place editor for the non-fixed cells. It behaves like a classic
// Windows string grid: one current cell, no range selection, flat classic drawing.
//
// Geometry: cells are laid out from the viewport's top-left corner; every column and every row is
// followed by a 1 px grid line. Fixed rows stay at the top while the other rows scroll vertically
// by whole rows; there is no horizontal scrolling. The frame is a 2 px sunken panel, drawn the
// same way in every style.
//
// Limits: counts are kept within 1..MaxRowCount rows and 1..MaxColumnCount columns, column widths
// and row heights within 0..MaxCellExtent px, so that every cell index fits an int and every
// sum of sizes is formed without overflow.
#include <QAbstractScrollArea>
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class QLineEdit;
class QPainter;

class StringGrid : public QAbstractScrollArea {
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

    explicit StringGrid(QWidget* parent = nullptr);
    ~StringGrid() override;

    // Counts. At least one row and one column are kept; fixed rows and columns stay fewer than
    // rows and columns (lowering a count lowers the fixed count with it). New cells are empty;
    // new columns and rows take the default width and height. Texts and sizes of the rows and
    // columns that remain are kept. A count change closes an open editor first.
    int rowCount() const;
    void setRowCount(int rows);
    int columnCount() const;
    void setColumnCount(int columns);
    int fixedRowCount() const;
    void setFixedRowCount(int rows); // moves the current cell below the fixed rows
    int fixedColumnCount() const;
    void setFixedColumnCount(int columns); // moves the current cell right of the fixed columns

    int defaultColumnWidth() const;
    void setDefaultColumnWidth(int width); // applies to every column, as it does to new ones
    int defaultRowHeight() const;
    void setDefaultRowHeight(int height); // applies to every row, as it does to new ones
    int columnWidth(int column) const;    // 0 outside the grid
    void setColumnWidth(int column, int width);
    int rowHeight(int row) const; // 0 outside the grid
    void setRowHeight(int row, int height);

    QString cell(int column, int row) const; // "" outside the grid
    void setCell(int column, int row, const QString& text);

    // The current cell is never a fixed cell. Since fixed counts stay below the counts, there is
    // always one.
    int currentColumn() const;
    int currentRow() const;
    void setCurrentCell(int column, int row); // ignored for fixed or absent cells; signals nothing
    int topRow() const;                       // first non-fixed row shown

    // Rectangle of a cell in viewport coordinates, without its grid lines; empty when the cell
    // is scrolled out of view or lies beyond the viewport's right or bottom edge.
    QRect cellRect(int column, int row) const;
    // The cell under a viewport point, its grid lines included, or (-1, -1).
    QPoint cellAt(const QPoint& viewportPoint) const;

    bool isEditingEnabled() const;
    void setEditingEnabled(bool on); // turning editing off closes an open editor
    bool isEditorOpen() const;
    QLineEdit* editor() const; // the in-place editor, or nullptr before it first opens
    void openEditor();         // on the current cell, its text selected
    void closeEditor();        // gives up the cell: writes the text back and signals setEditText

    QColor fixedColor() const;
    void setFixedColor(const QColor& color);

    // Paints every cell again before returning.
    void repaintAll();

    // Draws one line of text vertically centred in `rect`, aligned left `inset` px in or centred
    // (`horizontal` is Qt::AlignLeft or Qt::AlignHCenter). Only the part of a very long text that
    // can show in the rectangle is laid out, so a huge cell text paints as fast as a short one.
    static void drawCellText(QPainter& painter, const QRect& rect, const QString& text,
                             Qt::Alignment horizontal, int inset = 0);

signals:
    // Paint the fill and the text of one cell; the painter is clipped to the cell. The grid then
    // draws the lines, the raised edge of a fixed cell and the focus rectangle. Without a
    // receiver the grid paints a default cell.
    void drawCell(QPainter& painter, int column, int row, const QRect& rect,
                  StringGrid::CellState state);
    // A left press on a non-fixed cell, or a keyboard move of the current cell.
    void clicked();
    // Every character typed into the grid or its editor passes here first (connect directly);
    // setting `key` to a null QChar discards it, setting another character types that one
    // instead. Backspace arrives as 8, Enter as 13, Escape as 27 and Ctrl+letter as its control
    // character (Ctrl+C as 3). Keys that type nothing (arrows, Delete, F2) are not offered, and
    // Escape closes an open editor whatever becomes of its character.
    void keyPress(QChar& key);
    // The editor set a cell's text: on every change of its text, and once more when it gives up
    // the cell.
    void setEditText(int column, int row, const QString& text);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(StringGrid::CellState)

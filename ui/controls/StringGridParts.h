#pragma once
// The two pieces through which a StringGrid draws and edits its cells: the delegate of the table's
// cells, and the header that holds the first fixed row.
#include <QHeaderView>
#include <QStyledItemDelegate>

class StringGrid;

class StringGridDelegate : public QStyledItemDelegate {
public:
    explicit StringGridDelegate(StringGrid& grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    // Nothing to do: the grid writes the cell at every edit and when the editor gives up.
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    StringGrid& grid_;
};

class StringGridHeader : public QHeaderView {
public:
    explicit StringGridHeader(StringGrid& grid);
    QSize sizeHint() const override; // as high as the first row and its grid line

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    // A press on a fixed cell only makes an open editor give up; nothing else happens.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    StringGrid& grid_;
};

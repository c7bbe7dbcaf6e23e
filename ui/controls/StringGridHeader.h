#pragma once
// The first fixed row of a StringGrid: the model's horizontal header, drawn as the row's cells are
// drawn, from the header's roles. It stays in view while the other rows scroll. Its sections
// cannot be clicked, moved or resized; a press on it takes the focus to the grid, which makes an
// open editor give up its cell.
#include <QHeaderView>

class StringGridHeader : public QHeaderView {
public:
    explicit StringGridHeader(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

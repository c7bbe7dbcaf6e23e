#include "StringGridHeader.h"

#include "StringGridDelegate.h"

#include <QPaintEvent>
#include <QPainter>

StringGridHeader::StringGridHeader(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setMinimumSectionSize(0);
    setSectionResizeMode(QHeaderView::Fixed);
}

void StringGridHeader::paintEvent(QPaintEvent* event) {
    // Beyond the last column lies the grid's background, as in the rows below, where Qt's header
    // would draw an empty header section.
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    for (int column = 0; column < count(); ++column) {
        const QRect section(sectionViewportPosition(column), 0, sectionSize(column), height());
        if (event->rect().intersects(section)) paintSection(&painter, section, column);
    }
}

void StringGridHeader::paintSection(QPainter* painter, const QRect& rect, int column) const {
    const auto data = [&](int role) { return model()->headerData(column, Qt::Horizontal, role); };
    StringGridDelegate::paintCell(*painter, rect, CellLookFrom(data, font(), palette()));
}

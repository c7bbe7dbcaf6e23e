#pragma once
// Drawing on whole device pixels. On a screen scaled by 125 or 175 % a line one pixel wide covers
// one or two device pixels depending on where it falls; lines placed here are the same number of
// device pixels wide wherever they fall, and rectangles that share an edge share it exactly.
#include <QPainter>
#include <QTransform>
#include <algorithm>

class DevicePixels {
public:
    explicit DevicePixels(const QPainter& painter)
        : toDevice_(painter.deviceTransform())
        , toLogical_(toDevice_.inverted()) {}

    // The device pixel column or row where a logical coordinate falls, rounded as Qt's raster
    // engine rounds the edges of the rectangles it fills.
    int x(int logical) const { return qRound(toDevice_.map(QPointF(logical, 0)).x()); }
    int y(int logical) const { return qRound(toDevice_.map(QPointF(0, logical)).y()); }
    // A logical rectangle's edges on the device grid.
    QRect snapped(const QRect& logical) const {
        const int left = x(logical.left()), top = y(logical.top());
        return {left, top, x(logical.left() + logical.width()) - left,
                y(logical.top() + logical.height()) - top};
    }
    // How many device pixels wide a line is: the whole part of the scale, at least one.
    int line() const { return std::max(1, int(toDevice_.m11())); }

    QRectF logical(const QRect& device) const { return toLogical_.mapRect(QRectF(device)); }
    void fill(QPainter& painter, const QRect& device, const QColor& colour) const {
        painter.fillRect(logical(device), colour);
    }

private:
    QTransform toDevice_;
    QTransform toLogical_;
};

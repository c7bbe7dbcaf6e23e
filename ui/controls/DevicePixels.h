#pragma once
// Drawing on whole device pixels. On a screen scaled by 125 or 175 % a line one pixel wide covers
// one or two device pixels depending on where it falls; lines placed here are the same number of
// device pixels wide wherever they fall, and rectangles that share an edge share it exactly.
// The painter's transform is a scale and a translation, as it is on a widget.
#include <QPainter>
#include <algorithm>

class DevicePixels {
public:
    explicit DevicePixels(const QPainter& painter)
        : scale_(painter.deviceTransform().m11())
        , dx_(painter.deviceTransform().dx())
        , dy_(painter.deviceTransform().dy()) {}

    // The device pixel column or row where a logical coordinate falls, rounded as Qt's raster
    // engine rounds the edges of the rectangles it fills.
    int x(int logical) const { return qRound(logical * scale_ + dx_); }
    int y(int logical) const { return qRound(logical * scale_ + dy_); }
    // A logical rectangle's edges on the device grid.
    QRect snapped(const QRect& logical) const {
        const int left = x(logical.left()), top = y(logical.top());
        return {left, top, x(logical.left() + logical.width()) - left,
                y(logical.top() + logical.height()) - top};
    }
    // How many device pixels wide a line is: the whole part of the scale, at least one.
    int line() const { return std::max(1, int(scale_)); }

    QRectF logical(const QRect& device) const {
        return {(device.x() - dx_) / scale_, (device.y() - dy_) / scale_, device.width() / scale_,
                device.height() / scale_};
    }
    void fill(QPainter& painter, const QRect& device, const QColor& colour) const {
        painter.fillRect(logical(device), colour);
    }

private:
    qreal scale_;
    qreal dx_;
    qreal dy_;
};

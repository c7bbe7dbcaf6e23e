#pragma once
// A label that acts as a web link: hand cursor, raises clicked() on a left click, and is announced
// to screen readers as a link that can be pressed.
#include <QLabel>

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

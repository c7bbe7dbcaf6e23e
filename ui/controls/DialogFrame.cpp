#include "DialogFrame.h"

#include "ClassicColours.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

void FixDialogFrame(QWidget& dialog) {
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog.setFixedSize(dialog.size());
}

void FixWhiteBackground(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, ClassicColour::White);
    palette.setColor(QPalette::WindowText, ClassicColour::Black);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void FixWhiteBase(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, ClassicColour::White);
    palette.setColor(QPalette::Text, ClassicColour::Black);
    widget.setPalette(palette);
}

void SetTextColour(QWidget& label, const QColor& colour) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

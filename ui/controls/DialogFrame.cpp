#include "DialogFrame.h"

#include "ClassicColours.h"

#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace {
// Fusion draws a control's arrows in its window-text colour and its outline from its window
// colour. A control on the program's white keeps the desktop's two, or its arrows would take the
// labels' black onto the desktop's button face, which may be black itself.
void TakeDesktopColours(QWidget& control) {
    const QPalette desktop = QApplication::palette(&control);
    QPalette palette = control.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (const auto role : {QPalette::Window, QPalette::WindowText})
            palette.setBrush(group, role, desktop.brush(group, role));
    control.setPalette(palette);
}

// Labels and group titles on the program's white keep the dark text inherited from `container`;
// every other control inside draws its own faces in the desktop's colours.
void KeepDesktopFaces(QWidget& container) {
    for (QWidget* child : container.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || qobject_cast<QLabel*>(child)) continue;
        if (qobject_cast<QGroupBox*>(child) || child->metaObject() == &QWidget::staticMetaObject)
            KeepDesktopFaces(*child);
        else
            TakeDesktopColours(*child);
    }
}

// A colour set on a widget no longer follows the application's palette by itself: when the
// desktop changes its scheme while the program runs (Qt tells the windows), the controls take the
// new one.
class DesktopColours : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ApplicationPaletteChange && watched->isWidgetType())
            KeepDesktopFaces(*static_cast<QWidget*>(watched));
        return false;
    }
};
} // namespace

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
    KeepDesktopFaces(widget);
    widget.installEventFilter(new DesktopColours(&widget));
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

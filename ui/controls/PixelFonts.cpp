#include "PixelFonts.h"

#include <QVariant>
#include <QWidget>

void ApplyPixelFonts(QWidget& root) {
    if (const QVariant size = root.property("pixelSize"); size.isValid()) {
        QFont font = root.font();
        font.setPixelSize(size.toInt());
        root.setFont(font);
    }
    for (QObject* child : root.children())
        if (child->isWidgetType()) ApplyPixelFonts(*static_cast<QWidget*>(child));
}

#include "PixelFonts.h"

#include <QVariant>
#include <QWidget>

void ApplyPixelFonts(QWidget& root) {
    // Children first: a child keeps its own size when its parent's font changes, so the result is
    // the same, but no child is ever laid out, even for a moment, in a size it does not show
    // (which would load a font engine for it).
    for (QObject* child : root.children())
        if (child->isWidgetType()) ApplyPixelFonts(*static_cast<QWidget*>(child));
    if (const QVariant size = root.property("pixelSize"); size.isValid()) {
        QFont font = root.font();
        font.setPixelSize(size.toInt());
        root.setFont(font);
    }
}

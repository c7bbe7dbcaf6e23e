#include "Application.h"

#include "RegionalSettings.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QStyle>
#include <QStyleFactory>

// Q_INIT_RESOURCE must stand outside any namespace.
static void InitResources() {
    Q_INIT_RESOURCE(ratsionik);
}

namespace {
// The windows are laid out with Windows fonts. Debian has close substitutes: Wine's Tahoma
// (not registered with fontconfig, so loaded here), Liberation Serif and Mono (metric-compatible
// with Times New Roman and Courier New) and URW's Z003, a calligraphic italic like Monotype
// Corsiva. Wine's tahomabd.ttf draws strokes as thin as the regular face, only spaced wider, so
// bold is left to the font engine, which emboldens the regular face.
void SetUpFonts() {
    const bool haveTahoma =
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")) >= 0;
    if (!haveTahoma)
        QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Monotype Corsiva"), QStringLiteral("Z003"));
}
} // namespace

void SetUpApplication() {
    InitResources();
    QApplication::setApplicationName(QStringLiteral("Рационик"));
    QApplication::setDesktopFileName(QStringLiteral("ratsionik"));
    // One look everywhere, so that every control fits its laid-out size on any desktop.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QIcon icon;
    for (int size : {24, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/icons/ratsionik-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    SetUpFonts();
    // The windows' most common face and size: widgets are built in the application's font before
    // their own is applied, so any other default would load faces no window shows.
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPixelSize(13);
    QApplication::setFont(tahoma);
    ReadDecimalSeparator();
}

#include "Application.h"

#include "ApplicationFonts.h"
#include "Pictures.h"
#include "RegionalSettings.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QStyle>
#include <QStyleFactory>

// Q_INIT_RESOURCE must stand outside any namespace.
static void InitResources() {
    Q_INIT_RESOURCE(ratsionik);
}

void SetUpApplication() {
    InitResources();
    QApplication::setApplicationName(QStringLiteral("Рационик"));
    QApplication::setDesktopFileName(QStringLiteral("ratsionik"));
    // One look everywhere, so that every control fits its laid-out size on any desktop.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    SetUpFonts();
    // The windows' most common face and size: widgets are built in the application's font before
    // their own is applied, so any other default would load faces no window shows.
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPixelSize(13);
    QApplication::setFont(tahoma);
    ReadDecimalSeparator();
}

void SetUpWindowIcon() {
    QIcon icon;
    for (int size : {24, 32, 48, 64, 128})
        icon.addPixmap(StoredPicture(QStringLiteral("ratsionik-%1").arg(size)));
    QApplication::setWindowIcon(icon);
}

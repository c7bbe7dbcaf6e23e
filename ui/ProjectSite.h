#pragma once
// The project web site: its address and the name under which the program shows it.
#include <QString>

inline QString ProjectSiteHost() {
    return QStringLiteral("ratsion-na-zdorovye.example.org");
}

// Shown by the site link and at the end of the help text.
inline QString ProjectSiteName() {
    return QStringLiteral("Рацион-на-здоровье");
}

// The first word of the site's name with its hyphen: the help window finds the name by it.
inline QString ProjectSiteMarker() {
    return QStringLiteral("Рацион-");
}

// "http://" + host + path + "?partner=Ratsionik", the path as written (not percent-encoded).
inline QString ProjectSiteAddress(const QString& path) {
    return QStringLiteral("http://") + ProjectSiteHost() + path +
           QStringLiteral("?partner=Ratsionik");
}

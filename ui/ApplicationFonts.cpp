#include "ApplicationFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QResource>
#include <QString>

void SetUpFonts() {
    // Made at build time from Wine's Tahoma (scripts/make-fonts). A real bold face, because the
    // font engine's emboldening is sized for 100 % and looks nearly regular at 200 %. The faces
    // are stored uncompressed: the database takes them in place, without reading a file.
    for (const char* face : {":/fonts/tahoma.ttf", ":/fonts/tahomabd.ttf"}) {
        const QResource resource(QString::fromLatin1(face));
        QFontDatabase::addApplicationFontFromData(resource.uncompressedData());
    }
    // Liberation Serif and Mono are metric-compatible with Times New Roman and Courier New;
    // URW's Z003 is a calligraphic italic like Monotype Corsiva.
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Monotype Corsiva"), QStringLiteral("Z003"));
}

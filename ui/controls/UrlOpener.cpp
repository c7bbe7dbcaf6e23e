#include "UrlOpener.h"

#include <QProcess>

namespace {
UrlOpenerFunction& Opener() {
    static UrlOpenerFunction opener;
    return opener;
}

// xdg-open is the freedesktop "open" operation; it hands the address to the default browser.
void OpenWithDesktop(const QString& address) {
    QProcess::startDetached(QStringLiteral("xdg-open"), {address});
}
} // namespace

void OpenUrl(const QString& address) {
    if (Opener())
        Opener()(address);
    else
        OpenWithDesktop(address);
}

void SetUrlOpener(UrlOpenerFunction opener) {
    Opener() = std::move(opener);
}

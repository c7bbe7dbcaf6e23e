#pragma once
// Opens a web address in the user's browser through the desktop's "open" operation. The address
// is passed exactly as written (a Cyrillic path is not percent-encoded) and the outcome is not
// inspected. Tests replace the opener to see the address.
#include <QString>
#include <functional>

void OpenUrl(const QString& address);

using UrlOpenerFunction = std::function<void(const QString& address)>;
// An empty function restores the desktop's opener.
void SetUrlOpener(UrlOpenerFunction opener);

#pragma once
// The model's texts are UTF-8; the windows show them as QStrings.
#include <QString>
#include <string_view>

inline QString ModelText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// A window title that shows `text` as it is: Qt takes "[*]" in a title for the place of the
// "modified" mark and drops it, unless it is doubled.
inline QString PlainWindowTitle(QString text) {
    return text.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

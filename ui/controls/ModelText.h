#pragma once
// The model's texts are UTF-8; the windows show them as QStrings.
#include <QString>
#include <string_view>

inline QString ModelText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

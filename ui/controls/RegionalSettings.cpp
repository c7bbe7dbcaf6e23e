#include "RegionalSettings.h"

#include <QLocale>

namespace {
QString& Separator() {
    static QString separator = QLocale::system().decimalPoint();
    return separator;
}
bool overridden = false;
} // namespace

QString DecimalSeparator() {
    return Separator();
}

std::string DecimalSeparatorUtf8() {
    return Separator().toStdString();
}

void ReadDecimalSeparator() {
    if (!overridden) Separator() = QLocale::system().decimalPoint();
}

void OverrideDecimalSeparator(const QString& separator) {
    overridden = true;
    Separator() = separator;
}

#pragma once
// The decimal separator of the user's regional settings: read at start-up and again whenever the
// desktop announces a locale change (QEvent::LocaleChange, which the main window forwards here).
#include <QString>
#include <string>

QString DecimalSeparator();
std::string DecimalSeparatorUtf8();
void ReadDecimalSeparator();

// Tests pin the separator so that they do not depend on the machine's locale.
void OverrideDecimalSeparator(const QString& separator);

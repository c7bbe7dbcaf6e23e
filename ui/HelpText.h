#pragma once
// The help text: its stored lines and the pass that makes its headings bold and the project
// site's name bold and blue.
#include <QStringList>

class QString;
class QTextEdit;

// The lines of the help text as stored, each one paragraph of the help window.
QStringList LoadHelpLines();

// Formats `edit`, which holds `lines` joined by line breaks. Line 0 and every line starting with
// "Шаг" become exactly bold (bold on; italic, underline and strike-out off). In each line the
// `markedLength` characters from the first `marker` become exactly bold and blue. The caret ends
// at the start of the text with nothing selected.
void FormatHelpText(QTextEdit& edit, const QStringList& lines, const QString& marker,
                    int markedLength);

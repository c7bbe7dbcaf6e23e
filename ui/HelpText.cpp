#include "HelpText.h"

#include "ClassicColours.h"

#include <QColor>
#include <QFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

namespace {
QTextCharFormat ExactlyBold() {
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    format.setFontItalic(false);
    format.setFontUnderline(false);
    format.setFontStrikeOut(false);
    return format;
}

// A range that runs past the end of the text stops there.
void Format(QTextDocument& document, qsizetype start, qsizetype length,
            const QTextCharFormat& format) {
    const qsizetype textEnd = document.characterCount() - 1; // the last paragraph's own end
    const qsizetype end = std::min(start + length, textEnd);
    if (start >= end) return;
    QTextCursor cursor(&document);
    cursor.setPosition(static_cast<int>(start));
    cursor.setPosition(static_cast<int>(end), QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(format);
}
} // namespace

QStringList LoadHelpLines() {
    QFile file(QStringLiteral(":/help/help.txt"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\n'))) // the file's last line is terminated like the others
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

void FormatHelpText(QTextEdit& edit, const QStringList& lines, const QString& marker,
                    int markedLength) {
    QTextDocument& document = *edit.document();
    const QTextCharFormat heading = ExactlyBold();
    QTextCharFormat siteName = ExactlyBold();
    siteName.setForeground(ClassicColour::Link);

    // Every line is one paragraph, and a paragraph break is one character of the document.
    qsizetype offset = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (i == 0 || line.startsWith(QStringLiteral("Шаг")))
            Format(document, offset, line.size(), heading);
        if (!marker.isEmpty())
            if (const qsizetype at = line.indexOf(marker); at >= 0)
                Format(document, offset + at, markedLength, siteName);
        offset += line.size() + 1;
    }

    QTextCursor caret(&document);
    caret.setPosition(0);
    edit.setTextCursor(caret);
}

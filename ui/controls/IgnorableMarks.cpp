#include "IgnorableMarks.h"

#include <QFontInfo>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <utility>

namespace {
// The marks are as wide as a narrow letter: a run of several reads as so many characters.
constexpr qreal kMarkWidthEm = 0.4;

// Default_Ignorable_Code_Point, Unicode 15 (DerivedCoreProperties.txt), as first and last of
// each range.
constexpr std::array<std::pair<char32_t, char32_t>, 17> kIgnorable{{
    {0x00AD, 0x00AD},
    {0x034F, 0x034F},
    {0x061C, 0x061C},
    {0x115F, 0x1160},
    {0x17B4, 0x17B5},
    {0x180B, 0x180F},
    {0x200B, 0x200F},
    {0x202A, 0x202E},
    {0x2060, 0x206F},
    {0x3164, 0x3164},
    {0xFE00, 0xFE0F},
    {0xFEFF, 0xFEFF},
    {0xFFA0, 0xFFA0},
    {0xFFF0, 0xFFF8},
    {0x1BCA0, 0x1BCA3},
    {0x1D173, 0x1D17A},
    {0xE0000, 0xE0FFF},
}};

bool IsDefaultIgnorable(char32_t character) {
    const auto after = std::upper_bound(
        kIgnorable.begin(), kIgnorable.end(), character,
        [](char32_t c, const std::pair<char32_t, char32_t>& range) { return c < range.first; });
    return after != kIgnorable.begin() && character <= std::prev(after)->second;
}
} // namespace

IgnorableMarks::IgnorableMarks(QTextDocument* document, const QColor& mark)
    : QSyntaxHighlighter(document) {
    // The room is letter spacing after the character, which Qt adds even to a glyph it hides; the
    // background fills the room.
    mark_.setBackground(mark);
    mark_.setFontLetterSpacingType(QFont::AbsoluteSpacing);
    const int em = QFontInfo(document ? document->defaultFont() : QFont()).pixelSize();
    mark_.setFontLetterSpacing(kMarkWidthEm * em);
}

void IgnorableMarks::highlightBlock(const QString& text) {
    for (int at = 0; at < int(text.size());) {
        char32_t character = text[at].unicode();
        int length = 1;
        if (text[at].isHighSurrogate() && at + 1 < int(text.size()) &&
            text[at + 1].isLowSurrogate()) {
            character = QChar::surrogateToUcs4(text[at], text[at + 1]);
            length = 2;
        }
        if (IsDefaultIgnorable(character)) setFormat(at, length, mark_);
        at += length;
    }
}

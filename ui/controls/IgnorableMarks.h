#pragma once
// Characters that Unicode lets a renderer hide (the default-ignorable code points: zero-width
// spaces and joiners, the word joiner, the byte-order mark, direction marks, variation selectors,
// ...) shown as grey marks with room of their own, so that a pasted number that fails for them no
// longer looks valid. Only the look changes: the document's text and its formats stay as they are.
// Qt 6.4 lays these characters out at no width and draws nothing for them, and has no option to
// show them.
#include <QColor>
#include <QSyntaxHighlighter>

class IgnorableMarks : public QSyntaxHighlighter {
public:
    // `mark` is the colour of the marks; it should stand out from the document's background.
    IgnorableMarks(QTextDocument* document, const QColor& mark);

protected:
    void highlightBlock(const QString& text) override;

private:
    QTextCharFormat mark_;
};

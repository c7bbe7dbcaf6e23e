#include "CellText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QTextBoundaryFinder>
#include <vector>

namespace {
// Texts up to this length are laid out whole: a few thousand characters take well under a
// millisecond. A pasted megabyte would take a fifth of a second at every repaint.
constexpr qsizetype kWholeLayoutLimit = 4096;
// Longer texts are measured in pieces of this length.
constexpr qsizetype kPiece = 1024;

// Right-to-left characters and the bidi controls reorder a line, so that the part that shows is
// no longer one stretch of the text; such texts are always laid out whole.
bool Reorders(const QString& text) {
    for (const QChar character : text) {
        switch (character.direction()) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirRLI:
        case QChar::DirFSI:
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirLRI:
        case QChar::DirPDF:
        case QChar::DirPDI:
            return true;
        default:
            break;
        }
    }
    return false;
}

// The end of the piece that starts at `start` (where a cluster of characters starts): after about
// kPiece characters, where the next cluster starts, so that no mark is drawn apart from its
// letter. A cluster that runs on for thousands of characters makes one long piece.
qsizetype PieceEnd(const QString& text, qsizetype start) {
    for (qsizetype window = 2 * kPiece;; window *= 2) {
        const qsizetype length = std::min(window, text.size() - start);
        if (length <= kPiece) return text.size();
        QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text.constData() + start,
                                     length);
        clusters.setPosition(kPiece);
        const qsizetype end = clusters.isAtBoundary() ? kPiece : clusters.toNextBoundary();
        if (end > 0 && end < length) return start + end;
        if (length == text.size() - start) return text.size();
    }
}
} // namespace

void DrawCellText(QPainter& painter, const QRect& rect, const QString& text,
                  Qt::Alignment horizontal, int inset) {
    const QRectF area = QRectF(rect).adjusted(inset, 0, 0, 0);
    const int flags = Qt::TextSingleLine | Qt::AlignVCenter;
    const bool centred = horizontal & Qt::AlignHCenter;
    if (text.size() <= kWholeLayoutLimit || Reorders(text)) {
        painter.drawText(area, flags | (centred ? Qt::AlignHCenter : Qt::AlignLeft), text);
        return;
    }
    // Left to right, the text is the sequence of its pieces: measure them and draw only the ones
    // that reach into the cell, each where the whole line would have put it. A character's width
    // is no guide: zero-width characters take none, so counting characters could leave a cell
    // empty that a full layout shows something in.
    const QFontMetricsF metrics(painter.font());
    // A glyph may reach beyond its advance (a mark with none at all still shows): a piece counts
    // as reaching into the cell within a line height of it.
    const qreal reach = metrics.height();
    struct Piece {
        QString text;
        qreal x;
        qreal advance;
    };
    std::vector<Piece> pieces;
    qreal width = 0;
    bool measuredAll = true;
    for (qsizetype start = 0; start < text.size();) {
        if (!centred && width - reach > area.width()) { // the rest lies beyond the right edge
            measuredAll = false;
            break;
        }
        const qsizetype end = PieceEnd(text, start);
        QString piece = text.mid(start, end - start);
        const qreal advance = metrics.horizontalAdvance(piece);
        pieces.push_back({std::move(piece), width, advance});
        width += advance;
        start = end;
    }
    const qreal left = centred ? area.left() + (area.width() - width) / 2 : area.left();
    painter.save();
    // As in a full layout, the text is cut at the edges only when it is wider than the cell.
    if (!measuredAll || width > area.width()) painter.setClipRect(area, Qt::IntersectClip);
    for (const Piece& piece : pieces) {
        const qreal x = left + piece.x;
        if (x + piece.advance + reach > area.left() && x - reach < area.right())
            painter.drawText(QRectF(x, area.top(), piece.advance + 1, area.height()),
                             flags | Qt::AlignLeft | Qt::TextDontClip, piece.text);
    }
    painter.restore();
}

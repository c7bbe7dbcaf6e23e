#pragma once
// One line of cell text, drawn as a full layout of the whole text would show it, without laying
// out more of a very long text than the cell can show.
#include <Qt>

class QPainter;
class QRect;
class QString;

// Draws `text` on one line, vertically centred in `rect` and clipped to it, aligned left `inset`
// px in or centred (`horizontal` is Qt::AlignLeft or Qt::AlignHCenter), in the painter's font
// and pen.
void DrawCellText(QPainter& painter, const QRect& rect, const QString& text,
                  Qt::Alignment horizontal, int inset = 0);

#pragma once
// The roles through which a table model tells a StringGrid how a cell looks, beside Qt's own
// DisplayRole, FontRole, TextAlignmentRole, BackgroundRole and ForegroundRole.
#include <Qt>

enum CellRole {
    // bool: a fixed cell (a header), drawn raised with darker lines. Fixed cells have no item
    // flags, so that the view never makes one current.
    FixedCellRole = Qt::UserRole + 1,
    // int: how far a left-aligned text stands in from the cell's left edge, in pixels; the
    // editor puts its text there too.
    TextIndentRole,
};

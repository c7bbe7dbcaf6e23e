#pragma once
// The program's named colours, as a classic Windows desktop shows them: the food-combining verdicts,
// the cream and 3-D light fills of the tables' fixed cells, the pure blue of links and the shades
// of the grid's lines and edges. They stay the same on every desktop colour scheme, and so do the
// backgrounds they are drawn on.
#include <QColor>

namespace ClassicColour {
inline constexpr QColor Black{0x00, 0x00, 0x00};
inline constexpr QColor White{0xFF, 0xFF, 0xFF};
inline constexpr QColor Good{0x00, 0x80, 0x00};       // green: combines well
inline constexpr QColor Acceptable{0x00, 0x00, 0xFF}; // blue: combines acceptably
inline constexpr QColor NotAllowed{0xFF, 0x00, 0x00}; // red: does not combine
inline constexpr QColor Cream{0xFF, 0xFB, 0xF0};      // fixed cells of the ration table
inline constexpr QColor Link{0x00, 0x00, 0xFF};       // links, pure blue
inline constexpr QColor Light3D{0xE3, 0xE3, 0xE3};    // fixed cells of the needs table
// The grid's lines, edges and frame.
inline constexpr QColor Silver{0xC0, 0xC0, 0xC0}; // lines between normal cells
inline constexpr QColor Grey{0x80, 0x80, 0x80};   // lines around fixed cells
inline constexpr QColor Shadow3D{0xA0, 0xA0, 0xA0};
inline constexpr QColor DarkShadow3D{0x69, 0x69, 0x69};
} // namespace ClassicColour

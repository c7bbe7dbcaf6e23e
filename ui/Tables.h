#pragma once
// The rows and columns of the main window's two tables, by what they hold. The header row of
// each table lies above its rows.

// The needs table: nutrients down, the ration's total and the three needs across.
enum NeedsRow { CarbohydratesRow, ProteinsRow, FatsRow, WaterRow, NeedsRows };
enum NeedsColumn {
    NutrientColumn,
    TotalColumn,
    MinimumColumn,
    NormalColumn,
    MaximumColumn,
    NeedsColumns
};

// The ration table: one row per food of the ration, in the order they were added.
enum RationColumn { NameColumn, UglColumn, BelColumn, ZirColumn, QuantityColumn, RationColumns };

#pragma once
// The rows and columns of the main window's two tables, by what they hold.

// The needs table: nutrients down, the ration's total and the three needs across.
enum NeedsRow { NeedsHeaderRow, CarbohydratesRow, ProteinsRow, FatsRow, WaterRow };
enum NeedsColumn { NutrientColumn, TotalColumn, MinimumColumn, NormalColumn, MaximumColumn };

// The ration table: a header row, then one row per food of the ration (table row i + 1 holds
// ration row i).
enum RationColumn { NameColumn, UglColumn, BelColumn, ZirColumn, QuantityColumn, RationColumns };

#pragma once
// How the window tests reach and drive the program as a user would: a control by its name, a food
// added through the picker, quantities typed into the ration, a dialog shown modally, and what the
// tables show: texts, totals and the colour a food's name is drawn in. A table's cells are counted
// as the user sees them: its header row, when shown, is row 0.
#include "Main.h"
#include "StringGrid.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>

class IntegerSpinBox;
class QLineEdit;
class QModelIndex;
class QPushButton;
class TDialogForm;

namespace Driver {

// A control of the main window by its name; a missing one ends the test run.
template <typename T> T& Control(const char* name) {
    auto* widget = MainForm->findChild<T*>(QString::fromLatin1(name));
    if (!widget) qFatal("no control %s", name);
    return *widget;
}
QString LabelText(const char* name);
IntegerSpinBox& Spin(const char* name);
QLineEdit& Field(const char* name); // the text field of a spin box
QPushButton& Button(const char* name);
StringGrid& Ration(); // ProductGrid
StringGrid& Needs();  // MacroGrid

// Presses the add button; the picker answers with `catalogueIndex` as if it had been chosen.
void AddFood(int catalogueIndex);
// Shows `dialog` through its modal showing and runs `whileShown` with it open.
void ShowModal(TDialogForm& dialog, const std::function<void()>& whileShown);

void ClickQuantity(int row);
// Keys go where a user's keys go: to the focused widget, which is the editor once it opens.
void TypeKeys(const QString& keys);
void TypeQuantity(int row, const QString& keys); // a click on the cell, the keys, then Enter

// A table as the user sees it: rows and columns with the header row, fixed cells, texts, where a
// cell lies in the viewport (without its grid lines), the current cell and the open editor.
int RowCount(const StringGrid& grid);
int ColumnCount(const StringGrid& grid);
int FixedRowCount(const StringGrid& grid);
int FixedColumnCount(const StringGrid& grid); // of the first row below the header
QModelIndex CellIndex(const StringGrid& grid, int column, int row); // invalid for the header row
QString Cell(const StringGrid& grid, int column, int row);
void SetCell(StringGrid& grid, int column, int row, const QString& text); // as an edit would
QRect CellRect(const StringGrid& grid, int column, int row);
int CurrentColumn(const StringGrid& grid);
int CurrentRow(const StringGrid& grid);
QLineEdit* Editor(const StringGrid& grid); // nullptr while no editor is open

QStringList Totals(); // the ration's carbohydrates, proteins and fats in the needs table
QStringList RationRow(int row);
QStringList RationNames();

// The whole of a table as painted, its header row included, and where a cell lies in that image.
QImage TableImage(StringGrid& grid);
QRect CellInImage(const StringGrid& grid, int column, int row);
// The colour a food's name is drawn in: black, green, blue or red.
QColor NameColour(int row);

} // namespace Driver

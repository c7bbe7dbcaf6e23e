#pragma once
// How the window tests reach and drive the program as a user would: a control by its name, a food
// added through the picker, quantities typed into the ration, a dialog shown modally, and what the
// tables show: texts, totals and the colour a food's name is drawn in.
#include "Main.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>

class IntegerSpinBox;
class QLineEdit;
class QPushButton;
class StringGrid;
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

QStringList Totals(); // the ration's carbohydrates, proteins and fats in the needs table
QStringList RationRow(int row);
QStringList RationNames();

// The whole of a table as painted, its header row included, and where a cell lies in that image.
QImage TableImage(StringGrid& grid);
QRect CellInImage(const StringGrid& grid, int column, int row);
// The colour a food's name is drawn in, read back from the painted pixels: black, green, blue or
// red; an invalid colour when the cell shows no text.
QColor NameColour(int row);

} // namespace Driver

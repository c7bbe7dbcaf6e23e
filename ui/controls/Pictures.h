#pragma once
// The program's pictures, decoded when it is built (resources/pictures): each picture rendered
// for the screen scales 100, 125, 150, 175 and 200 %, as ":/pictures/<name>" at 100 % and
// ":/pictures/<name>@<scale>x" at the others. Only what a screen shows is ever unpacked.
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

class QLabel;

// An icon `size` big at 100 %, sharp at every scale: each pixmap asked for comes from the
// rendering made for its scale or, between two, from the next larger one scaled down. A
// rendering is unpacked when a pixmap first needs it.
QIcon PictureIcon(const QString& name, QSize size);

// `label` shows the picture at its own size, in the rendering for its screen's scale.
void ShowPicture(QLabel& label, const QString& name);

// One stored rendering, ":/pictures/<file>", as a pixmap; a null pixmap when there is none.
QPixmap StoredPicture(const QString& file);

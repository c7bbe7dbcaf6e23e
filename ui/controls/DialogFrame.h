#pragma once
// The frames, backgrounds and text colours the windows share.
class QColor;
class QWidget;

// A fixed frame at the dialog's laid-out client size with the close box only: no minimise,
// maximise or help button, and no resizing.
void FixDialogFrame(QWidget& dialog);

// The program's own white, and with it the dark text the windows were drawn for, whatever the
// desktop's colour scheme: text on a background the program fixes has its colour fixed too. The
// controls inside keep the desktop's colours for their own faces (buttons, fields, lists, arrows,
// scroll bars), also when the desktop changes its scheme later.
// On a window or group: its background and the labels and group titles drawn on it.
void FixWhiteBackground(QWidget& widget);
// In a table or text box: its base and the text drawn on it.
void FixWhiteBase(QWidget& widget);

// The colour a label draws its text in.
void SetTextColour(QWidget& label, const QColor& colour);

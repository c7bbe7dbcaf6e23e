#pragma once
// The frames, backgrounds and text colours the windows share.
class QColor;
class QWidget;

// A fixed frame at the dialog's laid-out client size with the close box only: no minimise,
// maximise or help button, and no resizing.
void FixDialogFrame(QWidget& dialog);

// Fills the widget's background with `colour` (the main window, the legend and the notes are
// white).
void FillBackground(QWidget& widget, const QColor& colour);

// The colour a label draws its text in.
void SetTextColour(QWidget& label, const QColor& colour);

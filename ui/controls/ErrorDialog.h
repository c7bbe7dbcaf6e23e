#pragma once
// The error box itself: the application title as caption, the error icon, the message and one
// plain OK button. The message is plain text whatever characters it holds (never markup, never
// a picture or a link), breaks anywhere when it has no spaces, and the box always fits on the
// screen: it grows wider first and scrolls only when even the whole screen is too small.
#include <QDialog>

class QTextEdit;

class ErrorDialog : public QDialog {
    Q_OBJECT
public:
    ErrorDialog(QWidget* parent, const QString& message);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fitToScreen();

    QTextEdit* message_;
};

// The icon of the error box, sharp at every scale.
QIcon ErrorIcon();

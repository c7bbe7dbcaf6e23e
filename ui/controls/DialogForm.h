#pragma once
// What every secondary window shares: centred over the main window the first time it is shown,
// then where the user left it; Enter and Escape never close it. Dialogs are shown modally through
// ShowModal(), which tests can answer without a nested event loop.
#include <QDialog>
#include <functional>

// Moves a window that is about to be shown for the first time so that it is centred over
// `owner`, but never left of or above the desktop's top-left corner.
void CentreOverOwner(QWidget& window, const QWidget& owner);

class TDialogForm : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    // Shows the dialog modally and returns when the user has closed it.
    void ShowModal();

    // Tests: instead of a nested event loop, ShowModal() shows the dialog, calls the hook with it
    // and then closes it if the hook left it open. An empty hook restores the real showing.
    using ModalHook = std::function<void(TDialogForm& dialog)>;
    static void SetModalHook(ModalHook hook);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool placed_ = false;
};

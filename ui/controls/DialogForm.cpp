#include "DialogForm.h"

#include <QKeyEvent>
#include <QScreen>
#include <algorithm>

namespace {
TDialogForm::ModalHook& Hook() {
    static TDialogForm::ModalHook hook;
    return hook;
}
} // namespace

void CentreOverOwner(QWidget& window, const QWidget& owner) {
    const QRect ownerFrame = owner.frameGeometry();
    // A window not shown yet has no frame; assume it gets one like the owner's.
    const QSize frameExtra = owner.frameGeometry().size() - owner.geometry().size();
    const QSize frame = window.size() + frameExtra;
    int left = ownerFrame.left() + (ownerFrame.width() - frame.width()) / 2;
    int top = ownerFrame.top() + (ownerFrame.height() - frame.height()) / 2;
    if (const QScreen* screen = owner.screen()) {
        const QPoint desktopCorner = screen->virtualGeometry().topLeft();
        left = std::max(left, desktopCorner.x());
        top = std::max(top, desktopCorner.y());
    }
    window.move(left, top);
}

void TDialogForm::ShowModal() {
    if (!Hook()) {
        exec();
        return;
    }
    setModal(true);
    show();
    Hook()(*this);
    if (isVisible()) close();
}

void TDialogForm::SetModalHook(ModalHook hook) {
    Hook() = std::move(hook);
}

void TDialogForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept(); // only the close box, the system menu and Alt+F4 close a dialog
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TDialogForm::showEvent(QShowEvent* event) {
    if (!placed_ && parentWidget()) {
        CentreOverOwner(*this, *parentWidget()->window());
        placed_ = true;
    }
    QDialog::showEvent(event);
}

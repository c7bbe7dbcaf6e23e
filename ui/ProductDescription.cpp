#include "ProductDescription.h"

#include "ui_ProductDescription.h"

#include "DialogFrame.h"
#include "PixelFonts.h"

#include <QEvent>

SecondaryForm<TProductDescriptionForm> ProductDescriptionForm;

TProductDescriptionForm::TProductDescriptionForm(QWidget* parent)
    : TDialogForm(parent)
    , ui(std::make_unique<Ui::TProductDescriptionForm>()) {
    ui->setupUi(this);
    ApplyPixelFonts(*this);
    FixDialogFrame(*this);
    ui->Text->setAccessibleName(windowTitle());
    ui->Text->setFocus();
}

TProductDescriptionForm::~TProductDescriptionForm() = default;

QPlainTextEdit& TProductDescriptionForm::Text() {
    return *ui->Text;
}

void TProductDescriptionForm::changeEvent(QEvent* event) {
    // The caption is the food's name: a screen reader announces the text box by it.
    if (event->type() == QEvent::WindowTitleChange && ui->Text)
        ui->Text->setAccessibleName(windowTitle());
    TDialogForm::changeEvent(event);
}

#include "NeedDesc.h"

#include "ui_NeedDesc.h"

#include "DialogFrame.h"
#include "PixelFonts.h"

SecondaryForm<TNeedDescForm> NeedDescForm;

TNeedDescForm::TNeedDescForm(QWidget* parent)
    : TDialogForm(parent)
    , ui(std::make_unique<Ui::TNeedDescForm>()) {
    ui->setupUi(this);
    ApplyPixelFonts(*this);
    FixDialogFrame(*this);
    FixWhiteBackground(*this);
}

TNeedDescForm::~TNeedDescForm() = default;

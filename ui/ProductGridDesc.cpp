#include "ProductGridDesc.h"

#include "ui_ProductGridDesc.h"

#include "ClassicColours.h"
#include "DialogFrame.h"
#include "PixelFonts.h"

#include <QColor>

SecondaryForm<TProductGridDescForm> ProductGridDescForm;

TProductGridDescForm::TProductGridDescForm(QWidget* parent)
    : TDialogForm(parent)
    , ui(std::make_unique<Ui::TProductGridDescForm>()) {
    ui->setupUi(this);
    ApplyPixelFonts(*this);
    FixDialogFrame(*this);
    FixWhiteBackground(*this);
    // The colours in which the ration table draws the names of foods that combine well,
    // acceptably and not at all with the food of the current row.
    SetTextColour(*ui->Label9, ClassicColour::Good);
    SetTextColour(*ui->Label10, ClassicColour::Acceptable);
    SetTextColour(*ui->Label11, ClassicColour::NotAllowed);
}

void TProductGridDescForm::showEvent(QShowEvent* event) {
    // The labels keep their laid-out corners but take the size of their text in the fonts
    // actually used. Measuring loads two faces of the fixed-pitch font, so it waits for the
    // first showing instead of slowing the program's start.
    if (!sized_) {
        for (QLabel* label : findChildren<QLabel*>())
            label->adjustSize();
        sized_ = true;
    }
    TDialogForm::showEvent(event);
}

TProductGridDescForm::~TProductGridDescForm() = default;

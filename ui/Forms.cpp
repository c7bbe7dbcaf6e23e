#include "Forms.h"

#include "Application.h"
#include "FirstPaint.h"
#include "Help.h"
#include "Main.h"
#include "NeedDesc.h"
#include "ProductDescription.h"
#include "ProductGridDesc.h"
#include "ProductsList.h"

namespace {
bool secondaryFormsCreated = false;
}

void CreateForms() {
    MainForm = new TMainForm;
    // The first view shows the main window alone: the rest is built as soon as it is on the
    // screen, or earlier by whatever reaches a hidden window first (SecondaryForm.h).
    AfterFirstPaint(*MainForm, [] {
        CreateSecondaryForms();
        SetUpWindowIcon();
    });
}

void CreateSecondaryForms() {
    if (secondaryFormsCreated || !MainForm) return;
    secondaryFormsCreated = true;
    ProductsForm.instance() = new TProductsForm(MainForm);
    ProductDescriptionForm.instance() = new TProductDescriptionForm(MainForm);
    ProductGridDescForm.instance() = new TProductGridDescForm(MainForm);
    HelpForm.instance() = new THelpForm(MainForm);
    NeedDescForm.instance() = new TNeedDescForm(MainForm);
}

template <typename Form> static void Destroy(Form*& form) {
    delete form;
    form = nullptr;
}

void DestroyForms() {
    Destroy(NeedDescForm.instance());
    Destroy(HelpForm.instance());
    Destroy(ProductGridDescForm.instance());
    Destroy(ProductDescriptionForm.instance());
    Destroy(ProductsForm.instance());
    Destroy(MainForm);
    secondaryFormsCreated = false;
}

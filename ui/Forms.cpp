#include "Forms.h"

#include "Help.h"
#include "Main.h"
#include "NeedDesc.h"
#include "ProductDescription.h"
#include "ProductGridDesc.h"
#include "ProductsList.h"

void CreateForms() {
    MainForm = new TMainForm;
    ProductsForm = new TProductsForm(MainForm);
    ProductDescriptionForm = new TProductDescriptionForm(MainForm);
    ProductGridDescForm = new TProductGridDescForm(MainForm);
    HelpForm = new THelpForm(MainForm);
    NeedDescForm = new TNeedDescForm(MainForm);
}

template <typename Form> static void Destroy(Form*& form) {
    delete form;
    form = nullptr;
}

void DestroyForms() {
    Destroy(NeedDescForm);
    Destroy(HelpForm);
    Destroy(ProductGridDescForm);
    Destroy(ProductDescriptionForm);
    Destroy(ProductsForm);
    Destroy(MainForm);
}

#pragma once
// The product description dialog: the name of a food of the ration as its caption and the food's
// commentary in a read-only text box. The main window fills both before every showing.
#include "DialogForm.h"
#include "SecondaryForm.h"
#include <memory>

class QPlainTextEdit;

namespace Ui {
class TProductDescriptionForm;
}

class TProductDescriptionForm : public TDialogForm {
    Q_OBJECT
public:
    explicit TProductDescriptionForm(QWidget* parent = nullptr);
    ~TProductDescriptionForm() override;

    // The text box with the commentary.
    QPlainTextEdit& Text();

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::TProductDescriptionForm> ui;
};

extern SecondaryForm<TProductDescriptionForm> ProductDescriptionForm;

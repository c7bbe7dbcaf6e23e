#pragma once
// The notes on the needs table: a paragraph each on carbohydrates, proteins, fats and water.
#include "DialogForm.h"
#include "SecondaryForm.h"
#include <memory>

namespace Ui {
class TNeedDescForm;
}

class TNeedDescForm : public TDialogForm {
    Q_OBJECT
public:
    explicit TNeedDescForm(QWidget* parent = nullptr);
    ~TNeedDescForm() override;

private:
    std::unique_ptr<Ui::TNeedDescForm> ui;
};

extern SecondaryForm<TNeedDescForm> NeedDescForm;

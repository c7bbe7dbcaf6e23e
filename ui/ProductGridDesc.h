#pragma once
// The ration-table legend: what the column headers stand for and what the three colours of the
// food names mean.
#include "DialogForm.h"
#include "SecondaryForm.h"
#include <memory>

namespace Ui {
class TProductGridDescForm;
}

class TProductGridDescForm : public TDialogForm {
    Q_OBJECT
public:
    explicit TProductGridDescForm(QWidget* parent = nullptr);
    ~TProductGridDescForm() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TProductGridDescForm> ui;
    bool sized_ = false;
};

extern SecondaryForm<TProductGridDescForm> ProductGridDescForm;

#pragma once
// The help window: the program's instructions in a read-only rich-text box, shown without
// blocking the main window.
#include "SecondaryForm.h"

#include <QWidget>
#include <memory>

namespace Ui {
class THelpForm;
}

class THelpForm : public QWidget {
    Q_OBJECT
public:
    explicit THelpForm(QWidget* parent = nullptr);
    ~THelpForm() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void SetOuterWidth(int outerWidth);

    std::unique_ptr<Ui::THelpForm> ui;
    bool placed_ = false;
};

extern SecondaryForm<THelpForm> HelpForm;

#pragma once
// The product picker: the catalogue as a tree of categories and their foods. A double-click on a
// food closes it with the food's catalogue index in MResult; any other closing leaves -1.
#include "DialogForm.h"
#include "SecondaryForm.h"

#include <memory>

namespace Ui {
class TProductsForm;
}
class QTreeWidget;
class QTreeWidgetItem;

class TProductsForm : public TDialogForm {
    Q_OBJECT
public:
    explicit TProductsForm(QWidget* parent = nullptr);
    ~TProductsForm() override;

    int MResult = -1;

    QTreeWidget& TreeView() const;
    // A node's tag: the category number of a category node, the catalogue index of a food node.
    static int Tag(const QTreeWidgetItem& node);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void TreeViewDblClick();

    std::unique_ptr<Ui::TProductsForm> ui;
};

extern SecondaryForm<TProductsForm> ProductsForm;

#include "ProductsList.h"

#include "ui_ProductsList.h"

#include "ModelText.h"
#include "PixelFonts.h"
#include "Products.h"

#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTreeWidgetItemIterator>
#include <algorithm>

SecondaryForm<TProductsForm> ProductsForm;

namespace {
constexpr int kTagRole = Qt::UserRole;

QTreeWidgetItem* NewNode(std::string_view text, int tag) {
    auto* node = new QTreeWidgetItem;
    node->setText(0, ModelText(text));
    node->setData(0, kTagRole, tag);
    return node;
}

// Rows as tall as a desktop tree view's, rather than packed to the height of the text.
class RoomyRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), option.fontMetrics.height() + 4));
        return size;
    }
};

int Level(const QTreeWidgetItem& node) {
    return node.parent() ? 1 : 0;
}

// The category's node: the first node in display order whose tag is the category number and
// whose level is 0 (a food whose index equals the number is passed over by its level).
QTreeWidgetItem* FindCategoryNode(QTreeWidget& tree, int category) {
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        if (TProductsForm::Tag(**it) == category && Level(**it) == 0) return *it;
    return nullptr;
}
} // namespace

TProductsForm::TProductsForm(QWidget* parent)
    : TDialogForm(parent)
    , ui(std::make_unique<Ui::TProductsForm>()) {
    ui->setupUi(this);
    ApplyPixelFonts(*this);
    // Resizable, with a close and a maximise box but no minimise box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    ui->TreeView->setAccessibleName(windowTitle());
    ui->TreeView->setItemDelegate(new RoomyRows(ui->TreeView));
    // A double-click anywhere in the tree, also below the last node, acts on the current node.
    ui->TreeView->viewport()->installEventFilter(this);
    FormCreate();
}

TProductsForm::~TProductsForm() = default;

QTreeWidget& TProductsForm::TreeView() const {
    return *ui->TreeView;
}

int TProductsForm::Tag(const QTreeWidgetItem& node) {
    return node.data(0, kTagRole).toInt();
}

void TProductsForm::FormCreate() {
    QTreeWidget& tree = *ui->TreeView;
    const auto catalogue = Catalogue();
    for (int index = 0; index < int(catalogue.size()); ++index) {
        const TProduct& food = catalogue[std::size_t(index)];
        QTreeWidgetItem* category = FindCategoryNode(tree, food.Category);
        if (!category) {
            category = NewNode(CategoryNames.at(std::size_t(food.Category)), food.Category);
            tree.addTopLevelItem(category);
        }
        category->addChild(NewNode(food.Name, index));
    }
    tree.expandAll();
    if (QTreeWidgetItem* first = tree.topLevelItem(0)) {
        tree.clearSelection();
        tree.setCurrentItem(first);
    }
}

void TProductsForm::showEvent(QShowEvent* event) {
    FormShow();
    TDialogForm::showEvent(event);
}

void TProductsForm::FormShow() {
    MResult = -1;
}

bool TProductsForm::eventFilter(QObject* watched, QEvent* event) {
    // The tree still gets the double-click afterwards, so a category folds or unfolds as usual.
    // Only the primary button chooses: a double right-click looking for a menu adds nothing.
    if (watched == ui->TreeView->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        TreeViewDblClick();
    return TDialogForm::eventFilter(watched, event);
}

void TProductsForm::TreeViewDblClick() {
    const QTreeWidgetItem* node = ui->TreeView->currentItem();
    if (!node || Level(*node) == 0) return;
    MResult = Tag(*node);
    close();
}

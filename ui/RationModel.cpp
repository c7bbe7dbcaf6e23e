#include "RationModel.h"

#include "CellRoles.h"
#include "ClassicColours.h"
#include "ModelText.h"
#include "NumberFormat.h"
#include "Products.h"
#include "RegionalSettings.h"
#include "Tables.h"

#include <QFont>
#include <algorithm>

namespace {
QColor VerdictColour(CompatibilityVerdict verdict) {
    switch (verdict) {
    case CompatibilityVerdict::Good:
        return ClassicColour::Good;
    case CompatibilityVerdict::Acceptable:
        return ClassicColour::Acceptable;
    case CompatibilityVerdict::NotAllowed:
        break;
    }
    return ClassicColour::NotAllowed;
}

const TProduct& Food(std::int32_t catalogueIndex) {
    return Catalogue()[std::size_t(catalogueIndex)];
}
} // namespace

std::vector<RationRow> RationModel::rationRows() const {
    std::vector<RationRow> rows;
    rows.reserve(ProductsItems.size());
    for (std::size_t row = 0; row < ProductsItems.size(); ++row)
        rows.push_back({ProductsItems[row], texts_[row][QuantityColumn].toStdString()});
    return rows;
}

bool RationModel::contains(std::int32_t food) const {
    return std::find(ProductsItems.begin(), ProductsItems.end(), food) != ProductsItems.end();
}

void RationModel::append(std::int32_t food) {
    const TProduct& product = Food(food);
    const std::string separator = DecimalSeparatorUtf8();
    const QStringList texts{
        ModelText(product.Name), ModelText(GeneralFloatFormat(product.Ugl, 5, separator)),
        ModelText(GeneralFloatFormat(product.Bel, 5, separator)),
        ModelText(GeneralFloatFormat(product.Zir, 5, separator)), QStringLiteral("0")};
    if (!ProductsItems.empty()) {
        const int row = int(ProductsItems.size());
        beginInsertRows({}, row, row);
        ProductsItems.push_back(food);
        texts_.push_back(texts);
        endInsertRows();
        return;
    }
    // The single empty cell becomes the first row's name, and the other columns come with it.
    beginInsertColumns({}, 1, RationColumns - 1);
    ProductsItems.push_back(food);
    texts_.push_back(texts);
    endInsertColumns();
    emit dataChanged(index(0, 0), index(0, RationColumns - 1));
    emit headerDataChanged(Qt::Horizontal, 0, RationColumns - 1);
}

void RationModel::removeFood(int row) {
    if (ProductsItems.size() < 2) return clear();
    if (row < 0 || row >= int(ProductsItems.size())) return;
    beginRemoveRows({}, row, row);
    ProductsItems.erase(ProductsItems.begin() + row);
    texts_.erase(texts_.begin() + row);
    endRemoveRows();
}

void RationModel::clear() {
    if (ProductsItems.empty()) return;
    if (const int rows = int(ProductsItems.size()); rows > 1) {
        beginRemoveRows({}, 1, rows - 1);
        ProductsItems.resize(1);
        texts_.resize(1);
        endRemoveRows();
    }
    beginRemoveColumns({}, 1, RationColumns - 1);
    ProductsItems.clear();
    texts_.clear();
    currentFood_ = -1;
    endRemoveColumns();
    emit dataChanged(index(0, 0), index(0, 0));
}

void RationModel::setCurrentRow(int row) {
    const bool valid = row >= 0 && row < int(ProductsItems.size());
    const std::int32_t food = valid ? ProductsItems[std::size_t(row)] : -1;
    if (food == currentFood_) return;
    currentFood_ = food;
    if (!ProductsItems.empty())
        emit dataChanged(index(0, NameColumn), index(int(ProductsItems.size()) - 1, NameColumn),
                         {Qt::ForegroundRole});
}

int RationModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(1, int(ProductsItems.size()));
}

int RationModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ProductsItems.empty() ? 1 : RationColumns;
}

QVariant RationModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::AccessibleTextRole)
        return ProductsItems.empty() ? QString() : texts_[std::size_t(index.row())][index.column()];
    return ProductGridDrawCell(index.column(), index.row(), role);
}

bool RationModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    texts_[std::size_t(index.row())][QuantityColumn] = value.toString();
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    emit quantityEdited(index.row());
    return true;
}

QVariant RationModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const QStringList titles{QStringLiteral("Продукт"), QStringLiteral("Угл."),
                                    QStringLiteral("Бел."), QStringLiteral("Жир."),
                                    QStringLiteral("Кол.")};
    if (orientation != Qt::Horizontal || ProductsItems.empty() || section < 0 ||
        section >= RationColumns)
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return titles[section];
    return ProductGridDrawCell(section, -1, role);
}

Qt::ItemFlags RationModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || ProductsItems.empty() || index.column() != QuantityColumn)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant RationModel::ProductGridDrawCell(int column, int row, int role) const {
    const bool header = row < 0;
    const bool fixed = !ProductsItems.empty() && (header || column != QuantityColumn);
    const bool centred = header || (column >= UglColumn && column <= ZirColumn);
    switch (role) {
    case FixedCellRole:
        return fixed;
    case Qt::BackgroundRole:
        return fixed ? ClassicColour::Cream : ClassicColour::White;
    case Qt::ForegroundRole:
        // A food's name in the colour of its combination with the current row's food; the
        // current row's own name stays black.
        if (column == NameColumn && !header && currentFood_ >= 0 && !ProductsItems.empty()) {
            const std::int32_t food = ProductsItems[std::size_t(row)];
            if (food != currentFood_)
                return VerdictColour(
                    CalcCompatibility(Food(currentFood_).Category, Food(food).Category));
        }
        return ClassicColour::Black;
    case Qt::FontRole:
        if (header) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::TextAlignmentRole:
        return int((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    case TextIndentRole:
        return centred ? 0 : 4;
    default:
        return {};
    }
}

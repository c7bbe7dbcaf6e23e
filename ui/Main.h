#pragma once
// The main window: personal data with the body-mass index and the ideal weight, the needs table,
// the ration table, and the links to the help window and the project web site.
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "StringGrid.h"

struct TProduct;

namespace Ui {
class TMainForm;
}

class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    void CalcIMT();
    void CalcIdeal();
    void CalcBalans();

    // The catalogue index of every ration row, in table order (table row i + 1).
    const std::vector<std::int32_t>& productsItems() const { return ProductsItems; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void HeightEditChange();
    void WeightEditChange();
    void OldEditChange();
    void NeedButtonClick();
    void NeedDescButtonClick();
    void MacroGridDrawCell(QPainter& painter, int column, int row, const QRect& rect,
                           StringGrid::CellState state);
    void AddProductBtnClick();
    void DelProductBtnClick();
    void ProductInfoBtnClick();
    void ClearProductsBtnClick();
    void ProductGridClick();
    void ProductGridDrawCell(QPainter& painter, int column, int row, const QRect& rect,
                             StringGrid::CellState state);
    void ProductGridKeyPress(QChar& key);
    void ProductGridSetEditText(int column, int row, const QString& text);
    void HelpLinkClick();
    void MainLinkClick();
    void IdealLinkClick();

    void SetUpRationTable();
    void EmptyRationTable();
    // The catalogue food of a ration table row, or nullptr for the header or a missing row.
    const TProduct* RowFood(int row) const;

    std::unique_ptr<Ui::TMainForm> ui;
    std::vector<std::int32_t> ProductsItems;
    bool centred_ = false;
};

extern TMainForm* MainForm;

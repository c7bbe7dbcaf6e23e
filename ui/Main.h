#pragma once
// The main window: personal data with the body-mass index and the ideal weight, the needs table,
// the ration table, and the links to the help window and the project web site.
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

class QStandardItem;
class QStandardItemModel;
class RationModel;

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

    // The catalogue index of every ration row, in table order.
    const std::vector<std::int32_t>& productsItems() const;

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
    void MacroGridDrawCell(QStandardItem& cell, int column, bool fixed);
    void AddProductBtnClick();
    void DelProductBtnClick();
    void ProductInfoBtnClick();
    void ClearProductsBtnClick();
    void ProductGridClick();
    void ProductGridKeyPress(QChar& key);
    void ProductGridSetEditText();
    void HelpLinkClick();
    void MainLinkClick();
    void IdealLinkClick();

    void SetUpTables();
    void SetUpRationTable();
    void EmptyRationTable();

    std::unique_ptr<Ui::TMainForm> ui;
    QStandardItemModel* needs_;
    RationModel* ration_; // holds ProductsItems
    bool centred_ = false;
};

extern TMainForm* MainForm;

#include "Main.h"

#include "ui_Main.h"

#include "BodyMetrics.h"
#include "CellText.h"
#include "ClassicColours.h"
#include "DailyNeeds.h"
#include "DialogFrame.h"
#include "ErrorBox.h"
#include "Help.h"
#include "MainPictures.h"
#include "ModelText.h"
#include "NeedDesc.h"
#include "NumberFormat.h"
#include "PixelFonts.h"
#include "ProductDescription.h"
#include "ProductGridDesc.h"
#include "Products.h"
#include "ProductsList.h"
#include "ProjectSite.h"
#include "Ration.h"
#include "RegionalSettings.h"
#include "Tables.h"
#include "UrlOpener.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <algorithm>

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TMainForm>()) {
    ui->setupUi(this);
    ApplyPixelFonts(*this);
    // A single, fixed frame with the system menu, minimise and close but no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(784, 558);
    ShowMainWindowPictures(*ui);
    FixWhiteBackground(*this);                    // and the pictures over it are light too
    ui->ProductsBox->setAutoFillBackground(true); // the main window's white
    ui->MainLink->setText(ProjectSiteName());
    // The calligraphic face that stands in for Monotype Corsiva has looser lines; at its own line
    // spacing the last of the seven lines would fall below the label. The face has every letter
    // of this fixed text, so no fallback faces need to be looked up for it; and it is asked for
    // by the stand-in's own name, since a family the system lacks costs a fallback search first.
    QFont calligraphic = ui->Label5->font();
    calligraphic.setStyleStrategy(QFont::NoFontMerging);
    calligraphic.setFamilies(QFont::substitutes(calligraphic.family()));
    ui->Label5->setFont(calligraphic);
    ui->Label5->setText(QStringLiteral("<p style=\"line-height:92%\">") +
                        ui->Label5->text().toHtmlEscaped() + QStringLiteral("</p>"));

    // Screen readers name each input by its label.
    ui->HeightLabel->setBuddy(ui->HeightEdit);
    ui->WeightLabel->setBuddy(ui->WeightEdit);
    ui->OldLabel->setBuddy(ui->OldEdit);
    ui->SexLabel->setBuddy(ui->SexBox);
    ui->IdealEdit->setAccessibleName(ui->IdealBox->title());

    StringGrid& macro = *ui->MacroGrid;
    // Both tables are white, enabled or not, and so is a quantity's editor.
    FixWhiteBase(*ui->MacroGrid);
    FixWhiteBase(*ui->ProductGrid);
    macro.setFixedColor(ClassicColour::Light3D);
    for (int column = 0; const int width : {121, 58, 56, 58, 52})
        macro.setColumnWidth(column++, width);
    ui->ProductGrid->setColumnWidth(0, 169);

    connect(ui->HeightEdit, &IntegerSpinBox::changed, this, &TMainForm::HeightEditChange);
    connect(ui->WeightEdit, &IntegerSpinBox::changed, this, &TMainForm::WeightEditChange);
    connect(ui->OldEdit, &IntegerSpinBox::changed, this, &TMainForm::OldEditChange);
    connect(ui->NeedButton, &QPushButton::clicked, this, &TMainForm::NeedButtonClick);
    connect(ui->NeedDescButton, &QPushButton::clicked, this, &TMainForm::NeedDescButtonClick);
    macro.setCellPainter([this](QPainter& painter, int column, int row, const QRect& rect,
                                StringGrid::CellState state) {
        MacroGridDrawCell(painter, column, row, rect, state);
    });
    macro.setEditorTextPlacement(Qt::AlignHCenter, 0);
    connect(ui->AddProductBtn, &QPushButton::clicked, this, &TMainForm::AddProductBtnClick);
    connect(ui->DelProductBtn, &QPushButton::clicked, this, &TMainForm::DelProductBtnClick);
    connect(ui->ProductInfoBtn, &QPushButton::clicked, this, &TMainForm::ProductInfoBtnClick);
    connect(ui->ClearProductsBtn, &QPushButton::clicked, this, &TMainForm::ClearProductsBtnClick);
    connect(ui->ProductGrid, &StringGrid::cellClicked, this, &TMainForm::ProductGridClick);
    ui->ProductGrid->setCellPainter([this](QPainter& painter, int column, int row,
                                           const QRect& rect, StringGrid::CellState state) {
        ProductGridDrawCell(painter, column, row, rect, state);
    });
    ui->ProductGrid->setKeyFilter([this](QChar& key) { ProductGridKeyPress(key); });
    ui->ProductGrid->setEditorTextPlacement(Qt::AlignLeft, 4); // where the quantity is drawn
    connect(ui->ProductGrid, &StringGrid::setEditText, this, &TMainForm::ProductGridSetEditText);
    connect(ui->HelpLink, &LinkLabel::clicked, this, &TMainForm::HelpLinkClick);
    connect(ui->MainLink, &LinkLabel::clicked, this, &TMainForm::MainLinkClick);
    connect(ui->IdealLink, &LinkLabel::clicked, this, &TMainForm::IdealLinkClick);

    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
    CalcIMT();
    CalcIdeal();

    StringGrid& macro = *ui->MacroGrid;
    macro.setCell(NutrientColumn, CarbohydratesRow, QStringLiteral("Углеводы, гр."));
    macro.setCell(NutrientColumn, ProteinsRow, QStringLiteral("Белки, гр."));
    macro.setCell(NutrientColumn, FatsRow, QStringLiteral("Жиры, гр."));
    macro.setCell(NutrientColumn, WaterRow, QStringLiteral("Вода, л."));
    macro.setCell(MinimumColumn, NeedsHeaderRow, QStringLiteral("Мин."));
    macro.setCell(NormalColumn, NeedsHeaderRow, QStringLiteral("Норм."));
    macro.setCell(MaximumColumn, NeedsHeaderRow, QStringLiteral("Макс."));

    EmptyRationTable();
}

void TMainForm::CalcIMT() {
    const std::int32_t weight = ui->WeightEdit->value();
    const std::int32_t height = ui->HeightEdit->value();
    const std::int32_t age = ui->OldEdit->value();
    const BmiResult bmi = CalcBmi(height, weight, age); // a height of 0 throws: no label changes
    const BmiClassText& texts = BmiClassTexts(bmi.bmiClass);
    ui->IMTValue->setText(ModelText(GeneralFloatFormat(bmi.index, 3, DecimalSeparatorUtf8())) +
                          ModelText(texts.suffix));
    ui->IMTValue->adjustSize();
    ui->IMTText->setText(ModelText(texts.risk));
    ui->IMTComment->setText(ModelText(texts.advice));
}

void TMainForm::CalcIdeal() {
    ui->IdealEdit->setValue(CalcIdealWeight(ui->HeightEdit->value()));
}

void TMainForm::HeightEditChange() {
    Guarded(this, [this] {
        CalcIMT();
        CalcIdeal();
    });
}

void TMainForm::WeightEditChange() {
    Guarded(this, [this] { CalcIMT(); });
}

void TMainForm::OldEditChange() {
    Guarded(this, [this] { CalcIMT(); });
}

void TMainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) ReadDecimalSeparator();
    QWidget::changeEvent(event);
}

void TMainForm::showEvent(QShowEvent* event) {
    // Centred on the desktop the first time it is shown.
    if (!centred_) {
        centred_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QWidget::showEvent(event);
}

// ---- Needs table ----

namespace {
// Only item 0 is "Жен"; a text that is no item reads as no selection (-1).
int SexIndex(const QComboBox& box) {
    const int index = box.currentIndex();
    if (index >= 0 && box.itemText(index) == box.currentText()) return index;
    return box.findText(box.currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}
} // namespace

void TMainForm::NeedButtonClick() {
    const DailyNeeds needs =
        CalcNeeds(ui->IdealEdit->value(), SexIndex(*ui->SexBox), DecimalSeparatorUtf8());
    // The model's rows and columns are the table's, without its headers and totals.
    for (int nutrient = 0; nutrient < 4; ++nutrient)
        for (int kind = 0; kind < 3; ++kind)
            ui->MacroGrid->setCell(MinimumColumn + kind, CarbohydratesRow + nutrient,
                                   ModelText(needs[std::size_t(nutrient)][std::size_t(kind)]));
}

void TMainForm::NeedDescButtonClick() {
    NeedDescForm->ShowModal();
}

void TMainForm::MacroGridDrawCell(QPainter& painter, int column, int row, const QRect& rect,
                                  StringGrid::CellState state) {
    // The selected cell is not highlighted: the fill only tells fixed cells from the others.
    painter.fillRect(rect, (state & StringGrid::Fixed) ? ui->MacroGrid->fixedColor()
                                                       : ClassicColour::White);
    painter.setPen(ClassicColour::Black);
    const QString text = ui->MacroGrid->cell(column, row);
    if (column == NutrientColumn)
        DrawCellText(painter, rect, text, Qt::AlignLeft, 6);
    else
        DrawCellText(painter, rect, text, Qt::AlignHCenter);
}

// ---- Ration table ----

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
} // namespace

const TProduct* TMainForm::RowFood(int row) const {
    const int item = row - 1;
    if (item < 0 || item >= int(ProductsItems.size())) return nullptr;
    return &Catalogue()[std::size_t(ProductsItems[std::size_t(item)])];
}

void TMainForm::CalcBalans() {
    std::vector<RationRow> rows;
    rows.reserve(ProductsItems.size());
    for (std::size_t item = 0; item < ProductsItems.size(); ++item)
        rows.push_back({ProductsItems[item],
                        ui->ProductGrid->cell(QuantityColumn, int(item) + 1).toStdString()});
    const RationTotals totals = CalcRationTotals(rows); // a bad quantity throws: nothing written
    const std::string separator = DecimalSeparatorUtf8();
    StringGrid& macro = *ui->MacroGrid;
    macro.setCell(TotalColumn, CarbohydratesRow,
                  ModelText(GeneralFloatFormat(totals.ugl, 4, separator)));
    macro.setCell(TotalColumn, ProteinsRow,
                  ModelText(GeneralFloatFormat(totals.bel, 4, separator)));
    macro.setCell(TotalColumn, FatsRow, ModelText(GeneralFloatFormat(totals.zir, 4, separator)));
}

void TMainForm::SetUpRationTable() {
    StringGrid& grid = *ui->ProductGrid;
    grid.setRowCount(2);
    grid.setFixedRowCount(1);
    grid.setColumnCount(RationColumns);
    grid.setFixedColumnCount(4); // puts the current cell on the quantity of row 1
    grid.setEnabled(true);
    const QString headers[RationColumns] = {QStringLiteral("Продукт"), QStringLiteral("Угл."),
                                            QStringLiteral("Бел."), QStringLiteral("Жир."),
                                            QStringLiteral("Кол.")};
    for (int column = 0; column < RationColumns; ++column)
        grid.setCell(column, 0, headers[column]);
}

void TMainForm::EmptyRationTable() {
    StringGrid& grid = *ui->ProductGrid;
    grid.setRowCount(0); // the grid keeps one row and one column, and no fixed ones
    grid.setColumnCount(0);
    grid.setEnabled(false);
}

void TMainForm::AddProductBtnClick() {
    ProductsForm->ShowModal();
    const int index = ProductsForm->MResult;
    if (index < 0 || index >= int(Catalogue().size())) return;
    if (std::find(ProductsItems.begin(), ProductsItems.end(), index) != ProductsItems.end()) return;
    StringGrid& grid = *ui->ProductGrid;
    if (grid.rowCount() < 2)
        SetUpRationTable();
    else
        grid.setRowCount(grid.rowCount() + 1);
    const int row = grid.rowCount() - 1;
    const TProduct& food = Catalogue()[std::size_t(index)];
    const std::string separator = DecimalSeparatorUtf8();
    grid.setCell(NameColumn, row, ModelText(food.Name));
    grid.setCell(UglColumn, row, ModelText(GeneralFloatFormat(food.Ugl, 5, separator)));
    grid.setCell(BelColumn, row, ModelText(GeneralFloatFormat(food.Bel, 5, separator)));
    grid.setCell(ZirColumn, row, ModelText(GeneralFloatFormat(food.Zir, 5, separator)));
    grid.setCell(QuantityColumn, row, QStringLiteral("0"));
    ProductsItems.push_back(index);
}

void TMainForm::DelProductBtnClick() {
    StringGrid& grid = *ui->ProductGrid;
    if (grid.rowCount() < 3) {
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < grid.columnCount(); ++column)
                grid.setCell(column, row, QString());
        EmptyRationTable();
        ProductsItems.clear();
    } else {
        // The rows below the current one move up with their texts; the current row keeps its
        // number and so shows the food that followed the deleted one.
        const int current = grid.currentRow();
        for (int row = current; row < grid.rowCount() - 1; ++row)
            for (int column = 0; column < RationColumns; ++column)
                grid.setCell(column, row, grid.cell(column, row + 1));
        grid.setRowCount(grid.rowCount() - 1);
        if (current >= 1 && current - 1 < int(ProductsItems.size()))
            ProductsItems.erase(ProductsItems.begin() + (current - 1));
    }
    Guarded(this, [this] { CalcBalans(); });
}

void TMainForm::ProductInfoBtnClick() {
    if (ui->ProductGrid->rowCount() < 2) return;
    const TProduct* food = RowFood(ui->ProductGrid->currentRow());
    if (!food) return;
    ProductDescriptionForm->setWindowTitle(PlainWindowTitle(ModelText(food->Name)));
    ProductDescriptionForm->Text().setPlainText(ModelText(food->Description));
    ProductDescriptionForm->ShowModal();
}

void TMainForm::ClearProductsBtnClick() {
    ProductGridDescForm->ShowModal();
}

void TMainForm::ProductGridClick() {
    ui->ProductGrid->repaintAll();
}

void TMainForm::ProductGridDrawCell(QPainter& painter, int column, int row, const QRect& rect,
                                    StringGrid::CellState state) {
    const StringGrid& grid = *ui->ProductGrid;
    const bool populated = grid.rowCount() >= 2;
    painter.fillRect(rect, populated && (state & StringGrid::Fixed) ? ClassicColour::Cream
                                                                    : ClassicColour::White);
    painter.setPen(ClassicColour::Black);
    const QString text = grid.cell(column, row);
    if (row == 0) {
        QFont bold = grid.font();
        bold.setBold(true);
        painter.setFont(bold);
        DrawCellText(painter, rect, text, Qt::AlignHCenter);
        return;
    }
    if (column >= UglColumn && column <= ZirColumn) {
        DrawCellText(painter, rect, text, Qt::AlignHCenter);
        return;
    }
    // A food name takes the colour of its combination with the food of the current row.
    if (column == NameColumn && row != grid.currentRow()) {
        const TProduct* current = RowFood(grid.currentRow());
        const TProduct* drawn = RowFood(row);
        if (current && drawn)
            painter.setPen(VerdictColour(CalcCompatibility(current->Category, drawn->Category)));
    }
    DrawCellText(painter, rect, text, Qt::AlignLeft, 4);
}

void TMainForm::ProductGridKeyPress(QChar& key) {
    const bool digit = key >= QLatin1Char('0') && key <= QLatin1Char('9');
    if (!digit && key != QChar(8) && key != QChar(13)) key = QChar();
}

void TMainForm::ProductGridSetEditText(int, int, const QString&) {
    Guarded(this, [this] { CalcBalans(); });
}

// ---- Links ----

void TMainForm::HelpLinkClick() {
    HelpForm->show();
    HelpForm->raise();
    HelpForm->activateWindow();
}

void TMainForm::MainLinkClick() {
    OpenUrl(ProjectSiteAddress(QStringLiteral("/")));
}

void TMainForm::IdealLinkClick() {
    OpenUrl(ProjectSiteAddress(QStringLiteral("/Инструменты/Расчет_идеального_веса/")));
}

#include "Main.h"

#include "ui_Main.h"

#include "BodyMetrics.h"
#include "CellRoles.h"
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
#include "RationModel.h"
#include "RegionalSettings.h"
#include "StringGrid.h"
#include "Tables.h"
#include "UrlOpener.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStandardItemModel>
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

    SetUpTables();
    connect(ui->HeightEdit, &IntegerSpinBox::changed, this, &TMainForm::HeightEditChange);
    connect(ui->WeightEdit, &IntegerSpinBox::changed, this, &TMainForm::WeightEditChange);
    connect(ui->OldEdit, &IntegerSpinBox::changed, this, &TMainForm::OldEditChange);
    connect(ui->NeedButton, &QPushButton::clicked, this, &TMainForm::NeedButtonClick);
    connect(ui->NeedDescButton, &QPushButton::clicked, this, &TMainForm::NeedDescButtonClick);
    connect(ui->AddProductBtn, &QPushButton::clicked, this, &TMainForm::AddProductBtnClick);
    connect(ui->DelProductBtn, &QPushButton::clicked, this, &TMainForm::DelProductBtnClick);
    connect(ui->ProductInfoBtn, &QPushButton::clicked, this, &TMainForm::ProductInfoBtnClick);
    connect(ui->ClearProductsBtn, &QPushButton::clicked, this, &TMainForm::ClearProductsBtnClick);
    connect(ui->ProductGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TMainForm::ProductGridClick);
    ui->ProductGrid->setKeyFilter([this](QChar& key) { ProductGridKeyPress(key); });
    connect(ration_, &RationModel::quantityEdited, this, &TMainForm::ProductGridSetEditText);
    connect(ui->HelpLink, &LinkLabel::clicked, this, &TMainForm::HelpLinkClick);
    connect(ui->MainLink, &LinkLabel::clicked, this, &TMainForm::MainLinkClick);
    connect(ui->IdealLink, &LinkLabel::clicked, this, &TMainForm::IdealLinkClick);

    FormCreate();
}

TMainForm::~TMainForm() = default;

const std::vector<std::int32_t>& TMainForm::productsItems() const {
    return ration_->productsItems();
}

void TMainForm::FormCreate() {
    CalcIMT();
    CalcIdeal();

    const auto write = [this](int row, const QString& text) {
        needs_->item(row, NutrientColumn)->setText(text);
    };
    write(CarbohydratesRow, QStringLiteral("Углеводы, гр."));
    write(ProteinsRow, QStringLiteral("Белки, гр."));
    write(FatsRow, QStringLiteral("Жиры, гр."));
    write(WaterRow, QStringLiteral("Вода, л."));
    needs_->horizontalHeaderItem(MinimumColumn)->setText(QStringLiteral("Мин."));
    needs_->horizontalHeaderItem(NormalColumn)->setText(QStringLiteral("Норм."));
    needs_->horizontalHeaderItem(MaximumColumn)->setText(QStringLiteral("Макс."));
    ui->MacroGrid->setCurrentIndex(needs_->index(CarbohydratesRow, MinimumColumn));

    EmptyRationTable();
}

// The two tables over their models. Sections include the grid line after each cell.
void TMainForm::SetUpTables() {
    // Both tables are white, enabled or not, and so is a quantity's editor.
    FixWhiteBase(*ui->MacroGrid);
    FixWhiteBase(*ui->ProductGrid);
    needs_ = new QStandardItemModel(NeedsRows, NeedsColumns, this);
    for (int column = 0; column < NeedsColumns; ++column) {
        auto* header = new QStandardItem;
        MacroGridDrawCell(*header, column, true);
        needs_->setHorizontalHeaderItem(column, header);
        for (int row = 0; row < NeedsRows; ++row) {
            auto* cell = new QStandardItem;
            MacroGridDrawCell(*cell, column, column <= TotalColumn);
            needs_->setItem(row, column, cell);
        }
    }
    ui->MacroGrid->setModel(needs_);
    for (int column = 0; const int width : {121, 58, 56, 58, 52})
        ui->MacroGrid->setColumnWidth(column++, width + StringGrid::GridLine);
    ration_ = new RationModel(this);
    ui->ProductGrid->setModel(ration_);
    ui->ProductGrid->setColumnWidth(NameColumn, 169 + StringGrid::GridLine);
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
    for (int nutrient = 0; nutrient < NeedsRows; ++nutrient)
        for (int kind = 0; kind < 3; ++kind)
            needs_->item(nutrient, MinimumColumn + kind)
                ->setText(ModelText(needs[std::size_t(nutrient)][std::size_t(kind)]));
}

void TMainForm::NeedDescButtonClick() {
    NeedDescForm->ShowModal();
}

// The selected cell is not highlighted: the fill only tells fixed cells from the others.
void TMainForm::MacroGridDrawCell(QStandardItem& cell, int column, bool fixed) {
    cell.setData(fixed, FixedCellRole);
    cell.setData(fixed ? ClassicColour::Light3D : ClassicColour::White, Qt::BackgroundRole);
    cell.setData(ClassicColour::Black, Qt::ForegroundRole);
    const bool named = column == NutrientColumn;
    cell.setData(int((named ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter),
                 Qt::TextAlignmentRole);
    cell.setData(named ? 6 : 0, TextIndentRole);
    cell.setFlags(fixed ? Qt::NoItemFlags
                        : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
}

// ---- Ration table ----

void TMainForm::CalcBalans() {
    // A bad quantity throws: nothing is written.
    const RationTotals totals = CalcRationTotals(ration_->rationRows());
    const std::string separator = DecimalSeparatorUtf8();
    const double values[] = {totals.ugl, totals.bel, totals.zir};
    for (int nutrient = CarbohydratesRow; nutrient <= FatsRow; ++nutrient)
        needs_->item(nutrient, TotalColumn)
            ->setText(ModelText(GeneralFloatFormat(values[nutrient], 4, separator)));
}

void TMainForm::SetUpRationTable() {
    StringGrid& grid = *ui->ProductGrid;
    grid.horizontalHeader()->show();
    grid.setEnabled(true);
    grid.setCurrentIndex(ration_->index(0, QuantityColumn));
}

void TMainForm::EmptyRationTable() {
    ration_->clear(); // one empty cell is left, and no header row
    ui->ProductGrid->horizontalHeader()->hide();
    ui->ProductGrid->setEnabled(false);
}

void TMainForm::AddProductBtnClick() {
    ProductsForm->ShowModal();
    const int index = ProductsForm->MResult;
    if (index < 0 || index >= int(Catalogue().size()) || ration_->contains(index)) return;
    const bool first = productsItems().empty();
    ration_->append(index);
    if (first) SetUpRationTable();
}

void TMainForm::DelProductBtnClick() {
    StringGrid& grid = *ui->ProductGrid;
    const int current = grid.currentIndex().row();
    if (productsItems().size() < 2) {
        EmptyRationTable();
    } else if (current >= 0) {
        // The rows below the current one move up; the current row keeps its number and so shows
        // the food that followed the deleted one. The view stays where the user scrolled it.
        grid.setAutoScroll(false);
        ration_->removeFood(current);
        const int last = int(productsItems().size()) - 1;
        grid.setCurrentIndex(ration_->index(std::min(current, last), QuantityColumn));
        grid.setAutoScroll(true);
    }
    Guarded(this, [this] { CalcBalans(); });
}

void TMainForm::ProductInfoBtnClick() {
    const int row = ui->ProductGrid->currentIndex().row();
    if (row < 0 || row >= int(productsItems().size())) return;
    const TProduct& food = Catalogue()[std::size_t(productsItems()[std::size_t(row)])];
    ProductDescriptionForm->setWindowTitle(PlainWindowTitle(ModelText(food.Name)));
    ProductDescriptionForm->Text().setPlainText(ModelText(food.Description));
    ProductDescriptionForm->ShowModal();
}

void TMainForm::ClearProductsBtnClick() {
    ProductGridDescForm->ShowModal();
}

// Every food's name takes its colour anew from the food of the current row, whenever the
// current cell moves (its column too: the ration's set-up moves it within the first row).
void TMainForm::ProductGridClick() {
    ration_->setCurrentRow(ui->ProductGrid->currentIndex().row());
}

void TMainForm::ProductGridKeyPress(QChar& key) {
    const bool digit = key >= QLatin1Char('0') && key <= QLatin1Char('9');
    if (!digit && key != QChar(8) && key != QChar(13)) key = QChar();
}

void TMainForm::ProductGridSetEditText() {
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

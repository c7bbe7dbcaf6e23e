#include "Help.h"

#include "ui_Help.h"

#include "DialogForm.h"
#include "DialogFrame.h"
#include "HelpText.h"
#include "PixelFonts.h"
#include "ProjectSite.h"

SecondaryForm<THelpForm> HelpForm;

namespace {
// The window is laid out wider than it is shown: the user always sees it 800 px wide.
constexpr int kOuterWidth = 800;
} // namespace

THelpForm::THelpForm(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , ui(std::make_unique<Ui::THelpForm>()) {
    ui->setupUi(this);
    ApplyPixelFonts(*this);
    FixWhiteBackground(*this);
    FixWhiteBase(*ui->HelpEdit); // white paper, as the window, so the blue site name reads
    ui->HelpEdit->setAccessibleName(windowTitle());
    FormCreate();
}

THelpForm::~THelpForm() = default;

void THelpForm::FormCreate() {
    const QStringList lines = LoadHelpLines();
    ui->HelpEdit->setPlainText(lines.join(QLatin1Char('\n')));
    // The site's name is marked together with the space that follows it.
    FormatHelpText(*ui->HelpEdit, lines, ProjectSiteMarker(),
                   static_cast<int>(ProjectSiteName().size()) + 1);
    SetOuterWidth(kOuterWidth);
}

// A window gets its frame only when it is first shown; until then it is taken to be like the
// main window's, which is none while the main window is hidden.
void THelpForm::SetOuterWidth(int outerWidth) {
    int frame = 0;
    if (const QWidget* parent = parentWidget()) {
        const QWidget& owner = *parent->window();
        frame = owner.frameGeometry().width() - owner.width();
    }
    resize(outerWidth - frame, height());
}

void THelpForm::showEvent(QShowEvent* event) {
    if (!placed_) {
        SetOuterWidth(kOuterWidth); // the main window has its frame by now
        if (const QWidget* parent = parentWidget()) CentreOverOwner(*this, *parent->window());
        placed_ = true;
    }
    QWidget::showEvent(event);
}

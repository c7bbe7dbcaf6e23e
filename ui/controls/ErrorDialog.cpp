#include "ErrorDialog.h"

#include "IgnorableMarks.h"
#include "Pictures.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kIconSize = 32;
constexpr int kMargin = 12;

// Screen readers meet the box as an alert, and read its message with it.
class ErrorDialogAccessible : public QAccessibleWidget {
public:
    explicit ErrorDialogAccessible(QWidget* dialog)
        : QAccessibleWidget(dialog, QAccessible::AlertMessage) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description)
            if (const auto* message = widget()->findChild<QTextEdit*>())
                return message->toPlainText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* ErrorDialogFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("ErrorDialog") && object && object->isWidgetType())
        return new ErrorDialogAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

QColor MarkColour(const QPalette& colours) {
    const QColor text = colours.color(QPalette::Text), paper = colours.color(QPalette::Base);
    return QColor((text.red() + paper.red()) / 2, (text.green() + paper.green()) / 2,
                  (text.blue() + paper.blue()) / 2);
}

// A message wider than this wraps, as in a classic message box, unless the box would then be
// taller than the screen.
constexpr int kComfortableWidth = 480;
} // namespace

QIcon ErrorIcon() {
    // Rendered for every screen scale; a window may move to another screen.
    return PictureIcon(QStringLiteral("error"), QSize(kIconSize, kIconSize));
}

ErrorDialog::ErrorDialog(QWidget* parent, const QString& message)
    : QDialog(parent)
    , message_(new QTextEdit(this)) {
    static const bool factoryInstalled = (QAccessible::installFactory(ErrorDialogFactory), true);
    Q_UNUSED(factoryInstalled);
    setWindowTitle(QCoreApplication::applicationName());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ErrorIcon"));
    icon->setPixmap(ErrorIcon().pixmap(QSize(kIconSize, kIconSize), devicePixelRatioF()));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // A read-only text box in the colours of the box's face: it never interprets what it holds,
    // breaks a line anywhere when there is no space to break at, and scrolls as a last resort.
    message_->setObjectName(QStringLiteral("ErrorText"));
    message_->setFrameShape(QFrame::NoFrame);
    message_->setReadOnly(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message_->setFocusPolicy(Qt::NoFocus);
    message_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    message_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    message_->document()->setDocumentMargin(0);
    QPalette colours = message_->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    colours.setColor(QPalette::Text, colours.color(QPalette::WindowText));
    message_->setPalette(colours);
    // The message is an English sentence, whatever the user's text inside it: it reads from left
    // to right, and a right-to-left text keeps its own order within.
    QTextOption direction = message_->document()->defaultTextOption();
    direction.setTextDirection(Qt::LeftToRight);
    message_->document()->setDefaultTextOption(direction);
    // Half-way between text and paper: plainly a mark, not a letter.
    new IgnorableMarks(message_->document(), MarkColour(colours));
    message_->setPlainText(message);
    message_->setAccessibleName(message);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Horizontal, this);
    buttons->setCenterButtons(true);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setIcon(QIcon()); // a plain OK button, whatever the desktop style puts on it
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(kMargin);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(message_, 0, 1);
    layout->addWidget(buttons, 1, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    fitToScreen();
    ok->setFocus();
}

void ErrorDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void ErrorDialog::fitToScreen() {
    const QScreen* screen =
        parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    // The title bar and frame are not known before the box is shown: take the owner's, or a
    // generous guess.
    QSize frame(8, 40);
    if (const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        owner && owner->isVisible())
        frame = owner->frameGeometry().size() - owner->size();

    const int buttonsHeight = findChild<QDialogButtonBox*>()->sizeHint().height();
    // The box keeps a margin's width from the screen's edges, so that rounding on a scaled
    // screen cannot push it over.
    const int maxWidth =
        std::max(kIconSize, available.width() - frame.width() - 4 * kMargin - kIconSize);
    const int maxHeight =
        std::max(kIconSize, available.height() - frame.height() - 4 * kMargin - buttonsHeight);

    // The text laid out apart, as the text box lays it out, marks included.
    QTextDocument probe;
    probe.setDefaultFont(message_->font());
    probe.setDocumentMargin(0);
    probe.setDefaultTextOption(message_->document()->defaultTextOption());
    new IgnorableMarks(&probe, Qt::gray);
    probe.setPlainText(message_->toPlainText());
    const auto heightAt = [&](int width) {
        probe.setTextWidth(width);
        return static_cast<int>(std::ceil(probe.size().height()));
    };
    probe.setTextWidth(-1); // its longest line
    const int natural = static_cast<int>(std::ceil(probe.idealWidth())) + 1;
    int width = std::min({natural, kComfortableWidth, maxWidth});
    int height = heightAt(width);
    if (height > maxHeight) { // wider rather than taller than the screen, as far as lines go
        width = std::min(natural, maxWidth);
        height = heightAt(width);
    }
    int scrollBar = 0;
    if (height > maxHeight) { // not even the whole screen holds it: it scrolls
        scrollBar = message_->verticalScrollBar()->sizeHint().width();
        width = std::max(kIconSize, std::min(width, maxWidth - scrollBar));
        height = maxHeight;
    }
    message_->setVerticalScrollBarPolicy(scrollBar ? Qt::ScrollBarAlwaysOn
                                                   : Qt::ScrollBarAlwaysOff);
    message_->setFixedSize(width + scrollBar, std::max(height, 1));
}

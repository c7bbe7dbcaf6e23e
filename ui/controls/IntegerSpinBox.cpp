#include "IntegerSpinBox.h"

#include "NumberFormat.h"
#include "RegionalSettings.h"
#include "StrToInt.h"
#include "TypedCharacter.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyleOptionSpinBox>
#include <algorithm>
#include <limits>

namespace {
// A held arrow repeats after 400 ms and then every 100 ms, whatever the desktop style says.
// The frame fills the laid-out height: Fusion leaves a pixel free above and below a spin box,
// which made the fields shorter than the drop-down list beside them.
class SpinBoxStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_SpinBox_ClickAutoRepeatThreshold) return 400;
        if (hint == SH_SpinBox_ClickAutoRepeatRate) return 100;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        if (const auto* spinBox = qstyleoption_cast<const QStyleOptionSpinBox*>(option)) {
            QStyleOptionSpinBox taller = *spinBox;
            taller.rect.adjust(0, -1, 0, 1);
            QProxyStyle::drawComplexControl(control, &taller, painter, widget);
            return;
        }
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
};

bool IsAcceptedTyping(QChar c) {
    if (c.unicode() < 32) return c.unicode() != 13; // control characters pass, Enter does not
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') ||
           c == QLatin1Char('-') || DecimalSeparator().contains(c);
}
} // namespace

IntegerSpinBox::IntegerSpinBox(QWidget* parent)
    : QAbstractSpinBox(parent) {
    auto* style = new SpinBoxStyle(QApplication::style()->name());
    style->setParent(this);
    setStyle(style);
    // The text is interpreted only by value(); the base class must not try to.
    setKeyboardTracking(false);
    setCorrectionMode(CorrectToPreviousValue);
    connect(lineEdit(), &QLineEdit::textChanged, this, &IntegerSpinBox::changed);
}

std::int32_t IntegerSpinBox::value() const {
    return TryStrToInt(lineEdit()->text().toStdString()).value_or(min_);
}

void IntegerSpinBox::setValue(std::int64_t value) {
    if (hasLimits()) value = std::clamp<std::int64_t>(value, min_, max_);
    const QString text = QString::fromStdString(IntegerText(value));
    if (text != lineEdit()->text()) lineEdit()->setText(text);
}

void IntegerSpinBox::stepBy(int steps) {
    // Formed in 64 bits and kept within 32 bits, so stepping past the largest value of a box
    // without limits stops there instead of wrapping round.
    const std::int64_t next = std::clamp<std::int64_t>(
        std::int64_t{value()} + std::int64_t{steps} * increment_,
        std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    setValue(next);
    selectAll();
}

QValidator::State IntegerSpinBox::validate(QString&, int&) const {
    return QValidator::Acceptable; // pasted text is taken as it is
}

void IntegerSpinBox::fixup(QString&) const {
}

QAbstractSpinBox::StepEnabled IntegerSpinBox::stepEnabled() const {
    return StepUpEnabled | StepDownEnabled;
}

void IntegerSpinBox::keyPressEvent(QKeyEvent* event) {
    const QChar typed = TypedCharacter(*event);
    if (!typed.isNull() && !IsAcceptedTyping(typed)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

bool IntegerSpinBox::event(QEvent* event) {
    // Text composed by a dead key, a compose sequence or an input method arrives as one commit
    // rather than as key presses, and the base class hands it straight to the line edit; each of
    // its characters passes the same filter first.
    if (event->type() == QEvent::InputMethod) {
        auto* input = static_cast<QInputMethodEvent*>(event);
        const QString commit = input->commitString();
        QString kept;
        for (const QChar character : commit)
            if (IsAcceptedTyping(character)) kept += character;
        if (kept != commit) {
            QApplication::beep();
            input->setCommitString(kept, input->replacementStart(), input->replacementLength());
        }
    }
    return QAbstractSpinBox::event(event);
}

void IntegerSpinBox::focusInEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusInEvent(event);
    // The window coming back to the front hands the focus back; that is no new entry.
    const bool returning = entered_ && event->reason() == Qt::ActiveWindowFocusReason;
    if (!returning && event->reason() != Qt::MouseFocusReason &&
        event->reason() != Qt::PopupFocusReason)
        selectAll();
    entered_ = true;
}

void IntegerSpinBox::focusOutEvent(QFocusEvent* event) {
    // Only a move of the focus to another control counts as leaving, not a message box or
    // another application taking the focus away for a while.
    const bool leaving =
        event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
    if (leaving) entered_ = false;
    if (leaving && hasLimits()) {
        if (const auto read = TryStrToInt(lineEdit()->text().toStdString());
            read && (*read < min_ || *read > max_))
            setValue(*read);
    }
    QAbstractSpinBox::focusOutEvent(event);
}

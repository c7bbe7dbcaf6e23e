#pragma once
// An integer spin box whose value exists only as its text:
// - reading converts the text (StrToInt); a text that does not convert reads as MinValue, and
//   reading never clamps;
// - writing clamps to MinValue..MaxValue unless the two are equal (no limits) and changes the
//   text only when the new text differs;
// - a step reads, adds or subtracts Increment and writes; a held arrow repeats after 400 ms,
//   then every 100 ms;
// - typing accepts digits, "+", "-", the decimal separator and control characters other than
//   Enter, and refuses anything else with a beep, however it is typed (a key, a dead key, a compose
//   sequence or an input method); pasting is not filtered;
// - leaving the field writes back a value outside the limits; an unreadable text stays;
// - entering the field other than by a mouse click selects the whole text (the window coming back
//   to the front is no new entry);
// - changed() fires after every change of the text, never for an unchanged write.
#include <QAbstractSpinBox>
#include <cstdint>

class IntegerSpinBox : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(int minValue READ minValue WRITE setMinValue)
    Q_PROPERTY(int maxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(int increment READ increment WRITE setIncrement)
    Q_PROPERTY(int value READ value WRITE setValue USER true)

public:
    explicit IntegerSpinBox(QWidget* parent = nullptr);

    int minValue() const { return min_; }
    void setMinValue(int value) { min_ = value; }
    int maxValue() const { return max_; }
    void setMaxValue(int value) { max_ = value; }
    int increment() const { return increment_; }
    void setIncrement(int value) { increment_ = value; }

    std::int32_t value() const;        // the read rule
    void setValue(std::int64_t value); // the write rule
    bool hasLimits() const { return min_ != max_; }

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

signals:
    void changed();

protected:
    StepEnabled stepEnabled() const override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int min_ = 0;
    int max_ = 0;
    int increment_ = 1;
    bool entered_ = false; // the focus is in the field, or left it only with its window
};

// A seeded monkey: thousands of random key presses, pastes, clicks and double-clicks over the main
// window, the help window and every modal dialog, with the window's invariants checked after each
// event: the ration list and the ration table agree, the table has the shape of its state, the
// index label and the ideal weight follow the inputs, the totals are right, and Qt never warns.
//
// RATSIONIK_MONKEY_EVENTS sets the events per seed (2500 when unset), and
// RATSIONIK_MONKEY_SEED runs one seed of one's choice instead of the four. A failure names the
// seed and the event and lists the events before it; the seed's data row replays it:
//   ui_MonkeyTest randomEvents:"seed 17"
#include "Help.h"
#include "IntegerSpinBox.h"
#include "Main.h"
#include "ProductsList.h"
#include "StringGrid.h"
#include "UrlOpener.h"
#include "WindowDriver.h"
#include "WindowTest.h"

#include "BodyMetrics.h"
#include "NumberFormat.h"
#include "Products.h"
#include "Ration.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <deque>
#include <random>
#include <set>
#include <string_view>

namespace {

// Qt messages that fail the test: every warning and critical message except what the offscreen
// platform prints for window operations it does not have.
QStringList unexpectedMessages;
QtMessageHandler previousHandler = nullptr;

bool IsOffscreenNotice(const QString& message) {
    static const QStringList notices = {
        QStringLiteral("This plugin does not support propagateSizeHints()"),
        QStringLiteral("This plugin does not support raise()"),
        QStringLiteral("This plugin does not support grabbing the keyboard"), // a popup opens
    };
    return notices.contains(message);
}

void RecordMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const bool serious = type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg;
    if (serious && IsOffscreenNotice(message)) return;
    if (serious) unexpectedMessages << message;
    previousHandler(type, context, message);
}

// Texts a user might paste: huge, control characters, numbers beyond 32 bits, hexadecimal,
// Cyrillic, a character outside the basic plane.
QStringList PasteTexts() {
    return {
        QString(1 << 20, QLatin1Char('7')),
        QString(1 << 19, QChar(0x0416)) + QStringLiteral("123"),
        QStringLiteral("\x01\x02\t\r\n\x1b\x7f"),
        QStringLiteral("12\x00"
                       "34"),
        QStringLiteral("2147483647"),
        QStringLiteral("2147483648"),
        QStringLiteral("-2147483648"),
        QStringLiteral("-9999999999"),
        QStringLiteral("$FFFFFFFF"),
        QStringLiteral("-$80000000"),
        QStringLiteral("0x7fffffff"),
        QStringLiteral("  +007"),
        QStringLiteral("80,5"),
        QStringLiteral("1e3"),
        QStringLiteral("Жир сто граммов"),
        QStringLiteral("\u00a0150"),
        QStringLiteral("\U0001F600"),
        QStringLiteral("0"),
        QStringLiteral("   "),
        QString(),
    };
}

// Values typed over a spin box's whole text: limits, zero (a height of 0 cannot form an index),
// negatives, beyond 32 bits.
const char* const TypedValues[] = {"0",    "5",  "170",        "1701",        "250", "-80", "30",
                                   "300",  "18", "2147483647", "99999999999", "-0",  "+12", "80,5",
                                   "1000", ""};

QString ControlName(const QObject& object) {
    const QString name = object.objectName();
    return name.isEmpty() ? QString::fromLatin1(object.metaObject()->className()) : name;
}

class Monkey {
public:
    Monkey(unsigned seed, const QStringList& errorBoxes)
        : seed_(seed)
        , random_(seed)
        , errorBoxes_(errorBoxes)
        , pastes_(PasteTexts()) {}

    // Runs `count` events, checking the invariants after each; returns the first failure.
    QString run(int count) {
        TDialogForm::SetModalHook([this](TDialogForm& dialog) { insideDialog(dialog); });
        watchInputs();
        for (event_ = 1; event_ <= count; ++event_) {
            idealChangedAtHeights_.clear();
            act();
            QCoreApplication::processEvents();
            if (const QString problem = check(); !problem.isEmpty()) return report(problem);
        }
        return {};
    }

private:
    // ---- Random choices ----

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename List> const auto& pick(const List& list) {
        return list[static_cast<decltype(std::size(list))>(below(int(std::size(list))))];
    }

    void log(const QString& what) {
        history_.push_back(QStringLiteral("#%1 %2").arg(event_).arg(what));
        if (history_.size() > 25) history_.pop_front();
    }

    // ---- Events ----

    // The window the next event goes to: mostly the main window, the help window while it is
    // open.
    QWidget& targetWindow() {
        if (HelpForm->isVisible() && chance(20)) return *HelpForm;
        return *MainForm;
    }

    void act() {
        QWidget& window = targetWindow();
        if (&window == HelpForm && chance(10)) {
            log(QStringLiteral("close the help window"));
            HelpForm->close();
            return;
        }
        const int kind = below(100);
        if (kind < 30)
            pressKey(window);
        else if (kind < 40)
            paste(window);
        else if (kind < 50 && &window == MainForm)
            typeValue();
        else if (kind < 62 && &window == MainForm)
            clickButton();
        else if (kind < 75 && &window == MainForm)
            clickRationTable();
        else
            clickSomewhere(window);
    }

    // Where the user's keys go: an open popup, else the window's focused control.
    static QWidget* keyReceiver(QWidget& window) {
        if (QApplication::activePopupWidget()) return nullptr; // QTest hands it to the popup
        QWidget* focused = window.focusWidget();
        return focused && focused->isVisible() ? focused : &window;
    }

    void pressKey(QWidget& window) {
        struct Key {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char* name;
        };
        static const Key keys[] = {
            {Qt::Key_Return, {}, "Enter"},
            {Qt::Key_Escape, {}, "Escape"},
            {Qt::Key_Tab, {}, "Tab"},
            {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
            {Qt::Key_Up, {}, "Up"},
            {Qt::Key_Down, {}, "Down"},
            {Qt::Key_Left, {}, "Left"},
            {Qt::Key_Right, {}, "Right"},
            {Qt::Key_PageUp, {}, "Page Up"},
            {Qt::Key_PageDown, {}, "Page Down"},
            {Qt::Key_Home, Qt::ControlModifier, "Ctrl+Home"},
            {Qt::Key_End, Qt::ControlModifier, "Ctrl+End"},
            {Qt::Key_Backspace, {}, "Backspace"},
            {Qt::Key_Delete, {}, "Delete"},
            {Qt::Key_F2, {}, "F2"},
            {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
            {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
            {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
            {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
            {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
            {Qt::Key_Insert, Qt::ShiftModifier, "Shift+Insert"},
            {Qt::Key_Space, {}, "Space"},
        };
        QWidget* receiver = keyReceiver(window);
        const QString where = receiver ? ControlName(*receiver) : QStringLiteral("popup");
        const int kind = below(10);
        if (kind < 4) { // a digit
            const char digit = char('0' + below(10));
            log(QStringLiteral("key %1 to %2").arg(QLatin1Char(digit)).arg(where));
            QTest::keyClick(receiver, digit);
        } else if (kind < 5) { // a Latin letter or sign
            static constexpr std::string_view others = "abcxzEF$+-.,";
            const char typed = pick(others);
            log(QStringLiteral("key %1 to %2").arg(QLatin1Char(typed)).arg(where));
            QTest::keyClick(receiver, typed);
        } else if (kind < 6) { // a Cyrillic letter, as a Russian keyboard types it
            const QString letter = QString(QChar(char16_t(0x0410 + below(64))));
            log(QStringLiteral("key %1 to %2").arg(letter, where));
            QTest::sendKeyEvent(QTest::Click, receiver, Qt::Key_unknown, letter, Qt::NoModifier);
        } else {
            const Key& key = pick(keys);
            log(QStringLiteral("key %1 to %2").arg(QLatin1String(key.name), where));
            QTest::keyClick(receiver, key.key, key.modifiers);
        }
    }

    void paste(QWidget& window) {
        const QString& text = pick(pastes_);
        QApplication::clipboard()->setText(text);
        QWidget* receiver = keyReceiver(window);
        const bool shiftInsert = chance(50);
        log(QStringLiteral("paste %1 characters \"%2\" with %3 into %4")
                .arg(text.size())
                .arg(text.left(12),
                     shiftInsert ? QStringLiteral("Shift+Insert") : QStringLiteral("Ctrl+V"),
                     receiver ? ControlName(*receiver) : QStringLiteral("popup")));
        if (shiftInsert)
            QTest::keyClick(receiver, Qt::Key_Insert, Qt::ShiftModifier);
        else
            QTest::keyClick(receiver, Qt::Key_V, Qt::ControlModifier);
    }

    // Enters a spin box from the keyboard, which selects its text, and types over it.
    void typeValue() {
        static const char* const boxes[] = {"HeightEdit", "WeightEdit", "OldEdit", "IdealEdit"};
        const char* box = pick(boxes);
        const QString value = QString::fromLatin1(pick(TypedValues));
        log(QStringLiteral("type \"%1\" over %2").arg(value, QLatin1String(box)));
        MainForm->activateWindow();
        Driver::Spin(box).setFocus(Qt::TabFocusReason);
        Driver::Spin(box).findChild<QLineEdit*>()->selectAll(); // in case it had the focus already
        if (value.isEmpty())
            QTest::keyClick(&Driver::Spin(box), Qt::Key_Delete);
        else
            QTest::keyClicks(&Driver::Spin(box), value);
    }

    void clickButton() {
        struct Button {
            const char* name;
            int weight;
        };
        static const Button buttons[] = {{"AddProductBtn", 5},  {"DelProductBtn", 2},
                                         {"ProductInfoBtn", 1}, {"ClearProductsBtn", 1},
                                         {"NeedButton", 1},     {"NeedDescButton", 1}};
        int choice = below(11);
        const Button* button = buttons;
        while (choice >= button->weight)
            choice -= (button++)->weight;
        log(QStringLiteral("click %1").arg(QLatin1String(button->name)));
        QTest::mouseClick(&Driver::Control<QPushButton>(button->name), Qt::LeftButton);
    }

    // A click or a double-click on a quantity cell, a name cell or anywhere in the table.
    void clickRationTable() {
        StringGrid& table = Driver::Ration();
        QPoint point;
        const int row = 1 + below(std::max(1, Driver::RowCount(table) - 1));
        const QRect cell = Driver::CellRect(table, chance(70) ? 4 : below(5), row);
        if (!cell.isEmpty() && chance(70))
            point = cell.center();
        else
            point = QPoint(below(table.viewport()->width()), below(table.viewport()->height()));
        mouse(*table.viewport(), point);
    }

    void clickSomewhere(QWidget& window) {
        QList<QWidget*> widgets{&window};
        for (QWidget* child : window.findChildren<QWidget*>())
            if (child->isVisible() && !child->size().isEmpty()) widgets << child;
        QWidget& widget = *pick(widgets);
        mouse(widget, QPoint(below(widget.width()), below(widget.height())));
    }

    void mouse(QWidget& widget, const QPoint& point) {
        const bool twice = chance(30);
        const Qt::KeyboardModifiers modifiers = chance(10)  ? Qt::ControlModifier
                                                : chance(5) ? Qt::ShiftModifier
                                                            : Qt::NoModifier;
        log(QStringLiteral("%1 %2 at %3,%4%5")
                .arg(twice ? QStringLiteral("double-click") : QStringLiteral("click"),
                     ControlName(widget))
                .arg(point.x())
                .arg(point.y())
                .arg(modifiers != Qt::NoModifier ? QStringLiteral(" with a modifier") : QString()));
        if (twice)
            QTest::mouseDClick(&widget, Qt::LeftButton, modifiers, point);
        else
            QTest::mouseClick(&widget, Qt::LeftButton, modifiers, point);
    }

    // A modal dialog: a few events inside it, sometimes a food double-clicked in the picker,
    // then closing it as its close box does (ShowModal closes it if it is still open).
    void insideDialog(TDialogForm& dialog) {
        log(QStringLiteral("%1 opens").arg(ControlName(dialog)));
        dialog.activateWindow();
        const int count = below(6);
        for (int i = 0; i < count && dialog.isVisible(); ++i) {
            const int kind = below(10);
            if (kind < 4)
                pressKey(dialog);
            else if (kind < 5)
                paste(dialog);
            else
                clickSomewhere(dialog);
        }
        if (&dialog == ProductsForm && dialog.isVisible() && chance(60)) doubleClickFood();
        if (dialog.isVisible()) {
            log(QStringLiteral("%1 closed").arg(ControlName(dialog)));
            dialog.close();
        }
    }

    void doubleClickFood() {
        QTreeWidget& tree = ProductsForm->TreeView();
        QTreeWidgetItem* category = tree.topLevelItem(below(tree.topLevelItemCount()));
        if (!category->isExpanded()) {
            log(QStringLiteral("unfold %1").arg(category->text(0)));
            category->setExpanded(true);
        }
        QTreeWidgetItem* food = category->child(below(category->childCount()));
        tree.scrollToItem(food);
        log(QStringLiteral("double-click food %1").arg(food->text(0)));
        QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(food).center());
    }

    // ---- Invariants ----

    QString check() {
        if (!unexpectedMessages.isEmpty())
            return QStringLiteral("Qt said: ") + unexpectedMessages.join(QStringLiteral(" | "));
        if (QString problem = checkErrorBoxes(); !problem.isEmpty()) return problem;
        if (QString problem = checkRation(); !problem.isEmpty()) return problem;
        if (QString problem = checkTotals(); !problem.isEmpty()) return problem;
        if (!problem_.isEmpty()) return problem_;
        // Between changes the labels stay as the last change left them.
        if (Driver::LabelText("IMTValue") != lastIndex_)
            return QStringLiteral("the index changed to \"%1\" with no change of the inputs")
                .arg(Driver::LabelText("IMTValue"));
        return {};
    }

    // Only the model's three failures reach the error box, each with its full stop.
    QString checkErrorBoxes() {
        static const QString suffix = QStringLiteral("'' is not a valid integer value.");
        for (; boxesChecked_ < errorBoxes_.size(); ++boxesChecked_) {
            const QString& text = errorBoxes_[boxesChecked_];
            if (text != QStringLiteral("Floating point division by zero.") &&
                text != QStringLiteral("Invalid floating point operation.") &&
                !(text.startsWith(QStringLiteral("''")) && text.endsWith(suffix)))
                return QStringLiteral("error box \"%1\"").arg(text.left(200));
        }
        return {};
    }

    QString checkRation() {
        const std::vector<std::int32_t>& items = MainForm->productsItems();
        const StringGrid& table = Driver::Ration();
        std::set<std::int32_t> seen;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::int32_t index = items[i];
            if (index < 0 || index > 92) return QStringLiteral("ration index %1").arg(index);
            if (!seen.insert(index).second)
                return QStringLiteral("catalogue index %1 twice in the ration").arg(index);
            const QString name = QString::fromStdString(Catalogue()[std::size_t(index)].Name);
            if (Driver::Cell(table, 0, int(i) + 1) != name)
                return QStringLiteral("row %1 shows \"%2\", the ration has \"%3\"")
                    .arg(i + 1)
                    .arg(Driver::Cell(table, 0, int(i) + 1), name);
        }
        using namespace Driver;
        const auto shape =
            QStringLiteral("%1x%2 fixed %3x%4 %5 current %6,%7")
                .arg(ColumnCount(table))
                .arg(RowCount(table))
                .arg(FixedColumnCount(table))
                .arg(FixedRowCount(table))
                .arg(table.isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"))
                .arg(CurrentColumn(table))
                .arg(CurrentRow(table));
        if (items.empty()) {
            if (RowCount(table) != 1 || ColumnCount(table) != 1 || FixedRowCount(table) != 0 ||
                FixedColumnCount(table) != 0 || table.isEnabled())
                return QStringLiteral("empty ration, table ") + shape;
        } else if (ColumnCount(table) != 5 || FixedRowCount(table) != 1 ||
                   FixedColumnCount(table) != 4 || !table.isEnabled() ||
                   RowCount(table) != int(items.size()) + 1 || CurrentColumn(table) != 4 ||
                   CurrentRow(table) < 1 || CurrentRow(table) > int(items.size())) {
            return QStringLiteral("%1 foods, table ").arg(items.size()) + shape;
        }
        return {};
    }

    // Once computed, the totals are those of the rows on view whenever those convert: every
    // edit and every deletion recomputes them, and an added row has the quantity 0.
    QString checkTotals() {
        const StringGrid& needs = Driver::Needs();
        const QStringList shown{Driver::Cell(needs, 1, 1), Driver::Cell(needs, 1, 2),
                                Driver::Cell(needs, 1, 3)};
        if (shown.join(QString()).isEmpty()) return {};
        std::vector<RationRow> rows;
        const std::vector<std::int32_t>& items = MainForm->productsItems();
        for (std::size_t i = 0; i < items.size(); ++i)
            rows.push_back({items[i], Driver::Cell(Driver::Ration(), 4, int(i) + 1).toStdString()});
        RationTotals totals{};
        try {
            totals = CalcRationTotals(rows);
        } catch (const std::exception&) {
            return {}; // the failed recomputation left the previous totals
        }
        const QStringList expected{QString::fromStdString(GeneralFloatFormat(totals.ugl, 4, ",")),
                                   QString::fromStdString(GeneralFloatFormat(totals.bel, 4, ",")),
                                   QString::fromStdString(GeneralFloatFormat(totals.zir, 4, ","))};
        if (shown != expected)
            return QStringLiteral("totals show %1, the ration gives %2")
                .arg(shown.join(QLatin1Char(' ')), expected.join(QLatin1Char(' ')));
        return {};
    }

    // The index and the ideal weight are checked the moment an input changes, after the
    // window's own handler: a single event can change several boxes (leaving one writes back
    // its limit, then typing goes on in the next).
    void watchInputs() {
        lastIndex_ = Driver::LabelText("IMTValue");
        const auto watch = [this](const char* box, bool height) {
            QObject::connect(&Driver::Spin(box), &IntegerSpinBox::changed, &context_,
                             [this, height] { afterInputChange(height); });
        };
        watch("HeightEdit", true);
        watch("WeightEdit", false);
        watch("OldEdit", false);
        // The height's text whenever the ideal weight changes since the event began or the height
        // last changed. The window's writes come with the new height; the user types into the
        // ideal weight in events of their own, and retyping the same height text is a change
        // too.
        QObject::connect(&Driver::Spin("IdealEdit"), &IntegerSpinBox::changed, &context_,
                         [this] { idealChangedAtHeights_ << Driver::Spin("HeightEdit").text(); });
    }

    void afterInputChange(bool heightChanged) {
        if (problem_.isEmpty()) problem_ = checkBodyMetrics(heightChanged);
        lastIndex_ = Driver::LabelText("IMTValue");
        if (heightChanged) idealChangedAtHeights_.clear();
    }

    QString checkBodyMetrics(bool heightChanged) {
        const std::int32_t height = Driver::Spin("HeightEdit").value();
        const std::int32_t weight = Driver::Spin("WeightEdit").value();
        const std::int32_t age = Driver::Spin("OldEdit").value();
        const QString index = Driver::LabelText("IMTValue");
        const QString ideal = Driver::Spin("IdealEdit").text();
        const QString inputs =
            QStringLiteral("(%1 cm, %2 kg, %3 years)").arg(height).arg(weight).arg(age);
        if (height == 0) { // the index cannot be formed: nothing changes
            if (index != lastIndex_)
                return QStringLiteral("height 0 changed the index to \"%1\"").arg(index);
            if (heightChanged && idealChangedAtHeights_.contains(Driver::Spin("HeightEdit").text()))
                return QStringLiteral("height 0 changed the ideal weight to %1").arg(ideal);
            return {};
        }
        const BmiResult bmi = CalcBmi(height, weight, age);
        const BmiClassText& texts = BmiClassTexts(bmi.bmiClass);
        const QString expected =
            QString::fromStdString(GeneralFloatFormat(bmi.index, 3, ",")) +
            QString::fromUtf8(texts.suffix.data(), qsizetype(texts.suffix.size()));
        if (index != expected)
            return QStringLiteral("index shows \"%1\", expected \"%2\" %3")
                .arg(index, expected, inputs);
        if (Driver::LabelText("IMTText") !=
                QString::fromUtf8(texts.risk.data(), qsizetype(texts.risk.size())) ||
            Driver::LabelText("IMTComment") !=
                QString::fromUtf8(texts.advice.data(), qsizetype(texts.advice.size())))
            return QStringLiteral("risk or advice of another class than %1 %2")
                .arg(bmi.bmiClass)
                .arg(inputs);
        const QString expectedIdeal = QString::number(CalcIdealWeight(height));
        if (heightChanged && ideal != expectedIdeal)
            return QStringLiteral("ideal weight %1 after a height change, expected %2 %3")
                .arg(ideal, expectedIdeal, inputs);
        return {};
    }

    // Qt Test cuts long failure messages: the events go out as lines of their own.
    QString report(const QString& problem) const {
        qInfo("seed %u, event %d: %s", seed_, event_, qPrintable(problem));
        qInfo("last events (replay with the data row \"seed %u\"):", seed_);
        for (const QString& line : history_)
            qInfo("  %s", qPrintable(line));
        return QStringLiteral("seed %1, event %2: %3")
            .arg(seed_)
            .arg(event_)
            .arg(problem.left(300));
    }

    unsigned seed_;
    std::mt19937 random_;
    const QStringList& errorBoxes_; // those shown so far
    const QStringList pastes_;
    int event_ = 0;
    std::deque<QString> history_;
    qsizetype boxesChecked_ = 0;
    QObject context_;   // the input watchers live as long as the monkey
    QString problem_;   // the first problem an input change showed
    QString lastIndex_; // the index label after the last change of an input
    QStringList idealChangedAtHeights_;
};

int EventsPerSeed() {
    bool ok = false;
    const int events = qEnvironmentVariableIntValue("RATSIONIK_MONKEY_EVENTS", &ok);
    return ok && events > 0 ? events : 2500;
}

} // namespace

class MonkeyTest : public WindowTest {
    Q_OBJECT

private slots:
    void initTestCase() {
        WindowTest::initTestCase();
        previousHandler = qInstallMessageHandler(RecordMessage);
    }
    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }
    void init() {
        unexpectedMessages.clear();
        QApplication::clipboard()->clear();
        SetUrlOpener([](const QString&) {}); // the links open no browser
        WindowTest::init();
    }
    void cleanup() {
        WindowTest::cleanup(); // also restores the modal hook and the opener
        QVERIFY2(unexpectedMessages.isEmpty(),
                 qPrintable(unexpectedMessages.join(QStringLiteral(" | "))));
    }

    void randomEvents_data() {
        QTest::addColumn<unsigned>("seed");
        bool ok = false;
        if (const unsigned seed = qEnvironmentVariableIntValue("RATSIONIK_MONKEY_SEED", &ok); ok) {
            QTest::addRow("seed %u", seed) << seed; // one seed of one's choice
            return;
        }
        for (const unsigned seed : {17u, 2011u, 90210u, 4052024u})
            QTest::addRow("seed %u", seed) << seed;
    }

    void randomEvents() {
        QFETCH(unsigned, seed);
        Monkey monkey(seed, errorBoxes);
        const QString failure = monkey.run(EventsPerSeed());
        qInfo("seed %u: %d events, %lld error boxes, %zu foods in the ration at the end", seed,
              EventsPerSeed(), qlonglong(errorBoxes.size()), MainForm->productsItems().size());
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

QTEST_MAIN(MonkeyTest)
#include "MonkeyTest.moc"

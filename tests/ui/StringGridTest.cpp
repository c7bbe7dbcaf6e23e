// Drives a real StringGrid set up as the program's two tables: the needs table (5 x 5, one fixed
// row, two fixed columns, exactly filled) and the ration table (a fixed header row, four fixed
// columns, the quantity column editable, rows scrolling).
#include "StringGrid.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <climits>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int Keep = INT_MIN;

void setUpNeedsGrid(StringGrid& grid) {
    grid.setColumnCount(5);
    grid.setRowCount(5);
    grid.setFixedRowCount(1);
    grid.setFixedColumnCount(2);
    grid.setDefaultRowHeight(24);
    const int widths[] = {121, 58, 56, 58, 52};
    for (int column = 0; column < 5; ++column)
        grid.setColumnWidth(column, widths[column]);
    grid.resize(354, 129);
    grid.setCell(0, 1, u"Углеводы, гр."_s);
    grid.setCell(2, 0, u"Мин."_s);
}

// The ration table with `foods` food rows under its header, set up the way the main window does.
void setUpRationGrid(StringGrid& grid, int foods) {
    grid.setDefaultColumnWidth(45);
    grid.setDefaultRowHeight(17);
    grid.setColumnWidth(0, 169);
    grid.setRowCount(0);
    grid.setColumnCount(0);
    grid.setRowCount(2);
    grid.setFixedRowCount(1);
    grid.setColumnCount(5);
    grid.setFixedColumnCount(4);
    grid.setRowCount(1 + foods);
    grid.resize(375, 294);
    const QString headers[] = {u"Продукт"_s, u"Угл."_s, u"Бел."_s, u"Жир."_s, u"Кол."_s};
    for (int column = 0; column < 5; ++column)
        grid.setCell(column, 0, headers[column]);
    for (int row = 1; row <= foods; ++row) {
        grid.setCell(0, row, u"Продукт %1"_s.arg(row));
        grid.setCell(4, row, u"0"_s);
    }
}

// The quantity filter of the ration table: digits, Backspace and Enter pass.
void keepDigits(QChar& key) {
    if (!key.isDigit() && key != QChar(8) && key != QChar(13)) key = QChar();
}

QWidget* focused() {
    return QApplication::focusWidget();
}

} // namespace

class StringGridTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> window;
    StringGrid* grid = nullptr;
    QLineEdit* after = nullptr; // the next widget in the focus chain

    void show() {
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
    }
    // A press where the user sees the cell: the first fixed row is the view's header, above
    // the viewport.
    void press(int column, int row, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* target = row == 0 && grid->fixedRowCount() > 0
                              ? grid->horizontalHeader()->viewport()
                              : grid->viewport();
        const QPoint at = target->mapFrom(
            grid, grid->viewport()->mapTo(grid, grid->cellRect(column, row).center()));
        QTest::mousePress(target, button, {}, at);
        QTest::mouseRelease(target, button, {}, at);
    }
    QPoint current() const { return {grid->currentColumn(), grid->currentRow()}; }

private slots:
    void init() {
        window = std::make_unique<QWidget>();
        window->resize(400, 350);
        grid = new StringGrid(window.get());
        after = new QLineEdit(window.get());
        after->move(0, 310);
    }
    void cleanup() {
        window.reset();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void counts_data() {
        QTest::addColumn<QList<int>>("steps");    // rows, columns, fixed rows, fixed columns
        QTest::addColumn<QList<int>>("shrinkTo"); // rows, columns set afterwards
        QTest::addColumn<QList<int>>("expected"); // the four counts
        QTest::addColumn<QPoint>("current");
        QTest::newRow("ration set-up 2/1/5/4")
            << QList{2, 5, 1, 4} << QList{Keep, Keep} << QList{2, 5, 1, 4} << QPoint(4, 1);
        QTest::newRow("fixed as many as the counts")
            << QList{3, 3, 3, 3} << QList{Keep, Keep} << QList{3, 3, 2, 2} << QPoint(2, 2);
        QTest::newRow("fixed beyond the counts")
            << QList{4, 6, 10, 99} << QList{Keep, Keep} << QList{4, 6, 3, 5} << QPoint(5, 3);
        QTest::newRow("shrinking lowers fixed")
            << QList{5, 5, 4, 4} << QList{2, 3} << QList{2, 3, 1, 2} << QPoint(2, 1);
        QTest::newRow("empty state 0, 0")
            << QList{2, 5, 1, 4} << QList{0, 0} << QList{1, 1, 0, 0} << QPoint(0, 0);
        QTest::newRow("negative counts")
            << QList{-1, -7, -1, -1} << QList{Keep, Keep} << QList{1, 1, 0, 0} << QPoint(0, 0);
        QTest::newRow("huge counts clamp")
            << QList{INT_MAX, INT_MAX, 1, 1} << QList{Keep, Keep}
            << QList{StringGrid::MaxRowCount, StringGrid::MaxColumnCount, 1, 1} << QPoint(1, 1);
    }
    void counts() {
        QFETCH(QList<int>, steps);
        QFETCH(QList<int>, shrinkTo);
        QFETCH(QList<int>, expected);
        QFETCH(QPoint, current);
        grid->setRowCount(0);
        grid->setColumnCount(0);
        grid->setRowCount(steps[0]);
        grid->setFixedRowCount(steps[2]);
        grid->setColumnCount(steps[1]);
        grid->setFixedColumnCount(steps[3]);
        if (shrinkTo[0] != Keep) grid->setRowCount(shrinkTo[0]);
        if (shrinkTo[1] != Keep) grid->setColumnCount(shrinkTo[1]);
        QCOMPARE((QList{grid->rowCount(), grid->columnCount(), grid->fixedRowCount(),
                        grid->fixedColumnCount()}),
                 expected);
        QCOMPARE(this->current(), current);
    }

    void emptyStateKeepsWidthAndDropsCutTexts() {
        setUpRationGrid(*grid, 3);
        grid->setRowCount(0);
        grid->setColumnCount(0);
        QCOMPARE(grid->columnWidth(0), 169);
        QCOMPARE(grid->cell(0, 0), u"Продукт"_s);
        grid->setRowCount(2);
        grid->setColumnCount(5);
        QCOMPARE(grid->columnWidth(4), 45);
        QCOMPARE(grid->cell(4, 0), QString()); // no stale text comes back
        QCOMPARE(grid->cell(0, 1), QString());
    }

    void fixedCellsNeverCurrent_data() {
        QTest::addColumn<bool>("ration");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("control");
        QTest::addColumn<QPoint>("reached"); // after many presses from (3, 2) or (4, 5)
        const struct {
            const char* name;
            int key;
            bool control;
            QPoint needs, ration;
        } keys[] = {
            {"Up", Qt::Key_Up, false, {3, 1}, {4, 1}},
            {"Down", Qt::Key_Down, false, {3, 4}, {4, 30}},
            {"Left", Qt::Key_Left, false, {2, 2}, {4, 5}},
            {"Right", Qt::Key_Right, false, {4, 2}, {4, 5}},
            {"PageUp", Qt::Key_PageUp, false, {3, 1}, {4, 1}},
            {"PageDown", Qt::Key_PageDown, false, {3, 4}, {4, 30}},
            {"Home", Qt::Key_Home, false, {2, 2}, {4, 5}},
            {"End", Qt::Key_End, false, {4, 2}, {4, 5}},
            {"Ctrl+Home", Qt::Key_Home, true, {2, 1}, {4, 1}},
            {"Ctrl+End", Qt::Key_End, true, {4, 4}, {4, 30}},
        };
        for (const auto& k : keys) {
            QTest::addRow("needs %s", k.name) << false << k.key << k.control << k.needs;
            QTest::addRow("ration %s", k.name) << true << k.key << k.control << k.ration;
        }
    }
    void fixedCellsNeverCurrent() {
        QFETCH(bool, ration);
        QFETCH(int, key);
        QFETCH(bool, control);
        QFETCH(QPoint, reached);
        if (ration)
            setUpRationGrid(*grid, 30);
        else
            setUpNeedsGrid(*grid);
        show();
        grid->setCurrentCell(ration ? 4 : 3, ration ? 5 : 2);
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(grid, Qt::Key(key), control ? Qt::ControlModifier : Qt::NoModifier);
            QVERIFY(current().x() >= grid->fixedColumnCount());
            QVERIFY(current().y() >= grid->fixedRowCount());
            const QRect shown = grid->cellRect(current().x(), current().y());
            QVERIFY(!shown.isEmpty() && grid->viewport()->rect().contains(shown));
        }
        QCOMPARE(current(), reached);
    }

    void clicked_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QPoint>("current"); // the needs table starts at (3, 2)
        QTest::newRow("press non-fixed cell") << u"press 4 3"_s << 1 << QPoint(4, 3);
        QTest::newRow("press current cell") << u"press 3 2"_s << 1 << QPoint(3, 2);
        QTest::newRow("press header row") << u"press 3 0"_s << 0 << QPoint(3, 2);
        QTest::newRow("press totals column") << u"press 1 2"_s << 0 << QPoint(3, 2);
        QTest::newRow("press corner") << u"press 0 0"_s << 0 << QPoint(3, 2);
        QTest::newRow("right press non-fixed") << u"right 4 3"_s << 0 << QPoint(3, 2);
        QTest::newRow("key Down") << u"down"_s << 1 << QPoint(3, 3);
        QTest::newRow("key Right, column only") << u"right"_s << 1 << QPoint(4, 2);
        QTest::newRow("key Up at the top") << u"up up"_s << 1 << QPoint(3, 1);
        QTest::newRow("setCurrentCell") << u"set 4 4"_s << 0 << QPoint(4, 4);
    }
    void clicked() {
        QFETCH(QString, action);
        QFETCH(int, clicks);
        QFETCH(QPoint, current);
        setUpNeedsGrid(*grid);
        show();
        grid->setCurrentCell(3, 2);
        QSignalSpy spy(grid, &StringGrid::cellClicked);
        const QStringList words = action.split(u' ');
        if (words[0] == u"press" || (words[0] == u"right" && words.size() == 3))
            press(words[1].toInt(), words[2].toInt(),
                  words[0] == u"press" ? Qt::LeftButton : Qt::RightButton);
        else if (words[0] == u"set")
            grid->setCurrentCell(words[1].toInt(), words[2].toInt());
        else
            for (const QString& word : words)
                QTest::keyClick(grid, word == u"down" ? Qt::Key_Down
                                      : word == u"up" ? Qt::Key_Up
                                                      : Qt::Key_Right);
        QCOMPARE(spy.count(), clicks);
        QCOMPARE(this->current(), current);
    }

    void editorOpens_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("text"); // in the editor afterwards
        QTest::addColumn<int>("edits");    // setEditText raised by the opening keystroke
        QTest::newRow("digit replaces") << u"7"_s << u"7"_s << 1;
        QTest::newRow("Backspace clears") << u"backspace"_s << QString() << 1;
        QTest::newRow("Enter") << u"enter"_s << u"250"_s << 0;
        QTest::newRow("F2") << u"f2"_s << u"250"_s << 0;
        QTest::newRow("press on current") << u"press"_s << u"250"_s << 0;
        QTest::newRow("letter is filtered") << u"a"_s << QString() << -1;
    }
    void editorOpens() {
        QFETCH(QString, how);
        QFETCH(QString, text);
        QFETCH(int, edits);
        setUpRationGrid(*grid, 3);
        grid->setKeyFilter(keepDigits);
        grid->setCell(4, 2, u"250"_s);
        show();
        grid->setCurrentCell(4, 2);
        QSignalSpy spy(grid, &StringGrid::setEditText);
        if (how == u"press")
            press(4, 2);
        else if (how.size() == 1)
            QTest::keyClick(grid, how[0].toLatin1());
        else
            QTest::keyClick(grid, how == u"enter" ? Qt::Key_Return
                                  : how == u"f2"  ? Qt::Key_F2
                                                  : Qt::Key_Backspace);
        if (edits < 0) {
            QVERIFY(!grid->isEditorOpen());
            QCOMPARE(grid->cell(4, 2), u"250"_s);
            return;
        }
        QVERIFY(grid->isEditorOpen());
        QCOMPARE(focused(), grid->editor());
        QCOMPARE(grid->editor()->text(), text);
        QCOMPARE(grid->cell(4, 2), text);
        QCOMPARE(spy.count(), edits);
        if (edits == 0) QCOMPARE(grid->editor()->selectedText(), u"250"_s);
    }

    void editorGivesUp_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("gaveUp");
        QTest::addColumn<QPoint>("current");
        QTest::newRow("Enter") << u"enter"_s << true << QPoint(4, 2);
        QTest::newRow("Escape") << u"escape"_s << true << QPoint(4, 2);
        QTest::newRow("press other cell") << u"press 4 3"_s << true << QPoint(4, 3);
        QTest::newRow("press fixed cell") << u"press 0 3"_s << true << QPoint(4, 2);
        QTest::newRow("right press") << u"right 1 1"_s << true << QPoint(4, 2);
        QTest::newRow("key Down") << u"down"_s << true << QPoint(4, 3);
        QTest::newRow("key Ctrl+Home") << u"ctrl+home"_s << true << QPoint(4, 1);
        QTest::newRow("count change") << u"rows"_s << true << QPoint(4, 2);
        QTest::newRow("focus to another widget") << u"focus"_s << true << QPoint(4, 2);
        QTest::newRow("Tab") << u"tab"_s << true << QPoint(4, 2);
        QTest::newRow("Left stays in the editor") << u"left"_s << false << QPoint(4, 2);
    }
    void editorGivesUp() {
        QFETCH(QString, how);
        QFETCH(bool, gaveUp);
        QFETCH(QPoint, current);
        setUpRationGrid(*grid, 3);
        grid->setKeyFilter(keepDigits);
        show();
        grid->setCurrentCell(4, 2);
        QSignalSpy spy(grid, &StringGrid::setEditText);
        QTest::keyClicks(grid, u"1"_s);
        QTest::keyClicks(focused(), u"2"_s);
        QCOMPARE(spy.count(), 2); // one per change of the text, written at once
        QCOMPARE(spy.at(1), (QVariantList{4, 2, u"12"_s}));
        QCOMPARE(grid->cell(4, 2), u"12"_s);

        const QStringList words = how.split(u' ');
        if (words[0] == u"press" || words[0] == u"right")
            press(words[1].toInt(), words[2].toInt(),
                  words[0] == u"press" ? Qt::LeftButton : Qt::RightButton);
        else if (how == u"rows")
            grid->setRowCount(10);
        else if (how == u"focus")
            after->setFocus(Qt::MouseFocusReason);
        else
            QTest::keyClick(focused(),
                            how == u"enter"    ? Qt::Key_Return
                            : how == u"escape" ? Qt::Key_Escape
                            : how == u"down"   ? Qt::Key_Down
                            : how == u"tab"    ? Qt::Key_Tab
                            : how == u"left"   ? Qt::Key_Left
                                               : Qt::Key_Home,
                            how == u"ctrl+home" ? Qt::ControlModifier : Qt::NoModifier);
        QCOMPARE(grid->isEditorOpen(), !gaveUp);
        QCOMPARE(this->current(), current);
        QCOMPARE(grid->cell(4, 2), u"12"_s);
        if (!gaveUp) {
            QCOMPARE(spy.count(), 2);
            return;
        }
        QCOMPARE(spy.count(), 3); // once more on giving up, for the cell it was editing
        QCOMPARE(spy.at(2), (QVariantList{4, 2, u"12"_s}));
        QCOMPARE(focused(), how == u"focus" || how == u"tab" ? static_cast<QWidget*>(after)
                                                             : static_cast<QWidget*>(grid));
    }

    void filter_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("offered");  // the character code offered, -1 for none
        QTest::addColumn<QString>("text"); // the editor's text afterwards
        QTest::addColumn<QString>("clipboard");
        const int ctrl = Qt::ControlModifier;
        // The editor holds "12" with the caret between the digits (or all selected, for copy
        // and cut), and "999" on the clipboard.
        QTest::newRow("digit passes") << int(Qt::Key_3) << 0 << int('3') << u"132"_s << u"999"_s;
        QTest::newRow("letter") << int(Qt::Key_A) << 0 << int('a') << u"12"_s << u"999"_s;
        QTest::newRow("point") << int(Qt::Key_Period) << 0 << int('.') << u"12"_s << u"999"_s;
        QTest::newRow("minus") << int(Qt::Key_Minus) << 0 << int('-') << u"12"_s << u"999"_s;
        QTest::newRow("Ctrl+C no copy") << int(Qt::Key_C) << ctrl << 3 << u"12"_s << u"999"_s;
        QTest::newRow("Ctrl+X no cut") << int(Qt::Key_X) << ctrl << 24 << u"12"_s << u"999"_s;
        QTest::newRow("Ctrl+V no paste") << int(Qt::Key_V) << ctrl << 22 << u"12"_s << u"999"_s;
        QTest::newRow("Ctrl+Z no undo") << int(Qt::Key_Z) << ctrl << 26 << u"12"_s << u"999"_s;
        QTest::newRow("Backspace passes") << int(Qt::Key_Backspace) << 0 << 8 << u"2"_s << u"999"_s;
        QTest::newRow("Delete not offered") << int(Qt::Key_Delete) << 0 << -1 << u"1"_s << u"999"_s;
        QTest::newRow("Home not offered") << int(Qt::Key_Home) << 0 << -1 << u"12"_s << u"999"_s;
        QTest::newRow("Shift+Insert pastes")
            << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << -1 << u"19992"_s << u"999"_s;
    }
    void filter() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, offered);
        QFETCH(QString, text);
        QFETCH(QString, clipboard);
        setUpRationGrid(*grid, 3);
        QList<int> seen;
        grid->setKeyFilter([&](QChar& character) {
            seen.append(character.unicode());
            keepDigits(character);
        });
        show();
        QApplication::clipboard()->setText(u"999"_s);
        QTest::keyClicks(grid, u"1"_s); // opens the editor, which takes the focus
        QTest::keyClicks(focused(), u"2"_s);
        seen.clear();
        grid->editor()->setCursorPosition(1);
        if (key == Qt::Key_C || key == Qt::Key_X) grid->editor()->selectAll();
        QTest::keyClick(focused(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(seen, offered < 0 ? QList<int>() : QList<int>{offered});
        QCOMPARE(grid->editor()->text(), text);
        QCOMPARE(grid->cell(4, 1), text);
        QCOMPARE(QApplication::clipboard()->text(), clipboard);
    }

    void hugePasteStaysWhole() {
        setUpRationGrid(*grid, 3);
        show();
        const QString huge(1 << 20, u'7');
        QApplication::clipboard()->setText(huge);
        QSignalSpy spy(grid, &StringGrid::setEditText);
        QTest::keyClick(grid, Qt::Key_F2);
        QTest::keyClick(focused(), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(grid->cell(4, 1), huge);
        grid->repaintAll();
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(grid->cell(4, 1).size(), huge.size());
        QVERIFY(!grid->grab().isNull());
    }

    void drawCellArguments() {
        setUpNeedsGrid(*grid);
        QPalette palette = grid->palette();
        palette.setColor(QPalette::Base, Qt::white);
        grid->setPalette(palette);
        QList<std::tuple<int, int, QRect, StringGrid::CellState>> calls;
        grid->setCellPainter([&](QPainter& painter, int column, int row, const QRect& rect,
                                 StringGrid::CellState state) {
            calls.append({column, row, rect, state});
            painter.fillRect(rect, state & StringGrid::Fixed ? Qt::red : Qt::blue);
        });
        show();
        grid->setCurrentCell(3, 2);
        QCoreApplication::processEvents(); // the updates the move asked for
        calls.clear();
        grid->repaintAll();
        QCOMPARE(calls.size(), 25);
        for (const auto& [column, row, rect, state] : std::as_const(calls)) {
            QCOMPARE(rect, grid->cellRect(column, row));
            QCOMPARE(bool(state & StringGrid::Fixed), row < 1 || column < 2);
            QCOMPARE(bool(state & StringGrid::Selected), column == 3 && row == 2);
            QCOMPARE(bool(state & StringGrid::Focused), column == 3 && row == 2);
        }
        // Columns 121, 58 and rows of 24, each followed by a 1 px line; the header row lies
        // above the viewport, inside the 2 px frame.
        QCOMPARE(grid->cellRect(2, 1), QRect(181, 0, 56, 24));
        QCOMPARE(grid->cellRect(3, 0), QRect(238, -25, 58, 24));
        QCOMPARE(grid->cellRect(4, 4), QRect(297, 75, 52, 24));
        QCOMPARE(grid->viewport()->geometry(), QRect(2, 27, 350, 100)); // the cells fill it

        const QImage image = grid->grab().toImage();
        const auto pixel = [&](int x, int y) { return image.pixelColor(x + 2, y + 2); };
        QCOMPARE(pixel(200, 60), QColor(Qt::blue));         // a normal cell
        QCOMPARE(pixel(60, 60), QColor(Qt::red));           // a fixed cell
        QCOMPARE(pixel(200, 10), QColor(Qt::red));          // a cell of the header row
        QCOMPARE(pixel(237, 60), QColor(0xC0, 0xC0, 0xC0)); // line between normal cells
        QCOMPARE(pixel(121, 60), QColor(0x80, 0x80, 0x80)); // line right of fixed
        QCOMPARE(pixel(0, 60), QColor(Qt::white));          // light edge of a fixed cell
        QCOMPARE(pixel(238, 50), QColor(Qt::yellow));       // focus dot: blue inverted
        QCOMPARE(pixel(239, 50), QColor(Qt::blue));
    }

    void scrollBar_data() {
        QTest::addColumn<bool>("ration");
        QTest::addColumn<int>("foods");
        QTest::addColumn<bool>("bar");
        QTest::newRow("needs table fits exactly") << false << 0 << false;
        QTest::newRow("ration, 15 foods fit") << true << 15 << false;
        QTest::newRow("ration, 16 foods do not") << true << 16 << true;
        QTest::newRow("ration, 60 foods") << true << 60 << true;
    }
    void scrollBar() {
        QFETCH(bool, ration);
        QFETCH(int, foods);
        QFETCH(bool, bar);
        if (ration)
            setUpRationGrid(*grid, foods);
        else
            setUpNeedsGrid(*grid);
        show();
        QCoreApplication::processEvents();
        QTRY_COMPARE(grid->verticalScrollBar()->isVisible(), bar);
        QVERIFY(!grid->horizontalScrollBar()->isVisible());
        if (!bar) return;
        // The wheel scrolls whole rows without moving the current cell.
        QSignalSpy spy(grid, &StringGrid::cellClicked);
        QWheelEvent wheel(QPointF(50, 50), grid->viewport()->mapToGlobal(QPointF(50, 50)), {},
                          {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(grid->viewport(), &wheel);
        QVERIFY(grid->topRow() > 1);
        QCOMPARE(current(), QPoint(4, 1));
        QCOMPARE(spy.count(), 0);
        QVERIFY(grid->cellRect(4, 1).isEmpty());
        QCOMPARE(grid->cellRect(4, grid->topRow()).top(), 0); // right under the header row
    }

    void disabledTakesNothing() {
        setUpRationGrid(*grid, 3);
        show();
        grid->setEnabled(false);
        QSignalSpy spy(grid, &StringGrid::cellClicked);
        QCOMPARE(grid->focusPolicy(), Qt::NoFocus);
        QVERIFY(!grid->hasFocus());
        press(4, 2);
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(current(), QPoint(4, 1));
        QVERIFY(!grid->isEditorOpen());
    }

    void accessibility() {
        // Screen readers see a table of the food rows whose header row names the columns.
        setUpRationGrid(*grid, 3);
        grid->setCell(4, 2, u"150"_s);
        show();
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
        QVERIFY(table);
        QCOMPARE(table->role(), QAccessible::Table);
        QAccessibleTableInterface* cells = table->tableInterface();
        QVERIFY(cells);
        QCOMPARE(cells->rowCount(), 3);
        QCOMPARE(cells->columnCount(), 5);
        for (int column = 0; column < 5; ++column) {
            QCOMPARE(cells->columnDescription(column), grid->cell(column, 0));
            for (int row = 1; row < 4; ++row) {
                QAccessibleInterface* cell = cells->cellAt(row - 1, column);
                QVERIFY(cell);
                QCOMPARE(cell->role(), QAccessible::Cell);
                QCOMPARE(cell->text(QAccessible::Name), grid->cell(column, row));
                QCOMPARE(cell->parent(), table);
            }
        }
        QTest::keyClick(grid, Qt::Key_Down);
        const QList<QAccessibleInterface*> selected = cells->selectedCells();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected[0]->tableCellInterface()->rowIndex(), 1);
        QCOMPARE(selected[0]->tableCellInterface()->columnIndex(), 4);
        QCOMPARE(selected[0]->text(QAccessible::Name), u"150"_s);
        QVERIFY(selected[0]->state().focused);
        QVERIFY(!cells->cellAt(0, 4)->state().focused);
        QCOMPARE(table->focusChild()->text(QAccessible::Name), u"150"_s);
    }
};

QTEST_MAIN(StringGridTest)
#include "StringGridTest.moc"

// Drives a real StringGrid over models set up as the program's two tables: the needs table (a
// header row over four rows, two fixed columns, exactly filled) and the ration table (a header
// row, four fixed columns, the quantity column editable, rows scrolling).
#include "StringGrid.h"
#include "CellRoles.h"
#include "ClassicColours.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A table model that counts what the editor writes, unchanged texts included.
struct Table : QStandardItemModel {
    Table(int rows, int columns, int fixedColumns)
        : QStandardItemModel(rows, columns) {
        for (int column = 0; column < columns; ++column) {
            auto* header = new QStandardItem(u"H%1"_s.arg(column));
            header->setData(true, FixedCellRole);
            setHorizontalHeaderItem(column, header);
            for (int row = 0; row < rows; ++row) {
                auto* cell = new QStandardItem(column < fixedColumns ? u"f"_s : u"0"_s);
                cell->setData(column < fixedColumns, FixedCellRole);
                if (column < fixedColumns) cell->setFlags(Qt::NoItemFlags);
                setItem(row, column, cell);
            }
        }
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        writes << index.data().toString() + u'→' + value.toString();
        return QStandardItemModel::setData(index, value, role);
    }
    QStringList writes;
};

// The quantity filter of the ration table: digits, Backspace and Enter pass.
void KeepDigits(QChar& key) {
    if (!key.isDigit() && key != QChar(8) && key != QChar(13)) key = QChar();
}

QWidget* Focused() {
    return QApplication::focusWidget();
}

} // namespace

class StringGridTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window;
    StringGrid* grid = nullptr;
    QLineEdit* after = nullptr; // the next widget in the focus chain
    std::unique_ptr<Table> table;

    // Cells counted as the user sees them: the header row is row 0.
    QModelIndex at(int column, int row) const { return table->index(row - 1, column); }
    QPoint current() const {
        return {grid->currentIndex().column(), grid->currentIndex().row() + 1};
    }
    QLineEdit* editor() const {
        return qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
    }

    void setUpNeeds() {
        table = std::make_unique<Table>(4, 5, 2);
        grid->verticalHeader()->setDefaultSectionSize(25);
        grid->setModel(table.get());
        for (int column = 0; const int width : {121, 58, 56, 58, 52})
            grid->setColumnWidth(column++, width + StringGrid::GridLine);
        grid->resize(354, 129);
        grid->setCurrentIndex(at(2, 1));
    }
    void setUpRation(int foods) {
        table = std::make_unique<Table>(foods, 5, 4);
        grid->horizontalHeader()->setDefaultSectionSize(46);
        grid->verticalHeader()->setDefaultSectionSize(18);
        grid->setModel(table.get());
        grid->setColumnWidth(0, 170);
        grid->resize(375, 294);
        grid->setKeyFilter(KeepDigits);
        grid->setCurrentIndex(at(4, 1));
    }
    void show() {
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
    }
    // A press where the user sees the cell: the header row lies above the viewport.
    void press(int column, int row, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* target = row == 0 ? grid->horizontalHeader()->viewport() : grid->viewport();
        const QRect cell =
            row == 0 ? QRect(grid->horizontalHeader()->sectionViewportPosition(column), 0, 10, 10)
                     : grid->visualRect(at(column, row));
        QTest::mousePress(target, button, {}, cell.center());
        QTest::mouseRelease(target, button, {}, cell.center());
    }

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
        table.reset();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
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
            setUpRation(30);
        else
            setUpNeeds();
        show();
        grid->setCurrentIndex(ration ? at(4, 5) : at(3, 2));
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(grid, Qt::Key(key), control ? Qt::ControlModifier : Qt::NoModifier);
            QVERIFY(!grid->currentIndex().data(FixedCellRole).toBool());
            QVERIFY(grid->viewport()->rect().contains(grid->visualRect(grid->currentIndex())));
        }
        QCOMPARE(current(), reached);
    }

    void pressesAndKeysMoveTheCurrentCell_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QPoint>("current"); // the needs table starts at (3, 2)
        QTest::addColumn<bool>("editor");
        QTest::newRow("press non-fixed cell") << u"press 4 3"_s << QPoint(4, 3) << false;
        QTest::newRow("press current cell opens its editor")
            << u"press 3 2"_s << QPoint(3, 2) << true;
        QTest::newRow("double-click non-fixed cell") << u"double 4 3"_s << QPoint(4, 3) << true;
        QTest::newRow("press header row") << u"press 3 0"_s << QPoint(3, 2) << false;
        QTest::newRow("press totals column") << u"press 1 2"_s << QPoint(3, 2) << false;
        QTest::newRow("press corner") << u"press 0 0"_s << QPoint(3, 2) << false;
        QTest::newRow("right press non-fixed") << u"right 4 3"_s << QPoint(3, 2) << false;
        QTest::newRow("drag to another cell") << u"drag 4 3"_s << QPoint(3, 2) << false;
        QTest::newRow("key Down") << u"down"_s << QPoint(3, 3) << false;
        QTest::newRow("key Up at the top") << u"up up"_s << QPoint(3, 1) << false;
    }
    void pressesAndKeysMoveTheCurrentCell() {
        QFETCH(QString, action);
        QFETCH(QPoint, current);
        QFETCH(bool, editor);
        setUpNeeds();
        show();
        grid->setCurrentIndex(at(3, 2));
        const QStringList words = action.split(u' ');
        if (words[0] == u"press" || words[0] == u"right") {
            press(words[1].toInt(), words[2].toInt(),
                  words[0] == u"press" ? Qt::LeftButton : Qt::RightButton);
        } else if (words[0] == u"double") {
            press(words[1].toInt(), words[2].toInt());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                               grid->visualRect(at(words[1].toInt(), words[2].toInt())).center());
        } else if (words[0] == u"drag") {
            QTest::mousePress(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(at(3, 2)).center());
            QMouseEvent move(QEvent::MouseMove, grid->visualRect(at(4, 3)).center(),
                             grid->viewport()->mapToGlobal(grid->visualRect(at(4, 3)).center()),
                             Qt::NoButton, Qt::LeftButton, {});
            QCoreApplication::sendEvent(grid->viewport(), &move);
            if (QWidget* open = this->editor()) QTest::keyClick(open, Qt::Key_Escape);
        } else {
            for (const QString& word : words)
                QTest::keyClick(grid, word == u"down" ? Qt::Key_Down : Qt::Key_Up);
        }
        QCOMPARE(this->current(), current);
        QCOMPARE(this->editor() != nullptr, editor);
    }

    void editorOpens_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("text");       // in the editor afterwards
        QTest::addColumn<QStringList>("writes"); // by the opening keystroke
        QTest::newRow("digit replaces") << u"7"_s << u"7"_s << QStringList{u"250→7"_s};
        QTest::newRow("Backspace clears") << u"backspace"_s << QString() << QStringList{u"250→"_s};
        QTest::newRow("Enter") << u"enter"_s << u"250"_s << QStringList();
        QTest::newRow("F2") << u"f2"_s << u"250"_s << QStringList();
        QTest::newRow("press on current") << u"press"_s << u"250"_s << QStringList();
    }
    void editorOpens() {
        QFETCH(QString, how);
        QFETCH(QString, text);
        QFETCH(QStringList, writes);
        setUpRation(3);
        table->item(1, 4)->setText(u"250"_s);
        show();
        grid->setCurrentIndex(at(4, 2));
        if (how == u"press")
            press(4, 2);
        else if (how.size() == 1)
            QTest::keyClick(grid, how[0].toLatin1());
        else
            QTest::keyClick(grid, how == u"enter" ? Qt::Key_Return
                                  : how == u"f2"  ? Qt::Key_F2
                                                  : Qt::Key_Backspace);
        QVERIFY(editor());
        QCOMPARE(Focused(), editor());
        QCOMPARE(editor()->text(), text);
        QCOMPARE(at(4, 2).data().toString(), text);
        QCOMPARE(table->writes, writes);
        if (writes.isEmpty()) QCOMPARE(editor()->selectedText(), u"250"_s);
    }

    void editorGivesUp_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("gaveUp");
        QTest::addColumn<QPoint>("current");
        QTest::newRow("Enter") << u"enter"_s << true << QPoint(4, 2);
        QTest::newRow("Escape") << u"escape"_s << true << QPoint(4, 2);
        QTest::newRow("press other cell") << u"press 4 3"_s << true << QPoint(4, 3);
        QTest::newRow("press fixed cell") << u"press 0 3"_s << true << QPoint(4, 2);
        QTest::newRow("press header row") << u"press 1 0"_s << true << QPoint(4, 2);
        QTest::newRow("right press") << u"right 1 1"_s << true << QPoint(4, 2);
        QTest::newRow("key Down") << u"down"_s << true << QPoint(4, 3);
        QTest::newRow("key Ctrl+Home") << u"ctrl+home"_s << true << QPoint(4, 1);
        QTest::newRow("grid disabled") << u"disable"_s << true << QPoint(4, 2);
        QTest::newRow("focus to another widget") << u"focus"_s << true << QPoint(4, 2);
        QTest::newRow("Tab") << u"tab"_s << true << QPoint(4, 2);
        QTest::newRow("Left stays in the editor") << u"left"_s << false << QPoint(4, 2);
        QTest::newRow("a dialog takes the focus for a while")
            << u"dialog"_s << false << QPoint(4, 2);
    }
    void editorGivesUp() {
        QFETCH(QString, how);
        QFETCH(bool, gaveUp);
        QFETCH(QPoint, current);
        setUpRation(3);
        show();
        grid->setCurrentIndex(at(4, 2));
        QTest::keyClicks(grid, u"1"_s);
        QTest::keyClicks(Focused(), u"2"_s);
        QCOMPARE(table->writes, (QStringList{u"0→1"_s, u"1→12"_s})); // each change, at once

        const QStringList words = how.split(u' ');
        if (words[0] == u"press" || words[0] == u"right") {
            press(words[1].toInt(), words[2].toInt(),
                  words[0] == u"press" ? Qt::LeftButton : Qt::RightButton);
        } else if (how == u"disable") {
            grid->setEnabled(false);
        } else if (how == u"focus") {
            after->setFocus(Qt::MouseFocusReason);
        } else if (how == u"dialog") {
            QWidget dialog;
            dialog.show();
            dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
        } else {
            QTest::keyClick(Focused(),
                            how == u"enter"    ? Qt::Key_Return
                            : how == u"escape" ? Qt::Key_Escape
                            : how == u"down"   ? Qt::Key_Down
                            : how == u"tab"    ? Qt::Key_Tab
                            : how == u"left"   ? Qt::Key_Left
                                               : Qt::Key_Home,
                            how == u"ctrl+home" ? Qt::ControlModifier : Qt::NoModifier);
        }
        QCOMPARE(editor() == nullptr, gaveUp);
        QCOMPARE(this->current(), current);
        QCOMPARE(at(4, 2).data().toString(), u"12"_s);
        // Once more on giving up, for the cell it was editing.
        QCOMPARE(table->writes.size(), gaveUp ? 3 : 2);
        if (gaveUp) QCOMPARE(table->writes.last(), u"12→12"_s);
        if (gaveUp && how != u"disable")
            QCOMPARE(Focused(), how == u"focus" || how == u"tab" ? static_cast<QWidget*>(after)
                                                                 : static_cast<QWidget*>(grid));
    }

    void hugePasteStaysWhole() {
        setUpRation(3);
        show();
        const QString huge(1 << 20, u'7');
        QApplication::clipboard()->setText(huge);
        QTest::keyClick(grid, Qt::Key_F2);
        QTest::keyClick(Focused(), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(at(4, 1).data().toString(), huge);
        QVERIFY(!grid->grab().isNull());
        QTest::keyClick(Focused(), Qt::Key_Return);
        QCOMPARE(table->writes.size(), 2);
        QCOMPARE(at(4, 1).data().toString().size(), huge.size());
    }

    void cellsDrawnFromTheirRoles() {
        setUpNeeds();
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 5; ++column)
                table->setData(at(column, row + 1), column < 2 ? QColor(Qt::red) : QColor(Qt::blue),
                               Qt::BackgroundRole);
        table->horizontalHeaderItem(2)->setData(QColor(Qt::red), Qt::BackgroundRole);
        show();
        grid->setCurrentIndex(at(3, 2));
        // Columns 121, 58 and rows of 24, each followed by a 1 px line; the header row lies
        // above the viewport, inside the 2 px frame; the cells fill the viewport.
        QCOMPARE(grid->visualRect(at(2, 1)), QRect(181, 0, 57, 25));
        QCOMPARE(grid->visualRect(at(4, 4)), QRect(297, 75, 53, 25));
        QCOMPARE(grid->viewport()->geometry(), QRect(2, 27, 350, 100));

        const QImage image = grid->grab().toImage();
        const auto pixel = [&](int x, int y) { return image.pixelColor(x + 2, y + 2); };
        QCOMPARE(pixel(200, 60), QColor(Qt::blue));      // a normal cell
        QCOMPARE(pixel(60, 60), QColor(Qt::red));        // a fixed cell
        QCOMPARE(pixel(200, 10), QColor(Qt::red));       // a cell of the header row
        QCOMPARE(pixel(237, 60), ClassicColour::Silver); // line between normal cells
        QCOMPARE(pixel(121, 60), ClassicColour::Grey);   // line right of fixed
        QCOMPARE(pixel(0, 60), ClassicColour::White);    // light edge of a fixed cell
        QCOMPARE(pixel(238, 50), QColor(Qt::yellow));    // focus dot: blue inverted
        QCOMPARE(pixel(239, 50), QColor(Qt::blue));
    }

    // On a screen scaled by any factor the lines of one kind are equally wide, whole device
    // pixels, and nothing behind the grid shows inside its frame.
    void drawnOnWholeDevicePixels_data() {
        QTest::addColumn<qreal>("scale");
        for (const qreal scale : {1.0, 1.25, 1.5, 1.75, 2.0})
            QTest::addRow("%d %%", int(scale * 100)) << scale;
    }
    void drawnOnWholeDevicePixels() {
        QFETCH(qreal, scale);
        setUpRation(20);
        const QColor behind(0, 255, 0);
        QPixmap pixmap(grid->size() * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(behind);
        grid->render(&pixmap, {}, {}, QWidget::DrawChildren);
        const QImage image = pixmap.toImage();
        const QList<QColor> lines{ClassicColour::Grey, ClassicColour::Silver,
                                  ClassicColour::Shadow3D, ClassicColour::DarkShadow3D};
        // Across the middle row and down a column: each run of one colour.
        for (auto [at, step] : {std::pair{QPoint(0, image.height() / 2), QPoint(1, 0)},
                                {QPoint(image.width() / 3, 0), QPoint(0, 1)}}) {
            QList<std::pair<QColor, int>> runs;
            for (; image.rect().contains(at); at += step)
                if (runs.isEmpty() || runs.last().first != image.pixelColor(at))
                    runs.append({image.pixelColor(at), 1});
                else
                    ++runs.last().second;
            for (qsizetype i = 0; i < runs.size(); ++i) {
                if (lines.contains(runs[i].first))
                    QCOMPARE(runs[i].second, std::max(1, int(scale)));
                if (i > 0 && i < runs.size() - 1) QVERIFY(runs[i].first != behind);
            }
        }
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
            setUpRation(foods);
        else
            setUpNeeds();
        show();
        QCoreApplication::processEvents();
        QTRY_COMPARE(grid->verticalScrollBar()->isVisible(), bar);
        QVERIFY(!grid->horizontalScrollBar()->isVisible());
        if (!bar) return;
        // The wheel scrolls whole rows without moving the current cell.
        QWheelEvent wheel(QPointF(50, 50), grid->viewport()->mapToGlobal(QPointF(50, 50)), {},
                          {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(grid->viewport(), &wheel);
        QVERIFY(grid->rowAt(0) > 0);
        QCOMPARE(current(), QPoint(4, 1));
        QCOMPARE(grid->visualRect(grid->indexAt({0, 0})).top(), 0); // right under the header
        // At the end of the range, too, whole rows from the top.
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
        QCOMPARE(grid->visualRect(grid->indexAt({0, 0})).top(), 0);
    }

    void disabledTakesNothing() {
        setUpRation(3);
        show();
        grid->setEnabled(false);
        grid->setFocus();
        QVERIFY(!grid->hasFocus());
        press(4, 2);
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(current(), QPoint(4, 1));
        QVERIFY(!editor());
    }

    void accessibility() {
        // Screen readers see a table of the rows whose header row names the columns.
        setUpRation(3);
        table->item(1, 4)->setText(u"150"_s);
        show();
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(grid);
        QVERIFY(view);
        QCOMPARE(view->role(), QAccessible::Table);
        QAccessibleTableInterface* cells = view->tableInterface();
        QVERIFY(cells);
        QCOMPARE(cells->rowCount(), 3);
        QCOMPARE(cells->columnCount(), 5);
        for (int column = 0; column < 5; ++column) {
            QCOMPARE(cells->columnDescription(column), u"H%1"_s.arg(column));
            for (int row = 0; row < 3; ++row) {
                QAccessibleInterface* cell = cells->cellAt(row, column);
                QVERIFY(cell);
                QCOMPARE(cell->role(), QAccessible::Cell);
                QCOMPARE(cell->text(QAccessible::Name),
                         table->index(row, column).data().toString());
                QCOMPARE(cell->parent(), view);
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
        QCOMPARE(view->focusChild()->text(QAccessible::Name), u"150"_s);
    }
};

QTEST_MAIN(StringGridTest)
#include "StringGridTest.moc"

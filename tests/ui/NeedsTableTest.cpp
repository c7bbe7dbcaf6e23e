// The needs table on the main window: its headers, the needs button, hand-typed texts and the
// cell drawing.
#include "IntegerSpinBox.h"
#include "Main.h"
#include "StringGrid.h"
#include "WindowDriver.h"
#include "WindowTest.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace Driver;

class NeedsTableTest : public WindowTest {
    Q_OBJECT

    // Columns 2..4 of rows 1..4, row by row.
    static QStringList needs() {
        QStringList texts;
        for (int row = 1; row <= 4; ++row)
            for (int column = 2; column <= 4; ++column)
                texts << Cell(Needs(), column, row);
        return texts;
    }
    static QStringList split(const char* texts) {
        return QString::fromUtf8(texts).split(QLatin1Char(' '));
    }

private slots:

    void laidOutWithItsHeadersOnly() {
        QCOMPARE(Needs().geometry(), QRect(7, 56, 354, 129));
        QCOMPARE(Needs().parentWidget()->objectName(), QStringLiteral("NeedBox"));
        QCOMPARE(Button("NeedButton").text(),
                 QStringLiteral("Рассчитать потребность по \"идеальному весу\""));
        QCOMPARE(RowCount(Needs()), 5);
        QCOMPARE(ColumnCount(Needs()), 5);
        QCOMPARE(FixedRowCount(Needs()), 1);
        QCOMPARE(FixedColumnCount(Needs()), 2);
        const int widths[] = {121, 58, 56, 58, 52};
        for (int column = 0; column < 5; ++column)
            QCOMPARE(CellRect(Needs(), column, 1).width(), widths[column]);
        for (int row = 0; row < 5; ++row)
            QCOMPARE(CellRect(Needs(), 0, row).height(), 24);
        QCoreApplication::processEvents();
        QVERIFY(!Needs().verticalScrollBar()->isVisible());
        QVERIFY(!Needs().horizontalScrollBar()->isVisible());
        QStringList texts;
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 5; ++column)
                texts << Cell(Needs(), column, row);
        // Row by row, the cells separated by "|".
        QCOMPARE(texts, QStringLiteral("||Мин.|Норм.|Макс.|Углеводы, гр.|||||Белки, гр.|||||"
                                       "Жиры, гр.|||||Вода, л.||||")
                            .split(QLatin1Char('|')));
    }

    void buttonFillsTheTwelveNeeds_data() {
        QTest::addColumn<QString>("ideal");
        QTest::addColumn<int>("sex");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("60 kg, female")
            << "60" << 0 << split("120 276 360 36 69 102 30 83 156 1,8 2,4 3,6");
        QTest::newRow("60 kg, male")
            << "60" << 1 << split("120 276 360 36 69 102 30 70 133 1,8 2,4 3,6");
        QTest::newRow("50 kg, male")
            << "50" << 1 << split("100 230 300 30 58 85 25 59 110 1,5 2 3");
        QTest::newRow("25 kg, female")
            << "25" << 0 << split("50 115 150 15 29 42 12 34 65 0,75 1 1,5");
        QTest::newRow("negative") << "-10" << 0
                                  << split("-20 -46 -60 -6 -12 -17 -5 -14 -26 -0,3 -0,4 -0,6");
        QTest::newRow("not a number counts as 0") << "6x" << 0 << split("0 0 0 0 0 0 0 0 0 0 0 0");
    }
    void buttonFillsTheTwelveNeeds() {
        QFETCH(QString, ideal);
        QFETCH(int, sex);
        QFETCH(QStringList, expected);
        Field("IdealEdit").setText(ideal);
        Control<QComboBox>("SexBox").setCurrentIndex(sex);
        QTest::mouseClick(&Button("NeedButton"), Qt::LeftButton);
        QCOMPARE(needs(), expected);
        QCOMPARE(Cell(Needs(), 1, 1), QString()); // the totals column is not touched
        QCOMPARE(Cell(Needs(), 1, 4), QString());
    }

    void typedSexThatIsNoItemCountsAsMale() {
        Control<QComboBox>("SexBox").setCurrentIndex(0);
        Control<QComboBox>("SexBox").setEditText(QStringLiteral("ж"));
        QTest::mouseClick(&Button("NeedButton"), Qt::LeftButton);
        QCOMPARE(Cell(Needs(), 3, 3), QStringLiteral("70")); // male fats normal at 60 kg
    }

    void nothingChangesUntilTheButtonIsPressedAgain() {
        QTest::mouseClick(&Button("NeedButton"), Qt::LeftButton);
        const QStringList first = needs();
        Field("IdealEdit").setText(QStringLiteral("80"));
        Control<QComboBox>("SexBox").setCurrentIndex(1);
        QCOMPARE(needs(), first);
        SetCell(Needs(), 3, 1, QStringLiteral("typed by hand"));
        QTest::mouseClick(&Button("NeedButton"), Qt::LeftButton);
        QCOMPARE(Cell(Needs(), 3, 1), QStringLiteral("368"));
        QCOMPARE(Cell(Needs(), 2, 1), QStringLiteral("160"));
    }

    void needsCellsTakeAnyTypedText() {
        QTest::mouseClick(&Button("NeedButton"), Qt::LeftButton);
        QTest::mouseClick(Needs().viewport(), Qt::LeftButton, {}, CellRect(Needs(), 3, 2).center());
        for (const QString& key : {QStringLiteral("a"), QStringLiteral("."), QStringLiteral("-")})
            QTest::keyClick(QApplication::focusWidget(), key.at(0).toLatin1());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(Cell(Needs(), 3, 2), QStringLiteral("a.-"));
        QVERIFY(errorBoxes.isEmpty());
        QTest::mouseClick(&Button("NeedButton"), Qt::LeftButton); // overwritten again
        QCOMPARE(Cell(Needs(), 3, 2), QStringLiteral("69"));
    }

    void selectionStaysInTheNeeds_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("left") << int(Qt::Key_Left) << 0;
        QTest::newRow("up") << int(Qt::Key_Up) << 0;
        QTest::newRow("home") << int(Qt::Key_Home) << 0;
        QTest::newRow("ctrl+home") << int(Qt::Key_Home) << int(Qt::ControlModifier);
        QTest::newRow("page up") << int(Qt::Key_PageUp) << 0;
    }
    void selectionStaysInTheNeeds() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Needs().setFocus();
        QCOMPARE(CurrentColumn(Needs()), 2);
        QCOMPARE(CurrentRow(Needs()), 1);
        QTest::keyClick(&Needs(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(CurrentColumn(Needs()), 2);
        QCOMPARE(CurrentRow(Needs()), 1);
        for (const auto& [column, row] : {std::pair{0, 0}, {1, 2}, {0, 3}, {3, 0}}) {
            QTest::mouseClick(Needs().viewport(), Qt::LeftButton, {},
                              CellRect(Needs(), column, row).center());
            QCOMPARE(CurrentColumn(Needs()), 2);
            QCOMPARE(CurrentRow(Needs()), 1);
        }
        QTest::keyClick(&Needs(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(CurrentColumn(Needs()), 4);
        QCOMPARE(CurrentRow(Needs()), 4);
    }

    void fixedCellsAreLightGreyAndTheSelectedCellIsNotHighlighted() {
        QTest::mouseClick(&Button("NeedButton"), Qt::LeftButton);
        Needs().setFocus();
        Needs().setCurrentIndex(CellIndex(Needs(), 3, 2));
        const QImage image = TableImage(Needs());
        const auto fill = [&](int column, int row) {
            const QRect cell = CellInImage(Needs(), column, row);
            return QColor(image.pixel(cell.left() + 3, cell.top() + 3));
        };
        const QColor light(0xE3, 0xE3, 0xE3);
        QCOMPARE(fill(0, 0), light);
        QCOMPARE(fill(1, 2), light);
        QCOMPARE(fill(3, 0), light);
        QCOMPARE(fill(2, 1), QColor(Qt::white));
        QCOMPARE(fill(3, 2), QColor(Qt::white)); // the current cell
        // Its text is black: the darkest pixel of the cell is pure black or a grey of it.
        const QRect current = CellInImage(Needs(), 3, 2);
        int darkest = 255;
        for (int y = current.top() + 2; y < current.bottom() - 1; ++y)
            for (int x = current.left() + 2; x < current.right() - 1; ++x) {
                const QColor p(image.pixel(x, y));
                QCOMPARE(p.red(), p.green());
                QCOMPARE(p.green(), p.blue());
                darkest = std::min(darkest, p.red());
            }
        QVERIFY(darkest < 80);
    }

    void rowHeadersStartSixPixelsIn() {
        const QImage image = TableImage(Needs());
        const QRect cell = CellInImage(Needs(), 0, 1);
        int firstInk = -1;
        for (int x = cell.left() + 2; x < cell.right() && firstInk < 0; ++x)
            for (int y = cell.top() + 2; y < cell.bottom() - 1; ++y)
                if (QColor(image.pixel(x, y)).red() < 150) {
                    firstInk = x - cell.left();
                    break;
                }
        QVERIFY2(firstInk >= 6 && firstInk <= 8, qPrintable(QString::number(firstInk)));
    }
};

QTEST_MAIN(NeedsTableTest)
#include "NeedsTableTest.moc"

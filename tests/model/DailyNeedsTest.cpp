// Daily needs: the worked examples and edge cases, then every ideal weight up to 1349 kg of either
// sign against exact decimal products rounded with integers.
#include "DailyNeeds.h"
#include "ExactDecimal.h"

#include <QTest>

#include <array>
#include <climits>
#include <cstdint>

namespace {

// "120 276 360 | 36 69 102 | 30 83 156 | 1,8 2,4 3,6" -> the twelve texts in row order.
QStringList Figures(const char* table) {
    QStringList figures = QString::fromUtf8(table).split(u' ', Qt::SkipEmptyParts);
    figures.removeAll(QStringLiteral("|"));
    return figures;
}

QStringList Flatten(const DailyNeeds& needs) {
    QStringList figures;
    for (const auto& row : needs)
        for (const std::string& text : row)
            figures << QString::fromStdString(text);
    return figures;
}

// numerator / denominator (denominator > 0) rounded to the nearest integer, a tie to the even one.
std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) { // make it a floor division
        --quotient;
        remainder += denominator;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

// The twelve figures from exact decimal coefficients: w x 4.6 is w x 46 / 10, and so on.
QStringList ExactFigures(std::int64_t w, bool female) {
    const auto grams = [w](std::int64_t numerator, std::int64_t denominator) {
        return QString::number(RoundHalfEven(w * numerator, denominator));
    };
    const auto litres = [w](std::int64_t hundredths) {
        return QString::fromStdString(ExactText(w * hundredths, 100, 3, ","));
    };
    return {
        QString::number(2 * w),
        grams(46, 10),
        QString::number(6 * w),
        grams(6, 10),
        grams(115, 100),
        grams(17, 10),
        grams(5, 10),
        female ? grams(138, 100) : grams(138 * 85, 10000),
        female ? grams(26, 10) : grams(26 * 85, 1000),
        litres(3),
        litres(4),
        litres(6),
    };
}

} // namespace

class DailyNeedsTest : public QObject {
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
    void separatorComesFromTheCaller();
    void everyWeightUpTo1349MatchesExactProducts_data();
    void everyWeightUpTo1349MatchesExactProducts();
    void extremeWeights_data();
    void extremeWeights();
    void maleFatsFirstPartFromExactAt1350();
};

void DailyNeedsTest::figures_data() {
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("sex");
    QTest::addColumn<QStringList>("expected");

    const auto row = [](const char* name, int weight, int sex, const char* table) {
        QTest::newRow(name) << weight << sex << Figures(table);
    };
    // The worked examples.
    row("60 kg female", 60, 0, "120 276 360 | 36 69 102 | 30 83 156 | 1,8 2,4 3,6");
    row("60 kg male", 60, 1, "120 276 360 | 36 69 102 | 30 70 133 | 1,8 2,4 3,6");
    row("50 kg female: 57.5 goes to 58", 50, 0, "100 230 300 | 30 58 85 | 25 69 130 | 1,5 2 3");
    row("50 kg male: 110.5 goes to 110", 50, 1, "100 230 300 | 30 58 85 | 25 59 110 | 1,5 2 3");
    row("61 kg female: 30.5 goes to 30", 61, 0,
        "122 281 366 | 37 70 104 | 30 84 159 | 1,83 2,44 3,66");
    row("63 kg male: 31.5 goes to 32", 63, 1,
        "126 290 378 | 38 72 107 | 32 74 139 | 1,89 2,52 3,78");
    // Edge cases.
    row("25 kg female: 12.5, 42.5, 34.5 to even", 25, 0,
        "50 115 150 | 15 29 42 | 12 34 65 | 0,75 1 1,5");
    row("25 kg male: 29.325 and 55.25", 25, 1, "50 115 150 | 15 29 42 | 12 29 55 | 0,75 1 1,5");
    row("10 kg: 11.5 goes to 12", 10, 0, "20 46 60 | 6 12 17 | 5 14 26 | 0,3 0,4 0,6");
    row("176 kg: water 10.56 shows 10,6", 176, 0,
        "352 810 1056 | 106 202 299 | 88 243 458 | 5,28 7,04 10,6");
    row("334 kg: water 10,02 and 13,36", 334, 1,
        "668 1536 2004 | 200 384 568 | 167 392 738 | 10 13,4 20");
    row("-10 kg: -11.5 goes to -12", -10, 0,
        "-20 -46 -60 | -6 -12 -17 | -5 -14 -26 | -0,3 -0,4 -0,6");
    row("0 kg", 0, 0, "0 0 0 | 0 0 0 | 0 0 0 | 0 0 0");
    // Only index 0 is female.
    row("sex -1 (none chosen) is male", 60, -1,
        "120 276 360 | 36 69 102 | 30 70 133 | 1,8 2,4 3,6");
    row("sex 2 is male", 60, 2, "120 276 360 | 36 69 102 | 30 70 133 | 1,8 2,4 3,6");
    row("sex INT_MIN is male", 60, INT_MIN, "120 276 360 | 36 69 102 | 30 70 133 | 1,8 2,4 3,6");
}

void DailyNeedsTest::figures() {
    QFETCH(int, weight);
    QFETCH(int, sex);
    QFETCH(QStringList, expected);
    QCOMPARE(Flatten(CalcNeeds(weight, sex, ",")), expected);
}

void DailyNeedsTest::separatorComesFromTheCaller() {
    const DailyNeeds needs = CalcNeeds(61, 0, ".");
    QCOMPARE(QString::fromStdString(needs[3][0]), u"1.83");
    QCOMPARE(QString::fromStdString(needs[3][2]), u"3.66");
}

void DailyNeedsTest::everyWeightUpTo1349MatchesExactProducts_data() {
    QTest::addColumn<int>("sex");
    QTest::newRow("female") << 0;
    QTest::newRow("male") << 1;
}

// Extended precision gives the exact decimal result for every weight up to 1349 kg; doubles
// would already fail at 50 kg (57.49999999999999 g of proteins).
void DailyNeedsTest::everyWeightUpTo1349MatchesExactProducts() {
    QFETCH(int, sex);
    for (int weight = -1349; weight <= 1349; ++weight) {
        const QStringList actual = Flatten(CalcNeeds(weight, sex, ","));
        const QStringList expected = ExactFigures(weight, sex == 0);
        if (actual != expected)
            QFAIL(qPrintable(QStringLiteral("%1 kg: %2, expected %3")
                                 .arg(weight)
                                 .arg(actual.join(u' '), expected.join(u' '))));
    }
}

void DailyNeedsTest::extremeWeights_data() {
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("sex");
    for (const int sex : {0, 1}) {
        const char* name = sex == 0 ? "female" : "male";
        QTest::addRow("INT32_MAX %s", name) << INT32_MAX << sex;
        QTest::addRow("INT32_MIN %s", name) << INT32_MIN << sex;
        QTest::addRow("357913942 (six-fold leaves 32 bits) %s", name) << 357913942 << sex;
        QTest::addRow("-357913942 %s", name) << -357913942 << sex;
    }
}

// Far beyond any real weight the figures are still the exact products (2 w and 6 w in 64 bits).
void DailyNeedsTest::extremeWeights() {
    QFETCH(int, weight);
    QFETCH(int, sex);
    QCOMPARE(Flatten(CalcNeeds(weight, sex, ",")), ExactFigures(weight, sex == 0));
}

void DailyNeedsTest::maleFatsFirstPartFromExactAt1350() {
    // The exact 2983.5 would give 2984; the extended product lies just below the tie.
    QCOMPARE(RoundHalfEven(1350 * 26 * 85, 1000), 2984);
    QCOMPARE(QString::fromStdString(CalcNeeds(1350, 1, ",")[2][2]), u"2983");
}

QTEST_APPLESS_MAIN(DailyNeedsTest)
#include "DailyNeedsTest.moc"

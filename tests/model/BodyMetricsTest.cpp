// Body-mass index, its class and texts, and the Lorentz ideal weight: the worked examples, the
// failures, extreme inputs, and every whole height and weight within the boxes' limits against
// exact integer arithmetic.
#include "BodyMetrics.h"
#include "Errors.h"
#include "ExactDecimal.h"
#include "NumberFormat.h"

#include <QTest>

#include <array>
#include <cmath>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace {

// What IMTValue shows: the index with 3 significant digits, then the class suffix.
QString IndexText(const BmiResult& result) {
    return QString::fromStdString(GeneralFloatFormat(result.index, 3, ",")) +
           QString::fromUtf8(BmiClassTexts(result.bmiClass).suffix);
}

// The class boundaries times ten, for exact comparison with integers.
constexpr std::array<std::int64_t, 7> UpTo25Tenths = {175, 195, 229, 274, 299, 349, 399};
constexpr std::array<std::int64_t, 7> Over25Tenths = {175, 200, 259, 279, 309, 359, 409};

// The class of W * 10000 / H^2 with exact integers: index > b  <=>  W * 100000 > 10b * H^2.
int ExactClass(std::int64_t heightCm, std::int64_t weightKg,
               const std::array<std::int64_t, 7>& tenths) {
    int bmiClass = 1;
    for (const std::int64_t boundary : tenths) {
        if (weightKg * 100000 > boundary * heightCm * heightCm) ++bmiClass;
    }
    return bmiClass;
}

} // namespace

class BodyMetricsTest : public QObject {
    Q_OBJECT

private slots:
    void indexAndClass_data();
    void indexAndClass();
    void classTexts_data();
    void classTexts();
    void idealWeight_data();
    void idealWeight();
    void zeroHeightFails_data();
    void zeroHeightFails();
    void extremeInputs_data();
    void extremeInputs();
    void everyHeightAndWeightMatchesExactClass_data();
    void everyHeightAndWeightMatchesExactClass();
    void everyHeightAndWeightShowsExactDigits();
};

void BodyMetricsTest::indexAndClass_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("age");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("bmiClass");

    const auto row = [](const char* name, int height, int weight, int age, const char* shown,
                        int bmiClass) {
        QTest::newRow(name) << height << weight << age << QString::fromUtf8(shown) << bmiClass;
    };
    // The worked examples.
    row("170/80 over 25", 170, 80, 33, "27,7 - Избыток", 4);
    row("170/80 up to 25", 170, 80, 25, "27,7 - Ожирение 1 ст.", 5);
    row("200/78 = 19.5 up to 25", 200, 78, 20, "19,5 - Дефицит", 2);
    row("200/78 = 19.5 over 25", 200, 78, 30, "19,5 - Дефицит", 2);
    row("160/50 = 19.53125 up to 25", 160, 50, 20, "19,5 - Норма", 3);
    row("200/80 = 20 up to 25", 200, 80, 20, "20 - Норма", 3);
    row("200/80 = 20 over 25", 200, 80, 30, "20 - Дефицит", 2);
    row("200/70 = 17.5 over 25", 200, 70, 40, "17,5 - Анорексия", 1);
    row("170/70 age 25", 170, 70, 25, "24,2 - Избыток", 4);
    row("170/70 age 26", 170, 70, 26, "24,2 - Норма", 3);
    row("170/110", 170, 110, 40, "38,1 - Ожирение 3 ст.", 7);
    row("100/30 (the boxes' minimums)", 100, 30, 18, "30 - Ожирение 2 ст.", 6);
    row("250/300", 250, 300, 110, "48 - Ожирение 4 ст.", 8);
    row("250/30", 250, 30, 18, "4,8 - Анорексия", 1);
    // The other exact boundaries within the boxes' limits.
    row("150/45 = 20 up to 25", 150, 45, 25, "20 - Норма", 3);
    row("150/45 = 20 over 25", 150, 45, 26, "20 - Дефицит", 2);
    row("250/125 = 20 over 25", 250, 125, 26, "20 - Дефицит", 2);
    row("200/70 = 17.5 up to 25", 200, 70, 20, "17,5 - Анорексия", 1);
    // At 1000 cm a typed weight lands exactly on each inexact boundary, which stays in the lower
    // class.
    row("1000/2290 = 22.9 up to 25", 1000, 2290, 20, "22,9 - Норма", 3);
    row("1000/2740 = 27.4 up to 25", 1000, 2740, 20, "27,4 - Избыток", 4);
    row("1000/2990 = 29.9 up to 25", 1000, 2990, 20, "29,9 - Ожирение 1 ст.", 5);
    row("1000/3490 = 34.9 up to 25", 1000, 3490, 20, "34,9 - Ожирение 2 ст.", 6);
    row("1000/3990 = 39.9 up to 25", 1000, 3990, 20, "39,9 - Ожирение 3 ст.", 7);
    row("1000/2590 = 25.9 over 25", 1000, 2590, 30, "25,9 - Норма", 3);
    row("1000/2790 = 27.9 over 25", 1000, 2790, 30, "27,9 - Избыток", 4);
    row("1000/3090 = 30.9 over 25", 1000, 3090, 30, "30,9 - Ожирение 1 ст.", 5);
    row("1000/3590 = 35.9 over 25", 1000, 3590, 30, "35,9 - Ожирение 2 ст.", 6);
    row("1000/4090 = 40.9 over 25", 1000, 4090, 30, "40,9 - Ожирение 3 ст.", 7);
    row("1000/4091 over 25", 1000, 4091, 30, "40,9 - Ожирение 4 ст.", 8);
    // Typed values outside the limits.
    row("1701 cm", 1701, 80, 33, "0,276 - Анорексия", 1);
    row("5 cm gives 32000", 5, 80, 33, "3,2E4 - Ожирение 4 ст.", 8);
    row("-80 kg", 170, -80, 33, "-27,7 - Анорексия", 1);
    row("emptied weight reads 30 kg", 170, 30, 33, "10,4 - Анорексия", 1);
    row("weight 0", 170, 0, 33, "0 - Анорексия", 1);
    row("negative height squares away", -170, 80, 33, "27,7 - Избыток", 4);
    // 160 cm: h = 1.6 is inexact in doubles; the exact ties must round up in the display.
    row("160/48 = 18.75 up to 25", 160, 48, 20, "18,8 - Дефицит", 2);
    row("160/48 = 18.75 over 25", 160, 48, 60, "18,8 - Дефицит", 2);
    row("160/80 = 31.25", 160, 80, 20, "31,3 - Ожирение 2 ст.", 6);
    row("160/112 = 43.75", 160, 112, 20, "43,8 - Ожирение 4 ст.", 8);
    row("160/144 = 56.25", 160, 144, 20, "56,3 - Ожирение 4 ст.", 8);
    row("160/176 = 68.75", 160, 176, 20, "68,8 - Ожирение 4 ст.", 8);
    row("160/208 = 81.25", 160, 208, 20, "81,3 - Ожирение 4 ст.", 8);
    row("160/240 = 93.75", 160, 240, 20, "93,8 - Ожирение 4 ст.", 8);
    row("160/288 = 112.5", 160, 288, 20, "113 - Ожирение 4 ст.", 8);
}

void BodyMetricsTest::indexAndClass() {
    QFETCH(int, height);
    QFETCH(int, weight);
    QFETCH(int, age);
    QFETCH(QString, shown);
    QFETCH(int, bmiClass);
    const BmiResult result = CalcBmi(height, weight, age);
    QCOMPARE(result.bmiClass, bmiClass);
    QCOMPARE(IndexText(result), shown);
}

void BodyMetricsTest::classTexts_data() {
    QTest::addColumn<int>("bmiClass");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("risk");
    QTest::addColumn<QString>("advice");

    const auto row = [](int bmiClass, const char* suffix, const char* risk, const char* advice) {
        QTest::addRow("class %d", bmiClass) << bmiClass << QString::fromUtf8(suffix)
                                            << QString::fromUtf8(risk) << QString::fromUtf8(advice);
    };
    row(1, " - Анорексия", "Риск для здоровья очень высокий",
        "Рекомендуется обращение к психотерапевту и повышение массы тела");
    row(2, " - Дефицит", "Риск для здоровья невысокий",
        "Рекомендуется небольшое повышение массы тела");
    row(3, " - Норма", "Риск для здоровья отсутствует",
        "Необходимость в корректировке массы тела отсутствует");
    row(4, " - Избыток", "Риск для здоровья средний", "Необходимо снижение массы тела");
    row(5, " - Ожирение 1 ст.", "Риск для здоровья средний", "Необходимо снижение массы тела");
    row(6, " - Ожирение 2 ст.", "Риск для здоровья высокий", "Необходимо снижение массы тела");
    row(7, " - Ожирение 3 ст.", "Риск для здоровья очень высокий",
        "Крайне необходимо снижение массы тела");
    row(8, " - Ожирение 4 ст.", "Риск для здоровья смертельный",
        "Рекомендуется обращение к диетологу и снижение массы тела");
}

void BodyMetricsTest::classTexts() {
    QFETCH(int, bmiClass);
    QFETCH(QString, suffix);
    QFETCH(QString, risk);
    QFETCH(QString, advice);
    const BmiClassText& texts = BmiClassTexts(bmiClass);
    const auto text = [](std::string_view view) {
        return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
    };
    QCOMPARE(text(texts.suffix), suffix);
    QCOMPARE(text(texts.risk), risk);
    QCOMPARE(text(texts.advice), advice);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, BmiClassTexts(bmiClass == 1 ? 0 : 9));
}

void BodyMetricsTest::idealWeight_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("ideal");

    const std::array<std::array<int, 2>, 10> table = {{{100, 25},
                                                       {150, 50},
                                                       {160, 55},
                                                       {170, 60},
                                                       {171, 60},
                                                       {173, 62},
                                                       {180, 65},
                                                       {190, 70},
                                                       {200, 75},
                                                       {250, 100}}};
    for (const auto& [height, ideal] : table)
        QTest::addRow("%d cm", height) << height << ideal;
    // Odd heights end in .5 and go to the even neighbour.
    QTest::newRow("175 cm: 62.5 to 62") << 175 << 62;
    QTest::newRow("177 cm: 63.5 to 64") << 177 << 64;
    QTest::newRow("1701 cm: 825.5 to 826") << 1701 << 826;
    QTest::newRow("1 cm: -24.5 to -24") << 1 << -24;
    QTest::newRow("0 cm") << 0 << -25;
    QTest::newRow("-1 cm: -25.5 to -26") << -1 << -26;
    // Differences that leave 32 bits still give the exact H/2 - 25, ties to even.
    QTest::newRow("INT32_MAX: 1073741798.5 to even") << INT32_MAX << 1073741798;
    QTest::newRow("INT32_MAX - 1") << INT32_MAX - 1 << 1073741798;
    QTest::newRow("INT32_MIN") << INT32_MIN << -1073741849;
    QTest::newRow("INT32_MIN + 1: -1073741848.5 to even") << INT32_MIN + 1 << -1073741848;
    QTest::newRow("INT32_MIN + 3: -1073741847.5 to even") << INT32_MIN + 3 << -1073741848;
}

void BodyMetricsTest::idealWeight() {
    QFETCH(int, height);
    QFETCH(int, ideal);
    QCOMPARE(CalcIdealWeight(height), ideal);
}

void BodyMetricsTest::zeroHeightFails_data() {
    QTest::addColumn<int>("weight");
    QTest::addColumn<QString>("message");
    QTest::newRow("80 kg: division by zero")
        << 80 << QStringLiteral("Floating point division by zero");
    QTest::newRow("-80 kg: division by zero")
        << -80 << QStringLiteral("Floating point division by zero");
    QTest::newRow("INT32_MIN kg: division by zero")
        << INT32_MIN << QStringLiteral("Floating point division by zero");
    QTest::newRow("0 kg: 0/0 is invalid")
        << 0 << QStringLiteral("Invalid floating point operation");
}

void BodyMetricsTest::zeroHeightFails() {
    QFETCH(int, weight);
    QFETCH(QString, message);
    try {
        CalcBmi(0, weight, 30);
        QFAIL("no FloatError");
    } catch (const FloatError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
}

void BodyMetricsTest::extremeInputs_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("weight");
    QTest::addColumn<QString>("shown");

    QTest::newRow("INT32_MIN cm, INT32_MAX kg")
        << INT32_MIN << INT32_MAX << u"4,66E-6 - Анорексия"_s;
    QTest::newRow("INT32_MAX cm, INT32_MIN kg")
        << INT32_MAX << INT32_MIN << u"-4,66E-6 - Анорексия"_s;
    QTest::newRow("INT32_MAX cm, INT32_MAX kg")
        << INT32_MAX << INT32_MAX << u"4,66E-6 - Анорексия"_s;
    QTest::newRow("1 cm, INT32_MAX kg") << 1 << INT32_MAX << u"2,15E13 - Ожирение 4 ст."_s;
    QTest::newRow("-1 cm, INT32_MIN kg") << -1 << INT32_MIN << u"-2,15E13 - Анорексия"_s;
    QTest::newRow("INT32_MAX cm, 1 kg") << INT32_MAX << 1 << u"2,17E-15 - Анорексия"_s;
}

// Far outside the boxes' limits the rules still apply, in both bands and for any age.
void BodyMetricsTest::extremeInputs() {
    QFETCH(int, height);
    QFETCH(int, weight);
    QFETCH(QString, shown);
    for (const int age : {INT32_MIN, -1, 25, 26, INT32_MAX}) {
        const BmiResult result = CalcBmi(height, weight, age);
        QVERIFY(std::isfinite(result.index));
        QCOMPARE(IndexText(result), shown);
    }
}

void BodyMetricsTest::everyHeightAndWeightMatchesExactClass_data() {
    QTest::addColumn<int>("age");
    QTest::addColumn<bool>("over25");
    QTest::newRow("age 25: band up to 25") << 25 << false;
    QTest::newRow("age INT32_MIN: band up to 25") << INT32_MIN << false;
    QTest::newRow("age 26: band over 25") << 26 << true;
    QTest::newRow("age INT32_MAX: band over 25") << INT32_MAX << true;
}

// Within the boxes' limits the class is the one the decimal boundaries give exactly, including the
// indexes that fall exactly on a boundary.
void BodyMetricsTest::everyHeightAndWeightMatchesExactClass() {
    QFETCH(int, age);
    QFETCH(bool, over25);
    const auto& tenths = over25 ? Over25Tenths : UpTo25Tenths;
    int mismatches = 0;
    QString first;
    for (int height = 1; height <= 1000; ++height) {
        for (int weight = 0; weight <= 1000; ++weight) {
            const int actual = CalcBmi(height, weight, age).bmiClass;
            const int expected = ExactClass(height, weight, tenths);
            if (actual != expected && mismatches++ == 0)
                first = QStringLiteral("%1 cm, %2 kg: class %3, expected %4")
                            .arg(height)
                            .arg(weight)
                            .arg(actual)
                            .arg(expected);
        }
    }
    QVERIFY2(mismatches == 0,
             qPrintable(QStringLiteral("%1 mismatches, first ").arg(mismatches) + first));
}

// The digits shown are those of the exact W * 10000 / H^2 rounded half away from zero; a double
// computation would show 18,7 for 160 cm and 48 kg.
void BodyMetricsTest::everyHeightAndWeightShowsExactDigits() {
    int mismatches = 0;
    QString first;
    for (std::int64_t height = 1; height <= 1000; ++height) {
        for (std::int64_t weight = 0; weight <= 1000; ++weight) {
            const BmiResult result =
                CalcBmi(static_cast<std::int32_t>(height), static_cast<std::int32_t>(weight), 30);
            const std::string actual = GeneralFloatFormat(result.index, 3, ",");
            const std::string expected = ExactText(weight * 10000, height * height, 3, ",");
            if (actual != expected && mismatches++ == 0)
                first = QStringLiteral("%1 cm, %2 kg: %3, expected %4")
                            .arg(height)
                            .arg(weight)
                            .arg(QString::fromStdString(actual), QString::fromStdString(expected));
        }
    }
    QVERIFY2(mismatches == 0,
             qPrintable(QStringLiteral("%1 mismatches, first ").arg(mismatches) + first));
}

QTEST_APPLESS_MAIN(BodyMetricsTest)
#include "BodyMetricsTest.moc"

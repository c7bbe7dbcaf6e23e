// The food-combining verdicts: the asymmetries, the diagonal, the rows and categories that are
// fixed by rule, the categories outside the table, and the verdict counts of the whole table.
#include "Product.h"
#include "Products.h"

#include <QtTest>

#include <cstdint>
#include <limits>
#include <set>
#include <utility>
#include <vector>

Q_DECLARE_METATYPE(CompatibilityVerdict)

namespace {
constexpr std::int32_t LastRuledCategory = 18;
constexpr std::int32_t MelonCategory = 19;

using Verdict = CompatibilityVerdict;
} // namespace

class CompatibilityTest : public QObject {
    Q_OBJECT

private slots:
    void asymmetricPair_data();
    void asymmetricPair();
    void noOtherPairDependsOnOrder();
    void sameCategory_data();
    void sameCategory();
    void nonStarchyVegetablesGoWithAllButMilk();
    void outsideTheTable_data();
    void outsideTheTable();
    void melonsGoWithNoCatalogueFood();
    void verdictCounts();
};

void CompatibilityTest::asymmetricPair_data() {
    QTest::addColumn<std::int32_t>("reference");
    QTest::addColumn<std::int32_t>("other");
    QTest::addColumn<Verdict>("verdict");
    QTest::addColumn<Verdict>("reverseVerdict");

    QTest::newRow("meat before mushrooms") << 1 << 18 << Verdict::Good << Verdict::NotAllowed;
    QTest::newRow("sweets before bread") << 6 << 7 << Verdict::NotAllowed << Verdict::Acceptable;
    QTest::newRow("eggs before nuts") << 16 << 17 << Verdict::Acceptable << Verdict::NotAllowed;
}

void CompatibilityTest::asymmetricPair() {
    QFETCH(std::int32_t, reference);
    QFETCH(std::int32_t, other);
    QFETCH(Verdict, verdict);
    QFETCH(Verdict, reverseVerdict);

    QCOMPARE(CalcCompatibility(reference, other), verdict);
    QCOMPARE(CalcCompatibility(other, reference), reverseVerdict);
}

void CompatibilityTest::noOtherPairDependsOnOrder() {
    std::set<std::pair<std::int32_t, std::int32_t>> asymmetric;
    for (std::int32_t first = 1; first <= LastRuledCategory; ++first)
        for (std::int32_t second = first + 1; second <= LastRuledCategory; ++second)
            if (CalcCompatibility(first, second) != CalcCompatibility(second, first))
                asymmetric.insert({first, second});

    const std::set<std::pair<std::int32_t, std::int32_t>> expected = {{1, 18}, {6, 7}, {16, 17}};
    QCOMPARE(asymmetric, expected);
}

void CompatibilityTest::sameCategory_data() {
    QTest::addColumn<std::int32_t>("category");
    QTest::addColumn<Verdict>("verdict");

    // Two kinds of meat, or two kinds of mushroom, are too much for one meal.
    for (std::int32_t category = 1; category <= LastRuledCategory; ++category) {
        const bool heavy = category == 1 || category == 18;
        QTest::addRow("category %d with itself", category)
            << category << (heavy ? Verdict::NotAllowed : Verdict::Good);
    }
}

void CompatibilityTest::sameCategory() {
    QFETCH(std::int32_t, category);
    QFETCH(Verdict, verdict);

    QCOMPARE(CalcCompatibility(category, category), verdict);
}

void CompatibilityTest::nonStarchyVegetablesGoWithAllButMilk() {
    constexpr std::int32_t NonStarchyVegetables = 11;
    constexpr std::int32_t Milk = 13;
    for (std::int32_t other = 1; other <= LastRuledCategory; ++other)
        QCOMPARE(CalcCompatibility(NonStarchyVegetables, other),
                 other == Milk ? Verdict::NotAllowed : Verdict::Good);
}

void CompatibilityTest::outsideTheTable_data() {
    QTest::addColumn<std::int32_t>("category");

    QTest::newRow("no category (0)") << 0;
    QTest::newRow("melons (19)") << MelonCategory;
    QTest::newRow("first past the names (20)") << 20;
    QTest::newRow("minus one") << -1;
    QTest::newRow("INT32_MIN") << std::numeric_limits<std::int32_t>::min();
    QTest::newRow("INT32_MAX") << std::numeric_limits<std::int32_t>::max();
}

void CompatibilityTest::outsideTheTable() {
    QFETCH(std::int32_t, category);

    // Against every category of the table, against the melons, and against the extremes,
    // on either side.
    std::vector<std::int32_t> partners = {0, MelonCategory, -1,
                                          std::numeric_limits<std::int32_t>::min(),
                                          std::numeric_limits<std::int32_t>::max()};
    for (std::int32_t ruled = 1; ruled <= LastRuledCategory; ++ruled)
        partners.push_back(ruled);

    for (const std::int32_t partner : partners) {
        QCOMPARE(CalcCompatibility(category, partner), Verdict::NotAllowed);
        QCOMPARE(CalcCompatibility(partner, category), Verdict::NotAllowed);
    }
}

void CompatibilityTest::melonsGoWithNoCatalogueFood() {
    const auto catalogue = Catalogue();
    for (const TProduct& melon : catalogue) {
        if (melon.Category != MelonCategory) continue;
        for (const TProduct& food : catalogue) {
            QCOMPARE(CalcCompatibility(melon.Category, food.Category), Verdict::NotAllowed);
            QCOMPARE(CalcCompatibility(food.Category, melon.Category), Verdict::NotAllowed);
        }
    }
}

void CompatibilityTest::verdictCounts() {
    int counts[3] = {};
    for (std::int32_t reference = 1; reference <= LastRuledCategory; ++reference)
        for (std::int32_t other = 1; other <= LastRuledCategory; ++other) {
            const int verdict = static_cast<int>(CalcCompatibility(reference, other));
            QVERIFY(verdict >= 0 && verdict <= 2);
            ++counts[verdict];
        }

    QCOMPARE(counts[static_cast<int>(Verdict::Good)], 105);
    QCOMPARE(counts[static_cast<int>(Verdict::Acceptable)], 60);
    QCOMPARE(counts[static_cast<int>(Verdict::NotAllowed)], 159);
}

QTEST_APPLESS_MAIN(CompatibilityTest)
#include "CompatibilityTest.moc"

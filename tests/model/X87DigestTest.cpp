// The model's results over whole input ranges, bit for bit, against the x87: every result goes into
// a digest, and the digests below were taken from the model computing on the x87. Built on
// SoftExtended (on x86 as model-soft, and on every other processor) the test shows that the
// software path gives the very same bits, and so the very same texts.
#include "BodyMetrics.h"
#include "DailyNeeds.h"
#include "Digest.h"
#include "NumberFormat.h"
#include "Products.h"
#include "Ration.h"

#include <QTest>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace {

enum class Range {
    CatalogueTexts,
    IndexUpTo25,
    IndexOver25,
    IndexTexts,
    IdealWeight,
    NeedsFemale,
    NeedsMale,
    RationTerms,
    RationSums
};

std::uint64_t DigestOf(Range range) {
    Digest digest;
    switch (range) {
    case Range::CatalogueTexts: // as the ration table shows each food
        for (const TProduct& food : Catalogue())
            for (const double value : {food.Ugl, food.Bel, food.Zir})
                digest.Add(GeneralFloatFormat(value, 5, ","));
        break;
    case Range::IndexUpTo25:
    case Range::IndexOver25:
        for (std::int32_t height = 1; height <= 1000; ++height)
            for (std::int32_t weight = 0; weight <= 1000; ++weight) {
                const BmiResult result =
                    CalcBmi(height, weight, range == Range::IndexUpTo25 ? 25 : 26);
                digest.Add(result.index);
                digest.Add(std::uint64_t(result.bmiClass));
            }
        break;
    case Range::IndexTexts:
        for (std::int32_t height = 1; height <= 1000; ++height)
            for (std::int32_t weight = 0; weight <= 1000; ++weight)
                digest.Add(GeneralFloatFormat(CalcBmi(height, weight, 30).index, 3, ","));
        break;
    case Range::IdealWeight:
        for (std::int32_t height = -100000; height <= 100000; ++height)
            digest.Add(std::uint64_t(CalcIdealWeight(height)));
        for (const std::int32_t height : {INT32_MIN, INT32_MIN + 1, INT32_MAX - 1, INT32_MAX})
            digest.Add(std::uint64_t(CalcIdealWeight(height)));
        break;
    case Range::NeedsFemale:
    case Range::NeedsMale:
        for (std::int32_t weight = -1349; weight <= 1349; ++weight)
            for (const auto& row : CalcNeeds(weight, range == Range::NeedsFemale ? 0 : 1, ","))
                for (const std::string& text : row)
                    digest.Add(text);
        break;
    case Range::RationTerms: // every food alone, 0..1000 g: one term each
        for (std::int32_t food = 0; food < static_cast<std::int32_t>(Catalogue().size()); ++food)
            for (int grams = 0; grams <= 1000; ++grams) {
                const RationRow row{food, std::to_string(grams)};
                const RationTotals totals = CalcRationTotals({&row, 1});
                digest.Add(totals.ugl);
                digest.Add(totals.bel);
                digest.Add(totals.zir);
            }
        break;
    case Range::RationSums: { // the whole catalogue, its quantities changing one by one
        std::vector<RationRow> rows;
        for (std::int32_t food = 0; food < static_cast<std::int32_t>(Catalogue().size()); ++food)
            rows.push_back({food, "0"});
        for (int step = 0; step < 5000; ++step) {
            rows[static_cast<std::size_t>(step) % rows.size()].quantityText =
                std::to_string((step * 7919) % 2000);
            const RationTotals totals = CalcRationTotals(rows);
            for (const double total : {totals.ugl, totals.bel, totals.zir}) {
                digest.Add(total);
                digest.Add(GeneralFloatFormat(total, 4, ","));
            }
        }
        break;
    }
    }
    return digest.Value();
}

} // namespace

Q_DECLARE_METATYPE(Range)

class X87DigestTest : public QObject {
    Q_OBJECT

private slots:
    void sameResultsAsOnTheX87_data();
    void sameResultsAsOnTheX87();
};

void X87DigestTest::sameResultsAsOnTheX87_data() {
    QTest::addColumn<Range>("range");
    QTest::addColumn<quint64>("x87Digest");
    QTest::newRow("the catalogue's values at 5 digits")
        << Range::CatalogueTexts << quint64{0x3414680af2d4c09f};
    QTest::newRow("index bits and class, 1..1000 cm x 0..1000 kg, up to 25")
        << Range::IndexUpTo25 << quint64{0x8f252e39c89c2e1f};
    QTest::newRow("index bits and class, 1..1000 cm x 0..1000 kg, over 25")
        << Range::IndexOver25 << quint64{0x33d830964219e558};
    QTest::newRow("index texts, 1..1000 cm x 0..1000 kg")
        << Range::IndexTexts << quint64{0x5ed7c9a67e168464};
    QTest::newRow("ideal weight, -100000..100000 cm and the 32-bit ends")
        << Range::IdealWeight << quint64{0x63cb86d4d03e0207};
    QTest::newRow("needs texts, -1349..1349 kg, female")
        << Range::NeedsFemale << quint64{0xda1320bcb5a4e417};
    QTest::newRow("needs texts, -1349..1349 kg, male")
        << Range::NeedsMale << quint64{0xd87d164e786dc409};
    QTest::newRow("ration totals bits, each food 0..1000 g")
        << Range::RationTerms << quint64{0x1b20aa11d9f62500};
    QTest::newRow("ration totals bits and texts, the whole catalogue")
        << Range::RationSums << quint64{0x872012a7f025ef2d};
}

void X87DigestTest::sameResultsAsOnTheX87() {
    QFETCH(Range, range);
    QFETCH(quint64, x87Digest);
    const std::uint64_t digest = DigestOf(range);
    QVERIFY2(digest == x87Digest, qPrintable(QStringLiteral("digest 0x%1, the x87's 0x%2")
                                                 .arg(digest, 16, 16, QChar(u'0'))
                                                 .arg(x87Digest, 16, 16, QChar(u'0'))));
}

QTEST_APPLESS_MAIN(X87DigestTest)
#include "X87DigestTest.moc"

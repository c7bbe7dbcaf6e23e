// The ration totals as the needs table shows them (4 significant digits), the quantity texts that
// count as 0 or fail, and the order of the rows.
#include "Ration.h"
#include "Errors.h"
#include "NumberFormat.h"
#include "Products.h"

#include <QTest>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

// Catalogue indexes of the foods used here.
constexpr int Beef = 0;    // 0 / 18 / 16 g per 100 g
constexpr int Mutton = 1;  // 0 / 15.6 / 16.3
constexpr int Rice = 22;   // 63.1 / 7.5 / 2.6
constexpr int Potato = 46; // 18.1 / 2 / 0.4

using Rows = std::vector<RationRow>;

QStringList ShownTotals(const RationTotals& totals) {
    QStringList shown;
    for (const double total : {totals.ugl, totals.bel, totals.zir})
        shown << QString::fromStdString(GeneralFloatFormat(total, 4, ","));
    return shown;
}

QString Exactly(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return QString::fromLatin1(text);
}

} // namespace

Q_DECLARE_METATYPE(Rows)

class RationTest : public QObject {
    Q_OBJECT

private slots:
    void foodsUsedHere();
    void totals_data();
    void totals();
    void failingQuantity_data();
    void failingQuantity();
    void indexOutsideTheCatalogue_data();
    void indexOutsideTheCatalogue();
    void rowOrderMatters();
};

void RationTest::foodsUsedHere() {
    const auto catalogue = Catalogue();
    QCOMPARE(QString::fromStdString(catalogue[Beef].Name), u"Говядина");
    QCOMPARE(QString::fromStdString(catalogue[Mutton].Name), u"Баранина");
    QCOMPARE(QString::fromStdString(catalogue[Rice].Name), u"Рис");
    QCOMPARE(QString::fromStdString(catalogue[Potato].Name), u"Картофель");
}

void RationTest::totals_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QStringList>("shown");

    const auto shown = [](const char* ugl, const char* bel, const char* zir) {
        return QStringList{QString::fromUtf8(ugl), QString::fromUtf8(bel), QString::fromUtf8(zir)};
    };
    QTest::newRow("empty ration") << Rows{} << shown("0", "0", "0");
    QTest::newRow("150 g beef and 200 g potatoes")
        << Rows{{Beef, "150"}, {Potato, "200"}} << shown("36,2", "31", "24,8");
    // 210.123 g shows with 4 digits; the proteins 24.975 are a tie at the 4th digit and go up.
    QTest::newRow("333 g rice") << Rows{{Rice, "333"}} << shown("210,1", "24,98", "8,658");
    QTest::newRow("new row quantity 0")
        << Rows{{Beef, "150"}, {Rice, "0"}} << shown("0", "27", "24");
    QTest::newRow("empty text counts as 0")
        << Rows{{Beef, ""}, {Potato, "200"}} << shown("36,2", "4", "0,8");
    QTest::newRow("blanks only count as 0") << Rows{{Beef, "   "}} << shown("0", "0", "0");
    QTest::newRow("a tab counts as 0") << Rows{{Beef, "\t"}} << shown("0", "0", "0");
    QTest::newRow("control characters count as 0")
        << Rows{{Beef, " \t\r\n\x01"}} << shown("0", "0", "0");
    QTest::newRow("007 is 7") << Rows{{Beef, "007"}} << shown("0", "1,26", "1,12");
    QTest::newRow("leading blanks") << Rows{{Beef, "  150"}} << shown("0", "27", "24");
    QTest::newRow("plus sign") << Rows{{Beef, "+150"}} << shown("0", "27", "24");
    QTest::newRow("pasted hexadecimal $96 is 150") << Rows{{Beef, "$96"}} << shown("0", "27", "24");
    QTest::newRow("negative quantity")
        << Rows{{Beef, "-150"}, {Potato, "200"}} << shown("36,2", "-23", "-23,2");
    QTest::newRow("2147483647 accepted")
        << Rows{{Beef, "2147483647"}} << shown("0", "3,865E8", "3,436E8");
    QTest::newRow("-2147483648 accepted")
        << Rows{{Potato, "-2147483648"}} << shown("-3,887E8", "-4,295E7", "-8,59E6");
}

void RationTest::totals() {
    QFETCH(Rows, rows);
    QFETCH(QStringList, shown);
    QCOMPARE(ShownTotals(CalcRationTotals(rows)), shown);
}

void RationTest::failingQuantity_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("message");

    QTest::newRow("2147483648") << Rows{{Beef, "2147483648"}}
                                << QStringLiteral("''2147483648'' is not a valid integer value");
    QTest::newRow("trailing blank is kept in the message")
        << Rows{{Beef, "150 "}} << QStringLiteral("''150 '' is not a valid integer value");
    QTest::newRow("tab before digits")
        << Rows{{Beef, "\t5"}} << QStringLiteral("''\t5'' is not a valid integer value");
    QTest::newRow("decimal comma")
        << Rows{{Beef, "1,5"}} << QStringLiteral("''1,5'' is not a valid integer value");
    QTest::newRow("non-breaking space is not blank")
        << Rows{{Beef, "\xc2\xa0"}} << QStringLiteral("''\u00a0'' is not a valid integer value");
    QTest::newRow("first failing row wins")
        << Rows{{Potato, "200"}, {Beef, "12x"}, {Rice, "abc"}}
        << QStringLiteral("''12x'' is not a valid integer value");
    QTest::newRow("earlier row named when a later one is edited")
        << Rows{{Beef, "99999999999"}, {Potato, "2147483648"}}
        << QStringLiteral("''99999999999'' is not a valid integer value");
    // Found by fuzzing: the message stopped at the first NUL, naming "''21" and no more.
    QTest::newRow("pasted NULs shown, the whole message kept")
        << Rows{{Beef, std::string("21\0\0\0\0\0"
                                   "474",
                                   10)},
                {Potato, "648"}}
        << QStringLiteral("''21\u2400\u2400\u2400\u2400\u2400474'' is not a valid integer value");
}

void RationTest::failingQuantity() {
    QFETCH(Rows, rows);
    QFETCH(QString, message);
    try {
        CalcRationTotals(rows);
        QFAIL("no ConvertError");
    } catch (const ConvertError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
}

void RationTest::indexOutsideTheCatalogue_data() {
    QTest::addColumn<int>("index");
    QTest::newRow("-1 (nothing chosen)") << -1;
    QTest::newRow("93, one past the end") << 93;
    QTest::newRow("INT32_MIN") << INT32_MIN;
    QTest::newRow("INT32_MAX") << INT32_MAX;
}

// A caller bug, reported clearly instead of reading outside the catalogue; a blank quantity does
// not hide it.
void RationTest::indexOutsideTheCatalogue() {
    QFETCH(int, index);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, CalcRationTotals(Rows{{Beef, "150"}, {index, ""}}));
}

// Each term is exact to 64 bits but the sum goes back to a double after every row, so the first
// row's rounding shows in the total.
void RationTest::rowOrderMatters() {
    const RationTotals beefFirst = CalcRationTotals(Rows{{Beef, "1"}, {Mutton, "1"}});
    const RationTotals muttonFirst = CalcRationTotals(Rows{{Mutton, "1"}, {Beef, "1"}});
    QCOMPARE(Exactly(beefFirst.bel), u"0.33599999999999997");
    QCOMPARE(Exactly(muttonFirst.bel), u"0.33600000000000002");
    QCOMPARE(ShownTotals(beefFirst), ShownTotals(muttonFirst));
}

QTEST_APPLESS_MAIN(RationTest)
#include "RationTest.moc"

// The display format of reals and whole numbers: the table of worked examples, then the cases at
// the edges of rounding, layout, precision and the special values.
#include "NumberFormat.h"

#include <QTest>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Extended)

namespace {

QString Shown(Extended value, int digits, std::string_view separator = ",") {
    return QString::fromStdString(GeneralFloatFormat(value, digits, separator));
}

// Values given by their 80 bits: sign and exponent field, then the significand whose top bit is
// the explicit integer bit.
const Extended SmallestNormal = ExtendedFromBits({0x0001, 0x8000000000000000});
const Extended Largest = ExtendedFromBits({0x7FFE, 0xFFFFFFFFFFFFFFFF});
const Extended QuietNaN = ExtendedFromBits({0x7FFF, 0xC000000000000000});

} // namespace

class NumberFormatTest : public QObject {
    Q_OBJECT

private slots:
    void examples_data();
    void examples();
    void edgeCases_data();
    void edgeCases();
    void x87Encodings_data();
    void x87Encodings();
    void integerText_data();
    void integerText();
};

void NumberFormatTest::examples_data() {
    QTest::addColumn<Extended>("value");
    QTest::addColumn<QString>("n3");
    QTest::addColumn<QString>("n4");
    QTest::addColumn<QString>("n5");

    const auto row = [](const char* name, Extended value, const char* n3, const char* n4,
                        const char* n5) {
        QTest::newRow(name) << value << QString::fromUtf8(n3) << QString::fromUtf8(n4)
                            << QString::fromUtf8(n5);
    };
    row("27.68166 (80 kg at 170 cm)", Extended(80) / (Ratio(17, 10) * Ratio(17, 10)), "27,7",
        "27,68", "27,682");
    row("18.75", Extended(18.75), "18,8", "18,75", "18,75");
    row("20", Extended(20.0), "20", "20", "20");
    row("59.9999", Ratio(599999, 10000), "60", "60", "60");
    row("10.56", Ratio(1056, 100), "10,6", "10,56", "10,56");
    row("0.2764913", Ratio(2764913, 10000000), "0,276", "0,2765", "0,27649");
    row("0.05", Ratio(5, 100), "0,05", "0,05", "0,05");
    row("0.0001", Ratio(1, 10000), "0,0001", "0,0001", "0,0001");
    row("0.00009996", Ratio(9996, 100000000), "0,0001", "9,996E-5", "9,996E-5");
    row("0.00001234", Ratio(1234, 100000000), "1,23E-5", "1,234E-5", "1,234E-5");
    row("100", Extended(100.0), "100", "100", "100");
    row("999.5", Extended(999.5), "1E3", "999,5", "999,5");
    row("1234.5", Extended(1234.5), "1,23E3", "1235", "1234,5");
    row("32000", Extended(32000.0), "3,2E4", "3,2E4", "32000");
    row("123456", Extended(123456.0), "1,23E5", "1,235E5", "1,2346E5");
    row("99999.5", Extended(99999.5), "1E5", "1E5", "1E5");
    row("-3.5", Extended(-3.5), "-3,5", "-3,5", "-3,5");
    row("0", Extended(0.0), "0", "0", "0");
}

void NumberFormatTest::examples() {
    QFETCH(Extended, value);
    QFETCH(QString, n3);
    QFETCH(QString, n4);
    QFETCH(QString, n5);
    QCOMPARE(Shown(value, 3), n3);
    QCOMPARE(Shown(value, 4), n4);
    QCOMPARE(Shown(value, 5), n5);
}

void NumberFormatTest::edgeCases_data() {
    QTest::addColumn<Extended>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");

    const Extended inf = ExtendedFromBits({0x7FFF, 0x8000000000000000});
    const auto row = [](const char* name, Extended value, int digits, const char* separator,
                        const char* expected) {
        QTest::newRow(name) << value << digits << QString::fromUtf8(separator)
                            << QString::fromUtf8(expected);
    };

    // Whole results lose the separator; the switch to scientific form depends on N.
    row("2.0 drops the separator", Extended(2.0), 3, ",", "2");
    row("60.0 drops the separator", Extended(60.0), 3, ",", "60");
    row("1000 with N 3 is scientific", Extended(1000.0), 3, ",", "1E3");
    row("1000 with N 4 is positional", Extended(1000.0), 4, ",", "1000");
    row("999.5 rounds up across 10^3", Extended(999.5), 3, ",", "1E3");
    row("999.4 stays positional", Ratio(9994, 10), 3, ",", "999");
    row("0.00009996 N 3 rounds up to 0.0001", Ratio(9996, 100000000), 3, ",", "0,0001");
    row("0.00009996 N 4 stays scientific", Ratio(9996, 100000000), 4, ",", "9,996E-5");
    row("0.00001 is the first scientific power", Ratio(1, 100000), 3, ",", "1E-5");
    row("0.001 positional", Ratio(1, 1000), 3, ",", "0,001");
    row("10^N - 1 stays positional", Extended(99999.0), 5, ",", "99999");
    row("negative scientific", -Ratio(1234, 100000000), 3, ",", "-1,23E-5");
    row("large positive exponent without plus", ExtendedFromBits({0x43E4, 0x8F596B3002C1A5E2}), 3,
        ",", "1,5E300");

    // A tie at the cut goes up in magnitude, for both signs.
    row("18.75 tie up", Extended(18.75), 3, ",", "18,8");
    row("-18.75 tie up in magnitude", Extended(-18.75), 3, ",", "-18,8");
    row("2.25 with N 2", Extended(2.25), 2, ",", "2,3");
    // Judged on the value held: 2.675 as a double lies below 2.675.
    row("2.675 as a double", Extended(2.675), 3, ",", "2,67");
    row("2.675 as the nearest extended", Ratio(2675, 1000), 3, ",", "2,68");
    // Double rounding: the 18-digit expansion of this value is 0.145000000000000000.
    row("double rounding 0.1449999999999999999962", ExtendedFromBits({0x3FFC, 0x947AE147AE147AE1}),
        2, ",", "0,15");
    row("just below 0.145 by more", Ratio(14499999999999999, 100000000000000000), 2, ",", "0,14");

    // The separator is whatever the regional settings give.
    row("full stop 27.7", Extended(80) / (Ratio(17, 10) * Ratio(17, 10)), 3, ".", "27.7");
    row("full stop 0.0001", Ratio(1, 10000), 3, ".", "0.0001");
    row("full stop 3.2E4", Extended(32000.0), 3, ".", "3.2E4");
    row("multibyte separator", Extended(1.5), 3, "·", "1·5");

    // N is clamped to 2..18.
    row("N 1 acts as 2", Ratio(2768, 100), 1, ",", "28");
    row("N 0 acts as 2", Ratio(2768, 100), 0, ",", "28");
    row("N -5 acts as 2", Ratio(2768, 100), -5, ",", "28");
    row("N INT_MIN acts as 2", Ratio(2768, 100), INT_MIN, ",", "28");
    row("N 18 shows 18 digits", Ratio(1, 3), 18, ",", "0,333333333333333333");
    row("N 19 acts as 18", Ratio(2, 3), 19, ",", "0,666666666666666667");
    row("N INT_MAX acts as 18", Ratio(2, 3), INT_MAX, ",", "0,666666666666666667");

    // Special values.
    row("plus infinity", inf, 3, ",", "INF");
    row("minus infinity", -inf, 3, ",", "-INF");
    row("NaN", QuietNaN, 3, ",", "NAN");
    row("negative NaN", -QuietNaN, 3, ",", "NAN");
    row("negative zero has no sign", Extended(-0.0), 3, ",", "0");
    row("subnormal shows 0", ExtendedFromBits({0x0000, 0x2000000000000000}), 3, ",", "0");
    row("negative subnormal shows 0 unsigned", -ExtendedFromBits({0x0000, 1}), 5, ",", "0");
    row("smallest normal", SmallestNormal, 3, ",", "3,36E-4932");
    row("negative smallest normal", -SmallestNormal, 18, ",", "-3,36210314311209351E-4932");
    row("largest", Largest, 5, ",", "1,1897E4932");
    row("largest, 18 digits", Largest, 18, ",", "1,18973149535723177E4932");
    row("lowest", -Largest, 3, ",", "-1,19E4932");

    // The 18 digits themselves are rounded to nearest, a tie to the even digit.
    row("19-digit tie goes to even", Extended(std::int64_t{1000000000000000005}), 18, ",", "1E18");
    row("19-digit tie goes to even, odd case", Extended(std::int64_t{1000000000000000015}), 18, ",",
        "1,00000000000000002E18");
}

void NumberFormatTest::edgeCases() {
    QFETCH(Extended, value);
    QFETCH(int, digits);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    QCOMPARE(Shown(value, digits, separator.toStdString()), expected);
}

// Patterns that no calculation produces but that must still show sensibly: found by fuzzing
// with raw 80-bit patterns.
void NumberFormatTest::x87Encodings_data() {
    QTest::addColumn<quint16>("signAndExponent");
    QTest::addColumn<quint64>("significand");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("expected");

    // The x87 reads a pseudo-denormal as the same bits with an exponent field of 1; printf
    // dropped its integer bit and showed 3,6452E-4951.
    QTest::newRow("pseudo-denormal is the smallest normals' value")
        << quint16{0x0000} << quint64{0x8000000000000001} << 5 << u"3,3621E-4932"_s;
    QTest::newRow("negative pseudo-denormal")
        << quint16{0x8000} << quint64{0x8000000000000000} << 18 << u"-3,36210314311209351E-4932"_s;
    QTest::newRow("true denormal shows 0") << quint16{0x0000} << quint64{1} << 5 << u"0"_s;
    // An integer bit of 0 under a non-zero exponent field is an invalid operand to the x87.
    QTest::newRow("unnormal") << quint16{0x3FFF} << quint64{0x4000000000000000} << 3 << u"NAN"_s;
    QTest::newRow("pseudo-zero") << quint16{0x3FFF} << quint64{0} << 3 << u"NAN"_s;
    QTest::newRow("unnormal at exponent field 1")
        << quint16{0x0001} << quint64{0x7FFFFFFFFFFFFFFF} << 3 << u"NAN"_s;
    QTest::newRow("pseudo-infinity") << quint16{0x7FFF} << quint64{0} << 3 << u"NAN"_s;
    QTest::newRow("negative pseudo-infinity") << quint16{0xFFFF} << quint64{0} << 3 << u"NAN"_s;
    QTest::newRow("pseudo-NaN") << quint16{0x7FFF} << quint64{0x4000000000000001} << 3 << u"NAN"_s;
    QTest::newRow("negative infinity")
        << quint16{0xFFFF} << quint64{0x8000000000000000} << 3 << u"-INF"_s;
}

void NumberFormatTest::x87Encodings() {
    QFETCH(quint16, signAndExponent);
    QFETCH(quint64, significand);
    QFETCH(int, digits);
    QFETCH(QString, expected);
    QCOMPARE(Shown(ExtendedFromBits({signAndExponent, significand}), digits), expected);
}

void NumberFormatTest::integerText_data() {
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << qint64{0} << u"0"_s;
    QTest::newRow("seven") << qint64{7} << u"7"_s;
    QTest::newRow("minus seven") << qint64{-7} << u"-7"_s;
    QTest::newRow("no grouping") << qint64{1234567} << u"1234567"_s;
    QTest::newRow("INT32_MIN") << qint64{INT32_MIN} << u"-2147483648"_s;
    QTest::newRow("INT32_MAX") << qint64{INT32_MAX} << u"2147483647"_s;
    QTest::newRow("INT64_MIN") << qint64{INT64_MIN} << u"-9223372036854775808"_s;
    QTest::newRow("INT64_MAX") << qint64{INT64_MAX} << u"9223372036854775807"_s;
}

void NumberFormatTest::integerText() {
    QFETCH(qint64, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(IntegerText(value)), expected);
}

QTEST_APPLESS_MAIN(NumberFormatTest)
#include "NumberFormatTest.moc"

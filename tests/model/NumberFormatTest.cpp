// The display format of reals and whole numbers: the table of worked examples, then the cases at
// the edges of rounding, layout, precision and the special values.
#include "NumberFormat.h"

#include <QTest>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(long double)

namespace {

QString Shown(long double value, int digits, std::string_view separator = ",") {
    return QString::fromStdString(GeneralFloatFormat(value, digits, separator));
}

// The long double held in an 80-bit pattern: sign and exponent field, then the 64-bit significand
// whose top bit is the explicit integer bit.
long double FromPattern(quint16 signAndExponent, quint64 significand) {
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &significand, 8);
    std::memcpy(bytes + 8, &signAndExponent, 2);
    long double value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

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
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("n3");
    QTest::addColumn<QString>("n4");
    QTest::addColumn<QString>("n5");

    const auto row = [](const char* name, long double value, const char* n3, const char* n4,
                        const char* n5) {
        QTest::newRow(name) << value << QString::fromUtf8(n3) << QString::fromUtf8(n4)
                            << QString::fromUtf8(n5);
    };
    row("27.68166 (80 kg at 170 cm)", 80.0L / (1.7L * 1.7L), "27,7", "27,68", "27,682");
    row("18.75", 18.75L, "18,8", "18,75", "18,75");
    row("20", 20.0L, "20", "20", "20");
    row("59.9999", 59.9999L, "60", "60", "60");
    row("10.56", 10.56L, "10,6", "10,56", "10,56");
    row("0.2764913", 0.2764913L, "0,276", "0,2765", "0,27649");
    row("0.05", 0.05L, "0,05", "0,05", "0,05");
    row("0.0001", 0.0001L, "0,0001", "0,0001", "0,0001");
    row("0.00009996", 0.00009996L, "0,0001", "9,996E-5", "9,996E-5");
    row("0.00001234", 0.00001234L, "1,23E-5", "1,234E-5", "1,234E-5");
    row("100", 100.0L, "100", "100", "100");
    row("999.5", 999.5L, "1E3", "999,5", "999,5");
    row("1234.5", 1234.5L, "1,23E3", "1235", "1234,5");
    row("32000", 32000.0L, "3,2E4", "3,2E4", "32000");
    row("123456", 123456.0L, "1,23E5", "1,235E5", "1,2346E5");
    row("99999.5", 99999.5L, "1E5", "1E5", "1E5");
    row("-3.5", -3.5L, "-3,5", "-3,5", "-3,5");
    row("0", 0.0L, "0", "0", "0");
}

void NumberFormatTest::examples() {
    QFETCH(long double, value);
    QFETCH(QString, n3);
    QFETCH(QString, n4);
    QFETCH(QString, n5);
    QCOMPARE(Shown(value, 3), n3);
    QCOMPARE(Shown(value, 4), n4);
    QCOMPARE(Shown(value, 5), n5);
}

void NumberFormatTest::edgeCases_data() {
    QTest::addColumn<long double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");

    const long double inf = std::numeric_limits<long double>::infinity();
    const auto row = [](const char* name, long double value, int digits, const char* separator,
                        const char* expected) {
        QTest::newRow(name) << value << digits << QString::fromUtf8(separator)
                            << QString::fromUtf8(expected);
    };

    // Whole results lose the separator; the switch to scientific form depends on N.
    row("2.0 drops the separator", 2.0L, 3, ",", "2");
    row("60.0 drops the separator", 60.0L, 3, ",", "60");
    row("1000 with N 3 is scientific", 1000.0L, 3, ",", "1E3");
    row("1000 with N 4 is positional", 1000.0L, 4, ",", "1000");
    row("999.5 rounds up across 10^3", 999.5L, 3, ",", "1E3");
    row("999.4 stays positional", 999.4L, 3, ",", "999");
    row("0.00009996 N 3 rounds up to 0.0001", 0.00009996L, 3, ",", "0,0001");
    row("0.00009996 N 4 stays scientific", 0.00009996L, 4, ",", "9,996E-5");
    row("0.00001 is the first scientific power", 0.00001L, 3, ",", "1E-5");
    row("0.001 positional", 0.001L, 3, ",", "0,001");
    row("10^N - 1 stays positional", 99999.0L, 5, ",", "99999");
    row("negative scientific", -0.00001234L, 3, ",", "-1,23E-5");
    row("large positive exponent without plus", 1.5e300L, 3, ",", "1,5E300");

    // A tie at the cut goes up in magnitude, for both signs.
    row("18.75 tie up", 18.75L, 3, ",", "18,8");
    row("-18.75 tie up in magnitude", -18.75L, 3, ",", "-18,8");
    row("2.25 with N 2", 2.25L, 2, ",", "2,3");
    // Judged on the value held: 2.675 as a double lies below 2.675.
    row("2.675 as a double", static_cast<long double>(2.675), 3, ",", "2,67");
    row("2.675 as a long double", 2.675L, 3, ",", "2,68");
    // Double rounding: the 18-digit expansion of this value is 0.145000000000000000.
    row("double rounding 0.1449999999999999999962", 0.1449999999999999999962L, 2, ",", "0,15");
    row("just below 0.145 by more", 0.14499999999999999L, 2, ",", "0,14");

    // The separator is whatever the regional settings give.
    row("full stop 27.7", 80.0L / (1.7L * 1.7L), 3, ".", "27.7");
    row("full stop 0.0001", 0.0001L, 3, ".", "0.0001");
    row("full stop 3.2E4", 32000.0L, 3, ".", "3.2E4");
    row("multibyte separator", 1.5L, 3, "·", "1·5");

    // N is clamped to 2..18.
    row("N 1 acts as 2", 27.68L, 1, ",", "28");
    row("N 0 acts as 2", 27.68L, 0, ",", "28");
    row("N -5 acts as 2", 27.68L, -5, ",", "28");
    row("N INT_MIN acts as 2", 27.68L, INT_MIN, ",", "28");
    row("N 18 shows 18 digits", 1.0L / 3.0L, 18, ",", "0,333333333333333333");
    row("N 19 acts as 18", 2.0L / 3.0L, 19, ",", "0,666666666666666667");
    row("N INT_MAX acts as 18", 2.0L / 3.0L, INT_MAX, ",", "0,666666666666666667");

    // Special values.
    row("plus infinity", inf, 3, ",", "INF");
    row("minus infinity", -inf, 3, ",", "-INF");
    row("NaN", std::numeric_limits<long double>::quiet_NaN(), 3, ",", "NAN");
    row("negative NaN", -std::numeric_limits<long double>::quiet_NaN(), 3, ",", "NAN");
    row("negative zero has no sign", -0.0L, 3, ",", "0");
    row("subnormal shows 0", LDBL_MIN / 4, 3, ",", "0");
    row("negative subnormal shows 0 unsigned", -std::numeric_limits<long double>::denorm_min(), 5,
        ",", "0");
    row("smallest normal", LDBL_MIN, 3, ",", "3,36E-4932");
    row("negative smallest normal", -LDBL_MIN, 18, ",", "-3,36210314311209351E-4932");
    row("largest", LDBL_MAX, 5, ",", "1,1897E4932");
    row("largest, 18 digits", LDBL_MAX, 18, ",", "1,18973149535723177E4932");
    row("lowest", -LDBL_MAX, 3, ",", "-1,19E4932");

    // The 18 digits themselves are rounded to nearest, a tie to the even digit.
    row("19-digit tie goes to even", 1000000000000000005.0L, 18, ",", "1E18");
    row("19-digit tie goes to even, odd case", 1000000000000000015.0L, 18, ",",
        "1,00000000000000002E18");
}

void NumberFormatTest::edgeCases() {
    QFETCH(long double, value);
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
    QCOMPARE(Shown(FromPattern(signAndExponent, significand), digits), expected);
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

// GeneralFloatFormat against an exact oracle: the value held is expanded with GMP rational
// arithmetic, rounded to 18 digits (to nearest, a tie to even), then rounded half away from zero
// to the precision and laid out by the independent code of ExactDecimal.h.
#include "DecimalExpansion.h"
#include "GmpOracle.h"
#include "NumberFormat.h"

#include <QTest>

#include <array>
#include <climits>
#include <cstdint>
#include <random>

Q_DECLARE_METATYPE(Extended)

namespace {

constexpr std::array Precisions = {2,  3,  4,  5,  6,  7, 8, 9,  10, 11,      12,     13,
                                   14, 15, 16, 17, 18, 0, 1, 19, -5, INT_MAX, INT_MIN};

// The neighbours of a positive normal value, one step of the last significand bit away.
Extended NextBelow(Extended value, int steps = 1) {
    ExtendedBits bits = BitsOf(value);
    for (int i = 0; i < steps; ++i) {
        if (bits.significand == 0x8000000000000000) {
            bits.significand = ~std::uint64_t{0};
            --bits.signAndExponent;
        } else {
            --bits.significand;
        }
    }
    return ExtendedFromBits(bits);
}

Extended NextAbove(Extended value, int steps = 1) {
    ExtendedBits bits = BitsOf(value);
    for (int i = 0; i < steps; ++i) {
        if (++bits.significand == 0) {
            bits.significand = 0x8000000000000000;
            ++bits.signAndExponent;
        }
    }
    return ExtendedFromBits(bits);
}

Extended PowerOfTen(int power) // exact up to 10^27
{
    Extended result = 1;
    for (int i = 0; i < power; ++i)
        result = result * Extended(10);
    return result;
}

// significand x 2^exponent for a significand with its top bit set; below the normal range the
// bits that do not fit are cut off.
Extended Scaled(std::uint64_t significand, int exponent) {
    const int field = exponent + 63 + 16383;
    if (field >= 1) return ExtendedFromBits({static_cast<std::uint16_t>(field), significand});
    const int shift = 1 - field;
    return ExtendedFromBits({0, shift < 64 ? significand >> shift : 0});
}

QString Hex(Extended value) {
    const ExtendedBits bits = BitsOf(value);
    return QStringLiteral("%1:%2")
        .arg(bits.signAndExponent, 4, 16, QChar(u'0'))
        .arg(bits.significand, 16, 16, QChar(u'0'));
}

} // namespace

class NumberFormatOracleTest : public QObject {
    Q_OBJECT

private slots:
    void doubleRounding_data();
    void doubleRounding();
    void aroundLayoutLimits_data();
    void aroundLayoutLimits();
    void randomValues_data();
    void randomValues();
    void expansionWindows_data();
    void expansionWindows();
};

// Values just below a tie whose 18-digit expansion is the tie itself: they round up, unlike the
// exact value; and values whose 18 digits stay below the tie.
void NumberFormatOracleTest::doubleRounding_data() {
    QTest::addColumn<Extended>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char* name, Extended value, int digits, const char* expected) {
        QTest::newRow(name) << value << digits << QString::fromUtf8(expected);
    };
    row("nearest to 0.1449999999999999999962, N 2", ExtendedFromBits({0x3FFC, 0x947AE147AE147AE1}),
        2, "0,15");
    row("one ulp below 0.145, N 2", NextBelow(Ratio(145, 1000)), 2, "0,15");
    row("0.144999999999999999 stays below, N 2", Ratio(144999999999999999, 1000000000000000000), 2,
        "0,14");
    row("one ulp below 18.75, N 3", NextBelow(Extended(18.75)), 3, "18,8");
    row("one ulp above -18.75, N 3", -NextBelow(Extended(18.75)), 3, "-18,8");
    row("18.7499999999999999 stays below, N 3", Ratio(187499999999999999, 10000000000000000), 3,
        "18,7");
    row("one ulp below 2.25, N 2", NextBelow(Extended(2.25)), 2, "2,3");
    row("one ulp below 999.5 crosses 10^3, N 3", NextBelow(Extended(999.5)), 3, "1E3");
    row("one ulp below 99999.5 crosses 10^5, N 5", NextBelow(Extended(99999.5)), 5, "1E5");
    row("one ulp below 0.00009995 reaches 0.0001, N 3", NextBelow(Ratio(9995, 100000000)), 3,
        "0,0001");
    row("0.000099949 stays scientific, N 3", Ratio(99949, 1000000000), 3, "9,99E-5");
    row("one ulp below 1, N 18", NextBelow(Extended(1)), 18, "1");
}

void NumberFormatOracleTest::doubleRounding() {
    QFETCH(Extended, value);
    QFETCH(int, digits);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(OracleText(value, digits, ",")), expected);
    QCOMPARE(QString::fromStdString(GeneralFloatFormat(value, digits, ",")), expected);
}

// Around the two limits of the positional form, after rounding: 10^N and 0.0001.
void NumberFormatOracleTest::aroundLayoutLimits_data() {
    QTest::addColumn<Extended>("value");
    QTest::addColumn<int>("digits");

    for (int n = 2; n <= 18; ++n) {
        const Extended upperTie = PowerOfTen(n) - Extended(0.5); // exact
        const Extended lowerTie =
            (Extended(2) * PowerOfTen(n) - Extended(1)) / (Extended(2) * PowerOfTen(n + 4));
        const Extended lastVisible = PowerOfTen(n) / PowerOfTen(18); // one unit of the 18th digit
        const struct {
            const char* what;
            Extended value;
        } cases[] = {
            {"10^N - 0.5", upperTie},
            {"10^N - 0.5, 1 ulp below", NextBelow(upperTie)},
            {"10^N - 0.5, 3 ulps below", NextBelow(upperTie, 3)},
            {"10^N - 0.5, 1 ulp above", NextAbove(upperTie)},
            {"10^N - 0.5, one 18th digit below", upperTie - lastVisible},
            {"10^N", PowerOfTen(n)},
            {"10^N, 1 ulp below", NextBelow(PowerOfTen(n))},
            {"10^N, 1 ulp above", NextAbove(PowerOfTen(n))},
            {"rounds to 0.0001", lowerTie},
            {"rounds to 0.0001, 1 ulp below", NextBelow(lowerTie)},
            {"rounds to 0.0001, 3 ulps below", NextBelow(lowerTie, 3)},
            {"rounds to 0.0001, 1 ulp above", NextAbove(lowerTie)},
            {"0.0001", Ratio(1, 10000)},
            {"0.0001, 1 ulp below", NextBelow(Ratio(1, 10000))},
        };
        for (const auto& c : cases) {
            QTest::addRow("N=%d %s", n, c.what) << c.value << n;
            QTest::addRow("N=%d -(%s)", n, c.what) << -c.value << n;
        }
    }
}

void NumberFormatOracleTest::aroundLayoutLimits() {
    QFETCH(Extended, value);
    QFETCH(int, digits);
    for (const char* separator : {",", "."}) {
        QCOMPARE(QString::fromStdString(GeneralFloatFormat(value, digits, separator)),
                 QString::fromStdString(OracleText(value, digits, separator)));
    }
}

// Random 80-bit values of every kind, each shown with two of the precisions.
void NumberFormatOracleTest::randomValues_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("binary exponent over the whole range, subnormals included") << 0;
    QTest::newRow("everyday magnitudes 1e-15..1e21") << 1;
    QTest::newRow("short decimals (ties at the display digit)") << 2;
    QTest::newRow("a few ulps from short decimals (double rounding)") << 3;
}

void NumberFormatOracleTest::randomValues() {
    QFETCH(int, kind);
    std::mt19937_64 random(20240917u + static_cast<unsigned>(kind));
    const auto uniform = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };

    const auto makeValue = [&]() -> Extended {
        const std::uint64_t significand = random() | (std::uint64_t{1} << 63);
        switch (kind) {
        case 0: // [2^(e-1), 2^e); small e round to subnormals or to zero
            return Scaled(significand, uniform(-16450, 16384) - 64);
        case 1:
            return Scaled(significand, uniform(-50, 70) - 64);
        default: {
            const Extended whole = uniform(1, 999999);
            const int power = uniform(-10, 10);
            Extended decimal = power >= 0 ? whole * PowerOfTen(power) : whole / PowerOfTen(-power);
            if (kind == 3)
                decimal = uniform(0, 1) ? NextBelow(decimal, uniform(1, 3))
                                        : NextAbove(decimal, uniform(1, 3));
            return decimal;
        }
        }
    };

    constexpr int ValueCount = 75000;
    int mismatches = 0;
    QString firstMismatches;
    for (int i = 0; i < ValueCount; ++i) {
        Extended value = makeValue();
        if (random() & 1) value = -value;
        const int picks[] = {
            Precisions[static_cast<std::size_t>(i) % Precisions.size()],
            Precisions[static_cast<std::size_t>(uniform(0, Precisions.size() - 1))]};
        for (const int digits : picks) {
            const std::string actual = GeneralFloatFormat(value, digits, ",");
            const std::string expected = OracleText(value, digits, ",");
            if (actual != expected && ++mismatches <= 5) {
                firstMismatches +=
                    QStringLiteral("\n  %1 with N %2: got %3, expected %4")
                        .arg(Hex(value))
                        .arg(digits)
                        .arg(QString::fromStdString(actual), QString::fromStdString(expected));
            }
        }
    }
    QVERIFY2(mismatches == 0,
             qPrintable(QStringLiteral("%1 mismatches:").arg(mismatches) + firstMismatches));
}

// The 18 digits are first sought in a window of the top digits, bounded from below and above,
// and only where the two bounds round apart from the whole number: with narrow windows that last
// pass runs often. Every width must give GMP's digits.
void NumberFormatOracleTest::expansionWindows_data() {
    QTest::addColumn<int>("windowLimbs");
    QTest::newRow("9 digits: the bounds mostly round apart") << 1;
    QTest::newRow("18 digits") << 2;
    QTest::newRow("27 digits") << 3;
    QTest::newRow("81 digits, as the number format uses it") << 9;
}

void NumberFormatOracleTest::expansionWindows() {
    QFETCH(int, windowLimbs);
    std::mt19937_64 random(20261209u + static_cast<unsigned>(windowLimbs));
    const auto uniform = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    int mismatches = 0;
    QString firstMismatches;
    for (int i = 0; i < 4000; ++i) {
        // Whole exponent range, everyday magnitudes, and short significands: whole numbers and
        // short fractions whose digits end early or on a tie.
        std::uint64_t significand = random() | (std::uint64_t{1} << 63);
        if (i % 3 == 2) significand &= ~std::uint64_t{0} << uniform(1, 63);
        const int exponent = i % 3 == 0 ? uniform(-16445, 16320) : uniform(-130, 70);
        const DecimalExpansion actual = ExpandExactly(significand, exponent, windowLimbs);
        const DecimalDigits expected = ExactExpansion(false, significand, exponent);
        const std::string digits(actual.digits.data(), actual.digits.size());
        std::string expectedDigits = expected.digits;
        expectedDigits.resize(18, '0');
        if ((digits != expectedDigits || actual.exponent != expected.exponent) && ++mismatches <= 5)
            firstMismatches += QStringLiteral("\n  %1 x 2^%2: got 0.%3E%4, expected 0.%5E%6")
                                   .arg(significand)
                                   .arg(exponent)
                                   .arg(QString::fromStdString(digits))
                                   .arg(actual.exponent)
                                   .arg(QString::fromStdString(expectedDigits))
                                   .arg(expected.exponent);
    }
    QVERIFY2(mismatches == 0,
             qPrintable(QStringLiteral("%1 mismatches:").arg(mismatches) + firstMismatches));
}

QTEST_APPLESS_MAIN(NumberFormatOracleTest)
#include "NumberFormatOracleTest.moc"

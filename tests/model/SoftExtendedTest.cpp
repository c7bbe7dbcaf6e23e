// SoftExtended against the x87, operation by operation, over millions of random operands of every
// kind: everyday, tiny (subnormal), huge (near overflow), nearly equal (cancellation), and built to
// land on or beside a rounding tie. On x86 every result is compared bit for bit with the x87's.
// Every result also goes into a digest per operation; the digests below were taken from the x87,
// so on processors without one (arm64 ...) the same bits are checked through them.
#include "SoftExtended.h"
#include "Digest.h"
#include "Extended.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <limits>

namespace {

constexpr int Bias = 16383;
constexpr std::uint64_t IntegerBit = std::uint64_t{1} << 63;
constexpr int OperandCount = 1'000'000;

enum class Operation {
    Add,
    Subtract,
    Multiply,
    Divide,
    Compare,
    FromInt64,
    FromDouble,
    ToDouble,
    NearestInteger
};

// The digest of the x87's results for each operation over the operands of that row's seed.
struct Expected {
    Operation operation;
    const char* name;
    std::uint64_t x87Digest;
};
constexpr Expected Operations[] = {
    {Operation::Add, "a + b", 0x7e27fe4001bb7ad6},
    {Operation::Subtract, "a - b", 0x3a9a2e46314bcdcf},
    {Operation::Multiply, "a * b", 0x23481535d23c70d2},
    {Operation::Divide, "a / b", 0xe981f85608e0b474},
    {Operation::Compare, "a < b, a == b ...", 0x13e8069e6b5ba4cf},
    {Operation::FromInt64, "integer to extended", 0x6b28183723addf65},
    {Operation::FromDouble, "double to extended", 0x0b87c8fc4be3c69b},
    {Operation::ToDouble, "extended to double", 0xc8597d667ddc937e},
    {Operation::NearestInteger, "nearest integer, ties to even", 0xe2667d6404676e5e},
};

// SplitMix64: the same numbers on every processor and with every standard library.
class Random {
public:
    explicit Random(std::uint64_t seed)
        : state_(seed) {}
    std::uint64_t operator()() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
        return z ^ (z >> 31);
    }
    int Below(int bound) { return static_cast<int>((*this)() % static_cast<std::uint64_t>(bound)); }

private:
    std::uint64_t state_;
};

// The pattern as the x87 keeps it: the integer bit set exactly when the exponent field is not 0.
ExtendedBits Canonical(bool negative, int field, std::uint64_t significand) {
    significand = field == 0 ? significand & ~IntegerBit : significand | IntegerBit;
    return {static_cast<std::uint16_t>((negative ? 0x8000 : 0) | field), significand};
}

ExtendedBits Special(Random& random) {
    const bool negative = random() & 1;
    const std::uint16_t sign = negative ? 0x8000 : 0;
    switch (random.Below(8)) {
    case 0:
        return {sign, 0}; // zero
    case 1:
        return {static_cast<std::uint16_t>(sign | 0x7FFF), IntegerBit}; // infinity
    case 2: // a quiet NaN with a payload
        return {static_cast<std::uint16_t>(sign | 0x7FFF),
                IntegerBit | (random() >> 1) | (IntegerBit >> 1)};
    case 3: // a signalling NaN
        return {static_cast<std::uint16_t>(sign | 0x7FFF), IntegerBit | ((random() >> 2) | 1)};
    case 4:
        return {sign, 1}; // the smallest subnormal
    case 5:
        return {static_cast<std::uint16_t>(sign | 1), IntegerBit}; // the smallest normal
    case 6:
        return {static_cast<std::uint16_t>(sign | 0x7FFE), ~std::uint64_t{0}}; // the largest
    default:
        return {static_cast<std::uint16_t>(sign | Bias), IntegerBit}; // one
    }
}

// A significand with only its top `bits` bits free, so that products and sums fall on ties often.
std::uint64_t ShortSignificand(Random& random) {
    const int bits = 1 + random.Below(40);
    return (random() | IntegerBit) & (~std::uint64_t{0} << (64 - bits));
}

// Each random number is drawn in a statement of its own: the order in which a call's arguments
// are evaluated differs between compilers for x86 and arm64, and so would the operands.
ExtendedBits Operand(Random& random) {
    const bool negative = random() & 1;
    const int kind = random.Below(16);
    int field = 0;
    std::uint64_t significand = 0;
    switch (kind) {
    case 0:
    case 1:
    case 2: // any exponent
        field = 1 + random.Below(0x7FFE);
        significand = random();
        break;
    case 3:
    case 4:
    case 5:
    case 6: // everyday magnitudes, 2^-70 .. 2^70
        field = Bias - 70 + random.Below(141);
        significand = random();
        break;
    case 7:
    case 8: // everyday magnitudes with short significands
        field = Bias - 70 + random.Below(141);
        significand = ShortSignificand(random);
        break;
    case 9:
    case 10: { // subnormals and the smallest normals
        field = random.Below(3) == 0 ? 0 : random.Below(80);
        significand = random();
        significand >>= random.Below(64);
        break;
    }
    case 11:
    case 12: // near overflow
        field = 0x7FFE - random.Below(80);
        significand = random();
        break;
    case 13: // tiny with short significands: products and quotients that round into subnormals
        field = 1 + random.Below(200);
        significand = ShortSignificand(random);
        break;
    default:
        return Special(random);
    }
    return Canonical(negative, field, significand);
}

// The second operand: independent, close to the first (cancellation in a - b), or a power of two
// times a short significand some 64 bits below it (sums on or beside a tie). With a subnormal
// first operand, often one half or two times (1 +- 2^-63): the exact product or quotient is then
// a hair beside a tie of the subnormals, with that hair far below their last bit.
ExtendedBits SecondOperand(Random& random, ExtendedBits first) {
    const int field = first.signAndExponent & 0x7FFF;
    const bool negative = random() & 1;
    if (field == 0 && random.Below(2) == 0) {
        const bool above = random() & 1;
        return Canonical(negative, Bias + (random.Below(2) == 0 ? -1 : 1) - (above ? 0 : 1),
                         above ? IntegerBit | 1 : ~std::uint64_t{0});
    }
    if (field == 0 || field == 0x7FFF || random.Below(2) == 0) return Operand(random);
    if (random.Below(2) == 0) {
        const int near = std::clamp(field + random.Below(5) - 2, 1, 0x7FFE);
        std::uint64_t change = random();
        change >>= random.Below(64);
        return Canonical(negative, near, first.significand ^ change);
    }
    const int below = std::max(field - 62 - random.Below(5), 0);
    return Canonical(negative, below, ShortSignificand(random));
}

double DoubleOperand(Random& random) {
    std::uint64_t bits = random();
    switch (random.Below(4)) {
    case 0: // subnormal doubles and zero
        bits &= 0x800FFFFFFFFFFFFF;
        break;
    case 1: // infinities and NaNs
        bits |= 0x7FF0000000000000;
        if (random.Below(4) == 0) bits &= 0xFFF0000000000000;
        break;
    default:
        break;
    }
    return std::bit_cast<double>(bits);
}

// Extended values around the double's limits and with the bits below the double's last bit on or
// beside one half.
ExtendedBits DoubleRangeOperand(Random& random) {
    const bool negative = random() & 1;
    std::uint64_t significand = random();
    if (random.Below(2) == 0) {
        significand &= ~std::uint64_t{0x7FF};
        significand |= std::uint64_t{0x400} >> random.Below(2);
        significand ^= random.Below(3) == 0 ? 1 : 0;
    }
    switch (random.Below(4)) {
    case 0: // double subnormals, and below them
        return Canonical(negative, Bias - 1022 - random.Below(70), significand);
    case 1: // near the double's overflow
        return Canonical(negative, Bias + 1023 - 2 + random.Below(4), significand);
    case 2:
        return Operand(random);
    default:
        return Canonical(negative, Bias - 60 + random.Below(120), significand);
    }
}

// Values near whole numbers: halves, ties and the edges of the 64-bit range.
ExtendedBits IntegerRangeOperand(Random& random) {
    const bool negative = random() & 1;
    const int field = Bias - 2 + random.Below(68);
    std::uint64_t significand = random();
    if (random.Below(2) == 0) { // whole, or whole and one half
        const int fractionBits = std::clamp(63 - (field - Bias), 0, 63);
        significand &= ~std::uint64_t{0} << fractionBits;
        if (fractionBits > 0 && random.Below(2) == 0)
            significand |= std::uint64_t{1} << (fractionBits - 1);
    }
    if (random.Below(16) == 0) return Operand(random);
    return Canonical(negative, field, significand);
}

std::int64_t IntegerOperand(Random& random) {
    switch (random.Below(8)) {
    case 0:
        return std::numeric_limits<std::int64_t>::min();
    case 1:
        return std::numeric_limits<std::int64_t>::max();
    default: {
        std::uint64_t bits = random();
        bits >>= random.Below(64);
        return static_cast<std::int64_t>(bits);
    }
    }
}

// The operands of one random case; each operation reads the ones it needs.
struct Operands {
    ExtendedBits a{}, b{};
    std::int64_t integer = 0;
    double real = 0;
};

Operands Draw(Operation operation, Random& random) {
    Operands operands;
    switch (operation) {
    case Operation::Add:
    case Operation::Subtract:
    case Operation::Multiply:
    case Operation::Divide:
        operands.a = Operand(random);
        operands.b = SecondOperand(random, operands.a);
        break;
    case Operation::Compare:
        operands.a = Operand(random);
        operands.b = random.Below(4) == 0 ? operands.a : SecondOperand(random, operands.a);
        break;
    case Operation::FromInt64:
        operands.integer = IntegerOperand(random);
        break;
    case Operation::FromDouble:
        operands.real = DoubleOperand(random);
        break;
    case Operation::ToDouble:
        operands.a = DoubleRangeOperand(random);
        break;
    case Operation::NearestInteger:
        operands.a = IntegerRangeOperand(random);
        break;
    }
    return operands;
}

#if RATSIONIK_NATIVE_EXTENDED // what a mismatch with the x87 reports
QString Hex(ExtendedBits bits) {
    return QStringLiteral("%1:%2")
        .arg(bits.signAndExponent, 4, 16, QChar(u'0'))
        .arg(bits.significand, 16, 16, QChar(u'0'));
}

QString Describe(const Operands& operands) {
    return QStringLiteral("%1 %2, %3, double %4")
        .arg(Hex(operands.a), Hex(operands.b))
        .arg(operands.integer)
        .arg(std::bit_cast<std::uint64_t>(operands.real), 16, 16, QChar(u'0'));
}
#endif

// A result as two words: an extended value's significand and its sign and exponent, or a
// double's bits, an integer, the comparisons' flags, with 0 beside them.
using Result = std::array<std::uint64_t, 2>;

Result Words(ExtendedBits bits) {
    return {bits.significand, bits.signAndExponent};
}

// Which of <, >, ==, <=, >=, != hold.
template <class Real> std::uint64_t Comparisons(Real a, Real b) {
    return (a < b ? 1u : 0u) | (a > b ? 2u : 0u) | (a == b ? 4u : 0u) | (a <= b ? 8u : 0u) |
           (a >= b ? 16u : 0u) | (a != b ? 32u : 0u);
}

template <class Real> Real FromBits(ExtendedBits bits);
template <> SoftExtended FromBits(ExtendedBits bits) {
    return SoftExtended::FromBits(bits);
}
#if RATSIONIK_NATIVE_EXTENDED
template <> long double FromBits(ExtendedBits bits) {
    return LongDoubleFromBits(bits);
}
#endif

// The operation on SoftExtended, or on the x87's long double.
template <class Real> Result Compute(Operation operation, const Operands& operands) {
    const Real x = FromBits<Real>(operands.a), y = FromBits<Real>(operands.b);
    switch (operation) {
    case Operation::Add:
        return Words(BitsOf(x + y));
    case Operation::Subtract:
        return Words(BitsOf(x - y));
    case Operation::Multiply:
        return Words(BitsOf(x * y));
    case Operation::Divide:
        return Words(BitsOf(x / y));
    case Operation::Compare:
        return {Comparisons(x, y), 0};
    case Operation::FromInt64:
        return Words(BitsOf(Real(operands.integer)));
    case Operation::FromDouble:
        return Words(BitsOf(Real(operands.real)));
    case Operation::ToDouble:
        return {std::bit_cast<std::uint64_t>(static_cast<double>(x)), 0};
    case Operation::NearestInteger:
        return {static_cast<std::uint64_t>(NearestInteger(x)), 0};
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Operation)

class SoftExtendedTest : public QObject {
    Q_OBJECT

private slots:
    void sameBitsAsTheX87_data();
    void sameBitsAsTheX87();
    void x87Answers_data();
    void x87Answers();
};

void SoftExtendedTest::sameBitsAsTheX87_data() {
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<quint64>("x87Digest");
    for (const Expected& expected : Operations)
        QTest::newRow(expected.name) << expected.operation << quint64{expected.x87Digest};
}

void SoftExtendedTest::sameBitsAsTheX87() {
    QFETCH(Operation, operation);
    QFETCH(quint64, x87Digest);
    Random random(0x5EED0000 + static_cast<std::uint64_t>(operation));
    Digest digest;
    int mismatches = 0;
    QString first;
    for (int i = 0; i < OperandCount; ++i) {
        const Operands operands = Draw(operation, random);
        const Result soft = Compute<SoftExtended>(operation, operands);
        digest.Add(soft[0]);
        digest.Add(soft[1], 2);
#if RATSIONIK_NATIVE_EXTENDED
        const Result x87 = Compute<long double>(operation, operands);
        if (soft != x87 && mismatches++ < 5)
            first += QStringLiteral("\n  %1: soft %2:%3, x87 %4:%5")
                         .arg(Describe(operands))
                         .arg(soft[1], 0, 16)
                         .arg(soft[0], 16, 16, QChar(u'0'))
                         .arg(x87[1], 0, 16)
                         .arg(x87[0], 16, 16, QChar(u'0'));
#endif
    }
    QVERIFY2(mismatches == 0, qPrintable(QStringLiteral("%1 mismatches:").arg(mismatches) + first));
    QVERIFY2(digest.Value() == x87Digest, qPrintable(QStringLiteral("digest 0x%1, the x87's 0x%2")
                                                         .arg(digest.Value(), 16, 16, QChar(u'0'))
                                                         .arg(x87Digest, 16, 16, QChar(u'0'))));
}

// Answers of the x87 worth seeing one by one: its default NaN, which NaN an operation passes on,
// signed zeros, ties in the subnormals, overflow.
void SoftExtendedTest::x87Answers_data() {
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<quint16>("aHigh");
    QTest::addColumn<quint64>("a");
    QTest::addColumn<quint16>("bHigh");
    QTest::addColumn<quint64>("b");
    QTest::addColumn<quint16>("resultHigh");
    QTest::addColumn<quint64>("result");

    const auto row = [](const char* name, Operation operation, ExtendedBits a, ExtendedBits b,
                        ExtendedBits result) {
        QTest::newRow(name) << operation << a.signAndExponent << quint64{a.significand}
                            << b.signAndExponent << quint64{b.significand} << result.signAndExponent
                            << quint64{result.significand};
    };
    const ExtendedBits zero{0x0000, 0}, minusZero{0x8000, 0}, one{0x3FFF, IntegerBit};
    const ExtendedBits infinity{0x7FFF, IntegerBit}, minusInfinity{0xFFFF, IntegerBit};
    const ExtendedBits indefinite{0xFFFF, 0xC000000000000000};
    const ExtendedBits quiet{0x7FFF, 0xC000000000001234}, minusQuiet{0xFFFF, 0xC000000000001234};
    const ExtendedBits signalling{0x7FFF, 0x8000000000001234};
    const ExtendedBits largest{0x7FFE, ~std::uint64_t{0}};

    row("0 / 0 is the real indefinite", Operation::Divide, zero, zero, indefinite);
    row("inf - inf is the real indefinite", Operation::Subtract, infinity, infinity, indefinite);
    row("0 x -inf is the real indefinite", Operation::Multiply, zero, minusInfinity, indefinite);
    row("1 / 0 is infinity", Operation::Divide, one, zero, infinity);
    row("1 / -0 is minus infinity", Operation::Divide, one, minusZero, minusInfinity);
    row("a signalling NaN comes back quiet", Operation::Add, signalling, one,
        {0x7FFF, 0xC000000000001234});
    row("a NaN keeps its sign through a subtraction", Operation::Subtract, one, minusQuiet,
        minusQuiet);
    row("of two NaNs alike but for the sign, the positive", Operation::Multiply, minusQuiet, quiet,
        quiet);
    row("-0 + -0 is -0", Operation::Add, minusZero, minusZero, minusZero);
    row("1 - 1 is +0", Operation::Subtract, one, one, zero);
    row("overflow rounds to infinity", Operation::Add, largest, largest, infinity);
    row("the largest value times 1 stays", Operation::Multiply, largest, one, largest);
    row("a subnormal tie goes to even: 3 x 2^-16445 / 2", Operation::Divide, {0x0000, 3},
        {0x4000, IntegerBit}, {0x0000, 2});
    row("half the smallest subnormal is a tie that goes to 0", Operation::Divide, {0x0000, 1},
        {0x4000, IntegerBit}, zero);
    row("the largest subnormal rounds up into the smallest normal", Operation::Multiply,
        {0x0000, 0x7FFFFFFFFFFFFFFF}, {0x3FFF, 0x8000000000000001}, {0x0001, IntegerBit});
    row("160 cm: 1.6 from 160 / 100", Operation::Divide, {0x4006, 0xA000000000000000},
        {0x4005, 0xC800000000000000}, {0x3FFF, 0xCCCCCCCCCCCCCCCD});
}

void SoftExtendedTest::x87Answers() {
    QFETCH(Operation, operation);
    QFETCH(quint16, aHigh);
    QFETCH(quint64, a);
    QFETCH(quint16, bHigh);
    QFETCH(quint64, b);
    QFETCH(quint16, resultHigh);
    QFETCH(quint64, result);
    const Operands operands{{aHigh, a}, {bHigh, b}};
    const Result expected = Words({resultHigh, result});
    QCOMPARE(Compute<SoftExtended>(operation, operands), expected);
#if RATSIONIK_NATIVE_EXTENDED
    QCOMPARE(Compute<long double>(operation, operands), expected);
#endif
}

QTEST_APPLESS_MAIN(SoftExtendedTest)
#include "SoftExtendedTest.moc"

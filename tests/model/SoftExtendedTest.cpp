// SoftExtended against the x87, operation by operation, over millions of random operands of every
// kind: everyday, tiny (subnormal), huge (near overflow), nearly equal (cancellation), and built to
// land on or beside a rounding tie. On x86 every result is compared bit for bit with the x87's.
// Every result also goes into a digest per operation; the digests below were taken from the x87,
// so on processors without one (arm64 ...) the same bits are checked through them.
#include "SoftExtended.h"
#include "Extended.h"

#include <QTest>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
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

// FNV-1a over the bytes of each result.
class Digest {
public:
    void Add(std::uint64_t word, int bytes = 8) {
        for (int i = 0; i < bytes; ++i) {
            value_ = (value_ ^ ((word >> (8 * i)) & 0xFF)) * 0x100000001B3;
        }
    }
    void Add(ExtendedBits bits) {
        Add(bits.significand);
        Add(bits.signAndExponent, 2);
    }
    std::uint64_t Value() const { return value_; }

private:
    std::uint64_t value_ = 0xCBF29CE484222325;
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

// What the soft path gives for one random case; on the x87 also what the x87 gives.
struct Outcome {
    std::uint64_t soft;
    std::uint64_t soft2 = 0;
#if RATSIONIK_NATIVE_EXTENDED
    std::uint64_t x87;
    std::uint64_t x87_2 = 0;
#endif
    QString operands;
};

std::uint64_t High(ExtendedBits bits) {
    return bits.signAndExponent;
}

QString Hex(ExtendedBits bits) {
    return QStringLiteral("%1:%2")
        .arg(bits.signAndExponent, 4, 16, QChar(u'0'))
        .arg(bits.significand, 16, 16, QChar(u'0'));
}

// Which of <, >, == hold, and whether <= and >= agree with them.
template <class Real> std::uint64_t Comparisons(Real a, Real b) {
    return (a < b ? 1u : 0u) | (a > b ? 2u : 0u) | (a == b ? 4u : 0u) | (a <= b ? 8u : 0u) |
           (a >= b ? 16u : 0u) | (a != b ? 32u : 0u);
}

Outcome Run(Operation operation, Random& random) {
    Outcome outcome{};
    switch (operation) {
    case Operation::Add:
    case Operation::Subtract:
    case Operation::Multiply:
    case Operation::Divide: {
        const ExtendedBits a = Operand(random);
        const ExtendedBits b = SecondOperand(random, a);
        const SoftExtended x = SoftExtended::FromBits(a), y = SoftExtended::FromBits(b);
        const SoftExtended soft = operation == Operation::Add        ? x + y
                                  : operation == Operation::Subtract ? x - y
                                  : operation == Operation::Multiply ? x * y
                                                                     : x / y;
        outcome.soft = soft.Bits().significand;
        outcome.soft2 = High(soft.Bits());
#if RATSIONIK_NATIVE_EXTENDED
        const long double p = LongDoubleFromBits(a), q = LongDoubleFromBits(b);
        const long double x87 = operation == Operation::Add        ? p + q
                                : operation == Operation::Subtract ? p - q
                                : operation == Operation::Multiply ? p * q
                                                                   : p / q;
        outcome.x87 = BitsOf(x87).significand;
        outcome.x87_2 = High(BitsOf(x87));
#endif
        outcome.operands = Hex(a) + u' ' + Hex(b);
        break;
    }
    case Operation::Compare: {
        const ExtendedBits a = Operand(random);
        const ExtendedBits b = random.Below(4) == 0 ? a : SecondOperand(random, a);
        outcome.soft = Comparisons(SoftExtended::FromBits(a), SoftExtended::FromBits(b));
#if RATSIONIK_NATIVE_EXTENDED
        outcome.x87 = Comparisons(LongDoubleFromBits(a), LongDoubleFromBits(b));
#endif
        outcome.operands = Hex(a) + u' ' + Hex(b);
        break;
    }
    case Operation::FromInt64: {
        const std::int64_t value = IntegerOperand(random);
        const ExtendedBits soft = SoftExtended(value).Bits();
        outcome.soft = soft.significand;
        outcome.soft2 = High(soft);
#if RATSIONIK_NATIVE_EXTENDED
        const ExtendedBits x87 = BitsOf(static_cast<long double>(value));
        outcome.x87 = x87.significand;
        outcome.x87_2 = High(x87);
#endif
        outcome.operands = QString::number(value);
        break;
    }
    case Operation::FromDouble: {
        const double value = DoubleOperand(random);
        const ExtendedBits soft = SoftExtended(value).Bits();
        outcome.soft = soft.significand;
        outcome.soft2 = High(soft);
#if RATSIONIK_NATIVE_EXTENDED
        const ExtendedBits x87 = BitsOf(static_cast<long double>(value));
        outcome.x87 = x87.significand;
        outcome.x87_2 = High(x87);
#endif
        outcome.operands = QString::number(std::bit_cast<std::uint64_t>(value), 16);
        break;
    }
    case Operation::ToDouble: {
        const ExtendedBits a = DoubleRangeOperand(random);
        outcome.soft = std::bit_cast<std::uint64_t>(static_cast<double>(SoftExtended::FromBits(a)));
#if RATSIONIK_NATIVE_EXTENDED
        outcome.x87 = std::bit_cast<std::uint64_t>(static_cast<double>(LongDoubleFromBits(a)));
#endif
        outcome.operands = Hex(a);
        break;
    }
    case Operation::NearestInteger: {
        const ExtendedBits a = IntegerRangeOperand(random);
        outcome.soft = static_cast<std::uint64_t>(NearestInteger(SoftExtended::FromBits(a)));
#if RATSIONIK_NATIVE_EXTENDED
        outcome.x87 = static_cast<std::uint64_t>(NearestInteger(LongDoubleFromBits(a)));
#endif
        outcome.operands = Hex(a);
        break;
    }
    }
    return outcome;
}

} // namespace

Q_DECLARE_METATYPE(Operation)

class SoftExtendedTest : public QObject {
    Q_OBJECT

private slots:
    void sameBitsAsTheX87_data();
    void sameBitsAsTheX87();
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
        const Outcome outcome = Run(operation, random);
        digest.Add(outcome.soft);
        digest.Add(outcome.soft2, 2);
#if RATSIONIK_NATIVE_EXTENDED
        if ((outcome.soft != outcome.x87 || outcome.soft2 != outcome.x87_2) && mismatches++ < 5)
            first += QStringLiteral("\n  %1: soft %2:%3, x87 %4:%5")
                         .arg(outcome.operands)
                         .arg(outcome.soft2, 0, 16)
                         .arg(outcome.soft, 16, 16, QChar(u'0'))
                         .arg(outcome.x87_2, 0, 16)
                         .arg(outcome.x87, 16, 16, QChar(u'0'));
#endif
    }
    QVERIFY2(mismatches == 0, qPrintable(QStringLiteral("%1 mismatches:").arg(mismatches) + first));
    QVERIFY2(digest.Value() == x87Digest, qPrintable(QStringLiteral("digest 0x%1, the x87's 0x%2")
                                                         .arg(digest.Value(), 16, 16, QChar(u'0'))
                                                         .arg(x87Digest, 16, 16, QChar(u'0'))));
}

QTEST_APPLESS_MAIN(SoftExtendedTest)
#include "SoftExtendedTest.moc"

#include "DecimalExpansion.h"

#include <cstddef>

// The value is made a whole number in base 10^9 and read off from the top: significand x 2^e
// itself for e >= 0, and significand x 5^-e, whose decimal point lies -e digits from the right,
// for e < 0. Both need only multiplications by small factors. The largest extended value has
// 4933 decimal digits and the smallest subnormal times 2^64 some 11500, so 1300 limbs hold any.
//
// Far from 1 that is thousands of digits, of which 19 are wanted. So the number is first formed
// in a window of its top limbs only, once cut down and once cut up at every step: the exact value
// lies between the two, and rounding is monotonic, so where both round to the same 18 digits those
// are the digits. Only a value within about 10^-60 of a rounding tie needs the whole number.

namespace {

constexpr std::uint32_t LimbBase = 1000000000;
constexpr int LimbDigits = 9;
constexpr int MaxLimbs = 1300;
constexpr int KeptDigits = 18;

constexpr int WindowLimbs = 9; // 73 digits or more: everyday values are not cut at all

// A whole number in base 10^9, or a bound of it: with a window, only the top limbs are kept, and
// those below are dropped (counted) with the kept part rounded down or up.
class DecimalInteger {
public:
    enum Cut { Exact, Down, Up };

    DecimalInteger(std::uint64_t value, Cut cut, int windowLimbs)
        : cut_(cut)
        , limit_(cut == Exact ? MaxLimbs : windowLimbs) {
        while (value != 0) {
            limbs_[count_++] = static_cast<std::uint32_t>(value % LimbBase);
            value /= LimbBase;
        }
    }

    bool Cutting() const { return dropped_ != 0; }

    // factor below 2^32, so that limb x factor + carry stays within 64 bits.
    void MultiplyBy(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (int i = 0; i < count_; ++i) {
            const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
            limbs_[i] = static_cast<std::uint32_t>(product % LimbBase);
            carry = product / LimbBase;
        }
        while (carry != 0) {
            limbs_[count_++] = static_cast<std::uint32_t>(carry % LimbBase);
            carry /= LimbBase;
        }
        if (count_ > limit_) DropBottom(count_ - limit_);
    }

    // The dropped limbs count as zeros, digit positions as in the whole number.
    int DigitCount() const {
        int top = 0;
        for (std::uint32_t limb = limbs_[count_ - 1]; limb != 0; limb /= 10)
            ++top;
        return (count_ - 1 + dropped_) * LimbDigits + top;
    }

    // The first `count` digits (at most 27), zeros past the last: the top limb without its
    // leading zeros, then whole limbs.
    void LeadingDigits(char* out, int count) const {
        char text[4 * LimbDigits];
        int length = 0;
        for (int i = count_ - 1; i >= 0 && i >= count_ - 4; --i) {
            std::uint32_t limb = limbs_[i];
            char digits[LimbDigits];
            for (int d = LimbDigits - 1; d >= 0; --d) {
                digits[d] = static_cast<char>('0' + limb % 10);
                limb /= 10;
            }
            int first = 0;
            if (i == count_ - 1)
                while (first < LimbDigits - 1 && digits[first] == '0')
                    ++first;
            for (int d = first; d < LimbDigits; ++d)
                text[length++] = digits[d];
        }
        for (int i = 0; i < count; ++i)
            out[i] = i < length ? text[i] : '0';
    }

    // True when any digit from `position` on is not 0.
    bool AnyDigitFrom(int position) const {
        // the digit at `position`, counted in the kept limbs
        const int fromRight = DigitCount() - 1 - position - dropped_ * LimbDigits;
        if (fromRight < 0) return false;
        const int limb = fromRight / LimbDigits;
        std::uint32_t divisor = 1;
        for (int i = fromRight % LimbDigits + 1; i > 0; --i)
            divisor *= 10;
        if (limbs_[limb] % divisor != 0) return true;
        for (int i = 0; i < limb; ++i)
            if (limbs_[i] != 0) return true;
        return false;
    }

private:
    void DropBottom(int count) {
        bool lost = false;
        for (int i = 0; i < count; ++i)
            lost = lost || limbs_[i] != 0;
        for (int i = count; i < count_; ++i)
            limbs_[i - count] = limbs_[i];
        count_ -= count;
        dropped_ += count;
        if (cut_ == Up && lost) { // add one unit of the lowest kept limb
            int i = 0;
            while (i < count_ && limbs_[i] == LimbBase - 1)
                limbs_[i++] = 0;
            if (i < count_) {
                ++limbs_[i];
            } else { // 999...9 + 1: a new top limb, the bottom one (now 0) goes
                limbs_[count_++] = 1;
                DropBottom(1);
            }
        }
    }

    Cut cut_;
    int limit_;
    int dropped_ = 0;
    std::uint32_t limbs_[MaxLimbs]; // least significant first; only count_ of them are set
    int count_ = 0;
};

void Scale(DecimalInteger& number, int binaryExponent) {
    // 2^29 and 5^13 are the largest powers below 2^32 that keep the products within 64 bits.
    for (int left = binaryExponent; left > 0; left -= 29)
        number.MultiplyBy(std::uint32_t{1} << (left < 29 ? left : 29));
    for (int left = -binaryExponent; left > 0; left -= 13) {
        std::uint32_t power = 1;
        for (int i = left < 13 ? left : 13; i > 0; --i)
            power *= 5;
        number.MultiplyBy(power);
    }
}

// The 18 digits of `number` x 10^-fractionDigits, rounded to nearest with ties to even.
DecimalExpansion RoundedDigits(const DecimalInteger& number, int fractionDigits) {
    const int count = number.DigitCount();
    char leading[KeptDigits + 1];
    number.LeadingDigits(leading, KeptDigits + 1);
    DecimalExpansion expansion{};
    expansion.exponent = count - fractionDigits;
    for (int i = 0; i < KeptDigits; ++i)
        expansion.digits[static_cast<std::size_t>(i)] = leading[i];
    if (count <= KeptDigits) return expansion;

    // Up above one half, and at exactly one half to the even digit.
    const int next = leading[KeptDigits] - '0';
    const bool up = next > 5 || (next == 5 && (number.AnyDigitFrom(KeptDigits + 1) ||
                                               (expansion.digits[KeptDigits - 1] - '0') % 2 != 0));
    if (up) {
        int i = KeptDigits - 1;
        while (i >= 0 && expansion.digits[static_cast<std::size_t>(i)] == '9')
            expansion.digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++expansion.digits[static_cast<std::size_t>(i)];
        } else { // 0.999..9 rounded up: 0.1 x 10^(exponent + 1)
            expansion.digits[0] = '1';
            ++expansion.exponent;
        }
    }
    return expansion;
}

DecimalExpansion Expand(std::uint64_t significand, int binaryExponent, DecimalInteger::Cut cut,
                        int windowLimbs, bool* cutting = nullptr) {
    DecimalInteger number(significand, cut, windowLimbs);
    Scale(number, binaryExponent);
    if (cutting != nullptr) *cutting = number.Cutting();
    return RoundedDigits(number, binaryExponent < 0 ? -binaryExponent : 0);
}

bool operator==(const DecimalExpansion& a, const DecimalExpansion& b) {
    return a.digits == b.digits && a.exponent == b.exponent;
}

} // namespace

DecimalExpansion ExpandExactly(std::uint64_t significand, int binaryExponent) {
    return ExpandExactly(significand, binaryExponent, WindowLimbs);
}

DecimalExpansion ExpandExactly(std::uint64_t significand, int binaryExponent, int windowLimbs) {
    using Cut = DecimalInteger::Cut;
    bool cutting = false;
    const DecimalExpansion below =
        Expand(significand, binaryExponent, Cut::Down, windowLimbs, &cutting);
    if (!cutting) return below; // nothing was cut: exact
    if (Expand(significand, binaryExponent, Cut::Up, windowLimbs) == below) return below;
    return Expand(significand, binaryExponent, Cut::Exact, windowLimbs);
}

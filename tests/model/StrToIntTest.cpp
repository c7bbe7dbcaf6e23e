// The whole-number conversion of spin boxes and ration quantities.
#include "StrToInt.h"
#include "Errors.h"

#include <QTest>

#include <charconv>
#include <optional>
#include <string>

namespace {

// An independent reading of the same rule, built on std::from_chars: blanks, one sign, then
// either a hexadecimal prefix and a 32-bit pattern or decimal digits within the 32-bit range.
std::optional<std::int32_t> ReferenceStrToInt(std::string_view text) {
    const auto firstNonBlank = text.find_first_not_of(' ');
    if (firstNonBlank == std::string_view::npos) return std::nullopt;
    text.remove_prefix(firstNonBlank);
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) text.remove_prefix(1);

    int base = 10;
    for (const std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (text.starts_with(prefix)) {
            text.remove_prefix(prefix.size());
            base = 16;
            break;
        }
    }
    // from_chars of an unsigned type accepts no sign of its own.
    std::uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;

    if (magnitude > 0xFFFFFFFFu) return std::nullopt;
    const std::int64_t value =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (base == 16)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); // the pattern, wrapped
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace

class StrToIntTest : public QObject {
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void rejected_data();
    void rejected();
    void hugeTexts();
    void convertErrorNamesTheWholeText_data();
    void convertErrorNamesTheWholeText();
    void agreesWithReferenceOnShortTexts();
};

void StrToIntTest::accepted_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("plain") << QByteArray("170") << 170;
    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("minus zero") << QByteArray("-0") << 0;
    QTest::newRow("leading zeros") << QByteArray("007") << 7;
    QTest::newRow("leading blanks") << QByteArray("   42") << 42;
    QTest::newRow("plus sign") << QByteArray("+42") << 42;
    QTest::newRow("blanks then minus") << QByteArray("  -80") << -80;
    QTest::newRow("largest") << QByteArray("2147483647") << 2147483647;
    QTest::newRow("smallest") << QByteArray("-2147483648") << INT32_MIN;
    QTest::newRow("smallest with leading zeros") << QByteArray("-0002147483648") << INT32_MIN;
    QTest::newRow("hex $FF") << QByteArray("$FF") << 255;
    QTest::newRow("hex x1a") << QByteArray("x1a") << 26;
    QTest::newRow("hex X1A") << QByteArray("X1A") << 26;
    QTest::newRow("hex 0XfF") << QByteArray("0XfF") << 255;
    QTest::newRow("hex 0x10") << QByteArray("0x10") << 16;
    QTest::newRow("hex after blanks and plus") << QByteArray("  +$10") << 16;
    QTest::newRow("hex $FFFFFFFF is -1") << QByteArray("$FFFFFFFF") << -1;
    QTest::newRow("hex $7FFFFFFF") << QByteArray("$7FFFFFFF") << INT32_MAX;
    QTest::newRow("hex $80000000") << QByteArray("$80000000") << INT32_MIN;
    QTest::newRow("hex negated -$1") << QByteArray("-$1") << -1;
    QTest::newRow("hex negated -$FFFFFFFF wraps to 1") << QByteArray("-$FFFFFFFF") << 1;
    QTest::newRow("hex negated -$80000000 wraps to itself")
        << QByteArray("-$80000000") << INT32_MIN;
    QTest::newRow("hex with leading zeros") << QByteArray("$000000000FF") << 255;
    QTest::newRow("hex zero") << QByteArray("$0") << 0;
}

void StrToIntTest::accepted() {
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    const std::string_view view(text.constData(), static_cast<std::size_t>(text.size()));
    const auto value = TryStrToInt(view);
    QVERIFY(value.has_value());
    QCOMPARE(*value, expected);
    QCOMPARE(StrToInt(view), expected);
}

void StrToIntTest::rejected_data() {
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("blanks only") << QByteArray("   ");
    QTest::newRow("lone minus") << QByteArray("-");
    QTest::newRow("lone plus") << QByteArray("+");
    QTest::newRow("two signs") << QByteArray("--5");
    QTest::newRow("blank after the sign") << QByteArray("- 5");
    QTest::newRow("trailing blank") << QByteArray("5 ");
    QTest::newRow("tab before digits") << QByteArray("\t5");
    QTest::newRow("line feed after digits") << QByteArray("5\n");
    QTest::newRow("comma") << QByteArray("1,5");
    QTest::newRow("full stop") << QByteArray("1.5");
    QTest::newRow("exponent") << QByteArray("1e3");
    QTest::newRow("above the largest") << QByteArray("2147483648");
    QTest::newRow("below the smallest") << QByteArray("-2147483649");
    QTest::newRow("far above") << QByteArray("99999999999999999999");
    QTest::newRow("hex prefix alone $") << QByteArray("$");
    QTest::newRow("hex prefix alone 0x") << QByteArray("0x");
    QTest::newRow("hex prefix alone x") << QByteArray("x");
    QTest::newRow("hex of 33 bits") << QByteArray("$100000000");
    QTest::newRow("hex with a stray g") << QByteArray("$FG");
    QTest::newRow("hex with a sign after the prefix") << QByteArray("$-1");
    QTest::newRow("two hex prefixes") << QByteArray("$x1");
    QTest::newRow("hex digits without prefix") << QByteArray("FF");
    QTest::newRow("embedded NUL") << QByteArray("12\0"
                                                "3",
                                                4);
    QTest::newRow("Arabic-Indic digit three") << QByteArray("\xd9\xa3");
    QTest::newRow("fullwidth digit one") << QByteArray("\xef\xbc\x91");
    QTest::newRow("Cyrillic letters") << QByteArray("пять");
    QTest::newRow("non-breaking space before digits") << QByteArray("\xc2\xa0"
                                                                    "5");
}

void StrToIntTest::rejected() {
    QFETCH(QByteArray, text);
    const std::string_view view(text.constData(), static_cast<std::size_t>(text.size()));
    QVERIFY(!TryStrToInt(view).has_value());
    QVERIFY_THROWS_EXCEPTION(ConvertError, StrToInt(view));
}

// Long texts are read without overflow: every digit is checked against the range as it comes.
void StrToIntTest::hugeTexts() {
    const std::size_t megabyte = std::size_t{1} << 20;
    QVERIFY(!TryStrToInt(std::string(megabyte, '9')).has_value());
    QVERIFY(!TryStrToInt("-" + std::string(megabyte, '1')).has_value());
    QVERIFY(!TryStrToInt("$" + std::string(megabyte, 'F')).has_value());
    QCOMPARE(TryStrToInt(std::string(megabyte, '0') + "7"), std::optional<std::int32_t>(7));
    QCOMPARE(TryStrToInt("$" + std::string(megabyte, '0') + "1"), std::optional<std::int32_t>(1));
    QVERIFY(!TryStrToInt(std::string(megabyte, ' ')).has_value());
}

void StrToIntTest::convertErrorNamesTheWholeText_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("out of range") << QByteArray("2147483648")
                                  << QStringLiteral("''2147483648'' is not a valid integer value");
    QTest::newRow("blanks kept") << QByteArray("  12 ")
                                 << QStringLiteral("''  12 '' is not a valid integer value");
    QTest::newRow("empty") << QByteArray("") << QStringLiteral("'''' is not a valid integer value");
    QTest::newRow("Cyrillic") << QByteArray("пять")
                              << QStringLiteral("''пять'' is not a valid integer value");
    // what() ends at a NUL: the message once stopped at "''21".
    QTest::newRow("pasted NULs show as the symbol for null")
        << QByteArray("21\0\0"
                      "474",
                      7)
        << QStringLiteral("''21\u2400\u2400474'' is not a valid integer value");
}

void StrToIntTest::convertErrorNamesTheWholeText() {
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    const std::string input = text.toStdString();
    try {
        StrToInt(input);
        QFAIL("no ConvertError");
    } catch (const ConvertError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
        QCOMPARE(error.text, input);
    }
}

// Every text of up to five characters over an alphabet of blanks, signs, digits, prefixes and
// hexadecimal letters.
void StrToIntTest::agreesWithReferenceOnShortTexts() {
    const std::string alphabet = " +-0129$xXaF";
    std::string text;
    int checked = 0;
    QString firstDifference;
    const auto check = [&](auto& self, std::size_t length) -> void {
        const auto actual = TryStrToInt(text);
        const auto expected = ReferenceStrToInt(text);
        ++checked;
        if (actual != expected && firstDifference.isEmpty())
            firstDifference =
                QStringLiteral("\"%1\": got %2, expected %3")
                    .arg(QString::fromStdString(text),
                         actual ? QString::number(*actual) : QStringLiteral("failure"),
                         expected ? QString::number(*expected) : QStringLiteral("failure"));
        if (length == 5) return;
        for (const char c : alphabet) {
            text.push_back(c);
            self(self, length + 1);
            text.pop_back();
        }
    };
    check(check, 0);
    QCOMPARE(checked, 1 + 12 + 144 + 1728 + 20736 + 248832);
    QVERIFY2(firstDifference.isEmpty(), qPrintable(firstDifference));
}

QTEST_APPLESS_MAIN(StrToIntTest)
#include "StrToIntTest.moc"

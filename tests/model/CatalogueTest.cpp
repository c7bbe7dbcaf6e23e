// The built-in catalogue: its size and order, the grouping by category that the picker's tree
// relies on, names that must be byte-exact, the values, the commentaries and the category names.
#include "Product.h"
#include "Products.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {
constexpr std::size_t CatalogueSize = 93;

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QByteArray Bytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// Decodes strictly: a malformed sequence makes the text differ from its round trip.
bool IsValidUtf8(std::string_view text) {
    return Text(text).toUtf8() == Bytes(text);
}

qsizetype CodePointCount(std::string_view utf8) {
    return Text(utf8).toUcs4().size();
}

bool HasControlCharacter(std::string_view text) {
    for (const char byte : text)
        if (static_cast<unsigned char>(byte) < 0x20 || byte == '\x7F') return true;
    return false;
}

// The double that a one-decimal literal such as 18.4 gives.
bool IsOneDecimalLiteral(double value) {
    const double tenths = std::round(value * 10.0);
    return std::abs(value * 10.0 - tenths) < 1e-9 && value == tenths / 10.0;
}
} // namespace

class CatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void sizeAndEnds();
    void namesAreUniqueAndClean();
    void categoryRun_data();
    void categoryRun();
    void runsAscendAndCoverTheCatalogue();
    void exactNameBytes_data();
    void exactNameBytes();
    void values_data();
    void values();
    void valuesAreOneDecimalNumbers();
    void givenDescription_data();
    void givenDescription();
    void sharedDescriptions();
    void descriptionShape();
    void categoryName_data();
    void categoryName();
};

void CatalogueTest::sizeAndEnds() {
    const auto catalogue = Catalogue();
    QCOMPARE(catalogue.size(), CatalogueSize);
    QCOMPARE(Text(catalogue.front().Name), u"Говядина"_s);
    QCOMPARE(Text(catalogue.back().Name), u"Дыня"_s);
}

void CatalogueTest::namesAreUniqueAndClean() {
    std::set<std::string> seen;
    for (const TProduct& product : Catalogue()) {
        const QString name = Text(product.Name);
        QVERIFY2(seen.insert(product.Name).second, qPrintable(name));
        QVERIFY2(IsValidUtf8(product.Name), qPrintable(name));
        QVERIFY2(!name.isEmpty() && name.trimmed() == name, qPrintable(name));
        QVERIFY2(!HasControlCharacter(product.Name), qPrintable(name));
    }
}

void CatalogueTest::categoryRun_data() {
    QTest::addColumn<std::int32_t>("category");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");

    QTest::newRow("0 nothing") << 0 << 0 << 0;
    QTest::newRow("1 meat, fish") << 1 << 0 << 16;
    QTest::newRow("2 grains, pulses") << 2 << 16 << 11;
    QTest::newRow("3 butter, cream") << 3 << 27 << 6;
    QTest::newRow("4 sour cream") << 4 << 33 << 4;
    QTest::newRow("5 vegetable oil") << 5 << 37 << 6;
    QTest::newRow("6 sweets, a single food") << 6 << 43 << 1;
    QTest::newRow("7 bread, potatoes") << 7 << 44 << 3;
    QTest::newRow("8 sour fruit") << 8 << 47 << 5;
    QTest::newRow("9 half-sour fruit") << 9 << 52 << 5;
    QTest::newRow("10 sweet and dried fruit") << 10 << 57 << 7;
    QTest::newRow("11 non-starchy vegetables") << 11 << 64 << 12;
    QTest::newRow("12 starchy vegetables") << 12 << 76 << 4;
    QTest::newRow("13 milk, a single food") << 13 << 80 << 1;
    QTest::newRow("14 cottage cheese, yoghurt") << 14 << 81 << 2;
    QTest::newRow("15 cheese") << 15 << 83 << 2;
    QTest::newRow("16 eggs, a single food") << 16 << 85 << 1;
    QTest::newRow("17 nuts") << 17 << 86 << 5;
    QTest::newRow("18 mushrooms, named but empty") << 18 << 0 << 0;
    QTest::newRow("19 melons") << 19 << 91 << 2;
}

void CatalogueTest::categoryRun() {
    QFETCH(std::int32_t, category);
    QFETCH(int, first);
    QFETCH(int, count);

    std::vector<int> members;
    const auto catalogue = Catalogue();
    for (std::size_t index = 0; index < catalogue.size(); ++index)
        if (catalogue[index].Category == category) members.push_back(static_cast<int>(index));

    std::vector<int> expected;
    for (int index = first; index < first + count; ++index)
        expected.push_back(index);
    QCOMPARE(members, expected);
}

void CatalogueTest::runsAscendAndCoverTheCatalogue() {
    std::int32_t previous = 1;
    for (const TProduct& product : Catalogue()) {
        QVERIFY2(product.Category >= previous, qPrintable(Text(product.Name)));
        QVERIFY2(product.Category >= 1 && product.Category <= 19, qPrintable(Text(product.Name)));
        previous = product.Category;
    }
}

void CatalogueTest::exactNameBytes_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("bytes");

    // Straight ASCII double quotes (0x22) and "ё" (U+0451, D1 91) where other names have "е".
    QTest::newRow("cheese in quotes") << 83 << QByteArray("Сыр \x22Российский\x22");
    QTest::newRow("feta ending in a quote") << 84 << QByteArray("Брынза из коровьего молока\x22");
    QTest::newRow("honey with yo") << 43
                                   << QByteArray("Липовый м"
                                                 "\xD1\x91"
                                                 "д");
    QTest::newRow("spring onion with yo") << 66
                                          << QByteArray("Лук зел"
                                                        "\xD1\x91"
                                                        "ный");
    QTest::newRow("durum wheat with ye") << 17
                                         << QByteArray("Пшеница тв"
                                                       "\xD0\xB5"
                                                       "рдая");
    QTest::newRow("sturgeon with ye") << 13
                                      << QByteArray("Ос"
                                                    "\xD0\xB5"
                                                    "тр");
}

void CatalogueTest::exactNameBytes() {
    QFETCH(int, index);
    QFETCH(QByteArray, bytes);

    QCOMPARE(Bytes(Catalogue()[static_cast<std::size_t>(index)].Name), bytes);
}

void CatalogueTest::values_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("ugl");
    QTest::addColumn<double>("bel");
    QTest::addColumn<double>("zir");

    QTest::newRow("chicken") << 4 << u"Курятина"_s << 0.7 << 18.2 << 18.4;
    QTest::newRow("goose, the fattest meat") << 6 << u"Мясо гусей"_s << 0.0 << 15.2 << 39.0;
    QTest::newRow("zander") << 14 << u"Судак"_s << 0.0 << 18.4 << 1.1;
    QTest::newRow("pike, same values as zander") << 15 << u"Щука"_s << 0.0 << 18.4 << 1.1;
    QTest::newRow("soy") << 25 << u"Соя"_s << 26.5 << 34.9 << 17.3;
    QTest::newRow("olive oil, the one at 99.8") << 39 << u"Оливковое масло"_s << 0.0 << 0.0 << 99.8;
    QTest::newRow("pasta, sums to 100")
        << 45 << u"Макароны цельнозерновые"_s << 81.6 << 15.9 << 2.5;
    QTest::newRow("feta") << 84 << u"Брынза из коровьего молока\""_s << 0.0 << 17.9 << 20.1;
    QTest::newRow("pine nut") << 90 << u"Кедровый орех"_s << 4.0 << 14.0 << 70.0;
    QTest::newRow("melon") << 92 << u"Дыня"_s << 10.3 << 0.6 << 0.0;
}

void CatalogueTest::values() {
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(double, ugl);
    QFETCH(double, bel);
    QFETCH(double, zir);

    const TProduct& product = Catalogue()[static_cast<std::size_t>(index)];
    QCOMPARE(Text(product.Name), name);
    // Exact: the record holds the very double the literal gives.
    QVERIFY(product.Ugl == ugl);
    QVERIFY(product.Bel == bel);
    QVERIFY(product.Zir == zir);
}

void CatalogueTest::valuesAreOneDecimalNumbers() {
    for (const TProduct& product : Catalogue()) {
        const QByteArray name = Text(product.Name).toLocal8Bit();
        for (const double value : {product.Ugl, product.Bel, product.Zir}) {
            QVERIFY2(IsOneDecimalLiteral(value), name.constData());
            QVERIFY2(value >= 0.0, name.constData());
        }
        // Grams per 100 g: together they cannot exceed the food itself.
        QVERIFY2(product.Ugl + product.Bel + product.Zir <= 100.0 + 1e-9, name.constData());
    }
}

void CatalogueTest::givenDescription_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("description");

    const QString sourCream = u"По сути это сливки, подвергшиеся молочнокислому брожению"_s;
    QTest::newRow("beef") << 0
                          << u"Мясо коров. Не самое лучшее, что можно употребить в "
                             u"качестве еды."_s;
    QTest::newRow("soft wheat")
        << 16
        << u"Обладает многими полезными свойствами, укрепляющими и очищающими организм. "
           u"Этот злак имеет мистическое происхождение. К сожалению после обработки в "
           u"современных элеваторах пшеница теряет много полезных свойств и может стать даже "
           u"вредной."_s;
    QTest::newRow("sour cream 10%") << 33 << sourCream;
    QTest::newRow("sour cream 20%") << 34 << sourCream;
    QTest::newRow("sour cream 30%") << 35 << sourCream;
    QTest::newRow("sour cream 40%") << 36 << sourCream;
    QTest::newRow("cedar oil") << 42 << u"Лекарство от 100 болезней."_s;
    QTest::newRow("swede") << 78 << u"Швецкая репа."_s;
}

void CatalogueTest::givenDescription() {
    QFETCH(int, index);
    QFETCH(QString, description);

    QCOMPARE(Text(Catalogue()[static_cast<std::size_t>(index)].Description), description);
}

void CatalogueTest::sharedDescriptions() {
    std::map<std::string, std::vector<int>> holders;
    const auto catalogue = Catalogue();
    for (std::size_t index = 0; index < catalogue.size(); ++index)
        holders[catalogue[index].Description].push_back(static_cast<int>(index));

    // The four sour creams share one text, dill and lettuce another; every other text is a
    // food's own.
    std::vector<std::vector<int>> shared;
    for (const auto& [description, indexes] : holders)
        if (indexes.size() > 1) shared.push_back(indexes);
    std::sort(shared.begin(), shared.end());

    const std::vector<std::vector<int>> expected = {{33, 34, 35, 36}, {73, 74}};
    QCOMPARE(shared, expected);
    QCOMPARE(holders.size(), CatalogueSize - 3 - 1);
}

void CatalogueTest::descriptionShape() {
    for (const TProduct& product : Catalogue()) {
        const std::string& description = product.Description;
        const QString text = Text(description);
        const QByteArray name = Text(product.Name).toLocal8Bit();

        QVERIFY2(IsValidUtf8(description), name.constData());
        const qsizetype length = CodePointCount(description);
        QVERIFY2(length >= 13 && length <= 236,
                 qPrintable(u"%1: %2 characters"_s.arg(Text(product.Name)).arg(length)));
        QVERIFY2(!HasControlCharacter(description), name.constData());
        QVERIFY2(text.trimmed() == text, name.constData());
        QVERIFY2(!text.contains(u"  "_s), name.constData());
    }
}

void CatalogueTest::categoryName_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("name");

    const QString names[] = {
        QString(),
        u"Мясо, рыба"_s,
        u"Зернобобовые"_s,
        u"Сливочное масло, сливки"_s,
        u"Сметана"_s,
        u"Растительное масло"_s,
        u"Торты, пирожные, сахар, мёд"_s,
        u"Хлеб, крупы, макароны, картофель"_s,
        u"Фрукты кислые"_s,
        u"Фрукты полукислые"_s,
        u"Фрукты сладкие, сухофрукты"_s,
        u"Овощи некрахмалистые"_s,
        u"Овощи крахмалистые"_s,
        u"Молоко"_s,
        u"Творог, кисло-молочные продукты"_s,
        u"Сыр, брынза"_s,
        u"Яйца"_s,
        u"Орехи"_s,
        u"Грибы"_s,
        u"Бахчевые"_s,
    };
    for (int category = 0; category < 20; ++category)
        QTest::addRow("category %d", category) << category << names[category];
}

void CatalogueTest::categoryName() {
    QFETCH(int, category);
    QFETCH(QString, name);

    QCOMPARE(Text(CategoryNames[static_cast<std::size_t>(category)]), name);
}

QTEST_APPLESS_MAIN(CatalogueTest)
#include "CatalogueTest.moc"

// The main window driven as a user would: the first view, the body-mass index following every
// keystroke, the spin boxes' limits, the error box, the links and the help window.
#include "FormsFixture.h"
#include "Help.h"
#include "IntegerSpinBox.h"
#include "LinkLabel.h"
#include "Main.h"
#include "StringGrid.h"
#include "UrlOpener.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

class MainWindowTest : public QObject {
    Q_OBJECT
    FormsFixture fixture;

    template <typename T> static T* find(const char* name) {
        auto* widget = MainForm->findChild<T*>(QString::fromLatin1(name));
        if (!widget) qFatal("no control %s", name);
        return widget;
    }
    static QString label(const char* name) { return find<QLabel>(name)->text(); }
    static IntegerSpinBox* spin(const char* name) { return find<IntegerSpinBox>(name); }
    static QLineEdit* field(const char* name) { return spin(name)->findChild<QLineEdit*>(); }

    // Types into a spin box as a user would after clicking at the end of its text.
    static void typeAtEnd(const char* name, const QString& keys) {
        spin(name)->setFocus(Qt::MouseFocusReason);
        field(name)->end(false);
        QTest::keyClicks(spin(name), keys);
    }
    static void retype(const char* name, const QString& keys) {
        spin(name)->setFocus(Qt::TabFocusReason);
        field(name)->selectAll(); // in case the box had the focus already
        QTest::keyClicks(spin(name), keys);
    }
    static void leave(const char* name) {
        Q_UNUSED(name);
        find<QPushButton>("NeedButton")->setFocus(Qt::TabFocusReason);
    }

private slots:
    void initTestCase() { FormsFixture::initApplication(); }
    void init() { fixture.createAndShowForms(); }
    void cleanup() { fixture.destroyForms(); }

    void firstView() {
        QCOMPARE(MainForm->windowTitle(), QStringLiteral("Рационик 1.0"));
        QCOMPARE(MainForm->size(), QSize(784, 558));
        QVERIFY(!(MainForm->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Рационик"));
        QCOMPARE(spin("HeightEdit")->text(), QStringLiteral("170"));
        QCOMPARE(spin("WeightEdit")->text(), QStringLiteral("80"));
        QCOMPARE(spin("OldEdit")->text(), QStringLiteral("33"));
        QCOMPARE(find<QComboBox>("SexBox")->currentText(), QStringLiteral("Жен"));
        QCOMPARE(label("IMTValue"), QStringLiteral("27,7 - Избыток"));
        QCOMPARE(label("IMTText"), QStringLiteral("Риск для здоровья средний"));
        QCOMPARE(label("IMTComment"), QStringLiteral("Необходимо снижение массы тела"));
        QCOMPARE(spin("IdealEdit")->text(), QStringLiteral("60"));
        QVERIFY(fixture.errorBoxes.isEmpty());
    }

    void keyboardOrderIsAgeHeightWeightSex() {
        const QStringList expected{
            QStringLiteral("OldEdit"),         QStringLiteral("HeightEdit"),
            QStringLiteral("WeightEdit"),      QStringLiteral("SexBox"),
            QStringLiteral("MacroGrid"),       QStringLiteral("NeedButton"),
            QStringLiteral("NeedDescButton"),  QStringLiteral("IdealEdit"),
            QStringLiteral("AddProductBtn"),   QStringLiteral("ProductGrid"),
            QStringLiteral("DelProductBtn"),   QStringLiteral("ProductInfoBtn"),
            QStringLiteral("ClearProductsBtn")};
        QStringList order;
        QWidget* widget = spin("OldEdit");
        do {
            if (expected.contains(widget->objectName()) && !order.contains(widget->objectName()))
                order << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != spin("OldEdit"));
        QCOMPARE(order, expected);
        QVERIFY(spin("OldEdit")->hasFocus()); // the window opens on the age, its text selected
        QCOMPARE(field("OldEdit")->selectedText(), QStringLiteral("33"));
    }

    void indexFollowsEveryKeystroke() {
        typeAtEnd("HeightEdit", QStringLiteral("1"));
        QCOMPARE(spin("HeightEdit")->text(), QStringLiteral("1701"));
        QCOMPARE(label("IMTValue"), QStringLiteral("0,276 - Анорексия"));
        QCOMPARE(label("IMTText"), QStringLiteral("Риск для здоровья очень высокий"));
        QCOMPARE(spin("IdealEdit")->text(), QStringLiteral("826"));
        leave("HeightEdit");
        QCOMPARE(spin("HeightEdit")->text(), QStringLiteral("250"));
        QCOMPARE(label("IMTValue"), QStringLiteral("12,8 - Анорексия"));
        QCOMPARE(spin("IdealEdit")->text(), QStringLiteral("100"));
    }

    void examples_data() {
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("age");
        QTest::addColumn<QString>("shown");
        QTest::newRow("age 25 moves the bands") << "170"
                                                << "70"
                                                << "25"
                                                << "24,2 - Избыток";
        QTest::newRow("age 26") << "170"
                                << "70"
                                << "26"
                                << "24,2 - Норма";
        QTest::newRow("18.75 rounds up") << "160"
                                         << "48"
                                         << "40"
                                         << "18,8 - Дефицит";
        QTest::newRow("height 5 in scientific form") << "5"
                                                     << "80"
                                                     << "33"
                                                     << "3,2E4 - Ожирение 4 ст.";
        QTest::newRow("negative weight") << "170"
                                         << "-80"
                                         << "33"
                                         << "-27,7 - Анорексия";
        QTest::newRow("emptied weight counts as 30") << "170"
                                                     << ""
                                                     << "33"
                                                     << "10,4 - Анорексия";
        QTest::newRow("80,5 counts as 30") << "170"
                                           << "80,5"
                                           << "33"
                                           << "10,4 - Анорексия";
        QTest::newRow("largest weight") << "100"
                                        << "2147483647"
                                        << "33"
                                        << "2,15E9 - Ожирение 4 ст.";
    }
    void examples() {
        QFETCH(QString, height);
        QFETCH(QString, weight);
        QFETCH(QString, age);
        QFETCH(QString, shown);
        // Set as pasted texts: leaving a field would write back values beyond its limits.
        field("OldEdit")->setText(age);
        field("HeightEdit")->setText(height);
        field("WeightEdit")->setText(weight);
        QCOMPARE(label("IMTValue"), shown);
        QVERIFY(fixture.errorBoxes.isEmpty());
    }

    void upInAnEmptiedHeightStartsAtTheMinimum() {
        retype("HeightEdit", QString());
        QTest::keyClick(spin("HeightEdit"), Qt::Key_Backspace);
        QCOMPARE(spin("IdealEdit")->text(), QStringLiteral("25")); // empty reads as 100 cm
        QTest::keyClick(spin("HeightEdit"), Qt::Key_Up);
        QCOMPARE(spin("HeightEdit")->text(), QStringLiteral("101"));
        QCOMPARE(label("IMTValue"), QStringLiteral("78,4 - Ожирение 4 ст."));
        QCOMPARE(spin("IdealEdit")->text(), QStringLiteral("26"));
    }

    void stepAtTheLimitChangesNothing_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("key");
        QTest::newRow("height up at 250") << "HeightEdit"
                                          << "250" << int(Qt::Key_Up);
        QTest::newRow("age down at 18") << "OldEdit"
                                        << "18" << int(Qt::Key_Down);
        QTest::newRow("weight up at 300") << "WeightEdit"
                                          << "300" << int(Qt::Key_Up);
    }
    void stepAtTheLimitChangesNothing() {
        QFETCH(QString, box);
        QFETCH(QString, value);
        QFETCH(int, key);
        const QByteArray name = box.toLatin1();
        retype(name.constData(), value);
        const QString shown = label("IMTValue");
        spin("IdealEdit")->setValue(777); // the ideal weight would be rewritten by a height change
        QSignalSpy changes(spin(name.constData()), &IntegerSpinBox::changed);
        QTest::keyClick(spin(name.constData()), Qt::Key(key));
        QCOMPARE(changes.count(), 0);
        QCOMPARE(spin(name.constData())->text(), value);
        QCOMPARE(label("IMTValue"), shown);
        QCOMPARE(spin("IdealEdit")->text(), QStringLiteral("777"));
    }

    void typedHeightOfZeroShowsTheErrorBox_data() {
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("message");
        QTest::newRow("division by zero") << "80"
                                          << "Floating point division by zero.";
        QTest::newRow("zero by zero") << "0"
                                      << "Invalid floating point operation.";
    }
    void typedHeightOfZeroShowsTheErrorBox() {
        QFETCH(QString, weight);
        QFETCH(QString, message);
        field("WeightEdit")->setText(weight); // typing it and leaving would write back 30
        const QStringList before{label("IMTValue"), label("IMTText"), label("IMTComment")};
        fixture.errorBoxes.clear();
        retype("HeightEdit", QStringLiteral("0"));
        QCOMPARE(fixture.errorBoxes, QStringList{message});
        QCOMPARE((QStringList{label("IMTValue"), label("IMTText"), label("IMTComment")}), before);
        QCOMPARE(spin("IdealEdit")->text(), QStringLiteral("60"));
        QCOMPARE(spin("HeightEdit")->text(), QStringLiteral("0"));
        leave("HeightEdit"); // writes back 100 and recomputes
        QCOMPARE(spin("HeightEdit")->text(), QStringLiteral("100"));
        QCOMPARE(spin("IdealEdit")->text(), QStringLiteral("25"));
    }

    void idealWeightAndSexRecomputeNothing() {
        retype("IdealEdit", QStringLiteral("-1349"));
        QCOMPARE(spin("IdealEdit")->text(), QStringLiteral("-1349"));
        leave("IdealEdit");
        QCOMPARE(spin("IdealEdit")->text(), QStringLiteral("-1349")); // no limits
        find<QComboBox>("SexBox")->setCurrentIndex(1);
        QCOMPARE(label("IMTValue"), QStringLiteral("27,7 - Избыток"));
        QCOMPARE(spin("IdealEdit")->text(), QStringLiteral("-1349"));
        retype("HeightEdit", QStringLiteral("180")); // only a height change rewrites it
        QCOMPARE(spin("IdealEdit")->text(), QStringLiteral("65"));
    }

    void decimalSeparatorFollowsTheRegionalSettings() {
        OverrideDecimalSeparator(QStringLiteral("."));
        retype("OldEdit", QStringLiteral("34"));
        QCOMPARE(label("IMTValue"), QStringLiteral("27.7 - Избыток"));
        OverrideDecimalSeparator(QStringLiteral(","));
    }

    void linksOpenTheProjectSite_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("address");
        QTest::newRow("ideal weight") << "IdealLink"
                                      << "http://ratsion-na-zdorovye.example.org/Инструменты/"
                                         "Расчет_идеального_веса/?partner=Ratsionik";
        QTest::newRow("start page") << "MainLink"
                                    << "http://ratsion-na-zdorovye.example.org/?partner=Ratsionik";
    }
    void linksOpenTheProjectSite() {
        QFETCH(QString, link);
        QFETCH(QString, address);
        QStringList opened;
        SetUrlOpener([&opened](const QString& a) { opened << a; });
        auto* label = MainForm->findChild<LinkLabel*>(link);
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(3, label->height() / 2));
        QCOMPARE(opened, QStringList{address});
    }

    void mainLinkShowsTheSiteName() {
        const QString name = label("MainLink");
        QCOMPARE(name.size(), 18);
        QCOMPARE(name.left(7), QStringLiteral("Рацион-"));
    }

    void helpLinkShowsOneHelpWindowInFront() {
        auto* link = find<LinkLabel>("HelpLink");
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(HelpForm->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(HelpForm));
        int helpWindows = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            helpWindows += widget->isVisible() && qobject_cast<THelpForm*>(widget) != nullptr;
        QCOMPARE(helpWindows, 1);
    }

    void garbageAndExtremeInputNeverBreakTheWindow() {
        QApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('7')) +
                                           QStringLiteral("\x01\t\r\nЖ"));
        for (const char* box : {"HeightEdit", "WeightEdit", "OldEdit", "IdealEdit"}) {
            spin(box)->setFocus(Qt::TabFocusReason);
            QTest::keyClick(spin(box), Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(spin(box), Qt::Key_Up);
        }
        QCOMPARE(spin("HeightEdit")->text(), QStringLiteral("101"));
        for (const QString& text : {QStringLiteral("-2147483648"), QStringLiteral("2147483647"),
                                    QStringLiteral("$80000000"), QStringLiteral("-1")}) {
            retype("HeightEdit", text);
            retype("WeightEdit", text);
            retype("IdealEdit", text);
            QTest::keyClick(spin("IdealEdit"), Qt::Key_Up);
            QTest::keyClick(spin("IdealEdit"), Qt::Key_Down);
        }
        QVERIFY(fixture.errorBoxes.isEmpty());
        QVERIFY(label("IMTValue").contains(QLatin1String(" - ")));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

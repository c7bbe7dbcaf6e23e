// The main window driven as a user would: the first view, the body-mass index following every
// keystroke, the spin boxes' limits, the error box, the links and the help window.
#include "DialogForm.h"
#include "Forms.h"
#include "Help.h"
#include "IntegerSpinBox.h"
#include "LinkLabel.h"
#include "Main.h"
#include "RegionalSettings.h"
#include "StringGrid.h"
#include "UrlOpener.h"
#include "WindowDriver.h"
#include "WindowTest.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

using namespace Driver;

class MainWindowTest : public WindowTest {
    Q_OBJECT

    // Types into a spin box as a user would after clicking at the end of its text.
    static void typeAtEnd(const char* name, const QString& keys) {
        Spin(name).setFocus(Qt::MouseFocusReason);
        Field(name).end(false);
        QTest::keyClicks(&Spin(name), keys);
    }
    static void retype(const char* name, const QString& keys) {
        Spin(name).setFocus(Qt::TabFocusReason);
        Field(name).selectAll(); // in case the box had the focus already
        QTest::keyClicks(&Spin(name), keys);
    }
    static void leave(const char* name) {
        Q_UNUSED(name);
        Control<QPushButton>("NeedButton").setFocus(Qt::TabFocusReason);
    }

private slots:

    void firstView() {
        QCOMPARE(MainForm->windowTitle(), QStringLiteral("Рационик 1.0"));
        QCOMPARE(MainForm->size(), QSize(784, 558));
        QVERIFY(!(MainForm->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Рационик"));
        QCOMPARE(Spin("HeightEdit").text(), QStringLiteral("170"));
        QCOMPARE(Spin("WeightEdit").text(), QStringLiteral("80"));
        QCOMPARE(Spin("OldEdit").text(), QStringLiteral("33"));
        QCOMPARE(Control<QComboBox>("SexBox").currentText(), QStringLiteral("Жен"));
        QCOMPARE(LabelText("IMTValue"), QStringLiteral("27,7 - Избыток"));
        QCOMPARE(LabelText("IMTText"), QStringLiteral("Риск для здоровья средний"));
        QCOMPARE(LabelText("IMTComment"), QStringLiteral("Необходимо снижение массы тела"));
        QCOMPARE(Spin("IdealEdit").text(), QStringLiteral("60"));
        QVERIFY(errorBoxes.isEmpty());
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
        QWidget* widget = &Spin("OldEdit");
        do {
            if (expected.contains(widget->objectName()) && !order.contains(widget->objectName()))
                order << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != &Spin("OldEdit"));
        QCOMPARE(order, expected);
        QVERIFY(Spin("OldEdit").hasFocus()); // the window opens on the age, its text selected
        QCOMPARE(Field("OldEdit").selectedText(), QStringLiteral("33"));
    }

    void indexFollowsEveryKeystroke() {
        typeAtEnd("HeightEdit", QStringLiteral("1"));
        QCOMPARE(Spin("HeightEdit").text(), QStringLiteral("1701"));
        QCOMPARE(LabelText("IMTValue"), QStringLiteral("0,276 - Анорексия"));
        QCOMPARE(LabelText("IMTText"), QStringLiteral("Риск для здоровья очень высокий"));
        QCOMPARE(Spin("IdealEdit").text(), QStringLiteral("826"));
        leave("HeightEdit");
        QCOMPARE(Spin("HeightEdit").text(), QStringLiteral("250"));
        QCOMPARE(LabelText("IMTValue"), QStringLiteral("12,8 - Анорексия"));
        QCOMPARE(Spin("IdealEdit").text(), QStringLiteral("100"));
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
        Field("OldEdit").setText(age);
        Field("HeightEdit").setText(height);
        Field("WeightEdit").setText(weight);
        QCOMPARE(LabelText("IMTValue"), shown);
        QVERIFY(errorBoxes.isEmpty());
    }

    void upInAnEmptiedHeightStartsAtTheMinimum() {
        retype("HeightEdit", QString());
        QTest::keyClick(&Spin("HeightEdit"), Qt::Key_Backspace);
        QCOMPARE(Spin("IdealEdit").text(), QStringLiteral("25")); // empty reads as 100 cm
        QTest::keyClick(&Spin("HeightEdit"), Qt::Key_Up);
        QCOMPARE(Spin("HeightEdit").text(), QStringLiteral("101"));
        QCOMPARE(LabelText("IMTValue"), QStringLiteral("78,4 - Ожирение 4 ст."));
        QCOMPARE(Spin("IdealEdit").text(), QStringLiteral("26"));
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
        const QString shown = LabelText("IMTValue");
        Spin("IdealEdit").setValue(777); // the ideal weight would be rewritten by a height change
        QSignalSpy changes(&Spin(name.constData()), &IntegerSpinBox::changed);
        QTest::keyClick(&Spin(name.constData()), Qt::Key(key));
        QCOMPARE(changes.count(), 0);
        QCOMPARE(Spin(name.constData()).text(), value);
        QCOMPARE(LabelText("IMTValue"), shown);
        QCOMPARE(Spin("IdealEdit").text(), QStringLiteral("777"));
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
        Field("WeightEdit").setText(weight); // typing it and leaving would write back 30
        const QStringList before{LabelText("IMTValue"), LabelText("IMTText"),
                                 LabelText("IMTComment")};
        errorBoxes.clear();
        retype("HeightEdit", QStringLiteral("0"));
        QCOMPARE(errorBoxes, QStringList{message});
        QCOMPARE(
            (QStringList{LabelText("IMTValue"), LabelText("IMTText"), LabelText("IMTComment")}),
            before);
        QCOMPARE(Spin("IdealEdit").text(), QStringLiteral("60"));
        QCOMPARE(Spin("HeightEdit").text(), QStringLiteral("0"));
        leave("HeightEdit"); // writes back 100 and recomputes
        QCOMPARE(Spin("HeightEdit").text(), QStringLiteral("100"));
        QCOMPARE(Spin("IdealEdit").text(), QStringLiteral("25"));
    }

    void idealWeightAndSexRecomputeNothing() {
        retype("IdealEdit", QStringLiteral("-1349"));
        QCOMPARE(Spin("IdealEdit").text(), QStringLiteral("-1349"));
        leave("IdealEdit");
        QCOMPARE(Spin("IdealEdit").text(), QStringLiteral("-1349")); // no limits
        Control<QComboBox>("SexBox").setCurrentIndex(1);
        QCOMPARE(LabelText("IMTValue"), QStringLiteral("27,7 - Избыток"));
        QCOMPARE(Spin("IdealEdit").text(), QStringLiteral("-1349"));
        retype("HeightEdit", QStringLiteral("180")); // only a height change rewrites it
        QCOMPARE(Spin("IdealEdit").text(), QStringLiteral("65"));
    }

    void decimalSeparatorFollowsTheRegionalSettings() {
        OverrideDecimalSeparator(QStringLiteral("."));
        retype("OldEdit", QStringLiteral("34"));
        QCOMPARE(LabelText("IMTValue"), QStringLiteral("27.7 - Избыток"));
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
        const QString name = LabelText("MainLink");
        QCOMPARE(name.size(), 18);
        QCOMPARE(name.left(7), QStringLiteral("Рацион-"));
    }

    void helpLinkShowsOneHelpWindowInFront() {
        auto* link = &Control<LinkLabel>("HelpLink");
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(HelpForm->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(HelpForm));
        int helpWindows = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            helpWindows += widget->isVisible() && qobject_cast<THelpForm*>(widget) != nullptr;
        QCOMPARE(helpWindows, 1);
    }

    void inputBeforeTheFirstPaintFindsTheHiddenWindows_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("help link") << "HelpLink";
        QTest::newRow("add button") << "AddProductBtn";
        QTest::newRow("needs notes") << "NeedDescButton";
    }
    void inputBeforeTheFirstPaintFindsTheHiddenWindows() {
        const auto windows = [] {
            QStringList names;
            for (const QWidget* child :
                 MainForm->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (child->isWindow())
                    names << QString::fromLatin1(child->metaObject()->className());
            return names;
        };
        // A click handled before the first paint, as input queued while the program starts.
        DestroyForms();
        QApplication::setWindowIcon(QIcon()); // set again once the first paint has run
        CreateForms();
        MainForm->show();
        QVERIFY(windows().isEmpty());
        QWidget* opened = nullptr;
        TDialogForm::SetModalHook([&](TDialogForm& dialog) { opened = &dialog; });
        QFETCH(QString, control);
        QTest::mouseClick(MainForm->findChild<QWidget*>(control), Qt::LeftButton, {}, {3, 3});
        QVERIFY(opened || HelpForm->isVisible());
        // Created once, in their order, and kept when the first paint has run.
        const QStringList created{QStringLiteral("TProductsForm"),
                                  QStringLiteral("TProductDescriptionForm"),
                                  QStringLiteral("TProductGridDescForm"),
                                  QStringLiteral("THelpForm"), QStringLiteral("TNeedDescForm")};
        QCOMPARE(windows(), created);
        const THelpForm* help = HelpForm;
        QTRY_VERIFY(!QApplication::windowIcon().isNull());
        QCOMPARE(windows(), created);
        QCOMPARE(HelpForm.get(), help);
    }

    void garbageAndExtremeInputNeverBreakTheWindow() {
        QApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('7')) +
                                           QStringLiteral("\x01\t\r\nЖ"));
        for (const char* box : {"HeightEdit", "WeightEdit", "OldEdit", "IdealEdit"}) {
            Spin(box).setFocus(Qt::TabFocusReason);
            QTest::keyClick(&Spin(box), Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(&Spin(box), Qt::Key_Up);
        }
        QCOMPARE(Spin("HeightEdit").text(), QStringLiteral("101"));
        for (const QString& text : {QStringLiteral("-2147483648"), QStringLiteral("2147483647"),
                                    QStringLiteral("$80000000"), QStringLiteral("-1")}) {
            retype("HeightEdit", text);
            retype("WeightEdit", text);
            retype("IdealEdit", text);
            QTest::keyClick(&Spin("IdealEdit"), Qt::Key_Up);
            QTest::keyClick(&Spin("IdealEdit"), Qt::Key_Down);
        }
        QVERIFY(errorBoxes.isEmpty());
        QVERIFY(LabelText("IMTValue").contains(QLatin1String(" - ")));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

// Every text of every window stays readable on the desktop's colour scheme: light, dark and high
// contrast. Each window is painted with the scheme's palette, and in each text-bearing control the
// ink that stands out most from the control's commonest colour must reach 4.5:1 contrast. The
// food-combining colours are fixed by name, red on white among them (4:1), and are left out.
// The arrows of spin boxes and scroll bars must reach 3:1 against their buttons.
#include "ClassicColours.h"
#include "ErrorDialog.h"
#include "Help.h"
#include "NeedDesc.h"
#include "ProductDescription.h"
#include "ProductGridDesc.h"
#include "ProductsList.h"
#include "StringGrid.h"
#include "WindowDriver.h"
#include "WindowTest.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextEdit>
#include <cmath>
#include <map>

using namespace Driver;

namespace {

QPalette Scheme(const QString& name) {
    if (name == QLatin1String("light"))
        return QApplication::style()->standardPalette(); // the program's Fusion
    const bool dark = name == QLatin1String("dark");
    const QColor window = dark ? QColor(0x35, 0x35, 0x35) : QColor(Qt::black);
    const QColor text = dark ? QColor(0xEE, 0xEE, 0xEC) : QColor(Qt::white);
    const QColor base = dark ? QColor(0x2D, 0x2D, 0x2D) : QColor(Qt::black);
    QPalette palette(text, window, window.lighter(150), window.darker(150), window.darker(120),
                     text, Qt::white, base, window);
    palette.setColor(QPalette::Highlight, dark ? QColor(0x15, 0x53, 0x9E) : QColor(Qt::yellow));
    palette.setColor(QPalette::HighlightedText, dark ? QColor(Qt::white) : QColor(Qt::black));
    return palette;
}

double Luminance(QRgb pixel) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) +
           0.0722 * linear(qBlue(pixel));
}

// The contrast between the commonest colour of `area` and the pixel that stands out most from it.
double InkContrast(const QImage& image, const QRect& area) {
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    int most = 0;
    for (const auto& [colour, count] : counts)
        if (count > most) std::tie(background, most) = std::tie(colour, count);
    const double lb = Luminance(background);
    double best = 1;
    for (const auto& [colour, count] : counts) {
        const double l = Luminance(colour);
        best = std::max(best, (std::max(l, lb) + 0.05) / (std::min(l, lb) + 0.05));
    }
    return best;
}

bool InVerdictColour(const QWidget& widget) {
    const QColor text = widget.palette().color(QPalette::WindowText);
    return text == ClassicColour::Good || text == ClassicColour::Acceptable ||
           text == ClassicColour::NotAllowed;
}

// Where each text-bearing control of `window` shows its text, in the window's own coordinates.
std::vector<std::pair<QString, QRect>> TextAreas(QWidget& window) {
    std::vector<std::pair<QString, QRect>> areas;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window) || widget->width() < 8 || widget->height() < 8) continue;
        QRect area = widget->rect();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->text().isEmpty() || InVerdictColour(*label)) continue;
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            area.setHeight(group->fontMetrics().height()); // the caption
        } else if (qobject_cast<QAbstractButton*>(widget) ||
                   qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QComboBox*>(widget)) {
            area = area.adjusted(4, 4, -4, -4); // inside the control's own frame
        } else if (!qobject_cast<QAbstractItemView*>(widget) && !qobject_cast<QTextEdit*>(widget) &&
                   !qobject_cast<QPlainTextEdit*>(widget)) {
            continue;
        }
        const QString name = widget->objectName().isEmpty()
                                 ? QString::fromLatin1(widget->metaObject()->className())
                                 : widget->objectName();
        areas.emplace_back(name, QRect(widget->mapTo(&window, area.topLeft()), area.size()));
    }
    return areas;
}

// The up arrow of each spin box and the first of each scroll bar: in the square at the top right
// corner, half the control's height at most, without the button's edges.
std::vector<std::pair<QString, QRect>> ArrowAreas(QWidget& window) {
    std::vector<std::pair<QString, QRect>> areas;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!qobject_cast<QAbstractSpinBox*>(widget) && !qobject_cast<QScrollBar*>(widget))
            continue;
        const int side = std::min(widget->width(), widget->height() / 2);
        const QRect area(widget->mapTo(&window, QPoint(widget->width() - side, 0)),
                         QSize(side, side));
        if (widget->isVisibleTo(&window))
            areas.emplace_back(QString::fromLatin1(widget->metaObject()->className()),
                               area.adjusted(2, 2, -2, -2));
    }
    return areas;
}

void CheckReadable(QWidget& window) {
    const QImage image = window.grab().toImage();
    const qreal scale = image.devicePixelRatio(); // the areas are in pixels, the image in dots
    for (const auto& [areas, least] :
         {std::pair(TextAreas(window), 4.5), std::pair(ArrowAreas(window), 3.0)})
        for (const auto& [name, area] : areas) {
            const QRect dots(area.topLeft() * scale, area.size() * scale);
            const double contrast = InkContrast(image, dots.intersected(image.rect()));
            QVERIFY2(contrast >= least, qPrintable(QStringLiteral("%1 in %2: %3:1")
                                                       .arg(name, window.objectName())
                                                       .arg(contrast, 0, 'f', 2)));
        }
}

} // namespace

class ColourSchemeTest : public WindowTest {
    Q_OBJECT

    QPalette desktop_;
    const QString To = QStringLiteral(" to ");

private slots:
    void initTestCase() {
        WindowTest::initTestCase();
        desktop_ = QApplication::palette();
    }
    // The desktop's scheme is there before the program starts, so it is set before the windows
    // are made; the data tag names it. "A to B": the desktop changes from A to B while it runs.
    void init() {
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        QApplication::setPalette(Scheme(tag.section(QStringLiteral(", "), 1).section(To, 0, 0)));
        WindowTest::init();
    }
    void cleanup() {
        WindowTest::cleanup();
        QApplication::setPalette(desktop_);
    }

    void everyTextIsReadable_data() {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("window");
        for (const char* scheme : {"light", "dark", "high contrast"})
            for (const char* window :
                 {"main", "picker", "description", "legend", "notes", "help", "error box"})
                QTest::addRow("%s, %s", window, scheme) << scheme << window;
        QTest::addRow("main, light to high contrast") << "light to high contrast"
                                                      << "main";
    }
    void everyTextIsReadable() {
        QFETCH(QString, scheme);
        QFETCH(QString, window);
        QApplication::setPalette(Scheme(scheme.section(To, -1)));
        QCoreApplication::processEvents(); // the change reaches the widgets
        // The main window as it is used: needs computed, 19 foods (they scroll), a quantity given.
        QTest::mouseClick(&Button("NeedButton"), Qt::LeftButton);
        for (int food = 0; food < 93; food += 5)
            AddFood(food);
        TypeQuantity(2, QStringLiteral("150"));
        if (window == QLatin1String("main")) {
            CheckReadable(*MainForm);
        } else if (window == QLatin1String("help")) {
            HelpForm->show();
            CheckReadable(*HelpForm);
        } else if (window == QLatin1String("error box")) {
            ErrorDialog box(MainForm, QStringLiteral("''1x'' is not a valid integer value."));
            box.show();
            CheckReadable(box);
        } else {
            const std::map<QString, std::pair<TDialogForm*, const char*>> dialogs{
                {QStringLiteral("picker"), {ProductsForm, "AddProductBtn"}},
                {QStringLiteral("description"), {ProductDescriptionForm, "ProductInfoBtn"}},
                {QStringLiteral("legend"), {ProductGridDescForm, "ClearProductsBtn"}},
                {QStringLiteral("notes"), {NeedDescForm, "NeedDescButton"}}};
            const auto& [dialog, button] = dialogs.at(window);
            bool shown = false;
            TDialogForm::SetModalHook([&](TDialogForm& open) {
                shown = &open == dialog;
                CheckReadable(open);
            });
            QTest::mouseClick(&Button(button), Qt::LeftButton);
            QVERIFY(shown);
        }
    }
};

QTEST_MAIN(ColourSchemeTest)
#include "ColourSchemeTest.moc"

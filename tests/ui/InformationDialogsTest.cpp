// The three information dialogs as the user meets them: the legend and the needs notes with their
// exact texts, fonts and colours, the product description wrapping a long commentary, modal
// showing from the main window, keys that must not close them, and where they appear.
#include "Main.h"
#include "NeedDesc.h"
#include "ProductDescription.h"
#include "ProductGridDesc.h"
#include "Products.h"
#include "WindowDriver.h"
#include "WindowTest.h"

#include <QAccessible>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <cmath>

namespace {
QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

TDialogForm* Dialog(const QString& name) {
    if (name == QLatin1String("ProductDescriptionForm")) return ProductDescriptionForm;
    if (name == QLatin1String("ProductGridDescForm")) return ProductGridDescForm;
    return NeedDescForm;
}

bool IsWhite(QRgb pixel) {
    return qRed(pixel) > 250 && qGreen(pixel) > 250 && qBlue(pixel) > 250;
}
} // namespace

using Driver::ShowModal;

class InformationDialogsTest : public WindowTest {
    Q_OBJECT

private slots:

    void frames_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client");
        QTest::newRow("product description") << "ProductDescriptionForm"
                                             << "Продукт" << QSize(450, 260);
        QTest::newRow("ration-table legend") << "ProductGridDescForm"
                                             << "Расшифровка таблицы продуктов" << QSize(492, 172);
        QTest::newRow("needs notes") << "NeedDescForm"
                                     << "Краткая справка к таблице потребностей" << QSize(480, 292);
    }
    void frames() {
        QFETCH(QString, dialog);
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        TDialogForm& form = *Dialog(dialog);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.windowTitle(), caption);
        QCOMPARE(form.size(), client);
        QCOMPARE(form.minimumSize(), client);
        QCOMPARE(form.maximumSize(), client);
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                           Qt::WindowContextHelpButtonHint)));
    }

    void legendLabels_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("corner");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("text");
        const QString courier = QStringLiteral("Courier New");
        const QColor windowText = QPalette().color(QPalette::WindowText);
        QTest::newRow("carbohydrates")
            << "Label4" << QPoint(13, 9) << courier << 15 << false << windowText
            << "Угл. - Содержание углеводов (гр. в 100 гр. продукта)";
        QTest::newRow("proteins") << "Label5" << QPoint(13, 25) << courier << 15 << false
                                  << windowText
                                  << "Бел. - Содержание белков (гр. в 100 гр. продукта)";
        QTest::newRow("fats") << "Label6" << QPoint(13, 41) << courier << 15 << false << windowText
                              << "Жир. - Содержание жиров (гр. в 100 гр. продукта)";
        QTest::newRow("quantity") << "Label7" << QPoint(13, 58) << courier << 15 << false
                                  << windowText << "Кол. - Количество продукта в граммах";
        QTest::newRow("colours heading")
            << "Label8" << QPoint(14, 88) << "Tahoma" << 12 << true << windowText
            << "Цветовое обозначение совместимости продуктов:";
        QTest::newRow("green") << "Label9" << QPoint(23, 109) << courier << 12 << false
                               << QColor(0x00, 0x80, 0x00) << "Зеленый - хорошая совместимость";
        QTest::newRow("blue, three spaces")
            << "Label10" << QPoint(23, 126) << courier << 12 << false << QColor(0x00, 0x00, 0xFF)
            << "Синий   - допустимое сочетание";
        QTest::newRow("red") << "Label11" << QPoint(23, 143) << courier << 12 << false
                             << QColor(0xFF, 0x00, 0x00) << "Красный - недопустимое сочетание";
    }
    void legendLabels() {
        QFETCH(QString, name);
        QFETCH(QPoint, corner);
        QFETCH(QString, family);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        QFETCH(QColor, colour);
        QFETCH(QString, text);
        auto* label = ProductGridDescForm->findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->pos(), corner);
        QCOMPARE(label->font().family(), family);
        QCOMPARE(label->font().pixelSize(), pixelSize);
        QCOMPARE(label->font().bold(), bold);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
        QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name), text);
        // Sized to its text in the font it is drawn with, and inside the dialog, once shown.
        TDialogForm::SetModalHook([](TDialogForm&) {});
        ProductGridDescForm->ShowModal();
        TDialogForm::SetModalHook({});
        QCOMPARE(label->size(), label->sizeHint());
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(text));
        QVERIFY(QRect(QPoint(0, 0), ProductGridDescForm->size()).contains(label->geometry()));
    }

    void legendColourLinesDrawInTheirColour_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("green") << "Label9" << QColor(0x00, 0x80, 0x00);
        QTest::newRow("blue") << "Label10" << QColor(0x00, 0x00, 0xFF);
        QTest::newRow("red") << "Label11" << QColor(0xFF, 0x00, 0x00);
    }
    void legendColourLinesDrawInTheirColour() {
        QFETCH(QString, name);
        QFETCH(QColor, colour);
        ShowModal(*ProductGridDescForm, [&] {
            auto* label = ProductGridDescForm->findChild<QLabel*>(name);
            const QImage image = ProductGridDescForm->grab(label->geometry()).toImage();
            // Every pixel is white or a blend of white and the line's colour, and some are ink.
            int ink = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb pixel = image.pixel(x, y);
                    if (IsWhite(pixel)) continue;
                    ++ink;
                    const double fullInk =
                        3 * 255.0 - colour.red() - colour.green() - colour.blue();
                    const double coverage =
                        (3 * 255.0 - qRed(pixel) - qGreen(pixel) - qBlue(pixel)) / fullInk;
                    const QString where = QStringLiteral("pixel %1,%2 is #%3")
                                              .arg(x)
                                              .arg(y)
                                              .arg(pixel & 0xFFFFFF, 6, 16, QLatin1Char('0'));
                    for (const auto& [drawn, full] : {std::pair{qRed(pixel), colour.red()},
                                                      std::pair{qGreen(pixel), colour.green()},
                                                      std::pair{qBlue(pixel), colour.blue()}}) {
                        const double expected = 255.0 - coverage * (255.0 - full);
                        QVERIFY2(std::abs(drawn - expected) < 24, qPrintable(where));
                    }
                }
            QVERIFY(ink > 50);
        });
    }

    void notes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("carbohydrates")
            << "Label12" << QRect(8, 9, 463, 79)
            << "Углеводы - основной источник энергии для нашего организма, а также они "
               "используются для "
               "ряда других задач. Следует помнить, что не все из них одинаково полезны и отдавать "
               "предпочтение стоит сложным (нерафинированым) углеводам.";
        QTest::newRow("proteins") << "Label13" << QRect(8, 97, 463, 75)
                                  << "Белки - главный строительный материал. Внутри нас они "
                                     "разбиваются на кирпичики, из которых "
                                     "делаются новые клетки. Но не нужно забывать, что избыток "
                                     "белков приводит к отравлению "
                                     "организма.";
        QTest::newRow("fats") << "Label14" << QRect(8, 187, 463, 61)
                              << "Жиры - их часто недолюбливают желающие похудеть. Но стоит "
                                 "помнить, что обойтись можно "
                                 "только без животных жиров, а без растительных не прожить.";
        QTest::newRow("water, trailing space")
            << "Label15" << QRect(8, 258, 463, 18)
            << "Вода - это всё. Мы сделаны из воды. Без неё нет жизни. ";
    }
    void notes() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        auto* label = NeedDescForm->findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->geometry(), geometry);
        QCOMPARE(label->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(label->font().pixelSize(), 16);
        QVERIFY(!label->font().bold());
        QVERIFY(label->wordWrap());
        QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
        // The wrapped text fits the fixed box: nothing is cut off at the bottom.
        const QRect needed = label->fontMetrics().boundingRect(
            QRect(0, 0, label->width(), 10000), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
            text);
        QVERIFY2(needed.height() <= label->height(), qPrintable(QString::number(needed.height())));
    }

    void whiteBackgrounds_data() {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("legend") << "ProductGridDescForm";
        QTest::newRow("notes") << "NeedDescForm";
    }
    void whiteBackgrounds() {
        QFETCH(QString, dialog);
        TDialogForm& form = *Dialog(dialog);
        ShowModal(form, [&] {
            const QImage image = form.grab().toImage();
            QVERIFY(IsWhite(image.pixel(1, 1)));
            QVERIFY(IsWhite(image.pixel(image.width() - 2, image.height() - 2)));
        });
    }

    void needDescButtonOpensTheNotesModally() {
        int showings = 0;
        TDialogForm::SetModalHook([&](TDialogForm& dialog) {
            ++showings;
            QCOMPARE(&dialog, NeedDescForm);
            QVERIFY(dialog.isVisible());
            QVERIFY(dialog.isModal());
            QCOMPARE(QApplication::activeModalWidget(), &dialog);
        });
        QTest::mouseClick(MainForm->findChild<QPushButton*>(QStringLiteral("NeedDescButton")),
                          Qt::LeftButton);
        QCOMPARE(showings, 1);
        QVERIFY(!NeedDescForm->isVisible());
        QVERIFY(errorBoxes.isEmpty());
    }

    void descriptionWrapsALongCommentary() {
        const TProduct& wheat = Catalogue()[16];
        QCOMPARE(Utf8(wheat.Name), QStringLiteral("Пшеница мягкая"));
        QPlainTextEdit& text = ProductDescriptionForm->Text();
        ProductDescriptionForm->setWindowTitle(Utf8(wheat.Name));
        text.setPlainText(Utf8(wheat.Description));
        ShowModal(*ProductDescriptionForm, [&] {
            QCOMPARE(text.font().family(), QStringLiteral("Tahoma"));
            QCOMPARE(text.font().pixelSize(), 19);
            QCOMPARE(text.geometry(), QRect(0, 0, 450, 260));
            QTRY_COMPARE(QApplication::focusWidget(), &text);
            QCOMPARE(QAccessible::queryAccessibleInterface(&text)->text(QAccessible::Name),
                     QStringLiteral("Пшеница мягкая"));
            int lines = 0;
            for (QTextBlock block = text.document()->begin(); block.isValid(); block = block.next())
                lines += block.layout()->lineCount();
            QVERIFY2(lines >= 4, qPrintable(QString::number(lines)));
            QVERIFY(!text.horizontalScrollBar()->isVisible());
            QCOMPARE(text.horizontalScrollBar()->maximum(), 0);
            QVERIFY(text.verticalScrollBar()->isVisible());
        });
    }

    void descriptionIsReadOnlyButCopyable() {
        QPlainTextEdit& text = ProductDescriptionForm->Text();
        QCOMPARE(text.toPlainText(), QStringLiteral("Text"));
        ShowModal(*ProductDescriptionForm, [&] {
            QApplication::clipboard()->setText(QStringLiteral("вставка"));
            QTest::keyClick(&text, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(&text, QStringLiteral("abc"));
            QTest::keyClick(&text, Qt::Key_Backspace);
            QTest::keyClick(&text, Qt::Key_Delete);
            QTest::keyClick(&text, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(&text, Qt::Key_X, Qt::ControlModifier);
            QCOMPARE(text.toPlainText(), QStringLiteral("Text"));
            QTest::keyClick(&text, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(&text, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Text"));
        });
    }

    void enterAndEscapeDoNotClose_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("key");
        for (const char* dialog : {"ProductDescriptionForm", "ProductGridDescForm", "NeedDescForm"})
            for (const auto& [name, key] :
                 {std::pair{"Enter", Qt::Key_Return}, std::pair{"keypad Enter", Qt::Key_Enter},
                  std::pair{"Escape", Qt::Key_Escape}})
                QTest::addRow("%s, %s", dialog, name) << QString::fromLatin1(dialog) << int(key);
    }
    void enterAndEscapeDoNotClose() {
        QFETCH(QString, dialog);
        QFETCH(int, key);
        TDialogForm& form = *Dialog(dialog);
        ShowModal(form, [&] {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
            QTest::keyClick(target, Qt::Key(key));
            QTest::keyClick(&form, Qt::Key(key));
            QVERIFY(form.isVisible());
        });
    }

    void firstShowingCentredThenWhereLeft_data() {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("product description") << "ProductDescriptionForm";
        QTest::newRow("ration-table legend") << "ProductGridDescForm";
        QTest::newRow("needs notes") << "NeedDescForm";
    }
    void firstShowingCentredThenWhereLeft() {
        QFETCH(QString, dialog);
        TDialogForm& form = *Dialog(dialog);
        const QRect owner = MainForm->frameGeometry();
        QPoint left;
        ShowModal(form, [&] {
            const QRect frame = form.frameGeometry();
            QVERIFY2(std::abs(frame.center().x() - owner.center().x()) <= 1 &&
                         std::abs(frame.center().y() - owner.center().y()) <= 1,
                     qPrintable(QStringLiteral("%1,%2 over %3,%4")
                                    .arg(frame.x())
                                    .arg(frame.y())
                                    .arg(owner.x())
                                    .arg(owner.y())));
            form.move(form.pos() + QPoint(37, -23));
            left = form.pos();
        });
        ShowModal(form, [&] { QCOMPARE(form.pos(), left); });
    }
};

QTEST_MAIN(InformationDialogsTest)
#include "InformationDialogsTest.moc"

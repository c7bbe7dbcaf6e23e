#include "WindowTest.h"

#include "Application.h"
#include "DialogForm.h"
#include "ErrorBox.h"
#include "Forms.h"
#include "Main.h"
#include "RegionalSettings.h"
#include "UrlOpener.h"

#include <QApplication>
#include <QTest>

void WindowTest::initTestCase() {
    SetUpApplication();
    OverrideDecimalSeparator(QStringLiteral(","));
}

void WindowTest::init() {
    errorBoxes.clear();
    SetErrorBoxHook([this](const QString& text) { errorBoxes.append(text); });
    CreateForms();
    MainForm->show();
    MainForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(MainForm));
}

void WindowTest::cleanup() {
    TDialogForm::SetModalHook({});
    SetUrlOpener({});
    DestroyForms();
    SetErrorBoxHook({});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    const QWidgetList left = QApplication::topLevelWidgets();
    QStringList names;
    for (const QWidget* widget : left)
        names << QString::fromLatin1(widget->metaObject()->className());
    QVERIFY2(left.isEmpty(), qPrintable(names.join(QLatin1Char(' '))));
}

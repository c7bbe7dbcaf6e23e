#pragma once
// Shared by the window tests: the application set-up, the six windows built afresh for every
// test, the error box answered without showing, and a check that nothing is left behind.
#include "Application.h"
#include "DialogForm.h"
#include "ErrorBox.h"
#include "Forms.h"
#include "Main.h"
#include "RegionalSettings.h"
#include "UrlOpener.h"

#include <QApplication>
#include <QStringList>
#include <QTest>

class FormsFixture {
public:
    QStringList errorBoxes; // the texts of the error boxes shown since the test began

    static void initApplication() {
        SetUpApplication();
        OverrideDecimalSeparator(QStringLiteral(","));
    }

    void createForms() {
        errorBoxes.clear();
        SetErrorBoxHook([this](const QString& text) { errorBoxes.append(text); });
        CreateForms();
    }

    // The windows afresh, with the main window shown and active as the user first sees it.
    void createAndShowForms() {
        createForms();
        MainForm->show();
        MainForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(MainForm));
    }

    void destroyForms() {
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
};

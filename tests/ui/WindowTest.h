#pragma once
// The base of the tests that drive the program's windows: the application set up as the program
// sets it up (with a decimal comma), the six windows built afresh for every test with the main
// window shown and active, the error box answered without showing (its texts collect in
// errorBoxes), and a check after every test that no window is left over. A test class that needs
// more set-up declares its own slot and calls the one here first.
#include <QApplication>
#include <QObject>
#include <QStringList>
#include <QTest>

class WindowTest : public QObject {
    Q_OBJECT
protected:
    QStringList errorBoxes; // the texts of the error boxes shown since the test began

protected slots:
    void initTestCase();
    void init();
    void cleanup();
};

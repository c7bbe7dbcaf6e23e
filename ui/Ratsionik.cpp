// Рационик starts here. The food catalogue is already filled: it is built during static
// initialisation, before main() and before any window exists.
#include "Application.h"
#include "Forms.h"
#include "Main.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SetUpApplication();
    CreateForms();
    MainForm->show();
    const int exitCode = QApplication::exec();
    DestroyForms();
    return exitCode;
}

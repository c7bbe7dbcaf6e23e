#include "Interaction.h"

#include "Application.h"
#include "DialogForm.h"
#include "Forms.h"
#include "IntegerSpinBox.h"
#include "Main.h"
#include "ModelRecompute.h"
#include "Products.h"
#include "ProductsList.h"
#include "StringGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {
template <typename T> T& Control(const char* name) {
    return *MainForm->findChild<T*>(QString::fromLatin1(name));
}

double TimeMs(const std::function<void()>& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    return double(timer.nsecsElapsed()) / 1e6;
}

void Press(QWidget& target, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &press);
    QApplication::sendEvent(&target, &release);
}

void Print(const char* name, const std::vector<double>& values) {
    std::printf("%s", name);
    for (double value : values)
        std::printf(" %.6f", value);
    std::printf("\n");
}

// Typing "1" after "170" and erasing it again: each key goes through the change handler, and
// the index labels and the ideal weight are repainted before the key counts as done.
std::vector<double> Keystrokes(int count) {
    IntegerSpinBox& height = Control<IntegerSpinBox>("HeightEdit");
    QLineEdit& field = *height.findChild<QLineEdit*>();
    height.setFocus();
    field.end(false);
    QWidget* repainted[] = {&Control<QLabel>("IMTValue"), &Control<QLabel>("IMTText"),
                            &Control<QLabel>("IMTComment"), &Control<IntegerSpinBox>("IdealEdit"),
                            &height};
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const bool type = i % 2 == 0;
        times.push_back(TimeMs([&] {
            if (type)
                Press(field, Qt::Key_1, QStringLiteral("1"));
            else
                Press(field, Qt::Key_Backspace, QStringLiteral("\b"));
            for (QWidget* widget : repainted)
                widget->repaint();
        }));
    }
    return times;
}

// Adding every food of the catalogue through the add button, the picker answering at once.
std::vector<double> AddAllFoods() {
    int next = 0;
    TDialogForm::SetModalHook([&next](TDialogForm&) { ProductsForm->MResult = next; });
    std::vector<double> times;
    QPushButton& add = Control<QPushButton>("AddProductBtn");
    for (next = 0; next < int(Catalogue().size()); ++next)
        times.push_back(TimeMs([&] { add.click(); }));
    TDialogForm::SetModalHook({});
    return times;
}

// A digit typed into a quantity and erased again, each recomputing the totals.
std::vector<double> QuantityEdits(int count) {
    StringGrid& grid = Control<StringGrid>("ProductGrid");
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(0, 4));
    grid.edit(grid.currentIndex());
    QLineEdit& editor = *qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const bool type = i % 2 == 0;
        times.push_back(TimeMs([&] {
            if (type)
                Press(editor, Qt::Key_5, QStringLiteral("5"));
            else
                Press(editor, Qt::Key_Backspace, QStringLiteral("\b"));
        }));
    }
    Press(editor, Qt::Key_Return, QStringLiteral("\r"));
    // Only a recomputation writes the totals: an empty cell would mean the edits measured nothing.
    const QAbstractItemModel& needs = *Control<StringGrid>("MacroGrid").model();
    if (needs.index(0, 1).data().toString().isEmpty()) {
        std::fprintf(stderr, "quantity edits did not recompute the totals\n");
        std::exit(1);
    }
    return times;
}

std::vector<double> GridRepaints(int count) {
    StringGrid& grid = Control<StringGrid>("ProductGrid");
    std::vector<double> times;
    for (int i = 0; i < count; ++i)
        times.push_back(TimeMs([&] {
            grid.viewport()->repaint();
            grid.horizontalHeader()->viewport()->repaint();
        }));
    return times;
}
} // namespace

int RunInteraction(int argc, char** argv) {
    QApplication app(argc, argv);
    SetUpApplication();
    CreateForms();
    MainForm->show();
    // Let the window appear and settle before measuring.
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 20);

    Print("keystroke", Keystrokes(400));
    Print("add-food", AddAllFoods());
    QApplication::processEvents();
    Print("quantity-edit", QuantityEdits(400));
    Print("grid-repaint", GridRepaints(200));
    Print("model-recompute", ModelRecomputations(200));
    DestroyForms();
    return 0;
}

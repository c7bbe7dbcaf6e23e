#include "StartupProbe.h"

#include "Application.h"
#include "Forms.h"
#include "Main.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

// Where callgrind stops counting (valgrind --dump-before=StartupProbeFirstPaintDone): the first
// paint has been delivered and flushed. Kept out of line so that the symbol exists.
extern "C" [[gnu::noinline]] void StartupProbeFirstPaintDone() {
    asm volatile("");
}

namespace {
double MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Reports once the first paint of `window` has been delivered and flushed, then quits.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget& window) { window.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // The paint and the flush to the screen finish before the next queued call runs.
            QTimer::singleShot(0, [] {
                StartupProbeFirstPaintDone();
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("%.3f %ld\n", MonotonicMs(), usage.ru_maxrss);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};
} // namespace

int RunStartupProbe(int argc, char** argv, bool baseline) {
    QApplication app(argc, argv);
    if (baseline) {
        QWidget window;
        QLabel label(QStringLiteral("Рационик: планирование сбалансированного питания"), &window);
        window.resize(784, 558);
        FirstPaint probe(window);
        window.show();
        return QApplication::exec();
    }
    // What main() does.
    SetUpApplication();
    CreateForms();
    FirstPaint probe(*MainForm);
    MainForm->show();
    const int exitCode = QApplication::exec();
    DestroyForms();
    return exitCode;
}

#include "FirstPaint.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace {
class FirstPaintWatcher final : public QObject {
public:
    FirstPaintWatcher(QWidget& window, std::function<void()> action)
        : QObject(&window)
        , action_(std::move(action)) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    action_();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> action_;
};
} // namespace

void AfterFirstPaint(QWidget& window, std::function<void()> action) {
    new FirstPaintWatcher(window, std::move(action));
}

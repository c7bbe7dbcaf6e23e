#include "LinkLabel.h"

#include "ClassicColours.h"
#include "DialogFrame.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>

namespace {
// Screen readers see a link that can be pressed, named by its text.
class LinkLabelAccessible : public QAccessibleWidget {
public:
    explicit LinkLabelAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Link) {
        addControllingSignal(QStringLiteral("clicked()"));
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) QMetaObject::invokeMethod(widget(), "clicked");
    }
};

QAccessibleInterface* LinkLabelFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("LinkLabel") && object && object->isWidgetType())
        return new LinkLabelAccessible(static_cast<QWidget*>(object));
    return nullptr;
}
} // namespace

LinkLabel::LinkLabel(QWidget* parent)
    : QLabel(parent) {
    static const bool factoryInstalled = (QAccessible::installFactory(LinkLabelFactory), true);
    Q_UNUSED(factoryInstalled);
    setTextFormat(Qt::PlainText); // a link shows its text, never markup of its own
    setCursor(Qt::PointingHandCursor);
    SetTextColour(*this, ClassicColour::Link);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

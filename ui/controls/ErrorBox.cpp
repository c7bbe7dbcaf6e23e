#include "ErrorBox.h"

#include "ErrorDialog.h"

#include <stdexcept>

namespace {
ErrorBoxHook& Hook() {
    static ErrorBoxHook hook;
    return hook;
}

// A pasted megabyte would make a box taller than any screen and slow to lay out. Its middle goes;
// the beginning lets the user recognise the text and the end keeps the sentence whole.
constexpr qsizetype kShownHead = 1000;
constexpr qsizetype kShownTail = 200;
} // namespace

QString ErrorBoxText(const QString& message) {
    QString text = message;
    if (text.size() > kShownHead + kShownTail + 1)
        text = text.left(kShownHead) + QChar(0x2026) + text.right(kShownTail);
    if (!text.isEmpty() && text.back() > QLatin1Char('.')) text += QLatin1Char('.');
    return text;
}

void ShowErrorBox(QWidget* parent, const QString& message) {
    const QString text = ErrorBoxText(message);
    if (Hook()) {
        Hook()(text);
        return;
    }
    ErrorDialog box(parent, text);
    box.exec();
}

void SetErrorBoxHook(ErrorBoxHook hook) {
    Hook() = std::move(hook);
}

bool Guarded(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::exception& failure) {
        ShowErrorBox(parent, QString::fromUtf8(failure.what()));
    } catch (...) {
        ShowErrorBox(parent, QStringLiteral("Unexpected failure"));
    }
    return false;
}

#include "TypedCharacter.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

QChar TypedCharacter(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Backspace:
        return QChar(8);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Escape:
        return QChar(27);
    default:
        break;
    }
    const bool control = event.modifiers() & Qt::ControlModifier;
    const bool alt = event.modifiers() & Qt::AltModifier;
    // Ctrl+letter types a control character whatever the platform puts into text().
    if (control && !alt) {
        if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
            return QChar(char16_t(event.key() - Qt::Key_A + 1));
        return {};
    }
    if (alt && !control) return {}; // a menu or mnemonic key, not typing
    const QString text = event.text();
    // A character outside the basic plane is offered by its first half, so that a filter that
    // passes only some characters cannot be bypassed with one.
    if (!text.isEmpty() && (text.front().isPrint() || text.front().isHighSurrogate()))
        return text.front();
    return {};
}

namespace {
bool Passes(QChar character, const KeyFilter& filter) {
    QChar key = character;
    filter(key);
    return !key.isNull();
}
} // namespace

bool FilterTyped(QEvent& event, const KeyFilter& filter) {
    if (!filter) return false;
    if (event.type() == QEvent::KeyPress) {
        const QChar typed = TypedCharacter(static_cast<QKeyEvent&>(event));
        return !typed.isNull() && !Passes(typed, filter) && typed != QChar(27);
    }
    if (event.type() == QEvent::InputMethod) {
        auto& input = static_cast<QInputMethodEvent&>(event);
        QString kept;
        for (const QChar character : input.commitString())
            if (Passes(character, filter)) kept += character;
        if (kept != input.commitString())
            input.setCommitString(kept, input.replacementStart(), input.replacementLength());
    }
    return false;
}

// StringGrid: keyboard, mouse, the character filter and the in-place editor.
#include "StringGrid.h"
#include "StringGridPrivate.h"
#include "TypedCharacter.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr char16_t Backspace = 8;
constexpr char16_t Enter = 13;
constexpr char16_t Escape = 27;

// The key event that types `character` into a line edit.
QKeyEvent keyEventFor(QChar character) {
    const char16_t code = character.unicode();
    if (code == Backspace) return {QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, u"\b"_s};
    if (code == Enter) return {QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, u"\r"_s};
    if (code == Escape) return {QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, u"\x1b"_s};
    if (code >= 1 && code <= 26)
        return {QEvent::KeyPress, Qt::Key_A + (code - 1), Qt::ControlModifier, QString(character)};
    return {QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character)};
}

} // namespace

QChar StringGrid::Private::offerCharacter(QChar character) {
    QChar key = character;
    safely([&] { emit q->keyPress(key); });
    return key;
}

// --- the grid's keys

void StringGrid::keyPressEvent(QKeyEvent* event) {
    if (d->editorOpen && d->editor->hasFocus()) {
        event->ignore(); // a key the editor left alone: it has been offered already
        return;
    }
    if (const QChar typed = TypedCharacter(*event); !typed.isNull()) {
        const QChar key = d->offerCharacter(typed);
        if (key.isNull()) {
            event->accept(); // discarded before the grid sees it
            return;
        }
        const bool opensEditor = key == QChar(Enter) || key == QChar(Backspace) || key.isPrint() ||
                                 key.isHighSurrogate();
        if (opensEditor && d->editingEnabled) {
            if (key == QChar(Enter))
                openEditor();
            else
                d->openEditorFor(key, event);
            event->accept();
            return;
        }
        event->ignore();
        return;
    }
    if (d->navigate(event, false)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F2 && d->editingEnabled) {
        openEditor();
        event->accept();
        return;
    }
    event->ignore(); // Tab and the rest go on to the window
}

bool StringGrid::Private::navigate(const QKeyEvent* event, bool fromEditor) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int firstColumn = fixedColumns;
    const int lastColumn = columnCount - 1;
    const int firstRow = fixedRows;
    const int lastRow = rowCount - 1;
    int column = currentColumn;
    int row = currentRow;
    int scrollBy = 0;
    switch (event->key()) {
    case Qt::Key_Up:
        row = std::max(firstRow, row - 1);
        break;
    case Qt::Key_Down:
        row = std::min(lastRow, row + 1);
        break;
    case Qt::Key_Left:
        if (fromEditor) return false;
        column = std::max(firstColumn, column - 1);
        break;
    case Qt::Key_Right:
        if (fromEditor) return false;
        column = std::min(lastColumn, column + 1);
        break;
    case Qt::Key_PageUp:
        scrollBy = -pageRowCount();
        row = std::max(firstRow, row + scrollBy);
        break;
    case Qt::Key_PageDown:
        scrollBy = pageRowCount();
        row = std::min(lastRow, row + scrollBy);
        break;
    case Qt::Key_Home:
        if (fromEditor && !control) return false;
        column = firstColumn;
        if (control) row = firstRow;
        break;
    case Qt::Key_End:
        if (fromEditor && !control) return false;
        column = lastColumn;
        if (control) row = lastRow;
        break;
    default:
        return false;
    }
    if (column == currentColumn && row == currentRow) return true;
    giveUpEditor();
    // A setEditText receiver may have changed the counts meanwhile.
    column = std::clamp(column, fixedColumns, columnCount - 1);
    row = std::clamp(row, fixedRows, rowCount - 1);
    if (scrollBy != 0) {
        topRow = std::clamp(topRow + scrollBy, fixedRows, maxTopRow());
        syncScrollBar();
    }
    moveCurrent(column, row);
    safely([&] { emit q->clicked(); });
    return true;
}

// --- the mouse

void StringGrid::mousePressEvent(QMouseEvent* event) {
    d->pressAt(event->position().toPoint(), event->button());
    event->accept();
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a press like the first.
    d->pressAt(event->position().toPoint(), event->button());
    event->accept();
}

void StringGrid::Private::pressAt(const QPoint& viewportPoint, Qt::MouseButton button) {
    giveUpEditor(); // any button anywhere in the grid outside the editor
    if (button != Qt::LeftButton) return;
    const QPoint hit = q->cellAt(viewportPoint);
    if (hit.x() < 0 || isFixed(hit.x(), hit.y())) return;
    const bool wasCurrent = hit.x() == currentColumn && hit.y() == currentRow;
    moveCurrent(hit.x(), hit.y());
    safely([&] { emit q->clicked(); });
    if (wasCurrent && editingEnabled) q->openEditor();
}

// --- focus and enabling

void StringGrid::focusInEvent(QFocusEvent* event) {
    // Focus that comes back to the grid goes on to an editor left open; a press gives the editor
    // up anyway.
    if (d->editorOpen && event->reason() != Qt::MouseFocusReason) {
        d->editor->setFocus(event->reason());
        return;
    }
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    d->notifyCurrentCell();
}

void StringGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void StringGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        // A disabled grid takes no focus, no clicks and no keys.
        if (!isEnabled()) d->giveUpEditor();
        setFocusPolicy(isEnabled() ? Qt::StrongFocus : Qt::NoFocus);
        viewport()->update();
    }
    QAbstractScrollArea::changeEvent(event);
}

// --- the editor

bool StringGrid::isEditorOpen() const {
    return d->editorOpen;
}
QLineEdit* StringGrid::editor() const {
    return d->editor;
}

void StringGrid::openEditor() {
    if (!d->editingEnabled || !isEnabled()) return;
    if (!d->contains(d->currentColumn, d->currentRow) ||
        d->isFixed(d->currentColumn, d->currentRow))
        return;
    if (d->editorOpen) {
        d->editor->setFocus(Qt::OtherFocusReason);
        return;
    }
    d->ensureEditor();
    d->ensureRowVisible(d->currentRow);
    d->editColumn = d->currentColumn;
    d->editRow = d->currentRow;
    d->editor->setText(cell(d->editColumn, d->editRow)); // loading is no edit: no signal
    d->editor->selectAll();
    d->editorOpen = true;
    d->placeEditor();
    d->editor->show();
    d->editor->setFocus(Qt::OtherFocusReason);
    viewport()->update();
}

void StringGrid::closeEditor() {
    d->giveUpEditor();
}

void StringGrid::Private::ensureEditor() {
    if (editor) return;
    auto* lineEdit = new QLineEdit(q->viewport());
    lineEdit->setObjectName(u"StringGridEditor"_s);
    lineEdit->setFrame(false);
    // No cut-off below what a cell may hold: opening and closing the editor must not shorten a
    // long text that the program put into the cell.
    lineEdit->setMaxLength(std::numeric_limits<int>::max());
    lineEdit->hide();
    lineEdit->installEventFilter(q);
    QObject::connect(lineEdit, &QLineEdit::textEdited, q, [this](const QString& text) {
        if (!editorOpen) return;
        const int column = editColumn;
        const int row = editRow;
        storeText(column, row, text);
        notifyCellText(column, row);
        safely([&] { emit q->setEditText(column, row, text); });
    });
    editor = lineEdit;
}

void StringGrid::Private::placeEditor() {
    if (!editorOpen || !editor) return;
    QRect rect = q->cellRect(editColumn, editRow);
    if (rect.isEmpty()) // scrolled out of view: keep it open, out of sight
        rect = QRect(-MaxCellExtent - 10, -MaxCellExtent - 10, 1, 1);
    editor->setGeometry(rect);
}

void StringGrid::Private::openEditorFor(QChar character, const QKeyEvent* typed) {
    q->openEditor();
    if (editorOpen) sendToEditor(character, typed);
}

void StringGrid::Private::sendToEditor(QChar character, const QKeyEvent* typed) {
    // The character has passed the filter already; the editor must not offer it again.
    const QScopedValueRollback<bool> forwarding(forwardingKey, true);
    if (typed && TypedCharacter(*typed) == character) {
        QKeyEvent copy(typed->type(), typed->key(), typed->modifiers(), typed->text(),
                       typed->isAutoRepeat(), static_cast<quint16>(typed->count()));
        QCoreApplication::sendEvent(editor, &copy);
    } else {
        QKeyEvent replacement = keyEventFor(character);
        QCoreApplication::sendEvent(editor, &replacement);
    }
}

void StringGrid::Private::giveUpEditor() {
    if (!editorOpen) return;
    editorOpen = false;
    const int column = editColumn;
    const int row = editRow;
    const QString text = editor->text();
    if (editor->hasFocus())
        q->setFocus(Qt::OtherFocusReason); // before hiding, or Qt hands focus to the next widget
    editor->hide();
    if (contains(column, row)) {
        storeText(column, row, text);
        notifyCellText(column, row);
    }
    q->viewport()->update();
    safely([&] { emit q->setEditText(column, row, text); });
}

bool StringGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == d->editor && d->filterEditorEvent(event)) return true;
    return QAbstractScrollArea::eventFilter(watched, event);
}

bool StringGrid::Private::filterEditorEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            // Escape is a key first, as in the classic grid: it closes the editor whatever the
            // filter makes of its character.
            if (!forwardingKey) offerCharacter(QChar(Escape));
            giveUpEditor();
            return true;
        }
        if (const QChar typed = TypedCharacter(*key); !typed.isNull()) {
            if (!forwardingKey) {
                const QChar passed = offerCharacter(typed);
                if (passed.isNull()) return true; // discarded before the editor sees it
                if (passed != typed) {
                    sendToEditor(passed, nullptr);
                    return true;
                }
            }
            if (typed == QChar(Enter) || typed == QChar(Escape)) {
                giveUpEditor();
                return true;
            }
            return false;
        }
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            // Tab leaves the grid, from where the grid stands in the focus chain.
            const bool forward =
                key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
            giveUpEditor();
            q->focusNextPrevChild(forward);
            return true;
        }
        return navigate(key, true);
    }
    case QEvent::InputMethod: {
        // Text composed by an input method is typed too: it passes the same filter.
        auto* input = static_cast<QInputMethodEvent*>(event);
        const QString commit = input->commitString();
        if (commit.isEmpty()) return false;
        QString kept;
        for (const QChar character : commit) {
            if (const QChar passed = offerCharacter(character); !passed.isNull())
                kept.append(passed);
        }
        if (kept != commit)
            input->setCommitString(kept, input->replacementStart(), input->replacementLength());
        return false;
    }
    case QEvent::FocusIn:
        q->viewport()->update();
        notifyCurrentCell();
        return false;
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // A context menu or another window taking the focus for a while leaves the editor open;
        // focus moving to another widget makes it give up its cell.
        const bool away = reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
        const QWidget* now = QApplication::focusWidget();
        if (editorOpen && away && now != q && now != editor) giveUpEditor();
        q->viewport()->update();
        return false;
    }
    default:
        return false;
    }
}

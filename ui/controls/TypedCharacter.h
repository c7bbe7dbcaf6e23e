#pragma once
// The character a key press types, as a classic Windows control sees it: Backspace 8, Enter 13,
// Escape 27, Ctrl+A..Ctrl+Z 1..26, otherwise the first printable character of the event's text
// (AltGr, which is Ctrl+Alt, types as usual; Alt+key types nothing).
// Keys that type nothing (arrows, Delete, F2, Home, Shift+Insert) give a null QChar.
#include <QChar>
#include <functional>

class QEvent;
class QKeyEvent;

QChar TypedCharacter(const QKeyEvent& event);

// A filter of typed characters: setting the key to a null QChar discards it.
using KeyFilter = std::function<void(QChar& key)>;

// Offers what a key press or an input method's commit types to `filter`. Returns true when a key
// press is to be discarded; Escape is a key first and is never discarded. A commit keeps the
// characters that pass, and is never discarded, so that an input method's composition ends.
bool FilterTyped(QEvent& event, const KeyFilter& filter);

#pragma once
// The character a key press types, as a classic Windows control sees it: Backspace 8, Enter 13,
// Escape 27, Ctrl+A..Ctrl+Z 1..26, otherwise the first printable character of the event's text
// (AltGr, which is Ctrl+Alt, types as usual; Alt+key types nothing).
// Keys that type nothing (arrows, Delete, F2, Home, Shift+Insert) give a null QChar.
#include <QChar>

class QKeyEvent;

QChar TypedCharacter(const QKeyEvent& event);

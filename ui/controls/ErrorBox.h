#pragma once
// The error box: the application title as caption, an error icon, one OK button and the failure's
// message with a full stop appended when its last character's code is above that of ".".
// Handlers run everything that can fail through Guarded(), so no exception reaches Qt's event
// loop.
#include <QString>
#include <exception>
#include <functional>

class QWidget;

// The text the box shows for a failure message.
QString ErrorBoxText(const QString& message);

// Shows the box modally over `parent`.
void ShowErrorBox(QWidget* parent, const QString& message);

// Tests answer the box without showing it: the hook receives the text the box would show.
using ErrorBoxHook = std::function<void(const QString& text)>;
void SetErrorBoxHook(ErrorBoxHook hook); // an empty hook restores the real box

// Runs `action`; a failure abandons it at that point and is reported in the error box.
// Returns false when it failed.
bool Guarded(QWidget* parent, const std::function<void()>& action);

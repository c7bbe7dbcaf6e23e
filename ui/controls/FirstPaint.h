#pragma once
// Runs `action` once, right after the first paint of `window` has reached the screen, so that
// work the first view does not need waits until the user sees it. Qt has no signal for a
// window's first frame: the action is queued from the window's first paint event, which runs
// it after the paint and the flush are over. It is dropped if the window goes first.
#include <functional>

class QWidget;

void AfterFirstPaint(QWidget& window, std::function<void()> action);

#pragma once

#include <functional>

class QCloseEvent;
class QWidget;

// On Wayland, Qt 6.4 handles each window's frame callbacks on a thread of its
// own, unguarded: a window hidden or closed while that thread handles its
// last frame is freed under it, and the program dies. There a window that
// goes away first stops painting and waits until its last frame is done and
// that thread is through with it: the wait is about one frame.

// True when `goAway` (which hides or closes `window`) is put off so; it runs
// later, once. False elsewhere, and once the wait is over: then the caller
// goes on at once.
bool putOffUntilLastFrameDone(QWidget *window, std::function<void()> goAway);

// The same for a close: true when the close in `event` is put off; the
// window's close comes again later.
bool putOffUntilLastFrameDone(QWidget *window, QCloseEvent *event);

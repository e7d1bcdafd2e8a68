#pragma once

#include <functional>

class QCloseEvent;
class QWidget;

// A window that goes away on Wayland first lets its last frame finish.
//
// Works around a fault in QtWayland up to Qt 6.4 (seen with 6.4.2): each
// window's frame callbacks are handled on a thread of QtWayland's own,
// without keeping the window alive; a window hidden or closed while that
// thread handles its last frame is freed under it, and the program dies
// (tests/desktop/close_stress shows it within a few hundred closes). So a window that
// goes away there stops painting and waits until its last frame is done and
// that thread is through with it: about one frame. With a later Qt, or off
// Wayland, nothing is put off; check a newer Qt with tests/desktop/close_stress
// before the bound in closewait_wayland.cpp is moved.

// True when `goAway` (which hides or closes `window`) is put off so; it runs
// later, once. False elsewhere, and once the wait is over: then the caller
// goes on at once.
bool putOffUntilLastFrameDone(QWidget *window, std::function<void()> goAway);

// The same for a close: true when the close in `event` is put off; the
// window's close comes again later.
bool putOffUntilLastFrameDone(QWidget *window, QCloseEvent *event);

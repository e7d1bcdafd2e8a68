#pragma once

class QCloseEvent;
class QWidget;

// On Wayland, Qt 6.4 handles each window's frame callbacks on a thread of its
// own, unguarded: a window closed while that thread handles its last frame
// is freed under it, and the program dies. There a closing window first stops
// painting and waits until its last frame is done and that thread is through
// with it, then closes itself: the wait is about one frame.
// True when the close in `event` is put off so; the window's close comes
// again later. False elsewhere, and for the close that comes again.
bool putOffUntilLastFrameDone(QWidget *window, QCloseEvent *event);

#include "handover.h"

#include "platform/handover_parts.h"

#include <QWidget>
#include <QWindow>

ActivationHandOver::ActivationHandOver()
    : seat(WaylandSeat::watch())
{}

ActivationHandOver::~ActivationHandOver() = default;

// A Wayland compositor's token first; where there is none, or it is refused,
// the window asks for its own activation, stamped on X11 with the server's
// time: a close asked for through the window manager (the close control,
// Alt+F4) reaches the program without the time of the user's action, and the
// program's own last time, older than it, would be refused.
void ActivationHandOver::handOver(QWidget *from, QWidget *to)
{
    if (seat && seat->handActivation(from ? from->windowHandle() : nullptr, to->windowHandle()))
        return;
    stampWithServerTime();
    to->raise();
    to->activateWindow();
}

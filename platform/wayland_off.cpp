// A build without Wayland support: no seat to watch, no last frame to wait for.

#include "platform/closewait.h"
#include "platform/handover_parts.h"

struct WaylandSeat::State {};
std::unique_ptr<WaylandSeat> WaylandSeat::watch()
{
    return nullptr;
}
WaylandSeat::~WaylandSeat() = default;
bool WaylandSeat::handActivation(QWindow *, QWindow *)
{
    return false;
}

bool putOffUntilLastFrameDone(QWidget *, std::function<void()>)
{
    return false;
}
bool putOffUntilLastFrameDone(QWidget *, QCloseEvent *)
{
    return false;
}

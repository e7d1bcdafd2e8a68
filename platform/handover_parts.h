#pragma once

// The windowing systems' parts of the activation hand-over. Each has a file
// of its own; a build without a system's support has its stand-ins in
// wayland_off.cpp or x11_off.cpp.

#include <memory>

class QWindow;

// On Wayland, the program's own watch on the seat: a compositor such as
// GNOME's grants an activation only with a serial proving a recent user
// action in the window that hands over, which the watch has seen: the
// keyboard focus, or, on a seat without a keyboard (a touch screen, a kiosk),
// the pointer's last press.
class WaylandSeat {
public:
    // Watches the seat from now on; null off Wayland.
    static std::unique_ptr<WaylandSeat> watch();
    ~WaylandSeat();

    // Asks the compositor to activate `target` on behalf of `focused`, where
    // the user acted last. False where that can't be done.
    bool handActivation(QWindow *focused, QWindow *target);

    struct State;

private:
    explicit WaylandSeat(std::unique_ptr<State> state);
    std::unique_ptr<State> state;
};

// On X11: the program's next activation request carries the server's time
// now, not that of the program's last event. Does nothing elsewhere.
void stampWithServerTime();

#pragma once

#include <memory>

class QWidget;
class WaylandSeat;

// Hands the activation from one of the program's windows to another, the way
// the windowing system grants it: on Wayland by a token made for the window
// where the user acted last, on X11 with a request as recent as the user's
// last action, elsewhere by simply asking. Made when the handing window
// opens, so that it has seen where the user acts in it.
class ActivationHandOver {
public:
    ActivationHandOver();
    ~ActivationHandOver();
    ActivationHandOver(const ActivationHandOver &) = delete;
    ActivationHandOver &operator=(const ActivationHandOver &) = delete;

    // Activates `to` on behalf of `from` (null when it is gone).
    void handOver(QWidget *from, QWidget *to);

private:
    std::unique_ptr<WaylandSeat> seat;   // on Wayland
};

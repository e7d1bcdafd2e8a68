#pragma once

#include <QObject>
#include <memory>

class QWidget;
class QWindow;

// Whether the main window's becoming the focus window is an activation that
// loads: the first one, or one coming from another window of this program.
// `previous` is the program's last focus window (null before the first);
// coming back from another application leaves it at the main window.
bool activationLoads(const QWindow *previous, const QWindow *current, const QWindow *main);

// On Wayland, the program's own watch on the seat, for handing the activation
// from one of its windows to another: a compositor such as GNOME's grants
// that only with a serial proving a recent user action in the window that
// hands over, which the watch has seen: the keyboard focus, or, on a seat
// without a keyboard (a touch screen, a kiosk), the pointer's last press.
class WaylandSeat {
public:
    // Watches the seat from now on; null off Wayland, where a window asks for
    // its own activation.
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
void stampWithServerTimeOnX11();

// Watches the program's focus windows and says when the main window is
// activated from within the program. Switching to and from other applications
// is not an activation; neither is a popup menu or one of the main window's
// warnings closing over it.
class ActivationWatcher : public QObject {
    Q_OBJECT
public:
    explicit ActivationWatcher(QWidget *mainWindow);

signals:
    void activated();

private:
    void focusWindowChanged(QWindow *window);

    QWidget *mainWindow;
    const QWindow *lastWindow = nullptr;   // compared, never dereferenced
};

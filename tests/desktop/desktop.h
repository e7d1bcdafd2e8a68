#pragma once

// The desktop test's hands and eyes on a desktop: the program's windows as
// the desktop shows them, clicks and keys as a person gives them. Windows are
// named by an id of the desktop's own; places in a window are logical pixels
// from the corner of its contents.

#include <QPoint>
#include <QStringList>
#include <QTest>
#include <functional>
#include <memory>

// Where the main window's code pane is, in logical pixels.
constexpr QPoint CodePane(30, 80);

class Desktop {
public:
    virtual ~Desktop() = default;
    // Why the desktop can't be worked, when it can't.
    virtual QString unusable() { return {}; }
    // The program's visible windows whose titles match the pattern.
    virtual QStringList windows(const QString &title) = 0;
    virtual QString activeWindow() = 0;
    virtual bool click(const QString &window, QPoint at, int button = 1) = 0;
    // Keys by their X11 names, "+" joining keys held together: "Tab a", "alt+F4".
    virtual bool keys(const QString &keys) = 0;
    // What the main window's code pane shows.
    virtual QString codes(const QString &mainWindow) = 0;
    // Another application, gone to as a person goes there; it then holds the focus.
    virtual bool visitAnotherApplication() = 0;
};

// X11 (desktops/with-desktop.sh), GNOME's Wayland (desktops/with-gnome-wayland.sh)
// and KDE Plasma's (desktops/with-kde-wayland.sh).
std::unique_ptr<Desktop> x11Desktop();
std::unique_ptr<Desktop> gnomeWaylandDesktop();
std::unique_ptr<Desktop> kdeWaylandDesktop();
// The window manager's own activation of a window, which a program asks for.
bool x11Activate(const QString &window);

inline bool waitUntil(const std::function<bool()> &condition)
{
    return QTest::qWaitFor(condition, 10000);
}

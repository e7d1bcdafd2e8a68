// An activation on X11 stamped with the server's time. A window manager such
// as GNOME's weighs an activation by the time of the user action behind it
// and refuses one older than the user's last action anywhere. A close asked
// for through the window manager (the close control, Alt+F4) reaches the
// program without that action's time, so the program's own last time, the
// click before, is older than it; the server's time now stands for it, as Qt
// itself takes a window manager's time when it is handed the focus.

#include "platform/handover_parts.h"
#include "platform/windowingsystem.h"

#include <QGuiApplication>
#include <QScreen>
#include <qpa/qplatformnativeinterface.h>

#include <cstdint>

void stampWithServerTime()
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    if (!native || windowingSystem() != WindowingSystem::X11)
        return;
    QScreen *screen = QGuiApplication::primaryScreen();
    using SetTime = void (*)(QScreen *, std::uint32_t);
    const auto setAppTime =
        reinterpret_cast<SetTime>(reinterpret_cast<void *>(native->nativeResourceFunctionForScreen("setapptime")));
    const auto now = std::uint32_t(reinterpret_cast<quintptr>(native->nativeResourceForScreen("gettimestamp", screen)));
    if (setAppTime && now)
        setAppTime(screen, now);
}

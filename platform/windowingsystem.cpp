#include "windowingsystem.h"

#include <QGuiApplication>

WindowingSystem windowingSystem()
{
    static const WindowingSystem running = [] {
        const QString name = QGuiApplication::platformName();
        if (name == QLatin1String("wayland"))
            return WindowingSystem::Wayland;
        if (name == QLatin1String("xcb"))
            return WindowingSystem::X11;
        return WindowingSystem::Other;
    }();
    return running;
}

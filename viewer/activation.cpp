#include "activation.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#ifndef BYTEKIJKER_WAYLAND
bool handActivationOnWayland(QWindow *, QWindow *) { return false; }
void stampWithServerTimeOnX11() {}
#endif

bool activationLoads(const QWindow *previous, const QWindow *current, const QWindow *main)
{
    return current != nullptr && current == main && previous != main;
}

ActivationWatcher::ActivationWatcher(QWidget *mainWindow)
    : QObject(mainWindow), mainWindow(mainWindow)
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged,
            this, &ActivationWatcher::focusWindowChanged);
}

void ActivationWatcher::focusWindowChanged(QWindow *window)
{
    // Null means another application took the focus; popups (menus, tooltips)
    // open and close over a window without leaving it.
    if (!window || window->type() == Qt::Popup || window->type() == Qt::ToolTip)
        return;
    const QWindow *previous = lastWindow;
    // Remember the new window first: the load may open a message box, whose
    // own focus change must see the main window as the last one.
    lastWindow = window;
    if (activationLoads(previous, window, mainWindow->windowHandle()))
        emit activated();
}

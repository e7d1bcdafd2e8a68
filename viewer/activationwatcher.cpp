#include "activationwatcher.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

bool activationLoads(const QWindow *previous, const QWindow *current, const QWindow *main)
{
    return current != nullptr && current == main && previous != main;
}

ActivationWatcher::ActivationWatcher(QWidget *mainWindow)
    : QObject(mainWindow)
    , mainWindow(mainWindow)
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &ActivationWatcher::focusWindowChanged);
}

void ActivationWatcher::focusWindowChanged(QWindow *window)
{
    // Null means another application took the focus; popups (menus, tooltips)
    // and the main window's own warnings open and close over it without
    // leaving it: answering a warning is no return from the chooser.
    if (!window || window->type() == Qt::Popup || window->type() == Qt::ToolTip
        || window->transientParent() == mainWindow->windowHandle())
        return;
    const QWindow *previous = lastWindow;
    // Remembered before the load, which may open a warning.
    lastWindow = window;
    if (activationLoads(previous, window, mainWindow->windowHandle()))
        emit activated();
}

#pragma once

#include <QObject>

class QWidget;
class QWindow;

// Whether the main window's becoming the focus window is an activation that
// loads: the first one, or one coming from another window of this program.
// `previous` is the program's last focus window (null before the first);
// coming back from another application leaves it at the main window.
bool activationLoads(const QWindow *previous, const QWindow *current, const QWindow *main);

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

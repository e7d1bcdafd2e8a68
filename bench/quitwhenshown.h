#pragma once

// Ends the program as soon as a window is first on screen, so that a whole run
// measures the time from process start to the window shown.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

class QuitWhenShown : public QObject {
public:
    explicit QuitWhenShown(QWidget *widget) : QObject(widget)
    {
        widget->winId();   // creates the native window, to watch its first expose
        widget->windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed())
            QCoreApplication::exit(0);
        return false;
    }
};

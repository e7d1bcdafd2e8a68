#pragma once

// Ends the program as soon as a window is first on screen. First it prints
// the moment, on the clock every process shares ("Shown: N ns"), so that a
// run is measured from process start to the window shown, without the
// program's ending; and the peak memory the kernel counted for the process
// ("VmHWM: N kB").

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

class QuitWhenShown : public QObject {
public:
    explicit QuitWhenShown(QWidget *widget)
        : QObject(widget)
    {
        widget->winId();   // creates the native window, to watch its first expose
        widget->windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            std::printf("Shown: %lld ns\n",
                        static_cast<long long>(std::chrono::steady_clock::now().time_since_epoch().count()));
            std::ifstream status("/proc/self/status");
            for (std::string line; std::getline(status, line);)
                if (line.rfind("VmHWM:", 0) == 0)
                    std::printf("%s\n", line.c_str());
            QCoreApplication::exit(0);
        }
        return false;
    }
};

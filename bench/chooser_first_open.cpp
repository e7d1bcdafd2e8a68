// The chooser's first opening in a fresh program, as a user meets it: the
// main window on screen, then, the given number of milliseconds later (none
// by default), "Bestand openen" clicked, timed until the chooser is on screen
// with the first names of its file list, which is read off the window's
// thread. Prints "N ms". The chooser lists the working folder.

#include "app/startup.h"
#include "viewer/form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

bool exposed(QWidget *widget)
{
    return widget->windowHandle() && widget->windowHandle()->isExposed();
}

QWidget *chooserWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("fOpen") && window->isVisible())
            return window;
    return nullptr;
}

// Sleeps between events, as the program's own event loop does: a loop that
// polled would take a core from the threads that read and sort the folder.
void waitUntil(const std::function<bool()> &condition)
{
    while (!condition())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}   // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareApplication();
    Form1 form;
    form.show();
    const int delay = argc > 1 ? std::atoi(argv[1]) : 0;
    waitUntil([&] { return exposed(&form); });
    QTimer::singleShot(delay, [&] {
        QElapsedTimer timer;
        timer.start();
        form.findChild<QPushButton *>(QStringLiteral("Bopen"))->click();
        QWidget *chooser = chooserWindow();
        const auto *reading = chooser->findChild<QWidget *>(QStringLiteral("readingNotice"));
        waitUntil([&] { return exposed(chooser) && reading->isHidden(); });
        chooser->repaint();
        std::printf("%.2f ms\n", timer.nsecsElapsed() / 1e6);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return app.exec();
}

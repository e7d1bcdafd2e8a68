// The baseline for start-up: the smallest Qt Widgets program with one window.

#include "quitwhenshown.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(511, 462);
    new QuitWhenShown(&window);
    window.show();
    return app.exec();
}

// The least a window with text costs to start: the bare window with a label
// of one character, in the platform's own font.

#include "quitwhenshown.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(511, 462);
    new QLabel(QStringLiteral("0"), &window);
    new QuitWhenShown(&window);
    window.show();
    return app.exec();
}

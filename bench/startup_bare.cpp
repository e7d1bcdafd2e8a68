// The baselines for start-up: the smallest Qt Widgets program with one
// window; given "label", the same window showing one character in the
// platform's own font.

#include "quitwhenshown.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(511, 462);
    if (app.arguments().contains(QLatin1String("label")))
        new QLabel(QStringLiteral("0"), &window);
    new QuitWhenShown(&window);
    window.show();
    return app.exec();
}

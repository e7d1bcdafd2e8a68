// The program's own start-up, ending when its main window is on screen.

#include "app/startup.h"
#include "quitwhenshown.h"
#include "viewer/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareApplication();
    Form1 form;
    new QuitWhenShown(&form);
    form.show();
    return app.exec();
}

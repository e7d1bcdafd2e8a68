#include "app/startup.h"
#include "viewer/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareApplication();
    Form1 form;
    form.show();
    return app.exec();
}

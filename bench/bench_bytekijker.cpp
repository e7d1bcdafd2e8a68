// Prints every benchmark figure, or those of the groups named on the command
// line (benchGroups() names them). Run by make bench; on Windows, under wine,
// by make bench-windows.

#include "measure.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList only = app.arguments().mid(1);
    for (const auto &[name, bench] : benchGroups())
        if (only.isEmpty() || only.contains(QLatin1String(name)))
            bench();
    return 0;
}

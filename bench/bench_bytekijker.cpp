// Prints every benchmark figure, or those of the groups named on the command
// line (paging, chooser, startup). Run offscreen: make bench.

#include "measure.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList only = app.arguments().mid(1);
    const std::pair<const char *, void (*)()> groups[] = {
        {"paging", benchPaging}, {"chooser", benchChooser}, {"startup", benchStartup}};
    for (const auto &[name, bench] : groups)
        if (only.isEmpty() || only.contains(QLatin1String(name)))
            bench();
    return 0;
}

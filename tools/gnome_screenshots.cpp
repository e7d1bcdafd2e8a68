// Takes the README's pictures on GNOME's Wayland, where Qt draws the
// windows' frames itself: the chooser with the first file selected, and the
// main window showing that file. tools/screenshots.sh runs it in a folder of
// sample files, inside desktops/with-gnome-wayland.sh.
//
//   gnome_screenshots <program> <output folder> <suffix>

#include "gnomedesktop.h"

#include <QApplication>
#include <QProcess>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc != 4) {
        qCritical("usage: gnome_screenshots <program> <output folder> <suffix>");
        return 2;
    }
    // The top of the main window's yellow block label tells where its contents begin.
    GnomeDesktop desktop("bytekijker", {qRgb(255, 255, 0), 40, {454, 2}});
    QProcess program;
    program.start(argv[1], {});
    const auto active = [&](const QString &title) {
        QString window;
        GnomeDesktop::waitUntil([&] {
            return !desktop.windows(title).isEmpty() && desktop.isActive(window = desktop.windows(title).first());
        });
        return window;
    };
    // The picture once two grabs in a row agree: the window has drawn what the click changed.
    const auto picture = [&](const QString &window, const QString &name) {
        QImage shown, before;
        GnomeDesktop::waitUntil(
            [&] { return (before = std::exchange(shown, desktop.grab().copy(desktop.frame(window)))) == shown; });
        return shown.save(QString("%1/%2%3.png").arg(argv[2], name, argv[3]));
    };
    const QString main = active("^Bestand in  ASCII");
    desktop.clickAt(desktop.contents(main) + QPoint(95, 18));   // Bestand openen
    const QString chooser = active("^Bestand Openen$");
    desktop.clickAt(desktop.contents(chooser) + QPoint(200, 18));   // the first file
    const bool saved = picture(chooser, "chooser");
    desktop.clickAt(desktop.contents(chooser) + QPoint(362, 35));   // OK
    GnomeDesktop::waitUntil([&] { return desktop.isActive(main); });
    const bool savedToo = picture(main, "main-window");
    program.kill();
    program.waitForFinished();
    return saved && savedToo ? 0 : 1;
}

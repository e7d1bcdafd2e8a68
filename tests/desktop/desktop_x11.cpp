// The desktop test on X11: xdotool for windows, clicks and keys, the
// clipboard through xclip to read the code pane, xmessage as another
// application.

#include "desktop.h"

#include <QProcess>
#include <QSet>

namespace {

const QByteArray Failed = "<failed>";

QByteArray run(const QString &program, const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    return process.waitForFinished(10000) && process.exitCode() == 0 ? process.readAllStandardOutput() : Failed;
}

QByteArray xdotool(const QString &arguments)
{
    return run("xdotool", arguments.split(' ')).trimmed();
}

class X11Desktop : public Desktop {
    QProcess otherApplication;

public:
    ~X11Desktop() override
    {
        otherApplication.kill();
        otherApplication.waitForFinished();
    }

    // The program's windows among those the window manager manages: a
    // window manager may give a frame window the title of the window it
    // frames (GNOME's since mutter 44). xdotool fails when there are none.
    QStringList windows(const QString &title) override
    {
        const QByteArray found = run("xdotool", {"search", "--onlyvisible", "--name", title});
        if (found == Failed)
            return {};
        const QSet<QString> managed = managedWindows();
        QStringList windows = QString::fromUtf8(found).split('\n', Qt::SkipEmptyParts);
        windows.removeIf([&](const QString &window) { return !managed.contains(window); });
        return windows;
    }
    // The root window's _NET_CLIENT_LIST, as decimal ids as xdotool gives them.
    static QSet<QString> managedWindows()
    {
        QSet<QString> managed;
        const QString list = QString::fromLatin1(run("xprop", {"-root", "_NET_CLIENT_LIST"}));
        for (const QString &id : list.mid(list.indexOf('#') + 1).split(',', Qt::SkipEmptyParts))
            managed.insert(QString::number(id.trimmed().toULongLong(nullptr, 16)));
        return managed;
    }
    QString activeWindow() override { return QString::fromLatin1(xdotool("getactivewindow")); }
    bool click(const QString &window, QPoint at, int button) override
    {
        return xdotool(QStringLiteral("mousemove --window %1 %2 %3 click %4")
                           .arg(window)
                           .arg(at.x())
                           .arg(at.y())
                           .arg(button))
               != Failed;
    }
    bool keys(const QString &keys) override { return xdotool("key " + keys) != Failed; }

    // Click into the pane, select all, copy. The main window must be active
    // already, or the click would activate it. A marker in the clipboard
    // first, so that a copy that does not happen can't pass.
    QString codes(const QString &mainWindow) override
    {
        const QStringList clipboard{"-selection", "clipboard"};
        if (activeWindow() != mainWindow || run("xclip", clipboard + QStringList("-i"), "-") == Failed
            || !click(mainWindow, CodePane, 1) || !keys("ctrl+a ctrl+c"))
            return "<the main window is not active>";
        QByteArray copied;
        waitUntil([&] { return (copied = run("xclip", clipboard + QStringList{"-o", "-t", "UTF8_STRING"})) != "-"; });
        return QString::fromUtf8(copied);
    }

    bool visitAnotherApplication() override
    {
        if (otherApplication.state() == QProcess::NotRunning)
            otherApplication.start("xmessage", {"-geometry", "+900+800", "-name", "elders", "een ander programma"});
        if (!waitUntil(
                [] { return xdotool("search --onlyvisible --classname elders windowactivate --sync") != Failed; }))
            return false;
        // Staying there a moment, as a person does: Qt on X11 reports its windows
        // inactive only 0.1 s after they lose the focus, and nothing outside shows when.
        QTest::qWait(500);
        return true;
    }
};

}   // namespace

std::unique_ptr<Desktop> x11Desktop()
{
    return std::make_unique<X11Desktop>();
}
bool x11Activate(const QString &window)
{
    return xdotool("windowactivate " + window) != Failed;
}

#pragma once

// A GNOME desktop on Wayland worked from outside, as xdotool and xclip work
// an X11 one, for what runs inside desktops/with-gnome-wayland.sh. Wayland lets
// no client see where windows are, read another's text or move the pointer,
// so this goes through the compositor and the accessibility bus: clicks and
// keys by mutter's remote desktop, the screen by a grab of its screen cast,
// and one program's windows, their states and their controls' text by
// AT-SPI (atspi.h). Windows are named by their AT-SPI paths.

#include "atspi.h"

#include <QDBusConnection>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QTemporaryDir>
#include <functional>

class GnomeDesktop : public QObject {
    Q_OBJECT
public:
    enum class Keyboard { FromTheStart, None };
    // What tells where a window's contents begin: the first row of `run`
    // pixels of `colour` on the screen is at `at` in some window's contents.
    struct Landmark {
        QRgb colour;
        int run;
        QPoint at;
    };
    GnomeDesktop(const QString &program, const Landmark &landmark, Keyboard keyboard = Keyboard::FromTheStart);
    // Waits, handling events, up to ten seconds for the condition to hold.
    static bool waitUntil(const std::function<bool()> &condition);

    QImage grab();
    // Whether the screen cast gives pictures; now and then a session's never does.
    bool seesTheScreen() const { return !background.isNull(); }
    // Why the last grab that failed did: gstreamer's last words, or its time.
    QString grabFailure() const { return lastGrabFailure; }
    // The program's visible windows whose titles match the pattern.
    QStringList windows(const QString &title) { return atSpi.windows(title); }
    bool isActive(const QString &window) { return atSpi.isActive(window); }
    QString text(const QString &window, const QString &control) { return atSpi.text(window, control); }
    // Where a window stands, frame and all: what it adds to the screen beyond
    // the windows found before. `window` may also name another program's
    // window, by any name not a path. Where the program's contents begin.
    QRect frame(const QString &window);
    QPoint contents(const QString &window) { return frame(window).topLeft() + decoration; }
    // Where a window of another program stands, frame and all, found by the
    // colour that fills its contents: a compositor may put a new window over
    // those found before (GNOME's since mutter 48 centres it), so what it
    // adds can't tell. `before` is the screen as it was without it.
    QRect frameFilled(const QString &name, QRgb fill, const QImage &before);
    // Where on the screen the pixels of that colour are.
    static QRect filledWith(QRgb fill, const QImage &screen);

    bool clickAt(QPoint place, int button = 1);
    // Keys by their X11 names, "+" joining keys held together: "Tab a", "alt+F4".
    bool keys(const QString &keys);

private slots:
    void streamAdded(uint pipeWireNode) { node = pipeWireNode; }

private:
    void startSession();
    bool remoteDesktop(const QString &method, const QVariantList &arguments = {});
    QRect addedTo(const QImage &screen) const;
    // The rectangle of that size in which the most pixels changed.
    static QRect mostChanged(const QImage &before, const QImage &after, QSize size);

    const Landmark landmark;
    QDBusConnection session;
    AtSpi atSpi;
    QString remote, stream;   // the remote desktop session and its screen's stream
    uint node = 0;   // the stream's PipeWire node
    QTemporaryDir grabs;
    QImage background;
    QString lastGrabFailure;
    QImage beforeClick;   // the screen as the last click found it
    QHash<QString, QRect> frames;   // where the windows stand on the screen
    QPoint decoration;   // from a frame to its window's contents
};

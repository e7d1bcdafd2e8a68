#pragma once

// A KDE Plasma desktop on Wayland worked from outside, for what runs inside
// desktops/with-kde-wayland.sh. Wayland lets no client see where windows
// are, read another's text or move the pointer, so this goes through the
// compositor and the accessibility bus: KWin's own account of its windows
// (where each stands, which is active) by scripts it runs, which answer over
// D-Bus; clicks and keys by its fake input (kwininput.h); and one program's
// windows, their states and their controls' text by AT-SPI (atspi.h).
// Windows are named by their AT-SPI paths. KWin's captions are the titles
// with their runs of spaces made one, so the two are matched that way.

#include "atspi.h"
#include "kwininput.h"

#include <QJsonValue>
#include <QObject>
#include <QRect>
#include <QTemporaryDir>
#include <optional>

class KWinDesktop : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.bytekijker.KWinDesktop")
public:
    // A window as KWin shows it.
    struct Shown {
        QString caption;
        qint64 pid;
        QRect contents;   // on the screen, frame excluded
        bool active;
    };

    explicit KWinDesktop(const QString &program);
    // Why the desktop can't be worked, when it can't.
    QString unusable();
    // Every window KWin shows, as it stands now.
    QList<Shown> shown();
    // Moves the windows of a process, their frames' corner to `to`.
    bool move(qint64 pid, QPoint to);

    // The program's visible windows whose titles match the pattern.
    QStringList windows(const QString &title) { return atSpi.windows(title); }
    // The program's window that KWin has made active and that has taken it.
    QString activeWindow();
    // Where the window's contents begin on the screen.
    std::optional<QPoint> contents(const QString &window);
    QString text(const QString &window, const QString &control) { return atSpi.text(window, control); }

    bool clickAt(QPoint place, int button = 1);
    // Keys by their X11 names, "+" joining keys held together: "Tab a", "alt+F4".
    bool keys(const QString &keys);
    // Returns once KWin has handled all this process has asked of it so far,
    // and this process the answers: its windows' requests included.
    bool roundTrip() { return input.roundTrip(); }

public slots:
    // Where the scripts answer.
    Q_SCRIPTABLE void answer(const QString &json);

private:
    // Runs a script that calls `answer(value)` once; its answer, undefined without one.
    QJsonValue run(const QString &script);

    AtSpi atSpi;
    KWinInput input;
    QTemporaryDir scripts;
    int runs = 0;
    QJsonValue answered;
};

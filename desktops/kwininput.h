#pragma once

// A pointer and a keyboard on KWin's seat, as a person's, through KWin's fake
// input protocol (org_kde_kwin_fake_input) on this process's own Wayland
// connection. KWin offers the protocol only to a program that a desktop
// entry names with X-KDE-Wayland-Interfaces (desktops/with-kde-wayland.sh
// writes one for the command it runs), and KWin's fake pointer lives only as
// long as the connection does: so the process that gives the input keeps it
// for as long as it works the desktop.

#include <QPoint>
#include <QString>
#include <memory>

class KWinInput {
public:
    KWinInput();
    ~KWinInput();
    // Why there is no input, when there is none.
    QString unusable() const;
    // Each returns once KWin has handled it.
    bool moveTo(QPoint place);
    bool button(int button, bool pressed);   // 1 left, 3 right
    bool key(const QString &name, bool pressed);   // by its X11 name: "Tab", "alt", "a"
    // Returns once KWin has handled all this connection has sent so far: Qt's
    // own requests for this process's windows too.
    bool roundTrip();

    struct State;

private:
    std::unique_ptr<State> state;
};

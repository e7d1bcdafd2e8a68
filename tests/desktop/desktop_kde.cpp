// The desktop test on KDE Plasma's Wayland, through desktops/kwindesktop.h.
// The other application is this test's own window.

#include "desktop.h"
#include "kwindesktop.h"

#include <QCoreApplication>
#include <QWidget>

namespace {

constexpr QPoint OtherCorner(940, 780);

class KdeWaylandDesktop : public Desktop {
    KWinDesktop desktop{"bytekijker"};
    QWidget otherApplication;
    const qint64 self = QCoreApplication::applicationPid();

public:
    KdeWaylandDesktop() { otherApplication.resize(300, 200); }
    QString unusable() override { return desktop.unusable(); }
    QStringList windows(const QString &title) override { return desktop.windows(title); }
    QString activeWindow() override { return desktop.activeWindow(); }
    bool click(const QString &window, QPoint at, int button) override
    {
        const std::optional<QPoint> contents = desktop.contents(window);
        return contents && desktop.clickAt(*contents + at, button);
    }
    bool keys(const QString &keys) override { return desktop.keys(keys); }
    QString codes(const QString &mainWindow) override { return desktop.text(mainWindow, "Decimale codes"); }
    bool visitAnotherApplication() override
    {
        // KWin puts a new window in the middle of the screen, over the
        // program's: this one goes to the bottom right corner, out of their way.
        if (!otherApplication.isVisible()) {
            otherApplication.show();
            if (!waitUntil([&] { return otherWindow().has_value(); }) || !desktop.move(self, OtherCorner)
                || !waitUntil([&] { return otherWindow().value_or(QRect()).left() >= OtherCorner.x(); }))
                return false;
        }
        const std::optional<QRect> other = otherWindow();
        return other && desktop.clickAt(other->center())
               && waitUntil([&] { return otherApplication.isActiveWindow() && keepsTheActivation(); });
    }

private:
    // Where KWin shows this test's window.
    std::optional<QRect> otherWindow()
    {
        for (const KWinDesktop::Shown &window : desktop.shown())
            if (window.pid == self)
                return window.contents;
        return std::nullopt;
    }
    // Qt asks KWin to activate a window that has just got the focus, with a
    // token it asks KWin for first; a click on another window before that
    // request arrives would be undone by it, as a person's never is. So the
    // visit ends once KWin has kept this window active across the round
    // trips the request takes, Qt's events handled between them.
    bool keepsTheActivation()
    {
        for (int round = 0; round < 3; ++round) {
            QCoreApplication::processEvents();
            if (!desktop.roundTrip())
                return false;
            const QList<KWinDesktop::Shown> shown = desktop.shown();
            if (std::none_of(shown.cbegin(), shown.cend(), [&](const auto &w) { return w.active && w.pid == self; }))
                return false;
        }
        return true;
    }
};

}   // namespace

std::unique_ptr<Desktop> kdeWaylandDesktop()
{
    return std::make_unique<KdeWaylandDesktop>();
}

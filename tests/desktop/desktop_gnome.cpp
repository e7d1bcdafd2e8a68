// The desktop test on GNOME's Wayland, through desktops/gnomedesktop.h. The
// other application is this test's own window.

#include "desktop.h"
#include "gnomedesktop.h"

#include <QWidget>

namespace {

// The top of the main window's yellow block label, 55 pixels wide.
constexpr GnomeDesktop::Landmark BlockLabelTop{qRgb(255, 255, 0), 40, {454, 2}};

class GnomeWaylandDesktop : public Desktop {
    // BYTEKIJKER_SEAT=pointer: a seat with a pointer and no keyboard, as a
    // touch screen's or a kiosk's; the slots that need no key run there.
    GnomeDesktop desktop{"bytekijker", BlockLabelTop,
                         qEnvironmentVariable("BYTEKIJKER_SEAT") == "pointer" ? GnomeDesktop::Keyboard::None
                                                                              : GnomeDesktop::Keyboard::FromTheStart};
    QWidget otherApplication;

    static constexpr QRgb OtherFill = qRgb(255, 0, 255);   // found on the screen by this colour

public:
    // Small, so that it covers none of the places clicked in the program's
    // windows wherever the compositor puts it: beside them (mutter 43) or
    // over them in the middle of the screen (mutter 48).
    GnomeWaylandDesktop()
    {
        otherApplication.resize(120, 60);
        QPalette fill = otherApplication.palette();
        fill.setColor(QPalette::Window, OtherFill);
        otherApplication.setPalette(fill);
        otherApplication.setAutoFillBackground(true);
    }
    QString unusable() override
    {
        return desktop.seesTheScreen() ? QString() : "mutter's screen cast gives no picture: " + desktop.grabFailure();
    }
    QStringList windows(const QString &title) override { return desktop.windows(title); }
    QString activeWindow() override
    {
        const QStringList open = windows(".");
        const auto active =
            std::find_if(open.cbegin(), open.cend(), [&](const QString &window) { return desktop.isActive(window); });
        return active == open.cend() ? QString() : *active;
    }
    bool click(const QString &window, QPoint at, int button) override
    {
        return desktop.clickAt(desktop.contents(window) + at, button);
    }
    bool keys(const QString &keys) override { return desktop.keys(keys); }
    QString codes(const QString &mainWindow) override { return desktop.text(mainWindow, "Decimale codes"); }
    // The program's windows are found first, so that later windows are told
    // from them and from the other one; that is clicked in its middle.
    bool visitAnotherApplication() override
    {
        for (const QString &window : windows("."))
            desktop.frame(window);
        // Shown anew each time, on top: not under a window opened since.
        otherApplication.hide();
        QImage before;
        if (!waitUntil([&] { return GnomeDesktop::filledWith(OtherFill, before = desktop.grab()).isEmpty(); }))
            return false;
        otherApplication.show();
        return desktop.clickAt(desktop.frameFilled("elders", OtherFill, before).center())
               && waitUntil([&] { return otherApplication.isActiveWindow(); });
    }
};

}   // namespace

std::unique_ptr<Desktop> gnomeWaylandDesktop()
{
    return std::make_unique<GnomeWaylandDesktop>();
}

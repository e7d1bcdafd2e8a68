#include "gnomedesktop.h"

#include "dbuscall.h"
#include "keychords.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <vector>

namespace {

const QString Mutter = "org.gnome.Mutter.";

// The compositor dithers its background afresh wherever it draws it again.
bool differs(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))}) > 8;
}

quint32 keysym(const QString &key)
{
    static const QHash<QString, quint32> named{{"Tab", 0xff09}, {"Return", 0xff0d}, {"Escape", 0xff1b},
                                               {"alt", 0xffe9}, {"shift", 0xffe1},  {"F4", 0xffc1}};
    return named.value(key, key.size() == 1 ? key[0].unicode() : 0);
}

}   // namespace

bool GnomeDesktop::waitUntil(const std::function<bool()> &condition)
{
    for (QDeadlineTimer deadline(10000); !condition(); QThread::msleep(10)) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents();
    }
    return true;
}

GnomeDesktop::GnomeDesktop(const QString &program, const Landmark &landmark, Keyboard keyboard)
    : landmark(landmark)
    , session(QDBusConnection::sessionBus())
    , atSpi(program)
{
    waitUntil([&] { return session.interface()->isServiceRegistered(Mutter + "RemoteDesktop").value(); });
    // Now and then a session's screen cast never agrees on a format with a
    // grab (seen with another GNOME starting beside it); a new one does.
    for (int attempt = 0; attempt < 3 && background.isNull(); ++attempt) {
        if (attempt > 0)
            remoteDesktop("Stop");
        startSession();
        background = grab();
    }
    // The remote desktop's pointer and keyboard come with their first use;
    // a real desktop's are there from the start. Without the first key the
    // seat has no keyboard, as a touch screen's.
    remoteDesktop("NotifyPointerMotionAbsolute", {stream, 0.0, 0.0});
    if (keyboard == Keyboard::FromTheStart)
        keys("shift");
}

// A remote desktop session, and a screen cast of the whole screen within it.
void GnomeDesktop::startSession()
{
    node = 0;
    remote = path(call(session, Mutter + "RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop", Mutter + "RemoteDesktop",
                       "CreateSession"));
    const QVariant id = result(call(session, Mutter + "RemoteDesktop", remote, "org.freedesktop.DBus.Properties", "Get",
                                    {Mutter + "RemoteDesktop.Session", "SessionId"}));
    const QString cast =
        path(call(session, Mutter + "ScreenCast", "/org/gnome/Mutter/ScreenCast", Mutter + "ScreenCast",
                  "CreateSession", {QVariantMap{{"remote-desktop-session-id", id.value<QDBusVariant>().variant()}}}));
    stream = path(call(session, Mutter + "ScreenCast", cast, Mutter + "ScreenCast.Session", "RecordMonitor",
                       {QString(), QVariantMap()}));
    session.connect(Mutter + "ScreenCast", stream, Mutter + "ScreenCast.Stream", "PipeWireStreamAdded", this,
                    SLOT(streamAdded(uint)));
    remoteDesktop("Start");
    waitUntil([&] { return node != 0; });
}

// Now and then a grab fails to agree on a format with the stream, or waits
// for a picture that never comes; the next one does not.
QImage GnomeDesktop::grab()
{
    const QString file = grabs.filePath("screen.png");
    QImage screen;
    waitUntil([&] {
        QFile::remove(file);
        QProcess gstreamer;
        gstreamer.start("gst-launch-1.0", {"-q", "pipewiresrc", "path=" + QString::number(node), "num-buffers=1", "!",
                                           "videoconvert", "!", "pngenc", "!", "filesink", "location=" + file});
        if (!gstreamer.waitForFinished(3000)) {
            gstreamer.kill();
            gstreamer.waitForFinished();
            lastGrabFailure = "a grab got no picture in 3 s";
            return false;
        }
        lastGrabFailure = QString::fromUtf8(gstreamer.readAllStandardError()).trimmed().section('\n', -1);
        return gstreamer.exitStatus() == QProcess::NormalExit && gstreamer.exitCode() == 0 && screen.load(file);
    });
    return screen.convertToFormat(QImage::Format_RGB32);
}

// Read once the screen is still, for windows come and go animated. Windows
// here stay where they were put; the program's that closed are forgotten.
// The landmark, found on the screen, tells where contents begin.
QRect GnomeDesktop::frame(const QString &window)
{
    const QStringList open = windows(".");
    for (auto found = frames.begin(); found != frames.end();)
        found = !found.key().startsWith('/') || open.contains(found.key()) ? std::next(found) : frames.erase(found);
    if (frames.contains(window))
        return frames[window];
    // A window put over those before it (GNOME's since mutter 48 centres a
    // window over the one it belongs to) adds nothing beyond them: then it
    // is where a frame of its size covers the most of what changed on the
    // screen since the last click. Its size is known once the first window's
    // frame is.
    const QSize size = window.startsWith('/') && !decoration.isNull() ? atSpi.size(window) : QSize();
    const QSize frameSize = size + QSize(2 * decoration.x(), decoration.y() + decoration.x());
    const auto fits = [&](QRect added) {
        return std::abs(added.width() - frameSize.width()) <= 2 && std::abs(added.height() - frameSize.height()) <= 2;
    };
    QImage screen;
    QRect added, before;
    waitUntil([&] {
        added = addedTo(screen = grab());
        if (size.isValid() && !fits(added))
            added = mostChanged(beforeClick, screen, frameSize);
        return !added.isEmpty() && std::exchange(before, added) == added;
    });
    for (int y = added.top(); decoration.isNull() && y <= added.bottom(); ++y)
        for (int x = added.left(), run = 0; decoration.isNull() && x <= added.right(); ++x)
            if ((run = screen.pixel(x, y) == landmark.colour ? run + 1 : 0) == landmark.run)
                decoration = QPoint(x - run + 1, y) - landmark.at - added.topLeft();
    if (!added.isEmpty())
        frames[window] = added;
    return added;
}

QRect GnomeDesktop::mostChanged(const QImage &before, const QImage &after, QSize size)
{
    if (before.size() != after.size() || size.width() > after.width() || size.height() > after.height())
        return {};
    // Sums of the changed pixels above and left of each place, so that each
    // rectangle's count takes four look-ups.
    const int width = after.width(), height = after.height();
    std::vector<int> sums(std::size_t(width + 1) * (height + 1));
    const auto at = [&](int x, int y) -> int & { return sums[std::size_t(y) * (width + 1) + x]; };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            at(x + 1, y + 1) = differs(before.pixel(x, y), after.pixel(x, y)) + at(x, y + 1) + at(x + 1, y) - at(x, y);
    QRect best;
    for (int y = 0, most = 0; y + size.height() <= height; ++y)
        for (int x = 0; x + size.width() <= width; ++x) {
            const int changed =
                at(x + size.width(), y + size.height()) - at(x, y + size.height()) - at(x + size.width(), y) + at(x, y);
            if (changed > most)
                most = changed, best = QRect(QPoint(x, y), size);
        }
    return best;
}

QRect GnomeDesktop::filledWith(QRgb fill, const QImage &screen)
{
    QRect filled;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            if (screen.pixel(x, y) == fill)
                filled |= QRect(x, y, 1, 1);
    return filled;
}

QRect GnomeDesktop::frameFilled(const QString &name, QRgb fill, const QImage &before)
{
    QImage screen;
    QRect filled, previous;
    waitUntil([&] {
        previous = std::exchange(filled, filledWith(fill, screen = grab()));
        return !filled.isEmpty() && filled == previous;
    });
    // Out from the contents to the frame's edges: as long as the next line
    // beyond is mostly new on the screen.
    const auto mostlyNew = [&](QRect line) {
        line &= screen.rect();
        int changed = 0;
        for (int y = line.top(); y <= line.bottom(); ++y)
            for (int x = line.left(); x <= line.right(); ++x)
                changed += differs(screen.pixel(x, y), before.pixel(x, y));
        return !line.isEmpty() && 2 * changed > line.width() * line.height();
    };
    QRect frame = filled;
    while (mostlyNew(QRect(frame.left(), frame.top() - 1, frame.width(), 1)))
        frame.setTop(frame.top() - 1);
    while (mostlyNew(QRect(frame.left(), frame.bottom() + 1, frame.width(), 1)))
        frame.setBottom(frame.bottom() + 1);
    while (mostlyNew(QRect(frame.left() - 1, frame.top(), 1, frame.height())))
        frame.setLeft(frame.left() - 1);
    while (mostlyNew(QRect(frame.right() + 1, frame.top(), 1, frame.height())))
        frame.setRight(frame.right() + 1);
    if (!filled.isEmpty())
        frames[name] = frame;
    return filled.isEmpty() ? QRect() : frame;
}

QRect GnomeDesktop::addedTo(const QImage &screen) const
{
    QRect added;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            if (differs(screen.pixel(x, y), background.pixel(x, y))
                && std::none_of(frames.cbegin(), frames.cend(),
                                [&](const QRect &known) { return known.contains(x, y); }))
                added |= QRect(x, y, 1, 1);
    return added;
}

bool GnomeDesktop::clickAt(QPoint place, int button)
{
    const int code = button == 3 ? 0x111 : 0x110;   // BTN_RIGHT, BTN_LEFT
    beforeClick = grab();
    return remoteDesktop("NotifyPointerMotionAbsolute", {stream, double(place.x()), double(place.y())})
           && remoteDesktop("NotifyPointerButton", {code, true}) && remoteDesktop("NotifyPointerButton", {code, false});
}

bool GnomeDesktop::keys(const QString &keys)
{
    return typeChords(keys, [&](const QString &key, bool pressed) {
        return keysym(key) && remoteDesktop("NotifyKeyboardKeysym", {keysym(key), pressed});
    });
}

bool GnomeDesktop::remoteDesktop(const QString &method, const QVariantList &arguments)
{
    return call(session, Mutter + "RemoteDesktop", remote, Mutter + "RemoteDesktop.Session", method, arguments).type()
           == QDBusMessage::ReplyMessage;
}

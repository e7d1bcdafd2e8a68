#include "atspi.h"

#include "dbuscall.h"

#include <QDBusArgument>
#include <QDBusReply>
#include <QRegularExpression>

namespace {

const QString Accessible = "org.a11y.atspi.Accessible", Root = "/org/a11y/atspi/accessible/root";
constexpr quint32 Active = 1u << 1, Focused = 1u << 12, Showing = 1u << 25;   // AT-SPI's states

QDBusConnection accessibilityBus()
{
    const QString address =
        result(call(QDBusConnection::sessionBus(), "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"))
            .toString();
    return QDBusConnection::connectToBus(address, "a11y");
}

}   // namespace

AtSpi::AtSpi(const QString &program)
    : programName(program)
    , bus(accessibilityBus())
{}

QStringList AtSpi::windows(const QString &title)
{
    // AT-SPI names an object by its owner's bus name and a path. The
    // program's bus name is looked up until found, then kept; an application
    // of another name is never taken for it.
    for (const QString &application :
         program.isEmpty() ? children("org.a11y.atspi.Registry", Root, true) : QStringList()) {
        if (program = application.section(' ', 0, 0); name(Root) == programName)
            break;
        program.clear();
    }
    QStringList found;
    for (const QString &window : children(program, Root))
        if ((states(window) & Showing) && QRegularExpression(title).match(name(window)).hasMatch())
            found << window;
    return found;
}

// Qt calls a window active as soon as the compositor says so, before it has
// handled the activation; one of its controls has the focus only after.
bool AtSpi::isActive(const QString &window)
{
    const QStringList controls = children(program, window);
    return (states(window) & Active) && std::any_of(controls.cbegin(), controls.cend(), [&](const QString &control) {
               return states(control) & Focused;
           });
}

QString AtSpi::text(const QString &window, const QString &control)
{
    for (const QString &child : children(program, window))
        if (name(child) == control)
            return result(call(bus, program, child, "org.a11y.atspi.Text", "GetText", {0, -1})).toString();
    return "<no " + control + ">";
}

QSize AtSpi::size(const QString &window)
{
    const QVariant reply = result(call(bus, program, window, "org.a11y.atspi.Component", "GetExtents", {0u}));
    if (!reply.canConvert<QDBusArgument>())
        return {};
    const QDBusArgument extents = reply.value<QDBusArgument>();
    int x = 0, y = 0, width = 0, height = 0;
    extents.beginStructure();
    extents >> x >> y >> width >> height;
    extents.endStructure();
    return {width, height};
}

QStringList AtSpi::children(const QString &service, const QString &path, bool withOwners)
{
    const QVariant reply = result(call(bus, service, path, Accessible, "GetChildren"));
    if (!reply.canConvert<QDBusArgument>())
        return {};
    const QDBusArgument list = reply.value<QDBusArgument>();
    QStringList found;
    for (list.beginArray(); !list.atEnd();) {
        QString owner;
        QDBusObjectPath child;
        list.beginStructure();
        list >> owner >> child;
        list.endStructure();
        found << (withOwners ? owner + ' ' : QString()) + child.path();
    }
    list.endArray();
    return found;
}

QString AtSpi::name(const QString &path)
{
    return result(call(bus, program, path, "org.freedesktop.DBus.Properties", "Get", {Accessible, "Name"}))
        .value<QDBusVariant>()
        .variant()
        .toString();
}

quint32 AtSpi::states(const QString &path)
{
    return QDBusReply<QList<uint>>(call(bus, program, path, Accessible, "GetState")).value().value(0);
}

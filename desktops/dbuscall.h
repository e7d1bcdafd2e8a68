#pragma once

// One D-Bus call, answered within five seconds, and the parts of its answer
// the desktops read.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>

inline QDBusMessage call(const QDBusConnection &bus, const QString &service, const QString &path,
                         const QString &interface, const QString &method, const QVariantList &arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return bus.call(message, QDBus::Block, 5000);
}

inline QVariant result(const QDBusMessage &reply)
{
    return reply.arguments().value(0);
}

inline QString path(const QDBusMessage &reply)
{
    return result(reply).value<QDBusObjectPath>().path();
}

#pragma once

// One program's windows, their states and their controls' text, as the
// accessibility bus (AT-SPI) tells them: on Wayland no client may look at
// another's windows, and the compositors' own accounts of them simplify
// their titles. The bus must be on before the program starts. Windows are
// named by their AT-SPI paths.

#include <QDBusConnection>
#include <QSize>
#include <QStringList>

class AtSpi {
public:
    // The program by its application name; it may start later.
    explicit AtSpi(const QString &program);
    // The program's visible windows whose titles match the pattern.
    QStringList windows(const QString &title);
    // Active, and one of its controls has the focus.
    bool isActive(const QString &window);
    QString title(const QString &window) { return name(window); }
    // A window's size, without its frame; where it stands no client is told on Wayland.
    QSize size(const QString &window);
    QString text(const QString &window, const QString &control);

private:
    QStringList children(const QString &service, const QString &path, bool withOwners = false);
    QString name(const QString &path);
    quint32 states(const QString &path);

    const QString programName;
    QDBusConnection bus;
    QString program;   // its bus name, once found
};

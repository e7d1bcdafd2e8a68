#pragma once

// Driving windows from outside, as a person does, on the test's own X desktop.

#include <QProcess>
#include <QStringList>
#include <QWidget>

namespace desktop {

inline bool xdotool(const QStringList &arguments)
{
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

// Activates a window through the window manager, as a click on its title does.
inline bool activate(const QWidget *window)
{
    return xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window->winId())});
}

// A real pointer click at a point of the widget (its middle by default).
inline bool click(const QWidget *widget, QPoint at = {-1, -1}, int button = 1)
{
    const QPoint global = widget->mapToGlobal(at.x() < 0 ? widget->rect().center() : at);
    return xdotool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y()),
                    QStringLiteral("click"), QString::number(button)});
}

} // namespace desktop

#pragma once

// Driving windows from outside, as a person does, on the test's own X desktop.

#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>
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

// Why these tests can't run here; empty when they can.
inline QString missing()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return QStringLiteral("needs an X server with a window manager");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        return QStringLiteral("needs xdotool");
    return {};
}

// Clicks ">" in the main window until it shows `block`.
inline void pageTo(const QWidget *mainWindow, int block)
{
    auto *label = mainWindow->findChild<QLabel *>(QStringLiteral("Laantal250"));
    auto *next = mainWindow->findChild<QPushButton *>(QStringLiteral("Bvolgende"));
    while (label->text() != QStringLiteral(" %1").arg(block)) {
        const QString before = label->text();
        QVERIFY(click(next));
        QTRY_VERIFY(label->text() != before);
    }
}

} // namespace desktop

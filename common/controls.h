#pragma once

#include "common/fonts.h"

#include <QPushButton>
#include <QString>
#include <QWidget>

// The helpers both windows build their controls with.

// Gives a control its name in the code and the Dutch name (and, where the
// caption alone doesn't say what it does, the description) that a screen
// reader speaks.
inline void nameControl(QWidget *control, const char *objectName, const QString &spokenName,
                        const QString &description = {})
{
    control->setObjectName(QLatin1String(objectName));
    control->setAccessibleName(spokenName);
    control->setAccessibleDescription(description);
}

// A push button in the windows' own font. Enter presses the button that has
// the focus; no button is a window's default.
inline QPushButton *makeButton(const QString &caption, const QRect &geometry, qreal pointSize, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setFont(msSansSerif(pointSize));
    button->setAutoDefault(true);
    return button;
}

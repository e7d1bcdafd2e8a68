#pragma once

#include <QString>
#include <QWidget>

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

#pragma once

#include "filechannel.h"

#include <QString>

// The message shown when a chosen file can't be opened: it names the path and
// says why, in words a user understands.
QString openFailureTitle();
QString openFailureMessage(const QString &path, const OpenResult &failure);

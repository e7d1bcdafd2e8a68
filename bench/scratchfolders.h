#pragma once

#include <QString>

// A folder `name` in `scratch` of `files` empty files and `folders`
// subfolders, named with numbers as people's files often are. Gives its path.
QString makeFolder(const QString &scratch, const char *name, int files, int folders);

#pragma once

#include <QString>

// A folder `name` in `scratch` of `files` empty files and `folders`
// subfolders, named with numbers as people's files often are. Gives its path.
// When BYTEKIJKER_BENCH_FOLDERS names a folder, the folder was made there
// beforehand (make-folders.sh), and is taken as it is.
QString makeFolder(const QString &scratch, const char *name, int files, int folders);

#pragma once

#include <QString>
#include <QStringList>
#include <chrono>

// One run of a program built beside the benchmarks: what it printed, and the
// moment it was started on the clock every process shares.
struct SiblingRun {
    QString output;
    std::chrono::steady_clock::duration started;
};

// Runs the program `name` with `arguments` in `folder` (the current one when
// empty) to its end. A run that fails ends the benchmarks, saying which.
SiblingRun runSibling(const QString &name, const QStringList &arguments = {}, const QString &folder = {});

// One fresh program's first opening of the chooser in `folder`, clicked that
// many milliseconds after its main window shows (chooser_first_open), until
// the file list shows its first names.
double chooserFirstOpenMilliseconds(const QString &folder, int clickAfterMilliseconds);

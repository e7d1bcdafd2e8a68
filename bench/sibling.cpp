#include "sibling.h"

#include <QCoreApplication>
#include <QProcess>
#include <cstdio>
#include <cstdlib>

SiblingRun runSibling(const QString &name, const QStringList &arguments, const QString &folder)
{
    QProcess program;
    program.setWorkingDirectory(folder);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    SiblingRun run{{}, std::chrono::steady_clock::now().time_since_epoch()};
    program.start(QCoreApplication::applicationDirPath() + QLatin1Char('/') + name, arguments);
    if (!program.waitForFinished(120'000) || program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0) {
        std::fprintf(stderr, "%s %s failed\n", qPrintable(name), qPrintable(arguments.join(' ')));
        std::exit(1);
    }
    run.output = QString::fromLatin1(program.readAllStandardOutput());
    return run;
}

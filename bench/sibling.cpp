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

double chooserFirstOpenMilliseconds(const QString &folder, int clickAfterMilliseconds)
{
    const SiblingRun run =
        runSibling(QStringLiteral("chooser_first_open"), {QString::number(clickAfterMilliseconds)}, folder);
    bool measured = false;
    const double milliseconds = run.output.section(' ', 0, 0).toDouble(&measured);
    if (!measured) {
        std::fprintf(stderr, "chooser_first_open gave no time in %s\n", qPrintable(folder));
        std::exit(1);
    }
    return milliseconds;
}

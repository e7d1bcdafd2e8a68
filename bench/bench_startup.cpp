// Start-up of the program against a bare Qt window program: the time from
// process start to the window on screen, and the peak memory on the way.

#include "measure.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <chrono>
#include <cstdlib>
#include <QSysInfo>

namespace {

struct Run {
    double milliseconds = 0;
    double peakKiB = 0;
};

Run runOnce(const QString &program)
{
    QProcess process;
    const auto started = std::chrono::steady_clock::now().time_since_epoch();
    process.start(program, {});
    process.waitForFinished(30000);
    const QString output = QString::fromLatin1(process.readAllStandardOutput());
    const auto shown = std::chrono::nanoseconds(
        QRegularExpression(QStringLiteral("Shown: (\\d+)")).match(output).captured(1).toLongLong());
    if (shown.count() == 0) {
        std::fprintf(stderr, "%s did not show its window\n", qPrintable(program));
        std::exit(1);
    }
    Run run{std::chrono::duration<double, std::milli>(shown - started).count()};
    run.peakKiB = QRegularExpression(QStringLiteral("VmHWM:\\s*(\\d+)")).match(output).captured(1).toDouble();
    return run;
}

}   // namespace

// Each program's runs: times and peaks.
struct Runs {
    std::vector<double> milliseconds, peakKiB;
};

// The programs run in turn, so that a change in the machine's load falls on
// all alike. Besides the bare window, a window showing one character: the
// least any window with text costs (its fonts found and loaded, a glyph
// drawn).
void benchStartup()
{
    const QString here = QCoreApplication::applicationDirPath();
    const char *programs[] = {"/startup_bytekijker", "/startup_bare", "/startup_label"};
    Runs runs[3];
    for (int i = 0; i < 41; ++i)
        for (int p = 0; p < 3; ++p) {
            const Run run = runOnce(here + QLatin1String(programs[p]));
            runs[p].milliseconds.push_back(run.milliseconds);
            runs[p].peakKiB.push_back(run.peakKiB);
        }
    const double own = median(runs[0].milliseconds), bare = median(runs[1].milliseconds),
                 label = median(runs[2].milliseconds);
    report("startup_ms", own, "ms");
    report("startup_bare_ms", bare, "ms");
    report("startup_ratio", own / bare, "x");
    report("startup_label_ms", label, "ms");
    report("startup_vs_label_ratio", own / label, "x");
    // Counted by Linux; wine's figures are its own, not a Windows program's.
    if (QSysInfo::kernelType() == QLatin1String("linux")) {
        const double ownPeak = median(runs[0].peakKiB), barePeak = median(runs[1].peakKiB),
                     labelPeak = median(runs[2].peakKiB);
        report("peak_rss_mib", ownPeak / 1024, "MiB");
        report("peak_rss_bare_mib", barePeak / 1024, "MiB");
        report("peak_rss_ratio", ownPeak / barePeak, "x");
        report("peak_rss_label_mib", labelPeak / 1024, "MiB");
        report("peak_rss_vs_label_ratio", ownPeak / labelPeak, "x");
    }
}

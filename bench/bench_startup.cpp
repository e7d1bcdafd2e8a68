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

// The two programs run in turn, so that a change in the machine's load falls
// on both alike.
void benchStartup()
{
    const QString here = QCoreApplication::applicationDirPath();
    std::vector<double> times, bareTimes, peaks, barePeaks;
    for (int i = 0; i < 41; ++i) {
        const Run own = runOnce(here + QStringLiteral("/startup_bytekijker"));
        const Run bare = runOnce(here + QStringLiteral("/startup_bare"));
        times.push_back(own.milliseconds);
        bareTimes.push_back(bare.milliseconds);
        peaks.push_back(own.peakKiB);
        barePeaks.push_back(bare.peakKiB);
    }
    report("startup_ms", median(times), "ms");
    report("startup_bare_ms", median(bareTimes), "ms");
    report("startup_ratio", median(times) / median(bareTimes), "x");
    // Counted by Linux; wine's figures are its own, not a Windows program's.
    if (QSysInfo::kernelType() == QLatin1String("linux")) {
        report("peak_rss_mib", median(peaks) / 1024, "MiB");
        report("peak_rss_bare_mib", median(barePeaks) / 1024, "MiB");
        report("peak_rss_ratio", median(peaks) / median(barePeaks), "x");
    }
}

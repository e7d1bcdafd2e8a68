// Start-up of the program against a bare Qt window program, and against the
// same with a label: the time from process start to the window on screen,
// and the peak memory on the way.

#include "measure.h"
#include "sibling.h"

#include <QRegularExpression>
#include <QSysInfo>
#include <cstdio>
#include <cstdlib>

namespace {

struct Run {
    double milliseconds = 0;
    double peakKiB = 0;
};

// Each program's runs: times and peaks.
struct Runs {
    std::vector<double> milliseconds, peakKiB;
};

Run runOnce(const QString &program, const QStringList &arguments)
{
    const SiblingRun run = runSibling(program, arguments);
    const auto shown = std::chrono::nanoseconds(
        QRegularExpression(QStringLiteral("Shown: (\\d+)")).match(run.output).captured(1).toLongLong());
    if (shown.count() == 0) {
        std::fprintf(stderr, "%s did not show its window\n", qPrintable(program));
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(shown - run.started).count(),
            QRegularExpression(QStringLiteral("VmHWM:\\s*(\\d+)")).match(run.output).captured(1).toDouble()};
}

}   // namespace

// The programs run in turn, so that a change in the machine's load falls on
// all alike. Besides the bare window, the same with a label of one character:
// the least any window with text costs (its fonts found and loaded, a glyph
// drawn).
void benchStartup()
{
    const std::pair<QString, QStringList> programs[] = {{QStringLiteral("startup_bytekijker"), {}},
                                                        {QStringLiteral("startup_bare"), {}},
                                                        {QStringLiteral("startup_bare"), {QStringLiteral("label")}}};
    Runs runs[3];
    for (int i = 0; i < 41; ++i)
        for (int p = 0; p < 3; ++p) {
            const Run run = runOnce(programs[p].first, programs[p].second);
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

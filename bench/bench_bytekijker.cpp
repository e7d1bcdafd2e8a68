// Prints one "name: value unit" line per figure. Run offscreen (make bench).

#include "bytewisepager.h"
#include "form1.h"
#include "module1.h"
#include "pathtext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int BlocksIn32750 = 131;

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

double microseconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1000.0;
}

// Read system calls this process has made so far, as the kernel counts them.
long long readSyscalls()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value)
        if (key == "syscr:")
            return value;
    return -1;
}

void report(const char *name, double value, const char *unit)
{
    std::printf("%s: %.2f %s\n", name, value, unit);
    std::fflush(stdout);
}

// Times every click of paging from block 1 to 131 and back, `rounds` times;
// each click includes the repaint that follows it.
std::vector<double> pagingTimes(const std::function<void()> &next, const std::function<void()> &previous,
                                int rounds)
{
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        for (int i = 1; i < BlocksIn32750; ++i)
            times.push_back(microseconds([&] { next(); QCoreApplication::processEvents(); }));
        for (int i = 1; i < BlocksIn32750; ++i)
            times.push_back(microseconds([&] { previous(); QCoreApplication::processEvents(); }));
    }
    return times;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, qint64 size, bool sparse)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    if (sparse) {
        file.resize(size);
    } else {
        QByteArray bytes(size, Qt::Uninitialized);
        for (qint64 i = 0; i < size; ++i)
            bytes[i] = char((i * 37 + 11) % 256);
        file.write(bytes);
    }
    return path;
}

double runMilliseconds(const QString &program)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program, {});
    process.waitForFinished(30000);
    return timer.nsecsElapsed() / 1e6;
}

// Median start-up times of two programs, run in turn so that a change in the
// machine's load falls on both alike.
std::pair<double, double> startupMilliseconds(const QString &first, const QString &second, int runs)
{
    std::vector<double> firstTimes, secondTimes;
    for (int i = 0; i < runs; ++i) {
        firstTimes.push_back(runMilliseconds(first));
        secondTimes.push_back(runMilliseconds(second));
    }
    return {median(firstTimes), median(secondTimes)};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString pages = writeFile(dir, QStringLiteral("32750"), 32750, false);

    Form1 form;
    form.show();
    auto *next = form.findChild<QPushButton *>(QStringLiteral("Bvolgende"));
    auto *previous = form.findChild<QPushButton *>(QStringLiteral("Bvorige"));
    Module1::SelectedPath = pathFromText(pages);
    form.LoadSelectedFile();
    pagingTimes([&] { next->click(); }, [&] { previous->click(); }, 1);   // warm up

    const double page = median(pagingTimes([&] { next->click(); }, [&] { previous->click(); }, 5));
    report("page_us", page, "us");

    const long long readsBefore = readSyscalls();
    for (int i = 1; i < BlocksIn32750; ++i)
        next->click();
    report("reads_per_block", double(readSyscalls() - readsBefore) / (BlocksIn32750 - 1), "calls");

    BytewisePager bytewise(form.findChild<QPlainTextEdit *>(QStringLiteral("Tasc")),
                           form.findChild<QPlainTextEdit *>(QStringLiteral("Ttekst")),
                           form.findChild<QLabel *>(QStringLiteral("Laantal250")));
    bytewise.load(pathFromText(pages));
    const double pageBytewise = median(pagingTimes([&] { bytewise.next(); }, [&] { bytewise.previous(); }, 1));
    report("page_bytewise_us", pageBytewise, "us");
    report("page_speedup", pageBytewise / page, "x");

    const QString small = writeFile(dir, QStringLiteral("1KiB"), 1024, false);
    const QString sparse = writeFile(dir, QStringLiteral("3GiB"), qint64(3) << 30, true);
    const auto loadTime = [&](const QString &path) {
        std::vector<double> times;
        for (int i = 0; i < 200; ++i) {
            Module1::SelectedPath = pathFromText(path);
            times.push_back(microseconds([&] { form.LoadSelectedFile(); QCoreApplication::processEvents(); }));
        }
        return median(times);
    };
    const double loadSmall = loadTime(small);
    const double loadSparse = loadTime(sparse);
    report("load_1kib_us", loadSmall, "us");
    report("load_sparse_us", loadSparse, "us");
    report("load_sparse_ratio", loadSparse / loadSmall, "x");

    const QString here = QCoreApplication::applicationDirPath();
    const auto [startup, startupBare] = startupMilliseconds(here + QStringLiteral("/startup_bytekijker"),
                                                            here + QStringLiteral("/startup_bare"), 41);
    report("startup_ms", startup, "ms");
    report("startup_bare_ms", startupBare, "ms");
    report("startup_ratio", startup / startupBare, "x");
    return 0;
}

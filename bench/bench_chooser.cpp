// Opening the chooser in folders of every size: the time from "Bestand
// openen" to the chooser on screen with the folder's names in its lists,
// which are read off the window's thread. The folders are made
// in a scratch folder first (not timed) and removed afterwards.

#include "chooser/fopen.h"
#include "measure.h"
#include "scratchfolders.h"
#include "sibling.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <unistd.h>

namespace {

// Median of `runs` openings of the chooser in `folder`, which it opens on as
// the working folder. Between events it sleeps, as the program's event loop
// does: a loop that polled would take a core from the folder's reading.
double chooserOpenMilliseconds(const QString &folder, int runs)
{
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(microseconds([] {
                            fOpen chooser;
                            chooser.show();
                            const auto *reading = chooser.findChild<QWidget *>(QStringLiteral("readingNotice"));
                            while (!chooser.windowHandle()->isExposed() || !reading->isHidden())
                                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
                            chooser.repaint();
                        })
                        / 1000);
    QDir::setCurrent(before);
    return median(times);
}

// Median of `runs` reads of the folder's names as the kernel gives them,
// unsorted, as `ls -f` reads them: the floor of any listing.
double readdirMilliseconds(const QString &folder, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(microseconds([&] {
                            DIR *dir = ::opendir(QFile::encodeName(folder).constData());
                            std::size_t names = 0;
                            while (const dirent *entry = ::readdir(dir))
                                names += entry->d_name[0] != 0;
                            ::closedir(dir);
                            if (names == 0)
                                std::abort();
                        })
                        / 1000);
    return median(times);
}

}   // namespace

void benchChooser()
{
    QTemporaryDir scratch;
    const QString folder40 = makeFolder(scratch.path(), "40", 30, 10);
    const QString folder100k = makeFolder(scratch.path(), "100k", 100'000, 0);
    const QString folders100k = makeFolder(scratch.path(), "100k-folders", 0, 100'000);
    const QString folder1m = makeFolder(scratch.path(), "1m", 1'000'000, 0);
    ::sync();   // so that writing the new entries back to disk doesn't run into the timing

    const double small = chooserOpenMilliseconds(folder40, 9);
    report("chooser_open_ms_40", small, "ms");
    const double files100k = chooserOpenMilliseconds(folder100k, 5);
    report("chooser_open_ms_100k_files", files100k, "ms");
    report("chooser_open_ms_100k_folders", chooserOpenMilliseconds(folders100k, 5), "ms");
    const double files1m = chooserOpenMilliseconds(folder1m, 3);
    report("chooser_open_ms_1m_files", files1m, "ms");
    const double readdir1m = readdirMilliseconds(folder1m, 3);
    report("readdir_ms_1m_files", readdir1m, "ms");
    report("chooser_vs_readdir_1m", files1m / readdir1m, "x");
    // As a user meets it: a fresh program, clicked the moment its window
    // shows, while the folder's read-ahead may still run.
    std::vector<double> firstOpens1m;
    for (int i = 0; i < 5; ++i)
        firstOpens1m.push_back(chooserFirstOpenMilliseconds(folder1m, 0));
    report("chooser_first_open_ms_1m_files", median(firstOpens1m), "ms");
    report("chooser_first_open_vs_readdir_1m", median(firstOpens1m) / readdir1m, "x");
    report("chooser_100k_ratio", files100k / small, "x");
    report("chooser_growth", files1m / files100k, "x");
    // Far quicker than QTemporaryDir's own removal of a million files.
    std::filesystem::remove_all(QFile::encodeName(scratch.path()).toStdString());
}

// Paging in the real window: against the byte-by-byte way (the baseline),
// against the floor of what the two text boxes themselves cost, the read calls
// per block, and loading a huge sparse file against a small one.

#include "bytewisepager.h"
#include "common/module1.h"
#include "measure.h"
#include "platform/pathtext.h"
#include "viewer/form1.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <fstream>
#include <string>

namespace {

constexpr int BlocksIn32750 = 131;

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

// Times every click of paging from block 1 to 131 and back, `rounds` times;
// each click includes the repaint that follows it.
std::vector<double> pagingTimes(const std::function<void()> &next, const std::function<void()> &previous, int rounds)
{
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        for (int i = 1; i < BlocksIn32750; ++i)
            times.push_back(microseconds([&] {
                next();
                QCoreApplication::processEvents();
            }));
        for (int i = 1; i < BlocksIn32750; ++i)
            times.push_back(microseconds([&] {
                previous();
                QCoreApplication::processEvents();
            }));
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

// The floor: the same two texts of every block written into two bare text
// boxes of the panes' sizes, and repainted.
double pageFloorMicroseconds(const std::vector<std::pair<QString, QString>> &blocks)
{
    QWidget window;
    window.resize(511, 462);
    auto *codes = new QPlainTextEdit(&window);
    auto *text = new QPlainTextEdit(&window);
    codes->setGeometry(4, 62, 505, 291);
    text->setGeometry(4, 354, 505, 105);
    window.show();
    std::size_t shown = 0;
    const auto write = [&](std::size_t block) {
        codes->setPlainText(blocks[block].first);
        text->setPlainText(blocks[block].second);
        shown = block;
    };
    const auto next = [&] { write(std::min(shown + 1, blocks.size() - 1)); };
    const auto previous = [&] { write(shown > 0 ? shown - 1 : 0); };
    pagingTimes(next, previous, 1);   // warm up
    return median(pagingTimes(next, previous, 5));
}

}   // namespace

void benchPaging()
{
    QTemporaryDir dir;
    const QString pages = writeFile(dir, QStringLiteral("32750"), 32750, false);

    Form1 form;
    form.show();
    auto *next = form.findChild<QPushButton *>(QStringLiteral("Bvolgende"));
    auto *previous = form.findChild<QPushButton *>(QStringLiteral("Bvorige"));
    auto *codes = form.findChild<QPlainTextEdit *>(QStringLiteral("Tasc"));
    auto *text = form.findChild<QPlainTextEdit *>(QStringLiteral("Ttekst"));
    Module1::SelectedPath = pathFromText(pages);
    form.LoadSelectedFile();
    std::vector<std::pair<QString, QString>> blocks{{codes->toPlainText(), text->toPlainText()}};
    for (int i = 1; i < BlocksIn32750; ++i) {
        next->click();
        blocks.emplace_back(codes->toPlainText(), text->toPlainText());
    }
    pagingTimes([&] { next->click(); }, [&] { previous->click(); }, 1);   // warm up

    const double page = median(pagingTimes([&] { next->click(); }, [&] { previous->click(); }, 5));
    report("page_us", page, "us");
    const double floor = pageFloorMicroseconds(blocks);
    report("page_floor_us", floor, "us");
    report("page_floor_ratio", page / floor, "x");

    form.LoadSelectedFile();
    const long long readsBefore = readSyscalls();
    for (int i = 1; i < BlocksIn32750; ++i)
        next->click();
    report("reads_per_block", double(readSyscalls() - readsBefore) / (BlocksIn32750 - 1), "calls");

    BytewisePager bytewise(codes, text, form.findChild<QLabel *>(QStringLiteral("Laantal250")));
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
            times.push_back(microseconds([&] {
                form.LoadSelectedFile();
                QCoreApplication::processEvents();
            }));
        }
        return median(times);
    };
    const double loadSmall = loadTime(small);
    const double loadSparse = loadTime(sparse);
    report("load_1kib_us", loadSmall, "us");
    report("load_sparse_us", loadSparse, "us");
    report("load_sparse_ratio", loadSparse / loadSmall, "x");
}

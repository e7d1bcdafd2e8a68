#include "scratchfolders.h"

#include "platform/pathtext.h"

#include <filesystem>
#include <fstream>
#include <string>

QString makeFolder(const QString &scratch, const char *name, int files, int folders)
{
    const QString madeBefore = qEnvironmentVariable("BYTEKIJKER_BENCH_FOLDERS");
    if (!madeBefore.isEmpty())
        return madeBefore + QLatin1Char('/') + QLatin1String(name);
    const std::filesystem::path folder = pathFromText(scratch) / name;
    std::filesystem::create_directory(folder);
    for (int i = 0; i < files; ++i)
        std::ofstream(folder / ("Bestand " + std::to_string(i) + ".bin"));
    for (int i = 0; i < folders; ++i)
        std::filesystem::create_directory(folder / ("map " + std::to_string(i)));
    return pathText(folder);
}

#include "startup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

void useQtsDutchTexts()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    // Qt's own folder of translations, or, where the program is shipped with
    // its Qt, the one beside the program.
    for (const QString &folder : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                  QCoreApplication::applicationDirPath() + QStringLiteral("/translations")}) {
        if (translator->load(QStringLiteral("qtbase_nl"), folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    delete translator;
}

} // namespace

void prepareApplication()
{
    useQtsDutchTexts();
#ifdef _WIN32
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
#endif
}

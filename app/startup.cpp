#include "startup.h"

#include "chooser/readahead.h"
#include "platform/systemstartup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <system_error>

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

}   // namespace

void prepareApplication()
{
    useQtsDutchTexts();
    prepareSystem();
    std::error_code error;
    readAhead(std::filesystem::current_path(error));
}

#include "openfailure.h"

namespace {

QString reason(const OpenResult &failure)
{
    switch (failure.error) {
    case OpenError::NotFound:
        return QStringLiteral("Het bestand bestaat niet (meer).");
    case OpenError::IsDirectory:
        return QStringLiteral("Dit is een map, geen bestand. Kies een bestand in de lijst.");
    case OpenError::NotRegularFile:
        return QStringLiteral("Dit is geen gewoon bestand, maar bijvoorbeeld een pipe, "
                              "een apparaat of een socket. Zo'n bestand wordt niet geopend.");
    case OpenError::NoPermission:
        return QStringLiteral("U hebt geen toestemming om dit bestand te lezen.");
    case OpenError::LinkLoop:
        return QStringLiteral("De symbolische koppelingen naar dit bestand verwijzen in een kring.");
    case OpenError::None:
    case OpenError::Other:
        break;
    }
    return QStringLiteral("Het systeem meldt: %1").arg(QString::fromLocal8Bit(failure.systemMessage));
}

} // namespace

QString openFailureTitle()
{
    return QStringLiteral("Bestand niet geopend");
}

QString openFailureMessage(const QString &path, const OpenResult &failure)
{
    return QStringLiteral("Het bestand\n%1\nkan niet worden geopend.\n\n%2").arg(path, reason(failure));
}

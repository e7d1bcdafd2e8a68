#include "failuremessages.h"

namespace {

// A read failure: what could not be read, then why.
QString readFailure(const QString &what, const ReadResult &failure)
{
    return what + QStringLiteral("\n\n") + systemErrorText(failure.error);
}

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
    case OpenError::InUse:
        return QStringLiteral("Het bestand is in gebruik bij een ander programma, dat het voor "
                              "anderen heeft vergrendeld. Sluit het daar en probeer het opnieuw.");
    case OpenError::LinkLoop:
        return QStringLiteral("De symbolische koppelingen naar dit bestand verwijzen in een kring.");
    case OpenError::None:
    case OpenError::Other:
        break;
    }
    return systemErrorText(failure.systemError);
}

}   // namespace

QString openFailureTitle()
{
    return QStringLiteral("Bestand niet geopend");
}

QString openFailureMessage(const QString &path, const OpenResult &failure)
{
    return QStringLiteral("Het bestand\n%1\nkan niet worden geopend.\n\n%2").arg(path, reason(failure));
}

QString readFailureTitle()
{
    return QStringLiteral("Bestand niet gelezen");
}

QString readFailureMessage(const QString &path, const ReadResult &failure)
{
    return readFailure(QStringLiteral("Het bestand\n%1\nkan niet worden gelezen.").arg(path), failure);
}

QString pagingFailureMessage(const QString &path, const ReadResult &failure, PagingDirection direction)
{
    const QString block = direction == PagingDirection::Next ? QStringLiteral("volgende") : QStringLiteral("vorige");
    return readFailure(QStringLiteral("Het %1 blok van het bestand\n%2\nkan niet worden gelezen; "
                                      "het blok dat te zien was, blijft staan.")
                           .arg(block, path),
                       failure);
}

QString noAnswerTitle()
{
    return QStringLiteral("Station antwoordt niet");
}

QString noAnswerMessage(const QString &path)
{
    return QStringLiteral("Het station van\n%1\nantwoordt niet: bijvoorbeeld een netwerkmap waarvan de verbinding "
                          "weg is, of een USB-stick die niet meer reageert.\n\n"
                          "Wat te zien was, blijft staan. Zodra het station antwoordt, verschijnt wat u vroeg.")
        .arg(path);
}

QString systemErrorText(const SystemError &error)
{
    switch (error.fault) {
    case SystemFault::DeviceFault:
        return QStringLiteral("Het apparaat meldt een leesfout: bijvoorbeeld een beschadigde schijf, "
                              "een verwijderde USB-stick of een verbroken netwerkverbinding.");
    case SystemFault::DeviceGone:
        return QStringLiteral("Het apparaat waarop het bestand staat, is er niet (meer): bijvoorbeeld een "
                              "verwijderde USB-stick of een station zonder schijf.");
    case SystemFault::NetworkUnreachable:
        return QStringLiteral("De netwerkmap is niet bereikbaar: de computer of de gedeelde map bestaat "
                              "niet (meer), of het netwerk is er niet.");
    case SystemFault::ConnectionLost:
        return QStringLiteral("De netwerkverbinding naar het bestand is verbroken.");
    case SystemFault::NameTooLong:
        return QStringLiteral("Het pad is te lang.");
    case SystemFault::TooManyOpenFiles:
        return QStringLiteral("Er zijn te veel bestanden tegelijk geopend.");
    case SystemFault::OutOfMemory:
        return QStringLiteral("Er is niet genoeg geheugen.");
    case SystemFault::None:
    case SystemFault::Other:
        break;
    }
    // The system's own words where it has them, and the code to look up.
    if (error.words.empty())
        return QStringLiteral("Het systeem meldt fout %1.").arg(error.code);
    return QStringLiteral("Het systeem meldt fout %1 (%2).").arg(error.code).arg(QString::fromStdString(error.words));
}

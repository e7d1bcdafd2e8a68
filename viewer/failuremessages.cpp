#include "failuremessages.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#endif

namespace {

// A read the device itself reports as failed, worded the same on every system.
QString readFault()
{
    return QStringLiteral("Het apparaat meldt een leesfout: bijvoorbeeld een beschadigde schijf, "
                          "een verwijderde USB-stick of een verbroken netwerkverbinding.");
}

QString deviceGone()
{
    return QStringLiteral("Het apparaat waarop het bestand staat, is er niet (meer): bijvoorbeeld een "
                          "verwijderde USB-stick of een station zonder schijf.");
}

QString connectionLost()
{
    return QStringLiteral("De netwerkverbinding naar het bestand is verbroken.");
}

// A read failure: what could not be read, then why.
QString readFailure(const QString &what, const ReadResult &failure)
{
    return what + QStringLiteral("\n\n") + systemErrorText(failure.systemError);
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

} // namespace

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
                                      "het blok dat te zien was, blijft staan.").arg(block, path),
                       failure);
}

#ifdef _WIN32

// Windows' own words in Dutch where its Dutch texts are installed; otherwise
// the program's own, with the code to look up.
QString systemErrorText(int systemError)
{
    switch (DWORD(systemError)) {
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_IO_DEVICE:
        return readFault();
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEVICE_REMOVED:
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_MEDIA_CHANGED:
        return deviceGone();
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_REM_NOT_LIST:
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_HOST_UNREACHABLE:
    case ERROR_NO_NET_OR_BAD_PATH:
    case ERROR_NO_NETWORK:
        return QStringLiteral("De netwerkmap is niet bereikbaar: de computer of de gedeelde map bestaat "
                              "niet (meer), of het netwerk is er niet.");
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NETWORK_BUSY:
    case ERROR_CONNECTION_ABORTED:
    case ERROR_SEM_TIMEOUT:
        return connectionLost();
    default:
        break;
    }
    wchar_t *words = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        DWORD(systemError), MAKELANGID(LANG_DUTCH, SUBLANG_DUTCH), reinterpret_cast<wchar_t *>(&words), 0, nullptr);
    const QString text = QString::fromWCharArray(words, int(length)).trimmed();
    ::LocalFree(words);
    if (!text.isEmpty())
        return QStringLiteral("Windows meldt: %1").arg(text);
    return QStringLiteral("Windows meldt foutcode %1.").arg(systemError);
}

#else

QString systemErrorText(int systemError)
{
    switch (systemError) {
    case EIO:
        return readFault();
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
        return deviceGone();
    case ESTALE:
    case ETIMEDOUT:
    case EHOSTDOWN:
    case EHOSTUNREACH:
        return connectionLost();
    case ENAMETOOLONG:
        return QStringLiteral("Het pad is te lang.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Er zijn te veel bestanden tegelijk geopend.");
    case ENOMEM:
        return QStringLiteral("Er is niet genoeg geheugen.");
    default:
        return QStringLiteral("Het systeem meldt fout %1 (%2).")
            .arg(systemError)
            .arg(QString::fromLocal8Bit(std::strerror(systemError)));
    }
}

#endif

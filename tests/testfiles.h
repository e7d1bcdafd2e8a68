#pragma once

// What the tests share: files whose every byte can be checked, the code
// pane's text worked out on its own, and what differs between the systems
// the tests run on (the tests' one file with platform conditionals).

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <memory>
#include <unistd.h>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <dlfcn.h>
#include <sys/mount.h>
#include <sys/stat.h>
#endif

#ifdef Q_OS_WIN
constexpr bool OnWindows = true;
#else
constexpr bool OnWindows = false;
#endif

// Whether a row marked for one system ("unix", "windows"; empty: every
// system) runs here.
inline bool rowRunsHere(const QString &onlyOn)
{
    return onlyOn.isEmpty() || onlyOn == QLatin1String(OnWindows ? "windows" : "unix");
}

// Paths as the tests write them: the system's own bytes on Unix, where a name
// need not be valid text, and UTF-8 on Windows, whose names are Unicode.
inline std::filesystem::path nativePath(const QByteArray &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(QString::fromUtf8(path).toStdWString());
#else
    return std::filesystem::path(path.toStdString());
#endif
}

inline QByteArray nativeBytes(const std::filesystem::path &path)
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.native()).toUtf8();
#else
    return QByteArray::fromStdString(path.native());
#endif
}

inline QByteArray pathBytes(const QString &path)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path).toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

// Byte i of a pattern is (i * 7 + i / 251) % 256: all 256 values occur, and
// no two neighbouring blocks hold the same bytes.
inline QByteArray patternBytes(qint64 from, qint64 count)
{
    QByteArray bytes;
    for (qint64 i = from; i < from + count; ++i)
        bytes.append(char((i * 7 + i / 251) % 256));
    return bytes;
}

inline QString expectedCodes(const QByteArray &bytes)
{
    QString codes;
    for (char byte : bytes)
        codes += QStringLiteral("  ") + QString::number(std::uint8_t(byte));
    return codes;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);   // truncates what was there
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A path as it is stored, also where Windows would rewrite a plain path: "a."
// or "b " (its trailing dot or space dropped), "nul" or "aux.txt" (taken for
// devices). On Windows that is the path's extended form.
inline std::filesystem::path storedPath(const QString &path)
{
#ifdef Q_OS_WIN
    const QString full = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    return LR"(\\?\)" + QDir::toNativeSeparators(full).toStdWString();
#else
    return nativePath(pathBytes(path));
#endif
}

// A file or folder made under the name given, as it is stored.
inline bool makeStored(const QString &path, const QByteArray &bytes, bool folder = false)
{
#ifdef Q_OS_WIN
    const std::wstring stored = storedPath(path).native();
    if (folder)
        return ::CreateDirectoryW(stored.c_str(), nullptr);
    const HANDLE file = ::CreateFileW(stored.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool done = file != INVALID_HANDLE_VALUE
                      && ::WriteFile(file, bytes.constData(), DWORD(bytes.size()), &written, nullptr)
                      && written == DWORD(bytes.size());
    return ::CloseHandle(file), done;
#else
    return folder ? QDir().mkdir(path) : writeFile(path, bytes);
#endif
}

// A scratch folder that is removed with whatever it holds, also names that are
// not valid text or that Windows would rewrite, which QTemporaryDir can't
// remove on its own.
struct ScratchDir : QTemporaryDir {
    ~ScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(storedPath(path()), ignored);
    }
};

// Whether the Windows build runs under wine, which differs from Windows in a
// few answers a row can name.
inline bool underWine()
{
#ifdef Q_OS_WIN
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
}

// Runs `work` with the rights of an ordinary user (nobody) when the tests run
// as root, so that file permissions apply as they do to a user.
template<typename Work> void asOrdinaryUser(Work work)
{
#ifdef Q_OS_WIN
    work();
#else
    const bool root = ::geteuid() == 0;
    QVERIFY(!root || (::setegid(65534) == 0 && ::seteuid(65534) == 0));
    work();
    QVERIFY(!root || (::seteuid(0) == 0 && ::setegid(0) == 0));
#endif
}

// The system's own converter's reading of a byte as Windows-1252: Qt's on
// Linux, the code page's own on Windows (where Qt has only the Unicode ones).
inline QString systemWindows1252(char byte)
{
#ifdef Q_OS_WIN
    wchar_t character = 0;
    const int count = ::MultiByteToWideChar(1252, MB_ERR_INVALID_CHARS, &byte, 1, &character, 1);
    return count == 1 ? QString(QChar(character)) : QString();
#else
    return QStringDecoder("windows-1252").decode(QByteArray(1, byte));
#endif
}

// A FIFO at `path`, where the system has them.
inline bool makeFifo([[maybe_unused]] const std::filesystem::path &path)
{
#ifdef Q_OS_WIN
    return false;
#else
    return ::mkfifo(path.c_str(), 0600) == 0;
#endif
}

// The file at `path` opened as another program may, sharing it with no one
// (Windows' lock), until the result is let go; null where there is no such lock.
inline std::shared_ptr<void> lockAgainstOthers([[maybe_unused]] const std::filesystem::path &path)
{
#ifdef Q_OS_WIN
    return {::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), ::CloseHandle};
#else
    return nullptr;
#endif
}

// On a network or FUSE file system a file can pass stat() and then fail
// fstat() on its open descriptor with an I/O error. failFstatOf() makes the
// file at `path` do so until the result is let go (null where it can't);
// every other descriptor gets the system's own answer.
inline std::string failingFstat;

inline std::shared_ptr<void> failFstatOf([[maybe_unused]] const std::filesystem::path &path)
{
#ifdef Q_OS_WIN
    return nullptr;
#else
    failingFstat = std::filesystem::weakly_canonical(path);
    return {nullptr, [](void *) { failingFstat.clear(); }};
#endif
}

#ifndef Q_OS_WIN
extern "C" int fstat(int fd, struct stat *info) noexcept
{
    static const auto system = reinterpret_cast<int (*)(int, struct stat *)>(::dlsym(RTLD_NEXT, "fstat"));
    if (!failingFstat.empty()) {
        char target[4096];
        const ssize_t size = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), target, sizeof target);
        if (size > 0 && std::string_view(target, std::size_t(size)) == failingFstat) {
            errno = EIO;
            return -1;
        }
    }
    return system(fd, info);
}
#endif

// A file system of `type` ("tmpfs", "ramfs") mounted at the folder `path`
// until the result is let go; null where the tests can't mount one (not
// root, a container that forbids it, Windows).
inline std::shared_ptr<void> mountAt([[maybe_unused]] const char *type, [[maybe_unused]] const QString &path)
{
#ifdef Q_OS_WIN
    return nullptr;
#else
    auto *where = new QByteArray(pathBytes(path));
    if (::mount(type, where->constData(), type, 0, nullptr) != 0) {
        delete where;
        return nullptr;
    }
    return std::shared_ptr<void>(where, [](void *folder) {
        ::umount2(static_cast<QByteArray *>(folder)->constData(), MNT_DETACH);
        delete static_cast<QByteArray *>(folder);
    });
#endif
}

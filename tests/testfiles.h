#pragma once

// Files the tests make: byte patterns whose every position can be checked.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <unistd.h>

// Byte i of a pattern file is (i * 7 + i / 251) % 256: all 256 values occur,
// and no two neighbouring blocks hold the same bytes.
inline std::uint8_t patternByte(std::int64_t index)
{
    return std::uint8_t((index * 7 + index / 251) % 256);
}

inline QByteArray patternBytes(std::int64_t from, std::int64_t count)
{
    QByteArray bytes;
    bytes.reserve(count);
    for (std::int64_t i = from; i < from + count; ++i)
        bytes.append(char(patternByte(i)));
    return bytes;
}

// The code pane's text for these bytes, worked out on its own.
inline QString expectedCodes(const QByteArray &bytes)
{
    QString codes;
    for (char byte : bytes)
        codes += QStringLiteral("  ") + QString::number(std::uint8_t(byte));
    return codes;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A file of `size` bytes that takes no room on disk: holes read as zeros.
inline bool writeSparseFile(const QString &path, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(size);
}

// Runs `work` with the rights of an ordinary user (nobody) when the tests run
// as root, so that file permissions apply to it as they do to a user.
template<typename Work>
void asOrdinaryUser(Work work)
{
    const bool root = ::geteuid() == 0;
    if (root && (::setegid(65534) != 0 || ::seteuid(65534) != 0))
        qFatal("could not take the rights of an ordinary user");
    work();
    if (root && (::seteuid(0) != 0 || ::setegid(0) != 0))
        qFatal("could not take back the rights of root");
}

// Lets an ordinary user reach the files of a test folder.
inline bool openToEveryone(const QString &folder)
{
    return QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                             | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
}

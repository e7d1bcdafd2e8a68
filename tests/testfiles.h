#pragma once

// What the tests share: files whose every byte can be checked, and the code
// pane's text worked out on its own.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <unistd.h>

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

// A scratch folder that is removed with whatever it holds, also names that are
// not valid text, which QTemporaryDir can't remove on its own.
struct ScratchDir : QTemporaryDir {
    ~ScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(QFile::encodeName(path()).toStdString(), ignored);
    }
};

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);   // truncates what was there
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs `work` with the rights of an ordinary user (nobody) when the tests run
// as root, so that file permissions apply as they do to a user.
template<typename Work>
void asOrdinaryUser(Work work)
{
    const bool root = ::geteuid() == 0;
    QVERIFY(!root || (::setegid(65534) == 0 && ::seteuid(65534) == 0));
    work();
    QVERIFY(!root || (::seteuid(0) == 0 && ::setegid(0) == 0));
}

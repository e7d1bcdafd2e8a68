// The viewer's file channel: what it opens and refuses, and reading blocks at
// their own positions from files that grow, shrink or are mostly holes.

#include "filechannel.h"
#include "pathtext.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

Q_DECLARE_METATYPE(OpenError)

class TestFileChannel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void open_data();
    void open();
    void refusesUnreadableFile();
    void opensNameThatIsNotText();
    void readsBlocksAtTheirPositions();
    void readsSparseFileBeyondFourGiB();
    void followsFileThatGrowsAndShrinks();

private:
    std::filesystem::path make(const QString &kind);

    QTemporaryDir dir;
    int socketFd = -1;
};

void TestFileChannel::init()
{
    QVERIFY(dir.isValid());
}

std::filesystem::path TestFileChannel::make(const QString &kind)
{
    const QString path = dir.filePath(kind);
    const QByteArray native = QFile::encodeName(path);
    if (kind == "regular")
        writeFile(path, "abc");
    else if (kind == "empty")
        writeFile(path, {});
    else if (kind == "directory")
        QDir(dir.path()).mkdir(kind);
    else if (kind == "fifo")
        ::mkfifo(native.constData(), 0600);
    else if (kind == "device")
        return "/dev/zero";
    else if (kind == "link to regular") {
        writeFile(dir.filePath("target"), "x");
        QFile::link(dir.filePath("target"), path);
    } else if (kind == "dangling link")
        QFile::link(dir.filePath("nowhere"), path);
    else if (kind == "looping link")
        QFile::link(path, path);
    else if (kind == "below a file") {
        writeFile(dir.filePath("plain"), "x");
        return pathFromText(dir.filePath("plain/name"));
    } else if (kind == "socket") {
        socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, native.constData(), sizeof address.sun_path);
        ::bind(socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    }
    return pathFromText(path);
}

void TestFileChannel::open_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<OpenError>("expected");

    QTest::newRow("regular file") << "regular" << OpenError::None;
    QTest::newRow("empty file") << "empty" << OpenError::None;
    QTest::newRow("link to a regular file") << "link to regular" << OpenError::None;
    QTest::newRow("missing") << "missing" << OpenError::NotFound;
    QTest::newRow("a name below a file") << "below a file" << OpenError::NotFound;
    QTest::newRow("dangling link") << "dangling link" << OpenError::NotFound;
    QTest::newRow("looping link") << "looping link" << OpenError::LinkLoop;
    QTest::newRow("directory") << "directory" << OpenError::IsDirectory;
    // Each of these would block or read forever if it were opened and read.
    QTest::newRow("FIFO without a writer") << "fifo" << OpenError::NotRegularFile;
    QTest::newRow("character device") << "device" << OpenError::NotRegularFile;
    QTest::newRow("socket") << "socket" << OpenError::NotRegularFile;
}

void TestFileChannel::open()
{
    QFETCH(QString, kind);
    QFETCH(OpenError, expected);
    OpenResult result = FileChannel::open(make(kind));
    if (socketFd >= 0)
        ::close(std::exchange(socketFd, -1));
    QCOMPARE(result.error, expected);
    QCOMPARE(result.channel.isOpen(), expected == OpenError::None);
}

void TestFileChannel::refusesUnreadableFile()
{
    const QString path = dir.filePath("secret");
    QVERIFY(writeFile(path, "x"));
    QVERIFY(openToEveryone(dir.path()));
    QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
    OpenError error = OpenError::None;
    asOrdinaryUser([&] { error = FileChannel::open(pathFromText(path)).error; });
    QCOMPARE(error, OpenError::NoPermission);
}

// A name is bytes: one that is not valid UTF-8 must open by those bytes.
void TestFileChannel::opensNameThatIsNotText()
{
    const std::filesystem::path path = pathFromText(dir.path()) / std::string("caf\xe9 \xff.bin");
    FILE *file = std::fopen(path.c_str(), "wb");
    QVERIFY(file);
    std::fputs("bytes", file);
    std::fclose(file);
    OpenResult result = FileChannel::open(path);
    QCOMPARE(result.error, OpenError::None);
    QCOMPARE(result.channel.length(), 5);
}

void TestFileChannel::readsBlocksAtTheirPositions()
{
    const QString path = dir.filePath("pattern");
    QVERIFY(writeFile(path, patternBytes(0, 600)));
    FileChannel channel = FileChannel::open(pathFromText(path)).channel;
    QCOMPARE(channel.length(), 600);

    std::array<std::uint8_t, 250> buffer{};
    QCOMPARE(channel.readAt(250, buffer), 250u);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(buffer.data()), 250), patternBytes(250, 250));
    QCOMPARE(channel.readAt(500, buffer), 100u);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(buffer.data()), 100), patternBytes(500, 100));
    QCOMPARE(channel.readAt(600, buffer), 0u);
}

void TestFileChannel::readsSparseFileBeyondFourGiB()
{
    const QString path = dir.filePath("sparse");
    const qint64 size = (qint64(4) << 30) + 10;
    QVERIFY(writeSparseFile(path, size));
    FileChannel channel = FileChannel::open(pathFromText(path)).channel;
    QCOMPARE(channel.length(), size);
    std::array<std::uint8_t, 250> buffer;
    buffer.fill(0xAA);
    QCOMPARE(channel.readAt(32500, buffer), 250u);
    QVERIFY(std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == 0; }));
}

void TestFileChannel::followsFileThatGrowsAndShrinks()
{
    const QString path = dir.filePath("changing");
    QVERIFY(writeFile(path, patternBytes(0, 300)));
    FileChannel channel = FileChannel::open(pathFromText(path)).channel;
    std::array<std::uint8_t, 250> buffer{};

    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    file.write(patternBytes(300, 200));
    file.flush();
    QCOMPARE(channel.length(), 500);
    QCOMPARE(channel.readAt(250, buffer), 250u);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(buffer.data()), 250), patternBytes(250, 250));

    QVERIFY(file.resize(0));
    QCOMPARE(channel.length(), 0);
    QCOMPARE(channel.readAt(250, buffer), 0u);
}

QTEST_GUILESS_MAIN(TestFileChannel)
#include "tst_filechannel.moc"

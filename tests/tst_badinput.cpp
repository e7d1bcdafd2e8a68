// Everything awkward a user can choose, and what the main window does with
// it: a clear message once, or the file shown like any other; never a crash,
// a hang, or the loss of the file on show.

#include "form1.h"
#include "module1.h"
#include "pathtext.h"
#include "testfiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

class TestBadInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void choose_data();
    void choose();

private:
    std::filesystem::path make(const QString &kind);
    template<typename T> T *control(const char *name) { return form->findChild<T *>(QLatin1String(name)); }
    QString codes() { return control<QPlainTextEdit>("Tasc")->toPlainText(); }
    QString label() { return control<QLabel>("Laantal250")->text(); }

    QTemporaryDir dir;
    QString folder;
    std::unique_ptr<Form1> form;
    int socketFd = -1;
};

void TestBadInput::initTestCase()
{
    QVERIFY(dir.isValid());
    folder = dir.path();
    QVERIFY(openToEveryone(folder));
    QVERIFY(writeFile(folder + QStringLiteral("/on-show"), patternBytes(0, 600)));
}

// Each case starts with a good file on show at block 2.
void TestBadInput::init()
{
    form = std::make_unique<Form1>();
    Module1::SelectedPath = pathFromText(folder + QStringLiteral("/on-show"));
    form->LoadSelectedFile();
    QTest::mouseClick(control<QPushButton>("Bvolgende"), Qt::LeftButton);
    QCOMPARE(label(), QStringLiteral(" 2"));
}

void TestBadInput::cleanup()
{
    form.reset();
    if (socketFd >= 0)
        ::close(std::exchange(socketFd, -1));
}

// Makes the thing to choose and gives its path.
std::filesystem::path TestBadInput::make(const QString &kind)
{
    const std::filesystem::path base = pathFromText(folder);
    const QString path = folder + '/' + kind;
    const QByteArray native = QFile::encodeName(path);
    if (kind == "folder")
        QDir(folder).mkdir(kind);
    else if (kind == "removed file") {
        writeFile(path, "x");
        QFile::remove(path);
    } else if (kind == "unreadable") {
        writeFile(path, "x");
        QFile::setPermissions(path, QFile::WriteOwner);
    } else if (kind == "fifo")
        ::mkfifo(native.constData(), 0600);
    else if (kind == "device")
        return "/dev/zero";
    else if (kind == "socket") {
        socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, native.constData(), sizeof address.sun_path);
        ::bind(socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    } else if (kind == "dangling link")
        QFile::link(folder + QStringLiteral("/nowhere"), path);
    else if (kind == "looping link")
        QFile::link(path, path);
    else if (kind == "empty")
        writeFile(path, {});
    else if (kind == "name with spaces" || kind == QString::fromUtf8("één café"))
        writeFile(path, "abc");
    else if (kind == "name not valid UTF-8") {
        const std::filesystem::path raw = base / std::string("caf\xe9\xff");
        std::FILE *out = std::fopen(raw.c_str(), "wb");
        std::fputs("abc", out);
        std::fclose(out);
        return raw;
    }
    return pathFromText(path);
}

void TestBadInput::choose_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");   // a word of the message; empty: the file loads

    QTest::newRow("folder") << "folder" << "map";
    QTest::newRow("removed file") << "removed file" << "bestaat niet";
    QTest::newRow("no read permission") << "unreadable" << "toestemming";
    QTest::newRow("FIFO") << "fifo" << "pipe";
    QTest::newRow("character device") << "device" << "apparaat";
    QTest::newRow("socket") << "socket" << "socket";
    QTest::newRow("dangling link") << "dangling link" << "bestaat niet";
    QTest::newRow("looping link") << "looping link" << "kring";
    QTest::newRow("empty file") << "empty" << "";
    QTest::newRow("name with spaces") << "name with spaces" << "";
    QTest::newRow("name with non-ASCII letters") << QString::fromUtf8("één café") << "";
    QTest::newRow("name not valid UTF-8") << "name not valid UTF-8" << "";
}

void TestBadInput::choose()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString before = codes();
    const QString pathBefore = control<QLineEdit>("Tbestand")->text();

    const std::filesystem::path chosen = make(kind);
    Module1::SelectedPath = chosen;
    // As an ordinary user, so that file permissions count even when the tests run as root.
    asOrdinaryUser([&] { form->LoadSelectedFile(); });
    const QList<QMessageBox *> messages = form->findChildren<QMessageBox *>();

    if (reason.isEmpty()) {
        QVERIFY(messages.isEmpty());
        QCOMPARE(label(), QStringLiteral(" 1"));
        QCOMPARE(control<QLineEdit>("Tbestand")->text(), pathText(chosen));
        QCOMPARE(codes(), kind == "empty" ? QString() : expectedCodes("abc"));
        return;
    }
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first()->text().contains(pathText(chosen)), qPrintable(messages.first()->text()));
    QVERIFY2(messages.first()->text().contains(reason), qPrintable(messages.first()->text()));
    QCOMPARE(label(), QStringLiteral(" 2"));
    QCOMPARE(codes(), before);
    QCOMPARE(control<QLineEdit>("Tbestand")->text(), pathBefore);

    // Once only, and the file on show still pages.
    asOrdinaryUser([&] { form->LoadSelectedFile(); });
    QCOMPARE(form->findChildren<QMessageBox *>().size(), 1);
    QTest::mouseClick(control<QPushButton>("Bvolgende"), Qt::LeftButton);
    QCOMPARE(label(), QStringLiteral(" 3"));
    QCOMPARE(codes(), expectedCodes(patternBytes(500, 100)));
}

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"

// The main window on the offscreen platform, given files it can't show: each
// gets a message naming it and saying why, and the file on show stays.

#include "form1test.h"
#include "platform/pathtext.h"
#include "viewer/failuremessages.h"

#include <fcntl.h>
#include <fstream>
#include <unistd.h>

class TestForm1Failures : public Form1Test {
    Q_OBJECT

    // Makes the awkward thing a row of badInput names at `path`; what it
    // returns holds a lock on it, where the row needs one, until released.
    static std::shared_ptr<void> make(const QByteArray &name, const std::filesystem::path &path)
    {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::create_directories(name.startsWith("folder") ? path : path.parent_path(), ignored);
        if (name.isEmpty() || name.startsWith("folder") || name == "removed")
            return {};
        if (name == "fifo")
            return makeFifo(path), nullptr;
        if (name == "dangling" || name == "looping" || name == "mem")
            return fs::create_symlink(name == "looping" ? path
                                      : name == "mem"   ? "/proc/self/mem"
                                                        : "nowhere",
                                      path),
                   nullptr;
        std::ofstream(path, std::ios::binary) << (name == "empty" ? "" : "abc");
        if (name == "locked")   // opened by "another program"
            return lockAgainstOthers(path);
        if (name == "unreadable")
            fs::permissions(path, fs::perms::owner_write);
        if (name == "io-error")
            return failFstatOf(path);
        return {};
    }

    // The file on show starts failing its reads, as on a disk with a bad
    // sector: its channel is swapped for one on /proc/self/mem, whose reads at
    // these places fail.
    static bool makeFileOnShowFail(const QString &path)
    {
        const int mem = ::open("/proc/self/mem", O_RDONLY);
        bool swapped = false;
        for (const QFileInfo &fd : QDir("/proc/self/fd").entryInfoList(QDir::AllEntries | QDir::System))
            swapped = swapped || (fd.symLinkTarget() == path && ::dup2(mem, fd.fileName().toInt()) >= 0);
        return ::close(mem), swapped;
    }

private slots:
    void initTestCase() { prepare(); }
    void init() { openForm(); }

    // One row a line, as a table reads.
    // clang-format off
    void badInput_data()
    {
        QTest::addColumn<QByteArray>("name");     // ">" or "<": that click on the file on show fails
        QTest::addColumn<QString>("reason");   // words of the message; empty: the file loads
        QTest::addColumn<QString>("onlyOn");   // "unix", "windows"; empty: everywhere

        const QByteArray separator(1, QDir::separator().toLatin1());
        QTest::newRow("folder") << QByteArray("folder") << "map" << "";
        QTest::newRow("folder, path ending in a separator") << "folder" + separator << "map" << "";
        QTest::newRow("removed file") << QByteArray("removed") << "bestaat niet" << "";
        // The file on show, deleted by another program (on Windows' FAT and
        // network shares its deletion waits for the viewer to let go).
        QTest::newRow("deleted while on show") << QByteArray("deleted") << "bestaat niet" << "";
        QTest::newRow("network share out of reach")
            << QByteArray("\\\\bytekijker-nergens\\share\\file") << "netwerkmap" << "windows";
        QTest::newRow("no read permission") << QByteArray("unreadable") << "toestemming" << "unix";
        QTest::newRow("locked by another program") << QByteArray("locked") << "in gebruik" << "windows";
        QTest::newRow("FIFO") << QByteArray("fifo") << "pipe" << "unix";
        QTest::newRow("character device") << QByteArray("/dev/zero") << "apparaat" << "unix";
        QTest::newRow("dangling link") << QByteArray("dangling") << "bestaat niet" << "unix";
        QTest::newRow("looping link") << QByteArray("looping") << "kring" << "unix";
        QTest::newRow("I/O error after a good stat") << QByteArray("io-error") << "leesfout" << "unix";
        // Opens, but its first read fails.
        QTest::newRow("read error") << QByteArray("mem") << "leesfout" << "unix";
        // The file on show fails its reads while paging.
        QTest::newRow("read error paging on") << QByteArray(">") << "leesfout volgende" << "unix";
        QTest::newRow("read error paging back") << QByteArray("<") << "leesfout vorige" << "unix";
        QTest::newRow("empty file") << QByteArray("empty") << "" << "";
        QTest::newRow("name outside the ANSI code page, with spaces") << QByteArray("één café Ωμέγα 日本") << "" << "";
        QTest::newRow("name not valid UTF-8") << QByteArray("caf\xe9\xff") << "" << "unix";
        QTest::newRow("path longer than 260 characters")
            << QByteArray(120, 'd') + separator + QByteArray(120, 'e') + separator + "long" << "" << "";
    }
    // clang-format on

    // A good file is on show at block 2 when the awkward one is chosen, as an
    // ordinary user: it gets a message naming it, once for activations and
    // again for a new choice in the chooser, and the file on show stays and
    // still pages; or it loads like any file.
    void badInput()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, reason);
        QFETCH(QString, onlyOn);
        if (!rowRunsHere(onlyOn))
            QSKIP(onlyOn == "unix" ? "a Unix file kind or right" : "a Windows lock or path");
        // Windows refuses to open a file whose deletion waits for the viewer
        // (on FAT and network shares), and answers a share out of reach with
        // ERROR_BAD_NETPATH; wine opens the one and finds no path for the other.
        if (underWine() && (name == "deleted" || name.startsWith("\\\\")))
            QSKIP("wine answers this otherwise than Windows");
        const QByteArray good = patternBytes(0, 600);
        QVERIFY(writeFile(dir.filePath("good"), good));
        load(folder + "good");
        click("Bvolgende");

        const bool whilePaging = name == ">" || name == "<", onShow = whilePaging || name == "deleted";
        const bool absolute = name.startsWith('/') || name.startsWith("\\\\");
        const QByteArray path = onShow ? folder + "good" : absolute ? name : folder + name;
        const std::shared_ptr<void> lock = onShow || absolute ? nullptr : make(name, nativePath(path));
        if (name == "deleted")
            QVERIFY(QFile::remove(dir.filePath("good")));
        if (whilePaging) {
            QVERIFY(makeFileOnShowFail(dir.filePath("good")));
            // What the user typed into the path box is not the file on show.
            control<QLineEdit>("Tbestand")->setText("getypt");
        }
        // The kernel hands a process's own memory file to its owner only.
        const auto asUser = [&](auto work) { name == "mem" ? work() : asOrdinaryUser(work); };
        asUser([&] { whilePaging ? click(name == ">" ? "Bvolgende" : "Bvorige") : load(path); });
        if (reason.isEmpty()) {
            QCOMPARE(messages(), 0);
            QCOMPARE(pathBox(), pathText(nativePath(path)));
            expectBlock(name == "empty" ? "" : "abc", 1);
            return;
        }
        QCOMPARE(messages(), 1);
        const QString message = form->findChild<QMessageBox *>()->text();
        QVERIFY2(message.contains(pathText(nativePath(path))), qPrintable(message));
        for (const QString &word : reason.split(' '))
            QVERIFY2(message.contains(word), qPrintable(message));
        expectBlock(good, 2);
        QCOMPARE(pathBox(), whilePaging ? "getypt" : pathText(nativePath(folder + "good")));

        // Activations with the same choice, or paging on, stay silent; the
        // file on show pages on, unless its reads fail.
        asUser([&] { whilePaging ? click("Bvorige") : load(path); });
        QCOMPARE(messages(), 1);
        click("Bvolgende");
        const int blockOnShow = whilePaging ? 2 : 3;
        expectBlock(good, blockOnShow);

        // Answering the message, which the window manager made the active
        // window, after which it gives the main window back its activation,
        // changes nothing on show.
        auto *box = form->findChild<QMessageBox *>();
        box->windowHandle()->requestActivate();
        QTRY_VERIFY(QGuiApplication::focusWindow() == box->windowHandle());
        box->button(QMessageBox::Ok)->click();
        QTRY_COMPARE(messages(), 0);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        expectBlock(good, blockOnShow);
        click("Bvolgende");
        QCOMPARE(messages(), 0);   // told once for the file

        // Choosing the same path again in the chooser is a new attempt, and is told.
        if (!whilePaging) {
            asUser([&] {
                chooseAgain();
                QTRY_COMPARE(messages(), 1);
            });
        }
        // Once the file is there, choosing it again shows it.
        if (name == "removed") {
            QVERIFY(writeFile(pathText(nativePath(path)), "abc"));
            load(path);
            expectBlock("abc", 1);
        }
    }

    void systemReasons_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("words");   // the system's own
        QTest::addColumn<QString>("reason");
        const auto row = [](const char *name, SystemFault fault, const char *words, const char *reason) {
            QTest::newRow(name) << int(fault) << QString(words) << QString(reason);
        };
        row("device fault", SystemFault::DeviceFault, "", "Het apparaat meldt een leesfout");
        row("device gone", SystemFault::DeviceGone, "", "is er niet (meer)");
        row("share out of reach", SystemFault::NetworkUnreachable, "", "De netwerkmap is niet bereikbaar");
        row("connection lost", SystemFault::ConnectionLost, "", "De netwerkverbinding naar het bestand is verbroken");
        row("name too long", SystemFault::NameTooLong, "", "Het pad is te lang");
        row("too many open files", SystemFault::TooManyOpenFiles, "", "te veel bestanden");
        row("out of memory", SystemFault::OutOfMemory, "", "niet genoeg geheugen");
        row("the system's words", SystemFault::Other, "Iets ging mis", "Het systeem meldt fout 1234 (Iets ging mis).");
        row("no words", SystemFault::Other, "", "Het systeem meldt fout 1234.");
    }

    // Every reason in the program's own words, on every system.
    void systemReasons()
    {
        QFETCH(int, fault);
        QFETCH(QString, words);
        QFETCH(QString, reason);
        const SystemError error{SystemFault(fault), 1234, words.toStdString()};
        const QString message = readFailureMessage("C:\\map\\bestand", ReadResult{0, error});
        QVERIFY2(message.startsWith("Het bestand\nC:\\map\\bestand\nkan niet worden gelezen.\n\n"),
                 qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
    }
};

QTEST_MAIN(TestForm1Failures)
#include "tst_form1_failures.moc"

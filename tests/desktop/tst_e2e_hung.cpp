// The real program on a drive that stops answering, worked from outside on
// X11 (desktops/with-desktop.sh): a FUSE file system of the test's own
// (tests/hungfs.cpp, in BYTEKIJKER_HUNGFS) holds one chosen call unanswered,
// as a share gone away does. While it is held the program's windows answer:
// "Info" shows its text, the chooser comes and goes, and the file on show
// stays. Once the call is answered its result shows, if it is still wanted.
// A window that waited on the call would answer none of this: the code pane
// is read through the clipboard, which the program itself serves. The
// Windows build runs under wine, where the hung file system is drive H:, as
// a network drive mapped on Windows.

#include "desktop.h"
#include "testfiles.h"

#include <QDir>
#include <QProcess>
#include <csignal>

namespace {

constexpr QPoint OpenButton(97, 18), InfoButton(238, 18), NextButton(327, 18);
constexpr QPoint OkButton(362, 35), CancelButton(362, 90), FirstFile(200, 17);
const QString MainTitle = "^Bestand in  ASCII-code", ChooserTitle = "^Bestand Openen$";
const QString NoAnswerTitle = "^Station antwoordt niet$";
const QStringList Program = QProcess::splitCommand(qEnvironmentVariable("BYTEKIJKER_PROGRAM"));
const bool UnderWine = Program.last().endsWith(".exe");
const QString WineDriveH = qEnvironmentVariable("BYTEKIJKER_WINE_PREFIX") + "/dosdevices/h:";

}   // namespace

class TestE2EHung : public QObject {
    Q_OBJECT

    QTemporaryDir work;
    const std::unique_ptr<Desktop> desktop = x11Desktop();
    QProcess hungfs;
    QString hungfsSaid;
    QProcess program;
    QString mainWindow;

    QString hung() const { return work.filePath("hung"); }
    QString chooser()
    {
        const QStringList found = desktop->windows(ChooserTitle);
        return found.size() == 1 ? found.first() : QString();
    }
    bool said(const QString &line)
    {
        return waitUntil(
            [&] { return (hungfsSaid += QString::fromUtf8(hungfs.readAllStandardOutput())).contains(line); });
    }
    // Wine 8 passes no activation of a window already on the screen on to the
    // window manager (see tst_e2e_desktop): there the window manager brings it.
    bool becomesActive(const QString &window)
    {
        if (UnderWine && !QTest::qWaitFor([&] { return desktop->activeWindow() == window; }, 1000))
            x11Activate(window);
        return waitUntil([&] { return desktop->activeWindow() == window; });
    }
    bool openChooser()
    {
        return desktop->click(mainWindow, OpenButton) && waitUntil([&] { return !chooser().isEmpty(); })
               && becomesActive(chooser());
    }
    bool chooseFirstFile()
    {
        // "OK" is refused while the file list is still being read.
        return waitUntil([&] {
            return chooser().isEmpty()
                   || (desktop->click(chooser(), FirstFile) && desktop->click(chooser(), OkButton)
                       && QTest::qWaitFor([&] { return chooser().isEmpty(); }, 500));
        });
    }
    bool cancelChooser()
    {
        return desktop->click(chooser(), CancelButton) && waitUntil([&] { return chooser().isEmpty(); });
    }
    // Each thread of the program and where it waits, to tell why it hasn't ended.
    QString threads()
    {
        QProcess ps;
        ps.start("ps", {"-L", "-o", "tid=,stat=,wchan=", "-p", QString::number(program.processId())});
        return ps.waitForFinished() ? QString::fromUtf8(ps.readAll()).simplified() : QString();
    }
    // The held calls answered.
    bool released() { return ::kill(hungfs.processId(), SIGUSR2) == 0 && said("released"); }
    bool shows(const QString &codes)
    {
        return waitUntil([&] { return desktop->activeWindow() == mainWindow && desktop->codes(mainWindow) == codes; });
    }
    // The main window answers: "Info" replaces the codes on show with its text.
    bool answers()
    {
        const QString before = desktop->codes(mainWindow);
        return desktop->click(mainWindow, InfoButton) && becomesActive(mainWindow) && waitUntil([&] {
                   const QString now = desktop->codes(mainWindow);
                   return now != before && now.size() > 100;
               });
    }
    // A load or a block's read that waits is told after a few seconds; the
    // message is answered.
    bool toldNoAnswer()
    {
        return waitUntil([&] { return desktop->windows(NoAnswerTitle).size() == 1; }) && desktop->keys("Return")
               && waitUntil([&] { return desktop->windows(NoAnswerTitle).isEmpty(); });
    }
    // The codes of a file of the hung file system, whose bytes are those of
    // patternBytes; the test reads none through it, which could hold it up.
    static QString codesOfHung(qint64 size, int block = 1)
    {
        const qint64 from = (block - 1) * 250;
        return expectedCodes(patternBytes(from, std::min<qint64>(size, from + 250) - from));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(work.path()).mkdir("hung"));
        QVERIFY(writeFile(work.filePath("a.bin"), patternBytes(0, 300)));
        if (UnderWine)
            QVERIFY2(QFile::exists(qEnvironmentVariable("BYTEKIJKER_WINE_PREFIX") + "/.ready"),
                     "wine's prefix is made by the tests that run before this one");
    }

    void cleanupTestCase()
    {
        if (UnderWine)
            QFile::remove(WineDriveH);
    }

    void cleanup()
    {
        // A program killed in a held call ends once the file system, ending,
        // fails the call.
        program.kill();
        hungfs.terminate();
        program.waitForFinished();
        hungfs.waitForFinished();
        hungfsSaid.clear();
    }

    // One row a line, as a table reads. Wine can't hold some calls as a
    // drive of Windows does: it opens files in its server, so an opening held
    // there holds every window of wine, and it lists one folder at a time, so
    // another folder waits for the held one (keys typed while the window
    // waits for that one are lost under wine as well).
    // clang-format off
    void heldCall_data()
    {
        QTest::addColumn<QString>("stall");
        QTest::addColumn<QString>("startIn");   // the program's working folder, in the work folder
        QTest::addColumn<QString>("notUnderWine");   // why the row can't run there
        QTest::newRow("the working folder's listing") << "list:folder" << "hung/folder" << "";
        QTest::newRow("a folder's listing") << "list:folder" << "hung" << "";
        QTest::newRow("a folder's listing, left for another") << "list:folder" << "hung" << "wine lists one folder at a time";
        QTest::newRow("a file's opening") << "open:file" << "hung" << "wine's server opens every file";
        QTest::newRow("a block's read") << "read:file@250" << "hung" << "";
        QTest::newRow("the end, in a block's read") << "read:file@250" << "hung" << "";
        QTest::newRow("another mount's size") << "statfs" << "." << "";
    }
    // clang-format on

    void heldCall()
    {
        QFETCH(QString, stall);
        QFETCH(QString, startIn);
        QFETCH(QString, notUnderWine);
        if (UnderWine && !notUnderWine.isEmpty())
            QSKIP(qPrintable(notUnderWine));
        hungfs.start(qEnvironmentVariable("BYTEKIJKER_HUNGFS"), {hung(), "--stall", stall});
        if (!hungfs.waitForFinished(0) && !said("ready")) {
            if (hungfs.state() == QProcess::NotRunning && hungfs.exitCode() == 77)
                QSKIP("no FUSE file system can be mounted here (the tests run as root where they can)");
            QFAIL("the hung file system did not start");
        }
        // Under wine the hung file system is a drive only where the program
        // works on it; another mount is none of wine's drives.
        QFile::remove(WineDriveH);
        if (UnderWine && startIn.startsWith("hung"))
            QVERIFY(QFile::link(hung(), WineDriveH));
        program.setWorkingDirectory(work.filePath(startIn));
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(Program.first(), Program.mid(1));
        QVERIFY(waitUntil([&] { return desktop->windows(MainTitle).size() == 1; }));
        mainWindow = desktop->windows(MainTitle).first();
        QVERIFY(waitUntil([&] { return desktop->activeWindow() == mainWindow; }));
        const QString tag = QTest::currentDataTag();
        constexpr qint64 File = 1000, Inside = 10;   // the sizes of file and folder/inside

        if (tag == "the working folder's listing") {
            QVERIFY(openChooser() && said("held list folder") && cancelChooser() && answers() && openChooser());
            QVERIFY(released() && chooseFirstFile() && shows(codesOfHung(Inside)));
        } else if (tag.startsWith("a folder's listing")) {
            QVERIFY(openChooser() && desktop->keys("Tab f o Return") && said("held list folder"));
            if (tag.endsWith("another"))   // up the folder list's chain, to a folder that answers
                QVERIFY(desktop->keys("Up Return"));
            QVERIFY(answers() && openChooser() && released() && chooseFirstFile());
            QVERIFY(shows(codesOfHung(tag.endsWith("another") ? File : Inside)));
        } else if (tag == "a file's opening") {
            QVERIFY(openChooser() && chooseFirstFile() && said("held open file"));
            QVERIFY(toldNoAnswer() && answers() && openChooser() && cancelChooser());
            QVERIFY(released() && shows(codesOfHung(File)));
        } else if (tag.endsWith("a block's read")) {
            QVERIFY(openChooser() && chooseFirstFile() && shows(codesOfHung(File)));
            QVERIFY(desktop->click(mainWindow, NextButton) && said("held read file"));
            if (tag == "a block's read") {
                QVERIFY(toldNoAnswer() && answers() && openChooser() && cancelChooser());
                QVERIFY(released() && shows(codesOfHung(File, 2)));
            } else {   // the end: the windows go at once, the program once it can
                QVERIFY(desktop->keys("alt+F4") && waitUntil([&] { return desktop->windows(".").isEmpty(); }));
                QVERIFY(released());
                QVERIFY2(QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, 30000),
                         qPrintable("its threads wait in: " + threads()));
                QVERIFY(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0);
            }
        } else {   // the drive list asks no mount its size
            QVERIFY(openChooser() && chooseFirstFile() && shows(expectedCodes(patternBytes(0, 250))) && answers());
        }
    }
};

QTEST_MAIN(TestE2EHung)
#include "tst_e2e_hung.moc"

// The real program on a real desktop, worked only from outside as a person
// works it: what only a desktop shows, which window becomes active and
// whether that activation loads the chosen file. The slots are one session
// with one program, run in order, on X11 (desktops/with-desktop.sh), on GNOME's
// Wayland (desktops/with-gnome-wayland.sh) or on KDE Plasma's
// (desktops/with-kde-wayland.sh, which names itself in XDG_CURRENT_DESKTOP).
// The program is the command in BYTEKIJKER_PROGRAM: the Linux build, run
// under strace, or the Windows build under wine, traced by wine itself; the
// last slot reads from the trace that it wrote no file.

#include "desktop.h"
#include "testfiles.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>

namespace {

// Places in the main window and the chooser, in logical pixels.
constexpr QPoint OpenButton(97, 18), NextButton(327, 18), BlockLabel(480, 18);
constexpr QPoint OkButton(362, 35), CancelButton(362, 90), FirstFile(200, 17), ChooserBackground(80, 60);
const QString MainTitle = "^Bestand in  ASCII-code", ChooserTitle = "^Bestand Openen$";
const QByteArray File = patternBytes(0, 600);   // two full blocks and one of 100 bytes
const QStringList Program = QProcess::splitCommand(qEnvironmentVariable("BYTEKIJKER_PROGRAM"));
const bool UnderWine = Program.last().endsWith(".exe");

QString codesOf(int block)
{
    return expectedCodes(File.mid((block - 1) * 250, 250));
}

}   // namespace

class TestE2EDesktop : public QObject {
    Q_OBJECT

    QTemporaryDir work;   // the program's working folder, with the files to choose
    // One trace per desktop test (CTest names it), so runs side by side keep apart.
    const QString traceLog =
        QDir::current().absoluteFilePath(qEnvironmentVariable("BYTEKIJKER_TRACE", "e2e-trace.log"));
    const std::unique_ptr<Desktop> desktop = QGuiApplication::platformName() != "wayland" ? x11Desktop()
                                             : qEnvironmentVariable("XDG_CURRENT_DESKTOP") == "KDE"
                                                 ? kdeWaylandDesktop()
                                                 : gnomeWaylandDesktop();
    QProcess program;
    QString mainWindow;

    bool waitUntilActive(const QString &window)
    {
        return waitUntil([&] { return desktop->activeWindow() == window; });
    }
    QString chooser()
    {
        const QStringList found = desktop->windows(ChooserTitle);
        return found.size() == 1 ? found.first() : QString();
    }
    QString openChooser()
    {
        if (!desktop->click(mainWindow, OpenButton) || !waitUntil([&] { return !chooser().isEmpty(); }))
            return {};
        // Wine 8 passes no activation of a window that is already on the
        // screen on to the window manager, so a chooser brought back from
        // behind the main window stays behind there: the window manager brings it.
        if (UnderWine && desktop->activeWindow() != chooser())
            x11Activate(chooser());
        return waitUntilActive(chooser()) ? chooser() : QString();
    }
    // With the chooser open the user goes to another application, and comes
    // back to the chooser with a click: the desktop then remembers the other
    // application as the window used before the chooser.
    bool detourFrom(const QString &chooser)
    {
        if (UnderWine) {
            qInfo("no detour under wine: wine 8 passes no activation of a window already on the screen on to "
                  "the window manager, so the main window can't take it back after one (on Windows it can)");
            return true;
        }
        return desktop->visitAnotherApplication() && desktop->click(chooser, ChooserBackground)
               && waitUntilActive(chooser);
    }
    bool chooserClosesToMainWindow()
    {
        return waitUntil([&] { return chooser().isEmpty(); }) && waitUntilActive(mainWindow);
    }
    QString codes() { return desktop->codes(mainWindow); }
    // Clicks ">" and waits until the code pane shows `block`.
    bool next(int block)
    {
        return desktop->click(mainWindow, NextButton) && waitUntil([&] { return codes() == codesOf(block); });
    }

private slots:
    void initTestCase()
    {
        if (const QString why = desktop->unusable(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(writeFile(work.filePath("a.bin"), File));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // A home of its own, there and writable, so that anything the program
        // would put there shows in the trace.
        QVERIFY(QDir(work.path()).mkdir("home"));
        environment.insert("HOME", work.filePath("home"));
        program.setWorkingDirectory(work.path());   // where the chooser opens
        // The trace of the files the program opens: strace's, or wine's own,
        // which gives the access asked for.
        if (UnderWine) {
            environment.insert("WINEDEBUG", "trace+file");
            program.setStandardErrorFile(traceLog);
        } else {
            program.setProcessChannelMode(QProcess::ForwardedChannels);
        }
        program.setProcessEnvironment(environment);
        const QString calls = "/^(open|creat|truncate|ftruncate|rename|unlink|rmdir|mkdir|link|symlink)(at2?)?$";
        const QStringList strace{"-f", "-qq", "-y", "-o", traceLog, "-e", "trace=" + calls, "--"};
        program.start(UnderWine ? Program.first() : "strace", UnderWine ? Program.mid(1) : strace + Program);
        QVERIFY(waitUntil([&] { return desktop->windows(MainTitle).size() == 1; }));
        mainWindow = desktop->windows(MainTitle).first();
        QVERIFY(waitUntilActive(mainWindow));
        // A first click on the yellow label, which does nothing: GNOME's
        // mutter 48 on X11 keeps the first click into a window it has just
        // mapped for itself, so the next is the first the program gets.
        QVERIFY(desktop->click(mainWindow, BlockLabel));
    }

    void cleanupTestCase()
    {
        program.kill();
        program.waitForFinished();
    }

    // The file is chosen with the pointer alone, before any key was pressed:
    // so on GNOME, whose seat gets a keyboard only with the first key, this
    // is the hand-back of a seat without one (a touch screen, a kiosk).
    void okByPointerAfterADetourHandsBackAndLoads()
    {
        const QString chooser = openChooser();
        QVERIFY(!chooser.isEmpty() && detourFrom(chooser));
        QVERIFY(desktop->click(chooser, FirstFile) && desktop->click(chooser, OkButton));
        QVERIFY(chooserClosesToMainWindow());
        QCOMPARE(codes(), codesOf(1));
    }

    // The file is chosen with the keyboard: Tab to the file list, its first
    // letter, Tab to "OK", Enter.
    void okAfterADetourHandsBackAndLoads()
    {
        QVERIFY(next(2));
        const QString chooser = openChooser();
        QVERIFY(!chooser.isEmpty() && detourFrom(chooser));
        QVERIFY(desktop->keys("Tab Tab a Tab Return"));
        QVERIFY(chooserClosesToMainWindow());
        QCOMPARE(codes(), codesOf(1));
    }

    void anotherApplicationOrAPopupDoesNotLoad()
    {
        QVERIFY(next(2) && next(3));
        QVERIFY(desktop->visitAnotherApplication());
        QVERIFY(desktop->click(mainWindow, BlockLabel) && waitUntilActive(mainWindow));
        QCOMPARE(codes(), codesOf(3));
        // The code pane's context menu, opened and closed again.
        QVERIFY(desktop->click(mainWindow, CodePane, 3) && desktop->keys("Escape"));
        QCOMPARE(codes(), codesOf(3));
    }

    // Back to the main window while the chooser is open: block 1 afresh.
    // "Bestand openen" brings the same chooser back; its close control keeps
    // the choice, so the main window, active again, loads it afresh too.
    void chooserOpenOrClosedByItsControlHandsBackAndLoads()
    {
        QVERIFY(!openChooser().isEmpty());
        QVERIFY(desktop->click(mainWindow, BlockLabel) && waitUntilActive(mainWindow));
        QCOMPARE(codes(), codesOf(1));
        QVERIFY(next(2));
        const QString chooser = openChooser();
        QVERIFY(!chooser.isEmpty() && detourFrom(chooser));
        QVERIFY(desktop->keys("alt+F4"));
        QVERIFY(chooserClosesToMainWindow());
        QCOMPARE(codes(), codesOf(1));
    }

    void cancelAfterADetourKeepsFileOnShow()
    {
        QVERIFY(next(2));
        const QString chooser = openChooser();
        QVERIFY(!chooser.isEmpty() && detourFrom(chooser));
        QVERIFY(desktop->click(chooser, CancelButton));
        QVERIFY(chooserClosesToMainWindow());
        QCOMPARE(codes(), codesOf(2));
        QVERIFY(next(3));
    }

    // With the main window closed the program runs on until the chooser closes.
    void endsWithItsLastWindow()
    {
        const QString chooser = openChooser();
        QVERIFY(desktop->click(mainWindow, BlockLabel) && waitUntilActive(mainWindow) && desktop->keys("alt+F4"));
        QVERIFY(waitUntil([&] { return desktop->windows(MainTitle).isEmpty(); }));
        QCOMPARE(program.state(), QProcess::Running);
        QVERIFY(desktop->click(chooser, CancelButton));
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    // No call that changes the file system succeeded; and the trace is the
    // program's: it opened the file on show.
    void neverWritesAFile()
    {
        QFile log(traceLog);
        QVERIFY(log.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = wholeCalls(QString::fromUtf8(log.readAll()).split('\n'));
        const QRegularExpression straceWrite("^\\d+\\s+(?!open)(?!.*</memfd:)\\w+\\(.*\\) = "
                                             "\\d|^\\d+\\s+open.*O_(WRONLY|RDWR|CREAT|TRUNC|APPEND|TMPFILE).* = \\d");
        const QStringList writes = UnderWine ? wineWrites(lines) : lines.filter(straceWrite);
        QVERIFY2(writes.isEmpty(), qPrintable(writes.join('\n')));
        const QString shown = UnderWine ? "NtCreateFile.*a\\.bin"
                                        : "open.*\"" + QRegularExpression::escape(work.filePath("a.bin")) + "\"";
        QVERIFY(!lines.filter(QRegularExpression(shown)).isEmpty());
    }

private:
    // strace -f splits a call that another thread's call interrupts into an
    // "<unfinished ...>" line and a "<... name resumed>" line, neither of
    // which reads as the call; joined again, every call is one line.
    static QStringList wholeCalls(const QStringList &lines)
    {
        const QRegularExpression unfinished(R"(^(\d+)(\s+.*) <unfinished \.\.\.>$)");
        const QRegularExpression resumed(R"(^(\d+)\s+<\.\.\. \w+ resumed>(.*)$)");
        QHash<QString, QString> pending;   // by thread
        QStringList calls;
        for (const QString &line : lines) {
            if (const QRegularExpressionMatch start = unfinished.match(line); start.hasMatch())
                pending[start.captured(1)] = start.captured(1) + start.captured(2);
            else if (const QRegularExpressionMatch end = resumed.match(line); end.hasMatch())
                calls << pending.take(end.captured(1)) + end.captured(2);
            else
                calls << line;
        }
        return calls + pending.values();   // calls still running when the trace ended
    }

    // The files on a drive that wine's trace shows opened for writing,
    // creating or deleting, apart from wine's own folder (its pipes are no
    // files). Wine traces each open as it is asked, whether it succeeds or not.
    static QStringList wineWrites(const QStringList &lines)
    {
        // GENERIC_WRITE, GENERIC_ALL, DELETE, WRITE_DAC, WRITE_OWNER; write data, append, EA, attributes
        constexpr quint32 Changing = 0x40000000 | 0x10000000 | 0x10000 | 0x40000 | 0x80000 | 0x2 | 0x4 | 0x10 | 0x100;
        const QRegularExpression open(
            R"re(NtCreateFile .*access=([0-9a-f]+) name=L"\\\\\?\?\\\\([A-Z]:.*?)" .* disp=(\d+))re");
        const QString wineFolder = "Z:" + QProcessEnvironment::systemEnvironment().value("BYTEKIJKER_WINE_PREFIX");
        QStringList writes;
        for (const QString &line : lines) {
            const QRegularExpressionMatch call = open.match(line);
            if (!call.hasMatch())
                continue;
            const quint32 access = call.captured(1).toUInt(nullptr, 16);
            const int disposition = call.captured(3).toInt();   // 1 opens only what is there
            const QString name = call.captured(2).replace("\\\\", "/");
            if (((access & Changing) || disposition != 1) && !name.startsWith(wineFolder))
                writes << line;
        }
        return writes;
    }
};

QTEST_MAIN(TestE2EDesktop)
#include "tst_e2e_desktop.moc"

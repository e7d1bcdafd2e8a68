// The real program on a real desktop, worked only from outside as a person
// works it (xdotool for clicks and keys, the clipboard through xclip to read
// the code pane): what only a window manager shows, which window becomes
// active and whether that activation loads the chosen file. The slots are one
// session with one program, run in order. The program is the command in
// BYTEKIJKER_PROGRAM: the Linux build, run under strace, or the Windows build
// under wine, traced by wine itself; the last slot reads from the trace that
// it wrote no file.

#include "testfiles.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

namespace {

// Places in the main window and the chooser, in logical pixels.
constexpr QPoint OpenButton(97, 18), NextButton(327, 18), BlockLabel(480, 18), CodePane(30, 80), CancelButton(362, 90);
const QString MainTitle = "^Bestand in  ASCII-code", ChooserTitle = "^Bestand Openen$";
const QByteArray File = patternBytes(0, 600);   // two full blocks and one of 100 bytes
const QByteArray Failed = "<failed>";
const QStringList Program = QProcess::splitCommand(qEnvironmentVariable("BYTEKIJKER_PROGRAM"));
const bool UnderWine = Program.last().endsWith(".exe");

QByteArray run(const QString &program, const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    return process.waitForFinished(10000) && process.exitCode() == 0 ? process.readAllStandardOutput() : Failed;
}

QByteArray xdotool(const QString &arguments) { return run("xdotool", arguments.split(' ')).trimmed(); }

// The visible windows with the title; xdotool fails when there are none.
QStringList windows(const QString &title)
{
    const QByteArray found = run("xdotool", {"search", "--onlyvisible", "--name", title});
    return found == Failed ? QStringList() : QString::fromUtf8(found).split('\n', Qt::SkipEmptyParts);
}

bool waitUntil(const std::function<bool()> &condition) { return QTest::qWaitFor(condition, 10000); }
QString codesOf(int block) { return expectedCodes(File.mid((block - 1) * 250, 250)); }

} // namespace

class TestE2EDesktop : public QObject {
    Q_OBJECT

    QTemporaryDir work;   // the program's working folder, with the files to choose
    const QString traceLog = QDir::current().absoluteFilePath("e2e-strace.log");
    QProcess program, otherApplication;
    QString mainWindow;

    bool click(const QString &window, QPoint at, int button = 1)
    {
        return xdotool(QStringLiteral("mousemove --window %1 %2 %3 click %4").arg(window).arg(at.x()).arg(at.y()).arg(button)) != Failed;
    }
    bool keys(const QString &keys) { return xdotool("key " + keys) != Failed; }
    bool waitUntilActive(const QString &window) { return waitUntil([&] { return xdotool("getactivewindow") == window.toLatin1(); }); }
    // What the code pane shows: click into it, select all, copy. The main
    // window must be active already, or the click would activate it. A marker
    // in the clipboard first, so that a copy that does not happen can't pass.
    QString codes()
    {
        const QStringList clipboard{"-selection", "clipboard"};
        if (xdotool("getactivewindow") != mainWindow.toLatin1() || run("xclip", clipboard + QStringList("-i"), "-") == Failed
            || !click(mainWindow, CodePane) || !keys("ctrl+a ctrl+c"))
            return "<the main window is not active>";
        QByteArray copied;
        waitUntil([&] { return (copied = run("xclip", clipboard + QStringList{"-o", "-t", "UTF8_STRING"})) != "-"; });
        return QString::fromUtf8(copied);
    }
    QString openChooser()
    {
        if (!click(mainWindow, OpenButton) || !waitUntil([&] { return windows(ChooserTitle).size() == 1; }))
            return {};
        const QString chooser = windows(ChooserTitle).first();
        // Wine 8 passes no activation of a window that is already on the
        // screen on to the window manager, so a chooser brought back from
        // behind the main window stays behind there: the user clicks it.
        if (UnderWine && xdotool("getactivewindow") != chooser.toLatin1())
            xdotool("windowactivate " + chooser);
        return waitUntilActive(chooser) ? chooser : QString();
    }
    bool chooserClosesToMainWindow() { return waitUntil([&] { return windows(ChooserTitle).isEmpty(); }) && waitUntilActive(mainWindow); }
    // Clicks ">" and waits until the code pane shows `block`.
    bool next(int block) { return click(mainWindow, NextButton) && waitUntil([&] { return codes() == codesOf(block); }); }

private slots:
    void initTestCase()
    {
        QVERIFY(writeFile(work.filePath("a.bin"), File));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // A home of its own, there and writable, so that anything the program
        // would put there shows in the trace.
        QVERIFY(QDir(work.path()).mkdir("home"));
        environment.insert("HOME", work.filePath("home"));
        // LeakSanitizer can't work under strace; the in-process tests look for leaks.
        environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":detect_leaks=0");
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
        const QStringList strace{"-f", "-qq", "-y", "-o", traceLog, "-e",
                                 "trace=/^(open|creat|truncate|ftruncate|rename|unlink|rmdir|mkdir|link|symlink)(at2?)?$", "--"};
        program.start(UnderWine ? Program.first() : "strace", UnderWine ? Program.mid(1) : strace + Program);
        QVERIFY(waitUntil([&] { return windows(MainTitle).size() == 1; }));
        mainWindow = windows(MainTitle).first();
        QVERIFY(waitUntilActive(mainWindow));
    }

    void cleanupTestCase()
    {
        for (QProcess *process : {&otherApplication, &program}) {
            process->kill();
            process->waitForFinished();
        }
    }

    // The file is chosen with the keyboard: Tab to the file list, its first
    // letter, Tab to "OK", Enter.
    void okHandsActivationBackAndLoads()
    {
        QVERIFY(!openChooser().isEmpty());
        QVERIFY(keys("Tab Tab a Tab Return"));
        QVERIFY(chooserClosesToMainWindow());
        QCOMPARE(codes(), codesOf(1));
    }

    void anotherApplicationOrAPopupDoesNotLoad()
    {
        QVERIFY(next(2) && next(3));
        otherApplication.start("xmessage", {"-geometry", "+900+800", "-name", "elders", "een ander programma"});
        QVERIFY(waitUntil([] { return xdotool("search --onlyvisible --classname elders windowactivate --sync") != Failed; }));
        // Staying there a moment, as a person does: Qt on X11 reports its windows
        // inactive only 0.1 s after they lose the focus, and nothing outside shows when.
        QTest::qWait(500);
        QVERIFY(click(mainWindow, BlockLabel));
        QVERIFY(waitUntilActive(mainWindow));
        QCOMPARE(codes(), codesOf(3));
        // The code pane's context menu, opened and closed again.
        QVERIFY(click(mainWindow, CodePane, 3) && keys("Escape"));
        QCOMPARE(codes(), codesOf(3));
    }

    // Back to the main window while the chooser is open: block 1 afresh.
    // "Bestand openen" brings the same chooser back; its close control keeps
    // the choice, so the main window, active again, loads it afresh too.
    void chooserOpenOrClosedByItsControlHandsBackAndLoads()
    {
        QVERIFY(!openChooser().isEmpty());
        QVERIFY(click(mainWindow, BlockLabel) && waitUntilActive(mainWindow));
        QCOMPARE(codes(), codesOf(1));
        QVERIFY(next(2));
        QVERIFY(!openChooser().isEmpty());
        QVERIFY(keys("alt+F4"));
        QVERIFY(chooserClosesToMainWindow());
        QCOMPARE(codes(), codesOf(1));
    }

    void cancelKeepsFileOnShow()
    {
        QVERIFY(next(2));
        const QString chooser = openChooser();
        QVERIFY(click(chooser, CancelButton));
        QVERIFY(chooserClosesToMainWindow());
        QCOMPARE(codes(), codesOf(2));
        QVERIFY(next(3));
    }

    // With the main window closed the program runs on until the chooser closes.
    void endsWithItsLastWindow()
    {
        const QString chooser = openChooser();
        QVERIFY(click(mainWindow, BlockLabel) && waitUntilActive(mainWindow) && keys("alt+F4"));
        QVERIFY(waitUntil([&] { return windows(MainTitle).isEmpty(); }));
        QCOMPARE(program.state(), QProcess::Running);
        QVERIFY(click(chooser, CancelButton));
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
        const QStringList lines = QString::fromUtf8(log.readAll()).split('\n');
        const QStringList writes = UnderWine ? wineWrites(lines) : lines.filter(QRegularExpression(
            "^\\d+\\s+(?!open)\\w+\\(.*\\) = \\d|^\\d+\\s+open.*O_(WRONLY|RDWR|CREAT|TRUNC|APPEND|TMPFILE).* = \\d"));
        QVERIFY2(writes.isEmpty(), qPrintable(writes.join('\n')));
        const QString shown = UnderWine ? "NtCreateFile.*a\\.bin" : "open.*\"" + QRegularExpression::escape(work.filePath("a.bin")) + "\"";
        QVERIFY(!lines.filter(QRegularExpression(shown)).isEmpty());
    }

private:
    // The files on a drive that wine's trace shows opened for writing,
    // creating or deleting, apart from wine's own folder (its pipes are no
    // files). Wine traces each open as it is asked, whether it succeeds or not.
    static QStringList wineWrites(const QStringList &lines)
    {
        // GENERIC_WRITE, GENERIC_ALL, DELETE, WRITE_DAC, WRITE_OWNER; write data, append, EA, attributes
        constexpr quint32 Changing = 0x40000000 | 0x10000000 | 0x10000 | 0x40000 | 0x80000 | 0x2 | 0x4 | 0x10 | 0x100;
        const QRegularExpression open(R"re(NtCreateFile .*access=([0-9a-f]+) name=L"\\\\\?\?\\\\([A-Z]:.*?)" .* disp=(\d+))re");
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

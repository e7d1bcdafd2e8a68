// The real program on a real desktop, worked only from outside as a person
// works it: bytekijker runs as a process of its own, in a folder of prepared
// files, and this test clicks at the controls' places (xdotool), presses keys,
// reads the boxes through the clipboard (click, ctrl+a, ctrl+c, xclip) and
// the yellow block label, which can't be selected or copied, off the screen:
// its pixels are compared with the looks of every number it may show.
//
// The slots are one session with one program, run in order. The program runs
// under strace for the whole session; the last slot reads the trace and
// proves the program wrote nothing.
//
// Screenshots of the main window and the chooser, the trace and the list of
// the toolkit's own write-mode calls land in e2e-output/ in the working folder.

#include "testfiles.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <optional>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// Control places in logical pixels, from the window's top left corner.
constexpr QSize MainSize(511, 462);
constexpr QPoint OpenButton(97, 18);
constexpr QPoint InfoButton(238, 18);
constexpr QPoint NextButton(327, 18);
constexpr QPoint PreviousButton(411, 18);
constexpr QRect BlockLabel(454, 2, 55, 33);
// Points in the boxes near their left edge, where the chooser (which opens
// a little below and to the right of the main window) never covers them.
constexpr QPoint PathBox(30, 48);
constexpr QPoint CodePane(30, 80);
constexpr QPoint TextPane(30, 400);

constexpr QRect FileListRect(168, 8, 153, 240);
constexpr QPoint OkButton(362, 35);
constexpr QPoint CancelButton(362, 90);

const QString ClipboardMarker = QStringLiteral("-- niets gekopieerd --");
const QString MainTitle = QStringLiteral("^Bestand in  ASCII-code");
const QString ChooserTitle = QStringLiteral("^Bestand Openen");
const QString MessageTitle = QStringLiteral("^Bestand niet geopend");

// The files in the program's working folder, in the order the chooser lists them.
enum Row { DataRow, KortRow, PijpRow, TekstRow };

constexpr qint64 DataSize = 40000;   // longer than the 32,750 bytes that can be paged
constexpr qint64 KortSize = 600;     // two full blocks and one of 100 bytes

// Windows-1252 text with a CR LF, a lone LF, a tab, é, €, NUL and DEL.
constexpr char Tekst[] = "Hallo, bytekijker!\r\nRegel twee:\tcaf\xe9 kost \x80 3,50\nNUL hier:\0 en DEL:\x7f einde.";
const QByteArray TekstBytes(Tekst, sizeof Tekst - 1);
const QString TekstShown = QStringLiteral("Hallo, bytekijker!\nRegel twee:\tcaf\u00e9 kost \u20ac 3,50\nNUL hier:\u2400 en DEL:\u2421 einde.");

// The upper pane's form: every byte as its decimal code after two spaces.
QString codes(const QByteArray &bytes)
{
    QString text;
    for (char byte : bytes)
        text += QStringLiteral("  %1").arg(int(std::uint8_t(byte)));
    return text;
}

struct Run {
    int exitCode = -1;
    QByteArray out;
};

Run run(const QString &program, const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(5000))
        return {};
    if (!input.isNull()) {
        process.write(input);
        process.closeWriteChannel();
    }
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput()};
}

bool xdotool(const QStringList &arguments)
{
    return run(QStringLiteral("xdotool"), arguments).exitCode == 0;
}

QStringList windows(const QString &title)
{
    const QString out = QString::fromUtf8(
        run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), title}).out);
    return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString activeWindow()
{
    return QString::fromUtf8(run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}).out).trimmed();
}

// Waits for exactly one visible window with the title; empty if none came.
QString waitForWindow(const QString &title, std::chrono::milliseconds timeout = 5s)
{
    QStringList found;
    (void)QTest::qWaitFor([&] { return (found = windows(title)).size() == 1; }, timeout.count());
    return found.size() == 1 ? found.first() : QString();
}

bool waitUntilGone(const QString &title)
{
    return QTest::qWaitFor([&] { return windows(title).isEmpty(); }, 5000);
}

bool waitUntilActive(const QString &window)
{
    return QTest::qWaitFor([&] { return activeWindow() == window; }, 5000);
}

// Watches for a window that must not come, for a short while: long enough
// for the program to have answered an activation many times over.
bool staysAway(const QString &title)
{
    return !QTest::qWaitFor([&] { return !windows(title).isEmpty(); }, 700);
}

QImage screenshot(const QString &window)
{
    return QGuiApplication::primaryScreen()->grabWindow(window.toULongLong()).toImage();
}

bool samePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xffffff) != (b.pixel(x, y) & 0xffffff))
                return false;
    return true;
}

// How the yellow label looks with each text it may show: a number, with or
// without a space before it, in 18-point MS Sans Serif (Liberation Sans
// stands in where that is missing), black on yellow.
std::vector<std::pair<QString, QImage>> drawLabelLooks(QSize size)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    font.setPointSizeF(18);
    font.setStyleHint(QFont::SansSerif);
    QLabel label;
    label.setFont(font);
    label.setFixedSize(size);
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 0));
    label.setPalette(palette);
    label.setAutoFillBackground(true);
    std::vector<std::pair<QString, QImage>> looks;
    for (int number = 0; number < 200; ++number)
        for (const QString &text : {QString::number(number), QStringLiteral(" %1").arg(number)}) {
            label.setText(text);
            looks.emplace_back(text, label.grab().toImage().convertToFormat(QImage::Format_RGB32));
        }
    return looks;
}

// Whether a line of `strace -f` is a call that writes: an open for writing or
// creating, or any other traced call (creat, truncate, rename, unlink, mkdir
// and the like), all of which change the file system. With -y every path a
// call reaches, relative ones through their folder, stands in the line.
bool writes(const QString &line)
{
    static const QRegularExpression call(QStringLiteral("^\\d+\\s+(\\w+)\\("));
    const QRegularExpressionMatch match = call.match(line);
    if (!match.hasMatch())
        return false;   // "<... resumed>", signals, exits
    if (!match.captured(1).startsWith(QLatin1String("open")))
        return true;
    static const QRegularExpression writeFlags(QStringLiteral("\\bO_(WRONLY|RDWR|CREAT|TRUNC|APPEND|TMPFILE)\\b"));
    return writeFlags.match(line).hasMatch();
}

} // namespace

class TestE2EDesktop : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void startsWithNothingOnShow();
    void opensFileThroughChooser();
    void pagesToTheEndAndBack();
    void stopsAtBlock131();
    void info();
    void cancelKeepsFileOnShow();
    void chooserOpenReloadsAnotherApplicationDoesNot();
    void fifoIsReportedOnceAndFileStays();
    void folderIsReportedOnceAndFileStays();
    void closesWithItsWindow();
    void neverWritesAFile();

private:
    QPoint scaled(QPoint logical) const { return {qRound(logical.x() * scale), qRound(logical.y() * scale)}; }
    QRect scaled(QRect logical) const { return {scaled(logical.topLeft()), (QSizeF(logical.size()) * scale).toSize()}; }
    bool click(const QString &window, QPoint logical, const QStringList &more = {});
    bool setClipboardMarker();
    QString clipboard();
    QString copyFrom(QPoint box);
    QString label();
    QString openChooser();
    bool openFile(Row row);
    bool cancelChooser(const QString &chooser);
    bool choose(Row row);
    void expectBlock(const QByteArray &file, int block);
    void expectOneMessage(const QString &picture, const QString &closingKey);
    void stopProgram();

    QString programPath;
    QString output;   // e2e-output in the test's working folder
    QTemporaryDir tree;
    QString root;     // the user's folders: the working folder and home
    QString work;     // the program's working folder, with the files
    QString home;
    QTemporaryDir scratch;   // the test's own files, outside the user's folders
    QByteArray data, kort;

    QProcess program;
    bool traced = false;
    QString traceLog;
    QString mainWindow;
    qreal scale = 1;
    int rowHeight = 0, firstRowTop = 0;   // the chooser's file list, in screen pixels
    QProcess otherApplication;
    std::vector<std::pair<QString, QImage>> labelLooks;
};

// Qt Test's checks only return from the function they are in; this carries a
// failure in a helper on out of the test function.
#define CHECKED(call) \
    do { \
        call; \
        if (QTest::currentTestFailed()) \
            return; \
    } while (false)

void TestE2EDesktop::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server with a window manager");
    for (const char *tool : {"xdotool", "xclip", "xmessage"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("needs %1; 'make test' installs it").arg(QLatin1String(tool))));

    programPath = qEnvironmentVariable("BYTEKIJKER_PROGRAM", QStringLiteral(BYTEKIJKER_PROGRAM));
    QVERIFY2(QFileInfo(programPath).isExecutable(), qPrintable(programPath));
    output = QDir::current().absoluteFilePath(QStringLiteral("e2e-output"));
    QVERIFY(QDir().mkpath(output));

    QVERIFY(tree.isValid() && scratch.isValid());
    root = QDir(tree.path()).canonicalPath();
    work = root + QStringLiteral("/werkmap");
    home = root + QStringLiteral("/thuis");
    QVERIFY(QDir().mkpath(work) && QDir().mkpath(home));
    data = patternBytes(0, DataSize);
    kort = patternBytes(3, KortSize);
    QVERIFY(writeFile(work + QStringLiteral("/data.bin"), data));
    QVERIFY(writeFile(work + QStringLiteral("/kort.bin"), kort));
    QVERIFY(writeFile(work + QStringLiteral("/tekst.txt"), TekstBytes));
    QCOMPARE(::mkfifo(QFile::encodeName(work + QStringLiteral("/pijp")).constData(), 0600), 0);

    // A home of its own, so that anything the program would put there shows.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        environment.remove(QLatin1String(name));
    // In a sanitizer build: LeakSanitizer can't work under strace and would
    // fail the program at its end; the in-process tests look for leaks.
    const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       sanitizer + (sanitizer.isEmpty() ? "" : ":") + QStringLiteral("detect_leaks=0"));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(work);   // where the chooser opens
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    // A group of its own: strace and the program end together.
    program.setChildProcessModifier([] { ::setpgid(0, 0); });

    // strace needs the right to trace; without it the program runs untraced
    // and only the last test is skipped.
    traced = !QStandardPaths::findExecutable(QStringLiteral("strace")).isEmpty()
        && run(QStringLiteral("strace"), {QStringLiteral("-o"), QProcess::nullDevice(), QStringLiteral("true")}).exitCode == 0;
    if (traced) {
        traceLog = output + QStringLiteral("/strace.log");
        program.start(QStringLiteral("strace"),
                      {QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-y"), QStringLiteral("-s"), QStringLiteral("4096"),
                       QStringLiteral("-o"), traceLog, QStringLiteral("-e"),
                       QStringLiteral("trace=open,openat,openat2,creat,truncate,ftruncate,rename,renameat,renameat2,"
                                      "unlink,unlinkat,rmdir,mkdir,mkdirat,link,linkat,symlink,symlinkat"),
                       QStringLiteral("--"), programPath});
    } else {
        program.start(programPath, {});
    }
    QVERIFY(program.waitForStarted());

    mainWindow = waitForWindow(MainTitle, 20s);
    QVERIFY2(!mainWindow.isEmpty(), "the main window did not come");
    QVERIFY(waitUntilActive(mainWindow));
    const QImage shot = screenshot(mainWindow);
    scale = qreal(shot.width()) / MainSize.width();
    QCOMPARE(shot.size(), (QSizeF(MainSize) * scale).toSize());
    labelLooks = drawLabelLooks(BlockLabel.size());
}

void TestE2EDesktop::cleanup()
{
    if (QTest::currentTestFailed())
        screenshot(QStringLiteral("0")).save(output + QStringLiteral("/failed-%1.png").arg(QLatin1String(QTest::currentTestFunction())));
}

void TestE2EDesktop::cleanupTestCase()
{
    stopProgram();
    if (otherApplication.state() != QProcess::NotRunning) {
        otherApplication.kill();
        otherApplication.waitForFinished();
    }
}

void TestE2EDesktop::stopProgram()
{
    if (program.state() == QProcess::NotRunning)
        return;
    ::kill(-pid_t(program.processId()), SIGKILL);
    program.waitForFinished();
}

bool TestE2EDesktop::click(const QString &window, QPoint logical, const QStringList &more)
{
    const QPoint at = scaled(logical);
    return xdotool(QStringList{QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(at.x()),
                               QString::number(at.y()), QStringLiteral("click")}
                   + more + QStringList{QStringLiteral("1")});
}

// Puts text into the clipboard that no box shows, so that a copy that does not
// happen can't pass for one that does.
bool TestE2EDesktop::setClipboardMarker()
{
    if (run(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-i")},
            ClipboardMarker.toUtf8()).exitCode != 0)
        return false;
    return QTest::qWaitFor([&] { return clipboard() == ClipboardMarker; }, 5000);
}

QString TestE2EDesktop::clipboard()
{
    const Run out = run(QStringLiteral("xclip"), {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                                  QStringLiteral("-t"), QStringLiteral("UTF8_STRING")});
    return out.exitCode == 0 ? QString::fromUtf8(out.out) : QString();
}

// What a box of the main window shows: click into it, select all, copy. The
// main window must be the active one, or the click would activate it.
QString TestE2EDesktop::copyFrom(QPoint box)
{
    if (activeWindow() != mainWindow)
        return QStringLiteral("<the main window is not active>");
    if (!setClipboardMarker() || !click(mainWindow, box)
        || !xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a"), QStringLiteral("ctrl+c")}))
        return QStringLiteral("<no clipboard>");
    QString copied;
    (void)QTest::qWaitFor([&] { return (copied = clipboard()) != ClipboardMarker; }, 5000);
    return copied;
}

// The block label as a person reads it: its place on the screen holds exactly
// the pixels that the label draws for one of the numbers.
QString TestE2EDesktop::label()
{
    const QImage shot = screenshot(mainWindow).copy(scaled(BlockLabel)).convertToFormat(QImage::Format_RGB32);
    for (const auto &[text, look] : labelLooks)
        if (samePixels(shot, look))
            return text;
    shot.save(output + QStringLiteral("/unreadable-label.png"));
    return QStringLiteral("<unreadable>");
}

// Clicks "Bestand openen" and gives the chooser's window once it is the active one.
QString TestE2EDesktop::openChooser()
{
    if (!click(mainWindow, OpenButton))
        return {};
    const QString chooser = waitForWindow(ChooserTitle);
    return !chooser.isEmpty() && waitUntilActive(chooser) ? chooser : QString();
}

// Opens a file as a person does: "Bestand openen", the file in the list, "OK".
bool TestE2EDesktop::openFile(Row row)
{
    const QString chooser = openChooser();
    return !chooser.isEmpty() && choose(row) && click(chooser, OkButton) && waitUntilGone(ChooserTitle)
        && waitUntilActive(mainWindow);
}

// With the main window active and the chooser open behind it: "Bestand
// openen" brings the same chooser back, and "Cancel" closes it.
bool TestE2EDesktop::cancelChooser(const QString &chooser)
{
    return openChooser() == chooser && click(chooser, CancelButton) && waitUntilGone(ChooserTitle)
        && waitUntilActive(mainWindow);
}

// Clicks a file in the open chooser's file list. The rows' places are found
// on the screen: a click at the top of the list selects the first row, whose
// highlight gives the row height.
bool TestE2EDesktop::choose(Row row)
{
    const QString chooser = activeWindow();
    if (rowHeight == 0) {
        if (!click(chooser, FileListRect.topLeft() + QPoint(20, 5)))
            return false;
        const QRect list = scaled(FileListRect);
        const int x = list.right() - 8;   // right of the names
        auto highlighted = [](QRgb pixel) { return qBlue(pixel) - qRed(pixel) > 60; };
        QImage shot;
        if (!QTest::qWaitFor([&] {
                shot = screenshot(chooser);
                return highlighted(shot.pixel(x, list.top() + scaled(QPoint(0, 5)).y()));
            }, 5000))
            return false;
        int top = list.top() + scaled(QPoint(0, 5)).y(), bottom = top;
        while (top > list.top() && highlighted(shot.pixel(x, top - 1)))
            --top;
        while (bottom < list.bottom() && highlighted(shot.pixel(x, bottom + 1)))
            ++bottom;
        firstRowTop = top;
        rowHeight = bottom - top + 1;
        qInfo("file list rows: first at y=%d, %d pixels high", firstRowTop, rowHeight);
    }
    const int y = firstRowTop + row * rowHeight + rowHeight / 2;
    const int x = scaled(FileListRect.topLeft()).x() + scaled(QPoint(30, 0)).x();
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), chooser, QString::number(x), QString::number(y),
                    QStringLiteral("click"), QStringLiteral("1")});
}

// The label gives the block, and the upper pane shows that block's codes.
// The copy is handled after every click and activation before it, so the
// label read again after it can no longer be on its way to another number.
// Exactly one warning comes and takes the focus; `closingKey` closes it, the
// main window is active again, and no second warning follows. A picture of
// the message is kept for a person to read.
void TestE2EDesktop::expectOneMessage(const QString &picture, const QString &closingKey)
{
    const QString message = waitForWindow(MessageTitle);
    QVERIFY2(!message.isEmpty(), "no message, or more than one");
    QVERIFY(waitUntilActive(message));
    QCOMPARE(windows(MessageTitle).size(), 1);
    QVERIFY(screenshot(message).save(output + QLatin1Char('/') + picture));

    QVERIFY(xdotool({QStringLiteral("key"), closingKey}));
    QVERIFY(waitUntilGone(MessageTitle));
    QVERIFY(waitUntilActive(mainWindow));
    QVERIFY(staysAway(MessageTitle));
}

void TestE2EDesktop::expectBlock(const QByteArray &file, int block)
{
    const QString number = QStringLiteral(" %1").arg(block);
    QTRY_COMPARE_WITH_TIMEOUT(label(), number, 10000);
    QCOMPARE(copyFrom(CodePane), codes(file.mid((block - 1) * 250, 250)));
    QCOMPARE(label(), number);
}

void TestE2EDesktop::startsWithNothingOnShow()
{
    QCOMPARE(label(), QStringLiteral("0"));
}

void TestE2EDesktop::opensFileThroughChooser()
{
    const QString chooser = openChooser();
    QVERIFY2(!chooser.isEmpty(), "no chooser");
    QVERIFY(choose(TekstRow));
    QVERIFY(screenshot(chooser).save(output + QStringLiteral("/chooser.png")));
    QVERIFY(click(chooser, OkButton));
    QVERIFY(waitUntilGone(ChooserTitle));
    QVERIFY(waitUntilActive(mainWindow));

    QTRY_COMPARE(label(), QStringLiteral(" 1"));
    QVERIFY(screenshot(mainWindow).save(output + QStringLiteral("/main-window.png")));
    QCOMPARE(copyFrom(CodePane), codes(TekstBytes));
    QCOMPARE(copyFrom(TextPane), TekstShown);
    QCOMPARE(copyFrom(PathBox), work + QStringLiteral("/tekst.txt"));
}

void TestE2EDesktop::pagesToTheEndAndBack()
{
    QVERIFY(openFile(KortRow));
    QCOMPARE(copyFrom(PathBox), work + QStringLiteral("/kort.bin"));
    CHECKED(expectBlock(kort, 1));

    QVERIFY(click(mainWindow, NextButton));
    CHECKED(expectBlock(kort, 2));
    QVERIFY(click(mainWindow, NextButton));
    CHECKED(expectBlock(kort, 3));   // the last 100 bytes
    QVERIFY(click(mainWindow, NextButton));
    CHECKED(expectBlock(kort, 3));   // the end: nothing further
    QVERIFY(click(mainWindow, PreviousButton));
    CHECKED(expectBlock(kort, 2));
    QVERIFY(click(mainWindow, PreviousButton));
    CHECKED(expectBlock(kort, 1));
    QVERIFY(click(mainWindow, PreviousButton));
    CHECKED(expectBlock(kort, 1));   // the start: nothing before
}

void TestE2EDesktop::stopsAtBlock131()
{
    QVERIFY(openFile(DataRow));
    CHECKED(expectBlock(data, 1));

    // More clicks than there are blocks to page through.
    QVERIFY(click(mainWindow, NextButton, {QStringLiteral("--repeat"), QStringLiteral("140"), QStringLiteral("--delay"), QStringLiteral("15")}));
    CHECKED(expectBlock(data, 131));   // bytes 32,500 to 32,749; the file goes on to 40,000
    QVERIFY(click(mainWindow, NextButton));
    CHECKED(expectBlock(data, 131));
    QVERIFY(click(mainWindow, PreviousButton));
    CHECKED(expectBlock(data, 130));
}

void TestE2EDesktop::info()
{
    QVERIFY(click(mainWindow, InfoButton));
    const QString shown = copyFrom(CodePane);
    QCOMPARE(shown.section(QLatin1Char('\n'), 0, 0), QStringLiteral("Informatie over het programma"));
    QVERIFY(shown.contains(QStringLiteral("Klikt u op > dan worden de volgende 250 tekens getoond.")));
    QCOMPARE(label(), QStringLiteral(" 130"));
    QCOMPARE(copyFrom(PathBox), work + QStringLiteral("/data.bin"));
}

void TestE2EDesktop::cancelKeepsFileOnShow()
{
    QVERIFY(click(mainWindow, PreviousButton));
    CHECKED(expectBlock(data, 129));

    QString chooser = openChooser();
    QVERIFY(!chooser.isEmpty());
    QVERIFY(click(chooser, CancelButton));
    QVERIFY(waitUntilGone(ChooserTitle));
    QVERIFY(waitUntilActive(mainWindow));
    CHECKED(expectBlock(data, 129));
    QCOMPARE(copyFrom(PathBox), work + QStringLiteral("/data.bin"));

    // After "Cancel" nothing is chosen: coming to the main window from the
    // chooser loads nothing either.
    chooser = openChooser();
    QVERIFY(!chooser.isEmpty());
    QVERIFY(click(mainWindow, BlockLabel.center()));
    QVERIFY(waitUntilActive(mainWindow));
    CHECKED(expectBlock(data, 129));

    QVERIFY(cancelChooser(chooser));
    CHECKED(expectBlock(data, 129));
}

void TestE2EDesktop::chooserOpenReloadsAnotherApplicationDoesNot()
{
    QVERIFY(openFile(KortRow));
    CHECKED(expectBlock(kort, 1));
    QVERIFY(click(mainWindow, NextButton, {QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"), QStringLiteral("50")}));
    CHECKED(expectBlock(kort, 3));

    // Away to another application and back with a click: no reload.
    otherApplication.start(QStringLiteral("xmessage"), {QStringLiteral("-geometry"), QStringLiteral("+900+800"),
                                                        QStringLiteral("-name"), QStringLiteral("elders"),
                                                        QStringLiteral("een ander programma")});
    QVERIFY(otherApplication.waitForStarted());
    QVERIFY(QTest::qWaitFor([] {
        return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--classname"), QStringLiteral("elders"),
                        QStringLiteral("windowactivate"), QStringLiteral("--sync")});
    }, 10000));
    QVERIFY(activeWindow() != mainWindow);
    QVERIFY(click(mainWindow, BlockLabel.center()));
    QVERIFY(waitUntilActive(mainWindow));
    CHECKED(expectBlock(kort, 3));
    otherApplication.kill();
    otherApplication.waitForFinished();

    // To the main window while the chooser is open: block 1 afresh.
    const QString chooser = openChooser();
    QVERIFY(!chooser.isEmpty());
    QVERIFY(click(mainWindow, BlockLabel.center()));
    QVERIFY(waitUntilActive(mainWindow));
    CHECKED(expectBlock(kort, 1));
    QVERIFY(!windows(ChooserTitle).isEmpty());   // still open, behind

    QVERIFY(cancelChooser(chooser));
}

void TestE2EDesktop::fifoIsReportedOnceAndFileStays()
{
    QVERIFY(click(mainWindow, NextButton));
    CHECKED(expectBlock(kort, 2));

    QString chooser = openChooser();
    QVERIFY(!chooser.isEmpty());
    QVERIFY(choose(PijpRow));
    QVERIFY(click(chooser, OkButton));
    CHECKED(expectOneMessage(QStringLiteral("message-fifo.png"), QStringLiteral("Return")));
    CHECKED(expectBlock(kort, 2));
    QCOMPARE(copyFrom(PathBox), work + QStringLiteral("/kort.bin"));

    // The program goes on: it pages, and a later activation with the same
    // choice stays silent.
    QVERIFY(click(mainWindow, NextButton));
    CHECKED(expectBlock(kort, 3));
    chooser = openChooser();
    QVERIFY(!chooser.isEmpty());
    QVERIFY(click(mainWindow, BlockLabel.center()));
    QVERIFY(waitUntilActive(mainWindow));
    QVERIFY(staysAway(MessageTitle));
    CHECKED(expectBlock(kort, 3));
    QVERIFY(cancelChooser(chooser));
}

void TestE2EDesktop::folderIsReportedOnceAndFileStays()
{
    // "OK" with no file selected chooses the folder itself.
    const QString chooser = openChooser();
    QVERIFY(!chooser.isEmpty());
    QVERIFY(click(chooser, OkButton));
    CHECKED(expectOneMessage(QStringLiteral("message-folder.png"), QStringLiteral("Escape")));
    CHECKED(expectBlock(kort, 3));
    QCOMPARE(copyFrom(PathBox), work + QStringLiteral("/kort.bin"));
    QVERIFY(click(mainWindow, PreviousButton));
    CHECKED(expectBlock(kort, 2));
}

void TestE2EDesktop::closesWithItsWindow()
{
    QVERIFY(waitUntilActive(mainWindow));
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("alt+F4")}));
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

void TestE2EDesktop::neverWritesAFile()
{
    stopProgram();
    if (!traced)
        QSKIP("strace is missing or may not trace here");
    QFile log(traceLog);
    QVERIFY2(log.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(traceLog));

    // The toolkit's own writes that are allowed, all outside the user's folders:
    // - /dev/null, opened for reading and writing by the D-Bus library for the
    //   standard streams of the helper it starts to find a session bus when
    //   the environment names none; it stores nothing.
    // - the per-user runtime folder that Qt makes (mkdir, 0700) when
    //   XDG_RUNTIME_DIR is not set: a place for the session's sockets, made
    //   empty, never a file of the user's.
    const QString runtimeFolder = program.processEnvironment().contains(QStringLiteral("XDG_RUNTIME_DIR"))
        ? program.processEnvironment().value(QStringLiteral("XDG_RUNTIME_DIR"))
        : QDir::tempPath() + QStringLiteral("/runtime-") + QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name);
    auto allowed = [&](const QString &line) -> const char * {
        if (line.contains(QLatin1String("open")) && line.contains(QLatin1String("\"/dev/null\"")))
            return "the D-Bus library's helper's standard streams";
        if (line.contains(QStringLiteral("mkdir(\"%1\"").arg(runtimeFolder)))
            return "Qt's runtime folder when XDG_RUNTIME_DIR is not set";
        return nullptr;
    };

    QStringList forbidden;
    QStringList reads;
    QStringList writeCalls;
    while (!log.atEnd()) {
        const QString line = QString::fromUtf8(log.readLine()).trimmed();
        if (!writes(line)) {
            reads << line;
            continue;
        }
        // A folder descriptor before an absolute path plays no part in it.
        static const QRegularExpression unusedFolder(QStringLiteral("(AT_FDCWD|\\d+)<[^>]*>(, \"/)"));
        const bool inUsersFolders = QString(line).replace(unusedFolder, QStringLiteral("\\1\\2")).contains(root);
        const char *reason = inUsersFolders ? nullptr : allowed(line);
        writeCalls << QStringLiteral("%1  [%2]").arg(line, reason ? QLatin1String(reason) : QLatin1String("NOT ALLOWED"));
        if (!reason)
            forbidden << line;
    }
    QFile list(output + QStringLiteral("/write-calls.txt"));
    QVERIFY(list.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
    list.write(writeCalls.join(QLatin1Char('\n')).toUtf8() + '\n');
    for (const QString &call : writeCalls)
        qInfo("write-mode call: %s", qPrintable(call));

    // The trace is the program's: it shows the reads of the files on show,
    // and that the pipe was never opened at all.
    const auto opened = [&](const char *name) {
        const QString path = QStringLiteral("\"%1/%2\"").arg(work, QLatin1String(name));
        return std::any_of(reads.begin(), reads.end(), [&](const QString &line) {
            return line.contains(QLatin1String("open")) && line.contains(path);
        });
    };
    for (const char *name : {"tekst.txt", "kort.bin", "data.bin"})
        QVERIFY2(opened(name), name);
    QVERIFY(!opened("pijp"));
    QVERIFY2(forbidden.isEmpty(), qPrintable(forbidden.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestE2EDesktop)
#include "tst_e2e_desktop.moc"

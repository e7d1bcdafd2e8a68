// The main window on the offscreen platform: its controls, loading and paging
// files of every awkward size, the files it can't show, and the help text.

#include "blocktext.h"
#include "failuremessages.h"
#include "fopen.h"
#include "form1.h"
#include "infotext.h"
#include "module1.h"
#include "pathtext.h"
#include "startup.h"
#include "testfiles.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <fstream>
#include <fcntl.h>
#include <unistd.h>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

class TestForm1 : public QObject {
    Q_OBJECT

    template<typename T = QWidget> T *control(const char *name) { return form->findChild<T *>(QLatin1String(name)); }
    QString codes() { return control<QPlainTextEdit>("Tasc")->toPlainText(); }
    QString text() { return control<QPlainTextEdit>("Ttekst")->toPlainText(); }
    QString label() { return control<QLabel>("Laantal250")->text(); }
    QString pathBox() { return control<QLineEdit>("Tbestand")->text(); }
    int messages() { return form->findChildren<QMessageBox *>().size(); }
    void click(const char *button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    void load(const QByteArray &path)
    {
        Module1::SelectedPath = nativePath(path);
        form->LoadSelectedFile();
    }

    // The label gives the block, and both panes show that block's bytes (the
    // text control hands a no-break space back as a plain one).
    void expectBlock(const QByteArray &file, int block)
    {
        const QByteArray bytes = file.mid((block - 1) * 250, 250);
        const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
        QCOMPARE(label(), QStringLiteral(" %1").arg(block));
        QCOMPARE(QAccessible::queryAccessibleInterface(control("Laantal250"))->text(QAccessible::Name),
                 QStringLiteral("Blok %1").arg(block));
        QCOMPARE(codes(), expectedCodes(bytes));
        QCOMPARE(text(), QString::fromStdU16String(blockText({data, std::size_t(bytes.size())}).text)
                             .replace(QChar(0xA0), QLatin1Char(' ')));
    }

    ScratchDir dir;
    const QByteArray folder = pathBytes(dir.path() + '/');
    std::unique_ptr<Form1> form;

    // Makes the awkward thing a row of badInput names at `path`; what it
    // returns holds a lock on it, where the row needs one, until released.
    static std::shared_ptr<void> make(const QByteArray &name, const std::filesystem::path &path)
    {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::create_directories(name.startsWith("folder") ? path : path.parent_path(), ignored);
        if (name.isEmpty() || name.startsWith("folder") || name == "removed")
            return {};
#ifndef Q_OS_WIN
        if (name == "fifo")
            return ::mkfifo(path.c_str(), 0600), nullptr;
        if (name == "dangling" || name == "looping" || name == "mem")
            return fs::create_symlink(name == "looping" ? path : name == "mem" ? "/proc/self/mem" : "nowhere", path), nullptr;
#endif
        std::ofstream(path, std::ios::binary) << (name == "empty" ? "" : "abc");
#ifdef Q_OS_WIN
        if (name == "locked")   // opened by "another program" that shares it with no one
            return {::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), ::CloseHandle};
#else
        if (name == "unreadable")
            fs::permissions(path, fs::perms::owner_write);
#endif
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

    // A new choice made in the chooser: "OK" says so, and closing hands the
    // activation back.
    void chooseAgain()
    {
        click("Bopen");
        QTRY_VERIFY(qobject_cast<fOpen *>(QApplication::activeWindow()));
        emit qobject_cast<fOpen *>(QApplication::activeWindow())->chosen();
        QApplication::activeWindow()->close();
    }

private slots:
    void initTestCase()
    {
        prepareApplication();
        QApplication::setPalette(QPalette(QColor(53, 53, 53)));   // a dark desktop theme: light text
        QVERIFY(QDir::setCurrent(dir.path()));   // where the chooser opens
        // Open to an ordinary user, as a folder of the user's own would be.
        std::filesystem::permissions(nativePath(folder), std::filesystem::perms(0755));
    }

    void init()
    {
        Module1::SelectedPath.clear();
        form = std::make_unique<Form1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));   // the first activation, with nothing chosen
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("family");   // empty: the platform's own font
        QTest::addColumn<qreal>("points");
        QTest::addColumn<QString>("spoken");   // what a screen reader says

#ifdef Q_OS_WIN
        const QString ms = "Microsoft Sans Serif";   // the outline face, sharp at any scale
#else
        const QString ms = "MS Sans Serif";
#endif
        QTest::newRow("Bopen") << "Bopen" << QRect(4, 2, 187, 33) << "Bestand openen" << ms << 18.0 << "Bestand openen";
        QTest::newRow("Command1") << "Command1" << QRect(196, 2, 85, 33) << "Info" << ms << 18.0 << "Info";
        QTest::newRow("Bvolgende") << "Bvolgende" << QRect(286, 2, 83, 33) << ">" << ms << 18.0 << "Volgende blok";
        QTest::newRow("Bvorige") << "Bvorige" << QRect(372, 2, 79, 33) << "<" << ms << 18.0 << "Vorige blok";
        QTest::newRow("Laantal250") << "Laantal250" << QRect(454, 2, 55, 33) << "0" << ms << 18.0 << "Blok 0";
        QTest::newRow("Tbestand") << "Tbestand" << QRect(4, 38, 505, 21) << "" << "Arial" << 8.25 << "Pad van het bestand";
        QTest::newRow("Tasc") << "Tasc" << QRect(4, 62, 505, 291) << "" << "" << 0.0 << "Decimale codes";
        QTest::newRow("Ttekst") << "Ttekst" << QRect(4, 354, 505, 105) << "" << "" << 0.0 << "Tekst";
    }

    // Where a family is missing, the stand-in chosen for it draws instead.
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, family);
        QWidget *widget = control(qPrintable(name));
        QTEST(widget->geometry(), "geometry");
        QTEST(widget->property(qobject_cast<QPlainTextEdit *>(widget) ? "plainText" : "text").toString(), "caption");
        QTEST(widget->accessibleName(), "spoken");
        QCOMPARE(widget->testAttribute(Qt::WA_SetFont), !family.isEmpty());
        if (family.isEmpty())
            return;
        QCOMPARE(widget->font().families().value(0), family);
        QTEST(widget->font().pointSizeF(), "points");
        QCOMPARE(widget->font().weight(), QFont::Normal);
        // The face drawn is the one asked for or a stand-in the program names.
        QVERIFY2(widget->font().families().contains(QFontInfo(widget->font()).family()),
                 qPrintable(QFontInfo(widget->font()).family()));
    }

    void window()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Bestand in  ASCII-code (decimaal) en tekst"));
        QCOMPARE(form->size(), QSize(511, 462));
        // Each background comes with its own text colour, dark on light also
        // under the dark theme the tests run in.
        for (auto [widget, background] : {std::pair(control("Laantal250"), QColor(255, 255, 0)),
                                          {static_cast<QWidget *>(form.get()), QColor(192, 192, 192)}}) {
            QCOMPARE(widget->palette().color(QPalette::Window), background);
            QCOMPARE(widget->palette().color(QPalette::WindowText), QColor(Qt::black));
        }
        QVERIFY(control("Laantal250")->autoFillBackground());
        for (const char *pane : {"Tasc", "Ttekst"})
            QCOMPARE(control<QPlainTextEdit>(pane)->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Tasc"));
        for (const char *next : {"Ttekst", "Bopen", "Bvolgende", "Bvorige", "Tbestand", "Command1", "Tasc"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        }
        // Before any load, paging only writes the label.
        click("Bvolgende");
        QCOMPARE(label(), QStringLiteral(" 0"));
        click("Bvorige");
        QCOMPARE(label(), QStringLiteral(" 0"));
        QVERIFY(codes().isEmpty() && text().isEmpty() && pathBox().isEmpty());
    }

    // The texts Qt supplies itself are Dutch too: a text box's and a line's menu.
    void contextMenusInDutch()
    {
        for (QMenu *menu : {control<QPlainTextEdit>("Tasc")->createStandardContextMenu(),
                            control<QLineEdit>("Tbestand")->createStandardContextMenu()}) {
            QCOMPARE(menu->actions().first()->text().section('\t', 0, 0), QStringLiteral("&Ongedaan maken"));
            delete menu;
        }
    }

    void paging_data()
    {
        QTest::addColumn<QByteArray>("path");   // empty: a file of pattern bytes
        QTest::addColumn<qint64>("size");
        for (qint64 size : {0, 1, 250, 251, 32750, 32751, 100000})
            QTest::addRow("%lld bytes", size) << QByteArray() << size;
        QTest::newRow("3 GiB, sparse") << QByteArray() << (qint64(3) << 30);
        // Files whose reported length is not what they hold: 0 under /proc,
        // 4096 for a few bytes under /sys.
        for (const char *pseudo : {"/proc/filesystems", "/sys/devices/system/cpu/online"})
            QTest::newRow(pseudo) << QByteArray(pseudo) << qint64(0);
    }

    // Forward to the last block and back to the first, checking both panes and
    // the label at every step; paging past either end only writes the label.
    void paging()
    {
        QFETCH(QByteArray, path);
        QFETCH(qint64, size);
        if (!path.isEmpty() && !QFile::exists(path))
            QSKIP("no such file on this system");
        QFile file(path.isEmpty() ? dir.filePath("file") : QString::fromLatin1(path));
        if (path.isEmpty()) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(size > 1'000'000 ? file.resize(size) : file.write(patternBytes(0, size)) == size);
            file.close();
        }
        // What the blocks up to the last one hold, as an ordinary read gives it.
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray shown = file.read(131 * 250);
        file.close();
        const int blockCount = int(qBound(qsizetype(1), (shown.size() + 249) / 250, qsizetype(131)));

        load(pathBytes(file.fileName()));
        QCOMPARE(pathBox(), QDir::toNativeSeparators(file.fileName()));
        expectBlock(shown, 1);
        for (int block = 2; block <= blockCount + 1; ++block) {
            click("Bvolgende");
            expectBlock(shown, qMin(block, blockCount));
        }
        for (int block = blockCount - 1; block >= 0; --block) {
            click("Bvorige");
            expectBlock(shown, qMax(block, 1));
        }
        QCOMPARE(pathBox(), QDir::toNativeSeparators(file.fileName()));
        QCOMPARE(messages(), 0);   // nothing to tell at either end
    }

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

    // A good file is on show at block 2 when the awkward one is chosen, as an
    // ordinary user: it gets a message naming it, once for activations and
    // again for a new choice in the chooser, and the file on show stays and
    // still pages; or it loads like any file.
    void badInput()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, reason);
        QFETCH(QString, onlyOn);
#ifdef Q_OS_WIN
        if (onlyOn == "unix")
            QSKIP("a Unix file kind or right");
#else
        if (onlyOn == "windows")
            QSKIP("a Windows lock or path");
#endif
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
            asUser([&] { chooseAgain(); QTRY_COMPARE(messages(), 1); });
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
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("onlyOn");
        QTest::addColumn<QString>("reason");
        // A share or a device that went away, told in the program's own words
        // also where Windows has no Dutch texts.
        QTest::newRow("ERROR_BAD_NETPATH") << 53 << "windows" << "netwerkmap is niet bereikbaar";
        QTest::newRow("ERROR_BAD_NET_NAME") << 67 << "windows" << "netwerkmap is niet bereikbaar";
        QTest::newRow("ERROR_NETNAME_DELETED") << 64 << "windows" << "netwerkverbinding";
        QTest::newRow("ERROR_UNEXP_NET_ERR") << 59 << "windows" << "netwerkverbinding";
        QTest::newRow("ERROR_NOT_READY") << 21 << "windows" << "apparaat";
        QTest::newRow("ERROR_DEV_NOT_EXIST") << 55 << "windows" << "apparaat";
        QTest::newRow("ERROR_DEVICE_NOT_CONNECTED") << 1167 << "windows" << "apparaat";
        QTest::newRow("ENOMEDIUM") << 123 << "unix" << "apparaat";
        QTest::newRow("ESTALE") << 116 << "unix" << "netwerkverbinding";
    }

    void systemReasons()
    {
        QFETCH(int, code);
        QFETCH(QString, onlyOn);
        QFETCH(QString, reason);
        if (onlyOn != (QSysInfo::productType() == "windows" ? "windows" : "unix"))
            QSKIP(qPrintable("a code of " + onlyOn));
        QVERIFY2(systemErrorText(code).contains(reason), qPrintable(systemErrorText(code)));
    }

    void namesAsStored_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("rewritten");   // what Windows' plain paths would open instead
        QTest::newRow("trailing dot") << "a." << "a";
        QTest::newRow("trailing space") << "b " << "b";
        QTest::newRow("in a folder with a trailing dot") << "dir./inner" << "dir/inner";
        for (const char *device : {"nul", "CON", "aux.txt", "COM1.log"})
            QTest::newRow(device) << device << "";
    }

    // A name Windows would rewrite, beside the file it would be rewritten to,
    // or one it would take for a device, opens as itself.
    void namesAsStored()
    {
        QFETCH(QString, name);
        QFETCH(QString, rewritten);
        const QString stored = dir.filePath("stored/");
        QDir(dir.path()).mkpath("stored/dir");
        if (name.startsWith("dir."))
            makeStored(stored + "dir.", {}, true);   // once; the file in it is made only where it is
        QVERIFY(makeStored(stored + name, name.toUtf8()));
        QVERIFY(rewritten.isEmpty() || writeFile(stored + rewritten, "other bytes"));
        load(pathBytes(stored + name));
        QCOMPARE(messages(), 0);
        QCOMPARE(pathBox(), QDir::toNativeSeparators(stored + name));
        expectBlock(name.toUtf8(), 1);
    }

    // A block is read from its own place in the file as the file is now, as
    // another program writes it: the file's length before each click, the
    // button, and the block then on show.
    void fileChangesUnderneath()
    {
        QVERIFY(writeFile(dir.filePath("changing"), patternBytes(0, 260)));
        load(folder + "changing");
        for (auto [size, button, block] : {std::tuple(260, "Bvolgende", 2), {1000, "Bvolgende", 3},
                                           {600, "Bvorige", 2}, {600, "Bvolgende", 3}, {0, "Bvorige", 2}}) {
            QVERIFY(writeFile(dir.filePath("changing"), patternBytes(0, size)));
            click(button);
            expectBlock(patternBytes(0, size), block);
        }
        // The file on show is not held against others: it can be renamed and
        // deleted, and pages on as it was when it went.
        QVERIFY(writeFile(dir.filePath("changing"), patternBytes(0, 600)));
        QVERIFY(QFile::rename(dir.filePath("changing"), dir.filePath("renamed")));
        QVERIFY(QFile::remove(dir.filePath("renamed")));
        click("Bvorige");
        expectBlock(patternBytes(0, 600), 1);
    }

    // "Info" replaces only the code pane, twice the same; ">" on the last block
    // and "<" on the first leave it there.
    void info()
    {
        const QStringList lines = InfoText().split("\r\n");
        QCOMPARE(InfoText().count('\n') + InfoText().count('\r'), 32);
        QCOMPARE(lines.mid(0, 13), QStringList({"Informatie over het programma", "",
            "Als je klikt op Bestand openen dan kun je een bestand uitkiezen, en daarvan worden de eerste",
            "250 tekens getoond.",
            "Ze worden in ASC getoond in het onderste venster. En de ASC-codes (decimaal) worden getoond in",
            "het bovenste venster.", "", "Klikt u op > dan worden de volgende 250 tekens getoond.",
            "Klikt u op < dan worden de vorige 250 tekens getoond.", "",
            "Het getal rechtsboven geeft aan het hoeveelste blokje van 250 tekens te zien is.", "",
            "Voor meer informatie neem contakt op met"}));
        QVERIFY(QRegularExpression("^( {11}\\S.*\n){2} {11}\\d{4} [A-Z]{2}  \\S+\n {11}tel\\. [0-9-]+$")
                    .match(lines.mid(13).join('\n')).hasMatch());

        QVERIFY(writeFile(dir.filePath("short"), patternBytes(0, 300)));
        load(folder + "short");
        click("Bvolgende");
        const QString textBefore = text();
        click("Command1");
        click("Command1");
        QCOMPARE(codes(), lines.join('\n'));
        QCOMPARE(control<QPlainTextEdit>("Tasc")->document()->blockCount(), 17);
        QCOMPARE(text(), textBefore);
        QCOMPARE(label(), QStringLiteral(" 2"));
        click("Bvolgende");
        QCOMPARE(codes(), lines.join('\n'));
        click("Bvorige");
        click("Command1");
        click("Bvorige");
        QCOMPARE(codes(), lines.join('\n'));
        QCOMPARE(label(), QStringLiteral(" 1"));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"

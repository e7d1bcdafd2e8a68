// The file chooser on the offscreen platform: its controls, walking folders,
// the path that "OK" composes and the drive fallback.

#include "chooser/fopen.h"
#include "chooser/readahead.h"
#include "common/module1.h"
#include "platform/folderwatch.h"
#include "platform/nameorder.h"
#include "platform/pathtext.h"
#include "testfiles.h"

#include <QAbstractItemView>
#include <QCollator>
#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSignalSpy>
#include <numeric>

namespace {

const QString Separator = QDir::separator();
// On Windows a drive letter whose medium is missing.
const QString MissingDrive = OnWindows ? "Q:\\" : "/no-such-drive";
// Under the tests' wine a drive whose root is empty (cmake/windows/with-wine.sh).
const QString EmptyDrive = "Y:\\";
// On Linux not valid UTF-8.
const QByteArray NotText = OnWindows ? "café.bin" : "caf\xe9.bin";
const QByteArray NotTextFolder = "caf\xe9";
// The working folder's own drive reached as a network share, \\localhost\c$\.
const QString Share = "\\\\localhost\\c$\\";
const QStringList DeepNames{QString(120, 'd'), QString(120, 'e'), QString(30, 'f')};
const QString DeepFolder = "deep/" + DeepNames.join('/');

}   // namespace

class TestFOpen : public QObject {
    Q_OBJECT

    template<typename T = QWidget> T *control(const char *name) { return dialog->findChild<T *>(QLatin1String(name)); }
    QAbstractItemView *list(const char *name) { return control<QAbstractItemView>(name); }
    void click(const char *button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    QByteArray chosen() { return nativeBytes(Module1::SelectedPath); }
    QStringList rows(const char *name)
    {
        QStringList texts;
        for (int r = 0; r < list(name)->model()->rowCount(); ++r)
            texts << list(name)->model()->index(r, 0).data().toString();
        return texts;
    }
    // The file list's names. Where the hidden one sorts depends on how the
    // platform's collation weighs its dot (wine's passes over it); that it is
    // listed is what counts, so it is put first.
    QStringList files()
    {
        QStringList names = rows("File1");
        if (names.removeOne(".verborgen"))
            names.prepend(".verborgen");
        return names;
    }
    QModelIndex row(const char *name, const QString &text)
    {
        return list(name)->model()->index(rows(name).indexOf(text), 0);
    }
    // Opens a directory list entry as the user does: select it and press Enter.
    void openFolder(const QString &name)
    {
        QVERIFY2(row("Dir1", name).isValid(), qPrintable(name));
        list("Dir1")->setCurrentIndex(row("Dir1", name));
        QTest::keyClick(list("Dir1"), Qt::Key_Return);
    }

    ScratchDir dir;
    const QString root = QDir::toNativeSeparators(QDir(dir.path()).canonicalPath());   // the working folder
    const QString rootDrive = pathText(nativePath(pathBytes(root)).root_path());
    const QString otherDrive = root + Separator + "drive";
    const QStringList rootFiles = QStringList{".verborgen", "A.bin", "b.txt", "F2.bin", "f10.bin"}
                                  + (OnWindows ? QStringList() : QStringList("pijp"));
    QPointer<fOpen> dialog;

private slots:
    void initTestCase()
    {
        QVERIFY(QDir::setCurrent(root));
        for (const char *name :
             {"b.txt", "f10.bin", "A.bin", "F2.bin", ".verborgen", "Sub/inner.txt", "drive/on-drive.txt"}) {
            QDir().mkpath(QFileInfo(name).path());
            QVERIFY(writeFile(name, "x"));
        }
        // Names Windows would rewrite, as they are stored; and a folder deeper
        // than Windows' plain paths reach.
        QVERIFY(QDir().mkdir("stored"));
        for (const char *name : {"a", "a.", "b ", "nul", "aux.txt", "CON", "COM1.log"})
            QVERIFY2(makeStored("stored/" + QString(name), "x"), name);
        QVERIFY(makeStored("stored/dir.", {}, true) && makeStored("stored/dir./inner", "x"));
        QVERIFY(QDir().mkpath(DeepFolder) && writeFile(DeepFolder + "/deep.txt", "x"));
        QVERIFY(QDir().mkdir("raw") && QDir().mkdir("locked"));
        QVERIFY(writeFile("raw/x", "x"));
        std::filesystem::rename(nativePath("raw/x"), nativePath("raw/" + NotText));
        if (!OnWindows) {
            QVERIFY(makeFifo("pijp"));
            std::filesystem::permissions("locked", std::filesystem::perms(0311));
        }
    }

    void init()
    {
        dialog = new fOpen([this] {
            return QStringList{rootDrive, otherDrive, MissingDrive}
                   + (underWine() ? QStringList(EmptyDrive) : QStringList());
        });
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
    }

    void cleanup() { delete dialog; }

    void listsStart_data()
    {
        QTest::addColumn<QString>("workingFolder");   // "removed", "lower case"; empty: as it is
        QTest::newRow("in the working folder") << "";
        QTest::newRow("working folder removed: in the home folder") << "removed";
        QTest::newRow("working folder in lower case") << "lower case";
        QTest::newRow("working folder on a network share") << "network share";
        QTest::newRow("working folder on a drive below the root's") << "nested drive";
        QTest::newRow("working folder named in bytes that are no text") << "not text";
        QTest::newRow("working folder named in bytes that are no text, on a drive below the root's")
            << "not text, nested drive";
        QTest::newRow("working folder named as Windows would rewrite it") << "rewritten";
    }

    // All three lists start in the working folder. The file list shows every
    // entry that is not a folder, hidden and special ones too, without regard
    // to case and numbers in numeric order; the directory list the chain from
    // the root down, then the subfolders. When the working folder has been
    // removed since the program started, they start in the home folder.
    void listsStart()
    {
        QFETCH(QString, workingFolder);
        if (workingFolder == "removed" && OnWindows)
            QSKIP("Windows keeps a program's working folder from being removed");
        if (workingFolder == "lower case" && !OnWindows)
            QSKIP("names tell case here");
        if (workingFolder == "network share" && !OnWindows)
            QSKIP("a Windows network path");
        if (workingFolder.startsWith("not text") && OnWindows)
            QSKIP("Windows' names are text");
        if (workingFolder == "rewritten" && !OnWindows)
            QSKIP("a Windows name: here a trailing dot is part of the name");
        const bool atHome = workingFolder == "removed", onShare = workingFolder == "network share",
                   onNested = workingFolder.endsWith("nested drive"), notText = workingFolder.startsWith("not text"),
                   rewritten = workingFolder == "rewritten";
        // The working folder and the home folder stay as the row sets them
        // until its end: the drive list is picked again below.
        const QByteArray home = qgetenv("HOME");
        const auto restore = qScopeGuard([&] {
            QDir::setCurrent(root);
            qputenv("HOME", home);
        });
        // A folder named in Latin-1, as on an old stick, for this row only.
        const QString notTextParent = onNested ? otherDrive : root;
        const std::filesystem::path notTextFolder = nativePath(pathBytes(notTextParent) + "/" + NotTextFolder);
        const auto removeNotText = qScopeGuard([&] {
            if (notText)
                std::filesystem::remove_all(notTextFolder);
        });
        if (!workingFolder.isEmpty()) {
            delete dialog;
            qputenv("HOME", pathBytes(root + "/Sub"));
            if (notText) {
                QVERIFY(QDir(notTextParent).mkdir("named") && writeFile(notTextParent + "/named/x.bin", "x"));
                std::filesystem::rename(nativePath(pathBytes(notTextParent + "/named")), notTextFolder);
            }
            QVERIFY(atHome    ? QDir(root).mkdir("gone") && QDir::setCurrent(root + "/gone") && QDir(root).rmdir("gone")
                    : notText ? (std::filesystem::current_path(notTextFolder), true)
                    : rewritten ? (std::filesystem::current_path(storedPath(root + "/stored/dir.")), true)
                    : onNested  ? QDir::setCurrent(otherDrive)
                                : QDir::setCurrent(onShare ? Share + root.mid(rootDrive.size()) : root.toLower()));
            // The working folder read ahead, as the program does at its
            // start; the chooser uses it, at a drive's root too.
            if (notText || onNested || rewritten) {
                readAhead(std::filesystem::current_path(), 0);
                QTRY_VERIFY(readAheadDone());
            }
            init();
            if (notText || onNested || rewritten)
                QVERIFY2(!takeReadAhead(std::filesystem::current_path()), "the chooser read the folder anew");
        }
        // A share lies on no drive letter: it is a drive of its own.
        const QString drive = onShare ? Share : onNested ? otherDrive : rootDrive;
        QCOMPARE(control<QComboBox>("Drive1")->currentText(), drive);
        QCOMPARE(control("bOK")->font().pointSizeF(), 18.0);
        QCOMPARE(control("bCancel")->font().pointSizeF(), 12.0);
        const QStringList expectedFiles = notText     ? QStringList("x.bin")
                                          : rewritten ? QStringList("inner")
                                          : atHome    ? QStringList("inner.txt")
                                          : onNested  ? QStringList("on-drive.txt")
                                                      : rootFiles;
        QCOMPARE(files(), expectedFiles);
        // The chain is spelled as the working folder is (c:\work stays work).
        const QStringList folders = QStringList(onShare ? Share : rootDrive)
                                    + root.mid(rootDrive.size()).split(Separator, Qt::SkipEmptyParts)
                                    + (notText ? (onNested ? QStringList("drive") : QStringList())
                                                     + QStringList(pathText(nativePath(NotTextFolder)))
                                       : rewritten ? QStringList{"stored", "dir."}
                                       : atHome    ? QStringList("Sub")
                                       : onNested  ? QStringList("drive")
                                                   : QStringList({"deep", "drive", "locked", "raw", "stored", "Sub"}));
        QCOMPARE(rows("Dir1").join('|').toLower(), folders.join('|').toLower());
        // Picked again, the drive opens on the working folder again.
        auto *drives = control<QComboBox>("Drive1");
        drives->setCurrentIndex(drives->findText(drive == rootDrive ? otherDrive : rootDrive));
        drives->setCurrentIndex(drives->findText(drive));
        QCOMPARE(files(), expectedFiles);
    }

    // One row a line, as a table reads.
    // clang-format off
    void readAheadFollowsChanges_data()
    {
        QTest::addColumn<QString>("fileSystem");   // "unwatched": one whose changes no watch is trusted to see
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("folders");
        for (const QString fileSystem : {"", "unwatched"}) {
            const auto row = [&](const char *name) -> QTestData & { return QTest::newRow(qPrintable(name + (fileSystem.isEmpty() ? "" : ", " + fileSystem))) << fileSystem; };
            row("none") << "" << QStringList{"a.bin", "b.bin"} << QStringList("map");
            row("file added") << "add c.bin" << QStringList{"a.bin", "b.bin", "c.bin"} << QStringList("map");
            row("file removed") << "remove a.bin" << QStringList("b.bin") << QStringList("map");
            row("file renamed") << "rename a.bin" << QStringList{"b.bin", "z.bin"} << QStringList("map");
            row("folder added") << "add nieuw/" << QStringList{"a.bin", "b.bin"} << QStringList{"map", "nieuw"};
            row("folder renamed") << "rename map" << QStringList{"a.bin", "b.bin"} << QStringList("z.bin");
            row("linked folder made a file") << "relink file" << QStringList{"a.bin", "b.bin", "koppeling"} << QStringList("map");
            row("linked folder removed") << "relink none" << QStringList{"a.bin", "b.bin", "koppeling"} << QStringList("map");
            row("permissions changed") << "chmod" << QStringList{"a.bin", "b.bin"} << QStringList("map");
        }
        QTest::newRow("file system mounted over it") << "" << "mount" << QStringList() << QStringList();
    }
    // clang-format on

    // The working folder is read ahead while the program starts (here however
    // few its names); its listing is used only while it is true, and the
    // chooser shows the folder as it is when it opens, changed since or not.
    void readAheadFollowsChanges()
    {
        QFETCH(QString, fileSystem);
        QFETCH(QString, change);
        QFETCH(QStringList, files);
        QFETCH(QStringList, folders);
        const bool linked = change.startsWith("relink");
        if (OnWindows && (linked || change == "mount" || change == "chmod" || !fileSystem.isEmpty()))
            QSKIP("a Unix link, mount or permission; Windows reads every folder again anyway");
        // A file system the program trusts no watch on, of the test's own.
        const QString base = root + "/vooruit/" + fileSystem;
        QVERIFY(QDir().mkpath(base));
        std::shared_ptr<void> unwatched;
        if (!fileSystem.isEmpty() && !(unwatched = mountAt("ramfs", base)))
            QSKIP("no file system can be mounted here (the tests run as root where they can)");
        const QString folder = base + "/ahead-" + QTest::currentDataTag();
        QVERIFY(QDir().mkpath(folder + "/map") && writeFile(folder + "/a.bin", "x")
                && writeFile(folder + "/b.bin", "x"));
        const QString target = base + "/elders-" + QTest::currentDataTag();
        if (linked) {
            QVERIFY(QDir().mkpath(target));
            std::filesystem::create_directory_symlink(nativePath(pathBytes(target)),
                                                      nativePath(pathBytes(folder + "/koppeling")));
        }
        readAhead(nativePath(pathBytes(folder)), 0);
        QTRY_VERIFY(readAheadDone());
        if (!fileSystem.isEmpty())   // the row takes the path it is there for
            QCOMPARE(FolderWatch(nativePath(pathBytes(folder))).state(), FolderWatch::Unknown);

        const QString name = folder + "/" + change.section(' ', 1);
        std::shared_ptr<void> mountedOver;
        if (change.startsWith("add"))
            QVERIFY(name.endsWith('/') ? QDir().mkdir(name) : writeFile(name, "x"));
        else if (change.startsWith("remove"))
            QVERIFY(QFile::remove(name));
        else if (change.startsWith("rename"))
            QVERIFY(QFile::rename(name, folder + "/z.bin"));
        else if (change == "chmod")
            std::filesystem::permissions(nativePath(pathBytes(folder)), std::filesystem::perms::others_all,
                                         std::filesystem::perm_options::remove);
        else if (linked)
            QVERIFY(QDir().rmdir(target) && (change.endsWith("none") || writeFile(target, "x")));
        else if (change == "mount" && !(mountedOver = mountAt("tmpfs", folder)))
            QSKIP("no file system can be mounted here (the tests run as root where they can)");
        QCOMPARE(takeReadAhead(nativePath(pathBytes(folder))).has_value(), change.isEmpty());

        delete dialog;
        QVERIFY(QDir::setCurrent(folder));
        init();
        QVERIFY(QDir::setCurrent(root));
        QCOMPARE(rows("File1"), files);
        QCOMPARE(rows("Dir1").mid(rows("Dir1").indexOf(QFileInfo(folder).fileName()) + 1), folders);
    }

    // One row a line, as a table reads.
    // clang-format off
    void ok_data()
    {
        QTest::addColumn<QString>("folder");   // the directory entry opened first, if any
        QTest::addColumn<QString>("file");     // the file selected, if any; "-": one, then another folder
        QTest::addColumn<QByteArray>("expected");

        const QByteArray here = pathBytes(root + Separator), top = pathBytes(rootDrive);
        const QString notText = pathText(nativePath(NotText));
        QTest::newRow("a file") << "" << "b.txt" << here + "b.txt";
        QTest::newRow("no file: the folder") << "" << "" << here;
        QTest::newRow("no file in the root") << rootDrive << "" << top;
        QTest::newRow("a name outside ASCII") << "raw" << notText << here + pathBytes("raw" + Separator) + NotText;
        QTest::newRow("a file, then another folder") << "Sub" << "-" << here + pathBytes("Sub" + Separator);
    }
    // clang-format on

    // Opening a folder moves the file list there with nothing selected. In a
    // root, no separator is added after the root's own.
    void ok()
    {
        QFETCH(QString, folder);
        QFETCH(QString, file);
        if (file == "-")
            list("File1")->setCurrentIndex(row("File1", "b.txt"));
        if (!folder.isEmpty())
            openFolder(folder);
        if (!file.isEmpty() && file != "-") {
            const QModelIndex entry = row("File1", file);
            QTest::mouseClick(list("File1")->viewport(), Qt::LeftButton, {}, list("File1")->visualRect(entry).center());
        }
        QCOMPARE(control<QComboBox>("Drive1")->currentText(), rootDrive);
        QSignalSpy okSaid(dialog, &fOpen::chosen);
        click("bOK");
        QCOMPARE(okSaid.count(), 1);
        QTEST(chosen(), "expected");
        QTRY_VERIFY(dialog.isNull());
    }

    // Names Windows would rewrite are listed, and chosen, as they are stored,
    // a folder "dir." among the folders; a folder of any depth lists its own.
    void namesAsStored()
    {
        openFolder("stored");
        QStringList names = rows("File1");
        names.sort();
        QCOMPARE(names, QStringList({"COM1.log", "CON", "a", "a.", "aux.txt", "b ", "nul"}));
        QVERIFY(rows("Dir1").contains("dir."));
        list("File1")->setCurrentIndex(row("File1", "a."));
        click("bOK");
        QCOMPARE(chosen(), pathBytes(root + Separator + "stored" + Separator + "a."));
    }

    void deepFolder()
    {
        openFolder("deep");
        for (const QString &name : DeepNames)
            openFolder(name);
        QCOMPARE(rows("File1"), QStringList("deep.txt"));
        QVERIFY(QDir::toNativeSeparators(root + '/' + DeepFolder).size() > 260);
    }

    // Down a folder, into it again, which reads it anew, and up again
    // through the chain; a folder that can't be listed shows empty.
    void walkingFolders()
    {
        openFolder("Sub");
        QCOMPARE(rows("File1"), QStringList("inner.txt"));
        QVERIFY(writeFile(root + "/Sub/later.txt", "x") && QDir().mkdir(root + "/Sub/later"));
        const auto removeLater = qScopeGuard([&] {
            QFile::remove(root + "/Sub/later.txt");
            QDir().rmdir(root + "/Sub/later");
        });
        openFolder("Sub");
        QCOMPARE(rows("File1"), QStringList({"inner.txt", "later.txt"}));
        QCOMPARE(rows("Dir1").last(), QStringLiteral("later"));
        openFolder(QFileInfo(dir.path()).fileName());
        if (OnWindows)
            QSKIP("a folder that can't be listed is made with Unix rights here");
        std::filesystem::permissions(nativePath(pathBytes(root)), std::filesystem::perms(0755));
        asOrdinaryUser([&] { openFolder("locked"); });
        QVERIFY(rows("File1").isEmpty());
    }

    // A drive whose root is empty, as a new USB stick's, lists nothing and
    // stays: a root has no "." and ".." entries, so nothing at all is found.
    void emptyDrive()
    {
        if (!underWine())
            QSKIP("a drive letter of the tests' wine");
        auto *drives = control<QComboBox>("Drive1");
        drives->setCurrentIndex(drives->findText(EmptyDrive));
        QCOMPARE(drives->currentText(), EmptyDrive);
        QVERIFY(rows("File1").isEmpty());
        QCOMPARE(rows("Dir1"), QStringList(EmptyDrive));
    }

    // A drive that can't be read (one without a medium) sends the list back,
    // without a word, to the drive the dialog opened on, not to the good drive
    // chosen in between.
    void unreadableDriveFallsBackToOpeningDrive()
    {
        auto *drives = control<QComboBox>("Drive1");
        drives->setCurrentIndex(drives->findText(otherDrive));
        QCOMPARE(rows("File1"), QStringList("on-drive.txt"));
        drives->setCurrentIndex(drives->findText(MissingDrive));
        QCOMPARE(drives->currentText(), rootDrive);
        QCOMPARE(files(), rootFiles);
    }

    void nameOrderAsQtsCollator_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("count");   // names besides the awkward ones, on both cores past 20,000
        for (const char *locale : {"nl_NL", "en_US", "de_DE", "sv_SE", "tr_TR", "ja_JP", "sr_Latn_RS", "C"})
            QTest::newRow(locale) << locale << 0;
        QTest::newRow("nl_NL, 30000 names") << "nl_NL" << 30'000;
    }

    // The file list's order is Qt's collator's, however it is worked out:
    // case and accents, numbers, punctuation, scripts, names alike but for
    // their bytes, and a folder large enough to be sorted on both cores.
    void nameOrderAsQtsCollator()
    {
        QFETCH(QString, locale);
        QFETCH(int, count);
        if (OnWindows)
            QSKIP("on Windows the order is Qt's collator's own sort keys");
        QLocale::setDefault(QLocale(locale));
        std::vector<QString> shown{"f10.bin", "F2.bin", "a.bin",     "A.bin",      "é.txt",      "e.txt", "Ä",   "z",
                                   "_x",      "-y",     " spatie",   "1",          "01",         "001",   "ß",   "ss",
                                   "Ω",       "日本",   "Bestand 9", "Bestand 10", "bestand 10", "x.y",   "x-y", "x_y",
                                   "ĳ",       "ij",     "Ő",         "ı",          "i",          "I",     "İ",   "",
                                   "ča",      "cb",     "ćb",        "đa",         "dža",        "dzb",   "dzz"};
        QRandomGenerator random(count);
        for (int i = 0; i < count; ++i)
            shown.push_back(QString::number(random.bounded(1000)) + QChar(u"aAbéÉ -_.ß"[random.bounded(10)])
                            + QString::number(random.bounded(100'000)));
        std::vector<std::filesystem::path> bytes;
        NameList names;
        for (const QString &name : shown)
            names.add(bytes.emplace_back(pathFromText(name)).native());

        QCollator collator(locale == "C" ? QLocale(QLocale::Dutch, QLocale::Netherlands) : QLocale(locale));
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        collator.setNumericMode(true);
        std::vector<QCollatorSortKey> keys;
        for (const QString &name : shown)
            keys.push_back(collator.sortKey(name));
        std::vector<std::uint32_t> expected(shown.size());
        std::iota(expected.begin(), expected.end(), 0);
        std::sort(expected.begin(), expected.end(), [&](std::uint32_t a, std::uint32_t b) {
            const int compared = keys[a].compare(keys[b]);
            return compared != 0 ? compared < 0 : bytes[a].native() < bytes[b].native();
        });
        const std::vector<std::uint32_t> order = nameOrder(names);
        QLocale::setDefault(QLocale::system());
        QCOMPARE(order, expected);
    }
};

QTEST_MAIN(TestFOpen)
#include "tst_fopen.moc"

// The file chooser on the offscreen platform: its layout, walking folders,
// composing the chosen path, the drive fallback, and its life beside the
// main window.

#include "dirlist.h"
#include "drivelist.h"
#include "filelist.h"
#include "fopen.h"
#include "form1.h"
#include "layoutcheck.h"
#include "module1.h"
#include "pathtext.h"
#include "selectedfile.h"
#include "testfiles.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

class TestFOpen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void composePath_data();
    void composePath();
    void layout_data();
    void layout();
    void keyboard();

    void startsInWorkingFolder();
    void okComposesPathAndCloses();
    void okWithoutFileGivesFolder();
    void okInRootAddsNoSecondSeparator();
    void cancelAndCloseControl();
    void openingFolderMovesFileListAndClearsSelection();
    void doubleClickInFileListDoesNothing();
    void folderThatCannotBeListedShowsEmpty();
    void nameThatIsNotTextOpens();
    void unreadableDriveFallsBackToOpeningDrive();

    void oneChooserAtATime();
    void cancelAfterLoadKeepsFileOnShow();
    void programRunsOnUntilChooserCloses();

private:
    template<typename T> T *control(const char *name) { return dialog->findChild<T *>(QLatin1String(name)); }
    fOpen *openChooser(Form1 &form);
    void select(const QString &fileName);
    void openFolderEntry(const QString &name);
    QStringList rows(const char *list);

    QTemporaryDir dir;
    QString root;   // the test's working folder
    QPointer<fOpen> dialog;
};

void TestFOpen::initTestCase()
{
    QVERIFY(dir.isValid());
    root = QDir(dir.path()).canonicalPath();
    QVERIFY(QDir::setCurrent(root));
    for (const char *name : {"b.txt", "A.bin", ".verborgen", "Sub/inner.txt", "drive/on-drive.txt"}) {
        QDir(root).mkpath(QFileInfo(QString::fromLatin1(name)).path());
        QVERIFY(writeFile(root + '/' + QLatin1String(name), "x"));
    }
    QCOMPARE(::mkfifo(QFile::encodeName(root + QStringLiteral("/pijp")).constData(), 0600), 0);

    const std::filesystem::path raw = pathFromText(root) / "raw";
    std::filesystem::create_directory(raw);
    std::FILE *out = std::fopen((raw / std::string("caf\xe9.bin")).c_str(), "wb");
    QVERIFY(out);
    std::fclose(out);
}

void TestFOpen::init()
{
    Module1::SelectedPath = "/previous/choice";
    dialog = new fOpen([this] { return QStringList{QStringLiteral("/"), root + QStringLiteral("/drive"),
                                                   QStringLiteral("/no-such-drive")}; });
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
}

void TestFOpen::cleanup()
{
    delete dialog;
}

// Clicks "Bestand openen" and gives back the one chooser that is then open.
fOpen *TestFOpen::openChooser(Form1 &form)
{
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("Bopen")), Qt::LeftButton);
    QList<fOpen *> open;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *chooser = qobject_cast<fOpen *>(window); chooser && chooser->isVisible())
            open << chooser;
    return open.size() == 1 ? open.first() : nullptr;
}

void TestFOpen::select(const QString &fileName)
{
    auto *files = control<FileList>("File1");
    const QList<QListWidgetItem *> found = files->findItems(fileName, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(found.first()).center());
    QCOMPARE(files->selectedItems(), found);
}

// Opens a directory list entry as the user does: select it and press Enter.
void TestFOpen::openFolderEntry(const QString &name)
{
    auto *folders = control<DirList>("Dir1");
    for (int row = 0; row < folders->count(); ++row)
        if (folders->item(row)->text().trimmed() == name) {
            folders->setCurrentRow(row);
            QTest::keyClick(folders, Qt::Key_Return);
            return;
        }
    QFAIL(qPrintable(QStringLiteral("no folder entry %1").arg(name)));
}

QStringList TestFOpen::rows(const char *list)
{
    QStringList texts;
    auto *widget = control<QListWidget>(list);
    for (int row = 0; row < widget->count(); ++row)
        texts << widget->item(row)->text().trimmed();
    return texts;
}

void TestFOpen::composePath_data()
{
    QTest::addColumn<QByteArray>("folder");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("in a folder") << QByteArray("/home/user") << QByteArray("a.txt") << QByteArray("/home/user/a.txt");
    QTest::newRow("in the root") << QByteArray("/") << QByteArray("a.txt") << QByteArray("/a.txt");
    QTest::newRow("no file in a folder") << QByteArray("/home/user") << QByteArray() << QByteArray("/home/user/");
    QTest::newRow("no file in the root") << QByteArray("/") << QByteArray() << QByteArray("/");
    QTest::newRow("bytes that are not text") << QByteArray("/d\xff") << QByteArray("\xfe.bin") << QByteArray("/d\xff/\xfe.bin");
}

void TestFOpen::composePath()
{
    QFETCH(QByteArray, folder);
    QFETCH(QByteArray, name);
    const std::filesystem::path composed = ::composePath(folder.toStdString(), name.toStdString());
    QTEST(QByteArray::fromStdString(composed.native()), "expected");
}

void TestFOpen::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<qreal>("points");

    QTest::newRow("Drive1") << "Drive1" << QRect(18, 8, 141, 21) << 0.0;
    QTest::newRow("Dir1") << "Dir1" << QRect(12, 110, 139, 152) << 0.0;
    QTest::newRow("File1") << "File1" << QRect(168, 8, 153, 240) << 0.0;
    QTest::newRow("bOK") << "bOK" << QRect(334, 10, 57, 51) << 18.0;
    QTest::newRow("bCancel") << "bCancel" << QRect(334, 70, 57, 41) << 12.0;
}

void TestFOpen::layout()
{
    QFETCH(QString, name);
    QFETCH(qreal, points);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Bestand Openen"));
    QCOMPARE(dialog->size(), QSize(397, 279));
    QVERIFY(!dialog->parentWidget());
    QWidget *widget = control<QWidget>(qPrintable(name));
    QTEST(widget->geometry(), "geometry");
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QCOMPARE(button->font().pointSizeF(), points);
        QVERIFY(!button->isDefault());
    }
    verifyLayoutFits(dialog);
}

// Drive1 has the focus; Tab walks the controls in order; Escape presses
// nothing; Enter presses only the focused button.
void TestFOpen::keyboard()
{
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Drive1"));
    for (const char *next : {"Dir1", "File1", "bOK", "bCancel"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
    }
    QTest::keyClick(dialog, Qt::Key_Escape);
    QTest::keyClick(control<QWidget>("File1"), Qt::Key_Return);
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(Module1::SelectedPath, std::filesystem::path("/previous/choice"));

    control<QWidget>("bOK")->setFocus();
    QTest::keyClick(control<QWidget>("bOK"), Qt::Key_Return);
    QCOMPARE(Module1::SelectedPath, pathFromText(root + '/'));
}

void TestFOpen::startsInWorkingFolder()
{
    QCOMPARE(control<DriveList>("Drive1")->drive(), QStringLiteral("/"));
    QCOMPARE(control<DirList>("Dir1")->path(), pathFromText(root));
    QCOMPARE(control<FileList>("File1")->path(), pathFromText(root));
    // Every entry that is not a folder, hidden and special files too, without regard to case.
    QCOMPARE(rows("File1"), QStringList({".verborgen", "A.bin", "b.txt", "pijp"}));
    QCOMPARE(control<FileList>("File1")->fileName(), std::filesystem::path());

    // The chain from the root down to the working folder, then its subfolders.
    QStringList chain{QStringLiteral("/")};
    chain += root.split('/', Qt::SkipEmptyParts);
    QCOMPARE(rows("Dir1"), chain + QStringList({"drive", "raw", "Sub"}));
}

void TestFOpen::okComposesPathAndCloses()
{
    select(QStringLiteral("b.txt"));
    QTest::mouseClick(control<QPushButton>("bOK"), Qt::LeftButton);
    QCOMPARE(Module1::SelectedPath, pathFromText(root + QStringLiteral("/b.txt")));
    QTRY_VERIFY(dialog.isNull());
}

void TestFOpen::okWithoutFileGivesFolder()
{
    QTest::mouseClick(control<QPushButton>("bOK"), Qt::LeftButton);
    QCOMPARE(Module1::SelectedPath, pathFromText(root + '/'));
}

void TestFOpen::okInRootAddsNoSecondSeparator()
{
    openFolderEntry(QStringLiteral("/"));
    QCOMPARE(control<FileList>("File1")->path(), std::filesystem::path("/"));
    QTest::mouseClick(control<QPushButton>("bOK"), Qt::LeftButton);
    QCOMPARE(Module1::SelectedPath, std::filesystem::path("/"));
}

void TestFOpen::cancelAndCloseControl()
{
    dialog->close();   // the window's own close control
    QCOMPARE(Module1::SelectedPath, std::filesystem::path("/previous/choice"));
    QTRY_VERIFY(dialog.isNull());

    init();
    QTest::mouseClick(control<QPushButton>("bCancel"), Qt::LeftButton);
    QVERIFY(Module1::SelectedPath.empty());
    QTRY_VERIFY(dialog.isNull());
}

void TestFOpen::openingFolderMovesFileListAndClearsSelection()
{
    select(QStringLiteral("b.txt"));
    QSignalSpy folderChanges(control<DirList>("Dir1"), &DirList::changed);
    openFolderEntry(QStringLiteral("Sub"));
    QCOMPARE(folderChanges.size(), 1);
    QCOMPARE(control<FileList>("File1")->path(), pathFromText(root + QStringLiteral("/Sub")));
    QCOMPARE(rows("File1"), QStringList({"inner.txt"}));
    QVERIFY(control<FileList>("File1")->selectedItems().isEmpty());
    QCOMPARE(control<DriveList>("Drive1")->drive(), QStringLiteral("/"));

    // Up again through the chain.
    openFolderEntry(QFileInfo(root).fileName());
    QCOMPARE(control<FileList>("File1")->path(), pathFromText(root));
    QCOMPARE(folderChanges.size(), 2);
}

void TestFOpen::doubleClickInFileListDoesNothing()
{
    auto *files = control<FileList>("File1");
    const QRect item = files->visualItemRect(files->findItems(QStringLiteral("b.txt"), Qt::MatchExactly).first());
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, item.center());
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(Module1::SelectedPath, std::filesystem::path("/previous/choice"));
}

void TestFOpen::folderThatCannotBeListedShowsEmpty()
{
    control<DirList>("Dir1")->setPath(pathFromText(root + QStringLiteral("/vanished")));
    QVERIFY(rows("File1").isEmpty());

    const QString locked = root + QStringLiteral("/locked");
    QVERIFY(QDir(root).mkdir(QStringLiteral("locked")));
    QVERIFY(writeFile(locked + QStringLiteral("/inside"), "x"));
    QVERIFY(QFile::setPermissions(locked, QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(openToEveryone(root));
    asOrdinaryUser([&] { control<DirList>("Dir1")->setPath(pathFromText(locked)); });
    QCOMPARE(control<FileList>("File1")->path(), pathFromText(locked));
    QVERIFY(rows("File1").isEmpty());
    QFile::remove(locked + QStringLiteral("/inside"));
    QDir(root).rmdir(QStringLiteral("locked"));
}

// A name whose bytes are not valid text is listed and chosen by its bytes.
void TestFOpen::nameThatIsNotTextOpens()
{
    const std::filesystem::path file = pathFromText(root) / "raw" / std::string("caf\xe9.bin");
    openFolderEntry(QStringLiteral("raw"));
    QCOMPARE(control<FileList>("File1")->count(), 1);
    control<FileList>("File1")->setCurrentRow(0);
    QTest::mouseClick(control<QPushButton>("bOK"), Qt::LeftButton);
    QCOMPARE(Module1::SelectedPath.native(), file.native());
}

// A drive that can't be read sends the list back to the drive the dialog
// opened on, not to the good drive chosen in between.
void TestFOpen::unreadableDriveFallsBackToOpeningDrive()
{
    auto *drives = control<DriveList>("Drive1");
    QSignalSpy driveChanges(drives, &DriveList::changed);
    drives->setCurrentIndex(drives->findText(root + QStringLiteral("/drive")));
    QCOMPARE(control<DirList>("Dir1")->path(), pathFromText(root + QStringLiteral("/drive")));
    QCOMPARE(rows("File1"), QStringList({"on-drive.txt"}));

    drives->setCurrentIndex(drives->findText(QStringLiteral("/no-such-drive")));
    QCOMPARE(drives->drive(), QStringLiteral("/"));
    QCOMPARE(control<DirList>("Dir1")->path(), pathFromText(root));
    QCOMPARE(driveChanges.size(), 3);

    drives->setDrive(QStringLiteral("/"));   // the same drive again fires nothing
    QCOMPARE(driveChanges.size(), 3);
}

void TestFOpen::oneChooserAtATime()
{
    delete dialog;
    Form1 form;
    form.show();
    fOpen *first = openChooser(form);
    QVERIFY(first && !first->parentWidget());
    QCOMPARE(openChooser(form), first);
    QPointer<fOpen> chooser = first;
    QTest::mouseClick(first->findChild<QPushButton *>(QStringLiteral("bCancel")), Qt::LeftButton);
    QTRY_VERIFY(chooser.isNull());
    QVERIFY(openChooser(form));   // a new one after the first closed
}

void TestFOpen::cancelAfterLoadKeepsFileOnShow()
{
    delete dialog;
    const QString file = root + QStringLiteral("/pattern");
    QVERIFY(writeFile(file, patternBytes(0, 600)));
    Form1 form;
    form.show();
    Module1::SelectedPath = pathFromText(file);
    form.LoadSelectedFile();
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("Bvolgende")), Qt::LeftButton);

    fOpen *chooser = openChooser(form);
    QVERIFY(chooser);
    QTest::mouseClick(chooser->findChild<QPushButton *>(QStringLiteral("bCancel")), Qt::LeftButton);
    QVERIFY(Module1::SelectedPath.empty());

    form.LoadSelectedFile();   // the activation that follows
    auto *label = form.findChild<QLabel *>(QStringLiteral("Laantal250"));
    QCOMPARE(label->text(), QStringLiteral(" 2"));
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("Bvolgende")), Qt::LeftButton);
    QCOMPARE(label->text(), QStringLiteral(" 3"));
}

// Closing the main window while the chooser is open leaves the program
// running; it ends when the chooser closes.
void TestFOpen::programRunsOnUntilChooserCloses()
{
    Form1 form;
    form.show();
    bool ranOn = false;
    QTimer::singleShot(0, &form, [&] {
        form.close();
        QTimer::singleShot(100, dialog, [&] {
            ranOn = true;
            QTest::mouseClick(control<QPushButton>("bOK"), Qt::LeftButton);
        });
    });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(ranOn);
}

QTEST_MAIN(TestFOpen)
#include "tst_fopen.moc"

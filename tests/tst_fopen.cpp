// The file chooser on the offscreen platform: its controls, walking folders,
// the path that "OK" composes and the drive fallback.

#include "fopen.h"
#include "module1.h"
#include "testfiles.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <sys/stat.h>

class TestFOpen : public QObject {
    Q_OBJECT

    template<typename T = QWidget> T *control(const char *name) { return dialog->findChild<T *>(QLatin1String(name)); }
    QAbstractItemView *list(const char *name) { return control<QAbstractItemView>(name); }
    void click(const char *button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    QByteArray chosen() { return QByteArray::fromStdString(Module1::SelectedPath.native()); }
    QStringList rows(const char *name)
    {
        QStringList texts;
        for (int r = 0; r < list(name)->model()->rowCount(); ++r)
            texts << list(name)->model()->index(r, 0).data().toString().trimmed();
        return texts;
    }
    QModelIndex row(const char *name, const QString &text) { return list(name)->model()->index(rows(name).indexOf(text), 0); }
    // Opens a directory list entry as the user does: select it and press Enter.
    void openFolder(const QString &name)
    {
        QVERIFY2(row("Dir1", name).isValid(), qPrintable(name));
        list("Dir1")->setCurrentIndex(row("Dir1", name));
        QTest::keyClick(list("Dir1"), Qt::Key_Return);
    }

    ScratchDir dir;
    const QString root = QDir(dir.path()).canonicalPath();   // the working folder
    const QStringList rootFiles{".verborgen", "A.bin", "b.txt", "F2.bin", "f10.bin", "pijp"};
    QPointer<fOpen> dialog;

private slots:
    void initTestCase()
    {
        QVERIFY(QDir::setCurrent(root));
        for (const char *name : {"b.txt", "f10.bin", "A.bin", "F2.bin", ".verborgen", "Sub/inner.txt", "drive/on-drive.txt"}) {
            QDir().mkpath(QFileInfo(name).path());
            QVERIFY(writeFile(name, "x"));
        }
        QCOMPARE(::mkfifo("pijp", 0600), 0);
        QCOMPARE(::mkdir("raw", 0700) + ::mkdir("locked", 0311), 0);
        QVERIFY(writeFile("raw/x", "x") && ::rename("raw/x", "raw/caf\xe9.bin") == 0);
    }

    void init()
    {
        Module1::SelectedPath = "/previous/choice";
        dialog = new fOpen([this] { return QStringList{"/", root + "/drive", "/no-such-drive"}; });
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
    }

    void cleanup() { delete dialog; }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<qreal>("points");     // 0: the platform's own font
        QTest::addColumn<QString>("spoken");   // what a screen reader says

        QTest::newRow("Drive1") << "Drive1" << QRect(18, 8, 141, 21) << 0.0 << "Station";
        QTest::newRow("Dir1") << "Dir1" << QRect(12, 110, 139, 152) << 0.0 << "Mappen";
        QTest::newRow("File1") << "File1" << QRect(168, 8, 153, 240) << 0.0 << "Bestanden";
        QTest::newRow("bOK") << "bOK" << QRect(334, 10, 57, 51) << 18.0 << "OK";
        QTest::newRow("bCancel") << "bCancel" << QRect(334, 70, 57, 41) << 12.0 << "Annuleren";
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(qreal, points);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Bestand Openen"));
        QCOMPARE(dialog->size(), QSize(397, 279));
        QWidget *widget = control(qPrintable(name));
        QTEST(widget->geometry(), "geometry");
        QTEST(widget->accessibleName(), "spoken");
        QCOMPARE(widget->testAttribute(Qt::WA_SetFont) ? widget->font().pointSizeF() : 0.0, points);
    }

    // All three lists start in the working folder. The file list shows every
    // entry that is not a folder, hidden and special ones too, without regard
    // to case and numbers in numeric order; the directory list the chain from
    // the root down, then the subfolders.
    void listsStartInWorkingFolder()
    {
        QCOMPARE(control<QComboBox>("Drive1")->currentText(), QStringLiteral("/"));
        QCOMPARE(rows("File1"), rootFiles);
        QCOMPARE(rows("Dir1"), QStringList("/") + root.split('/', Qt::SkipEmptyParts)
                                   + QStringList({"drive", "locked", "raw", "Sub"}));
    }

    void ok_data()
    {
        QTest::addColumn<QString>("folder");   // the directory entry opened first, if any
        QTest::addColumn<int>("file");         // the file list's row selected, if any
        QTest::addColumn<QByteArray>("expected");

        const QByteArray here = QFile::encodeName(root);
        QTest::newRow("a file") << "" << 2 << here + "/b.txt";
        QTest::newRow("no file: the folder") << "" << -1 << here + "/";
        QTest::newRow("no file in the root") << "/" << -1 << QByteArray("/");
        QTest::newRow("a name that is not text") << "raw" << 0 << here + "/raw/caf\xe9.bin";
        QTest::newRow("a file, then another folder") << "Sub" << -2 << here + "/Sub/";
    }

    // Opening a folder moves the file list there with nothing selected.
    void ok()
    {
        QFETCH(QString, folder);
        QFETCH(int, file);
        if (file == -2)
            list("File1")->setCurrentIndex(row("File1", "b.txt"));
        if (!folder.isEmpty())
            openFolder(folder);
        if (file >= 0) {
            const QModelIndex entry = list("File1")->model()->index(file, 0);
            QTest::mouseClick(list("File1")->viewport(), Qt::LeftButton, {}, list("File1")->visualRect(entry).center());
        }
        QCOMPARE(control<QComboBox>("Drive1")->currentText(), QStringLiteral("/"));
        click("bOK");
        QTEST(chosen(), "expected");
        QTRY_VERIFY(dialog.isNull());
    }

    // Escape is no Cancel; the window's own close control keeps the choice.
    void cancelAndCloseControl()
    {
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(dialog->isVisible());
        dialog->close();
        QCOMPARE(chosen(), QByteArray("/previous/choice"));
        QTRY_VERIFY(dialog.isNull());
        init();
        click("bCancel");
        QVERIFY(Module1::SelectedPath.empty());
        QTRY_VERIFY(dialog.isNull());
    }

    // Down a folder and up again through the chain; a folder that can't be
    // listed shows empty.
    void walkingFolders()
    {
        openFolder("Sub");
        QCOMPARE(rows("File1"), QStringList("inner.txt"));
        openFolder(QFileInfo(dir.path()).fileName());
        QCOMPARE(rows("File1"), rootFiles);
        QCOMPARE(::chmod(QFile::encodeName(root).constData(), 0755), 0);
        asOrdinaryUser([&] { openFolder("locked"); });
        QVERIFY(rows("File1").isEmpty());
    }

    // A drive that can't be read sends the list back to the drive the dialog
    // opened on, not to the good drive chosen in between.
    void unreadableDriveFallsBackToOpeningDrive()
    {
        auto *drives = control<QComboBox>("Drive1");
        drives->setCurrentIndex(drives->findText(root + "/drive"));
        QCOMPARE(rows("File1"), QStringList("on-drive.txt"));
        drives->setCurrentIndex(drives->findText("/no-such-drive"));
        QCOMPARE(drives->currentText(), QStringLiteral("/"));
        QCOMPARE(rows("File1"), rootFiles);
    }
};

QTEST_MAIN(TestFOpen)
#include "tst_fopen.moc"

// The chooser and the main window on a real desktop, worked with real clicks:
// the chooser hands the activation back when it closes, and moving to the
// main window while it is open reloads the chosen file.

#include "desktop.h"
#include "filelist.h"
#include "fopen.h"
#include "form1.h"
#include "module1.h"
#include "pathtext.h"
#include "testfiles.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

class TestFOpenDesktop : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void okHandsActivationBackAndLoads();
    void movingToMainWindowWhileOpenReloads();
    void cancelHandsBackWithoutReload();

private:
    fOpen *openChooser();
    template<typename T> T *control(const char *name) { return form->findChild<T *>(QLatin1String(name)); }
    QString label() { return control<QLabel>("Laantal250")->text(); }

    QTemporaryDir dir;
    QString root;
    std::unique_ptr<Form1> form;
};

void TestFOpenDesktop::initTestCase()
{
    if (const QString why = desktop::missing(); !why.isEmpty())
        QSKIP(qPrintable(why));
    QVERIFY(dir.isValid());
    root = QDir(dir.path()).canonicalPath();
    QVERIFY(writeFile(root + QStringLiteral("/a.bin"), patternBytes(0, 1000)));
    QVERIFY(writeFile(root + QStringLiteral("/b.bin"), patternBytes(7, 600)));
    QVERIFY(QDir::setCurrent(root));   // where the chooser opens
}

void TestFOpenDesktop::init()
{
    Module1::SelectedPath = pathFromText(root + QStringLiteral("/a.bin"));
    form = std::make_unique<Form1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QTRY_COMPARE(label(), QStringLiteral(" 1"));
}

void TestFOpenDesktop::cleanup()
{
    form.reset();
}

fOpen *TestFOpenDesktop::openChooser()
{
    if (!desktop::click(control<QPushButton>("Bopen")))
        return nullptr;
    if (!QTest::qWaitFor([] { return qobject_cast<fOpen *>(QApplication::activeWindow()) != nullptr; }, 5000))
        return nullptr;
    return qobject_cast<fOpen *>(QApplication::activeWindow());
}

void TestFOpenDesktop::okHandsActivationBackAndLoads()
{
    desktop::pageTo(form.get(), 3);
    QPointer<fOpen> chooser = openChooser();
    QVERIFY(chooser);
    QCOMPARE(label(), QStringLiteral(" 3"));   // opening the chooser loads nothing

    auto *files = chooser->findChild<FileList *>(QStringLiteral("File1"));
    const QRect item = files->visualItemRect(files->findItems(QStringLiteral("b.bin"), Qt::MatchExactly).value(0));
    QVERIFY(desktop::click(files->viewport(), item.center()));
    QTRY_COMPARE(files->fileName(), std::filesystem::path("b.bin"));
    QVERIFY(desktop::click(chooser->findChild<QPushButton *>(QStringLiteral("bOK"))));

    QTRY_VERIFY(chooser.isNull());
    QTRY_COMPARE(QGuiApplication::focusWindow(), form->windowHandle());
    QTRY_COMPARE(control<QLineEdit>("Tbestand")->text(), root + QStringLiteral("/b.bin"));
    QCOMPARE(label(), QStringLiteral(" 1"));
}

void TestFOpenDesktop::movingToMainWindowWhileOpenReloads()
{
    desktop::pageTo(form.get(), 2);
    QPointer<fOpen> chooser = openChooser();
    QVERIFY(chooser);
    QVERIFY(desktop::click(control<QLabel>("Laantal250")));
    QTRY_COMPARE(QGuiApplication::focusWindow(), form->windowHandle());
    QTRY_COMPARE(label(), QStringLiteral(" 1"));
    QVERIFY(chooser);   // still open beside the main window

    // Clicking "Bestand openen" again brings the same chooser back.
    QCOMPARE(openChooser(), chooser.data());
}

void TestFOpenDesktop::cancelHandsBackWithoutReload()
{
    desktop::pageTo(form.get(), 2);
    QPointer<fOpen> chooser = openChooser();
    QVERIFY(chooser);
    QVERIFY(desktop::click(chooser->findChild<QPushButton *>(QStringLiteral("bCancel"))));
    QTRY_VERIFY(chooser.isNull());
    QTRY_COMPARE(QGuiApplication::focusWindow(), form->windowHandle());
    QTest::qWait(200);
    QCOMPARE(label(), QStringLiteral(" 2"));
    QVERIFY(Module1::SelectedPath.empty());
}

QTEST_MAIN(TestFOpenDesktop)
#include "tst_fopen_desktop.moc"

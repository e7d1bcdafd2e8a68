// Activation on a real desktop (X server and window manager): the main window
// reloads when the user comes to it from another window of the program, and
// not when they come back from another application or click in it.

#include "desktop.h"
#include "form1.h"
#include "module1.h"
#include "pathtext.h"
#include "testfiles.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QApplication>
#include <QStandardPaths>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

class TestActivationDesktop : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void clickInActiveWindowOnlyPages();
    void secondProgramWindowHandsActivationBack();
    void anotherApplicationDoesNotReload();
    void contextMenuDoesNotReload();

private:
    QString label() { return form->findChild<QLabel *>(QStringLiteral("Laantal250"))->text(); }

    QTemporaryDir dir;
    std::unique_ptr<Form1> form;
};

void TestActivationDesktop::initTestCase()
{
    if (const QString why = desktop::missing(); !why.isEmpty())
        QSKIP(qPrintable(why));
    QVERIFY(dir.isValid());
    QVERIFY(writeFile(dir.filePath(QStringLiteral("file")), patternBytes(0, 2000)));
}

void TestActivationDesktop::init()
{
    Module1::SelectedPath = pathFromText(dir.filePath(QStringLiteral("file")));
    form = std::make_unique<Form1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QTRY_COMPARE(label(), QStringLiteral(" 1"));   // the first activation loads
}

void TestActivationDesktop::cleanup()
{
    form.reset();
}

void TestActivationDesktop::clickInActiveWindowOnlyPages()
{
    desktop::pageTo(form.get(), 3);
    QVERIFY(desktop::click(form->findChild<QPushButton *>(QStringLiteral("Bvolgende"))));
    QTRY_COMPARE(label(), QStringLiteral(" 4"));
    QVERIFY(desktop::click(form->findChild<QPushButton *>(QStringLiteral("Bvorige"))));
    QTRY_COMPARE(label(), QStringLiteral(" 3"));
}

void TestActivationDesktop::secondProgramWindowHandsActivationBack()
{
    auto second = std::make_unique<QWidget>();
    second->resize(200, 100);
    second->show();
    QVERIFY(QTest::qWaitForWindowExposed(second.get()));

    desktop::pageTo(form.get(), 3);
    QVERIFY(desktop::activate(second.get()));
    QTRY_COMPARE(QGuiApplication::focusWindow(), second->windowHandle());
    QCOMPARE(label(), QStringLiteral(" 3"));
    QVERIFY(desktop::click(form->findChild<QLabel *>(QStringLiteral("Laantal250"))));
    QTRY_COMPARE(QGuiApplication::focusWindow(), form->windowHandle());
    QTRY_COMPARE(label(), QStringLiteral(" 1"));

    // Closing the second window gives the activation back to the main window.
    desktop::pageTo(form.get(), 2);
    QVERIFY(desktop::activate(second.get()));
    QTRY_COMPARE(QGuiApplication::focusWindow(), second->windowHandle());
    second.reset();
    QTRY_COMPARE(QGuiApplication::focusWindow(), form->windowHandle());
    QTRY_COMPARE(label(), QStringLiteral(" 1"));
}

void TestActivationDesktop::anotherApplicationDoesNotReload()
{
    QProcess message;
    message.start(QStringLiteral("xmessage"), {QStringLiteral("-name"), QStringLiteral("elders"),
                                               QStringLiteral("een ander programma")});
    QVERIFY(message.waitForStarted());
    desktop::pageTo(form.get(), 3);
    QTRY_VERIFY_WITH_TIMEOUT(desktop::xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--classname"),
                                      QStringLiteral("elders"), QStringLiteral("windowactivate"), QStringLiteral("--sync")}),
                             10000);
    QTRY_VERIFY(QGuiApplication::focusWindow() == nullptr);
    QVERIFY(desktop::activate(form.get()));
    QTRY_COMPARE(QGuiApplication::focusWindow(), form->windowHandle());
    QTest::qWait(300);
    QCOMPARE(label(), QStringLiteral(" 3"));
    message.kill();
    message.waitForFinished();
}

void TestActivationDesktop::contextMenuDoesNotReload()
{
    desktop::pageTo(form.get(), 3);
    QVERIFY(desktop::click(form->findChild<QWidget *>(QStringLiteral("Tasc")), {-1, -1}, 3));
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QVERIFY(desktop::xdotool({QStringLiteral("key"), QStringLiteral("Escape")}));
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    QTest::qWait(300);
    QCOMPARE(label(), QStringLiteral(" 3"));
}

QTEST_MAIN(TestActivationDesktop)
#include "tst_activation_desktop.moc"

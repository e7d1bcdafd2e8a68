// When the main window's activation loads the chosen file: the decision on its
// own, and a message box taking the focus in the middle of a load, replayed
// offscreen as a desktop reports it. The desktop itself is in
// tst_activation_desktop.

#include "activation.h"
#include "form1.h"
#include "module1.h"
#include "pathtext.h"
#include "testfiles.h"

#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

class TestActivation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void decision_data();
    void decision();
    void failedLoadsMessageDoesNotComeBack();

private:
    void activate(QWidget *widget);
    QString label() { return form->findChild<QLabel *>(QStringLiteral("Laantal250"))->text(); }

    QTemporaryDir dir;
    QString file;
    std::unique_ptr<Form1> form;
    std::unique_ptr<QWidget> other;
};

void TestActivation::initTestCase()
{
    QVERIFY(dir.isValid());
    file = dir.filePath(QStringLiteral("file"));
    QVERIFY(writeFile(file, patternBytes(0, 1000)));
}

void TestActivation::init()
{
    Module1::SelectedPath = pathFromText(file);
    form = std::make_unique<Form1>();
    other = std::make_unique<QWidget>();
    other->setWindowTitle(QStringLiteral("another window of the program"));
}

void TestActivation::cleanup()
{
    other.reset();
    form.reset();
}

// Replays what a window manager reports: null for another application.
void TestActivation::activate(QWidget *widget)
{
    QWindowSystemInterface::handleWindowActivated(widget ? widget->windowHandle() : nullptr);
    QCoreApplication::processEvents();
}

void TestActivation::decision_data()
{
    QTest::addColumn<int>("previous");   // 0: none, 1: the main window, 2: another window
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("loads");

    QTest::newRow("first activation") << 0 << 1 << true;
    QTest::newRow("from another program window") << 2 << 1 << true;
    QTest::newRow("back from another application") << 1 << 1 << false;
    QTest::newRow("to another window") << 1 << 2 << false;
    QTest::newRow("focus leaves the program") << 1 << 0 << false;
}

void TestActivation::decision()
{
    QFETCH(int, previous);
    QFETCH(int, current);
    QWindow main, another;
    const QWindow *windows[] = {nullptr, &main, &another};
    QTEST(activationLoads(windows[previous], windows[current], &main), "loads");
}

// The message about a file that can't be opened takes the focus; when it
// closes, the main window's activation must not bring it back.
void TestActivation::failedLoadsMessageDoesNotComeBack()
{
    form->show();
    other->show();
    activate(form.get());
    Module1::SelectedPath = pathFromText(dir.filePath(QStringLiteral("missing")));
    activate(other.get());
    activate(form.get());
    QCOMPARE(form->findChildren<QMessageBox *>().size(), 1);

    QMessageBox *box = form->findChild<QMessageBox *>();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    activate(box);
    box->close();
    activate(form.get());
    QTRY_COMPARE(form->findChildren<QMessageBox *>().size(), 0);
    QCOMPARE(label(), QStringLiteral(" 1"));
}

QTEST_MAIN(TestActivation)
#include "tst_activation.moc"

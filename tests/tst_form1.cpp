// The main window on the offscreen platform: its layout, and loading and
// paging files of every awkward size, including the ones that can't be shown.

#include "blocktext.h"
#include "form1.h"
#include "infotext.h"
#include "layoutcheck.h"
#include "module1.h"
#include "pathtext.h"
#include "testfiles.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void fonts_data();
    void fonts();
    void layoutFitsAtThisScale();
    void windowLooks();
    void focusStartsInCodePaneAndFollowsTabOrder();

    void pagingBeforeAnyLoadOnlyWritesLabel();
    void loadsAndPagesEveryBlock_data();
    void loadsAndPagesEveryBlock();
    void controlBytesShowInBothPanes();

    void infoText();
    void infoReplacesOnlyCodePane();

    void failureIsReportedOncePerPath();
    void sparseFileBeyondTwoGiB();
    void blockAfterGrowthIsReadFromItsPosition();
    void fileThatShrinksShowsWhatIsLeft();

private:
    template<typename T> T *control(const char *name) { return form->findChild<T *>(QLatin1String(name)); }
    QString codes() { return control<QPlainTextEdit>("Tasc")->toPlainText(); }
    QString text() { return control<QPlainTextEdit>("Ttekst")->toPlainText(); }
    QString label() { return control<QLabel>("Laantal250")->text(); }
    QString pathBox() { return control<QLineEdit>("Tbestand")->text(); }
    void click(const char *button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    void load(const QString &path);
    QString writePattern(const QString &name, qint64 size);
    int messageCount() { return form->findChildren<QMessageBox *>().size(); }

    QTemporaryDir dir;
    std::unique_ptr<Form1> form;
};

namespace {

// What the text pane hands back for these bytes; the control gives a no-break
// space back as a plain one.
QString expectedText(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
    return QString::fromStdU16String(blockText({data, std::size_t(bytes.size())}).text)
        .replace(QChar(0xA0), QLatin1Char(' '));
}

} // namespace

void TestForm1::init()
{
    QVERIFY(dir.isValid());
    Module1::SelectedPath.clear();
    form = std::make_unique<Form1>();
}

void TestForm1::cleanup()
{
    form.reset();
}

void TestForm1::load(const QString &path)
{
    Module1::SelectedPath = pathFromText(path);
    form->LoadSelectedFile();
}

QString TestForm1::writePattern(const QString &name, qint64 size)
{
    const QString path = dir.filePath(name);
    writeFile(path, patternBytes(0, size));
    return path;
}

void TestForm1::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("Bopen") << "Bopen" << QRect(4, 2, 187, 33);
    QTest::newRow("Command1") << "Command1" << QRect(196, 2, 85, 33);
    QTest::newRow("Bvolgende") << "Bvolgende" << QRect(286, 2, 83, 33);
    QTest::newRow("Bvorige") << "Bvorige" << QRect(372, 2, 79, 33);
    QTest::newRow("Laantal250") << "Laantal250" << QRect(454, 2, 55, 33);
    QTest::newRow("Tbestand") << "Tbestand" << QRect(4, 38, 505, 21);
    QTest::newRow("Tasc") << "Tasc" << QRect(4, 62, 505, 291);
    QTest::newRow("Ttekst") << "Ttekst" << QRect(4, 354, 505, 105);
}

void TestForm1::layout()
{
    QFETCH(QString, name);
    form->show();
    QWidget *widget = control<QWidget>(qPrintable(name));
    QVERIFY(widget);
    QTEST(widget->geometry(), "geometry");
    QCOMPARE(form->size(), QSize(511, 462));
}

void TestForm1::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("points");

    QTest::newRow("Bopen") << "Bopen" << "Bestand openen" << "MS Sans Serif" << 18.0;
    QTest::newRow("Command1") << "Command1" << "Info" << "MS Sans Serif" << 18.0;
    QTest::newRow("Bvolgende") << "Bvolgende" << ">" << "MS Sans Serif" << 18.0;
    QTest::newRow("Bvorige") << "Bvorige" << "<" << "MS Sans Serif" << 18.0;
    QTest::newRow("Laantal250") << "Laantal250" << "0" << "MS Sans Serif" << 18.0;
    QTest::newRow("Tbestand") << "Tbestand" << "" << "Arial" << 8.25;
}

// Each control asks for its family and size; where the family is missing the
// stand-in is the one chosen for it.
void TestForm1::fonts()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QWidget *widget = control<QWidget>(qPrintable(name));
    const QFont font = widget->font();
    QCOMPARE(font.families().value(0), family);
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.weight(), QFont::Normal);

    const QString resolved = QFontInfo(font).family();
    QVERIFY2(resolved == family || resolved == "Liberation Sans", qPrintable(resolved));

    QCOMPARE(widget->property("text").toString(), caption);
}

// Run at scale 1 and, as a separate test, at a device pixel ratio of 2.
void TestForm1::layoutFitsAtThisScale()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(form->devicePixelRatio(), qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                           ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1.0);
    verifyLayoutFits(form.get());
    // The icon has a pixmap of its own for the screen's pixels, not a blown-up one.
    const qreal ratio = form->devicePixelRatio();
    QVERIFY(form->windowIcon().availableSizes().contains(QSize(32, 32) * ratio));
}

void TestForm1::windowLooks()
{
    QCOMPARE(form->windowTitle(), QStringLiteral("Bestand in  ASCII-code (decimaal) en tekst"));
    QCOMPARE(form->palette().color(QPalette::Window), QColor(192, 192, 192));
    QCOMPARE(control<QLabel>("Laantal250")->palette().color(QPalette::Window), QColor(255, 255, 0));
    QVERIFY(control<QLabel>("Laantal250")->autoFillBackground());
    QVERIFY(!form->windowIcon().pixmap(32, 32).isNull());
    for (const char *pane : {"Tasc", "Ttekst"}) {
        auto *edit = control<QPlainTextEdit>(pane);
        QCOMPARE(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(edit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QVERIFY(!edit->isReadOnly());
    }
}

void TestForm1::focusStartsInCodePaneAndFollowsTabOrder()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Tasc"));
    const QStringList order{"Ttekst", "Bopen", "Bvolgende", "Bvorige", "Tbestand", "Command1", "Tasc"};
    for (const QString &next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), next);
    }
    QCOMPARE(control<QLabel>("Laantal250")->focusPolicy(), Qt::NoFocus);
}

void TestForm1::pagingBeforeAnyLoadOnlyWritesLabel()
{
    form->LoadSelectedFile();
    QCOMPARE(label(), QStringLiteral("0"));
    click("Bvolgende");
    QCOMPARE(label(), QStringLiteral(" 0"));
    click("Bvorige");
    QCOMPARE(label(), QStringLiteral(" 0"));
    QVERIFY(codes().isEmpty() && text().isEmpty() && pathBox().isEmpty());
}

void TestForm1::loadsAndPagesEveryBlock_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<int>("blockCount");

    QTest::newRow("0 bytes") << qint64(0) << 1;
    QTest::newRow("1 byte") << qint64(1) << 1;
    QTest::newRow("250 bytes") << qint64(250) << 1;
    QTest::newRow("251 bytes") << qint64(251) << 2;
    QTest::newRow("32,750 bytes") << qint64(32750) << 131;
    QTest::newRow("32,751 bytes") << qint64(32751) << 131;
    QTest::newRow("100,000 bytes") << qint64(100000) << 131;
}

// Forward to the last block and back to the first, checking both panes and
// the label at every step, and that paging past either end only rewrites the label.
void TestForm1::loadsAndPagesEveryBlock()
{
    QFETCH(qint64, size);
    QFETCH(int, blockCount);
    const QString path = writePattern(QStringLiteral("file"), size);
    load(path);
    QCOMPARE(pathBox(), path);

    const auto expectBlock = [&](int block) {
        const qint64 first = qint64(block - 1) * 250;
        const QByteArray bytes = patternBytes(first, qBound(qint64(0), size - first, qint64(250)));
        QCOMPARE(label(), QStringLiteral(" %1").arg(block));
        QCOMPARE(codes(), expectedCodes(bytes));
        QCOMPARE(text(), expectedText(bytes));
    };
    expectBlock(1);
    for (int block = 2; block <= blockCount; ++block) {
        click("Bvolgende");
        expectBlock(block);
    }
    click("Bvolgende");
    expectBlock(blockCount);
    for (int block = blockCount - 1; block >= 1; --block) {
        click("Bvorige");
        expectBlock(block);
    }
    click("Bvorige");
    expectBlock(1);
    QCOMPARE(pathBox(), path);
}

void TestForm1::controlBytesShowInBothPanes()
{
    const QString path = dir.filePath("lines");
    writeFile(path, QByteArray("a\r\nb\rc\nd\0e", 10));
    load(path);
    QCOMPARE(codes(), QStringLiteral("  97  13  10  98  13  99  10  100  0  101"));
    auto *pane = control<QPlainTextEdit>("Ttekst");
    QCOMPARE(pane->document()->blockCount(), 4);
    QVERIFY(text().endsWith(QStringLiteral("e")));
}

void TestForm1::infoText()
{
    const QStringList lines = InfoText().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 17);
    QVERIFY(!InfoText().endsWith(QStringLiteral("\r\n")));
    QCOMPARE(InfoText().count(QLatin1Char('\n')), 16);
    QCOMPARE(InfoText().count(QLatin1Char('\r')), 16);
    QCOMPARE(lines[0], QStringLiteral("Informatie over het programma"));
    QCOMPARE(lines[2], QStringLiteral("Als je klikt op Bestand openen dan kun je een bestand uitkiezen, en daarvan worden de eerste"));
    QCOMPARE(lines[4], QStringLiteral("Ze worden in ASC getoond in het onderste venster. En de ASC-codes (decimaal) worden getoond in"));
    QCOMPARE(lines[10], QStringLiteral("Het getal rechtsboven geeft aan het hoeveelste blokje van 250 tekens te zien is."));
    QCOMPARE(lines[12], QStringLiteral("Voor meer informatie neem contakt op met"));
    for (int empty : {1, 6, 9, 11})
        QVERIFY(lines[empty].isEmpty());
    QVERIFY(QRegularExpression(QStringLiteral("^ {11}\\S")).match(lines[13]).hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("^ {11}\\S.* \\d+$")).match(lines[14]).hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("^ {11}\\d{4} [A-Z]{2}  \\S+$")).match(lines[15]).hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("^ {11}tel\\. [0-9-]+$")).match(lines[16]).hasMatch());
}

void TestForm1::infoReplacesOnlyCodePane()
{
    load(writePattern(QStringLiteral("short"), 300));
    click("Bvolgende");
    const QString textBefore = text();
    const QString pathBefore = pathBox();

    click("Command1");
    click("Command1");
    QCOMPARE(codes(), QString(InfoText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(control<QPlainTextEdit>("Tasc")->document()->blockCount(), 17);
    QCOMPARE(text(), textBefore);
    QCOMPARE(label(), QStringLiteral(" 2"));
    QCOMPARE(pathBox(), pathBefore);

    // On the last block, ">" finds nothing further and leaves the help text.
    click("Bvolgende");
    QCOMPARE(control<QPlainTextEdit>("Tasc")->document()->blockCount(), 17);
    click("Bvorige");
    QCOMPARE(codes(), expectedCodes(patternBytes(0, 250)));
    click("Command1");
    click("Bvorige");
    QCOMPARE(control<QPlainTextEdit>("Tasc")->document()->blockCount(), 17);
    QCOMPARE(label(), QStringLiteral(" 1"));
}

void TestForm1::failureIsReportedOncePerPath()
{
    const QString good = writePattern(QStringLiteral("good"), 10);
    const QString missing = dir.filePath(QStringLiteral("missing"));
    load(missing);
    QCOMPARE(messageCount(), 1);
    form->findChild<QMessageBox *>()->close();
    QTRY_COMPARE(messageCount(), 0);

    load(missing);   // the activation after the message closes
    load(missing);
    QCOMPARE(messageCount(), 0);

    load(dir.filePath(QStringLiteral("other")));
    QCOMPARE(messageCount(), 1);
    form->findChild<QMessageBox *>()->close();
    QTRY_COMPARE(messageCount(), 0);

    load(good);
    QCOMPARE(label(), QStringLiteral(" 1"));
    load(missing);   // reported again after a load succeeded
    QCOMPARE(messageCount(), 1);

    // Once the file is there, choosing it again shows it.
    QVERIFY(writeFile(missing, "abc"));
    load(missing);
    QCOMPARE(pathBox(), missing);
    QCOMPARE(codes(), expectedCodes("abc"));
}

void TestForm1::sparseFileBeyondTwoGiB()
{
    const QString path = dir.filePath(QStringLiteral("sparse"));
    QVERIFY(writeSparseFile(path, qint64(3) << 30));
    load(path);
    QCOMPARE(label(), QStringLiteral(" 1"));
    for (int i = 0; i < 140; ++i)
        click("Bvolgende");
    QCOMPARE(label(), QStringLiteral(" 131"));
    QCOMPARE(codes(), QStringLiteral("  0").repeated(250));
}

// Block k is always bytes (k-1)*250+1 .. k*250, even when the file grew after
// a short block was shown.
void TestForm1::blockAfterGrowthIsReadFromItsPosition()
{
    const QString path = writePattern(QStringLiteral("growing"), 260);
    load(path);
    click("Bvolgende");
    QCOMPARE(codes(), expectedCodes(patternBytes(250, 10)));

    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    file.write(patternBytes(260, 490));
    file.close();
    click("Bvolgende");
    QCOMPARE(label(), QStringLiteral(" 3"));
    QCOMPARE(codes(), expectedCodes(patternBytes(500, 250)));
}

void TestForm1::fileThatShrinksShowsWhatIsLeft()
{
    const QString path = writePattern(QStringLiteral("shrinking"), 1000);
    load(path);
    click("Bvolgende");
    click("Bvolgende");
    QFile file(path);
    QVERIFY(file.resize(600));
    click("Bvorige");
    click("Bvolgende");
    QCOMPARE(label(), QStringLiteral(" 3"));
    QCOMPARE(codes(), expectedCodes(patternBytes(500, 100)));

    QVERIFY(file.resize(0));
    click("Bvolgende");
    QCOMPARE(label(), QStringLiteral(" 3"));
    click("Bvorige");
    QCOMPARE(label(), QStringLiteral(" 2"));
    QVERIFY(codes().isEmpty() && text().isEmpty());
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"

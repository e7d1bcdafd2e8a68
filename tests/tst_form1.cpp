// The main window on the offscreen platform: its controls, loading and paging
// files of every awkward size, names as they are stored, and the help text.

#include "form1test.h"
#include "platform/pathtext.h"
#include "viewer/infotext.h"

#include "viewer/warning.h"

#include <QFontInfo>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleHints>
#include <QTimer>
#include <QTranslator>
#include <functional>

// Asked by Qt only for the texts that the translations installed after it
// have none for.
class Untranslated : public QTranslator {
public:
    QString translate(const char *context, const char *text, const char *, int) const override
    {
        asked << QStringLiteral("%1: %2").arg(QLatin1String(context), QString::fromUtf8(text));
        return {};
    }
    bool isEmpty() const override { return false; }
    mutable QStringList asked;
};

// The entries of the context menu a right click on the widget opens, its
// submenus' too; the menu is closed again. None when no menu opens.
QStringList contextMenu(QWidget *widget)
{
    QStringList entries;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            std::function<void(QMenu *)> read = [&](QMenu *menu) {
                for (QAction *action : menu->actions()) {
                    if (!action->isSeparator())
                        entries << action->text();
                    if (action->menu())
                        read(action->menu());
                }
            };
            read(menu);
            poll.stop();
            menu->close();
        }
    });
    poll.start(10);
    const QPoint at(5, 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
    // A scroll bar's menu has been answered by now; a text box's is still open.
    if (QApplication::activePopupWidget() && !QTest::qWaitFor([&] { return !poll.isActive(); }, 5000))
        return {};   // never read: no texts to check, which the caller sees
    return entries;
}

class TestForm1 : public Form1Test {
    Q_OBJECT

    Untranslated untranslated;

private slots:
    void initTestCase()
    {
        QCoreApplication::installTranslator(&untranslated);
        prepare();
    }
    void init() { openForm(); }

    // One row a line, as a table reads.
    // clang-format off
    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("family");   // empty: the platform's own font
        QTest::addColumn<qreal>("points");
        QTest::addColumn<QString>("spoken");   // what a screen reader says

        // On Windows the outline face, sharp at any scale.
        const QString ms = OnWindows ? "Microsoft Sans Serif" : "MS Sans Serif";
        QTest::newRow("Bopen") << "Bopen" << QRect(4, 2, 187, 33) << "Bestand openen" << ms << 18.0 << "Bestand openen";
        QTest::newRow("Command1") << "Command1" << QRect(196, 2, 85, 33) << "Info" << ms << 18.0 << "Info";
        QTest::newRow("Bvolgende") << "Bvolgende" << QRect(286, 2, 83, 33) << ">" << ms << 18.0 << "Volgende blok";
        QTest::newRow("Bvorige") << "Bvorige" << QRect(372, 2, 79, 33) << "<" << ms << 18.0 << "Vorige blok";
        QTest::newRow("Laantal250") << "Laantal250" << QRect(454, 2, 55, 33) << "0" << ms << 18.0 << "Blok 0";
        QTest::newRow("Tbestand") << "Tbestand" << QRect(4, 38, 505, 21) << "" << "Arial" << 8.25 << "Pad van het bestand";
        QTest::newRow("Tasc") << "Tasc" << QRect(4, 62, 505, 291) << "" << "" << 0.0 << "Decimale codes";
        QTest::newRow("Ttekst") << "Ttekst" << QRect(4, 354, 505, 105) << "" << "" << 0.0 << "Tekst";
    }
    // clang-format on

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

    // Every menu Qt makes for the program, opened as a right click opens it,
    // asks only for texts the program has in Dutch: the recorder, installed
    // before the program's translation, hears of every text that has none.
    void qtTextsInDutch_data()
    {
        QTest::addColumn<QString>("target");
        for (const char *target :
             {"Tbestand", "Tasc", "Ttekst", "Tasc upright", "Tasc lying", "Ttekst upright", "Dir1 upright",
              "Dir1 lying", "File1 upright", "File1 lying", "message", "right-to-left input"})
            QTest::newRow(target) << QString(target);
    }

    void qtTextsInDutch()
    {
        QFETCH(QString, target);
        fOpen chooser;
        chooser.show();
        untranslated.asked.clear();
        std::unique_ptr<Warning> message(target == "message" ? new Warning("Titel", "Tekst", form.get()) : nullptr);
        QWidget *widget = target == "message" ? message->findChild<QLabel *>("qt_msgbox_label")
                                              : control(qPrintable(target.section(' ', 0, 0)));
        if (!widget)
            widget = chooser.findChild<QWidget *>(target.section(' ', 0, 0));
        if (auto *area = qobject_cast<QAbstractScrollArea *>(widget)) {
            widget = target.endsWith("upright") ? static_cast<QWidget *>(area->verticalScrollBar())
                     : target.endsWith("lying") ? area->horizontalScrollBar()
                                                : area->viewport();
        }
        if (target == "right-to-left input") {
            if (!QGuiApplication::styleHints()->useRtlExtensions())
                QSKIP("Qt adds its menu of control characters where a right-to-left input language is "
                      "installed, and this system has none");
            widget = control("Tbestand");
        }
        QVERIFY(widget);
        const QStringList entries = contextMenu(widget);
        // A message's selectable text has a menu only over a link, which
        // it hasn't; its button is Qt's.
        QVERIFY2(!entries.isEmpty() || message, "no menu opened");
        QVERIFY2(!entries.contains(QString()), qPrintable(entries.join('|')));
        if (target == "right-to-left input")
            QVERIFY2(entries.size() > 20, qPrintable(entries.join('|')));
        if (message)
            QCOMPARE(message->button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
        QVERIFY2(untranslated.asked.isEmpty(), qPrintable(untranslated.asked.join(", ")));
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

    // One row a line, as a table reads.
    // clang-format off
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
    // clang-format on

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
        for (auto [size, button, block] : {std::tuple(260, "Bvolgende", 2),
                                           {1000, "Bvolgende", 3},
                                           {600, "Bvorige", 2},
                                           {600, "Bvolgende", 3},
                                           {0, "Bvorige", 2}}) {
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
        QCOMPARE(lines.mid(0, 13),
                 QStringList(
                     {"Informatie over het programma", "",
                      "Als je klikt op Bestand openen dan kun je een bestand uitkiezen, en daarvan worden de eerste",
                      "250 tekens getoond.",
                      "Ze worden in ASC getoond in het onderste venster. En de ASC-codes (decimaal) worden getoond in",
                      "het bovenste venster.", "", "Klikt u op > dan worden de volgende 250 tekens getoond.",
                      "Klikt u op < dan worden de vorige 250 tekens getoond.", "",
                      "Het getal rechtsboven geeft aan het hoeveelste blokje van 250 tekens te zien is.", "",
                      "Voor meer informatie neem contakt op met"}));
        QVERIFY(QRegularExpression("^( {11}\\S.*\n){2} {11}\\d{4} [A-Z]{2}  \\S+\n {11}tel\\. [0-9-]+$")
                    .match(lines.mid(13).join('\n'))
                    .hasMatch());

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

// The byte layer: every byte value through the code page and the code text,
// the line breaks of the text pane, the paths handed to Windows, and the
// system's error codes as the file channel sorts them.

#include "platform/windowspath.h"
#include "testfiles.h"
#include "viewer/bytes/blocktext.h"
#include "viewer/bytes/codepage.h"
#include "viewer/bytes/filechannel.h"

#include <QGlyphRun>
#include <QGuiApplication>
#include <QTextLayout>

namespace {

BlockText render(const QByteArray &bytes)
{
    return blockText({reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())});
}

// Whether an installed font (the pane's, or one Qt falls back to) draws the
// character: glyph 0 is the empty box drawn for a missing one.
bool hasRealGlyph(QChar character)
{
    QTextLayout layout(QString(character), QGuiApplication::font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return !runs.isEmpty() && std::none_of(runs.begin(), runs.end(), [](const QGlyphRun &run) {
        return run.glyphIndexes().isEmpty() || run.glyphIndexes().contains(0u);
    });
}

}   // namespace

class TestBytes : public QObject {
    Q_OBJECT
private slots:
    void everyByte_data()
    {
        QTest::addColumn<int>("byte");
        for (int byte = 0; byte < 256; ++byte)
            QTest::addRow("0x%02X", byte) << byte;
    }

    // Each byte gets its raw value as code, and in the text pane Windows-1252's
    // character, checked against the system's own converter; bytes that would
    // draw as nothing get a visible stand-in that an installed font has.
    void everyByte()
    {
        QFETCH(int, byte);
        const BlockText shown = render(QByteArray(1, char(byte)));
        QCOMPARE(QString::fromStdString(shown.codes), QStringLiteral("  %1").arg(byte));
        QCOMPARE(shown.text.size(), std::size_t(1));
        const QChar pane(shown.text[0]);

        const bool undefined = byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
        const auto character = codepage::windows1252(std::uint8_t(byte));
        QCOMPARE(character.has_value(), !undefined);
        if (character)
            QCOMPARE(QString(QChar(*character)), systemWindows1252(char(byte)));
        if (byte == '\t' || byte == '\n' || byte == '\r') {
            QCOMPARE(pane, QChar(byte == '\t' ? '\t' : '\n'));
            return;
        }
        QVERIFY2(pane.isPrint() && pane.category() != QChar::Other_Format,
                 qPrintable(QString::number(pane.unicode(), 16)));
        QVERIFY2(hasRealGlyph(pane), "drawn as an empty box: no installed font has it");
        if ((byte >= 0x20 && byte < 0x7F) || (byte >= 0x80 && !undefined && byte != 0xAD))
            QCOMPARE(pane, QChar(*character));
    }

    void lineBreaks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");

        QTest::newRow("LF") << QByteArray("a\nb") << "a\nb";
        QTest::newRow("CR") << QByteArray("a\rb") << "a\nb";
        QTest::newRow("CR LF is one break") << QByteArray("a\r\nb") << "a\nb";
        QTest::newRow("LF CR is two") << QByteArray("a\n\rb") << "a\n\nb";
        QTest::newRow("CR CR LF is two") << QByteArray("\r\r\n") << "\n\n";
        QTest::newRow("CR at the end") << QByteArray("a\r") << "a\n";
        QTest::newRow("nothing lost after NUL") << QByteArray("a\0b", 3) << QString::fromUtf16(u"a\u2400b");
    }

    // Line breaks join up in the text pane, while the code pane keeps a code
    // for every byte.
    void lineBreaks()
    {
        QFETCH(QByteArray, bytes);
        const BlockText shown = render(bytes);
        QTEST(QString::fromStdU16String(shown.text), "text");
        QCOMPARE(QString::fromStdString(shown.codes), expectedCodes(bytes));
    }

    void windowsPaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("extended");
        QTest::newRow("trailing dot kept") << R"(C:\a\b.)"
                                           << R"(\\?\C:\a\b.)";
        QTest::newRow("trailing space kept") << R"(C:\a\b )"
                                             << R"(\\?\C:\a\b )";
        QTest::newRow("device names kept") << R"(C:\nul\COM1.log)"
                                           << R"(\\?\C:\nul\COM1.log)";
        QTest::newRow("dots worked out, slashes turned") << "c:/x/./y/../aux.txt"
                                                         << R"(\\?\c:\x\aux.txt)";
        QTest::newRow("no climbing above the drive") << R"(C:\a\..\..\b)"
                                                     << R"(\\?\C:\b)";
        QTest::newRow("drive root") << R"(C:\)"
                                    << R"(\\?\C:\)";
        QTest::newRow("share") << R"(\\server\share\dir\a.)"
                               << R"(\\?\UNC\server\share\dir\a.)";
        QTest::newRow("no climbing above the share") << R"(\\server\share\..\x)"
                                                     << R"(\\?\UNC\server\share\x)";
        QTest::newRow("share root") << R"(\\server\share)"
                                    << R"(\\?\UNC\server\share\)";
        QTest::newRow("relative") << R"(sub\a.)"
                                  << R"(\\?\C:\work\here\sub\a.)";
        QTest::newRow("from the current root") << R"(\top)"
                                               << R"(\\?\C:\top)";
        QTest::newRow("already extended") << R"(\\?\C:\a.)"
                                          << R"(\\?\C:\a.)";
    }

    // Every path goes to Windows in the form that keeps each name as stored,
    // made from one full path (the current folder here C:\work\here).
    void windowsPaths()
    {
        QFETCH(QString, path);
        QTEST(QString::fromStdWString(extendedWindowsPath(path.toStdWString(), LR"(C:\work\here)")), "extended");
    }

    void systemFaults_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("onlyOn");
        QTest::addColumn<int>("fault");
        const auto row = [](const char *name, int code, const char *onlyOn, SystemFault fault) {
            QTest::newRow(name) << code << QString(onlyOn) << int(fault);
        };
        row("EIO", 5, "unix", SystemFault::DeviceFault);
        row("ENOMEDIUM", 123, "unix", SystemFault::DeviceGone);
        row("ESTALE", 116, "unix", SystemFault::ConnectionLost);
        row("EBADF", 9, "unix", SystemFault::Other);
        row("ERROR_CRC", 23, "windows", SystemFault::DeviceFault);
        row("ERROR_NOT_READY", 21, "windows", SystemFault::DeviceGone);
        row("ERROR_DEVICE_NOT_CONNECTED", 1167, "windows", SystemFault::DeviceGone);
        row("ERROR_BAD_NETPATH", 53, "windows", SystemFault::NetworkUnreachable);
        row("ERROR_BAD_NET_NAME", 67, "windows", SystemFault::NetworkUnreachable);
        row("ERROR_NETNAME_DELETED", 64, "windows", SystemFault::ConnectionLost);
        row("ERROR_INVALID_FUNCTION", 1, "windows", SystemFault::Other);
    }

    // A share or a device that went away is told in the program's own words,
    // also where the system has no Dutch texts.
    void systemFaults()
    {
        QFETCH(int, code);
        QFETCH(QString, onlyOn);
        if (!rowRunsHere(onlyOn))
            QSKIP(qPrintable("an error code of " + onlyOn));
        const SystemError error = classifySystemError(code);
        QTEST(int(error.fault), "fault");
        QCOMPARE(error.code, code);
        // The system's words only where the program has none of its own.
        QVERIFY(error.fault == SystemFault::Other || error.words.empty());
    }
};

QTEST_MAIN(TestBytes)
#include "tst_bytes.moc"

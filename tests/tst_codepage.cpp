// The text pane's reading of bytes: Windows-1252 for all 256 byte values, the
// stand-ins that keep every byte visible, and line breaks.

#include "blocktext.h"
#include "codepage.h"

#include <QGlyphRun>
#include <QTextLayout>
#include <QGuiApplication>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

class TestCodepage : public QObject {
    Q_OBJECT
private slots:
    void windows1252_data();
    void windows1252();
    void shownIsVisible_data();
    void shownIsVisible();
    void blockText_data();
    void blockText();
};

namespace {

void addAllBytes()
{
    QTest::addColumn<int>("byte");
    for (int byte = 0; byte < 256; ++byte)
        QTest::addRow("0x%02X", byte) << byte;
}

// Whether the pane's font, or a font Qt falls back to, has a glyph for the
// character: glyph 0 is the empty box drawn for a missing one.
bool hasRealGlyph(QChar character)
{
    QTextLayout layout(QString(character), QGuiApplication::font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return !runs.isEmpty() && std::all_of(runs.begin(), runs.end(), [](const QGlyphRun &run) {
        const QList<quint32> glyphs = run.glyphIndexes();
        return !glyphs.isEmpty() && !glyphs.contains(0u);
    });
}

bool undefinedInWindows1252(int byte)
{
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

} // namespace

void TestCodepage::windows1252_data()
{
    addAllBytes();
}

// Checked against the system's own converter, both ways: the character is the
// code page's, and it turns back into the byte it came from.
void TestCodepage::windows1252()
{
    QFETCH(int, byte);
    const auto character = codepage::windows1252(std::uint8_t(byte));
    if (undefinedInWindows1252(byte)) {
        QVERIFY(!character.has_value());
        return;
    }
    QVERIFY(character.has_value());

    QStringDecoder decoder("windows-1252");
    QVERIFY(decoder.isValid());
    const QString decoded = decoder.decode(QByteArray(1, char(byte)));
    QCOMPARE(QString(QChar(*character)), decoded);

    QStringEncoder encoder("windows-1252");
    const QByteArray encoded = encoder.encode(QString(QChar(*character)));
    QCOMPARE(encoded, QByteArray(1, char(byte)));
}

void TestCodepage::shownIsVisible_data()
{
    addAllBytes();
}

// No byte may vanish in the text pane: every one but tab, CR and LF shows as a
// printable character with width; printable ones show as themselves.
void TestCodepage::shownIsVisible()
{
    QFETCH(int, byte);
    const QChar shown(codepage::shown(std::uint8_t(byte)));
    if (byte == '\t' || byte == '\r' || byte == '\n') {
        QCOMPARE(shown.unicode(), char16_t(byte));
        return;
    }
    QVERIFY2(shown.isPrint(), qPrintable(QString::number(shown.unicode(), 16)));
    QVERIFY(shown.category() != QChar::Other_Format);
    QVERIFY2(hasRealGlyph(shown), "drawn as an empty box: no installed font has it");

    const bool printable = (byte >= 0x20 && byte < 0x7F) || (byte >= 0xA0 && byte != 0xAD)
        || (byte >= 0x80 && byte < 0xA0 && !undefinedInWindows1252(byte));
    if (printable)
        QCOMPARE(shown.unicode(), *codepage::windows1252(std::uint8_t(byte)));
}

void TestCodepage::blockText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("plain") << QByteArray("Hi") << "Hi";
    QTest::newRow("LF") << QByteArray("a\nb") << "a\nb";
    QTest::newRow("CR") << QByteArray("a\rb") << "a\nb";
    QTest::newRow("CR LF is one break") << QByteArray("a\r\nb") << "a\nb";
    QTest::newRow("LF CR is two") << QByteArray("a\n\rb") << "a\n\nb";
    QTest::newRow("CR CR LF is two") << QByteArray("\r\r\n") << "\n\n";
    QTest::newRow("CR at the end") << QByteArray("a\r") << "a\n";
    QTest::newRow("tab stays") << QByteArray("a\tb") << "a\tb";
    QTest::newRow("nothing lost after NUL") << QByteArray("a\0b", 3) << QString::fromUtf16(u"a\u2400b");
    QTest::newRow("euro sign") << QByteArray("\x80") << QString::fromUtf16(u"\u20AC");
    QTest::newRow("e acute") << QByteArray("caf\xe9") << QString::fromUtf16(u"caf\u00E9");
}

void TestCodepage::blockText()
{
    QFETCH(QByteArray, bytes);
    const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
    const BlockText shown = ::blockText({data, std::size_t(bytes.size())});
    QTEST(QString::fromStdU16String(shown.text), "text");
    // The code pane always has one code per byte, line breaks included.
    QCOMPARE(QString::fromStdString(shown.codes).split(QStringLiteral("  "), Qt::SkipEmptyParts).size(),
             bytes.size());
}

QTEST_MAIN(TestCodepage)
#include "tst_codepage.moc"

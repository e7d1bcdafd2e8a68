// Block arithmetic and the number text of the code pane and the block label.

#include "blocks.h"
#include "numbertext.h"

#include <QTest>
#include <limits>

class TestBlocks : public QObject {
    Q_OBJECT
private slots:
    void range_data();
    void range();
    void hasNext_data();
    void hasNext();
    void hasPrevious();
    void numberText_data();
    void numberText();
    void codesText_data();
    void codesText();
};

void TestBlocks::range_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<int>("count");

    QTest::newRow("empty file") << 1 << qint64(0) << qint64(0) << 0;
    QTest::newRow("one byte") << 1 << qint64(1) << qint64(0) << 1;
    QTest::newRow("exactly one block") << 1 << qint64(250) << qint64(0) << 250;
    QTest::newRow("second block of 251") << 2 << qint64(251) << qint64(250) << 1;
    QTest::newRow("first block of 251") << 1 << qint64(251) << qint64(0) << 250;
    QTest::newRow("last block of 32,750") << 131 << qint64(32750) << qint64(32500) << 250;
    QTest::newRow("block 131 of 3 GiB") << 131 << (qint64(3) << 30) << qint64(32500) << 250;
    QTest::newRow("file shrank under the block") << 5 << qint64(600) << qint64(1000) << 0;
    QTest::newRow("file shrank into the block") << 3 << qint64(600) << qint64(500) << 100;
}

void TestBlocks::range()
{
    QFETCH(int, block);
    QFETCH(qint64, length);
    const blocks::Range r = blocks::range(std::int16_t(block), length);
    QTEST(qint64(r.offset), "offset");
    QTEST(r.count, "count");
}

void TestBlocks::hasNext_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<bool>("expected");

    QTest::newRow("nothing loaded") << 0 << qint64(1000) << false;
    QTest::newRow("empty file") << 1 << qint64(0) << false;
    QTest::newRow("250 is not less than 250") << 1 << qint64(250) << false;
    QTest::newRow("251 has a second block") << 1 << qint64(251) << true;
    QTest::newRow("block 130 of 32,750") << 130 << qint64(32750) << true;
    QTest::newRow("block 131 of 32,750") << 131 << qint64(32750) << false;
    QTest::newRow("block 131 of 32,751 stops at the 16-bit limit") << 131 << qint64(32751) << false;
    QTest::newRow("block 131 of 3 GiB") << 131 << (qint64(3) << 30) << false;
    QTest::newRow("4 GiB length does not wrap") << 1 << (qint64(4) << 30) << true;
}

void TestBlocks::hasNext()
{
    QFETCH(int, block);
    QFETCH(qint64, length);
    QTEST(blocks::hasNext(std::int16_t(block), length), "expected");
}

void TestBlocks::hasPrevious()
{
    QVERIFY(!blocks::hasPrevious(0));
    QVERIFY(!blocks::hasPrevious(1));
    QVERIFY(blocks::hasPrevious(2));
    QVERIFY(blocks::hasPrevious(blocks::Last));
}

void TestBlocks::numberText_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << qint64(0) << " 0";
    QTest::newRow("block 1") << qint64(1) << " 1";
    QTest::newRow("code 72") << qint64(72) << " 72";
    QTest::newRow("code 255") << qint64(255) << " 255";
    QTest::newRow("last block") << qint64(131) << " 131";
    QTest::newRow("16-bit maximum") << qint64(32767) << " 32767";
    QTest::newRow("negative: the sign takes the space") << qint64(-3) << "-3";
    QTest::newRow("64-bit minimum") << std::numeric_limits<qint64>::min() << "-9223372036854775808";
}

void TestBlocks::numberText()
{
    QFETCH(qint64, value);
    QTEST(QString::fromStdString(::numberText(value)), "expected");
}

void TestBlocks::codesText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("nothing") << QByteArray() << "";
    QTest::newRow("Hi") << QByteArray("Hi") << "  72  105";
    QTest::newRow("NUL and 255") << QByteArray("\x00\xff", 2) << "  0  255";
    QTest::newRow("CR LF get codes like any byte") << QByteArray("\r\n") << "  13  10";
}

void TestBlocks::codesText()
{
    QFETCH(QByteArray, bytes);
    const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
    QTEST(QString::fromStdString(::codesText({data, std::size_t(bytes.size())})), "expected");
}

QTEST_APPLESS_MAIN(TestBlocks)
#include "tst_blocks.moc"

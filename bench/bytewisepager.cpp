#include "bytewisepager.h"

#include "blocks.h"
#include "codepage.h"
#include "numbertext.h"

#include <QLabel>
#include <QPlainTextEdit>

BytewisePager::BytewisePager(QPlainTextEdit *codes, QPlainTextEdit *text, QLabel *label)
    : codes(codes), text(text), label(label)
{
}

void BytewisePager::load(const std::filesystem::path &path)
{
    channel = FileChannel::open(path).channel;
    block = 1;
    showBlock();
}

void BytewisePager::next()
{
    if (blocks::hasNext(block, channel.length())) {
        ++block;
        showBlock();
    }
    label->setText(QString::fromStdString(numberText(block)));
}

void BytewisePager::previous()
{
    if (blocks::hasPrevious(block)) {
        --block;
        showBlock();
    }
    label->setText(QString::fromStdString(numberText(block)));
}

void BytewisePager::showBlock()
{
    codes->setPlainText(QString());
    text->setPlainText(QString());
    const blocks::Range range = blocks::range(block, channel.length());
    for (int i = 0; i < range.count; ++i) {
        std::uint8_t byte = 0;
        channel.readAt(range.offset + i, {&byte, 1});
        codes->setPlainText(codes->toPlainText() + QLatin1Char(' ') + QString::fromStdString(numberText(byte)));
        text->setPlainText(text->toPlainText() + QChar(codepage::shown(byte)));
    }
}

#include "bytewisepager.h"

#include "viewer/bytes/blocks.h"
#include "viewer/bytes/codepage.h"
#include "viewer/bytes/numbertext.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <algorithm>

BytewisePager::BytewisePager(QPlainTextEdit *codes, QPlainTextEdit *text, QLabel *label)
    : codes(codes)
    , text(text)
    , label(label)
{}

void BytewisePager::load(const std::filesystem::path &path)
{
    this->path = path;
    channel = FileChannel::open(path).channel;
    block = 1;
    showBlock();
}

void BytewisePager::next()
{
    if (block > 0 && block < blocks::Last && block * blocks::Size < length()) {
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

// Asked afresh each time, as the file may change underneath.
std::int64_t BytewisePager::length() const
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : std::int64_t(size);
}

void BytewisePager::showBlock()
{
    codes->setPlainText(QString());
    text->setPlainText(QString());
    const std::int64_t first = blocks::offset(block);
    const std::int64_t last = std::min<std::int64_t>(first + blocks::Size, length());
    for (std::int64_t position = first; position < last; ++position) {
        std::uint8_t byte = 0;
        channel.readAt(position, {&byte, 1});
        codes->setPlainText(codes->toPlainText() + QLatin1Char(' ') + QString::fromStdString(numberText(byte)));
        text->setPlainText(text->toPlainText() + QChar(codepage::shown(byte)));
    }
}

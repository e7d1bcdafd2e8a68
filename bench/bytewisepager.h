#pragma once

// The baseline for paging: each byte read on its own, and both panes' whole
// text read back and written again once per byte.

#include "viewer/bytes/filechannel.h"

#include <cstdint>
#include <filesystem>

class QLabel;
class QPlainTextEdit;

class BytewisePager {
public:
    BytewisePager(QPlainTextEdit *codes, QPlainTextEdit *text, QLabel *label);
    void load(const std::filesystem::path &path);
    void next();
    void previous();

private:
    void showBlock();
    std::int64_t length() const;

    QPlainTextEdit *codes;
    QPlainTextEdit *text;
    QLabel *label;
    std::filesystem::path path;
    FileChannel channel;
    std::int16_t block = 0;
};
